#include "moreclasses.h"

#include "framework/colors.h"
#include "framework/controls/menus.h"
#include "framework/controls/standard.h"

#include <QAction>
#include <QGraphicsBlurEffect>
#include <QGraphicsColorizeEffect>
#include <QGraphicsDropShadowEffect>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace vantor::fmxcommon {

VANTOR_IMPLEMENT_CLASS(THorzScrollBox)
VANTOR_IMPLEMENT_CLASS(TPresentedScrollBox)
VANTOR_IMPLEMENT_CLASS(TVertPresentedScrollBox)
VANTOR_IMPLEMENT_CLASS(THorzPresentedScrollBox)
VANTOR_IMPLEMENT_CLASS(TFramedScrollBox)
VANTOR_IMPLEMENT_CLASS(TFramedVertScrollBox)
VANTOR_IMPLEMENT_CLASS(TGridLayout)
VANTOR_IMPLEMENT_CLASS(TMenuBar)
VANTOR_IMPLEMENT_CLASS(TSearchBox)
VANTOR_IMPLEMENT_CLASS(TListBoxFooter)
VANTOR_IMPLEMENT_CLASS(TVisualEffect)
VANTOR_IMPLEMENT_CLASS(TListBoxGroupFooter)
VANTOR_IMPLEMENT_CLASS(TPaintedColumn)
VANTOR_IMPLEMENT_CLASS(TCheckColumn)
VANTOR_IMPLEMENT_CLASS(TDateColumn)
VANTOR_IMPLEMENT_CLASS(TTimeColumn)
VANTOR_IMPLEMENT_CLASS(TFloatColumn)
VANTOR_IMPLEMENT_CLASS(TCurrencyColumn)
VANTOR_IMPLEMENT_CLASS(TIntegerColumn)
VANTOR_IMPLEMENT_CLASS(TGlyphColumn)
VANTOR_IMPLEMENT_CLASS(TPopupColumn)
VANTOR_IMPLEMENT_CLASS(TMapView)

namespace {

const EnumInfo &gridOrientationInfo()
{
    static const EnumInfo info{"TOrientation", {"Horizontal", "Vertical"}, "or"};
    return info;
}
const EnumInfo &scrollAnimationInfo()
{
    static const EnumInfo info{"TBehaviorBoolean", {"Default", "True", "False"}, nullptr};
    return info;
}
const EnumInfo &scrollDirectionsInfo()
{
    static const EnumInfo info{"TScrollDirections", {"Both", "Horizontal", "Vertical"}, nullptr};
    return info;
}
const EnumInfo &touchTrackingInfo()
{
    static const EnumInfo info{"TTouchTracking", {"ttVertical", "ttHorizontal"}, nullptr};
    return info;
}

double storedNumber(const TObject &o, const char *name, double fallback)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    if (const auto *d = std::get_if<double>(&v))
        return *d;
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return double(*i);
    return fallback;
}

std::int64_t storedInteger(const TObject &o, const char *name, std::int64_t fallback)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    const auto *i = std::get_if<std::int64_t>(&v);
    return i ? *i : fallback;
}

QString storedText(const TObject &o, const char *name)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    const auto *s = std::get_if<QString>(&v);
    return s ? *s : QString();
}

// Limits a scroll area to one direction: the content is as wide (or as
// high) as the visible area, and that scroll bar is gone.
void keepOneDirection(TScrollBox &box, bool horizontal)
{
    auto *area = static_cast<QScrollArea *>(box.peer());
    QWidget *inner = box.containerWidget();
    if (horizontal) {
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (inner)
            inner->resize(inner->width(), area->viewport()->height());
    } else {
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (inner)
            inner->resize(area->viewport()->width(), inner->height());
    }
}

void frameLine(TScrollBox &box)
{
    auto *area = static_cast<QScrollArea *>(box.peer());
    area->setFrameShape(QFrame::Box);
    area->setLineWidth(1);
}

// ---------------------------------------------------------------------------
// Effects

