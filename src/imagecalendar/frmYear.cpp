#include "imagecalendar/frmYear.h"

#include "imagecalendar/YearLayout.h"
#include "imagecalendar/modCapture.h"
#include "mainwindow/FormPlacement.h"
#include "mainwindow/PicturePane.h"
#include "model/DayNumber.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/MonthGrid.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/IShell.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/IPrinters.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/ReportError.h"
#include "storage/Module1Files.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {
const QString kForm = QStringLiteral("frmYear");

template <class F> void handled(const char* procedure, F&& f)
{
    guarded(QString::fromLatin1(procedure), UnitKind::Form, kForm, std::forward<F>(f));
}

QRect toPixels(const QRectF& twips, double tx, double ty)
{
    return {TwipsToPixels(twips.left(), tx), TwipsToPixels(twips.top(), ty),
            TwipsToPixels(twips.width(), tx), TwipsToPixels(twips.height(), ty)};
}

// The bottom band: a white box with a black outline around legend and description.
class LegendBand : public QWidget {
public:
    explicit LegendBand(QWidget* parent) : QWidget(parent) { setObjectName("Picture2"); }
    void setFrame(const QRect& frame)
    {
        frame_ = frame;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        // One pixel wide rather than a hairline, which a PDF viewer may drop.
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(frame_.adjusted(0, 0, -1, -1));
    }

private:
    QRect frame_;
};
} // namespace

frmYear::frmYear(ImageCalendarSource source, QWidget* parent)
    : QMainWindow(parent), source_(std::move(source))
{
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Image Calendar"));
    if (!source_.schedule)
        source_.schedule = std::make_shared<clsSchedule>();
    buildMenus();
    buildBands();
    Form_Load();
}

frmYear::~frmYear()
{
    // Months must not report to a window that is going.
    for (ctlMonth* m : months_)
        m->disconnect(this);
}

void frmYear::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [this, bar](const char* name, const QString& caption) {
        auto* m = new QMenu(caption, this);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        bar->addMenu(m);
        return m;
    };
    auto item = [](QMenu* m, const QString& name, const QString& caption, bool checkable = false) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        a->setCheckable(checkable);
        return a;
    };

    mnuFile = menu("mnuFile", QStringLiteral("&File"));
    mnuFileOpenWith = item(mnuFile, "mnuFileOpenWith", QStringLiteral("&Open With..."));
    mnuFileSaveAs = item(mnuFile, "mnuFileSaveAs", QStringLiteral("Save &As..."));
    mnuFile->addSeparator()->setObjectName("mnuFileBar0");
    mnuFilePrinterSetup = item(mnuFile, "mnuFilePrinterSetup", QStringLiteral("Printer &Setup"));
    mnuFilePrintToFitPage = item(mnuFile, "mnuFilePrintToFitPage", QStringLiteral("&Print"));
    mnuFile->addSeparator()->setObjectName("mnuFileBa1");
    mnuClose = item(mnuFile, "mnuClose", QStringLiteral("&Close"));
    connect(mnuFileOpenWith, &QAction::triggered, this, &frmYear::mnuFileOpenWith_Click);
    connect(mnuFileSaveAs, &QAction::triggered, this, &frmYear::mnuFileSaveAs_Click);
    connect(mnuFilePrinterSetup, &QAction::triggered, this, &frmYear::mnuFilePrinterSetup_Click);
    connect(mnuFilePrintToFitPage, &QAction::triggered, this,
            &frmYear::mnuFilePrintToFitPage_Click);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);

    QMenu* mnuView = menu("mnuView", QStringLiteral("&View"));
    const QString shiftCaptions[] = {QString(), QStringLiteral("Shift1"), QStringLiteral("Shift2"),
                                     QStringLiteral("&Both")};
    for (int k = 1; k <= 3; ++k) {
        QAction* a =
            item(mnuView, QStringLiteral("mnuViewShiftPick_%1").arg(k), shiftCaptions[k], true);
        mnuViewShiftPick[static_cast<size_t>(k)] = a;
        connect(a, &QAction::triggered, this, [this, k] { mnuViewShiftPick_Click(k); });
    }
    mnuViewSpecialPeriod =
        item(mnuView, "mnuViewSpecialPeriod", QStringLiteral("Special &Period"), true);
    connect(mnuViewSpecialPeriod, &QAction::triggered, this, &frmYear::mnuViewSpecialPeriod_Click);

    QMenu* mnuOrientation = menu("mnuOrientation", QStringLiteral("&Orientation"));
    const QString orientationCaptions[] = {QString(), QStringLiteral("&Portrait"),
                                           QStringLiteral("&Landscape")};
    for (int k = 1; k <= 2; ++k) {
        QAction* a = item(mnuOrientation, QStringLiteral("mnuOrientationPick_%1").arg(k),
                          orientationCaptions[k], true);
        mnuOrientationPick[static_cast<size_t>(k)] = a;
        connect(a, &QAction::triggered, this, [this, k] { mnuOrientationPick_Click(k); });
    }

    QMenu* mnuScope = menu("mnuScope", QStringLiteral("&Scope"));
    const std::pair<int, const char*> scopes[] = {{1, "One &Month"},    {2, "&Two Months"},
                                                  {3, "Th&ree Months"}, {4, "&Four Months"},
                                                  {6, "&Six Months"},   {12, "One &Year"}};
    for (const auto& [n, caption] : scopes) {
        QAction* a = item(mnuScope, QStringLiteral("mnuScopePick_%1").arg(n),
                          QString::fromLatin1(caption), true);
        mnuScopePick[n] = a;
        const int count = n;
        connect(a, &QAction::triggered, this, [this, count] { mnuScopePick_Click(count); });
    }
}

