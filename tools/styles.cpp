// vantor-tool styles: what a form's own style book gives its load. Prints
// the book, the platform of the load, the styles read (name, size of the
// stream, class of the style's root) or the reason the resource did not
// read, and every item of every book the form holds with the number of
// styles it reads to (or why it does not); with a style's name also that style's object tree as text ("*":
// every style's).

#include "commands.h"
#include "headless.h"

#include "framework/controls/nonvisual.h"
#include "framework/forms.h"
#include "framework/stylebook.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "streams/binarytotext.h"
#include "streams/objectstream.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace vantor;

int runStyles(int argc, char **argv)
{
    bool runtimeView = true;
    std::string file;
    std::string wanted;
    if (!tools::parseViewArgs(argc, argv, 2, runtimeView, file, &wanted)
        && !tools::parseViewArgs(argc, argv, 1, runtimeView, file, nullptr)) {
        std::fprintf(stderr, "usage: vantor-tool styles [--design-time] FILE [STYLE]\n");
        return 2;
    }
    try {
        tools::ensureApplication();
        TComponent formOwner(nullptr);
        TDFMView view;
        const tools::LoadOutcome outcome = tools::runLoad(view, formOwner, file, runtimeView);
        if (outcome.status != tools::LoadOutcome::Status::Built || !view.FormDyna) {
            std::fprintf(stderr, "%s: the form was not built\n", file.c_str());
            return 1;
        }
        // Every item of every style book the form holds, read whatever the
        // platform: "item: BOOK PLATFORM N" (styles read) or the reason.
        for (TComponent *component : view.FormDyna->components()) {
            const auto *held = object_cast<TStyleBook>(component);
            if (!held)
                continue;
            for (int i = 0; i < held->Styles()->Count(); ++i) {
                const auto *item = object_cast<TStyleCollectionItem>(held->Styles()->Items(i));
                if (!item || item->ResourcesBin().isEmpty())
                    continue;
                const QByteArray blob = item->ResourcesBin();
                std::printf("item: %s '%s' ", held->Name().toStdString().c_str(),
                            item->Platform().toStdString().c_str());
                try {
                    const StyleResource read = ReadStyleResource(
                        {reinterpret_cast<const std::uint8_t *>(blob.constData()), std::size_t(blob.size())});
                    std::printf("%zu\n", read.styles.size());
                } catch (const std::exception &e) {
                    std::printf("error %s\n", e.what());
                }
            }
        }
        auto *book = object_cast<TStyleBook>(view.FormDyna->StyleBook());
        if (!book) {
            std::printf("book: none\n");
            return 0;
        }
        const auto styles = book->ReadStyles();
        std::printf("book: %s\nplatform: %s\n", book->Name().toStdString().c_str(), book->StylePlatform().c_str());
        if (!styles->error().isEmpty()) {
            std::printf("error: %s\n", styles->error().toStdString().c_str());
            return 0;
        }
        for (const StyleResourceEntry &entry : styles->resource().styles) {
            std::string rootClass = "?";
            try {
                ObjectReader peek(entry.stream.data(), entry.stream.size());
                peek.readSignature();
                rootClass = peek.readComponentHeader().className;
            } catch (const std::exception &) {
            }
            std::printf("style: %s %zu %s\n", entry.name.c_str(), entry.stream.size(), rootClass.c_str());
        }
        if (wanted == "*") {
            for (const StyleResourceEntry &entry : styles->resource().styles)
                std::printf("%s", binaryToText(entry.stream).c_str());
        } else if (!wanted.empty()) {
            const StyleResourceEntry *entry = styles->find(QString::fromStdString(wanted));
            if (!entry) {
                std::fprintf(stderr, "%s: no style %s\n", file.c_str(), wanted.c_str());
                return 1;
            }
            std::printf("%s", binaryToText(entry->stream).c_str());
        }
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool styles: %s\n", e.what());
        return 2;
    }
}

