#include "framework/stocklooks.h"

#include "framework/control.h"
#include "framework/controls/bars.h"
#include "framework/controls/shapes.h"
#include "framework/forms.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QHash>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <cmath>

namespace vantor {

namespace {

// Our colours. They sit beside the desktop look of the other controls: a
// calm blue for actions, red for destructive ones, green for adding.
const QColor kInk(0x30, 0x30, 0x30);
const QColor kAccent(0x2B, 0x6C, 0xD4);
const QColor kDanger(0xD0, 0x3B, 0x32);
const QColor kGo(0x35, 0x9E, 0x48);
const QColor kBorder(0x8E, 0x8E, 0x8E);
const QColor kSeparator(0xDC, 0xDC, 0xDC);
const QColor kDetail(0x80, 0x80, 0x80);

QColor inkOf(const LookData &d, const QColor &fallback)
{
    QColor c = d.fontColor.isValid() ? d.fontColor : fallback;
    if (!d.enabled)
        c.setAlphaF(c.alphaF() * 0.45);
    return c;
}

double luminance(const QColor &c)
{
    return 0.299 * c.redF() + 0.587 * c.greenF() + 0.114 * c.blueF();
}

// The colour behind a control, as well as we can tell: the nearest parent
// that paints a known opaque fill. Without one, the desktop's light window.
QColor colourBehind(const TControl &control)
{
    for (TFmxObject *up = control.Parent(); up; up = up->Parent()) {
        if (auto *bar = object_cast<TToolBar>(up)) {
            if (bar->TintColor() != claColors::Null)
                return toQColor(bar->TintColor());
            return QColor(0xEC, 0xEC, 0xEC);
        }
        const TBrush *fill = nullptr;
        if (auto *shape = object_cast<TShape>(up))
            fill = shape->Fill();
        if (fill && fill->Kind() == TBrushKind::Solid && qAlpha(fill->Color()) > 0x80)
            return toQColor(fill->Color());
        if (object_cast<TCommonCustomForm>(up))
            break;
    }
    return QColor(0xF0, 0xF0, 0xF0);
}

// ---------------------------------------------------------------------------
// Shapes

enum class Frame {
    Flat,      // no frame; a wash while pressed or checked
    Bordered,  // a rounded frame all round
    SegLeft,   // the left piece of a row of joined buttons
    SegMiddle, // a middle piece
    SegRight,  // the right piece
    Back,      // a frame whose left end points left, like a label tag
    Filled,    // a rounded rectangle filled with the look's colour
};

QPainterPath framePath(Frame frame, QRectF r, double radius)
{
    QPainterPath path;
    const double d = 2 * radius;
    switch (frame) {
    case Frame::Flat:
    case Frame::Bordered:
    case Frame::Filled: path.addRoundedRect(r, radius, radius); break;
    case Frame::SegMiddle: path.addRect(r); break;
    case Frame::SegLeft:
        path.moveTo(r.right(), r.top());
        path.lineTo(r.left() + radius, r.top());
        path.arcTo(QRectF(r.left(), r.top(), d, d), 90, 90);
        path.lineTo(r.left(), r.bottom() - radius);
        path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), 180, 90);
        path.lineTo(r.right(), r.bottom());
        path.closeSubpath();
        break;
    case Frame::SegRight:
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
        path.lineTo(r.left(), r.bottom());
        path.closeSubpath();
        break;
    case Frame::Back: {
        const double tip = std::min(r.height() / 2, r.width() / 3);
        path.moveTo(r.left(), r.center().y());
        path.lineTo(r.left() + tip, r.top());
        path.lineTo(r.right() - radius, r.top());
        path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
        path.lineTo(r.right(), r.bottom() - radius);
        path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
        path.lineTo(r.left() + tip, r.bottom());
        path.closeSubpath();
        break;
    }
    }
    return path;
}

// ---------------------------------------------------------------------------
// Icons, drawn in a square box with strokes of the given colour.

enum class Icon {
    None, ArrowLeft, ArrowRight, ArrowUp, ArrowDown, Prior, Next, Trash, Search, Refresh, Add, Minus,
    Compose, Action, Stop, Camera, Details, Organize, Info, Play, Pause, Rewind, Forward, Reply,
    Bookmarks, PageCurl, Drawer, Options, Escape, Clear,
};

void triangle(QPainter &p, QPointF a, QPointF b, QPointF c)
{
    const QPointF pts[3] = {a, b, c};
    p.drawPolygon(pts, 3);
}

