#include "blocktext.h"

#include "streams/errors.h"

#include <QRegularExpression>

namespace vantor::plugin {

namespace {

[[noreturn]] void fail(const QString &why, int line)
{
    throw Exception(QStringLiteral("Zeile %1 des Blocks: %2").arg(line + 1).arg(why).toStdString());
}

class Parser
{
public:
    explicit Parser(const std::vector<std::string> &lines)
    {
        for (const std::string &l : lines)
            m_lines << QString::fromStdString(l).trimmed();
    }

    BlockNode object()
    {
        BlockNode node;
        header(node);
        ++m_at;
        while (true) {
            if (m_at >= m_lines.size())
                fail(QStringLiteral("'end' von %1 fehlt").arg(node.name), m_at - 1);
            const QString &line = m_lines[m_at];
            if (line.isEmpty()) {
                ++m_at;
            } else if (line.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0) {
                ++m_at;
                return node;
            } else if (isHeader(line)) {
                node.children.push_back(object());
            } else {
                node.properties.push_back(property());
            }
        }
    }

    bool atEnd() const
    {
        for (qsizetype i = m_at; i < m_lines.size(); ++i)
            if (!m_lines[i].isEmpty())
                return false;
        return true;
    }
    int line() const { return int(m_at); }

private:
    static bool isHeader(const QString &line)
    {
        static const QRegularExpression re(QStringLiteral("^(object|inherited|inline)\\s"),
                                           QRegularExpression::CaseInsensitiveOption);
        return re.match(line).hasMatch();
    }

