#include "framework/brush.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <QPen>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TBitmap)
VANTOR_IMPLEMENT_CLASS(TBrushBitmap)
VANTOR_IMPLEMENT_CLASS(TGradientPoint)
VANTOR_IMPLEMENT_CLASS(TGradient)
VANTOR_IMPLEMENT_CLASS(TBrush)
VANTOR_IMPLEMENT_CLASS(TStrokeBrush)

namespace {

const EnumInfo &wrapModeInfo()
{
    static const EnumInfo info{"TWrapMode", {"Tile", "TileOriginal", "TileStretch"}, "wm"};
    return info;
}
const EnumInfo &capInfo()
{
    static const EnumInfo info{"TStrokeCap", {"Flat", "Round"}, "sc"};
    return info;
}
const EnumInfo &joinInfo()
{
    static const EnumInfo info{"TStrokeJoin", {"Miter", "Round", "Bevel"}, "sj"};
    return info;
}
const EnumInfo &dashInfo()
{
    static const EnumInfo info{"TStrokeDash", {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Custom"}, "sd"};
    return info;
}

} // namespace

const EnumInfo &brushKindInfo()
{
    // The earliest forms may still name bkGrab, a brush that copied the screen
    // behind the control; it comes last and paints nothing here.
    static const EnumInfo info{"TBrushKind", {"None", "Solid", "Gradient", "Bitmap", "Resource", "Grab"}, "bk"};
    return info;
}

void TBitmap::DeclareProperties(ClassBuilder<TBitmap> &b)
{
    b.binary("PNG", &TBitmap::PNG, &TBitmap::SetPNG);
}

QByteArray TBitmap::PNG() const
{
    if (!m_data.isEmpty() || m_image.isNull())
        return m_data;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_image.save(&buffer, "PNG");
    return png;
}

void TBitmap::SetImage(const QImage &image)
{
    m_data.clear();
    m_image = image;
    if (onChange)
        onChange();
}

void TBitmap::SetPNG(const QByteArray &data)
{
    m_data = data;
    m_image = QImage::fromData(data);
    if (onChange)
        onChange();
}

TBrushBitmap::TBrushBitmap() : m_bitmap(std::make_unique<TBitmap>()) {}

void TBrushBitmap::DeclareProperties(ClassBuilder<TBrushBitmap> &b)
{
    b.persistent("Bitmap", &TBrushBitmap::Bitmap);
    b.stored("WrapMode", PropKind::Enumeration, &wrapModeInfo());
}

const EnumInfo &gradientStyleInfo()
{
    static const EnumInfo info{"TGradientStyle", {"Linear", "Radial"}, "gs"};
    return info;
}

void TGradientPoint::DeclareProperties(ClassBuilder<TGradientPoint> &b)
{
    b.integer(
        "Color", &TGradientPoint::Color, [](TGradientPoint &p, std::int64_t v) { p.SetColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
    b.floating("Offset", &TGradientPoint::Offset, &TGradientPoint::SetOffset);
}

TGradient::TGradient()
    : m_points(std::make_unique<TCollection>(TGradientPoint::StaticClass())),
      m_start(std::make_unique<TPosition>(QPointF(0, 0))), m_stop(std::make_unique<TPosition>(QPointF(0, 1)))
{
}

namespace {

// The colour of the first or the last point. A gradient without points
// reads as black to white, as it paints.
TAlphaColor endColor(const TGradient &g, bool last)
{
    const TCollection &points = *g.Points();
    if (points.Count() == 0)
        return last ? claColors::White : claColors::Black;
    return static_cast<const TGradientPoint *>(points.Items(last ? points.Count() - 1 : 0))->Color();
}

// Sets it, first making the two end points the default gradient has.
void setEndColor(TGradient &g, bool last, TAlphaColor color)
{
    TCollection &points = *g.Points();
    while (points.Count() < 2) {
        auto *point = static_cast<TGradientPoint *>(points.Add());
        const bool end = points.Count() == 2;
        point->SetOffset(end ? 1.0 : 0.0);
        point->SetColor(end ? claColors::White : claColors::Black);
    }
    static_cast<TGradientPoint *>(points.Items(last ? points.Count() - 1 : 0))->SetColor(color);
}

} // namespace

void TGradient::DeclareProperties(ClassBuilder<TGradient> &b)
{
    b.collection("Points", &TGradient::Points);
    // Shortcuts to the colours of the first and the last point.
    b.integer(
        "Color", [](TGradient &g) { return std::int64_t(endColor(g, false)); },
        [](TGradient &g, std::int64_t v) { setEndColor(g, false, IntToAlphaColor(v)); }, &colorIdentToInt);
    b.integer(
        "Color1", [](TGradient &g) { return std::int64_t(endColor(g, true)); },
        [](TGradient &g, std::int64_t v) { setEndColor(g, true, IntToAlphaColor(v)); }, &colorIdentToInt);
    b.enumeration("Style", gradientStyleInfo(), &TGradient::Style, &TGradient::SetStyle);
    b.persistent("StartPosition", &TGradient::StartPosition);
    b.persistent("StopPosition", &TGradient::StopPosition);
    // Where a radial gradient sits and how it turns (kept; radial fills use the centre).
    b.stored("RadialTransform.RotationAngle", PropKind::Float);
    for (const char *name : {"RadialTransform.Position.X", "RadialTransform.Position.Y",
                             "RadialTransform.RotationCenter.X", "RadialTransform.RotationCenter.Y",
                             "RadialTransform.Scale.X", "RadialTransform.Scale.Y", "RadialTransform.Skew.X",
                             "RadialTransform.Skew.Y"})
        b.stored(name, PropKind::Float);
}

QBrush TGradient::qbrush(const QRectF &rect) const
{
    QGradientStops stops;
    for (int i = 0; i < m_points->Count(); ++i) {
        const auto *point = static_cast<const TGradientPoint *>(m_points->Items(i));
        // Qt wants offsets within [0, 1]; a form may hold a value a hair outside.
        stops.append({std::clamp(point->Offset(), 0.0, 1.0), toQColor(point->Color())});
    }
    if (stops.isEmpty())
        stops = {{0.0, QColor(Qt::black)}, {1.0, QColor(Qt::white)}};
    std::stable_sort(stops.begin(), stops.end(),
                     [](const QGradientStop &a, const QGradientStop &b) { return a.first < b.first; });
    const auto at = [&rect](QPointF fraction) {
        return QPointF(rect.left() + fraction.x() * rect.width(), rect.top() + fraction.y() * rect.height());
    };
    if (m_style == TGradientStyle::Radial) {
        QRadialGradient radial(rect.center(), std::max(rect.width(), rect.height()) / 2);
        radial.setStops(stops);
        return QBrush(radial);
    }
    QLinearGradient linear(at(m_start->point()), at(m_stop->point()));
    linear.setStops(stops);
    return QBrush(linear);
}

TBrush::TBrush(TBrushKind kind, TAlphaColor color)
    : m_kind(kind), m_color(color), m_bitmap(std::make_unique<TBrushBitmap>()),
      m_gradient(std::make_unique<TGradient>())
{
    m_bitmap->Bitmap()->onChange = [this] { changed(); };
    m_gradient->Points()->onChange = [this] { changed(); };
    m_gradient->StartPosition()->onChange = [this] { changed(); };
    m_gradient->StopPosition()->onChange = [this] { changed(); };
}

void TBrush::DeclareProperties(ClassBuilder<TBrush> &b)
{
    b.enumeration("Kind", brushKindInfo(), &TBrush::Kind, &TBrush::SetKind);
    b.integer(
        "Color", &TBrush::Color, [](TBrush &br, std::int64_t v) { br.SetColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
    b.persistent("Bitmap", &TBrush::Bitmap);
    b.persistent("Gradient", &TBrush::Gradient);
    // A brush of kind Resource takes its look from a style resource (kept).
    b.stored("Resource.StyleLookup", PropKind::String);
}

void TBrush::SetKind(TBrushKind k)
{
    // Grab (the ordinal after Resource) has no kind of its own: it paints nothing.
    m_kind = int(k) > int(TBrushKind::Resource) ? TBrushKind::None : k;
    changed();
}

void TBrush::SetColor(TAlphaColor c)
{
    m_color = c;
    changed();
}

void TBrush::changed()
{
    if (onChange)
        onChange();
}

void TBrush::fill(QPainter &painter, const QRectF &rect, double xRadius, double yRadius) const
{
    QBrush brush;
    switch (m_kind) {
    case TBrushKind::Solid: brush = QBrush(toQColor(m_color)); break;
    case TBrushKind::Gradient: brush = m_gradient->qbrush(rect); break;
    case TBrushKind::Bitmap:
        if (m_bitmap->Bitmap()->isEmpty())
            return;
        brush = QBrush(m_bitmap->Bitmap()->image());
        break;
    default: return;
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawRoundedRect(rect, xRadius, yRadius);
    painter.restore();
}

TStrokeBrush::TStrokeBrush(TBrushKind kind, TAlphaColor color) : TBrush(kind, color) {}

void TStrokeBrush::DeclareProperties(ClassBuilder<TStrokeBrush> &b)
{
    b.floating("Thickness", &TStrokeBrush::Thickness, &TStrokeBrush::SetThickness);
    b.enumeration("Cap", capInfo(), &TStrokeBrush::Cap, &TStrokeBrush::SetCap);
    b.enumeration("Join", joinInfo(), &TStrokeBrush::Join, &TStrokeBrush::SetJoin);
    b.enumeration("Dash", dashInfo(), &TStrokeBrush::Dash, &TStrokeBrush::SetDash);
}

void TStrokeBrush::SetThickness(double t)
{
    m_thickness = t < 0 ? 0 : t;
    changed();
}

void TStrokeBrush::stroke(QPainter &painter, const QRectF &rect, double xRadius, double yRadius) const
{
    if (Kind() == TBrushKind::None || m_thickness <= 0)
        return;
    QPen pen(toQColor(Color()), m_thickness);
    pen.setCapStyle(m_cap == TStrokeCap::Round ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(m_join == TStrokeJoin::Round ? Qt::RoundJoin
                     : m_join == TStrokeJoin::Bevel ? Qt::BevelJoin
                                                    : Qt::MiterJoin);
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine, Qt::SolidLine};
    pen.setStyle(styles[int(m_dash)]);
    const double half = m_thickness / 2;
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(half, half, -half, -half), xRadius, yRadius);
    painter.restore();
}

} // namespace vantor
