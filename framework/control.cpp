#include "framework/control.h"

#include "framework/looks.h"
#include "framework/peer.h"

#include <QCursor>
#include <QGraphicsEffect>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TControl)

namespace {

// A control's opacity as the framework applies it: every part the control
// draws, and every child, is drawn with the product of the opacities down
// its parents (no layer is composed first, so a shape's fill shows through
// its stroke).
//
// Qt's own opacity effect renders the widget into a pixmap, and each such
// render makes Qt walk every widget of the window first; on a form of many
// translucent controls that walk was most of the time to show it. This
// effect draws its widget straight through the painter it is given. That
// works where the widget paints through a shared painter, which is the case
// inside another of these effects; anywhere else the widget is rendered
// through the painter once, which shares it with everything below. A host
// whose descendants should share one painter carries an effect that changes
// nothing (ShareOnePainter), so the walk happens once per paint of the host.
class OpacityEffect final : public QGraphicsEffect
{
public:
    OpacityEffect(QWidget *widget, bool host) : QGraphicsEffect(widget), m_widget(widget), m_host(host) {}

    bool isHost() const { return m_host; }
    void setOpacity(double opacity)
    {
        if (opacity != m_opacity) {
            m_opacity = opacity;
            update();
        }
    }

protected:
    void draw(QPainter *painter) override
    {
        if (m_opacity <= 0.0)
            return;
        QPainter *const outerPainter = s_painting;
        const QTransform outerRoot = s_root;
        const double before = painter->opacity();
        painter->setOpacity(before * m_opacity);
        if (painter == outerPainter) {
            // Inside one of ours: the widget shares this painter already.
            // Qt has moved the painter to this widget's place, and drawing
            // the source moves it there again from the shared painter's
            // origin; so the source is drawn from that origin.
            const QTransform here = painter->worldTransform();
            painter->setWorldTransform(s_root);
            drawSource(painter);
            painter->setWorldTransform(here);
        } else {
            // The region Qt asked for, in the widget's coordinates.
            QRegion region;
            if (QPaintEngine *engine = painter->paintEngine(); engine && !engine->systemClip().isEmpty())
                region = painter->deviceTransform().inverted().map(engine->systemClip());
            s_painting = painter;
            s_root = painter->worldTransform();
            m_widget->render(painter, QPoint(), region, QWidget::DrawChildren);
        }
        painter->setOpacity(before);
        s_painting = outerPainter;
        s_root = outerRoot;
    }

private:
    // The painter one of these effects renders its widget through now, and
    // its transform then: the origin of the widgets drawn through it.
    static inline QPainter *s_painting = nullptr;
    static inline QTransform s_root;
    QWidget *m_widget;
    bool m_host;
    double m_opacity = 1.0;
};

} // namespace

void ShareOnePainter(QWidget *host)
{
    if (host && !host->graphicsEffect())
        host->setGraphicsEffect(new OpacityEffect(host, true));
}

namespace {

struct CursorName
{
    const char *name;
    int value;
    Qt::CursorShape shape;
};

const CursorName kCursors[] = {
    {"crDefault", 0, Qt::ArrowCursor},      {"crNone", -1, Qt::BlankCursor},
    {"crArrow", -2, Qt::ArrowCursor},       {"crCross", -3, Qt::CrossCursor},
    {"crIBeam", -4, Qt::IBeamCursor},       {"crSizeNESW", -6, Qt::SizeBDiagCursor},
    {"crSizeNS", -7, Qt::SizeVerCursor},    {"crSizeNWSE", -8, Qt::SizeFDiagCursor},
    {"crSizeWE", -9, Qt::SizeHorCursor},    {"crUpArrow", -10, Qt::UpArrowCursor},
    {"crHourGlass", -11, Qt::WaitCursor},   {"crDrag", -12, Qt::DragMoveCursor},
    {"crNoDrop", -13, Qt::ForbiddenCursor}, {"crHSplit", -14, Qt::SplitHCursor},
    {"crVSplit", -15, Qt::SplitVCursor},    {"crMultiDrag", -16, Qt::DragCopyCursor},
    {"crSQLWait", -17, Qt::WaitCursor},     {"crNo", -18, Qt::ForbiddenCursor},
    {"crAppStart", -19, Qt::BusyCursor},    {"crHelp", -20, Qt::WhatsThisCursor},
    {"crHandPoint", -21, Qt::PointingHandCursor}, {"crSizeAll", -22, Qt::SizeAllCursor},
    {"crSize", -22, Qt::SizeAllCursor},
};

const EnumInfo &dragModeInfo()
{
    static const EnumInfo info{"TDragMode", {"dmManual", "dmAutomatic"}, nullptr};
    return info;
}

const EnumInfo &interactiveGestureInfo()
{
    static const EnumInfo info{"TInteractiveGesture",
                               {"Zoom", "Pan", "Rotate", "TwoFingerTap", "PressAndTap", "LongTap", "DoubleTap"},
                               "ig"};
    return info;
}

} // namespace

