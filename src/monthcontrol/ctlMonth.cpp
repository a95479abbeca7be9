#include "monthcontrol/ctlMonth.h"

#include "model/DayNumber.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "platform/widgets/ReportError.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace {
const QString Unit = QStringLiteral("ctlMonth");
// Laid-out texts kept across paints before the cache starts again.
constexpr int MaxLaidTexts = 2000;

// The face the control was designed with, else a fixed-width face of the
// desktop. The generic "monospace" may resolve to a face that Qt does not
// report as fixed-pitch, so candidates are checked one by one.
QFont designedFont()
{
    // Only the family is kept: a font object must not outlive the application.
    static const QString family = [] {
        // The designed face first, then the desktop's monospace choices; the
        // full family scan is the slow last resort.
        const QString preferred[] = {QStringLiteral("Lucida Console"),
                                     QStringLiteral("DejaVu Sans Mono"),
                                     QStringLiteral("Liberation Mono"),
                                     QStringLiteral("Noto Mono"), QStringLiteral("Courier New")};
        auto fixedPitch = [](const QString& f) {
            QFont font(f);
            font.setStyleHint(QFont::TypeWriter);
            return QFontInfo(font).fixedPitch();
        };
        // Looked up in the family list: asking for an absent family by name
        // runs the desktop's whole alias substitution. A listed family is
        // matched as itself, so the list's own pitch answers without loading
        // a font just to ask it.
        const QStringList families = QFontDatabase::families();
        for (const QString& f : preferred)
            if (families.contains(f, Qt::CaseInsensitive) && QFontDatabase::isFixedPitch(f))
                return f;
        const QString system = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (fixedPitch(system))
            return system;
        for (const QString& f : families)
            if (QFontDatabase::isFixedPitch(f) && fixedPitch(f))
                return f;
        return system;
    }();
    QFont f(family);
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(10);
    f.setBold(true);
    return f;
}

int buttonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int buttonsCode(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
           (b & Qt::MiddleButton ? 4 : 0);
}

// The desktop's classic virtual-key codes, which hosts compare key codes with.
int16_t keyCode(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<int16_t>(112 + key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return static_cast<int16_t>(key & 0x7FFF);
    }
}

bool readBool(const PropertyBag& bag, const QString& key, bool def)
{
    const auto it = bag.constFind(key);
    if (it == bag.constEnd() || !it->isValid())
        return def;
    if (it->typeId() == QMetaType::QString) {
        const QString t = it->toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        bool ok = false;
        const double v = t.toDouble(&ok);
        return ok ? v != 0 : def;
    }
    return it->toBool();
}

double readDouble(const PropertyBag& bag, const QString& key, double def)
{
    const auto it = bag.constFind(key);
    if (it == bag.constEnd())
        return def;
    bool ok = false;
    const double v = it->toDouble(&ok);
    return ok && std::isfinite(v) ? v : def;
}

int32_t readInt32(const PropertyBag& bag, const QString& key, int32_t def)
{
    const double v = readDouble(bag, key, def);
    if (v < -2147483648.0 || v > 4294967295.0)
        return def;
    // Colours saved as unsigned numbers come back with their top bit.
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(RoundHalfEven(v))));
}

int16_t readInt16(const PropertyBag& bag, const QString& key, int16_t def)
{
    const double v = RoundHalfEven(readDouble(bag, key, def));
    return v >= -32768 && v <= 32767 ? static_cast<int16_t>(v) : def;
}
} // namespace

// ---------------------------------------------------------------- imgNavPicture

imgNavPicture::imgNavPicture(int index, ctlMonth* owner)
    : QWidget(owner), index_(index), owner_(owner)
{
    static const char* const tips[] = {"Previous Year", "Previous Month", "Next Month",
                                       "Next Year"};
    setObjectName(QStringLiteral("imgNav%1").arg(index));
    setToolTip(QString::fromLatin1(tips[index & 3]));
    setAttribute(Qt::WA_NoSystemBackground);
}

void imgNavPicture::paintEvent(QPaintEvent*)
{
    const double s = std::min(width(), height());
    if (s < 2)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = s / 8;
    const bool left = index_ < 2;
    auto x = [&](double v) { return left ? v : s - v; };
    const QPointF tip(x(m), s / 2), top(x(s - m), m), mid(x(s - m), s / 2), bottom(x(s - m), s - m);
    // Silver upper half with a grey edge over a black lower half: a raised triangle.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({tip, mid, bottom}));
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), std::max(1.0, s / 24)));
    p.drawPolygon(QPolygonF({tip, top, mid}));
}

