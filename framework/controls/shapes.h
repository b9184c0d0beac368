#pragma once

// Shapes: painted controls with a Fill and a Stroke.

#include "framework/brush.h"
#include "framework/control.h"

namespace vantor {

enum TCorner { TopLeft, TopRight, BottomLeft, BottomRight };
enum TSide { SideTop, SideLeft, SideBottom, SideRight };

// A rectangle with rounded corners (XRadius, YRadius), filled and outlined.
class TRectangle : public TControl
{
    VANTOR_CLASS(TRectangle, TControl)
public:
    explicit TRectangle(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TRectangle> &b);

    TBrush *Fill() const { return m_fill.get(); }
    TStrokeBrush *Stroke() const { return m_stroke.get(); }
    double XRadius() const { return m_xRadius; }
    void SetXRadius(double r) { m_xRadius = r; peerChanged(); }
    double YRadius() const { return m_yRadius; }
    void SetYRadius(double r) { m_yRadius = r; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::unique_ptr<TBrush> m_fill;
    std::unique_ptr<TStrokeBrush> m_stroke;
    double m_xRadius = 0;
    double m_yRadius = 0;
};

} // namespace vantor
