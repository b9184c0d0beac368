#include "framework/platform.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

namespace vantor {

namespace {

QtClipboardService g_qtClipboard;
QtMouseService g_qtMouse;
QtMessageBoxService g_qtMessageBox;
IClipboardService *g_clipboard = nullptr;
IMouseService *g_mouse = nullptr;
IMessageBoxService *g_messageBox = nullptr;

} // namespace

IClipboardService &clipboardService() { return g_clipboard ? *g_clipboard : g_qtClipboard; }
IMouseService &mouseService() { return g_mouse ? *g_mouse : g_qtMouse; }
IMessageBoxService &messageBoxService() { return g_messageBox ? *g_messageBox : g_qtMessageBox; }
void setClipboardService(IClipboardService *service) { g_clipboard = service; }
void setMouseService(IMouseService *service) { g_mouse = service; }
void setMessageBoxService(IMessageBoxService *service) { g_messageBox = service; }

void ShowMessage(const QString &text)
{
    messageBoxService().showMessage(text);
}

void QtClipboardService::setText(const QString &text)
{
    if (QClipboard *cb = QGuiApplication::clipboard())
        cb->setText(text);
}

QString QtClipboardService::text() const
{
    QClipboard *cb = QGuiApplication::clipboard();
    return cb ? cb->text() : QString();
}

QPointF QtMouseService::mousePos() const
{
    return QPointF(QCursor::pos());
}

void QtMessageBoxService::showMessage(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace vantor
