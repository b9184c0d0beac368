// Runs the framework tests inside a QApplication on the offscreen platform,
// so that peers can be made, shown and clicked without a display.
#include <gtest/gtest.h>

#include "framework/fonts.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // The faces the viewer draws with, so that what tests measure is what is shown.
    vantor::installFrameworkFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
