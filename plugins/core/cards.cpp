#include "cards.h"

#include "streams/errors.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace vantor::plugin {

namespace {

// A card stays small: long values are cut.
constexpr int kMaxLineChars = 56;
constexpr int kMaxDetailLines = 6;

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString cut(const QString &text)
{
    const QString one = text.simplified();
    return one.size() > kMaxLineChars ? one.left(kMaxLineChars - 1) + QChar(0x2026) : one;
}

// What every component carries in a form file whatever its class: the tag
// and the place on the design surface.
bool everyComponentHas(const QString &property)
{
    static const QStringList names{QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Tag"),
                                   QStringLiteral("Name"), QStringLiteral("DesignInfo")};
    return names.contains(property, Qt::CaseInsensitive);
}

// The viewer takes out the On... event lines; data sets and connections
// also have Before... and After... events, which name a handler.
bool isEvent(const QString &property, const BlockValue &value)
{
    return value.kind == BlockValue::Kind::Plain &&
           (property.startsWith(QLatin1String("On")) || property.startsWith(QLatin1String("Before")) ||
            property.startsWith(QLatin1String("After")));
}

} // namespace

QString arrow()
{
    return QString(QChar(0x2190));
}

CardClass &CardTable::add(const char *name, std::initializer_list<const char *> published, const char *shown,
                          QStringList (*describe)(const BlockNode &))
{
    CardClass c;
    c.name = QString::fromUtf8(name);
    for (const char *group : published)
        c.published << words(group);
    c.shown = words(shown);
    c.describe = describe;
    m_classes.push_back(std::move(c));
    return m_classes.back();
}

const CardClass *CardTable::find(const QString &name) const
{
    for (const CardClass &c : m_classes)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

void checkPublished(const CardTable &table, const BlockNode &node)
{
    if (const CardClass *cls = table.find(node.className)) {
        for (const auto &[path, value] : node.properties) {
            const QString first = path.section(QLatin1Char('.'), 0, 0);
            if (everyComponentHas(first) || isEvent(first, value) || cls->published.contains(first, Qt::CaseInsensitive))
                continue;
            throw Exception(QStringLiteral("%1.%2: Eigenschaft %2 existiert nicht")
                                .arg(node.name.isEmpty() ? node.className : node.name, path)
                                .toStdString());
        }
    }
    for (const BlockNode &child : node.children)
        checkPublished(table, child);
}

QStringList describeNode(const CardTable &table, const BlockNode &node)
{
    QStringList lines;
    const CardClass *cls = table.find(node.className);
    if (!cls)
        return lines;
    if (cls->describe)
        lines = cls->describe(node);
    for (const QString &p : cls->shown) {
        const QString v = node.show(p);
        if (!v.isEmpty())
            lines << QStringLiteral("%1: %2").arg(p, v);
    }
    return lines;
}

QStringList cardLines(const CardTable &table, const BlockNode &node)
{
    QStringList lines{node.className};
    if (!node.name.isEmpty())
        lines << node.name;
    const QStringList details = describeNode(table, node);
    for (int i = 0; i < details.size(); ++i) {
        if (i == kMaxDetailLines - 1 && details.size() > kMaxDetailLines) {
            lines << QStringLiteral("\u2026 %1 weitere").arg(details.size() - i);
            break;
        }
        lines << details[i];
    }
    for (QString &l : lines)
        l = cut(l);
    return lines;
}

QImage drawCard(const QStringList &lines, bool error)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(11);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(font);
    const QFontMetrics boldMetrics(bold);
    int width = 0;
    for (int i = 0; i < lines.size(); ++i)
        width = std::max(width, (i == 0 ? boldMetrics : metrics).horizontalAdvance(lines[i]));
    const int lineHeight = std::max(metrics.height(), boldMetrics.height());
    QImage image(width + 16, lineHeight * int(lines.size()) + 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(error ? QColor(0xB0, 0x50, 0x50) : QColor(0x70, 0x70, 0x90));
    p.setBrush(error ? QColor(0xFF, 0xEC, 0xEC) : QColor(0xFF, 0xFB, 0xE6));
    p.drawRoundedRect(QRectF(0.5, 0.5, image.width() - 1, image.height() - 1), 4, 4);
    p.setPen(QColor(0x30, 0x30, 0x40));
    for (int i = 0; i < lines.size(); ++i) {
        p.setFont(i == 0 ? bold : font);
        p.drawText(8, 5 + metrics.ascent() + i * lineHeight, lines[i]);
    }
    return image;
}

} // namespace vantor::plugin
