#include "platform/widgets/OleColor.h"

#include <QGuiApplication>
#include <limits>

namespace OleColor {
namespace {
struct SystemColor {
    QPalette::ColorRole role;
    const char* name;
};

// Any other system colour is painted as window text, so it is named that too.
SystemColor systemColor(uint32_t v)
{
    switch (v & 0xFF) {
    case 0x05: return {QPalette::Base, "Window background"};
    case 0x0F: return {QPalette::Button, "Button face"};
    case 0x08: return {QPalette::Text, "Window text"};
    default: return {QPalette::WindowText, "Window text"};
    }
}

struct PlainColor {
    const char* name;
    int r, g, b;
};

// Names anyone says, spread so that every colour has one near it.
constexpr PlainColor kPlainColors[] = {
    {"black", 0, 0, 0},       {"grey", 128, 128, 128}, {"silver", 192, 192, 192},
    {"white", 255, 255, 255}, {"red", 255, 0, 0},      {"maroon", 128, 0, 0},
    {"orange", 255, 165, 0},  {"brown", 150, 75, 0},   {"yellow", 255, 255, 0},
    {"olive", 128, 128, 0},   {"lime", 0, 255, 0},     {"green", 0, 128, 0},
    {"teal", 0, 128, 128},    {"cyan", 0, 255, 255},   {"light blue", 173, 216, 230},
    {"blue", 0, 0, 255},      {"navy", 0, 0, 128},     {"purple", 128, 0, 128},
    {"magenta", 255, 0, 255}, {"pink", 255, 192, 203},
};

// The "redmean" weighting: RGB distance weighted as the eye weighs it, close
// enough to pick a name without a trip through a perceptual colour space.
int distance(int r, int g, int b, const PlainColor& p)
{
    const int mean = (r + p.r) / 2;
    const int dr = r - p.r, dg = g - p.g, db = b - p.b;
    return (((512 + mean) * dr * dr) >> 8) + 4 * dg * dg + (((767 - mean) * db * db) >> 8);
}
} // namespace

QColor toQColor(int32_t ole, const QPalette& palette)
{
    const uint32_t v = static_cast<uint32_t>(ole);
    if (v & 0x80000000u)
        return palette.color(systemColor(v).role);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QColor toQColor(int32_t ole)
{
    return toQColor(ole, QGuiApplication::palette());
}

int32_t fromQColor(const QColor& c)
{
    return static_cast<int32_t>(static_cast<uint32_t>(c.red()) |
                                (static_cast<uint32_t>(c.green()) << 8) |
                                (static_cast<uint32_t>(c.blue()) << 16));
}

QString ColorName(int32_t ole)
{
    const uint32_t v = static_cast<uint32_t>(ole);
    if (v & 0x80000000u)
        return QString::fromLatin1(systemColor(v).name);
    const int r = v & 0xFF, g = (v >> 8) & 0xFF, b = (v >> 16) & 0xFF;
    const PlainColor* nearest = nullptr;
    int best = std::numeric_limits<int>::max();
    for (const PlainColor& p : kPlainColors) {
        const int d = distance(r, g, b, p);
        if (d < best) {
            best = d;
            nearest = &p;
        }
    }
    QString name = QString::fromLatin1(nearest->name);
    name[0] = name[0].toUpper();
    return name;
}
} // namespace OleColor