void frmYear::buildBands()
{
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    Picture1 = new QWidget(client_);
    Picture1->setObjectName("Picture1");
    picTitle = new PicturePane(QStringLiteral("picTitle"), Picture1);
    Picture3 = new QWidget(client_);
    Picture3->setObjectName("Picture3");
    Picture2 = new LegendBand(client_);
    picPlatoons = new PicturePane(QStringLiteral("picPlatoons"), Picture2);
    picDescription = new PicturePane(QStringLiteral("picDescription"), Picture2);
    // Inside the white box.
    picPlatoons->setBackColor(0xFFFFFF);
    picDescription->setBackColor(0xFFFFFF);
}

namespace {
// What keeps the months of the page alike; rows never fit, so that every
// month keeps the page's grid.
void takeDisplayOptions(ctlMonth& to, const ctlMonth& from)
{
    to.setFirstWeekday(from.FirstWeekday());
    to.setFontBold(from.FontBold());
    to.setShowFullGrid(from.ShowFullGrid());
    to.setShowWeekends(from.ShowWeekends());
    to.setFitRows(false);
}
} // namespace

ctlMonth* frmYear::makeMonth()
{
    auto* m = new ctlMonth(Picture3);
    m->setObjectName(QStringLiteral("ctlMonth1_%1").arg(months_.size()));
    if (!months_.empty()) {
        // Months loaded later look like month 0 from the start, so that their
        // first report does not hand defaults back to month 0.
        const ctlMonth* first = months_.front();
        m->setFont(first->Font());
        takeDisplayOptions(*m, *first);
        m->setCellSplit(first->CellSplit());
        m->setSpecialPeriodColor(first->SpecialPeriodColor());
        m->SetSpecialPeriod(first->SpecialPeriodLength(), first->SpecialPeriodOffset());
        m->setShowButtons(false);
    }
    connect(m, &ctlMonth::DateChange, this, [this, m] { ctlMonth1_DateChange(m); });
    connect(m, &ctlMonth::SettingChange, this,
            [this, m](const QString& name) { ctlMonth1_SettingChange(m, name); });
    months_.push_back(m);
    return m;
}

