#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A growable byte buffer with a read/write position, as the framework's
// memory stream. Reads never go past the end: `read` returns what it could.
class TMemoryStream
{
public:
    enum class SeekOrigin { Beginning, Current, End };

    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : m_data(std::move(bytes)) {}
    virtual ~TMemoryStream() = default;

    std::size_t size() const { return m_data.size(); }
    std::size_t position() const { return m_position; }
    // Positions past the end are allowed; the next write fills the gap with zeros.
    void setPosition(std::size_t position) { m_position = position; }
    std::size_t seek(std::int64_t offset, SeekOrigin origin);
    void setSize(std::size_t size);
    void clear();

    // Copies up to count bytes to buffer; returns the number copied.
    std::size_t read(void *buffer, std::size_t count);
    // Like read, but raises EReadError when fewer than count bytes remain.
    void readBuffer(void *buffer, std::size_t count);
    void write(const void *buffer, std::size_t count);
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    std::size_t remaining() const { return m_position < m_data.size() ? m_data.size() - m_position : 0; }

    const std::uint8_t *data() const { return m_data.data(); }
    const std::vector<std::uint8_t> &bytes() const { return m_data; }
    // The bytes themselves, for writers that append in place (the
    // conversions); whoever changes their size sets the position after.
    std::vector<std::uint8_t> &buffer() { return m_data; }
    std::vector<std::uint8_t> takeBytes();

    // Raise EFOpenError when the file cannot be opened, read or written.
    void loadFromFile(const std::string &fileName);
    void saveToFile(const std::string &fileName) const;

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_position = 0;
};

// A hint for a buffer of several megabytes about to be filled from its start
// (the output of a conversion): on Linux its memory is asked for in huge
// pages, so that filling it takes a few page faults instead of one per 4 KiB.
// Without effect elsewhere and for small buffers.
void adviseLargeBuffer(void *data, std::size_t size);

// Reads a whole file; raises EFOpenError naming the file when that fails.
std::vector<std::uint8_t> readWholeFile(const std::string &fileName);

// Writes all size bytes to the open file descriptor fd, again after a write
// that an interrupt cut short; false when the file takes fewer.
bool writeAll(int fd, const void *data, std::size_t size);

} // namespace vantor
