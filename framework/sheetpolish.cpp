#include "framework/sheetpolish.h"

#include <QApplication>
#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QStyle>
#include <QWidget>

#include <optional>

namespace vantor {

namespace {

bool isTypeChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-';
}

// The sheet without its comments.
QString withoutComments(const QString &sheet)
{
    QString out;
    out.reserve(sheet.size());
    for (qsizetype i = 0; i < sheet.size(); ++i) {
        if (sheet[i] == u'/' && i + 1 < sheet.size() && sheet[i + 1] == u'*') {
            const qsizetype end = sheet.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                break;
            i = end + 1;
            out += u' ';
            continue;
        }
        out += sheet[i];
    }
    return out;
}

// The compound selector a selector styles: what follows its last
// combinator (a space, '>', '+' or '~' outside brackets and quotes).
QStringView subjectOf(QStringView selector)
{
    qsizetype start = 0;
    int brackets = 0;
    QChar quote;
    for (qsizetype i = 0; i < selector.size(); ++i) {
        const QChar c = selector[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'[' || c == u'(') {
            ++brackets;
        } else if (c == u']' || c == u')') {
            --brackets;
        } else if (brackets == 0 && (c.isSpace() || c == u'>' || c == u'+' || c == u'~')) {
            start = i + 1;
        }
    }
    return selector.mid(start);
}

} // namespace

SheetSubjects::SheetSubjects(const QString &sheet)
{
    const QString text = withoutComments(sheet);
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(u'{', pos);
        if (open < 0)
            break;
        const QStringView group = QStringView(text).mid(pos, open - pos).trimmed();
        // The declarations, to the matching brace.
        int depth = 1;
        qsizetype close = open + 1;
        for (; close < text.size() && depth > 0; ++close) {
            if (text[close] == u'{')
                ++depth;
            else if (text[close] == u'}')
                --depth;
        }
        pos = close;
        if (group.startsWith(u'@')) {
            // An at-rule is not one the widgets' sheets use; count it as
            // styling anything rather than guess.
            m_anything = true;
            continue;
        }
        for (QStringView selector : group.split(u',')) {
            const QStringView subject = subjectOf(selector.trimmed());
            qsizetype n = 0;
            while (n < subject.size() && isTypeChar(subject[n]))
                ++n;
            if (n == 0 || subject[0].isDigit()) {
                m_anything = true;
                continue;
            }
            const QString type = subject.left(n).toString();
            if (!m_types.contains(type))
                m_types.append(type);
        }
    }
}

bool SheetSubjects::mayStyle(const QMetaObject *meta) const
{
    if (m_anything)
        return true;
    for (; meta; meta = meta->superClass()) {
        const QString name = QString::fromLatin1(meta->className()).replace(u':', u'-');
        if (m_types.contains(name))
            return true;
    }
    return false;
}

bool PolishPastApplicationSheet(QWidget *widget)
{
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return false;
    QStyle *style = QApplication::style();
    // A widget with a style of its own, or under a widget with a sheet, has
    // a style other than the application's.
    if (widget->style() != style || !widget->styleSheet().isEmpty())
        return false;
    const QString sheet = app->styleSheet();
    if (sheet.isEmpty())
        return false;

    // The subjects, the style under the sheet and each class's verdict are
    // worked out again only when the application's sheet or style changes.
    struct Cache
    {
        QString sheet;
        QPointer<QStyle> style;
        QPointer<QStyle> base;
        std::optional<SheetSubjects> subjects;
        QHash<const QMetaObject *, bool> mayStyle;
    };
    static Cache s;
    if (style != s.style || sheet.constData() != s.sheet.constData() || !s.subjects) {
        if (sheet != s.sheet || !s.subjects)
            s.subjects.emplace(sheet);
        s.sheet = sheet;
        s.style = style;
        s.mayStyle.clear();
        // Qt keeps the style the sheet is drawn over as the sheet style's child.
        s.base = style->inherits("QStyleSheetStyle")
                     ? style->findChild<QStyle *>(QString(), Qt::FindDirectChildrenOnly)
                     : nullptr;
    }
    if (!s.base)
        return false;
    const QMetaObject *meta = widget->metaObject();
    auto verdict = s.mayStyle.constFind(meta);
    if (verdict == s.mayStyle.cend())
        verdict = s.mayStyle.insert(meta, s.subjects->mayStyle(meta));
    if (*verdict)
        return false;
    // Fonts and palettes Qt keeps for certain classes are applied in Qt's own
    // polish; leave such widgets to it.
    if (!QApplication::font(widget).isCopyOf(QApplication::font())
        || !QApplication::palette(widget).isCopyOf(QGuiApplication::palette()))
        return false;
    s.base->polish(widget);
    widget->setAttribute(Qt::WA_WState_Polished);
    return true;
}

} // namespace vantor
