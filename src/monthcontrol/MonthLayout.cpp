#include "monthcontrol/MonthLayout.h"

#include "monthcontrol/MonthGrid.h"
#include "platform/Convert.h"
#include "platform/RuntimeError.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace MonthLayout {
namespace {
constexpr double MinFontSize = 0.5;
constexpr double MaxFontSize = 4000;
constexpr int MaxFittingRounds = 8;
const QString Widest = QStringLiteral("September 0000");

// The font in force while fitting, changed step by step as the paint once
// changed the control's own font.
class Fitter {
public:
    Fitter(const QFont& start, const Inputs& in, const QPaintDevice* device)
        : font(start), in_(in), device_(device), scale_((in.fontRelativeSize + 4) / 10.0)
    {
    }

    double height() const { return QFontMetricsF(font, device_).height() * in_.ty; }
    double width(const QString& text) const
    {
        return QFontMetricsF(font, device_).horizontalAdvance(text) * in_.tx;
    }

    // The size the font is realised at, a whole number of pixels, so that
    // measured heights and the size in force agree.
    void setSize(double size)
    {
        if (!(size > 0))
            throw Err::make(Err::InvalidPropertyValue);
        const double dpi = std::max(1, in_.deviceDpi);
        const double pixels = RoundHalfEven(std::clamp(size, MinFontSize, MaxFontSize) * dpi / 72);
        font.setPointSizeF(std::max(1.0, pixels) * 72 / dpi);
    }

    // Height decides, width only limits; both scale from the size in force.
    void fit(const QString& text, int32_t h, int32_t w, double factor)
    {
        const double s = font.pointSizeF();
        const double t = height();
        if (t <= 0)
            throw Err::make(Err::DivisionByZero);
        setSize(std::max(MinFontSize, h / t * s * scale_ * factor));
        const double u = width(text);
        if (u > 0 && scale_ * w < u)
            setSize(std::max(MinFontSize, w / u * font.pointSizeF() * scale_ * factor));
    }

    double scale() const { return scale_; }

