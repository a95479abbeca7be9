// What the main window shows: the layout of its panes, the days of the month
// control filled from the rotation, the title, legend and description, the View menu.
#include "mainwindow/frmCal.h"

#include "mainwindow/FormPlacement.h"
#include "mainwindow/PicturePane.h"
#include "mainwindow/frmCalSupport.h"
#include "model/DayNumber.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/MsgBox.h"
#include "session/CalSettings.h"
#include "wizard/frmOnDuty.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <algorithm>
#include <cmath>

using namespace calform;

namespace {
int nonNegative(int v)
{
    return std::max(0, v);
}
} // namespace

CalLayout ComputeCalLayout(QSize client, double tx, double ty, QSize currentMonthSize)
{
    CalLayout l{};
    const double cw = client.width() * tx;
    const double ch = client.height() * ty;

    // The window's resize: the two bands.
    const int p1h = TwipsToPixels(ch / 8, ty);
    const int p2h = TwipsToPixels(ch / 6, ty);
    l.picture1 = QRect(0, 0, client.width(), p1h);
    l.picture2 = QRect(0, client.height() - p2h, client.width(), p2h);
    const double P1h = p1h * ty;
    const double P1w = l.picture1.width() * tx;
    const double P2h = p2h * ty;
    const double P2w = l.picture2.width() * tx;

    // Picture1's resize: the title.
    l.picTitle =
        QRect(TwipsToPixels(120, tx), TwipsToPixels(0.1 * P1h, ty),
              nonNegative(TwipsToPixels(P1w - 240, tx)), nonNegative(TwipsToPixels(0.8 * P1h, ty)));

    // Picture2's resize: the footer, and the month control between the bands.
    // The footer's top and height follow the title band's height, not its own.
    l.picFooter = QRect(TwipsToPixels(120, tx), TwipsToPixels(0.1 * P1h, ty),
                        nonNegative(TwipsToPixels(P2w - 240, tx)),
                        nonNegative(TwipsToPixels(P2h - 0.2 * P1h, ty)));
    l.monthWidthSet = cw > 240;
    l.monthHeightSet = ch > 240;
    const int mw = l.monthWidthSet ? TwipsToPixels(cw - 240, tx) : currentMonthSize.width();
    const int mh =
        l.monthHeightSet ? TwipsToPixels(ch - P1h - P2h - ty, ty) : currentMonthSize.height();
    l.month = QRect(TwipsToPixels(120, tx), p1h, nonNegative(mw), nonNegative(mh));

    // picFooter's resize: legend above, description below.
    const double Fw = l.picFooter.width() * tx;
    const double Fh = l.picFooter.height() * ty;
    l.picPlatoons = QRect(TwipsToPixels(tx, tx), TwipsToPixels(ty, ty),
                          nonNegative(TwipsToPixels(Fw - 4 * tx, tx)),
                          nonNegative(TwipsToPixels(Fh / 2 - 2 * ty, ty)));
    l.picDescription = QRect(TwipsToPixels(tx, tx), TwipsToPixels(Fh / 2, ty),
                             nonNegative(TwipsToPixels(Fw - 4 * tx, tx)),
                             nonNegative(TwipsToPixels(Fh / 2 - 3 * ty, ty)));
    return l;
}

void frmCal::setSchedule(std::shared_ptr<clsSchedule> schedule)
{
    session_->setSchedule(std::move(schedule));
}

void frmCal::setShiftIndex(int16_t index)
{
    session_->setShiftIndex(index);
}

void frmCal::showSessionSchedule()
{
    keepViewWithinSchedule();
    Update();
}

void frmCal::keepViewWithinSchedule()
{
    // With fewer than two shifts split cells would keep the previous
    // schedule's second codes. (The session keeps the shift index within.)
    const auto list = Schedule()->Shifts();
    const int count = list ? list->Count() : 0;
    if (count < 2 && ctlMonth1->CellSplit() == 2)
        ctlMonth1->setCellSplit(1);
}