void imgNavPicture::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    owner_->imgNav_MouseDown(index_, buttonCode(event->button()), shiftCode(event->modifiers()));
}

// The second press of a double-click arrives as a double-click, not as a
// press: one double-click moves one step. The pictures hand no mouse events
// on to the control.
void imgNavPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
void imgNavPicture::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}
void imgNavPicture::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

// ---------------------------------------------------------------- ctlMonth

ctlMonth::ctlMonth(QWidget* parent)
    : QWidget(parent), foreColor_(OleColor::WindowText), backColor_(OleColor::WindowBackground),
      weekendColor_(OleColor::ButtonFace), specialPeriodColor_(OleColor::ButtonFace),
      font_(designedFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // keys reach the host after Tab too
    try {
        for (int i = 0; i < MonthGrid::CellCount; ++i)
            days_.Add(std::make_shared<clsDayBox>(static_cast<int16_t>(i)));

        timer1_.setSingleShot(true);
        timer1_.setInterval(200);
        connect(&timer1_, &QTimer::timeout, this, &ctlMonth::Timer1_Timer);

        for (int i = 0; i < 4; ++i)
            imgNav_[static_cast<size_t>(i)] = new imgNavPicture(i, this);

        mnuDebug_ = new QMenu(QStringLiteral("&Debug"), this);
        mnuDebug_->setObjectName(QStringLiteral("mnuDebug"));
        auto addEntry = [this](QMenu* menu, const char* name, const char* caption) {
            QAction* a = menu->addAction(QString::fromLatin1(caption));
            a->setObjectName(QString::fromLatin1(name));
            a->setCheckable(true);
            return a;
        };
        mnuDebugBoldFont_ = addEntry(mnuDebug_, "mnuDebugBoldFont", "&Bold Font");
        mnuDebugButtons_ = addEntry(mnuDebug_, "mnuDebugButtons", "&Buttons");
        mnuDebugFirstDayOfWeek_ = mnuDebug_->addMenu(QStringLiteral("First Day Of &Week"));
        mnuDebugFirstDayOfWeek_->setObjectName(QStringLiteral("mnuDebugFirstDayOfWeek"));
        const std::pair<int, const char*> picks[] = {
            {0, "&Use System First Day Of Week"}, {1, "&Sunday"}, {2, "&Monday"}, {7, "Satu&rday"}};
        for (const auto& [index, caption] : picks) {
            QAction* a = mnuDebugFirstDayOfWeek_->addAction(QString::fromLatin1(caption));
            a->setObjectName(QStringLiteral("mnuDebugFirstDayOfWeekPick%1").arg(index));
            a->setCheckable(true);
            mnuDebugFirstDayOfWeekPick_.insert(index, a);
            const int i = index;
            connect(a, &QAction::triggered, this,
                    [this, i] { mnuDebugFirstDayOfWeekPick_Click(i); });
        }
        mnuDebugFitRows_ = addEntry(mnuDebug_, "mnuDebugFitRows", "Fit &Rows");
        mnuDebugFullGrid_ = addEntry(mnuDebug_, "mnuDebugFullGrid", "Full &Grid");
        mnuDebugWeekends_ = addEntry(mnuDebug_, "mnuDebugWeekends", "&Weekends");
        connect(mnuDebugBoldFont_, &QAction::triggered, this, &ctlMonth::mnuDebugBoldFont_Click);
        connect(mnuDebugButtons_, &QAction::triggered, this, &ctlMonth::mnuDebugButtons_Click);
        connect(mnuDebugFitRows_, &QAction::triggered, this, &ctlMonth::mnuDebugFitRows_Click);
        connect(mnuDebugFullGrid_, &QAction::triggered, this, &ctlMonth::mnuDebugFullGrid_Click);
        connect(mnuDebugWeekends_, &QAction::triggered, this, &ctlMonth::mnuDebugWeekends_Click);
        syncMenu();
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("UserControl_Initialize"), UnitKind::UserControl, Unit);
    }
}

ctlMonth::~ctlMonth() = default;

