#include "peercompare.h"

#include "streams/binarytotext.h"
#include "streams/encoding.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "streams/texttobinary.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace vantor::peer {

namespace {

void writeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Runs program with args, stdout and stderr to files; returns the exit code or -1.
int spawn(const std::vector<std::string> &args, const std::string &outPath, const std::string &errPath)
{
    std::vector<char *> argv;
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::string bytesOf(const TMemoryStream &stream)
{
    return std::string(stream.bytes().begin(), stream.bytes().end());
}

struct VantorResult
{
    bool ok = false;
    std::string output;
    std::string error;
};

template<typename Convert>
VantorResult vantorConvert(std::string_view input, Convert convert)
{
    VantorResult result;
    try {
        TMemoryStream in(std::vector<std::uint8_t>(input.begin(), input.end()));
        TMemoryStream out;
        convert(in, out);
        result.output = bytesOf(out);
        result.ok = true;
    } catch (const Exception &error) {
        result.error = error.what();
    }
    return result;
}

VantorResult vantorTextToBinary(std::string_view text)
{
    return vantorConvert(text, [](TMemoryStream &in, TMemoryStream &out) { ObjectTextToBinary(in, out); });
}

VantorResult vantorBinaryToText(std::string_view stream)
{
    return vantorConvert(stream, [](TMemoryStream &in, TMemoryStream &out) { ObjectBinaryToText(in, out); });
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Appends the UTF-16 units of code point cp as #codes.
void appendCodes(std::string &out, char32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += '#' + std::to_string(0xD800 + (cp >> 10));
        out += '#' + std::to_string(0xDC00 + (cp & 0x3FF));
    } else {
        out += '#' + std::to_string(static_cast<unsigned>(cp));
    }
}

} // namespace

FpcPeer::FpcPeer(std::string program, std::string workDir)
    : m_program(std::move(program)), m_workDir(std::move(workDir))
{
    std::error_code ignored;
    std::filesystem::create_directories(m_workDir, ignored);
}

bool FpcPeer::available() const
{
    std::error_code ignored;
    return !m_program.empty() && std::filesystem::is_regular_file(m_program, ignored);
}

FpcPeer::Result FpcPeer::run(const char *mode, std::string_view input) const
{
    const std::string in = m_workDir + "/in", out = m_workDir + "/out", err = m_workDir + "/err";
    writeFile(in, input);
    std::filesystem::remove(out);
    Result result;
    const int code = spawn({m_program, mode, in, out}, m_workDir + "/stdout", err);
    result.ok = code == 0;
    if (result.ok)
        result.output = readFile(out);
    else
        result.error = code < 0 ? "peer did not run" : readFile(err);
    while (!result.error.empty() && (result.error.back() == '\n' || result.error.back() == '\r'))
        result.error.pop_back();
    return result;
}

double FpcPeer::timeConversion(bool toBinary, const std::string &path, int repeats) const
{
    const std::string out = m_workDir + "/seconds";
    const int code = spawn({m_program, toBinary ? "bench-t2b" : "bench-b2t", path, std::to_string(repeats)},
                           out, m_workDir + "/err");
    if (code != 0)
        return -1;
    return std::strtod(readFile(out).c_str(), nullptr);
}

const char *verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Agree: return "agree";
    case Verdict::PeerRejectsText: return "peer rejects text";
    case Verdict::VantorRejectsText: return "Vantor rejects text";
    case Verdict::BothReject: return "both reject";
    case Verdict::PeerCannotRender: return "peer cannot print single/currency/date";
    case Verdict::TextDiffers: return "printed streams differ";
    case Verdict::RoundTripFails: return "round trip differs";
    }
    return "?";
}

