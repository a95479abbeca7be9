#pragma once
// Window positions: twips, and the stored place of a window kept on a screen.
#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

// Screen pixels in twips (1440 per inch of the screen's logical resolution).
double TwipsPerPixelX();
double TwipsPerPixelY();

// What a window frame may add to its client size, before the frame is known.
inline constexpr QSize kFrameAllowance{16, 48};

// A window's place: the frame's top-left corner and the client size, in pixels.
// Usable when its title bar lies on one of the screens (their available
// geometries) and it is no smaller than the minimum.
bool IsUsablePlace(const QRect& place, const QList<QRect>& screens, QSize minimum);
// Where a stored place puts the window: on the screen that shows its title
// bar, sized between the minimum and that screen and moved in so it fits;
// with no such screen, the default size centred on the first (primary) screen.
QRect PlaceOnScreen(const QRect& stored, const QList<QRect>& screens, QSize defaultSize,
                    QSize minimum);

// Window position in twips under the window's object name + "_Left" etc.;
// only a window in its normal state is saved or restored, so closing while
// maximised or minimised keeps the last normal position. A place off every
// screen is neither restored nor saved.
void SaveFormSizePos(QWidget& form);
// True when a stored place was there to restore.
bool RestoreFormSizePos(QWidget& form);

// Where a window goes beside another without covering it: to its right when
// the screen has room, else to its left, else below or above it, moved in
// to fit the screen that shows the other.
QRect PlaceBeside(QSize size, const QRect& other, const QRect& screen);
