// The plug-in libraries and the placeholders of missing classes: the folder
// scan, the class look-up, the block of form text a library gets, what the
// viewer does with each kind of answer, and the relayout nudge. The test
// libraries are built from testplugin.cpp. Headless.

#include "core/blocktext.h"
#include "framework/controls/images.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"
#include "framework/tasks.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "loader/plugins.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vantor;

// A folder of plug-in files: copies of the test libraries under given names.
class PlugInFolder
{
public:
    void add(const char *library, const QString &name)
    {
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(library), m_dir.filePath(name))) << name.toStdString();
    }
    void addText(const QString &name, const QByteArray &text)
    {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void addFolder(const QString &name) { ASSERT_TRUE(QDir(m_dir.path()).mkdir(name)); }
    std::string path() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

std::set<std::string> moduleNames()
{
    std::set<std::string> names;
    for (const auto &p : PlugInList())
        names.insert(p->ModuleName);
    return names;
}

template<class F> F exportOf(const TDFMPlugin *plugin, const char *name)
{
    return reinterpret_cast<F>(dlsym(reinterpret_cast<void *>(plugin->DLLHandle), name));
}

TEST(PlugInScan, MaskIgnoresCaseAndTakesTheWholeName)
{
    const std::pair<const char *, bool> cases[] = {
        {"FMXCommon.dll", true}, {"fmxcommon.DLL", true}, {"FMX.dll", true},      {"FmX_x.Dll", true},
        {"xFMX.dll", false},     {"FMX.dll.bak", false},  {"FMXCommon.so", false}, {"FMXdll", false},
        {"FM.dll", false},       {"", false},
    };
    for (const auto &[name, matches] : cases)
        EXPECT_EQ(MatchesPlugInMask(name), matches) << name;
}

TEST(PlugInScan, LoadsMatchingLibrariesAndSkipsWhatCannotServe)
{
    PlugInFolder folder;
    folder.add(TESTPLUGIN_MAIN, "FMXMain.dll");
    folder.add(TESTPLUGIN_SECOND, "fmxsecond.DLL");
    folder.add(TESTPLUGIN_NO_LIST, "FMX.dll");
    folder.add(TESTPLUGIN_THROW_LIST, "FMXThrow.dll");
    folder.add(TESTPLUGIN_NULL_LIST, "FMXNull.dll");
    folder.add(TESTPLUGIN_MAIN, "xFMXMain.dll");
    folder.add(TESTPLUGIN_MAIN, "FMXMain.dll.bak");
    folder.addText("FMXJunk.dll", "not a library");
    folder.addFolder("FMXFolder.dll");
    LoadPlugIns(folder.path());

    EXPECT_EQ(moduleNames(), (std::set<std::string>{"FMXMain.dll", "fmxsecond.DLL", "FMX.dll"}));
    const TDFMPlugin *main = FindPlugInForClass("TAlpha");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->ModuleName, "FMXMain.dll");
    ASSERT_NE(main->slExportedClasses, nullptr);
    // CR, LF and CR LF all end a line; the list keeps the library's order.
    EXPECT_EQ(main->slExportedClasses->toVector(),
              (std::vector<std::string>{"TAlpha", "TShared", "TNoForm", "TErrMsg", "TThrows", "TNoPicture",
                                        "TVisible"}));
    EXPECT_NE(main->GetWinControlFromClass, nullptr);

    EXPECT_EQ(FindPlugInForClass("tbeta")->ModuleName, "fmxsecond.DLL");
    EXPECT_EQ(FindPlugInForClass("TNothing"), nullptr);
    EXPECT_EQ(FindPlugInForClass(""), nullptr);
    // Two libraries list TShared: the first in the listing wins.
    const TDFMPlugin *firstWithShared = nullptr;
    for (const auto &p : PlugInList())
        if (!firstWithShared && p->slExportedClasses && p->slExportedClasses->contains("TShared"))
            firstWithShared = p.get();
    EXPECT_EQ(FindPlugInForClass("TShared"), firstWithShared);

    // The library without a class list is kept but never chosen.
    for (const auto &p : PlugInList())
        if (p->ModuleName == "FMX.dll") {
            EXPECT_EQ(p->slExportedClasses, nullptr);
            EXPECT_NE(p->GetWinControlFromClass, nullptr);
        }
    EXPECT_EQ(PlugInClassLists().size(), 2u);

    // An empty folder leaves no library.
    PlugInFolder empty;
    LoadPlugIns(empty.path());
    EXPECT_TRUE(PlugInList().empty());
    EXPECT_EQ(FindPlugInForClass("TAlpha"), nullptr);
}

