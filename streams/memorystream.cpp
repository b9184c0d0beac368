#include "memorystream.h"

#include "errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include <unistd.h>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vantor {

std::string formatMessage(const char *pattern, const std::string &text, int number)
{
    std::string out;
    for (const char *p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += text;
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            out += std::to_string(number);
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

std::size_t TMemoryStream::seek(std::int64_t offset, SeekOrigin origin)
{
    std::int64_t base = 0;
    switch (origin) {
    case SeekOrigin::Beginning: base = 0; break;
    case SeekOrigin::Current: base = static_cast<std::int64_t>(m_position); break;
    case SeekOrigin::End: base = static_cast<std::int64_t>(m_data.size()); break;
    }
    const std::int64_t target = base + offset;
    m_position = target < 0 ? 0 : static_cast<std::size_t>(target);
    return m_position;
}

void TMemoryStream::setSize(std::size_t size)
{
    m_data.resize(size);
    m_position = std::min(m_position, size);
}

void TMemoryStream::clear()
{
    m_data.clear();
    m_position = 0;
}

std::size_t TMemoryStream::read(void *buffer, std::size_t count)
{
    const std::size_t n = std::min(count, remaining());
    if (n > 0)
        std::memcpy(buffer, m_data.data() + m_position, n);
    m_position += n;
    return n;
}

void TMemoryStream::readBuffer(void *buffer, std::size_t count)
{
    if (count > remaining())
        throw EReadError(msg::ReadBeyondEnd);
    read(buffer, count);
}

void TMemoryStream::write(const void *buffer, std::size_t count)
{
    if (count == 0)
        return;
    if (m_position + count > m_data.size())
        m_data.resize(m_position + count);
    std::memcpy(m_data.data() + m_position, buffer, count);
    m_position += count;
}

std::vector<std::uint8_t> TMemoryStream::takeBytes()
{
    m_position = 0;
    return std::exchange(m_data, {});
}

void TMemoryStream::loadFromFile(const std::string &fileName)
{
    m_data = readWholeFile(fileName);
    m_position = 0;
}

void TMemoryStream::saveToFile(const std::string &fileName) const
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out)
        throw EFOpenError(formatMessage(msg::CannotCreateFile, fileName));
    out.write(reinterpret_cast<const char *>(m_data.data()), static_cast<std::streamsize>(m_data.size()));
    if (!out)
        throw EFOpenError(formatMessage(msg::CannotCreateFile, fileName));
}

void adviseLargeBuffer(void *data, std::size_t size)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    if (size < 2 * kHugePage)
        return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE); // only a hint: failure is harmless
#else
    (void)data;
    (void)size;
#endif
}

bool writeAll(int fd, const void *data, std::size_t size)
{
    const auto *at = static_cast<const std::uint8_t *>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

std::vector<std::uint8_t> readWholeFile(const std::string &fileName)
{
    // A folder opens as a stream on Linux and then reports a nonsense size.
    std::error_code ec;
    if (std::filesystem::is_directory(fileName, ec))
        throw EFOpenError(formatMessage(msg::CannotOpenFile, fileName));
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw EFOpenError(formatMessage(msg::CannotOpenFile, fileName));
    std::vector<std::uint8_t> bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        throw EFOpenError(formatMessage(msg::CannotOpenFile, fileName));
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(reinterpret_cast<char *>(bytes.data()), size);
    if (!in && !in.eof())
        throw EFOpenError(formatMessage(msg::CannotOpenFile, fileName));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace vantor