#define EFFECT_CLASS(Name)                                                                                        \
    class Name : public TVisualEffect                                                                             \
    {                                                                                                             \
        VANTOR_CLASS(Name, TVisualEffect)                                                                         \
    public:                                                                                                       \
        explicit Name(TComponent *owner) : TVisualEffect(owner) {}                                                \
        static void DeclareProperties(ClassBuilder<Name> &b);                                                     \
        QGraphicsEffect *makeQtEffect(int &spread) const override;                                                \
    };                                                                                                            \
    VANTOR_IMPLEMENT_CLASS(Name)

EFFECT_CLASS(TGlowEffect)
EFFECT_CLASS(TInnerGlowEffect)
EFFECT_CLASS(TBlurEffect)
EFFECT_CLASS(TGaussianBlurEffect)
EFFECT_CLASS(TMonochromeEffect)
EFFECT_CLASS(TInvertEffect)
EFFECT_CLASS(TReflectionEffect)
EFFECT_CLASS(TBevelEffect)
EFFECT_CLASS(TSepiaEffect)
EFFECT_CLASS(TPixelateEffect)
EFFECT_CLASS(TBandsEffect)
EFFECT_CLASS(TTilerEffect)
EFFECT_CLASS(TPaperSketchEffect)
EFFECT_CLASS(TSwipeTransitionEffect)
EFFECT_CLASS(TRotateCrumpleTransitionEffect)
#undef EFFECT_CLASS

void publishGlow(auto &b)
{
    b.stored("Softness", PropKind::Float);
    b.stored("GlowColor", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("Opacity", PropKind::Float);
}

QColor glowColour(const TObject &effect, TAlphaColor fallback)
{
    QColor c = toQColor(IntToAlphaColor(storedInteger(effect, "GlowColor", std::int64_t(fallback))));
    c.setAlphaF(float(std::clamp(c.alphaF() * storedNumber(effect, "Opacity", 0.9), 0.0, 1.0)));
    return c;
}

void TGlowEffect::DeclareProperties(ClassBuilder<TGlowEffect> &b)
{
    publishGlow(b);
}
QGraphicsEffect *TGlowEffect::makeQtEffect(int &spread) const
{
    // A glow is a shadow that lies right under its control.
    auto *e = new QGraphicsDropShadowEffect;
    const double radius = std::clamp(storedNumber(*this, "Softness", 0.4) * 20, 2.0, 60.0);
    e->setBlurRadius(radius);
    e->setOffset(0, 0);
    e->setColor(glowColour(*this, 0xFFFFD700)); // gold, the framework's default glow
    spread = int(std::ceil(radius));
    return e;
}

void TInnerGlowEffect::DeclareProperties(ClassBuilder<TInnerGlowEffect> &b)
{
    publishGlow(b);
}
QGraphicsEffect *TInnerGlowEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr; // Qt has no glow inside the outline
}

void TBlurEffect::DeclareProperties(ClassBuilder<TBlurEffect> &b)
{
    b.stored("Softness", PropKind::Float);
}
QGraphicsEffect *TBlurEffect::makeQtEffect(int &spread) const
{
    auto *e = new QGraphicsBlurEffect;
    const double radius = std::clamp(storedNumber(*this, "Softness", 0.3) * 10, 1.0, 40.0);
    e->setBlurRadius(radius);
    spread = int(std::ceil(radius));
    return e;
}

void TGaussianBlurEffect::DeclareProperties(ClassBuilder<TGaussianBlurEffect> &b)
{
    b.stored("BlurAmount", PropKind::Float);
}
QGraphicsEffect *TGaussianBlurEffect::makeQtEffect(int &spread) const
{
    auto *e = new QGraphicsBlurEffect;
    const double radius = std::clamp(storedNumber(*this, "BlurAmount", 1) * 4, 1.0, 40.0);
    e->setBlurRadius(radius);
    e->setBlurHints(QGraphicsBlurEffect::QualityHint);
    spread = int(std::ceil(radius));
    return e;
}

void TMonochromeEffect::DeclareProperties(ClassBuilder<TMonochromeEffect> &) {}
QGraphicsEffect *TMonochromeEffect::makeQtEffect(int &spread) const
{
    auto *e = new QGraphicsColorizeEffect;
    e->setColor(QColor(0x80, 0x80, 0x80));
    e->setStrength(1.0);
    spread = 0;
    return e;
}

