// The schedule lock, the log-in box and the user box, driven through their
// controls over the shown main window.
#include "MainWindowTestSupport.h"
#include "support/ModalDialogs.h"
#include "users/Credentials.h"
#include "users/HashText.h"
#include "users/frmLogin.h"
#include "users/frmUser.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
struct LoginCase {
    const char* name;
    const char* userName;
    const char* password; // nullptr: Cancel
    const char* message;  // "" for none
};
const LoginCase loginCases[] = {
    {"RightNameAndPassword", "Chief", "Ember42", ""},
    {"CaseAndOuterBlanksDoNotCount", "  chief ", " EMBER42  ", ""},
    {"SameLettersInAnotherOrder", "FEICH", "24rebme", ""},
    {"WrongName", "Captain", "Ember42", "Invalid User Name"},
    {"WrongPassword", "Chief", "Ember43", "Invalid Password"},
    {"Cancelled", "Chief", nullptr, ""},
};
const QString kRefusal = QStringLiteral("\r\nYou must enter the valid password for user selected.");
} // namespace

class ScheduleLock : public MainWindowTest {
protected:
    std::unique_ptr<frmCal> shownForm()
    {
        auto f = makeForm();
        f->show();
        QApplication::processEvents();
        return f;
    }
    // Clicks the lock item and answers the log-in box.
    static void toggleLock(frmCal& f, const char* userName, const char* password)
    {
        OnModal<frmLogin> modal([&](frmLogin& d) {
            child<QLineEdit>(d, "txtUserName")->setText(QString::fromLatin1(userName));
            if (!password)
                return child<QPushButton>(d, "cmdCancel")->click();
            child<QLineEdit>(d, "txtPassword")->setText(QString::fromLatin1(password));
            child<QPushButton>(d, "cmdOK")->click();
        });
        click(f, "mnuFileLockSchedule");
        EXPECT_EQ(modal.runs(), 1);
    }
    static bool locked(frmCal& f)
    {
        return f.MenuAction(QStringLiteral("mnuFileLockSchedule"))->isChecked();
    }
    // Opens the user box from the File menu and runs act on it.
    static void openUser(frmCal& f, std::function<void(frmUser&)> act)
    {
        OnModal<frmUser> modal(std::move(act));
        click(f, "mnuFileUser");
        EXPECT_EQ(modal.runs(), 1);
    }
    void save(frmUser& d, const char* name, const char* p1, const char* p2, const char* old = "")
    {
        child<QLineEdit>(d, "txtUserName")->setText(QString::fromLatin1(name));
        child<QLineEdit>(d, "txtPassword1")->setText(QString::fromLatin1(p1));
        child<QLineEdit>(d, "txtPassword2")->setText(QString::fromLatin1(p2));
        child<QLineEdit>(d, "txtOldPassword")->setText(QString::fromLatin1(old));
        fx.messages->shown.clear();
        child<QPushButton>(d, "cmdOK")->click();
        ASSERT_EQ(fx.messages->shown.size(), 1u);
    }
    const ShownMessage& told() const { return fx.messages->shown.back(); }
};

// Each answer to the log-in box, locking and unlocking; the lock outlives the run.
TEST_F(ScheduleLock, LogInLocksAndUnlocksOnlyWithTheStoredCredentials)
{
    Credentials::store(Credentials::hashOf(QStringLiteral("CHIEF")),
                       Credentials::hashOf(QStringLiteral("EMBER42")));
    auto f = shownForm();
    for (const auto& c : loginCases) {
        for (bool wasLocked : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (wasLocked ? " unlocking" : " locking"));
            f->MenuAction(QStringLiteral("mnuFileLockSchedule"))->setChecked(wasLocked);
            fx.messages->shown.clear();
            toggleLock(*f, c.userName, c.password);
            const bool success = c.password && !*c.message;
            EXPECT_EQ(locked(*f), success ? !wasLocked : wasLocked);
            EXPECT_EQ(fx.messages->texts(),
                      *c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList{});
        }
    }
    f->MenuAction(QStringLiteral("mnuFileLockSchedule"))->setChecked(false);
    toggleLock(*f, "chief", "ember42");
    f->close();
    EXPECT_EQ(storedSetting("Long", QStringLiteral("LockSchedule")), QStringLiteral("True"));
    EXPECT_TRUE(locked(*shownForm()));
}

