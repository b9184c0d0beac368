#include "app/commandline.h"

#include <QFileInfo>

namespace vantor {

namespace {
QStringList &arguments()
{
    static QStringList list;
    return list;
}
} // namespace

const QStringList &commandLineArguments() { return arguments(); }

void setCommandLineArguments(const QStringList &list) { arguments() = list; }

QString firstArgument(const QStringList &list)
{
    if (list.isEmpty())
        return {};
    QString first = list.first();
    first.remove(QLatin1Char('"'));
    return first;
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString fileExtension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString changeFileExt(const QString &path, const QString &extension)
{
    const QString ext = fileExtension(path);
    return path.left(path.size() - ext.size()) + extension;
}

QString asciiLower(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}

QString trimBlanksAndControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

} // namespace vantor
