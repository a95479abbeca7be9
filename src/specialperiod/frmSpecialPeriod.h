#pragma once
// The "Recurring Period" box: first day, length, name and colour of the
// special period. It takes the period in force and gives back the new one.
#include "session/SpecialPeriod.h"

#include <QDate>
#include <QDialog>
#include <cstdint>
#include <optional>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmSpecialPeriod : public QDialog {
    Q_OBJECT
public:
    frmSpecialPeriod(QWidget* owner, const SpecialPeriod& current);
    // Shows the box modally: the new period on OK (its shown flag as it
    // was), nothing when cancelled.
    static std::optional<SpecialPeriod> Ask(QWidget* owner, const SpecialPeriod& current);

    // Preselects in the picker the run of the current period that holds date.
    void SetStart(const QDate& date);

    // The offset stored for a period of `length` days starting on `start`:
    // it puts a run boundary on that day. length must be at least 1.
    static int32_t PeriodOffset(const QDate& start, int32_t length);

private:
    void Form_Load();
    void nameCalendarParts();
    void setChosenColor(int32_t color);
    void cmdColor_Click();
    void cmdOK_Click();
    // Shades the days the period would take from the picked date on.
    void showBlock();

    const SpecialPeriod current_;
    SpecialPeriod chosen_;
    int16_t chosenLength_ = 0;
    int32_t chosenColor_ = 0;

    QLabel* lblStartDay = nullptr;
    QCalendarWidget* MonthView1 = nullptr;
    QLabel* lblCycleLength = nullptr;
    QComboBox* cboCycleLength = nullptr;
    QLabel* lblNmae = nullptr; // the name as the window has always had it, not a typo to fix
    QLineEdit* txtName = nullptr;
    QPushButton* cmdColor = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