void frmYear::Form_Load()
{
    ctlMonth* first = makeMonth();
    first->setFont(source_.monthFont);
    first->setSpecialPeriodColor(specialPeriodColorNow());
    first->setShowButtons(true);
    for (PicturePane* box : {picTitle, picPlatoons, picDescription})
        box->setPaneFont(first->Font());

    setMonthCount(6);

    const auto list = source_.schedule->Shifts();
    const int count = shiftCount();
    QAction* one = mnuViewShiftPick[1];
    one->setVisible(count >= 1);
    one->setEnabled(count >= 1);
    if (count >= 1)
        one->setText(list->Item(1)->Description());
    for (size_t k : {size_t(2), size_t(3)}) {
        mnuViewShiftPick[k]->setVisible(count >= 2);
        mnuViewShiftPick[k]->setEnabled(count >= 2);
    }
    if (count >= 2)
        mnuViewShiftPick[2]->setText(list->Item(2)->Description());

    shiftIndex_ = source_.shiftIndex;
    if (shiftIndex_ >= 1 && shiftIndex_ <= 3)
        mnuViewShiftPick[static_cast<size_t>(shiftIndex_)]->setChecked(true);
    if (const auto shift = shiftAt(shiftIndex_))
        descriptionText_ = shift->Description();

    pageRatio_ = GetPageRatio();
    mnuOrientationPick_Click(YearLayout::orientationForRatio(pageRatio_));

    mnuViewSpecialPeriod->setVisible(source_.specialPeriodLength >= 1);
    mnuViewSpecialPeriod->setText(source_.specialPeriodName);
    mnuViewSpecialPeriod->setChecked(false);

    loaded_ = true;
    // This month when the window is loaded; later paints keep what the user chose.
    setFirstMonth(DayNumber::fromDate(clockService().today()));
}

std::shared_ptr<clsShift> frmYear::shiftAt(int index) const
{
    const auto list = source_.schedule->Shifts();
    if (!list || index < 1 || index > list->Count())
        return nullptr;
    return list->Item(index);
}

int frmYear::shiftCount() const
{
    const auto list = source_.schedule->Shifts();
    return list ? list->Count() : 0;
}

int32_t frmYear::specialPeriodColorNow() const
{
    return source_.currentSpecialPeriodColor ? source_.currentSpecialPeriodColor()
                                             : source_.specialPeriodColor;
}

ctlMonth* frmYear::Month(int index) const
{
    if (index < 0 || index >= LoadedMonths())
        return nullptr;
    return months_[static_cast<size_t>(index)];
}

PicturePane* frmYear::Pane(const QString& name) const
{
    return findChild<PicturePane*>(name);
}

QAction* frmYear::MenuAction(const QString& name) const
{
    const auto all = findChildren<QAction*>(name);
    return all.isEmpty() ? nullptr : all.front();
}

// ---------------------------------------------------------------- properties

void frmYear::setMonthCount(int16_t n)
{
    if (!YearLayout::arrangement(n, orientation_))
        return;
    monthCount_ = n;
    mnuScopePick[n]->setChecked(true);
    RebuildMonths();
    ArrangeMonths();
    if (loaded_)
        ChainMonths(); // new months show their own months at once
}

void frmYear::setOrientation(int32_t v)
{
    orientation_ = v;
    shapeWindow();
    if (v >= 1 && v <= 2)
        mnuOrientationPick[static_cast<size_t>(v)]->setChecked(true);
    ArrangeMonths();
}

void frmYear::setShiftView(int index)
{
    mnuViewShiftPick_Click(index);
}

void frmYear::setSpecialPeriodShown(bool shown)
{
    if (mnuViewSpecialPeriod->isChecked() != shown)
        mnuViewSpecialPeriod->trigger();
}

void frmYear::setFirstMonth(double date)
{
    // Month 0 may announce the month or not (it announces a month once);
    // the chain runs once either way.
    bool chained = false;
    auto once = connect(months_.front(), &ctlMonth::DateChange, this, [&] { chained = true; });
    months_.front()->setFullDate(date);
    disconnect(once);
    if (!chained)
        ChainMonths();
    firstMonth_ = months_.front()->FullDate();
}

void frmYear::setVisible(bool visible)
{
    if (!visible || isVisible()) {
        QMainWindow::setVisible(visible);
        return;
    }
    // Each month control goes to today's month as it is shown; the window
    // then shows the months it showed before.
    showing_ = true;
    QMainWindow::setVisible(true);
    showing_ = false;
    setFirstMonth(firstMonth_);
}

// ---------------------------------------------------------------- layout

void frmYear::RebuildMonths()
{
    while (LoadedMonths() > monthCount_) {
        ctlMonth* last = months_.back();
        months_.pop_back();
        last->disconnect(this);
        delete last;
    }
    while (LoadedMonths() < monthCount_)
        makeMonth()->setVisible(true);
}

