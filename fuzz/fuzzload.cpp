#include "fuzzload.h"

#include "fuzzentries.h"

#include "framework/classes.h"
#include "framework/tasks.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "streams/errors.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vantor::fuzz {

namespace {

struct LoadSetting
{
    std::unique_ptr<QTemporaryDir> dir;
    std::string master;
    std::string variant;
};

LoadSetting &setting()
{
    static LoadSetting s = [] {
        if (!QCoreApplication::instance()) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "fuzz_load";
            static char *argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
        LoadSetting made;
        made.dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vantor-fuzz-load-XXXXXX"));
        const std::string folder = made.dir->path().toStdString();
        made.master = folder + "/Fuzzed.fmx";
        made.variant = folder + "/Fuzzed.iPad.fmx";
        return made;
    }();
    return s;
}

void writeFile(const std::string &path, std::string_view bytes)
{
    if (FILE *f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

} // namespace

void wholeLoad(const std::uint8_t *data, std::size_t size)
{
    LoadSetting &s = setting();
    const std::string_view all(reinterpret_cast<const char *>(data), size);
    const std::string_view separator(kVariantSeparator);
    const std::size_t at = all.find(separator);
    std::remove(s.variant.c_str());
    writeFile(s.master, all.substr(0, at));
    if (at != std::string_view::npos)
        writeFile(s.variant, all.substr(at + separator.size()));
    const std::string &file = at == std::string_view::npos ? s.master : s.variant;

    for (bool runtimeView : {true, false}) {
        TComponent owner(nullptr);
        TDFMView view;
        view.FormOwner = &owner;
        try {
            if (view.GetDynaForm(file, runtimeView) && view.slMissing.count() > 0)
                view.SetMissingClasses(view.FormDyna, runtimeView);
        } catch (const Exception &) {
        }
        TTask::WaitForAll();
        QCoreApplication::processEvents();
    }
}

} // namespace vantor::fuzz
