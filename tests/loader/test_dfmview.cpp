// The load driver end to end: form files on disk go through TDFMView into
// live framework forms. Runs headless (offscreen platform).

#include "framework/controls/standard.h"
#include "framework/exceptions.h"
#include "framework/forms.h"
#include "framework/controls/nonvisual.h"
#include "framework/stylebook.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/registry.h"
#include "streams/errors.h"
#include "tests/fixtures/styledforms.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtMath>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace vantor::test {

// A class the framework can build but the known-class list does not name.
class TRegisteredButUnlisted : public TControl
{
    VANTOR_CLASS(TRegisteredButUnlisted, TControl)
public:
    explicit TRegisteredButUnlisted(TComponent *owner) : TControl(owner) {}
};
VANTOR_IMPLEMENT_CLASS(TRegisteredButUnlisted)

} // namespace vantor::test

namespace {

using namespace vantor;
using namespace vantor::test;

std::string dataPath(const char *name)
{
    return std::string(VANTOR_TEST_DATA) + "/" + name;
}

// One loader with an owner for its forms, as the main window has.
struct Loader
{
    TComponent owner{nullptr};
    TDFMView view;
    Loader() { view.FormOwner = &owner; }

    bool load(const std::string &file, bool runtimeView = true)
    {
        // The caller frees the previous form before the next load.
        delete view.FormDyna;
        view.FormDyna = nullptr;
        return view.GetDynaForm(file, runtimeView);
    }
    template<class T = TComponent> T *find(const char *name) const
    {
        TComponent *root = view.FormDyna;
        if (root && root->ComponentCount() == 1 && object_cast<TFrame>(root->Components(0)))
            root = root->Components(0);
        return root ? object_cast<T>(componentAsObject(root->FindComponent(QString::fromUtf8(name)))) : nullptr;
    }
};

// Form texts written to a temporary folder, so that the file name is known.
class TempForms
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

std::vector<std::string> lines(const TStringList &list)
{
    return list.toVector();
}

TEST(LoadDriver, BuildsTheFormAndLeavesItsLists)
{
    Loader l;
    ASSERT_TRUE(l.load(dataPath("load_form.fmx")));
    TF_FMXDummy *form = l.view.FormDyna;
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Owner(), &l.owner);
    EXPECT_EQ(form->Name(), "frmDynaForm");
    EXPECT_EQ(form->Caption(), "Form : TMainForm in load_form.fmx");
    EXPECT_EQ(form->Width(), 310);
    EXPECT_EQ(form->Height(), 210);
    EXPECT_EQ(form->BorderStyle(), TFmxFormBorderStyle::Sizeable);
    EXPECT_EQ(form->Position(), TFormPosition::Designed);
    EXPECT_EQ(l.view.APlatform, "Windows");
    EXPECT_EQ(l.view.AScaleX, 1.0L);

    // The unedited copy: renamed root, event lines still there, tag = index.
    const TStringList &org = l.view.slOrgDFM;
    EXPECT_EQ(org[0], "object frmDynaForm: TfrmDynaForm");
    EXPECT_EQ(org[7], "  OnCreate = FormCreate");
    for (int i = 0; i < org.count(); ++i)
        ASSERT_EQ(org.tag(i), i);

    // The unknown class became a placeholder label tagged with its header line.
    EXPECT_EQ(lines(l.view.slMissing), std::vector<std::string>{"TKnobWidget"});
    ASSERT_EQ(l.view.slUnknownClassesOffset.count(), 1);
    EXPECT_EQ(l.view.slUnknownClassesOffset[0], "TKnobWidget");
    EXPECT_EQ(org[l.view.slUnknownClassesOffset.tag(0)], "  object Knob1: TKnobWidget");
    auto *knob = l.find<TLabel>("Knob1");
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->Text(), "@TKnobWidget");
    EXPECT_EQ(knob->Tag(), l.view.slUnknownClassesOffset.tag(0));
    // A form leaves out sizes equal to the class's default: the placeholder
    // takes a label's, so that its text shows.
    EXPECT_EQ(knob->AbsoluteRect(), QRectF(40, 80, 120, 17));

    // Children are built where the file puts them, after layout.
    auto *button = l.find<TButton>("Button1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Text(), "OK");
    EXPECT_EQ(button->AbsoluteRect(), QRectF(10, 12, 80, 22));
    EXPECT_EQ(l.find<TPanel>("Panel1")->Width(), 310); // aligned to the top of the grown form
}

TEST(LoadDriver, BinaryFormBuildsTheSameTreeAsItsText)
{
    auto tree = [](const char *file) {
        Loader l;
        EXPECT_TRUE(l.load(dataPath(file)));
        std::vector<std::string> out;
        for (TComponent *c : l.view.FormDyna->components()) {
            const QRectF r = object_cast<TControl>(c) ? object_cast<TControl>(c)->AbsoluteRect() : QRectF();
            out.push_back((c->Name() + ":" + c->ClassName()).toStdString() + " "
                          + std::to_string(r.x()) + "," + std::to_string(r.y()) + ","
                          + std::to_string(r.width()) + "," + std::to_string(r.height()));
        }
        out.push_back(lines(l.view.slMissing).front());
        return out;
    };
    EXPECT_EQ(tree("load_form_binary.fmx"), tree("load_form.fmx"));
}

