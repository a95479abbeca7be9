#include <QApplication>
#include <QLocale>
#include <cstring>
#include <gtest/gtest.h>

#include "support/TestEnvironment.h"
#include <memory>

int main(int argc, char** argv)
{
    prepareTestEnvironment();
    // Month and weekday names and the first weekday are pinned for every test.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Listing the tests (CTest discovery) needs no window system.
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    std::unique_ptr<QApplication> app;
    if (!listing)
        app = std::make_unique<QApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
