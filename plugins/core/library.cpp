#include "library.h"

#include "core/pngfile.h"

#include "framework/forms.h"
#include "framework/reader.h"
#include "streams/encoding.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/stringlist.h"
#include "streams/texttobinary.h"
#include "support/paths.h"

#include "vantor/plugin.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

namespace vantor::plugin {

namespace {

void writeError(unsigned char *buffer, std::intptr_t capacity, const std::string &utf8)
{
    if (!buffer || capacity <= 0)
        return;
    const std::string ansi = enc::utf8ToAnsi(utf8);
    const std::size_t n = std::min<std::size_t>({ansi.size(), std::size_t(capacity), 255});
    buffer[0] = static_cast<unsigned char>(n);
    std::memcpy(buffer + 1, ansi.data(), n);
}

// With VANTOR_PLUGIN_LOG naming a file, every block a library could not
// read is noted there (library, class, reason), so that a sweep over many
// forms can count them.
void logFailure(const Library &library, const std::string &cls, const std::string &reason)
{
    const char *path = std::getenv("VANTOR_PLUGIN_LOG");
    if (!path || !*path)
        return;
    if (FILE *f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\t%s\t%s\n", library.moduleName, cls.c_str(), reason.c_str());
        std::fclose(f);
    }
}

bool isFrameworkClass(const Library &library, const std::string &name)
{
    return std::any_of(library.frameworkClasses.begin(), library.frameworkClasses.end(),
                       [&](const char *n) { return sameText(n, name); });
}

bool readsChildrenAsText(const Library &library, const std::string &name)
{
    return std::any_of(library.childrenAsText.begin(), library.childrenAsText.end(),
                       [&](const char *n) { return sameText(n, name); });
}

void ensureRegistered(const Library &library)
{
    // Each library calls this with its one Library object.
    static std::vector<const Library *> done;
    if (std::find(done.begin(), done.end(), &library) != done.end())
        return;
    if (library.registerClasses)
        library.registerClasses();
    done.push_back(&library);
}

QSizeF sizeOf(TComponent *container)
{
    if (auto *form = object_cast<TCommonCustomForm>(container))
        return form->clientSize();
    if (auto *control = object_cast<TControl>(container))
        return QSizeF(control->Width(), control->Height());
    return QSizeF(640, 480);
}

// The client size of the form a block is laid out in. The viewer renames
// its placeholder to the block's name and "2222" before it asks, and lays
// the placeholder out as the block's control would be: an aligned block
// gets the placeholder's size (and its margins around it), so that a
// control aligned to fill or to an edge is pictured at the size it has
// among its siblings; any other block the size of the placeholder's
// parent; without a placeholder, the container the viewer names.
QSizeF layoutArea(TComponent *container, const QString &name)
{
    if (!container)
        return QSizeF(640, 480);
    auto *placeholder = name.isEmpty() ? nullptr
                                       : object_cast<TControl>(container->FindComponent(name + QStringLiteral("2222")));
    if (!placeholder)
        return sizeOf(container);
    if (placeholder->Align() != TAlignLayout::None) {
        const QMarginsF m = placeholder->Margins()->margins();
        return QSizeF(placeholder->Width() + m.left() + m.right(), placeholder->Height() + m.top() + m.bottom());
    }
    if (auto *parent = object_cast<TControl>(placeholder->Parent()))
        return sizeOf(parent);
    return sizeOf(container);
}

double number(const BlockNode &node, const char *path)
{
    const BlockValue *v = node.find(QString::fromUtf8(path));
    if (!v || v->kind != BlockValue::Kind::Plain)
        return 0;
    bool ok = false;
    const double d = v->text.toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

// Where the component sits in its container: its design place (Left, Top)
// or its position.
QPointF placeOf(const BlockNode &node)
{
    if (node.find(QStringLiteral("Left")) || node.find(QStringLiteral("Top")))
        return QPointF(number(node, "Left"), number(node, "Top"));
    return QPointF(number(node, "Position.X"), number(node, "Position.Y"));
}

// The block without the blocks of its nested components.
std::vector<std::string> withoutChildren(const std::vector<std::string> &lines)
{
    std::vector<std::string> out;
    int skipping = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        const std::size_t indent = line.find_first_not_of(' ');
        const std::string_view rest = indent == std::string::npos ? std::string_view() : std::string_view(line).substr(indent);
        if (skipping >= 0) {
            if (int(indent) == skipping && (rest == "end" || rest == "End" || rest == "END"))
                skipping = -1;
            continue;
        }
        if (i > 0 && indent != std::string::npos &&
            (rest.substr(0, 7) == "object " || rest.substr(0, 7) == "Object " || rest.substr(0, 7) == "inline " ||
             rest.substr(0, 10) == "inherited ")) {
            skipping = int(indent);
            continue;
        }
        out.push_back(line);
    }
    return out;
}

TComponent *builtComponent(TComponent &form, const std::string &className)
{
    for (TComponent *c : form.components())
        if (sameText(c->ClassName().toStdString(), className))
            return c;
    return form.ComponentCount() > 0 ? form.Components(0) : nullptr;
}

// The window, never on the screen, that every form of the library is shown
// in. A form shown as a window of its own had the platform make a native
// window for each block and remove it again (on X11 a round trip to the
// server each time, most of a block's cost). Made once and kept until the
// program ends; the application unmakes its native window then.
QWidget &offScreenHost()
{
    static QPointer<QWidget> host;
    if (!host) {
        host = new QWidget;
        host->setAttribute(Qt::WA_DontShowOnScreen);
        host->resize(1, 1);
        host->show();
    }
    return *host;
}

void showOffScreen(TCommonCustomForm &form)
{
    // Shown, so that every peer has its geometry, but never on the screen:
    // a child of the off-screen window, without a window of its own.
    QWidget *peer = form.peer();
    QWidget &host = offScreenHost();
    if (peer->parentWidget() != &host)
        peer->setParent(&host);
    form.Show();
}

QImage controlPicture(const Library &library, TCommonCustomForm &form, TControl *control, int &margin)
{
    showOffScreen(form);
    if (library.beforePicture)
        library.beforePicture(control, margin);
    QWidget *peer = control->peer();
    // Without the widget's background: what the control does not paint stays
    // transparent and shows the form behind the picture.
    QImage image(std::max(1, peer->width() + 2 * margin), std::max(1, peer->height() + 2 * margin),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    peer->render(&image, QPoint(margin, margin), QRegion(), QWidget::DrawChildren);
    return image;
}

struct Built
{
    std::unique_ptr<TCommonCustomForm> form;
    QImage picture;
    QPointF place;
    TComponent *component = nullptr;
};

Built buildFramework(const Library &library, const std::string &cls, const std::vector<std::string> &lines,
                     TComponent *parent, QSizeF area)
{
    ensureRegistered(library);
    TStringList text;
    text.setEncoding(TEncoding::UTF8);
    text.add("object PlugInForm: TForm");
    for (const std::string &line : lines)
        text.add("  " + line);
    text.add("end");
    TMemoryStream textStream(text.saveToBytes());
    TMemoryStream binary;
    ObjectTextToBinary(textStream, binary);
    binary.setPosition(0);

    Built b;
    auto form = std::make_unique<TForm>(nullptr);
    form->setClientSize(area);
    TReader reader(binary);
    reader.ReadRootComponent(form.get());
    TComponent *built = builtComponent(*form, cls);
    if (!built)
        throw Exception("kein " + cls + " im Block");
    if (auto *control = object_cast<TControl>(built)) {
        int margin = 0;
        b.picture = controlPicture(library, *form, control, margin);
        b.place = control->Position()->point() - QPointF(margin, margin);
    } else if (library.actOnHost && library.actOnHost(built, parent)) {
        b.picture = QImage(1, 1, QImage::Format_ARGB32_Premultiplied);
        b.picture.fill(Qt::transparent);
        showOffScreen(*form);
    } else {
        QStringList lines{built->ClassName(), built->Name()};
        if (library.frameworkCardLines)
            lines = library.frameworkCardLines(built);
        b.picture = drawCard(lines);
        showOffScreen(*form);
    }
    b.component = built;
    b.form = std::move(form);
    return b;
}

void *build(const Library &library, const unsigned char *className, void *streamArg, void *parentArg,
            unsigned char *errorMessage, std::intptr_t errorCapacity)
{
    if (!className || !streamArg) {
        writeError(errorMessage, errorCapacity, std::string(library.moduleName) + ": keine Klasse oder kein Block");
        return nullptr;
    }
    const std::string cls =
        enc::ansiToUtf8(std::string_view(reinterpret_cast<const char *>(className + 1), className[0]));
    const bool framework = isFrameworkClass(library, cls);
    const bool card = library.cards && library.cards->find(QString::fromStdString(cls));
    if (!framework && !card) {
        writeError(errorMessage, errorCapacity, std::string(library.moduleName) + " baut keine " + cls);
        return nullptr;
    }
    auto *in = static_cast<TMemoryStream *>(streamArg);
    auto *parent = static_cast<TComponent *>(parentArg);

    Built b;
    QString name;
    try {
        TStringList block;
        block.loadFromBytes(in->data(), in->size());
        std::vector<std::string> lines;
        for (const TStringList::Item &line : block.items())
            lines.push_back(line.text);
        BlockNode node;
        if (card) {
            node = parseBlock(lines);
        } else {
            // The framework's reader has the last word on a framework class.
            try {
                node = parseBlock(lines);
            } catch (const Exception &) {
            }
        }
        name = node.name;
        b.place = placeOf(node);
        if (card) {
            checkPublished(*library.cards, node);
            b.picture = drawCard(cardLines(*library.cards, node));
            b.form = std::make_unique<TForm>(nullptr);
            showOffScreen(*b.form);
        } else {
            if (readsChildrenAsText(library, cls)) {
                if (library.cards)
                    for (const BlockNode &child : node.children)
                        checkPublished(*library.cards, child);
                lines = withoutChildren(lines);
            }
            const QPointF designPlace = b.place;
            b = buildFramework(library, cls, lines, parent, layoutArea(parent, name));
            if (!object_cast<TControl>(b.component))
                b.place = designPlace;
        }
    } catch (const std::exception &e) {
        // What cannot be read is shown as what it is and why.
        logFailure(library, cls, e.what());
        QStringList lines{QString::fromStdString(cls)};
        if (!name.isEmpty())
            lines << name;
        lines << QStringLiteral("Nicht lesbar:");
        QString reason = QString::fromStdString(e.what());
        while (!reason.isEmpty()) {
            lines << reason.left(56);
            reason = reason.mid(56);
        }
        const QPointF place = b.place;
        b = Built{};
        b.place = place;
        b.picture = drawCard(lines, true);
        b.form = std::make_unique<TForm>(nullptr);
        showOffScreen(*b.form);
    }

    const std::string path = AppDataDir() + "/" VANTOR_PLUGIN_PICTURE_FILE;
    if (!writeStoredPng(b.picture, path)) {
        writeError(errorMessage, errorCapacity, "Datei " + path + " kann nicht erstellt werden");
        return nullptr;
    }
    // The viewer places the picture at (Left - 30, Top - 60).
    b.form->SetLeft(std::int64_t(std::lround(b.place.x())) + 30);
    b.form->SetTop(std::int64_t(std::lround(b.place.y())) + 60);
    b.form->SetTag(reinterpret_cast<std::intptr_t>(b.component));
    return static_cast<TCommonCustomForm *>(b.form.release());
}

} // namespace

void *ClassListStream(const Library &library)
{
    auto *stream = new TMemoryStream;
    auto add = [&](const std::string &name) {
        stream->write(std::string_view(name));
        stream->write(std::string_view("\r\n"));
    };
    for (const char *name : library.frameworkClasses)
        add(name);
    if (library.cards)
        for (const CardClass &c : library.cards->classes())
            add(c.name.toStdString());
    return stream;
}

void *BuildControl(const Library &library, const unsigned char *className, void *stream, void *parent,
                   unsigned char *errorMessage, std::intptr_t errorCapacity)
{
    try {
        return build(library, className, stream, parent, errorMessage, errorCapacity);
    } catch (const std::exception &e) {
        // Only the picture file is left to fail here.
        writeError(errorMessage, errorCapacity, e.what());
        return nullptr;
    }
}

} // namespace vantor::plugin