TEST(ComponentBlock, CutsShiftsAndStripsTheComponentsLines)
{
    TStringList org;
    org.setText("object F: TF\n"                 // 0
                "  object A: TAlpha\n"           // 1
                "    Width = 10\n"               // 2
                "    OnClick = AClick\n"         // 3
                "    object B: TBeta\n"          // 4
                "      object C: TGamma\n"       // 5
                "        Tag = 3\n"              // 6
                "      end\n"                    // 7
                "    end\n"                      // 8
                "  end\n"                        // 9
                "  object D: TDelta\n"           // 10
                "    Height = 5\n"               // 11
                "    inline E: TFrameE\n"        // 12
                "    end\n"                      // 13
                "    \n");                       // 14: the text ends without the block's end
    struct Case
    {
        int line;
        std::vector<std::string> block;
    } cases[] = {
        {1, {"object A: TAlpha", "  Width = 10", "  object B: TBeta", "    object C: TGamma", "      Tag = 3",
             "    end", "  end", "end"}},
        {4, {"object B: TBeta", "  object C: TGamma", "    Tag = 3", "  end", "end"}},
        // Six blanks deep: four go, two stay.
        {5, {"  object C: TGamma", "    Tag = 3", "  end"}},
        // To the end of the text, the trailing blank line dropped.
        // Frame instances become objects.
        {10, {"object D: TDelta", "  Height = 5", "  object E: TFrameE", "  end"}},
        {-1, {}},
        {15, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ComponentBlock(org, c.line).toVector(), c.block) << c.line;
}

// ---------------------------------------------------------------------------
// Placeholders end to end

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
    Viewer() { view.FormOwner = &owner; }
    ~Viewer()
    {
        // Queued nudges of the forms go before the forms do.
        TTask::WaitForAll();
        QCoreApplication::processEvents();
    }
    TComponent *root() const
    {
        TComponent *r = view.FormDyna;
        if (r && r->ComponentCount() == 1 && object_cast<TFrame>(r->Components(0)))
            r = r->Components(0);
        return r;
    }
    TLabel *label(const char *name) const
    {
        return object_cast<TLabel>(componentAsObject(root()->FindComponent(QString::fromUtf8(name))));
    }
};

const char *const kFormWithPlaceholders = "object Form1: TForm1\n"
                                          "  ClientHeight = 300\n"
                                          "  ClientWidth = 400\n"
                                          "  object Alpha1: TAlpha\n"
                                          "    Position.X = 40.000000000000000000\n"
                                          "    Position.Y = 50.000000000000000000\n"
                                          "    OnClick = Alpha1Click\n"
                                          "    object Inner1: TInner\n"
                                          "      Left = 3\n"
                                          "      Kind = 2\n"
                                          "    end\n"
                                          "    object Button1: TButton\n"
                                          "      Text = 'ok'\n"
                                          "    end\n"
                                          "  end\n"
                                          "  object Visible1: TVisible\n"
                                          "  end\n"
                                          "  object NoForm1: TNoForm\n"
                                          "  end\n"
                                          "  object ErrMsg1: TErrMsg\n"
                                          "  end\n"
                                          "  object Throws1: TThrows\n"
                                          "  end\n"
                                          "  object NoPicture1: TNoPicture\n"
                                          "  end\n"
                                          "  object Nobody1: TNobodysClass\n"
                                          "  end\n"
                                          "  object Decoy1: TLabel\n"
                                          "    Text = '@Decoy'\n"
                                          "    Tag = 9999\n"
                                          "  end\n"
                                          "end\n";

