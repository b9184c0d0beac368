#include "framework/controls/styleparts.h"

#include "framework/colors.h"
#include "framework/controls/images.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/standard.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TText)
VANTOR_IMPLEMENT_CLASS(TEllipse)
VANTOR_IMPLEMENT_CLASS(TCircle)
VANTOR_IMPLEMENT_CLASS(TRoundRect)
VANTOR_IMPLEMENT_CLASS(TBitmapLink)
VANTOR_IMPLEMENT_CLASS(TStyleObject)
VANTOR_IMPLEMENT_CLASS(TActiveStyleObject)
VANTOR_IMPLEMENT_CLASS(TCheckStyleObject)
VANTOR_IMPLEMENT_CLASS(TTabStyleObject)
VANTOR_IMPLEMENT_CLASS(TTintedStyleObject)
VANTOR_IMPLEMENT_CLASS(TSystemButtonObject)
VANTOR_IMPLEMENT_CLASS(TButtonStyleObject)
VANTOR_IMPLEMENT_CLASS(TTintedButtonStyleObject)
VANTOR_IMPLEMENT_CLASS(TStyleTextObject)
VANTOR_IMPLEMENT_CLASS(TActiveStyleTextObject)
VANTOR_IMPLEMENT_CLASS(TButtonStyleTextObject)
VANTOR_IMPLEMENT_CLASS(TTabStyleTextObject)

TText::TText(TComponent *owner) : TControl(owner), m_textSettings(std::make_unique<TTextSettings>())
{
    m_textSettings->SetHorzAlign(TTextAlign::Center);
    m_textSettings->SetWordWrap(true);
    m_textSettings->onChange = [this] { peerChanged(); };
    // Texts let clicks through, as the framework's do.
    SetHitTest(false);
    SetWidth(120);
    SetHeight(17);
}

void TText::DeclareProperties(ClassBuilder<TText> &b)
{
    b.string("Text", &TText::Text, &TText::SetText);
    b.persistent("TextSettings", &TText::TextSettings);
    b.boolean("AutoSize", &TText::AutoSize, &TText::SetAutoSize);
    b.stored("Stretch", PropKind::Boolean);
    // Older styles set the text settings on the text itself.
    b.persistent("Font", [](TText &t) { return t.TextSettings()->Font(); });
    for (const char *name : {"Color", "FontColor"})
        b.integer(
            name, [](TText &t) { return std::int64_t(t.TextSettings()->FontColor()); },
            [](TText &t, std::int64_t v) { t.TextSettings()->SetFontColor(IntToAlphaColor(v)); }, &colorIdentToInt);
    b.enumeration(
        "HorzTextAlign", textAlignInfo(), [](TText &t) { return t.TextSettings()->HorzAlign(); },
        [](TText &t, TTextAlign a) { t.TextSettings()->SetHorzAlign(a); });
    b.enumeration(
        "VertTextAlign", textAlignInfo(), [](TText &t) { return t.TextSettings()->VertAlign(); },
        [](TText &t, TTextAlign a) { t.TextSettings()->SetVertAlign(a); });
    b.boolean(
        "WordWrap", [](TText &t) { return t.TextSettings()->WordWrap(); },
        [](TText &t, bool v) { t.TextSettings()->SetWordWrap(v); });
    b.enumeration(
        "Trimming", textTrimmingInfo(), [](TText &t) { return t.TextSettings()->Trimming(); },
        [](TText &t, TTextTrimming v) { t.TextSettings()->SetTrimming(v); });
}

void TText::SetText(const QString &text)
{
    m_text = text;
    peerChanged();
}

