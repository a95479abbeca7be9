#include <QApplication>
#include <QLocale>
#include <algorithm>
#include <gtest/gtest.h>

#include "support/TestEnvironment.h"
#include <memory>

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    // Month and weekday names and the first weekday are pinned for every test.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Listing the tests (CTest discovery) needs no window system.
    std::unique_ptr<QApplication> app;
    if (std::find(argv + 1, argv + argc, std::string("--gtest_list_tests")) == argv + argc)
        app = std::make_unique<QApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
