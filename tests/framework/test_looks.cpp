// Looks: stock style names give controls a drawn look of their own; unknown
// names keep the default; a source of higher precedence wins; the mouse
// reaches a looked control as before.
#include "framework/controls/bars.h"
#include "framework/controls/buttons.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/forms.h"
#include "framework/looks.h"
#include "framework/stocklooks.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

using namespace vantor;

namespace {

QImage grab(TControl *control)
{
    return control->peer()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Pixels clearly darker than the light backgrounds of the looks.
int darkPixels(const QImage &image, const QRect &area, int below = 150)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && c.lightness() < below)
                ++n;
        }
    return n;
}

int lightPixels(const QImage &image, const QRect &area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).lightness() > 235)
                ++n;
    return n;
}

struct Fixture
{
    TComponent host{nullptr};
    TForm *form = new TForm(&host);
    Fixture()
    {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        form->Show();
    }
    template<class T> T *add(TFmxObject *parent, const QString &lookup, QRectF bounds, const QString &text = {})
    {
        auto *c = new T(&host);
        c->SetParent(parent);
        c->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
        if constexpr (std::is_base_of_v<TTextControl, T>)
            c->SetText(text);
        c->SetStyleLookup(lookup);
        c->peer();
        return c;
    }
};

struct ClickCount
{
    int clicks = 0;
    void onClick(TObject *) { ++clicks; }
};

} // namespace

TEST(Looks, DrawnLookNamesTheStockLookOrTheDefault)
{
    Fixture f;
    auto *list = f.add<TListBox>(f.form, QString(), {0, 0, 200, 200});
    const struct
    {
        const char *cls;
        const char *lookup;
        const char *drawn;
    } cases[] = {
        {"TButton", "toolbutton", "stock:toolbutton"},
        {"TButton", "ToolButton", "stock:toolbutton"},          // letter case does not matter
        {"TSpeedButton", "trashtoolbutton", "stock:trashtoolbutton"},
        {"TSpeedButton", "refreshtoolbuttonbordered", "stock:refreshtoolbuttonbordered"},
        {"TSpeedButton", "arrowuptoolbuttonborderedleft", "stock:arrowuptoolbuttonborderedleft"},
        {"TButton", "tintedbutton", "stock:tintedbutton"},
        {"TLabel", "toollabel", "stock:toollabel"},
        {"TLabel", "EmbossedLabel", "stock:embossedlabel"},
        {"TListBoxItem", "listboxitemrightdetail", "stock:listboxitemrightdetail"},
        {"TListBox", "transparentlistboxstyle", "stock:transparentlistboxstyle"},
        {"TEdit", "transparentedit", "stock:transparentedit"},
        {"TToolBar", "bottomtoolbar", "stock:bottomtoolbar"},
        {"TButton", "", "default"},
        {"TButton", "Button1Style1", "default"},               // a form's own style: not ours
        {"TButton", "nosuchtoolbutton", "default"},
        {"TSpeedButton", "speedbuttonstyle", "default"},       // the class's own default style
        {"TButton", "speedbuttonstyle", "stock:speedbuttonstyle"}, // ... on another class it makes it flat
        {"TToolBar", "toolbarstyle", "default"},
        {"TButton", "buttonstyle", "default"},
        {"TSpeedButton", "buttonstyle", "stock:buttonstyle"},    // a raised push button
    };
    for (const auto &c : cases) {
        TControl *control = nullptr;
        const QString cls = QLatin1String(c.cls);
        const QString lookup = QLatin1String(c.lookup);
        if (cls == "TButton")
            control = f.add<TButton>(f.form, lookup, {0, 0, 80, 22});
        else if (cls == "TSpeedButton")
            control = f.add<TSpeedButton>(f.form, lookup, {0, 0, 40, 40});
        else if (cls == "TLabel")
            control = f.add<TLabel>(f.form, lookup, {0, 0, 80, 20});
        else if (cls == "TListBoxItem")
            control = f.add<TListBoxItem>(list, lookup, {0, 0, 200, 30});
        else if (cls == "TListBox")
            control = f.add<TListBox>(f.form, lookup, {0, 0, 100, 100});
        else if (cls == "TEdit")
            control = f.add<TEdit>(f.form, lookup, {0, 0, 100, 22});
        else if (cls == "TToolBar")
            control = f.add<TToolBar>(f.form, lookup, {0, 0, 100, 40});
        ASSERT_NE(control, nullptr) << c.cls;
        EXPECT_EQ(DrawnLook(*control), QLatin1String(c.drawn)) << c.cls << " " << c.lookup;
    }
}