TEST(MissingClassObjects, LibrariesBuildWhatTheyCanAndEveryFailureIsListed)
{
    PlugInFolder folder;
    folder.add(TESTPLUGIN_MAIN, "FMXMain.dll");
    LoadPlugIns(folder.path());
    const TDFMPlugin *plugin = FindPlugInForClass("TAlpha");
    ASSERT_NE(plugin, nullptr);
    const int callsBefore = exportOf<int (*)()>(plugin, "TestPlugInCalls")();

    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(files.write("placeholders.fmx", kFormWithPlaceholders), true));
    EXPECT_EQ(v.view.slMissing.toVector(),
              (std::vector<std::string>{"TAlpha", "TErrMsg", "TNobodysClass", "TNoForm", "TNoPicture", "TThrows",
                                        "TVisible"}));
    v.view.SetMissingClasses(v.view.FormDyna, true);

    // Each placeholder was asked for once, the re-walk after Alpha1's block
    // (which names the unknown TInner) included.
    EXPECT_EQ(exportOf<int (*)()>(plugin, "TestPlugInCalls")() - callsBefore, 6);
    EXPECT_EQ(v.view.slFoundClasses.toVector(),
              (std::vector<std::string>{"TAlpha", "TVisible", "TNoForm", "TErrMsg", "TThrows", "TNoPicture"}));

    // The supplied classes left the list; the failures and the classes no
    // library builds are what the user sees.
    const std::vector<std::string> shown = v.view.slMissing.toVector();
    const std::set<std::string> shownSet(shown.begin(), shown.end());
    EXPECT_EQ(shown.size(), 5u);
    EXPECT_TRUE(shownSet.count("Fehler: geworfen"));
    EXPECT_TRUE(shownSet.count("Fehler: kaputt: TErrMsg"));
    EXPECT_TRUE(shownSet.count("TInner")); // named only inside Alpha1's block
    EXPECT_TRUE(shownSet.count("TNobodysClass"));
    // The library that wrote no picture: the file error, naming the picture.
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [](const std::string &s) {
                                return s.rfind("Fehler: ", 0) == 0 && s.find("PlugInPicture.png") != std::string::npos;
                            }),
              1);
    // The walk asks in the order of the form.
    EXPECT_EQ(std::string(exportOf<const char *(*)()>(plugin, "TestPlugInLastClass")()), "TNoPicture");

    // Alpha1: the picture in the placeholder, at the place the library gave.
    TLabel *alpha = v.label("Alpha12222");
    ASSERT_NE(alpha, nullptr);
    EXPECT_EQ(alpha->Text(), "@TAlpha"); // the library's form was not visible
    EXPECT_EQ(alpha->BoundsRect(), QRectF(5, 7, 24, 12));
    ASSERT_EQ(alpha->ChildrenCount(), 1);
    auto *image = object_cast<TImage>(alpha->Children(0));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Align(), TAlignLayout::Client);
    EXPECT_EQ(image->Bitmap()->image().size(), QSize(24, 12));
    // A visible form clears the text.
    ASSERT_NE(v.label("Visible12222"), nullptr);
    EXPECT_EQ(v.label("Visible12222")->Text(), "");
    // Failures and classes without a library keep their placeholder as it was.
    for (const char *name : {"NoForm12222", "ErrMsg12222", "Throws12222", "Nobody12222"}) {
        TLabel *l = v.label(name);
        ASSERT_NE(l, nullptr) << name;
        EXPECT_TRUE(l->Text().startsWith("@")) << name;
        EXPECT_EQ(l->ChildrenCount(), 0) << name;
    }
    // A label that only looks like a placeholder is left alone.
    EXPECT_NE(v.label("Decoy1"), nullptr);
}