std::string normaliseFloats(std::string_view text, int digits)
{
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\'') {
            quoted = !quoted; // a doubled quote toggles twice
            out += c;
            ++i;
            continue;
        }
        // A number starts a token: after " = ", a blank, "(" or at a line start.
        const bool tokenStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\n' || text[i - 1] == '(';
        if (quoted || !tokenStart || !(isDigit(c) || c == '-' || c == '+')) {
            out += c;
            ++i;
            continue;
        }
        std::size_t j = i + ((c == '-' || c == '+') ? 1 : 0);
        std::size_t digitsStart = j;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        bool isFloat = false;
        if (j > digitsStart && j < text.size() && text[j] == '.') {
            isFloat = true;
            ++j;
            while (j < text.size() && isDigit(text[j]))
                ++j;
        }
        if (j > digitsStart && j < text.size() && (text[j] == 'E' || text[j] == 'e')) {
            std::size_t k = j + 1;
            if (k < text.size() && (text[k] == '+' || text[k] == '-'))
                ++k;
            if (k < text.size() && isDigit(text[k])) {
                isFloat = true;
                j = k;
                while (j < text.size() && isDigit(text[j]))
                    ++j;
            }
        }
        if (isFloat && j < text.size() && (text[j] == 's' || text[j] == 'c' || text[j] == 'd'))
            ++j; // the suffix names the stored type, not the value
        if (!isFloat) {
            out.append(text.substr(i, j - i > 0 ? j - i : 1));
            i += j - i > 0 ? j - i : 1;
            continue;
        }
        const std::string number(text.substr(i, j - i));
        const double value = std::strtod(number.c_str(), nullptr);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value == 0 ? 0.0 : value);
        out += buffer;
        out += '~'; // keeps a float apart from an integer of the same value
        i = j;
    }
    return out;
}

std::string normaliseCodePage(std::string_view text)
{
    // Windows-1252 at 0x80..0x9F; 0 where the code page leaves a byte unassigned.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
        0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\'')
            quoted = !quoted;
        if (quoted || c != '#') {
            out += c;
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        while (j < text.size() && isDigit(text[j]))
            ++j;
        const int code = j > i + 1 && j - i <= 6 ? std::atoi(std::string(text.substr(i + 1, j - i - 1)).c_str()) : -1;
        if (code >= 0x80 && code <= 0x9F && kHigh[code - 0x80] != 0)
            out += '#' + std::to_string(static_cast<unsigned>(kHigh[code - 0x80]));
        else
            out.append(text.substr(i, j - i));
        i = j;
    }
    return out;
}