TEST(Looks, AnIconToolButtonDrawsItsIconInTheMiddleAndNothingAtTheEdges)
{
    Fixture f;
    for (const char *lookup : {"trashtoolbutton", "searchtoolbutton", "arrowlefttoolbutton", "refreshtoolbutton",
                               "addtoolbutton", "composetoolbutton", "actiontoolbutton", "stoptoolbutton"}) {
        // A text the look must not show: icon buttons show their icon.
        auto *button = f.add<TSpeedButton>(f.form, QLatin1String(lookup), {10, 10, 44, 44}, QStringLiteral("WWWWWWWW"));
        const QImage image = grab(button);
        ASSERT_EQ(image.size(), QSize(44, 44));
        EXPECT_GT(darkPixels(image, QRect(11, 11, 22, 22)), 20) << lookup;
        // The icon box is 62% of the side: a 6 px rim stays clear.
        EXPECT_EQ(darkPixels(image, QRect(0, 0, 44, 6)) + darkPixels(image, QRect(0, 38, 44, 6))
                      + darkPixels(image, QRect(0, 0, 6, 44)) + darkPixels(image, QRect(38, 0, 6, 44)),
                  0)
            << lookup;
        delete button;
    }
}

TEST(Looks, AnUnknownLookupKeepsTheDefaultLook)
{
    Fixture f;
    auto *plain = f.add<TButton>(f.form, QString(), {10, 10, 80, 24}, QStringLiteral("Go"));
    auto *unknown = f.add<TButton>(f.form, QStringLiteral("MyButtonStyle1"), {10, 50, 80, 24}, QStringLiteral("Go"));
    auto *stock = f.add<TButton>(f.form, QStringLiteral("toolbutton"), {10, 90, 80, 24}, QStringLiteral("Go"));
    EXPECT_EQ(grab(unknown), grab(plain));
    EXPECT_NE(grab(stock), grab(plain));

    // Taking the look away at run time gives the default painting back.
    stock->SetStyleLookup(QString());
    EXPECT_EQ(DrawnLook(*stock), QStringLiteral("default"));
    EXPECT_EQ(grab(stock), grab(plain));
}

TEST(Looks, ListItemsShowTheirDetailTextWhereTheStyleSaysAndNotOtherwise)
{
    Fixture f;
    auto *list = f.add<TListBox>(f.form, QString(), {0, 0, 300, 200});
    const auto item = [&](const char *lookup) {
        auto *i = f.add<TListBoxItem>(list, QLatin1String(lookup), {0, 0, 300, 40}, QStringLiteral("N"));
        i->ItemData()->SetDetail(QStringLiteral("WWWWWW"));
        return i;
    };
    // The item text "N" sits at the left; "WWWWWW" is wide, so where it is
    // drawn is plain.
    const QImage right = grab(item("listboxitemrightdetail"));
    const QImage none = grab(item("listboxitemnodetail"));
    const QImage left = grab(item("listboxitemleftdetail"));
    const QImage bottom = grab(item("listboxitembottomdetail"));
    const QRect rightEnd(200, 2, 100, 36);
    const QRect middle(40, 2, 120, 36);
    EXPECT_GT(darkPixels(right, rightEnd, 200), 30);
    EXPECT_EQ(darkPixels(right, middle, 200), 0);
    EXPECT_EQ(darkPixels(none, rightEnd, 200), 0);
    EXPECT_EQ(darkPixels(none, middle, 200), 0);
    // Left detail: in a column before the text, which moves right.
    EXPECT_GT(darkPixels(left, QRect(0, 2, 100, 36), 200), 30);
    EXPECT_EQ(darkPixels(left, rightEnd, 200), 0);
    // Bottom detail: under the text, in the lower half.
    EXPECT_GT(darkPixels(bottom, QRect(8, 21, 120, 17), 200), 30);
    EXPECT_EQ(darkPixels(bottom, QRect(40, 2, 120, 18), 200), 0);
    EXPECT_EQ(darkPixels(bottom, rightEnd, 200), 0);
}

TEST(Looks, ListItemsWithoutALookupTakeTheirListsDefaultItemStyle)
{
    Fixture f;
    auto *list = f.add<TListBox>(f.form, QString(), {0, 0, 300, 200});
    SetPropValue(list, QStringLiteral("DefaultItemStyles.ItemStyle"), PropValue(QStringLiteral("listboxitemrightdetail")));
    auto *inherits = f.add<TListBoxItem>(list, QString(), {0, 0, 300, 40});
    auto *own = f.add<TListBoxItem>(list, QStringLiteral("listboxitembottomdetail"), {0, 0, 300, 40});
    EXPECT_EQ(DrawnLook(*inherits), QStringLiteral("stock:listboxitemrightdetail"));
    EXPECT_EQ(DrawnLook(*own), QStringLiteral("stock:listboxitembottomdetail"));
}

