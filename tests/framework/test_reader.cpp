// TReader over small binary streams: building the tree, conversions, string
// lists and collections, reference fix-up, fields and methods of the root,
// the unique root name, and the errors with their messages.
#include "streambuilder.h"
#include "testclasses.h"

#include "framework/reader.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

class ReaderTest : public testing::Test
{
protected:
    void SetUp() override { registerTestClasses(); }

    // Reads into a fresh TForm owned by `host`.
    TForm *read(StreamBuilder &s)
    {
        auto *form = new TForm(&host);
        TReader reader(s.bytes().data(), s.bytes().size());
        reader.ReadRootComponent(form);
        return form;
    }

    // The message of the framework exception that reading raises.
    std::string readError(StreamBuilder &s, TComponent *root = nullptr)
    {
        if (!root)
            root = new TForm(&host);
        try {
            TReader reader(s.bytes().data(), s.bytes().size());
            reader.ReadRootComponent(root);
        } catch (const Exception &e) {
            return e.what();
        }
        return "no error";
    }

    TComponent host{nullptr};
};

} // namespace

TEST_F(ReaderTest, BuildsChildrenWithRootAsOwnerAndEnclosingComponentAsParent)
{
    StreamBuilder s;
    s.object("TfrmMain", "frmMain").integer("ClientWidth", 400).integer("ClientHeight", 300).string("Caption", "Hallo")
        .children()
        .object("TPanel", "Panel1").ident("Align", "Top").floating("Size.Height", 50)
        .children()
        .object("TButton", "Button1").string("Text", "OK").floating("Position.X", 8).children().end()
        .object("TLabel", "").string("Text", "unnamed").children().end()
        .end()
        .object("TTestTimer", "Timer1").integer("Interval", 250).children().end()
        .end();
    TForm *form = read(s);

    EXPECT_EQ(form->Name(), QStringLiteral("frmMain"));
    EXPECT_EQ(form->ClassName(), QStringLiteral("TForm")); // the root keeps its own class
    EXPECT_EQ(form->Caption(), QStringLiteral("Hallo"));
    EXPECT_EQ(form->ClientWidth(), 400);
    ASSERT_EQ(form->ComponentCount(), 4); // everything is owned by the root
    auto *panel = object_cast<TPanel>(form->FindComponent(QStringLiteral("Panel1")));
    auto *button = object_cast<TButton>(form->FindComponent(QStringLiteral("Button1")));
    auto *timer = object_cast<TTestTimer>(form->FindComponent(QStringLiteral("Timer1")));
    ASSERT_TRUE(panel && button && timer);
    EXPECT_EQ(panel->Parent(), form);
    EXPECT_EQ(button->Parent(), panel);
    ASSERT_EQ(panel->ChildrenCount(), 2);
    EXPECT_EQ(panel->Children(1)->ClassName(), QStringLiteral("TLabel"));
    EXPECT_EQ(object_cast<TLabel>(panel->Children(1))->Text(), QStringLiteral("unnamed"));
    EXPECT_EQ(button->Text(), QStringLiteral("OK"));
    EXPECT_EQ(timer->interval, 250);
    EXPECT_EQ(form->ChildrenCount(), 1); // the timer is not visual
    // Loaded() laid the form out: the panel spans the top.
    EXPECT_EQ(panel->BoundsRect(), QRectF(0, 0, 400, 50));
    EXPECT_FALSE(form->isLoading());
    EXPECT_FALSE(button->isLoading());
}

