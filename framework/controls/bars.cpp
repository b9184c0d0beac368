#include "framework/controls/bars.h"

#include "framework/peer.h"

#include <QDial>
#include <QDoubleSpinBox>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QTimer>

#include <cmath>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TToolBar)
VANTOR_IMPLEMENT_CLASS(TStatusBar)
VANTOR_IMPLEMENT_CLASS(TSizeGrip)
VANTOR_IMPLEMENT_CLASS(TRangeControl)
VANTOR_IMPLEMENT_CLASS(TTrackBar)
VANTOR_IMPLEMENT_CLASS(TComboTrackBar)
VANTOR_IMPLEMENT_CLASS(TProgressBar)
VANTOR_IMPLEMENT_CLASS(TScrollBar)
VANTOR_IMPLEMENT_CLASS(TSmallScrollBar)
VANTOR_IMPLEMENT_CLASS(TArcDial)
VANTOR_IMPLEMENT_CLASS(TAniIndicator)

namespace {

Qt::Orientation qtOrientation(TOrientation o)
{
    return o == TOrientation::Vertical ? Qt::Vertical : Qt::Horizontal;
}

bool isWhole(double v)
{
    return std::isfinite(v) && v == std::floor(v);
}

} // namespace

const EnumInfo &aniIndicatorStyleInfo()
{
    static const EnumInfo info{"TAniIndicatorStyle", {"Linear", "Circular"}, "ai"};
    return info;
}

// ---------------------------------------------------------------------------

TToolBar::TToolBar(TComponent *owner) : TControl(owner)
{
    SetAlign(TAlignLayout::Top);
    SetHeight(40);
}

void TToolBar::DeclareProperties(ClassBuilder<TToolBar> &b)
{
    publishHelp(b);
    b.integer(
        "TintColor", &TToolBar::TintColor, [](TToolBar &t, std::int64_t v) { t.SetTintColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
}

void TToolBar::paint(QPainter &painter, const QRectF &rect)
{
    if (m_tintColor != claColors::Null) {
        painter.fillRect(rect, toQColor(m_tintColor));
    } else {
        QLinearGradient g(rect.topLeft(), rect.bottomLeft());
        g.setColorAt(0, QColor(0xF7, 0xF7, 0xF7));
        g.setColorAt(1, QColor(0xE2, 0xE2, 0xE2));
        painter.fillRect(rect, g);
    }
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawLine(rect.bottomLeft() - QPointF(0, 0.5), rect.bottomRight() - QPointF(0, 0.5));
}

// ---------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent *owner) : TControl(owner)
{
    SetAlign(TAlignLayout::Bottom);
    SetHeight(22);
}

void TStatusBar::DeclareProperties(ClassBuilder<TStatusBar> &b)
{
    publishHelp(b);
    b.boolean("ShowSizeGrip", &TStatusBar::ShowSizeGrip, &TStatusBar::SetShowSizeGrip);
    // Showing the hint of the control under the mouse is left to the form's handler.
    b.stored("AutoHint", PropKind::Boolean);
    b.event("OnHint");
}

void TStatusBar::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, QColor(0xF0, 0xF0, 0xF0));
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawLine(rect.topLeft() + QPointF(0, 0.5), rect.topRight() + QPointF(0, 0.5));
    if (!m_showSizeGrip)
        return;
    // Diagonal ridges in the bottom right corner.
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    const QPointF br = rect.bottomRight() - QPointF(2, 2);
    for (int i = 1; i <= 3; ++i)
        painter.drawLine(br - QPointF(4 * i, 0), br - QPointF(0, 4 * i));
}

// ---------------------------------------------------------------------------

TSizeGrip::TSizeGrip(TComponent *owner) : TControl(owner)
{
    SetBounds(0, 0, 16, 16);
}

void TSizeGrip::DeclareProperties(ClassBuilder<TSizeGrip> &b)
{
    publishHelp(b);
}

QWidget *TSizeGrip::createPeer()
{
    return new QSizeGrip(nullptr);
}

// ---------------------------------------------------------------------------

TRangeControl::TRangeControl(TComponent *owner, double max) : TControl(owner), m_max(max) {}

void TRangeControl::DeclareProperties(ClassBuilder<TRangeControl> &b)
{
    publishHelp(b);
    b.floating("Value", &TRangeControl::Value, &TRangeControl::SetValue);
    b.stored("Action", PropKind::Component);
    b.event("OnChange");
}

void TRangeControl::SetMin(double v)
{
    m_min = v;
    if (!isLoading()) {
        m_max = std::max(m_max, m_min);
        m_value = std::clamp(m_value, m_min, m_max);
    }
    peerChanged();
}

void TRangeControl::SetMax(double v)
{
    m_max = v;
    if (!isLoading()) {
        m_min = std::min(m_min, m_max);
        m_value = std::clamp(m_value, m_min, m_max);
    }
    peerChanged();
}

void TRangeControl::SetValue(double v)
{
    // While reading, Value may come before Min and Max: keep it as read and
    // fit it into the range once everything is there.
    m_value = isLoading() || !m_bounded ? v : std::clamp(v, m_min, m_max);
    peerChanged();
}