void drawIcon(QPainter &p, Icon icon, const QRectF &box, const QColor &colour)
{
    const double s = box.width();
    const double x = box.left(), y = box.top();
    const auto at = [&](double fx, double fy) { return QPointF(x + fx * s, y + fy * s); };
    const auto in = [&](double fx, double fy, double fw, double fh) { return QRectF(x + fx * s, y + fy * s, fw * s, fh * s); };
    QPen pen(colour, std::max(1.3, s / 11), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const auto solid = [&] {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
    };
    switch (icon) {
    case Icon::None: break;
    case Icon::ArrowLeft:
    case Icon::ArrowRight:
    case Icon::ArrowUp:
    case Icon::ArrowDown: {
        // A shaft with a head, drawn pointing left and turned.
        p.translate(box.center());
        p.rotate(icon == Icon::ArrowLeft ? 0 : icon == Icon::ArrowUp ? 90 : icon == Icon::ArrowRight ? 180 : 270);
        p.drawLine(QPointF(-0.38 * s, 0), QPointF(0.38 * s, 0));
        p.drawLine(QPointF(-0.38 * s, 0), QPointF(-0.06 * s, -0.3 * s));
        p.drawLine(QPointF(-0.38 * s, 0), QPointF(-0.06 * s, 0.3 * s));
        break;
    }
    case Icon::Prior:
        solid();
        triangle(p, at(0.2, 0.5), at(0.75, 0.15), at(0.75, 0.85));
        break;
    case Icon::Next:
        solid();
        triangle(p, at(0.8, 0.5), at(0.25, 0.15), at(0.25, 0.85));
        break;
    case Icon::Play:
        solid();
        triangle(p, at(0.85, 0.5), at(0.22, 0.1), at(0.22, 0.9));
        break;
    case Icon::Pause:
        solid();
        p.drawRect(in(0.22, 0.12, 0.18, 0.76));
        p.drawRect(in(0.6, 0.12, 0.18, 0.76));
        break;
    case Icon::Rewind:
        solid();
        triangle(p, at(0.05, 0.5), at(0.5, 0.2), at(0.5, 0.8));
        triangle(p, at(0.5, 0.5), at(0.95, 0.2), at(0.95, 0.8));
        break;
    case Icon::Forward:
        solid();
        triangle(p, at(0.95, 0.5), at(0.5, 0.2), at(0.5, 0.8));
        triangle(p, at(0.5, 0.5), at(0.05, 0.2), at(0.05, 0.8));
        break;
    case Icon::Trash:
        // Lid with a handle, and a bin that narrows to the bottom with ribs.
        p.drawLine(at(0.15, 0.22), at(0.85, 0.22));
        p.drawPolyline(QPolygonF({at(0.38, 0.22), at(0.4, 0.1), at(0.6, 0.1), at(0.62, 0.22)}));
        p.drawPolygon(QPolygonF({at(0.24, 0.3), at(0.76, 0.3), at(0.7, 0.92), at(0.3, 0.92)}));
        p.drawLine(at(0.43, 0.42), at(0.44, 0.8));
        p.drawLine(at(0.57, 0.42), at(0.56, 0.8));
        break;
    case Icon::Search:
        p.drawEllipse(in(0.12, 0.12, 0.5, 0.5));
        p.setPen(QPen(colour, std::max(1.8, s / 7), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.56, 0.56), at(0.88, 0.88));
        break;
    case Icon::Refresh: {
        // Most of a circle, with a head at its open end.
        const QRectF ring = in(0.16, 0.16, 0.68, 0.68);
        p.drawArc(ring, 100 * 16, 290 * 16);
        const QPointF end = at(0.5 + 0.34 * std::cos(qDegreesToRadians(100.0)), 0.5 - 0.34 * std::sin(qDegreesToRadians(100.0)));
        solid();
        triangle(p, end + QPointF(0.2 * s, 0), end + QPointF(-0.02 * s, -0.17 * s), end + QPointF(-0.02 * s, 0.17 * s));
        break;
    }
    case Icon::Add:
        p.drawLine(at(0.5, 0.14), at(0.5, 0.86));
        p.drawLine(at(0.14, 0.5), at(0.86, 0.5));
        break;
    case Icon::Minus: p.drawLine(at(0.14, 0.5), at(0.86, 0.5)); break;
    case Icon::Compose:
        // A sheet open at the top right and a pencil over it.
        p.drawPolyline(QPolygonF({at(0.55, 0.18), at(0.12, 0.18), at(0.12, 0.88), at(0.82, 0.88), at(0.82, 0.45)}));
        p.drawPolygon(QPolygonF({at(0.4, 0.6), at(0.8, 0.1), at(0.92, 0.22), at(0.52, 0.72), at(0.38, 0.74)}));
        break;
    case Icon::Action:
        // A tray with an arrow leaving it upwards: hand the item on.
        p.drawPolyline(QPolygonF({at(0.35, 0.38), at(0.15, 0.38), at(0.15, 0.9), at(0.85, 0.9), at(0.85, 0.38), at(0.65, 0.38)}));
        p.drawLine(at(0.5, 0.08), at(0.5, 0.62));
        p.drawPolyline(QPolygonF({at(0.32, 0.25), at(0.5, 0.08), at(0.68, 0.25)}));
        break;
    case Icon::Stop:
    case Icon::Escape:
        p.drawLine(at(0.2, 0.2), at(0.8, 0.8));
        p.drawLine(at(0.8, 0.2), at(0.2, 0.8));
        break;
    case Icon::Clear:
        // A filled disc with a cross cut out of it.
        solid();
        p.drawEllipse(in(0.05, 0.05, 0.9, 0.9));
        p.setPen(QPen(Qt::white, std::max(1.2, s / 9), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.34, 0.34), at(0.66, 0.66));
        p.drawLine(at(0.66, 0.34), at(0.34, 0.66));
        break;
    case Icon::Camera:
        p.drawRoundedRect(in(0.08, 0.3, 0.84, 0.56), s * 0.08, s * 0.08);
        p.drawPolyline(QPolygonF({at(0.32, 0.3), at(0.4, 0.16), at(0.6, 0.16), at(0.68, 0.3)}));
        p.drawEllipse(in(0.35, 0.42, 0.3, 0.3));
        break;
    case Icon::Details:
        // A list: bullets and lines.
        for (double fy : {0.25, 0.5, 0.75}) {
            p.drawPoint(at(0.15, fy));
            p.drawLine(at(0.32, fy), at(0.88, fy));
        }
        break;
    case Icon::Organize:
        // A folder.
        p.drawPolygon(QPolygonF({at(0.08, 0.22), at(0.38, 0.22), at(0.46, 0.32), at(0.92, 0.32), at(0.92, 0.84), at(0.08, 0.84)}));
        p.drawLine(at(0.08, 0.42), at(0.92, 0.42));
        break;
    case Icon::Info:
        p.drawEllipse(in(0.08, 0.08, 0.84, 0.84));
        p.drawLine(at(0.5, 0.45), at(0.5, 0.74));
        p.setPen(QPen(colour, std::max(2.0, s / 7), Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(at(0.5, 0.28));
        break;
    case Icon::Reply: {
        // An arrow turning back to the left.
        QPainterPath path(at(0.88, 0.82));
        path.cubicTo(at(0.8, 0.45), at(0.6, 0.4), at(0.2, 0.42));
        p.drawPath(path);
        p.drawPolyline(QPolygonF({at(0.42, 0.2), at(0.18, 0.42), at(0.42, 0.64)}));
        break;
    }
    case Icon::Bookmarks:
        // An open book.
        p.drawPolygon(QPolygonF({at(0.5, 0.25), at(0.08, 0.15), at(0.08, 0.8), at(0.5, 0.9), at(0.92, 0.8), at(0.92, 0.15)}));
        p.drawLine(at(0.5, 0.25), at(0.5, 0.9));
        break;
    case Icon::PageCurl:
        p.drawPolygon(QPolygonF({at(0.18, 0.08), at(0.82, 0.08), at(0.82, 0.62), at(0.56, 0.92), at(0.18, 0.92)}));
        p.drawPolyline(QPolygonF({at(0.82, 0.62), at(0.56, 0.62), at(0.56, 0.92)}));
        break;
    case Icon::Drawer:
        for (double fy : {0.25, 0.5, 0.75})
            p.drawLine(at(0.12, fy), at(0.88, fy));
        break;
    case Icon::Options:
        // A cog: a ring with eight teeth.
        p.drawEllipse(in(0.3, 0.3, 0.4, 0.4));
        for (int i = 0; i < 8; ++i) {
            const double a = qDegreesToRadians(45.0 * i);
            p.drawLine(at(0.5 + 0.28 * std::cos(a), 0.5 + 0.28 * std::sin(a)),
                       at(0.5 + 0.42 * std::cos(a), 0.5 + 0.42 * std::sin(a)));
        }
        break;
    }
    p.restore();
}

QRectF iconBox(const QRectF &rect, double fraction = 0.62)
{
    const double side = std::clamp(std::min(rect.width(), rect.height()) * fraction, 6.0, 26.0);
    return QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
}

// ---------------------------------------------------------------------------
// The looks

class StockLook : public Look
{
public:
    explicit StockLook(QString name) : m_name(std::move(name)) {}
    QString name() const override { return QStringLiteral("stock:") + m_name; }
    QString lookup() const { return m_name; }

private:
    QString m_name;
};

// Buttons: a frame, an icon or the text, in one of our colours.
class ButtonLook : public StockLook
{
public:
    ButtonLook(QString name, Frame frame, Icon icon, QColor colour = QColor(), bool round = false)
        : StockLook(std::move(name)), m_frame(frame), m_icon(icon), m_colour(colour), m_round(round)
    {
    }

    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        const bool down = d.pressed || d.checked;
        QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
        if (m_round) {
            // A disc of the look's colour with the sign in white.
            const QRectF disc = iconBox(rect, 0.8);
            p.setPen(Qt::NoPen);
            p.setBrush(down ? m_colour.darker(125) : m_colour);
            if (!d.enabled)
                p.setOpacity(0.45);
            p.drawEllipse(disc);
            drawIcon(p, m_icon, disc.adjusted(disc.width() * 0.2, disc.width() * 0.2, -disc.width() * 0.2, -disc.width() * 0.2),
                     Qt::white);
            return;
        }
        if (m_frame != Frame::Flat && m_frame != Frame::Filled)
            r.adjust(0, 2, 0, -2); // framed tool buttons stand a little inside their bar
        const double radius = std::min(4.0, r.height() / 3);
        const QPainterPath path = framePath(m_frame, r, radius);
        QColor ink = inkOf(d, m_colour.isValid() ? m_colour : kInk);
        switch (m_frame) {
        case Frame::Flat:
            if (down || d.hovered) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0, 0, 0, down ? 40 : 18));
                p.drawPath(path);
            }
            break;
        case Frame::Filled:
            p.setPen(Qt::NoPen);
            p.setBrush(down ? m_colour.darker(120) : (d.enabled ? m_colour : m_colour.lighter(140)));
            p.drawPath(path);
            ink = d.fontColor.isValid() ? inkOf(d, Qt::white) : QColor(Qt::white);
            break;
        default:
            p.setPen(QPen(m_colour.isValid() ? m_colour : kBorder, 1));
            p.setBrush(down ? (m_colour.isValid() ? m_colour : QColor(0xD8, 0xD8, 0xD8))
                            : QColor(0xFF, 0xFF, 0xFF, 0xB0));
            p.drawPath(path);
            if (down && m_colour.isValid())
                ink = Qt::white;
            break;
        }
        if (m_icon != Icon::None) {
            drawIcon(p, m_icon, iconBox(r), ink);
            return;
        }
        QRectF textArea = r.adjusted(4, 0, -4, 0);
        if (m_frame == Frame::Back)
            textArea.setLeft(textArea.left() + std::min(r.height() / 2, r.width() / 3) - 2);
        QFont font = d.font;
        if (m_frame == Frame::Filled)
            font.setBold(true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine, d.text);
    }

