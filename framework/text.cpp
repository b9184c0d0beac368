#include "framework/text.h"

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TFont)
VANTOR_IMPLEMENT_CLASS(TTextSettings)

const EnumInfo &fontStyleInfo()
{
    static const EnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, nullptr};
    return info;
}

const EnumInfo &textAlignInfo()
{
    static const EnumInfo info{"TTextAlign", {"Center", "Leading", "Trailing"}, "ta"};
    return info;
}

const EnumInfo &textTrimmingInfo()
{
    static const EnumInfo info{"TTextTrimming", {"None", "Character", "Word"}, "tt"}; // older forms: ttCharacter
    return info;
}

const EnumInfo &styledSettingInfo()
{
    static const EnumInfo info{"TStyledSetting", {"Family", "Size", "Style", "FontColor", "Other"}, "ss"};
    return info;
}

void TFont::DeclareProperties(ClassBuilder<TFont> &b)
{
    b.string("Family", &TFont::Family, &TFont::SetFamily);
    b.floating("Size", &TFont::Size, &TFont::SetSize);
    b.set("Style", fontStyleInfo(), &TFont::Style, &TFont::SetStyle);
    b.stored("StyleExt", PropKind::Binary);
}

QFont TFont::toQFont(const QFont &base) const
{
    QFont f = base;
    if (!m_family.isEmpty())
        f.setFamily(m_family);
    if (m_size > 0)
        f.setPointSizeF(m_size * 0.75); // the framework's sizes are pixels at 96 dpi
    f.setBold(m_style & (1u << fsBold));
    f.setItalic(m_style & (1u << fsItalic));
    f.setUnderline(m_style & (1u << fsUnderline));
    f.setStrikeOut(m_style & (1u << fsStrikeOut));
    return f;
}

TTextSettings::TTextSettings() : m_font(std::make_unique<TFont>())
{
    m_font->onChange = [this] { changed(); };
}

void TTextSettings::DeclareProperties(ClassBuilder<TTextSettings> &b)
{
    b.persistent("Font", &TTextSettings::Font);
    b.integer(
        "FontColor", &TTextSettings::FontColor,
        [](TTextSettings &t, std::int64_t v) { t.SetFontColor(IntToAlphaColor(v)); }, &colorIdentToInt);
    b.enumeration("HorzAlign", textAlignInfo(), &TTextSettings::HorzAlign, &TTextSettings::SetHorzAlign);
    b.enumeration("VertAlign", textAlignInfo(), &TTextSettings::VertAlign, &TTextSettings::SetVertAlign);
    b.boolean("WordWrap", &TTextSettings::WordWrap, &TTextSettings::SetWordWrap);
    b.enumeration("Trimming", textTrimmingInfo(), &TTextSettings::Trimming, &TTextSettings::SetTrimming);
    for (const char *name : {"FontColorForState.Hot", "FontColorForState.Pressed", "FontColorForState.Focused",
                             "FontColorForState.Normal", "FontColorForState.Active"})
        b.stored(name, PropKind::Integer, nullptr, &colorIdentToInt);
}

Qt::Alignment TTextSettings::qtAlignment() const
{
    Qt::Alignment a;
    switch (m_horzAlign) {
    case TTextAlign::Center: a |= Qt::AlignHCenter; break;
    case TTextAlign::Leading: a |= Qt::AlignLeft; break;
    case TTextAlign::Trailing: a |= Qt::AlignRight; break;
    }
    switch (m_vertAlign) {
    case TTextAlign::Center: a |= Qt::AlignVCenter; break;
    case TTextAlign::Leading: a |= Qt::AlignTop; break;
    case TTextAlign::Trailing: a |= Qt::AlignBottom; break;
    }
    return a;
}

} // namespace vantor
