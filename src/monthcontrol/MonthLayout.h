#pragma once
// What a paint of the month control draws where, and in which fonts: worked
// out from the things that decide it and kept until one of them changes, so
// that painting only reads it. Lengths are twips unless named pixels.
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

class QPaintDevice;

namespace MonthLayout {
// Everything a layout depends on; a layout is rebuilt when any of it differs.
struct Inputs {
    QSize widgetSize;  // pixels
    QSize surfaceSize; // device pixels
    int deviceDpi = 0; // of the surface, which fonts are realised for
    double tx = 0;     // twips per pixel
    double ty = 0;
    int32_t cellWidth = 0;
    int32_t cellHeight = 0;
    int16_t rowCount = 0;
    QFont font; // as set
    int16_t fontRelativeSize = 3;
    int16_t cellSplit = 1;
    double fullDate = 0;
    double startDate = 0;
    int32_t firstWeekday = 0;
    bool showButtons = true;
    bool showWeekends = false;
    int32_t specialPeriodLength = 0;
    int32_t specialPeriodOffset = 0;
    QLocale locale;

    bool operator==(const Inputs& o) const;
    bool operator!=(const Inputs& o) const { return !(*this == o); }
};

// A font of the paint with its measures on the surface.
struct Face {
    Face(const QFont& f, const QPaintDevice* device, double ty);
    QFont font;
    QFontMetricsF metrics;
    double height; // of a line, twips
};

enum FaceIndex {
    TitleFace,       // the month and year
    DayFace,         // the weekday initials
    CellFace,        // day numbers and captions
    CellCornerFace,  // days of the months around, in the full grid
    TodayFace,       // today's cell
    TodayCornerFace, // today among the days around
    FaceCount
};

// The paint's steps; an error is reported under the step it belongs to.
enum Step {
    FillStep = 6,
    TitleFontStep = 7,
    TitleTextStep = 8,
    TitleStep = 9,
    DayFontStep = 10,
    GridStep = 11,
    InitialsStep = 13,
    CellFontStep = 14,
    CellsStep = 15,
};

enum class Fill { None, Weekends, SpecialPeriod };

struct Layout {
    Inputs inputs;
    std::array<std::optional<Face>, FaceCount> faces;
    QString title;
    std::array<QString, 7> initials;
    Fill fill = Fill::None;
    std::vector<QRect> filledBoxes; // pixels
    std::vector<int> rowLines;      // y of each horizontal line, pixels
    std::vector<int> columnLines;   // x of each vertical line, pixels
    int lastRow = 0;                // day rows are 2 .. lastRow - 1
    // Legs of the corner mark of a day with notes, pixels; 0 when the cells
    // leave no room for one beside their texts.
    int markSize = 0;
    // Height of the other calendars' bar along the top of a cell, pixels;
    // 0 when the texts leave no room for one. The days of the month before
    // have their number in the top corner, which leaves less.
    int barHeight = 0;
    int leadingBarHeight = 0;
    // The step where working the layout out failed and its error; the paint
    // draws what comes before it and then raises the error. The today font
    // fails only the paint of a today cell.
    int failedStep = 0;
    std::exception_ptr failure;

    const Face& face(FaceIndex i) const { return *faces[static_cast<size_t>(i)]; }
    // Raises the recorded error when it belongs to the step.
    void check(int step) const;
};

// The layout for the inputs, its fonts measured on the surface device.
// The fitted sizes are those that painting settles on: each fitting starts
// from the size the one before left, as when the paint changed the font.
Layout build(const Inputs& in, const QPaintDevice* device);

// Cells whose box shows the special period: (column, row) of the grid.
// Each day's box lies one column to its right; the last column's falls
// beyond the grid and is not drawn.
std::vector<QPoint> specialPeriodBoxes(int32_t length, int32_t offset, double startDate,
                                       int16_t rowCount);
} // namespace MonthLayout