void frmYear::ArrangeMonths()
{
    if (const auto a = YearLayout::arrangement(monthCount_, orientation_)) {
        rowCount_ = a->rows;
        columnCount_ = a->columns;
    }
    Form_Resize();
}

void frmYear::shapeWindow()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
    // A full-screen window's height less its frame, known or not yet.
    const int h = avail.height() - kFrameAllowance.height();
    const int inner = h - menuBar()->sizeHint().height();
    const double ratio = pageRatio_ > 0 ? pageRatio_ : YearLayout::DefaultPageRatio;
    const int w =
        static_cast<int>(std::lround(YearLayout::innerWidthFor(inner, ratio, orientation_)));
    move(x(), avail.top() + TwipsToPixels(60, TwipsPerPixelY()));
    resize(std::max(1, w), std::max(1, h));
}

void frmYear::layOut()
{
    // A window not shown yet has not laid out its client area for its size.
    if (!isVisible() && layout())
        layout()->setGeometry(rect());
    Form_Resize();
}

bool frmYear::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        DeferMessages deferred;
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmYear::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmYear::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const double ty = TwipsPerPixelY();
    const QSize c = client_->size();
    const auto b = YearLayout::bands(c.height() * ty, rowCount_);
    const int h1 = TwipsToPixels(b.title, ty), h2 = TwipsToPixels(b.legend, ty);
    Picture1->setGeometry(0, 0, c.width(), h1);
    Picture2->setGeometry(0, c.height() - h2, c.width(), h2);
    if (c.height() - h2 - h1 >= 0)
        Picture3->setGeometry(0, h1, c.width(), c.height() - h2 - h1);
    Picture1_Resize();
    Picture2_Resize();
    Picture3_Resize();
}

void frmYear::Picture1_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const QRect r = toPixels(
        YearLayout::titleBox(QSizeF(Picture1->width() * tx, Picture1->height() * ty)), tx, ty);
    if (r.width() < 0 || r.height() < 0)
        return; // a band too small for its margins keeps its box
    const QSize before = picTitle->size();
    picTitle->setGeometry(r);
    if (picTitle->size() != before) {
        const auto shift = shiftAt(shiftIndex_);
        PrintCentered(picTitle, shift ? shift->title() : source_.schedule->title());
    }
}

void frmYear::Picture2_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const auto boxes =
        YearLayout::legendBoxes(QSizeF(Picture2->width() * tx, Picture2->height() * ty), tx, ty);
    static_cast<LegendBand*>(Picture2)->setFrame(toPixels(boxes.frame, tx, ty));
    const QRect platoons = toPixels(boxes.platoons, tx, ty);
    const QRect description = toPixels(boxes.description, tx, ty);
    if (platoons.width() < 0 || platoons.height() < 0)
        return;
    const QSize platoonsBefore = picPlatoons->size();
    const QSize descriptionBefore = picDescription->size();
    picPlatoons->setGeometry(platoons);
    picDescription->setGeometry(description);
    if (picPlatoons->size() != platoonsBefore)
        PrintPlatoons();
    if (picDescription->size() != descriptionBefore)
        PrintCentered(picDescription, descriptionText_);
}

void frmYear::Picture3_Resize()
{
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const auto rects =
        YearLayout::monthRects(QSizeF(Picture3->width() * tx, Picture3->height() * ty), rowCount_,
                               columnCount_, std::min(LoadedMonths(), rowCount_ * columnCount_));
    for (size_t k = 0; k < rects.size(); ++k) {
        const QRect r = toPixels(rects[k], tx, ty);
        if (r.width() > 0 && r.height() > 0) // a refused size is skipped
            months_[k]->setGeometry(r);
    }
}

// ---------------------------------------------------------------- months

void frmYear::ChainMonths()
{
    FillDays(0);
    const double first = months_.front()->FullDate();
    for (int i = 1; i < LoadedMonths(); ++i) {
        months_[static_cast<size_t>(i)]->setFullDate(MonthGrid::addMonths(first, i));
        FillDays(i);
    }
}

void frmYear::FillDays(int index)
{
    FillDaysFromSchedule(*months_[static_cast<size_t>(index)], source_.schedule, shiftIndex_);
}