private:
    Frame m_frame;
    Icon m_icon;
    QColor m_colour;
    bool m_round;
};

// A label for a bar: bold, light on a dark bar, embossed dark on a light one.
class LabelLook : public StockLook
{
public:
    enum Kind {
        ToolLabel,   // the title of a tool bar
        Embossed,    // a caption pressed into the background
        HeaderLabel, // the title of a list's header
    };
    LabelLook(QString name, Kind kind) : StockLook(std::move(name)), m_kind(kind) {}

    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        // The colour behind is known only to the control; lookFor() stored a
        // hint in the palette's Window role (see StockLookSource).
        const bool darkBehind = luminance(d.palette.color(QPalette::Window)) < 0.5;
        QColor ink, shade;
        QPointF offset(0, 1);
        switch (m_kind) {
        case ToolLabel:
            ink = darkBehind ? QColor(Qt::white) : QColor(0x26, 0x26, 0x26);
            shade = darkBehind ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 200);
            if (darkBehind)
                offset = QPointF(0, -1);
            break;
        case Embossed:
            ink = darkBehind ? QColor(0xE8, 0xE8, 0xEE) : QColor(0x4A, 0x54, 0x68);
            shade = darkBehind ? QColor(0, 0, 0, 120) : QColor(255, 255, 255, 230);
            break;
        case HeaderLabel:
            ink = darkBehind ? QColor(Qt::white) : QColor(0x22, 0x22, 0x22);
            shade = darkBehind ? QColor(0, 0, 0, 100) : QColor(255, 255, 255, 200);
            break;
        }
        ink = inkOf(d, ink);
        QFont font = d.font;
        font.setBold(true);
        p.setFont(font);
        const Qt::Alignment align = m_kind == HeaderLabel ? Qt::AlignCenter : d.alignment;
        const int flags = int(align) | (d.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        p.setPen(shade);
        p.drawText(rect.translated(offset), flags, d.text);
        p.setPen(ink);
        p.drawText(rect, flags, d.text);
    }

