#pragma once

// Platform services behind small interfaces, so that tests can record what
// the program would do to the desktop. The program uses the Qt
// implementations (installed by default); a test installs recording ones.

#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

namespace vantor {

class IClipboardService
{
public:
    virtual ~IClipboardService() = default;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
};

class IMouseService
{
public:
    virtual ~IMouseService() = default;
    // The pointer's position on the screen.
    virtual QPointF mousePos() const = 0;
};

class IMessageBoxService
{
public:
    virtual ~IMessageBoxService() = default;
    // Shows the text with an OK button and returns when it is closed.
    virtual void showMessage(const QString &text) = 0;
};

// The services in use. Setting nullptr restores the Qt implementation; the
// caller keeps ownership of what it installs and must uninstall it before
// destroying it.
IClipboardService &clipboardService();
IMouseService &mouseService();
IMessageBoxService &messageBoxService();
void setClipboardService(IClipboardService *service);
void setMouseService(IMouseService *service);
void setMessageBoxService(IMessageBoxService *service);

// The framework's ShowMessage: through the message box service.
void ShowMessage(const QString &text);

// Qt implementations.
class QtClipboardService : public IClipboardService
{
public:
    void setText(const QString &text) override;
    QString text() const override;
};
class QtMouseService : public IMouseService
{
public:
    QPointF mousePos() const override;
};
class QtMessageBoxService : public IMessageBoxService
{
public:
    void showMessage(const QString &text) override;
};

// Recording implementations for tests.
class RecordingClipboardService : public IClipboardService
{
public:
    void setText(const QString &text) override { m_text = text; ++writes; }
    QString text() const override { return m_text; }
    int writes = 0;

private:
    QString m_text;
};
class RecordingMouseService : public IMouseService
{
public:
    QPointF mousePos() const override { return position; }
    QPointF position;
};
class RecordingMessageBoxService : public IMessageBoxService
{
public:
    void showMessage(const QString &text) override { messages.append(text); }
    QStringList messages;
};

// Installs a service for the lifetime of the guard (tests).
template<class Service, void (*Set)(Service *)> class ScopedService
{
public:
    explicit ScopedService(Service *service) { Set(service); }
    ~ScopedService() { Set(nullptr); }
    ScopedService(const ScopedService &) = delete;
    ScopedService &operator=(const ScopedService &) = delete;
};
using ScopedClipboard = ScopedService<IClipboardService, &setClipboardService>;
using ScopedMouse = ScopedService<IMouseService, &setMouseService>;
using ScopedMessageBox = ScopedService<IMessageBoxService, &setMessageBoxService>;

} // namespace vantor
