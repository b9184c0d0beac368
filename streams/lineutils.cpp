#include "streams/lineutils.h"

namespace vantor {

namespace {

// An empty literal is contained nowhere, as a position test of 0 would say.
bool contains(std::string_view line, std::string_view literal)
{
    return !literal.empty() && findText(line, literal) != std::string_view::npos;
}

// 1-based position of the first occurrence, 0 when none.
std::size_t pos(std::string_view text, std::string_view subText)
{
    if (subText.empty())
        return 0;
    const std::size_t at = findText(text, subText);
    return at == std::string_view::npos ? 0 : at + 1;
}

} // namespace

int GetIndent(std::string_view line)
{
    int n = 0;
    while (static_cast<std::size_t>(n) < line.size() && line[n] == ' ')
        ++n;
    return n;
}

std::string FindPropertyLine(const TStringList &lines, std::string_view key, int startIndex)
{
    if (startIndex < 0)
        return {};
    const auto &items = lines.items();
    for (std::size_t i = static_cast<std::size_t>(startIndex); i < items.size(); ++i) {
        const std::string &line = items[i].text;
        // The key is tested first, so a line holding both the key and " end" is found.
        if (contains(line, key))
            return line;
        if (contains(line, " end") || contains(line, " object "))
            return {};
    }
    return {};
}

int PosFrom(int from, std::string_view text, std::string_view subText)
{
    if (from < 1)
        from = 1;
    if (subText.empty() || static_cast<std::size_t>(from) > text.size())
        return 0;
    const std::size_t at = findText(text, subText, static_cast<std::size_t>(from - 1));
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}

std::string ExtractToken(char delimiter, std::string_view text, int n)
{
    if (n < 1)
        return {};
    int count = 0;
    std::size_t fieldStart = 0; // index after the last delimiter seen
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != delimiter)
            continue;
        if (++count == n)
            return std::string(text.substr(fieldStart, i - fieldStart));
        fieldStart = i + 1;
    }
    // Text after the last delimiter is one more field; a trailing delimiter adds none.
    if (!text.empty() && text.back() != delimiter && count + 1 == n)
        return std::string(text.substr(fieldStart));
    return {};
}

bool IsEventLine(std::string_view line)
{
    std::size_t a = pos(line, " On");
    const std::size_t b = pos(line, " = ");
    if (a == 0)
        a = pos(line, " BeforeExecute");
    return a != 0 && b > a;
}

void StripEventLines(TStringList &lines)
{
    // One pass instead of deleting line by line: a form with thousands of
    // event lines would otherwise move the rest of the list each time.
    lines.removeIf([](const TStringList::Item &item) { return IsEventLine(item.text); });
}

} // namespace vantor