void TRangeControl::Loaded()
{
    m_max = std::max(m_max, m_min);
    if (m_bounded)
        m_value = std::clamp(m_value, m_min, m_max);
    TControl::Loaded();
    peerChanged();
}

double TRangeControl::scale() const
{
    if (isWhole(m_min) && isWhole(m_max) && isWhole(m_value) && isWhole(m_frequency))
        return 1;
    const double extent = std::max(std::fabs(m_min), std::fabs(m_max));
    return extent * 1000 < 1e9 ? 1000 : 1;
}

int TRangeControl::toSteps(double v) const
{
    return int(std::clamp(std::round(v * scale()), -2e9, 2e9));
}

// ---------------------------------------------------------------------------

void TTrackBar::DeclareProperties(ClassBuilder<TTrackBar> &b)
{
    b.floating("Min", &TTrackBar::Min, &TTrackBar::SetMin);
    b.floating("Max", &TTrackBar::Max, &TTrackBar::SetMax);
    b.enumeration("Orientation", orientationInfo(), &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    b.floating("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    b.boolean("Tracking", &TTrackBar::Tracking, &TTrackBar::SetTracking);
    b.stored("SmallChange", PropKind::Float);
    b.event("OnTracking");
}

QWidget *TTrackBar::createPeer()
{
    auto *slider = new QSlider(peerParent());
    QObject::connect(slider, &QSlider::valueChanged, [this](int steps) {
        if (!m_syncing)
            SetValue(fromSteps(steps));
    });
    return slider;
}

void TTrackBar::updatePeer()
{
    auto *slider = static_cast<QSlider *>(peer());
    m_syncing = true;
    slider->setOrientation(qtOrientation(Orientation()));
    slider->setRange(toSteps(Min()), toSteps(Max()));
    slider->setValue(toSteps(Value()));
    slider->setTracking(Tracking());
    if (Frequency() > 0) {
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(std::max(1, toSteps(Frequency())));
        slider->setSingleStep(std::max(1, toSteps(Frequency())));
    } else {
        slider->setTickPosition(QSlider::NoTicks);
    }
    m_syncing = false;
}

// ---------------------------------------------------------------------------

TComboTrackBar::TComboTrackBar(TComponent *owner) : TRangeControl(owner, 100)
{
    SetFrequency(1);
}

void TComboTrackBar::DeclareProperties(ClassBuilder<TComboTrackBar> &b)
{
    b.floating("Min", &TComboTrackBar::Min, &TComboTrackBar::SetMin);
    b.floating("Max", &TComboTrackBar::Max, &TComboTrackBar::SetMax);
    b.floating("Frequency", &TComboTrackBar::Frequency, &TComboTrackBar::SetFrequency);
    b.integer("DecimalDigits", &TComboTrackBar::DecimalDigits, &TComboTrackBar::SetDecimalDigits);
    b.boolean("ReadOnly", &TComboTrackBar::ReadOnly, &TComboTrackBar::SetReadOnly);
    b.stored("KeyboardType", PropKind::Enumeration, &input::virtualKeyboardTypeInfo());
    b.stored("Text", PropKind::String);
    b.event("OnTracking");
}

QWidget *TComboTrackBar::createPeer()
{
    auto *spin = new QDoubleSpinBox(peerParent());
    QObject::connect(spin, &QDoubleSpinBox::valueChanged, [this](double v) {
        if (!m_syncing)
            SetValue(v);
    });
    return spin;
}

void TComboTrackBar::updatePeer()
{
    auto *spin = static_cast<QDoubleSpinBox *>(peer());
    m_syncing = true;
    spin->setDecimals(int(m_decimalDigits));
    spin->setRange(Min(), Max());
    spin->setSingleStep(Frequency() > 0 ? Frequency() : 1);
    spin->setValue(Value());
    spin->setReadOnly(m_readOnly);
    m_syncing = false;
}

// ---------------------------------------------------------------------------

void TProgressBar::DeclareProperties(ClassBuilder<TProgressBar> &b)
{
    b.floating("Min", &TProgressBar::Min, &TProgressBar::SetMin);
    b.floating("Max", &TProgressBar::Max, &TProgressBar::SetMax);
    b.enumeration("Orientation", orientationInfo(), &TProgressBar::Orientation, &TProgressBar::SetOrientation);
}

QWidget *TProgressBar::createPeer()
{
    auto *bar = new QProgressBar(peerParent());
    bar->setTextVisible(false);
    return bar;
}

void TProgressBar::updatePeer()
{
    auto *bar = static_cast<QProgressBar *>(peer());
    bar->setOrientation(qtOrientation(Orientation()));
    bar->setRange(toSteps(Min()), toSteps(Max()));
    bar->setValue(toSteps(Value()));
}

// ---------------------------------------------------------------------------

void TScrollBar::DeclareProperties(ClassBuilder<TScrollBar> &b)
{
    b.floating("Min", &TScrollBar::Min, &TScrollBar::SetMin);
    b.floating("Max", &TScrollBar::Max, &TScrollBar::SetMax);
    b.enumeration("Orientation", orientationInfo(), &TScrollBar::Orientation, &TScrollBar::SetOrientation);
    b.floating("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange);
    b.floating("ViewportSize", &TScrollBar::ViewportSize, &TScrollBar::SetViewportSize);
}

QWidget *TScrollBar::createPeer()
{
    auto *bar = new QScrollBar(peerParent());
    QObject::connect(bar, &QScrollBar::valueChanged, [this](int steps) {
        if (!m_syncing)
            SetValue(fromSteps(steps));
    });
    return bar;
}

void TScrollBar::updatePeer()
{
    auto *bar = static_cast<QScrollBar *>(peer());
    m_syncing = true;
    bar->setOrientation(qtOrientation(Orientation()));
    // The thumb covers ViewportSize of the range, so the value ends short of Max.
    const int page = toSteps(m_viewportSize);
    bar->setRange(toSteps(Min()), std::max(toSteps(Min()), toSteps(Max()) - page));
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, toSteps(m_smallChange)));
    bar->setValue(toSteps(Value()));
    m_syncing = false;
}

// ---------------------------------------------------------------------------

TArcDial::TArcDial(TComponent *owner) : TRangeControl(owner, 360)
{
    // Any angle is a value; the dial shows it modulo a full turn.
    m_bounded = false;
}

void TArcDial::DeclareProperties(ClassBuilder<TArcDial> &b)
{
    b.floating("Frequency", &TArcDial::Frequency, &TArcDial::SetFrequency);
    b.boolean("Tracking", &TArcDial::Tracking, &TArcDial::SetTracking);
    b.boolean("ShowValue", &TArcDial::ShowValue, &TArcDial::SetShowValue);
}

QWidget *TArcDial::createPeer()
{
    auto *dial = new QDial();
    dial->setWrapping(true);
    QObject::connect(dial, &QDial::valueChanged, [this](int steps) {
        if (!m_syncing)
            SetValue(fromSteps(steps));
    });
    return dial;
}

void TArcDial::updatePeer()
{
    auto *dial = static_cast<QDial *>(peer());
    m_syncing = true;
    // An angle: the dial goes once round from 0 to 360 degrees.
    dial->setRange(0, toSteps(360));
    double angle = std::fmod(Value(), 360.0);
    if (angle < 0)
        angle += 360;
    dial->setValue(toSteps(angle));
    dial->setNotchesVisible(Frequency() > 0);
    if (Frequency() > 0)
        dial->setNotchTarget(std::max(1.0, Frequency() * scale()));
    dial->setTracking(Tracking());
    m_syncing = false;
}

// ---------------------------------------------------------------------------

class AniIndicatorPeer : public PaintPeer
{
public:
    explicit AniIndicatorPeer(TAniIndicator *indicator) : PaintPeer(indicator), m_indicator(indicator)
    {
        m_timer.setInterval(80);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (!isEnabled())
                return;
            m_indicator->m_phase = (m_indicator->m_phase + 1) % 12;
            update();
        });
    }

