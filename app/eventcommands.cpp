// The click command on the shown form, the choice of a handler in the event
// menu, and the commands of the missing-class list.

#include "app/mainwindow.h"
#include "framework/controls/lists.h"
#include "framework/controls/menus.h"
#include "framework/controls/standard.h"
#include "framework/platform.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "sourceview/procindex.h"

#include <functional>

namespace vantor {

namespace {

// Longest class name taken from a placeholder's text.
constexpr int kMaxClassChars = 1255;

// A string property of obj, read only when obj's class publishes it.
QString publishedString(TObject *obj, const char *name)
{
    if (!obj || !GetPropInfo(obj, QLatin1String(name)))
        return {};
    const PropValue value = GetPropValue(obj, QLatin1String(name));
    if (const auto *text = std::get_if<QString>(&value))
        return *text;
    return {};
}

// The part of s before its first ':'; empty when s has none.
QString beforeColon(const QString &s)
{
    const qsizetype colon = s.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : s.left(colon);
}

// The name of the non-visual component a design-time marker stands for. A
// tag string "Name: ..." on the clicked component wins; otherwise the help
// keyword "Name: Class" that the marker's inner label carries, read from the
// clicked component when its class has one and else from its children (a
// click lands on the marker's square, not on the label inside it).
QString markedComponentName(TComponent *marker)
{
    if (const QString fromTag = beforeColon(marker->TagString()); !fromTag.isEmpty())
        return fromTag;
    if (const QString own = beforeColon(publishedString(marker, "HelpKeyword")); !own.isEmpty())
        return own;
    if (auto *object = object_cast<TFmxObject>(marker)) {
        for (TFmxObject *child : object->children())
            if (const QString inner = beforeColon(publishedString(child, "HelpKeyword")); !inner.isEmpty())
                return inner;
    }
    return {};
}

// The name a component has in the form file. Placeholders of missing
// classes are renamed (a suffix "2222") when the plug-in libraries are asked
// for them; the event index and the user know them by their first name.
QString formFileName(const TDFMView &view, TComponent *component)
{
    static const QString suffix = QStringLiteral("2222");
    const QString name = component->Name();
    if (!object_cast<TLabel>(component) || !name.endsWith(suffix))
        return name;
    for (const TStringList::Item &placeholder : view.slUnknownClassesOffset.items())
        if (placeholder.tag == component->Tag())
            return name.chopped(suffix.size());
    return name;
}

// The name in the form file of the component a click on the shown form
// stands for: a marker's non-visual component, an inherited component's
// label's component, else the component itself.
QString clickedFileName(const TDFMView &view, TComponent *component)
{
    const QString name = formFileName(view, component);
    if (name.startsWith(QLatin1String("Du_"))) {
        if (const QString marked = markedComponentName(component); !marked.isEmpty())
            return marked;
    }
    if (auto *label = object_cast<TLabel>(component);
        label && name.startsWith(QLatin1String("AAA_")) && label->Text().startsWith(QLatin1String("Inherited ")))
        return name.mid(4);
    return name;
}

} // namespace

void TF_FMXWindowDisplay::openEventMenu()
{
    const std::vector<TMenuItem *> items = popEvents->items();
    for (std::size_t i = 2; i < items.size(); ++i)
        items[i]->OnClick = TNotifyEvent::bind<&TF_FMXWindowDisplay::bnGotoProcClick>(this);
    const QPointF at = mouseService().mousePos();
    popEvents->Popup(at.x(), at.y());
}

void TF_FMXWindowDisplay::AnKlickEventClick(TObject *Sender)
{
    auto *component = object_cast<TComponent>(Sender);
    if (!component)
        return;
    TDFMView &view = DFMView();
    const QString name = formFileName(view, component);
    const QString className = component->ClassName();
    // With the structure pane open, the click also chooses the component's
    // node; the steps below are the same with the pane shut.
    structureFollowClick(component, clickedFileName(view, component));

    if (name.contains(QLatin1String("Du_TImageList_"))) {
        const QString listName = markedComponentName(component);
        if (!listName.isEmpty() && FindFormComponent(view.FormDyna, listName)) {
            // The message box runs its own event loop, in which a hand-off
            // request may replace the shown form and free the marker.
            const std::weak_ptr<void> alive = component->aliveToken();
            ShowMessage(QStringLiteral("EditList"));
            if (alive.expired())
                return;
        }
    }

    if (name.contains(QLatin1String("Du_TTimer_"))) {
        const QString timerName = markedComponentName(component);
        TComponent *timer = timerName.isEmpty() ? nullptr : FindFormComponent(view.FormDyna, timerName);
        if (!timer)
            return;
        view.GetEventsForObject(popEvents, timer->Name(), timer->ClassName());
        if (popEvents->items().empty()) {
            ShowMessage(timer->Name());
            return;
        }
        openEventMenu();
        return;
    }

    // A placeholder label names the missing class it stands for.
    QString lookupClass = className;
    if (className == QLatin1String("TLabel")) {
        const QString text = static_cast<TLabel *>(component)->Text();
        if (text.startsWith(QLatin1Char('@')))
            lookupClass = text.mid(1, kMaxClassChars);
    }
    view.GetEventsForObject(popEvents, name, lookupClass);
    lbClassInfo->SetText(name + QStringLiteral(" (Klasse: ") + className + QStringLiteral(")"));
    if (!popEvents->items().empty())
        openEventMenu();
}

void TF_FMXWindowDisplay::bnGotoProcClick(TObject *Sender)
{
    bnPasClick(Sender);
    auto *item = object_cast<TTextControl>(Sender);
    if (!item)
        return;
    const std::string handler = HandlerNameOfEventLine(item->Text().toStdString());
    const int entry = FindHandlerEntry(*slProcList, handler);
    if (entry >= 0)
        JumpToSourceLine(slProcList->tag(entry));
}

void TF_FMXWindowDisplay::MenuItem1Click(TObject *)
{
    const QStringList entries = lbMissing->Items()->lines();
    if (entries.isEmpty())
        return;
    QString text;
    // A failed build lists its error first; it is no class.
    const qsizetype first = entries.first().contains(QLatin1String("Fehler")) ? 1 : 0;
    for (qsizetype i = first; i < entries.size(); ++i) {
        const QString &entry = entries[i];
        text += QStringLiteral("  RegisterClass (") + entry + QStringLiteral("); slClasses.add ('") + entry
              + QStringLiteral("');\r\n");
    }
    clipboardService().setText(text);
}

void TF_FMXWindowDisplay::lbMissingDblClick(TObject *)
{
    // A double-click on a missing class names the components of the shown
    // form that stand for it, in form order, in the status label. The shown
    // form stays as it is; an error entry or no selection does nothing.
    const std::int64_t index = lbMissing->ItemIndex();
    if (index < 0 || index >= lbMissing->Items()->count())
        return;
    const QString className = lbMissing->Items()->line(int(index));
    if (className.startsWith(QLatin1String("Fehler")) || !DFMView().FormDyna)
        return;

    const QString placeholderText = QLatin1Char('@') + className;
    QStringList names;
    std::function<void(TComponent *)> visit = [&](TComponent *owner) {
        for (TComponent *component : owner->components()) {
            if (auto *label = object_cast<TLabel>(component); label && label->Text() == placeholderText)
                names.append(formFileName(DFMView(), label));
            visit(component);
        }
    };
    visit(DFMView().FormDyna);
    if (names.isEmpty())
        return;
    constexpr qsizetype kMaxNames = 5;
    QString shown = names.mid(0, kMaxNames).join(QStringLiteral(", "));
    if (names.size() > kMaxNames)
        shown += QStringLiteral(", … (") + QString::number(names.size()) + QStringLiteral(")");
    lbClassInfo->SetText(shown + QStringLiteral(" (Klasse: ") + className + QStringLiteral(")"));
}

} // namespace vantor
