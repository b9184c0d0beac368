#include "commands.h"

#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/formfile.h"
#include "streams/memorystream.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vantor;

namespace {

// One line naming the file, unless the message names it already.
void report(const std::string &fileName, const char *message)
{
    if (std::string_view(message).find(fileName) != std::string_view::npos)
        std::fprintf(stderr, "%s\n", message);
    else
        std::fprintf(stderr, "%s: %s\n", fileName.c_str(), message);
}

constexpr std::uint16_t kResourceFlags = 0x1030; // moveable, pure, discardable

// The 16-bit resource header of a binary form file: FF, type 10, the root
// class name in upper case ended by a zero byte, flags, and the data size.
std::vector<std::uint8_t> resourceHeader(const std::vector<std::uint8_t> &stream)
{
    ObjectReader reader(stream);
    reader.readSignature();
    std::string name = reader.readComponentHeader().className;
    for (char &c : name)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    std::vector<std::uint8_t> header{0xFF, 0x0A, 0x00};
    header.insert(header.end(), name.begin(), name.end());
    header.push_back(0);
    header.push_back(std::uint8_t(kResourceFlags & 0xFF));
    header.push_back(std::uint8_t(kResourceFlags >> 8));
    const auto size = std::uint32_t(stream.size());
    for (int i = 0; i < 4; ++i)
        header.push_back(std::uint8_t(size >> (8 * i)));
    return header;
}

// The converted file in one or two pieces, written straight from the
// conversion's buffers.
struct Output
{
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> stream;
    std::string text;
};

// The input file's bytes, mapped where it can be (no zeroed buffer, no copy),
// else read; errors are readWholeFile's.
class InputFile
{
public:
    explicit InputFile(const std::string &fileName)
    {
        const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st{};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
            void *map = ::mmap(nullptr, std::size_t(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (map != MAP_FAILED) {
                m_map = map;
                m_bytes = {static_cast<const std::uint8_t *>(map), std::size_t(st.st_size)};
            }
        }
        if (fd >= 0)
            ::close(fd);
        if (!m_map) {
            m_read = readWholeFile(fileName);
            m_bytes = m_read;
        }
    }
    ~InputFile()
    {
        if (m_map)
            ::munmap(m_map, m_bytes.size());
    }
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    std::span<const std::uint8_t> bytes() const { return m_bytes; }

private:
    void *m_map = nullptr;
    std::vector<std::uint8_t> m_read;
    std::span<const std::uint8_t> m_bytes;
};

Output toBinary(std::span<const std::uint8_t> text)
{
    Output out;
    out.stream = textToBinary(text);
    out.header = resourceHeader(out.stream);
    return out;
}

// A binary form file with either resource header, or a bare stream.
Output toText(std::span<const std::uint8_t> bytes)
{
    std::size_t start = 0;
    if (!hasStreamSignature(bytes.data(), bytes.size())) {
        // The header's reader works on a stream: it gets a copy.
        TMemoryStream head(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        ReadResHeader(head);
        start = std::min(head.position(), head.size());
    }
    Output out;
    out.text = binaryToText(bytes.subspan(start));
    return out;
}

// An existing file is overwritten in place and then cut to the new length,
// not emptied first: emptying it drops its cached pages only to allocate them
// again, and the file system then flushes it on close (a third of a
// conversion's time when the same file is converted again).
void save(const std::string &fileName, const Output &output)
{
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        throw EFOpenError(formatMessage(msg::CannotCreateFile, fileName));
    struct stat st{};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const auto *text = reinterpret_cast<const std::uint8_t *>(output.text.data());
    bool ok = writeAll(fd, output.header.data(), output.header.size())
              && writeAll(fd, output.stream.data(), output.stream.size())
              && writeAll(fd, text, output.text.size());
    if (regular) {
        // Also after a failed write: no bytes of the old contents stay behind.
        const off_t written = ::lseek(fd, 0, SEEK_CUR);
        ok = written >= 0 && ::ftruncate(fd, written) == 0 && ok;
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok)
        throw EFOpenError(formatMessage(msg::CannotCreateFile, fileName));
}

} // namespace

int runConvert(int argc, char **argv)
{
    if (argc != 3 || (std::string(argv[0]) != "--to-binary" && std::string(argv[0]) != "--to-text")) {
        std::fprintf(stderr, "usage: vantor-tool convert --to-binary|--to-text IN OUT\n");
        return 2;
    }
    const bool binary = std::string(argv[0]) == "--to-binary";
    const std::string inName = argv[1];
    const std::string outName = argv[2];

    std::unique_ptr<InputFile> input;
    try {
        input = std::make_unique<InputFile>(inName);
    } catch (const Exception &e) {
        report(inName, e.what());
        return 2;
    }
    Output output;
    try {
        output = binary ? toBinary(input->bytes()) : toText(input->bytes());
    } catch (const Exception &e) {
        report(inName, e.what());
        return 1;
    } catch (const std::bad_alloc &) {
        report(inName, "zu wenig Speicher");
        return 1;
    }
    try {
        save(outName, output);
    } catch (const Exception &e) {
        report(outName, e.what());
        return 2;
    }
    return 0;
}