void TInvertEffect::DeclareProperties(ClassBuilder<TInvertEffect> &) {}
QGraphicsEffect *TInvertEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TReflectionEffect::DeclareProperties(ClassBuilder<TReflectionEffect> &b)
{
    b.stored("Length", PropKind::Float);
    b.stored("Offset", PropKind::Integer);
    b.stored("Opacity", PropKind::Float);
}
QGraphicsEffect *TReflectionEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TBevelEffect::DeclareProperties(ClassBuilder<TBevelEffect> &b)
{
    b.stored("Direction", PropKind::Float);
    b.stored("Size", PropKind::Integer);
}
QGraphicsEffect *TBevelEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

// Shader effects Qt has no counterpart for: read, and the parent is left
// as it is.
void TPixelateEffect::DeclareProperties(ClassBuilder<TPixelateEffect> &b)
{
    b.stored("BlockCount", PropKind::Float);
}
QGraphicsEffect *TPixelateEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TBandsEffect::DeclareProperties(ClassBuilder<TBandsEffect> &b)
{
    b.stored("BandDensity", PropKind::Float);
    b.stored("BandIntensity", PropKind::Float);
}
QGraphicsEffect *TBandsEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TTilerEffect::DeclareProperties(ClassBuilder<TTilerEffect> &b)
{
    for (const char *name : {"HorizontalTileCount", "VerticalTileCount", "HorizontalOffset", "VerticalOffset"})
        b.stored(name, PropKind::Float);
}
QGraphicsEffect *TTilerEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TPaperSketchEffect::DeclareProperties(ClassBuilder<TPaperSketchEffect> &b)
{
    b.stored("BrushSize", PropKind::Float);
}
QGraphicsEffect *TPaperSketchEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

// Transitions between the parent and a target picture, by Progress (0-100).
void TSwipeTransitionEffect::DeclareProperties(ClassBuilder<TSwipeTransitionEffect> &b)
{
    for (const char *name : {"Progress", "Deep", "CornerPoint.X", "CornerPoint.Y", "MousePoint.X", "MousePoint.Y"})
        b.stored(name, PropKind::Float);
    b.stored("Target.PNG", PropKind::Binary);
}
QGraphicsEffect *TSwipeTransitionEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TRotateCrumpleTransitionEffect::DeclareProperties(ClassBuilder<TRotateCrumpleTransitionEffect> &b)
{
    b.stored("Progress", PropKind::Float);
    b.stored("RandomSeed", PropKind::Float);
    b.stored("Target.PNG", PropKind::Binary);
}
QGraphicsEffect *TRotateCrumpleTransitionEffect::makeQtEffect(int &spread) const
{
    spread = 0;
    return nullptr;
}

void TSepiaEffect::DeclareProperties(ClassBuilder<TSepiaEffect> &b)
{
    b.stored("Amount", PropKind::Float);
}
QGraphicsEffect *TSepiaEffect::makeQtEffect(int &spread) const
{
    auto *e = new QGraphicsColorizeEffect;
    e->setColor(QColor(0x70, 0x42, 0x14));
    e->setStrength(std::clamp(storedNumber(*this, "Amount", 0.5), 0.0, 1.0));
    spread = 0;
    return e;
}

// Puts one effect on its host's widget; the spread it needs, or -1 when
// Qt cannot draw it or it is off.
int putOn(const TVisualEffect &effect, TControl &host)
{
    if (!effect.Enabled())
        return -1;
    int spread = 0;
    QGraphicsEffect *qt = effect.makeQtEffect(spread);
    if (!qt)
        return -1;
    // The widget owns its effect (one at a time: the last effect wins).
    host.peer()->setGraphicsEffect(qt);
    return spread;
}

// ---------------------------------------------------------------------------
// Animations beyond the float and colour ones

