#include "loader/events.h"

#include "framework/classes.h"
#include "framework/controls/menus.h"
#include "framework/platform.h"
#include "loader/dfmview.h"
#include "loader/textlines.h"

#include <exception>

namespace vantor {

namespace {

// A menu caption shows at most this many characters of the event line.
constexpr std::size_t kMaxCaptionChars = 1255;


// The object name a line holding " object " gives: from just after "object "
// to the first ':'; empty when no ':' follows.
std::string objectNameOf(std::string_view line)
{
    const std::size_t p = line.find("object");
    const std::size_t start = p + 7;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon <= start)
        return {};
    return textlines::trimmed(line.substr(start, colon - start));
}

bool isEventEntryLine(std::string_view line)
{
    const std::size_t on = findText(line, " On");
    const std::size_t eq = findText(line, " = ");
    return on != std::string_view::npos && eq != std::string_view::npos && on < eq;
}

} // namespace

void CollectEventHandlers(const TStringList &lines, TStringList &index)
{
    std::string current;
    for (const TStringList::Item &item : lines.items()) {
        const std::string_view line = item.text;
        if (textlines::contains(line, " object "))
            current = objectNameOf(line);
        if (isEventEntryLine(line))
            index.add(current + ":" + textlines::trimmed(line));
    }
}

std::vector<EventMenuEntry> EventsForObject(const TStringList &index, std::string_view objectName)
{
    std::string prefix(objectName);
    prefix += ":On";
    std::vector<EventMenuEntry> entries;
    for (const TStringList::Item &item : index.items()) {
        const std::string_view entry = item.text;
        if (entry.substr(0, prefix.size()) != prefix)
            continue;
        const std::string_view afterColon = entry.substr(entry.find(':') + 1);
        entries.push_back({std::string(textlines::firstCodePoints(afterColon, kMaxCaptionChars)), std::string(entry)});
    }
    return entries;
}

// ---------------------------------------------------------------------------
// The loader's operations

void TDFMView::GetEventHandlers(const TStringList &SL)
{
    CollectEventHandlers(SL, slEventHandlers);
}

void TDFMView::GetEventsForObject(TPopupMenu *&pop, const QString &AnObjName, const QString &AnObjClassName)
{
    if (!pop)
        return;
    // Items go with their parent menu; deleting one takes it out of the menu.
    for (TMenuItem *item : pop->items())
        delete item;

    const std::vector<EventMenuEntry> entries = EventsForObject(slEventHandlers, AnObjName.toStdString());
    if (entries.empty())
        return;
    auto addItem = [&](const QString &caption) {
        auto *item = new TMenuItem(FormOwner);
        item->SetText(caption);
        item->SetParent(pop);
        return item;
    };
    for (const EventMenuEntry &entry : entries)
        addItem(QString::fromStdString(entry.caption))->SetTagString(QString::fromStdString(entry.tagString));
    TMenuItem *header = addItem(AnObjName + QStringLiteral(" (") + AnObjClassName + QStringLiteral(")"));
    header->SetEnabled(false);
    pop->SetChildIndex(header, 0);
    pop->SetChildIndex(addItem(QStringLiteral("-")), 1);
}

void TDFMView::ObjectInspector(TObject *Obj, const QString &EventType, const TNotifyEvent &)
{
    if (!Obj)
        return;
    for (const PropInfo *prop : GetPropList(Obj)) {
        if (prop->kind != PropKind::Method || prop->name != EventType)
            continue;
        try {
            SetMethodProp(Obj, prop->name, MethodOnClick);
        } catch (const std::exception &) {
            ShowMessage(Obj->ClassName());
        }
    }
}

void TDFMView::SetEventHandlerForAllObjects(TComponent *form, const QString &, const TNotifyEvent &Event)
{
    if (!form)
        return;
    // The event is always OnClick: that is what the viewer's click command serves.
    const QString onClick = QStringLiteral("OnClick");
    const std::vector<TComponent *> owned = form->components();
    for (TComponent *component : owned) {
        try {
            if (component->ClassName() == QLatin1String("TFrame")) {
                // A frame file is read into a bare frame: its components are
                // what the user sees, the frame itself is not wired.
                const std::vector<TComponent *> inFrame = component->components();
                for (TComponent *sub : inFrame)
                    ObjectInspector(sub, onClick, Event);
            } else {
                ObjectInspector(component, onClick, Event);
            }
        } catch (const std::exception &) {
            ShowMessage(component->Name());
        }
    }
}

void TDFMView::SetFakeEventHandlerForObjects(TComponent *form, const QString &ObjClassName, const QString &EventType,
                                             const TNotifyEvent &Event)
{
    if (!form)
        return;
    const QString prefix = QStringLiteral("Du_") + ObjClassName + QStringLiteral("_");
    const bool imageListDblClick = ObjClassName == QLatin1String("TImageList") && EventType == QLatin1String("OnDblClick");
    const bool timerClick = ObjClassName == QLatin1String("TTimer") && EventType == QLatin1String("OnClick");
    auto write = [&](TComponent *target, const QString &event) {
        try {
            SetMethodProp(target, event, Event.method());
        } catch (const std::exception &) {
            ShowMessage(target->Name());
        }
    };
    const std::vector<TComponent *> owned = form->components();
    for (TComponent *component : owned) {
        const QString cls = component->ClassName();
        if (cls == QLatin1String("TFrame")) {
            const std::vector<TComponent *> inFrame = component->components();
            for (TComponent *sub : inFrame) {
                if (!sub->Name().contains(prefix))
                    continue;
                if (imageListDblClick)
                    write(sub, QStringLiteral("OnDblClick"));
                else if (timerClick)
                    write(sub, QStringLiteral("OnClick"));
            }
        } else if (cls == QLatin1String("TLabel") && component->Name().contains(prefix) && imageListDblClick) {
            write(component, QStringLiteral("OnDblClick"));
        }
    }
}

} // namespace vantor