TEST_F(ReaderTest, ConvertsValuesByPropertyKind)
{
    StreamBuilder s;
    s.object("TForm", "F").children()
        .object("TRectangle", "R")
        .integer("Position.X", 16)                      // integer into float
        .single("Position.Y", 2.5f)                     // single into float
        .ident("Align", "alClient")                     // the older spelling
        .ident("Fill.Kind", "bkSolid")
        .ident("Fill.Color", "claRed")                  // colour name into integer
        .integer("Stroke.Color", -16777216)             // ARGB as a signed 32-bit value
        .set("Anchors", {"akLeft", "akRight"})
        .ident("Visible", "False")
        .ident("Cursor", "crHandPoint")
        .ident("Margins.Left", "1")                     // wrong: identifier into float
        .children().end()
        .end();
    EXPECT_EQ(readError(s), "R.Margins.Left: Ungültiger Eigenschaftswert");

    StreamBuilder ok;
    ok.object("TForm", "F").children()
        .object("TRectangle", "R")
        .integer("Position.X", 16)
        .single("Position.Y", 2.5f)
        .ident("Align", "alClient")
        .ident("Fill.Kind", "bkSolid")
        .ident("Fill.Color", "claRed")
        .integer("Stroke.Color", -16777216)
        .set("Anchors", {"akLeft", "akRight"})
        .boolean("Visible", false)
        .ident("Cursor", "crHandPoint")
        .ident("Stroke.Dash", "Dot")
        .children().end()
        .object("TLabel", "L").string("Position.Point", "(16,24)").integer("Left", 3)
        .ident("TextSettings.HorzAlign", "Center").set("TextSettings.Font.Style", {"fsBold"})
        .children().end()
        .end();
    TForm *form = read(ok);
    auto *r = object_cast<TRectangle>(form->FindComponent(QStringLiteral("R")));
    auto *l = object_cast<TLabel>(form->FindComponent(QStringLiteral("L")));
    ASSERT_TRUE(r && l);
    EXPECT_EQ(r->Align(), TAlignLayout::Client);
    EXPECT_EQ(r->Fill()->Color(), 0xFFFF0000u);
    EXPECT_EQ(r->Stroke()->Color(), 0xFF000000u);
    EXPECT_EQ(r->Stroke()->Dash(), TStrokeDash::Dot);
    EXPECT_EQ(r->Anchors(), (1u << akLeft) | (1u << akRight));
    EXPECT_FALSE(r->Visible());
    EXPECT_EQ(r->Cursor(), -21);
    EXPECT_EQ(l->Position()->point(), QPointF(3, 24)); // Point, then the older Left
    EXPECT_EQ(l->TextSettings()->HorzAlign(), TTextAlign::Center);
    EXPECT_EQ(l->TextSettings()->Font()->Style(), 1u << fsBold);
}

TEST_F(ReaderTest, StringListsAndCollections)
{
    StreamBuilder s;
    s.object("TForm", "F").children()
        .object("TTestList", "List1")
        .strings("Items.Strings", {"eins", "zwei", "drei"})
        .items("Columns")
        .item().string("Caption", "A").integer("Value", 1).end()
        .item().string("Caption", "B")
        .items("Nested").item().integer("Value", 7).end().endItems()
        .end()
        .endItems()
        .children().end()
        .end();
    TForm *form = read(s);
    auto *list = object_cast<TTestList>(form->FindComponent(QStringLiteral("List1")));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Items()->lines(), (QStringList{"eins", "zwei", "drei"}));
    ASSERT_EQ(list->Columns()->Count(), 2);
    auto *a = object_cast<TTestItem>(list->Columns()->Items(0));
    auto *b = object_cast<TTestItem>(list->Columns()->Items(1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->caption, QStringLiteral("A"));
    EXPECT_EQ(a->value, 1);
    EXPECT_EQ(b->Index(), 1);
    ASSERT_EQ(b->nested->Count(), 1);
    EXPECT_EQ(object_cast<TTestItem>(b->nested->Items(0))->value, 7);

    // A single string is not a list; a wrong property inside an item names the item.
    StreamBuilder bad;
    bad.object("TForm", "F").children().object("TTestList", "List1").string("Items.Strings", "x").children().end().end();
    EXPECT_EQ(readError(bad), "List1.Items.Strings: Ungültiger Eigenschaftswert");
    StreamBuilder badItem;
    badItem.object("TForm", "F").children()
        .object("TTestList", "List1").items("Columns").item().integer("Colour", 1).end().endItems()
        .children().end().end();
    EXPECT_EQ(readError(badItem), "List1.Columns[0].Colour: Eigenschaft Colour existiert nicht");
}

