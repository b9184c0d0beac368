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

#include <QComboBox>
#include <QLineEdit>

namespace vantor {

namespace {

// The entries of a procedure index as the box's items: texts and tags, in
// index order.
TStringList boxItems(const TStringList &index)
{
    TStringList items;
    for (const TStringList::Item &item : index.items())
        items.add(item.text, item.tag);
    return items;
}

} // namespace

void TF_FMXWindowDisplay::bnPasClick(TObject *)
{
    guarded([this] {
        bnPas->SetIsPressed(true);
        bnFMX->SetIsPressed(false);
        TabSRCView->SetTabIndex(1);
        if (DFMView().FormDyna)
            DFMView().FormDyna->SetVisible(false);
        bnFMX->SetIsPressed(false);
        if (!APasFile.isEmpty())
            return;
        // Only the Macintosh variant is taken back to its master's unit.
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
    setProcBoxItems(boxItems(*slProcList));
}

void TF_FMXWindowDisplay::setProcBoxItems(TStringList items)
{
    // The old selection would name another entry of the new items.
    cbProcs->SetItemIndex(-1);
    cbProcs->Items()->list() = std::move(items);
    cbProcs->Items()->changed();
}

void TF_FMXWindowDisplay::cbProcsKeyUp(TObject *)
{
    const QString typed = cbProcs->Text();
    if (typed.isEmpty()) {
        setProcBoxItems(boxItems(*slProcList));
        return;
    }
    setProcBoxItems(FilterProcIndex(*slProcList, typed.toStdString()));
    cbProcs->SetText(typed);
    if (auto *combo = qobject_cast<QComboBox *>(cbProcs->peer()); combo && combo->lineEdit())
        combo->lineEdit()->setCursorPosition(int(typed.size()));
}

void TF_FMXWindowDisplay::cbProcsClosePopup(TObject *)
{
    const std::int64_t index = cbProcs->ItemIndex();
    const TStringList &items = cbProcs->Items()->list();
    if (index < 0 || index >= items.count())
        return;
    JumpToSourceLine(items.tag(int(index)));
}

void TF_FMXWindowDisplay::JumpToSourceLine(int line)
{
    // Focus, the active line no longer following the caret, the line made
    // active, a repaint and the caret at the line's start.
    AdvMemoPas->memo()->JumpToLine(line);
}

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
