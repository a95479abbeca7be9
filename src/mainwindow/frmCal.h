#pragma once
// The main calendar window: the month control between a title band and a
// footer with the platoon legend and the description; the menus, the clock,
// the tray and every setting of the display. Its life (load, show, close,
// tray) is in frmCal.cpp, what it shows in frmCalDisplay.cpp, its menus and
// keys in frmCalCommands.cpp.
#include "model/NoteEntry.h"
#include "session/CalSettings.h"
#include "session/CalendarSession.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>

class clsSchedule;
class clsShift;
class ctlMonth;
class frmNotesYear;
class frmOtherCalendars;
class frmYear;
class PicturePane;
class WizardHost;
class QAction;
class QMenu;

// Where the panes go for a client area of a given size (pixels), worked out
// in twips as the layout table gives it and rounded to whole pixels at each
// level, as the panes themselves hold whole pixels.
struct CalLayout {
    QRect picture1;       // in the client area
    QRect picture2;       // in the client area
    QRect picTitle;       // in picture1
    QRect picFooter;      // in picture2
    QRect month;          // in the client area
    bool monthWidthSet;   // false: the month control keeps its width
    bool monthHeightSet;  // false: the month control keeps its height
    QRect picPlatoons;    // in picFooter
    QRect picDescription; // in picFooter
};
CalLayout ComputeCalLayout(QSize client, double twipsPerPixelX, double twipsPerPixelY,
                           QSize currentMonthSize);

class frmCal : public QMainWindow {
    Q_OBJECT
public:
    explicit frmCal(QWidget* parent = nullptr);
    ~frmCal() override;
    // The program's main window while one exists (the one created last).
    static frmCal* Current();

    // --- members other windows use ---
    // The shared state; the members below hand on to it.
    CalendarSession& Session() const { return *session_; }
    std::shared_ptr<clsSchedule> Schedule() const { return session_->Schedule(); }
    // Stores the schedule and refreshes everything.
    void setSchedule(std::shared_ptr<clsSchedule> schedule);
    int16_t ShiftIndex() const { return session_->ShiftIndex(); }
    void setShiftIndex(int16_t index);
    int32_t EditMode() const { return session_->EditMode(); }
    void setEditMode(int32_t v) { session_->setEditMode(v); }
    bool DataChanged() const { return session_->DataChanged(); }
    void setDataChanged(bool v) { session_->setDataChanged(v); }
    // Full refresh: colours, cells, month, legend, title and description, View menu.
    void Update();
    // While the schedule is locked, says so and returns true.
    bool LockedAgainstChange();
    // Reprints the title, the legend and the description.
    void Repaint();
    // Writes "Backcolor1", "Backcolor2" and "Flags".
    void SettingsSave();

    // The recurring special period; each assignment is stored at once.
    int32_t SpecialPeriodLength() const { return session_->Period().length; }
    void setSpecialPeriodLength(int32_t v);
    int32_t SpecialPeriodOffset() const { return session_->Period().offset; }
    void setSpecialPeriodOffset(int32_t v);
    QString SpecialPeriodName() const { return session_->Period().name; }
    void setSpecialPeriodName(const QString& v);
    int32_t SpecialPeriodColor() const { return session_->Period().color; }
    void setSpecialPeriodColor(int32_t v);

    // --- state shown to tests and later windows ---
    // Background of shift 1 or 2 (0x00BBGGRR or a system colour).
    int32_t Backcolor(int item) const;
    bool Shown() const { return shown_; }
    bool TrayCapable() const { return trayCapable_; }
    bool InTray() const { return inTray_; }
    // The texts of the title and description panes as last printed by Update.
    QString CurrentTitle() const { return currentTitle_; }
    QString CurrentDescription() const { return currentDescription_; }
    ctlMonth* MonthControl() const { return ctlMonth1; }
    PicturePane* Pane(const QString& name) const;
    QAction* MenuAction(const QString& name) const;
    QMenu* TrayMenu() const { return mnuTray; }
    bool ClockRunning() const { return Timer1.isActive(); }
    // The day the notes commands act on: the one last clicked or reached by
    // the keys, else today when it is on display, else the focus day.
    double SelectedDay() const;
    // The Day Notes window for the day, unless the wizard, the lock or
    // notes that cannot be used forbid it (each says why).
    void EditDayNotes(double day);