// Another process of the same user holds the picture's lock (another viewer
// in the middle of a plug-in call): the call is not made, the placeholder
// gets an error entry once the wait's limit (a few seconds) is up, and the
// next load, after that process has let go, shows the picture. Takes about
// five seconds: the limit is waited out once.
TEST(MissingClassObjects, APictureLockHeldElsewhereIsAnErrorEntryNotAWait)
{
    PlugInFolder folder;
    folder.add(TESTPLUGIN_MAIN, "FMXMain.dll");
    LoadPlugIns(folder.path());
    const TDFMPlugin *plugin = FindPlugInForClass("TAlpha");
    ASSERT_NE(plugin, nullptr);
    const auto calls = exportOf<int (*)()>(plugin, "TestPlugInCalls");
    TempForm files;
    const std::string form = files.write("locked.fmx", "object Form1: TForm1\n  ClientHeight = 300\n"
                                                       "  ClientWidth = 400\n  object Alpha1: TAlpha\n  end\nend\n");

    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const std::string lockPath = PlugInPictureLockPath();
    const pid_t other = fork();
    if (other == 0) {
        const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
        const char ok = fd >= 0 && flock(fd, LOCK_EX) == 0 ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    {
        Viewer v;
        ASSERT_TRUE(v.view.GetDynaForm(form, true));
        const int before = calls();
        v.view.SetMissingClasses(v.view.FormDyna, true);
        EXPECT_EQ(calls(), before);
        const std::vector<std::string> shown = v.view.slMissing.toVector();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind("Fehler: Sperrdatei " + lockPath, 0), 0u) << shown[0];
        EXPECT_NE(shown[0].find("gesperrt"), std::string::npos) << shown[0];
        EXPECT_EQ(v.label("Alpha12222")->ChildrenCount(), 0);
    }
    (void)!write(release[1], "x", 1);
    waitpid(other, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        close(fd);

    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(form, true));
    v.view.SetMissingClasses(v.view.FormDyna, true);
    EXPECT_TRUE(v.view.slMissing.empty()) << v.view.slMissing.text();
    EXPECT_EQ(v.label("Alpha12222")->ChildrenCount(), 1);
}

TEST(MissingClassObjects, TheLibraryGetsTheShiftedBlockWithoutEventsAndTheContainer)
{
    PlugInFolder folder;
    folder.add(TESTPLUGIN_MAIN, "FMXMain.dll");
    LoadPlugIns(folder.path());
    const TDFMPlugin *plugin = FindPlugInForClass("TAlpha");
    ASSERT_NE(plugin, nullptr);

    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(files.write("frame.fmx", "object SideFrame: TSideFrame\n"
                                                            "  Left = 0\n"
                                                            "  Top = 0\n"
                                                            "  Width = 240\n"
                                                            "  Height = 120\n"
                                                            "  object Panel1: TPanel\n"
                                                            "    object Alpha1: TAlpha\n"
                                                            "      Position.X = 40.000000000000000000\n"
                                                            "      OnClick = Alpha1Click\n"
                                                            "      Caption = 'Gr\xFC\xDF\x65'\n"
                                                            "      object Inner1: TInner\n"
                                                            "        Left = 3\n"
                                                            "        Kind = 2\n"
                                                            "      end\n"
                                                            "    end\n"
                                                            "  end\n"
                                                            "end\n"),
                                   true));
    v.view.SetMissingClasses(v.view.FormDyna, true);
    auto *frame = object_cast<TFrame>(v.view.FormDyna->Components(0));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(exportOf<void *(*)()>(plugin, "TestPlugInLastParent")(), static_cast<void *>(frame));
    EXPECT_EQ(std::string(exportOf<const char *(*)()>(plugin, "TestPlugInLastClass")()), "TAlpha");
    // Windows-1252 without a byte-order mark, CR LF after every line; the
    // unknown child is a placeholder that keeps its Left line and names the
    // child's line in the form text.
    EXPECT_EQ(std::string(exportOf<const char *(*)()>(plugin, "TestPlugInLastBlock")()),
              "object Alpha1: TAlpha\r\n"
              "  Position.X = 40.000000000000000000\r\n"
              "  Caption = 'Gr\xFC\xDF\x65'\r\n"
              "  object Inner1: TLabel\r\n"
              "    Left = 3\r\n"
              "    Text = '@TInner'\r\n"
              "    Tag = 10\r\n"
              "    HitTest = True\r\n"
              "  end\r\n"
              "end\r\n");
    EXPECT_NE(v.label("Alpha12222"), nullptr);
}

