#pragma once

// Bars: tool and status bars (painted), the size grip, and the controls that
// show a value in a range: track bar (QSlider), combo track bar
// (QDoubleSpinBox), progress bar (QProgressBar), scroll bars (QScrollBar),
// arc dial (QDial); and the activity indicator (painted, turning).

#include "framework/controls/containers.h"

namespace vantor {

class TToolBar : public TControl
{
    VANTOR_CLASS(TToolBar, TControl)
public:
    explicit TToolBar(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TToolBar> &b);

    // claNull (0) paints the usual bar colour.
    TAlphaColor TintColor() const { return m_tintColor; }
    void SetTintColor(TAlphaColor c) { m_tintColor = c; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_tintColor = claColors::Null;
};

class TStatusBar : public TControl
{
    VANTOR_CLASS(TStatusBar, TControl)
public:
    explicit TStatusBar(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TStatusBar> &b);

    bool ShowSizeGrip() const { return m_showSizeGrip; }
    void SetShowSizeGrip(bool v) { m_showSizeGrip = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    bool m_showSizeGrip = false;
};

// Resizes the window it is in; its peer is a QSizeGrip.
class TSizeGrip : public TControl
{
    VANTOR_CLASS(TSizeGrip, TControl)
public:
    explicit TSizeGrip(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSizeGrip> &b);

protected:
    QWidget *createPeer() override;
};

// What the range controls share: Min, Max, Value (kept within Min..Max
// where the control has a range), and the Action that may drive them. Qt's range widgets count in integers;
// values with fractions are shown in thousandths.
class TRangeControl : public TControl
{
    VANTOR_CLASS(TRangeControl, TControl)
public:
    explicit TRangeControl(TComponent *owner, double max);
    static void DeclareProperties(ClassBuilder<TRangeControl> &b);

    double Min() const { return m_min; }
    void SetMin(double v);
    double Max() const { return m_max; }
    void SetMax(double v);
    double Value() const { return m_value; }
    void SetValue(double v);
    double Frequency() const { return m_frequency; }
    void SetFrequency(double v) { m_frequency = v; peerChanged(); }
    TOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TOrientation o) { m_orientation = o; peerChanged(); }
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool v) { m_tracking = v; }

    void Loaded() override;

protected:
    // The factor that turns values into the widget's integers.
    double scale() const;
    int toSteps(double v) const;
    double fromSteps(int steps) const { return steps / scale(); }
    // True while the peer is being updated from the control.
    bool m_syncing = false;
    // Whether Value is kept within Min..Max.
    bool m_bounded = true;

private:
    double m_min = 0;
    double m_max;
    double m_value = 0;
    double m_frequency = 0;
    TOrientation m_orientation = TOrientation::Horizontal;
    bool m_tracking = true;
};

class TTrackBar : public TRangeControl
{
    VANTOR_CLASS(TTrackBar, TRangeControl)
public:
    explicit TTrackBar(TComponent *owner) : TRangeControl(owner, 10) {}
    static void DeclareProperties(ClassBuilder<TTrackBar> &b);

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
};

// An edit with a number and a drop-down track bar; its peer is a QDoubleSpinBox.
class TComboTrackBar : public TRangeControl
{
    VANTOR_CLASS(TComboTrackBar, TRangeControl)
public:
    explicit TComboTrackBar(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TComboTrackBar> &b);

    std::int64_t DecimalDigits() const { return m_decimalDigits; }
    void SetDecimalDigits(std::int64_t v) { m_decimalDigits = std::clamp<std::int64_t>(v, 0, 15); peerChanged(); }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    std::int64_t m_decimalDigits = 0;
    bool m_readOnly = false;
};

class TProgressBar : public TRangeControl
{
    VANTOR_CLASS(TProgressBar, TRangeControl)
public:
    explicit TProgressBar(TComponent *owner) : TRangeControl(owner, 100) {}
    static void DeclareProperties(ClassBuilder<TProgressBar> &b);

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
};

class TScrollBar : public TRangeControl
{
    VANTOR_CLASS(TScrollBar, TRangeControl)
public:
    explicit TScrollBar(TComponent *owner) : TRangeControl(owner, 100) {}
    static void DeclareProperties(ClassBuilder<TScrollBar> &b);

    double SmallChange() const { return m_smallChange; }
    void SetSmallChange(double v) { m_smallChange = v; peerChanged(); }
    // The part of the range the thumb stands for.
    double ViewportSize() const { return m_viewportSize; }
    void SetViewportSize(double v) { m_viewportSize = std::max(0.0, v); peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    double m_smallChange = 0;
    double m_viewportSize = 0;
};

class TSmallScrollBar : public TScrollBar
{
    VANTOR_CLASS(TSmallScrollBar, TScrollBar)
public:
    explicit TSmallScrollBar(TComponent *owner) : TScrollBar(owner) {}
};

// A round knob whose Value is an angle in degrees; its peer is a QDial.
class TArcDial : public TRangeControl
{
    VANTOR_CLASS(TArcDial, TRangeControl)
public:
    explicit TArcDial(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TArcDial> &b);

    bool ShowValue() const { return m_showValue; }
    void SetShowValue(bool v) { m_showValue = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    bool m_showValue = false;
};

enum class TAniIndicatorStyle { Linear, Circular };
const EnumInfo &aniIndicatorStyleInfo();

// Shows that something is going on: a ring (or row) of dots that turns while
// the indicator is enabled and visible.
class TAniIndicator : public TControl
{
    VANTOR_CLASS(TAniIndicator, TControl)
public:
    explicit TAniIndicator(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TAniIndicator> &b);

    TAniIndicatorStyle Style() const { return m_style; }
    void SetStyle(TAniIndicatorStyle s) { m_style = s; peerChanged(); }
    // The dot drawn brightest, 0..11; advances while the indicator runs.
    int phase() const { return m_phase; }

protected:
    QWidget *createPeer() override;
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    friend class AniIndicatorPeer;
    TAniIndicatorStyle m_style = TAniIndicatorStyle::Linear;
    int m_phase = 0;
};

} // namespace vantor