private:
    Kind m_kind;
};

// A list item: a row with a separator below and the detail text where the
// style puts it.
class ItemLook : public StockLook
{
public:
    enum Detail {
        NoDetail,     // the text alone
        LeftDetail,   // the detail in a narrow column before the text
        RightDetail,  // the detail at the right end, grey
        BottomDetail, // the detail small under the text
        GroupHeader,  // a grey band with the text in bold
    };
    ItemLook(QString name, Detail detail) : StockLook(std::move(name)), m_detail(detail) {}

    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        const QPalette &pal = d.palette;
        if (m_detail == GroupHeader) {
            p.fillRect(rect, QColor(0xE6, 0xE6, 0xEA));
            p.setPen(QColor(0xC4, 0xC4, 0xCA));
            p.drawLine(QPointF(rect.left(), rect.bottom() - 0.5), QPointF(rect.right(), rect.bottom() - 0.5));
            QFont font = d.font;
            font.setBold(true);
            p.setFont(font);
            p.setPen(inkOf(d, QColor(0x34, 0x34, 0x3C)));
            p.drawText(rect.adjusted(8, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, d.text);
            return;
        }
        if (d.selected)
            p.fillRect(rect, pal.color(QPalette::Highlight));
        p.setPen(kSeparator);
        p.drawLine(QPointF(rect.left() + 8, rect.bottom() - 0.5), QPointF(rect.right(), rect.bottom() - 0.5));

        QRectF area = rect.adjusted(8, 0, -6, 0);
        if (d.checkBox) {
            const double side = std::min(14.0, rect.height() - 4);
            const QRectF box(area.left(), rect.center().y() - side / 2, side, side);
            p.setPen(pal.color(QPalette::Dark));
            p.setBrush(pal.color(QPalette::Base));
            p.drawRect(box);
            if (d.checked) {
                p.setPen(QPen(pal.color(QPalette::Text), 2));
                p.drawPolyline(QPolygonF({QPointF(box.left() + 3, box.center().y()),
                                          QPointF(box.center().x() - 1, box.bottom() - 3),
                                          QPointF(box.right() - 3, box.top() + 3)}));
            }
            area.setLeft(box.right() + 6);
        }
        if (!d.image.isNull()) {
            const double side = std::max(0.0, rect.height() - 4);
            const QSizeF size = QSizeF(d.image.size()).scaled(side, side, Qt::KeepAspectRatio);
            p.drawImage(QRectF(area.left(), rect.center().y() - size.height() / 2, size.width(), size.height()), d.image);
            area.setLeft(area.left() + side + 6);
        }
        drawAccessory(p, area, d);

        const QColor ink = d.selected && !d.fontColor.isValid() ? pal.color(QPalette::HighlightedText) : inkOf(d, kInk);
        const QColor detailInk = d.selected ? ink : kDetail;
        const int line = Qt::TextSingleLine;
        p.setFont(d.font);
        switch (m_detail) {
        case NoDetail:
        case GroupHeader:
            p.setPen(ink);
            p.drawText(area, int(Qt::AlignLeft | Qt::AlignVCenter) | line, d.text);
            break;
        case RightDetail: {
            p.setPen(detailInk);
            QRectF used;
            p.drawText(area, int(Qt::AlignRight | Qt::AlignVCenter) | line, d.detail, &used);
            p.setPen(ink);
            p.drawText(area.adjusted(0, 0, d.detail.isEmpty() ? 0 : -(used.width() + 8), 0),
                       int(Qt::AlignLeft | Qt::AlignVCenter) | line, d.text);
            break;
        }
        case LeftDetail: {
            // The detail names what the text is; it ends at a column a
            // third of the way along.
            const double column = std::clamp(area.width() * 0.32, 40.0, 110.0);
            QFont bold = d.font;
            bold.setBold(true);
            p.setFont(bold);
            p.setPen(d.selected ? ink : kAccent);
            p.drawText(QRectF(area.left(), area.top(), column, area.height()), int(Qt::AlignRight | Qt::AlignVCenter) | line,
                       d.detail);
            p.setFont(d.font);
            p.setPen(ink);
            p.drawText(area.adjusted(column + 8, 0, 0, 0), int(Qt::AlignLeft | Qt::AlignVCenter) | line, d.text);
            break;
        }
        case BottomDetail: {
            QFont small = d.font;
            small.setPixelSize(std::max(8, qRound(QFontInfo(d.font).pixelSize() * 0.85)));
            const double textHeight = QFontMetricsF(d.font).height();
            const double detailHeight = QFontMetricsF(small).height();
            const double top = rect.center().y() - (textHeight + detailHeight) / 2;
            p.setPen(ink);
            p.drawText(QRectF(area.left(), top, area.width(), textHeight), int(Qt::AlignLeft | Qt::AlignVCenter) | line, d.text);
            p.setFont(small);
            p.setPen(detailInk);
            p.drawText(QRectF(area.left(), top + textHeight, area.width(), detailHeight),
                       int(Qt::AlignLeft | Qt::AlignVCenter) | line, d.detail);
            break;
        }
        }
    }

private:
    static void drawAccessory(QPainter &p, QRectF &area, const LookData &d)
    {
        if (d.accessory == LookAccessory::None)
            return;
        const double side = std::min(12.0, area.height() * 0.6);
        const QRectF box(area.right() - side, area.center().y() - side / 2, side, side);
        const QColor c = d.selected ? d.palette.color(QPalette::HighlightedText) : kDetail;
        QPen pen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.save();
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        switch (d.accessory) {
        case LookAccessory::More:
            p.drawPolyline(QPolygonF({QPointF(box.left() + side * 0.35, box.top() + side * 0.15), QPointF(box.left() + side * 0.7, box.center().y()),
                                      QPointF(box.left() + side * 0.35, box.bottom() - side * 0.15)}));
            break;
        case LookAccessory::Detail:
            drawIcon(p, Icon::Info, box, d.selected ? c : kAccent);
            break;
        case LookAccessory::Checkmark:
            p.setPen(QPen(d.selected ? c : kAccent, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({QPointF(box.left() + side * 0.1, box.center().y()), QPointF(box.left() + side * 0.4, box.bottom() - side * 0.15),
                                      QPointF(box.right() - side * 0.05, box.top() + side * 0.15)}));
            break;
        case LookAccessory::None: break;
        }
        p.restore();
        area.setRight(box.left() - 6);
    }

    Detail m_detail;
};

// The desktop push button, for controls that name the button's style (a
// speed button with "buttonstyle" is raised like a push button).
class PushButtonLook : public StockLook
{
public:
    using StockLook::StockLook;
    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        QStyleOptionButton option;
        option.rect = rect.toRect();
        option.text = d.text;
        option.palette = d.palette;
        option.fontMetrics = QFontMetrics(d.font);
        option.state = QStyle::State_Raised;
        if (d.enabled)
            option.state |= QStyle::State_Enabled;
        if (d.pressed)
            option.state |= QStyle::State_Sunken;
        if (d.checked)
            option.state |= QStyle::State_On;
        if (d.hovered)
            option.state |= QStyle::State_MouseOver;
        if (d.fontColor.isValid())
            option.palette.setColor(QPalette::ButtonText, d.fontColor);
        p.setFont(d.font);
        QApplication::style()->drawControl(QStyle::CE_PushButton, &option, &p);
    }
};

