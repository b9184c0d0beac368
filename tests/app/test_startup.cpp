// Start-up: the window as its stored layout builds it, the command line, the
// first presentation and the saved window position.

#include "viewer.h"

#include "app/memocontrols.h"
#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/controls/menus.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "support/inifile.h"
#include "support/paths.h"
#include "loader/dummyform.h"
#include "sourceview/memo.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QWidget>

using namespace vantor;

namespace {

TControl *control(TF_FMXWindowDisplay &w, const char *name)
{
    return object_cast<TControl>(w.FindComponent(QString::fromLatin1(name)));
}

} // namespace

TEST(StoredLayout, PlacesTheComponentsAsDesigned)
{
    // Without a file the window is not shown, but it is built; ListBox2 is
    // then still visible and takes its band.
    Viewer v({});
    auto &w = *v.window;
    EXPECT_EQ(w.Caption(), "FMXWindowDisplay");
    EXPECT_EQ(w.ClientWidth(), 920);
    EXPECT_EQ(w.ClientHeight(), 598);

    struct Case
    {
        const char *name;
        const char *className;
        QRectF bounds;
    };
    const Case cases[] = {
        {"Layout1", "TLayout", {0, 0, 920, 598}},
        {"Panel1", "TPanel", {0, 0, 920, 27}},
        {"pnMissingClasses", "TPanel", {0, 485, 920, 113}},
        {"ListBox2", "TListBox", {710, 27, 210, 458}},
        {"TabSRCView", "TTabControl", {0, 27, 710, 458}},
        {"bnPas", "TButton", {1, 2, 46, 22}},
        {"bnFMX", "TButton", {49, 2, 46, 22}},
        {"bnSize", "TButton", {761, 3, 61, 22}},
        {"bnDT", "TButton", {824, 3, 46, 22}},
        {"bnRT", "TButton", {872, 3, 46, 22}},
        {"Panel3", "TPanel", {0, 0, 920, 17}},
        {"Selection1", "TSelection", {0, 0, 585, 329}},
        {"Rectangle1", "TRectangle", {0, 0, 585, 329}},
        {"panelx", "TPanel", {8, 8, 569, 313}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TControl *ctl = control(w, c.name);
        ASSERT_NE(ctl, nullptr);
        EXPECT_EQ(ctl->ClassName(), c.className);
        EXPECT_EQ(ctl->BoundsRect(), c.bounds);
    }
    EXPECT_EQ(control(w, "lbFMXFileName")->Align(), TAlignLayout::Center);
    EXPECT_FALSE(w.AnKlickEvent->Visible());
    EXPECT_FALSE(w.bnGotoProc->Visible());
    EXPECT_FALSE(w.pnDummy->Visible());
    EXPECT_TRUE(w.bnRT->IsPressed());
    EXPECT_TRUE(w.bnFMX->IsPressed());
    EXPECT_FALSE(w.bnDT->IsPressed());
    EXPECT_EQ(w.bnSize->StyleLookup(), "bnFMXStyle1");
    EXPECT_EQ(w.Selection1->GripSize(), 3);
    EXPECT_FALSE(w.Selection1->HitTest());
    EXPECT_EQ(w.Timer1->Interval(), 500);
    EXPECT_EQ(w.TimNewWin->Interval(), 250);
    EXPECT_FALSE(w.Timer1->Enabled());
    EXPECT_EQ(w.MenuItem1->Text(), "Fehlende Klassen in Zwischenablage kopieren");
    EXPECT_EQ(w.MenuItem2->Text(), "Source / FMX umschalten");
    EXPECT_EQ(w.MenuItem2->ShortCut(), 123);
    EXPECT_EQ(w.Label1->Text(), "Fehlende Klassen:");
    EXPECT_EQ(w.lbClassInfo->Text(), "-");
    EXPECT_EQ(w.lbMissing->PopupMenu(), w.PopupMenu1);
    EXPECT_EQ(w.AdvMemoPas->SyntaxStyles(), w.TMSFMXMemoPascalStyler1);
    EXPECT_TRUE(w.AdvMemoPas->ReadOnly());
    // Every field is bound to its component.
    for (const PublishedField *field : w.ClassType().fields()) {
        SCOPED_TRACE(field->name.toStdString());
        EXPECT_NE(w.FindComponent(field->name), nullptr);
    }
}

TEST(StoredLayout, BindsTheHandlersByName)
{
    Viewer v({QStringLiteral("x.fmx")});
    auto &w = *v.window;
    struct Case
    {
        TObject *component;
        const char *event;
        const char *handler;
    };
    const Case cases[] = {
        {&w, "OnCreate", "FormCreate"},
        {&w, "OnShow", "FormShow"},
        {&w, "OnDestroy", "FormDestroy"},
        {w.Timer1, "OnTimer", "Timer1Timer"},
        {w.TimNewWin, "OnTimer", "TimNewWinTimer"},
        {w.bnFMX, "OnClick", "bnFMXClick"},
        {w.bnPas, "OnClick", "bnPasClick"},
        {w.bnDT, "OnClick", "bnDTClick"},
        {w.bnRT, "OnClick", "bnRTClick"},
        {w.bnSize, "OnClick", "bnSizeClick"},
        {w.AnKlickEvent, "OnClick", "AnKlickEventClick"},
        {w.bnGotoProc, "OnClick", "bnGotoProcClick"},
        {w.Selection1, "OnResize", "Selection1Resize"},
        {w.panelx, "OnResize", "panelxResize"},
        {w.pnDummy, "OnResize", "pnDummyResize"},
        {w.lbMissing, "OnDblClick", "lbMissingDblClick"},
        {w.MenuItem1, "OnClick", "MenuItem1Click"},
        {w.MenuItem2, "OnClick", "MenuItem2Click"},
        {w.cbProcs, "OnClosePopup", "cbProcsClosePopup"},
        {w.cbProcs, "OnClick", "cbProcsClosePopup"},
        {w.cbProcs, "OnKeyUp", "cbProcsKeyUp"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.handler));
        const TMethod m = GetMethodProp(c.component, QString::fromLatin1(c.event));
        EXPECT_EQ(m.data, static_cast<void *>(static_cast<TObject *>(&w)));
        EXPECT_EQ(w.ClassType().methodName(m.code), c.handler);
    }
    // The loader gets the window's click command, read from AnKlickEvent.
    EXPECT_EQ(v.view().MethodOnClick, GetMethodProp(w.AnKlickEvent, QStringLiteral("OnClick")));
    EXPECT_TRUE(v.view().EventOnClick.assigned());
    EXPECT_FALSE(v.view().MethodOnResize.assigned());
}

