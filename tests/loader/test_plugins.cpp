// The plug-in libraries and the placeholders of missing classes: the folder
// scan, the class look-up, the block of form text a library gets, what the
// viewer does with each kind of answer, and the relayout nudge. The test
// libraries are built from testplugin.cpp. Headless.

#include "core/blocktext.h"
#include "core/pngfile.h"
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
#include <QGraphicsBlurEffect>
#include <QGraphicsDropShadowEffect>
#include <QWidget>
#include <QTemporaryDir>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
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

// One folder with FMXCommon.dll for every test of the process: a second
// copy of the library would register its classes anew beside the first's.
const std::string &commonLibraryFolder()
{
    static PlugInFolder *folder = [] {
        auto *f = new PlugInFolder;
        f->add(FMXCOMMON_LIBRARY, "FMXCommon.dll");
        return f;
    }();
    static const std::string path = folder->path();
    return path;
}

TEST(FMXCommon, BuildsItsClassesForThePlaceholders)
{
    LoadPlugIns(commonLibraryFolder());
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

// An aligned block is pictured at the size it has among its siblings: the
// client-aligned circle beside a left-aligned panel, and the circle aligned
// to fill a small panel, not the whole form.
TEST(FMXCommon, AlignedBlocksArePicturedAtTheirPlaceholdersSize)
{
    LoadPlugIns(commonLibraryFolder());
    TempForm files;
    Viewer v;
    ASSERT_TRUE(v.view.GetDynaForm(files.write("aligned.fmx",
                                               "object Form1: TForm1\n"
                                               "  ClientHeight = 300\n"
                                               "  ClientWidth = 400\n"
                                               "  object Left1: TPanel\n"
                                               "    Align = Left\n"
                                               "    Size.Width = 100.000000000000000000\n"
                                               "    Size.PlatformDefault = False\n"
                                               "    object Inner1: TCircle\n"
                                               "      Align = Client\n"
                                               "      Fill.Color = claBlue\n"
                                               "      Margins.Left = 4.000000000000000000\n"
                                               "      Margins.Right = 4.000000000000000000\n"
                                               "    end\n"
                                               "  end\n"
                                               "  object Fill1: TCircle\n"
                                               "    Align = Client\n"
                                               "    Fill.Color = claRed\n"
                                               "  end\n"
                                               "end\n"),
                                   true));
    v.view.SetMissingClasses(v.view.FormDyna, true);
    struct Case
    {
        const char *placeholder;
        QSize picture;
    };
    // The built form is 10 larger each way than its file's client size: 410 x 310.
    for (const Case &c : {Case{"Fill12222", QSize(410 - 100, 310)}, Case{"Inner12222", QSize(100 - 8, 310)}}) {
        SCOPED_TRACE(c.placeholder);
        TLabel *label = v.label(c.placeholder);
        ASSERT_NE(label, nullptr);
        auto *image = object_cast<TImage>(label->Children(0));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Bitmap()->image().size(), c.picture);
    }
}