TEST(LoadDriver, ViewDecidesOverHiddenAndDisabledComponents)
{
    struct Case
    {
        bool runtimeView;
        bool visible;
        bool enabled;
    };
    for (const Case &c : {Case{true, false, false}, Case{false, true, true}}) {
        SCOPED_TRACE(c.runtimeView ? "run-time view" : "design-time view");
        Loader l;
        ASSERT_TRUE(l.load(dataPath("load_form.fmx"), c.runtimeView));
        auto *label = l.find<TLabel>("Label1");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Visible(), c.visible);
        EXPECT_EQ(label->Enabled(), c.enabled);
    }
}

TEST(LoadDriver, RootHeaderDecidesBetweenFormAndFrame)
{
    struct Case
    {
        const char *what;
        std::string text;
        std::string line0;   // slOrgDFM's first line
        std::string caption; // FormDyna's caption, before " in <file>"
    };
    const Case cases[] = {
        {"three lines are never a frame", "inherited Side: TSide\n  Height = 50\nend\n",
         "object frmDynaForm: TfrmDynaForm", "Form : TSide"},
        {"a width on line 3 makes a frame",
         "object Side: TSide\n  Left = 0\n  Top = 0\n  Width = 200\n  Height = 50\nend\n", "object Side: TSide",
         "Frame : TSide"},
        {"a newer frame gives its width as Size.Width on line 1",
         "object Side: TSide\n  Size.Width = 200.000000000000000000\n  Size.Height = 50.000000000000000000\n"
         "  Size.PlatformDefault = False\n  Align = Top\nend\n",
         "object Side: TSide", "Frame : TSide"},
        {"or after its Align line",
         "object Side: TSide\n  Align = Client\n  Size.Width = 200.000000000000000000\n"
         "  Size.Height = 50.000000000000000000\n  Size.PlatformDefault = False\nend\n",
         "object Side: TSide", "Frame : TSide"},
        {"a root that aligns itself is a frame, wherever its width stands",
         "object Card: TCard\n  Align = Client\n  Padding.Left = 3.000000000000000000\n"
         "  Padding.Top = 3.000000000000000000\n  Size.Width = 200.000000000000000000\nend\n",
         "object Card: TCard", "Frame : TCard"},
        {"a form with Size.Width only past line 3 stays a form",
         "object Side: TSide\n  ClientHeight = 50\n  ClientWidth = 200\n  Left = 0\n"
         "  Size.Width = 200.000000000000000000\nend\n",
         "object frmDynaForm: TfrmDynaForm", "Form : TSide"},
        {"a caption among the root's own lines makes it a form",
         "object Side: TSide\n  Left = 0\n  Top = 0\n  Width = 200\n  Caption = 'x'\nend\n",
         "object frmDynaForm: TfrmDynaForm", "Form : TSide"},
        {"an inherited root without caption is a frame",
         "inherited Side: TSide\n  Left = 0\n  Top = 0\n  Height = 50\nend\n", "inherited Side: TSide",
         "Frame : TSide"},
        {"an inherited root that gives a client size is a form (a variant without its master)",
         "inherited Side_Phone: TSide_Phone\n  ClientHeight = 425\n  ClientWidth = 720\n  DesignerMasterStyle = 3\nend\n",
         "object frmDynaForm: TfrmDynaForm", "Form : TSide_Phone"},
        {"an unnamed root keeps its header", "object TPlain\n  Caption = 'x'\nend\n", "object TPlain",
         "Form : object TPlain"},
        {"the class is trimmed", "object Main:   TMain  \n  Caption = 'x'\nend\n",
         "object frmDynaForm: TfrmDynaForm", "Form : TMain"},
    };
    TempForms files;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loader l;
        const std::string path = files.write("root.fmx", c.text);
        ASSERT_TRUE(l.load(path)) << lines(l.view.slMissing).size();
        EXPECT_EQ(l.view.slOrgDFM[0], c.line0);
        EXPECT_EQ(l.view.FormDyna->Caption().toStdString(), c.caption + " in root.fmx");
    }
}

TEST(LoadDriver, PropertiesOfNewerAndThreeDimensionalFormsBuild)
{
    // Each of these failed the whole build once ("Eigenschaft ... existiert
    // nicht" or "Ungültiger Eigenschaftswert").
    struct Case
    {
        const char *what;
        const char *children;
    };
    const Case cases[] = {
        {"help properties of a panel", "  object P: TPanel\n    HelpType = htKeyword\n    HelpKeyword = 'p'\n  end\n"},
        {"a platform button", "  object B: TButton\n    ControlType = Platform\n  end\n"},
        {"texts that are not translated",
         "  object B: TButton\n    AutoTranslate = False\n  end\n  object L: TLabel\n    AutoTranslate = False\n  end\n"},
        {"alignment at the middle of the top edge", "  object L: TLabel\n    Align = TopCenter\n  end\n"},
    };
    TempForms files;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loader l;
        const std::string text = std::string("object F: TF\n  Caption = 'x'\n  ClientHeight = 100\n  ClientWidth = 100\n")
                                 + c.children + "end\n";
        EXPECT_TRUE(l.load(files.write("props.fmx", text)));
        EXPECT_EQ(lines(l.view.slMissing), std::vector<std::string>{});
    }

    // A 3D form's Color is the colour it is cleared with.
    Loader l;
    ASSERT_TRUE(l.load(files.write("three.fmx", "object F: TF\n  Caption = 'x'\n  Color = claSilver\n"
                                                "  ClientHeight = 100\n  ClientWidth = 100\nend\n")));
    EXPECT_EQ(l.view.FormDyna->Fill()->Kind(), TBrushKind::Solid);
    EXPECT_EQ(l.view.FormDyna->Fill()->Color(), claColors::Silver);
}