void frmYear::ctlMonth1_DateChange(ctlMonth* month)
{
    if (month != months_.front())
        return;
    handled("ctlMonth1_DateChange", [&] { ChainMonths(); });
    if (!showing_)
        firstMonth_ = month->FullDate();
}

void frmYear::ctlMonth1_SettingChange(ctlMonth* month, const QString& name)
{
    handled("ctlMonth1_SettingChange", [&] {
        // The month's cells hold other dates now (another first weekday), or
        // today's tooltip was reset: it fills its own cells again, here and
        // not in SyncMonths, where a month may not have laid its days out yet.
        if (name == QLatin1String("FirstWeekday") || name == QLatin1String("ShowFullGrid")) {
            const auto it = std::find(months_.begin(), months_.end(), month);
            if (it != months_.end()) {
                FillDays(static_cast<int>(it - months_.begin()));
                month->Refresh();
            }
        }
        ctlMonth* first = months_.front();
        if (month == first) {
            if (name != QLatin1String("ShowButtons"))
                SyncMonths();
            return;
        }
        takeDisplayOptions(*first, *month);
        month->setShowButtons(false);
        month->setFitRows(false);
    });
}

void frmYear::SyncMonths()
{
    ctlMonth* first = months_.front();
    const int32_t color = specialPeriodColorNow();
    for (int i = 1; i < LoadedMonths(); ++i) {
        ctlMonth* m = months_[static_cast<size_t>(i)];
        first->setSpecialPeriodColor(color);
        m->setSpecialPeriodColor(color);
        takeDisplayOptions(*m, *first);
        m->setShowButtons(false);
    }
    for (PicturePane* box : {picTitle, picPlatoons, picDescription}) {
        QFont f = box->PaneFont();
        f.setBold(first->FontBold());
        box->setPaneFont(f);
    }
    Repaint();
}

// ---------------------------------------------------------------- texts

void frmYear::FitFont(PicturePane* box, const QString& text)
{
    box->setFontSize(YearLayout::fitFontSize(box->FontSize(), QSizeF(box->size()),
                                             QSizeF(box->TextWidth(text), box->TextHeight(text)),
                                             0.8, 0.8, 0.9));
}

void frmYear::PrintCentered(PicturePane* box, const QString& text)
{
    FitFont(box, text);
    QString shown = text;
    const auto& schedule = *source_.schedule;
    // A long title shrunk below half the band reads better as the initials
    // (when there are any).
    if (text == schedule.title() &&
        static_cast<float>(box->height() / 2.0) > box->TextHeight(text) &&
        !schedule.Initials().isEmpty()) {
        shown = schedule.Initials();
        FitFont(box, shown);
    }
    box->Cls();
    box->Print(shown, QPointF((box->width() - box->TextWidth(shown)) / 2,
                              (box->height() - box->TextHeight(shown)) / 2));
}

void frmYear::PrintPlatoons()
{
    const auto shift = shiftAt(shiftIndex_);
    const auto platoons = shift ? shift->Platoons() : nullptr;
    if (!platoons || platoons->Count() == 0)
        return;
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const int n = platoons->Count();
    const double boxWidth = picPlatoons->width() * tx;
    const double boxHeight = picPlatoons->height() * ty;
    const double slot = RoundHalfEven(boxWidth / n);
    picPlatoons->Cls();
    for (int i = 1; i <= n; ++i) {
        const auto& p = platoons->Item(i);
        const double x = RoundHalfEven((i - 1) * slot + slot / 2);
        const QString s = p->Code() + QLatin1Char(' ') + p->Description();
        const QSizeF text(picPlatoons->TextWidth(s) * tx, picPlatoons->TextHeight(s) * ty);
        picPlatoons->setFontSize(YearLayout::fitFontSize(
            picPlatoons->FontSize(), QSizeF(slot, boxHeight), text, 0.9, 0.8, 0.8));
        const double sw = picPlatoons->TextWidth(s) * tx;
        const double sh = picPlatoons->TextHeight(s) * ty;
        picPlatoons->Print(s, QPointF((x - sw / 2) / tx, (boxHeight - sh) / 2 / ty), p->Color());
    }
}