TEST_F(ReaderTest, ReferencesAreResolvedAfterTheWholeStream)
{
    StreamBuilder s;
    s.object("TForm", "F").ident("StyleBook", "Timer1") // a forward reference
        .children()
        .object("TTestList", "List1").ident("Buddy", "Label1").ident("PopupMenu", "Timer1").children().end()
        .object("TTestList", "List2").ident("Buddy", "dtmdlData.cdsIconData").children().end() // another module
        .object("TTestList", "List3").ident("Buddy", "Timer1").children().end()  // wrong class: stays empty
        .object("TTestList", "List4").ident("Buddy", "NoSuchName").children().end()
        .object("TLabel", "Label1").children().end()
        .object("TTestTimer", "Timer1").children().end()
        .end();
    TForm *form = read(s);
    auto find = [&](const char *n) { return form->FindComponent(QString::fromLatin1(n)); };
    EXPECT_EQ(object_cast<TTestList>(find("List1"))->Buddy(), find("Label1"));
    EXPECT_EQ(object_cast<TTestList>(find("List1"))->PopupMenu(), find("Timer1"));
    EXPECT_EQ(object_cast<TTestList>(find("List2"))->Buddy(), nullptr);
    EXPECT_EQ(object_cast<TTestList>(find("List3"))->Buddy(), nullptr);
    EXPECT_EQ(object_cast<TTestList>(find("List4"))->Buddy(), nullptr);
    EXPECT_EQ(form->StyleBook(), find("Timer1"));
}

TEST_F(ReaderTest, RootNameIsMadeUniqueAmongTheOwnersComponents)
{
    auto *first = new TForm(&host);
    first->SetName(QStringLiteral("frmDynaForm"));
    auto *second = new TForm(&host);
    second->SetName(QStringLiteral("frmDynaForm_1"));
    StreamBuilder s;
    s.object("TfrmX", "frmDynaForm").children().end();
    TForm *form = read(s);
    EXPECT_EQ(form->Name(), QStringLiteral("frmDynaForm_2"));

    // A root without owner, or already of that name, keeps the name.
    TForm lone(nullptr);
    TReader reader(s.bytes().data(), s.bytes().size());
    reader.ReadRootComponent(&lone);
    EXPECT_EQ(lone.Name(), QStringLiteral("frmDynaForm"));
    TReader again(s.bytes().data(), s.bytes().size());
    again.ReadRootComponent(first);
    EXPECT_EQ(first->Name(), QStringLiteral("frmDynaForm"));
}

TEST_F(ReaderTest, RootPublishesFieldsAndMethods)
{
    auto *root = new TTestRoot(&host);
    StreamBuilder s;
    s.object("TTestRoot", "frmMain").children()
        .object("TButton", "bnPas").ident("OnClick", "bnPasClick").children().end()
        .object("TButton", "bnOther").ident("OnClick", "BNPASCLICK").ident("OnDblClick", "bnPasClick").children().end()
        .end();
    TReader reader(s.bytes().data(), s.bytes().size());
    reader.ReadRootComponent(root);
    ASSERT_NE(root->bnPas, nullptr);
    EXPECT_EQ(root->bnPas->Name(), QStringLiteral("bnPas"));
    EXPECT_EQ(root->lblMissing, nullptr); // no such component
    auto *other = object_cast<TButton>(root->FindComponent(QStringLiteral("bnOther")));
    root->bnPas->Click();
    other->Click();
    other->DblClick();
    EXPECT_EQ(root->clicks, (std::vector<TObject *>{root->bnPas, other, other}));
    EXPECT_EQ(root->ClassType().methodName(GetMethodProp(other, QStringLiteral("OnClick")).code),
              QStringLiteral("bnPasClick"));

    // A plain form has no such handler.
    StreamBuilder plain;
    plain.object("TForm", "F").children().object("TButton", "B").ident("OnClick", "bnPasClick").children().end().end();
    EXPECT_EQ(readError(plain), "B.OnClick: Methode bnPasClick nicht gefunden");
}