bool cursorIdentToInt(const QString &ident, std::int64_t &value)
{
    for (const CursorName &c : kCursors)
        if (ident.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            value = c.value;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------

TControl::TControl(TComponent *owner)
    : TFmxObject(owner), m_position(std::make_unique<TPosition>()), m_size(std::make_unique<TControlSize>()),
      m_margins(std::make_unique<TBounds>()), m_padding(std::make_unique<TBounds>()),
      m_scale(std::make_unique<TPosition>(QPointF(1, 1))),
      m_rotationCenter(std::make_unique<TPosition>(QPointF(0.5, 0.5)))
{
    // The framework's default size of a control that gives none (shapes,
    // layouts); classes with a size of their own set it in their constructor.
    m_size->setSize(QSizeF(50, 50));
    m_lastBounds = BoundsRect();
    m_position->onChange = [this] { boundsChanged(m_lastBounds); };
    m_size->onChange = [this] { boundsChanged(m_lastBounds); };
    m_margins->onChange = [this] { parentLayoutChanged(); };
    m_padding->onChange = [this] { Realign(); };
}

TControl::~TControl()
{
    // Children's widgets are children of ours: deleting ours takes theirs,
    // and their QPointers notice.
    if (m_peer) {
        if (auto *p = dynamic_cast<PaintPeer *>(m_peer.data()))
            p->detach();
        delete m_peer.data();
    }
}

void TControl::DeclareProperties(ClassBuilder<TControl> &b)
{
    // The action a control is linked to (kept; actions do not drive controls yet).
    b.stored("Action", PropKind::Component);
    b.enumeration("Align", alignLayoutInfo(), &TControl::Align, &TControl::SetAlign);
    b.set("Anchors", anchorKindInfo(), &TControl::Anchors, &TControl::SetAnchors);
    b.stored("CanFocus", PropKind::Boolean);
    b.stored("CanParentFocus", PropKind::Boolean);
    b.boolean("ClipChildren", &TControl::ClipChildren, &TControl::SetClipChildren);
    b.stored("ClipParent", PropKind::Boolean);
    b.integer("Cursor", &TControl::Cursor, &TControl::SetCursor, &cursorIdentToInt);
    // The earliest forms hide a control in the designer only (kept; it shows).
    b.stored("DesignVisible", PropKind::Boolean);
    b.stored("DisableFocusEffect", PropKind::Boolean);
    b.stored("DragMode", PropKind::Enumeration, &dragModeInfo());
    b.stored("EnableDragHighlight", PropKind::Boolean);
    b.boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    b.floating("Height", &TControl::Height, &TControl::SetHeight);
    b.string("Hint", &TControl::Hint, &TControl::SetHint);
    b.boolean("HitTest", &TControl::HitTest, &TControl::SetHitTest);
    b.integer("Left", &TControl::Left, &TControl::SetLeft);
    b.stored("Locked", PropKind::Boolean);
    b.persistent("Margins", &TControl::Margins);
    b.floating("Opacity", &TControl::Opacity, &TControl::SetOpacity);
    b.persistent("Padding", &TControl::Padding);
    b.stored("ParentShowHint", PropKind::Boolean);
    b.component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    b.persistent("Position", &TControl::Position);
    b.floating("RotationAngle", &TControl::RotationAngle, &TControl::SetRotationAngle);
    b.persistent("RotationCenter", &TControl::RotationCenter);
    b.persistent("Scale", &TControl::Scale);
    b.boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    b.persistent("Size", &TControl::Size);
    b.string("StyleLookup", &TControl::StyleLookup, &TControl::SetStyleLookup);
    b.integer("TabOrder", &TControl::TabOrder, &TControl::SetTabOrder);
    b.stored("TabStop", PropKind::Boolean);
    b.integer("Top", &TControl::Top, &TControl::SetTop);
    b.stored("Touch.GestureManager", PropKind::Component);
    b.stored("Touch.InteractiveGestures", PropKind::Set, &interactiveGestureInfo());
    // The wider hit area that touch platforms give a control.
    for (const char *name : {"TouchTargetExpansion.Left", "TouchTargetExpansion.Top", "TouchTargetExpansion.Right",
                             "TouchTargetExpansion.Bottom"})
        b.stored(name, PropKind::Float);
    b.boolean("Visible", &TControl::Visible, &TControl::SetVisible);
    b.floating("Width", &TControl::Width, &TControl::SetWidth);

    b.event("OnClick", &TControl::OnClick);
    b.event("OnDblClick", &TControl::OnDblClick);
    for (const char *name : {"OnApplyStyleLookup", "OnCanFocus", "OnDragDrop", "OnDragEnd", "OnDragEnter",
                             "OnDragLeave", "OnDragOver", "OnEnter", "OnExit", "OnGesture", "OnKeyDown", "OnKeyUp",
                             "OnMouseDown", "OnMouseEnter", "OnMouseLeave", "OnMouseMove", "OnMouseUp",
                             "OnMouseWheel", "OnPaint", "OnPainting", "OnResize", "OnResized", "OnTap"})
        b.event(name);
}

// ---------------------------------------------------------------------------
// Geometry

void TControl::SetBounds(double x, double y, double w, double h)
{
    // One notification for the whole change, not one per coordinate.
    const QRectF before = m_lastBounds;
    auto keepPos = std::move(m_position->onChange);
    auto keepSize = std::move(m_size->onChange);
    m_position->setPoint({x, y});
    m_size->setSize({w, h});
    m_position->onChange = std::move(keepPos);
    m_size->onChange = std::move(keepSize);
    boundsChanged(before);
}

QPointF TControl::LocalToAbsolute(QPointF p) const
{
    const TControl *c = this;
    while (c) {
        p += c->Position()->point();
        c = object_cast<TControl>(c->Parent());
    }
    return p;
}

QRectF TControl::AbsoluteRect() const
{
    return QRectF(LocalToAbsolute(QPointF(0, 0)), m_size->size());
}

void TControl::boundsChanged(QRectF before)
{
    const QRectF now = BoundsRect();
    if (now == before)
        return;
    m_lastBounds = now;
    pushGeometry();
    if (now.size() != before.size() && !isLoading()) {
        followResize(before.size(), now.size());
        Realign();
    }
    if (!m_inLayout && m_align != TAlignLayout::None)
        parentLayoutChanged();
}

void TControl::SetAlign(TAlignLayout align)
{
    if (align == m_align)
        return;
    m_align = align;
    parentLayoutChanged();
}

void TControl::parentLayoutChanged()
{
    if (isLoading() || m_inLayout)
        return;
    if (Parent())
        Parent()->childLayoutChanged();
}

void TControl::Realign()
{
    if (isLoading() || isDestroying() || holdRealign())
        return;
    realignChildren(m_size->size(), m_padding->margins());
}

void TControl::Loaded()
{
    TFmxObject::Loaded();
    m_lastBounds = BoundsRect();
    Realign();
    pushGeometry();
    // The whole form is read now: a look that depends on what is behind the
    // control (a label on a dark bar) is chosen again.
    applyLook(*this);
}

// ---------------------------------------------------------------------------
// Simple properties

void TControl::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    if (m_peer)
        attachPeerToParent();
    if (m_align != TAlignLayout::None)
        parentLayoutChanged();
}

void TControl::SetEnabled(bool v)
{
    m_enabled = v;
    if (m_peer)
        m_peer->setEnabled(v);
}

void TControl::SetHitTest(bool v)
{
    m_hitTest = v;
    if (m_peer)
        m_peer->setAttribute(Qt::WA_TransparentForMouseEvents, !v);
}

void TControl::SetOpacity(double v)
{
    m_opacity = std::clamp(v, 0.0, 1.0);
    if (m_peer)
        applyBaseState();
}

void TControl::SetCursor(std::int64_t v)
{
    m_cursor = v;
    if (m_peer)
        applyBaseState();
}

void TControl::SetHint(const QString &h)
{
    m_hint = h;
    if (m_peer)
        applyBaseState();
}

void TControl::SetShowHint(bool v)
{
    m_showHint = v;
    if (m_peer)
        applyBaseState();
}

void TControl::SetStyleLookup(const QString &s)
{
    if (s == m_styleLookup)
        return;
    m_styleLookup = s;
    applyLook(*this);
}

void TControl::SetPopupMenu(TComponent *menu)
{
    if (m_popupMenu)
        RemoveFreeNotification(m_popupMenu);
    m_popupMenu = menu;
    if (menu)
        FreeNotification(menu);
}

void TControl::Notification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == m_popupMenu)
        m_popupMenu = nullptr;
    TFmxObject::Notification(component, operation);
}

