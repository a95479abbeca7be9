// The month control's drawing: the grid's geometry, the layout of its texts
// and the surface painted from them.
#include "monthcontrol/ctlMonth.h"
#include "monthcontrol/ctlMonthAccessible.h"

#include "model/DayNumber.h"
#include "monthcontrol/ctlMonthSupport.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "platform/widgets/ReportError.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

using namespace ctlmonth;

namespace {
// Laid-out texts kept across paints before the cache starts again.
constexpr int MaxLaidTexts = 2000;
constexpr int MaxFonts = 64;
} // namespace

QColor ctlMonth::qcolor(int32_t ole) const
{
    return OleColor::toQColor(ole, palette());
}

void ctlMonth::Picture1_Resize()
{
    try {
        const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
        cellWidth_ = MonthGrid::cellExtent(ScaleWidth(), tx, 7);
        cellHeight_ = MonthGrid::cellExtent(ScaleHeight(), ty, rowCount_);
        for (int i = 0; i < 4; ++i) {
            const auto place = MonthGrid::navPlace(i, ScaleWidth(), cellWidth_, cellHeight_);
            const int side = TwipsToPixels(place.size, ty);
            imgNav_[static_cast<size_t>(i)]->setGeometry(TwipsToPixels(place.left, tx),
                                                         TwipsToPixels(place.top, ty), side, side);
        }
        if (isShown_)
            Picture1_Paint();
        else if (daysReady_)
            scheduleRepaint();
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Picture1_Resize"), UnitKind::UserControl, Unit);
    }
}

// ---------------------------------------------------------------- painting

void ctlMonth::scheduleRepaint()
{
    // Enabling a running timer does not restart it: a burst gives one paint.
    if (daysReady_ && !timer1_.isActive())
        timer1_.start();
}

void ctlMonth::Timer1_Timer()
{
    Picture1_Paint();
}

// ---------------------------------------------------------------- the layout

MonthLayout::Inputs ctlMonth::layoutInputs() const
{
    MonthLayout::Inputs in;
    in.widgetSize = size();
    in.surfaceSize = surface_.size();
    in.deviceDpi = surface_.logicalDpiY();
    in.tx = TwipsPerPixelX();
    in.ty = TwipsPerPixelY();
    in.cellWidth = cellWidth_;
    in.cellHeight = cellHeight_;
    in.rowCount = rowCount_;
    in.font = font_;
    in.fontRelativeSize = fontRelativeSize_;
    in.cellSplit = cellSplit_;
    in.fullDate = fullDate_;
    in.startDate = startDate_;
    in.firstWeekday = firstWeekday_;
    in.showButtons = showButtons_;
    in.showWeekends = showWeekends_;
    in.specialPeriodLength = specialPeriodLength_;
    in.specialPeriodOffset = specialPeriodOffset_;
    return in;
}

void ctlMonth::updateLayout()
{
    MonthLayout::Inputs in = layoutInputs();
    if (layout_ && layout_->inputs == in)
        return;
    layout_ = MonthLayout::build(in, &surface_);
    if (fontIds_.size() > MaxFonts) {
        fontIds_.clear();
        texts_.clear();
    }
    for (size_t i = 0; i < layout_->faces.size(); ++i) {
        if (!layout_->faces[i])
            continue;
        const QString font =
            layout_->faces[i]->font.key() + QLatin1Char('@') + QString::number(in.deviceDpi);
        auto id = fontIds_.constFind(font);
        if (id == fontIds_.constEnd())
            id = fontIds_.insert(font, static_cast<int>(fontIds_.size()));
        faceFonts_[i] = *id;
    }
}

// ---------------------------------------------------------------- painting

// What one paint carries from text to text: the pen and the font in force.
struct ctlMonth::PaintPass {
    QPainter& painter;
    const MonthLayout::Layout& layout;
    TextCache& fresh;
    MonthLayout::FaceIndex face = MonthLayout::CellFace;
    int32_t color = 0;
};

