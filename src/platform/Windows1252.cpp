#include "platform/Windows1252.h"

namespace {
// 0x80..0x9F differ from Latin-1; 0 marks the five unassigned bytes.
const char16_t high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
} // namespace

namespace Windows1252 {
QChar charFor(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t u = high[byte - 0x80];
        return u ? QChar(u) : QChar(byte); // unassigned bytes pass through as C1 controls
    }
    return QChar(byte);
}

int byteFor(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (high[i] == u)
            return 0x80 + i;
        if (high[i] == 0 && u == 0x80 + i) // unassigned bytes decode to themselves
            return u;
    }
    return -1;
}

QString decode(const QByteArray& bytes)
{
    QString s;
    s.reserve(bytes.size());
    for (char b : bytes)
        s.append(charFor(static_cast<unsigned char>(b)));
    return s;
}

QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c);
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}
} // namespace Windows1252