TEST_F(ReaderTest, ErrorsNameTheComponentAndPath)
{
    struct Case
    {
        const char *what;
        std::function<void(StreamBuilder &)> child;
        const char *message;
    };
    const Case cases[] = {
        {"unknown class", [](StreamBuilder &s) { s.object("TFancyGrid", "Grid1"); }, "Klasse TFancyGrid nicht gefunden"},
        {"unknown property", [](StreamBuilder &s) { s.object("TButton", "Button1").integer("Colour", 1); },
         "Button1.Colour: Eigenschaft Colour existiert nicht"},
        {"unknown nested", [](StreamBuilder &s) { s.object("TButton", "Button1").floating("Position.Z", 1); },
         "Button1.Position.Z: Eigenschaft Position.Z existiert nicht"},
        {"string into float", [](StreamBuilder &s) { s.object("TButton", "Button1").string("Position.X", "1"); },
         "Button1.Position.X: Ungültiger Eigenschaftswert"},
        {"unknown enum", [](StreamBuilder &s) { s.object("TButton", "Button1").ident("Align", "Sideways"); },
         "Button1.Align: Ungültiger Eigenschaftswert"},
        {"integer into enum", [](StreamBuilder &s) { s.object("TButton", "Button1").integer("Align", 1); },
         "Button1.Align: Ungültiger Eigenschaftswert"},
        {"unknown set element", [](StreamBuilder &s) { s.object("TButton", "Button1").set("Anchors", {"akMiddle"}); },
         "Button1.Anchors: Ungültiger Eigenschaftswert"},
        {"unknown colour", [](StreamBuilder &s) { s.object("TRectangle", "R").ident("Fill.Color", "claPlaid"); },
         "R.Fill.Color: Ungültiger Eigenschaftswert"},
        {"value into object", [](StreamBuilder &s) { s.object("TButton", "Button1").integer("Position", 1); },
         "Button1.Position: Ungültiger Eigenschaftswert"},
        {"unnamed uses class", [](StreamBuilder &s) { s.object("TButton", "").integer("Colour", 1); },
         "TButton.Colour: Eigenschaft Colour existiert nicht"},
        {"bad point text", [](StreamBuilder &s) { s.object("TButton", "Button1").string("Position.Point", "(a,b)"); },
         "Button1.Position.Point: Ungültiger Eigenschaftswert"},
    };
    for (const Case &c : cases) {
        StreamBuilder s;
        s.object("TForm", "F").children();
        c.child(s);
        s.children().end().end();
        EXPECT_EQ(readError(s), c.message) << c.what;
    }
    StreamBuilder rootProp;
    rootProp.object("TForm", "F").integer("Colour", 1).children().end();
    TForm lone(nullptr); // earlier roots of the host took "F"
    EXPECT_EQ(readError(rootProp, &lone), "F.Colour: Eigenschaft Colour existiert nicht");
}

TEST_F(ReaderTest, AFailedComponentIsRemovedAndEarlierOnesStay)
{
    StreamBuilder s;
    s.object("TForm", "F").children()
        .object("TButton", "Good").children().end()
        .object("TPanel", "Bad").children()
        .object("TLabel", "Inner").children().end()
        .object("TButton", "Broken").integer("Nope", 1).children().end()
        .end()
        .end();
    auto *form = new TForm(&host);
    EXPECT_THROW(
        {
            TReader reader(s.bytes().data(), s.bytes().size());
            reader.ReadRootComponent(form);
        },
        EReadError);
    EXPECT_NE(form->FindComponent(QStringLiteral("Good")), nullptr);
    EXPECT_EQ(form->FindComponent(QStringLiteral("Bad")), nullptr);
    EXPECT_EQ(form->FindComponent(QStringLiteral("Inner")), nullptr);
    EXPECT_EQ(form->FindComponent(QStringLiteral("Broken")), nullptr);
    EXPECT_EQ(form->ChildrenCount(), 1);
    EXPECT_FALSE(form->isLoading()); // it can still lay itself out
}

TEST_F(ReaderTest, InheritedChildrenAreReadIntoExistingComponentsAndChildPositionsApply)
{
    auto *form = new TForm(&host);
    auto *existing = new TButton(form);
    existing->SetName(QStringLiteral("Button1"));
    existing->SetParent(form);
    StreamBuilder s;
    s.object("TForm", "F").children()
        .object("TButton", "Button1", ffInherited).string("Text", "geerbt").children().end()
        .object("TLabel", "Label1", ffChildPos, 0).children().end()
        .end();
    TReader reader(s.bytes().data(), s.bytes().size());
    reader.ReadRootComponent(form);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(existing->Text(), QStringLiteral("geerbt"));
    ASSERT_EQ(form->ChildrenCount(), 2);
    EXPECT_EQ(form->Children(0)->Name(), QStringLiteral("Label1"));
}

