#pragma once

#include "streams/errors.h"

#include <string>
#include <string_view>

// The settings file: an INI file of "[section]" headers and "key=value"
// lines, read and written one value at a time. Section and key names match
// without regard to ASCII letter case; blanks around names and values are
// ignored. A write keeps every other line of the file as it was. Pure C++.
namespace vantor {

// The settings file cannot be written (its folder is missing or read-only,
// or the existing file cannot be read, so writing would lose it).
class EIniFileException : public Exception
{
public:
    using Exception::Exception;
};

namespace msg {
inline constexpr const char *IniFileWriteError = "In %s kann nicht geschrieben werden"; // the file name
} // namespace msg

// The value under section and key; defaultValue when the file, the section
// or the key is missing or the file cannot be read.
std::string ReadIniString(const std::string &fileName, std::string_view section, std::string_view key,
                          std::string_view defaultValue = {});

// Sets the value under section and key, replacing an earlier value, adding
// the key at the end of its section, or the section at the end of the file;
// creates the file. The new file replaces the old one only once it is
// completely written. Raises EIniFileException (msg::IniFileWriteError) on
// failure, and then the file is unchanged. Line breaks in the value and
// the names are written as blanks, so they cannot split the line.
void WriteIniString(const std::string &fileName, std::string_view section, std::string_view key,
                    std::string_view value);

// The same two operations on the text of a file, for callers that hold it.
std::string iniLookup(std::string_view text, std::string_view section, std::string_view key, bool *found = nullptr);
std::string iniUpdate(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

} // namespace vantor
