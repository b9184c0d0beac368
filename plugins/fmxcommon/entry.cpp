// FMXCommon.dll: builds controls of the framework's own classes that forms
// use often and the viewer's known list lacks (see commonclasses.h), through
// the plug-in interface of vantor/plugin.h.

#include "commonclasses.h"

#include "framework/forms.h"
#include "framework/reader.h"
#include "streams/encoding.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/stringlist.h"
#include "streams/texttobinary.h"
#include "support/paths.h"

#include "vantor/plugin.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#define FMXCOMMON_EXPORT extern "C" __attribute__((visibility("default")))

using namespace vantor;
using namespace vantor::fmxcommon;

namespace {

const char *const kModuleName = "FMXCommon.dll";

void ensureRegistered()
{
    static bool done = false;
    if (!done) {
        registerCommonClasses();
        done = true;
    }
}

bool isOurClass(const std::string &name)
{
    const auto &names = commonClassNames();
    return std::any_of(names.begin(), names.end(), [&](const char *n) { return sameText(n, name); });
}

void writeError(unsigned char *buffer, intptr_t capacity, const std::string &utf8)
{
    if (!buffer || capacity <= 0)
        return;
    const std::string ansi = enc::utf8ToAnsi(utf8);
    const std::size_t n = std::min<std::size_t>({ansi.size(), std::size_t(capacity), 255});
    buffer[0] = static_cast<unsigned char>(n);
    std::memcpy(buffer + 1, ansi.data(), n);
}

QSizeF sizeOf(TComponent *container)
{
    if (auto *form = object_cast<TCommonCustomForm>(container))
        return form->clientSize();
    if (auto *control = object_cast<TControl>(container))
        return QSizeF(control->Width(), control->Height());
    return QSizeF(640, 480);
}

// The component of the built class: the block's own header is the first
// component the reader created.
TComponent *builtComponent(TComponent &form, const std::string &className)
{
    for (TComponent *c : form.components())
        if (sameText(c->ClassName().toStdString(), className))
            return c;
    return form.ComponentCount() > 0 ? form.Components(0) : nullptr;
}

// A small card naming a non-visual component.
QImage nonVisualPicture(TComponent *component)
{
    const QStringList lines = nonVisualCaption(component);
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    QImage image(width + 16, metrics.height() * int(lines.size()) + 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x70, 0x70, 0x90));
    p.setBrush(QColor(0xFF, 0xFB, 0xE6));
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 4, 4);
    p.setFont(font);
    p.setPen(QColor(0x30, 0x30, 0x40));
    for (int i = 0; i < lines.size(); ++i) {
        font.setBold(i == 0);
        p.setFont(font);
        p.drawText(8, 5 + metrics.ascent() + i * metrics.height(), lines[i]);
    }
    return image;
}

QImage controlPicture(TCommonCustomForm &form, TControl *control)
{
    // Shown, so that every peer has its geometry, but never on the screen.
    QWidget *window = form.peer();
    window->setAttribute(Qt::WA_DontShowOnScreen);
    form.Show();
    QWidget *peer = control->peer();
    // Without the widget's background: what the control does not paint stays
    // transparent and shows the form behind the picture.
    QImage image(std::max(1, peer->width()), std::max(1, peer->height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    peer->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void *build(const unsigned char *className, void *streamArg, void *parentArg, unsigned char *errorMessage,
            intptr_t errorCapacity)
{
    if (!className || !streamArg) {
        writeError(errorMessage, errorCapacity, std::string(kModuleName) + ": keine Klasse oder kein Block");
        return nullptr;
    }
    const std::string cls =
        enc::ansiToUtf8(std::string_view(reinterpret_cast<const char *>(className + 1), className[0]));
    if (!isOurClass(cls)) {
        writeError(errorMessage, errorCapacity, std::string(kModuleName) + " baut keine " + cls);
        return nullptr;
    }
    ensureRegistered();

    auto *in = static_cast<TMemoryStream *>(streamArg);
    TStringList block;
    block.loadFromBytes(in->data(), in->size());
    if (block.empty()) {
        writeError(errorMessage, errorCapacity, std::string(kModuleName) + ": leerer Block für " + cls);
        return nullptr;
    }
    // The block becomes the only child of a form of its own.
    TStringList text;
    text.setEncoding(TEncoding::UTF8);
    text.add("object PlugInForm: TForm");
    for (const TStringList::Item &line : block.items())
        text.add("  " + line.text);
    text.add("end");
    TMemoryStream textStream(text.saveToBytes());
    TMemoryStream binary;
    ObjectTextToBinary(textStream, binary);
    binary.setPosition(0);

    auto form = std::make_unique<TForm>(nullptr);
    auto *parent = static_cast<TComponent *>(parentArg);
    form->setClientSize(parent ? sizeOf(parent) : QSizeF(640, 480));
    TReader reader(binary);
    reader.ReadRootComponent(form.get());

    TComponent *built = builtComponent(*form, cls);
    if (!built) {
        writeError(errorMessage, errorCapacity, std::string(kModuleName) + ": kein " + cls + " im Block");
        return nullptr;
    }
    QImage picture;
    QPointF place;
    if (auto *control = object_cast<TControl>(built)) {
        picture = controlPicture(*form, control);
        place = control->Position()->point();
    } else {
        picture = nonVisualPicture(built);
        const PropValue left = built->storedValue(QStringLiteral("Left"));
        const PropValue top = built->storedValue(QStringLiteral("Top"));
        place = QPointF(std::holds_alternative<std::int64_t>(left) ? double(std::get<std::int64_t>(left)) : 0,
                        std::holds_alternative<std::int64_t>(top) ? double(std::get<std::int64_t>(top)) : 0);
        QWidget *window = form->peer();
        window->setAttribute(Qt::WA_DontShowOnScreen);
        form->Show();
    }
    const std::string path = AppDataDir() + "/" VANTOR_PLUGIN_PICTURE_FILE;
    if (!picture.save(QString::fromStdString(path), "PNG")) {
        writeError(errorMessage, errorCapacity, "Datei " + path + " kann nicht erstellt werden");
        return nullptr;
    }
    // The viewer places the picture at (Left - 30, Top - 60).
    form->SetLeft(std::int64_t(std::lround(place.x())) + 30);
    form->SetTop(std::int64_t(std::lround(place.y())) + 60);
    form->SetTag(reinterpret_cast<std::intptr_t>(built));
    return static_cast<TCommonCustomForm *>(form.release());
}

} // namespace

FMXCOMMON_EXPORT void *GetControlClassSupportList(void)
{
    auto *stream = new TMemoryStream;
    for (const char *name : commonClassNames()) {
        stream->write(std::string_view(name));
        stream->write(std::string_view("\r\n"));
    }
    return stream;
}

FMXCOMMON_EXPORT void *GetWinControlFromClass(const unsigned char *className, void *stream, void *parent,
                                              unsigned char *errorMessage, intptr_t errorCapacity)
{
    try {
        return build(className, stream, parent, errorMessage, errorCapacity);
    } catch (const std::exception &e) {
        // The viewer lists it as "Fehler: " and the message.
        writeError(errorMessage, errorCapacity, e.what());
        return nullptr;
    }
}
