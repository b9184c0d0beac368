#pragma once

// Shapes and other painted controls: TShape (the shapes' common base with a
// Fill and a Stroke), TRectangle, TLine, TPathLabel, TPaintBox, and the
// resize frame TSelection with its single-grip sibling TSelectionPoint.

#include "framework/brush.h"
#include "framework/control.h"

#include <QPainterPath>
#include <QPointF>

namespace vantor {

enum TCorner { TopLeft, TopRight, BottomLeft, BottomRight };
enum TSide { SideTop, SideLeft, SideBottom, SideRight };

// The common base of the shapes: it owns a Fill and a Stroke and repaints
// when either changes. It publishes neither itself; each shape publishes
// what its class publishes on the home platform (a line has no Fill). A
// plain TShape has no outline of its own and paints nothing.
class TShape : public TControl
{
    VANTOR_CLASS(TShape, TControl)
public:
    explicit TShape(TComponent *owner);

    TBrush *Fill() const { return m_fill.get(); }
    TStrokeBrush *Stroke() const { return m_stroke.get(); }

private:
    std::unique_ptr<TBrush> m_fill;
    std::unique_ptr<TStrokeBrush> m_stroke;
};

// A rectangle with rounded corners (XRadius, YRadius), filled and outlined.
class TRectangle : public TShape
{
    VANTOR_CLASS(TRectangle, TShape)
public:
    explicit TRectangle(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TRectangle> &b);

    double XRadius() const { return m_xRadius; }
    void SetXRadius(double r) { m_xRadius = r; peerChanged(); }
    double YRadius() const { return m_yRadius; }
    void SetYRadius(double r) { m_yRadius = r; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    double m_xRadius = 0;
    double m_yRadius = 0;
};

// Which edge of its rectangle a line follows.
enum class TLineType {
    Diagonal, // from the top left to the bottom right corner
    Top,      // along the top edge
    Left,     // along the left edge
    Bottom,   // along the bottom edge
    Right,    // along the right edge
};
// Where the stroke lies relative to that edge.
enum class TLineLocation {
    Boundary,    // centred on the edge
    Inner,       // just inside the edge
    InnerWithin, // inside, and shortened so the caps stay inside too
};

// A straight line drawn with its Stroke.
class TLine : public TShape
{
    VANTOR_CLASS(TLine, TShape)
public:
    explicit TLine(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TLine> &b);

    TLineType LineType() const { return m_lineType; }
    void SetLineType(TLineType t) { m_lineType = t; peerChanged(); }
    TLineLocation LineLocation() const { return m_location; }
    void SetLineLocation(TLineLocation l) { m_location = l; peerChanged(); }

    // The two end points in the control's own coordinates for a rectangle
    // of the given size. The stroke always stays inside the rectangle: the
    // control's widget cannot paint beyond its bounds, and a line centred on
    // the edge would lose half of itself there.
    std::pair<QPointF, QPointF> endPoints(QSizeF size) const;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TLineType m_lineType = TLineType::Diagonal;
    TLineLocation m_location = TLineLocation::Boundary;
};

// Parses path data in the SVG syntax (M, L, H, V, C, S, Q, T, Z in absolute
// and relative forms; A is drawn as a straight segment to its end point).
// Stops at the first thing it cannot read and returns what it has so far;
// never throws.
QPainterPath parsePathData(const QString &data);

// How a path is fitted into the control.
enum class TPathWrapMode {
    Original, // at its own coordinates
    Fit,      // scaled to fit, proportions kept, centred
    Stretch,  // scaled to fill the control
    Tile,     // repeated at its own size
};

// The path data of a path control: `Data.Data` as SVG path text; the binary
// `Data.Path` that newer versions write is kept as read.
class TPathData : public TPersistent
{
    VANTOR_CLASS(TPathData, TPersistent)
public:
    TPathData() = default;
    static void DeclareProperties(ClassBuilder<TPathData> &b);

