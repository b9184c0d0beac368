#pragma once

// Hand-off requests between programs on an X11 desktop. A program that wants
// the running viewer to show a form file opens a top-level window whose
// WM_CLASS class is "TF_OPENNEWFORMFILE" and whose title is a prefix, ":" and
// the file's path; the viewer looks for such a window, takes the path up and
// marks the window, so that the requester knows it may close it. Plain Xlib,
// no Qt.

#include <optional>
#include <string>

namespace vantor {

inline constexpr const char *kHandOffWindowClass = "TF_OPENNEWFORMFILE";
// Set on a request window by the viewer once it has taken the request up.
inline constexpr const char *kHandOffTakenUpAtom = "_VANTOR_TAKEN_UP";

struct HandOffRequest
{
    unsigned long window = 0; // the X11 window id
    std::string title;        // UTF-8
};

// The viewer's side: finds and marks request windows.
class IHandOffWindows
{
public:
    virtual ~IHandOffWindows() = default;
    // The first top-level window of the request class, or nothing (also
    // when there is no display).
    virtual std::optional<HandOffRequest> findRequest() = 0;
    // Tells the requester that its request has been taken up.
    virtual void markTakenUp(const HandOffRequest &request) = 0;
};

// The X11 implementation. It connects to $DISPLAY on first use; without a
// display every look-up finds nothing.
class X11HandOffWindows : public IHandOffWindows
{
public:
    X11HandOffWindows() = default;
    ~X11HandOffWindows() override;
    X11HandOffWindows(const X11HandOffWindows &) = delete;
    X11HandOffWindows &operator=(const X11HandOffWindows &) = delete;

    std::optional<HandOffRequest> findRequest() override;
    void markTakenUp(const HandOffRequest &request) override;

private:
    bool connect();
    void *m_display = nullptr; // Display*, kept opaque so that this header needs no Xlib
    bool m_triedToConnect = false;
};

// The requester's side, as `vantor-tool open` uses it.
enum class HandOffResult {
    TakenUp,   // the viewer marked the window within the time
    TimedOut,  // nobody took the request up in time
    NoDisplay, // no X11 display could be opened
};
// Opens an (unmapped) request window titled `title` and keeps it until the
// viewer has taken it up or `timeoutMs` have passed; then closes it.
HandOffResult OpenHandOffRequest(const std::string &title, int timeoutMs);

} // namespace vantor