// What every animation publishes comes from the framework's TAnimation.
#define ANIMATION_CLASS(Name)                                                                                     \
    class Name : public TAnimation                                                                                \
    {                                                                                                             \
        VANTOR_CLASS(Name, TAnimation)                                                                            \
    public:                                                                                                       \
        explicit Name(TComponent *owner) : TAnimation(owner) {}                                                   \
        static void DeclareProperties(ClassBuilder<Name> &b);                                                     \
    };                                                                                                            \
    VANTOR_IMPLEMENT_CLASS(Name)

ANIMATION_CLASS(TRectAnimation)
ANIMATION_CLASS(TPathAnimation)
ANIMATION_CLASS(TBitmapAnimation)
ANIMATION_CLASS(TBitmapListAnimation)
#undef ANIMATION_CLASS

// The key animations' Keys: a collection of (Key, Value) items.
class TKeyItem : public TCollectionItem
{
    VANTOR_CLASS(TKeyItem, TCollectionItem)
public:
    TKeyItem() = default;
    static void DeclareProperties(ClassBuilder<TKeyItem> &b)
    {
        b.stored("Key", PropKind::Float);
        b.stored("Value", PropKind::Float);
    }
};
VANTOR_IMPLEMENT_CLASS(TKeyItem)

class TColorKeyItem : public TCollectionItem
{
    VANTOR_CLASS(TColorKeyItem, TCollectionItem)
public:
    TColorKeyItem() = default;
    static void DeclareProperties(ClassBuilder<TColorKeyItem> &b)
    {
        b.stored("Key", PropKind::Float);
        b.stored("Value", PropKind::Integer, nullptr, &colorIdentToInt);
    }
};
VANTOR_IMPLEMENT_CLASS(TColorKeyItem)


// Animations through keys: Keys holds (Key, Value) items.
template<class Item> class TKeyAnimationOf : public TAnimation
{
public:
    explicit TKeyAnimationOf(TComponent *owner)
        : TAnimation(owner), m_keys(std::make_unique<TCollection>(Item::StaticClass()))
    {
    }
    TCollection *Keys() const { return m_keys.get(); }

private:
    std::unique_ptr<TCollection> m_keys;
};

class TFloatKeyAnimation : public TKeyAnimationOf<TKeyItem>
{
    VANTOR_CLASS(TFloatKeyAnimation, TKeyAnimationOf<TKeyItem>)
public:
    explicit TFloatKeyAnimation(TComponent *owner) : TKeyAnimationOf(owner) {}
    static void DeclareProperties(ClassBuilder<TFloatKeyAnimation> &b);
};
VANTOR_IMPLEMENT_CLASS(TFloatKeyAnimation)

class TColorKeyAnimation : public TKeyAnimationOf<TColorKeyItem>
{
    VANTOR_CLASS(TColorKeyAnimation, TKeyAnimationOf<TColorKeyItem>)
public:
    explicit TColorKeyAnimation(TComponent *owner) : TKeyAnimationOf(owner) {}
    static void DeclareProperties(ClassBuilder<TColorKeyAnimation> &b);
};
VANTOR_IMPLEMENT_CLASS(TColorKeyAnimation)


void TRectAnimation::DeclareProperties(ClassBuilder<TRectAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    for (const char *side : {"Left", "Top", "Right", "Bottom"}) {
        b.stored(qstrdup((QByteArray("StartValue.") + side).constData()), PropKind::Float);
        b.stored(qstrdup((QByteArray("StopValue.") + side).constData()), PropKind::Float);
    }
}
void TPathAnimation::DeclareProperties(ClassBuilder<TPathAnimation> &b)
{
    b.stored("Path.Data", PropKind::String);
    b.stored("Path.Path", PropKind::Binary);
    b.stored("Rotate", PropKind::Boolean);
}
void TFloatKeyAnimation::DeclareProperties(ClassBuilder<TFloatKeyAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    b.collection("Keys", &TFloatKeyAnimation::Keys);
}
void TColorKeyAnimation::DeclareProperties(ClassBuilder<TColorKeyAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    b.collection("Keys", &TColorKeyAnimation::Keys);
}
void TBitmapAnimation::DeclareProperties(ClassBuilder<TBitmapAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartValue.PNG", PropKind::Binary);
    b.stored("StopValue.PNG", PropKind::Binary);
}
void TBitmapListAnimation::DeclareProperties(ClassBuilder<TBitmapListAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("AnimationBitmap.PNG", PropKind::Binary);
    b.stored("AnimationCount", PropKind::Integer);
    b.stored("AnimationRowCount", PropKind::Integer);
}

