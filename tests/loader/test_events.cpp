// The event handler index, the event menu of one object and the rerouting of
// a built form's events to the viewer. Headless.

#include "framework/controls/menus.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"
#include "framework/platform.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/events.h"
#include "streams/errors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace vantor::test {

// A control whose OnClick refuses every write, as a broken event property would.
class TRefusingClick : public TControl
{
    VANTOR_CLASS(TRefusingClick, TControl)
public:
    explicit TRefusingClick(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TRefusingClick> &b)
    {
        PropInfo &p = b.stored("OnClick", PropKind::Method);
        p.set = [](TObject &, const PropValue &) { throw EPropertyError("refused"); };
    }
};
VANTOR_IMPLEMENT_CLASS(TRefusingClick)

} // namespace vantor::test

namespace {

using namespace vantor;

TStringList textLines(const std::string &text)
{
    TStringList list;
    list.setText(text);
    return list;
}

std::vector<std::string> indexOf(const std::string &form)
{
    TStringList index;
    CollectEventHandlers(textLines(form), index);
    return index.toVector();
}

struct IndexCase
{
    const char *what;
    const char *form;
    std::vector<std::string> entries;
};

TEST(EventIndex, RecordsEveryEventLineUnderItsObject)
{
    const IndexCase cases[] = {
        {"root events have no name; children are named from their header",
         "object frmDynaForm: TfrmDynaForm\n"
         "  OnCreate = FormCreate\n"
         "  object Button1: TButton\n"
         "    Text = 'OK'\n"
         "    OnClick = Button1Click\n"
         "    OnMouseDown = Button1MouseDown\n"
         "  end\n"
         "end\n",
         {":OnCreate = FormCreate", "Button1:OnClick = Button1Click", "Button1:OnMouseDown = Button1MouseDown"}},
        {"inherited and inline headers start no object: their events go to the previous name",
         "inherited Form2: TForm2\n"
         "  object Panel1: TPanel\n"
         "    OnClick = Panel1Click\n"
         "  end\n"
         "  inherited Button1: TButton\n"
         "    OnClick = Button1Click\n"
         "  end\n"
         "  inline Frame11: TFrame1\n"
         "    OnResize = Frame11Resize\n"
         "  end\n"
         "end\n",
         {"Panel1:OnClick = Panel1Click", "Panel1:OnClick = Button1Click", "Panel1:OnResize = Frame11Resize"}},
        {"a value holding ' object ' starts an object; without a colon its name is empty",
         "object F: TF\n"
         "  object Label1: TLabel\n"
         "    Text = 'the object here'\n"
         "    OnClick = Label1Click\n"
         "  end\n"
         "end\n",
         {":OnClick = Label1Click"}},
        {"a colon before 'object' gives no name either",
         "object F: TF\n"
         "  object Memo1: TMemo\n"
         "    Hint = 'x: an object of it'\n"
         "    OnChange = Memo1Change\n"
         "  end\n"
         "end\n",
         {":OnChange = Memo1Change"}},
        {"' = ' before ' On' is a value, not an event; equal lines are all kept",
         "object F: TF\n"
         "  object Label1: TLabel\n"
         "    Text = 'Turn On now'\n"
         "    OnTap = Tap\n"
         "    OnTap = Tap\n"
         "  end\n"
         "end\n",
         {"Label1:OnTap = Tap", "Label1:OnTap = Tap"}},
        {"no event lines: empty index", "object F: TF\n  Caption = 'x'\nend\n", {}},
    };
    for (const IndexCase &c : cases)
        EXPECT_EQ(indexOf(c.form), c.entries) << c.what;
}

TEST(EventIndex, MenuEntriesMatchTheWholeObjectName)
{
    TStringList index;
    for (const char *entry : {"Button1:OnClick = Button1Click", "MyButton1:OnClick = MyButton1Click",
                              "Button1:OnMouseUp = Up", "Button12:OnClick = B12", "Button1:Text = 'x'",
                              ":OnCreate = FormCreate"})
        index.add(entry);
    struct Case
    {
        const char *name;
        std::vector<std::string> captions;
    } cases[] = {
        {"Button1", {"OnClick = Button1Click", "OnMouseUp = Up"}},
        {"MyButton1", {"OnClick = MyButton1Click"}},
        {"button1", {}}, // names compare with case
        {"", {"OnCreate = FormCreate"}},
        {"Edit1", {}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> captions;
        for (const EventMenuEntry &e : EventsForObject(index, c.name)) {
            captions.push_back(e.caption);
            EXPECT_EQ(e.tagString, std::string(c.name) + ":" + e.caption);
        }
        EXPECT_EQ(captions, c.captions) << c.name;
    }
}

struct MenuItemView
{
    QString text;
    bool enabled;
    QString tagString;
    bool operator==(const MenuItemView &) const = default;
};

std::vector<MenuItemView> menuItems(TPopupMenu *pop)
{
    std::vector<MenuItemView> out;
    for (TMenuItem *item : pop->items())
        out.push_back({item->Text(), item->Enabled(), item->TagString()});
    return out;
}

TEST(EventMenu, HeaderSeparatorThenTheEventsAndNothingForAnObjectWithout)
{
    TComponent owner(nullptr);
    TDFMView view;
    view.FormOwner = &owner;
    CollectEventHandlers(textLines("object F: TF\n"
                                   "  object Button1: TButton\n"
                                   "    OnClick = Button1Click\n"
                                   "    OnDblClick = Button1DblClick\n"
                                   "  end\n"
                                   "  object Label1: TLabel\n"
                                   "  end\n"
                                   "end\n"),
                         view.slEventHandlers);
    auto *pop = new TPopupMenu(&owner);

    const std::vector<MenuItemView> expected = {
        {"Button1 (TButton)", false, ""},
        {"-", true, ""},
        {"OnClick = Button1Click", true, "Button1:OnClick = Button1Click"},
        {"OnDblClick = Button1DblClick", true, "Button1:OnDblClick = Button1DblClick"},
    };
    view.GetEventsForObject(pop, "Button1", "TButton");
    EXPECT_EQ(menuItems(pop), expected);
    EXPECT_EQ(pop->items()[0]->Owner(), &owner);
    // Asking again replaces the items instead of adding to them.
    view.GetEventsForObject(pop, "Button1", "TButton");
    EXPECT_EQ(menuItems(pop), expected);
    // An object without events empties the menu: no header alone.
    view.GetEventsForObject(pop, "Label1", "TLabel");
    EXPECT_TRUE(pop->items().empty());
    EXPECT_EQ(owner.ComponentCount(), 1); // only the menu: the old items are gone
}

// ---------------------------------------------------------------------------
// Rerouting on a built form

void clickA(void *, TObject *) {}
void clickB(void *, TObject *) {}

class TempForm
{
public:
    std::string write(const std::string &name, const std::string &text)
    {
        const std::string path = m_dir.path().toStdString() + "/" + name;
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), qint64(text.size()));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

struct Viewer
{
    TComponent owner{nullptr};
    TDFMView view;
    RecordingMessageBoxService messages;
    ScopedMessageBox scoped{&messages};
    // Two different handlers, so that a test sees which one was written.
    const TMethod method = TNotifyEvent::fromFunction(&clickA, nullptr).method();
    const TNotifyEvent event = TNotifyEvent::fromFunction(&clickB, nullptr);

    Viewer()
    {
        view.FormOwner = &owner;
        view.MethodOnClick = method;
        view.EventOnClick = event;
    }
    bool load(const std::string &file, bool runtimeView)
    {
        delete view.FormDyna;
        view.FormDyna = nullptr;
        return view.GetDynaForm(file, runtimeView);
    }
    TComponent *root() const
    {
        TComponent *r = view.FormDyna;
        if (r && r->ComponentCount() == 1 && object_cast<TFrame>(r->Components(0)))
            r = r->Components(0);
        return r;
    }
    TComponent *named(const QString &prefix) const
    {
        for (TComponent *c : root()->components())
            if (c->Name().startsWith(prefix))
                return c;
        return nullptr;
    }
};

const char *const kFormWithNonVisuals = "object Form1: TForm1\n"
                                        "  Caption = 'Events'\n"
                                        "  ClientHeight = 200\n"
                                        "  ClientWidth = 300\n"
                                        "  OnCreate = FormCreate\n"
                                        "  object Button1: TButton\n"
                                        "    Text = 'OK'\n"
                                        "    OnClick = Button1Click\n"
                                        "  end\n"
                                        "  object Timer1: TTimer\n"
                                        "    OnTimer = Timer1Timer\n"
                                        "    Left = 8\n"
                                        "    Top = 40\n"
                                        "  end\n"
                                        "  object ImageList1: TImageList\n"
                                        "    Left = 80\n"
                                        "    Top = 40\n"
                                        "  end\n"
                                        "end\n";

TEST(EventBinding, EveryComponentClicksToTheViewerAndImageListMarkersDoubleClick)
{
    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.load(files.write("events.fmx", kFormWithNonVisuals), false));
    EXPECT_EQ(v.view.slEventHandlers.toVector(),
              (std::vector<std::string>{":OnCreate = FormCreate", "Button1:OnClick = Button1Click",
                                        "Timer1:OnTimer = Timer1Timer"}));

    EXPECT_EQ(GetMethodProp(v.named("Button1"), "OnClick"), v.method);
    // The markers take clicks like every component.
    auto *timerSquare = object_cast<TRectangle>(v.named("Du_TTimer_"));
    ASSERT_NE(timerSquare, nullptr);
    EXPECT_EQ(GetMethodProp(timerSquare, "OnClick"), v.method);
    // In a form, only the image list marker's label gets the double click.
    TComponent *imageListLabel = nullptr;
    for (TComponent *c : v.root()->components())
        if (c->Name().startsWith("Du_TImageList_") && c->ClassName() == "TLabel")
            imageListLabel = c;
    ASSERT_NE(imageListLabel, nullptr);
    EXPECT_EQ(GetMethodProp(imageListLabel, "OnDblClick"), v.event.method());
    EXPECT_FALSE(GetMethodProp(object_cast<TRectangle>(v.named("Du_TImageList_")), "OnDblClick").assigned());
    // A timer has no OnClick: passed over without a message.
    EXPECT_TRUE(v.messages.messages.isEmpty());
}

TEST(EventBinding, AFrameFileWiresItsComponentsAndMarkersButNotTheFrame)
{
    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.load(files.write("frame.fmx", "object SideFrame: TSideFrame\n"
                                                "  Left = 0\n"
                                                "  Top = 0\n"
                                                "  Width = 240\n"
                                                "  Height = 120\n"
                                                "  object Label1: TLabel\n"
                                                "    Text = 'In the frame'\n"
                                                "  end\n"
                                                "  object Timer1: TTimer\n"
                                                "    Left = 8\n"
                                                "    Top = 40\n"
                                                "  end\n"
                                                "  object ImageList1: TImageList\n"
                                                "    Left = 80\n"
                                                "    Top = 40\n"
                                                "  end\n"
                                                "end\n"),
                       false));
    auto *frame = object_cast<TFrame>(v.view.FormDyna->Components(0));
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(GetMethodProp(frame, "OnClick").assigned());
    EXPECT_EQ(GetMethodProp(v.named("Label1"), "OnClick"), v.method);
    // In a frame both parts of each marker get the handler: timers in
    // OnClick (over the click method), image lists in OnDblClick.
    int timerMarkers = 0;
    int imageListMarkers = 0;
    for (TComponent *c : frame->components()) {
        if (c->Name().startsWith("Du_TTimer_")) {
            ++timerMarkers;
            EXPECT_EQ(GetMethodProp(c, "OnClick"), v.event.method()) << c->Name().toStdString();
        } else if (c->Name().startsWith("Du_TImageList_")) {
            ++imageListMarkers;
            EXPECT_EQ(GetMethodProp(c, "OnDblClick"), v.event.method()) << c->Name().toStdString();
            EXPECT_EQ(GetMethodProp(c, "OnClick"), v.method);
        }
    }
    EXPECT_EQ(timerMarkers, 2);
    EXPECT_EQ(imageListMarkers, 2);
}

TEST(EventBinding, AFailingWriteNamesTheClassAndTheWalkGoesOn)
{
    Viewer v;
    TForm form(nullptr);
    auto *refusing = new test::TRefusingClick(&form);
    refusing->SetName("Refusing1");
    auto *button = new TButton(&form);
    v.view.SetEventHandlerForAllObjects(&form, "OnClick", v.event);
    EXPECT_EQ(v.messages.messages, QStringList{"TRefusingClick"});
    EXPECT_EQ(GetMethodProp(button, "OnClick"), v.method);
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
