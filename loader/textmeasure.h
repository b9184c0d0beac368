#pragma once

#include <string_view>

namespace vantor {

// Measures the width of a text in pixels, as the main window's canvas would.
// The marker pass needs it to centre a name label; the Qt layer supplies the
// real one.
class ITextMeasure
{
public:
    virtual ~ITextMeasure() = default;
    // Width of a UTF-8 text in pixels; never negative.
    virtual double textWidth(std::string_view utf8) const = 0;
};

// Stand-in without a font: every character (code point) is the same width.
// Used by tests and tools that run without a display.
class FixedWidthTextMeasure : public ITextMeasure
{
public:
    explicit FixedWidthTextMeasure(double charWidth = 7.0) : m_charWidth(charWidth) {}
    double textWidth(std::string_view utf8) const override;

private:
    double m_charWidth;
};

} // namespace vantor