QPixmap magnifier(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0x60, 0x60, 0x68), std::max(1.5, size / 9.0));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    const double r = size * 0.3;
    const QPointF c(size * 0.42, size * 0.42);
    p.drawEllipse(c, r, r);
    p.drawLine(c + QPointF(r * 0.72, r * 0.72), QPointF(size * 0.88, size * 0.88));
    return pm;
}

} // namespace

// ---------------------------------------------------------------------------
// Scroll boxes

void THorzScrollBox::updatePeer()
{
    TScrollBox::updatePeer();
    keepOneDirection(*this, true);
}

void TPresentedScrollBox::DeclareProperties(ClassBuilder<TPresentedScrollBox> &b)
{
    b.stored("AutoCalculateContentSize", PropKind::Boolean);
    b.stored("ContentSize.Width", PropKind::Float);
    b.stored("ContentSize.Height", PropKind::Float);
    b.stored("ScrollAnimation", PropKind::Enumeration, &scrollAnimationInfo());
    b.stored("ScrollDirections", PropKind::Enumeration, &scrollDirectionsInfo());
    b.stored("TouchTracking", PropKind::Set, &touchTrackingInfo());
    b.stored("AniCalculations.AutoShowing", PropKind::Boolean);
    b.stored("OnCalcContentSize", PropKind::Method);
}

void TPresentedScrollBox::updatePeer()
{
    TScrollBox::updatePeer();
    QWidget *inner = containerWidget();
    const PropValue autoSize = storedValue(QStringLiteral("AutoCalculateContentSize"));
    const bool fixed = std::holds_alternative<bool>(autoSize) && !std::get<bool>(autoSize);
    if (inner && fixed) {
        const double w = storedNumber(*this, "ContentSize.Width", inner->width());
        const double h = storedNumber(*this, "ContentSize.Height", inner->height());
        inner->resize(std::max(1, int(std::ceil(w))), std::max(1, int(std::ceil(h))));
    }
    const std::int64_t directions = storedInteger(*this, "ScrollDirections", 0);
    if (directions == 1)
        keepOneDirection(*this, true);
    else if (directions == 2)
        keepOneDirection(*this, false);
}

void TVertPresentedScrollBox::updatePeer()
{
    TPresentedScrollBox::updatePeer();
    keepOneDirection(*this, false);
}

void THorzPresentedScrollBox::updatePeer()
{
    TPresentedScrollBox::updatePeer();
    keepOneDirection(*this, true);
}

void TFramedScrollBox::updatePeer()
{
    TScrollBox::updatePeer();
    frameLine(*this);
}

void TFramedVertScrollBox::updatePeer()
{
    TVertScrollBox::updatePeer();
    frameLine(*this);
}

// ---------------------------------------------------------------------------
// Grid layout

void TGridLayout::DeclareProperties(ClassBuilder<TGridLayout> &b)
{
    b.floating("ItemWidth", &TGridLayout::ItemWidth, &TGridLayout::SetItemWidth);
    b.floating("ItemHeight", &TGridLayout::ItemHeight, &TGridLayout::SetItemHeight);
    b.enumeration("Orientation", gridOrientationInfo(), &TGridLayout::Orientation, &TGridLayout::SetOrientation);
}

void TGridLayout::arrangeChildren()
{
    const TBounds *pad = Padding();
    const double left = pad->Left();
    const double top = pad->Top();
    const double right = Width() - pad->Right();
    const double bottom = Height() - pad->Bottom();
    if (m_itemWidth <= 0 || m_itemHeight <= 0)
        return;
    double x = left;
    double y = top;
    for (TControl *c : visibleControls()) {
        if (m_orientation == 0) {
            if (x > left && x + m_itemWidth > right + 0.001) {
                x = left;
                y += m_itemHeight;
            }
        } else if (y > top && y + m_itemHeight > bottom + 0.001) {
            y = top;
            x += m_itemWidth;
        }
        // Each child fills its cell, less its margins.
        c->SetAlign(TAlignLayout::None);
        const TBounds *m = c->Margins();
        c->SetBounds(x + m->Left(), y + m->Top(), std::max(0.0, m_itemWidth - m->Left() - m->Right()),
                     std::max(0.0, m_itemHeight - m->Top() - m->Bottom()));
        if (m_orientation == 0)
            x += m_itemWidth;
        else
            y += m_itemHeight;
    }
}