// FMXCommon.dll's further families, one form with a component of each: the
// 3D viewport and layer, the scroll boxes, grid layout, menu bar and search
// box as controls, lights and materials as cards, and effects on the widget
// of the control they sit in.
TEST(FMXCommon, SuppliesViewportsLayoutsMenusSearchBoxesEffectsAndSceneCards)
{
    LoadPlugIns(commonLibraryFolder());
    TempForm files;
    const std::string path = files.write("families.fmx",
        "object Form1: TForm1\n"
        "  ClientHeight = 400\n"
        "  ClientWidth = 600\n"
        "  object Viewport1: TViewport3D\n"
        "    Color = claBlue\n"
        "    Camera = Camera1\n"
        "    Size.Width = 200.000000000000000000\n"
        "    Size.Height = 100.000000000000000000\n"
        "    object Light1: TLight\n"
        "      LightType = Point\n"
        "      Position.Z = -5.000000000000000000\n"
        "      Quanternion = '(0,0,0,1)'\n"
        "    end\n"
        "    object Layout3D1: TLayout3D\n"
        "      Align = Center\n"
        "      Width = 4.000000000000000000\n"
        "      object TextLayer1: TTextLayer3D\n"
        "        Text = 'Titel'\n"
        "        Font.Size = 20.000000000000000000\n"
        "      end\n"
        "    end\n"
        "    object Dummy1: TDummy\n"
        "      object Cube1: TCube\n"
        "        SubdivisionsDepth = 2\n"
        "        Depth = 2.000000000000000000\n"
        "      end\n"
        "    end\n"
        "  end\n"
        "  object Layer1: TLayer3D\n"
        "    Projection = Screen\n"
        "    Position.X = 300.000000000000000000\n"
        "    Position.Y = 50.000000000000000000\n"
        "    Position.Z = 1.000000000000000000\n"
        "    Resolution = 50\n"
        "    Width = 80.000000000000000000\n"
        "    Height = 40.000000000000000000\n"
        "    object LayerButton: TButton\n"
        "      Align = Client\n"
        "    end\n"
        "  end\n"
        "  object Horz1: THorzScrollBox\n"
        "    Position.Y = 120.000000000000000000\n"
        "    Size.Width = 100.000000000000000000\n"
        "    Size.Height = 50.000000000000000000\n"
        "    object Wide1: TButton\n"
        "      Size.Width = 300.000000000000000000\n"
        "      Size.Height = 60.000000000000000000\n"
        "    end\n"
        "  end\n"
        "  object Rows1: TGridLayout\n"
        "    ItemWidth = 50.000000000000000000\n"
        "    ItemHeight = 20.000000000000000000\n"
        "    Position.Y = 200.000000000000000000\n"
        "    Size.Width = 100.000000000000000000\n"
        "    Size.Height = 40.000000000000000000\n"
        "    object R1: TButton\n    end\n    object R2: TButton\n    end\n    object R3: TButton\n    end\n"
        "  end\n"
        "  object Columns1: TGridLayout\n"
        "    ItemWidth = 50.000000000000000000\n"
        "    ItemHeight = 20.000000000000000000\n"
        "    Orientation = Vertical\n"
        "    Position.X = 120.000000000000000000\n"
        "    Position.Y = 200.000000000000000000\n"
        "    Size.Width = 100.000000000000000000\n"
        "    Size.Height = 40.000000000000000000\n"
        "    object C1: TButton\n    end\n    object C2: TButton\n    end\n    object C3: TButton\n    end\n"
        "  end\n"
        "  object Menu1: TMenuBar\n"
        "    Position.Y = 250.000000000000000000\n"
        "    Size.Width = 200.000000000000000000\n"
        "    Size.Height = 24.000000000000000000\n"
        "    object FileItem: TMenuItem\n"
        "      Text = 'Datei'\n"
        "    end\n"
        "  end\n"
        "  object Search1: TSearchBox\n"
        "    Position.Y = 280.000000000000000000\n"
        "    Size.Width = 120.000000000000000000\n"
        "    Size.Height = 22.000000000000000000\n"
        "  end\n"
        "  object Rect1: TRectangle\n"
        "    Position.X = 300.000000000000000000\n"
        "    Position.Y = 200.000000000000000000\n"
        "    object Glow1: TGlowEffect\n"
        "      GlowColor = claRed\n"
        "      Softness = 0.5\n"
        "    end\n"
        "  end\n"
        "  object Text1: TLabel\n"
        "    Position.X = 300.000000000000000000\n"
        "    Position.Y = 300.000000000000000000\n"
        "    object Blur1: TBlurEffect\n"
        "    end\n"
        "  end\n"
        "  object Rect2: TRectangle\n"
        "    Position.X = 420.000000000000000000\n"
        "    Position.Y = 300.000000000000000000\n"
        "    object Bevel1: TBevelEffect\n"
        "      Size = 3\n"
        "    end\n"
        "    object Pixelate1: TPixelateEffect\n"
        "      BlockCount = 25.000000000000000000\n"
        "    end\n"
        "  end\n"
        "  object Circle1: TCircle\n"
        "    Position.X = 500.000000000000000000\n"
        "    Position.Y = 200.000000000000000000\n"
        "    Size.Width = 40.000000000000000000\n"
        "    Size.Height = 40.000000000000000000\n"
        "    object Glow2: TGlowEffect\n"
        "    end\n"
        "  end\n"
        "  object Material1: TLightMaterialSource\n"
        "    Diffuse = claRed\n"
        "    Left = 450\n"
        "    Top = 20\n"
        "  end\n"
        "  object Broken1: TGridLayout\n"
        "    NoSuchThing = 3\n"
        "  end\n"
        "end\n");
    for (const bool runtime : {true, false}) {
        SCOPED_TRACE(runtime ? "runtime" : "design time");
        Viewer v;
        ASSERT_TRUE(v.view.GetDynaForm(path, runtime));
        v.view.SetMissingClasses(v.view.FormDyna, runtime);
        // Nested classes (the light, the cube) count as supplied too.
        EXPECT_TRUE(v.view.slMissing.empty()) << v.view.slMissing.text();

        auto picture = [&](const char *name) {
            TLabel *l = v.label(name);
            if (!l || l->ChildrenCount() != 1)
                return QImage();
            return object_cast<TImage>(l->Children(0))->Bitmap()->image().convertToFormat(QImage::Format_ARGB32);
        };
        auto opaque = [](const QImage &img, int x, int y) { return qAlpha(img.pixel(x, y)) > 0; };
        auto hasDark = [](const QImage &img, const QRect &area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qAlpha(img.pixel(x, y)) > 200 && qGray(img.pixel(x, y)) < 110)
                        return true;
            return false;
        };
        struct Case
        {
            const char *name;
            QSize size; // empty: not checked
            std::function<void(const QImage &)> check;
        };
        const std::vector<Case> cases = {
            // The viewport's Color, with its scene named in light ink at the top left.
            {"Viewport12222", {200, 100}, [&](const QImage &p) {
                 EXPECT_EQ(QColor(p.pixel(190, 90)), QColor(Qt::blue));
                 bool ink = false;
                 for (int x = 0; x < 100 && !ink; ++x)
                     ink = qGray(p.pixel(x, 10)) > 180;
                 EXPECT_TRUE(ink);
             }},
            // The layer with its button, its centre at the screen position.
            {"Layer12222", {80, 40}, [&](const QImage &p) { EXPECT_TRUE(opaque(p, 40, 20)); }},
            // Only the horizontal bar: the content is cut to the box's height.
            {"Horz12222", {100, 50}, [&](const QImage &p) { EXPECT_TRUE(opaque(p, 95, 20)); }},
            // Rows: A B / C _; columns: A C / B _.
            {"Rows12222", {100, 40}, [&](const QImage &p) {
                 EXPECT_TRUE(opaque(p, 25, 10));
                 EXPECT_TRUE(opaque(p, 75, 10));
                 EXPECT_TRUE(opaque(p, 25, 30));
                 EXPECT_FALSE(opaque(p, 75, 30));
             }},
            {"Columns12222", {100, 40}, [&](const QImage &p) {
                 EXPECT_TRUE(opaque(p, 25, 30));
                 EXPECT_TRUE(opaque(p, 75, 10));
                 EXPECT_FALSE(opaque(p, 75, 30));
             }},
            // The item's text on the bar; the magnifier at the start of the edit.
            {"Menu12222", {200, 24}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(0, 0, 60, 24))); }},
            {"Search12222", {120, 22}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(2, 2, 20, 18))); }},
            // The glow drawn around the circle: the picture is larger than it.
            {"Circle12222", {}, [&](const QImage &p) {
                 EXPECT_GT(p.width(), 40);
                 EXPECT_GT(p.height(), 40);
             }},
            // A card, at the design place.
            {"Material12222", {}, [&](const QImage &p) {
                 EXPECT_GT(p.width(), p.height());
                 EXPECT_EQ(v.label("Material12222")->Position()->point(), QPointF(450, 20));
             }},
            // A block it cannot read: a card with the reason (pale red).
            {"Broken12222", {}, [&](const QImage &p) {
                 const QRgb c = p.pixel(p.width() / 2, p.height() - 3);
                 EXPECT_GT(qRed(c), qBlue(c));
             }},
            // An effect leaves no card of its own.
            {"Glow12222", {1, 1}, [&](const QImage &p) { EXPECT_EQ(qAlpha(p.pixel(0, 0)), 0); }},
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            const QImage p = picture(c.name);
            ASSERT_FALSE(p.isNull());
            if (!c.size.isEmpty())
                EXPECT_EQ(p.size(), c.size);
            c.check(p);
        }
        EXPECT_EQ(v.label("Layer12222")->Position()->point(), QPointF(260, 30));

        // The effects on the widgets of the controls they sit in.
        auto effectOf = [&](const char *name) {
            auto *c = object_cast<TControl>(componentAsObject(v.root()->FindComponent(QString::fromUtf8(name))));
            return c ? c->peer()->graphicsEffect() : nullptr;
        };
        auto *glow = qobject_cast<QGraphicsDropShadowEffect *>(effectOf("Rect1"));
        ASSERT_NE(glow, nullptr);
        EXPECT_EQ(glow->offset(), QPointF(0, 0));
        EXPECT_EQ(glow->color().rgb(), QColor(Qt::red).rgb());
        EXPECT_NE(qobject_cast<QGraphicsBlurEffect *>(effectOf("Text1")), nullptr);
        EXPECT_EQ(effectOf("Rect2"), nullptr);
    }
}

