// The click command on the shown form and the commands of the missing-class
// list. The event menu needs the loader's event handler index, which the
// loader does not build yet; until then a click names the component.

#include "app/mainwindow.h"
#include "framework/controls/lists.h"
#include "framework/controls/standard.h"

namespace vantor {

void TF_FMXWindowDisplay::AnKlickEventClick(TObject *Sender)
{
    auto *component = object_cast<TComponent>(Sender);
    if (!component)
        return;
    lbClassInfo->SetText(component->Name() + QStringLiteral(" (Klasse: ") + component->ClassName()
                         + QStringLiteral(")"));
}

void TF_FMXWindowDisplay::bnGotoProcClick(TObject *)
{
    // Comes with the event menu.
}

void TF_FMXWindowDisplay::MenuItem1Click(TObject *)
{
    // Copying the missing classes comes with the event menu's commands.
}

void TF_FMXWindowDisplay::lbMissingDblClick(TObject *)
{
    // What a double-click on a missing class does is still open; it must not
    // free the shown form for a class name that is no file.
}

} // namespace vantor
