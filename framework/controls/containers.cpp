#include "framework/controls/containers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TContent)
VANTOR_IMPLEMENT_CLASS(TSplitter)
VANTOR_IMPLEMENT_CLASS(TScrollBox)
VANTOR_IMPLEMENT_CLASS(TVertScrollBox)
VANTOR_IMPLEMENT_CLASS(TExpander)
VANTOR_IMPLEMENT_CLASS(TGroupBox)
VANTOR_IMPLEMENT_CLASS(TCalloutPanel)

const EnumInfo &orientationInfo()
{
    static const EnumInfo info{"TOrientation", {"Horizontal", "Vertical"}, "or"};
    return info;
}

const EnumInfo &calloutPositionInfo()
{
    static const EnumInfo info{"TCalloutPosition", {"Top", "Left", "Bottom", "Right"}, "cp"};
    return info;
}

QFont styledFont(const TTextSettings &settings, unsigned styled, const QFont &base)
{
    const TFont *font = settings.Font();
    QFont f = base;
    if (!(styled & (1u << ssFamily)) && !font->Family().isEmpty())
        f.setFamily(font->Family());
    if (!(styled & (1u << ssSize)) && font->Size() > 0)
        f.setPointSizeF(font->Size() * 0.75); // sizes are pixels at 96 dpi
    if (!(styled & (1u << ssStyle))) {
        const QFont s = font->toQFont(f);
        f.setBold(s.bold());
        f.setItalic(s.italic());
        f.setUnderline(s.underline());
        f.setStrikeOut(s.strikeOut());
    }
    return f;
}

void applyTextLook(QWidget *widget, const QFont &font, bool ownColor, TAlphaColor color)
{
    widget->setFont(font);
    QPalette pal = widget->palette();
    const QColor c = ownColor ? toQColor(color) : QColor(Qt::black);
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::ButtonText, c);
    pal.setColor(QPalette::Text, c);
    widget->setPalette(pal);
}

// ---------------------------------------------------------------------------

TContent::TContent(TComponent *owner) : TControl(owner)
{
    SetAlign(TAlignLayout::Client);
}

// ---------------------------------------------------------------------------

TSplitter::TSplitter(TComponent *owner) : TControl(owner)
{
    SetCursor(-14); // crHSplit, as a new splitter has
}

void TSplitter::DeclareProperties(ClassBuilder<TSplitter> &b)
{
    publishHelp(b);
    b.floating("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize);
    b.boolean("ShowGrip", &TSplitter::ShowGrip, &TSplitter::SetShowGrip);
    input::publishTouchTargetExpansion(b);
}

void TSplitter::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, QColor(0xE6, 0xE6, 0xE6));
    if (!m_showGrip)
        return;
    // Three dots across the middle, along the bar.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    const QPointF c = rect.center();
    const bool vertical = rect.height() >= rect.width();
    for (int i = -1; i <= 1; ++i) {
        const QPointF p = vertical ? QPointF(c.x(), c.y() + i * 5) : QPointF(c.x() + i * 5, c.y());
        painter.drawEllipse(p, 1.2, 1.2);
    }
}

// ---------------------------------------------------------------------------

namespace {

// Tells the scroll box when the area it shows changes size, so the inner
// widget can follow.
class ScrollPeer : public QScrollArea
{
public:
    ScrollPeer() = default;
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QScrollArea::resizeEvent(event);
        if (onResize)
            onResize();
    }
};

} // namespace

TScrollBox::TScrollBox(TComponent *owner) : TControl(owner)
{
    SetClipChildren(true);
}

void TScrollBox::DeclareProperties(ClassBuilder<TScrollBox> &b)
{
    publishHelp(b);
    b.boolean("AutoHide", &TScrollBox::AutoHide, &TScrollBox::SetAutoHide);
    b.boolean("ShowScrollBars", &TScrollBox::ShowScrollBars, &TScrollBox::SetShowScrollBars);
    b.stored("DisableMouseWheel", PropKind::Boolean);
    b.stored("Bounces", PropKind::Boolean);
    b.stored("EnabledScroll", PropKind::Boolean);
    b.stored("ShowSizeGrip", PropKind::Boolean);
    // Older scroll boxes: thin scroll bars and scrolling while the mouse is held.
    b.stored("UseSmallScrollBars", PropKind::Boolean);
    b.stored("MouseTracking", PropKind::Boolean);
    b.stored("ControlType", PropKind::Enumeration, &input::controlTypeInfo());
    b.stored("Viewport.Width", PropKind::Float);
    b.stored("Viewport.Height", PropKind::Float);
    b.event("OnViewportPositionChange");
    b.event("OnCalcContentBounds");
}

