#include "formgen.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace vantor::formgen {

namespace {

// A small generator of our own, so the same seed gives the same form with any
// standard library (the std distributions are not portable).
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound); bound > 0.
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }
    int range(int low, int high) { return low + static_cast<int>(below(static_cast<std::uint64_t>(high - low + 1))); }
    bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
    template<typename T, std::size_t N>
    const T &pick(const std::array<T, N> &items) { return items[below(N)]; }

private:
    std::uint64_t m_state;
};

constexpr std::array<std::string_view, 16> kClasses = {
    "TButton", "TLabel", "TLayout", "TRectangle", "TListBox", "TImage", "TEdit", "TPanel",
    "TTabItem", "TTabControl", "TListBoxItem", "TCircle", "TText", "TGridPanelLayout",
    "TImageList", "TStyleBook"};

constexpr std::array<std::string_view, 20> kProperties = {
    "Width", "Height", "Position.X", "Position.Y", "Caption", "Text", "Tag", "Hint",
    "Font.Size", "TextSettings.FontColor", "Align", "Margins.Left", "StyleLookup",
    "Opacity", "Items.Strings", "Data", "Visible", "HitTest", "Size.PlatformDefault", "Anchors"};

constexpr std::array<std::string_view, 12> kIdents = {
    "Client", "alClient", "claBlack", "xFF1F2F3F", "True", "False", "nil", "Center",
    "dtmdlData.cdsIconData", "Button1Click", "taLeftJustify", "Vertical"};

constexpr std::array<std::string_view, 8> kSetElements = {
    "akLeft", "akTop", "akRight", "akBottom", "Family", "Style", "Size", "FontColor"};

constexpr std::array<std::string_view, 12> kIntegers = {
    "0", "127", "-128", "128", "32767", "-32768", "40000", "2147483647", "-2147483648",
    "2147483648", "9223372036854775807", "-9223372036854775808"};

// Floats that an 80-bit extended and a double hold exactly, so that both
// directions of a conversion can be compared byte for byte.
constexpr std::array<std::string_view, 10> kFloats = {
    "16.000000000000000000", "0.5", "-20e1", "1e10", "6e20", "1.", "3.25", "-0.125", "1024.75", "0"};

constexpr std::array<std::string_view, 6> kSuffixedFloats = {
    "1.5s", "-0.25s", "12.34c", "-7c", "45000.5d", "0d"};

class Generator
{
public:
    explicit Generator(const Options &options) : m_options(options), m_rng(options.seed) {}

    std::string run()
    {
        m_out.reserve(m_options.minLines * 40);
        line(0, std::string("object Form") + std::to_string(m_options.seed) + ": TForm" + std::to_string(m_options.seed));
        properties(1, 0);
        while (m_lines < m_options.minLines)
            component(1, 1);
        line(0, "end");
        return std::move(m_out);
    }

private:
    void line(int indent, std::string_view text)
    {
        m_out.append(static_cast<std::size_t>(indent) * 2, ' ');
        m_out.append(text);
        m_out.append("\r\n");
        ++m_lines;
    }

    void component(int indent, int depth)
    {
        std::string header;
        const int keyword = m_rng.range(0, 19);
        header = keyword == 0 ? "inherited " : keyword == 1 ? "inline " : "object ";
        const bool named = !m_rng.chance(8);
        if (named)
            header += "Comp" + std::to_string(++m_names) + ": ";
        header += m_rng.pick(kClasses);
        if ((named || m_options.peerUnsupportedForms) && m_rng.chance(6))
            header += " [" + std::to_string(m_rng.range(0, 300)) + "]";
        line(indent, header);
        properties(indent + 1, depth);
        if (depth < m_options.maxDepth) {
            const int children = m_rng.range(0, depth < 2 ? 5 : 3);
            for (int i = 0; i < children; ++i)
                component(indent + 1, depth + 1);
        }
        line(indent, "end");
    }

    void properties(int indent, int depth)
    {
        const int count = m_rng.range(0, 8);
        for (int i = 0; i < count; ++i) {
            std::string name(m_rng.pick(kProperties));
            if (m_rng.chance(20))
                name = "Prop" + std::to_string(m_rng.range(1, 99));
            value(indent, name + " = ", depth);
        }
    }

    // Writes a property (or collection-item property) line and any continuation lines.
    void value(int indent, const std::string &prefix, int depth)
    {
        const int heavy = m_options.imageWeight + m_options.longStringWeight + m_options.collectionWeight;
        int roll = m_rng.range(0, 99 + heavy * 3);
        if (roll >= 100) {
            roll = (roll - 100) / 3;
            if (roll < m_options.imageWeight)
                return binary(indent, prefix, m_rng.range(200, 4000));
            roll -= m_options.imageWeight;
            if (roll < m_options.longStringWeight)
                return longString(indent, prefix);
            return collection(indent, prefix, depth);
        }
        if (roll < 22)
            return line(indent, prefix + std::string(integerText()));
        if (roll < 32)
            return line(indent, prefix + std::string(m_rng.pick(kFloats)));
        if (roll < 37) {
            const std::string_view number = m_options.peerUnsupportedForms ? m_rng.pick(kSuffixedFloats) : m_rng.pick(kFloats);
            return line(indent, prefix + std::string(number));
        }
        if (roll < 52)
            return line(indent, prefix + std::string(m_rng.pick(kIdents)));
        if (roll < 72)
            return line(indent, prefix + shortString());
        if (roll < 80)
            return line(indent, prefix + setText());
        if (roll < 88)
            return list(indent, prefix);
        if (roll < 94)
            return binary(indent, prefix, m_rng.range(0, 40));
        if (roll < 97)
            return longString(indent, prefix);
        return collection(indent, prefix, depth);
    }

