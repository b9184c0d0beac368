// The source pane: the "PAS" button, the procedure index and its box, the
// jump to a source line and the source/form toggle.

#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/memocontrols.h"
#include "framework/controls/edits.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "sourceview/memo.h"
#include "sourceview/procindex.h"

namespace vantor {

void TF_FMXWindowDisplay::bnPasClick(TObject *)
{
    guarded([this] {
        bnPas->SetIsPressed(true);
        bnFMX->SetIsPressed(false);
        TabSRCView->SetTabIndex(1);
        if (DFMView().FormDyna)
            DFMView().FormDyna->SetVisible(false);
        if (!APasFile.isEmpty())
            return;
        APasFile = changeFileExt(AFMXFile, QStringLiteral(".pas")).remove(QStringLiteral(".Macintosh"));
        if (fileExists(APasFile)) {
            AdvMemoPas->memo()->SetSyntaxStyles(TMSFMXMemoPascalStyler1->styler());
            AdvMemoPas->memo()->LoadFromFile(APasFile.toStdString());
            FillPasProclist();
        }
    });
}

void TF_FMXWindowDisplay::FillPasProclist()
{
    FillProcIndex(AdvMemoPas->memo()->Lines(), *slProcList);
    QStringList items;
    for (int i = 0; i < slProcList->count(); ++i)
        items.append(QString::fromStdString(slProcList->get(i)));
    cbProcs->Items()->setLines(items);
}

void TF_FMXWindowDisplay::cbProcsKeyUp(TObject *)
{
    // Filtering the box comes with the source pane's commands.
}

void TF_FMXWindowDisplay::cbProcsClosePopup(TObject *)
{
    const std::int64_t index = cbProcs->ItemIndex();
    if (index < 0 || index >= slProcList->count())
        return;
    JumpToSourceLine(int(slProcList->tag(int(index))));
}

void TF_FMXWindowDisplay::JumpToSourceLine(int line) { AdvMemoPas->memo()->JumpToLine(line); }

void TF_FMXWindowDisplay::MenuItem2Click(TObject *Sender)
{
    if (TabSRCView->TabIndex() == 1) {
        bnFMX->SetIsPressed(true);
        bnFMXClick(Sender);
    } else {
        bnPas->SetIsPressed(true);
        bnPasClick(Sender);
    }
}

} // namespace vantor