QSizeF TScrollBox::contentSize() const
{
    QRectF extent(QPointF(0, 0), Size()->size());
    for (TFmxObject *child : children())
        if (auto *c = object_cast<TControl>(child); c && c->Visible()) {
            const QMarginsF m = c->Margins()->margins();
            extent = extent.united(c->BoundsRect().adjusted(0, 0, m.right() + Padding()->Right(),
                                                            m.bottom() + Padding()->Bottom()));
        }
    QSizeF size = extent.size();
    if (!scrollsHorizontally())
        size.setWidth(Width());
    return size;
}

QWidget *TScrollBox::createPeer()
{
    auto *area = new ScrollPeer();
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    auto *inner = new QWidget();
    inner->setAttribute(Qt::WA_NoMousePropagation, false);
    area->setWidget(inner);
    m_inner = inner;
    area->onResize = [this] { updatePeer(); };
    return area;
}

QWidget *TScrollBox::containerWidget()
{
    peer();
    return m_inner.data();
}

void TScrollBox::updatePeer()
{
    auto *area = static_cast<QScrollArea *>(peer());
    const Qt::ScrollBarPolicy shown = m_autoHide ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
    area->setVerticalScrollBarPolicy(m_showScrollBars ? shown : Qt::ScrollBarAlwaysOff);
    area->setHorizontalScrollBarPolicy(m_showScrollBars && scrollsHorizontally() ? shown : Qt::ScrollBarAlwaysOff);
    if (m_inner) {
        QSizeF size = contentSize();
        if (!scrollsHorizontally())
            size.setWidth(area->viewport()->width());
        m_inner->resize(qCeil(size.width()), qCeil(size.height()));
    }
}

void TScrollBox::childLayoutChanged()
{
    TControl::childLayoutChanged();
    peerChanged();
}

void TScrollBox::Loaded()
{
    TControl::Loaded();
    peerChanged();
}

// ---------------------------------------------------------------------------

namespace {

class ExpanderPeer : public QWidget
{
public:
    explicit ExpanderPeer(TExpander *expander)
    {
        header = new QToolButton(this);
        header->setAutoRaise(true);
        header->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        header->setCheckable(false);
        check = new QCheckBox(this);
        QObject::connect(header, &QToolButton::clicked, [expander] { expander->SetIsExpanded(!expander->IsExpanded()); });
        QObject::connect(check, &QCheckBox::toggled, [expander](bool on) { expander->SetIsChecked(on); });
    }
    QToolButton *header;
    QCheckBox *check;

protected:
    void resizeEvent(QResizeEvent *) override { place(); }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QColor(0xB4, 0xB4, 0xB4));
        p.setBrush(QColor(0xF0, 0xF0, 0xF0));
        p.drawRect(QRectF(0.5, 0.5, width() - 1, TExpander::kHeaderHeight - 1));
    }

public:
    void place()
    {
        const int h = int(TExpander::kHeaderHeight);
        int x = 0;
        if (check->isVisible()) {
            check->setGeometry(4, 0, 20, h);
            x = 24;
        }
        header->setGeometry(x, 0, std::max(0, width() - x), h);
    }
};

} // namespace

TExpander::TExpander(TComponent *owner) : TTextControl(owner), m_content(new TContent(this))
{
    m_content->Margins()->SetTop(kHeaderHeight);
    m_content->SetParent(this);
}

void TExpander::DeclareProperties(ClassBuilder<TExpander> &b)
{
    publishHelp(b);
    b.boolean("IsExpanded", &TExpander::IsExpanded, &TExpander::SetIsExpanded);
    b.boolean("ShowCheck", &TExpander::ShowCheck, &TExpander::SetShowCheck);
    b.boolean("IsChecked", &TExpander::IsChecked, &TExpander::SetIsChecked);
    b.string("ContentSize", &TExpander::ContentSize, &TExpander::SetContentSize);
    b.event("OnExpandedChanged");
    b.event("OnCheckChange");
}

void TExpander::childAdded(TFmxObject *child)
{
    // Children read from a form go into the body, as they are placed there.
    if (child != m_content) {
        child->SetParent(m_content);
        return;
    }
    TTextControl::childAdded(child);
}

void TExpander::SetIsExpanded(bool v)
{
    if (v == m_expanded)
        return;
    m_expanded = v;
    m_content->SetVisible(v);
    if (!isLoading()) {
        if (!v) {
            m_expandedHeight = Height();
            SetHeight(kHeaderHeight);
        } else {
            bool ok = false;
            const double body = m_contentSize.toDouble(&ok);
            double h = m_expandedHeight > kHeaderHeight ? m_expandedHeight : kHeaderHeight + (ok ? body : 0);
            SetHeight(h);
        }
    }
    peerChanged();
}