// A tool bar drawn for the bottom of a screen: the line on its top edge.
class BottomBarLook : public StockLook
{
public:
    using StockLook::StockLook;
    void paint(QPainter &p, const QRectF &rect, const LookData &) const override
    {
        QLinearGradient g(rect.topLeft(), rect.bottomLeft());
        g.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
        g.setColorAt(1, QColor(0xDC, 0xDC, 0xDC));
        p.fillRect(rect, g);
        p.setPen(QColor(0xB4, 0xB4, 0xB4));
        p.drawLine(QPointF(rect.left(), rect.top() + 0.5), QPointF(rect.right(), rect.top() + 0.5));
    }
};

// A control with neither frame nor background: what is behind shows
// through. The widget paints its content (items, text, caret) itself.
class TransparentLook : public StockLook
{
public:
    using StockLook::StockLook;
    bool paintsControl() const override { return false; }
    void paint(QPainter &, const QRectF &, const LookData &) const override {}
    void adapt(QWidget *widget, bool on) const override
    {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(widget)) {
            // The viewport fills itself; the palette stays as it is, as the
            // controls inside inherit it.
            area->viewport()->setAutoFillBackground(!on);
            if (on)
                area->setFrameShape(QFrame::NoFrame);
            for (QWidget *content : area->viewport()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                content->setAutoFillBackground(false);
            return;
        }
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setFrame(!on);
            QPalette pal = edit->palette();
            pal.setBrush(QPalette::Base, on ? QBrush(Qt::transparent) : QApplication::palette(edit).brush(QPalette::Base));
            edit->setPalette(pal);
            return;
        }
        widget->setAutoFillBackground(!on && widget->autoFillBackground());
    }
};

