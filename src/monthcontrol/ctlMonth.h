#pragma once
// The month control: one month as a custom-painted grid of 42 day cells with
// a title row, four navigation pictures, a popup menu of display switches and
// events for its host. Hosts fill the cells through Days() and repaint.
#include "model/Collection.h"
#include "monthcontrol/MonthGrid.h"
#include "monthcontrol/MonthLayout.h"
#include "monthcontrol/clsDayBox.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPair>
#include <QStaticText>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QPainter;
class ctlMonth;

// The host's saved description of one control: key to value.
using PropertyBag = QMap<QString, QVariant>;

// One of the four triangle pictures of the title row (0 "Previous Year",
// 1 "Previous Month", 2 "Next Month", 3 "Next Year").
class imgNavPicture : public QWidget {
    Q_OBJECT
public:
    imgNavPicture(int index, ctlMonth* owner);
    int Index() const { return index_; }
    // What any press on the picture does.
    void Press();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void drawArrow(QPainter& p, double side) const;
    int index_;
    ctlMonth* owner_;
    QImage drawn_; // the arrow at the current size over drawnOver_
    QRgb drawnOver_ = 0;
};

// setFont, the setter of the control's Font property, hides the non-virtual
// QWidget::setFont on purpose: it also keeps the surface font and lays the grid
// out again. Call it through a ctlMonth; through a QWidget it reaches Qt's and
// the control goes on painting in its old font. No other member hides a Qt
// name: Repaint and Show differ from Qt's repaint and show by case.
class ctlMonth : public QWidget {
    Q_OBJECT
public:
    explicit ctlMonth(QWidget* parent = nullptr);
    ~ctlMonth() override;

    // --- methods ---
    // Re-lays out the grid; paints at once once shown, else schedules a repaint.
    void Refresh();
    // Paints now.
    void Repaint();
    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();
    // Filled rectangle over grid cell (x column, y row) in the colour.
    QVariant DrawGridXYBox(int32_t color, int16_t x, int16_t y);
    // The day cell with Index 0..41 gets the colour for its number; others are ignored.
    void LetDayColor(int16_t index, int32_t color);
    // Length and offset (days) of the recurring special period; no repaint.
    // The classic interface passed them by reference; nothing is written back.
    void SetSpecialPeriod(int32_t length, int32_t offset);

    // Kept for hosts written against the full interface; they do nothing.
    void DrawDayEllipse(int32_t, int16_t) {}
    void DrawDayBox(int32_t, int16_t) {}
    void DrawDayCircle(int32_t, int16_t) {}
    void DrawGridEllipse(int32_t, int16_t) {}
    void DrawGridBox(int32_t, int16_t) {}
    void DrawGridCircle(int32_t, int16_t) {}
    QVariant DrawGridXYCircle(int32_t, int16_t, int16_t) { return {}; }
    QVariant DrawGridXYEllipse(int32_t, int16_t, int16_t) { return {}; }
    QVariant LetGridXYColor(int32_t, int16_t, int16_t) { return {}; }
    QVariant LetGridXYBackcolor(int32_t, int16_t, int16_t) { return {}; }
    int32_t GetDayColor(int16_t) const { return 0; }
    int32_t GetGridXYColor(int32_t, int16_t, int16_t) const { return 0; }
    int32_t GetGridColor() const { return 0; }
    void LetGridColor(int16_t, int32_t) {}
    void LetDayBackcolor(int16_t, int32_t) {}
    void LetGridBackcolor(int16_t, int32_t) {}
    void Circle_() {}

