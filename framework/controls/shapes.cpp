#include "framework/controls/shapes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include <cmath>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TShape)
VANTOR_IMPLEMENT_CLASS(TRectangle)
VANTOR_IMPLEMENT_CLASS(TLine)
VANTOR_IMPLEMENT_CLASS(TPathData)
VANTOR_IMPLEMENT_CLASS(TPathLabel)
VANTOR_IMPLEMENT_CLASS(TPaintBox)
VANTOR_IMPLEMENT_CLASS(TSelection)
VANTOR_IMPLEMENT_CLASS(TSelectionPoint)

namespace {

const EnumInfo &cornerInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, "cr"};
    return info;
}
const EnumInfo &sideInfo()
{
    static const EnumInfo info{"TSide", {"Top", "Left", "Bottom", "Right"}, "sd"};
    return info;
}
const EnumInfo &cornerTypeInfo()
{
    static const EnumInfo info{"TCornerType", {"Round", "Bevel", "InnerRound", "InnerLine"}, "ct"};
    return info;
}
const EnumInfo &lineTypeInfo()
{
    static const EnumInfo info{"TLineType", {"Diagonal", "Top", "Left", "Bottom", "Right"}, "lt"};
    return info;
}
const EnumInfo &lineLocationInfo()
{
    static const EnumInfo info{"TLineLocation", {"Boundary", "Inner", "InnerWithin"}, nullptr};
    return info;
}
const EnumInfo &pathWrapModeInfo()
{
    static const EnumInfo info{"TPathWrapMode", {"Original", "Fit", "Stretch", "Tile"}, "pw"};
    return info;
}

// The pen a stroke brush draws lines with; Qt::NoPen when it draws nothing.
QPen strokePen(const TStrokeBrush &stroke)
{
    if (stroke.Kind() == TBrushKind::None || stroke.Thickness() <= 0)
        return QPen(Qt::NoPen);
    QPen pen(toQColor(stroke.Color()), stroke.Thickness());
    pen.setCapStyle(stroke.Cap() == TStrokeCap::Round ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(stroke.Join() == TStrokeJoin::Round   ? Qt::RoundJoin
                     : stroke.Join() == TStrokeJoin::Bevel ? Qt::BevelJoin
                                                           : Qt::MiterJoin);
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine, Qt::SolidLine};
    pen.setStyle(styles[int(stroke.Dash())]);
    return pen;
}

} // namespace

// ---------------------------------------------------------------------------

TShape::TShape(TComponent *owner)
    : TControl(owner), m_fill(std::make_unique<TBrush>(TBrushKind::Solid, claColors::White)),
      m_stroke(std::make_unique<TStrokeBrush>(TBrushKind::Solid, claColors::Black))
{
    m_fill->onChange = [this] { peerChanged(); };
    m_stroke->onChange = [this] { peerChanged(); };
}

// ---------------------------------------------------------------------------

namespace {

// The stroke brush's own enumeration of a property (Cap, Join, Dash).
const EnumInfo &strokeEnum(const char *name)
{
    return *TStrokeBrush::StaticClass().findProperty(QString::fromLatin1(name))->enumInfo;
}

// The earliest forms set the stroke's width, ends, corners and dashes on the
// shape itself (StrokeThickness = 2, StrokeDash = sdDot); they go to the Stroke.
template<class T> void publishShapeStroke(ClassBuilder<T> &b)
{
    b.floating("StrokeThickness", [](T &s) { return s.Stroke()->Thickness(); },
               [](T &s, double v) { s.Stroke()->SetThickness(v); });
    b.enumeration("StrokeCap", strokeEnum("Cap"), [](T &s) { return s.Stroke()->Cap(); },
                  [](T &s, TStrokeCap v) { s.Stroke()->SetCap(v); });
    b.enumeration("StrokeJoin", strokeEnum("Join"), [](T &s) { return s.Stroke()->Join(); },
                  [](T &s, TStrokeJoin v) { s.Stroke()->SetJoin(v); });
    b.enumeration("StrokeDash", strokeEnum("Dash"), [](T &s) { return s.Stroke()->Dash(); },
                  [](T &s, TStrokeDash v) { s.Stroke()->SetDash(v); });
}

} // namespace