TEST_F(ReaderTest, DeepNestingIsAnErrorNotAStackOverflow)
{
    StreamBuilder s;
    s.object("TForm", "F").children();
    const int depth = 100000;
    for (int i = 0; i < depth; ++i)
        s.object("TLayout", "").children();
    for (int i = 0; i < depth; ++i)
        s.end();
    s.end();
    auto *form = new TForm(&host);
    EXPECT_THROW(
        {
            TReader reader(s.bytes().data(), s.bytes().size());
            reader.ReadRootComponent(form);
        },
        EReadError);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(ReaderTest, DamagedStreamsRaiseReadErrors)
{
    StreamBuilder s;
    s.object("TForm", "F").string("Caption", "abc").children().object("TButton", "B").children().end().end();
    std::vector<std::uint8_t> bytes = s.bytes();
    // Every truncation fails cleanly.
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        TForm form(nullptr);
        TReader reader(bytes.data(), cut);
        EXPECT_THROW(reader.ReadRootComponent(&form), Exception) << cut;
    }
    bytes[0] = 'X';
    TForm form(nullptr);
    TReader reader(bytes.data(), bytes.size());
    EXPECT_THROW(reader.ReadRootComponent(&form), EFilerError);
}

TEST_F(ReaderTest, ReadsAFormWrittenAsText)
{
    // The way forms arrive: text, converted to the binary stream first.
    const std::string text = R"(object frmDynaForm: TfrmDynaForm
  Caption = 'Hallo '#39'Welt'#39
  ClientHeight = 240
  ClientWidth = 320
  FormFactor.Width = 320
  FormFactor.Devices = [dkDesktop, iPhone]
  Fill.Color = xFFF0F0F0
  DesignerMasterStyle = 0
  object Panel1: TPanel
    Align = alTop
    Size.Height = 41.000000000000000000
    Size.PlatformDefault = False
    PopupMenu = Timer1
    object List1: TTestList
      Position.Point = '(16,8)'
      Items.Strings = (
        'a')
      Columns = <
        item
          Caption = 'X'
        end
        item [1]
          Value = 2
        end>
      Buddy = Label1
    end
  end
  object Label1: TLabel
    Position.X = 8.000000000000000000
    TextSettings.FontColor = claRed
    Text = 'Stra'#223'e'
  end
  object Timer1: TTestTimer
    Interval = 100
  end
end
)";
    std::vector<std::uint8_t> bytes = textToBinary(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
    auto *form = new TForm(&host);
    TReader reader(bytes.data(), bytes.size());
    reader.ReadRootComponent(form);
    EXPECT_EQ(form->Caption(), QStringLiteral("Hallo 'Welt'"));
    EXPECT_EQ(form->Fill()->Color(), 0xFFF0F0F0u);
    auto *panel = object_cast<TPanel>(form->FindComponent(QStringLiteral("Panel1")));
    auto *list = object_cast<TTestList>(form->FindComponent(QStringLiteral("List1")));
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    ASSERT_TRUE(panel && list && label);
    EXPECT_EQ(panel->BoundsRect(), QRectF(0, 0, 320, 41));
    EXPECT_EQ(panel->PopupMenu(), form->FindComponent(QStringLiteral("Timer1")));
    EXPECT_EQ(list->Parent(), panel);
    EXPECT_EQ(list->Position()->point(), QPointF(16, 8));
    EXPECT_EQ(list->Items()->lines(), QStringList{QStringLiteral("a")});
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(object_cast<TTestItem>(list->Columns()->Items(1))->value, 2);
    EXPECT_EQ(list->Buddy(), label);
    EXPECT_EQ(label->Text(), QString::fromUtf8("Straße"));
    EXPECT_EQ(label->TextSettings()->FontColor(), 0xFFFF0000u);
}