ctlMonth::LaidText ctlMonth::laidOut(PaintPass& pass, const QString& text) const
{
    const QPair<int, QString> key(faceFonts_[static_cast<size_t>(pass.face)], text);
    auto it = texts_.constFind(key);
    if (it != texts_.constEnd())
        return *it;
    auto fresh = pass.fresh.constFind(key);
    if (fresh != pass.fresh.constEnd())
        return *fresh;
    const MonthLayout::Face& face = pass.layout.face(pass.face);
    LaidText laid{QStaticText(text), face.metrics.horizontalAdvance(text)};
    laid.text.setTextFormat(Qt::PlainText);
    laid.text.setPerformanceHint(QStaticText::ModerateCaching);
    laid.text.prepare(QTransform(), face.font);
    pass.fresh.insert(key, laid);
    return laid;
}

double ctlMonth::textWidth(PaintPass& pass, const QString& text) const
{
    return laidOut(pass, text).width * TwipsPerPixelX();
}

double ctlMonth::textHeight(const PaintPass& pass) const
{
    return pass.layout.face(pass.face).height;
}

void ctlMonth::printAt(PaintPass& pass, double x, double y, const QString& text) const
{
    if (text.isEmpty())
        return;
    const QFont& font = pass.layout.face(pass.face).font;
    if (pass.painter.font() != font)
        pass.painter.setFont(font);
    pass.painter.setPen(qcolor(pass.color));
    if (pass.painter.paintEngine()->type() != QPaintEngine::Raster) {
        // A printer or PDF file gets the text itself: laid-out static text
        // would reach it as glyph outlines.
        const QFontMetricsF fm(font, this);
        pass.painter.drawText(QPointF(x / TwipsPerPixelX(), y / TwipsPerPixelY() + fm.ascent()),
                              text);
        return;
    }
    pass.painter.drawStaticText(QPointF(x / TwipsPerPixelX(), y / TwipsPerPixelY()),
                                laidOut(pass, text).text);
}

void ctlMonth::PrintInCell(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                           double h, double w) const
{
    const double tw = textWidth(pass, text), th = textHeight(pass);
    printAt(pass, column * w + (w - tw) / 2, row * h + (h - th) / 2, text);
}

void ctlMonth::PrintCellTopLeft(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                                double h, double w) const
{
    const auto full = pass.face;
    pass.face = cornerFace(full);
    const double z = textWidth(pass, QStringLiteral("0"));
    printAt(pass, column * w + z / 2, row * h + z / 2, text);
    pass.face = full;
}

void ctlMonth::PrintCellBottomRight(PaintPass& pass, const QString& text, int16_t row,
                                    int16_t column, double h, double w) const
{
    // Measured in the full size, printed smaller: the text ends inside the corner.
    const double tw = textWidth(pass, text), th = textHeight(pass);
    const double z = textWidth(pass, QStringLiteral("0"));
    const auto full = pass.face;
    pass.face = cornerFace(full);
    printAt(pass, (column + 1) * w - tw - z / 2, (row + 1) * h - th, text);
    pass.face = full;
}

MonthLayout::FaceIndex ctlMonth::cornerFace(MonthLayout::FaceIndex face)
{
    return face == MonthLayout::TodayFace ? MonthLayout::TodayCornerFace
                                          : MonthLayout::CellCornerFace;
}

void ctlMonth::PrintCellLeft(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                             double h, double w, int half) const
{
    const double th = textHeight(pass);
    const double y = half == 1 ? row * h + (h / 2 - th) / 2 : row * h + h / 2 + (h / 2 - th) / 2;
    printAt(pass, column * w + w / 15, y, text);
}

void ctlMonth::PrintCellRight(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                              double h, double w, int half) const
{
    const double tw = textWidth(pass, text), th = textHeight(pass);
    const double y = half == 1 ? row * h + (h / 2 - th) / 2 : row * h + h / 2 + (h / 2 - th) / 2;
    printAt(pass, (column + 1) * w - tw - w / 15, y, text);
}