    // --- properties ---
    int32_t ForeColor() const { return foreColor_; }
    void setForeColor(int32_t v);
    // The widget's enabled state; QWidget::setEnabled is the setter.
    bool Enabled() const { return isEnabled(); }
    int32_t TheYear() const { return theYear_; }
    void setTheYear(int32_t v);
    int32_t TheMonth() const { return theMonth_; }
    void setTheMonth(int32_t v);
    bool FitRows() const { return fitRows_; }
    void setFitRows(bool v);
    int16_t FontRelativeSize() const { return fontRelativeSize_; }
    void setFontRelativeSize(int16_t v);
    bool ShowFullGrid() const { return showFullGrid_; }
    void setShowFullGrid(bool v);
    bool FontBold() const { return font_.bold(); }
    void setFontBold(bool v);
    bool ShowButtons() const { return showButtons_; }
    void setShowButtons(bool v);
    // The surface font as set: face and weight of every text; the layout fits
    // the sizes it paints with from it.
    QFont Font() const { return font_; }
    void setFont(const QFont& f);
    int32_t BackColor() const { return backColor_; }
    void setBackColor(int32_t v);
    int16_t BackStyle() const { return backStyle_; }
    void setBackStyle(int16_t v) { backStyle_ = v; }
    // 0 none, 1 single line.
    int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int16_t v);
    bool ShowWeekends() const { return showWeekends_; }
    void setShowWeekends(bool v);
    int32_t WeekendColor() const { return weekendColor_; }
    void setWeekendColor(int32_t v);
    // Always the 1st of the displayed month; assigning any day of a month shows it.
    double FullDate() const { return fullDate_; }
    void setFullDate(double d);
    // Date of cell 1; read-only.
    double StartDate() const { return startDate_; }
    // 0 the locale's first day of the week, 1 Sunday, 2 Monday, 7 Saturday.
    int32_t FirstWeekday() const { return firstWeekday_; }
    void setFirstWeekday(int32_t v);
    // The 42 cells, positions 1..42 (Index 0..41); hosts change their fields.
    Collection<std::shared_ptr<clsDayBox>>& Days() { return days_; }
    const Collection<std::shared_ptr<clsDayBox>>& Days() const { return days_; }
    bool ShowToday() const { return showToday_; }
    void setShowToday(bool v) { showToday_ = v; }
    // 1 one day number per cell, 2 split cells with two captions.
    int16_t CellSplit() const { return cellSplit_; }
    void setCellSplit(int16_t v);
    bool FixedGrid() const { return fixedGrid_; }
    void setFixedGrid(bool v);
    int32_t SpecialPeriodColor() const { return specialPeriodColor_; }
    void setSpecialPeriodColor(int32_t v) { specialPeriodColor_ = v; }
    int32_t SpecialPeriodLength() const { return specialPeriodLength_; }
    int32_t SpecialPeriodOffset() const { return specialPeriodOffset_; }
    // What the shaded days are called, for assistive technology; never painted.
    QString SpecialPeriodName() const { return specialPeriodName_; }
    void setSpecialPeriodName(const QString& v) { specialPeriodName_ = v; }

    // --- persisted options ---
    // Loads the host's saved description; a missing key gives its default.
    void ReadProperties(const PropertyBag& bag);
    PropertyBag WriteProperties() const;
    // Every saved key with its default, in the order of reading and writing.
    static QList<QPair<QString, QVariant>> PropertyDefaults();

    // --- layout state (read by hosts and tests) ---
    double LastDay() const { return lastDay_; }
    int16_t RowCount() const { return rowCount_; }
    int32_t CellWidth() const { return cellWidth_; }
    int32_t CellHeight() const { return cellHeight_; }
    double FontScale() const { return (fontRelativeSize_ + 4) / 10.0; }
    bool DaysReady() const { return daysReady_; }
    bool IsShown() const { return isShown_; }
    int16_t SelectedIndex() const { return selectedIndex_; }
    MonthGrid::FocusRect FocusRectangle() const { return focusRect_; }
    bool FocusRectShown() const { return focusShown_; }
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    // Surface size in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    bool RepaintPending() const { return timer1_.isActive(); }

    // --- layout arithmetic ---
    void Initialize_Days();
    void CountRows(int16_t currentRows);
    int16_t RowAt(double y) const;
    int16_t ColumnAt(double x) const;
    int16_t CellIndexAt(int16_t week, int16_t column) const;
    int16_t IndexAtPoint(double x, double y) const;
    // The date in the cell at Days() position 1..42; subscript out of range (9) elsewhere.
    double DateOfCell(int16_t position) const;
    // The Days() position of the cell that shows the date; 0 when none does.
    int16_t CellOfDate(double date) const;

    // What showing the control does: the current month, its dates, DateChange
    // and Show. Runs from showEvent; callable for a control that is never shown.
    void UserControl_Show();

    QMenu* mnuDebug() const { return mnuDebug_; }
    imgNavPicture* imgNav(int index) const;
    // The drawn surface as the widget shows it (without the focus rectangle).
    const QImage& Surface() const { return surface_; }

    // --- keyboard: the focus day ---
    // The day the arrow keys move; always a day of the displayed month.
    double FocusDate() const { return focusDate_; }
    // Moves the focus day, showing its month when it lies in another.
    void setFocusDate(double d);
    // The keys act on the focus day once the grid is reached by Tab or an
    // arrow key; before that Home and Enter are the host's.
    bool FocusDayActive() const { return focusDayActive_; }
    bool FocusDayShown() const { return focusDayActive_ && hasFocus() && daysReady_; }
    // Puts the keys on the days, as Tab onto the grid does.
    void ShowFocusDay();
    // Gives the keys back to the host until the next Tab or arrow key; the
    // focus day's rectangle goes with them.
    void HideFocusDay();
    // What a click on the focus day does: SelectionChange, then Click.
    void PressFocusDay();
    // The lines a host adds for a day it marked (its notes and other
    // calendars' events), asked for only
    // when a tooltip or a screen reader needs them: a month step reads none.
    using MarkDetails = std::function<QStringList(double date)>;
    void setMarkDetails(MarkDetails details) { markDetails_ = std::move(details); }
    // A marked day's lines at Days() position 1..42; none for another day.
    QStringList MarkLines(int16_t position) const;
    // The day's ToolTipText, then its mark's lines.
    QString DayToolTip(int16_t position) const;
    // Whether the day at Days() position 1..42 lies in the special period.
    bool InSpecialPeriod(int16_t position) const;