TEST(LoadDriver, FrameIsPlacedInTheHostFormWhichTakesItsSize)
{
    Loader l;
    ASSERT_TRUE(l.load(dataPath("load_frame.fmx")));
    TF_FMXDummy *form = l.view.FormDyna;
    EXPECT_TRUE(l.view.RootIsFrame);
    ASSERT_EQ(form->ComponentCount(), 1);
    auto *frame = object_cast<TFrame>(componentAsObject(form->Components(0)));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->Name(), "SideFrame");
    EXPECT_EQ(frame->Parent(), form);
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(frame->BoundsRect(), QRectF(0, 0, 240, 120));
    EXPECT_EQ(l.view.slOrgDFM[0], "object SideFrame: TSideFrame");
    EXPECT_EQ(lines(l.view.slMissing), std::vector<std::string>{"TGaugeWidget"});
    EXPECT_NE(l.find<TLabel>("Gauge1"), nullptr);
    // The host form takes the frame's size (not enlarged as a form is).
    EXPECT_EQ(form->Width(), 240);
    EXPECT_EQ(form->Height(), 120);
}

TEST(LoadDriver, FrameKeepsTheSizeItsFileGivesInEitherSpelling)
{
    // Newer frames give their size only as Size.Width/Size.Height, which the
    // root-property filter used to remove: the frame then had no size and
    // showed nothing.
    const std::string content = "  object Rect1: TRectangle\n    Align = Client\n    Fill.Color = xFFFF0000\n  end\n"
                                "  object Button1: TButton\n    Position.X = 10.000000000000000000\n"
                                "    Position.Y = 10.000000000000000000\n    Text = 'Hello'\n  end\nend\n";
    struct Case
    {
        const char *what;
        std::string head;
        QSizeF size;
    };
    const Case cases[] = {
        {"newer: Size.Width and Size.Height",
         "object MyFrame: TMyFrame\n  Size.Width = 300.000000000000000000\n  Size.Height = 200.000000000000000000\n"
         "  Size.PlatformDefault = False\n",
         {300, 200}},
        {"older: Width and Height", "object MyFrame: TMyFrame\n  Left = 0\n  Top = 0\n  Width = 300\n  Height = 200\n",
         {300, 200}},
        {"older, the size first and no place", "object MyFrame: TMyFrame\n  Height = 200.000000000000000000\n"
         "  Width = 300.000000000000000000\n", {300, 200}},
        {"a position in the designer's form is not kept",
         "object MyFrame: TMyFrame\n  Left = 40\n  Top = 30\n  Width = 300\n  Height = 200\n", {300, 200}},
        {"a fractional size is kept whole",
         "object MyFrame: TMyFrame\n  Align = Client\n  Size.Width = 300.5\n  Size.Height = 199.25\n"
         "  Size.PlatformDefault = False\n",
         {300.5, 199.25}},
        {"no size of its own: the size its filling child was laid out at",
         "inherited MyFrame: TMyFrame\n  object Back: TLayout\n    Align = Client\n"
         "    Size.Width = 1280.000000000000000000\n    Size.Height = 720.000000000000000000\n  end\n",
         {1280, 720}},
        {"no size of its own: the extent of its children",
         "inherited MyFrame: TMyFrame\n  object Low: TLayout\n    Position.Y = 370.000000000000000000\n"
         "    Size.Width = 50.000000000000000000\n    Size.Height = 30.000000000000000000\n  end\n"
         "  object Far: TLayout\n    Position.X = 500.000000000000000000\n    Position.Y = 20.000000000000000000\n"
         "    Size.Width = 100.000000000000000000\n    Size.Height = 30.000000000000000000\n  end\n",
         {600, 400}},
        {"no size of its own and nothing to tell it: the framework's default", "inherited MyFrame: TMyFrame\n  Align = Client\n  Tag = 1\n",
         {320, 240}},
    };
    TempForms files;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loader l;
        ASSERT_TRUE(l.load(files.write("frame.fmx", c.head + content)));
        EXPECT_TRUE(l.view.RootIsFrame);
        auto *frame = object_cast<TFrame>(componentAsObject(l.view.FormDyna->Components(0)));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->BoundsRect(), QRectF(QPointF(0, 0), c.size));
        EXPECT_EQ(l.view.FormDyna->Width(), qRound(c.size.width()));
        EXPECT_EQ(l.view.FormDyna->Height(), qRound(c.size.height()));
        // The client-aligned rectangle fills the frame; the button keeps its place.
        EXPECT_EQ(l.find<TControl>("Rect1")->BoundsRect(), QRectF(QPointF(0, 0), c.size));
        EXPECT_EQ(l.find<TControl>("Button1")->BoundsRect().topLeft(), QPointF(10, 10));
    }
}

