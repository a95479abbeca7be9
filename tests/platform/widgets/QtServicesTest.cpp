#include "platform/widgets/QtServices.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Presses the button with the given text on the message box once it is up.
int answerWith(int style, const QString& buttonText)
{
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove('&') == buttonText)
                return b->click();
        if (buttonText == "Escape")
            return box->reject();
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        box->reject();
    });
    QtMessageBox real;
    return real.show("Question?", Msg::buttonsOf(style), Msg::iconOf(style), "Title");
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

// xdg-open can take seconds to find nothing to open a page with: the shell
// returns at once and tells the failure when the opener ends, however late.
TEST(QtShell, AnOpenerThatGivesUpIsToldWhenItEnds)
{
    QTemporaryDir bin;
    QFile opener(bin.filePath(QStringLiteral("xdg-open")));
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write("#!/bin/sh\nexit 3\n"); // "no method available"
    opener.close();
    opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    QEventLoop loop;
    bool told = false;
    QtShell shell;
    EXPECT_TRUE(shell.ShellOpen(QStringLiteral("https://example.invalid/help"), [&] {
        told = true;
        loop.quit();
    }));
    qputenv("PATH", path);
    EXPECT_FALSE(told) << "nothing is waited for";
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // only a broken shell waits this long
    loop.exec();
    EXPECT_TRUE(told);
}

// The save dialog shows each type as the filter writes it, and still filters
// by the pattern that follows it.
TEST(QtDialogs, SaveDialogShowsTypesAsWrittenAndFiltersByTheirPatterns)
{
    const QString filter = QStringLiteral("JPEG File Interchange Format (*.jpg,*.jpeg)|*.jpg") +
                           QStringLiteral("|Pictures|*.png;*.bmp");
    QStringList shown;
    QStringList patterns;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        types->setCurrentIndex(1);
        types->activated(1);
        if (auto* model = dialog->findChild<QFileSystemModel*>())
            patterns = model->nameFilters();
        dialog->reject();
    });
    QtDialogs dialogs;
    EXPECT_TRUE(
        dialogs.saveFileName(nullptr, QStringLiteral("Save As"), QString(), filter).isEmpty());
    EXPECT_EQ(shown, QStringList({QStringLiteral("JPEG File Interchange Format (*.jpg,*.jpeg)"),
                                  QStringLiteral("Pictures (*.png *.bmp)")}));
    EXPECT_EQ(patterns, QStringList({QStringLiteral("*.png"), QStringLiteral("*.bmp")}));
}
