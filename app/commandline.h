#pragma once

// The program's command line and the file-name helpers of the main window.

#include <QString>
#include <QStringList>

namespace vantor {

// The program's arguments without the program itself, as main() received
// them. Tests set their own.
const QStringList &commandLineArguments();
void setCommandLineArguments(const QStringList &arguments);

// The first argument with its double quotes removed; empty when there is
// none. Further arguments are ignored.
QString firstArgument(const QStringList &arguments);

// The file name part of a path (after the last "/").
QString fileNamePart(const QString &path);
// The extension from the last "." of the file name part on; empty when the
// name has no ".".
QString fileExtension(const QString &path);
// The path with its extension replaced by `extension`, or `extension`
// appended when the name has none.
QString changeFileExt(const QString &path, const QString &extension);
// Lower-cases the letters A-Z only.
QString asciiLower(const QString &text);
// Removes blanks and control characters at both ends.
QString trimBlanksAndControls(const QString &text);
// True when the path names an existing file that is not a folder.
bool fileExists(const QString &path);

} // namespace vantor