void TRectangle::DeclareProperties(ClassBuilder<TRectangle> &b)
{
    b.persistent("Fill", &TShape::Fill);
    b.persistent("Stroke", &TShape::Stroke);
    b.floating("XRadius", &TRectangle::XRadius, &TRectangle::SetXRadius);
    b.floating("YRadius", &TRectangle::YRadius, &TRectangle::SetYRadius);
    b.stored("Corners", PropKind::Set, &cornerInfo());
    b.stored("CornerType", PropKind::Enumeration, &cornerTypeInfo());
    b.stored("Sides", PropKind::Set, &sideInfo());
    publishShapeStroke(b);
}

void TRectangle::paint(QPainter &painter, const QRectF &rect)
{
    Fill()->fill(painter, rect, m_xRadius, m_yRadius);
    Stroke()->stroke(painter, rect, m_xRadius, m_yRadius);
}

// ---------------------------------------------------------------------------

TLine::TLine(TComponent *owner) : TShape(owner) {}

void TLine::DeclareProperties(ClassBuilder<TLine> &b)
{
    b.persistent("Stroke", &TShape::Stroke);
    b.enumeration("LineType", lineTypeInfo(), &TLine::LineType, &TLine::SetLineType);
    b.enumeration("LineLocation", lineLocationInfo(), &TLine::LineLocation, &TLine::SetLineLocation);
    b.stored("ShortenLine", PropKind::Boolean);
    publishShapeStroke(b);
}

std::pair<QPointF, QPointF> TLine::endPoints(QSizeF size) const
{
    const double w = size.width();
    const double h = size.height();
    const double half = Stroke()->Thickness() / 2;
    // Keep the stroke inside; a rectangle thinner than the stroke gets it centred.
    const double dx = std::min(half, w / 2);
    const double dy = std::min(half, h / 2);
    // Shortened lines keep their caps inside along the line as well.
    const bool within = m_location == TLineLocation::InnerWithin && Stroke()->Cap() != TStrokeCap::Flat;
    const double ax = within ? dx : 0;
    const double ay = within ? dy : 0;
    switch (m_lineType) {
    case TLineType::Top: return {{ax, dy}, {w - ax, dy}};
    case TLineType::Bottom: return {{ax, h - dy}, {w - ax, h - dy}};
    case TLineType::Left: return {{dx, ay}, {dx, h - ay}};
    case TLineType::Right: return {{w - dx, ay}, {w - dx, h - ay}};
    case TLineType::Diagonal: break;
    }
    return {{dx, dy}, {w - dx, h - dy}};
}

void TLine::paint(QPainter &painter, const QRectF &rect)
{
    const QPen pen = strokePen(*Stroke());
    if (pen.style() == Qt::NoPen)
        return;
    const auto [from, to] = endPoints(rect.size());
    painter.save();
    painter.setPen(pen);
    painter.drawLine(from + rect.topLeft(), to + rect.topLeft());
    painter.restore();
}

// ---------------------------------------------------------------------------
// Path data

namespace {

class PathDataReader
{
public:
    explicit PathDataReader(const QString &text) : m_s(text) {}

