#include "support/windowpos_qt.h"

#include "framework/forms.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vantor {

namespace {

QSize primaryScreenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    // Without a screen (no display at all) assume a small common one.
    return screen ? screen->size() : QSize(1024, 768);
}

int stateOf(Qt::WindowStates states)
{
    if (states & Qt::WindowMinimized)
        return kWindowMinimized;
    if (states & Qt::WindowMaximized)
        return kWindowMaximized;
    return kWindowNormal;
}

WindowRect normalRectOf(const QWidget *w)
{
    QRect normal = w->normalGeometry();
    if (!normal.isValid())
        normal = w->geometry();
    // normalGeometry is the client area; move() takes the frame's corner.
    const QPoint frameOffset = w->geometry().topLeft() - w->frameGeometry().topLeft();
    return {normal.x() - frameOffset.x(), normal.y() - frameOffset.y(), normal.width(), normal.height()};
}

void setStateOf(QWidget *w, int state)
{
    Qt::WindowStates states = w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == kWindowMinimized)
        states |= Qt::WindowMinimized;
    else if (state == kWindowMaximized)
        states |= Qt::WindowMaximized;
    w->setWindowState(states);
}

} // namespace

int WidgetPlacement::windowState() const { return stateOf(m_widget->windowState()); }
WindowRect WidgetPlacement::normalRect() const { return normalRectOf(m_widget); }
int WidgetPlacement::width() const { return m_widget->width(); }
int WidgetPlacement::height() const { return m_widget->height(); }
void WidgetPlacement::setLeft(int left) { m_widget->move(left, m_widget->pos().y()); }
void WidgetPlacement::setTop(int top) { m_widget->move(m_widget->pos().x(), top); }
void WidgetPlacement::setWidth(int width) { m_widget->resize(width, m_widget->height()); }
void WidgetPlacement::setHeight(int height) { m_widget->resize(m_widget->width(), height); }
void WidgetPlacement::setWindowState(int state) { setStateOf(m_widget, state); }
int WidgetPlacement::screenWidth() const { return primaryScreenSize().width(); }
int WidgetPlacement::screenHeight() const { return primaryScreenSize().height(); }

int FormPlacement::windowState() const
{
    if (m_form.isRealized())
        return stateOf(m_form.peer()->windowState());
    return int(m_form.WindowState());
}

WindowRect FormPlacement::normalRect() const
{
    if (m_form.isRealized())
        return normalRectOf(m_form.peer());
    return {int(m_form.Left()), int(m_form.Top()), int(m_form.Width()), int(m_form.Height())};
}

int FormPlacement::width() const { return int(m_form.Width()); }
int FormPlacement::height() const { return int(m_form.Height()); }
void FormPlacement::setLeft(int left) { m_form.SetLeft(left); }
void FormPlacement::setTop(int top) { m_form.SetTop(top); }
void FormPlacement::setWidth(int width) { m_form.SetWidth(width); }
void FormPlacement::setHeight(int height) { m_form.SetHeight(height); }
void FormPlacement::setWindowState(int state) { m_form.SetWindowState(TWindowState(state)); }
int FormPlacement::screenWidth() const { return primaryScreenSize().width(); }
int FormPlacement::screenHeight() const { return primaryScreenSize().height(); }

void SaveWindowPos(QWidget *window, std::string_view key, const std::string &iniFileName)
{
    SaveWindowPos(WidgetPlacement(window), key, iniFileName);
}

bool RestoreWindowPos(QWidget *window, std::string_view key, const std::string &iniFileName)
{
    WidgetPlacement placement(window);
    return RestoreWindowPos(placement, key, iniFileName);
}

void SaveWindowPos(TCommonCustomForm &form, std::string_view key, const std::string &iniFileName)
{
    SaveWindowPos(FormPlacement(form), key, iniFileName);
}

bool RestoreWindowPos(TCommonCustomForm &form, std::string_view key, const std::string &iniFileName)
{
    FormPlacement placement(form);
    return RestoreWindowPos(placement, key, iniFileName);
}

} // namespace vantor