TEST(MissingClassObjects, ALibraryWithoutTheBuildExportIsReported)
{
    PlugInFolder folder;
    folder.add(TESTPLUGIN_NO_BUILD, "FMXNoBuild.dll");
    LoadPlugIns(folder.path());
    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(files.write("f.fmx", "object Form1: TForm1\n"
                                                        "  object Beta1: TBeta\n"
                                                        "  end\n"
                                                        "end\n"),
                                   true));
    v.view.SetMissingClasses(v.view.FormDyna, true);
    EXPECT_EQ(v.view.slMissing.toVector(),
              std::vector<std::string>{"Fehler: FMXNoBuild.dll: GetWinControlFromClass fehlt"});
}

// Records the height of a child each time the child's layout changes.
class TLayoutRecorder : public TControl
{
    VANTOR_CLASS(TLayoutRecorder, TControl)
public:
    explicit TLayoutRecorder(TComponent *owner) : TControl(owner) {}
    TControl *watched = nullptr;
    std::vector<double> heights;

protected:
    void childLayoutChanged() override
    {
        if (watched)
            heights.push_back(watched->Height());
        TControl::childLayoutChanged();
    }
};
VANTOR_IMPLEMENT_CLASS(TLayoutRecorder)

TEST(FMXCommon, BuildsItsClassesForThePlaceholders)
{
    PlugInFolder folder;
    folder.add(FMXCOMMON_LIBRARY, "FMXCommon.dll");
    LoadPlugIns(folder.path());
    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(files.write("common.fmx",
                                               "object Form1: TForm1\n"
                                               "  ClientHeight = 300\n"
                                               "  ClientWidth = 400\n"
                                               "  object Circle1: TCircle\n"
                                               "    Fill.Color = claRed\n"
                                               "    Position.X = 10.000000000000000000\n"
                                               "    Position.Y = 20.000000000000000000\n"
                                               "    Size.Width = 40.000000000000000000\n"
                                               "    Size.Height = 30.000000000000000000\n"
                                               "    OnClick = Circle1Click\n"
                                               "    object FloatAnimation1: TFloatAnimation\n"
                                               "      PropertyName = 'Opacity'\n"
                                               "      StopValue = 0.5\n"
                                               "    end\n"
                                               "  end\n"
                                               "  object Grid1: TGridPanelLayout\n"
                                               "    Position.Y = 100.000000000000000000\n"
                                               "    Size.Width = 200.000000000000000000\n"
                                               "    Size.Height = 50.000000000000000000\n"
                                               "    ColumnCollection = <\n"
                                               "      item\n"
                                               "        SizeStyle = Absolute\n"
                                               "        Value = 50.000000000000000000\n"
                                               "      end\n"
                                               "      item\n"
                                               "        Value = 100.000000000000000000\n"
                                               "      end>\n"
                                               "    ControlCollection = <\n"
                                               "      item\n"
                                               "        Column = 1\n"
                                               "        Control = Button1\n"
                                               "        Row = 0\n"
                                               "      end>\n"
                                               "    RowCollection = <\n"
                                               "      item\n"
                                               "        Value = 100.000000000000000000\n"
                                               "      end>\n"
                                               "    object Button1: TButton\n"
                                               "      Align = Client\n"
                                               "      Text = 'In the cell'\n"
                                               "    end\n"
                                               "  end\n"
                                               "  object Gadget1: TGadgetNobodyBuilds\n"
                                               "  end\n"
                                               "end\n"),
                                   true));
    v.view.SetMissingClasses(v.view.FormDyna, true);
    EXPECT_EQ(v.view.slMissing.toVector(), std::vector<std::string>{"TGadgetNobodyBuilds"});

    // The circle's picture in its placeholder, at the circle's place and size,
    // red in the middle and clear in the corners.
    TLabel *circle = v.label("Circle12222");
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->Text(), "");
    EXPECT_EQ(circle->BoundsRect(), QRectF(10, 20, 40, 30));
    auto *image = object_cast<TImage>(circle->Children(0));
    ASSERT_NE(image, nullptr);
    const QImage picture = image->Bitmap()->image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(40, 30));
    EXPECT_EQ(QColor(picture.pixel(20, 15)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);

    // The grid's picture: the button sits in the second column (x 50 to 200).
    TLabel *grid = v.label("Grid12222");
    ASSERT_NE(grid, nullptr);
    const QImage gridPicture =
        object_cast<TImage>(grid->Children(0))->Bitmap()->image().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(gridPicture.size(), QSize(200, 50));
    EXPECT_EQ(qAlpha(gridPicture.pixel(25, 25)), 0);
    EXPECT_NE(qAlpha(gridPicture.pixel(125, 25)), 0);
}

