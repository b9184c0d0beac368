#include "loader/presentation.h"

#include "framework/control.h"
#include "framework/forms.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QImage>
#include <QWidget>

namespace vantor {

QSizeF FramedRectSize(const TDFMView &view)
{
    if (!view.FormDyna)
        return {};
    if (!view.RootIsFrame)
        return QSizeF(double(view.FormDyna->Width()), double(view.FormDyna->Height()));
    return view.FormDyna->clientSize() + QSizeF(2 * kShownPanelMargin, 2 * kShownPanelMargin);
}

namespace {

// Holds an object's layout for the life of the guard.
class LayoutHold
{
public:
    explicit LayoutHold(TFmxObject *object) : m_object(object) { m_object->BeginUpdate(); }
    ~LayoutHold() { m_object->EndUpdate(); }
    LayoutHold(const LayoutHold &) = delete;
    LayoutHold &operator=(const LayoutHold &) = delete;

private:
    TFmxObject *m_object;
};

} // namespace

void DropQueuedPolishRequests()
{
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
}

void EmbeddForm(TFmxObject *parent, TCommonCustomForm *form)
{
    // A parent on the screen takes the children's widgets while it is hidden
    // and shows them all at once: shown one by one, each new widget would be
    // laid out and queue its events behind those of all the others.
    QWidget *shown = nullptr;
    auto *control = object_cast<TControl>(parent);
    if (control && control->isRealized() && !control->peer()->isHidden()) {
        shown = control->peer();
        shown->hide();
    }
    {
        // Both sides are laid out once, when all children have moved: one
        // pass per child would lay out every sibling again each time.
        LayoutHold target(parent);
        LayoutHold source(form);
        while (form->ChildrenCount() > 0)
            form->Children(0)->SetParent(parent);
    }
    // Translucent controls draw through the painter of the widget they are
    // shown in (see ShareOnePainter).
    if (control)
        ShareOnePainter(control->peer());
    DropQueuedPolishRequests();
    if (shown)
        shown->show();
}

namespace {

void collect(TComponent &owner, std::vector<TComponent *> &out)
{
    for (TComponent *c : owner.components()) {
        out.push_back(c);
        if (object_cast<TFrame>(c))
            collect(*c, out);
    }
}

ShownComponent measure(TComponent *component, TControl &panel, QWidget *panelWidget)
{
    ShownComponent out;
    out.component = component;
    auto *control = object_cast<TControl>(component);
    if (!control)
        return out;
    out.isControl = true;

    // Walk up to the panel: visibility and the offset into the panel.
    bool shown = true;
    bool reachesPanel = false;
    QPointF offset;
    for (TControl *c = control; c;) {
        shown = shown && c->Visible();
        offset += c->Position()->point();
        auto *parent = object_cast<TControl>(c->Parent());
        if (parent == &panel) {
            reachesPanel = true;
            break;
        }
        c = parent;
    }
    out.shown = shown && reachesPanel;
    out.bounds = QRectF(offset, control->Size()->size());

    // Where the widgets exist they say best what is drawn: a page that is not
    // in front hides its controls, and a page's controls sit below its tabs.
    if (panelWidget && control->isRealized()) {
        QWidget *widget = control->peer();
        if (widget && (widget == panelWidget || panelWidget->isAncestorOf(widget))) {
            out.shown = out.shown && widget->isVisibleTo(panelWidget);
            const QPoint at = widget->mapTo(panelWidget, QPoint(0, 0));
            out.bounds.moveTopLeft(at);
            // Qt clips every widget to its parents.
            QRect area(at, widget->size());
            for (QWidget *p = widget->parentWidget(); p && p != panelWidget; p = p->parentWidget())
                area &= QRect(p->mapTo(panelWidget, QPoint(0, 0)), p->size());
            area &= panelWidget->rect();
            for (QWidget *p = widget->parentWidget(); p && p != panelWidget && !out.inScrollView;
                 p = p->parentWidget())
                out.inScrollView = qobject_cast<QAbstractScrollArea *>(p) != nullptr;
            out.visible = out.shown ? QRectF(area) : QRectF();
            if (out.visible.isEmpty())
                out.visible = QRectF();
            return out;
        }
    }
    // No widgets: clip by the framework's own rectangles.
    QRectF area = out.bounds;
    QPointF parentAt = offset - control->Position()->point();
    for (TControl *p = object_cast<TControl>(control->Parent()); p && p != &panel;
         p = object_cast<TControl>(p->Parent())) {
        area &= QRectF(parentAt, p->Size()->size());
        parentAt -= p->Position()->point();
    }
    area &= QRectF(QPointF(), panel.Size()->size());
    out.visible = out.shown && !area.isEmpty() ? area : QRectF();
    return out;
}

} // namespace

std::vector<ShownComponent> ShownGeometry(TComponent &form, TControl &panel)
{
    std::vector<TComponent *> components;
    collect(form, components);
    QWidget *panelWidget = panel.isRealized() ? panel.peer() : nullptr;
    std::vector<ShownComponent> out;
    out.reserve(components.size());
    for (TComponent *c : components)
        out.push_back(measure(c, panel, panelWidget));
    return out;
}

bool ShowsMoreThan(const QImage &picture, const QImage &background)
{
    if (picture.size() != background.size())
        return false;
    const QImage a = picture.convertToFormat(QImage::Format_ARGB32);
    const QImage b = background.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto *ra = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (ra[x] != rb[x])
                return true;
    }
    return false;
}

} // namespace vantor
