// vantor-tool styles: what a form's own style book gives its load. Prints
// the book, the platform of the load, the styles read (name, size of the
// stream, class of the style's root) or the reason the resource did not
// read; with a style's name also that style's object tree as text ("*":
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

