#include "support/windowpos.h"

#include "support/inifile.h"
#include "support/paths.h"

#include "streams/lineutils.h"

#include <charconv>
#include <optional>

namespace vantor {

namespace {

std::optional<int> parseInt(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

int field(std::string_view value, int n, int fallback)
{
    return parseInt(ExtractToken('#', value, n)).value_or(fallback);
}

int positiveField(std::string_view value, int n, int fallback)
{
    // A window without width or height could be neither seen nor grabbed.
    const int v = field(value, n, fallback);
    return v > 0 ? v : fallback;
}

} // namespace

std::string windowPosSection(std::string_view userName)
{
    return std::string(userName) + "-Windowpos";
}

std::string formatWindowPos(const WindowRect &rect, int state)
{
    std::string out;
    for (int v : {rect.left, rect.top, rect.width, rect.height, state}) {
        out += std::to_string(v);
        out += '#';
    }
    return out;
}

void applyWindowPos(std::string_view value, WindowPlacement &window)
{
    const int state = field(value, 5, 0);
    window.setLeft(field(value, 1, 100));
    window.setTop(field(value, 2, 100));
    window.setWidth(positiveField(value, 3, 640));
    window.setHeight(field(value, 4, 480));
    if (window.width() > 4000)
        window.setWidth(window.screenWidth() - 200);
    if (window.height() < 100)
        window.setHeight(window.screenHeight() - 200);
    if (state == kWindowMinimized || state == kWindowMaximized)
        window.setWindowState(state);
}

void SaveWindowPos(const WindowPlacement &window, std::string_view key, const std::string &iniFileName)
{
    const std::string section = windowPosSection(GetCurrentUserName());
    const int state = window.windowState();
    const WindowRect rect = window.normalRect();
    WriteIniString(iniFileName, section, key, formatWindowPos(rect, state));
}

bool RestoreWindowPos(WindowPlacement &window, std::string_view key, const std::string &iniFileName)
{
    const std::string section = windowPosSection(GetCurrentUserName());
    const std::string value = ReadIniString(iniFileName, section, key);
    if (value.empty())
        return false;
    applyWindowPos(value, window);
    return true;
}

} // namespace vantor
