// Presenting the loaded form: the first load after the window appears, the
// presenting sequence, the reload commands, the resize frame and hand-off
// requests.

#include "app/commandline.h"
#include "app/handoff.h"
#include "app/handoffrequests.h"
#include "app/mainwindow.h"
#include "app/memocontrols.h"
#include "app/styles.h"
#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/presentation.h"
#include "sourceview/memo.h"

#include <QStringList>

namespace vantor {

namespace {

QStringList toQStringList(const TStringList &list)
{
    QStringList out;
    out.reserve(list.count());
    for (int i = 0; i < list.count(); ++i)
        out.append(QString::fromStdString(list.get(i)));
    return out;
}

} // namespace

void TF_FMXWindowDisplay::Timer1Timer(TObject *)
{
    Timer1->SetEnabled(false);
    // The polling for hand-off requests starts even when the first file
    // cannot be shown: the viewer stays usable for the next request.
    guarded([this] {
        if (asciiLower(AFile).contains(QLatin1String(".fmx")))
            GetForm(AFile, RTView);
    });
    guarded([this] {
        const QString ext = fileExtension(AFile).toLower();
        if (ext.isEmpty() || !QStringLiteral(".pas;.dpr;.ini;.inc").contains(ext))
            return;
        TabSRCView->SetTabIndex(1); // TabPas
        lbFMXFileName->SetVisible(true);
        lbFMXFileName->SetText(fileNamePart(AFile));
        AdvMemoPas->memo()->SetSyntaxStyles(TMSFMXMemoPascalStyler1->styler());
        AdvMemoPas->memo()->LoadFromFile(AFile.toStdString());
        if (QStringLiteral(".pas").contains(ext)) {
            FillPasProclist();
            bnPas->SetIsPressed(true);
            bnFMX->SetIsPressed(false);
        } else {
            setProcBoxItems({});
        }
    });
    TimNewWin->SetEnabled(true);
}

void TF_FMXWindowDisplay::GetForm(const QString &file, bool runTimeView)
{
    TDFMView &view = DFMView();
    if (view.FormDyna) {
        view.FormDyna->Hide();
        delete view.FormDyna;
        view.FormDyna = nullptr;
    }
    if (!view.GetDynaForm(file.toStdString(), runTimeView)) {
        // The build failed: the loader's list holds the framework's message
        // ("Fehler: ..."). Show it where the missing classes are listed; the
        // rest of the window keeps its state.
        lbMissing->Items()->setLines(toQStringList(view.slMissing));
        pnMissingClasses->SetVisible(view.slMissing.count() > 0);
        return;
    }
    TF_FMXDummy *form = view.FormDyna;
    // The platform's look first: a style sheet set while the form's widgets
    // are in the window repolishes every one of them.
    ApplyPlatformStyle(*this, view.APlatform);
    form->SetParent(ScrollBox1);

    if (view.slMissing.count() > 0) {
        view.NeedFullWin = true;
        form->SetBorderStyle(TFmxFormBorderStyle::None);
        SetMissingClasses(form, bnRT->IsPressed());
    } else {
        view.NeedFullWin = false;
    }
    const QSizeF framed = FramedRectSize(view);
    Rectangle1->SetBounds(0, 0, framed.width(), framed.height());
    EmbeddForm(panelx, form);

    UpdateScreenScale();
    if (ScreenScale() > 1) {
        Layout1->Scale()->SetX(ScreenScale());
        Layout1->Scale()->SetY(ScreenScale());
    }

    const QRectF frame = Rectangle1->BoundsRect();
    Selection1->SetBounds(frame.x(), frame.y(), frame.width(), frame.height());
    if (TFmxObject *parent = Selection1->Parent())
        parent->SetChildIndex(Selection1, parent->ChildrenCount() - 1);

    TListBox *list = ListBox2->Visible() ? ListBox2 : lbMissing;
    list->Items()->setLines(toQStringList(view.slMissing));
    if (HasArgument())
        pnMissingClasses->SetVisible(view.slMissing.count() > 0);

    lbFMXFileName->SetText(fileNamePart(file));
    AFMXFile = file;
    APasFile.clear();
    AdvMemoPas->memo()->Clear();

    bnFMX->SetStyleLookup(QStringLiteral("bnFMXStyle1"));
    RefreshStyleLookups();
    StructureFormShown();
}

void TF_FMXWindowDisplay::SetMissingClasses(TComponent *form, bool RuntimeView)
{
    // The plug-in libraries build what they can; the classes they supply
    // leave slMissing.
    DFMView().SetMissingClasses(form, RuntimeView);
}

void TF_FMXWindowDisplay::EmbeddForm(TControl *parent, TCommonCustomForm *form)
{
    vantor::EmbeddForm(parent, form);
}

void TF_FMXWindowDisplay::reloadAs(bool designTime)
{
    const QString file = changeFileExt(AFile, QStringLiteral(".fmx"));
    bnDT->SetIsPressed(designTime);
    bnRT->SetIsPressed(!designTime);
    RTView = !designTime;
    if (!fileExists(file))
        return;
    prepareReload(file);
    GetForm(file, !designTime);
}

void TF_FMXWindowDisplay::prepareReload(const QString &file)
{
    lbFMXFileName->SetVisible(true);
    lbFMXFileName->SetText(fileNamePart(file));
    TDFMView &view = DFMView();
    if (view.FormDyna) {
        delete view.FormDyna;
        view.FormDyna = nullptr;
    }
}

void TF_FMXWindowDisplay::bnDTClick(TObject *)
{
    guarded([this] { reloadAs(true); });
}

void TF_FMXWindowDisplay::bnRTClick(TObject *)
{
    guarded([this] { reloadAs(false); });
}

void TF_FMXWindowDisplay::bnFMXClick(TObject *)
{
    guarded([this] {
        TabSRCView->SetTabIndex(0);
        bnPas->SetIsPressed(false);
        bnFMX->SetIsPressed(true);
        const QString file = changeFileExt(AFile, QStringLiteral(".fmx"));
        if (!fileExists(file))
            return;
        prepareReload(file);
        GetForm(file, true);
    });
}

void TF_FMXWindowDisplay::bnSizeClick(TObject *) { Selection1->SetHitTest(bnSize->IsPressed()); }

void TF_FMXWindowDisplay::Selection1Resize(TObject *)
{
    const QRectF frame = Selection1->BoundsRect();
    Rectangle1->SetBounds(frame.x(), frame.y(), frame.width(), frame.height());
}

void TF_FMXWindowDisplay::TimNewWinTimer(TObject *)
{
    guarded([this] {
        const QString path = GetOpenFileRequest();
        if (path.isEmpty() || !fileExists(path))
            return;
        AFile = path;
        GetForm(AFile, bnRT->IsPressed());
    });
}

QString TF_FMXWindowDisplay::GetOpenFileRequest()
{
    IHandOffWindows &windows = handOffWindows();
    const std::optional<HandOffRequest> request = windows.findRequest();
    if (!request)
        return {};
    const QString title = QString::fromStdString(request->title).left(254);
    if (isHandledRequest(title))
        return {};
    slHandledRequests().append(title);
    windows.markTakenUp(*request);
    return requestPathFromTitle(title);
}

void TF_FMXWindowDisplay::UpdateScreenScale() { UpdateScreenScaleValue(); }

// Both act on a native window handle kept in a Tag; nothing stores one here.
void TF_FMXWindowDisplay::panelxResize(TObject *) {}
void TF_FMXWindowDisplay::pnDummyResize(TObject *) {}

} // namespace vantor
