#include "framework/layout.h"

#include <algorithm>

namespace vantor {

const EnumInfo &alignLayoutInfo()
{
    static const EnumInfo info{"TAlignLayout",
                               {"None", "Top", "Left", "Right", "Bottom", "MostTop", "MostBottom", "MostLeft",
                                "MostRight", "Client", "Contents", "Center", "VertCenter", "HorzCenter", "Horizontal",
                                "Vertical", "Scale", "Fit", "FitLeft", "FitRight", "TopCenter", "TopLeft",
                                "TopRight", "LeftCenter", "LeftTop", "LeftBottom", "RightCenter", "RightTop",
                                "RightBottom", "BottomCenter", "BottomLeft", "BottomRight"},
                               "al"};
    return info;
}

const EnumInfo &anchorKindInfo()
{
    static const EnumInfo info{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}, nullptr};
    return info;
}

namespace {

double nonNegative(double v) { return v < 0 ? 0 : v; }

// The area an item may use once its margins are taken off.
QRectF inner(const QRectF &area, const QMarginsF &m)
{
    return QRectF(area.left() + m.left(), area.top() + m.top(), nonNegative(area.width() - m.left() - m.right()),
                  nonNegative(area.height() - m.top() - m.bottom()));
}

// Where an edge alignment puts the control along its strip.
enum class Along { Stretch, Start, Centre, End };

Along alongOf(TAlignLayout a)
{
    switch (a) {
    case TAlignLayout::TopLeft:
    case TAlignLayout::BottomLeft:
    case TAlignLayout::LeftTop:
    case TAlignLayout::RightTop: return Along::Start;
    case TAlignLayout::TopCenter:
    case TAlignLayout::BottomCenter:
    case TAlignLayout::LeftCenter:
    case TAlignLayout::RightCenter: return Along::Centre;
    case TAlignLayout::TopRight:
    case TAlignLayout::BottomRight:
    case TAlignLayout::LeftBottom:
    case TAlignLayout::RightBottom: return Along::End;
    default: return Along::Stretch;
    }
}

// The start of a length placed within [from, from + room].
double placedAlong(Along along, double from, double room, double length)
{
    switch (along) {
    case Along::Centre: return from + (room - length) / 2;
    case Along::End: return from + room - length;
    default: return from;
    }
}

// Takes a strip off one side of `rest` for an edge alignment.
void placeEdge(QRectF &rest, LayoutItem &item, TAlignLayout side)
{
    const QMarginsF &m = item.margins;
    const QRectF box = inner(rest, m);
    QRectF &b = item.bounds;
    const QRectF own = b;
    const Along along = alongOf(item.align);
    switch (side) {
    case TAlignLayout::Top: {
        const double h = nonNegative(b.height());
        b = QRectF(box.left(), box.top(), box.width(), h);
        const double used = std::min(rest.height(), h + m.top() + m.bottom());
        rest.setTop(rest.top() + used);
        break;
    }
    case TAlignLayout::Bottom: {
        const double h = nonNegative(b.height());
        b = QRectF(box.left(), rest.bottom() - m.bottom() - h, box.width(), h);
        const double used = std::min(rest.height(), h + m.top() + m.bottom());
        rest.setBottom(rest.bottom() - used);
        break;
    }
    case TAlignLayout::Left: {
        const double w = nonNegative(b.width());
        b = QRectF(box.left(), box.top(), w, box.height());
        const double used = std::min(rest.width(), w + m.left() + m.right());
        rest.setLeft(rest.left() + used);
        break;
    }
    case TAlignLayout::Right: {
        const double w = nonNegative(b.width());
        b = QRectF(rest.right() - m.right() - w, box.top(), w, box.height());
        const double used = std::min(rest.width(), w + m.left() + m.right());
        rest.setRight(rest.right() - used);
        break;
    }
    default: break;
    }
    if (along == Along::Stretch)
        return;
    if (side == TAlignLayout::Top || side == TAlignLayout::Bottom) {
        const double w = nonNegative(own.width());
        b = QRectF(placedAlong(along, box.left(), box.width(), w), b.top(), w, b.height());
    } else {
        const double h = nonNegative(own.height());
        b = QRectF(b.left(), placedAlong(along, box.top(), box.height(), h), b.width(), h);
    }
}

TAlignLayout edgeOf(TAlignLayout a)
{
    switch (a) {
    case TAlignLayout::MostTop: return TAlignLayout::Top;
    case TAlignLayout::MostBottom: return TAlignLayout::Bottom;
    case TAlignLayout::MostLeft: return TAlignLayout::Left;
    case TAlignLayout::MostRight: return TAlignLayout::Right;
    case TAlignLayout::TopCenter:
    case TAlignLayout::TopLeft:
    case TAlignLayout::TopRight: return TAlignLayout::Top;
    case TAlignLayout::BottomCenter:
    case TAlignLayout::BottomLeft:
    case TAlignLayout::BottomRight: return TAlignLayout::Bottom;
    case TAlignLayout::LeftCenter:
    case TAlignLayout::LeftTop:
    case TAlignLayout::LeftBottom: return TAlignLayout::Left;
    case TAlignLayout::RightCenter:
    case TAlignLayout::RightTop:
    case TAlignLayout::RightBottom: return TAlignLayout::Right;
    default: return a;
    }
}

QRectF fitted(const QRectF &box, const QRectF &b, TAlignLayout how)
{
    if (b.width() <= 0 || b.height() <= 0)
        return QRectF(box.left(), box.top(), 0, 0);
    const double s = std::min(box.width() / b.width(), box.height() / b.height());
    const double w = b.width() * s, h = b.height() * s;
    const double y = box.top() + (box.height() - h) / 2;
    double x = box.left() + (box.width() - w) / 2;
    if (how == TAlignLayout::FitLeft)
        x = box.left();
    else if (how == TAlignLayout::FitRight)
        x = box.right() - w;
    return QRectF(x, y, w, h);
}

void placeFill(const QRectF &rest, const QRectF &whole, LayoutItem &item)
{
    const QRectF box = inner(item.align == TAlignLayout::Contents ? whole : rest, item.margins);
    QRectF &b = item.bounds;
    const double w = nonNegative(b.width()), h = nonNegative(b.height());
    switch (item.align) {
    case TAlignLayout::Client:
    case TAlignLayout::Contents: b = box; break;
    case TAlignLayout::Center:
        b = QRectF(box.left() + (box.width() - w) / 2, box.top() + (box.height() - h) / 2, w, h);
        break;
    case TAlignLayout::VertCenter: b = QRectF(box.left(), box.top() + (box.height() - h) / 2, box.width(), h); break;
    case TAlignLayout::HorzCenter: b = QRectF(box.left() + (box.width() - w) / 2, box.top(), w, box.height()); break;
    case TAlignLayout::Horizontal: b = QRectF(box.left(), b.top(), box.width(), h); break;
    case TAlignLayout::Vertical: b = QRectF(b.left(), box.top(), w, box.height()); break;
    case TAlignLayout::Fit:
    case TAlignLayout::FitLeft:
    case TAlignLayout::FitRight: b = fitted(box, b, item.align); break;
    default: break;
    }
}

} // namespace

