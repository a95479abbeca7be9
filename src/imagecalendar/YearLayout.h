#pragma once
// The image calendar's arithmetic: how months are arranged, how tall the
// bands are, where each month goes, how the window is shaped to the page,
// how a picture fits the printable area and how text is fitted to a box.
// Lengths are twips unless a name says pixels.
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <vector>

namespace YearLayout {

inline constexpr int Portrait = 1;
inline constexpr int Landscape = 2;
// Page ratio (height ÷ width) when no printer says otherwise: US Letter.
inline constexpr double DefaultPageRatio = 11.0 / 8.5;

struct Arrangement {
    int rows;
    int columns;
};
// Rows × columns for a month count; none for a count the scope menu does not offer.
std::optional<Arrangement> arrangement(int monthCount, int orientation);

struct Bands {
    double title;  // height of the top band
    double legend; // height of the bottom band
};
Bands bands(double innerHeight, int rows);

// The title box inside the top band.
QRectF titleBox(QSizeF band);

struct LegendBoxes {
    QRectF frame; // the white box
    QRectF platoons;
    QRectF description;
};
// The boxes of the bottom band; px, py the twips of one screen pixel.
LegendBoxes legendBoxes(QSizeF band, double px, double py);

// Rectangles of months 0..count-1 in the middle area, row by row, with a
// 60-twip margin and gap; empty when the grid has no rows or columns.
std::vector<QRectF> monthRects(QSizeF area, int rows, int columns, int count);

// Printable height ÷ width, or the default when the printer tells nothing.
double pageRatio(double printableHeight, double printableWidth);
// Orientation the window takes for a page: portrait for a page taller than wide.
int orientationForRatio(double ratio);
// Inner width of the window for its inner height: the page's shape.
double innerWidthFor(double innerHeight, double ratio, int orientation);

// The picture as large as the printable area allows, its proportions kept.
QSizeF fitToPage(QSizeF picture, QSizeF printable);
// Portrait for a picture at least as tall as wide.
int orientationForPicture(QSizeF picture);

// A font size that makes text fill heightShare of the box's height, shrunk
// to widthShare of the box's width when it is then wider than widthLimit of
// it. `text` is the text's extent at `size`; extents scale with the size.
double fitFontSize(double size, QSizeF box, QSizeF text, double heightShare, double widthLimit,
                   double widthShare);

} // namespace YearLayout