imgNavPicture* ctlMonth::imgNav(int index) const
{
    return index >= 0 && index < 4 ? imgNav_[static_cast<size_t>(index)] : nullptr;
}

double ctlMonth::TwipsPerPixelX() const
{
    return 1440.0 / std::max(1, logicalDpiX());
}
double ctlMonth::TwipsPerPixelY() const
{
    return 1440.0 / std::max(1, logicalDpiY());
}
double ctlMonth::ScaleWidth() const
{
    return width() * TwipsPerPixelX();
}
double ctlMonth::ScaleHeight() const
{
    return height() * TwipsPerPixelY();
}

QColor ctlMonth::qcolor(int32_t ole) const
{
    return OleColor::toQColor(ole, palette());
}

// ---------------------------------------------------------------- dates and layout

void ctlMonth::recomputeMonthBounds()
{
    startDate_ = MonthGrid::gridStart(fullDate_, firstWeekday_);
    lastDay_ = MonthGrid::lastDayOf(theYear_, theMonth_);
}

void ctlMonth::Initialize_Days()
{
    try {
        recomputeMonthBounds();
        if (fitRows_)
            CountRows(rowCount_);
        const double today = DayNumber::fromDate(clockService().today());
        for (int p = 1; p <= days_.Count(); ++p) {
            const double d = DateOfCell(static_cast<int16_t>(p));
            const QDate date = MonthGrid::checkedDate(d);
            clsDayBox& cell = *days_.Item(p);
            cell.setValue(static_cast<int16_t>(date.day()));
            cell.setFullDate(d);
            if (d == today)
                cell.setToolTipText(QStringLiteral("Today"));
            if (date.month() == theMonth_)
                cell.setFlag(0);
            else if (date.addMonths(1).month() == theMonth_)
                cell.setFlag(-1);
            else if (date.addMonths(-1).month() == theMonth_)
                cell.setFlag(1);
            // Otherwise (a month outside 1..12) the flag keeps its value.
        }
        daysReady_ = true;
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Initialize_Days"), UnitKind::UserControl, Unit);
    }
}

