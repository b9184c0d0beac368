#pragma once

// The platform looks. Each style book of the main window stands for one look
// kept as a style sheet resource; the Windows 8 look ("win8style") is applied
// to the whole application.

#include <QString>

#include <string>

namespace vantor {

class TF_FMXWindowDisplay;
class TStyleBook;

// The resource of the application-wide Windows 8 style.
inline constexpr const char *kWin8StyleResource = ":/win8style";

// The style sheet of a style book of the main window; empty for a book that
// holds none.
QString styleSheetOfBook(const TStyleBook *book);

// Loads a style sheet resource and makes it the application's active style.
// False, and the active style unchanged, when there is no such resource.
bool SetApplicationStyleFromResource(const QString &resource);

// Applies the main window's current style book to its widgets (no book: the
// application style alone).
void ApplyStyleBook(TF_FMXWindowDisplay &window);

// The look of a loaded form's platform: "iPad", "Android" and "Mac" select a
// style book of the window, "Windows" removes it and re-applies the
// application-wide Windows 8 style; any other value leaves the look as it is.
void ApplyPlatformStyle(TF_FMXWindowDisplay &window, const std::string &platform);

} // namespace vantor
