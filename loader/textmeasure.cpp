#include "loader/textmeasure.h"

namespace vantor {

double FixedWidthTextMeasure::textWidth(std::string_view utf8) const
{
    std::size_t codePoints = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) // count lead bytes only
            ++codePoints;
    }
    return static_cast<double>(codePoints) * m_charWidth;
}

} // namespace vantor
