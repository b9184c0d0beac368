#pragma once

// TControl: a visual object with a place and size in its parent, aligned by
// the layout engine, and one Qt widget as its peer.
//
// The framework's geometry is the source of truth: setting Position, Size,
// Align, Margins or the parent's Padding recomputes the layout and pushes the
// result to the peer. The peer is made lazily, the first time it is needed
// (a parent that has a widget, peer() called, or the form shown), by the
// virtual createPeer(); updatePeer() copies the control's state into it.

#include "framework/events.h"
#include "framework/fmxobject.h"
#include "framework/geometry.h"
#include "framework/layout.h"

#include <QPointer>
#include <QRectF>

class QPainter;
class QWidget;
class QObject;

namespace vantor {

class PeerEventFilter;

// The widgets below host are painted through one painter, which lets a
// translucent control draw straight through it instead of rendering itself
// apart (a walk over the whole window each time). Set on the widget a form's
// controls are shown in.
void ShareOnePainter(QWidget *host);

// Cursor identifiers (crDefault ...) for integer properties that take them.
bool cursorIdentToInt(const QString &ident, std::int64_t &value);

class TControl : public TFmxObject
{
    VANTOR_CLASS(TControl, TFmxObject)
public:
    explicit TControl(TComponent *owner);
    ~TControl() override;
    static void DeclareProperties(ClassBuilder<TControl> &b);

    // Geometry, in the parent's coordinates.
    TPosition *Position() const { return m_position.get(); }
    TControlSize *Size() const { return m_size.get(); }
    double Width() const { return m_size->Width(); }
    double Height() const { return m_size->Height(); }
    void SetWidth(double w) { m_size->SetWidth(w); }
    void SetHeight(double h) { m_size->SetHeight(h); }
    // The older integer Left/Top of forms written by earlier versions.
    std::int64_t Left() const { return qRound64(m_position->X()); }
    std::int64_t Top() const { return qRound64(m_position->Y()); }
    void SetLeft(std::int64_t x) { m_position->SetX(double(x)); }
    void SetTop(std::int64_t y) { m_position->SetY(double(y)); }
    void SetBounds(double x, double y, double w, double h);
    QRectF BoundsRect() const { return QRectF(m_position->point(), m_size->size()); }
    // The control's rectangle in the coordinates of its form (or topmost parent).
    QRectF AbsoluteRect() const;
    QPointF LocalToAbsolute(QPointF p) const;

    TAlignLayout Align() const { return m_align; }
    void SetAlign(TAlignLayout align);
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors anchors) { m_anchors = anchors; }
    TBounds *Margins() const { return m_margins.get(); }
    TBounds *Padding() const { return m_padding.get(); }
    // Lays out the children again (after the reader, or when asked).
    void Realign();

    bool Visible() const { return m_visible; }
    void SetVisible(bool v);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v);
    bool HitTest() const { return m_hitTest; }
    void SetHitTest(bool v);
    double Opacity() const { return m_opacity; }
    void SetOpacity(double v);
    TPosition *Scale() const { return m_scale.get(); }
    double RotationAngle() const { return m_rotationAngle; }
    void SetRotationAngle(double a) { m_rotationAngle = a; }
    TPosition *RotationCenter() const { return m_rotationCenter.get(); }
    std::int64_t TabOrder() const { return m_tabOrder; }
    void SetTabOrder(std::int64_t v) { m_tabOrder = v; }
    std::int64_t Cursor() const { return m_cursor; }
    void SetCursor(std::int64_t v);
    QString Hint() const { return m_hint; }
    void SetHint(const QString &h);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool v);
    // The name of the look the control is drawn with (see looks.h).
    QString StyleLookup() const { return m_styleLookup; }
    void SetStyleLookup(const QString &s);
    bool ClipChildren() const { return m_clipChildren; }
    void SetClipChildren(bool v) { m_clipChildren = v; }
    TComponent *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TComponent *menu);

    // Fired by the peer on a real mouse click / double click; call them to
    // simulate one.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    virtual void Click();
    virtual void DblClick();

    // The Qt widget of this control; made on first use.
    QWidget *peer();
    bool isRealized() const override { return !m_peer.isNull(); }
    QWidget *containerWidget() override { return peer(); }

    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;

protected:
    // Makes the widget; the default is a plain widget that calls paint().
    // A widget made straight into peerParent() skips being a window first
    // (Qt gives every parentless widget a window's data, kept for good).
    virtual QWidget *createPeer();
    // The widget the peer goes into: the parent's container, or none while
    // the parent has no widget.
    QWidget *peerParent();
    // Copies the control's own state (text, colours...) into the peer; the
    // base handles geometry, visibility, enabled state, hint, cursor, opacity.
    virtual void updatePeer();
    // Paints the default peer; the default paints nothing.
    virtual void paint(QPainter &painter, const QRectF &rect);
    // True when the peer widget reports clicks itself (a QPushButton's
    // clicked signal) and calls Click(); the mouse is then left to it. Plain
    // peers get their clicks from an event filter that also keeps the click
    // from reaching the parents' peers.
    virtual bool peerReportsClicks() const { return false; }
    // Call when a property that updatePeer() shows has changed.
    void peerChanged();

    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;
    void childOrderChanged() override;
    void parentChanged() override;
    void childLayoutChanged() override { Realign(); }
    void realignAfterUpdate() override { Realign(); }

private:
    friend class PaintPeer;
    friend class PeerEventFilter;
    friend class TCommonCustomForm;
    friend class TFmxObject;
    void boundsChanged(QRectF before);
    void parentLayoutChanged();
    void pushGeometry();
    void applyBaseState();
    // inOrder: the caller attaches all siblings' peers in their order, so
    // each new one belongs on top.
    void attachPeerToParent(bool inOrder = false);
    QWidget *realizePeer(bool inOrder);

    std::unique_ptr<TPosition> m_position;
    std::unique_ptr<TControlSize> m_size;
    std::unique_ptr<TBounds> m_margins;
    std::unique_ptr<TBounds> m_padding;
    std::unique_ptr<TPosition> m_scale;
    std::unique_ptr<TPosition> m_rotationCenter;
    QRectF m_lastBounds;
    TAlignLayout m_align = TAlignLayout::None;
    TAnchors m_anchors = kDefaultAnchors;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_hitTest = true;
    bool m_showHint = false;
    bool m_clipChildren = false;
    bool m_inLayout = false;
    double m_opacity = 1.0;
    double m_rotationAngle = 0;
    std::int64_t m_tabOrder = -1;
    std::int64_t m_cursor = 0;
    QString m_hint;
    QString m_styleLookup;
    TComponent *m_popupMenu = nullptr;
    QPointer<QWidget> m_peer;
    PeerEventFilter *m_filter = nullptr;
    // The peer is in its container, placed and stacked.
    bool m_peerPlaced = false;
};

} // namespace vantor
