// The month control's input: mouse and keys, the navigation pictures and the
// popup menu.
#include "monthcontrol/ctlMonth.h"

#include "model/DayNumber.h"
#include "monthcontrol/ctlMonthSupport.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/ReportError.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <optional>

using namespace ctlmonth;

namespace {
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
    if (p.paintEngine()->type() != QPaintEngine::Raster) {
        drawArrow(p, s); // a printed page gets the shapes
        return;
    }
    // Antialiased shapes cost more than the whole month's lines: the arrow
    // over a plain background is drawn once per size and colour, then copied.
    const std::optional<QRgb> under = owner_->plainSurfaceUnder(geometry());
    if (!under) {
        drawArrow(p, s);
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = size() * dpr;
    if (drawn_.size() != pixels || drawnOver_ != *under) {
        drawn_ = QImage(pixels, QImage::Format_RGB32);
        drawn_.setDevicePixelRatio(dpr);
        drawn_.fill(*under);
        drawnOver_ = *under;
        QPainter picture(&drawn_);
        drawArrow(picture, s);
    }
    p.drawImage(0, 0, drawn_);
}

void imgNavPicture::drawArrow(QPainter& p, double s) const
{
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

void imgNavPicture::Press()
{
    owner_->imgNav_MouseDown(index_, 1, 0);
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

imgNavPicture* ctlMonth::imgNav(int index) const
{
    return index >= 0 && index < 4 ? imgNav_[static_cast<size_t>(index)] : nullptr;
}

void ctlMonth::ShowNavButtons(bool visible)
{
    for (imgNavPicture* nav : imgNav_)
        nav->setVisible(visible);
    Picture1_Resize();
    Picture1_Paint();
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
                const double date = days_.Item(selectedIndex_)->FullDate();
                if (date >= fullDate_ && date <= lastDay_ && date != focusDate_) {
                    focusDate_ = date; // the keys go on from the day clicked
                    emit FocusDayMoved();
                }
                emit SelectionChange(date);
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

QStringList ctlMonth::MarkLines(int16_t position) const
{
    const clsDayBox& box = *days_.Item(position);
    return markDetails_ && (box.MarkColor() >= 0 || !box.BarColors().empty())
               ? markDetails_(box.FullDate())
               : QStringList();
}

QString ctlMonth::DayToolTip(int16_t position) const
{
    // A tooltip line stays readable on the screen; the spoken name keeps it all.
    constexpr qsizetype kLine = 80;
    QString tip = days_.Item(position)->ToolTipText();
    for (const QString& line : MarkLines(position)) {
        tip += QLatin1Char('\n');
        tip += line.size() > kLine ? line.left(kLine - 1) + QChar(0x2026) : line;
    }
    return tip;
}

void ctlMonth::Picture1_MouseMove(int button, int shift, double x, double y)
{
    try {
        if (y >= 2.0 * cellHeight_)
            setToolTip(DayToolTip(IndexAtPoint(x, y)));
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
    bool used = false;
    guarded(QStringLiteral("Picture1_KeyDown"), UnitKind::UserControl, Unit,
            [&] { used = focusDayKey(event->key(), event->modifiers()); });
    if (used)
        event->accept();
    else
        QWidget::keyPressEvent(event); // on to the host: Page Up, Home, ...
}

bool ctlMonth::focusDayKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!focusDayActive_ || !daysReady_) {
        // The first arrow shows where the focus day is before moving it.
        if (arrow && daysReady_)
            ShowFocusDay();
        return arrow && daysReady_;
    }
    const int column = (CellOfDate(focusDate_) - 1) % 7;
    switch (key) {
    case Qt::Key_Left: setFocusDate(focusDate_ - 1); break;
    case Qt::Key_Right: setFocusDate(focusDate_ + 1); break;
    case Qt::Key_Up: setFocusDate(focusDate_ - 7); break;
    case Qt::Key_Down: setFocusDate(focusDate_ + 7); break;
    case Qt::Key_Home: setFocusDate(focusDate_ - column); break;
    case Qt::Key_End: setFocusDate(focusDate_ + 6 - column); break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: PressFocusDay(); break;
    default: return false;
    }
    return true;
}

void ctlMonth::ShowFocusDay()
{
    if (!daysReady_)
        return;
    focusDayActive_ = true;
    update();
    emit FocusDayMoved();
}

void ctlMonth::HideFocusDay()
{
    focusDayActive_ = false;
    update();
}

void ctlMonth::setFocusDate(double d)
{
    d = DayNumber::wholeDay(d);
    if (d < MonthGrid::FirstShownDay || d > MonthGrid::MaxDay)
        return;
    const double before = focusDate_;
    focusDate_ = d;
    if (d < fullDate_ || d > lastDay_) {
        setFullDate(d);
        keepFocusDayInMonth(); // the floor may have kept the month
    }
    if (focusDate_ != before) {
        update();
        emit FocusDayMoved();
    }
}

void ctlMonth::keepFocusDayInMonth()
{
    if (focusDate_ >= fullDate_ && focusDate_ <= lastDay_)
        return;
    const double today = DayNumber::fromDate(clockService().today());
    if (focusDate_ == 0 && today >= fullDate_ && today <= lastDay_) {
        focusDate_ = today;
        return;
    }
    // The same day of the month, or the month's last when it has fewer.
    const int day = focusDate_ == 0 ? 1 : MonthGrid::checkedDate(focusDate_).day();
    focusDate_ = std::min(fullDate_ + day - 1, lastDay_);
}

void ctlMonth::PressFocusDay()
{
    const int16_t position = CellOfDate(focusDate_);
    if (position < 1)
        return;
    selectedIndex_ = position;
    emit SelectionChange(focusDate_);
    emit Click();
}

void ctlMonth::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        ShowFocusDay();
    QWidget::focusInEvent(event);
    update();
}

void ctlMonth::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool ctlMonth::focusNextPrevChild(bool next)
{
    // Tab onto a grid that already has the focus (the only control of its
    // window) still means "now the keys are for the days".
    if (hasFocus() && !focusDayActive_ && daysReady_) {
        ShowFocusDay();
        return true;
    }
    return QWidget::focusNextPrevChild(next);
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