    void header(BlockNode &node)
    {
        const QString &line = m_lines[m_at];
        static const QRegularExpression named(
            QStringLiteral("^(object|inherited|inline)\\s+(\\w+)\\s*:\\s*([\\w.]+)\\s*(\\[\\s*\\d+\\s*\\])?$"),
            QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression unnamed(QStringLiteral("^(object|inherited|inline)\\s+([\\w.]+)$"),
                                                QRegularExpression::CaseInsensitiveOption);
        if (const auto m = named.match(line); m.hasMatch()) {
            node.keyword = m.captured(1).toLower();
            node.name = m.captured(2);
            node.className = m.captured(3);
        } else if (const auto u = unnamed.match(line); u.hasMatch()) {
            node.keyword = u.captured(1).toLower();
            node.className = u.captured(2);
        } else {
            fail(QStringLiteral("keine Objektzeile"), int(m_at));
        }
    }

    std::pair<QString, BlockValue> property()
    {
        const QString line = m_lines[m_at];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            fail(QStringLiteral("keine Eigenschaft: %1").arg(line.left(40)), int(m_at));
        const QString path = line.left(eq).trimmed();
        static const QRegularExpression pathRe(QStringLiteral("^[A-Za-z_][\\w.]*$"));
        if (!pathRe.match(path).hasMatch())
            fail(QStringLiteral("kein Eigenschaftsname: %1").arg(path.left(40)), int(m_at));
        return {path, value(line.mid(eq + 1).trimmed())};
    }

    BlockValue value(QString text)
    {
        BlockValue v;
        const int start = int(m_at);
        if (text.startsWith(QLatin1Char('\'')) || text.startsWith(QLatin1Char('#'))) {
            v.kind = BlockValue::Kind::String;
            // A long string goes on in the next line after a "+".
            while (text.endsWith(QLatin1Char('+')) && m_at + 1 < m_lines.size())
                text += QLatin1Char(' ') + m_lines[++m_at];
            v.text = decodeStringValue(text);
            ++m_at;
        } else if (text.startsWith(QLatin1Char('('))) {
            v.kind = BlockValue::Kind::List;
            QString body = text.mid(1);
            while (!closesList(body)) {
                if (++m_at >= m_lines.size())
                    fail(QStringLiteral("Liste ohne ')'"), start);
                body += QLatin1Char('\n') + m_lines[m_at];
            }
            ++m_at;
            body.chop(1);
            for (const QString &entry : body.split(QLatin1Char('\n'))) {
                const QString e = entry.trimmed();
                if (e.isEmpty())
                    continue;
                if (e.startsWith(QLatin1Char('\'')) || e.startsWith(QLatin1Char('#')))
                    v.list << decodeStringValue(e.endsWith(QLatin1Char('+')) ? e.chopped(1).trimmed() : e);
                else
                    v.list << e;
            }
        } else if (text.startsWith(QLatin1Char('{'))) {
            v.kind = BlockValue::Kind::Binary;
            while (!m_lines[m_at].contains(QLatin1Char('}'))) {
                if (++m_at >= m_lines.size())
                    fail(QStringLiteral("Binärdaten ohne '}'"), start);
            }
            ++m_at;
        } else if (text.startsWith(QLatin1Char('['))) {
            v.kind = BlockValue::Kind::Set;
            QString body = text;
            while (!body.contains(QLatin1Char(']'))) {
                if (++m_at >= m_lines.size())
                    fail(QStringLiteral("Menge ohne ']'"), start);
                body += QLatin1Char(' ') + m_lines[m_at];
            }
            ++m_at;
            v.text = body.mid(1, body.indexOf(QLatin1Char(']')) - 1).simplified();
        } else if (text.startsWith(QLatin1Char('<'))) {
            v.kind = BlockValue::Kind::Collection;
            ++m_at;
            if (text != QLatin1String("<>"))
                collection(v, start);
        } else {
            if (text.isEmpty())
                fail(QStringLiteral("Wert fehlt"), start);
            v.text = text;
            ++m_at;
        }
        return v;
    }

    // Items up to "end>" (or a lone ">").
    void collection(BlockValue &v, int start)
    {
        while (true) {
            if (m_at >= m_lines.size())
                fail(QStringLiteral("Sammlung ohne '>'"), start);
            const QString line = m_lines[m_at];
            if (line.isEmpty()) {
                ++m_at;
                continue;
            }
            if (line == QLatin1String(">")) {
                ++m_at;
                return;
            }
            if (line.compare(QLatin1String("item"), Qt::CaseInsensitive) != 0)
                fail(QStringLiteral("'item' erwartet"), int(m_at));
            ++m_at;
            std::vector<std::pair<QString, BlockValue>> item;
            while (true) {
                if (m_at >= m_lines.size())
                    fail(QStringLiteral("Eintrag ohne 'end'"), start);
                const QString l = m_lines[m_at];
                if (l.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0) {
                    ++m_at;
                    break;
                }
                if (l.compare(QLatin1String("end>"), Qt::CaseInsensitive) == 0) {
                    ++m_at;
                    v.items.push_back(std::move(item));
                    return;
                }
                if (l.isEmpty()) {
                    ++m_at;
                    continue;
                }
                item.push_back(property());
            }
            v.items.push_back(std::move(item));
        }
    }

    // True when the text ends the list: a ")" outside quotes at its end.
    static bool closesList(const QString &body)
    {
        bool quoted = false;
        QChar last;
        for (QChar c : body) {
            if (c == QLatin1Char('\''))
                quoted = !quoted;
            if (!quoted && !c.isSpace())
                last = c;
        }
        return !quoted && last == QLatin1Char(')');
    }

    QStringList m_lines;
    qsizetype m_at = 0;
};

} // namespace

QString decodeStringValue(const QString &text)
{
    QString out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\'')) {
            ++i;
            while (true) {
                if (i >= n)
                    throw Exception("Zeichenkette ohne Ende");
                if (text[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('\'')) {
                        out += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += text[i++];
            }
        } else if (c == QLatin1Char('#')) {
            ++i;
            const qsizetype from = i;
            while (i < n && text[i].isDigit())
                ++i;
            bool ok = false;
            const uint code = text.mid(from, i - from).toUInt(&ok);
            if (!ok || code > 0x10FFFF)
                throw Exception("ungültiges Zeichen in einer Zeichenkette");
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        } else if (c.isSpace() || c == QLatin1Char('+')) {
            ++i;
        } else {
            throw Exception("keine Zeichenkette");
        }
    }
    return out;
}

BlockNode parseBlock(const std::vector<std::string> &lines)
{
    Parser parser(lines);
    if (parser.atEnd())
        throw Exception("leerer Block");
    BlockNode node = parser.object();
    if (!parser.atEnd())
        fail(QStringLiteral("Text nach dem 'end' des Blocks"), parser.line());
    return node;
}

const BlockValue *BlockNode::find(const QString &path) const
{
    for (const auto &[name, value] : properties)
        if (name.compare(path, Qt::CaseInsensitive) == 0)
            return &value;
    return nullptr;
}

QString BlockNode::show(const QString &path) const
{
    const BlockValue *v = find(path);
    if (!v) {
        // A string list is written as "Name.Strings".
        v = find(path + QStringLiteral(".Strings"));
        if (!v)
            return {};
    }
    switch (v->kind) {
    case BlockValue::Kind::Plain:
    case BlockValue::Kind::String:
    case BlockValue::Kind::Set: return v->text;
    case BlockValue::Kind::List: {
        QStringList shown;
        for (const QString &e : v->list)
            if (!e.trimmed().isEmpty())
                shown << e.trimmed();
        return shown.join(QLatin1Char(' '));
    }
    case BlockValue::Kind::Binary: return QStringLiteral("(Daten)");
    case BlockValue::Kind::Collection: return QStringLiteral("%1 Einträge").arg(v->items.size());
    }
    return {};
}

} // namespace vantor::plugin