// FMXData.dll: non-visual families become cards naming what they do, the
// navigator a bar of its buttons, and a block it cannot read a card with the
// reason instead of an error entry; in both views.
TEST(FMXData, CardsAndTheNavigatorInBothViews)
{
    PlugInFolder folder;
    folder.add(FMXDATA_LIBRARY, "FMXData.dll");
    LoadPlugIns(folder.path());
    TempForm files;
    const std::string path = files.write("data.fmx",
                                         "object Form1: TForm1\n"
                                         "  ClientHeight = 300\n"
                                         "  ClientWidth = 400\n"
                                         "  object Table1: TFDMemTable\n"
                                         "    FetchOptions.AssignedValues = [evMode]\n"
                                         "    FetchOptions.Mode = fmAll\n"
                                         "    Left = 200\n"
                                         "    Top = 150\n"
                                         "    object Table1Name: TStringField\n"
                                         "      FieldName = 'Name'\n"
                                         "      Size = 40\n"
                                         "    end\n"
                                         "  end\n"
                                         "  object BindingsList1: TBindingsList\n"
                                         "    Methods = <>\n"
                                         "    OutputConverters = <>\n"
                                         "    Left = 20\n"
                                         "    Top = 200\n"
                                         "    object Link1: TLinkControlToField\n"
                                         "      Category = 'Quick Bindings'\n"
                                         "      DataSource = BindSourceDB1\n"
                                         "      FieldName = 'Name'\n"
                                         "      Control = Edit1\n"
                                         "      Track = False\n"
                                         "    end\n"
                                         "  end\n"
                                         "  object Nav1: TBindNavigator\n"
                                         "    Position.X = 10.000000000000000000\n"
                                         "    Position.Y = 10.000000000000000000\n"
                                         "    Size.Width = 120.000000000000000000\n"
                                         "    Size.Height = 25.000000000000000000\n"
                                         "    DataSource = BindSourceDB1\n"
                                         "    VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast]\n"
                                         "  end\n"
                                         "  object Broken1: TDataSource\n"
                                         "    NoSuchThing = 3\n"
                                         "  end\n"
                                         "end\n");
    for (const bool runtime : {true, false}) {
        SCOPED_TRACE(runtime ? "runtime" : "design time");
        Viewer v;
        ASSERT_TRUE(v.view.GetDynaForm(path, runtime));
        v.view.SetMissingClasses(v.view.FormDyna, runtime);
        EXPECT_TRUE(v.view.slMissing.empty()) << v.view.slMissing.text();

        auto picture = [&](const char *name) {
            TLabel *l = v.label(name);
            EXPECT_NE(l, nullptr) << name;
            if (!l || l->ChildrenCount() != 1)
                return QImage();
            EXPECT_EQ(l->Text(), "") << name;
            return object_cast<TImage>(l->Children(0))->Bitmap()->image().convertToFormat(QImage::Format_ARGB32);
        };
        // A card at the component's design place, wider than high.
        const QImage table = picture("Table12222");
        ASSERT_FALSE(table.isNull());
        EXPECT_EQ(v.label("Table12222")->Position()->point(), QPointF(200, 150));
        EXPECT_GT(table.width(), table.height());
        // The bindings list's card holds a line per binding: taller than the
        // card of a data set with one field line.
        const QImage bindings = picture("BindingsList12222");
        ASSERT_FALSE(bindings.isNull());
        EXPECT_GT(bindings.height(), table.height());
        // The navigator: four buttons side by side, each with its dark glyph.
        const QImage nav = picture("Nav12222");
        ASSERT_EQ(nav.size(), QSize(120, 25));
        for (int i = 0; i < 4; ++i)
            EXPECT_LT(qGray(nav.pixel(15 + 30 * i, 12)), 100) << i;
        // The block that sets a property TDataSource does not have: an error card.
        const QImage broken = picture("Broken12222");
        ASSERT_FALSE(broken.isNull());
        EXPECT_GT(qRed(broken.pixel(broken.width() / 2, broken.height() - 3)),
                  qBlue(broken.pixel(broken.width() / 2, broken.height() - 3)));
    }
}