TEST(StoredLayout, LeavesTheWindowsControlClassesUnregistered)
{
    // The loader decides what it can build; the window's own classes (the
    // source viewer above all) must not become buildable by reading it.
    Viewer v({QStringLiteral("x.fmx")});
    EXPECT_EQ(GetClass(QStringLiteral("TTMSFMXMemo")), nullptr);
    EXPECT_EQ(GetClass(QStringLiteral("TTMSFMXMemoPascalStyler")), nullptr);
}

TEST(CommandLine, WithoutAFileTheMessageIsShownAndTheProgramEnds)
{
    for (const QStringList &arguments : {QStringList{}, QStringList{QStringLiteral("\"\"")}}) {
        Viewer v(arguments);
        EXPECT_TRUE(v.window->TerminateRequested());
        EXPECT_EQ(v.recorder.messages, QStringList{QString::fromUtf8(kNoFileMessage)});
        EXPECT_FALSE(v.window->isRealized() && v.window->peer()->isVisible());
    }
}

TEST(CommandLine, TakesTheFirstArgumentWithoutQuotes)
{
    struct Case
    {
        QStringList arguments;
        QString file;
    };
    const Case cases[] = {
        {{QStringLiteral("/forms/Main.fmx")}, QStringLiteral("/forms/Main.fmx")},
        {{QStringLiteral("\"/my forms/Main.fmx\"")}, QStringLiteral("/my forms/Main.fmx")},
        {{QStringLiteral("/my forms/Main.fmx")}, QStringLiteral("/my forms/Main.fmx")},
        {{QStringLiteral("first.fmx"), QStringLiteral("second.fmx")}, QStringLiteral("first.fmx")},
    };
    for (const Case &c : cases) {
        Viewer v(c.arguments);
        auto &w = *v.window;
        EXPECT_FALSE(w.TerminateRequested());
        EXPECT_EQ(w.AFile, c.file);
        EXPECT_TRUE(w.RTView);
        EXPECT_EQ(w.AView, "True");
        EXPECT_FALSE(w.ListBox2->Visible());
        EXPECT_EQ(w.TabSRCView->TabPosition(), TTabPosition::None);
        EXPECT_TRUE(v.recorder.messages.isEmpty());
        // Nothing is loaded while the window is created.
        EXPECT_EQ(v.view().FormDyna, nullptr);
    }
}

TEST(FirstPresentation, ComesWithTheTimerAfterTheWindowIsShown)
{
    Viewer v({testData(QStringLiteral("plain.fmx"))});
    auto &w = *v.window;
    w.ShowMainWindow();
    EXPECT_TRUE(w.Timer1->Enabled());
    EXPECT_EQ(v.view().FormDyna, nullptr);
    v.showAndWaitForFirstLoad();

    EXPECT_FALSE(w.Timer1->Enabled());
    EXPECT_TRUE(w.TimNewWin->Enabled());
    ASSERT_NE(v.view().FormDyna, nullptr);
    // The form's controls now sit in the framed panel; the host form is empty.
    EXPECT_EQ(v.view().FormDyna->ChildrenCount(), 0);
    bool buttonInPanel = false;
    for (TFmxObject *child : w.panelx->children())
        buttonInPanel |= child->Name() == QLatin1String("Button1");
    EXPECT_TRUE(buttonInPanel);
    // The frame takes the form's size (the loader adds 10 to each side).
    EXPECT_EQ(w.Rectangle1->BoundsRect(), QRectF(0, 0, 310, 210));
    EXPECT_EQ(w.Selection1->BoundsRect(), w.Rectangle1->BoundsRect());
    EXPECT_EQ(w.panelx->BoundsRect(), QRectF(8, 8, 294, 194));
    EXPECT_EQ(w.lbFMXFileName->Text(), "plain.fmx");
    EXPECT_EQ(w.AFMXFile, testData(QStringLiteral("plain.fmx")));
    EXPECT_EQ(w.lbMissing->Items()->count(), 0);
    EXPECT_FALSE(w.pnMissingClasses->Visible());
    EXPECT_EQ(w.bnFMX->StyleLookup(), "bnFMXStyle1");
    EXPECT_TRUE(v.recorder.messages.isEmpty());
}

