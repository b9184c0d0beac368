#include "framework/fmxobject.h"

#include "framework/control.h"

#include <algorithm>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TFmxObject)

TFmxObject::TFmxObject(TComponent *owner) : TComponent(owner) {}

TFmxObject::~TFmxObject()
{
    markDestroying();
    // Children go with their parent, last first; each one leaves this list
    // (and its owner's) in its own destructor.
    while (!m_children.empty())
        delete m_children.back();
    if (m_parent) {
        auto &siblings = m_parent->m_children;
        if (!siblings.empty() && siblings.back() == this)
            siblings.pop_back(); // the usual case while a parent empties itself
        else
            siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        if (!m_parent->isDestroying())
            m_parent->childRemoved(this);
        m_parent = nullptr;
    }
}

void TFmxObject::DeclareProperties(ClassBuilder<TFmxObject> &b)
{
    b.stored("StyleName", PropKind::String);
}

void TFmxObject::SetParent(TFmxObject *parent)
{
    if (parent == m_parent)
        return;
    for (TFmxObject *p = parent; p; p = p->m_parent)
        if (p == this)
            throw EComponentError(msg::ParentLoop);
    TFmxObject *old = m_parent;
    if (old) {
        old->m_children.erase(std::remove(old->m_children.begin(), old->m_children.end(), this),
                              old->m_children.end());
    }
    m_parent = parent;
    if (parent)
        parent->m_children.push_back(this);
    parentChanged();
    if (old && !old->isDestroying())
        old->childRemoved(this);
    if (parent)
        parent->childAdded(this);
}

void TFmxObject::SetChildIndex(TFmxObject *child, int index)
{
    auto it = std::find(m_children.begin(), m_children.end(), child);
    if (it == m_children.end())
        return;
    m_children.erase(it);
    index = std::clamp(index, 0, int(m_children.size()));
    m_children.insert(m_children.begin() + index, child);
    childOrderChanged();
}

int TFmxObject::indexOfChild(const TFmxObject *child) const
{
    auto it = std::find(m_children.begin(), m_children.end(), child);
    return it == m_children.end() ? -1 : int(it - m_children.begin());
}

void TFmxObject::SetParentComponent(TComponent *parent)
{
    if (auto *p = object_cast<TFmxObject>(parent))
        SetParent(p);
}

void TFmxObject::EndUpdate()
{
    if (m_updating == 0 || --m_updating > 0)
        return;
    if (m_realignDue) {
        m_realignDue = false;
        realignAfterUpdate();
    }
}

void TFmxObject::childAdded(TFmxObject *) {}
void TFmxObject::childRemoved(TFmxObject *) {}
void TFmxObject::childOrderChanged() {}
void TFmxObject::parentChanged() {}
void TFmxObject::childLayoutChanged() {}

void TFmxObject::realignChildren(QSizeF clientSize, QMarginsF padding)
{
    std::vector<LayoutItem> items;
    std::vector<TControl *> controls;
    for (TFmxObject *child : m_children) {
        auto *c = object_cast<TControl>(child);
        if (!c || !c->Visible() || c->Align() == TAlignLayout::None || c->Align() == TAlignLayout::Scale)
            continue;
        items.push_back({c->Align(), c->BoundsRect(), c->Margins()->margins()});
        controls.push_back(c);
    }
    if (items.empty())
        return;
    const QRectF area(padding.left(), padding.top(), std::max(0.0, clientSize.width() - padding.left() - padding.right()),
                      std::max(0.0, clientSize.height() - padding.top() - padding.bottom()));
    alignItems(area, items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const QRectF &r = items[i].bounds;
        controls[i]->m_inLayout = true;
        controls[i]->SetBounds(r.x(), r.y(), r.width(), r.height());
        controls[i]->m_inLayout = false;
    }
}

void TFmxObject::followResize(QSizeF before, QSizeF after)
{
    if (before == after)
        return;
    for (TFmxObject *child : m_children) {
        auto *c = object_cast<TControl>(child);
        if (!c)
            continue;
        QRectF r;
        if (c->Align() == TAlignLayout::None)
            r = applyAnchors(c->BoundsRect(), c->Anchors(), before, after);
        else if (c->Align() == TAlignLayout::Scale)
            r = applyScale(c->BoundsRect(), before, after);
        else
            continue;
        c->m_inLayout = true;
        c->SetBounds(r.x(), r.y(), r.width(), r.height());
        c->m_inLayout = false;
    }
}

} // namespace vantor
