#include "loader/textlines.h"

#include <cmath>
#include <cstdint>

namespace vantor::textlines {

std::string_view trimView(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}

bool isHeaderWith(std::string_view line, std::string_view keyword)
{
    const auto indent = static_cast<std::size_t>(indentOf(line));
    return indent > 0 && line.substr(indent).starts_with(keyword);
}

std::string_view classAfterColon(std::string_view line, std::size_t *classPos)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        if (classPos)
            *classPos = std::string_view::npos;
        return {};
    }
    std::string_view rest = line.substr(colon + 1);
    const std::size_t bracket = rest.find('[');
    if (bracket != std::string_view::npos)
        rest = rest.substr(0, bracket);
    const std::string_view cls = trimView(rest);
    if (classPos)
        *classPos = cls.empty() ? colon + 1 : static_cast<std::size_t>(cls.data() - line.data());
    return cls;
}

std::string_view unnamedHeaderClass(std::string_view line, std::size_t *classPos)
{
    const std::string_view t = trimView(line);
    // Field 2 at blanks: adjacent blanks delimit an empty field.
    const std::size_t first = t.find(' ');
    std::string_view cls;
    std::size_t offset = std::string_view::npos;
    if (first != std::string_view::npos) {
        const std::size_t start = first + 1;
        const std::size_t next = t.find(' ', start);
        cls = t.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start);
        offset = static_cast<std::size_t>(t.data() - line.data()) + start;
    }
    if (classPos)
        *classPos = offset;
    return cls;
}

std::string_view valueAfterEquals(std::string_view line)
{
    const std::size_t eq = line.find('=');
    return trimView(eq == std::string_view::npos ? line : line.substr(eq + 1));
}

std::string_view keyBeforeEquals(std::string_view line)
{
    return trimView(line.substr(0, line.find('=')));
}

bool parseInteger(std::string_view text, int &value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (base == 16) {
        // Hexadecimal covers the whole 32-bit pattern, as the run-time library reads it.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    if (negative ? magnitude > 2147483648ull : magnitude > 2147483647ull)
        return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

long long roundHalfEven(double value)
{
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    auto result = static_cast<long long>(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

std::string_view firstCodePoints(std::string_view text, std::size_t n)
{
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == n)
                break;
            ++seen;
        }
    }
    return text.substr(0, i);
}

} // namespace vantor::textlines
