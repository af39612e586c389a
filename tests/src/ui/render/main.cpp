// The renders need a QApplication for the whole run. They draw offscreen, on
// a screen the size of a common desktop at 96 dots per inch: message boxes
// take their width from the screen, and the small default offscreen screen
// would break their lines where a user's desktop does not.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (the build does it to register them) needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KALMORA_RENDER_SCREEN);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
