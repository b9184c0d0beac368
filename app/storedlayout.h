#pragma once

// Stored layouts: a window's form text, compiled into the program as a Qt
// resource and read by the framework's own reader, exactly as a loaded form
// is read.

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace vantor {

class ClassInfo;
class TComponent;

// Makes the program's resources (layouts, looks) available; safe to call
// more than once.
void initAppResources();

// The binary form stream of a form-text resource. Raises EFOpenError when
// the resource is missing and EParserError when its text is damaged.
std::vector<std::uint8_t> storedLayoutStream(const QString &resource);

// Reads a form-text resource into `root`. The classes in `classes` are made
// known to the reader for this read only: the window's own control classes
// must not count as registered for the forms the viewer loads (the loader
// registers what it can build itself). Classes registered before stay so.
void ReadStoredLayout(TComponent *root, const QString &resource, std::initializer_list<const ClassInfo *> classes);

} // namespace vantor