void ctlMonth::CountRows(int16_t currentRows)
{
    const int16_t rows = MonthGrid::rowsFor(startDate_, lastDay_);
    if (rows == currentRows)
        return;
    rowCount_ = rows;
    Picture1_Resize();
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

int16_t ctlMonth::RowAt(double y) const
{
    return MonthGrid::rowAt(y, cellHeight_);
}
int16_t ctlMonth::ColumnAt(double x) const
{
    return MonthGrid::columnAt(x, cellWidth_);
}
int16_t ctlMonth::CellIndexAt(int16_t week, int16_t column) const
{
    return MonthGrid::cellIndexAt(week, column, days_.Count());
}
int16_t ctlMonth::IndexAtPoint(double x, double y) const
{
    return CellIndexAt(static_cast<int16_t>(RowAt(y) - 2), ColumnAt(x));
}
double ctlMonth::DateOfCell(int16_t position) const
{
    if (position < 1 || position > MonthGrid::CellCount)
        throw Err::make(Err::SubscriptOutOfRange);
    return MonthGrid::dateOfCell(startDate_, position);
}
int16_t ctlMonth::CellOfDate(double date) const
{
    return static_cast<int16_t>(MonthGrid::cellOfDate(startDate_, date));
}

void ctlMonth::UserControl_Show()
{
    int line = 10;
    try {
        const QDate today = clockService().today();
        theMonth_ = today.month();
        theYear_ = today.year();
        line = 20;
        fullDate_ = MonthGrid::dateSerial(theYear_, theMonth_);
        line = 30;
        recomputeMonthBounds();
        line = 40;
        Initialize_Days();
        line = 50;
        // Showing announces the month without recording it: the first title
        // click afterwards raises DateChange again.
        emit DateChange();
        line = 60;
        emit Show();
        line = 70;
        isShown_ = true;
        mnuDebugFitRows_->setVisible(!fixedGrid_);
        surfaceStale_ = true;
        update();
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("UserControl_Show"), UnitKind::UserControl, Unit, line);
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
    texts_.clear(); // laid out in the fonts of the old layout
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
    const QPair<int, QString> key(pass.face, text);
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
    p.setPen(QPen(Qt::black, 0));
    const int widthPx = width(), heightPx = height();
    for (const int y : layout.rowLines)
        p.drawLine(0, y, widthPx - 1, y);
    const int top = TwipsToPixels(ch, TwipsPerPixelY());
    for (const int x : layout.columnLines)
        p.drawLine(x, top, x, heightPx - 1);
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
        surface_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
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
    if (focusShown_) {
        const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
        QPen pen(qcolor(foreColor_), 0);
        if (focusDotted_)
            pen.setDashPattern({1, 1});
        p.setPen(pen);
        const QPoint a(TwipsToPixels(focusRect_.x1, tx), TwipsToPixels(focusRect_.y1, ty));
        const QPoint b(TwipsToPixels(focusRect_.x2, tx), TwipsToPixels(focusRect_.y2, ty));
        p.drawRect(QRect(a, b).normalized().adjusted(0, 0, -1, -1));
    }
    if (borderStyle_ == 1) {
        p.setPen(QPen(palette().color(QPalette::Dark), 0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ctlMonth::resizeEvent(QResizeEvent*)
{
    DeferMessages deferred;
    Picture1_Resize();
}

void ctlMonth::showEvent(QShowEvent* event)
{
    // The host's Show handler may raise its own messages here too.
    DeferMessages deferred;
    if (!event->spontaneous())
        UserControl_Show();
}

// ---------------------------------------------------------------- mouse and keys

void ctlMonth::Picture1_MouseDown(int button, int shift, double x, double y)
{
    try {
        const int16_t r = RowAt(y), c = ColumnAt(x);
        if (button == 1) {
            if (r == 0 && showButtons_ && c >= 2 && c <= 4)
                setFullDate(DayNumber::fromDate(clockService().today()));
            if (y >= 2.0 * cellHeight_) {
                focusRect_ = MonthGrid::focusRectFor(r, c, cellWidth_, cellHeight_,
                                                     TwipsPerPixelX(), TwipsPerPixelY());
                dotted_ = true;
                focusShown_ = true;
                focusDotted_ = true;
                update();
                selectedIndex_ = CellIndexAt(static_cast<int16_t>(r - 2), c);
                emit SelectionChange(days_.Item(selectedIndex_)->FullDate());
            }
        } else if (button == 2) {
            showPopupMenu(mapToGlobal(QPoint(static_cast<int>(x / TwipsPerPixelX()),
                                             static_cast<int>(y / TwipsPerPixelY()))));
        }
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Picture1_MouseDown"), UnitKind::UserControl, Unit);
        return;
    }
    emit MouseDown(button, shift, x, y);
}

void ctlMonth::Picture1_MouseMove(int button, int shift, double x, double y)
{
    try {
        if (y >= 2.0 * cellHeight_)
            setToolTip(days_.Item(IndexAtPoint(x, y))->ToolTipText());
        else
            setToolTip(QString());
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Picture1_MouseMove"), UnitKind::UserControl, Unit);
        return;
    }
    emit MouseMove(button, shift, x, y);
}

void ctlMonth::Picture1_MouseUp(int button, int shift, double x, double y)
{
    if (button == 1 && y >= 2.0 * cellHeight_)
        ToggleFocusRect();
    dotted_ = false;
    emit MouseUp(button, shift, x, y);
}

void ctlMonth::ToggleFocusRect()
{
    // The classic inverting pass: drawn again over itself the rectangle goes;
    // over a cleared surface it comes back in the line style in force.
    focusShown_ = !focusShown_;
    if (focusShown_)
        focusDotted_ = dotted_;
    dotted_ = false;
    update();
}

void ctlMonth::showPopupMenu(const QPoint& globalPos)
{
    // Modal, as the press is: a chosen entry's events come before MouseDown.
    mnuDebug_->exec(globalPos);
}

void ctlMonth::mousePressEvent(QMouseEvent* event)
{
    afterDoubleClick_ = false;
    const QPointF pos = event->position();
    Picture1_MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()),
                       pos.x() * TwipsPerPixelX(), pos.y() * TwipsPerPixelY());
}

void ctlMonth::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    Picture1_MouseMove(buttonsCode(event->buttons()), shiftCode(event->modifiers()),
                       pos.x() * TwipsPerPixelX(), pos.y() * TwipsPerPixelY());
}

void ctlMonth::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    const int button = buttonCode(event->button());
    Picture1_MouseUp(button, shiftCode(event->modifiers()), pos.x() * TwipsPerPixelX(),
                     pos.y() * TwipsPerPixelY());
    // The release that ends a double-click gives no second Click.
    const bool click = button == 1 && !afterDoubleClick_ && rect().contains(pos.toPoint());
    afterDoubleClick_ = false;
    if (click)
        emit Click();
}

void ctlMonth::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    ToggleFocusRect();
    afterDoubleClick_ = true;
    emit DblClick();
}

