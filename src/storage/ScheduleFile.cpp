#include "storage/ScheduleFile.h"

#include "model/clsSchedXml.h"
#include "model/clsSchedule.h"

#include "platform/RuntimeError.h"
#include "platform/Windows1252.h"
#include "storage/Module1Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstring>

namespace {
const QString ScheduleStart = QStringLiteral("<Schedule");
const QString ScheduleEnd = QStringLiteral("</Schedule>");
const QString ListStart = QStringLiteral("<Tarnwell_Schedules>");
const QString ListEnd = QStringLiteral("</Tarnwell_Schedules>");
const QByteArray LineEnd = QByteArrayLiteral("\r\n");

QByteArray readWhole(const QString& path)
{
    QFile f(path);
    const QFileInfo info(path);
    if (info.isDir())
        throw Err::make(Err::PathFileAccess);
    // A pipe would wait for a writer and /dev/zero never end.
    if (info.exists() && !info.isFile())
        throw Err::make(Err::PathFileAccess, QStringLiteral("Not a regular file"));
    if (!f.open(QIODevice::ReadOnly)) {
        if (!info.exists())
            throw Err::make(info.absoluteDir().exists() ? Err::FileNotFound : Err::PathNotFound);
        throw Err::make(Err::PermissionDenied);
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Err::make(Err::PathFileAccess);
    return bytes;
}

// Splits at CR LF, a bare LF or a bare CR.
QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

// Calls `line(start, end, next)` for each line of the bytes from `from` on:
// the line is [start, end), its line end (CR LF, LF or CR) [end, next).
template <class Line> void forEachLine(QByteArrayView bytes, qsizetype from, Line&& line)
{
    const char* const data = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype start = from; start < n;) {
        const auto* lf = static_cast<const char*>(
            std::memchr(data + start, '\n', static_cast<size_t>(n - start)));
        const qsizetype lineFeed = lf ? lf - data : n;
        const auto* cr = static_cast<const char*>(
            std::memchr(data + start, '\r', static_cast<size_t>(lineFeed - start)));
        const qsizetype end = cr ? cr - data : lineFeed;
        qsizetype next = end < n ? end + 1 : n;
        if (cr && lf && next == lineFeed)
            ++next; // CR LF
        line(start, end, next);
        start = next;
    }
}

// The list file: its wrapper lines around one line for each of `count`
// entries, each added by `add(i, bytes)`. A megabyte at a time, so that a
// long list is never held a second time, whole, as bytes.
template <class Add> void writeList(const QString& path, size_t count, Add&& add)
{
    constexpr qsizetype PieceSize = 1 << 20;
    WriteWholeFileInPieces(path, [&](const PieceWriter& put) {
        QByteArray piece;
        piece.reserve(PieceSize + 4096);
        auto ended = [&] {
            piece += LineEnd;
            if (piece.size() >= PieceSize) {
                put(piece);
                piece.truncate(0);
            }
        };
        piece += ListStart.toUtf8();
        ended();
        for (size_t i = 0; i < count; ++i) {
            add(i, piece);
            ended();
        }
        piece += ListEnd.toUtf8();
        ended();
        put(piece);
    });
}

// UTF-16 and UTF-32 start with one of these marks or hold NUL bytes.
bool eightBitText(const QByteArray& bytes)
{
    return !bytes.startsWith("\xff\xfe") && !bytes.startsWith("\xfe\xff") && !bytes.contains('\0');
}
} // namespace

QString ScheduleFilePath()
{
    return DataFolder() + QStringLiteral("/myschedule.xml");
}

QString ScheduleListPath()
{
    return DataFolder() + QStringLiteral("/mylist.xml");
}

std::optional<QString> DecodeFileText(const QByteArray& bytes)
{
    if (!eightBitText(bytes))
        return std::nullopt;
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return Windows1252::decode(bytes);
}

QString FirstLine(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != QLatin1Char('\r') &&
           text.at(end) != QLatin1Char('\n'))
        ++end;
    return text.left(end);
}

std::optional<QString> ScheduleLineOf(const QByteArray& content)
{
    const std::optional<QString> text = DecodeFileText(content);
    if (content.isEmpty() || !text)
        return std::nullopt;
    QString line = FirstLine(*text);
    if (!line.startsWith(ScheduleStart) || !line.contains(ScheduleEnd))
        return std::nullopt;
    return line;
}

