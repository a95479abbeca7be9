#include "platform/widgets/OleColor.h"

#include <QGuiApplication>

namespace OleColor {
QColor toQColor(int32_t ole, const QPalette& palette)
{
    const uint32_t v = static_cast<uint32_t>(ole);
    if (v & 0x80000000u) {
        switch (v & 0xFF) {
        case 0x05: return palette.color(QPalette::Base);
        case 0x08: return palette.color(QPalette::Text);
        case 0x0F: return palette.color(QPalette::Button);
        default: return palette.color(QPalette::WindowText);
        }
    }
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QColor toQColor(int32_t ole) { return toQColor(ole, QGuiApplication::palette()); }

int32_t fromQColor(const QColor& c)
{
    return static_cast<int32_t>(static_cast<uint32_t>(c.red())
                                | (static_cast<uint32_t>(c.green()) << 8)
                                | (static_cast<uint32_t>(c.blue()) << 16));
}
} // namespace OleColor
