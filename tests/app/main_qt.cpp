// Runs the viewer's tests inside a QApplication on the offscreen platform,
// with the per-user settings folder in a fresh temporary folder.
#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string config = (std::filesystem::temp_directory_path() / "vantor-app-XXXXXX").string();
    setenv("XDG_CONFIG_HOME", ::mkdtemp(config.data()), 1);
    QApplication app(argc, argv);
    vantor::InitHostFormUnit();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(config, ec);
    return result;
}
