#pragma once

#include "framework/classes.h"

#include <QSizeF>

#include <vector>

class QWidget;

namespace vantor {

class TControl;

// A visual object: it has a parent and children besides its owner. Children
// are kept, and drawn, in the order they were added (stream order). A parent
// destroys its children when it goes, whoever owns them.
class TFmxObject : public TComponent
{
    VANTOR_CLASS(TFmxObject, TComponent)
public:
    explicit TFmxObject(TComponent *owner);
    ~TFmxObject() override;
    static void DeclareProperties(ClassBuilder<TFmxObject> &b);

    TFmxObject *Parent() const { return m_parent; }
    // Moves this object to the end of the new parent's children (nullptr
    // detaches it). Refuses, with EComponentError, a parent that is this
    // object or one of its descendants.
    void SetParent(TFmxObject *parent);
    int ChildrenCount() const { return int(m_children.size()); }
    TFmxObject *Children(int index) const { return m_children.at(std::size_t(index)); }
    const std::vector<TFmxObject *> &children() const { return m_children; }
    // Moves a child to another place in the drawing order.
    void SetChildIndex(TFmxObject *child, int index);
    int indexOfChild(const TFmxObject *child) const;

    void SetParentComponent(TComponent *parent) override;
    TComponent *GetParentComponent() const override { return m_parent; }

    // The widget that children's peers are put into; nullptr while this
    // object has none (not yet realized, or not visual).
    virtual QWidget *containerWidget() { return nullptr; }
    // True once the object has made its Qt widget.
    virtual bool isRealized() const { return false; }

    // Holds the layout of the children while many of them come or go: a
    // relayout asked for in between only notes that one is due, and the last
    // EndUpdate runs it once.
    void BeginUpdate() { ++m_updating; }
    void EndUpdate();
    bool IsUpdating() const { return m_updating > 0; }

protected:
    // Hooks for subclasses; the defaults do nothing.
    virtual void childAdded(TFmxObject *child);
    virtual void childRemoved(TFmxObject *child);
    virtual void childOrderChanged();
    virtual void parentChanged();
    // An aligned child changed its size, alignment, margins or visibility.
    virtual void childLayoutChanged();
    // Lays the children out again; what EndUpdate runs when a layout is due.
    virtual void realignAfterUpdate() {}
    // True while the layout is held; notes that a layout is due.
    bool holdRealign()
    {
        if (m_updating == 0)
            return false;
        m_realignDue = true;
        return true;
    }

    // Lays out the TControl children in a client area of the given size
    // less `padding` (see layout.h).
    void realignChildren(QSizeF clientSize, QMarginsF padding);
    // Moves anchored and scaled children after the client size changed.
    void followResize(QSizeF before, QSizeF after);

private:
    friend class TControl;
    TFmxObject *m_parent = nullptr;
    std::vector<TFmxObject *> m_children;
    int m_updating = 0;
    bool m_realignDue = false;
};

} // namespace vantor