void alignItems(const QRectF &area, std::vector<LayoutItem> &items)
{
    QRectF rest = area;
    const auto pass = [&](std::initializer_list<TAlignLayout> aligns) {
        for (LayoutItem &item : items)
            if (std::find(aligns.begin(), aligns.end(), item.align) != aligns.end())
                placeEdge(rest, item, edgeOf(item.align));
    };
    pass({TAlignLayout::MostTop, TAlignLayout::MostBottom});
    pass({TAlignLayout::MostLeft, TAlignLayout::MostRight});
    pass({TAlignLayout::Top, TAlignLayout::Bottom, TAlignLayout::TopCenter, TAlignLayout::TopLeft,
          TAlignLayout::TopRight, TAlignLayout::BottomCenter, TAlignLayout::BottomLeft, TAlignLayout::BottomRight});
    pass({TAlignLayout::Left, TAlignLayout::Right, TAlignLayout::LeftCenter, TAlignLayout::LeftTop,
          TAlignLayout::LeftBottom, TAlignLayout::RightCenter, TAlignLayout::RightTop, TAlignLayout::RightBottom});
    for (LayoutItem &item : items) {
        switch (item.align) {
        case TAlignLayout::None:
        case TAlignLayout::Scale:
        case TAlignLayout::Top:
        case TAlignLayout::Bottom:
        case TAlignLayout::Left:
        case TAlignLayout::Right:
        case TAlignLayout::MostTop:
        case TAlignLayout::MostBottom:
        case TAlignLayout::MostLeft:
        case TAlignLayout::MostRight: break;
        default:
            if (edgeOf(item.align) == item.align)
                placeFill(rest, area, item);
            break;
        }
    }
}

QRectF applyAnchors(const QRectF &bounds, TAnchors anchors, const QSizeF &before, const QSizeF &after)
{
    const auto axis = [](double pos, double size, bool nearEdge, bool farEdge, double delta, double &outPos,
                         double &outSize) {
        outPos = pos;
        outSize = size;
        if (nearEdge && farEdge)
            outSize = nonNegative(size + delta);
        else if (farEdge)
            outPos = pos + delta;
        else if (!nearEdge)
            outPos = pos + delta / 2; // keeps its distance to the parent's centre
    };
    double x, w, y, h;
    axis(bounds.left(), bounds.width(), anchors & (1u << akLeft), anchors & (1u << akRight),
         after.width() - before.width(), x, w);
    axis(bounds.top(), bounds.height(), anchors & (1u << akTop), anchors & (1u << akBottom),
         after.height() - before.height(), y, h);
    return QRectF(x, y, w, h);
}

QRectF applyScale(const QRectF &bounds, const QSizeF &before, const QSizeF &after)
{
    const double sx = before.width() > 0 ? after.width() / before.width() : 1.0;
    const double sy = before.height() > 0 ? after.height() / before.height() : 1.0;
    return QRectF(bounds.left() * sx, bounds.top() * sy, bounds.width() * sx, bounds.height() * sy);
}

} // namespace vantor
