#pragma once

#include <stdexcept>
#include <string>

namespace vantor {

// The framework's exception family. Every error that a form file can cause is
// one of these, so callers can catch `Exception` and show its message.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const std::string &message) : std::runtime_error(message) {}
    std::string message() const { return what(); }
};

// Errors of streams: reading past the end, a bad signature, a file that cannot be opened.
class EStreamError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be opened or created.
class EFOpenError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

// Errors of the object-stream filer (reader and writer of the binary form stream).
class EFilerError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

// A damaged or truncated binary form stream.
class EReadError : public EFilerError
{
public:
    using EFilerError::EFilerError;
};

// A syntax error in the text form; the message names the 1-based line.
class EParserError : public Exception
{
public:
    EParserError(const std::string &message, int line) : Exception(message), m_line(line) {}
    int line() const { return m_line; }

private:
    int m_line = 0;
};

namespace msg {
// User-visible texts, German as the framework writes them.
inline constexpr const char *InvalidStreamFormat = "Ungültiges Stream-Format";
inline constexpr const char *InvalidPropertyValue = "Ungültiger Eigenschaftswert";
inline constexpr const char *ParseErrorFormat = "%s in Zeile %d"; // reason, 1-based line
inline constexpr const char *ReadBeyondEnd = "Lesefehler: Ende des Streams erreicht";
inline constexpr const char *CannotOpenFile = "Datei %s kann nicht geöffnet werden";
inline constexpr const char *CannotCreateFile = "Datei %s kann nicht erstellt werden";
} // namespace msg

// Fills a message pattern that holds one %s and/or one %d, in that order.
std::string formatMessage(const char *pattern, const std::string &text, int number = 0);

} // namespace vantor
