#include "support/inifile.h"

#include "streams/memorystream.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

// One line of the file, without its line break.
struct Line
{
    std::string_view text;
    std::size_t begin = 0; // offset of the line in the file
    std::size_t end = 0;   // offset just past its line break
};

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        const std::size_t next = eol == std::string_view::npos ? text.size() : eol + 1;
        if (eol == std::string_view::npos)
            eol = text.size();
        std::size_t stop = eol;
        if (stop > pos && text[stop - 1] == '\r')
            --stop;
        lines.push_back({text.substr(pos, stop - pos), pos, next});
        pos = next;
    }
    return lines;
}

std::string_view trim(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The section name of a "[name]" line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line)
{
    line = trim(line);
    return !line.empty() && line.front() == ';';
}

// The key of a "key=value" line, and its value.
bool splitEntry(std::string_view line, std::string_view &key, std::string_view &value)
{
    if (isComment(line))
        return false;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return true;
}

std::string oneLine(std::string_view s)
{
    std::string out(trim(s));
    for (char &c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

// False when fileName is no readable regular file. Never throws: a folder
// opens as a stream but fails (with an exception) on the first read.
bool readFile(const std::string &fileName, std::string &text)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec))
        return false;
    try {
        std::ifstream in(fileName, std::ios::binary);
        if (!in)
            return false;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::exception &) {
        return false;
    }
}

[[noreturn]] void cannotWrite(const std::string &fileName)
{
    throw EIniFileException(formatMessage(msg::IniFileWriteError, fileName));
}

} // namespace

std::string iniLookup(std::string_view text, std::string_view section, std::string_view key, bool *found)
{
    if (found)
        *found = false;
    bool inSection = false;
    for (const Line &line : splitLines(text)) {
        if (const auto name = sectionName(line.text)) {
            inSection = sameAscii(*name, section);
            continue;
        }
        std::string_view k, v;
        if (inSection && splitEntry(line.text, k, v) && sameAscii(k, key)) {
            if (found)
                *found = true;
            return std::string(v);
        }
    }
    return {};
}

std::string iniUpdate(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string sec = oneLine(section);
    const std::string k = oneLine(key);
    const std::string entry = k + '=' + oneLine(value);
    const std::vector<Line> lines = splitLines(text);
    // New lines take the line break the file already uses.
    const std::string eol = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";

    bool inSection = false;
    std::optional<std::size_t> sectionEnd; // where a new key of the section goes
    for (const Line &line : lines) {
        if (const auto name = sectionName(line.text)) {
            if (inSection)
                break; // the section ended without the key
            inSection = sameAscii(*name, sec);
            if (inSection)
                sectionEnd = line.end;
            continue;
        }
        if (!inSection)
            continue;
        std::string_view lk, lv;
        if (splitEntry(line.text, lk, lv) && sameAscii(lk, k)) {
            // The key keeps the spelling it has in the file.
            std::string out(text.substr(0, line.begin));
            out += std::string(lk) + '=' + oneLine(value);
            out += text.substr(line.begin + line.text.size());
            return out;
        }
        // Blank lines after the last entry stay behind the new key.
        if (!trim(line.text).empty())
            sectionEnd = line.end;
    }

    std::string out;
    if (sectionEnd) {
        out.assign(text.substr(0, *sectionEnd));
        if (!out.empty() && out.back() != '\n')
            out += eol;
        out += entry + eol;
        out += text.substr(*sectionEnd);
        return out;
    }
    out.assign(text);
    if (!out.empty() && out.back() != '\n')
        out += eol;
    out += '[' + sec + ']' + eol + entry + eol;
    return out;
}

std::string ReadIniString(const std::string &fileName, std::string_view section, std::string_view key,
                          std::string_view defaultValue)
{
    std::string text;
    if (!readFile(fileName, text))
        return std::string(defaultValue);
    bool found = false;
    std::string value = iniLookup(text, section, key, &found);
    return found ? value : std::string(defaultValue);
}

void WriteIniString(const std::string &fileName, std::string_view section, std::string_view key,
                    std::string_view value)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    // A settings file that is a link is written where the link points, so
    // the link stays.
    fs::path target(fileName);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec)
            cannotWrite(fileName);
        target = resolved;
    }

    std::string text;
    const bool exists = fs::exists(target, ec);
    if (exists && !readFile(target.string(), text))
        cannotWrite(fileName); // writing would lose what it holds
    const std::string updated = iniUpdate(text, section, key, value);

    // Write a temporary file beside it and move it over the old one.
    const fs::path temp = target.string() + ".tmp" + std::to_string(::getpid());
    mode_t mode = 0644;
    struct stat st{};
    if (exists && ::stat(target.c_str(), &st) == 0)
        mode = st.st_mode & 07777;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        cannotWrite(fileName);
    bool ok = writeAll(fd, updated.data(), updated.size());
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        cannotWrite(fileName);
    }
}

} // namespace vantor