QString ScheduleLineProblem(const QByteArray& content)
{
    if (content.trimmed().isEmpty())
        return QStringLiteral("The file is empty.");
    const std::optional<QString> text = DecodeFileText(content);
    if (!text)
        return QStringLiteral("Its text is in an encoding this program does not read.");
    const QString line = FirstLine(*text);
    if (!line.startsWith(ScheduleStart))
        return QStringLiteral("Its first line is not a schedule.");
    if (!line.contains(ScheduleEnd))
        return QStringLiteral("The schedule in it is cut short (it has no \"</Schedule>\").");
    return QString();
}

ScheduleFileRead ReadScheduleFile(const QString& path)
{
    ScheduleFileRead read;
    if (QFileInfo(path).isDir()) {
        read.problem = QStringLiteral("It is a folder, not a file.");
        return read;
    }
    QByteArray content;
    try {
        content = readWhole(path);
    } catch (const RuntimeError& e) {
        read.problem = QStringLiteral("It cannot be read (%1).").arg(e.description());
        read.unreadable = QFileInfo::exists(path);
        return read;
    }
    read.line = ScheduleLineOf(content);
    if (!read.line)
        read.problem = ScheduleLineProblem(content);
    read.unreadable = !DecodeFileText(content);
    return read;
}

ScheduleTextRead ReadScheduleText(const QString& xml)
{
    ScheduleTextRead read;
    read.schedule = std::make_shared<clsSchedule>();
    try {
        read.schedule->setXml(xml);
    } catch (...) {
        read.error = std::current_exception();
    }
    read.problems = read.schedule->ReadProblems();
    return read;
}

void WriteScheduleFile(const QString& path, const QString& xml)
{
    WriteWholeFile(path, xml.toUtf8() + LineEnd);
}

std::optional<QStringList> ScheduleListEntriesOf(const QByteArray& content)
{
    const std::optional<QString> text = DecodeFileText(content);
    if (!text)
        return std::nullopt;
    QStringList entries;
    for (const QString& line : splitLines(*text)) {
        if (line.startsWith(ScheduleStart))
            entries << line;
    }
    return entries;
}

std::optional<std::vector<clsSchedXml>> ScheduleListItems(const QByteArray& content)
{
    if (!eightBitText(content))
        return std::nullopt;
    std::vector<clsSchedXml> items;
    // The mark the decoder skips.
    const qsizetype from = content.startsWith("\xef\xbb\xbf") ? 3 : 0;
    if (QByteArrayView(content).sliced(from).isValidUtf8()) {
        // Valid UTF-8 is written back as the very bytes it was read from: the
        // entries stay in the file's bytes rather than each taking a decoded
        // copy twice their size. Counted first, so that the list is made once.
        auto eachEntry = [&](auto&& entry) {
            forEachLine(content, from, [&](qsizetype start, qsizetype end, qsizetype) {
                if (QByteArrayView(content).sliced(start, end - start).startsWith("<Schedule"))
                    entry(start, end - start);
            });
        };
        size_t count = 0;
        eachEntry([&](qsizetype, qsizetype) { ++count; });
        // With room for the additions of a session: a long list moved to a
        // larger place costs as much as the write.
        items.reserve(count + 64);
        eachEntry([&](qsizetype at, qsizetype length) {
            items.emplace_back();
            items.back().setUtf8(content, at, length);
        });
        return items;
    }
    const QStringList lines = ScheduleListEntriesOf(content).value_or(QStringList());
    items.resize(static_cast<size_t>(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        items[static_cast<size_t>(i)].setXml(lines[i]);
    return items;
}

namespace {
// What a list file gives: a missing file is an empty list; one that is there
// but cannot be read gives nothing.
template <class Entries, class Of> std::optional<Entries> readList(const QString& path, Of&& of)
{
    try {
        return of(readWhole(path));
    } catch (const RuntimeError&) {
        if (!QFileInfo::exists(path))
            return Entries();
        return std::nullopt;
    }
}
} // namespace

std::optional<QStringList> ReadScheduleList(const QString& path)
{
    return readList<QStringList>(path, ScheduleListEntriesOf);
}

std::optional<std::vector<clsSchedXml>> ReadScheduleListItems(const QString& path)
{
    return readList<std::vector<clsSchedXml>>(path, ScheduleListItems);
}

void WriteScheduleList(const QString& path, const QStringList& entries)
{
    writeList(path, static_cast<size_t>(entries.size()), [&](size_t i, QByteArray& bytes) {
        bytes += entries[static_cast<qsizetype>(i)].toUtf8();
    });
}

void WriteScheduleList(const QString& path, const std::vector<const clsSchedXml*>& entries)
{
    writeList(path, entries.size(),
              [&](size_t i, QByteArray& bytes) { entries[i]->appendUtf8(bytes); });
}
