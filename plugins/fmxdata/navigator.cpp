#include "navigator.h"

#include <QPainter>
#include <QPainterPath>

namespace vantor::fmxdata {

VANTOR_IMPLEMENT_CLASS(TBindNavigator)

namespace {

enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ApplyUpdates, CancelUpdates };

const EnumInfo &buttonInfo()
{
    static const EnumInfo info{"TNavigateButton",
                               {"First", "Prior", "Next", "Last", "Insert", "Delete", "Edit", "Post", "Cancel",
                                "Refresh", "ApplyUpdates", "CancelUpdates"},
                               "nb"};
    return info;
}

const EnumInfo &cornerInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, nullptr};
    return info;
}

const EnumInfo &orientationInfo()
{
    static const EnumInfo info{"TOrientation", {"Horizontal", "Vertical"}, nullptr};
    return info;
}

QPainterPath triangle(const QPointF &c, double s, bool right)
{
    QPainterPath p;
    const double d = right ? 1 : -1;
    p.moveTo(c + QPointF(-d * s / 2, -s / 2));
    p.lineTo(c + QPointF(d * s / 2, 0));
    p.lineTo(c + QPointF(-d * s / 2, s / 2));
    p.closeSubpath();
    return p;
}

// The button's glyph, in a square of side s around c.
void drawGlyph(QPainter &p, int button, const QPointF &c, double s)
{
    const QColor ink(0x30, 0x30, 0x38);
    p.setPen(QPen(ink, std::max(1.5, s / 7), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(ink);
    const double h = s / 2;
    switch (button) {
    case First:
        p.drawLine(c + QPointF(-h * 0.8, -h * 0.7), c + QPointF(-h * 0.8, h * 0.7));
        p.drawPath(triangle(c + QPointF(h * 0.1, 0), s * 0.7, false));
        break;
    case Prior: p.drawPath(triangle(c, s * 0.7, false)); break;
    case Next: p.drawPath(triangle(c, s * 0.7, true)); break;
    case Last:
        p.drawPath(triangle(c - QPointF(h * 0.1, 0), s * 0.7, true));
        p.drawLine(c + QPointF(h * 0.8, -h * 0.7), c + QPointF(h * 0.8, h * 0.7));
        break;
    case Insert:
        p.drawLine(c - QPointF(h * 0.7, 0), c + QPointF(h * 0.7, 0));
        p.drawLine(c - QPointF(0, h * 0.7), c + QPointF(0, h * 0.7));
        break;
    case Delete: p.drawLine(c - QPointF(h * 0.7, 0), c + QPointF(h * 0.7, 0)); break;
    case Edit: {
        QPainterPath up;
        up.moveTo(c + QPointF(-h * 0.7, h * 0.4));
        up.lineTo(c + QPointF(0, -h * 0.5));
        up.lineTo(c + QPointF(h * 0.7, h * 0.4));
        up.closeSubpath();
        p.drawPath(up);
        break;
    }
    case Post:
    case ApplyUpdates:
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({c + QPointF(-h * 0.7, 0), c + QPointF(-h * 0.15, h * 0.55), c + QPointF(h * 0.75, -h * 0.6)}));
        break;
    case Cancel:
    case CancelUpdates:
        p.drawLine(c + QPointF(-h * 0.6, -h * 0.6), c + QPointF(h * 0.6, h * 0.6));
        p.drawLine(c + QPointF(-h * 0.6, h * 0.6), c + QPointF(h * 0.6, -h * 0.6));
        break;
    case Refresh:
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c - QPointF(h * 0.7, h * 0.7), QSizeF(h * 1.4, h * 1.4)), 90 * 16, 270 * 16);
        p.setBrush(ink);
        p.drawPath(triangle(c + QPointF(0, -h * 0.7), s * 0.35, true));
        break;
    }
}

} // namespace

void TBindNavigator::DeclareProperties(ClassBuilder<TBindNavigator> &b)
{
    b.stored("DataSource", PropKind::Component);
    b.set("VisibleButtons", buttonInfo(), &TBindNavigator::VisibleButtons, &TBindNavigator::SetVisibleButtons);
    b.floating("xRadius", &TBindNavigator::xRadius, &TBindNavigator::SetxRadius);
    b.floating("yRadius", &TBindNavigator::yRadius, &TBindNavigator::SetyRadius);
    b.stored("Corners", PropKind::Set, &cornerInfo());
    b.stored("CornerType", PropKind::Enumeration,
             [] {
                 static const EnumInfo info{"TCornerType", {"Round", "Bevel", "InnerRound", "InnerLine"}, nullptr};
                 return &info;
             }());
    b.stored("Sides", PropKind::Set,
             [] {
                 static const EnumInfo info{"TSide", {"Top", "Left", "Bottom", "Right"}, nullptr};
                 return &info;
             }());
    b.stored("ConfirmDelete", PropKind::Boolean);
    b.stored("Orientation", PropKind::Enumeration, &orientationInfo());
    b.event("BeforeAction");
    b.event("OnNavClick");
}

std::vector<int> TBindNavigator::shownButtons() const
{
    std::vector<int> out;
    for (int i = First; i <= CancelUpdates; ++i)
        if (m_buttons & (std::int64_t(1) << i))
            out.push_back(i);
    return out;
}

void TBindNavigator::paint(QPainter &painter, const QRectF &rect)
{
    const std::vector<int> buttons = shownButtons();
    if (buttons.empty() || rect.isEmpty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = rect.width() / double(buttons.size());
    const QRectF frame = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(frame, std::max(2.0, m_xRadius), std::max(2.0, m_yRadius));
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, QColor(0xFC, 0xFC, 0xFC));
    g.setColorAt(1, QColor(0xE2, 0xE2, 0xE6));
    painter.fillPath(outline, g);
    painter.setPen(QColor(0xA0, 0xA0, 0xA8));
    painter.drawPath(outline);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const QRectF cell(rect.left() + w * double(i), rect.top(), w, rect.height());
        if (i > 0) {
            painter.setPen(QColor(0xB8, 0xB8, 0xC0));
            painter.drawLine(QPointF(cell.left(), cell.top() + 3), QPointF(cell.left(), cell.bottom() - 3));
        }
        const double s = std::min({cell.width(), cell.height()} ) * 0.45;
        painter.save();
        drawGlyph(painter, buttons[i], cell.center(), std::max(4.0, s));
        painter.restore();
    }
}

void registerDataClasses()
{
    RegisterClasses<TBindNavigator>();
}

} // namespace vantor::fmxdata
