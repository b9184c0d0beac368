// Presenting the loaded form: missing classes, reload commands, failures,
// platform styles, screen scale and the resize frame.

#include "viewer.h"

#include "app/handoffrequests.h"
#include "app/styles.h"
#include "framework/controls/lists.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "tests/fixtures/styledforms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QImage>
#include <QWidget>

using namespace vantor;

namespace {

QStringList lines(const TListBox *list) { return list->Items()->lines(); }

} // namespace

TEST(Presenting, ListsMissingClassesAndShowsThePanelOnlyWhenThereAreSome)
{
    Viewer v({testData(QStringLiteral("missing.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    EXPECT_EQ(lines(w.lbMissing), QStringList{QStringLiteral("TFancyGrid")});
    EXPECT_TRUE(w.pnMissingClasses->Visible());
    EXPECT_TRUE(v.view().NeedFullWin);
    EXPECT_EQ(v.view().FormDyna->BorderStyle(), TFmxFormBorderStyle::None);

    w.GetForm(testData(QStringLiteral("plain.fmx")), true);
    EXPECT_TRUE(lines(w.lbMissing).isEmpty());
    EXPECT_FALSE(w.pnMissingClasses->Visible());
    EXPECT_FALSE(v.view().NeedFullWin);
    EXPECT_EQ(w.lbFMXFileName->Text(), "plain.fmx");
}

TEST(Presenting, AFormThatCannotBeBuiltShowsTheErrorAndKeepsTheRest)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    w.GetForm(testData(QStringLiteral("broken.fmx")), true);
    // The previous form is gone, nothing new is shown.
    EXPECT_TRUE(w.panelx->children().empty());
    ASSERT_EQ(lines(w.lbMissing).size(), 1);
    EXPECT_TRUE(lines(w.lbMissing)[0].startsWith(QStringLiteral("Fehler: ")));
    EXPECT_TRUE(w.pnMissingClasses->Visible());
    EXPECT_EQ(w.lbFMXFileName->Text(), "plain.fmx");
    EXPECT_EQ(w.AFMXFile, testData(QStringLiteral("plain.fmx")));
}

TEST(Presenting, ReloadCommandsSwitchTheViewAndReloadTheForm)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;

    w.bnDT->Click();
    EXPECT_TRUE(w.bnDT->IsPressed());
    EXPECT_FALSE(w.bnRT->IsPressed());
    EXPECT_FALSE(w.RTView);
    ASSERT_NE(v.view().FormDyna, nullptr);
    // The design-time view marks the non-visual timer with a square.
    bool marker = false;
    for (TComponent *c : v.view().FormDyna->components())
        marker |= c->Name().startsWith(QStringLiteral("Du_TTimer_"));
    EXPECT_TRUE(marker);

    // "FMX" always loads the run-time view and leaves "DT" pressed.
    w.TabSRCView->SetTabIndex(1);
    w.bnFMX->Click();
    EXPECT_EQ(w.TabSRCView->TabIndex(), 0);
    EXPECT_TRUE(w.bnDT->IsPressed());
    EXPECT_TRUE(w.bnFMX->IsPressed());
    EXPECT_FALSE(w.bnPas->IsPressed());
    marker = false;
    for (TComponent *c : v.view().FormDyna->components())
        marker |= c->Name().startsWith(QStringLiteral("Du_"));
    EXPECT_FALSE(marker);

    // "RT" while the source tab is in front: reloaded, the tab stays.
    w.TabSRCView->SetTabIndex(1);
    TF_FMXDummy *before = v.view().FormDyna;
    w.bnRT->Click();
    EXPECT_TRUE(w.bnRT->IsPressed());
    EXPECT_FALSE(w.bnDT->IsPressed());
    EXPECT_TRUE(w.RTView);
    EXPECT_EQ(w.TabSRCView->TabIndex(), 1);
    EXPECT_NE(v.view().FormDyna, nullptr);
    static_cast<void>(before);
    EXPECT_TRUE(v.recorder.messages.isEmpty());
}

TEST(Presenting, ReloadsOfAUnitSourceLoadTheFormBesideIt)
{
    Viewer v({testData(QStringLiteral("Unit1.PAS"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    EXPECT_EQ(v.view().FormDyna, nullptr);
    w.bnDT->Click();
    ASSERT_NE(v.view().FormDyna, nullptr);
    EXPECT_EQ(w.lbFMXFileName->Text(), "Unit1.fmx");
    EXPECT_EQ(w.AFMXFile, testData(QStringLiteral("Unit1.fmx")));
}

TEST(Presenting, ReloadWithoutAFormFileOnlyChangesTheButtons)
{
    Viewer v({testData(QStringLiteral("Project1.dpr"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    w.bnDT->Click();
    EXPECT_TRUE(w.bnDT->IsPressed());
    EXPECT_FALSE(w.bnRT->IsPressed());
    EXPECT_FALSE(w.RTView);
    EXPECT_EQ(v.view().FormDyna, nullptr);
    EXPECT_TRUE(v.recorder.messages.isEmpty());
}

TEST(Presenting, PlatformStylesFollowTheFormsPlatform)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    const QString win8 = [] {
        QFile f(QString::fromLatin1(kWin8StyleResource));
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    }();
    ASSERT_FALSE(win8.isEmpty());

    struct Step
    {
        const char *file;
        TStyleBook *TF_FMXWindowDisplay::*book; // nullptr member: no book
    };
    const Step steps[] = {
        {"Look.Macintosh.fmx", &TF_FMXWindowDisplay::StyleBookMac},
        {"Look.iPhone.fmx", &TF_FMXWindowDisplay::StyleBookMac}, // iPhone keeps the previous look
        {"Look.XLgXhdpiTb.fmx", &TF_FMXWindowDisplay::StyleBookAndroid},
        {"Look.iPad.fmx", &TF_FMXWindowDisplay::StyleBookiPhonePadModern},
        {"Look.fmx", nullptr},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.file);
        qApp->setStyleSheet(QString());
        w.GetForm(testData(QString::fromLatin1(s.file)), true);
        TComponent *expected = s.book ? static_cast<TComponent *>(w.*s.book) : nullptr;
        EXPECT_EQ(w.StyleBook(), expected);
        EXPECT_EQ(w.peer()->styleSheet(), styleSheetOfBook(object_cast<TStyleBook>(expected)));
        // The label names the file given, not its master form.
        EXPECT_EQ(w.lbFMXFileName->Text(), QString::fromLatin1(s.file));
        if (!s.book)
            EXPECT_EQ(qApp->styleSheet(), win8);
        else
            EXPECT_FALSE(w.peer()->styleSheet().isEmpty());
    }
}

TEST(Presenting, AMissingApplicationStyleLeavesTheActiveStyle)
{
    qApp->setStyleSheet(QStringLiteral("QPushButton { color: red; }"));
    EXPECT_FALSE(SetApplicationStyleFromResource(QStringLiteral(":/no/such/style")));
    EXPECT_EQ(qApp->styleSheet(), "QPushButton { color: red; }");
    EXPECT_TRUE(SetApplicationStyleFromResource(QString::fromLatin1(kWin8StyleResource)));
}

TEST(Presenting, ScreenScaleAbove96DpiScalesTheWholeWindow)
{
    struct Case
    {
        double dpi;
        double scale;
    };
    for (const Case c : {Case{96, 1.0}, Case{72, 1.0}, Case{120, 1.25}, Case{144, 1.5}}) {
        SCOPED_TRACE(c.dpi);
        setScreenDpiSource([&] { return c.dpi; });
        Viewer v({testData(QStringLiteral("plain.fmx"))});
        v.showAndWaitForFirstLoad();
        EXPECT_DOUBLE_EQ(ScreenScale(), c.dpi / 96);
        EXPECT_DOUBLE_EQ(v.window->Layout1->Scale()->X(), c.scale);
        EXPECT_DOUBLE_EQ(v.window->Layout1->Scale()->Y(), c.scale);
    }
    setScreenDpiSource(nullptr);
}

TEST(Presenting, TheResizeFrameResizesTheFormsArea)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    w.bnSize->Click();
    EXPECT_TRUE(w.Selection1->HitTest());
    const QRectF start = w.Selection1->BoundsRect();
    w.Selection1->dragTo(SelectionGrip::BottomRight, start, QPointF(50, 20));
    w.Selection1->endDrag();
    EXPECT_EQ(w.Rectangle1->BoundsRect(), QRectF(0, 0, 360, 230));
    EXPECT_EQ(w.panelx->BoundsRect(), QRectF(8, 8, 344, 214));
    // Releasing "Size" keeps the size until the next presentation.
    w.bnSize->Click();
    EXPECT_FALSE(w.Selection1->HitTest());
    EXPECT_EQ(w.Rectangle1->BoundsRect(), QRectF(0, 0, 360, 230));
    w.GetForm(testData(QStringLiteral("plain.fmx")), true);
    EXPECT_EQ(w.Rectangle1->BoundsRect(), QRectF(0, 0, 310, 210));
}

TEST(Presenting, AFrameIsShownAtItsOwnSizeWithItsContent)
{
    Viewer v({testData(QStringLiteral("frame.fmx"))});
    v.showAndWaitForFirstLoad();
    auto &w = *v.window;
    // The frame rectangle holds the panel's margins around the frame, so the
    // panel is the frame's size; the aligned children fill it.
    EXPECT_EQ(w.Rectangle1->BoundsRect(), QRectF(0, 0, 316, 216));
    EXPECT_EQ(w.panelx->BoundsRect(), QRectF(8, 8, 300, 200));
    EXPECT_EQ(w.Selection1->BoundsRect(), w.Rectangle1->BoundsRect());
    const QImage picture = w.panelx->peer()->grab().toImage();
    ASSERT_EQ(picture.size(), QSize(300, 200));
    EXPECT_EQ(picture.pixel(150, 90), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(297, 176), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(150, 190), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(297, 197), qRgb(0, 0, 255));
}

TEST(Presenting, AnEditStyledByTheFormsBookShowsItsTextOverTheStyle)
{
    // A blue field whose content (where the text goes) starts 30 from the left.
    const char *blueEdit =
        "object TLayout\n  StyleName = 'blueedit'\n"
        "  object TRectangle\n    StyleName = 'background'\n    Align = Contents\n    Fill.Color = claBlue\n"
        "    Stroke.Kind = None\n  end\n"
        "  object TLayout\n    StyleName = 'content'\n    Margins.Left = 30.000000000000000000\n  end\nend\n";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("styled.fmx"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray::fromStdString(vantor::test::styledForm(
        vantor::test::styleResource({{"redbutton", vantor::test::kRedButtonStyle}, {"blueedit", blueEdit}}),
        "  object Edit1: TEdit\n    Position.X = 150.000000000000000000\n    Position.Y = 10.000000000000000000\n"
        "    Size.Width = 140.000000000000000000\n    Size.Height = 30.000000000000000000\n"
        "    Size.PlatformDefault = False\n    StyleLookup = 'blueedit'\n    Text = 'WWWW'\n"
        "    TextSettings.FontColor = claWhite\n    StyledSettings = [Family, Size, Style]\n  end\n"
        "  object List1: TListBox\n    Position.X = 150.000000000000000000\n    Position.Y = 60.000000000000000000\n"
        "    Size.Width = 140.000000000000000000\n    Size.Height = 100.000000000000000000\n"
        "    Size.PlatformDefault = False\n    StyleLookup = 'blueedit'\n  end\n")));
    out.close();

    // The viewer's own style sheet must not draw the edit's frame and fill over the style.
    Viewer v({file});
    v.showAndWaitForFirstLoad();
    auto *edit = object_cast<TControl>(FindFormComponent(v.view().FormDyna, QStringLiteral("Edit1")));
    ASSERT_NE(edit, nullptr);
    const QImage image = edit->peer()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(140, 30));
    const auto isBlue = [](QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };
    const auto isWhite = [](QColor c) { return c.blue() > 200 && c.red() > 200 && c.green() > 200; };
    int blue = 0, whiteLeft = 0, whiteText = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            blue += isBlue(c);
            (x < 28 ? whiteLeft : whiteText) += isWhite(c);
        }
    EXPECT_GT(blue, 140 * 30 / 2);
    EXPECT_GT(whiteText, 20); // the text, in white, right of the content's margin
    EXPECT_EQ(whiteLeft, 0);

    // A list under the style shows it through its view and its rows' area.
    auto *list = object_cast<TControl>(FindFormComponent(v.view().FormDyna, QStringLiteral("List1")));
    ASSERT_NE(list, nullptr);
    const QImage listImage = list->peer()->grab().toImage();
    int listBlue = 0;
    for (int y = 0; y < listImage.height(); ++y)
        for (int x = 0; x < listImage.width(); ++x)
            listBlue += isBlue(listImage.pixelColor(x, y));
    EXPECT_GT(listBlue, listImage.width() * listImage.height() * 9 / 10);
}