QVariant ctlMonth::DrawGridXYBox(int32_t color, int16_t x, int16_t y)
{
    if (!surface_.isNull()) {
        QPainter p(&surface_);
        p.fillRect(
            MonthGrid::boxPixels(x, y, cellWidth_, cellHeight_, TwipsPerPixelX(), TwipsPerPixelY()),
            qcolor(color));
        update();
    }
    return {};
}

void ctlMonth::paintSurface(QPainter& p, TextCache& fresh, int& line) const
{
    namespace L = MonthLayout;
    const L::Layout& layout = *layout_;
    const int32_t ch = cellHeight_, cw = cellWidth_;
    PaintPass pass{p, layout, fresh};
    line = 5;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(size())), qcolor(backColor_));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    line = L::FillStep;
    const int32_t fillColor =
        layout.fill == L::Fill::Weekends ? weekendColor_ : specialPeriodColor_;
    for (const QRect& box : layout.filledBoxes)
        p.fillRect(box, qcolor(fillColor));
    line = L::TitleFontStep;
    layout.check(line);
    line = L::TitleTextStep;
    layout.check(line);
    line = L::TitleStep;
    pass.face = L::TitleFace;
    pass.color = foreColor_;
    PrintInCell(pass, layout.title, 0, 0, ch, ScaleWidth());
    line = L::DayFontStep;
    layout.check(line);
    line = L::GridStep;
    const int widthPx = width(), heightPx = height();
    const int top = TwipsToPixels(ch, TwipsPerPixelY());
    if (p.paintEngine()->type() == QPaintEngine::Raster) {
        // The same pixels as one-pixel lines, filled the fast way.
        for (const int y : layout.rowLines)
            p.fillRect(QRect(0, y, widthPx, 1), Qt::black);
        for (const int x : layout.columnLines)
            p.fillRect(QRect(x, top, 1, heightPx - top), Qt::black);
    } else {
        p.setPen(QPen(Qt::black, 0)); // hairlines on a printed page
        for (const int y : layout.rowLines)
            p.drawLine(0, y, widthPx - 1, y);
        for (const int x : layout.columnLines)
            p.drawLine(x, top, x, heightPx - 1);
    }
    line = L::InitialsStep;
    pass.face = L::DayFace;
    for (int i = 0; i < 7; ++i)
        PrintInCell(pass, layout.initials[static_cast<size_t>(i)], 1, static_cast<int16_t>(i), ch,
                    cw);
    line = L::CellFontStep;
    layout.check(line);
    line = L::CellsStep;
    const double today = DayNumber::fromDate(clockService().today());
    int cell = 0;
    for (int r = 2; r < layout.lastRow; ++r) {
        for (int col = 0; col <= 6; ++col) {
            const clsDayBox& box = *days_.Item(++cell);
            const auto row = static_cast<int16_t>(r), column = static_cast<int16_t>(col);
            pass.color = box.ForeColor();
            pass.face = L::CellFace;
            if (showToday_ && DayNumber::wholeDay(box.FullDate()) == today) {
                layout.check(line);
                pass.face = L::TodayFace;
            }
            const QString number = QString::number(box.Value());
            if (box.Flag() == 0 || (showFullGrid_ && cellSplit_ == 1)) {
                paintBar(p, layout, row, column, box);
                if (box.MarkColor() >= 0)
                    paintMark(p, layout, row, column, box.MarkColor());
            }
            if (box.Flag() == 0) {
                if (cellSplit_ == 1) {
                    PrintInCell(pass, number, row, column, ch, cw);
                } else if (cellSplit_ == 2) {
                    PrintCellLeft(pass, number, row, column, ch, cw, 1);
                    pass.color = box.LeftColor();
                    PrintCellLeft(pass, box.LeftCaption(), row, column, ch, cw, 2);
                    pass.color = box.RightColor();
                    PrintCellRight(pass, box.RightCaption(), row, column, ch, cw, 2);
                }
            } else if (showFullGrid_ && cellSplit_ == 1) {
                if (box.Flag() == -1)
                    PrintCellTopLeft(pass, number, row, column, ch, cw);
                else if (box.Flag() == 1)
                    PrintCellBottomRight(pass, number, row, column, ch, cw);
            }
        }
    }
}