    // A clock tick: the time in the menu bar.
    void Timer1_Timer();
    // A mouse message from the tray icon (513 left, 516 right button down).
    void TrayMessage(int message);
    // Closes as the window's close box does (the path that may hide in the tray).
    void CloseFromCloseBox();
    // Shows the image calendar, loading it when it is not open.
    void ShowImageCalendar();
    frmYear* ImageCalendar() const;
    // Lays the panes out for the current client size now (also done on every resize).
    void Form_Resize();

    // Font size (points) that FitFont gives text in a pane of the given size,
    // starting from the font's size: 0.8 of the pane's height, at most 0.9 of
    // its width when the text is wider than 0.8 of it. Sizes in pixels.
    static double FitFontSize(const QFont& font, const QString& text, QSizeF pane,
                              const QWidget* device);

signals:
    // The unload step has finished: the window's settings are written.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Page Up/Down a month, with Ctrl a year; Home this month; F1 the help page.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildMenus();
    void buildNotesMenus();
    void buildPanes();
    void Form_Initialize();
    void Form_Load();
    void LoadViewSettings(const CalSettings::ReadError& onError);
    void LoadSpecialPeriod(const CalSettings::ReadError& onError);
    void LoadSchedule();
    void LoadNoteSettings(const CalSettings::ReadError& onError);
    // Returns true when the close goes on to the unload step.
    bool Form_QueryUnload(bool fromCloseBox);
    void Form_Unload();
    void UnloadOtherWindows();

    // Display.
    void FillDays();
    void FillNotes();
    // The entries, their colours or whether they show changed.
    void showNotes();
    // The notes' marks and the other calendars' bars drawn again, here and
    // in the image calendar.
    void showDayMarks();
    // The calendar has painted: the notes file may be opened now.
    void notesPainted();
    // The wizard, the lock or an unusable file forbid an edit: says which.
    bool NotesRefused();
    // Says why the notes cannot be used, when they cannot.
    bool NotesUnavailableSaid();
    void PrintPlatoons();
    void PrintCentered(PicturePane* pane, const QString& text);
    void FitFont(PicturePane* pane, const QString& text);
    void UpdateViewMenu();
    void ApplyBackcolor();
    std::shared_ptr<clsShift> shiftAt(int index) const;
    void keepViewWithinSchedule();
    // The session's schedule or shift changed: show it.
    void showSessionSchedule();
    // View > the period's name checked or not.
    void setPeriodShown(bool shown);

    // Month control events.
    void ctlMonth1_DateChange();
    void ctlMonth1_SettingChange(const QString& name);
    void ctlMonth1_SelectionChange(double date);
    void ctlMonth1_Show();
    void ctlMonth1_DblClick();

    // Menu commands.
    void mnuFileLoadMySchedule_Click();
    void mnuFileCreateSchedule_Click();
    void mnuFileConfigureRecurringPeriod_Click();
    void mnuFileChangeInfo_Click();
    void mnuFileSave_Click();
    void mnuFilePrintPreview_Click();
    void mnuFileExportDutyDays_Click();
    void mnuFileLockSchedule_Click();
    void mnuFileUser_Click();
    void mnufileExit_Click();
    void mnuviewSchedulePick_Click(int index);
    void mnuViewSpecialPeriod_Click();
    void mnuViewBackcolor_Click();
    void mnuFileDayNotes_Click();
    void mnuViewShowNotes_Click();
    void mnuViewNoteColor_Click(NoteKind kind);
    void mnuViewNotesForYear_Click();
    void mnuViewOtherCalendars_Click();
    // "Notes for" the year on display.
    void UpdateNotesMenu();
    void mnuFavoritesAdd_Click();
    void mnuFavoritesOpen_Click();
    void mnuTrayShow_Click();
    void mnuTrayExit_Click();
    void mnuWindow_Open();
    void mnuHelpAbout_Click();
    void mnuHelpOnlineHelp_Click();
    void mnuHelpEmailSupport_Click();
    void mnuTime_Click();
    bool VerifyLogin();
    // A Favorites entry onto the calendar, unless the lock, an open wizard or
    // unsaved changes the user keeps forbid it; true when it was opened.
    bool OpenFavorite(const QString& xml);
    // While a wizard step is open another schedule may not replace the one it
    // edits: says so and returns true.
    bool WizardOpenRefuses(const QString& title = QString());

