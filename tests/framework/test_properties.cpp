// Published properties: listing with kinds, inheritance along the class
// chain, dotted paths through nested objects, method properties.
#include "testclasses.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vantor;
using namespace vantor::test;

namespace {

PropKind kindOf(TObject *o, const char *name)
{
    const PropInfo *p = GetPropInfo(o, QString::fromLatin1(name));
    EXPECT_NE(p, nullptr) << name;
    return p ? p->kind : PropKind::Integer;
}

template<class E> void expectThrowMessage(const std::function<void()> &f, const char *message)
{
    try {
        f();
        ADD_FAILURE() << "no exception, expected: " << message;
    } catch (const E &e) {
        EXPECT_STREQ(e.what(), message);
    }
}

} // namespace

TEST(Properties, ListIsSortedInheritedAndNamesKinds)
{
    TComponent owner(nullptr);
    auto *button = new TButton(&owner);
    const auto list = GetPropList(button);
    ASSERT_FALSE(list.empty());
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const PropInfo *a, const PropInfo *b) {
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    }));
    struct Case
    {
        const char *name;
        PropKind kind;
    };
    const Case cases[] = {
        {"Name", PropKind::String},           {"Tag", PropKind::Integer},         // TComponent
        {"Position", PropKind::Persistent},   {"Align", PropKind::Enumeration},  // TControl
        {"Anchors", PropKind::Set},           {"Visible", PropKind::Boolean},
        {"Opacity", PropKind::Float},         {"PopupMenu", PropKind::Component},
        {"OnClick", PropKind::Method},        {"OnMouseDown", PropKind::Method},
        {"Text", PropKind::String},           {"TextSettings", PropKind::Persistent}, // TTextControl
        {"StaysPressed", PropKind::Boolean},                                         // TButton
    };
    for (const Case &c : cases)
        EXPECT_EQ(kindOf(button, c.name), c.kind) << c.name;
    TTestList list2(&owner);
    EXPECT_EQ(kindOf(&list2, "Items"), PropKind::StringList);
    EXPECT_EQ(kindOf(&list2, "Columns"), PropKind::Collection);
    TRectangle rect(&owner);
    EXPECT_EQ(kindOf(&rect, "Fill"), PropKind::Persistent);
    EXPECT_EQ(kindOf(rect.Fill()->Bitmap()->Bitmap(), "PNG"), PropKind::Binary);
    // A timer-like component has no OnClick: the caller's look-up fails and it skips it.
    TTestTimer timer(&owner);
    EXPECT_EQ(GetPropInfo(&timer, QStringLiteral("OnClick")), nullptr);
}

TEST(Properties, DottedPathsSetAndGetThroughNestedObjects)
{
    TComponent owner(nullptr);
    auto *label = new TLabel(&owner);
    auto *rect = new TRectangle(&owner);
    struct Case
    {
        TObject *object;
        const char *path;
        PropValue value;
    };
    const Case cases[] = {
        {label, "Position.X", 16.0},
        {label, "Position.Y", 24.5},
        {label, "Size.Width", 120.0},
        {label, "Margins.Left", 3.0},
        {label, "Padding.Bottom", 4.0},
        {label, "TextSettings.Font.Size", 18.0},
        {label, "TextSettings.WordWrap", false},
        {label, "Position.Point", QStringLiteral("(7,9)")},
        {rect, "Fill.Color", std::int64_t(0xFF00FF00)},
        {rect, "Stroke.Thickness", 2.5},
        {label, "Touch.InteractiveGestures", std::int64_t(3)}, // kept under its dotted name
    };
    for (const Case &c : cases) {
        SetPropValue(c.object, QString::fromLatin1(c.path), c.value);
        EXPECT_EQ(GetPropValue(c.object, QString::fromLatin1(c.path)), c.value) << c.path;
    }
    // The typed side sees the same values.
    EXPECT_EQ(label->Position()->point(), QPointF(7, 9)); // Point came last
    EXPECT_EQ(label->Width(), 120.0);
    EXPECT_EQ(label->TextSettings()->Font()->Size(), 18.0);
    EXPECT_EQ(rect->Fill()->Color(), 0xFF00FF00u);
    // An integer goes into a float property.
    SetPropValue(label, QStringLiteral("Opacity"), std::int64_t(0));
    EXPECT_EQ(label->Opacity(), 0.0);
}

