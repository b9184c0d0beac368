#include "loader/markers.h"

#include "loader/textmeasure.h"
#include "streams/stringlist.h"
#include "tests/loader/passesfixture.h"

#include <gtest/gtest.h>

using namespace vantor;
using vantor::test::linesOf;
using vantor::test::taggedLines;

namespace {

using Lines = std::vector<std::string>;

class ConstantMeasure : public ITextMeasure
{
public:
    explicit ConstantMeasure(double width) : m_width(width) {}
    double textWidth(std::string_view) const override { return m_width; }

private:
    double m_width;
};

// A form of `total` lines with one non-visual component at line 1.
Lines formWith(const Lines &component, std::size_t total)
{
    Lines lines = {"object F: TF"};
    lines.insert(lines.end(), component.begin(), component.end());
    while (lines.size() + 1 < total)
        lines.push_back("  Tag = 0");
    lines.push_back("end");
    return lines;
}

Lines appended(const Lines &before, const Lines &after)
{
    return Lines(after.begin() + static_cast<std::ptrdiff_t>(before.size()) - 1, after.end() - 1);
}

} // namespace

TEST(MarkNonVisualComponents, TimerGetsSquareLabelAndCentredNameLabel)
{
    const Lines input = formWith({"  object Timer1: TTimer", "    Left = 24", "    Top = 8", "  end"}, 120);
    TStringList lines = taggedLines(input);
    MarkNonVisualComponents(lines, ConstantMeasure(32.0));
    EXPECT_EQ(appended(input, linesOf(lines)),
              (Lines{"  Object Du_TTimer_120: TRectangle", "    Position.X = 24", "    Position.Y = 8",
                     "    HitTest = True", "    Width = 32", "    Height = 32", "    Fill.Color = clGray",
                     "    Object Du_TTimer_127: TLabel", "      Align = Client", "      Text = ' TIM'",
                     "      HelpKeyword = 'Timer1: TTimer'", "    end", "  end", "  Object HL_Label133: TLabel",
                     "    Position.X = 19", "    Position.Y = 42", "    Width = 44", "    Height = 16",
                     "    Text = 'Timer1'", "  end"}));
    EXPECT_EQ(lines[lines.count() - 1], "end");
}

TEST(MarkNonVisualComponents, PopupMenuNamesItselfAndMissingPositionsLeaveEmptyLines)
{
    const Lines input = formWith({"  object PopupMenu1: TPopupMenu", "  end"}, 10);
    TStringList lines = taggedLines(input);
    MarkNonVisualComponents(lines, FixedWidthTextMeasure(5.0));
    const Lines added = appended(input, linesOf(lines));
    ASSERT_EQ(added.size(), 21u);
    EXPECT_EQ(added[0], "  Object Du_TPopupMenu_10: TRectangle");
    EXPECT_EQ(added[1], "");
    EXPECT_EQ(added[2], "");
    EXPECT_EQ(added[7], "    PopupMenu = PopupMenu1");
    EXPECT_EQ(added[8], "    Object Du_TPopupMenu_18: TLabel");
    EXPECT_EQ(added[14], "  Object HL_Label24: TLabel");
    EXPECT_EQ(added[15], "");
    EXPECT_EQ(added[16], "");
    EXPECT_EQ(added[17], "    Width = 62"); // 10 characters of 5 pixels, + 12
}

TEST(MarkNonVisualComponents, OnlyTableClassesAreMarkedAndEachOnce)
{
    const Lines input = {"object F: TF", "  object Timer1: TTimer", "  end", "  object B: TButton", "  end",
                         "  object OpenDialog1: TOpenDialog", "  end", "  object T: TTimerX", "  end", "end"};
    TStringList lines = taggedLines(input);
    MarkNonVisualComponents(lines, FixedWidthTextMeasure());
    EXPECT_EQ(lines.count(), static_cast<int>(input.size()) + 40);
    EXPECT_EQ(appended(input, linesOf(lines))[20], "  Object Du_TOpenDialog_30: TRectangle");
}

TEST(MarkNonVisualComponents, ATextEndingInAComponentHeaderMarksItOnce)
{
    // The markers go in before the last line; when that line is itself a
    // timer's header (the text cut off there), each marker moved it on to be
    // met again: the text grew until memory ran out (found by fuzzing).
    const Lines input = {"object F: TF", "  object Timer1: TTimer", "  end", "  object Timer2: TTimer"};
    TStringList lines = taggedLines(input);
    MarkNonVisualComponents(lines, FixedWidthTextMeasure());
    EXPECT_EQ(lines.count(), static_cast<int>(input.size()) + 40);
    EXPECT_EQ(lines[lines.count() - 1], "  object Timer2: TTimer");
    EXPECT_EQ(lines[lines.count() - 2], "  end"); // the second marker's name label
}

TEST(AddNonVisualMarker, NameLabelWidthRoundsHalvesToEven)
{
    struct Case
    {
        double width;
        std::string expected;
    };
    const Case cases[] = {{32.5, "    Width = 44"}, {33.5, "    Width = 46"}, {32.49, "    Width = 44"}};
    for (const Case &c : cases) {
        TStringList lines = taggedLines({"object F: TF", "  object T: TTimer", "  end", "end"});
        ASSERT_TRUE(AddNonVisualMarker(lines, {"TTimer"}, "TTimer", "TIM", 1, "clGray", ConstantMeasure(c.width)));
        EXPECT_EQ(lines[19], c.expected) << c.width;
    }
    TStringList lines = taggedLines({"object F: TF", "  object T: TTimer", "  end", "end"});
    EXPECT_FALSE(AddNonVisualMarker(lines, {"TButton"}, "TTimer", "TIM", 1, "clGray", ConstantMeasure(1)));
    EXPECT_EQ(lines.count(), 4);
}

TEST(AddNonVisualMarker, NonIntegerPositionEndsTheLoadWithItsMessage)
{
    for (const char *left : {"    Left = 24.5", "    Left = abc"}) {
        const Lines input = {"object F: TF", "  object T: TTimer", left, "    Top = 1", "  end", "end"};
        TStringList lines = taggedLines(input);
        try {
            MarkNonVisualComponents(lines, FixedWidthTextMeasure());
            FAIL() << "no error for " << left;
        } catch (const EConvertError &e) {
            const std::string value = std::string(left).substr(11);
            EXPECT_EQ(e.message(), "'" + value + "' ist kein gültiger Integerwert");
        }
        EXPECT_EQ(linesOf(lines), input);
    }
}