    QString Data() const { return m_data; }
    void SetData(const QString &d);
    const QPainterPath &path() const { return m_path; }

    std::function<void()> onChange;

private:
    QString m_data;
    QPainterPath m_path;
};

// A small control that shows a path (an icon drawn from path data) filled
// in the text colour and fitted as WrapMode says.
class TPathLabel : public TControl
{
    VANTOR_CLASS(TPathLabel, TControl)
public:
    explicit TPathLabel(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TPathLabel> &b);

    TPathData *Data() const { return m_data.get(); }
    TPathWrapMode WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TPathWrapMode m) { m_wrapMode = m; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::unique_ptr<TPathData> m_data;
    TPathWrapMode m_wrapMode = TPathWrapMode::Fit;
};

// A surface the application paints itself in OnPaint; without a handler it
// shows nothing, as on its home platform.
class TPaintBox : public TControl
{
    VANTOR_CLASS(TPaintBox, TControl)
public:
    explicit TPaintBox(TComponent *owner) : TControl(owner) {}
};

// The eight grips of a selection frame, clockwise from the top left.
enum class SelectionGrip { None, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left, Body };

class SelectionPeer;
class SelectionPointPeer;

// A resize frame: a rectangle with eight grips. Dragging a grip resizes the
// control (and so its aligned children), dragging inside moves it. OnTrack
// fires during the drag, OnChange once it ends; a press and release without
// moving is a click.
class TSelection : public TControl
{
    VANTOR_CLASS(TSelection, TControl)
public:
    explicit TSelection(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSelection> &b);

    double GripSize() const { return m_gripSize; }
    void SetGripSize(double v);
    double MinSize() const { return m_minSize; }
    void SetMinSize(double v) { m_minSize = v < 0 ? 0 : v; }
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool v) { m_proportional = v; }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool v) { m_hideSelection = v; peerChanged(); }
    bool ShowHandles() const { return m_showHandles; }
    void SetShowHandles(bool v) { m_showHandles = v; peerChanged(); }
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnTrack;

    // The grip under a point of the control's own coordinates.
    SelectionGrip gripAt(QPointF p) const;
    // The rectangle of one grip in the control's own coordinates.
    QRectF gripRect(SelectionGrip grip) const;
    // Applies a drag of `grip` by `delta` (parent coordinates) to the bounds
    // the drag started from, with MinSize and Proportional; fires OnTrack.
    void dragTo(SelectionGrip grip, QRectF startBounds, QPointF delta);
    // Ends a drag: fires OnChange.
    void endDrag();

protected:
    QWidget *createPeer() override;
    void paint(QPainter &painter, const QRectF &rect) override;
    bool peerReportsClicks() const override { return true; }

private:
    double m_gripSize = 3;
    double m_minSize = 15;
    bool m_proportional = false;
    bool m_hideSelection = false;
    bool m_showHandles = true;
    TAlphaColor m_color = 0xFF1E90FF; // DodgerBlue
    friend class SelectionPeer;
};

// One round grip that can be dragged: OnTrack fires while it moves,
// OnChange once it is let go.
class TSelectionPoint : public TControl
{
    VANTOR_CLASS(TSelectionPoint, TControl)
public:
    explicit TSelectionPoint(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSelectionPoint> &b);

    double GripSize() const { return m_gripSize; }
    void SetGripSize(double v) { m_gripSize = v < 0 ? 0 : v; peerChanged(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnTrack;

    // Moves the point by `delta` from where the drag started; fires OnTrack.
    void dragTo(QPointF startPosition, QPointF delta);
    void endDrag();

protected:
    QWidget *createPeer() override;
    void paint(QPainter &painter, const QRectF &rect) override;
    bool peerReportsClicks() const override { return true; }

private:
    double m_gripSize = 3;
    friend class SelectionPointPeer;
};

} // namespace vantor
