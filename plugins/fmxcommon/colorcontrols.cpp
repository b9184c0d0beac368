#include "colorcontrols.h"

#include "framework/colors.h"
#include "framework/controls/pickers.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace vantor::fmxcommon {

VANTOR_IMPLEMENT_CLASS(TBitmapTrackBar)
VANTOR_IMPLEMENT_CLASS(THueTrackBar)
VANTOR_IMPLEMENT_CLASS(TAlphaTrackBar)
VANTOR_IMPLEMENT_CLASS(TBWTrackBar)
VANTOR_IMPLEMENT_CLASS(TColorQuad)
VANTOR_IMPLEMENT_CLASS(TColorPicker)
VANTOR_IMPLEMENT_CLASS(TColorPanel)
VANTOR_IMPLEMENT_CLASS(TColorListBox)
VANTOR_IMPLEMENT_CLASS(TColorButton)
VANTOR_IMPLEMENT_CLASS(TEllipsesEditButton)
VANTOR_IMPLEMENT_CLASS(TPasswordEditButton)
VANTOR_IMPLEMENT_CLASS(TDropDownEditButton)
VANTOR_IMPLEMENT_CLASS(TSpinEditButton)

namespace {

double unit(double v)
{
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0;
}

// The framework's HSL colour; a hue of 1 is the red of 0 again.
QColor hsl(double hue, double sat, double lum, double alpha = 1)
{
    double h = std::isfinite(hue) ? std::fmod(hue, 1.0) : 0.0;
    if (h < 0)
        h += 1;
    return QColor::fromHslF(float(h), float(unit(sat)), float(unit(lum)), float(unit(alpha)));
}

struct Hsl
{
    double hue, sat, lum, alpha;
};

Hsl toHsl(TAlphaColor c)
{
    const QColor q = toQColor(c);
    const double hue = q.hslHueF();
    return {hue < 0 ? 0.0 : hue, q.hslSaturationF(), q.lightnessF(), q.alphaF()};
}

void fillChequer(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, Qt::white);
    const int cell = 4;
    painter.save();
    painter.setClipRect(rect);
    for (int y = 0; y * cell < rect.height(); ++y)
        for (int x = 0; x * cell < rect.width(); ++x)
            if ((x + y) % 2)
                painter.fillRect(QRectF(rect.x() + x * cell, rect.y() + y * cell, cell, cell), QColor(0xC8, 0xC8, 0xC8));
    painter.restore();
}

// A scale along `rect`: `color(t)` for t from 0 (left, or top) to 1.
template<class F> void fillScale(QPainter &painter, const QRectF &rect, bool vertical, F color)
{
    QLinearGradient g(rect.topLeft(), vertical ? rect.bottomLeft() : rect.topRight());
    const int stops = 24;
    for (int i = 0; i <= stops; ++i)
        g.setColorAt(double(i) / stops, color(double(i) / stops));
    painter.fillRect(rect, g);
}

void drawFrame(QPainter &painter, const QRectF &rect)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}