void TControl::Click()
{
    OnClick(this);
}

void TControl::DblClick()
{
    OnDblClick(this);
}

// ---------------------------------------------------------------------------
// Parent and children

void TControl::childAdded(TFmxObject *child)
{
    if (auto *c = object_cast<TControl>(child); c && c->Align() != TAlignLayout::None)
        Realign();
}

void TControl::childRemoved(TFmxObject *child)
{
    if (auto *c = object_cast<TControl>(child); c && c->Align() != TAlignLayout::None)
        Realign();
}

void TControl::childOrderChanged()
{
    if (m_peer)
        for (TFmxObject *child : children())
            if (auto *c = object_cast<TControl>(child); c && c->isRealized())
                c->peer()->raise();
    Realign();
}

void TControl::parentChanged()
{
    if (Parent() && Parent()->isRealized())
        peer();
    if (m_peer)
        attachPeerToParent();
}

// ---------------------------------------------------------------------------
// The peer

QWidget *TControl::peer()
{
    return realizePeer(false);
}

QWidget *TControl::realizePeer(bool inOrder)
{
    if (m_peer)
        return m_peer.data();
    m_peer = createPeer();
    m_peerPlaced = false;
    m_peer->setAttribute(Qt::WA_NoMousePropagation, false);
    m_filter = new PeerEventFilter(this, m_peer.data());
    m_peer->installEventFilter(m_filter);
    applyBaseState();
    updatePeer();
    applyLook(*this);
    attachPeerToParent(inOrder);
    // The children's widgets go in in drawing order: each on top of those
    // before it, with no restacking of the ones already in.
    for (TFmxObject *child : children())
        if (auto *c = object_cast<TControl>(child)) {
            c->realizePeer(true);
            c->attachPeerToParent(true);
        }
    return m_peer.data();
}

