#pragma once

// Text appearance of text controls: TFont and TTextSettings
// (TextSettings.Font.Size, TextSettings.FontColor, TextSettings.HorzAlign ...).

#include "framework/classes.h"
#include "framework/colors.h"

#include <QFont>
#include <Qt>

#include <functional>
#include <memory>

namespace vantor {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = unsigned; // bit (1 << TFontStyle)
const EnumInfo &fontStyleInfo();

enum class TTextAlign { Center, Leading, Trailing };
const EnumInfo &textAlignInfo();
enum class TTextTrimming { None, Character, Word };
const EnumInfo &textTrimmingInfo();
// Which parts of the text settings come from the style, not the form.
enum TStyledSetting { ssFamily, ssSize, ssStyle, ssFontColor, ssOther };
const EnumInfo &styledSettingInfo();

class TFont : public TPersistent
{
    VANTOR_CLASS(TFont, TPersistent)
public:
    TFont() = default;
    static void DeclareProperties(ClassBuilder<TFont> &b);

    QString Family() const { return m_family; }
    void SetFamily(const QString &f) { m_family = f; changed(); }
    double Size() const { return m_size; }
    void SetSize(double s) { m_size = s; changed(); }
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles s) { m_style = s; changed(); }
    QFont toQFont(const QFont &base) const;

    std::function<void()> onChange;

private:
    void changed() { if (onChange) onChange(); }
    QString m_family;
    double m_size = 12;
    TFontStyles m_style = 0;
};

class TTextSettings : public TPersistent
{
    VANTOR_CLASS(TTextSettings, TPersistent)
public:
    TTextSettings();
    static void DeclareProperties(ClassBuilder<TTextSettings> &b);

    TFont *Font() const { return m_font.get(); }
    TAlphaColor FontColor() const { return m_fontColor; }
    void SetFontColor(TAlphaColor c) { m_fontColor = c; changed(); }
    TTextAlign HorzAlign() const { return m_horzAlign; }
    void SetHorzAlign(TTextAlign a) { m_horzAlign = a; changed(); }
    TTextAlign VertAlign() const { return m_vertAlign; }
    void SetVertAlign(TTextAlign a) { m_vertAlign = a; changed(); }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool w) { m_wordWrap = w; changed(); }
    TTextTrimming Trimming() const { return m_trimming; }
    void SetTrimming(TTextTrimming t) { m_trimming = t; changed(); }

    Qt::Alignment qtAlignment() const;

    std::function<void()> onChange;

private:
    void changed() { if (onChange) onChange(); }
    std::unique_ptr<TFont> m_font;
    TAlphaColor m_fontColor = claColors::Black;
    TTextAlign m_horzAlign = TTextAlign::Leading;
    TTextAlign m_vertAlign = TTextAlign::Center;
    bool m_wordWrap = false;
    TTextTrimming m_trimming = TTextTrimming::None;
};

} // namespace vantor