void ctlMonth::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(keyCode(event->key()), static_cast<int16_t>(shiftCode(event->modifiers())));
    const QString text = event->text();
    if (!text.isEmpty())
        emit KeyPress(static_cast<int16_t>(text.at(0).unicode()));
    QWidget::keyPressEvent(event);
}

void ctlMonth::keyReleaseEvent(QKeyEvent* event)
{
    emit KeyUp(keyCode(event->key()), static_cast<int16_t>(shiftCode(event->modifiers())));
    QWidget::keyReleaseEvent(event);
}

void ctlMonth::imgNav_MouseDown(int index, int, int shift)
{
    guarded(QStringLiteral("imgNav_MouseDown"), UnitKind::UserControl, Unit, [&] {
        const bool ctrl = shift == 2; // Ctrl alone takes the long steps
        switch (index) {
        case 0:
            if (ctrl)
                setFullDate(MonthGrid::addYears(fullDate_, -5));
            else
                PrevYear();
            break;
        case 1:
            if (ctrl)
                setFullDate(MonthGrid::addMonths(fullDate_, -6));
            else
                PrevMonth();
            break;
        case 2:
            if (ctrl)
                setFullDate(MonthGrid::addMonths(fullDate_, 6));
            else
                NextMonth();
            break;
        default:
            if (ctrl)
                setFullDate(MonthGrid::addYears(fullDate_, 5));
            else
                NextYear();
            break;
        }
    });
}

// ---------------------------------------------------------------- popup menu

void ctlMonth::syncMenu()
{
    mnuDebugBoldFont_->setChecked(font_.bold());
    mnuDebugFullGrid_->setChecked(showFullGrid_);
    mnuDebugFitRows_->setChecked(fitRows_);
    mnuDebugButtons_->setChecked(showButtons_);
    mnuDebugWeekends_->setChecked(showWeekends_);
    for (auto it = mnuDebugFirstDayOfWeekPick_.cbegin(); it != mnuDebugFirstDayOfWeekPick_.cend();
         ++it)
        it.value()->setChecked(it.key() == firstWeekday_);
    mnuDebugFullGrid_->setEnabled(cellSplit_ == 1);
    mnuDebugFitRows_->setVisible(!fixedGrid_);
}

// A checkable entry has already flipped its check when its handler runs.
void ctlMonth::mnuDebugBoldFont_Click()
{
    setFontBold(mnuDebugBoldFont_->isChecked());
}
void ctlMonth::mnuDebugButtons_Click()
{
    setShowButtons(mnuDebugButtons_->isChecked());
}
void ctlMonth::mnuDebugFitRows_Click()
{
    setFitRows(mnuDebugFitRows_->isChecked());
}
void ctlMonth::mnuDebugFullGrid_Click()
{
    setShowFullGrid(mnuDebugFullGrid_->isChecked());
}
void ctlMonth::mnuDebugWeekends_Click()
{
    setShowWeekends(mnuDebugWeekends_->isChecked());
}

void ctlMonth::mnuDebugFirstDayOfWeekPick_Click(int index)
{
    for (QAction* a : std::as_const(mnuDebugFirstDayOfWeekPick_))
        a->setChecked(false);
    if (QAction* a = mnuDebugFirstDayOfWeekPick_.value(index))
        a->setChecked(true);
    if (!showWeekends_)
        mnuDebugWeekends_->trigger();
    setFirstWeekday(index);
}

// ---------------------------------------------------------------- methods

void ctlMonth::Refresh()
{
    Picture1_Resize();
}
void ctlMonth::Repaint()
{
    Picture1_Paint();
}

