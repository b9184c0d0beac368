#include "core/pngfile.h"

#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace vantor::plugin {

namespace {

char *put32(char *at, std::uint32_t v)
{
    at[0] = char(v >> 24);
    at[1] = char(v >> 16);
    at[2] = char(v >> 8);
    at[3] = char(v);
    return at + 4;
}

// The CRC of a chunk: over its type and data, which start 4 bytes into it.
char *putCrc(char *chunk, char *end)
{
    return put32(end, std::uint32_t(::crc32_z(0, reinterpret_cast<const Bytef *>(chunk + 4), z_size_t(end - chunk - 4))));
}

} // namespace

QByteArray storedPng(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    const std::uint32_t width = std::uint32_t(image.width());
    const std::uint32_t height = std::uint32_t(image.height());
    const std::size_t rowBytes = std::size_t(width) * 4;
    const std::size_t rawSize = (rowBytes + 1) * height; // a filter byte (0: none) before each row
    const std::size_t blocks = std::max<std::size_t>(1, (rawSize + 65534) / 65535);
    // The zlib stream: its header, stored blocks of at most 65,535 bytes
    // each behind a 5-byte header, and the Adler-32 of the raw data.
    const std::size_t zlibSize = 2 + rawSize + 5 * blocks + 4;

    // Written in place: signature, IHDR, IDAT, IEND.
    QByteArray png(qsizetype(8 + 25 + 12 + zlibSize + 12), Qt::Uninitialized);
    char *at = png.data();
    std::memcpy(at, "\x89PNG\r\n\x1a\n", 8);
    at += 8;

    char *chunk = at;
    at = put32(at, 13);
    std::memcpy(at, "IHDR", 4);
    at = put32(put32(at + 4, width), height);
    std::memcpy(at, "\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, filter method 0, no interlace
    at = putCrc(chunk, at + 5);

    chunk = at;
    at = put32(at, std::uint32_t(zlibSize));
    std::memcpy(at, "IDAT\x78\x01", 6);
    at += 6;
    std::uint32_t check = 1;
    std::size_t leftInBlock = 0, written = 0;
    // Appends raw bytes, opening a new stored block where one is full.
    const auto raw = [&](const char *data, std::size_t size) {
        while (size > 0) {
            if (leftInBlock == 0) {
                leftInBlock = std::min<std::size_t>(65535, rawSize - written);
                const bool last = written + leftInBlock == rawSize;
                at[0] = char(last ? 1 : 0);
                at[1] = char(leftInBlock & 0xFF);
                at[2] = char(leftInBlock >> 8);
                at[3] = char(~leftInBlock & 0xFF);
                at[4] = char((~leftInBlock >> 8) & 0xFF);
                at += 5;
            }
            const std::size_t n = std::min(size, leftInBlock);
            std::memcpy(at, data, n);
            check = std::uint32_t(::adler32_z(check, reinterpret_cast<const Bytef *>(data), z_size_t(n)));
            at += n;
            data += n;
            size -= n;
            leftInBlock -= n;
            written += n;
        }
    };
    const char noFilter = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw(&noFilter, 1);
        raw(reinterpret_cast<const char *>(image.constScanLine(int(y))), rowBytes);
    }
    at = putCrc(chunk, put32(at, check));

    chunk = at;
    at = put32(at, 0);
    std::memcpy(at, "IEND", 4);
    at = putCrc(chunk, at + 4);
    png.truncate(at - png.constData());
    return png;
}

bool writeStoredPng(const QImage &image, const std::string &path)
{
    if (image.isNull())
        return false;
    const QByteArray png = storedPng(image);
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(png.constData(), 1, std::size_t(png.size()), file) == std::size_t(png.size());
    return std::fclose(file) == 0 && written;
}

} // namespace vantor::plugin
