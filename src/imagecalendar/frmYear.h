#pragma once
// The image calendar: one to twelve months of the schedule on a page shaped
// like the printer's, between a title band and a band with the platoon
// legend and the description; printed to fit, saved as a picture or a PDF,
// or handed to the desktop's "Open With" chooser. It changes nothing in the
// schedule and keeps its choices only while it is open.
#include "imagecalendar/ImageCalendarSource.h"

#include <QMainWindow>
#include <QPageLayout>
#include <QPixmap>
#include <QPointer>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class clsShift;
class ctlMonth;
class PicturePane;
class QAction;
class QMenu;
class QPagedPaintDevice;

class frmYear : public QMainWindow {
    Q_OBJECT
public:
    // Loads the window: the months are filled and month 0 shows this month.
    explicit frmYear(ImageCalendarSource source, QWidget* parent = nullptr);
    ~frmYear() override;

    int16_t MonthCount() const { return monthCount_; }
    // 1, 2, 3, 4, 6 or 12; any other count is ignored.
    void setMonthCount(int16_t n);
    int32_t Orientation() const { return orientation_; }
    // 1 portrait, 2 landscape: reshapes the window to the page.
    void setOrientation(int32_t v);
    // View > shift: 1 shift 1, 2 shift 2, 3 both in split cells.
    void setShiftView(int index);
    // View > Special Period, set to shown or not.
    void setSpecialPeriodShown(bool shown);
    // Month 0 shows the month of the date (a day number); the others follow.
    void setFirstMonth(double date);
    // Lays the bands and months out for the current size now (also done on
    // every resize); a window never shown has no layout pass of its own.
    void layOut();
    // The day entries changed: every month marks them again.
    void RefreshNotes();

    // --- state shown to tests and to callers without menus ---
    int16_t ShiftIndex() const { return shiftIndex_; }
    QString DescriptionText() const { return descriptionText_; }
    double PageRatio() const { return pageRatio_; }
    int RowCount() const { return rowCount_; }
    int ColumnCount() const { return columnCount_; }
    int LoadedMonths() const { return static_cast<int>(months_.size()); }
    ctlMonth* Month(int index) const;
    QWidget* ClientArea() const { return client_; }
    PicturePane* Pane(const QString& name) const;
    QAction* MenuAction(const QString& name) const;
    // The picture the last capture took (what Print, Save As and Open With use).
    const QPixmap& CapturedPicture() const { return capture_; }
    // Copies the inner area as shown into the captured picture.
    void CaptureCalendar();

    // The paper the window is shaped for and pages are drawn on: the
    // default printer's, else one given here or chosen in Printer Setup this
    // run; none (a Letter page) when nothing says.
    std::optional<QPageLayout> PageLayout() const;
    // Takes the paper for this window (a script's choice): the window is
    // reshaped to it.
    void setPageLayout(const QPageLayout& page);

    // The Save As filter, classic "text|pattern" form.
    static QString SaveAsFilter();

public:
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildBands();
    void Form_Load();
    void Form_Resize();
    void Picture1_Resize();
    void Picture2_Resize();
    void Picture3_Resize();
    void RebuildMonths();
    void ArrangeMonths();
    void shapeWindow();
    void ChainMonths();
    void FillDays(int index);
    void PrintPlatoons();
    void PrintCentered(PicturePane* box, const QString& text);
    void FitFont(PicturePane* box, const QString& text);
    void Repaint();
    void SyncMonths();
    double GetPageRatio();
    std::shared_ptr<clsShift> shiftAt(int index) const;
    int shiftCount() const;
    int32_t specialPeriodColorNow() const;
    ctlMonth* makeMonth();
    void hideNavigation();

    void ctlMonth1_DateChange(ctlMonth* month);
    void ctlMonth1_SettingChange(ctlMonth* month, const QString& name);

    void mnuViewShiftPick_Click(int index);
    void mnuViewSpecialPeriod_Click();
    void mnuScopePick_Click(int index);
    void mnuOrientationPick_Click(int index);
    void mnuFileOpenWith_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrinterSetup_Click();
    void mnuFilePrintToFitPage_Click();

    ImageCalendarSource source_;
    int16_t monthCount_ = 12;
    int32_t orientation_ = 1;
    int rowCount_ = 4;
    int columnCount_ = 3;
    int16_t shiftIndex_ = 1;
    QString descriptionText_;
    double pageRatio_ = 0;
    double firstMonth_ = 0; // month 0's month as the user left it
    bool showing_ = false;
    bool loaded_ = false;
    QPixmap capture_;
    std::optional<QPageLayout> page_; // as given or chosen here; none: the run's choice

    QWidget* client_ = nullptr;
    QWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    QWidget* Picture3 = nullptr;
    PicturePane* picTitle = nullptr;
    PicturePane* picPlatoons = nullptr;
    PicturePane* picDescription = nullptr;
    std::vector<ctlMonth*> months_; // ctlMonth1(0..)

    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpenWith = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFilePrinterSetup = nullptr;
    QAction* mnuFilePrintToFitPage = nullptr;
    QAction* mnuClose = nullptr;
    std::array<QAction*, 4> mnuViewShiftPick{}; // 1..3
    QAction* mnuViewSpecialPeriod = nullptr;
    std::array<QAction*, 3> mnuOrientationPick{}; // 1..2
    std::map<int, QAction*> mnuScopePick;
};

// A portrait page of the paper with the margins Qt gives a printed PDF page.
QPageLayout PrintedPage(const QPageSize& paper);

// Draws the inner area on one page of the device, scaled to fit its printable
// area and turned by its shape; texts and lines stay vectors, so the page is
// as sharp as the device. Raises error 482 when the device cannot draw.
void DrawCalendarPage(frmYear& form, QPagedPaintDevice& device);

// Writes the calendar as one vector PDF page: the inner area drawn (texts
// stay text), scaled to fit the printable area and turned by its shape as
// Print does. Written whole through the file writer; raises a RuntimeError
// with the cause on failure, the old file then as it was.
void WriteCalendarPdf(frmYear& form, const QString& path);