// ---------------------------------------------------------------------------
// Menu bar and search box

void TMenuBar::DeclareProperties(ClassBuilder<TMenuBar> &b)
{
    b.stored("Images", PropKind::Component);
    b.stored("UseOSMenu", PropKind::Boolean);
}

QWidget *TMenuBar::createPeer()
{
    auto *bar = new QMenuBar(peerParent());
    bar->setNativeMenuBar(false);
    return bar;
}

void TMenuBar::Loaded()
{
    TControl::Loaded();
    auto *bar = static_cast<QMenuBar *>(peer());
    bar->clear();
    for (TFmxObject *child : children())
        if (auto *item = object_cast<TMenuItem>(child))
            item->addTo(bar);
}

QWidget *TSearchBox::createPeer()
{
    QWidget *peer = TEdit::createPeer();
    if (auto *edit = qobject_cast<QLineEdit *>(peer))
        edit->addAction(QIcon(magnifier(16)), QLineEdit::LeadingPosition);
    return peer;
}

// ---------------------------------------------------------------------------

int applyEffects(TFmxObject *root)
{
    int rootSpread = 0;
    if (!root)
        return 0;
    for (TFmxObject *child : root->children()) {
        if (auto *effect = object_cast<TVisualEffect>(child)) {
            if (auto *host = object_cast<TControl>(root)) {
                const int spread = putOn(*effect, *host);
                rootSpread = std::max(rootSpread, spread);
            }
        } else {
            applyEffects(child);
        }
    }
    return rootSpread;
}

bool applyEffectToHost(TComponent *component, TComponent *container)
{
    auto *effect = object_cast<TVisualEffect>(component);
    if (!effect)
        return false;
    if (!container)
        return true;
    // The viewer's placeholder has the effect's name with "2222" appended
    // (or its own name where that was taken) and the text "@" + class.
    const QString marker = QLatin1Char('@') + component->ClassName();
    for (const QString &name : {component->Name() + QStringLiteral("2222"), component->Name()}) {
        TComponent *found = container->FindComponent(name);
        auto *label = object_cast<TLabel>(found);
        if (!label || label->Text() != marker)
            continue;
        if (auto *host = object_cast<TControl>(label->Parent()))
            putOn(*effect, *host);
        break;
    }
    return true;
}

// ---------------------------------------------------------------------------
// List box group footer, grid columns

void TListBoxGroupFooter::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, QColor(0xEC, 0xEC, 0xEF));
    painter.setPen(QColor(0xC8, 0xC8, 0xCE));
    painter.drawLine(rect.topLeft(), rect.topRight());
    QFont font = TextSettings()->Font()->toQFont(painter.font());
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.85));
    painter.setFont(font);
    painter.setPen(QColor(0x60, 0x60, 0x68));
    painter.drawText(rect.adjusted(8, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, Text());
}

void TPaintedColumn::paint(QPainter &painter, const QRectF &rect)
{
    const double header = std::min(24.0, rect.height());
    painter.fillRect(rect, Qt::white);
    const QRectF head(rect.left(), rect.top(), rect.width(), header);
    painter.fillRect(head, QColor(0xF0, 0xF0, 0xF0));
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    for (double y = head.bottom() + 21; y < rect.bottom(); y += 22)
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    painter.drawLine(head.bottomLeft(), head.bottomRight());
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.drawText(head.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, Header());
}

void TCheckColumn::DeclareProperties(ClassBuilder<TCheckColumn> &) {}
void TIntegerColumn::DeclareProperties(ClassBuilder<TIntegerColumn> &) {}

