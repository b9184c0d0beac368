#include "framework/controls/styleparts.h"

#include "framework/colors.h"
#include "framework/controls/images.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/standard.h"

#include <QPainter>
#include <QTextOption>

#include <algorithm>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TText)
VANTOR_IMPLEMENT_CLASS(TEllipse)
VANTOR_IMPLEMENT_CLASS(TCircle)
VANTOR_IMPLEMENT_CLASS(TRoundRect)

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

void RegisterStylePartClasses()
{
    RegisterClasses<TText, TEllipse, TCircle, TRoundRect>();
    // The primitives styles share with forms, so that a style builds also
    // where the known classes have not been registered (tools, tests).
    RegisterClasses<TLayout, TRectangle, TLine, TPathLabel, TImage, TGlyph, TLabel, TShadowEffect>();
}

} // namespace vantor
