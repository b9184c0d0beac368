// peer_agreement [--list] DIR|FILE...: compares Vantor's conversions with the
// Free Pascal peer's on every .fmx below the given folders and prints how many
// agree. With --list, every form that does not agree is named with the reason.
#include "peercompare.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using vantor::peer::Verdict;

int main(int argc, char **argv)
{
    bool list = false;
    std::vector<fs::path> forms;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            list = true;
            continue;
        }
        std::error_code error;
        if (fs::is_directory(arg, error)) {
            for (const auto &entry : fs::recursive_directory_iterator(arg, error)) {
                std::string ext = entry.path().extension().string();
                std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
                if (entry.is_regular_file() && ext == ".fmx")
                    forms.push_back(entry.path());
            }
        } else if (fs::is_regular_file(arg, error)) {
            forms.push_back(arg);
        } else {
            std::fprintf(stderr, "peer_agreement: %s: not found\n", arg.c_str());
            return 2;
        }
    }
    if (forms.empty()) {
        std::fprintf(stderr, "usage: peer_agreement [--list] DIR|FILE...\n");
        return 2;
    }
    std::sort(forms.begin(), forms.end());

    const fs::path workDir = fs::temp_directory_path() / ("vantor-agreement-" + std::to_string(getpid()));
    vantor::peer::FpcPeer peer(VANTOR_FPCONV, workDir.string());
    if (!peer.available()) {
        std::fprintf(stderr, "peer_agreement: the Free Pascal peer is not built (%s)\n", VANTOR_FPCONV);
        return 2;
    }

    std::map<Verdict, int> counts;
    int byteIdentical = 0;
    int suffixesStripped = 0;
    for (const fs::path &form : forms) {
        std::ifstream file(form, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(file), {});
        const auto result = vantor::peer::compareForm(peer, text);
        ++counts[result.verdict];
        byteIdentical += result.verdict == Verdict::Agree && result.byteIdentical;
        suffixesStripped += result.verdict == Verdict::Agree && result.suffixesStripped;
        if (list && result.verdict != Verdict::Agree) {
            std::string detail = result.detail.substr(0, 200);
            std::replace(detail.begin(), detail.end(), '\n', ' ');
            std::printf("%s: %s: %s\n", form.string().c_str(), vantor::peer::verdictName(result.verdict), detail.c_str());
        }
    }
    std::error_code ignored;
    fs::remove_all(workDir, ignored);

    const int total = static_cast<int>(forms.size());
    std::printf("forms: %d\n", total);
    for (const auto &[verdict, count] : counts)
        std::printf("  %-40s %d\n", vantor::peer::verdictName(verdict), count);
    const int readByBoth = total - counts[Verdict::PeerRejectsText] - counts[Verdict::VantorRejectsText]
                           - counts[Verdict::BothReject];
    std::printf("agreement: %d of %d forms that both read (%d of them round-trip byte for byte; "
                "%d compared without their s/c/d float suffixes)\n",
                counts[Verdict::Agree], readByBoth, byteIdentical, suffixesStripped);
    return 0;
}