TEST(LoadDriver, FormWithoutHeightGetsTheDefaultSizeAndTheMargin)
{
    TempForms files;
    Loader l;
    ASSERT_TRUE(l.load(files.write("flat.fmx", "object F: TF\n  ClientHeight = 0\n  ClientWidth = 40\nend\n")));
    EXPECT_EQ(l.view.FormDyna->Height(), 610);
    EXPECT_EQ(l.view.FormDyna->Width(), 810);
}

TEST(LoadDriver, LinksRealFormsSetAreRead)
{
    // The active control of the form, a control's action, a button's image
    // list and help, and the older spelling of a text trimming.
    TempForms files;
    Loader l;
    ASSERT_TRUE(l.load(files.write("links.fmx", "object F: TF\n  ActiveControl = B1\n"
                                                "  object AL: TActionList\n"
                                                "    object A1: TAction\n      Text = 'Go'\n    end\n  end\n"
                                                "  object IL: TImageList\n  end\n"
                                                "  object B1: TButton\n    Action = A1\n    Images = IL\n"
                                                "    ImageIndex = 0\n    HelpType = htKeyword\n"
                                                "    Trimming = ttCharacter\n  end\n"
                                                "  object L1: TLabel\n    Action = A1\n  end\n"
                                                "end\n")))
        << lines(l.view.slMissing).front();
    EXPECT_EQ(std::get<TObject *>(GetPropValue(l.find("B1"), QStringLiteral("Action"))),
              componentAsObject(l.find("A1")));
}

TEST(LoadDriver, BuildErrorIsListedInItsSortedPlace)
{
    TempForms files;
    Loader l;
    const std::string path = files.write("bad.fmx", "object F: TF\n"
                                                    "  object A1: AbcWidget\n  end\n"
                                                    "  object B1: TButton\n    Bogus = 1\n  end\n"
                                                    "  object Z1: ZWidget\n  end\n"
                                                    "end\n");
    EXPECT_FALSE(l.load(path));
    const std::vector<std::string> missing = lines(l.view.slMissing);
    ASSERT_EQ(missing.size(), 3u);
    EXPECT_EQ(missing[0], "AbcWidget");
    EXPECT_EQ(missing[1].rfind("Fehler: ", 0), 0u) << missing[1];
    EXPECT_NE(missing[1].find("Eigenschaft Bogus existiert nicht"), std::string::npos) << missing[1];
    EXPECT_EQ(missing[2], "ZWidget");
    // The partly built form is the caller's to free.
    ASSERT_NE(l.view.FormDyna, nullptr);
    EXPECT_EQ(l.view.FormDyna->Caption(), "");
}

