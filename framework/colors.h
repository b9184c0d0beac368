#pragma once

// Colours as real forms write them: alpha colour names (`claRed`), the older
// desktop colour names (`clSilver`, `clBtnFace`), `xAARRGGBB` identifiers and
// integers that hold the ARGB bits (negative when alpha >= 0x80, as a signed
// 32-bit value in the stream).

#include <QColor>
#include <QString>

#include <cstdint>

namespace vantor {

// 0xAARRGGBB.
using TAlphaColor = std::uint32_t;

namespace claColors {
inline constexpr TAlphaColor Null = 0x00000000u;
inline constexpr TAlphaColor Black = 0xFF000000u;
inline constexpr TAlphaColor White = 0xFFFFFFFFu;
inline constexpr TAlphaColor Red = 0xFFFF0000u;
inline constexpr TAlphaColor Lime = 0xFF00FF00u;
inline constexpr TAlphaColor Blue = 0xFF0000FFu;
inline constexpr TAlphaColor Gray = 0xFF808080u;
inline constexpr TAlphaColor Silver = 0xFFC0C0C0u;
} // namespace claColors

// Converts a colour identifier without regard to case. Accepts `claXxx`
// names, `clXxx` desktop names (BGR colours and system colours, which take
// the usual desktop scheme), and `x` followed by up to eight hex digits
// (`xFF00FF00`). False when the identifier is none of these.
bool IdentToAlphaColor(const QString &ident, TAlphaColor &color);
// The `claXxx` name of a colour if it has one, else `xAARRGGBB`.
QString AlphaColorToIdent(TAlphaColor color);
// An integer from the stream to a colour: its low 32 bits.
inline TAlphaColor IntToAlphaColor(std::int64_t value) { return static_cast<TAlphaColor>(value & 0xFFFFFFFF); }
// A desktop colour value ($00BBGGRR, or a system colour index with the high
// bit set) to an alpha colour; clNone and clDefault become Null.
TAlphaColor VclColorToAlphaColor(std::int64_t color);

// For colour properties (PropInfo::identToInt): the colour's bits as an integer.
bool colorIdentToInt(const QString &ident, std::int64_t &value);

inline QColor toQColor(TAlphaColor c)
{
    return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF), int(c >> 24));
}

} // namespace vantor