// The plug-ins' own reading of a block for cards: every kind of value, and
// text that is not a block is refused with a reason.
TEST(BlockText, ReadsEveryKindOfValueAndRefusesWhatIsNoBlock)
{
    const plugin::BlockNode node = plugin::parseBlock({
        "object Q1: TFDQuery", "  Connection = Conn1", "  SQL.Strings = (", "    'select *'", "    'from T ''x''')",
        "  Caption = 'a' +", "    #228'b'", "  Opts = [a, b,", "    c]", "  Data = {", "    0A0B}",
        "  Cols = <", "    item", "      Name = 'ID'", "    end", "    item", "      Name = 'N'", "    end>",
        "  Empty = <>", "  object F1: TStringField", "    Size = 4", "  end", "end"});
    EXPECT_EQ(node.name, "Q1");
    EXPECT_EQ(node.className, "TFDQuery");
    EXPECT_EQ(node.show("Connection"), "Conn1");
    EXPECT_EQ(node.show("SQL"), "select * from T 'x'");
    EXPECT_EQ(node.show("Caption"), QString::fromUtf8("a\xC3\xA4" "b"));
    EXPECT_EQ(node.show("Opts"), "a, b, c");
    EXPECT_EQ(node.show("Data"), "(Daten)");
    EXPECT_EQ(node.show("Cols"), QString::fromUtf8("2 Einträge"));
    EXPECT_EQ(node.show("Empty"), QString::fromUtf8("0 Einträge"));
    ASSERT_EQ(node.children.size(), 1u);
    EXPECT_EQ(node.children[0].show("Size"), "4");

    const std::vector<std::vector<std::string>> bad = {
        {}, {"Width = 3"}, {"object A: TA", "  Width = 3"}, {"object A: TA", "  L = (", "  'x'"},
        {"object A: TA", "  S = 'open", "end"}, {"object A: TA", "end", "object B: TB", "end"}};
    for (const auto &lines : bad)
        EXPECT_THROW(plugin::parseBlock(lines), std::exception) << (lines.empty() ? "" : lines.back());
}

TEST(Nudge, RunsOnTheUserInterfaceThreadAndNotForAFormThatIsGone)
{
    TLayoutRecorder recorder(nullptr);
    recorder.SetBounds(0, 0, 200, 300);
    auto *frame = new TFrame(&recorder);
    frame->SetParent(&recorder);
    frame->SetAlign(TAlignLayout::Top);
    frame->SetHeight(100);
    recorder.watched = frame;
    recorder.heights.clear();
    ScheduleNudgeFormLayout(frame);
    EXPECT_TRUE(recorder.heights.empty()); // nothing before the queued call runs
    TTask::WaitForAll();
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.heights, (std::vector<double>{101, 100}));

    TForm form(nullptr);
    form.SetHeight(100);
    ScheduleNudgeFormLayout(&form);
    TTask::WaitForAll();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Height(), 100);

    auto *gone = new TForm(nullptr);
    ScheduleNudgeFormLayout(gone);
    auto *goneFrame = new TFrame(nullptr);
    ScheduleNudgeFormLayout(goneFrame);
    delete gone;
    delete goneFrame;
    TTask::WaitForAll();
    QCoreApplication::processEvents(); // the dropped nudges touch nothing
}

TEST(FindFormComponent, LooksInsideAFrameBeforeTheFramesOwnName)
{
    TForm form(nullptr);
    auto *frame = new TFrame(&form);
    frame->SetName("Frame1");
    auto *inner = new TLabel(frame);
    inner->SetName("Frame1");
    auto *button = new TLabel(&form);
    button->SetName("Button1");
    EXPECT_EQ(FindFormComponent(&form, "Frame1"), inner);
    EXPECT_EQ(FindFormComponent(&form, "Button1"), button);
    EXPECT_EQ(FindFormComponent(&form, "button1"), nullptr);
    EXPECT_EQ(FindFormComponent(&form, "Nothing"), nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    // The picture file goes to the per-user data folder: a private one here.
    static QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toUtf8().constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