    QPainterPath read()
    {
        QChar command;
        while (true) {
            skipSeparators();
            if (m_i >= m_s.size())
                break;
            const QChar c = m_s[m_i];
            if (c.isLetter()) {
                command = c;
                ++m_i;
            } else if (command.isNull()) {
                break; // numbers before the first command
            } else if (command == QLatin1Char('M')) {
                command = QLatin1Char('L'); // further pairs after a move are lines
            } else if (command == QLatin1Char('m')) {
                command = QLatin1Char('l');
            }
            if (!segment(command))
                break;
        }
        return m_path;
    }

private:
    bool segment(QChar command)
    {
        const bool rel = command.isLower();
        const QPointF base = rel ? m_current : QPointF();
        switch (command.toUpper().unicode()) {
        case 'Z':
            m_path.closeSubpath();
            m_current = m_start;
            m_lastControl = m_current;
            return true;
        case 'M': {
            QPointF p;
            if (!point(p))
                return false;
            m_current = m_start = base + p;
            m_path.moveTo(m_current);
            break;
        }
        case 'L': {
            QPointF p;
            if (!point(p))
                return false;
            m_current = base + p;
            m_path.lineTo(m_current);
            break;
        }
        case 'H': {
            double x;
            if (!number(x))
                return false;
            m_current.setX(rel ? m_current.x() + x : x);
            m_path.lineTo(m_current);
            break;
        }
        case 'V': {
            double y;
            if (!number(y))
                return false;
            m_current.setY(rel ? m_current.y() + y : y);
            m_path.lineTo(m_current);
            break;
        }
        case 'C': {
            QPointF c1, c2, p;
            if (!point(c1) || !point(c2) || !point(p))
                return false;
            m_path.cubicTo(base + c1, base + c2, base + p);
            m_lastControl = base + c2;
            m_current = base + p;
            return true;
        }
        case 'S': {
            QPointF c2, p;
            if (!point(c2) || !point(p))
                return false;
            const QPointF c1 = 2 * m_current - m_lastControl;
            m_path.cubicTo(c1, base + c2, base + p);
            m_lastControl = base + c2;
            m_current = base + p;
            return true;
        }
        case 'Q': {
            QPointF c, p;
            if (!point(c) || !point(p))
                return false;
            m_path.quadTo(base + c, base + p);
            m_lastControl = base + c;
            m_current = base + p;
            return true;
        }
        case 'T': {
            QPointF p;
            if (!point(p))
                return false;
            const QPointF c = 2 * m_current - m_lastControl;
            m_path.quadTo(c, base + p);
            m_lastControl = c;
            m_current = base + p;
            return true;
        }
        case 'A': {
            double rx, ry, angle, large, sweep;
            QPointF p;
            if (!number(rx) || !number(ry) || !number(angle) || !number(large) || !number(sweep) || !point(p))
                return false;
            m_current = base + p;
            m_path.lineTo(m_current);
            break;
        }
        default: return false;
        }
        m_lastControl = m_current;
        return true;
    }

    void skipSeparators()
    {
        while (m_i < m_s.size() && (m_s[m_i].isSpace() || m_s[m_i] == QLatin1Char(',')))
            ++m_i;
    }

    bool number(double &out)
    {
        skipSeparators();
        const qsizetype start = m_i;
        if (m_i < m_s.size() && (m_s[m_i] == QLatin1Char('-') || m_s[m_i] == QLatin1Char('+')))
            ++m_i;
        bool dot = false;
        while (m_i < m_s.size()) {
            const QChar c = m_s[m_i];
            if (c.isDigit()) {
                ++m_i;
            } else if (c == QLatin1Char('.') && !dot) {
                dot = true;
                ++m_i;
            } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && m_i > start) {
                ++m_i;
                if (m_i < m_s.size() && (m_s[m_i] == QLatin1Char('-') || m_s[m_i] == QLatin1Char('+')))
                    ++m_i;
            } else {
                break;
            }
        }
        bool ok = false;
        out = m_s.mid(start, m_i - start).toDouble(&ok);
        return ok && std::isfinite(out);
    }

    bool point(QPointF &p)
    {
        double x, y;
        if (!number(x) || !number(y))
            return false;
        p = {x, y};
        return true;
    }

    const QString &m_s;
    qsizetype m_i = 0;
    QPainterPath m_path;
    QPointF m_current, m_start, m_lastControl;
};

} // namespace

QPainterPath parsePathData(const QString &data)
{
    return PathDataReader(data).read();
}

void TPathData::DeclareProperties(ClassBuilder<TPathData> &b)
{
    b.string("Data", &TPathData::Data, &TPathData::SetData);
    b.stored("Path", PropKind::Binary);
}

