#pragma once

// The style resource of a style book: the named styles it holds, each as a
// binary object stream of its own, ready for the framework's reader. No Qt.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The signature the style table of a `ResourcesBin` blob starts with; the
// version follows it.
inline constexpr std::string_view kStyleResourceSignature = "FMX_STYLE ";
// The one version of that table this reader takes.
inline constexpr std::string_view kStyleResourceVersion = "2.5";

namespace msg {
inline constexpr const char *StyleVersionUnknown = "Unbekannte Version der Stil-Ressource: %s"; // the version text
inline constexpr const char *StyleFormatUnknown = "Unbekanntes Format der Stil-Ressource";
inline constexpr const char *StyleTableDamaged = "Stiltabelle beschädigt";
inline constexpr const char *StyleSizeInvalid = "Ungültige Größe des Stils %s"; // the style name
inline constexpr const char *StyleTruncated = "Stil %s abgeschnitten"; // the style name
inline constexpr const char *StyleStreamInvalid = "Stil %s ist kein Objekt-Stream"; // the style name
} // namespace msg

// One style: its name as the resource gives it (UTF-8) and its stream
// ("TPF0", the style's root object with its parts as children).
struct StyleResourceEntry
{
    std::string name;
    std::vector<std::uint8_t> stream;
};

struct StyleResource
{
    // "2.5" for a style table; empty for a resource that was one object stream.
    std::string version;
    std::vector<StyleResourceEntry> styles;

    // The first style of that name, letters compared without regard to case
    // (ASCII letters; other characters must match exactly); nullptr if none.
    const StyleResourceEntry *find(std::string_view name) const;
};

// Reads a `ResourcesBin` blob. Either a style table or one object stream
// (see ReadStyleStream). Errors raise EReadError with one of the messages
// above, or the object reader's own for a damaged stream; nothing is trusted
// before it is checked against the bytes that remain.
StyleResource ReadStyleResource(std::span<const std::uint8_t> blob);

// A style resource kept as one object stream (the older text resource,
// converted, or an older binary one): a root object, usually an unnamed
// TLayout, whose children are the styles, each named by its `StyleName`
// property. Children without a StyleName are not styles and are left out.
// Each style's stream is cut from the whole, with a signature of its own.
StyleResource ReadStyleStream(std::span<const std::uint8_t> stream);

// Which item of a style book's `Styles` collection serves a load.
struct StyleItemInfo
{
    std::string platform; // the item's Platform, as the file gives it; empty for the default item
    bool hasStyle = false;  // the item carries style data
};

// The index of the item to use for a load of `loadPlatform` ("Windows" for a
// plain form, else "Android", "Mac", "iPad" or "iPhone" for a platform
// variant); -1 when no item carries a style. The first item with style data
// whose Platform names a style of the load's platform family serves it
// ("Windows 10 Desktop" and every other "Windows ..." for Windows; "Android
// ..." for Android; "OSX ..." and "Mac..." (macOS) for Mac; "iOS ...", "iPhone ..."
// and "iPad ..." for both iOS platforms; letters without regard to case);
// else the first item without a Platform that has style data. Items for
// other platforms (and names that name no platform at all) never serve.
int ChooseStyleItem(std::span<const StyleItemInfo> items, std::string_view loadPlatform);

} // namespace vantor
