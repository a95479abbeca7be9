#include "mainwindow/PicturePane.h"

#include "platform/widgets/OleColor.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

PicturePane::PicturePane(const QString& name, QWidget* parent)
    : QWidget(parent), backColor_(OleColor::WindowBackground), foreColor_(OleColor::WindowText)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = font();
}

void PicturePane::setBackColor(int32_t ole)
{
    backColor_ = ole;
    update();
}

void PicturePane::setFontSize(double points)
{
    font_.setPointSizeF(std::max(0.5, points));
}

QString VisiblePart(const QString& text, double width)
{
    // At the smallest size a character is wider than an eighth of a pixel.
    qsizetype most = 8 * static_cast<qsizetype>(std::ceil(std::max(width, 1.0))) + 8;
    if (text.size() <= most)
        return text;
    if (text.at(most - 1).isHighSurrogate())
        --most;
    return text.left(most);
}

QString LegendText(const QString& code, const QString& description, double width)
{
    return VisiblePart(code, width) + QLatin1Char(' ') + VisiblePart(description, width);
}

QSizeF TextExtent(const QFont& font, const QString& text, const QPaintDevice* device)
{
    constexpr double kReference = 96.0;
    QFont reference = font;
    reference.setPointSizeF(kReference);
    const QFontMetricsF fm(reference, device);
    const double scale = font.pointSizeF() / kReference;
    return {fm.horizontalAdvance(text) * scale, fm.height() * scale};
}

double PicturePane::TextWidth(const QString& text) const
{
    return TextExtent(font_, VisiblePart(text, width()), this).width();
}

double PicturePane::TextHeight(const QString& text) const
{
    return TextExtent(font_, VisiblePart(text, width()), this).height();
}

void PicturePane::Cls()
{
    printed_.clear();
    update();
}

void PicturePane::Print(const QString& text, const QPointF& pos)
{
    Print(text, pos, foreColor_);
}

void PicturePane::Print(const QString& text, const QPointF& pos, int32_t color)
{
    printed_.push_back({VisiblePart(text, width()), pos, font_, color});
    update();
}

void PicturePane::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), OleColor::toQColor(backColor_, palette()));
    for (const auto& t : printed_) {
        p.setFont(t.font);
        p.setPen(OleColor::toQColor(t.color, palette()));
        const QFontMetricsF fm(t.font, this);
        p.drawText(QPointF(t.topLeft.x(), t.topLeft.y() + fm.ascent()), t.text);
    }
}