// ---------------------------------------------------------------------------
// The table of names

struct IconName
{
    const char *name;
    Icon icon;
};

// The icon tool buttons: "<name>toolbutton" and its framed forms.
const IconName kIcons[] = {
    {"arrowleft", Icon::ArrowLeft}, {"arrowright", Icon::ArrowRight}, {"arrowup", Icon::ArrowUp},
    {"arrowdown", Icon::ArrowDown}, {"prior", Icon::Prior},           {"next", Icon::Next},
    {"trash", Icon::Trash},         {"search", Icon::Search},         {"refresh", Icon::Refresh},
    {"add", Icon::Add},             {"compose", Icon::Compose},       {"action", Icon::Action},
    {"stop", Icon::Stop},           {"camera", Icon::Camera},         {"details", Icon::Details},
    {"organize", Icon::Organize},   {"info", Icon::Info},             {"play", Icon::Play},
    {"pause", Icon::Pause},         {"rewind", Icon::Rewind},         {"forward", Icon::Forward},
    {"fastforward", Icon::Forward}, {"reply", Icon::Reply},           {"bookmarks", Icon::Bookmarks},
    {"pagecurl", Icon::PageCurl},   {"drawer", Icon::Drawer},         {"options", Icon::Options},
    {"escape", Icon::Escape},
};