TEST(LoadDriver, ErrorsBeforeTheBuildLeaveTheCall)
{
    TempForms files;
    struct Case
    {
        const char *what;
        std::string path;
        bool runtimeView;
        std::string message; // part of the error's message
    };
    const Case cases[] = {
        {"missing file", files.write("x.txt", "") + ".absent.fmx", true, "kann nicht geöffnet werden"},
        {"empty file is a binary form without header", files.write("empty.fmx", ""), true,
         "Ungültiges Stream-Format"},
        {"text the conversion rejects", files.write("broken.fmx", "object F: TF\n  Caption = 'open\nend\n"), true,
         "in Zeile 2"},
        {"marker of a non-visual component without integer position",
         files.write("timer.fmx", "object F: TF\n  object T1: TTimer\n    Left = 'x'\n    Top = 2\n  end\nend\n"),
         false, "ist kein gültiger Integerwert"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Loader l;
        // A form from an earlier load does not survive a failed one.
        ASSERT_TRUE(l.load(dataPath("load_form.fmx")));
        delete l.view.FormDyna;
        l.view.FormDyna = nullptr;
        try {
            l.view.GetDynaForm(c.path, c.runtimeView);
            ADD_FAILURE() << "no error";
        } catch (const Exception &e) {
            EXPECT_NE(e.message().find(c.message), std::string::npos) << e.message();
        }
        EXPECT_EQ(l.view.FormDyna, nullptr);
        EXPECT_TRUE(l.view.slMissing.empty());
        EXPECT_EQ(l.owner.ComponentCount(), 0);
    }
}

TEST(LoadDriver, VariantSetsThePlatformAndNamesTheMaster)
{
    Loader l;
    ASSERT_TRUE(l.load(dataPath("load_variant.iPhone47in.fmx")));
    EXPECT_EQ(l.view.APlatform, "iPhone");
    EXPECT_EQ(l.view.FormDyna->Caption(), "Form : TVariantForm in load_variant.fmx");
    EXPECT_EQ(l.find<TButton>("Button1")->Text(), "Phone text");
}

TEST(LoadDriver, WorkingTextReachesTheConversionInItsOwnEncoding)
{
    for (const char *file : {"load_ansi.fmx", "load_utf8.fmx"}) {
        SCOPED_TRACE(file);
        Loader l;
        ASSERT_TRUE(l.load(dataPath(file)));
        EXPECT_EQ(l.view.slOrgDFM[1], "  Caption = 'Größe'");
        EXPECT_EQ(l.find<TLabel>("Label1")->Text(), QString::fromUtf8("Ärger €"));
    }
}

TEST(LoadDriver, EachLoadStartsFromEmptyLists)
{
    TempForms files;
    Loader l;
    ASSERT_TRUE(l.load(dataPath("load_form.fmx")));
    ASSERT_TRUE(l.load(files.write("plain.fmx", "object P: TP\n  object B: TButton\n  end\nend\n")));
    EXPECT_NE(l.find("B"), nullptr);
    EXPECT_TRUE(l.view.slMissing.empty());
    EXPECT_TRUE(l.view.slUnknownClassesOffset.empty());
    EXPECT_EQ(l.view.slOrgDFM.count(), 4);
    EXPECT_EQ(l.owner.ComponentCount(), 1);
}

TEST(LoadDriver, EmptyListAndComboBoxesShowOneBlankItem)
{
    Loader l;
    ASSERT_TRUE(l.load(dataPath("load_form.fmx"))); // registers the known classes
    if (!GetClass("TListBox") || !GetClass("TComboBox"))
        GTEST_SKIP() << "the framework has no list or combo box yet";
    TempForms files;
    ASSERT_TRUE(l.load(files.write("lists.fmx", "object F: TF\n"
                                                "  object Empty: TListBox\n  end\n"
                                                "  object Filled: TListBox\n    Items.Strings = (\n      'a')\n  end\n"
                                                "  object Combo: TComboBox\n  end\n"
                                                "end\n")));
    auto items = [&](const char *name) {
        const PropValue v = GetPropValue(l.find(name), QStringLiteral("Items"));
        return object_cast<TStrings>(std::get<TObject *>(v))->lines();
    };
    EXPECT_EQ(items("Empty"), QStringList{" "});
    EXPECT_EQ(items("Filled"), QStringList{"a"});
    EXPECT_EQ(items("Combo"), QStringList{" "});
}

TEST(KnownClasses, FirstLoadRegistersThemAndTheListDecides)
{
    RegisterClass<test::TRegisteredButUnlisted>();
    TempForms files;
    Loader l;
    ASSERT_TRUE(l.load(files.write("k.fmx", "object F: TF\n"
                                            "  object R1: TRegisteredButUnlisted\n  end\n"
                                            "  object C1: TButton\n  end\n"
                                            "end\n")));
    EXPECT_TRUE(knownClassesInitialised());
    const TStringList &known = slKnownClasses();
    EXPECT_EQ(known.count(), 89);
    EXPECT_TRUE(known.sorted());
    EXPECT_TRUE(known.contains("TComboBox"));
    EXPECT_EQ(known[known.indexOf("TComboBox")], "TCombobox");
    EXPECT_NE(GetClass(QStringLiteral("TButton")), nullptr);
    EXPECT_EQ(lines(l.view.slMissing), std::vector<std::string>{"TRegisteredButUnlisted"});

    // A second load registers nothing new and keeps the list.
    ASSERT_TRUE(l.load(dataPath("load_form.fmx")));
    EXPECT_EQ(slKnownClasses().count(), 89);
}

// vantor-tool report and render run the same load in a process of their own.
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
};

ToolRun runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VANTOR_TOOL), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

