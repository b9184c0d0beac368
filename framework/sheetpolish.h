#pragma once

// Polishing without the application's style sheet where it cannot apply.
//
// The platform looks are application style sheets that name a handful of
// widget classes (buttons, edits, combo boxes, progress bars, menus). Qt's
// style-sheet style still polishes every widget of the application: it works
// out three palettes, a font and the rules of each one and keeps them per
// widget, about 30 µs and 10 KB a widget, even for a widget no rule names.
// A form of many plain painted controls pays that for each of them.
//
// A widget that no rule of the application sheet can style, that has no
// sheet of its own or from an ancestor, and that Qt gives no font or palette
// of its class, looks the same polished by the underlying style alone. When
// such a widget is painted, the sheet's style still works out its (empty)
// rules on demand.
//
// The polish event is taken before the widget sees it. What Qt's own widget
// classes do on it besides the style's polish changes nothing for such a
// widget: a frame measures its width again (the same, with no rule to change
// it), a label makes the text control its setText made already, a tree
// widget runs a pending sort, which its first look-up runs as well.

#include <QString>
#include <QStringList>

class QStyle;
class QWidget;
struct QMetaObject;

namespace vantor {

// What an application style sheet can style: the type names of its rules'
// subjects (the part of a selector right of its last combinator), with
// "::" of a class name written "--" as the sheet writes it. A rule whose
// subject names no type (`*`, `#name`, `.Class`, `[prop]`) can style anything.
class SheetSubjects
{
public:
    explicit SheetSubjects(const QString &sheet);

    bool stylesAnything() const { return m_anything; }
    // Whether some rule may style an object of this class or one derived
    // from it, as the sheet's type selectors match.
    bool mayStyle(const QMetaObject *meta) const;

private:
    QStringList m_types;
    bool m_anything = false;
};

// Sends the polish of a control's widget past the application sheet's style
// when that sheet cannot style it (see above). Returns false, and leaves the
// widget to Qt's own polish, otherwise.
bool PolishPastApplicationSheet(QWidget *widget);

} // namespace vantor
