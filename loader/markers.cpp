#include "loader/markers.h"

#include "loader/textlines.h"
#include "loader/textmeasure.h"
#include "streams/lineutils.h"
#include "streams/stringlist.h"

#include <vector>

namespace vantor {

namespace {

using textlines::contains;

// Replaces the first occurrence of what in line by with; unchanged when absent.
std::string replaceFirst(std::string line, std::string_view what, std::string_view with)
{
    const std::size_t at = line.find(what);
    if (at != std::string::npos && !what.empty())
        line.replace(at, what.size(), with);
    return line;
}

// The position line moved by delta: its value (after the first '=') read as
// an integer and its first occurrence replaced by the new number.
std::string shiftedPosition(const std::string &line, int delta)
{
    if (line.empty())
        return line;
    const std::string value = textlines::trimmed(textlines::valueAfterEquals(line));
    int v = 0;
    if (!textlines::parseInteger(value, v))
        throw EConvertError(formatMessage(msg::InvalidInteger, value));
    return replaceFirst(line, value, std::to_string(static_cast<long long>(v) + delta));
}

} // namespace

bool AddNonVisualMarker(TStringList &lines, const MarkerPassState &state, std::string_view className,
                        std::string_view markerText, int headerIndex, std::string_view colour,
                        const ITextMeasure &measure)
{
    if (state.currentClass != className || lines.empty())
        return false;

    std::string left = FindPropertyLine(lines, " Left ", headerIndex + 1);
    std::string top = FindPropertyLine(lines, " Top ", headerIndex + 1);
    left = replaceFirst(left, " Left ", " Position.X ");
    top = replaceFirst(top, " Top ", " Position.Y ");

    const std::string &header = lines[headerIndex];
    std::string name;
    const std::size_t keyword = header.find("object");
    if (keyword != std::string::npos) {
        const std::size_t from = keyword + std::string_view("object ").size();
        const std::size_t colon = header.find(':', from);
        if (from <= header.size())
            name = textlines::trimmed(std::string_view(header).substr(
                from, colon == std::string::npos ? std::string::npos : colon - from));
    }

    // Everything that can fail is worked out before the text is touched.
    const long long w = textlines::roundHalfEven(measure.textWidth(name));
    const long long labelWidth = w + 12;
    const std::string labelX = shiftedPosition(left, static_cast<int>(17 - labelWidth / 2));
    const std::string labelY = shiftedPosition(top, 34);

    const std::string cls(className);
    const auto append = [&lines](std::string line) { lines.insert(lines.count() - 1, std::move(line)); };
    append("  Object Du_" + cls + "_" + std::to_string(lines.count()) + ": TRectangle");
    append(left);
    append(top);
    append("    HitTest = True");
    append("    Width = 32");
    append("    Height = 32");
    append("    Fill.Color = " + std::string(colour));
    if (className == "TPopupMenu")
        append("    PopupMenu = " + name);
    append("    Object Du_" + cls + "_" + std::to_string(lines.count()) + ": TLabel");
    append("      Align = Client");
    append("      Text = ' " + std::string(markerText) + "'");
    append("      HelpKeyword = '" + name + ": " + cls + "'");
    append("    end");
    append("  end");
    append("  Object HL_Label" + std::to_string(lines.count()) + ": TLabel");
    append(labelX);
    append(labelY);
    append("    Width = " + std::to_string(labelWidth));
    append("    Height = 16");
    append("    Text = '" + name + "'");
    append("  end");
    return true;
}

void MarkNonVisualComponents(TStringList &lines, const ITextMeasure &measure)
{
    MarkerPassState state;
    // The markers go in before the last line, so that line is the one line
    // the walk can meet twice: when it is itself a component header (a text
    // cut off without its end lines), it is marked once, else every marker
    // would move it on to be met and marked again, without end.
    bool lastLineMarked = false;
    for (int i = 0; i < lines.count(); ++i) {
        const bool last = i == lines.count() - 1;
        if (last && lastLineMarked)
            break;
        const std::string &line = lines[i];
        if (!contains(line, " object "))
            continue;
        const std::size_t colon = line.find(':');
        state.currentClass = colon == std::string::npos ? textlines::trimmed(line)
                                                        : std::string(textlines::classAfterColon(line));
        for (const NonVisualMarkerRow &row : kNonVisualMarkers) {
            if (AddNonVisualMarker(lines, state, row.className, row.markerText, i, row.colour, measure)) {
                lastLineMarked = lastLineMarked || last;
                break;
            }
        }
    }
}

} // namespace vantor