protected:
    // Turns only while it can be seen.
    void showEvent(QShowEvent *) override { m_timer.start(); }
    void hideEvent(QHideEvent *) override { m_timer.stop(); }

private:
    TAniIndicator *m_indicator;
    QTimer m_timer;
};

TAniIndicator::TAniIndicator(TComponent *owner) : TControl(owner)
{
    SetEnabled(false);
    SetBounds(0, 0, 50, 50);
}

void TAniIndicator::DeclareProperties(ClassBuilder<TAniIndicator> &b)
{
    publishHelp(b);
    b.enumeration("Style", aniIndicatorStyleInfo(), &TAniIndicator::Style, &TAniIndicator::SetStyle);
}

QWidget *TAniIndicator::createPeer()
{
    return new AniIndicatorPeer(this);
}

void TAniIndicator::paint(QPainter &painter, const QRectF &rect)
{
    // Twelve dots; the one at the phase is darkest, the ones behind it fade.
    constexpr int kDots = 12;
    painter.setPen(Qt::NoPen);
    const double side = std::min(rect.width(), rect.height());
    for (int i = 0; i < kDots; ++i) {
        const int age = (m_phase - i + kDots) % kDots;
        QColor c(0x40, 0x40, 0x40);
        c.setAlphaF(Enabled() ? std::max(0.15, 1.0 - age / double(kDots)) : 0.3);
        painter.setBrush(c);
        if (m_style == TAniIndicatorStyle::Circular) {
            const double a = 2 * M_PI * i / kDots;
            const double r = side / 2 * 0.75;
            const QPointF p = rect.center() + QPointF(std::sin(a) * r, -std::cos(a) * r);
            painter.drawEllipse(p, side / 16, side / 16);
        } else {
            const double step = rect.width() / kDots;
            painter.drawEllipse(QPointF(rect.left() + step * (i + 0.5), rect.center().y()), step / 3, step / 3);
        }
    }
}

} // namespace vantor
