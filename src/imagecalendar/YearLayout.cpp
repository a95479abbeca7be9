#include "imagecalendar/YearLayout.h"

#include "platform/Convert.h"

#include <cmath>

namespace YearLayout {

std::optional<Arrangement> arrangement(int monthCount, int orientation)
{
    const bool tall = orientation != Landscape;
    switch (monthCount) {
    case 1: return Arrangement{1, 1};
    case 2: return tall ? Arrangement{2, 1} : Arrangement{1, 2};
    case 3: return tall ? Arrangement{3, 1} : Arrangement{1, 3};
    case 4: return Arrangement{2, 2};
    case 6: return tall ? Arrangement{3, 2} : Arrangement{2, 3};
    case 12: return tall ? Arrangement{4, 3} : Arrangement{3, 4};
    default: return std::nullopt;
    }
}

Bands bands(double innerHeight, int rows)
{
    return {innerHeight / (2 * rows + 12), innerHeight / (2 * rows + 6)};
}

QRectF titleBox(QSizeF band)
{
    return {60, 60, band.width() - 150, band.height() - 90};
}

LegendBoxes legendBoxes(QSizeF band, double px, double py)
{
    LegendBoxes b;
    b.frame = QRectF(60, 30, std::round(band.width() - 150), std::round(band.height() - 120));
    const QRectF& f = b.frame;
    const double half = f.height() / 2;
    b.platoons = QRectF(f.left() + 2 * px, f.top() + 2 * py, f.width() - 3 * px, half - 3 * py);
    b.description =
        QRectF(f.left() + 2 * px, f.top() + half + 2 * py, f.width() - 3 * px, half - 3 * py);
    return b;
}

std::vector<QRectF> monthRects(QSizeF area, int rows, int columns, int count)
{
    std::vector<QRectF> rects;
    if (rows < 1 || columns < 1)
        return rects;
    const double w = RoundHalfEven((area.width() - 90) / columns - 60);
    const double h = RoundHalfEven((area.height() - 90) / rows - 60);
    for (int k = 0; k < count; ++k) {
        const int r = k / columns, c = k % columns;
        rects.emplace_back((w + 60) * c + 60, (h + 60) * r + 60, w, h);
    }
    return rects;
}

double pageRatio(double printableHeight, double printableWidth)
{
    const float ratio = static_cast<float>(printableHeight / printableWidth);
    if (std::isnan(ratio) || std::isinf(ratio) || ratio == 0)
        return DefaultPageRatio;
    return ratio;
}

int orientationForRatio(double ratio)
{
    return ratio >= 1.0 ? Portrait : Landscape;
}

double innerWidthFor(double innerHeight, double ratio, int orientation)
{
    const double longSide = std::max(ratio, 1 / ratio);
    const double shortSide = std::min(ratio, 1 / ratio);
    return innerHeight * (orientation == Landscape ? longSide : shortSide);
}

QSizeF fitToPage(QSizeF picture, QSizeF printable)
{
    if (picture.isEmpty() || printable.isEmpty())
        return {0, 0};
    const double pictureRatio = picture.width() / picture.height();
    const double printerRatio = printable.width() / printable.height();
    if (pictureRatio >= printerRatio)
        return {printable.width(), printable.width() / pictureRatio};
    return {printable.height() * pictureRatio, printable.height()};
}

int orientationForPicture(QSizeF picture)
{
    return picture.height() >= picture.width() ? Portrait : Landscape;
}

double fitFontSize(double size, QSizeF box, QSizeF text, double heightShare, double widthLimit,
                   double widthShare)
{
    if (text.height() > 0)
        size = static_cast<float>(box.height() / text.height() * heightShare * size);
    const double width = text.height() > 0
                             ? text.width() * box.height() / text.height() * heightShare
                             : text.width();
    if (width > 0 && static_cast<float>(widthLimit * box.width()) < width)
        size = static_cast<float>(box.width() / width * widthShare * size);
    return size;
}

} // namespace YearLayout
