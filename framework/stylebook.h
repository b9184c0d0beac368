#pragma once

// Styles from a form's own style book: the book's resource for the load's
// platform, read once per load, and a style built for one control as a tree
// of the framework's own classes, laid out to the control's size and drawn
// as its look.

#include "streams/styleresource.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <map>
#include <memory>
#include <string_view>

class QPainter;
class QWidget;

namespace vantor {

class TComponent;
class TControl;
class TFmxObject;
class TStyleBook;

// The styles one style book gives a load: the `Styles` item chosen for the
// platform (ChooseStyleItem), else the older text resource
// (`Resource.Strings`), read. A resource that does not read leaves no styles
// and says why in error().
class BookStyles
{
public:
    // `platform` as the loader names it ("Windows" for a plain form).
    BookStyles(const TStyleBook &book, std::string_view platform);

    // Empty when the resource read (or the book has none for the platform);
    // else the reader's message.
    const QString &error() const { return m_error; }
    const StyleResource &resource() const { return m_resource; }
    // The style of that name, without regard to case; nullptr if none.
    const StyleResourceEntry *find(const QString &name) const;

    // The bitmap a style object cuts its picture from: the style of that
    // name, an image of the style's bitmaps, at the resolution nearest to 1
    // (its scale in `scale`). A null image when the resource has none of
    // that name. Decoded once per book.
    QImage sourceImage(const QString &name, double &scale) const;

private:
    StyleResource m_resource;
    QString m_error;
    struct Source
    {
        QImage image;
        double scale = 1;
    };
    mutable std::map<QString, Source> m_sources;
};

// One style built for one control. The tree is the framework's own
// components, read leniently from the style's stream: a class the framework
// does not have becomes an empty part (a TLayout that keeps its place and
// size), a property it does not take is passed over.
class StyleLook
{
public:
    // Builds the style; raises the reader's Exception when its stream is
    // damaged. `book`, when given, supplies the source bitmaps of the
    // style's objects (it need not outlive the look).
    StyleLook(const QString &name, const StyleResourceEntry &style, const BookStyles *book = nullptr);
    ~StyleLook();
    StyleLook(const StyleLook &) = delete;
    StyleLook &operator=(const StyleLook &) = delete;

    // The name the control looked the style up by.
    const QString &name() const { return m_name; }
    // The style's root; nullptr when the style's root is not a control (it
    // then draws nothing).
    TControl *root() const { return m_root; }
    // The first object of the tree (the root included, depth first) whose
    // StyleName is `partName`, letters without regard to case.
    TFmxObject *part(const QString &partName) const;

    // Gives the parts that carry a control's data that data: the "text" part
    // the control's Text and, for every text setting the control does not
    // leave to the style (StyledSettings), that setting; the "glyph" part
    // the control's Images and ImageIndex; the "icon" part the bitmap of
    // the control's ItemData. Parts a style lacks are left alone.
    void bind(TControl &control);

    // Shows text in the "text" part, if the style has one.
    void setText(const QString &text);

    // Lays the tree out to the rectangle's size and paints it there.
    void paint(QPainter &painter, const QRectF &rect);

private:
    QString m_name;
    std::unique_ptr<TComponent> m_holder; // owns every part of the tree
    TFmxObject *m_rootObject = nullptr;
    TControl *m_root = nullptr;
    QSizeF m_laidOut;
    std::unique_ptr<QWidget> m_stage; // holds the tree's widgets; never shown
};

// Which classes of the registry a style may be built of, besides its own
// primitives (StylePartClass): the loader admits the known classes only, so
// that what a library registered later does not change how a style looks.
// nullptr (the default) admits every registered class.
void SetStyleClassFilter(bool (*admits)(const QString &className));

// The style book a control is drawn from: the StyleBook of the nearest form
// among its owners (a frame's controls take the book of the form that holds
// the frame); nullptr when there is none.
TStyleBook *StyleBookOf(const TControl &control);

// The style of the control's book that its lookup (effectiveStyleLookup)
// names; nullptr when the control has no book, no lookup, or the book lacks
// the style.
const StyleResourceEntry *BookStyleOf(const TControl &control);

// The looks of the forms' own style books ("book:NAME"); asked before the
// stock looks. A style that does not build leaves the control to the next
// source.
class LookSource;
LookSource &BookLookSource();

} // namespace vantor