// The month steps go through FullDate, then keep to the January 1970 floor once more.
void ctlMonth::stepTo(double d)
{
    setFullDate(d);
    if (fullDate_ < MonthGrid::FirstShownDay)
        setFullDate(MonthGrid::FirstShownDay);
}

void ctlMonth::NextMonth()
{
    stepTo(MonthGrid::addMonths(fullDate_, 1));
}

void ctlMonth::PrevMonth()
{
    stepTo(MonthGrid::addMonths(fullDate_, -1));
}

void ctlMonth::NextYear()
{
    stepTo(MonthGrid::addYears(fullDate_, 1));
}

void ctlMonth::PrevYear()
{
    stepTo(MonthGrid::addYears(fullDate_, -1));
}

void ctlMonth::LetDayColor(int16_t index, int32_t color)
{
    if (index >= 0 && index < days_.Count())
        days_.Item(index + 1)->setForeColor(color);
}

void ctlMonth::SetSpecialPeriod(int32_t length, int32_t offset)
{
    specialPeriodLength_ = length;
    specialPeriodOffset_ = offset;
}

// ---------------------------------------------------------------- properties

void ctlMonth::applyDateChangeRule()
{
    if (fullDate_ != lastAnnouncedDate_) {
        lastAnnouncedDate_ = fullDate_;
        emit DateChange();
    }
}

void ctlMonth::setTheYear(int32_t v)
{
    showYearMonth(v, theMonth_);
}

void ctlMonth::setTheMonth(int32_t v)
{
    showYearMonth(theYear_, v);
}

// The year and month are stored as given (a month of 13 stays 13) while the
// first of the month they name is displayed.
void ctlMonth::showYearMonth(int32_t year, int32_t month)
{
    // Both refuse a month beyond the calendar before anything changes.
    const double first = MonthGrid::dateSerial(year, month);
    MonthGrid::lastDayOf(year, month);
    theYear_ = year;
    theMonth_ = month;
    fullDate_ = first;
    Initialize_Days();
    scheduleRepaint();
    applyDateChangeRule();
}

void ctlMonth::setFullDate(double d)
{
    if (std::isnan(d) || d > MonthGrid::MaxDay)
        throw Err::make(Err::Overflow);
    if (d < MonthGrid::FirstShownDay)
        d = MonthGrid::FirstShownDay;
    if (d == fullDate_)
        return;
    const QDate date = MonthGrid::checkedDate(d);
    // December 9999 has no following month to end it: refused before anything changes.
    MonthGrid::lastDayOf(date.year(), date.month());
    theMonth_ = date.month();
    theYear_ = date.year();
    fullDate_ = MonthGrid::dateSerial(theYear_, theMonth_);
    recomputeMonthBounds();
    Initialize_Days();
    scheduleRepaint();
    applyDateChangeRule();
    emit SettingChange(QStringLiteral("FullDate"));
}

void ctlMonth::setFirstWeekday(int32_t v)
{
    if (v == firstWeekday_)
        return;
    if (v != 0 && v != 1 && v != 2 && v != 7) {
        MsgBox(QStringLiteral("Not Allowed"), Msg::OKOnly);
        return;
    }
    firstWeekday_ = v;
    mnuDebugFirstDayOfWeekPick_Click(v);
    Initialize_Days();
    scheduleRepaint();
    emit SettingChange(QStringLiteral("FirstWeekday"));
}

void ctlMonth::setFitRows(bool v)
{
    if (v != fitRows_) {
        fitRows_ = v;
        if (v)
            CountRows(rowCount_);
        else
            rowCount_ = MonthGrid::FullRows;
        Picture1_Resize();
        emit SettingChange(QStringLiteral("FitRows"));
    }
    mnuDebugFitRows_->setChecked(fitRows_);
}

void ctlMonth::setFontRelativeSize(int16_t v)
{
    fontRelativeSize_ = std::clamp<int16_t>(v, 1, 5);
    Picture1_Resize();
}

void ctlMonth::setShowFullGrid(bool v)
{
    if (v != showFullGrid_) {
        showFullGrid_ = v;
        Initialize_Days();
        scheduleRepaint();
        emit SettingChange(QStringLiteral("ShowFullGrid"));
    }
    mnuDebugFullGrid_->setChecked(showFullGrid_);
}