void frmYear::Repaint()
{
    handled("Repaint", [&] {
        PrintCentered(picTitle, source_.schedule->title());
        PrintPlatoons();
        PrintCentered(picDescription, descriptionText_);
    });
}

// ---------------------------------------------------------------- menus

void frmYear::mnuViewShiftPick_Click(int index)
{
    for (size_t k = 1; k <= 3; ++k)
        mnuViewShiftPick[k]->setChecked(false);
    const int count = shiftCount();
    if (count < 1 || index < 1 || index > 3)
        return;
    ctlMonth* first = months_.front();
    if (index == 1) {
        shiftIndex_ = 1;
        first->setCellSplit(1);
        descriptionText_ = shiftAt(1)->Description();
    } else if (index == 2 && count >= 2) {
        shiftIndex_ = 2;
        first->setCellSplit(1);
        descriptionText_ = shiftAt(2)->Description();
    } else if (index == 3) {
        shiftIndex_ = 1;
        first->setCellSplit(2);
        descriptionText_ = source_.schedule->Description();
    }
    mnuViewShiftPick[static_cast<size_t>(index)]->setChecked(true);
    for (int i = 0; i < LoadedMonths(); ++i) {
        ctlMonth* m = months_[static_cast<size_t>(i)];
        m->setCellSplit(first->CellSplit());
        FillDays(i);
        m->Repaint();
    }
    PrintPlatoons();
    PrintCentered(picDescription, descriptionText_);
}

void frmYear::mnuViewSpecialPeriod_Click()
{
    const bool shown = mnuViewSpecialPeriod->isChecked();
    for (ctlMonth* m : months_) {
        if (shown) {
            m->setSpecialPeriodColor(specialPeriodColorNow());
            m->SetSpecialPeriod(source_.specialPeriodLength, source_.specialPeriodOffset);
        } else {
            m->SetSpecialPeriod(0, 0);
        }
    }
    for (ctlMonth* m : months_)
        m->Repaint();
}

void frmYear::mnuScopePick_Click(int index)
{
    setMonthCount(static_cast<int16_t>(index));
    Form_Resize();
    setFirstMonth(months_.front()->FullDate());
    for (auto& [n, a] : mnuScopePick)
        a->setChecked(n == index && monthCount_ == index);
    if (QAction* chosen = mnuScopePick[monthCount_])
        chosen->setChecked(true);
}

void frmYear::mnuOrientationPick_Click(int index)
{
    handled("mnuOrientationPick_Click", [&] {
        setOrientation(index);
        for (size_t k = 1; k <= 2; ++k)
            mnuOrientationPick[k]->setChecked(static_cast<int>(k) == index);
    });
}

// ---------------------------------------------------------------- output

QString frmYear::SaveAsFilter()
{
    return QStringLiteral("Windows Bitmap (*.bmp)|*.bmp") +
           QStringLiteral("|Graphics Interchange Format (*.gif)|*.gif") +
           QStringLiteral("|JPEG File Interchange Format (*.jpg,*.jpeg)|*.jpg") +
           QStringLiteral("|Portable Network Graphics (*.png)|*.png") +
           QStringLiteral("|Portable Document Format (*.pdf)|*.pdf");
}

double frmYear::GetPageRatio()
{
    try {
        QPrinter* printer = printerService().defaultPrinter();
        if (!printer && ownPrinterSetUp_)
            printer = ownPrinter_.get();
        if (!printer)
            return YearLayout::DefaultPageRatio;
        const QRectF r = printer->pageLayout().paintRect(QPageLayout::Point);
        return YearLayout::pageRatio(r.height(), r.width());
    } catch (const std::exception&) {
        return YearLayout::DefaultPageRatio;
    }
}

QPrinter* frmYear::setupPrinter()
{
    if (QPrinter* printer = printerService().defaultPrinter())
        return printer;
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return ownPrinter_.get();
}

void frmYear::CaptureCalendar()
{
    try {
        layOut();
        QCoreApplication::processEvents();
        const QPixmap picture = CaptureFormClient(*this);
        if (!picture.isNull())
            capture_ = picture;
    } catch (const std::exception&) {
        // A failed capture keeps the previous picture.
    }
}

