// The structure pane: the "Struktur" button, the tree of the shown form as
// vantor-tool prints it, the click on the shown form that chooses a node,
// the outline around the chosen control and the double-click on an event
// line, driven with real mouse events.

#include "viewer.h"

#include "app/memocontrols.h"
#include "app/structurepane.h"
#include "framework/controls/containers.h"
#include "framework/controls/menus.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "sourceview/memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

using namespace vantor;

namespace {

const QStringList kDesignTimeTree = {
    QStringLiteral("Form1: TForm1"),
    QStringLiteral("  Panel1: TPanel"),
    QStringLiteral("    Button1: TButton"),
    QStringLiteral("  Grid1: TFancyGrid  [Platzhalter]"),
    QStringLiteral("    GridCell: TLabel"),
    QStringLiteral("  Header1: TPanel  [geerbt]"),
    QStringLiteral("  Frame11: TFrame1  [Platzhalter, inline]"),
    QStringLiteral("  ListBox1: TListBox"),
    QStringLiteral("  Image1: TImage"),
    QStringLiteral("  Timer1: TTimer  [nicht visuell]"),
};

int lineOf(const QString &unit, const QString &head)
{
    QFile file(unit);
    if (!file.open(QIODevice::ReadOnly))
        return -2;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(head))
            return i;
    return -1;
}

TEST(StructureTool, PrintsTheTreeWithItsMarks)
{
    QProcess tool;
    tool.start(QStringLiteral(VANTOR_TOOL),
               {QStringLiteral("tree"), QStringLiteral("--design-time"), testData(QStringLiteral("Structure.fmx"))});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, kDesignTimeTree);

    QProcess missing;
    missing.start(QStringLiteral(VANTOR_TOOL), {QStringLiteral("tree"), testData(QStringLiteral("nothere.fmx"))});
    ASSERT_TRUE(missing.waitForFinished(30000));
    EXPECT_EQ(missing.exitCode(), 2);
}

class StructureTest : public ::testing::Test
{
protected:
    StructureTest() : m_mouse(&mouse)
    {
        mouse.position = QPointF(120, 90);
        v.showAndWaitForFirstLoad();
    }
    ~StructureTest() override { closePopups(); }