void TDateColumn::DeclareProperties(ClassBuilder<TDateColumn> &b)
{
    b.stored("Format", PropKind::String);
    b.stored("ShowClearButton", PropKind::Boolean);
}

void TTimeColumn::DeclareProperties(ClassBuilder<TTimeColumn> &b)
{
    b.stored("Format", PropKind::String);
    b.stored("ShowClearButton", PropKind::Boolean);
}

void TFloatColumn::DeclareProperties(ClassBuilder<TFloatColumn> &b)
{
    b.stored("DecimalDigits", PropKind::Integer);
    b.stored("ShowThousandSeparator", PropKind::Boolean);
}

void TCurrencyColumn::DeclareProperties(ClassBuilder<TCurrencyColumn> &b)
{
    b.stored("DecimalDigits", PropKind::Integer);
    b.stored("ShowThousandSeparator", PropKind::Boolean);
}

void TGlyphColumn::DeclareProperties(ClassBuilder<TGlyphColumn> &b)
{
    b.stored("Images", PropKind::Component);
}

TPopupColumn::TPopupColumn(TComponent *owner) : TPaintedColumn(owner), m_items(std::make_unique<TStrings>()) {}

void TPopupColumn::DeclareProperties(ClassBuilder<TPopupColumn> &b)
{
    b.strings("Items", &TPopupColumn::Items);
}

// ---------------------------------------------------------------------------
// Map view

namespace {
const EnumInfo &mapTypeInfo()
{
    static const EnumInfo info{"TMapType", {"None", "Normal", "Satellite", "Hybrid", "Terrain"}, nullptr};
    return info;
}
const EnumInfo &mapLayerOptionInfo()
{
    static const EnumInfo info{"TMapLayerOption", {"PointsOfInterest", "Buildings", "UserLocation", "Traffic"}, nullptr};
    return info;
}
const EnumInfo &mapControlOptionInfo()
{
    static const EnumInfo info{"TMapControlOption", {"Zoom", "Compass", "MyLocation"}, nullptr};
    return info;
}
const EnumInfo &mapGestureOptionInfo()
{
    static const EnumInfo info{"TMapGestureOption", {"Zoom", "Tilt", "Scroll", "Rotate"}, nullptr};
    return info;
}
} // namespace

void TMapView::DeclareProperties(ClassBuilder<TMapView> &b)
{
    b.enumeration("MapType", mapTypeInfo(), &TMapView::MapType, &TMapView::SetMapType);
    b.stored("LayerOptions", PropKind::Set, &mapLayerOptionInfo());
    b.stored("ControlOptions", PropKind::Set, &mapControlOptionInfo());
    b.stored("GestureOptions", PropKind::Set, &mapGestureOptionInfo());
    b.stored("Zoom", PropKind::Float);
    b.stored("Bearing", PropKind::Float);
    b.stored("Tilt", PropKind::Float);
    for (const char *e : {"OnMapClick", "OnMapDoubleClick", "OnMapLongClick", "OnMarkerClick", "OnMarkerDoubleClick",
                          "OnMarkerDragStart", "OnMarkerDrag", "OnMarkerDragEnd", "OnCameraChanged"})
        b.event(e);
}

void TMapView::paint(QPainter &painter, const QRectF &rect)
{
    if (m_mapType == 0) {
        painter.fillRect(rect, QColor(0xE0, 0xE0, 0xE0));
        return;
    }
    const bool satellite = m_mapType == 2 || m_mapType == 3;
    const QColor land = satellite ? QColor(0x5A, 0x6B, 0x45) : m_mapType == 4 ? QColor(0xE8, 0xE0, 0xC8) : QColor(0xF2, 0xEF, 0xE9);
    const QColor water = satellite ? QColor(0x1E, 0x3A, 0x5A) : QColor(0xAA, 0xD3, 0xDF);
    painter.fillRect(rect, land);
    painter.setRenderHint(QPainter::Antialiasing);
    // A river from the top left to the bottom right.
    QPainterPath river;
    river.moveTo(rect.left(), rect.top() + rect.height() * 0.25);
    river.cubicTo(rect.left() + rect.width() * 0.35, rect.top() + rect.height() * 0.1,
                  rect.left() + rect.width() * 0.45, rect.top() + rect.height() * 0.9, rect.right(),
                  rect.top() + rect.height() * 0.7);
    painter.setPen(QPen(water, std::max(6.0, std::min(rect.width(), rect.height()) / 12), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(river);
    if (m_mapType != 2) {
        const QColor road = satellite ? QColor(0xE8, 0xD8, 0x80) : Qt::white;
        painter.setPen(QPen(road, 3));
        for (double x = rect.left() + rect.width() / 5; x < rect.right(); x += rect.width() / 3)
            painter.drawLine(QPointF(x, rect.top()), QPointF(x + rect.width() / 10, rect.bottom()));
        for (double y = rect.top() + rect.height() / 4; y < rect.bottom(); y += rect.height() / 3)
            painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y - rect.height() / 12));
    }
}

