#pragma once
// The poppler tools (pdfinfo, pdftotext, pdftoppm) on a written PDF.
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <optional>

// Output of a poppler tool, or nothing when it is not installed.
inline std::optional<QString> poppler(const QString& tool, const QStringList& args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0; // points
};

inline PdfInfo parsePdfInfo(const QString& text)
{
    PdfInfo info;
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(text);
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(text);
    info.pages = pages.captured(1).toInt();
    info.width = size.captured(1).toDouble();
    info.height = size.captured(2).toDouble();
    return info;
}

// The first page drawn at the resolution as pdftoppm draws it; null when it
// cannot be (poppler not installed).
inline QImage pdfPage(const QString& pdf, int dpi)
{
    const QString base = pdf + QStringLiteral("-page");
    if (!poppler("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile", pdf, base}))
        return {};
    return QImage(base + QStringLiteral(".png"));
}