    QFont font;

private:
    const Inputs& in_;
    const QPaintDevice* device_;
    double scale_;
};

void addFace(Layout& l, FaceIndex i, const QFont& f, const QPaintDevice* device)
{
    l.faces[static_cast<size_t>(i)].emplace(f, device, l.inputs.ty);
}

// The texts and fonts from one starting font; `end` gets the font the paint
// left in force, which the next paint started from.
Layout fromFont(const Inputs& in, const QFont& start, const QPaintDevice* device, QFont* end)
{
    Layout l;
    l.inputs = in;
    Fitter f(start, in, device);
    const int32_t cw = in.cellWidth, ch = in.cellHeight;
    int step = TitleFontStep;
    try {
        f.fit(Widest, ch, static_cast<int32_t>(std::lround(in.widgetSize.width() * in.tx)), 1.0);
        addFace(l, TitleFace, f.font, device);
        step = TitleTextStep;
        const int k = in.showButtons ? 3 : 6;
        const QDate first = MonthGrid::checkedDate(in.fullDate);
        const auto format = f.width(Widest) >= static_cast<double>(k) * cw ? QLocale::ShortFormat
                                                                           : QLocale::LongFormat;
        l.title = in.locale.standaloneMonthName(first.month(), format) + QLatin1Char(' ') +
                  QStringLiteral("%1").arg(first.year(), 4, 10, QLatin1Char('0'));
        step = DayFontStep;
        f.fit(QStringLiteral("00"), ch, cw, 1.0);
        addFace(l, DayFace, f.font, device);
        step = CellFontStep;
        if (in.cellSplit == 0)
            throw Err::make(Err::DivisionByZero);
        const double base = f.font.pointSizeF() / in.cellSplit;
        f.setSize(base);
        const QFont cell = f.font;
        addFace(l, CellFace, cell, device);
        f.setSize(cell.pointSizeF() * 0.75);
        addFace(l, CellCornerFace, f.font, device);
        // Every cell ends in the base size, upright, whatever it needed.
        f.font = cell;
        f.font.setItalic(false);
        f.setSize(base);
        *end = f.font;
        if (std::min<int>(in.rowCount, MonthGrid::FullRows) <= 2)
            end->setItalic(start.italic()); // no cell to end in

        step = CellsStep;
        Fitter today(cell, in, device);
        today.font.setItalic(true);
        today.fit(QStringLiteral("OO"), ch, cw, 0.8 / in.cellSplit / f.scale());
        addFace(l, TodayFace, today.font, device);
        today.setSize(today.font.pointSizeF() * 0.75);
        addFace(l, TodayCornerFace, today.font, device);
    } catch (...) {
        l.failedStep = step;
        l.failure = std::current_exception();
        if (step != CellsStep)
            *end = f.font;
    }
    return l;
}

// The mark is a triangle in the top right corner, the one corner no text of
// a cell reaches: a point at (x, y) of the cell lies in it when
// (cellWidth - x) + y < legs. Each limit below is that sum at the corner of
// a text nearest to the mark.
int markSize(const Inputs& in, const Layout& l)
{
    const auto& cellFace = l.faces[CellFace];
    const auto& todayFace = l.faces[TodayFace];
    const auto& cornerFace = l.faces[CellCornerFace];
    if (!cellFace || !todayFace || !cornerFace || in.cellSplit < 1)
        return 0;
    const double cw = in.cellWidth, ch = in.cellHeight;
    double room = 0.25 * std::min(cw, ch);
    auto widestDay = [&](const Face& face) {
        double w = 0;
        for (int d = 1; d <= 31; ++d)
            w = std::max(w, face.metrics.horizontalAdvance(QString::number(d)));
        return w * in.tx;
    };
    for (const Face* face : {&*cellFace, &*todayFace}) {
        const double tw = widestDay(*face), th = face->height;
        const double zero = face->metrics.horizontalAdvance(QLatin1Char('0')) * in.tx;
        if (in.cellSplit == 1) {
            room = std::min(room, (cw - tw) / 2 + (ch - th) / 2); // centred
            room = std::min(room, zero / 2 + ch - th);            // bottom right, next month
        } else {
            const double captionTop = (ch / 2 - th) / 2;
            room = std::min(room, cw - cw / 15 - tw + captionTop); // day number, top left
            room = std::min(room, cw / 15 + ch / 2 + captionTop);  // right caption
        }
    }
    room = std::min(room, cw - widestDay(*cornerFace)); // top left, month before
    // One pixel of white between the mark and any text.
    const int legs = static_cast<int>(room / std::max(in.tx, in.ty)) - 1;
    return legs >= 3 ? legs : 0;
}

// The bar runs along the top of the cell, above the highest text of a day of
// the month: the centred number, or the split view's day number and
// captions. A tenth of the cell (2 to 6 pixels) where the texts leave room,
// with one pixel of white below it; in small cells what room there is.
int barPixels(double room, const Inputs& in)
{
    const int wanted = std::clamp(static_cast<int>(in.cellHeight / in.ty / 10), 2, 6);
    return std::max(0, std::min(wanted, static_cast<int>(room / in.ty) - 1));
}

void barHeights(const Inputs& in, Layout& l)
{
    const auto& cellFace = l.faces[CellFace];
    const auto& todayFace = l.faces[TodayFace];
    if (!cellFace || !todayFace || in.cellSplit < 1)
        return;
    // Digits and capitals start below the top of their line by the room the
    // font keeps for accents.
    const auto above = [&](const Face& face) {
        return std::max(0.0, face.metrics.ascent() - face.metrics.capHeight()) * in.ty;
    };
    const double ch = in.cellHeight;
    double room = ch;
    for (const Face* face : {&*cellFace, &*todayFace}) {
        const double th = face->height;
        room =
            std::min(room, (in.cellSplit == 1 ? (ch - th) / 2 : (ch / 2 - th) / 2) + above(*face));
    }
    l.barHeight = barPixels(room, in);
    // A day of the month before shows its number in the top left corner.
    for (const FaceIndex corner : {CellCornerFace, TodayCornerFace})
        if (const auto& face = l.faces[corner])
            room = std::min(room, face->metrics.horizontalAdvance(QLatin1Char('0')) * in.tx / 2 +
                                      above(*face));
    l.leadingBarHeight = barPixels(room, in);
}
} // namespace

