#pragma once

// Where a built form is shown: the viewer frames it in a rectangle of the
// host form's size and moves the form's controls into a panel that fills the
// rectangle less its margins. The tools lay a form out the same way, so
// that their pictures and their geometry are the viewer's; what is shown is
// then measured control by control.

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

class QImage;

namespace vantor {

class TCommonCustomForm;
class TComponent;
class TControl;
class TDFMView;
class TFmxObject;

// The panel's margin inside the framed rectangle, on each side.
inline constexpr double kShownPanelMargin = 8;

// The size of the framed rectangle for the last load's form: the host
// form's size; for a frame root the frame's size plus the panel's margins,
// so that the panel holds the whole frame at the size its file gives.
QSizeF FramedRectSize(const TDFMView &view);

// Moves every child of form into parent, first child first: drawing and
// alignment order stay as they were, positions become relative to parent.
void EmbeddForm(TFmxObject *parent, TCommonCustomForm *form);

// Every new widget queues a request to polish itself, and a widget is
// polished anyway when it is first shown or pictured. Left queued after a
// form of many widgets is built, each request makes a button ask its parent
// for a new layout, for which Qt looks through the whole queue (quadratic in
// the form's widgets), and each widget destroyed before its request ran
// searches the queue once more. Dropped here at once, in one pass.
void DropQueuedPolishRequests();

// One component of a shown form.
struct ShownComponent
{
    TComponent *component = nullptr;
    bool isControl = false;
    // Visible itself and through every parent up to the panel (and, once
    // the panel's widgets exist, not hidden by a page that is not shown).
    bool shown = false;
    // In the panel's coordinates, after layout.
    QRectF bounds;
    // The part of bounds that the parents leave to be seen (every parent
    // clips its children), in the panel's coordinates; empty when nothing
    // of the control can be seen.
    QRectF visible;
    // Inside a scrolling view (a scroll box, a list): a part that lies
    // beyond the view is reached by scrolling.
    bool inScrollView = false;
};

// Every component the form owns, in order, each followed by what a frame
// among them owns (a frame root keeps its components itself), with what of
// it is shown inside panel.
std::vector<ShownComponent> ShownGeometry(TComponent &form, TControl &panel);

// True when picture has a pixel that differs from background (both of one
// size); false for pictures of different sizes.
bool ShowsMoreThan(const QImage &picture, const QImage &background);

} // namespace vantor