void TPathData::SetData(const QString &d)
{
    m_data = d;
    m_path = parsePathData(d);
    if (onChange)
        onChange();
}

TPathLabel::TPathLabel(TComponent *owner) : TControl(owner), m_data(std::make_unique<TPathData>())
{
    m_data->onChange = [this] { peerChanged(); };
}

void TPathLabel::DeclareProperties(ClassBuilder<TPathLabel> &b)
{
    b.persistent("Data", &TPathLabel::Data);
    b.enumeration("WrapMode", pathWrapModeInfo(), &TPathLabel::WrapMode, &TPathLabel::SetWrapMode);
}

void TPathLabel::paint(QPainter &painter, const QRectF &rect)
{
    const QPainterPath &path = m_data->path();
    const QRectF bounds = path.boundingRect();
    if (path.isEmpty() || rect.isEmpty())
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.setClipRect(rect);
    switch (m_wrapMode) {
    case TPathWrapMode::Original: painter.translate(rect.topLeft()); painter.drawPath(path); break;
    case TPathWrapMode::Tile: {
        const double stepX = bounds.right() > 0 ? bounds.right() : rect.width();
        const double stepY = bounds.bottom() > 0 ? bounds.bottom() : rect.height();
        for (double y = 0; y < rect.height(); y += stepY)
            for (double x = 0; x < rect.width(); x += stepX)
                painter.drawPath(path.translated(rect.topLeft() + QPointF(x, y)));
        break;
    }
    case TPathWrapMode::Fit:
    case TPathWrapMode::Stretch: {
        double sx = bounds.width() > 0 ? rect.width() / bounds.width() : 1;
        double sy = bounds.height() > 0 ? rect.height() / bounds.height() : 1;
        if (m_wrapMode == TPathWrapMode::Fit)
            sx = sy = std::min(sx, sy);
        const QSizeF drawn(bounds.width() * sx, bounds.height() * sy);
        painter.translate(rect.center() - QPointF(drawn.width() / 2, drawn.height() / 2));
        painter.scale(sx, sy);
        painter.translate(-bounds.topLeft());
        painter.drawPath(path);
        break;
    }
    }
    painter.restore();
}

// ---------------------------------------------------------------------------
// Selection frames

class SelectionPeer : public QWidget
{
public:
    explicit SelectionPeer(TSelection *control) : m_control(control) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        m_control->paint(painter, QRectF(rect()));
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton)
            return QWidget::mousePressEvent(e);
        m_grip = m_control->gripAt(e->position());
        if (m_grip == SelectionGrip::None)
            return QWidget::mousePressEvent(e);
        m_start = m_control->BoundsRect();
        m_pressAt = e->globalPosition();
        m_moved = false;
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (m_grip == SelectionGrip::None)
            return QWidget::mouseMoveEvent(e);
        const QPointF delta = e->globalPosition() - m_pressAt;
        if (!m_moved && delta.manhattanLength() < 1)
            return;
        m_moved = true;
        m_control->dragTo(m_grip, m_start, delta);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton || m_grip == SelectionGrip::None)
            return QWidget::mouseReleaseEvent(e);
        m_grip = SelectionGrip::None;
        // The handlers may free the control and this widget: nothing after them.
        if (m_moved)
            m_control->endDrag();
        else if (rect().contains(e->position().toPoint()))
            m_control->Click();
    }
    void mouseDoubleClickEvent(QMouseEvent *) override { m_control->DblClick(); }

private:
    TSelection *m_control;
    SelectionGrip m_grip = SelectionGrip::None;
    QRectF m_start;
    QPointF m_pressAt;
    bool m_moved = false;
};

TSelection::TSelection(TComponent *owner) : TControl(owner) {}