TEST(ReportTool, PrintsTheLoadAsJsonWithItsExitStatus)
{
    TempForms files;
    const QString bad = QString::fromStdString(files.write("bad.fmx", "object F: TF\n  object B: TButton\n"
                                                                      "    Bogus = 1\n  end\nend\n"));
    const QString form = QString::fromStdString(dataPath("load_form.fmx"));
    struct Case
    {
        QStringList args;
        int exitCode;
        QString view;
        bool result;
        bool error;
        int components;
    };
    const Case cases[] = {
        {{"report", form}, 0, "runtime", true, false, 4},
        {{"report", "--design-time", form}, 0, "designtime", true, false, 4},
        {{"report", bad}, 1, "runtime", false, false, 0},
        {{"report", form + ".absent"}, 2, "runtime", false, true, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        QJsonParseError parseError;
        const QJsonObject json = QJsonDocument::fromJson(run.out, &parseError).object();
        ASSERT_EQ(parseError.error, QJsonParseError::NoError) << run.out.toStdString();
        EXPECT_EQ(json["view"].toString(), c.view);
        EXPECT_EQ(json["result"].toBool(), c.result);
        EXPECT_EQ(json["error"].isString(), c.error);
        EXPECT_EQ(json["components"].toArray().size(), c.components);
    }

    const QJsonObject json = QJsonDocument::fromJson(runTool({"report", form}).out).object();
    EXPECT_EQ(json["caption"].toString(), "Form : TMainForm in load_form.fmx");
    EXPECT_EQ(json["width"].toInt(), 310);
    EXPECT_EQ(json["missing"].toArray(), QJsonArray{"TKnobWidget"});
    const QJsonArray placeholder = json["placeholders"].toArray()[0].toArray();
    EXPECT_EQ(placeholder[0].toString(), "TKnobWidget");
    EXPECT_EQ(json["orgText"].toArray()[placeholder[1].toInt()].toString(), "  object Knob1: TKnobWidget");
    // The event lines are gone from what the conversion got, not from the copy.
    EXPECT_TRUE(json["orgText"].toArray().contains(QJsonValue("      OnClick = Button1Click")));
    EXPECT_FALSE(json["workText"].toArray().contains(QJsonValue("      OnClick = Button1Click")));
    const QJsonObject button = json["components"].toArray()[1].toObject();
    EXPECT_EQ(button["name"].toString(), "Button1");
    EXPECT_EQ(button["parent"].toString(), "Panel1");
    EXPECT_EQ(button["bounds"].toArray(), (QJsonArray{10, 12, 80, 22}));

    EXPECT_EQ(runTool({"report"}).exitCode, 2);
}

// A report of several megabytes (a form of thousands of long-texted labels)
// comes out whole: one JSON text, every component and line in order.
TEST(ReportTool, ALargeReportComesOutWhole)
{
    TempForms files;
    std::string text = "object F: TF\n  ClientWidth = 400\n  ClientHeight = 300\n";
    const std::string caption(300, 'x');
    constexpr int kLabels = 4000;
    for (int i = 0; i < kLabels; ++i)
        text += "  object L" + std::to_string(i) + ": TLabel\n    Text = '" + caption + std::to_string(i) + "'\n  end\n";
    text += "end\n";
    const ToolRun run = runTool({"report", QString::fromStdString(files.write("large.fmx", text))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GT(run.out.size(), 3 << 20);
    QJsonParseError parseError;
    const QJsonObject json = QJsonDocument::fromJson(run.out, &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << parseError.errorString().toStdString();
    const QJsonArray components = json["components"].toArray();
    ASSERT_EQ(components.size(), kLabels);
    for (int i : {0, 1234, kLabels - 1})
        EXPECT_EQ(components[i].toObject()["name"].toString(), QStringLiteral("L%1").arg(i));
    const QJsonArray orgText = json["orgText"].toArray();
    ASSERT_EQ(orgText.size(), 4 + 3 * kLabels);
    EXPECT_EQ(orgText[orgText.size() - 3].toString().toStdString(), "    Text = '" + caption + std::to_string(kLabels - 1) + "'");
    EXPECT_EQ(orgText.last().toString(), "end");
}

TEST(ReportTool, TellsWhatThePanelShowsOfEachComponent)
{
    // The form is laid out in the viewer's panel: the host form's size (the
    // client size and 10 more) less the panel's margins of 8 on each side.
    const QJsonObject json =
        QJsonDocument::fromJson(runTool({"report", QString::fromStdString(dataPath("shown_geometry.fmx"))}).out)
            .object();
    EXPECT_EQ(json["picture"].toArray(), (QJsonArray{294, 194}));
    EXPECT_TRUE(json["showsAnything"].toBool());
    struct Row
    {
        const char *name;
        bool shown;
        QJsonValue bounds;
        QJsonValue visibleArea;
    };
    const Row rows[] = {
        {"Top1", true, QJsonArray{0, 0, 294, 40}, QJsonArray{0, 0, 294, 40}},
        {"InTop", true, QJsonArray{10, 8, 80, 22}, QJsonArray{10, 8, 80, 22}},
        // Beyond its parent's right edge: the parent clips it away.
        {"PastTop", true, QJsonArray{400, 8, 80, 22}, QJsonValue::Null},
        {"Hidden1", false, QJsonArray{10, 60, 50, 50}, QJsonValue::Null},
        {"InHidden", false, QJsonArray{10, 60, 80, 22}, QJsonValue::Null},
        {"Flat1", true, QJsonArray{100, 60, 0, 30}, QJsonValue::Null},
        // No size in the file: the framework's default.
        {"Shape1", true, QJsonArray{150, 60, 50, 50}, QJsonArray{150, 60, 50, 50}},
        {"Below1", true, QJsonArray{10, 500, 80, 22}, QJsonValue::Null},
        {"Timer1", false, QJsonValue::Null, QJsonValue::Null},
    };
    const QJsonArray components = json["components"].toArray();
    ASSERT_EQ(components.size(), qsizetype(std::size(rows)));
    for (qsizetype i = 0; i < components.size(); ++i) {
        const Row &row = rows[i];
        const QJsonObject c = components[i].toObject();
        SCOPED_TRACE(row.name);
        EXPECT_EQ(c["name"].toString(), row.name);
        EXPECT_EQ(c["shown"].toBool(), row.shown);
        EXPECT_EQ(c["bounds"], row.bounds);
        EXPECT_EQ(c["visibleArea"], row.visibleArea);
    }
}

TEST(ReportTool, FrameIsShownAtItsOwnSize)
{
    TempForms files;
    const std::string frame = files.write(
        "frame.fmx", "object MyFrame: TMyFrame\n  Size.Width = 300.000000000000000000\n"
                     "  Size.Height = 200.000000000000000000\n  Size.PlatformDefault = False\n"
                     "  object Rect1: TRectangle\n    Align = Client\n    Fill.Color = xFFFF0000\n  end\n"
                     "  object Button1: TButton\n    Position.X = 10.000000000000000000\n"
                     "    Position.Y = 10.000000000000000000\n    Text = 'Hello'\n  end\nend\n");
    const QJsonObject json = QJsonDocument::fromJson(runTool({"report", QString::fromStdString(frame)}).out).object();
    EXPECT_EQ(json["picture"].toArray(), (QJsonArray{300, 200}));
    EXPECT_TRUE(json["showsAnything"].toBool());
    const QJsonArray components = json["components"].toArray();
    ASSERT_EQ(components.size(), 3);
    EXPECT_EQ(components[0].toObject()["visibleArea"].toArray(), (QJsonArray{0, 0, 300, 200}));
    EXPECT_EQ(components[1].toObject()["visibleArea"].toArray(), (QJsonArray{0, 0, 300, 200}));
    EXPECT_EQ(components[2].toObject()["visibleArea"].toArray(), (QJsonArray{10, 10, 80, 22}));

    // The picture: the red rectangle fills it, the button is drawn over it.
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("frame.png"));
    ASSERT_EQ(runTool({"render", QString::fromStdString(frame), png}).exitCode, 0);
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(image.pixel(200, 150), qRgb(255, 0, 0));
    // Next to the corner, inside the rectangle's stroke.
    EXPECT_EQ(image.pixel(297, 197), qRgb(255, 0, 0));
    EXPECT_NE(image.pixel(50, 21), qRgb(255, 0, 0));
}

QJsonObject componentNamed(const QJsonObject &report, const QString &name)
{
    for (const QJsonValue &c : report["components"].toArray())
        if (c.toObject()["name"].toString() == name)
            return c.toObject();
    return {};
}

TEST(StyleBookLoad, ControlsAreDrawnWithTheStylesTheirLookupNames)
{
    TempForms files;
    const QString form = QString::fromStdString(
        files.write("styled.fmx", styledForm(styleResource({{"redbutton", kRedButtonStyle}}))));
    for (const char *view : {"", "--design-time"}) {
        SCOPED_TRACE(view);
        QStringList args{QStringLiteral("report")};
        if (*view)
            args << QString::fromLatin1(view);
        const QJsonObject json = QJsonDocument::fromJson(runTool(args << form).out).object();
        EXPECT_TRUE(json["result"].toBool());
        // The other maker's effect inside the style is no component of the form.
        EXPECT_EQ(json["shownMissing"].toArray(), QJsonArray());
        EXPECT_EQ(componentNamed(json, "Styled1")["look"].toString(), "book:RedButton");
        EXPECT_EQ(componentNamed(json, "Plain1")["look"].toString(), "default");
    }

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("styled.png"));
    ASSERT_EQ(runTool({"render", form, png}).exitCode, 0);
    const QImage image(png);
    // Styled1 sits at (10, 10) 120 x 40: red, with its text in white.
    int red = 0, white = 0;
    for (int y = 12; y < 48; ++y)
        for (int x = 14; x < 126; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            white += c.red() > 200 && c.green() > 200 && c.blue() > 200;
        }
    EXPECT_GT(red, 3000);
    EXPECT_GT(white, 20);
    // Plain1 keeps the default look: no red in it.
    for (int y = 102; y < 120; ++y)
        for (int x = 12; x < 88; ++x)
            ASSERT_LT(image.pixelColor(x, y).red() - image.pixelColor(x, y).green(), 60) << x << "," << y;
}

TEST(StyleBookLoad, StylesAreBuiltOfTheKnownClassesOnly)
{
    // A class some library registered is no part of a style: it stands as an
    // empty part, whether or not the library happened to be asked before.
    RegisterClass<test::TRegisteredButUnlisted>();
    TempForms files;
    const char *style = "object TLayout\n  StyleName = 'oddbutton'\n"
                        "  object TRegisteredButUnlisted\n    StyleName = 'odd'\n  end\n"
                        "  object TRectangle\n    StyleName = 'plain'\n  end\nend\n";
    Loader l;
    ASSERT_TRUE(l.load(files.write("odd.fmx", styledForm(styleResource({{"oddbutton", style}})))));
    auto *book = object_cast<TStyleBook>(l.view.FormDyna->StyleBook());
    ASSERT_NE(book, nullptr);
    const StyleResourceEntry *entry = book->ReadStyles()->find(QStringLiteral("oddbutton"));
    ASSERT_NE(entry, nullptr);
    const StyleLook look(QStringLiteral("oddbutton"), *entry);
    ASSERT_NE(look.part(QStringLiteral("odd")), nullptr);
    EXPECT_EQ(look.part(QStringLiteral("odd"))->ClassName(), "TLayout");
    EXPECT_EQ(look.part(QStringLiteral("plain"))->ClassName(), "TRectangle");
}

TEST(StyleBookLoad, AResourceCutShortIsAnErrorEntryAndTheFormStillShows)
{
    TempForms files;
    const QByteArray resource = styleResource({{"redbutton", kRedButtonStyle}});
    const QString form = QString::fromStdString(files.write("cut.fmx", styledForm(resource.left(resource.size() - 40))));
    const QJsonObject json = QJsonDocument::fromJson(runTool({"report", form}).out).object();
    EXPECT_TRUE(json["result"].toBool());
    EXPECT_EQ(json["shownMissing"].toArray(),
              (QJsonArray{QStringLiteral("Fehler: Stilbuch StyleBook1: Stil redbutton abgeschnitten")}));
    EXPECT_EQ(componentNamed(json, "Styled1")["look"].toString(), "default");
    EXPECT_TRUE(json["showsAnything"].toBool());
}

// Two report runs of the same user at once share the one picture file of the
// plug-in libraries (in the per-user data folder): each call and the read of
// its picture are one step the other run does not enter, so neither run
// reads the other's picture, half of one or none.
TEST(ReportTool, TwoRunsAtOnceEachReadTheirOwnPictures)
{
    TempForms files;
    std::string text = "object F: TF\n  ClientHeight = 400\n  ClientWidth = 600\n";
    const char *const classes[] = {"TText", "TCircle", "TRoundRect", "TEllipse", "TPie", "TArc"};
    for (int i = 0; i < 36; ++i)
        text += "  object C" + std::to_string(i) + ": " + classes[i % 6] + "\n    Position.X = "
                + std::to_string(10 * i) + ".000000000000000000\n  end\n";
    text += "end\n";
    const QString form = QString::fromStdString(files.write("many.fmx", text));
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (int round = 0; round < 3; ++round) {
        QProcess runs[2];
        for (QProcess &p : runs) {
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(VANTOR_TOOL), {QStringLiteral("report"), form});
        }
        for (QProcess &p : runs) {
            SCOPED_TRACE(round);
            ASSERT_TRUE(p.waitForFinished(120000));
            EXPECT_EQ(p.exitCode(), 0);
            const QJsonObject json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
            // What the viewer would list once the libraries were asked: nothing.
            const QJsonArray shown = json["shownMissing"].toArray();
            EXPECT_EQ(shown, QJsonArray{}) << QJsonDocument(shown).toJson().toStdString();
            EXPECT_EQ(json["missing"].toArray().size(), 6);
            EXPECT_EQ(json["placeholders"].toArray().size(), 36);
        }
    }
}

TEST(RenderTool, WritesThePictureOfTheBuiltForm)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("form.png"));
    ASSERT_EQ(runTool({"render", QString::fromStdString(dataPath("load_form.fmx")), png}).exitCode, 0);
    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    // The viewer's panel: the host form less the panel's margins.
    EXPECT_EQ(image.size(), QSize(294, 194));
    // The button is drawn: the picture is not one flat colour.
    const QRgb background = image.pixel(290, 190);
    bool drawn = false;
    for (int x = 10; x < 90 && !drawn; ++x)
        drawn = image.pixel(x, 23) != background;
    EXPECT_TRUE(drawn);
}

} // namespace

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Freeing a host form just shown: the later-repaints and layout requests its
// widgets queued are dropped with them, and those of every other widget still
// arrive.
TEST(HostForm, FreeingItDropsTheQueuedRequestsOfItsWidgetsOnly)
{
    struct Count : QObject
    {
        const QObject *watched = nullptr;
        const QObject *dying = nullptr;
        int updates = 0;
        int dyingUpdates = 0;
        int layouts = 0;
        int dyingLayouts = 0;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::UpdateLater) {
                updates += o == watched;
                dyingUpdates += o == dying;
            } else if (e->type() == QEvent::LayoutRequest) {
                layouts += o == watched;
                dyingLayouts += o == dying;
            }
            return false;
        }
    };
    QWidget window;
    window.resize(200, 100);
    window.show();
    QCoreApplication::processEvents();

    auto *form = new TF_FMXDummy(nullptr);
    auto *button = new TButton(form);
    button->SetParent(form);
    QWidget *host = form->peer();
    host->setParent(&window);
    host->show(); // queues a later-repaint for each of its widgets
    auto *other = new QWidget(&window);
    other->show(); // and for this one, which stays
    // A child whose size hint changes asks its parent for a new layout.
    QCoreApplication::postEvent(button->peer(), new QEvent(QEvent::LayoutRequest));
    QCoreApplication::postEvent(other, new QEvent(QEvent::LayoutRequest));

    Count count;
    count.watched = other;
    count.dying = button->peer();
    qApp->installEventFilter(&count);
    delete form;
    EXPECT_EQ(count.updates, 1) << "the other widget's repaint is delivered as the form goes";
    EXPECT_EQ(count.layouts, 1) << "and its layout request";
    EXPECT_EQ(count.dyingUpdates, 0) << "the form's widgets are not repainted on their way out";
    EXPECT_EQ(count.dyingLayouts, 0) << "nor laid out";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(count.updates, 1);
    EXPECT_EQ(count.layouts, 1);
    qApp->removeEventFilter(&count);
}