std::shared_ptr<clsShift> frmCal::shiftAt(int index) const
{
    const auto schedule = Schedule();
    const auto list = schedule ? schedule->Shifts() : nullptr;
    if (!list || index < 1 || index > list->Count())
        return nullptr;
    return list->Item(index);
}

int32_t frmCal::Backcolor(int item) const
{
    return backcolor_[static_cast<size_t>(std::clamp(item, 1, 2) - 1)];
}

void frmCal::FillDays()
{
    FillDaysFromSchedule(*ctlMonth1, Schedule(), ShiftIndex());
    FillNotes();
}

void frmCal::Update()
{
    ApplyBackcolor();
    FillDays();
    ctlMonth1->setSpecialPeriodName(SpecialPeriod::menuText(session_->Period().name));
    // A control not shown yet paints when it is; painting its surface at the
    // unsized start-up geometry only cost start-up time.
    if (ctlMonth1->IsShown())
        ctlMonth1->Repaint();
    PrintPlatoons();
    const auto shift = shiftAt(ShiftIndex());
    if (ctlMonth1->CellSplit() == 2 || !shift) {
        currentTitle_ = Schedule()->title();
        currentDescription_ = Schedule()->Description();
    } else {
        currentTitle_ = shift->title();
        currentDescription_ = shift->Description();
    }
    PrintCentered(picTitle, currentTitle_);
    PrintCentered(picDescription, currentDescription_);
    UpdateViewMenu();
}

void frmCal::Repaint()
{
    handled("Repaint", [&] {
        PrintCentered(picTitle, currentTitle_);
        PrintPlatoons();
        PrintCentered(picDescription, currentDescription_);
    });
}

double frmCal::FitFontSize(const QFont& font, const QString& text, QSizeF pane,
                           const QWidget* device)
{
    QFont f = font;
    double size = f.pointSizeF();
    const QString visible = VisiblePart(text, pane.width());
    const double height = TextExtent(f, visible, device).height();
    if (height > 0)
        size = static_cast<float>(pane.height() / height * 0.8 * size);
    f.setPointSizeF(std::max(0.5, size));
    const double width = TextExtent(f, visible, device).width();
    if (width > 0.8 * pane.width() && width > 0)
        size = static_cast<float>(pane.width() / width * 0.9 * size);
    return std::max(0.5, size);
}

void frmCal::FitFont(PicturePane* pane, const QString& text)
{
    pane->setFontSize(FitFontSize(pane->PaneFont(), text, QSizeF(pane->size()), pane));
}

void frmCal::PrintCentered(PicturePane* pane, const QString& text)
{
    if (!laidOut_)
        return; // the first layout prints every pane
    FitFont(pane, text);
    QString shown = text;
    const auto shift = shiftAt(ShiftIndex());
    // A title that had to shrink below half the pane's height to fit its
    // width reads better as the shift's initials (when it has any).
    if (shift && text == shift->title() && pane->height() / 2.0 > pane->TextHeight(text) &&
        !shift->Initials().isEmpty()) {
        shown = shift->Initials();
        FitFont(pane, shown);
    }
    pane->Cls();
    pane->Print(shown, QPointF((pane->width() - pane->TextWidth(shown)) / 2,
                               (pane->height() - pane->TextHeight(shown)) / 2));
}

