#include "streams/errors.h"
#include "streams/objectstream.h"
#include "streams/styleresource.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes streamOf(const std::string &text)
{
    return textToBinary({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()});
}

// A style table as a style book stores it, around the given styles.
Bytes tableOf(const std::vector<std::pair<std::string, Bytes>> &styles, std::string_view version = "2.5")
{
    Bytes out;
    ObjectWriter w(out);
    w.writeBytes(kStyleResourceSignature.data(), kStyleResourceSignature.size());
    w.writeBytes(version.data(), version.size());
    w.writeListBegin();
    for (const auto &[name, stream] : styles) {
        w.writeString(name);
        w.writeInteger(std::int64_t(stream.size()));
    }
    w.writeListEnd();
    for (const auto &style : styles)
        w.writeBytes(style.second.data(), style.second.size());
    return out;
}

std::string errorOf(const Bytes &blob)
{
    try {
        ReadStyleResource(blob);
    } catch (const EReadError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return std::string("other: ") + e.what();
    }
    return "no error";
}

const Bytes kButton = streamOf("object TRectangle\n  StyleName = 'redbutton'\n  object TText\n"
                               "    StyleName = 'text'\n  end\nend\n");
const Bytes kPanel = streamOf("object TLayout\n  StyleName = 'panelstyle'\nend\n");

TEST(StyleResource, ReadsTheTableAndEachStyleStream)
{
    const StyleResource r = ReadStyleResource(tableOf({{"redbutton", kButton}, {"panelstyle", kPanel}}));
    EXPECT_EQ(r.version, "2.5");
    ASSERT_EQ(r.styles.size(), 2u);
    EXPECT_EQ(r.styles[0].name, "redbutton");
    EXPECT_EQ(r.styles[0].stream, kButton);
    EXPECT_EQ(r.styles[1].stream, kPanel);
    // Names are found without regard to case.
    ASSERT_NE(r.find("RedButton"), nullptr);
    EXPECT_EQ(r.find("REDBUTTON")->stream, kButton);
    EXPECT_EQ(r.find("missing"), nullptr);
}

TEST(StyleResource, TakesAnEmptyTableAndAWideEmptyName)
{
    EXPECT_TRUE(ReadStyleResource(tableOf({})).styles.empty());

    // A style without a name is stored as a wide string of no characters.
    Bytes blob;
    ObjectWriter w(blob);
    w.writeBytes("FMX_STYLE 2.5", 13);
    w.writeListBegin();
    w.writeValueType(TValueType::vaWString);
    w.writeUInt32(0);
    w.writeInteger(std::int64_t(kPanel.size()));
    w.writeListEnd();
    w.writeBytes(kPanel.data(), kPanel.size());
    const StyleResource r = ReadStyleResource(blob);
    ASSERT_EQ(r.styles.size(), 1u);
    EXPECT_EQ(r.styles[0].name, "");
}

TEST(StyleResource, RefusesWhatDoesNotParse)
{
    const Bytes whole = tableOf({{"redbutton", kButton}, {"panelstyle", kPanel}});
    Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() - kPanel.size() / 2));
    Bytes cutInTable(whole.begin(), whole.begin() + 20);
    Bytes notAStream = tableOf({{"x", Bytes{'A', 'B', 'C', 'D', 0}}});
    Bytes badEntry = tableOf({});
    badEntry.insert(badEntry.end() - 1, {std::uint8_t(TValueType::vaInt8), 5}); // a number where a name belongs

    const struct
    {
        const char *what;
        Bytes blob;
        std::string message;
    } cases[] = {
        {"cut in the middle", cut, "Stil panelstyle abgeschnitten"},
        {"cut in the table", cutInTable, "Stiltabelle beschädigt"},
        {"other version", tableOf({}, "3.0"), "Unbekannte Version der Stil-Ressource: 3.0"},
        {"no signature", Bytes{'X', 'Y', 'Z'}, "Unbekanntes Format der Stil-Ressource"},
        {"empty", Bytes{}, "Unbekanntes Format der Stil-Ressource"},
        {"not a stream", notAStream, "Stil x ist kein Objekt-Stream"},
        {"entry not a name", badEntry, "Stiltabelle beschädigt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorOf(c.blob), c.message) << c.what;
}

TEST(StyleResource, ASingleStreamHoldsTheStylesAsChildrenOfItsRoot)
{
    // The older text resource, converted: the root's children with a
    // StyleName are the styles; others are left out.
    const Bytes stream = streamOf("object TLayout\n  Align = Client\n"
                                  "  object TRectangle\n    StyleName = 'Frame'\n    object TText\n"
                                  "      StyleName = 'text'\n    end\n  end\n"
                                  "  object TLayout\n    Width = 3\n  end\n"
                                  "  object TText\n    Text = 'x'\n    StyleName = 'caption'\n  end\nend\n");
    const StyleResource r = ReadStyleResource(stream);
    EXPECT_EQ(r.version, "");
    ASSERT_EQ(r.styles.size(), 2u);
    EXPECT_EQ(r.styles[0].name, "Frame");
    EXPECT_EQ(r.styles[1].name, "caption");
    // Each style is a stream of its own, its root the child.
    EXPECT_EQ(r.styles[0].stream,
              streamOf("object TRectangle\n  StyleName = 'Frame'\n  object TText\n    StyleName = 'text'\n  end\nend\n"));

    Bytes cut(stream.begin(), stream.begin() + std::ptrdiff_t(stream.size() / 2));
    EXPECT_THROW(ReadStyleResource(cut), EReadError);
}

TEST(StyleResource, ChoosesThePlatformItem)
{
    using Items = std::vector<StyleItemInfo>;
    const Items typical{{"", true}, {"Windows 10 Desktop", true}, {"AndroidL Light", true}, {"OSX Yosemite", true},
                        {"iOS Alternate", true}};
    const struct
    {
        Items items;
        const char *platform;
        int expected;
    } cases[] = {
        {typical, "Windows", 1},
        {typical, "Android", 2},
        {typical, "Mac", 3},
        {typical, "iPad", 4},
        {typical, "iPhone", 4},
        {typical, "Linux", 0},                                              // no entry of its own: the default item
        {{{"", true}, {"AndroidL Light", true}}, "Windows", 0},             // another platform's entry never serves
        {{{"AndroidL Light", true}}, "Windows", -1},
        {{{"", false}, {"Windows 10 Desktop", true}}, "Windows", 1},        // the default item without data
        {{{"", false}, {"Windows 10 Desktop", true}}, "Android", -1},
        {{{"Windows 10 Desktop", false}, {"", true}}, "Windows", 1},        // an empty platform entry gives way
        {{{"Windows 7", true}, {"Windows 10 Desktop", true}}, "Windows", 0}, // the first that fits
        {{{"windows 8 desktop", true}}, "WINDOWS", 0},                       // letters without regard to case
        {{{"Oscuro", true}, {"", true}}, "Windows", 1},                       // a name of no platform
        {{{"macOS Big Sur", true}}, "Mac", 0},
        {{}, "Windows", -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ChooseStyleItem(c.items, c.platform), c.expected) << c.platform << " of " << c.items.size();
}

} // namespace
