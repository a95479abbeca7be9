#include "mainwindow/FormPlacement.h"

#include "session/CalSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

namespace {
// How much of the title bar must show for the window to be dragged back.
constexpr int kTitleBarHeight = 24;
constexpr int kTitleBarGrip = 80;

double screenDpi(bool horizontal)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi =
        s ? (horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

// Twips to pixels, saturated: a stored value may be anything.
int toPixels(double twips, double tpp)
{
    const double px = std::round(twips / tpp);
    if (!(px > -1e6))
        return -1000000;
    return static_cast<int>(std::min(px, 1e6));
}

std::optional<int> titleScreen(const QRect& place, const QList<QRect>& screens)
{
    const QRect titleBar(place.x(), place.y(), place.width() + kFrameAllowance.width(),
                         kTitleBarHeight);
    for (int i = 0; i < screens.size(); ++i) {
        const QRect shown = titleBar.intersected(screens[i]);
        if (shown.height() == kTitleBarHeight &&
            shown.width() >= std::min(kTitleBarGrip, titleBar.width()))
            return i;
    }
    return std::nullopt;
}

QSize clampedSize(QSize size, QSize minimum, const QRect& screen)
{
    const QSize most = (screen.size() - kFrameAllowance).expandedTo(QSize(1, 1));
    return size.expandedTo(minimum).boundedTo(most);
}

QList<QRect> availableScreens()
{
    QList<QRect> list;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        list << primary->availableGeometry();
    for (const QScreen* s : QGuiApplication::screens())
        if (s != QGuiApplication::primaryScreen())
            list << s->availableGeometry();
    return list;
}

bool abnormal(const QWidget& form)
{
    return form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
}
} // namespace

double TwipsPerPixelX()
{
    return 1440.0 / screenDpi(true);
}
double TwipsPerPixelY()
{
    return 1440.0 / screenDpi(false);
}

bool IsUsablePlace(const QRect& place, const QList<QRect>& screens, QSize minimum)
{
    return place.width() >= minimum.width() && place.height() >= minimum.height() &&
           titleScreen(place, screens).has_value();
}

QRect PlaceOnScreen(const QRect& stored, const QList<QRect>& screens, QSize defaultSize,
                    QSize minimum)
{
    if (screens.isEmpty())
        return QRect(stored.topLeft(), stored.size().expandedTo(minimum));
    if (const auto i = titleScreen(stored, screens)) {
        const QRect& screen = screens[*i];
        const QSize size = clampedSize(stored.size(), minimum, screen);
        const QSize frame = size + kFrameAllowance;
        const int x =
            std::max(screen.left(), std::min(stored.x(), screen.right() + 1 - frame.width()));
        const int y =
            std::max(screen.top(), std::min(stored.y(), screen.bottom() + 1 - frame.height()));
        return QRect(QPoint(x, y), size);
    }
    const QRect& primary = screens.front();
    const QSize size = clampedSize(defaultSize, minimum, primary);
    const QSize frame = size + kFrameAllowance;
    return QRect(QPoint(primary.x() + (primary.width() - frame.width()) / 2,
                        primary.y() + (primary.height() - frame.height()) / 2),
                 size);
}

void SaveFormSizePos(QWidget& form)
{
    if (abnormal(form))
        return;
    // Left and Top are the frame's place; Width and Height the window's own size,
    // so that restoring does not grow the window by its frame on every run.
    const QRect place(form.pos(), form.size());
    if (!IsUsablePlace(place, availableScreens(), form.minimumSize()))
        return;
    using CalSettings::Edge;
    const QString name = form.objectName();
    CalSettings::writePosition(name, Edge::Left, place.x() * TwipsPerPixelX());
    CalSettings::writePosition(name, Edge::Top, place.y() * TwipsPerPixelY());
    CalSettings::writePosition(name, Edge::Width, place.width() * TwipsPerPixelX());
    CalSettings::writePosition(name, Edge::Height, place.height() * TwipsPerPixelY());
}

bool RestoreFormSizePos(QWidget& form)
{
    if (abnormal(form))
        return false;
    using CalSettings::Edge;
    const QString name = form.objectName();
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    // Every edge is read even after one fails; the first failure is raised at the end.
    std::exception_ptr failure;
    bool anyStored = false;
    auto edge = [&](Edge e, int current, double tpp) {
        try {
            if (const auto twips = CalSettings::storedPosition(name, e)) {
                anyStored = true;
                return toPixels(*twips, tpp);
            }
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
        return current;
    };
    const QRect stored(edge(Edge::Left, form.x(), tx), edge(Edge::Top, form.y(), ty),
                       edge(Edge::Width, form.width(), tx), edge(Edge::Height, form.height(), ty));
    const QList<QRect> screens = availableScreens();
    if (!anyStored) {
        // The first start: the window manager places the window; it only has to fit.
        if (!screens.isEmpty())
            form.resize(clampedSize(form.size(), form.minimumSize(), screens.front()));
    } else {
        const QRect place = PlaceOnScreen(stored, screens, form.size(), form.minimumSize());
        // Moving a window at all, even to where it is, takes its placement away
        // from the window manager: only a place that differs is applied.
        if (place.topLeft() != form.pos())
            form.move(place.topLeft());
        form.resize(place.size());
    }
    if (failure)
        std::rethrow_exception(failure);
    return anyStored;
}

QRect PlaceBeside(QSize size, const QRect& other, const QRect& screen)
{
    QPoint at;
    if (other.right() + 1 + size.width() <= screen.right() + 1)
        at = QPoint(other.right() + 1, other.top());
    else if (other.left() - size.width() >= screen.left())
        at = QPoint(other.left() - size.width(), other.top());
    else if (other.bottom() + 1 + size.height() <= screen.bottom() + 1)
        at = QPoint(other.left(), other.bottom() + 1);
    else
        at = QPoint(other.left(), other.top() - size.height());
    at.setX(std::clamp(at.x(), screen.left(),
                       std::max(screen.left(), screen.right() + 1 - size.width())));
    at.setY(std::clamp(at.y(), screen.top(),
                       std::max(screen.top(), screen.bottom() + 1 - size.height())));
    return QRect(at, size);
}
