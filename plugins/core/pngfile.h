#pragma once

// The libraries hand their pictures to the viewer as PNG files, one per
// call. A general PNG writer sets up a deflate stream for every picture,
// which costs far more than the small pictures of most blocks take to write
// out whole; so the pictures are written with the image data stored as it
// is (uncompressed deflate blocks, no row filters): a valid PNG that every
// reader decodes, written in a few microseconds.

#include <QByteArray>

#include <string>

class QImage;

namespace vantor::plugin {

// The image as a PNG of 8-bit RGBA (without premultiplied alpha).
QByteArray storedPng(const QImage &image);

// Writes storedPng(image) to path, replacing the file; false when it cannot.
bool writeStoredPng(const QImage &image, const std::string &path);

} // namespace vantor::plugin