int ctlMonth::cellRight(const MonthLayout::Layout& layout, int16_t column) const
{
    // Inside the cell's lines; the last column's right edge is the outline,
    // painted over the surface, which would clip what touches it.
    return column < 6 ? layout.columnLines[static_cast<size_t>(column)] - 1
                      : width() - 1 - (borderStyle_ == 1 ? 1 : 0);
}

void ctlMonth::paintBar(QPainter& p, const MonthLayout::Layout& layout, int16_t row, int16_t column,
                        const clsDayBox& box) const
{
    const auto& colors = box.BarColors();
    const int height = box.Flag() == -1 ? layout.leadingBarHeight : layout.barHeight;
    if (colors.empty() || height == 0)
        return;
    const int left = column > 0 ? layout.columnLines[static_cast<size_t>(column - 1)] + 1
                                : (borderStyle_ == 1 ? 1 : 0);
    // Clear of the notes' corner mark, so that both are seen.
    const int right = cellRight(layout, column) - (box.MarkColor() >= 0 ? layout.markSize + 1 : 0);
    const int top = layout.rowLines[static_cast<size_t>(row - 1)] + 1;
    const int n = static_cast<int>(colors.size());
    const int width = right - left + 1;
    if (width < n)
        return;
    // Side by side, one part per calendar; the last takes what division leaves.
    for (int i = 0; i < n; ++i) {
        const int x = left + width * i / n, end = left + width * (i + 1) / n;
        p.fillRect(QRect(x, top, end - x, height), qcolor(colors[static_cast<size_t>(i)]));
    }
}

void ctlMonth::paintMark(QPainter& p, const MonthLayout::Layout& layout, int16_t row,
                         int16_t column, int32_t color) const
{
    const int legs = layout.markSize;
    if (legs == 0)
        return;
    const int right = cellRight(layout, column);
    const int top = layout.rowLines[static_cast<size_t>(row - 1)] + 1;
    if (p.paintEngine()->type() == QPaintEngine::Raster) {
        // Row by row: the same pixels on every surface, no antialiased edge.
        for (int i = 0; i < legs; ++i)
            p.fillRect(QRect(right - legs + 1 + i, top + i, legs - i, 1), qcolor(color));
        return;
    }
    const QPointF corner(right + 1, top);
    const QPointF triangle[] = {corner, corner - QPointF(legs, 0), corner + QPointF(0, legs)};
    p.setPen(Qt::NoPen);
    p.setBrush(qcolor(color));
    p.drawPolygon(triangle, 3);
    p.setBrush(Qt::NoBrush);
}

void ctlMonth::Picture1_Paint()
{
    if (!daysReady_)
        return;
    timer1_.stop();
    surfaceStale_ = false;
    focusShown_ = false; // painting clears the focus rectangle with everything else
    dotted_ = false;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (pixels.isEmpty()) {
        surface_ = QImage();
        return;
    }
    if (surface_.size() != pixels) {
        // Opaque: shown by copying, not blending.
        surface_ = QImage(pixels, QImage::Format_RGB32);
        surface_.setDevicePixelRatio(dpr);
    }
    updateLayout();
    int line = 1;
    TextCache fresh;
    try {
        QPainter p(&surface_);
        paintSurface(p, fresh, line);
        lastPaintError_.clear();
    } catch (const std::exception& e) {
        // A fault that stays fails every repaint, and closing its box
        // repaints: it is reported once, until a paint succeeds again.
        const QString message =
            errorMessage(e, QStringLiteral("Picture1_Paint"), UnitKind::UserControl, Unit, line);
        if (message != lastPaintError_) {
            lastPaintError_ = message;
            MsgBox(message, Msg::OKOnly);
        }
    }
    if (texts_.size() > MaxLaidTexts)
        texts_.clear(); // captions of schedules shown before
    texts_.insert(fresh);
    update();
    ctlMonthAccessibility::announce(*this);
}