bool Inputs::operator==(const Inputs& o) const
{
    return widgetSize == o.widgetSize && surfaceSize == o.surfaceSize && deviceDpi == o.deviceDpi &&
           tx == o.tx && ty == o.ty && cellWidth == o.cellWidth && cellHeight == o.cellHeight &&
           rowCount == o.rowCount && fontRelativeSize == o.fontRelativeSize &&
           cellSplit == o.cellSplit && fullDate == o.fullDate && startDate == o.startDate &&
           firstWeekday == o.firstWeekday && showButtons == o.showButtons &&
           showWeekends == o.showWeekends && specialPeriodLength == o.specialPeriodLength &&
           specialPeriodOffset == o.specialPeriodOffset && locale == o.locale && font == o.font &&
           font.pointSizeF() == o.font.pointSizeF();
}

Face::Face(const QFont& f, const QPaintDevice* device, double ty)
    : font(f), metrics(f, device), height(metrics.height() * ty)
{
}

void Layout::check(int step) const
{
    if (failure && failedStep == step)
        std::rethrow_exception(failure);
}

std::vector<QPoint> specialPeriodBoxes(int32_t length, int32_t offset, double startDate,
                                       int16_t rowCount)
{
    std::vector<QPoint> boxes;
    const auto filled = MonthGrid::specialPeriodCells(startDate, length, offset);
    for (int r = 2; r < rowCount; ++r) {
        for (int x = 0; x < 7; ++x) {
            // Each day's box fills its own cell, the first column included.
            if (filled[static_cast<size_t>((r - 2) * 7 + x)])
                boxes.emplace_back(x, r);
        }
    }
    return boxes;
}

Layout build(const Inputs& in, const QPaintDevice* device)
{
    // Fitting scales from the size in force, so a paint's sizes depended on
    // the paint before; repeated from its own result it settles, and the
    // settled sizes are the ones every later paint showed.
    QFont start = in.font;
    Layout l;
    for (int round = 0; round < MaxFittingRounds; ++round) {
        QFont end = start;
        l = fromFont(in, start, device, &end);
        if (end == start && end.pointSizeF() == start.pointSizeF())
            break;
        start = end;
    }

    const double tx = in.tx, ty = in.ty;
    const int32_t cw = in.cellWidth, ch = in.cellHeight;
    std::vector<QPoint> boxes;
    if (in.showWeekends && in.specialPeriodLength == 0) {
        l.fill = Fill::Weekends;
        const int s = MonthGrid::columnOfWeekday(Qt::Saturday, in.firstWeekday);
        const int u = MonthGrid::columnOfWeekday(Qt::Sunday, in.firstWeekday);
        for (int r = 1; r < in.rowCount; ++r) {
            boxes.emplace_back(s, r);
            boxes.emplace_back(u, r);
        }
    } else if (in.specialPeriodLength > 0) {
        l.fill = Fill::SpecialPeriod;
        boxes = specialPeriodBoxes(in.specialPeriodLength, in.specialPeriodOffset, in.startDate,
                                   in.rowCount);
    }
    for (const QPoint& b : boxes)
        l.filledBoxes.push_back(MonthGrid::boxPixels(static_cast<int16_t>(b.x()),
                                                     static_cast<int16_t>(b.y()), cw, ch, tx, ty));

    for (int r = 1; r < in.rowCount; ++r)
        l.rowLines.push_back(TwipsToPixels(static_cast<double>(r) * ch, ty));
    for (int col = 1; col <= 6; ++col)
        l.columnLines.push_back(TwipsToPixels(static_cast<double>(col) * cw, tx));

    const int firstDay = MonthGrid::qtFirstDay(in.firstWeekday);
    for (int i = 1; i <= 7; ++i) {
        const int day = (firstDay - 1 + i - 1) % 7 + 1;
        l.initials[static_cast<size_t>(i - 1)] =
            in.locale.dayName(day, QLocale::ShortFormat).left(1);
    }
    l.lastRow = std::min<int>(in.rowCount, MonthGrid::FullRows);
    l.markSize = markSize(in, l);
    barHeights(in, l);
    return l;
}
} // namespace MonthLayout