// The quad's square for `hue`, with the ring at sat/lum.
void drawQuad(QPainter &painter, const QRectF &rect, double hue, double sat, double lum)
{
    if (rect.width() < 1 || rect.height() < 1)
        return;
    const int w = std::max(1, int(std::ceil(rect.width())));
    const int h = std::max(1, int(std::ceil(rect.height())));
    QImage square(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(square.scanLine(y));
        const double l = 1.0 - double(y) / h;
        for (int x = 0; x < w; ++x)
            line[x] = hsl(hue, double(x) / w, l).rgb();
    }
    painter.drawImage(rect, square);
    drawFrame(painter, rect);
    const QPointF mark(rect.left() + unit(sat) * rect.width(), rect.top() + (1 - unit(lum)) * rect.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(mark, 4.5, 4.5);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawEllipse(mark, 3.5, 3.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The hue strip from top to bottom with a mark across it at `hue`.
void drawHueStrip(QPainter &painter, const QRectF &rect, double hue)
{
    fillScale(painter, rect, true, [](double t) { return hsl(t, 0.9, 0.5); });
    drawFrame(painter, rect);
    const double y = rect.top() + unit(hue) * rect.height();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 255, 255, 200));
    painter.drawRect(QRectF(rect.left() - 0.5, y - 2.5, rect.width(), 5));
}

// A track with a thumb at t (0..1) over it.
void drawThumb(QPainter &painter, const QRectF &track, bool vertical, double t)
{
    const double thumb = 8;
    QRectF r = vertical ? QRectF(track.left() - 2, track.top() + t * track.height() - thumb / 2, track.width() + 4, thumb)
                        : QRectF(track.left() + t * track.width() - thumb / 2, track.top() - 2, thumb, track.height() + 4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
    painter.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace

// ---------------------------------------------------------------------------
// Track bars with a colour scale

TBitmapTrackBar::TBitmapTrackBar(TComponent *owner) : TTrackBar(owner)
{
    SetMax(1);
}

void TBitmapTrackBar::paint(QPainter &painter, const QRectF &rect)
{
    const bool vertical = Orientation() == TOrientation::Vertical;
    // The thumb stands out of the track by its half at the ends and 2 px at the sides.
    QRectF track = vertical ? rect.adjusted(2, 4, -2, -4) : rect.adjusted(4, 2, -4, -2);
    if (track.width() < 1 || track.height() < 1)
        track = rect;
    if (chequered())
        fillChequer(painter, track);
    fillScale(painter, track, vertical, [this](double t) { return scaleColor(t); });
    drawFrame(painter, track);
    const double range = Max() - Min();
    const double t = range > 0 ? unit((Value() - Min()) / range) : 0.0;
    drawThumb(painter, track, vertical, t);
}

THueTrackBar::THueTrackBar(TComponent *owner) : TBitmapTrackBar(owner)
{
    SetValue(0.5);
}

QColor THueTrackBar::scaleColor(double t) const
{
    return hsl(t, 0.9, 0.5);
}

TAlphaTrackBar::TAlphaTrackBar(TComponent *owner) : TBitmapTrackBar(owner)
{
    SetValue(1);
}

QColor TAlphaTrackBar::scaleColor(double t) const
{
    return QColor(0, 0, 0, int(std::lround(unit(t) * 255)));
}

TBWTrackBar::TBWTrackBar(TComponent *owner) : TBitmapTrackBar(owner)
{
    SetValue(0.5);
}

QColor TBWTrackBar::scaleColor(double t) const
{
    return hsl(0, 0, t);
}

// ---------------------------------------------------------------------------
// Quad, picker, panel

void TColorQuad::DeclareProperties(ClassBuilder<TColorQuad> &b)
{
    b.floating("Hue", &TColorQuad::Hue, &TColorQuad::SetHue);
    b.floating("Sat", &TColorQuad::Sat, &TColorQuad::SetSat);
    b.floating("Lum", &TColorQuad::Lum, &TColorQuad::SetLum);
    b.floating("Alpha", &TColorQuad::Alpha, &TColorQuad::SetAlpha);
    b.stored("ColorBox", PropKind::Component);
    b.event("OnChange");
}

void TColorQuad::paint(QPainter &painter, const QRectF &rect)
{
    drawQuad(painter, rect, Hue(), Sat(), Lum());
}

void TColorPicker::DeclareProperties(ClassBuilder<TColorPicker> &b)
{
    b.integer("Color", &TColorPicker::Color, &TColorPicker::SetColor, &colorIdentToInt);
    b.stored("ColorQuad", PropKind::Component);
    b.event("OnChange");
}

void TColorPicker::paint(QPainter &painter, const QRectF &rect)
{
    drawHueStrip(painter, rect.adjusted(0, 3, 0, -3), toHsl(Color()).hue);
}

void TColorPanel::DeclareProperties(ClassBuilder<TColorPanel> &b)
{
    b.integer("Color", &TColorPanel::Color, &TColorPanel::SetColor, &colorIdentToInt);
    b.boolean("UseAlpha", &TColorPanel::UseAlpha, &TColorPanel::SetUseAlpha);
    input::publishHelp(b);
    b.stored("ColorBox", PropKind::Component);
    b.event("OnChange");
}

void TColorPanel::paint(QPainter &painter, const QRectF &rect)
{
    const Hsl c = toHsl(Color());
    const double gap = 4;
    const double strip = std::min(20.0, rect.width() / 5);
    const double bar = UseAlpha() ? std::min(15.0, rect.height() / 5) : 0.0;
    const QRectF quad(rect.left(), rect.top(), rect.width() - strip - gap, rect.height() - (bar > 0 ? bar + gap : 0));
    drawQuad(painter, quad, c.hue, c.sat, c.lum);
    drawHueStrip(painter, QRectF(rect.right() - strip, quad.top() + 3, strip, quad.height() - 6), c.hue);
    if (bar > 0) {
        const QRectF track(rect.left() + 4, rect.bottom() - bar + 2, quad.width() - 8, bar - 4);
        fillChequer(painter, track);
        const QColor full = hsl(c.hue, c.sat, c.lum);
        fillScale(painter, track, false, [&](double t) {
            QColor q = full;
            q.setAlphaF(float(t));
            return q;
        });
        drawFrame(painter, track);
        drawThumb(painter, track, false, c.alpha);
    }
}

// ---------------------------------------------------------------------------
// Colour list box

namespace {

// A row of the colour list: the swatch, then the name.
class TColorListItem : public TListBoxItem
{
    VANTOR_CLASS(TColorListItem, TListBoxItem)
public:
    explicit TColorListItem(TComponent *owner) : TListBoxItem(owner) {}
    TAlphaColor color = 0;

protected:
    void paint(QPainter &painter, const QRectF &rect) override
    {
        const double side = std::max(4.0, rect.height() - 6);
        TListBoxItem::paint(painter, rect.adjusted(side + 6, 0, 0, 0));
        const QRectF swatch(rect.left() + 3, rect.top() + 3, side, side);
        painter.fillRect(swatch, toQColor(color));
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(swatch);
    }
};

VANTOR_IMPLEMENT_CLASS(TColorListItem)

} // namespace

void TColorListBox::DeclareProperties(ClassBuilder<TColorListBox> &b)
{
    b.integer("Color", &TColorListBox::Color, &TColorListBox::SetColor, &colorIdentToInt);
}

void TColorListBox::SetColor(TAlphaColor c)
{
    m_color = c;
    if (!m_filled)
        return;
    const auto &colors = TColorComboBox::namedColors();
    auto it = std::find_if(colors.begin(), colors.end(), [c](const auto &e) { return e.second == c; });
    SetItemIndex(it == colors.end() ? -1 : std::int64_t(it - colors.begin()));
}

void TColorListBox::Loaded()
{
    if (!m_filled) {
        m_filled = true;
        int index = 0;
        for (const auto &[name, color] : TColorComboBox::namedColors()) {
            auto *item = new TColorListItem(this);
            item->color = color;
            item->SetText(name);
            item->SetParent(this);
            SetChildIndex(item, index++);
        }
    }
    TListBox::Loaded();
    if (m_color != 0)
        SetColor(m_color);
}

// ---------------------------------------------------------------------------
// Colour button

void TColorButton::DeclareProperties(ClassBuilder<TColorButton> &b)
{
    b.integer("Color", &TColorButton::Color, &TColorButton::SetColor, &colorIdentToInt);
}

void TColorButton::paint(QPainter &painter, const QRectF &rect)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.setBrush(QColor(0xF0, 0xF0, 0xF0));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF face = rect.adjusted(4, 4, -4, -4);
    if (face.width() < 1 || face.height() < 1)
        return;
    fillChequer(painter, face);
    painter.fillRect(face, toQColor(Color()));
    drawFrame(painter, face);
}

// ---------------------------------------------------------------------------
// Edit buttons

QString TEllipsesEditButton::glyph() const
{
    return QString(QChar(0x2026)); // horizontal ellipsis
}

QString TPasswordEditButton::glyph() const
{
    return QString(QChar(0x25C9)); // fisheye, the eye that shows the password
}

void TDropDownEditButton::updatePeer()
{
    TEditButton::updatePeer();
    auto *button = static_cast<QToolButton *>(peer());
    if (Text().isEmpty())
        button->setArrowType(Qt::DownArrow);
}

void TSpinEditButton::DeclareProperties(ClassBuilder<TSpinEditButton> &b)
{
    b.event("OnUpClick");
    b.event("OnDownClick");
}

void TSpinEditButton::paint(QPainter &painter, const QRectF &rect)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x40, 0x40, 0x40));
    const double half = rect.height() / 2;
    const double s = std::max(3.0, std::min(rect.width(), half) / 3);
    for (const bool up : {true, false}) {
        const QPointF c(rect.center().x(), rect.top() + (up ? half / 2 : half * 1.5));
        QPainterPath tri;
        tri.moveTo(c.x() - s, c.y() + (up ? s / 2 : -s / 2));
        tri.lineTo(c.x() + s, c.y() + (up ? s / 2 : -s / 2));
        tri.lineTo(c.x(), c.y() + (up ? -s / 2 : s / 2));
        tri.closeSubpath();
        painter.drawPath(tri);
    }
}

const std::vector<const char *> &colorClassNames()
{
    static const std::vector<const char *> names = {
        "TEditButton",    "TEllipsesEditButton", "TDropDownEditButton", "TSpinEditButton", "TPasswordEditButton",
        "TColorPanel",    "THueTrackBar",        "TAlphaTrackBar",      "TBWTrackBar",     "TColorQuad",
        "TColorPicker",   "TColorListBox",       "TColorButton",
    };
    return names;
}

void registerColorClasses()
{
    // TEditButton is the framework's own class (the base of the clear and
    // search buttons); registering it again beside the viewer's is harmless.
    RegisterClasses<TEditButton, TEllipsesEditButton, TDropDownEditButton, TSpinEditButton, TPasswordEditButton,
                    TColorPanel, THueTrackBar, TAlphaTrackBar, TBWTrackBar, TColorQuad, TColorPicker, TColorListBox,
                    TColorButton>();
}

} // namespace vantor::fmxcommon
