#pragma once

#include "streams/errors.h"

#include <array>
#include <string>
#include <string_view>

namespace vantor {

class TStringList;
class ITextMeasure;

// A text the run-time library's string-to-integer conversion rejects.
// Message: "'%s' ist kein gültiger Integerwert".
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

namespace msg {
inline constexpr const char *InvalidInteger = "'%s' ist kein gültiger Integerwert";
} // namespace msg

// One row of the marker table: the non-visual class, the short text inside
// its square and the square's colour.
struct NonVisualMarkerRow
{
    std::string_view className;
    std::string_view markerText;
    std::string_view colour;
};

// Tried in this order; the first row whose class matches marks the component.
inline constexpr std::array<NonVisualMarkerRow, 6> kNonVisualMarkers = {{
    {"TPopupMenu", "PM", "clSilver"},
    {"TTimer", "TIM", "clGray"},
    {"TImageList", "IL", "clSkyBlue"},
    {"TSaveDialog", "SD", "clGreen"},
    {"TOpenDialog", "OD", "clYellow"},
    {"TOpenTextFileDialog", "OD", "clYellow"},
}};

// The marker pass keeps the class of the header it is on.
struct MarkerPassState
{
    std::string currentClass;
};

// When state.currentClass is exactly className, appends before the text's
// last line a 32 x 32 square "Du_<class>_<n>" at the component's Left/Top
// holding a label with markerText, and a name label "HL_Label<n>" below it
// whose width comes from measure; returns true. Otherwise changes nothing and
// returns false. Raises EConvertError when the component's Left or Top value
// is no integer (the text is then left unchanged).
bool AddNonVisualMarker(TStringList &lines, const MarkerPassState &state, std::string_view className,
                        std::string_view markerText, int headerIndex, std::string_view colour,
                        const ITextMeasure &measure);

// Design-time view: gives every component of a class in the marker table its
// marker. Raises EConvertError as AddNonVisualMarker does.
void MarkNonVisualComponents(TStringList &lines, const ITextMeasure &measure);

} // namespace vantor