    // State.
    std::shared_ptr<CalendarSession> session_;
    std::array<int32_t, 2> backcolor_{};
    bool shown_ = false;
    bool trayCapable_ = false;
    bool inTray_ = false;
    bool closeBoxRequest_ = false;
    bool unloaded_ = false;
    bool laidOut_ = false; // panes have their first sizes; printing before is wasted
    // The month a DateChange has just laid the days out for: its FullDate
    // notice, which follows at once, has nothing left to do.
    double daysLaidOutFor_ = -1;
    QString currentTitle_;
    QString currentDescription_;
    QPointer<frmYear> imageCalendar_;
    QPointer<frmNotesYear> notesYear_;
    QPointer<frmOtherCalendars> otherCalendars_;
    double selectedDay_ = 0; // none chosen yet
    bool pressedOnDay_ = false;
    bool notesOpenQueued_ = false;
    WizardHost* wizardHost_ = nullptr; // a child: gone before the steps it owns

    // Panes and the month control.
    PicturePane* client_ = nullptr;
    PicturePane* Picture1 = nullptr;
    PicturePane* Picture2 = nullptr;
    PicturePane* picTitle = nullptr;
    PicturePane* picFooter = nullptr;
    PicturePane* picPlatoons = nullptr;
    PicturePane* picDescription = nullptr;
    ctlMonth* ctlMonth1 = nullptr;
    QTimer Timer1;

    // Menus, named as the commands are known.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileLoadMySchedule = nullptr;
    QAction* mnuFileCreateSchedule = nullptr;
    QAction* mnuFileConfigureRecurringPeriod = nullptr;
    QAction* mnuFileChangeInfo = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFilePrintPreview = nullptr;
    QAction* mnuFileExportDutyDays = nullptr;
    QAction* mnuFileDayNotes = nullptr;
    QAction* mnuFileHideInTray = nullptr;
    QAction* mnuFileLockSchedule = nullptr;
    QAction* mnuFileUser = nullptr;
    QAction* mnufileExit = nullptr; // lower-case "file" and "view" below are the known names
    QMenu* mnuView = nullptr;
    std::array<QAction*, 4> mnuviewSchedulePick{}; // 1..3
    QAction* mnuViewSpecialPeriod = nullptr;
    QAction* mnuViewBackcolor = nullptr;
    QAction* mnuViewShowNotes = nullptr;
    QMenu* mnuViewNoteColors = nullptr;
    QAction* mnuViewNotesForYear = nullptr;
    QAction* mnuViewOtherCalendars = nullptr;
    QMenu* mnuFavorites = nullptr;
    QMenu* mnuTray = nullptr;
    QAction* mnuTrayShow = nullptr;
    QAction* mnuTrayExit = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* mnuDebug = nullptr;
    QAction* mnuTime = nullptr;
};

// A schedule text read into a new schedule. What the read met (a missing
// attribute) is shown first, then the error that stopped it, if any, is raised.
std::shared_ptr<clsSchedule> ReadScheduleShowingProblems(const QString& xml);

// What a present schedule file that gives no schedule is said to have, at
// start-up (the built-in schedule is shown) or later (the display stays).
QString UnusableScheduleMessage(const QString& path, const QString& problem, bool starting);

// Where Online Help and Email Support go.
QString HelpPagePath();
inline constexpr const char* kSupportEmail = "support@tarnwell.example";
