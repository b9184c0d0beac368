#pragma once

#include <string>
#include <string_view>

// Saving and restoring a window's position, size and state in the settings
// file, one value per window key in the section "<user>-Windowpos":
// "left#top#width#height#state#", e.g. "120#80#1024#700#0#". Pure C++: the
// window is reached through WindowPlacement; windowpos_qt.h adapts Qt windows.
namespace vantor {

// The window states as stored.
enum WindowStateValue {
    kWindowNormal = 0,    // neither minimized nor maximized
    kWindowMinimized = 1, // iconified
    kWindowMaximized = 2, // filling the work area
};

struct WindowRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What saving and restoring need of a window and its screen.
class WindowPlacement
{
public:
    virtual ~WindowPlacement() = default;
    // 0 normal, 1 minimized, 2 maximized.
    virtual int windowState() const = 0;
    // The rectangle the window has, or returns to when it is restored from
    // minimized or maximized: left and top of its frame, width and height.
    virtual WindowRect normalRect() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void setLeft(int left) = 0;
    virtual void setTop(int top) = 0;
    virtual void setWidth(int width) = 0;
    virtual void setHeight(int height) = 0;
    virtual void setWindowState(int state) = 0;
    // The primary screen's size.
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
};

// "<user>-Windowpos".
std::string windowPosSection(std::string_view userName);

// The stored value of a window: five integers, each followed by "#".
std::string formatWindowPos(const WindowRect &rect, int state);

// Applies a stored value: left, top, width, height in this order, each
// falling back to 100, 100, 640, 480 when its field is missing or not an
// integer (a width that is not positive falls back too); then a width above 4000
// becomes the screen width - 200 and a height below 100 the screen height
// - 200; then state 1 or 2 is set, anything else leaves the state alone.
void applyWindowPos(std::string_view value, WindowPlacement &window);

// Writes the window's value under key in the current user's section of
// iniFileName. Raises EIniFileException when the file cannot be written.
void SaveWindowPos(const WindowPlacement &window, std::string_view key, const std::string &iniFileName);
// Reads the value under key; false (and the window untouched) when there is
// none or it is empty, else applies it and returns true.
bool RestoreWindowPos(WindowPlacement &window, std::string_view key, const std::string &iniFileName);

} // namespace vantor