void TText::paint(QPainter &painter, const QRectF &rect)
{
    if (m_text.isEmpty())
        return;
    const TTextSettings &settings = *m_textSettings;
    painter.save();
    painter.setFont(settings.Font()->toQFont(QFont()));
    painter.setPen(toQColor(settings.FontColor()));
    QTextOption option(settings.qtAlignment());
    option.setWrapMode(settings.WordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    QString shown = m_text;
    if (settings.Trimming() != TTextTrimming::None && !settings.WordWrap())
        shown = painter.fontMetrics().elidedText(m_text, Qt::ElideRight, int(rect.width()));
    painter.drawText(rect, shown, option);
    painter.restore();
}

// ---------------------------------------------------------------------------

void TEllipse::DeclareProperties(ClassBuilder<TEllipse> &b)
{
    b.persistent("Fill", &TShape::Fill);
    b.persistent("Stroke", &TShape::Stroke);
}

void TEllipse::paint(QPainter &painter, const QRectF &rect)
{
    // A rounded rectangle whose radii are half its sides is its ellipse.
    Fill()->fill(painter, rect, rect.width() / 2, rect.height() / 2);
    Stroke()->stroke(painter, rect, rect.width() / 2, rect.height() / 2);
}

void TCircle::paint(QPainter &painter, const QRectF &rect)
{
    const double side = std::min(rect.width(), rect.height());
    TEllipse::paint(painter, QRectF(rect.center() - QPointF(side / 2, side / 2), QSizeF(side, side)));
}

void TRoundRect::DeclareProperties(ClassBuilder<TRoundRect> &b)
{
    b.persistent("Fill", &TShape::Fill);
    b.persistent("Stroke", &TShape::Stroke);
}

void TRoundRect::paint(QPainter &painter, const QRectF &rect)
{
    const double radius = std::min(rect.width(), rect.height()) / 2;
    Fill()->fill(painter, rect, radius, radius);
    Stroke()->stroke(painter, rect, radius, radius);
}

// ---------------------------------------------------------------------------

TBitmapLink::TBitmapLink() : m_sourceRect(std::make_unique<TBounds>()), m_capInsets(std::make_unique<TBounds>()) {}

void TBitmapLink::DeclareProperties(ClassBuilder<TBitmapLink> &b)
{
    b.floating("Scale", &TBitmapLink::Scale, &TBitmapLink::SetScale);
    b.persistent("SourceRect", &TBitmapLink::SourceRect);
    b.persistent("CapInsets", &TBitmapLink::CapInsets);
}

namespace {

std::unique_ptr<TCollection> links() { return std::make_unique<TCollection>(TBitmapLink::StaticClass()); }

// The link of `scale`, else the one nearest to it; nullptr for none.
const TBitmapLink *linkFor(const TCollection *links, double scale)
{
    const TBitmapLink *best = nullptr;
    for (int i = 0; links && i < links->Count(); ++i) {
        const auto *link = object_cast<TBitmapLink>(links->Items(i));
        if (link && (!best || std::abs(link->Scale() - scale) < std::abs(best->Scale() - scale)))
            best = link;
    }
    return best;
}

// Draws `source` (its rectangle `from`) into `to`, the cap insets (in the
// source's pixels) kept at their size in logical pixels.
void drawNinePatch(QPainter &painter, const QImage &image, const QRectF &from, const QMarginsF &caps, double scale,
                   const QRectF &to)
{
    const double l = std::min(caps.left(), from.width() / 2), r = std::min(caps.right(), from.width() / 2);
    const double t = std::min(caps.top(), from.height() / 2), b = std::min(caps.bottom(), from.height() / 2);
    const double sx[4] = {from.left(), from.left() + l, from.right() - r, from.right()};
    const double sy[4] = {from.top(), from.top() + t, from.bottom() - b, from.bottom()};
    const double dl = std::min(l / scale, to.width() / 2), dr = std::min(r / scale, to.width() / 2);
    const double dt = std::min(t / scale, to.height() / 2), db = std::min(b / scale, to.height() / 2);
    const double dx[4] = {to.left(), to.left() + dl, to.right() - dr, to.right()};
    const double dy[4] = {to.top(), to.top() + dt, to.bottom() - db, to.bottom()};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const QRectF src(QPointF(sx[col], sy[row]), QPointF(sx[col + 1], sy[row + 1]));
            const QRectF dst(QPointF(dx[col], dy[row]), QPointF(dx[col + 1], dy[row + 1]));
            if (src.width() > 0 && src.height() > 0 && dst.width() > 0 && dst.height() > 0)
                painter.drawImage(dst, image, src);
        }
}

} // namespace

TStyleObject::TStyleObject(TComponent *owner)
    : TControl(owner), m_sourceLink(links()), m_activeLink(links()), m_hotLink(links()), m_pressedLink(links()),
      m_focusedLink(links()), m_normalLink(links())
{
    SetHitTest(false);
}

TStyleObject::~TStyleObject() = default;

void TStyleObject::DeclareProperties(ClassBuilder<TStyleObject> &b)
{
    b.string("SourceLookup", &TStyleObject::SourceLookup, &TStyleObject::SetSourceLookup);
    b.collection("SourceLink", &TStyleObject::SourceLink);
    b.stored("WrapMode", PropKind::Enumeration, &imageWrapModeInfo());
    b.stored("Smooth", PropKind::Boolean);
}

void TStyleObject::setSourceImage(const QImage &image, double scale)
{
    m_source = image;
    m_sourceScale = scale > 0 ? scale : 1;
    peerChanged();
}

void TStyleObject::paint(QPainter &painter, const QRectF &rect)
{
    if (!m_source.isNull()) {
        if (const TBitmapLink *link = linkFor(normalLinks(), m_sourceScale)) {
            const TBounds &r = *link->SourceRect();
            const QRectF from(QPointF(r.Left(), r.Top()), QPointF(r.Right(), r.Bottom()));
            if (from.width() > 0 && from.height() > 0) {
                painter.save();
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                drawNinePatch(painter, m_source, from, link->CapInsets()->margins(), m_sourceScale, rect);
                painter.restore();
            }
        }
        return;
    }
    if (m_buttonPanel) {
        QStyleOptionButton option;
        option.rect = rect.toAlignedRect();
        option.state = QStyle::State_Enabled | QStyle::State_Raised;
        option.palette = QApplication::palette();
        QApplication::style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
    }
}

