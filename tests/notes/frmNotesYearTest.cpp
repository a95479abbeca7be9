// The Notes for YYYY window over a real notes.db in a temporary folder,
// shown, its controls found by their names.
#include "notes/frmNotesYear.h"

#include "model/DayNumber.h"
#include "platform/widgets/OleColor.h"
#include "storage/NotesStore.h"
#include "support/AccessibleNames.h"
#include "support/FakeMessageBox.h"
#include "support/FileBytes.h"
#include "support/ModalDialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
struct Added {
    QDate date;
    NoteKind kind;
    QString text;
};

class NotesYearWindow : public ::testing::Test {
protected:
    void TearDown() override { delete window; }

    // Stored through a store of the test's own, as the calendar would.
    void add(const QString& folder, const std::vector<Added>& entries)
    {
        NotesStore store(folder);
        for (const Added& a : entries)
            store.Add({DayNumber::fromDate(a.date), a.kind, a.text,
                       a.kind == NoteKind::Trade ? QStringLiteral("Sam Reyes") : QString()});
    }
    frmNotesYear& open(int year, const QString& folder)
    {
        delete window;
        window = new frmNotesYear(nullptr, std::make_shared<NotesStore>(folder), year, colors);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        return *window;
    }
    template <class W = QWidget> W* control(const char* name)
    {
        W* w = child<W>(*window, name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Each row as shown, its cells joined by '|', a line a row.
    std::string rows()
    {
        const QAbstractItemModel* m = control<QTreeView>("lstEntries")->model();
        QStringList found;
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m->columnCount(); ++c)
                cells << m->index(r, c).data().toString();
            found << cells.join('|');
        }
        return lines(found);
    }
    std::string totals()
    {
        QStringList found;
        for (NoteKind kind : AllNoteKinds)
            found << control<QLabel>(qPrintable("lblDays" + NoteKindName(kind)))->text();
        return lines(found);
    }
    static std::string lines(const QStringList& l) { return l.join('\n').toStdString(); }
    std::string title() const { return window->windowTitle().toStdString(); }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent e(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &e);
        QApplication::processEvents();
    }

    QTemporaryDir dir;
    ScopedFakeUiServices fx;
    NoteColors colors;
    QPointer<frmNotesYear> window;
};

// Two entries on one day, a trade, a text of two lines, and the days just
// outside the year.
const std::vector<Added> Year2026{
    {{2025, 12, 31}, NoteKind::Leave, "before"},       {{2026, 6, 15}, NoteKind::Trade, "Swap"},
    {{2026, 1, 1}, NoteKind::Note, "first\nline two"}, {{2026, 6, 15}, NoteKind::Leave, "same day"},
    {{2026, 12, 31}, NoteKind::Sick, "last"},          {{2027, 1, 1}, NoteKind::Overtime, "after"}};
const QStringList Rows2026{"Thu 1/1/26|Note|first line two|", "Mon 6/15/26|Trade|Swap|Sam Reyes",
                           "Mon 6/15/26|Leave|same day|", "Thu 12/31/26|Sick|last|"};
} // namespace

TEST_F(NotesYearWindow, TheYearsEntriesByDateWithTheirKindsColour)
{
    colors.setColor(NoteKind::Trade, 0x00FFE0C0);
    add(dir.path(), Year2026);
    open(2026, dir.path());
    EXPECT_EQ(title(), "Notes for 2026");
    EXPECT_EQ(rows(), lines(Rows2026));
    const QModelIndex trade = control<QTreeView>("lstEntries")->model()->index(1, 1);
    const QImage swatch = trade.data(Qt::DecorationRole).value<QIcon>().pixmap(12, 12).toImage();
    EXPECT_EQ(swatch.pixelColor(6, 6), OleColor::toQColor(0x00FFE0C0));
    EXPECT_TRUE(control<QLabel>("lblError")->isHidden());
    EXPECT_TRUE(
        window->grab().save(qEnvironmentVariable("TARNWELL_TEST_OUT") + "/notes_year_2026.png"));
}

TEST_F(NotesYearWindow, TheFilterShowsOneKindAndKeepsTheEntryTheUserIsOn)
{
    add(dir.path(), Year2026);
    open(2026, dir.path());
    auto* list = control<QTreeView>("lstEntries");
    auto* kind = control<QComboBox>("cboKind");
    kind->setCurrentIndex(kind->findText("Overtime"));
    EXPECT_EQ(rows(), "");
    kind->setCurrentIndex(kind->findText("All kinds"));
    list->setCurrentIndex(list->model()->index(2, 0));
    kind->setCurrentIndex(kind->findText("Leave"));
    EXPECT_EQ(rows(), lines({Rows2026[2]}));
    EXPECT_EQ(list->currentIndex().row(), 0);
    kind->setCurrentIndex(kind->findText("All kinds"));
    EXPECT_EQ(rows(), lines(Rows2026));
    EXPECT_EQ(list->currentIndex().row(), 2);
}