using LookTable = QHash<QString, std::shared_ptr<const StockLook>>;

const LookTable &table()
{
    static const LookTable looks = [] {
        LookTable t;
        const auto add = [&t](std::shared_ptr<const StockLook> look) { t.insert(look->lookup(), std::move(look)); };
        const auto button = [&](const QString &name, Frame frame, Icon icon = Icon::None, QColor colour = QColor()) {
            add(std::make_shared<ButtonLook>(name, frame, icon, colour));
        };
        for (const IconName &entry : kIcons) {
            const QString base = QLatin1String(entry.name) + QLatin1String("toolbutton");
            button(base, Frame::Flat, entry.icon);
            button(base + QLatin1String("bordered"), Frame::Bordered, entry.icon);
            button(base + QLatin1String("borderedleft"), Frame::SegLeft, entry.icon);
            button(base + QLatin1String("borderedright"), Frame::SegRight, entry.icon);
        }
        button(QStringLiteral("toolbutton"), Frame::Flat);
        add(std::make_shared<PushButtonLook>(QStringLiteral("buttonstyle")));
        // On a push button the speed button's style makes it flat.
        button(QStringLiteral("speedbuttonstyle"), Frame::Flat);
        button(QStringLiteral("toolbuttonleft"), Frame::SegLeft);
        button(QStringLiteral("toolbuttonmiddle"), Frame::SegMiddle);
        button(QStringLiteral("toolbuttonright"), Frame::SegRight);
        button(QStringLiteral("segmentedbuttonleft"), Frame::SegLeft, Icon::None, kAccent);
        button(QStringLiteral("segmentedbuttonmiddle"), Frame::SegMiddle, Icon::None, kAccent);
        button(QStringLiteral("segmentedbuttonright"), Frame::SegRight, Icon::None, kAccent);
        button(QStringLiteral("stepperbuttonleft"), Frame::SegLeft, Icon::Minus);
        button(QStringLiteral("stepperbuttonright"), Frame::SegRight, Icon::Add);
        button(QStringLiteral("backtoolbutton"), Frame::Back);
        button(QStringLiteral("donetoolbutton"), Frame::Filled, Icon::None, kAccent);
        button(QStringLiteral("deletetoolbutton"), Frame::Filled, Icon::None, kDanger);
        button(QStringLiteral("tintedbutton"), Frame::Bordered, Icon::None, kAccent);
        button(QStringLiteral("listitembutton"), Frame::Bordered);
        button(QStringLiteral("buttonstyle_clearmini"), Frame::Flat, Icon::Clear, QColor(0x9A, 0x9A, 0x9A));
        add(std::make_shared<ButtonLook>(QStringLiteral("additembutton"), Frame::Flat, Icon::Add, kGo, true));
        add(std::make_shared<ButtonLook>(QStringLiteral("deleteitembutton"), Frame::Flat, Icon::Minus, kDanger, true));

        add(std::make_shared<LabelLook>(QStringLiteral("toollabel"), LabelLook::ToolLabel));
        add(std::make_shared<LabelLook>(QStringLiteral("embossedlabel"), LabelLook::Embossed));
        add(std::make_shared<LabelLook>(QStringLiteral("listboxheaderlabel"), LabelLook::HeaderLabel));

        add(std::make_shared<ItemLook>(QStringLiteral("listboxitemnodetail"), ItemLook::NoDetail));
        add(std::make_shared<ItemLook>(QStringLiteral("listboxitemleftdetail"), ItemLook::LeftDetail));
        add(std::make_shared<ItemLook>(QStringLiteral("listboxitemrightdetail"), ItemLook::RightDetail));
        add(std::make_shared<ItemLook>(QStringLiteral("listboxitembottomdetail"), ItemLook::BottomDetail));
        add(std::make_shared<ItemLook>(QStringLiteral("listboxgroupheader"), ItemLook::GroupHeader));

        add(std::make_shared<BottomBarLook>(QStringLiteral("bottomtoolbar")));
        add(std::make_shared<TransparentLook>(QStringLiteral("transparentlistboxstyle")));
        add(std::make_shared<TransparentLook>(QStringLiteral("transparentedit")));
        return t;
    }();
    return looks;
}