std::optional<QRgb> ctlMonth::plainSurfaceUnder(const QRect& area) const
{
    if (surface_.isNull() || surfaceStale_ || focusShown_ ||
        (borderStyle_ == 1 && !rect().adjusted(1, 1, -1, -1).contains(area)))
        return std::nullopt;
    const qreal dpr = surface_.devicePixelRatio();
    const QRect pixels(area.topLeft() * dpr, area.size() * dpr);
    if (!surface_.rect().contains(pixels))
        return std::nullopt;
    const QRgb first = surface_.pixel(pixels.topLeft());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(surface_.constScanLine(y));
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (line[x] != first)
                return std::nullopt;
    }
    return first;
}

void ctlMonth::paintEvent(QPaintEvent*)
{
    const QSize pixels = size() * devicePixelRatioF();
    if (daysReady_ && (surfaceStale_ || surface_.size() != pixels)) {
        DeferMessages deferred;
        Picture1_Paint();
    }
    QPainter p(this);
    if (p.paintEngine()->type() != QPaintEngine::Raster && layout_) {
        // Rendered onto a printer or into a PDF file: draw, so texts stay text.
        TextCache fresh;
        int line = 0;
        try {
            paintSurface(p, fresh, line);
        } catch (const std::exception&) {
            // The screen's own paint has reported it.
        }
    } else {
        if (surface_.isNull() || surface_.size() != pixels)
            p.fillRect(rect(), qcolor(backColor_));
        if (!surface_.isNull())
            p.drawImage(0, 0, surface_);
    }
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    auto outline = [&](const MonthGrid::FocusRect& r, bool dotted) {
        QPen pen(qcolor(foreColor_), 0);
        if (dotted)
            pen.setDashPattern({1, 1});
        p.setPen(pen);
        const QPoint a(TwipsToPixels(r.x1, tx), TwipsToPixels(r.y1, ty));
        const QPoint b(TwipsToPixels(r.x2, tx), TwipsToPixels(r.y2, ty));
        p.drawRect(QRect(a, b).normalized().adjusted(0, 0, -1, -1));
    };
    if (focusShown_)
        outline(focusRect_, focusDotted_);
    const int focusCell = CellOfDate(focusDate_) - 1;
    if (FocusDayShown() && focusCell >= 0 && p.paintEngine()->type() == QPaintEngine::Raster) {
        const auto row = static_cast<int16_t>(focusCell / 7 + 2);
        if (row < rowCount_)
            outline(MonthGrid::focusRectFor(row, static_cast<int16_t>(focusCell % 7), cellWidth_,
                                            cellHeight_, tx, ty),
                    true);
    }
    if (borderStyle_ == 1) {
        const QColor dark = palette().color(QPalette::Dark);
        if (p.paintEngine()->type() == QPaintEngine::Raster) {
            // The pixels of a one-pixel outline, filled the fast way.
            const int w = width(), h = height();
            for (const QRect& edge : {QRect(0, 0, w, 1), QRect(0, h - 1, w, 1), QRect(0, 0, 1, h),
                                      QRect(w - 1, 0, 1, h)})
                p.fillRect(edge, dark);
        } else {
            p.setPen(QPen(dark, 0));
            p.setBrush(Qt::NoBrush);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
}

void ctlMonth::resizeEvent(QResizeEvent*)
{
    DeferMessages deferred;
    Picture1_Resize();
}