QWidget *TExpander::createPeer()
{
    return new ExpanderPeer(this);
}

void TExpander::updatePeer()
{
    auto *p = static_cast<ExpanderPeer *>(peer());
    p->header->setText(Text());
    p->header->setArrowType(m_expanded ? Qt::DownArrow : Qt::RightArrow);
    applyTextLook(p->header, peerFont(QFont()), usesOwnFontColor(), TextSettings()->FontColor());
    p->check->setVisible(m_showCheck);
    {
        const QSignalBlocker block(p->check);
        p->check->setChecked(m_checked);
    }
    p->place();
}

// ---------------------------------------------------------------------------

void TGroupBox::DeclareProperties(ClassBuilder<TGroupBox> &b)
{
    publishHelp(b);
}

QWidget *TGroupBox::createPeer()
{
    return new QGroupBox(peerParent());
}

void TGroupBox::updatePeer()
{
    auto *box = static_cast<QGroupBox *>(peer());
    box->setTitle(Text());
    box->setAlignment(TextSettings()->qtAlignment() & Qt::AlignHorizontal_Mask);
    applyTextLook(box, peerFont(QFont()), usesOwnFontColor(), TextSettings()->FontColor());
}

// ---------------------------------------------------------------------------

void TCalloutPanel::DeclareProperties(ClassBuilder<TCalloutPanel> &b)
{
    publishHelp(b);
    b.enumeration("CalloutPosition", calloutPositionInfo(), &TCalloutPanel::CalloutPosition,
                  &TCalloutPanel::SetCalloutPosition);
    b.floating("CalloutWidth", &TCalloutPanel::CalloutWidth, &TCalloutPanel::SetCalloutWidth);
    b.floating("CalloutLength", &TCalloutPanel::CalloutLength, &TCalloutPanel::SetCalloutLength);
    b.floating("CalloutOffset", &TCalloutPanel::CalloutOffset, &TCalloutPanel::SetCalloutOffset);
}

QPainterPath calloutPath(const QRectF &outer, TCalloutPosition position, double width, double length,
                         double offset, double xRadius, double yRadius)
{
    const double deep = std::clamp(length, 0.0, std::min(outer.width(), outer.height()) / 2);
    QRectF body = outer;
    switch (position) {
    case TCalloutPosition::Left: body.setLeft(outer.left() + deep); break;
    case TCalloutPosition::Bottom: body.setBottom(outer.bottom() - deep); break;
    case TCalloutPosition::Right: body.setRight(outer.right() - deep); break;
    case TCalloutPosition::Top: body.setTop(outer.top() + deep); break;
    }
    const bool horizontalSide = position == TCalloutPosition::Top || position == TCalloutPosition::Bottom;
    const double side = horizontalSide ? body.width() : body.height();
    const double half = std::min(std::max(0.0, width), side) / 2;
    const double centre = offset == 0 ? side / 2 : offset > 0 ? offset + half : side + offset - half;
    QPolygonF tip;
    switch (position) {
    case TCalloutPosition::Left:
        tip << QPointF(body.left(), body.top() + centre - half) << QPointF(outer.left(), body.top() + centre)
            << QPointF(body.left(), body.top() + centre + half);
        break;
    case TCalloutPosition::Bottom:
        tip << QPointF(body.left() + centre - half, body.bottom()) << QPointF(body.left() + centre, outer.bottom())
            << QPointF(body.left() + centre + half, body.bottom());
        break;
    case TCalloutPosition::Right:
        tip << QPointF(body.right(), body.top() + centre - half) << QPointF(outer.right(), body.top() + centre)
            << QPointF(body.right(), body.top() + centre + half);
        break;
    case TCalloutPosition::Top:
        tip << QPointF(body.left() + centre - half, body.top()) << QPointF(body.left() + centre, outer.top())
            << QPointF(body.left() + centre + half, body.top());
        break;
    }
    QPainterPath path;
    path.addRoundedRect(body, xRadius, yRadius);
    QPainterPath pointer;
    pointer.addPolygon(tip);
    pointer.closeSubpath();
    return path.united(pointer);
}

void TCalloutPanel::paint(QPainter &painter, const QRectF &rect)
{
    const QPainterPath path =
        calloutPath(rect.adjusted(0.5, 0.5, -0.5, -0.5), m_position, m_width, m_length, m_offset);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xB4, 0xB4, 0xB4));
    painter.setBrush(QColor(0xF0, 0xF0, 0xF0));
    painter.drawPath(path);
}

} // namespace vantor