QString normalised(const QString &lookup)
{
    return lookup.trimmed().toLower();
}

// Whether `lookup` names the control's own class's default style
// ("speedbuttonstyle" on a speed button, "listboxgroupheader" on a group
// header): the control then keeps its default look. The same name on
// another class does give a look ("speedbuttonstyle" makes a push button
// flat).
bool namesOwnStyle(const TControl &control, const QString &lookup)
{
    QString name = control.ClassType().qname().toLower();
    if (name.startsWith(QLatin1Char('t')))
        name.remove(0, 1);
    return lookup == name || lookup == name + QLatin1String("style");
}

// A look that tells the painting the colour behind the control (labels
// choose light or dark ink by it).
class BehindLook : public Look
{
public:
    BehindLook(std::shared_ptr<const StockLook> look, QColor behind) : m_look(std::move(look)), m_behind(behind) {}
    QString name() const override { return m_look->name(); }
    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        LookData data = d;
        data.palette.setColor(QPalette::Window, m_behind);
        m_look->paint(p, rect, data);
    }

private:
    std::shared_ptr<const StockLook> m_look;
    QColor m_behind;
};

} // namespace

std::shared_ptr<const Look> stockLook(const QString &lookup)
{
    return table().value(normalised(lookup));
}

QStringList stockLookNames()
{
    QStringList names = table().keys();
    names.sort();
    return names;
}

std::shared_ptr<const Look> StockLookSource::lookFor(const TControl &control) const
{
    const QString lookup = normalised(effectiveStyleLookup(control));
    if (lookup.isEmpty() || namesOwnStyle(control, lookup))
        return nullptr;
    auto look = table().value(lookup);
    if (look && dynamic_cast<const LabelLook *>(look.get())) {
        // One look object per colour behind, so that applyLook() sees a
        // change of background as a change of look.
        static QHash<QString, std::shared_ptr<const Look>> byBackground;
        const QColor behind = colourBehind(control);
        const QString key = lookup + QLatin1Char('/') + behind.name(QColor::HexArgb);
        auto &slot = byBackground[key];
        if (!slot)
            slot = std::make_shared<BehindLook>(look, behind);
        return slot;
    }
    return look;
}

} // namespace vantor