    TF_FMXWindowDisplay &w() { return *v.window; }
    shell::TStructurePane &pane() { return *v.window->pnStruktur; }
    TControl *control(const QString &name) { return object_cast<TControl>(FindFormComponent(v.view().FormDyna, name)); }
    static void closePopups()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::processEvents();
    }
    void openPane()
    {
        QTest::mouseClick(w().bnStruktur->peer(), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    int nodeNamed(const std::string &name)
    {
        const auto &nodes = pane().Tree().nodes;
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (nodes[n].name == name)
                return int(n);
        return -1;
    }
    // The pane's lines as the tool prints them: the tree list's texts with
    // two blanks per level.
    QStringList paneLines()
    {
        QStringList lines;
        std::function<void(QTreeWidgetItem *, int)> visit = [&](QTreeWidgetItem *item, int depth) {
            lines << QString(2 * depth, QLatin1Char(' ')) + item->text(0);
            for (int i = 0; i < item->childCount(); ++i)
                visit(item->child(i), depth + 1);
        };
        for (int i = 0; i < pane().treeList()->topLevelItemCount(); ++i)
            visit(pane().treeList()->topLevelItem(i), 0);
        return lines;
    }
    QStringList propertyColumn(int column)
    {
        QStringList texts;
        QTreeWidget *list = pane().propertyList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(column);
        return texts;
    }
    void clickNode(int node)
    {
        QTreeWidget *list = pane().treeList();
        QTreeWidgetItem *item = pane().itemOfNode(node);
        ASSERT_NE(item, nullptr);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    RecordingMouseService mouse;
    Viewer v{{testData(QStringLiteral("Structure.fmx"))}};

private:
    ScopedMouse m_mouse;
};

TEST_F(StructureTest, TheButtonShowsThePaneInTheReservedBand)
{
    // The window starts as before: the pane hidden, the form view as wide as
    // the band allows.
    EXPECT_FALSE(pane().Visible());
    EXPECT_EQ(w().bnStruktur->Text(), "Struktur");
    EXPECT_TRUE(w().bnStruktur->StaysPressed());
    EXPECT_FALSE(w().bnStruktur->IsPressed());
    EXPECT_EQ(w().bnStruktur->BoundsRect(), QRectF(698, 3, 61, 22));
    EXPECT_EQ(w().TabSRCView->BoundsRect(), QRectF(0, 27, 920, 458));
    const QRectF frame = w().Selection1->BoundsRect();

    openPane();
    EXPECT_TRUE(w().bnStruktur->IsPressed());
    EXPECT_TRUE(pane().Visible());
    EXPECT_EQ(pane().BoundsRect(), QRectF(710, 27, 210, 458));
    EXPECT_EQ(w().TabSRCView->BoundsRect(), QRectF(0, 27, 710, 458));
    // The pane shows what the tool prints, from the same model.
    v.window->bnDT->Click();
    EXPECT_EQ(paneLines(), kDesignTimeTree);
    EXPECT_EQ(pane().treeList()->headerItem()->text(0), "Struktur");
    EXPECT_EQ(pane().propertyList()->headerItem()->text(0), "Eigenschaften");

    openPane();
    EXPECT_FALSE(w().bnStruktur->IsPressed());
    EXPECT_FALSE(pane().Visible());
    EXPECT_EQ(w().TabSRCView->BoundsRect(), QRectF(0, 27, 920, 458));
    EXPECT_EQ(w().Selection1->BoundsRect().size(), frame.size());
}

TEST_F(StructureTest, AClickOnAButtonChoosesItsNodeAndListsItsProperties)
{
    openPane();
    TControl *button = control(QStringLiteral("Button1"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button->peer(), Qt::LeftButton);

    // The click command did what it always does.
    EXPECT_EQ(w().lbClassInfo->Text(), "Button1 (Klasse: TButton)");
    ASSERT_EQ(w().popEvents->items().size(), 4u);
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    closePopups();

    // And the node is chosen, its properties listed in file order.
    const int node = nodeNamed("Button1");
    ASSERT_GE(node, 0);
    EXPECT_EQ(pane().ChosenNode(), node);
    EXPECT_EQ(pane().treeList()->currentItem(), pane().itemOfNode(node));
    EXPECT_EQ(propertyColumn(0),
              (QStringList{"Position.X", "Position.Y", "Size.Width", "Size.Height", "Size.PlatformDefault", "TabOrder",
                           "Text", "Hint", "OnClick", "OnMouseEnter"}));
    const QStringList values = propertyColumn(1);
    ASSERT_EQ(values.size(), 10);
    EXPECT_EQ(values[0], "20.000000000000000000");
    EXPECT_EQ(values[6], "'Button1'");
    // The two-line hint on one line with its size, the whole of it in the tool tip.
    EXPECT_EQ(values[7].toStdString(), "'A hint that goes on for a while, long en…' (91 Zeichen)");
    QTreeWidgetItem *hint = pane().propertyList()->topLevelItem(7);
    EXPECT_TRUE(hint->toolTip(1).contains(QLatin1String("'two lines of the form text.'")));
    EXPECT_EQ(values[8], "Button1Click");
    // Event lines are marked; the others are not.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(pane().propertyList()->topLevelItem(i)->font(0).bold(), i >= 8) << i;

    // A placeholder's click finds the node of its line; it names the class
    // the file gives.
    TControl *placeholder = control(QStringLiteral("Grid12222"));
    ASSERT_NE(placeholder, nullptr);
    QTest::mouseClick(placeholder->peer(), Qt::LeftButton);
    closePopups();
    EXPECT_EQ(pane().ChosenNode(), nodeNamed("Grid1"));
    EXPECT_EQ(propertyColumn(0).last(), "Columns");
    EXPECT_EQ(propertyColumn(1).last(), "<…> 2 Elemente");
    EXPECT_EQ(w().lbClassInfo->Text(), "Grid1 (Klasse: TLabel)");
}

TEST_F(StructureTest, AClickWithThePaneShutChoosesNothing)
{
    QTest::mouseClick(control(QStringLiteral("Button1"))->peer(), Qt::LeftButton);
    closePopups();
    EXPECT_EQ(w().lbClassInfo->Text(), "Button1 (Klasse: TButton)");
    EXPECT_EQ(pane().ChosenNode(), -1);
    EXPECT_EQ(w().StructureOutline(), nullptr);
}

TEST_F(StructureTest, ChoosingANodeDrawsTheOutlineAroundItsControl)
{
    openPane();
    const QRectF frame = w().Selection1->BoundsRect();
    clickNode(nodeNamed("Button1"));
    ASSERT_EQ(pane().ChosenNode(), nodeNamed("Button1"));
    QCoreApplication::processEvents();

    QWidget *area = w().panelx->peer();
    QWidget *button = control(QStringLiteral("Button1"))->peer();
    const QRect inner(button->mapTo(area, QPoint(0, 0)), button->size());
    const QImage picture = area->grab().toImage();
    const QColor outline = shell::SelectionOutline::colour();
    const int d = shell::SelectionOutline::kWidth;
    // The bars stand just outside the control on all four sides; the
    // control itself is not painted over.
    const QPoint outside[] = {
        {inner.center().x(), inner.top() - 1},  {inner.center().x(), inner.bottom() + 1},
        {inner.left() - 1, inner.center().y()}, {inner.right() + 1, inner.center().y()},
        {inner.left() - d, inner.top() - d},    {inner.right() + d, inner.bottom() + d},
    };
    for (const QPoint &p : outside)
        EXPECT_EQ(picture.pixelColor(p), outline) << p.x() << "," << p.y();
    EXPECT_NE(picture.pixelColor(inner.center()), outline);
    EXPECT_NE(picture.pixelColor(inner.left() - d - 2, inner.center().y()), outline);
    // The resize frame stays where it was.
    EXPECT_EQ(w().Selection1->BoundsRect(), frame);

    // The root and a component the form does not build have no outline.
    clickNode(nodeNamed("GridCell"));
    EXPECT_EQ(pane().ChosenNode(), nodeNamed("GridCell"));
    EXPECT_FALSE(w().StructureOutline()->isVisible());
    EXPECT_EQ(propertyColumn(0), QStringList{"Text"});

    // In the design-time view a non-visual component is outlined by its marker.
    w().bnDT->Click();
    ASSERT_TRUE(pane().HasTree());
    clickNode(nodeNamed("Timer1"));
    ASSERT_NE(w().StructureOutline(), nullptr);
    EXPECT_TRUE(w().StructureOutline()->isVisible());
    TComponent *marker = w().StructureComponentOfNode(nodeNamed("Timer1"));
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(marker->Name().startsWith(QLatin1String("Du_TTimer_")));
    EXPECT_EQ(w().StructureOutline()->target(), object_cast<TControl>(marker)->peer());

    // Shutting the pane takes the outline away.
    openPane();
    EXPECT_FALSE(w().StructureOutline()->isVisible());
}

TEST_F(StructureTest, DoubleClickOnAnEventLineShowsTheHandler)
{
    openPane();
    clickNode(nodeNamed("Button1"));
    QTreeWidget *list = pane().propertyList();
    QTreeWidgetItem *onClick = list->topLevelItem(8);
    ASSERT_NE(onClick, nullptr);
    ASSERT_EQ(onClick->text(0), "OnClick");

    // A double click is a click and then the double click itself.
    const auto doubleClick = [list](QTreeWidgetItem *item) {
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    // A double-click on a line that is no event does nothing.
    doubleClick(list->topLevelItem(0));
    EXPECT_EQ(w().TabSRCView->TabIndex(), 0);

    doubleClick(onClick);
    EXPECT_EQ(w().TabSRCView->TabIndex(), 1);
    EXPECT_TRUE(w().bnPas->IsPressed());
    const int head =
        lineOf(testData(QStringLiteral("Structure.pas")), QStringLiteral("procedure TForm1.Button1Click("));
    ASSERT_GT(head, 0);
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(), head);
    // The pane stays beside the source.
    EXPECT_TRUE(pane().Visible());
}

TEST_F(StructureTest, EveryPresentationRenewsTheTreeAndAFailedOneEmptiesIt)
{
    openPane();
    clickNode(nodeNamed("Button1"));
    w().GetForm(testData(QStringLiteral("Events.fmx")), true);
    EXPECT_EQ(pane().ChosenNode(), -1);
    EXPECT_EQ(pane().ShownForm(), v.view().FormDyna);
    EXPECT_EQ(paneLines().first(), "Form1: TForm1");
    EXPECT_GE(nodeNamed("Rectangle1"), 0);
    EXPECT_EQ(pane().propertyList()->topLevelItemCount(), 0);

    w().GetForm(testData(QStringLiteral("broken.fmx")), true);
    EXPECT_FALSE(pane().HasTree());
    EXPECT_EQ(pane().treeList()->topLevelItemCount(), 0);

    // A form loaded while the pane is shut is there when it opens.
    openPane();
    w().GetForm(testData(QStringLiteral("Structure.fmx")), true);
    EXPECT_FALSE(pane().HasTree());
    openPane();
    EXPECT_EQ(pane().ShownForm(), v.view().FormDyna);
    EXPECT_GE(nodeNamed("Timer1"), 0);
}

} // namespace