// Several entries of a kind on one day are one day of it.
TEST_F(NotesYearWindow, TotalsCountDaysNotEntries)
{
    const struct {
        std::vector<Added> entries;
        QStringList totals;
    } cases[] = {
        {{},
         {"Note: 0 days", "Leave: 0 days", "Trade: 0 days", "Overtime: 0 days", "Sick: 0 days"}},
        {{{{2026, 3, 2}, NoteKind::Leave, "a"},
          {{2026, 3, 2}, NoteKind::Leave, "b"},
          {{2026, 3, 2}, NoteKind::Leave, "c"},
          {{2026, 3, 3}, NoteKind::Leave, ""},
          {{2026, 3, 3}, NoteKind::Sick, ""},
          {{2025, 12, 31}, NoteKind::Sick, ""},
          {{2027, 1, 1}, NoteKind::Note, ""}},
         {"Note: 0 days", "Leave: 2 days", "Trade: 0 days", "Overtime: 0 days", "Sick: 1 day"}},
        {{{{2026, 1, 1}, NoteKind::Trade, ""},
          {{2026, 12, 31}, NoteKind::Trade, ""},
          {{2026, 7, 4}, NoteKind::Overtime, ""},
          {{2026, 7, 4}, NoteKind::Note, ""}},
         {"Note: 1 day", "Leave: 0 days", "Trade: 2 days", "Overtime: 1 day", "Sick: 0 days"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const QString folder = dir.filePath(QString::number(&c - cases));
        ASSERT_TRUE(QDir().mkpath(folder));
        add(folder, c.entries);
        open(2026, folder);
        EXPECT_EQ(totals(), lines(c.totals));
        EXPECT_EQ(control<QGroupBox>("fraDays")->title(), "Days in 2026");
    }
}

TEST_F(NotesYearWindow, YearsStepByButtonsAndKeysAndRefreshReadsAgain)
{
    add(dir.path(), Year2026);
    open(2026, dir.path());
    control<QPushButton>("cmdNext")->click();
    EXPECT_EQ(title(), "Notes for 2027");
    EXPECT_EQ(rows(), "Fri 1/1/27|Overtime|after|");
    EXPECT_EQ(totals(),
              "Note: 0 days\nLeave: 0 days\nTrade: 0 days\nOvertime: 1 day\nSick: 0 days");
    control<QTreeView>("lstEntries")->setFocus();
    press(Qt::Key_Left, Qt::AltModifier);
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(title(), "Notes for 2025");
    EXPECT_EQ(rows(), "Wed 12/31/25|Leave|before|");
    // Entries added elsewhere show on Refresh; the user stays on the same entry.
    auto* list = control<QTreeView>("lstEntries");
    list->setCurrentIndex(list->model()->index(0, 0));
    add(dir.path(), {{{2025, 1, 5}, NoteKind::Leave, "new"}});
    window->Refresh();
    EXPECT_EQ(rows(), "Sun 1/5/25|Leave|new|\nWed 12/31/25|Leave|before|");
    EXPECT_EQ(list->currentIndex().row(), 1);
    EXPECT_EQ(totals(),
              "Note: 0 days\nLeave: 2 days\nTrade: 0 days\nOvertime: 0 days\nSick: 0 days");
    // The last year a date may have: no step past it.
    window->ShowYear(frmNotesYear::LastYear);
    EXPECT_FALSE(control<QPushButton>("cmdNext")->isEnabled());
    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(window->Year(), frmNotesYear::LastYear);
    EXPECT_TRUE(control<QLabel>("lblError")->isHidden());
}

TEST_F(NotesYearWindow, ARefusedFileShowsItsReasonInTheWindow)
{
    const QByteArray text = QByteArray("Not a database, a letter.\n").repeated(200);
    writeBytes(dir.filePath("notes.db"), text);
    const NotesStore refused(dir.path());
    ASSERT_TRUE(refused.OpenError().has_value());
    open(2026, dir.path());
    for (int step = 0; step < 2; ++step) {
        EXPECT_EQ(rows(), "");
        EXPECT_TRUE(control<QLabel>("lblError")->isVisible());
        EXPECT_EQ(control<QLabel>("lblError")->text().toStdString(),
                  refused.OpenError()->description().toStdString());
        EXPECT_FALSE(control<QGroupBox>("fraDays")->isVisible());
        control<QPushButton>("cmdPrevious")->click();
    }
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_EQ(readBytes(dir.filePath("notes.db")), text);
}

TEST_F(NotesYearWindow, KeyboardOnly)
{
    add(dir.path(), Year2026);
    open(2026, dir.path());
    std::vector<double> chosen;
    QObject::connect(window.data(), &frmNotesYear::DayChosen,
                     [&](double day) { chosen.push_back(day); });
    EXPECT_EQ(unnamedControls(window), "");
    EXPECT_EQ(spokenName(control("cboKind")), "Show:");
    // The list has the focus; Tab then goes round in the order of the window.
    QStringList order;
    for (int i = 0; i < 5; ++i, press(Qt::Key_Tab))
        order << QApplication::focusWidget()->objectName();
    EXPECT_EQ(lines(order), "lstEntries\ncmdPrevious\ncmdNext\ncmdClose\ncboKind");
    press(Qt::Key_Home);
    press(Qt::Key_Down);
    const QAccessibleInterface* focus =
        QAccessible::queryAccessibleInterface(window->findChild<QTreeView*>())->focusChild();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->text(QAccessible::Name).toStdString(),
              "Monday, June 15, 2026, Trade, Swap, with Sam Reyes");
    press(Qt::Key_Return);
    EXPECT_EQ(chosen, std::vector<double>{DayNumber::fromDate(QDate(2026, 6, 15))});
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    // Esc closes it, and a closed window is gone.
    press(Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