const std::vector<const char *> &moreClassNames()
{
    static const std::vector<const char *> names = {
        "THorzScrollBox",   "TPresentedScrollBox", "TVertPresentedScrollBox", "THorzPresentedScrollBox",
        "TFramedScrollBox", "TFramedVertScrollBox", "TGridLayout",           "TMenuBar",
        "TSearchBox",       "TListBoxFooter",      "TGlowEffect",             "TInnerGlowEffect",
        "TBlurEffect",      "TGaussianBlurEffect", "TMonochromeEffect",       "TInvertEffect",
        "TReflectionEffect", "TBevelEffect",       "TSepiaEffect",            "TRectAnimation",
        "TPathAnimation",   "TFloatKeyAnimation",  "TColorKeyAnimation",      "TBitmapAnimation",
        "TBitmapListAnimation", "TListBoxGroupFooter", "TCheckColumn",
        "TDateColumn",      "TTimeColumn",         "TFloatColumn",            "TCurrencyColumn",
        "TIntegerColumn",   "TGlyphColumn",        "TPopupColumn",            "TMapView",
        "TPixelateEffect",  "TBandsEffect",        "TTilerEffect",            "TPaperSketchEffect",
        "TSwipeTransitionEffect", "TRotateCrumpleTransitionEffect",
    };
    return names;
}

void registerMoreClasses()
{
    RegisterClasses<THorzScrollBox, TPresentedScrollBox, TVertPresentedScrollBox, THorzPresentedScrollBox,
                    TFramedScrollBox, TFramedVertScrollBox, TGridLayout, TMenuBar, TSearchBox, TListBoxFooter,
                    TGlowEffect, TInnerGlowEffect, TBlurEffect, TGaussianBlurEffect, TMonochromeEffect, TInvertEffect,
                    TReflectionEffect, TBevelEffect, TSepiaEffect, TRectAnimation, TPathAnimation,
                    TFloatKeyAnimation, TColorKeyAnimation, TBitmapAnimation, TBitmapListAnimation,
                    TListBoxGroupFooter, TCheckColumn, TDateColumn, TTimeColumn, TFloatColumn,
                    TCurrencyColumn, TIntegerColumn, TGlyphColumn, TPopupColumn, TMapView, TPixelateEffect, TBandsEffect, TTilerEffect,
                    TPaperSketchEffect, TSwipeTransitionEffect, TRotateCrumpleTransitionEffect>();
}

QStringList moreCaption(TComponent *component)
{
    const bool animation = object_cast<TRectAnimation>(component) || object_cast<TPathAnimation>(component) ||
                           object_cast<TFloatKeyAnimation>(component) || object_cast<TColorKeyAnimation>(component) ||
                           object_cast<TBitmapAnimation>(component) || object_cast<TBitmapListAnimation>(component);
    if (!animation)
        return {};
    QStringList lines{component->ClassName(), component->Name()};
    const QString property = storedText(*component, "PropertyName");
    if (!property.isEmpty())
        lines << QStringLiteral("Eigenschaft: ") + property;
    lines << QStringLiteral("Dauer: %1 s").arg(storedNumber(*component, "Duration", 0.2));
    return lines;
}

} // namespace vantor::fmxcommon
