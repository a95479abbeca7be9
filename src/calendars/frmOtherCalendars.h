#pragma once
// View > Other Calendars: the iCalendar files shown beside the schedule, each
// with its colour, whether it shows, and what became of reading it. Every
// change applies and is stored at once; the files themselves are only read.
#include <QDialog>

class OtherCalendars;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmOtherCalendars : public QDialog {
    Q_OBJECT
public:
    // `shippedFolder` is where the Add dialog starts: the calendars that come
    // with the program.
    frmOtherCalendars(OtherCalendars& calendars, const QString& shippedFolder,
                      QWidget* parent = nullptr);

    QTreeWidget* lstCalendars = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdColor = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void Refresh();
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdColor_Click();
    void lstCalendars_ItemChanged(QTreeWidgetItem* item);
    int current() const;

    OtherCalendars& calendars_;
    QString shippedFolder_;
    bool filling_ = false;
};
