// Screenshots of the main window in each platform look. A test fails when
// its look is not applied: the toggled-on "RT" button takes the look's
// colour. With VANTOR_SCREENSHOT_DIR set, the pictures are kept there.

#include "viewer.h"

#include "framework/controls/standard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>

using namespace vantor;

namespace {

struct Look
{
    const char *name;
    const char *file;
    QRgb toggledButton; // background of a button that stays pressed, as the look paints it
};

class Looks : public testing::TestWithParam<Look>
{
};

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3
           && std::abs(qBlue(a) - qBlue(b)) <= 3;
}

QImage grabWindow(TF_FMXWindowDisplay &w, const char *name)
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QImage image = w.peer()->grab().toImage();
    if (const char *dir = std::getenv("VANTOR_SCREENSHOT_DIR"))
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    return image;
}

} // namespace

TEST_P(Looks, TheLookIsApplied)
{
    const Look look = GetParam();
    Viewer v({testData(QString::fromLatin1(look.file))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    ASSERT_NE(v.view().FormDyna, nullptr);
    const QImage image = grabWindow(w, look.name);

    // A point inside the "RT" button, left of its caption.
    const QRectF rt = w.bnRT->AbsoluteRect();
    const QPoint probe(int(rt.left()) + 6, int(rt.center().y()));
    const QRgb pixel = image.pixel(probe);
    EXPECT_TRUE(near(pixel, look.toggledButton))
        << look.name << ": got " << QColor(pixel).name().toStdString() << ", want "
        << QColor(look.toggledButton).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Platforms, Looks,
                         testing::Values(Look{"windows8", "Look.fmx", qRgb(0xCC, 0xE4, 0xF7)},
                                         Look{"macos", "Look.Macintosh.fmx", qRgb(0x3E, 0x8A, 0xF0)},
                                         Look{"android", "Look.XLgXhdpiTb.fmx", qRgb(0x33, 0xB5, 0xE5)},
                                         Look{"ios", "Look.iPad.fmx", qRgb(0x00, 0x7A, 0xFF)}),
                         [](const testing::TestParamInfo<Look> &info) { return std::string(info.param.name); });

TEST(Looks, DesignTimeView)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    v.window->bnDT->Click();
    const QImage image = grabWindow(*v.window, "designtime");
    // "DT" is now the toggled-on button.
    const QRectF dt = v.window->bnDT->AbsoluteRect();
    EXPECT_TRUE(near(image.pixel(int(dt.left()) + 6, int(dt.center().y())), qRgb(0xCC, 0xE4, 0xF7)));
}
