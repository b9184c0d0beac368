#include "framework/controls/standard.h"
#include "framework/controls/edits.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TLayout)
VANTOR_IMPLEMENT_CLASS(TPanel)
VANTOR_IMPLEMENT_CLASS(TTextControl)
VANTOR_IMPLEMENT_CLASS(TLabel)
VANTOR_IMPLEMENT_CLASS(TButton)

void TPanel::DeclareProperties(ClassBuilder<TPanel> &b) { input::publishHelp(b); }

void TPanel::paint(QPainter &painter, const QRectF &rect)
{
    painter.setPen(QColor(0xB4, 0xB4, 0xB4));
    painter.setBrush(QColor(0xF0, 0xF0, 0xF0));
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}

// ---------------------------------------------------------------------------

TTextControl::TTextControl(TComponent *owner) : TControl(owner), m_textSettings(std::make_unique<TTextSettings>())
{
    m_textSettings->onChange = [this] { peerChanged(); };
}

void TTextControl::DeclareProperties(ClassBuilder<TTextControl> &b)
{
    b.string("Text", &TTextControl::Text, &TTextControl::SetText);
    // Whether the text takes part in the translation of the program: kept.
    b.stored("AutoTranslate", PropKind::Boolean);
    b.persistent("TextSettings", &TTextControl::TextSettings);
    b.set("StyledSettings", styledSettingInfo(), &TTextControl::StyledSettings, &TTextControl::SetStyledSettings);
    // Older forms set these directly on the control.
    b.persistent("Font", [](TTextControl &c) { return c.TextSettings()->Font(); });
    b.integer(
        "FontColor", [](TTextControl &c) { return c.TextSettings()->FontColor(); },
        [](TTextControl &c, std::int64_t v) { c.TextSettings()->SetFontColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
    b.enumeration(
        "TextAlign", textAlignInfo(), [](TTextControl &c) { return c.TextSettings()->HorzAlign(); },
        [](TTextControl &c, TTextAlign a) { c.TextSettings()->SetHorzAlign(a); });
    b.enumeration(
        "VertTextAlign", textAlignInfo(), [](TTextControl &c) { return c.TextSettings()->VertAlign(); },
        [](TTextControl &c, TTextAlign a) { c.TextSettings()->SetVertAlign(a); });
    b.boolean(
        "WordWrap", [](TTextControl &c) { return c.TextSettings()->WordWrap(); },
        [](TTextControl &c, bool v) { c.TextSettings()->SetWordWrap(v); });
    b.enumeration(
        "Trimming", textTrimmingInfo(), [](TTextControl &c) { return c.TextSettings()->Trimming(); },
        [](TTextControl &c, TTextTrimming t) { c.TextSettings()->SetTrimming(t); });
}

void TTextControl::SetText(const QString &text)
{
    m_text = text;
    peerChanged();
}

QFont TTextControl::peerFont(const QFont &base) const
{
    const TFont *font = m_textSettings->Font();
    QFont f = base;
    if (!(m_styledSettings & (1u << ssFamily)) && !font->Family().isEmpty())
        f.setFamily(font->Family());
    if (!(m_styledSettings & (1u << ssSize)) && font->Size() > 0)
        f.setPointSizeF(font->Size() * 0.75);
    if (!(m_styledSettings & (1u << ssStyle))) {
        const QFont styled = font->toQFont(f);
        f.setBold(styled.bold());
        f.setItalic(styled.italic());
        f.setUnderline(styled.underline());
        f.setStrikeOut(styled.strikeOut());
    }
    return f;
}

// ---------------------------------------------------------------------------

TLabel::TLabel(TComponent *owner) : TTextControl(owner)
{
    // A label lets clicks through to what is below it unless told otherwise.
    SetHitTest(false);
    TextSettings()->SetWordWrap(true);
    // The framework's default size: forms leave out a size that equals it.
    SetWidth(120);
    SetHeight(17);
}

void TLabel::DeclareProperties(ClassBuilder<TLabel> &b)
{
    b.boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    b.stored("FocusControl", PropKind::Component);
    // The markers of non-visual components name their component here.
    input::publishHelp(b);
}

QWidget *TLabel::createPeer()
{
    return newPlainLabel();
}

namespace {

// A label's widget is given at most this many characters: more never fit on
// any screen, and laying out a huge text (a form with a 50 MB caption) takes
// Qt minutes on every paint. The Text property keeps the whole text.
constexpr qsizetype kMaxShownLabelChars = qsizetype(1) << 16;

QString shownLabelText(const QString &text)
{
    if (text.size() <= kMaxShownLabelChars)
        return text;
    qsizetype n = kMaxShownLabelChars;
    if (text.at(n - 1).isHighSurrogate())
        --n; // never half a character
    return text.left(n);
}

} // namespace

QLabel *TTextControl::newPlainLabel()
{
    auto *label = new QLabel(peerParent());
    // The framework shows text as it stands: Qt would take "<b>..." or
    // "&lt;" for markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

void TTextControl::showTextIn(QLabel &label) const
{
    label.setText(shownLabelText(Text()));
    label.setAlignment(TextSettings()->qtAlignment());
    label.setWordWrap(TextSettings()->WordWrap());
    label.setFont(peerFont(QFont()));
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, usesOwnFontColor() ? toQColor(TextSettings()->FontColor()) : QColor(Qt::black));
    label.setPalette(pal);
}

void TLabel::updatePeer()
{
    showTextIn(*static_cast<QLabel *>(peer()));
    fitWidthToText();
}

void TLabel::fitWidthToText()
{
    // A label that sizes itself to a one-line text takes the text's width;
    // a wrapping one keeps its width.
    if (!m_autoSize || TextSettings()->WordWrap() || m_fitting || !isRealized())
        return;
    const QFontMetricsF metrics(static_cast<QLabel *>(peer())->font());
    const double wanted = std::ceil(metrics.horizontalAdvance(Text())) + 4;
    if (std::abs(wanted - Width()) < 0.5)
        return;
    m_fitting = true;
    SetWidth(wanted);
    m_fitting = false;
}

// ---------------------------------------------------------------------------

TButton::TButton(TComponent *owner) : TTextControl(owner)
{
    TextSettings()->SetHorzAlign(TTextAlign::Center);
    // The framework's default size: forms leave out a size that equals it.
    SetWidth(80);
    SetHeight(22);
}

void TButton::DeclareProperties(ClassBuilder<TButton> &b)
{
    b.boolean("StaysPressed", &TButton::StaysPressed, &TButton::SetStaysPressed);
    b.boolean("IsPressed", &TButton::IsPressed, &TButton::SetIsPressed);
    b.integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
    b.stored("Cancel", PropKind::Boolean);
    b.stored("Default", PropKind::Boolean);
    b.stored("RepeatClick", PropKind::Boolean);
    b.stored("GroupName", PropKind::String);
    b.stored("ImageIndex", PropKind::Integer);
    b.stored("Images", PropKind::Component);
    // Newer forms may ask for the platform's native button.
    b.stored("ControlType", PropKind::Enumeration, &input::controlTypeInfo());
    input::publishHelp(b);
    b.stored("IconTintColor", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("TintColor", PropKind::Integer, nullptr, &colorIdentToInt);
}

void TButton::Click()
{
    if (m_staysPressed)
        SetIsPressed(!m_isPressed);
    TTextControl::Click();
}

QWidget *TButton::createPeer()
{
    auto *button = new QPushButton(peerParent());
    QObject::connect(button, &QPushButton::clicked, [this] { Click(); });
    return button;
}

void TButton::updatePeer()
{
    auto *button = static_cast<QPushButton *>(peer());
    button->setText(Text());
    button->setFont(peerFont(QFont()));
    button->setCheckable(m_staysPressed);
    button->setChecked(m_staysPressed && m_isPressed);
}

} // namespace vantor