TEST(Properties, UnknownPathsAndWrongValuesFailAndChangeNothing)
{
    TComponent owner(nullptr);
    auto *label = new TLabel(&owner);
    label->Position()->SetX(5);
    expectThrowMessage<EPropertyError>([&] { SetPropValue(label, QStringLiteral("Position.Z"), 1.0); },
                                       "Eigenschaft Position.Z existiert nicht");
    expectThrowMessage<EPropertyError>([&] { SetPropValue(label, QStringLiteral("Text.Size"), 1.0); },
                                       "Eigenschaft Text.Size existiert nicht");
    expectThrowMessage<EPropertyError>([&] { SetPropValue(label, QStringLiteral("Position.X"), QStringLiteral("x")); },
                                       "Ungültiger Eigenschaftswert");
    expectThrowMessage<EPropertyError>([&] { SetPropValue(label, QStringLiteral("Position.Point"), QStringLiteral("(1;2")); },
                                       "Ungültiger Eigenschaftswert");
    expectThrowMessage<EPropertyError>([&] { SetPropValue(label, QStringLiteral("Align"), std::int64_t(999)); },
                                       "Ungültiger Eigenschaftswert");
    // A reference to a component of a class the property does not take.
    TTestList list(&owner);
    TTestTimer timer(&owner);
    expectThrowMessage<EPropertyError>([&] { SetPropValue(&list, QStringLiteral("Buddy"), static_cast<TObject *>(&timer)); },
                                       "Ungültiger Eigenschaftswert");
    EXPECT_EQ(list.Buddy(), nullptr);
    EXPECT_EQ(label->Position()->X(), 5.0);
    EXPECT_EQ(label->Align(), TAlignLayout::None);
}

namespace {

struct Viewer
{
    std::vector<TObject *> clicked;
    void onClick(TObject *sender) { clicked.push_back(sender); }
};

} // namespace

TEST(Properties, MethodPropertiesCarryACodeAndDataPair)
{
    TComponent owner(nullptr);
    auto *button = new TButton(&owner);
    auto *layout = new TLayout(&owner);
    auto *timer = new TTestTimer(&owner);
    Viewer viewer;
    const TMethod method = TNotifyEvent::bind<&Viewer::onClick>(&viewer).method();
    EXPECT_EQ(method.data, &viewer);

    // What the loader does: write the method into OnClick of every component
    // by name; one without OnClick is skipped after a failed look-up.
    int skipped = 0;
    for (TComponent *c : owner.components()) {
        const auto props = GetPropList(c);
        const bool hasOnClick = std::any_of(props.begin(), props.end(), [](const PropInfo *p) {
            return p->kind == PropKind::Method && p->name == QLatin1String("OnClick");
        });
        if (!hasOnClick) {
            ++skipped;
            continue;
        }
        SetMethodProp(c, QStringLiteral("OnClick"), method);
    }
    EXPECT_EQ(skipped, 1);
    EXPECT_EQ(GetMethodProp(button, QStringLiteral("OnClick")), method);
    EXPECT_FALSE(GetMethodProp(button, QStringLiteral("OnDblClick")).assigned());
    button->Click();
    layout->Click();
    EXPECT_EQ(viewer.clicked, (std::vector<TObject *>{button, layout}));

    // An event that is only kept round-trips too.
    SetMethodProp(layout, QStringLiteral("OnMouseMove"), method);
    EXPECT_EQ(GetMethodProp(layout, QStringLiteral("OnMouseMove")), method);

    EXPECT_THROW(SetMethodProp(timer, QStringLiteral("OnClick"), method), EPropertyError);
    EXPECT_THROW(SetMethodProp(button, QStringLiteral("Text"), method), EPropertyError); // not a method
    EXPECT_THROW(GetMethodProp(timer, QStringLiteral("OnClick")), EPropertyError);
}
