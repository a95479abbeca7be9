// The log-in and user boxes as a screen reader reads them.
#include "mainwindow/MainWindowTestSupport.h"
#include "support/AccessibleNames.h"
#include "support/ModalDialogs.h"
#include "users/frmLogin.h"
#include "users/frmUser.h"

using LockWindowsAccessible = MainWindowTest;

TEST_F(LockWindowsAccessible, EveryBoxIsNamedByItsLabel)
{
    frmLogin login(nullptr);
    frmUser user(nullptr);
    login.show();
    user.show();
    EXPECT_EQ(unnamedControls(&login), "");
    EXPECT_EQ(unnamedControls(&user), "");
    const struct {
        QWidget& window;
        const char* box;
        const char* name;
    } named[] = {{login, "txtUserName", "User Name:"},
                 {login, "txtPassword", "Password:"},
                 {user, "txtPassword2", "Confirmation Password:"},
                 {user, "txtOldPassword", "Old Password:"}};
    for (const auto& n : named)
        EXPECT_EQ(spokenName(child<QWidget>(n.window, n.box)), n.name) << n.box;
}
