// Colours in every form real files use.
#include "framework/colors.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(Colors, IdentifiersToAlphaColors)
{
    struct Case
    {
        const char *ident;
        TAlphaColor expected;
    };
    const Case cases[] = {
        {"claRed", 0xFFFF0000u},
        {"claBlack", 0xFF000000u},
        {"claWhite", 0xFFFFFFFFu},
        {"claNull", 0x00000000u},
        {"claAliceblue", 0xFFF0F8FFu},
        {"claaliceblue", 0xFFF0F8FFu}, // any case
        {"claYellowgreen", 0xFF9ACD32u},
        {"claDarkslategray", 0xFF2F4F4Fu},
        {"claMoneygreen", 0xFFC0DCC0u},
        {"clSilver", 0xFFC0C0C0u},
        {"clRed", 0xFFFF0000u},         // desktop colours are $BBGGRR
        {"clNavy", 0xFF000080u},
        {"clBtnFace", 0xFFF0F0F0u},      // system colour
        {"clWindowText", 0xFF000000u},
        {"clNone", 0x00000000u},
        {"xFF00FF00", 0xFF00FF00u},
        {"x80FF0000", 0x80FF0000u},
        {"xff00ff00", 0xFF00FF00u},
    };
    for (const Case &c : cases) {
        TAlphaColor color = 0x12345678u;
        EXPECT_TRUE(IdentToAlphaColor(QString::fromLatin1(c.ident), color)) << c.ident;
        EXPECT_EQ(color, c.expected) << c.ident;
    }
    for (const char *bad : {"claPlaid", "clPlaid", "x", "xFF00FF00FF", "xGG000000", "Red", ""}) {
        TAlphaColor color = 0;
        EXPECT_FALSE(IdentToAlphaColor(QString::fromLatin1(bad), color)) << bad;
    }
}

TEST(Colors, IntegersAndNamesBack)
{
    EXPECT_EQ(IntToAlphaColor(-16777216), 0xFF000000u); // as a signed 32-bit stream value
    EXPECT_EQ(IntToAlphaColor(536870912), 0x20000000u);
    EXPECT_EQ(IntToAlphaColor(0xFF00FF00LL), 0xFF00FF00u);
    EXPECT_EQ(VclColorToAlphaColor(0x8000000F), 0xFFF0F0F0u); // older system colour form
    EXPECT_EQ(VclColorToAlphaColor(0x20000000), 0x00000000u); // clDefault
    EXPECT_EQ(AlphaColorToIdent(0xFFFF0000u), QStringLiteral("claRed"));
    EXPECT_EQ(AlphaColorToIdent(0x12345678u), QStringLiteral("x12345678"));
    EXPECT_EQ(toQColor(0x80FF0000u), QColor(255, 0, 0, 128));
}