// The first save needs no old password; the box stays open, emptied, for
// another save; later changes need the old password and the current name.
TEST_F(ScheduleLock, UserBoxFirstSaveAndLaterChanges)
{
    auto f = shownForm();
    openUser(*f, [&](frmUser& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Password"));
        EXPECT_EQ(child<QLabel>(d, "Label3")->text(), QStringLiteral("Confirmation Password:"));
        EXPECT_FALSE(child<QLineEdit>(d, "txtOldPassword")->isEnabled());
        EXPECT_FALSE(child<QLabel>(d, "lblOldPassword")->isEnabled());
        save(d, "Chief", "Ember42", "Ember42 "); // the confirmation compares as typed
        EXPECT_EQ(told().text, QStringLiteral("Confirm password must the same as Password field"));
        EXPECT_EQ(told().icon, Msg::Exclamation);
        EXPECT_EQ(child<QLineEdit>(d, "txtPassword2")->displayText(), QStringLiteral("********"));
        EXPECT_FALSE(Credentials::passwordSaved());
        save(d, "Chief", "", ""); // both empty: the empty text's hash
        save(d, "Chief", "Ember42", "Ember42");
        EXPECT_EQ(told().text, QStringLiteral("Chief Password Saved"));
        EXPECT_EQ(told().title, QStringLiteral("New Password"));
        EXPECT_EQ(told().icon, Msg::Information);
        EXPECT_TRUE(d.isVisible());
        for (const char* box : {"txtUserName", "txtPassword1", "txtPassword2"})
            EXPECT_TRUE(child<QLineEdit>(d, box)->text().isEmpty()) << box;
        EXPECT_FALSE(child<QLineEdit>(d, "txtOldPassword")->isEnabled());
    });
    // Stored as hashes under hashed keys, never in clear.
    EXPECT_EQ(storedSetting("Long", QString::number(HashText(QStringLiteral("Password")))),
              QString::number(HashText(QStringLiteral("EMBER42"))));
    QFile ini(fx.settingsPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().toUpper().contains("EMBER42"));

    openUser(*f, [&](frmUser& d) {
        EXPECT_TRUE(child<QLineEdit>(d, "txtOldPassword")->isEnabled());
        EXPECT_TRUE(child<QLabel>(d, "lblOldPassword")->isEnabled());
        save(d, "Chief", "Blaze7", "Blaze7", "wrong");
        EXPECT_EQ(told().text, QStringLiteral("Invalid old password.") + kRefusal);
        save(d, "Captain", "Blaze7", "Blaze7", "ember42");
        EXPECT_EQ(told().text, QStringLiteral("Invalid User Name.") + kRefusal);
        EXPECT_EQ(told().icon, Msg::Information);
        save(d, " chief", "Blaze7", "Blaze7", "ember42");
        EXPECT_EQ(told().text, QStringLiteral(" chief Password Saved"));
        EXPECT_EQ(child<QLineEdit>(d, "txtOldPassword")->text(), QStringLiteral("ember42"));
    });
    toggleLock(*f, "Chief", "Ember42");
    EXPECT_FALSE(locked(*f));
    toggleLock(*f, "Chief", "Blaze7");
    EXPECT_TRUE(locked(*f));
}

// A name given in advance sends the focus to the password box; the close box cancels.
TEST_F(ScheduleLock, LogInBoxFocusAndCloseBox)
{
    auto f = shownForm();
    QString name = QStringLiteral("Chief"), password;
    OnModal<frmLogin> modal([&](frmLogin& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Login"));
        QElapsedTimer waited;
        waited.start();
        while (!d.isActiveWindow() && waited.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(d.focusWidget(), child<QLineEdit>(d, "txtPassword"));
        d.close();
    });
    EXPECT_FALSE(frmLogin::GetLogIn(name, password, f.get()));
    EXPECT_EQ(modal.runs(), 1);
}
