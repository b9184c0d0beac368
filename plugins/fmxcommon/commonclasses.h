#pragma once

// The controls FMXCommon.dll builds: framework classes that real forms use
// often and the viewer's known list lacks. They live in the plug-in only:
// the viewer replaces them by placeholders and asks this library for them.

#include "framework/brush.h"
#include "framework/classes.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/text.h"

#include <QPainterPath>

namespace vantor::fmxcommon {

// Registers every class below with the framework's class registry (once),
// so that the reader can create them from a block of form text.
void registerCommonClasses();

// The classes this library builds, in the order it announces them.
const std::vector<const char *> &commonClassNames();

// Decodes the binary path data newer forms write (Data.Path): a 32-bit
// count, then per point one kind byte (0 move, 1 line, 2 curve, 3 close)
// and two 32-bit floats. Data of any other size gives an empty path.
QPainterPath decodeBinaryPath(const QByteArray &data);

// Shapes: painted with their Fill and Stroke.
class TEllipse : public TShape
{
    VANTOR_CLASS(TEllipse, TShape)
public:
    explicit TEllipse(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TEllipse> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// An ellipse kept round: the largest circle centred in the control.
class TCircle : public TEllipse
{
    VANTOR_CLASS(TCircle, TEllipse)
public:
    explicit TCircle(TComponent *owner) : TEllipse(owner) {}

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A rectangle whose short sides are half circles.
class TRoundRect : public TShape
{
    VANTOR_CLASS(TRoundRect, TShape)
public:
    explicit TRoundRect(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TRoundRect> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A rectangle with a pointer of CalloutWidth × CalloutLength out of the side
// CalloutPosition names: centred when CalloutOffset is 0, else that far
// from the side's start (positive) or end (negative).
class TCalloutRectangle : public TRectangle
{
    VANTOR_CLASS(TCalloutRectangle, TRectangle)
public:
    explicit TCalloutRectangle(TComponent *owner) : TRectangle(owner) {}
    static void DeclareProperties(ClassBuilder<TCalloutRectangle> &b);
    double CalloutWidth() const { return m_width; }
    void SetCalloutWidth(double v) { m_width = v; peerChanged(); }
    double CalloutLength() const { return m_length; }
    void SetCalloutLength(double v) { m_length = v; peerChanged(); }
    double CalloutOffset() const { return m_offset; }
    void SetCalloutOffset(double v) { m_offset = v; peerChanged(); }
    int CalloutPosition() const { return m_position; }
    void SetCalloutPosition(int v) { m_position = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    double m_width = 23;
    double m_length = 11;
    double m_offset = 0;
    int m_position = 0; // Top, Left, Bottom, Right
};

// A pie slice (TPie) or an open arc (TArc) between two angles in degrees,
// clockwise from three o'clock.
class TPie : public TShape
{
    VANTOR_CLASS(TPie, TShape)
public:
    explicit TPie(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TPie> &b);
    double StartAngle() const { return m_start; }
    void SetStartAngle(double a) { m_start = a; peerChanged(); }
    double EndAngle() const { return m_end; }
    void SetEndAngle(double a) { m_end = a; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
    virtual bool closed() const { return true; }

private:
    double m_start = 0;
    double m_end = -90;
};

class TArc : public TPie
{
    VANTOR_CLASS(TArc, TPie)
public:
    explicit TArc(TComponent *owner) : TPie(owner) {}

protected:
    bool closed() const override { return false; }
};

// A path from SVG path text (Data.Data) or binary path data (Data.Path),
// fitted as WrapMode says.
class TPath : public TShape
{
    VANTOR_CLASS(TPath, TShape)
public:
    explicit TPath(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TPath> &b);
    TPathData *Data() const { return m_data.get(); }
    TPathWrapMode WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TPathWrapMode m) { m_wrapMode = m; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::unique_ptr<TPathData> m_data;
    TPathWrapMode m_wrapMode = TPathWrapMode::Stretch;
};

// Plain text drawn with its TextSettings (no style around it).
class TText : public TTextControl
{
    VANTOR_CLASS(TText, TTextControl)
public:
    // Text is centred and wrapped unless the form says otherwise.
    explicit TText(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TText> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// The header row of a group in a list box, and the bar above a list box.
class TListBoxGroupHeader : public TTextControl
{
    VANTOR_CLASS(TListBoxGroupHeader, TTextControl)
public:
    explicit TListBoxGroupHeader(TComponent *owner) : TTextControl(owner) {}
    static void DeclareProperties(ClassBuilder<TListBoxGroupHeader> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

class TListBoxHeader : public TControl
{
    VANTOR_CLASS(TListBoxHeader, TControl)
public:
    explicit TListBoxHeader(TComponent *owner) : TControl(owner) {}

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A colour swatch (TColorBox) and a drop-down colour picker (TComboColorBox).
class TColorBox : public TControl
{
    VANTOR_CLASS(TColorBox, TControl)
public:
    explicit TColorBox(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TColorBox> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_color = 0xFFFFFFFF;
};

class TComboColorBox : public TColorBox
{
    VANTOR_CLASS(TComboColorBox, TColorBox)
public:
    explicit TComboColorBox(TComponent *owner) : TColorBox(owner) {}
    static void DeclareProperties(ClassBuilder<TComboColorBox> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// Layouts that place their children themselves. Each places them once the
// block is read (Loaded) and whenever a child's layout changes; the aligned
// children of a cell fill it.
class TArrangingLayout : public TControl
{
    VANTOR_CLASS(TArrangingLayout, TControl)
public:
    explicit TArrangingLayout(TComponent *owner) : TControl(owner) {}
    void Loaded() override;
    void arrange();

protected:
    void childLayoutChanged() override;
    virtual void arrangeChildren() {}
    std::vector<TControl *> visibleControls() const;

private:
    bool m_arranging = false;
};

// Columns and rows of absolute or percentage sizes; ControlCollection puts
// each control into a cell.
class TGridPanelLayout : public TArrangingLayout
{
    VANTOR_CLASS(TGridPanelLayout, TArrangingLayout)
public:
    explicit TGridPanelLayout(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TGridPanelLayout> &b);
    TCollection *ColumnCollection() const { return m_columns.get(); }
    TCollection *RowCollection() const { return m_rows.get(); }
    TCollection *ControlCollection() const { return m_controls.get(); }

protected:
    void arrangeChildren() override;

private:
    std::unique_ptr<TCollection> m_columns;
    std::unique_ptr<TCollection> m_rows;
    std::unique_ptr<TCollection> m_controls;
};

// Children one after the other, wrapping into the next line.
class TFlowLayout : public TArrangingLayout
{
    VANTOR_CLASS(TFlowLayout, TArrangingLayout)
public:
    explicit TFlowLayout(TComponent *owner) : TArrangingLayout(owner) {}
    static void DeclareProperties(ClassBuilder<TFlowLayout> &b);
    double HorizontalGap() const { return m_hGap; }
    void SetHorizontalGap(double v) { m_hGap = v; }
    double VerticalGap() const { return m_vGap; }
    void SetVerticalGap(double v) { m_vGap = v; }
    int Justify() const { return m_justify; }
    void SetJustify(int v) { m_justify = v; }
    int FlowDirection() const { return m_direction; }
    void SetFlowDirection(int v) { m_direction = v; }

protected:
    void arrangeChildren() override;

private:
    double m_hGap = 0;
    double m_vGap = 0;
    int m_justify = 0;   // Left, Right, Center, Justify
    int m_direction = 0; // LeftToRight, RightToLeft
};

// Ends the line of a flow layout: the controls after it begin the next one.
// It draws nothing.
class TFlowLayoutBreak : public TControl
{
    VANTOR_CLASS(TFlowLayoutBreak, TControl)
public:
    explicit TFlowLayoutBreak(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TFlowLayoutBreak> &b);
};

// A layout that scales its children from the size it was designed at; the
// picture shows the children at their design size.
class TScaledLayout : public TControl
{
    VANTOR_CLASS(TScaledLayout, TControl)
public:
    explicit TScaledLayout(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TScaledLayout> &b);
};

// The side panel of a master-detail layout, shown as a panel.
class TMultiView : public TControl
{
    VANTOR_CLASS(TMultiView, TControl)
public:
    explicit TMultiView(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TMultiView> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// The web browser's area: a white page under an address bar that names the
// URL the form gives (nothing is loaded).
class TWebBrowser : public TControl
{
    VANTOR_CLASS(TWebBrowser, TControl)
public:
    explicit TWebBrowser(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TWebBrowser> &b);
    QString URL() const { return m_url; }
    void SetURL(const QString &url) { m_url = url; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    QString m_url;
};

// Non-visual components: kept as read; the picture says what they are.
class TFloatAnimation : public TAnimation
{
    VANTOR_CLASS(TFloatAnimation, TAnimation)
public:
    explicit TFloatAnimation(TComponent *owner) : TAnimation(owner) {}
    static void DeclareProperties(ClassBuilder<TFloatAnimation> &b);
};

class TColorAnimation : public TAnimation
{
    VANTOR_CLASS(TColorAnimation, TAnimation)
public:
    explicit TColorAnimation(TComponent *owner) : TAnimation(owner) {}
    static void DeclareProperties(ClassBuilder<TColorAnimation> &b);
};

class TBindingsList : public TFmxObject
{
    VANTOR_CLASS(TBindingsList, TFmxObject)
public:
    explicit TBindingsList(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TBindingsList> &b);
    TCollection *Methods() const { return m_methods.get(); }
    TCollection *OutputConverters() const { return m_converters.get(); }

private:
    std::unique_ptr<TCollection> m_methods;
    std::unique_ptr<TCollection> m_converters;
};

// The text a non-visual component's picture shows: its class and what it
// works on ("TFloatAnimation", "Opacity 0 → 1").
QStringList nonVisualCaption(TComponent *component);

} // namespace vantor::fmxcommon
