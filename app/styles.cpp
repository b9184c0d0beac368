#include "app/styles.h"

#include "app/mainwindow.h"
#include "app/storedlayout.h"
#include "framework/controls/nonvisual.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

namespace vantor {

namespace {

QString readResource(const QString &resource, bool *found = nullptr)
{
    initAppResources();
    QFile file(resource);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (found)
        *found = ok;
    return ok ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

QString styleSheetOfBook(const TStyleBook *book)
{
    if (!book)
        return {};
    // Each book is bound to its look by name; the looks live beside the
    // program's other resources rather than inside the layout.
    static const struct
    {
        const char *book;
        const char *resource;
    } kBooks[] = {
        {"StyleBookMac", ":/styles/macos.qss"},
        {"StyleBookAndroid", ":/styles/android.qss"},
        {"StyleBookiPhonePadModern", ":/styles/ios.qss"},
        {"StyleBookStd", ":/styles/std.qss"},
    };
    for (const auto &entry : kBooks)
        if (book->Name() == QLatin1String(entry.book))
            return readResource(QString::fromLatin1(entry.resource));
    return {};
}

bool SetApplicationStyleFromResource(const QString &resource)
{
    bool found = false;
    const QString sheet = readResource(resource, &found);
    if (!found)
        return false;
    // Setting a sheet repolishes every widget, even when it is the same one.
    if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance()); app && app->styleSheet() != sheet)
        app->setStyleSheet(sheet);
    return true;
}

void ApplyStyleBook(TF_FMXWindowDisplay &window)
{
    const auto *book = object_cast<TStyleBook>(window.StyleBook());
    const QString sheet = styleSheetOfBook(book);
    if (window.peer()->styleSheet() != sheet)
        window.peer()->setStyleSheet(sheet);
}

void ApplyPlatformStyle(TF_FMXWindowDisplay &window, const std::string &platform)
{
    if (platform == "iPad") {
        window.SetStyleBook(nullptr);
        window.SetStyleBook(window.StyleBookiPhonePadModern);
    } else if (platform == "Android") {
        window.SetStyleBook(nullptr);
        window.SetStyleBook(window.StyleBookAndroid);
    } else if (platform == "Mac") {
        window.SetStyleBook(window.StyleBookMac);
    } else if (platform == "Windows") {
        window.SetStyleBook(nullptr);
        SetApplicationStyleFromResource(QString::fromLatin1(kWin8StyleResource));
    } else {
        return;
    }
    ApplyStyleBook(window);
}

} // namespace vantor
