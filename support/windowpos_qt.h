#pragma once

#include "support/paths.h"
#include "support/windowpos.h"

#include <string>
#include <string_view>

class QWidget;

// Saving and restoring the position of a Qt top-level widget or of a
// framework form (which moves its own top-level widget).
namespace vantor {

class TCommonCustomForm;

// A top-level QWidget as WindowPlacement. Left and top are those of the
// window frame (what QWidget::move takes), width and height those of the
// client area (what QWidget::resize takes), so a restored window stands
// exactly where it was saved.
class WidgetPlacement : public WindowPlacement
{
public:
    explicit WidgetPlacement(QWidget *widget) : m_widget(widget) {}
    int windowState() const override;
    WindowRect normalRect() const override;
    int width() const override;
    int height() const override;
    void setLeft(int left) override;
    void setTop(int top) override;
    void setWidth(int width) override;
    void setHeight(int height) override;
    void setWindowState(int state) override;
    int screenWidth() const override;
    int screenHeight() const override;

private:
    QWidget *m_widget;
};

// A framework form: sets its Left, Top, Width, Height and WindowState, and
// reads the normal rectangle from its window once it has one.
class FormPlacement : public WindowPlacement
{
public:
    explicit FormPlacement(TCommonCustomForm &form) : m_form(form) {}
    int windowState() const override;
    WindowRect normalRect() const override;
    int width() const override;
    int height() const override;
    void setLeft(int left) override;
    void setTop(int top) override;
    void setWidth(int width) override;
    void setHeight(int height) override;
    void setWindowState(int state) override;
    int screenWidth() const override;
    int screenHeight() const override;

private:
    TCommonCustomForm &m_form;
};

// The settings file is IniFileName() unless given. Saving raises
// EIniFileException ("In %s kann nicht geschrieben werden") when the file
// cannot be written; restoring returns false when nothing is stored.
void SaveWindowPos(QWidget *window, std::string_view key, const std::string &iniFileName = IniFileName());
bool RestoreWindowPos(QWidget *window, std::string_view key, const std::string &iniFileName = IniFileName());
void SaveWindowPos(TCommonCustomForm &form, std::string_view key, const std::string &iniFileName = IniFileName());
bool RestoreWindowPos(TCommonCustomForm &form, std::string_view key,
                      const std::string &iniFileName = IniFileName());

} // namespace vantor