void TSelection::DeclareProperties(ClassBuilder<TSelection> &b)
{
    b.floating("GripSize", &TSelection::GripSize, &TSelection::SetGripSize);
    b.floating("MinSize", &TSelection::MinSize, &TSelection::SetMinSize);
    b.boolean("Proportional", &TSelection::Proportional, &TSelection::SetProportional);
    b.boolean("HideSelection", &TSelection::HideSelection, &TSelection::SetHideSelection);
    b.boolean("ShowHandles", &TSelection::ShowHandles, &TSelection::SetShowHandles);
    // Whether dragging stays inside the parent (kept; the grips move freely).
    b.stored("ParentBounds", PropKind::Boolean);
    b.integer(
        "Color", &TSelection::Color, [](TSelection &s, std::int64_t v) { s.SetColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
    b.event("OnChange", &TSelection::OnChange);
    b.event("OnTrack", &TSelection::OnTrack);
}

void TSelection::SetGripSize(double v)
{
    // Grips larger than this would cover a frame of ordinary size.
    m_gripSize = std::clamp(v, 1.0, 20.0);
    peerChanged();
}

QRectF TSelection::gripRect(SelectionGrip grip) const
{
    const double g = m_gripSize;
    const double w = Width();
    const double h = Height();
    QPointF c;
    switch (grip) {
    case SelectionGrip::TopLeft: c = {g, g}; break;
    case SelectionGrip::Top: c = {w / 2, g}; break;
    case SelectionGrip::TopRight: c = {w - g, g}; break;
    case SelectionGrip::Right: c = {w - g, h / 2}; break;
    case SelectionGrip::BottomRight: c = {w - g, h - g}; break;
    case SelectionGrip::Bottom: c = {w / 2, h - g}; break;
    case SelectionGrip::BottomLeft: c = {g, h - g}; break;
    case SelectionGrip::Left: c = {g, h / 2}; break;
    default: return {};
    }
    return QRectF(c.x() - g, c.y() - g, 2 * g, 2 * g);
}

SelectionGrip TSelection::gripAt(QPointF p) const
{
    if (!QRectF(0, 0, Width(), Height()).contains(p))
        return SelectionGrip::None;
    if (m_showHandles && !m_hideSelection) {
        // Corners first: on a small frame they overlap the middle grips.
        for (SelectionGrip g : {SelectionGrip::TopLeft, SelectionGrip::TopRight, SelectionGrip::BottomRight,
                                SelectionGrip::BottomLeft, SelectionGrip::Top, SelectionGrip::Right,
                                SelectionGrip::Bottom, SelectionGrip::Left})
            if (gripRect(g).adjusted(-1, -1, 1, 1).contains(p))
                return g;
    }
    return SelectionGrip::Body;
}

void TSelection::dragTo(SelectionGrip grip, QRectF start, QPointF delta)
{
    QRectF r = start;
    const double dx = delta.x();
    const double dy = delta.y();
    switch (grip) {
    case SelectionGrip::TopLeft: r.setTopLeft(r.topLeft() + delta); break;
    case SelectionGrip::Top: r.setTop(r.top() + dy); break;
    case SelectionGrip::TopRight: r.setTopRight(r.topRight() + delta); break;
    case SelectionGrip::Right: r.setRight(r.right() + dx); break;
    case SelectionGrip::BottomRight: r.setBottomRight(r.bottomRight() + delta); break;
    case SelectionGrip::Bottom: r.setBottom(r.bottom() + dy); break;
    case SelectionGrip::BottomLeft: r.setBottomLeft(r.bottomLeft() + delta); break;
    case SelectionGrip::Left: r.setLeft(r.left() + dx); break;
    case SelectionGrip::Body: r.translate(delta); break;
    case SelectionGrip::None: return;
    }
    if (grip != SelectionGrip::Body) {
        const bool movesLeft = grip == SelectionGrip::TopLeft || grip == SelectionGrip::Left || grip == SelectionGrip::BottomLeft;
        const bool movesTop = grip == SelectionGrip::TopLeft || grip == SelectionGrip::Top || grip == SelectionGrip::TopRight;
        double w = std::max(r.width(), m_minSize);
        double h = std::max(r.height(), m_minSize);
        if (m_proportional && start.width() > 0 && start.height() > 0) {
            const double ratio = start.width() / start.height();
            if (grip == SelectionGrip::Top || grip == SelectionGrip::Bottom)
                w = h * ratio;
            else if (grip == SelectionGrip::Left || grip == SelectionGrip::Right)
                h = w / ratio;
            else if (w / start.width() >= h / start.height())
                h = w / ratio;
            else
                w = h * ratio;
        }
        // The edge opposite the grip stays where it was.
        const double left = movesLeft ? start.right() - w : start.left();
        const double top = movesTop ? start.bottom() - h : start.top();
        r = QRectF(left, top, w, h);
    }
    SetBounds(r.x(), r.y(), r.width(), r.height());
    OnTrack(this);
}

void TSelection::endDrag()
{
    OnChange(this);
}

QWidget *TSelection::createPeer()
{
    return new SelectionPeer(this);
}

void TSelection::paint(QPainter &painter, const QRectF &rect)
{
    if (m_hideSelection)
        return;
    const QColor color = toQColor(m_color);
    const double g = m_gripSize;
    painter.save();
    QPen pen(color, 1, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(g, g, -g, -g));
    if (m_showHandles) {
        painter.setPen(QPen(color, 1));
        painter.setBrush(Qt::white);
        for (SelectionGrip grip : {SelectionGrip::TopLeft, SelectionGrip::Top, SelectionGrip::TopRight,
                                   SelectionGrip::Right, SelectionGrip::BottomRight, SelectionGrip::Bottom,
                                   SelectionGrip::BottomLeft, SelectionGrip::Left})
            painter.drawEllipse(gripRect(grip).translated(rect.topLeft()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.restore();
}

// ---------------------------------------------------------------------------

class SelectionPointPeer : public QWidget
{
public:
    explicit SelectionPointPeer(TSelectionPoint *control) : m_control(control) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        m_control->paint(painter, QRectF(rect()));
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton)
            return QWidget::mousePressEvent(e);
        m_dragging = true;
        m_moved = false;
        m_start = m_control->Position()->point();
        m_pressAt = e->globalPosition();
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (!m_dragging)
            return QWidget::mouseMoveEvent(e);
        const QPointF delta = e->globalPosition() - m_pressAt;
        if (!m_moved && delta.manhattanLength() < 1)
            return;
        m_moved = true;
        m_control->dragTo(m_start, delta);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() != Qt::LeftButton || !m_dragging)
            return QWidget::mouseReleaseEvent(e);
        m_dragging = false;
        if (m_moved)
            m_control->endDrag();
        else if (rect().contains(e->position().toPoint()))
            m_control->Click();
    }

private:
    TSelectionPoint *m_control;
    bool m_dragging = false;
    bool m_moved = false;
    QPointF m_start;
    QPointF m_pressAt;
};

TSelectionPoint::TSelectionPoint(TComponent *owner) : TControl(owner) {}

void TSelectionPoint::DeclareProperties(ClassBuilder<TSelectionPoint> &b)
{
    b.floating("GripSize", &TSelectionPoint::GripSize, &TSelectionPoint::SetGripSize);
    b.stored("ParentBounds", PropKind::Boolean);
    b.event("OnChange", &TSelectionPoint::OnChange);
    b.event("OnTrack", &TSelectionPoint::OnTrack);
}

void TSelectionPoint::dragTo(QPointF startPosition, QPointF delta)
{
    Position()->setPoint(startPosition + delta);
    OnTrack(this);
}

void TSelectionPoint::endDrag()
{
    OnChange(this);
}

QWidget *TSelectionPoint::createPeer()
{
    return new SelectionPointPeer(this);
}

void TSelectionPoint::paint(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setPen(QPen(QColor(0x1E, 0x90, 0xFF), 1));
    painter.setBrush(Qt::white);
    const double inset = 0.5;
    painter.drawEllipse(rect.adjusted(inset, inset, -inset, -inset));
    painter.restore();
}

} // namespace vantor