// FMXCommon.dll's colour controls and edit buttons, one of each in both
// views: the scales, quads and swatches in their colours, each at its
// block's size, and the buttons' marks inside an edit; and a grid column,
// a list box's group footer and a map.
TEST(FMXCommon, DrawsColourControlsEditButtonsColumnsAndMaps)
{
    LoadPlugIns(commonLibraryFolder());
    TempForm files;
    auto at = [](int x, int y, int w, int h) {
        return QStringLiteral("    Position.X = %1.000000000000000000\n"
                              "    Position.Y = %2.000000000000000000\n"
                              "    Size.Width = %3.000000000000000000\n"
                              "    Size.Height = %4.000000000000000000\n"
                              "    Size.PlatformDefault = False\n")
            .arg(x).arg(y).arg(w).arg(h).toStdString();
    };
    auto button = [&](const char *name, const char *cls, int x, const char *extra = "") {
        return std::string("    object ") + name + ": " + cls + "\n      CanFocus = False\n"
               "      Cursor = crArrow\n      TextSettings.Trimming = None\n      Size.Width = 28.000000000000000000\n"
               "      Size.Height = 18.000000000000000000\n      Size.PlatformDefault = False\n"
               "      Position.X = " + std::to_string(x) + ".000000000000000000\n" + extra + "    end\n";
    };
    const std::string path = files.write("colours.fmx",
        "object Form1: TForm1\n  ClientHeight = 480\n  ClientWidth = 640\n"
        "  object Hue1: THueTrackBar\n" + at(0, 0, 208, 20) +
        "    CanParentFocus = True\n    Orientation = Horizontal\n    Value = 0.250000000000000000\n"
        "    Tracking = False\n  end\n"
        "  object Alpha1: TAlphaTrackBar\n" + at(220, 0, 20, 108) + "    Orientation = Vertical\n  end\n"
        "  object BW1: TBWTrackBar\n" + at(250, 0, 108, 20) + "    HelpType = htKeyword\n  end\n"
        "  object Quad1: TColorQuad\n" + at(0, 120, 100, 100) +
        "    Alpha = 1.000000000000000000\n    Hue = 0.333333343267440800\n    Lum = 0.5\n    Sat = 1\n"
        "    ColorBox = Box1\n  end\n"
        "  object Picker1: TColorPicker\n" + at(110, 120, 20, 106) + "    Color = claRed\n  end\n"
        "  object Panel1: TColorPanel\n" + at(140, 120, 200, 160) +
        "    Color = claRed\n    ColorBox = Box1\n    UseAlpha = True\n  end\n"
        "  object Box1: TColorBox\n" + at(350, 120, 40, 30) + "    Color = claBlue\n  end\n"
        "  object List1: TColorListBox\n" + at(400, 120, 150, 120) +
        "    Color = claAqua\n    DefaultItemStyles.ItemStyle = ''\n    Viewport.Width = 146.000000000000000000\n"
        "    Viewport.Height = 116.000000000000000000\n  end\n"
        "  object ColorButton1: TColorButton\n" + at(350, 160, 40, 24) + "    Color = claLime\n  end\n"
        "  object Edit1: TEdit\n" + at(0, 300, 300, 22) +
        button("Plain1", "TEditButton", 100, "      Text = 'Go'\n") + button("Dots1", "TEllipsesEditButton", 130) +
        button("Down1", "TDropDownEditButton", 160) + button("Spin1", "TSpinEditButton", 190) +
        button("Eye1", "TPasswordEditButton", 220, "      Hint = 'show'\n") +
        "  end\n"
        "  object Grid1: TStringGrid\n" + at(0, 340, 300, 100) +
        "    object DateColumn1: TDateColumn\n      Header = 'Datum'\n      Format = 'dd.mm.yyyy'\n"
        "      Size.Width = 80.000000000000000000\n      Size.Height = 60.000000000000000000\n"
        "      Size.PlatformDefault = False\n    end\n  end\n"
        "  object ListBox1: TListBox\n" + at(320, 340, 150, 100) +
        "    object Footer1: TListBoxGroupFooter\n      Text = 'Ende'\n"
        "      Size.Width = 120.000000000000000000\n      Size.Height = 20.000000000000000000\n"
        "      Size.PlatformDefault = False\n    end\n  end\n"
        "  object Map1: TMapView\n" + at(500, 340, 120, 80) +
        "    MapType = Satellite\n    LayerOptions = [PointsOfInterest, Buildings]\n    Zoom = 4.5\n  end\n"
        "  object Flow1: TFlowLayout\n" + at(0, 450, 100, 30) +
        "    object F1: TButton\n      Size.Width = 30.000000000000000000\n      Size.Height = 15.000000000000000000\n"
        "      Size.PlatformDefault = False\n    end\n"
        "    object Break1: TFlowLayoutBreak\n      ChangesRules = False\n    end\n"
        "    object F2: TButton\n      Size.Width = 30.000000000000000000\n      Size.Height = 15.000000000000000000\n"
        "      Size.PlatformDefault = False\n    end\n  end\n"
        "  object Callout1: TCalloutRectangle\n" + at(120, 440, 60, 40) +
        "    Fill.Color = claRed\n    Stroke.Kind = None\n    CalloutPosition = Bottom\n"
        "    CalloutLength = 10.000000000000000000\n    CalloutWidth = 20.000000000000000000\n  end\n"
        "end\n");
    for (const bool runtime : {true, false}) {
        SCOPED_TRACE(runtime ? "runtime" : "design time");
        Viewer v;
        ASSERT_TRUE(v.view.GetDynaForm(path, runtime));
        v.view.SetMissingClasses(v.view.FormDyna, runtime);
        EXPECT_TRUE(v.view.slMissing.empty()) << v.view.slMissing.text();

        auto rgb = [](const QImage &p, int x, int y) { return QColor(p.pixel(x, y)); };
        auto hasDark = [](const QImage &img, const QRect &area) {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qAlpha(img.pixel(x, y)) > 150 && qGray(img.pixel(x, y)) < 110)
                        return true;
            return false;
        };
        struct Case
        {
            const char *name;
            QSize size;
            std::function<void(const QImage &)> check;
        };
        const std::vector<Case> cases = {
            // The rainbow along the track (cyan at the middle, violet at three
            // quarters) under the thumb at Value 0.25 (x 4 + 50).
            {"Hue12222", {208, 20}, [&](const QImage &p) {
                 const QColor middle = rgb(p, 104, 10);
                 EXPECT_LT(middle.red(), 60);
                 EXPECT_GT(middle.green(), 200);
                 EXPECT_GT(middle.blue(), 200);
                 const QColor violet = rgb(p, 154, 10);
                 EXPECT_GT(violet.blue(), violet.green() + 100);
                 EXPECT_GT(violet.red(), violet.green());
                 const QColor thumb = rgb(p, 54, 10);
                 EXPECT_GT(thumb.lightness(), 220);
                 EXPECT_LT(thumb.saturation(), 20);
             }},
            // Clear (the chequer) at the top, black at the bottom.
            {"Alpha12222", {20, 108}, [&](const QImage &p) {
                 EXPECT_GT(qGray(p.pixel(10, 12)), 150);
                 EXPECT_LT(qGray(p.pixel(10, 90)), 60);
             }},
            {"BW12222", {108, 20}, [&](const QImage &p) {
                 EXPECT_LT(qGray(p.pixel(20, 10)), 60);
                 EXPECT_GT(qGray(p.pixel(88, 10)), 190);
             }},
            // White at the top, black at the bottom, the hue (green) at the
            // right of the middle row.
            {"Quad12222", {100, 100}, [&](const QImage &p) {
                 EXPECT_GT(qGray(p.pixel(20, 3)), 235);
                 EXPECT_LT(qGray(p.pixel(20, 96)), 25);
                 const QColor green = rgb(p, 90, 50);
                 EXPECT_GT(green.green(), 200);
                 EXPECT_LT(green.red(), 60);
                 EXPECT_LT(green.blue(), 60);
             }},
            {"Picker12222", {20, 106}, [&](const QImage &p) {
                 const QColor middle = rgb(p, 10, 53);
                 EXPECT_LT(middle.red(), 60);
                 EXPECT_GT(middle.blue(), 200);
             }},
            // The quad of red (red at its right middle), the hue strip at the
            // right, the alpha bar below (chequer at its left, red at its right).
            {"Panel12222", {200, 160}, [&](const QImage &p) {
                 const QColor red = rgb(p, 170, 68);
                 EXPECT_GT(red.red(), 200);
                 EXPECT_LT(red.green(), 60);
                 const QColor strip = rgb(p, 190, 70);
                 EXPECT_GT(strip.blue(), 200);
                 const QColor opaque = rgb(p, 166, 153);
                 EXPECT_GT(opaque.red(), 200);
                 EXPECT_LT(opaque.green(), 60);
                 EXPECT_GT(qGray(p.pixel(6, 153)), 150);
             }},
            {"Box12222", {40, 30}, [&](const QImage &p) { EXPECT_EQ(rgb(p, 20, 15), QColor(Qt::blue)); }},
            {"ColorButton12222", {40, 24}, [&](const QImage &p) { EXPECT_EQ(rgb(p, 20, 12), QColor(Qt::green)); }},
            // Swatches down the left of the rows: a strong colour among them.
            {"List12222", {150, 120}, [&](const QImage &p) {
                 bool strong = false;
                 for (int y = 0; y < 120 && !strong; ++y)
                     strong = rgb(p, 10, y).saturation() > 200 && rgb(p, 10, y).value() > 150;
                 EXPECT_TRUE(strong);
             }},
            // The buttons' text, ellipsis, arrow(s) and eye.
            {"Plain12222", {28, 18}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(4, 2, 20, 14))); }},
            {"Dots12222", {28, 18}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(4, 2, 20, 14))); }},
            {"Down12222", {28, 18}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(4, 2, 20, 14))); }},
            {"Spin12222", {28, 18}, [&](const QImage &p) {
                 EXPECT_TRUE(hasDark(p, QRect(4, 1, 20, 7)));
                 EXPECT_TRUE(hasDark(p, QRect(4, 10, 20, 7)));
             }},
            {"Eye12222", {28, 18}, [&](const QImage &p) { EXPECT_TRUE(hasDark(p, QRect(4, 2, 20, 14))); }},
            // The header cell with its text over white rows.
            {"DateColumn12222", {80, 60}, [&](const QImage &p) {
                 EXPECT_TRUE(hasDark(p, QRect(2, 2, 60, 20)));
                 EXPECT_EQ(rgb(p, 40, 40), QColor(Qt::white));
             }},
            {"Footer12222", {120, 20}, [&](const QImage &p) {
                 EXPECT_TRUE(hasDark(p, QRect(4, 2, 60, 16)));
                 EXPECT_EQ(rgb(p, 110, 10), QColor(0xEC, 0xEC, 0xEF));
             }},
            // The break starts a new line: the second button under the first.
            {"Flow12222", {100, 30}, [&](const QImage &p) {
                 EXPECT_GT(qAlpha(p.pixel(15, 7)), 0);
                 EXPECT_EQ(qAlpha(p.pixel(45, 7)), 0);
                 EXPECT_GT(qAlpha(p.pixel(15, 22)), 0);
             }},
            // The pointer out of the bottom side's middle.
            {"Callout12222", {60, 40}, [&](const QImage &p) {
                 EXPECT_EQ(rgb(p, 30, 10), QColor(Qt::red));
                 EXPECT_EQ(rgb(p, 30, 34), QColor(Qt::red));
                 EXPECT_EQ(qAlpha(p.pixel(5, 36)), 0);
             }},
            // Satellite: dark green land.
            {"Map12222", {120, 80}, [&](const QImage &p) {
                 const QColor land = rgb(p, 3, 77);
                 EXPECT_GT(land.green(), land.blue());
                 EXPECT_LT(land.lightness(), 120);
             }},
        };
        for (const Case &c : cases) {
            SCOPED_TRACE(c.name);
            TLabel *l = v.label(c.name);
            ASSERT_NE(l, nullptr);
            ASSERT_EQ(l->ChildrenCount(), 1);
            const QImage p = object_cast<TImage>(l->Children(0))->Bitmap()->image().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(p.size(), c.size);
            c.check(p);
        }
    }
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
// The libraries' pictures are PNGs with the image data stored as it is:
// every reader must get the same pixels back, also where the data spans
// several stored blocks, and translucent pixels keep their colour.
TEST(PictureFile, StoredPngsReadBackPixelForPixel)
{
    struct Case
    {
        int width, height;
    };
    for (const Case c : {Case{1, 1}, Case{92, 30}, Case{7, 3}, Case{300, 120}}) { // 300 x 120 is 144,120 bytes: three blocks
        QImage image(c.width, c.height, QImage::Format_ARGB32);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                image.setPixel(x, y, qRgba((x * 37) & 0xFF, (y * 91) & 0xFF, (x ^ y) & 0xFF, (x + y * 3) & 0xFF));
        const QByteArray png = vantor::plugin::storedPng(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QImage back;
        ASSERT_TRUE(back.loadFromData(png, "PNG")) << c.width << "x" << c.height;
        ASSERT_EQ(back.size(), image.size());
        back = back.convertToFormat(QImage::Format_ARGB32);
        const QImage expected = image.convertToFormat(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(back.pixel(x, y), expected.pixel(x, y)) << c.width << "x" << c.height << " at " << x << "," << y;
    }
    EXPECT_FALSE(vantor::plugin::writeStoredPng(QImage(), "/tmp/never-written.png"));
    EXPECT_FALSE(vantor::plugin::writeStoredPng(QImage(2, 2, QImage::Format_ARGB32), "/nonexistent-folder/picture.png"));
}

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
