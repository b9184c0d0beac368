#pragma once

// Fill and stroke of shapes and forms: TBrush (Fill.Kind, Fill.Color,
// Fill.Bitmap...), TStrokeBrush (Stroke.Color, Stroke.Thickness, ...) and
// TBitmap (an image read from `PNG = {...}`).

#include "framework/classes.h"
#include "framework/colors.h"
#include "framework/geometry.h"

#include <QBrush>
#include <QByteArray>
#include <QImage>

#include <functional>
#include <memory>

class QPainter;
class QRectF;

namespace vantor {

// An image property; forms write its data as `Bitmap.PNG = {...}`.
class TBitmap : public TPersistent
{
    VANTOR_CLASS(TBitmap, TPersistent)
public:
    TBitmap() = default;
    static void DeclareProperties(ClassBuilder<TBitmap> &b);

    // The bytes as read, or the image encoded when it was set as one.
    QByteArray PNG() const;
    // Keeps the bytes as read; an image that Qt cannot decode stays empty.
    void SetPNG(const QByteArray &data);
    // Takes a decoded image without keeping any bytes for it (a picture the
    // viewer made: its PNG is only made if it is asked for).
    void SetImage(const QImage &image);
    const QImage &image() const { return m_image; }
    bool isEmpty() const { return m_image.isNull(); }

    std::function<void()> onChange;

private:
    QByteArray m_data;
    QImage m_image;
};

enum class TBrushKind { None, Solid, Gradient, Bitmap, Resource };
const EnumInfo &brushKindInfo();

// A bitmap fill: the image and how it covers the area.
class TBrushBitmap : public TPersistent
{
    VANTOR_CLASS(TBrushBitmap, TPersistent)
public:
    TBrushBitmap();
    static void DeclareProperties(ClassBuilder<TBrushBitmap> &b);
    TBitmap *Bitmap() const { return m_bitmap.get(); }

private:
    std::unique_ptr<TBitmap> m_bitmap;
};

// One colour stop of a gradient.
class TGradientPoint : public TCollectionItem
{
    VANTOR_CLASS(TGradientPoint, TCollectionItem)
public:
    TGradientPoint() = default;
    static void DeclareProperties(ClassBuilder<TGradientPoint> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; }
    double Offset() const { return m_offset; }
    void SetOffset(double o) { m_offset = o; }

private:
    TAlphaColor m_color = claColors::Black;
    double m_offset = 0;
};

enum class TGradientStyle { Linear, Radial };
const EnumInfo &gradientStyleInfo();

// A gradient: colour stops and the line they run along, in fractions of the
// filled area (a linear gradient runs from StartPosition to StopPosition; a
// radial one from the centre outwards). Without points it runs from black to
// white, as a new gradient of the framework does.
class TGradient : public TPersistent
{
    VANTOR_CLASS(TGradient, TPersistent)
public:
    TGradient();
    static void DeclareProperties(ClassBuilder<TGradient> &b);
    TCollection *Points() const { return m_points.get(); }
    TPosition *StartPosition() const { return m_start.get(); }
    TPosition *StopPosition() const { return m_stop.get(); }
    TGradientStyle Style() const { return m_style; }
    void SetStyle(TGradientStyle s) { m_style = s; }

    // The Qt brush that paints this gradient over rect.
    QBrush qbrush(const QRectF &rect) const;

private:
    std::unique_ptr<TCollection> m_points;
    std::unique_ptr<TPosition> m_start;
    std::unique_ptr<TPosition> m_stop;
    TGradientStyle m_style = TGradientStyle::Linear;
};

class TBrush : public TPersistent
{
    VANTOR_CLASS(TBrush, TPersistent)
public:
    TBrush(TBrushKind kind = TBrushKind::Solid, TAlphaColor color = claColors::White);
    static void DeclareProperties(ClassBuilder<TBrush> &b);

    TBrushKind Kind() const { return m_kind; }
    void SetKind(TBrushKind k);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c);
    TBrushBitmap *Bitmap() const { return m_bitmap.get(); }
    TGradient *Gradient() const { return m_gradient.get(); }

    // Fills `rect` with this brush (Solid, Gradient and Bitmap; None and
    // Resource paint nothing).
    void fill(QPainter &painter, const QRectF &rect, double xRadius = 0, double yRadius = 0) const;

    std::function<void()> onChange;

protected:
    void changed();

private:
    TBrushKind m_kind;
    TAlphaColor m_color;
    std::unique_ptr<TBrushBitmap> m_bitmap;
    std::unique_ptr<TGradient> m_gradient;
};

enum class TStrokeCap { Flat, Round };
enum class TStrokeJoin { Miter, Round, Bevel };
enum class TStrokeDash { Solid, Dash, Dot, DashDot, DashDotDot, Custom };

class TStrokeBrush : public TBrush
{
    VANTOR_CLASS(TStrokeBrush, TBrush)
public:
    TStrokeBrush(TBrushKind kind = TBrushKind::Solid, TAlphaColor color = claColors::Black);
    static void DeclareProperties(ClassBuilder<TStrokeBrush> &b);

    double Thickness() const { return m_thickness; }
    void SetThickness(double t);
    TStrokeCap Cap() const { return m_cap; }
    void SetCap(TStrokeCap c) { m_cap = c; changed(); }
    TStrokeJoin Join() const { return m_join; }
    void SetJoin(TStrokeJoin j) { m_join = j; changed(); }
    TStrokeDash Dash() const { return m_dash; }
    void SetDash(TStrokeDash d) { m_dash = d; changed(); }

    // Outlines `rect`, inset by half the thickness so the line stays inside.
    void stroke(QPainter &painter, const QRectF &rect, double xRadius = 0, double yRadius = 0) const;

private:
    double m_thickness = 1;
    TStrokeCap m_cap = TStrokeCap::Flat;
    TStrokeJoin m_join = TStrokeJoin::Miter;
    TStrokeDash m_dash = TStrokeDash::Solid;
};

} // namespace vantor