signals:
    void SettingChange(const QString& propertyName);
    void Show();
    void SelectionChange(double date);
    void DateChange();
    // The key and mouse events hand on the platform's values; as the control
    // never reads back what a handler changes, they are passed by value.
    void KeyDown(int16_t keyCode, int16_t shift);
    void KeyPress(int16_t keyAscii);
    void KeyUp(int16_t keyCode, int16_t shift);
    // button 1 left, 2 right, 4 middle; shift bits 1 Shift, 2 Ctrl, 4 Alt; X, Y in twips.
    void MouseDown(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void Click();
    void DblClick();
    void CellSelect();  // declared for hosts; never emitted
    void MonthChange(); // declared for hosts; never emitted
    // The focus day moved or was first shown.
    void FocusDayMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Runs the popup menu until an entry is chosen or it is dismissed; tests override it.
    virtual void showPopupMenu(const QPoint& globalPos);

private:
    friend class imgNavPicture;
    // The one colour the surface has all over the area (pixels of this
    // control), when nothing else is drawn there; else none.
    std::optional<QRgb> plainSurfaceUnder(const QRect& area) const;
    void Picture1_Resize();
    void Picture1_Paint();
    void Timer1_Timer();
    void Picture1_MouseDown(int button, int shift, double x, double y);
    void Picture1_MouseMove(int button, int shift, double x, double y);
    void Picture1_MouseUp(int button, int shift, double x, double y);
    void imgNav_MouseDown(int index, int button, int shift);
    void ToggleFocusRect();
    void ShowNavButtons(bool visible);
    void scheduleRepaint();
    void applyDateChangeRule();
    void showYearMonth(int32_t year, int32_t month);
    void stepTo(double d);
    void recomputeMonthBounds();
    bool focusDayKey(int key, Qt::KeyboardModifiers modifiers);
    // Keeps the focus day in the displayed month after the month changed.
    void keepFocusDayInMonth();
    void syncMenu();

    struct SavedProperty;
    static const std::vector<SavedProperty>& savedProperties();
    static void readFont(ctlMonth& m, const PropertyBag& bag, const SavedProperty& p);

    void mnuDebugBoldFont_Click();
    void mnuDebugButtons_Click();
    void mnuDebugFirstDayOfWeekPick_Click(int index);
    void mnuDebugFitRows_Click();
    void mnuDebugFullGrid_Click();
    void mnuDebugWeekends_Click();

    // Painting (twips; the pass carries the face and foreground in force).
    struct PaintPass;
    struct LaidText {
        QStaticText text;
        double width = 0; // pixels
    };
    // Laid-out texts by font and text: a paint prints the same few dozen.
    using TextCache = QHash<QPair<int, QString>, LaidText>;
    MonthLayout::Inputs layoutInputs() const;
    void updateLayout();
    // Draws the surface from the layout; texts it had to lay out go to `fresh`.
    void paintSurface(QPainter& p, TextCache& fresh, int& line) const;
    // The corner triangle of a day with notes.
    int cellRight(const MonthLayout::Layout& layout, int16_t column) const;
    void paintBar(QPainter& p, const MonthLayout::Layout& layout, int16_t row, int16_t column,
                  const clsDayBox& box) const;
    void paintMark(QPainter& p, const MonthLayout::Layout& layout, int16_t row, int16_t column,
                   int32_t color) const;
    LaidText laidOut(PaintPass& pass, const QString& text) const;
    double textWidth(PaintPass& pass, const QString& text) const;
    double textHeight(const PaintPass& pass) const;
    void printAt(PaintPass& pass, double x, double y, const QString& text) const;
    static MonthLayout::FaceIndex cornerFace(MonthLayout::FaceIndex face);
    void PrintInCell(PaintPass& pass, const QString& text, int16_t row, int16_t column, double h,
                     double w) const;
    void PrintCellTopLeft(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                          double h, double w) const;
    void PrintCellBottomRight(PaintPass& pass, const QString& text, int16_t row, int16_t column,
                              double h, double w) const;
    void PrintCellLeft(PaintPass& pass, const QString& text, int16_t row, int16_t column, double h,
                       double w, int half) const;
    void PrintCellRight(PaintPass& pass, const QString& text, int16_t row, int16_t column, double h,
                        double w, int half) const;
    QColor qcolor(int32_t ole) const;

    Collection<std::shared_ptr<clsDayBox>> days_;
    int32_t theYear_ = 2008;
    int32_t theMonth_ = 1;
    double fullDate_ = 0;
    double startDate_ = 0;
    double lastDay_ = 0;
    int32_t firstWeekday_ = 0;
    bool fitRows_ = false;
    bool fixedGrid_ = false;
    int16_t rowCount_ = MonthGrid::FullRows;
    int32_t cellWidth_ = 0;
    int32_t cellHeight_ = 0;
    int16_t fontRelativeSize_ = 3;
    bool daysReady_ = false;
    bool isShown_ = false;
    bool showFullGrid_ = false;
    bool showButtons_ = true;
    bool showWeekends_ = false;
    bool showToday_ = true;
    int16_t cellSplit_ = 1;
    int16_t backStyle_ = 0;
    int16_t borderStyle_ = 1;
    int32_t foreColor_;
    int32_t backColor_;
    int32_t weekendColor_;
    int32_t specialPeriodColor_;
    int32_t specialPeriodLength_ = 0;
    int32_t specialPeriodOffset_ = 0;
    QString specialPeriodName_;
    MarkDetails markDetails_;
    QFont font_;

    // Interaction state.
    MonthGrid::FocusRect focusRect_;
    bool focusShown_ = false;
    bool focusDotted_ = true;
    bool dotted_ = false; // line style of the surface
    bool afterDoubleClick_ = false;
    int16_t selectedIndex_ = 0;
    double lastAnnouncedDate_ = 0;
    double focusDate_ = 0;
    bool focusDayActive_ = false;

    // Drawing state.
    QImage surface_;
    bool surfaceStale_ = true;
    QString lastPaintError_; // reported already; cleared by a paint that succeeds
    std::optional<MonthLayout::Layout> layout_; // rebuilt when its inputs change
    TextCache texts_;                           // by font and text
    // Texts are kept per font, not per layout: each month step builds a new
    // layout, mostly in the fonts of the one before.
    std::array<int, MonthLayout::FaceCount> faceFonts_{}; // layout_'s faces' fonts
    QHash<QString, int> fontIds_;

    QTimer timer1_;
    std::array<imgNavPicture*, 4> imgNav_{};
    QMenu* mnuDebug_ = nullptr;
    QMenu* mnuDebugFirstDayOfWeek_ = nullptr;
    QAction* mnuDebugBoldFont_ = nullptr;
    QAction* mnuDebugButtons_ = nullptr;
    QMap<int, QAction*> mnuDebugFirstDayOfWeekPick_;
    QAction* mnuDebugFitRows_ = nullptr;
    QAction* mnuDebugFullGrid_ = nullptr;
    QAction* mnuDebugWeekends_ = nullptr;
};
