#include "support/inifile.h"
#include "support/paths.h"
#include "support/windowpos_qt.h"

#include "framework/forms.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vantor {
namespace {

std::string stored(const std::string &ini)
{
    const std::string text = readAll(ini);
    const auto pos = text.find("Main=");
    return pos == std::string::npos ? std::string() : text.substr(pos + 5, text.find('\n', pos) - pos - 5);
}

TEST(WidgetWindowPosTest, RestoresMaximizedAndReturnsToTheStoredRectangle)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    WriteIniString(ini, windowPosSection(GetCurrentUserName()), "Main", "10#20#800#600#2#");

    QWidget w;
    ASSERT_TRUE(RestoreWindowPos(&w, "Main", ini));
    w.show();
    EXPECT_TRUE(w.isMaximized());
    w.showNormal();
    EXPECT_EQ(w.pos(), QPoint(10, 20));
    EXPECT_EQ(w.size(), QSize(800, 600));
}

TEST(WidgetWindowPosTest, SavesTheNormalRectangleOfAMaximizedWindowWithItsState)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    QWidget w;
    w.move(-300, 40);
    w.resize(700, 500);
    w.show();
    SaveWindowPos(&w, "Main", ini);
    EXPECT_EQ(stored(ini), "-300#40#700#500#0#");

    w.showMaximized();
    ASSERT_TRUE(w.isMaximized());
    SaveWindowPos(&w, "Main", ini);
    EXPECT_EQ(stored(ini), "-300#40#700#500#2#");

    QWidget next;
    ASSERT_TRUE(RestoreWindowPos(&next, "Main", ini));
    next.show();
    EXPECT_TRUE(next.isMaximized());
}

TEST(WidgetWindowPosTest, ReplacesSizesOutsideTheLimitsFromTheScreen)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    WriteIniString(ini, windowPosSection(GetCurrentUserName()), "Main", "10#20#5000#50#0#");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QWidget w;
    ASSERT_TRUE(RestoreWindowPos(&w, "Main", ini));
    EXPECT_EQ(w.size(), QSize(screen.width() - 200, screen.height() - 200));
    EXPECT_FALSE(w.isMaximized());
}

TEST(FormWindowPosTest, FormRoundTripsThroughItsOwnProperties)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    TForm form(nullptr);
    form.SetLeft(33);
    form.SetTop(44);
    form.SetWidth(920);
    form.SetHeight(598);
    SaveWindowPos(form, "Main", ini); // no window made yet: the properties count
    EXPECT_EQ(stored(ini), "33#44#920#598#0#");

    TForm restored(nullptr);
    ASSERT_TRUE(RestoreWindowPos(restored, "Main", ini));
    EXPECT_EQ(restored.Left(), 33);
    EXPECT_EQ(restored.Top(), 44);
    EXPECT_EQ(restored.Width(), 920);
    EXPECT_EQ(restored.Height(), 598);
    restored.Show();
    EXPECT_EQ(restored.peer()->pos(), QPoint(33, 44));
    SaveWindowPos(restored, "Main", ini); // now from its window
    EXPECT_EQ(stored(ini), "33#44#920#598#0#");
}

} // namespace
} // namespace vantor