    std::string integerText()
    {
        if (m_rng.chance(50))
            return std::string(m_rng.pick(kIntegers));
        if (m_rng.chance(10)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "$%X", static_cast<unsigned>(m_rng.below(0x1000000)));
            return hex;
        }
        return std::to_string(static_cast<int>(m_rng.below(200000)) - 100000);
    }

    // One piece of string text: plain runs in quotes and #codes, as a writer
    // or a person might put them.
    void stringPiece(std::string &text, bool &quoted, int &chars)
    {
        const auto openQuote = [&] { if (!quoted) { text += '\''; quoted = true; } };
        const auto closeQuote = [&] { if (quoted) { text += '\''; quoted = false; } };
        const int kind = m_rng.range(0, 399) - 300;
        if (kind < 80) {
            openQuote();
            const char c = static_cast<char>(m_rng.range(32, 126));
            text += c;
            if (c == '\'')
                text += '\'';
        } else if (kind < 84) {
            closeQuote();
            text += "#39";
        } else if (kind < 90) {
            closeQuote();
            static constexpr std::array<int, 5> controls = {9, 10, 13, 1, 31};
            text += '#' + std::to_string(m_rng.pick(controls));
        } else if (kind < 96) {
            closeQuote();
            static constexpr std::array<int, 6> wide = {233, 8211, 8364, 1078, 20013, 252};
            text += '#' + std::to_string(m_rng.pick(wide));
        } else if (kind < 98) {
            closeQuote();
            text += "#55357#56832"; // a character outside the basic plane, as a surrogate pair
        } else if (m_options.rawAnsiBytes) {
            openQuote();
            text += static_cast<char>(m_rng.range(0xA0, 0xFF));
        } else {
            openQuote();
            text += 'x';
        }
        ++chars;
    }

    std::string shortString()
    {
        if (m_rng.chance(10))
            return "''";
        std::string text;
        bool quoted = false;
        int chars = 0;
        const int length = m_rng.range(1, 40);
        while (chars < length)
            stringPiece(text, quoted, chars);
        if (quoted)
            text += '\'';
        return text;
    }

    void longString(int indent, const std::string &prefix)
    {
        line(indent, prefix);
        const int length = m_rng.range(65, m_rng.chance(20) ? 2000 : 400);
        int chars = 0;
        while (chars < length) {
            std::string piece;
            bool quoted = false;
            int pieceChars = 0;
            while (pieceChars < 60 && chars < length) {
                int before = pieceChars;
                stringPiece(piece, quoted, pieceChars);
                chars += pieceChars - before;
            }
            if (quoted)
                piece += '\'';
            if (chars < length)
                piece += " +";
            line(indent + 1, piece);
        }
    }

    std::string setText()
    {
        std::string text = "[";
        const int count = m_rng.range(0, 4);
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                text += ", ";
            if (m_options.peerUnsupportedForms && m_rng.chance(30))
                text += std::to_string(m_rng.range(0, 31));
            else
                text += m_rng.pick(kSetElements);
        }
        return text + "]";
    }

    void list(int indent, const std::string &prefix)
    {
        const int count = m_rng.range(0, 6);
        if (count == 0)
            return line(indent, prefix + "()");
        line(indent, prefix + "(");
        for (int i = 0; i < count; ++i) {
            std::string item;
            switch (m_rng.range(0, 3)) {
            case 0: item = integerText(); break;
            case 1: item = std::string(m_rng.pick(kIdents)); break;
            case 2: item = std::string(m_rng.pick(kFloats)); break;
            default: item = shortString(); break;
            }
            if (i + 1 == count)
                item += ')';
            line(indent + 1, item);
        }
    }

    void collection(int indent, const std::string &prefix, int depth)
    {
        const int items = m_rng.range(0, 4);
        if (items == 0)
            return line(indent, prefix + "<>");
        line(indent, prefix + "<");
        for (int i = 0; i < items; ++i) {
            std::string header = "item";
            if (m_options.peerUnsupportedForms && m_rng.chance(40))
                header += " [" + std::to_string(m_rng.range(0, 100000)) + "]";
            line(indent + 1, header);
            const int count = m_rng.range(0, 4);
            for (int p = 0; p < count; ++p) {
                // Nested collections (an image list's bitmaps) one level deep only.
                if (depth >= 0 && m_rng.chance(15))
                    collection(indent + 2, std::string(m_rng.pick(kProperties)) + " = ", -1);
                else if (m_rng.chance(20))
                    binary(indent + 2, "PNG = ", m_rng.range(0, 600));
                else
                    line(indent + 2, std::string(m_rng.pick(kProperties)) + " = " + integerText());
            }
            line(indent + 1, i + 1 == items ? "end>" : "end");
        }
    }

    void binary(int indent, const std::string &prefix, int size)
    {
        static constexpr char digits[] = "0123456789ABCDEF";
        std::string hex;
        hex.reserve(static_cast<std::size_t>(size) * 2);
        for (int i = 0; i < size; ++i) {
            const auto byte = static_cast<unsigned>(m_rng.below(256));
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
        if (size < 32)
            return line(indent, prefix + "{" + hex + "}");
        line(indent, prefix + "{");
        for (std::size_t at = 0; at < hex.size(); at += 64) {
            std::string piece = hex.substr(at, 64);
            if (at + 64 >= hex.size())
                piece += '}';
            line(indent + 1, piece);
        }
    }

    const Options &m_options;
    Rng m_rng;
    std::string m_out;
    std::size_t m_lines = 0;
    int m_names = 0;
};

} // namespace

std::string generateForm(const Options &options)
{
    return Generator(options).run();
}

std::size_t countLines(const std::string &text)
{
    std::size_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    if (!text.empty() && text.back() != '\n')
        ++lines;
    return lines;
}

} // namespace vantor::formgen