void frmCal::PrintPlatoons()
{
    const auto shift = shiftAt(ShiftIndex());
    const auto platoons = shift ? shift->Platoons() : nullptr;
    if (!platoons || platoons->Count() == 0 || !laidOut_)
        return; // the pane keeps what it showed
    Steps step = formSteps("PrintPlatoons");
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    const int n = platoons->Count();
    const double paneWidth = picPlatoons->width() * tx;
    const double paneHeight = picPlatoons->height() * ty;
    double w = 0;
    step(2, [&] {
        w = RoundHalfEven(paneWidth / n);
        picPlatoons->Cls();
    });
    for (int i = 1; i <= n && !step.failed(); ++i) {
        double x = 0;
        QString s;
        int32_t color = 0;
        step(3, [&] {
            const auto& p = platoons->Item(i);
            x = RoundHalfEven((i - 1) * w + w / 2);
            s = LegendText(p->Code(), p->Description(), picPlatoons->width());
            color = p->Color();
        });
        step(4, [&] {
            const double h = picPlatoons->TextHeight(s) * ty;
            if (h > 0)
                picPlatoons->setFontSize(
                    static_cast<float>(paneHeight / h * 0.9 * picPlatoons->FontSize()));
        });
        step(5, [&] {
            const double sw = picPlatoons->TextWidth(s) * tx;
            if (0.8 * w < sw && sw > 0)
                picPlatoons->setFontSize(
                    static_cast<float>(w / sw * 0.8 * picPlatoons->FontSize()));
        });
        step(6, [&] {
            const double sw = picPlatoons->TextWidth(s) * tx;
            const double sh = picPlatoons->TextHeight(s) * ty;
            picPlatoons->Print(s, QPointF((x - sw / 2) / tx, (paneHeight - sh) / 2 / ty), color);
        });
    }
}

void frmCal::UpdateViewMenu()
{
    const auto list = Schedule()->Shifts();
    const int count = list ? list->Count() : 0;
    QAction* one = mnuviewSchedulePick[1];
    QAction* two = mnuviewSchedulePick[2];
    QAction* both = mnuviewSchedulePick[3];
    if (count >= 1) {
        one->setText(list->Item(1)->Description());
        one->setVisible(true);
        one->setEnabled(true);
    } else {
        one->setVisible(false);
        one->setEnabled(false);
    }
    if (count < 2) {
        two->setVisible(false);
        two->setEnabled(false);
        both->setVisible(false);
        both->setEnabled(false);
    } else {
        two->setText(list->Item(2)->Description());
        for (QAction* a : {two, both}) {
            a->setVisible(true);
            a->setEnabled(true);
        }
    }
    const int current = ctlMonth1->CellSplit() == 2 ? 3 : ShiftIndex();
    for (int k = 1; k <= 3; ++k)
        mnuviewSchedulePick[static_cast<size_t>(k)]->setChecked(k == current);
    mnuFileChangeInfo->setVisible(true);
}

void frmCal::ApplyBackcolor()
{
    const int32_t c = Backcolor(ShiftIndex());
    ctlMonth1->setBackColor(c);
    for (PicturePane* pane : {picTitle, picFooter, picPlatoons, picDescription})
        pane->setBackColor(c);
}

void frmCal::setSpecialPeriodLength(int32_t v)
{
    SpecialPeriod p = session_->Period();
    p.length = v;
    session_->setPeriod(p);
    mnuViewSpecialPeriod->setVisible(v >= 1);
    CalSettings::writeLong(CalSettings::SpecialPeriodLength, v);
    ctlMonth1->SetSpecialPeriod(p.length, p.offset);
    Update();
}

void frmCal::setSpecialPeriodOffset(int32_t v)
{
    SpecialPeriod p = session_->Period();
    p.offset = v;
    session_->setPeriod(p);
    CalSettings::writeLong(CalSettings::SpecialPeriodOffset, v);
    ctlMonth1->SetSpecialPeriod(p.length, p.offset);
    Update();
}

void frmCal::setSpecialPeriodName(const QString& v)
{
    SpecialPeriod p = session_->Period();
    p.name = v;
    session_->setPeriod(p);
    mnuViewSpecialPeriod->setText(SpecialPeriod::menuText(v));
    CalSettings::writeText(CalSettings::SpecialPeriodName, v);
}

void frmCal::setPeriodShown(bool shown)
{
    SpecialPeriod p = session_->Period();
    p.shown = shown;
    session_->setPeriod(p); // and the check mark
    // Stored at once, as the period's other values are: a session ended by a
    // logout or a kill must not come back with the period hidden.
    CalSettings::writeBool(CalSettings::SpecialPeriodChecked, shown);
}

