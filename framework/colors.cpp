#include "framework/colors.h"

#include <QHash>

namespace vantor {

namespace {

struct NamedColor
{
    const char *name;
    TAlphaColor value;
};

const NamedColor kAlphaColors[] = {
#include "framework/colornames.inc"
};

// Desktop colours: $00BBGGRR values.
const NamedColor kVclColors[] = {
    {"Black", 0x000000u},   {"Maroon", 0x000080u},    {"Green", 0x008000u},    {"Olive", 0x008080u},
    {"Navy", 0x800000u},    {"Purple", 0x800080u},    {"Teal", 0x808000u},     {"Gray", 0x808080u},
    {"Silver", 0xC0C0C0u},  {"Red", 0x0000FFu},       {"Lime", 0x00FF00u},     {"Yellow", 0x00FFFFu},
    {"Blue", 0xFF0000u},    {"Fuchsia", 0xFF00FFu},   {"Aqua", 0xFFFF00u},     {"White", 0xFFFFFFu},
    {"LtGray", 0xC0C0C0u},  {"DkGray", 0x808080u},    {"MoneyGreen", 0xC0DCC0u}, {"SkyBlue", 0xF0CAA6u},
    {"Cream", 0xF0FBFFu},   {"MedGray", 0xA4A0A0u},   {"None", 0x1FFFFFFFu},   {"Default", 0x20000000u},
};

// System colours by index, as $RRGGBB of the usual desktop scheme.
const NamedColor kSystemColors[] = {
    {"ScrollBar", 0xC8C8C8u},        {"Background", 0x000000u},        {"ActiveCaption", 0x99B4D1u},
    {"InactiveCaption", 0xBFCDDBu},  {"Menu", 0xF0F0F0u},              {"Window", 0xFFFFFFu},
    {"WindowFrame", 0x646464u},      {"MenuText", 0x000000u},          {"WindowText", 0x000000u},
    {"CaptionText", 0x000000u},      {"ActiveBorder", 0xB4B4B4u},      {"InactiveBorder", 0xF4F7FCu},
    {"AppWorkSpace", 0xABABABu},     {"Highlight", 0x0078D7u},         {"HighlightText", 0xFFFFFFu},
    {"BtnFace", 0xF0F0F0u},          {"BtnShadow", 0xA0A0A0u},         {"GrayText", 0x6D6D6Du},
    {"BtnText", 0x000000u},          {"InactiveCaptionText", 0x000000u}, {"BtnHighlight", 0xFFFFFFu},
    {"3DDkShadow", 0x696969u},       {"3DLight", 0xE3E3E3u},           {"InfoText", 0x000000u},
    {"InfoBk", 0xFFFFE1u},           {"", 0u},                         {"HotLight", 0x0066CCu},
    {"GradientActiveCaption", 0xB9D1EAu}, {"GradientInactiveCaption", 0xD7E4F2u}, {"MenuHighlight", 0x3399FFu},
    {"MenuBar", 0xF0F0F0u},
};
constexpr int kSystemColorCount = int(sizeof(kSystemColors) / sizeof(kSystemColors[0]));

struct Tables
{
    QHash<QString, TAlphaColor> alpha;  // lower-case name without "cla"
    QHash<TAlphaColor, QString> alphaName;
    QHash<QString, std::int64_t> vcl;   // lower-case name without "cl": TColor value
};

const Tables &tables()
{
    static const Tables t = [] {
        Tables t;
        for (const NamedColor &c : kAlphaColors) {
            t.alpha.insert(QString::fromLatin1(c.name).toLower(), c.value);
            if (!t.alphaName.contains(c.value))
                t.alphaName.insert(c.value, QStringLiteral("cla") + QString::fromLatin1(c.name));
        }
        for (const NamedColor &c : kVclColors)
            t.vcl.insert(QString::fromLatin1(c.name).toLower(), c.value);
        for (int i = 0; i < kSystemColorCount; ++i)
            if (*kSystemColors[i].name)
                t.vcl.insert(QString::fromLatin1(kSystemColors[i].name).toLower(), std::int64_t(0xFF000000u) | i);
        return t;
    }();
    return t;
}

} // namespace

TAlphaColor VclColorToAlphaColor(std::int64_t color)
{
    const auto bits = static_cast<std::uint32_t>(color & 0xFFFFFFFF);
    if (bits == 0x1FFFFFFFu || bits == 0x20000000u)
        return claColors::Null;
    if (bits & 0x80000000u) {
        // System colour: the index is in the low byte (0xFF0000nn or 0x800000nn).
        const int index = int(bits & 0xFF);
        if (index < kSystemColorCount)
            return 0xFF000000u | kSystemColors[index].value;
        return claColors::Black;
    }
    const std::uint32_t r = bits & 0xFF, g = (bits >> 8) & 0xFF, b = (bits >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

bool IdentToAlphaColor(const QString &ident, TAlphaColor &color)
{
    const QString lower = ident.toLower();
    const Tables &t = tables();
    if (lower.startsWith(QLatin1String("cla"))) {
        auto it = t.alpha.constFind(lower.mid(3));
        if (it != t.alpha.constEnd()) {
            color = it.value();
            return true;
        }
    }
    if (lower.startsWith(QLatin1String("cl"))) {
        auto it = t.vcl.constFind(lower.mid(2));
        if (it != t.vcl.constEnd()) {
            color = VclColorToAlphaColor(it.value());
            return true;
        }
    }
    if (lower.size() >= 2 && lower.size() <= 9 && lower.startsWith(QLatin1Char('x'))) {
        bool ok = false;
        const uint value = lower.mid(1).toUInt(&ok, 16);
        if (ok) {
            color = value;
            return true;
        }
    }
    return false;
}

QString AlphaColorToIdent(TAlphaColor color)
{
    const Tables &t = tables();
    auto it = t.alphaName.constFind(color);
    if (it != t.alphaName.constEnd())
        return it.value();
    return QStringLiteral("x%1").arg(color, 8, 16, QLatin1Char('0')).toUpper().replace(0, 1, QLatin1Char('x'));
}

bool colorIdentToInt(const QString &ident, std::int64_t &value)
{
    TAlphaColor c = 0;
    if (!IdentToAlphaColor(ident, c))
        return false;
    value = c;
    return true;
}

} // namespace vantor
