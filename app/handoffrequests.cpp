#include "app/handoffrequests.h"

#include "app/commandline.h"
#include "app/handoff.h"

#include <QGuiApplication>
#include <QScreen>

namespace vantor {

namespace {

double g_screenScale = 1.0;

std::function<double()> &dpiSource()
{
    static std::function<double()> source;
    return source;
}

double screenDpi()
{
    if (dpiSource())
        return dpiSource()();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchY();
    return 96.0;
}

IHandOffWindows *g_handOff = nullptr;

} // namespace

double ScreenScale() { return g_screenScale; }

void UpdateScreenScaleValue() { g_screenScale = screenDpi() / 96.0; }

void setScreenDpiSource(std::function<double()> source) { dpiSource() = std::move(source); }

QStringList &slHandledRequests()
{
    static QStringList list;
    return list;
}

bool isHandledRequest(const QString &title) { return slHandledRequests().contains(title, Qt::CaseInsensitive); }

IHandOffWindows &handOffWindows()
{
    static X11HandOffWindows x11;
    return g_handOff ? *g_handOff : x11;
}

void setHandOffWindows(IHandOffWindows *service) { g_handOff = service; }

QString requestPathFromTitle(const QString &title)
{
    const qsizetype colon = title.indexOf(QLatin1Char(':'));
    return trimBlanksAndControls(colon < 0 ? title : title.mid(colon + 1, 1255));
}

} // namespace vantor