void frmYear::mnuFilePrintToFitPage_Click()
{
    QPrinter* printer = printerService().defaultPrinter();
    if (!printer) {
        // No printer: the system's print dialog, which can print to a PDF file.
        printer = setupPrinter();
        const bool portrait =
            YearLayout::orientationForPicture(client_->size()) == YearLayout::Portrait;
        printer->setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
        if (!printerService().printDialog(*printer, this))
            return;
    }
    months_.front()->setShowButtons(false);
    QCoreApplication::processEvents();
    CaptureCalendar();
    PrintPictureToFitPage(*printer, capture_);
}

void frmYear::mnuFilePrinterSetup_Click()
{
    mnuFilePrinterSetup->setEnabled(false);
    setCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    // The menus and the calendar, not the window: a disabled window would
    // disable the dialog it owns.
    menuBar()->setEnabled(false);
    client_->setEnabled(false);
    QPrinter* printer = setupPrinter();
    const bool accepted = printerService().pageSetupDialog(*printer, this);
    if (printer == ownPrinter_.get() && accepted)
        ownPrinterSetUp_ = true;
    QCoreApplication::processEvents();
    menuBar()->setEnabled(true);
    client_->setEnabled(true);
    mnuFilePrinterSetup->setEnabled(true);
    pageRatio_ = GetPageRatio();
    mnuOrientationPick_Click(YearLayout::orientationForRatio(pageRatio_));
    unsetCursor();
}

void frmYear::mnuFileSaveAs_Click()
{
    CaptureCalendar();
    handled("mnuFileSaveAs_Click", [&] {
        const QString name = dialogsService().saveFileName(
            this, QStringLiteral("Save As"), QStringLiteral("Calendar_Image"), SaveAsFilter());
        if (name.isEmpty())
            return; // cancelled
        const QByteArray format = PictureFormatFor(name);
        if (format == "gif") {
            MsgBox(QStringLiteral("Pictures cannot be saved in the Graphics Interchange Format "
                                  "(GIF). Choose a name ending in .png, .bmp or .jpg."),
                   Msg::OKOnly | Msg::Exclamation);
            return;
        }
        if (format == "pdf")
            WriteCalendarPdf(*this, name);
        else
            SavePicture(capture_, name, format);
    });
}

void frmYear::mnuFileOpenWith_Click()
{
    handled("mnuFileOpenWith_Click", [&] {
        const QString path = UserTempFolder() + QStringLiteral("/calendar_image.bmp");
        months_.front()->setShowButtons(false);
        QCoreApplication::processEvents();
        CaptureCalendar();
        SavePicture(capture_, path, "bmp", WriteMode::Private);
        QCoreApplication::processEvents();
        if (!shell().OpenWithChooser(path))
            MsgBox(QStringLiteral("No program could be offered for the picture. It is saved as:"
                                  "\r\n\r\n%1")
                       .arg(QDir::toNativeSeparators(path)),
                   Msg::OKOnly | Msg::Information, QStringLiteral("Open With"));
    });
}

void WriteCalendarPdf(frmYear& form, const QString& path)
{
    form.layOut();
    QWidget* client = form.ClientArea();
    const QSize size = client->size();
    if (size.isEmpty())
        throw Err::make(Err::InvalidCall, QStringLiteral("The calendar has no size"));
    // Drawn in memory first: a PDF cut short by a full disk is no PDF.
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&document);
    pdf.setCreator(AppTitle());
    pdf.setTitle(form.windowTitle());
    QPageSize page(QPageSize::A4);
    if (QPrinter* printer = printerService().defaultPrinter())
        page = printer->pageLayout().pageSize();
    const bool portrait = YearLayout::orientationForPicture(size) == YearLayout::Portrait;
    // The margins QPrinter gives a PDF page, so both fit the same area.
    pdf.setPageLayout(QPageLayout(page, portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&pdf))
        throw Err::make(Err::InvalidCall, QStringLiteral("The page could not be drawn"));
    const QRect printable = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const QSizeF out = YearLayout::fitToPage(size, printable.size());
    painter.scale(out.width() / size.width(), out.height() / size.height());
    client->render(&painter, QPoint(), QRegion(),
                   QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (!painter.end())
        throw Err::make(Err::InvalidCall, QStringLiteral("The page could not be drawn"));
    WriteWholeFile(path, document.data());
}
