#pragma once

// The layout engine: where aligned children go inside their parent, and how
// anchored and scaled children follow when the parent is resized. Pure
// geometry on QRectF, so it is tested as a table without widgets.

#include "framework/rtti.h"

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>

#include <vector>

namespace vantor {

// How a control places itself in its parent. Real forms write these names
// plain (`Client`) or with the older prefix (`alClient`); both are read.
enum class TAlignLayout {
    None,       // stays where it is; anchors apply when the parent resizes
    Top,        // across the remaining area at its top, height kept
    Left,       // down the remaining area at its left, width kept
    Right,      // down the remaining area at its right, width kept
    Bottom,     // across the remaining area at its bottom, height kept
    MostTop,    // as Top, placed before every non-Most alignment
    MostBottom, // as Bottom, placed before every non-Most alignment
    MostLeft,   // as Left, placed before every non-Most alignment
    MostRight,  // as Right, placed before every non-Most alignment
    Client,     // fills the remaining area
    Contents,   // fills the whole parent area, whatever the siblings took
    Center,     // centred in the remaining area, size kept
    VertCenter, // centred vertically, as wide as the remaining area
    HorzCenter, // centred horizontally, as high as the remaining area
    Horizontal, // as wide as the remaining area, vertical place and height kept
    Vertical,   // as high as the remaining area, horizontal place and width kept
    Scale,      // position and size scale with the parent's size
    Fit,        // largest size of the same aspect ratio that fits, centred
    FitLeft,    // as Fit, at the left
    FitRight,   // as Fit, at the right
    // Strips that keep the control's own length along them: TopCenter takes
    // a strip at the top like Top, but keeps its width and sits centred in
    // the strip; TopLeft and TopRight sit at the strip's ends. The same for
    // the other three edges.
    TopCenter,
    TopLeft,
    TopRight,
    LeftCenter,
    LeftTop,
    LeftBottom,
    RightCenter,
    RightTop,
    RightBottom,
    BottomCenter,
    BottomLeft,
    BottomRight,
};
const EnumInfo &alignLayoutInfo();

// Which edges of the parent a non-aligned control keeps its distance to.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = unsigned; // bit (1 << TAnchorKind)
inline constexpr TAnchors kDefaultAnchors = (1u << akLeft) | (1u << akTop);
const EnumInfo &anchorKindInfo();

// One child as the engine sees it.
struct LayoutItem
{
    TAlignLayout align = TAlignLayout::None;
    QRectF bounds;           // in parent coordinates; the engine writes the result here
    QMarginsF margins;       // space kept around the child inside the area
};

// Places the aligned items inside `area` (the parent's client rectangle less
// its padding). Items with None or Scale are left alone. Order: MostTop and
// MostBottom, then MostLeft and MostRight, then Top and Bottom, then Left and
// Right, each group in item order, each taking its strip off the remaining
// area; then the filling alignments (Client, Contents, Center, ...) in item
// order, all in the area that is left (Contents in the whole area). Sizes never
// go below zero.
void alignItems(const QRectF &area, std::vector<LayoutItem> &items);

// Where a non-aligned child goes when its parent's client size changes from
// `before` to `after`: an edge anchored on both sides stretches, one anchored
// only far (right/bottom) moves with the far edge, one anchored on neither
// side keeps its distance to the parent's centre.
QRectF applyAnchors(const QRectF &bounds, TAnchors anchors, const QSizeF &before, const QSizeF &after);

// A child aligned `Scale`: position and size scale by the parent's change.
QRectF applyScale(const QRectF &bounds, const QSizeF &before, const QSizeF &after);

} // namespace vantor