TEST(FirstPresentation, AFileThatCannotBeReadIsReportedAndPollingStillStarts)
{
    Viewer v({QStringLiteral("/nonexistent/Gone.fmx")});
    v.showAndWaitForFirstLoad();
    ASSERT_EQ(v.recorder.messages.size(), 1);
    EXPECT_TRUE(v.recorder.messages[0].contains(QStringLiteral("Gone.fmx")));
    EXPECT_TRUE(v.window->TimNewWin->Enabled());
}

TEST(FirstPresentation, AUnitSourceOpensTheSourcePane)
{
    {
        // Upper-case extension: recognised; the index is built, no form loaded.
        Viewer v({testData(QStringLiteral("Unit1.PAS"))});
        v.showAndWaitForFirstLoad();
        auto &w = *v.window;
        EXPECT_EQ(w.TabSRCView->TabIndex(), 1);
        EXPECT_EQ(w.lbFMXFileName->Text(), "Unit1.PAS");
        EXPECT_TRUE(w.bnPas->IsPressed());
        EXPECT_FALSE(w.bnFMX->IsPressed());
        EXPECT_EQ(w.slProcList->count(), 2);
        EXPECT_EQ(w.cbProcs->Items()->count(), 2);
        EXPECT_EQ(v.view().FormDyna, nullptr);
        EXPECT_GT(w.AdvMemoPas->memo()->LineCount(), 10);
    }
    {
        Viewer v({testData(QStringLiteral("Project1.dpr"))});
        v.showAndWaitForFirstLoad();
        auto &w = *v.window;
        EXPECT_EQ(w.TabSRCView->TabIndex(), 1);
        EXPECT_EQ(w.slProcList->count(), 0);
        EXPECT_EQ(w.cbProcs->Items()->count(), 0);
        EXPECT_FALSE(w.bnPas->IsPressed());
    }
}

TEST(WindowPosition, FirstRunCentresAndExitStoresThePosition)
{
    QTemporaryDir dir;
    const std::string ini = dir.filePath("Vantor.ini").toStdString();
    // Another section of the file survives the save.
    WriteIniString(ini, "Other", "Key", "kept");
    {
        Viewer v({QStringLiteral("x.fmx")}, ini);
        EXPECT_EQ(v.window->Position(), TFormPosition::ScreenCenter);
        v.window->ShowMainWindow();
        v.window->peer()->move(40, 30);
    }
    const std::string section = GetCurrentUserName() + "-Windowpos";
    const std::string stored = ReadIniString(ini, section, "Main");
    EXPECT_TRUE(QString::fromStdString(stored).endsWith(QStringLiteral("#920#598#0#"))) << stored;
    EXPECT_EQ(ReadIniString(ini, "Other", "Key"), "kept");

    WriteIniString(ini, section, "Main", "10#20#800#600#0#");
    Viewer again({QStringLiteral("x.fmx")}, ini);
    EXPECT_NE(again.window->Position(), TFormPosition::ScreenCenter);
    EXPECT_EQ(again.window->Left(), 10);
    EXPECT_EQ(again.window->Top(), 20);
    EXPECT_EQ(again.window->Width(), 800);
    EXPECT_EQ(again.window->Height(), 600);
}

TEST(WindowPosition, AnUnwritableSettingsFolderIsReportedOnceAtExit)
{
    QTemporaryDir dir;
    // The settings "folder" is a plain file, so the file cannot be made.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const std::string ini = (blocker + QStringLiteral("/Vantor.ini")).toStdString();
    auto v = std::make_unique<Viewer>(QStringList{QStringLiteral("x.fmx")}, ini);
    v->window->ShowMainWindow();
    v->window.reset();
    const QStringList expected{QStringLiteral("In %1 kann nicht geschrieben werden").arg(QString::fromStdString(ini))};
    EXPECT_EQ(v->recorder.messages, expected);
}

TEST(WindowPosition, AProgramEndedForLackOfAFileKeepsTheStoredPosition)
{
    QTemporaryDir dir;
    const std::string ini = dir.filePath("Vantor.ini").toStdString();
    const std::string section = GetCurrentUserName() + "-Windowpos";
    WriteIniString(ini, section, "Main", "10#20#800#600#2#");
    {
        Viewer v({}, ini);
        EXPECT_TRUE(v.window->TerminateRequested());
    }
    EXPECT_EQ(ReadIniString(ini, section, "Main"), "10#20#800#600#2#");
}
