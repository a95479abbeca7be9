#include "platform/widgets/QtServices.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"
#include "support/FileBytes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// Presses the button with the given text on the message box once it is up.
int answerWith(int style, const QString& buttonText)
{
    QString seenTitle;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove('&') == buttonText)
                return b->click();
        if (buttonText == "Escape")
            return box->reject();
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        box->reject();
    });
    QtMessageBox real;
    const int answer = real.show("Question?", Msg::buttonsOf(style), Msg::iconOf(style), "Title");
    EXPECT_EQ(seenTitle, "Title");
    return answer;
}
} // namespace

TEST(QtMessageBox, MapsPressedButtonsToAnswers)
{
    // The box's style, the button pressed, the answer.
    for (const auto& [style, press, answer] :
         {std::tuple{int(Msg::YesNoCancel | Msg::Question), "Yes", int(Msg::Yes)},
          {Msg::YesNoCancel, "No", Msg::No},
          {Msg::YesNoCancel, "Cancel", Msg::Cancel},
          {Msg::YesNoCancel, "Escape", Msg::Cancel},
          {Msg::OKOnly | Msg::Critical, "OK", Msg::OK},
          {Msg::OKCancel, "Cancel", Msg::Cancel}})
        EXPECT_EQ(answerWith(style, press), answer) << press;
}

TEST(OleColor, LowByteIsRedAndSystemColoursComeFromThePalette)
{
    EXPECT_EQ(OleColor::toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(OleColor::toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(OleColor::fromQColor(QColor(0x12, 0x34, 0x56)), 0x563412);
    QPalette p;
    p.setColor(QPalette::Base, QColor(1, 2, 3));
    p.setColor(QPalette::Text, QColor(4, 5, 6));
    p.setColor(QPalette::Button, QColor(7, 8, 9));
    EXPECT_EQ(OleColor::toQColor(OleColor::WindowBackground, p), QColor(1, 2, 3));
    EXPECT_EQ(OleColor::toQColor(OleColor::WindowText, p), QColor(4, 5, 6));
    EXPECT_EQ(OleColor::toQColor(OleColor::ButtonFace, p), QColor(7, 8, 9));
}

// xdg-open that starts and then finds no program for the page must not count
// as opened: the help command then tells the user where the page is.
TEST(QtShell, AnOpenerThatFindsNoProgramIsAFailure)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
    for (const auto& [script, opened] :
         {std::pair{"echo 'xdg-open: no method available' >&2; exit 3", false}, {"exit 0", true}}) {
        SCOPED_TRACE(script);
        writeBytes(bin.filePath("xdg-open"), QByteArray("#!/bin/sh\n") + script + "\n");
        QFile::setPermissions(bin.filePath("xdg-open"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(QtShell().ShellOpen(bin.filePath("help.html")), opened);
    }
    qputenv("PATH", savedPath);
}