TActiveStyleObject::TActiveStyleObject(TComponent *owner) : TStyleObject(owner) {}
void TActiveStyleObject::DeclareProperties(ClassBuilder<TActiveStyleObject> &b)
{
    b.collection("ActiveLink", &TStyleObject::ActiveLink);
    b.stored("ActiveTrigger", PropKind::Enumeration);
}
TCheckStyleObject::TCheckStyleObject(TComponent *owner) : TActiveStyleObject(owner) {}
void TCheckStyleObject::DeclareProperties(ClassBuilder<TCheckStyleObject> &) {}
TTabStyleObject::TTabStyleObject(TComponent *owner) : TActiveStyleObject(owner) {}
void TTabStyleObject::DeclareProperties(ClassBuilder<TTabStyleObject> &b)
{
    b.collection("HotLink", &TStyleObject::HotLink);
}
TTintedStyleObject::TTintedStyleObject(TComponent *owner) : TStyleObject(owner) {}
void TTintedStyleObject::DeclareProperties(ClassBuilder<TTintedStyleObject> &b)
{
    b.stored("Tint", PropKind::Integer, nullptr, &colorIdentToInt);
}
TSystemButtonObject::TSystemButtonObject(TComponent *owner) : TStyleObject(owner) {}
void TSystemButtonObject::DeclareProperties(ClassBuilder<TSystemButtonObject> &b)
{
    b.stored("Inactive", PropKind::Boolean);
}

TButtonStyleObject::TButtonStyleObject(TComponent *owner) : TStyleObject(owner) { m_buttonPanel = true; }
void TButtonStyleObject::DeclareProperties(ClassBuilder<TButtonStyleObject> &b)
{
    b.collection("NormalLink", &TStyleObject::NormalLink);
    b.collection("HotLink", &TStyleObject::HotLink);
    b.collection("PressedLink", &TStyleObject::PressedLink);
    b.collection("FocusedLink", &TStyleObject::FocusedLink);
}
TTintedButtonStyleObject::TTintedButtonStyleObject(TComponent *owner) : TButtonStyleObject(owner) {}
void TTintedButtonStyleObject::DeclareProperties(ClassBuilder<TTintedButtonStyleObject> &b)
{
    b.stored("Tint", PropKind::Integer, nullptr, &colorIdentToInt);
}

// ---------------------------------------------------------------------------

TStyleTextObject::TStyleTextObject(TComponent *owner) : TText(owner) {}

void TStyleTextObject::DeclareProperties(ClassBuilder<TStyleTextObject> &b)
{
    b.integer(
        "NormalColor", [](TStyleTextObject &t) { return std::int64_t(t.NormalColor()); },
        [](TStyleTextObject &t, std::int64_t v) { t.SetNormalColor(IntToAlphaColor(v)); }, &colorIdentToInt);
    b.stored("ShadowVisible", PropKind::Boolean);
    b.stored("ShadowColor", PropKind::Integer, nullptr, &colorIdentToInt);
}
void TActiveStyleTextObject::DeclareProperties(ClassBuilder<TActiveStyleTextObject> &b)
{
    b.stored("ActiveColor", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("ActiveTrigger", PropKind::Enumeration);
}
void TButtonStyleTextObject::DeclareProperties(ClassBuilder<TButtonStyleTextObject> &b)
{
    for (const char *name : {"HotColor", "PressedColor", "FocusedColor"})
        b.stored(name, PropKind::Integer, nullptr, &colorIdentToInt);
}
void TTabStyleTextObject::DeclareProperties(ClassBuilder<TTabStyleTextObject> &b)
{
    for (const char *name : {"ActiveColor", "HotColor"})
        b.stored(name, PropKind::Integer, nullptr, &colorIdentToInt);
}

namespace {

template<class... T> std::vector<const ClassInfo *> classesOf() { return {&T::StaticClass()...}; }

const std::vector<const ClassInfo *> &stylePartClasses()
{
    static const std::vector<const ClassInfo *> all = [] {
        std::vector<const ClassInfo *> list = classesOf<TText, TEllipse, TCircle, TRoundRect>();
        for (const ClassInfo *c :
             classesOf<TStyleObject, TActiveStyleObject, TCheckStyleObject, TTabStyleObject, TTintedStyleObject,
                       TSystemButtonObject, TButtonStyleObject, TTintedButtonStyleObject, TStyleTextObject,
                       TActiveStyleTextObject, TButtonStyleTextObject, TTabStyleTextObject>())
            list.push_back(c);
        // The primitives styles share with forms, so that a style builds also
        // where the known classes have not been registered (tools, tests).
        for (const ClassInfo *c :
             classesOf<TLayout, TRectangle, TLine, TPathLabel, TImage, TGlyph, TLabel, TShadowEffect>())
            list.push_back(c);
        return list;
    }();
    return all;
}

} // namespace

void RegisterStylePartClasses()
{
    // A name a library has taken already stays the library's; styles find
    // ours through StylePartClass.
    for (const ClassInfo *c : stylePartClasses())
        if (!GetClass(c->qname()))
            RegisterClass(*c);
}

const ClassInfo *StylePartClass(const QString &name)
{
    for (const ClassInfo *c : stylePartClasses())
        if (c->qname().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

} // namespace vantor
