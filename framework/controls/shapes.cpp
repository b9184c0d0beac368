#include "framework/controls/shapes.h"

#include <QPainter>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TRectangle)

namespace {

const EnumInfo &cornerInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, nullptr};
    return info;
}
const EnumInfo &sideInfo()
{
    static const EnumInfo info{"TSide", {"Top", "Left", "Bottom", "Right"}, nullptr};
    return info;
}
const EnumInfo &cornerTypeInfo()
{
    static const EnumInfo info{"TCornerType", {"Round", "Bevel", "InnerRound", "InnerLine"}, nullptr};
    return info;
}

} // namespace

TRectangle::TRectangle(TComponent *owner)
    : TControl(owner), m_fill(std::make_unique<TBrush>(TBrushKind::Solid, claColors::White)),
      m_stroke(std::make_unique<TStrokeBrush>(TBrushKind::Solid, claColors::Black))
{
    m_fill->onChange = [this] { peerChanged(); };
    m_stroke->onChange = [this] { peerChanged(); };
}

void TRectangle::DeclareProperties(ClassBuilder<TRectangle> &b)
{
    b.persistent("Fill", &TRectangle::Fill);
    b.persistent("Stroke", &TRectangle::Stroke);
    b.floating("XRadius", &TRectangle::XRadius, &TRectangle::SetXRadius);
    b.floating("YRadius", &TRectangle::YRadius, &TRectangle::SetYRadius);
    b.stored("Corners", PropKind::Set, &cornerInfo());
    b.stored("CornerType", PropKind::Enumeration, &cornerTypeInfo());
    b.stored("Sides", PropKind::Set, &sideInfo());
}

void TRectangle::paint(QPainter &painter, const QRectF &rect)
{
    m_fill->fill(painter, rect, m_xRadius, m_yRadius);
    m_stroke->stroke(painter, rect, m_xRadius, m_yRadius);
}

} // namespace vantor
