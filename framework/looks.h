#pragma once

// A control's look: something that paints a control in place of its widget's
// own painting, chosen by the control's StyleLookup.
//
// Looks come from sources asked in order of precedence; the first that
// answers wins. The stock looks (the framework's own style names such as
// "toolbutton" or "listboxitemrightdetail", see stocklooks.h) are a source
// at precedence 0; a source of a form's own style book goes above it.
//
// How a look reaches the screen: applyLook() puts a small painter object on
// the control's widget (an event filter on its paint events). When the
// widget is to be painted, the look paints the control's rectangle from the
// control's data (LookData) and the widget's own painting is skipped. No
// widget is added: mouse and keyboard reach the widget exactly as before, so
// clicks, hovering and pressing behave as without a look, and the child
// controls' widgets still draw on top. A look that only changes the widget's
// own settings (an edit without a frame keeps its text and caret) says so
// with paintsControl() == false and does its work in adapt().
//
// TControl calls applyLook() when its widget is made and when StyleLookup
// changes. A source whose answers change later (a style book that arrives
// after the controls) calls applyLook() again for the controls concerned.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRectF>
#include <QString>

#include <memory>

class QPainter;
class QWidget;

namespace vantor {

class TControl;

// The mark at the right end of a list item.
enum class LookAccessory { None, More, Detail, Checkmark };

// What a look paints from, read from the control (and its widget's state)
// at each paint.
struct LookData
{
    QString text;        // Text of a text control; empty for others
    QString detail;      // ItemData.Detail of a list box item
    QImage image;        // ItemData.Bitmap of a list box item
    LookAccessory accessory = LookAccessory::None; // ItemData.Accessory of a list box item
    bool checkBox = false; // shows a check box (an item of a list with ShowCheckboxes)
    QFont font;          // the control's font after TextSettings and StyledSettings
    QColor fontColor;    // valid only when the control sets its own font colour
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter; // TextSettings' alignment
    bool wordWrap = false;
    bool enabled = true;
    bool pressed = false;  // held down by the mouse right now
    bool checked = false;  // IsChecked, or a StaysPressed button that is pressed
    bool selected = false; // IsSelected of a list item
    bool hovered = false;  // the mouse is over the widget
    QPalette palette;      // the widget's palette (the application's without a widget)
};

class Look
{
public:
    virtual ~Look() = default;
    // The name the shown-geometry report prints: "stock:toolbutton",
    // "book:MyStyle". Stable and unique per look.
    virtual QString name() const = 0;
    // Paints the control into `rect` (the widget's rectangle in its own
    // coordinates) with antialiasing on. Not called when paintsControl() is
    // false.
    virtual void paint(QPainter &painter, const QRectF &rect, const LookData &data) const = 0;
    // True: the look replaces the widget's painting. False: the widget
    // paints itself after adapt() changed its settings.
    virtual bool paintsControl() const { return true; }
    // True (with paintsControl()): the look paints first and the widget
    // then paints itself over it (an edit's text and caret over a styled
    // background).
    virtual bool paintsUnderWidget() const { return false; }
    // The look is put on (on = true) or taken off (false) the widget: set or
    // undo what the look changes on the widget itself. The default does
    // nothing.
    virtual void adapt(QWidget *widget, bool on) const;
};

class LookSource
{
public:
    virtual ~LookSource() = default;
    // The look this source gives the control, or null when it has none.
    virtual std::shared_ptr<const Look> lookFor(const TControl &control) const = 0;
};

// Adds a source of looks; sources of higher precedence are asked first
// (the stock looks are at 0). The caller keeps the source alive until it
// removes it.
void addLookSource(LookSource *source, int precedence);
void removeLookSource(LookSource *source);

// The style name a control asks for: its StyleLookup, or for a list box
// item without one, its list's DefaultItemStyles.ItemStyle. Sources look
// their looks up by it.
QString effectiveStyleLookup(const TControl &control);

// The look the control is drawn with; null for its widget's default look.
std::shared_ptr<const Look> resolveLook(const TControl &control);

// What the control is drawn with, for reports and tests: the look's name
// ("stock:NAME", "book:NAME") or "default".
QString DrawnLook(const TControl &control);

// The control's data for a look; `widget` adds the press, hover and palette
// state when given.
LookData lookDataOf(const TControl &control, const QWidget *widget);

// Puts the control's current look on its widget, or takes an old one off;
// does nothing while the control has no widget.
void applyLook(TControl &control);

} // namespace vantor