void ctlMonth::setFontBold(bool v)
{
    if (v != font_.bold()) {
        font_.setBold(v);
        scheduleRepaint();
        emit SettingChange(QStringLiteral("FontBold"));
    }
    mnuDebugBoldFont_->setChecked(font_.bold());
}

void ctlMonth::setShowButtons(bool v)
{
    if (v != showButtons_) {
        showButtons_ = v;
        ShowNavButtons(v);
        emit SettingChange(QStringLiteral("ShowButtons"));
    }
    mnuDebugButtons_->setChecked(showButtons_);
}

void ctlMonth::ShowNavButtons(bool visible)
{
    for (imgNavPicture* nav : imgNav_)
        nav->setVisible(visible);
    Picture1_Resize();
    Picture1_Paint();
}

void ctlMonth::setFont(const QFont& f)
{
    font_ = f;
    if (!(font_.pointSizeF() > 0))
        font_.setPointSizeF(10);
    QWidget::setFont(f);
    mnuDebugBoldFont_->setChecked(font_.bold());
    Picture1_Resize();
}

void ctlMonth::setForeColor(int32_t v)
{
    foreColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setBackColor(int32_t v)
{
    backColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setBorderStyle(int16_t v)
{
    borderStyle_ = v;
    update();
}

void ctlMonth::setShowWeekends(bool v)
{
    if (v != showWeekends_) {
        showWeekends_ = v;
        scheduleRepaint();
        emit SettingChange(QStringLiteral("ShowWeekends"));
    }
    mnuDebugWeekends_->setChecked(showWeekends_);
}

void ctlMonth::setWeekendColor(int32_t v)
{
    weekendColor_ = v;
    scheduleRepaint();
}

void ctlMonth::setCellSplit(int16_t v)
{
    cellSplit_ = v;
    mnuDebugFullGrid_->setEnabled(v == 1);
}

void ctlMonth::setFixedGrid(bool v)
{
    fixedGrid_ = v;
    mnuDebugFitRows_->setVisible(!v);
}

// ---------------------------------------------------------------- persistence

// One saved key: its default, how loading reads it and what saving writes.
struct ctlMonth::SavedProperty {
    QString key;
    QVariant defaultValue;
    void (*read)(ctlMonth& m, const PropertyBag& bag, const SavedProperty& p);
    QVariant (*write)(const ctlMonth& m);

    bool boolean(const PropertyBag& bag) const { return readBool(bag, key, defaultValue.toBool()); }
    double number(const PropertyBag& bag) const
    {
        return readDouble(bag, key, defaultValue.toDouble());
    }
    int32_t int32(const PropertyBag& bag) const
    {
        return readInt32(bag, key, defaultValue.toInt());
    }
    int16_t int16(const PropertyBag& bag) const
    {
        return readInt16(bag, key, static_cast<int16_t>(defaultValue.toInt()));
    }
};

// In the order of loading; a host's saved description lists the keys so.
const std::vector<ctlMonth::SavedProperty>& ctlMonth::savedProperties()
{
    using B = const PropertyBag&;
    using P = const SavedProperty&;
    using V = QVariant;
    static const std::vector<SavedProperty> table = {
        {QStringLiteral("ForeColor"), OleColor::WindowText,
         [](ctlMonth& m, B b, P p) { m.foreColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.foreColor_; }},
        {QStringLiteral("Enabled"), true,
         [](ctlMonth& m, B b, P p) { m.QWidget::setEnabled(p.boolean(b)); },
         [](const ctlMonth& m) -> V { return m.isEnabled(); }},
        {QStringLiteral("TheYear"), 2008, [](ctlMonth& m, B b, P p) { m.theYear_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.theYear_; }},
        {QStringLiteral("TheMonth"), 1, [](ctlMonth& m, B b, P p) { m.theMonth_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.theMonth_; }},
        {QStringLiteral("FitRows"), false, [](ctlMonth& m, B b, P p) { m.fitRows_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.fitRows_; }},
        // Not limited to 1..5 here, as the saved value was never checked on load.
        {QStringLiteral("FontRelativeSize"), 3,
         [](ctlMonth& m, B b, P p) { m.fontRelativeSize_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.fontRelativeSize_; }},
        {QStringLiteral("ShowFullGrid"), false,
         [](ctlMonth& m, B b, P p) { m.showFullGrid_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showFullGrid_; }},
        {QStringLiteral("FontBold"), true,
         [](ctlMonth& m, B b, P p) { m.font_.setBold(p.boolean(b)); },
         [](const ctlMonth& m) -> V { return m.font_.bold(); }},
        {QStringLiteral("ShowButtons"), true,
         [](ctlMonth& m, B b, P p) { m.showButtons_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showButtons_; }},
        {QStringLiteral("Font"), designedFont().toString(), &ctlMonth::readFont,
         [](const ctlMonth& m) -> V { return m.font_.toString(); }},
        {QStringLiteral("BackColor"), OleColor::WindowBackground,
         [](ctlMonth& m, B b, P p) { m.backColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.backColor_; }},
        {QStringLiteral("BackStyle"), 0, [](ctlMonth& m, B b, P p) { m.backStyle_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.backStyle_; }},
        {QStringLiteral("BorderStyle"), 1,
         [](ctlMonth& m, B b, P p) { m.borderStyle_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.borderStyle_; }},
        {QStringLiteral("ShowWeekends"), false,
         [](ctlMonth& m, B b, P p) { m.showWeekends_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showWeekends_; }},
        {QStringLiteral("WeekendColor"), OleColor::ButtonFace,
         [](ctlMonth& m, B b, P p) { m.weekendColor_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.weekendColor_; }},
        {QStringLiteral("FullDate"), 0.0, [](ctlMonth& m, B b, P p) { m.fullDate_ = p.number(b); },
         [](const ctlMonth& m) -> V { return m.fullDate_; }},
        {QStringLiteral("StartDate"), 0.0,
         [](ctlMonth& m, B b, P p) { m.startDate_ = p.number(b); },
         [](const ctlMonth& m) -> V { return m.startDate_; }},
        {QStringLiteral("FirstWeekday"), 0,
         [](ctlMonth& m, B b, P p) { m.firstWeekday_ = p.int32(b); },
         [](const ctlMonth& m) -> V { return m.firstWeekday_; }},
        {QStringLiteral("ShowToday"), true,
         [](ctlMonth& m, B b, P p) { m.showToday_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.showToday_; }},
        {QStringLiteral("CellSplit"), 1, [](ctlMonth& m, B b, P p) { m.cellSplit_ = p.int16(b); },
         [](const ctlMonth& m) -> V { return m.cellSplit_; }},
        {QStringLiteral("FixedGrid"), false,
         [](ctlMonth& m, B b, P p) { m.fixedGrid_ = p.boolean(b); },
         [](const ctlMonth& m) -> V { return m.fixedGrid_; }},
    };
    return table;
}

void ctlMonth::readFont(ctlMonth& m, const PropertyBag& bag, const SavedProperty& p)
{
    const auto it = bag.constFind(p.key);
    QFont loaded;
    bool haveFont = false;
    if (it != bag.constEnd()) {
        if (it->typeId() == QMetaType::QFont) {
            loaded = it->value<QFont>();
            haveFont = true;
        } else {
            haveFont = loaded.fromString(it->toString());
        }
    }
    if (haveFont) {
        m.font_ = loaded;
        if (!(m.font_.pointSizeF() > 0))
            m.font_.setPointSizeF(10);
    } else {
        // Without a saved font the designed face keeps the saved weight.
        const bool bold = m.font_.bold();
        m.font_ = designedFont();
        m.font_.setBold(bold);
    }
}

QList<QPair<QString, QVariant>> ctlMonth::PropertyDefaults()
{
    QList<QPair<QString, QVariant>> defaults;
    for (const SavedProperty& p : savedProperties())
        defaults.append({p.key, p.defaultValue});
    return defaults;
}

void ctlMonth::ReadProperties(const PropertyBag& bag)
{
    for (const SavedProperty& p : savedProperties()) {
        p.read(*this, bag, p);
        // The buttons are shown or hidden, and the grid laid out again,
        // before the cell split and the fixed grid are read.
        if (p.key == QLatin1String("ShowToday"))
            ShowNavButtons(showButtons_);
    }
    specialPeriodColor_ = 0; // not saved: black until the host assigns it
    syncMenu();
    update();
}

PropertyBag ctlMonth::WriteProperties() const
{
    PropertyBag bag;
    for (const SavedProperty& p : savedProperties())
        bag.insert(p.key, p.write(*this));
    return bag;
}