QWidget *TControl::createPeer()
{
    return new PaintPeer(this, peerParent());
}

QWidget *TControl::peerParent()
{
    return (Parent() && Parent()->isRealized()) ? Parent()->containerWidget() : nullptr;
}

void TControl::updatePeer() {}

void TControl::paint(QPainter &, const QRectF &) {}

void TControl::peerChanged()
{
    if (m_peer) {
        updatePeer();
        m_peer->update();
    }
}

void TControl::pushGeometry()
{
    if (!m_peer)
        return;
    const QRectF r = BoundsRect();
    m_peer->setGeometry(qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height()));
}

void TControl::applyBaseState()
{
    if (!m_peer)
        return;
    pushGeometry();
    m_peer->setEnabled(m_enabled);
    m_peer->setAttribute(Qt::WA_TransparentForMouseEvents, !m_hitTest);
    m_peer->setToolTip(m_showHint ? plainToolTip(m_hint) : QString());
    Qt::CursorShape shape = Qt::ArrowCursor;
    for (const CursorName &c : kCursors)
        if (c.value == m_cursor) {
            shape = c.shape;
            break;
        }
    if (m_cursor == 0)
        m_peer->unsetCursor();
    else
        m_peer->setCursor(shape);
    // The widget has one graphics effect: the opacity's, unless an effect
    // the control carries (a glow, a blur) has taken its place.
    QGraphicsEffect *current = m_peer->graphicsEffect();
    auto *opacity = dynamic_cast<OpacityEffect *>(current);
    if (m_opacity < 1.0) {
        if (!current) {
            opacity = new OpacityEffect(m_peer.data(), false);
            m_peer->setGraphicsEffect(opacity);
        }
        if (opacity)
            opacity->setOpacity(m_opacity);
    } else if (opacity && opacity->isHost()) {
        opacity->setOpacity(1.0);
    } else if (opacity) {
        m_peer->setGraphicsEffect(nullptr);
    }
}

void TControl::attachPeerToParent(bool inOrder)
{
    if (!m_peer)
        return;
    QWidget *container = peerParent();
    // A widget made straight into its container needs no move, only its
    // place; its visibility is set below, as for any other.
    const bool moved = m_peer->parentWidget() != container;
    if (moved) {
        m_peer->hide();
        m_peer->setParent(container);
    }
    if (moved || !m_peerPlaced) {
        m_peerPlaced = container != nullptr;
        pushGeometry();
        // Later siblings draw above earlier ones: stream order is drawing
        // order. A new child widget goes on top, which is right for the last.
        if (container && !inOrder && Parent() && Parent()->children().back() != this)
            for (TFmxObject *sibling : Parent()->children())
                if (auto *c = object_cast<TControl>(sibling); c && c->isRealized())
                    c->m_peer->raise();
    }
    // A widget without a parent would become a window of its own.
    m_peer->setVisible(container != nullptr && m_visible);
}

} // namespace vantor