TEST(Looks, AToolLabelIsLightOnADarkBarAndDarkOnALightOne)
{
    Fixture f;
    auto *dark = f.add<TToolBar>(f.form, QString(), {0, 0, 200, 40});
    dark->SetTintColor(0xFF202838);
    auto *light = f.add<TToolBar>(f.form, QString(), {0, 50, 200, 40});
    auto *onDark = f.add<TLabel>(dark, QStringLiteral("toollabel"), {0, 0, 200, 40}, QStringLiteral("WWWW"));
    auto *onLight = f.add<TLabel>(light, QStringLiteral("toollabel"), {0, 0, 200, 40}, QStringLiteral("WWWW"));
    const QImage a = f.form->peer()->grab(QRect(0, 0, 200, 40)).toImage();
    const QImage b = f.form->peer()->grab(QRect(0, 50, 200, 40)).toImage();
    EXPECT_GT(lightPixels(a, a.rect()), 20);
    EXPECT_GT(darkPixels(b, b.rect(), 100), 20);
    EXPECT_EQ(DrawnLook(*onDark), DrawnLook(*onLight));
}

TEST(Looks, ATransparentEditLosesItsFrameOnly)
{
    Fixture f;
    auto *edit = f.add<TEdit>(f.form, QStringLiteral("transparentedit"), {0, 0, 120, 24}, QStringLiteral("abc"));
    auto *line = qobject_cast<QLineEdit *>(edit->peer());
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(line->hasFrame());
    EXPECT_EQ(line->text(), QStringLiteral("abc"));
    edit->SetStyleLookup(QString());
    EXPECT_TRUE(line->hasFrame());
}

TEST(Looks, ClicksReachLookedControlsAsBefore)
{
    Fixture f;
    ClickCount count;
    auto *button = f.add<TButton>(f.form, QStringLiteral("tintedbutton"), {10, 10, 80, 24}, QStringLiteral("Go"));
    auto *speed = f.add<TSpeedButton>(f.form, QStringLiteral("trashtoolbutton"), {10, 50, 40, 40});
    auto *list = f.add<TListBox>(f.form, QStringLiteral("transparentlistboxstyle"), {100, 10, 200, 100});
    auto *item = f.add<TListBoxItem>(list, QStringLiteral("listboxitemrightdetail"), {0, 0, 200, 30}, QStringLiteral("A"));
    list->layoutItems();
    for (TControl *c : {static_cast<TControl *>(button), static_cast<TControl *>(speed)})
        c->OnClick = TNotifyEvent::bind<&ClickCount::onClick>(&count);
    QTest::mouseClick(button->peer(), Qt::LeftButton, {}, QPoint(40, 12));
    QTest::mouseClick(speed->peer(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(count.clicks, 2);
    QTest::mouseClick(item->peer(), Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_TRUE(item->IsSelected());
}

namespace {

// A source that names its own looks, as a style book would.
class BookSource : public LookSource
{
public:
    class BookLook : public Look
    {
    public:
        QString name() const override { return QStringLiteral("book:toolbutton"); }
        void paint(QPainter &p, const QRectF &rect, const LookData &) const override { p.fillRect(rect, Qt::red); }
    };
    std::shared_ptr<const Look> lookFor(const TControl &control) const override
    {
        if (control.StyleLookup().compare(QStringLiteral("toolbutton"), Qt::CaseInsensitive) == 0)
            return m_look;
        return nullptr;
    }

private:
    std::shared_ptr<const Look> m_look = std::make_shared<BookLook>();
};

} // namespace

TEST(Looks, ASourceOfHigherPrecedenceWinsOverTheStockLooks)
{
    Fixture f;
    BookSource book;
    addLookSource(&book, 10);
    auto *button = f.add<TButton>(f.form, QStringLiteral("toolbutton"), {0, 0, 40, 20});
    auto *other = f.add<TButton>(f.form, QStringLiteral("tintedbutton"), {0, 30, 40, 20});
    EXPECT_EQ(DrawnLook(*button), QStringLiteral("book:toolbutton"));
    EXPECT_EQ(DrawnLook(*other), QStringLiteral("stock:tintedbutton"));
    EXPECT_EQ(grab(button).pixelColor(20, 10), QColor(Qt::red));
    removeLookSource(&book);
    applyLook(*button);
    EXPECT_EQ(DrawnLook(*button), QStringLiteral("stock:toolbutton"));
    EXPECT_NE(grab(button).pixelColor(20, 10), QColor(Qt::red));
}

TEST(Fonts, TheFrameworksDefaultFaceHasAStandInOfItsWidthsAt12Pixels)
{
    // main.cpp installed the faces, as the viewer does.
    EXPECT_EQ(QFontInfo(QApplication::font()).pixelSize(), 12);
    if (!QFontDatabase::families().contains(QStringLiteral("Lato")))
        GTEST_SKIP() << "the stand-in face is not installed (scripts/setup.sh installs it)";
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Lato"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Segoe UI"))).family(), QStringLiteral("Lato"));
    // A form's own font in the default face keeps its size.
    TComponent host(nullptr);
    TLabel label(&host);
    label.SetStyledSettings(0);
    label.TextSettings()->Font()->SetFamily(QStringLiteral("Segoe UI"));
    label.TextSettings()->Font()->SetSize(16);
    const QFont f = label.peerFont(QFont());
    EXPECT_EQ(QFontInfo(f).family(), QStringLiteral("Lato"));
    EXPECT_EQ(QFontInfo(f).pixelSize(), 16);
}
