// The schedule lock, the log-in box and the user box over the shown main window.
#include "MainWindowTestSupport.h"
#include "support/ModalDialogs.h"
#include "users/Credentials.h"
#include "users/HashText.h"
#include "users/frmLogin.h"
#include "users/frmUser.h"

#include <QLineEdit>
#include <QPushButton>

class ScheduleLock : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        f = makeForm();
        f->show();
        QApplication::processEvents();
    }
    // Answers the log-in box (no password: Cancel) and gives the messages shown.
    QStringList toggleLock(const char* userName, const char* password)
    {
        fx.messages->shown.clear();
        OnModal<frmLogin> modal([&](frmLogin& d) {
            child<QLineEdit>(d, "txtUserName")->setText(QString::fromUtf8(userName));
            child<QLineEdit>(d, "txtPassword")->setText(QString::fromUtf8(password));
            child<QPushButton>(d, password ? "cmdOK" : "cmdCancel")->click();
        });
        click(*f, "mnuFileLockSchedule");
        EXPECT_EQ(modal.runs(), 1);
        return fx.messages->texts();
    }
    QAction* lock() const { return f->MenuAction(QStringLiteral("mnuFileLockSchedule")); }
    void openUser(std::function<void(frmUser&)> act)
    {
        OnModal<frmUser> modal(std::move(act));
        click(*f, "mnuFileUser");
        EXPECT_EQ(modal.runs(), 1);
    }
    // Name, password, confirmation and old password, then OK: the messages shown.
    QString save(frmUser& d, const QStringList& texts)
    {
        const char* boxes[] = {"txtUserName", "txtPassword1", "txtPassword2", "txtOldPassword"};
        for (int i = 0; i < 4; ++i)
            child<QLineEdit>(d, boxes[i])->setText(texts.value(i));
        fx.messages->shown.clear();
        child<QPushButton>(d, "cmdOK")->click();
        return fx.messages->texts().join(QLatin1Char('|'));
    }
    std::unique_ptr<frmCal> f;
};

TEST_F(ScheduleLock, UserBoxCredentialsAndTheLock)
{
    openUser([&](frmUser& d) {
        EXPECT_FALSE(child<QLineEdit>(d, "txtOldPassword")->isEnabled());
        // The confirmation compares as typed.
        EXPECT_EQ(save(d, {"Chief", "Ember42", "Ember42 "}),
                  QStringLiteral("Confirm password must the same as Password field"));
        EXPECT_EQ(child<QLineEdit>(d, "txtPassword2")->displayText(), QStringLiteral("********"));
        // Hashed as "?" each, "пароль" would be stored as the empty password.
        const QString cyrillic = QStringLiteral("\u043f\u0430\u0440\u043e\u043b\u044c");
        EXPECT_EQ(save(d, {"Chief", cyrillic, cyrillic}), Credentials::kUnhashableMessage);
        EXPECT_EQ(save(d, {"Chief", "Ember42", "Ember42"}), QStringLiteral("Chief Password Saved"));
    });
    // Stored as hashes under hashed keys, never in clear.
    EXPECT_EQ(storedSetting("Long", QString::number(HashText(QStringLiteral("Password")))),
              QString::number(HashText(QStringLiteral("EMBER42"))));
    const QByteArray text = readBytes(fx.settingsPath()).toUpper();
    EXPECT_TRUE(text.contains("[LONG]") && !text.contains("EMBER42") && !text.contains("CHIEF"))
        << text.constData();

    static const char kUnhashable[] = "refused: not in the code page";
    const struct {
        const char *userName, *password; // password nullptr: Cancel
        const char* message;             // nullptr: the lock changes; "": refused silently
    } cases[] = {
        {"Chief", "Ember42", nullptr},
        {"  chief ", " EMBER42  ", nullptr}, // case and outer blanks do not count
        {"Captain", "Ember42", "Invalid User Name"},
        {"Chief", "Ember43", "Invalid Password"},
        {"Chief", nullptr, ""},
        {"Chief", "\u043f\u0430\u0440\u043e\u043b\u044c", kUnhashable},
    };
    for (const auto& c : cases)
        for (bool wasLocked : {false, true}) {
            SCOPED_TRACE(std::string(c.userName) + (wasLocked ? " unlocking" : " locking"));
            f->Session().setLocked(wasLocked);
            EXPECT_EQ(toggleLock(c.userName, c.password).join(QString()),
                      c.message == kUnhashable ? Credentials::kUnhashableMessage
                                               : QString::fromLatin1(c.message ? c.message : ""));
            EXPECT_EQ(lock()->isChecked(), c.message ? wasLocked : !wasLocked);
        }

    const QString refusal =
        QStringLiteral("\r\nYou must enter the valid password for user selected.");
    openUser([&](frmUser& d) {
        EXPECT_TRUE(child<QLineEdit>(d, "txtOldPassword")->isEnabled());
        EXPECT_EQ(save(d, {"Chief", "Blaze7", "Blaze7", "wrong"}),
                  QStringLiteral("Invalid old password.") + refusal);
        EXPECT_EQ(save(d, {"Captain", "Blaze7", "Blaze7", "ember42"}),
                  QStringLiteral("Invalid User Name.") + refusal);
        EXPECT_EQ(save(d, {" chief", "Blaze7", "Blaze7", "ember42"}),
                  QStringLiteral(" chief Password Saved"));
    });
    f->Session().setLocked(false);
    EXPECT_EQ(toggleLock("Chief", "Ember42"), QStringList{QStringLiteral("Invalid Password")});
    EXPECT_EQ(toggleLock("Chief", "Blaze7"), QStringList{});
    f->close();
    EXPECT_EQ(storedSetting("Long", QStringLiteral("LockSchedule")), QStringLiteral("True"));
}
