// vantor-tool open FILE: asks the running viewer to show a form file. Opens
// an X11 request window titled "Open:" and the file's absolute path and
// keeps it until the viewer has taken it up, ten seconds at most.

#include "commands.h"

#include "app/handoff.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The viewer reads at most 254 characters of a title.
constexpr std::size_t kMaxTitleLength = 254;

} // namespace

int runOpen(int argc, char **argv)
{
    int timeoutMs = 10000;
    int i = 0;
    if (argc >= 2 && std::strcmp(argv[0], "--timeout-ms") == 0) {
        timeoutMs = std::atoi(argv[1]);
        i = 2;
    }
    if (argc - i != 1 || timeoutMs <= 0) {
        std::fprintf(stderr, "usage: vantor-tool open [--timeout-ms MS] FILE\n");
        return 2;
    }
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(argv[i], ec).lexically_normal();
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        std::fprintf(stderr, "vantor-tool open: Datei nicht gefunden: %s\n", argv[i]);
        return 2;
    }
    const std::string title = "Open:" + path.string();
    if (title.size() > kMaxTitleLength) {
        std::fprintf(stderr, "vantor-tool open: Pfad zu lang (höchstens %zu Zeichen): %s\n",
                     kMaxTitleLength - 5, path.c_str());
        return 2;
    }
    switch (vantor::OpenHandOffRequest(title, timeoutMs)) {
    case vantor::HandOffResult::TakenUp:
        return 0;
    case vantor::HandOffResult::TimedOut:
        std::fprintf(stderr, "vantor-tool open: die Anfrage wurde von keinem Vantor abgeholt: %s\n", path.c_str());
        return 1;
    case vantor::HandOffResult::NoDisplay:
        std::fprintf(stderr, "vantor-tool open: keine X11-Anzeige\n");
        return 2;
    }
    return 2;
}
