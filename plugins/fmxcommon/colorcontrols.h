#pragma once

// The framework's colour controls FMXCommon.dll builds (besides the colour
// box and the combo colour box of commonclasses.h), drawn as the framework
// draws them: the hue, alpha and grey track bars show their scale under a
// thumb at Value; the colour quad is the saturation/luminance square of its
// Hue; the colour picker a vertical hue strip; the colour panel a quad, a hue
// strip and an alpha bar for its Color; the colour list box the named
// colours; the colour button a button showing its Color. And the edit
// buttons the known list lacks.

#include "commonclasses.h"

#include "framework/controls/bars.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"

namespace vantor::fmxcommon {

// A track bar whose track is a colour scale (Min 0, Max 1).
class TBitmapTrackBar : public TTrackBar
{
    VANTOR_CLASS(TBitmapTrackBar, TTrackBar)
public:
    explicit TBitmapTrackBar(TComponent *owner);

protected:
    QWidget *createPeer() override { return TControl::createPeer(); }
    void updatePeer() override {}
    void paint(QPainter &painter, const QRectF &rect) override;
    // The colour at `t` (0 at the start of the track, 1 at its end).
    virtual QColor scaleColor(double t) const = 0;
    // Whether a chequered ground shows through the scale.
    virtual bool chequered() const { return false; }
};

class THueTrackBar : public TBitmapTrackBar
{
    VANTOR_CLASS(THueTrackBar, TBitmapTrackBar)
public:
    explicit THueTrackBar(TComponent *owner);

protected:
    QColor scaleColor(double t) const override;
};

class TAlphaTrackBar : public TBitmapTrackBar
{
    VANTOR_CLASS(TAlphaTrackBar, TBitmapTrackBar)
public:
    explicit TAlphaTrackBar(TComponent *owner);

protected:
    QColor scaleColor(double t) const override;
    bool chequered() const override { return true; }
};

class TBWTrackBar : public TBitmapTrackBar
{
    VANTOR_CLASS(TBWTrackBar, TBitmapTrackBar)
public:
    explicit TBWTrackBar(TComponent *owner);

protected:
    QColor scaleColor(double t) const override;
};

// Saturation from left (0) to right (1), luminance from top (1) to bottom
// (0), all of Hue; a ring marks Sat/Lum.
class TColorQuad : public TControl
{
    VANTOR_CLASS(TColorQuad, TControl)
public:
    explicit TColorQuad(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TColorQuad> &b);
    double Hue() const { return m_hue; }
    void SetHue(double v) { m_hue = v; peerChanged(); }
    double Sat() const { return m_sat; }
    void SetSat(double v) { m_sat = v; peerChanged(); }
    double Lum() const { return m_lum; }
    void SetLum(double v) { m_lum = v; peerChanged(); }
    double Alpha() const { return m_alpha; }
    void SetAlpha(double v) { m_alpha = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    double m_hue = 0;
    double m_sat = 0;
    double m_lum = 0;
    double m_alpha = 1;
};

// A vertical hue strip with a mark at the hue of Color.
class TColorPicker : public TControl
{
    VANTOR_CLASS(TColorPicker, TControl)
public:
    explicit TColorPicker(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TColorPicker> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_color = 0xFFFF0000;
};

// The quad of Color's hue with the mark at its saturation and luminance,
// the hue strip on the right and, with UseAlpha, the alpha bar below.
class TColorPanel : public TControl
{
    VANTOR_CLASS(TColorPanel, TControl)
public:
    explicit TColorPanel(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TColorPanel> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }
    bool UseAlpha() const { return m_useAlpha; }
    void SetUseAlpha(bool v) { m_useAlpha = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_color = 0xFFFFFFFF;
    bool m_useAlpha = true;
};

// A list of the named colours, each row a swatch and the name; Color
// selects the row of that colour.
class TColorListBox : public TListBox
{
    VANTOR_CLASS(TColorListBox, TListBox)
public:
    explicit TColorListBox(TComponent *owner) : TListBox(owner) {}
    static void DeclareProperties(ClassBuilder<TColorListBox> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c);
    void Loaded() override;

private:
    TAlphaColor m_color = 0;
    bool m_filled = false;
};

// A button whose face is its Color.
class TColorButton : public TButton
{
    VANTOR_CLASS(TColorButton, TButton)
public:
    explicit TColorButton(TComponent *owner) : TButton(owner) {}
    static void DeclareProperties(ClassBuilder<TColorButton> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }

protected:
    QWidget *createPeer() override { return TControl::createPeer(); }
    void updatePeer() override {}
    bool peerReportsClicks() const override { return false; }
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_color = 0xFFFFFFFF;
};

// The edit buttons beside the clear and search buttons of the known list.
class TEllipsesEditButton : public TEditButton
{
    VANTOR_CLASS(TEllipsesEditButton, TEditButton)
public:
    explicit TEllipsesEditButton(TComponent *owner) : TEditButton(owner) {}

protected:
    QString glyph() const override;
};

class TPasswordEditButton : public TEditButton
{
    VANTOR_CLASS(TPasswordEditButton, TEditButton)
public:
    explicit TPasswordEditButton(TComponent *owner) : TEditButton(owner) {}

protected:
    QString glyph() const override;
};

// A down arrow.
class TDropDownEditButton : public TEditButton
{
    VANTOR_CLASS(TDropDownEditButton, TEditButton)
public:
    explicit TDropDownEditButton(TComponent *owner) : TEditButton(owner) {}

protected:
    void updatePeer() override;
};

// Two halves, an up and a down arrow.
class TSpinEditButton : public TEditButton
{
    VANTOR_CLASS(TSpinEditButton, TEditButton)
public:
    explicit TSpinEditButton(TComponent *owner) : TEditButton(owner) {}
    static void DeclareProperties(ClassBuilder<TSpinEditButton> &b);

protected:
    QWidget *createPeer() override { return TControl::createPeer(); }
    void updatePeer() override {}
    bool peerReportsClicks() const override { return false; }
    void paint(QPainter &painter, const QRectF &rect) override;
};

void registerColorClasses();
const std::vector<const char *> &colorClassNames();

} // namespace vantor::fmxcommon
