#pragma once

// Process-wide state of the host-form unit: the screen scale factor and the
// hand-off requests taken up so far; and the hand-off window service in use.

#include <QString>
#include <QStringList>

#include <functional>

namespace vantor {

class IHandOffWindows;

// Screen resolution in pixels per logical inch divided by 96.
double ScreenScale();
// Reads the primary screen's vertical logical resolution again.
void UpdateScreenScaleValue();
// Where the resolution comes from: the primary screen unless a test sets a
// source (nullptr restores the screen).
void setScreenDpiSource(std::function<double()> source);

// Every hand-off title taken up during the run; look-ups ignore case.
QStringList &slHandledRequests();
bool isHandledRequest(const QString &title);

// The hand-off window service: X11 unless a test installs another (nullptr
// restores X11). The caller keeps ownership.
IHandOffWindows &handOffWindows();
void setHandOffWindows(IHandOffWindows *service);

// The path of a hand-off title: the text after its first ":" (the whole
// title without one), without blanks and control characters at either end.
QString requestPathFromTitle(const QString &title);

} // namespace vantor