std::string peerInput(const std::string &text)
{
    if (text.size() < 3 || text.compare(0, 3, "\xEF\xBB\xBF") != 0)
        return text;
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    for (std::size_t i = 3; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\'') {
            quoted = !quoted;
            out += '\'';
            ++i;
            continue;
        }
        if (!quoted || byte < 0x80) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        // Decode one UTF-8 sequence; a malformed byte stands for itself.
        int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        char32_t cp = length == 4 ? byte & 0x07 : length == 3 ? byte & 0x0F : length == 2 ? byte & 0x1F : byte;
        bool valid = length > 1 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!valid) {
            length = 1;
            cp = byte;
        }
        // A character of the code page goes as its byte, as Vantor stores it
        // in a byte string; anything else as #codes, which make a wide string.
        const std::string ansi = valid ? enc::utf8ToAnsi(text.substr(i, static_cast<std::size_t>(length))) : std::string();
        if (ansi.size() == 1 && ansi != "?") {
            out += ansi;
        } else {
            out += '\'';
            appendCodes(out, cp);
            out += '\'';
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

std::string firstDifference(std::string_view a, std::string_view b)
{
    std::size_t line = 1, start = 0;
    for (std::size_t i = 0;; ++i) {
        const bool endA = i >= a.size(), endB = i >= b.size();
        if (endA && endB)
            return {};
        if (endA || endB || a[i] != b[i]) {
            const auto lineOf = [&](std::string_view s) {
                std::size_t end = s.find('\n', start);
                return std::string(s.substr(std::min(start, s.size()), end == std::string_view::npos ? std::string_view::npos : end - start));
            };
            return "line " + std::to_string(line) + ": <" + lineOf(a) + "> | <" + lineOf(b) + ">";
        }
        if (a[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
}

namespace {

Comparison compareOnce(const FpcPeer &peer, const std::string &text)
{
    Comparison result;
    const VantorResult ours = vantorTextToBinary(text);
    const FpcPeer::Result theirs = peer.textToBinary(peerInput(text));
    if (!ours.ok || !theirs.ok) {
        result.verdict = !ours.ok && !theirs.ok ? Verdict::BothReject
                         : ours.ok              ? Verdict::PeerRejectsText
                                                : Verdict::VantorRejectsText;
        result.detail = ours.ok ? theirs.error : ours.error;
        return result;
    }

    // (a) Both streams printed by the peer.
    const FpcPeer::Result theirsPrinted = peer.binaryToText(theirs.output);
    const FpcPeer::Result oursPrinted = peer.binaryToText(ours.output);
    if (!theirsPrinted.ok) {
        result.verdict = Verdict::BothReject;
        result.detail = "peer cannot print its own stream: " + theirsPrinted.error;
        return result;
    }
    if (!oursPrinted.ok) {
        const bool otherFloat = oursPrinted.error.find("streamed property: 15") != std::string::npos
                                || oursPrinted.error.find("streamed property: 16") != std::string::npos
                                || oursPrinted.error.find("streamed property: 17") != std::string::npos;
        result.verdict = otherFloat ? Verdict::PeerCannotRender : Verdict::TextDiffers;
        result.detail = oursPrinted.error;
        return result;
    }
    // Vantor's 80-bit floats come from doubles, the peer's straight from the
    // decimal text: equal once both are read back as doubles.
    const std::string a = normaliseFloats(normaliseCodePage(oursPrinted.output), 17);
    const std::string b = normaliseFloats(normaliseCodePage(theirsPrinted.output), 17);
    if (a != b) {
        result.verdict = Verdict::TextDiffers;
        result.detail = firstDifference(a, b);
        return result;
    }

    // (b) The peer's stream through Vantor's text and back.
    const VantorResult printed = vantorBinaryToText(theirs.output);
    if (!printed.ok) {
        result.verdict = Verdict::RoundTripFails;
        result.detail = "Vantor cannot print the peer's stream: " + printed.error;
        return result;
    }
    const VantorResult back = vantorTextToBinary(printed.output);
    if (!back.ok) {
        result.verdict = Verdict::RoundTripFails;
        result.detail = "Vantor cannot read its own text: " + back.error;
        return result;
    }
    if (back.output == theirs.output) {
        result.byteIdentical = true;
        return result;
    }
    // Not byte for byte: accept only a difference in the last digits of
    // 80-bit floats, which Vantor prints with at most 16 significant digits.
    // Such a stream has the same length (a value of another type would not).
    if (back.output.size() != theirs.output.size()) {
        result.verdict = Verdict::RoundTripFails;
        result.detail = "stream of " + std::to_string(back.output.size()) + " bytes instead of "
                        + std::to_string(theirs.output.size());
        return result;
    }
    const FpcPeer::Result backPrinted = peer.binaryToText(back.output);
    if (!backPrinted.ok) {
        result.verdict = Verdict::RoundTripFails;
        result.detail = "peer cannot print Vantor's round trip: " + backPrinted.error;
        return result;
    }
    const std::string c = normaliseFloats(normaliseCodePage(backPrinted.output), 15);
    const std::string d = normaliseFloats(normaliseCodePage(theirsPrinted.output), 15);
    if (c != d) {
        result.verdict = Verdict::RoundTripFails;
        result.detail = firstDifference(c, d);
    }
    return result;
}

} // namespace

std::string stripFloatSuffixes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        out += c;
        if (c == '\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted || !isDigit(c))
            continue;
        // A suffix directly after the digits of a number that started a token.
        std::size_t start = i;
        while (start > 0 && (isDigit(text[start - 1]) || text[start - 1] == '.'))
            --start;
        if (start > 0 && (text[start - 1] == '-' || text[start - 1] == '+'))
            --start;
        const bool tokenStart = start == 0 || text[start - 1] == ' ' || text[start - 1] == '\n' || text[start - 1] == '(';
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const char after = i + 2 < text.size() ? text[i + 2] : '\0';
        const bool endsToken = after == '\0' || after == '\r' || after == '\n' || after == ' ' || after == ')';
        if (tokenStart && (next == 's' || next == 'c' || next == 'd') && endsToken)
            ++i; // drop the suffix
    }
    return out;
}

Comparison compareForm(const FpcPeer &peer, const std::string &text)
{
    Comparison result = compareOnce(peer, text);
    if (result.verdict != Verdict::PeerCannotRender)
        return result;
    // The peer stores every float as an 80-bit extended and cannot print
    // Vantor's single, currency and date values: compare the rest of the form
    // with the suffixes taken off, so both store extended.
    const std::string plain = stripFloatSuffixes(text);
    if (plain == text)
        return result;
    Comparison retry = compareOnce(peer, plain);
    if (retry.verdict == Verdict::PeerCannotRender)
        return result;
    retry.suffixesStripped = true;
    return retry;
}

} // namespace vantor::peer
