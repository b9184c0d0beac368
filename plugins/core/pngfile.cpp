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

void put32(QByteArray &out, std::uint32_t v)
{
    const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(bytes, 4);
}

// A chunk: length, type, data, and the CRC over type and data.
void chunk(QByteArray &out, const char type[4], const QByteArray &data)
{
    put32(out, std::uint32_t(data.size()));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    put32(out, std::uint32_t(::crc32(0, reinterpret_cast<const Bytef *>(out.constData() + start),
                                     uInt(out.size() - start))));
}

} // namespace

QByteArray storedPng(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGBA8888);
    const std::uint32_t width = std::uint32_t(image.width());
    const std::uint32_t height = std::uint32_t(image.height());
    const std::size_t rowBytes = std::size_t(width) * 4;
    const std::size_t rawSize = (rowBytes + 1) * height; // a filter byte (0: none) before each row

    QByteArray header;
    put32(header, width);
    put32(header, height);
    header.append("\x08\x06\x00\x00\x00", 5); // 8 bits, RGBA, deflate, adaptive filters, no interlace

    // The zlib stream: its header, stored blocks of at most 65,535 bytes, and
    // the Adler-32 of the raw data. The raw data is made row by row into one
    // buffer and cut into blocks after.
    QByteArray raw;
    raw.resize(qsizetype(rawSize));
    char *at = raw.data();
    for (std::uint32_t y = 0; y < height; ++y) {
        *at++ = 0;
        std::memcpy(at, image.constScanLine(int(y)), rowBytes);
        at += rowBytes;
    }
    const std::uint32_t check =
        std::uint32_t(::adler32_z(1, reinterpret_cast<const Bytef *>(raw.constData()), z_size_t(rawSize)));

    QByteArray zlib;
    const std::size_t blocks = std::max<std::size_t>(1, (rawSize + 65534) / 65535);
    zlib.reserve(qsizetype(rawSize + blocks * 5 + 6));
    zlib.append("\x78\x01", 2);
    std::size_t done = 0;
    do {
        const std::size_t size = std::min<std::size_t>(65535, rawSize - done);
        const bool last = done + size == rawSize;
        const char blockHeader[5] = {char(last ? 1 : 0), char(size & 0xFF), char(size >> 8), char(~size & 0xFF),
                                     char((~size >> 8) & 0xFF)};
        zlib.append(blockHeader, 5);
        zlib.append(raw.constData() + done, qsizetype(size));
        done += size;
    } while (done < rawSize);
    put32(zlib, check);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(qsizetype(8 + 25 + zlib.size() + 12 + 12));
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", QByteArray());
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