void frmCal::setSpecialPeriodColor(int32_t v)
{
    SpecialPeriod p = session_->Period();
    p.color = v;
    session_->setPeriod(p);
    ctlMonth1->setSpecialPeriodColor(v);
    CalSettings::writeLong(CalSettings::SpecialPeriodColor, v);
    ctlMonth1->Repaint();
}

void frmCal::ctlMonth1_DateChange()
{
    formSteps("ctlMonth1_DateChange")(1, [&] { FillDays(); })(2, [&] { ctlMonth1->Refresh(); });
    daysLaidOutFor_ = ctlMonth1->FullDate();
}

void frmCal::ctlMonth1_SettingChange(const QString& name)
{
    // These re-lay the days out without a DateChange: each cell now holds
    // another date (a new first weekday), or today's tooltip was reset.
    // A month step: the days are laid out and the panes show no date.
    const bool justLaidOut =
        name == QLatin1String("FullDate") && ctlMonth1->FullDate() == daysLaidOutFor_;
    daysLaidOutFor_ = -1;
    if (justLaidOut)
        return;
    if (name == QLatin1String("FirstWeekday") || name == QLatin1String("ShowFullGrid") ||
        name == QLatin1String("FullDate")) {
        handled("ctlMonth1_SettingChange", [&] {
            FillDays();
            ctlMonth1->Refresh();
        });
    }
    if (name == QLatin1String("FontBold")) {
        const bool bold = ctlMonth1->FontBold();
        for (PicturePane* pane : {picTitle, picPlatoons, picDescription}) {
            QFont f = pane->PaneFont();
            f.setBold(bold);
            pane->setPaneFont(f);
        }
    }
    Repaint();
}

void frmCal::ctlMonth1_SelectionChange(double date)
{
    selectedDay_ = date;
    handled("ctlMonth1_SelectionChange", [&] {
        if (session_->EditMode() == 1) {
            frmOnDuty* step = LoadForm<frmOnDuty>(*wizardHost_);
            step->show();
            step->raise();
            step->setSelectedDate(date);
            // A day chosen from the keyboard goes on to the platoon list.
            if (QGuiApplication::mouseButtons() == Qt::NoButton)
                step->ChoosePlatoon();
        }
    });
}

bool frmCal::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ctlMonth1 && event->type() == QEvent::Paint)
        notesPainted();
    if (watched == client_ && event->type() == QEvent::Resize) {
        DeferMessages deferred;
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmCal::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        DeferMessages deferred;
        Form_Resize();
    }
}

void frmCal::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized) {
        Timer1.stop();
        return;
    }
    if (mnuTime->text() != kTimeCaption && !Timer1.isActive())
        Timer1.start();
    // Errors while laying out are ignored: the next resize tries again.
    try {
        // A window not shown yet has not laid out its client area for its size.
        if (!isVisible() && layout())
            layout()->setGeometry(rect());
        const CalLayout l = ComputeCalLayout(client_->size(), TwipsPerPixelX(), TwipsPerPixelY(),
                                             ctlMonth1->size());
        Picture1->setGeometry(l.picture1);
        Picture2->setGeometry(l.picture2);
        const QSize titleBefore = picTitle->size();
        picTitle->setGeometry(l.picTitle);
        picFooter->setGeometry(l.picFooter);
        ctlMonth1->setGeometry(l.month);
        const QSize platoonsBefore = picPlatoons->size();
        const QSize descriptionBefore = picDescription->size();
        picPlatoons->setGeometry(l.picPlatoons);
        picDescription->setGeometry(l.picDescription);
        const bool first = !laidOut_;
        laidOut_ = true;
        if (first || picTitle->size() != titleBefore)
            PrintCentered(picTitle, currentTitle_);
        if (first || picPlatoons->size() != platoonsBefore)
            PrintPlatoons();
        if (first || picDescription->size() != descriptionBefore)
            PrintCentered(picDescription, currentDescription_);
    } catch (const std::exception&) {
    }
}

PicturePane* frmCal::Pane(const QString& name) const
{
    return findChild<PicturePane*>(name);
}
