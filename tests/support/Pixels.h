#pragma once
// Counting pixels of a render that pass a colour test.
#include <QColor>
#include <QImage>
#include <QRect>

template <class Pred>
int countPixels(const QImage& img, const QRect& area, Pred&& pred)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += pred(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}
