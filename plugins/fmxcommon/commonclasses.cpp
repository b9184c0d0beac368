#include "commonclasses.h"
#include "colorcontrols.h"
#include "moreclasses.h"
#include "scene3d.h"

#include "framework/colors.h"
#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/nonvisual.h"
#include "framework/layout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vantor::fmxcommon {

VANTOR_IMPLEMENT_CLASS(TEllipse)
VANTOR_IMPLEMENT_CLASS(TCircle)
VANTOR_IMPLEMENT_CLASS(TRoundRect)
VANTOR_IMPLEMENT_CLASS(TPie)
VANTOR_IMPLEMENT_CLASS(TArc)
VANTOR_IMPLEMENT_CLASS(TPath)
VANTOR_IMPLEMENT_CLASS(TText)
VANTOR_IMPLEMENT_CLASS(TListBoxGroupHeader)
VANTOR_IMPLEMENT_CLASS(TListBoxHeader)
VANTOR_IMPLEMENT_CLASS(TColorBox)
VANTOR_IMPLEMENT_CLASS(TComboColorBox)
VANTOR_IMPLEMENT_CLASS(TArrangingLayout)
VANTOR_IMPLEMENT_CLASS(TGridPanelLayout)
VANTOR_IMPLEMENT_CLASS(TFlowLayout)
VANTOR_IMPLEMENT_CLASS(TFlowLayoutBreak)
VANTOR_IMPLEMENT_CLASS(TCalloutRectangle)
VANTOR_IMPLEMENT_CLASS(TScaledLayout)
VANTOR_IMPLEMENT_CLASS(TMultiView)
VANTOR_IMPLEMENT_CLASS(TFloatAnimation)
VANTOR_IMPLEMENT_CLASS(TColorAnimation)
VANTOR_IMPLEMENT_CLASS(TBindingsList)
VANTOR_IMPLEMENT_CLASS(TWebBrowser)

namespace {

// One column or row of a grid panel layout.
class TGridSizeItem : public TCollectionItem
{
    VANTOR_CLASS(TGridSizeItem, TCollectionItem)
public:
    TGridSizeItem() = default;
    static void DeclareProperties(ClassBuilder<TGridSizeItem> &b);
    int SizeStyle() const { return m_style; }
    void SetSizeStyle(int s) { m_style = s; }
    double Value() const { return m_value; }
    void SetValue(double v) { m_value = v; }

private:
    int m_style = 1; // Absolute, Percent, Auto: percent unless the form says
    double m_value = 50;
};
VANTOR_IMPLEMENT_CLASS(TGridSizeItem)

// Where one control of a grid panel layout goes.
class TGridControlItem : public TCollectionItem
{
    VANTOR_CLASS(TGridControlItem, TCollectionItem)
public:
    TGridControlItem() = default;
    static void DeclareProperties(ClassBuilder<TGridControlItem> &b);
};
VANTOR_IMPLEMENT_CLASS(TGridControlItem)

// A collection item kept as read (bindings' methods and converters).
class TKeptItem : public TCollectionItem
{
    VANTOR_CLASS(TKeptItem, TCollectionItem)
public:
    TKeptItem() = default;
};
VANTOR_IMPLEMENT_CLASS(TKeptItem)

const EnumInfo &sizeStyleInfo()
{
    static const EnumInfo info{"TGridPanelLayout.TSizeStyle", {"Absolute", "Percent", "Auto"}, nullptr};
    return info;
}
const EnumInfo &cornerSetInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, "cr"};
    return info;
}
const EnumInfo &pathWrapInfo()
{
    static const EnumInfo info{"TPathWrapMode", {"Original", "Fit", "Stretch", "Tile"}, "pw"};
    return info;
}
const EnumInfo &flowJustifyInfo()
{
    static const EnumInfo info{"TFlowJustify", {"Left", "Right", "Center", "Justify"}, nullptr};
    return info;
}
const EnumInfo &flowDirectionInfo()
{
    static const EnumInfo info{"TFlowDirection", {"LeftToRight", "RightToLeft"}, nullptr};
    return info;
}
const EnumInfo &multiViewModeInfo()
{
    static const EnumInfo info{"TMultiViewMode", {"PlatformBehaviour", "Panel", "Popover", "Drawer", "NavigationPane", "Custom"}, nullptr};
    return info;
}
const EnumInfo &drawerModeInfo()
{
    static const EnumInfo info{"TSlidingMode", {"PushingDetailView", "OverlapDetailView"}, nullptr};
    return info;
}
const EnumInfo &panelPlacementInfo()
{
    static const EnumInfo info{"TPanelPlacement", {"Left", "Right"}, nullptr};
    return info;
}

const EnumInfo &expandStyleInfo()
{
    static const EnumInfo info{"TExpandStyle", {"AddRows", "AddColumns", "FixedSize"}, nullptr};
    return info;
}

void TGridSizeItem::DeclareProperties(ClassBuilder<TGridSizeItem> &b)
{
    b.enumeration("SizeStyle", sizeStyleInfo(), &TGridSizeItem::SizeStyle, &TGridSizeItem::SetSizeStyle);
    b.floating("Value", &TGridSizeItem::Value, &TGridSizeItem::SetValue);
}

void TGridControlItem::DeclareProperties(ClassBuilder<TGridControlItem> &b)
{
    b.stored("Column", PropKind::Integer);
    b.stored("Row", PropKind::Integer);
    b.stored("ColumnSpan", PropKind::Integer);
    b.stored("RowSpan", PropKind::Integer);
    b.stored("Control", PropKind::Component);
}

std::int64_t storedInt(const TObject &o, const char *name, std::int64_t fallback)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    return std::holds_alternative<std::int64_t>(v) ? std::get<std::int64_t>(v) : fallback;
}

double storedFloat(const TObject &o, const char *name, double fallback)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    if (std::holds_alternative<double>(v))
        return std::get<double>(v);
    if (std::holds_alternative<std::int64_t>(v))
        return double(std::get<std::int64_t>(v));
    return fallback;
}

QBrush qbrush(const TBrush &brush)
{
    switch (brush.Kind()) {
    case TBrushKind::None:
    case TBrushKind::Resource:
        return Qt::NoBrush;
    case TBrushKind::Bitmap:
        if (!brush.Bitmap()->Bitmap()->isEmpty())
            return QBrush(brush.Bitmap()->Bitmap()->image());
        break;
    default:
        break;
    }
    return QBrush(toQColor(brush.Color()));
}

QPen qpen(const TStrokeBrush &stroke)
{
    if (stroke.Kind() == TBrushKind::None || stroke.Kind() == TBrushKind::Resource || stroke.Thickness() <= 0)
        return Qt::NoPen;
    QPen pen(toQColor(stroke.Color()), stroke.Thickness());
    pen.setCapStyle(stroke.Cap() == TStrokeCap::Round ? Qt::RoundCap : Qt::FlatCap);
    switch (stroke.Dash()) {
    case TStrokeDash::Dash: pen.setStyle(Qt::DashLine); break;
    case TStrokeDash::Dot: pen.setStyle(Qt::DotLine); break;
    case TStrokeDash::DashDot: pen.setStyle(Qt::DashDotLine); break;
    case TStrokeDash::DashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: break;
    }
    return pen;
}

// The area inside the stroke, so that the outline stays within the control.
QRectF insideStroke(const TShape &shape, const QRectF &rect)
{
    const double half = qpen(*shape.Stroke()).style() == Qt::NoPen ? 0 : shape.Stroke()->Thickness() / 2;
    return rect.adjusted(half, half, -half, -half);
}

void setupShapePainter(QPainter &painter, const TShape &shape)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(qbrush(*shape.Fill()));
    painter.setPen(qpen(*shape.Stroke()));
}

void publishShape(auto &b)
{
    b.persistent("Fill", &TShape::Fill);
    b.persistent("Stroke", &TShape::Stroke);
}

} // namespace

const std::vector<const char *> &commonClassNames()
{
    static const std::vector<const char *> names = {
        "TText",          "TGridPanelLayout", "TPath",          "TListBoxGroupHeader", "TCircle",
        "TFlowLayout",    "TColorBox",        "TMultiView",     "TComboColorBox",      "TRoundRect",
        "TEllipse",       "TListBoxHeader",   "TScaledLayout",  "TPie",                "TArc",
        "TFloatAnimation", "TColorAnimation", "TWebBrowser",    "TFlowLayoutBreak",
        "TCalloutRectangle",
    };
    static const std::vector<const char *> all = [] {
        std::vector<const char *> v = names;
        v.insert(v.end(), moreClassNames().begin(), moreClassNames().end());
        v.insert(v.end(), sceneClassNames().begin(), sceneClassNames().end());
        v.insert(v.end(), colorClassNames().begin(), colorClassNames().end());
        return v;
    }();
    return all;
}

void registerCommonClasses()
{
    RegisterClasses<TEllipse, TCircle, TRoundRect, TPie, TArc, TPath, TText, TListBoxGroupHeader, TListBoxHeader,
                    TColorBox, TComboColorBox, TGridPanelLayout, TFlowLayout, TFlowLayoutBreak, TCalloutRectangle, TScaledLayout, TMultiView,
                    TFloatAnimation, TColorAnimation, TWebBrowser>();
    registerMoreClasses();
    registerSceneClasses();
    registerColorClasses();
}

QPainterPath decodeBinaryPath(const QByteArray &data)
{
    QPainterPath path;
    if (data.size() < 4)
        return path;
    const auto *bytes = reinterpret_cast<const uchar *>(data.constData());
    const qint32 count = qFromLittleEndian<qint32>(bytes);
    if (count < 0 || qint64(data.size()) != 4 + qint64(count) * 9)
        return path;
    std::vector<QPointF> curve;
    for (qint32 i = 0; i < count; ++i) {
        const uchar *p = bytes + 4 + qint64(i) * 9;
        float x = 0;
        float y = 0;
        std::memcpy(&x, p + 1, 4);
        std::memcpy(&y, p + 5, 4);
        if (!std::isfinite(x) || !std::isfinite(y))
            return QPainterPath();
        const QPointF pt(x, y);
        switch (p[0]) {
        case 0: path.moveTo(pt); break;
        case 1: path.lineTo(pt); break;
        case 2:
            curve.push_back(pt);
            if (curve.size() == 3) {
                path.cubicTo(curve[0], curve[1], curve[2]);
                curve.clear();
            }
            break;
        case 3: path.closeSubpath(); break;
        default: return QPainterPath();
        }
    }
    return path;
}

// ---------------------------------------------------------------------------
// Shapes

void TEllipse::DeclareProperties(ClassBuilder<TEllipse> &b)
{
    publishShape(b);
}

void TEllipse::paint(QPainter &painter, const QRectF &rect)
{
    setupShapePainter(painter, *this);
    painter.drawEllipse(insideStroke(*this, rect));
}

void TCircle::paint(QPainter &painter, const QRectF &rect)
{
    const double d = std::min(rect.width(), rect.height());
    const QRectF square(rect.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
    setupShapePainter(painter, *this);
    painter.drawEllipse(insideStroke(*this, square));
}

void TRoundRect::DeclareProperties(ClassBuilder<TRoundRect> &b)
{
    publishShape(b);
    b.stored("Corners", PropKind::Set, &cornerSetInfo());
}

void TRoundRect::paint(QPainter &painter, const QRectF &rect)
{
    const QRectF r = insideStroke(*this, rect);
    const double radius = std::min(r.width(), r.height()) / 2;
    setupShapePainter(painter, *this);
    painter.drawRoundedRect(r, radius, radius);
}

void TCalloutRectangle::DeclareProperties(ClassBuilder<TCalloutRectangle> &b)
{
    b.floating("CalloutWidth", &TCalloutRectangle::CalloutWidth, &TCalloutRectangle::SetCalloutWidth);
    b.floating("CalloutLength", &TCalloutRectangle::CalloutLength, &TCalloutRectangle::SetCalloutLength);
    b.floating("CalloutOffset", &TCalloutRectangle::CalloutOffset, &TCalloutRectangle::SetCalloutOffset);
    b.enumeration("CalloutPosition", calloutPositionInfo(), &TCalloutRectangle::CalloutPosition,
                  &TCalloutRectangle::SetCalloutPosition);
}

void TCalloutRectangle::paint(QPainter &painter, const QRectF &rect)
{
    const QPainterPath path = calloutPath(insideStroke(*this, rect), TCalloutPosition(std::clamp(m_position, 0, 3)),
                                          m_width, m_length, m_offset, XRadius(), YRadius());
    setupShapePainter(painter, *this);
    painter.drawPath(path);
}

void TPie::DeclareProperties(ClassBuilder<TPie> &b)
{
    publishShape(b);
    b.floating("StartAngle", &TPie::StartAngle, &TPie::SetStartAngle);
    b.floating("EndAngle", &TPie::EndAngle, &TPie::SetEndAngle);
}

void TPie::paint(QPainter &painter, const QRectF &rect)
{
    const QRectF r = insideStroke(*this, rect);
    // Qt counts sixteenths of a degree anticlockwise; these angles run clockwise.
    const int start = int(std::lround(-m_start * 16));
    const int span = int(std::lround(-(m_end - m_start) * 16));
    setupShapePainter(painter, *this);
    if (closed()) {
        painter.drawPie(r, start, span);
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(r, start, span);
    }
}

TPath::TPath(TComponent *owner) : TShape(owner), m_data(std::make_unique<TPathData>())
{
    m_data->onChange = [this] { peerChanged(); };
}

void TPath::DeclareProperties(ClassBuilder<TPath> &b)
{
    publishShape(b);
    b.persistent("Data", &TPath::Data);
    b.enumeration("WrapMode", pathWrapInfo(), &TPath::WrapMode, &TPath::SetWrapMode);
}

void TPath::paint(QPainter &painter, const QRectF &rect)
{
    QPainterPath path = m_data->path();
    if (path.isEmpty()) {
        const PropValue binary = m_data->storedValue(QStringLiteral("Path"));
        if (const auto *bytes = std::get_if<QByteArray>(&binary))
            path = decodeBinaryPath(*bytes);
    }
    if (path.isEmpty() || rect.isEmpty())
        return;
    const QRectF area = insideStroke(*this, rect);
    const QRectF bounds = path.boundingRect();
    QTransform t;
    if (m_wrapMode == TPathWrapMode::Original || bounds.width() <= 0 || bounds.height() <= 0) {
        t.translate(area.left(), area.top());
    } else {
        double sx = area.width() / bounds.width();
        double sy = area.height() / bounds.height();
        if (m_wrapMode == TPathWrapMode::Fit)
            sx = sy = std::min(sx, sy);
        const QSizeF drawn(bounds.width() * sx, bounds.height() * sy);
        t.translate(area.center().x() - drawn.width() / 2, area.center().y() - drawn.height() / 2);
        t.scale(sx, sy);
        t.translate(-bounds.left(), -bounds.top());
    }
    setupShapePainter(painter, *this);
    painter.save();
    painter.setClipRect(rect);
    painter.drawPath(t.map(path));
    painter.restore();
}

// ---------------------------------------------------------------------------
// Text and list parts

TText::TText(TComponent *owner) : TTextControl(owner)
{
    TextSettings()->SetHorzAlign(TTextAlign::Center);
    TextSettings()->SetWordWrap(true);
}

void TText::DeclareProperties(ClassBuilder<TText> &b)
{
    b.stored("AutoSize", PropKind::Boolean);
    b.stored("Color", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("HorzTextAlign", PropKind::Enumeration, &textAlignInfo());
    b.stored("VertTextAlign", PropKind::Enumeration, &textAlignInfo());
    b.stored("WordWrap", PropKind::Boolean);
    b.stored("Stretch", PropKind::Boolean);
    b.stored("Trimming", PropKind::Enumeration, &textTrimmingInfo());
}

void TText::paint(QPainter &painter, const QRectF &rect)
{
    TTextSettings *ts = TextSettings();
    QFont font = ts->Font()->toQFont(painter.font());
    // Older forms give the size in pixels of a 96-dpi screen, as the framework does.
    font.setPixelSize(std::max(1, int(std::lround(ts->Font()->Size()))));
    painter.setFont(font);
    TAlphaColor color = ts->FontColor();
    if (const PropValue legacy = storedValue(QStringLiteral("Color")); std::holds_alternative<std::int64_t>(legacy))
        color = TAlphaColor(std::get<std::int64_t>(legacy));
    painter.setPen(toQColor(color));
    int flags = int(ts->qtAlignment());
    const PropValue wrap = storedValue(QStringLiteral("WordWrap"));
    if (ts->WordWrap() || (std::holds_alternative<bool>(wrap) && std::get<bool>(wrap)))
        flags |= Qt::TextWordWrap;
    painter.drawText(rect, flags, Text());
}

void TListBoxGroupHeader::DeclareProperties(ClassBuilder<TListBoxGroupHeader> &b)
{
    b.stored("Selectable", PropKind::Boolean);
    b.stored("IsSelected", PropKind::Boolean);
    b.stored("ImageIndex", PropKind::Integer);
}

void TListBoxGroupHeader::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, QColor(0xE4, 0xE4, 0xE8));
    painter.setPen(QColor(0xC0, 0xC0, 0xC6));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    QFont font = TextSettings()->Font()->toQFont(painter.font());
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x30, 0x30, 0x38));
    painter.drawText(rect.adjusted(8, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, Text());
}

void TListBoxHeader::paint(QPainter &painter, const QRectF &rect)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, QColor(0xF6, 0xF6, 0xF8));
    g.setColorAt(1, QColor(0xD8, 0xD8, 0xDE));
    painter.fillRect(rect, g);
    painter.setPen(QColor(0xA8, 0xA8, 0xB0));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
}

// ---------------------------------------------------------------------------
// Colour boxes

void TColorBox::DeclareProperties(ClassBuilder<TColorBox> &b)
{
    b.integer("Color", &TColorBox::Color, &TColorBox::SetColor, &colorIdentToInt);
}

void TColorBox::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, toQColor(Color()));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

namespace {
const EnumInfo &comboDropDownKindInfo()
{
    static const EnumInfo info{"TDropDownKind", {"Native", "Custom"}, "ddk"};
    return info;
}
} // namespace

void TComboColorBox::DeclareProperties(ClassBuilder<TComboColorBox> &b)
{
    input::publishHelp(b);
    b.stored("DropDownKind", PropKind::Enumeration, &comboDropDownKindInfo());
    b.stored("UseAlpha", PropKind::Boolean);
    b.event("OnChange");
}

void TComboColorBox::paint(QPainter &painter, const QRectF &rect)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0xA0, 0xA0, 0xA0));
    painter.setBrush(QColor(0xFA, 0xFA, 0xFA));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const double arrow = std::min(rect.height(), 20.0);
    const QRectF swatch = rect.adjusted(4, 4, -arrow - 4, -4);
    painter.fillRect(swatch, toQColor(Color()));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawRect(swatch);
    const QPointF c(rect.right() - arrow / 2 - 2, rect.center().y());
    QPainterPath tri;
    tri.moveTo(c + QPointF(-4, -2));
    tri.lineTo(c + QPointF(4, -2));
    tri.lineTo(c + QPointF(0, 3));
    tri.closeSubpath();
    painter.fillPath(tri, QColor(0x40, 0x40, 0x40));
}

// ---------------------------------------------------------------------------
// Layouts

void TArrangingLayout::Loaded()
{
    TControl::Loaded();
    arrange();
}

void TArrangingLayout::arrange()
{
    if (m_arranging)
        return;
    m_arranging = true;
    arrangeChildren();
    m_arranging = false;
}

void TArrangingLayout::childLayoutChanged()
{
    if (!m_arranging)
        arrange();
}

std::vector<TControl *> TArrangingLayout::visibleControls() const
{
    std::vector<TControl *> out;
    for (TFmxObject *child : children())
        if (auto *c = object_cast<TControl>(child); c && c->Visible())
            out.push_back(c);
    return out;
}

TGridPanelLayout::TGridPanelLayout(TComponent *owner)
    : TArrangingLayout(owner), m_columns(std::make_unique<TCollection>(TGridSizeItem::StaticClass())),
      m_rows(std::make_unique<TCollection>(TGridSizeItem::StaticClass())),
      m_controls(std::make_unique<TCollection>(TGridControlItem::StaticClass()))
{
}

void TGridPanelLayout::DeclareProperties(ClassBuilder<TGridPanelLayout> &b)
{
    b.collection("ColumnCollection", &TGridPanelLayout::ColumnCollection);
    b.collection("RowCollection", &TGridPanelLayout::RowCollection);
    b.collection("ControlCollection", &TGridPanelLayout::ControlCollection);
    b.stored("ExpandStyle", PropKind::Enumeration, &expandStyleInfo());
}

namespace {

// The offsets of columns (or rows): absolute sizes first, the rest shared
// by percentage; an Auto entry counts as an equal share.
std::vector<double> trackOffsets(const TCollection &tracks, double total)
{
    std::vector<double> sizes;
    double fixed = 0;
    double percent = 0;
    for (int i = 0; i < tracks.Count(); ++i) {
        const auto *t = static_cast<const TGridSizeItem *>(tracks.Items(i));
        if (t->SizeStyle() == 0)
            fixed += t->Value();
        else
            percent += t->SizeStyle() == 1 ? t->Value() : 100.0 / std::max(1, tracks.Count());
    }
    const double rest = std::max(0.0, total - fixed);
    std::vector<double> offsets{0};
    for (int i = 0; i < tracks.Count(); ++i) {
        const auto *t = static_cast<const TGridSizeItem *>(tracks.Items(i));
        double size = 0;
        if (t->SizeStyle() == 0)
            size = t->Value();
        else if (percent > 0)
            size = rest * (t->SizeStyle() == 1 ? t->Value() : 100.0 / std::max(1, tracks.Count())) / percent;
        offsets.push_back(offsets.back() + size);
    }
    if (tracks.Count() == 0)
        offsets.push_back(total);
    return offsets;
}

void placeInCell(TControl *c, const QRectF &cell)
{
    if (c->Align() != TAlignLayout::None) {
        // Aligned in its cell: it fills the cell, less its margins.
        c->SetAlign(TAlignLayout::None);
        const TBounds *m = c->Margins();
        c->SetBounds(cell.left() + m->Left(), cell.top() + m->Top(), cell.width() - m->Left() - m->Right(),
                     cell.height() - m->Top() - m->Bottom());
    } else {
        c->SetBounds(cell.center().x() - c->Width() / 2, cell.center().y() - c->Height() / 2, c->Width(),
                     c->Height());
    }
}

} // namespace

void TGridPanelLayout::arrangeChildren()
{
    const TBounds *pad = Padding();
    const QRectF area(pad->Left(), pad->Top(), Width() - pad->Left() - pad->Right(),
                      Height() - pad->Top() - pad->Bottom());
    const std::vector<double> xs = trackOffsets(*m_columns, area.width());
    const std::vector<double> ys = trackOffsets(*m_rows, area.height());
    const int columns = int(xs.size()) - 1;
    const int rows = int(ys.size()) - 1;
    for (int i = 0; i < m_controls->Count(); ++i) {
        const TCollectionItem *item = m_controls->Items(i);
        const PropValue ref = item->storedValue(QStringLiteral("Control"));
        auto *c = std::holds_alternative<TObject *>(ref) ? object_cast<TControl>(std::get<TObject *>(ref)) : nullptr;
        if (!c || c->Parent() != this)
            continue;
        const int col = int(std::clamp<std::int64_t>(storedInt(*item, "Column", 0), 0, columns - 1));
        const int row = int(std::clamp<std::int64_t>(storedInt(*item, "Row", 0), 0, rows - 1));
        const int colEnd = int(std::clamp<std::int64_t>(col + std::max<std::int64_t>(1, storedInt(*item, "ColumnSpan", 1)), 1, columns));
        const int rowEnd = int(std::clamp<std::int64_t>(row + std::max<std::int64_t>(1, storedInt(*item, "RowSpan", 1)), 1, rows));
        placeInCell(c, QRectF(area.left() + xs[col], area.top() + ys[row], xs[colEnd] - xs[col], ys[rowEnd] - ys[row]));
    }
}

void TFlowLayout::DeclareProperties(ClassBuilder<TFlowLayout> &b)
{
    b.floating("HorizontalGap", &TFlowLayout::HorizontalGap, &TFlowLayout::SetHorizontalGap);
    b.floating("VerticalGap", &TFlowLayout::VerticalGap, &TFlowLayout::SetVerticalGap);
    b.enumeration("Justify", flowJustifyInfo(), &TFlowLayout::Justify, &TFlowLayout::SetJustify);
    b.stored("JustifyLastLine", PropKind::Enumeration, &flowJustifyInfo());
    b.enumeration("FlowDirection", flowDirectionInfo(), &TFlowLayout::FlowDirection, &TFlowLayout::SetFlowDirection);
}

void TFlowLayout::arrangeChildren()
{
    const TBounds *pad = Padding();
    const double left = pad->Left();
    const double right = Width() - pad->Right();
    double y = pad->Top();
    std::vector<TControl *> line;
    double lineWidth = 0;
    double lineHeight = 0;
    auto flush = [&](bool last) {
        double x = left;
        double gap = m_hGap;
        const double free = right - left - lineWidth;
        const int justify = last ? int(storedInt(*this, "JustifyLastLine", m_justify)) : m_justify;
        if (justify == 1)
            x += free;
        else if (justify == 2)
            x += free / 2;
        else if (justify == 3 && line.size() > 1)
            gap += free / double(line.size() - 1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            TControl *c = m_direction == 1 ? line[line.size() - 1 - i] : line[i];
            c->SetAlign(TAlignLayout::None);
            const TBounds *m = c->Margins();
            c->SetBounds(x + m->Left(), y + m->Top(), c->Width(), c->Height());
            x += c->Width() + m->Left() + m->Right() + gap;
        }
        y += lineHeight + m_vGap;
        line.clear();
        lineWidth = 0;
        lineHeight = 0;
    };
    for (TControl *c : visibleControls()) {
        // The line before a break is justified as a last line.
        if (object_cast<TFlowLayoutBreak>(c)) {
            if (!line.empty())
                flush(true);
            continue;
        }
        const TBounds *m = c->Margins();
        const double w = c->Width() + m->Left() + m->Right();
        const double needed = line.empty() ? w : lineWidth + m_hGap + w;
        if (!line.empty() && left + needed > right)
            flush(false);
        lineWidth = line.empty() ? w : lineWidth + m_hGap + w;
        lineHeight = std::max(lineHeight, c->Height() + m->Top() + m->Bottom());
        line.push_back(c);
    }
    if (!line.empty())
        flush(true);
}

// What a break may change for the lines after it; kept as read.
void TFlowLayoutBreak::DeclareProperties(ClassBuilder<TFlowLayoutBreak> &b)
{
    b.stored("ChangesRules", PropKind::Boolean);
    b.stored("Justify", PropKind::Enumeration, &flowJustifyInfo());
    b.stored("JustifyLastLine", PropKind::Enumeration, &flowJustifyInfo());
    b.stored("FlowDirection", PropKind::Enumeration, &flowDirectionInfo());
    b.stored("HorizontalGap", PropKind::Float);
    b.stored("VerticalGap", PropKind::Float);
}

void TScaledLayout::DeclareProperties(ClassBuilder<TScaledLayout> &b)
{
    b.stored("OriginalWidth", PropKind::Float);
    b.stored("OriginalHeight", PropKind::Float);
}

void TMultiView::DeclareProperties(ClassBuilder<TMultiView> &b)
{
    b.stored("Mode", PropKind::Enumeration, &multiViewModeInfo());
    b.stored("MasterButton", PropKind::Component);
    b.stored("TargetControl", PropKind::Component);
    b.stored("DrawerOptions.Mode", PropKind::Enumeration, &drawerModeInfo());
    b.stored("DrawerOptions.TouchAreaSize", PropKind::Float);
    b.stored("DrawerOptions.DurationSliding", PropKind::Float);
    b.stored("DrawerOptions.Placement", PropKind::Enumeration, &panelPlacementInfo());
    b.stored("NavigationPaneOptions.CollapsedWidth", PropKind::Float);
    b.stored("PopoverOptions.PopupHeight", PropKind::Float);
    b.stored("PopoverOptions.StyleLookup", PropKind::String);
    b.stored("PopoverOptions.AppearanceDuration", PropKind::Float);
    b.stored("PopoverOptions.TintColor", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("BorderOptions.Visible", PropKind::Boolean);
    b.stored("BorderOptions.Color", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("ShadowOptions.Color", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("ShadowOptions.Enabled", PropKind::Boolean);
    b.stored("ShadowOptions.Opacity", PropKind::Float);
    b.event("OnHidden");
    b.event("OnShown");
    b.event("OnPresenterChanging");
    b.event("OnStartShowing");
    b.event("OnStartHiding");
}

void TMultiView::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, QColor(0xF2, 0xF2, 0xF5));
    painter.setPen(QColor(0xB8, 0xB8, 0xC0));
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

// ---------------------------------------------------------------------------
// Web browser

void TWebBrowser::DeclareProperties(ClassBuilder<TWebBrowser> &b)
{
    b.string("URL", &TWebBrowser::URL, &TWebBrowser::SetURL);
    b.stored("EnableCaching", PropKind::Boolean);
    b.stored("WindowsEngine", PropKind::Enumeration, [] {
        static const EnumInfo info{"TWindowsEngine", {"IEOnly", "EdgeOnly", "EdgeIfAvailable"}, nullptr};
        return &info;
    }());
    b.event("OnDidStartLoad");
    b.event("OnDidFinishLoad");
    b.event("OnDidFailLoadWithError");
    b.event("OnShouldStartLoadWithRequest");
}

void TWebBrowser::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, Qt::white);
    const double bar = std::min(24.0, rect.height());
    const QRectF top(rect.left(), rect.top(), rect.width(), bar);
    painter.fillRect(top, QColor(0xEE, 0xEE, 0xF2));
    painter.setPen(QColor(0xB0, 0xB0, 0xB8));
    painter.drawLine(top.bottomLeft(), top.bottomRight());
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const QRectF field = top.adjusted(6, 4, -6, -4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(field, 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(0x40, 0x40, 0x50));
    const QString shown = m_url.isEmpty() ? QStringLiteral("about:blank") : m_url;
    painter.drawText(field.adjusted(6, 0, -6, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font).elidedText(shown, Qt::ElideRight, int(field.width() - 12)));
}

// ---------------------------------------------------------------------------
// Non-visual components

void TFloatAnimation::DeclareProperties(ClassBuilder<TFloatAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    b.stored("StartValue", PropKind::Float);
    b.stored("StopValue", PropKind::Float);
}

void TColorAnimation::DeclareProperties(ClassBuilder<TColorAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    b.stored("StartValue", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("StopValue", PropKind::Integer, nullptr, &colorIdentToInt);
}

TBindingsList::TBindingsList(TComponent *owner)
    : TFmxObject(owner), m_methods(std::make_unique<TCollection>(TKeptItem::StaticClass())),
      m_converters(std::make_unique<TCollection>(TKeptItem::StaticClass()))
{
}

void TBindingsList::DeclareProperties(ClassBuilder<TBindingsList> &b)
{
    b.collection("Methods", &TBindingsList::Methods);
    b.collection("OutputConverters", &TBindingsList::OutputConverters);
    b.stored("UseAppManager", PropKind::Boolean);
    b.stored("Left", PropKind::Integer);
    b.stored("Top", PropKind::Integer);
    b.stored("PromptDeleteUnused", PropKind::Boolean);
}

QStringList nonVisualCaption(TComponent *component)
{
    if (QStringList scene = sceneCaption(component); !scene.isEmpty())
        return scene;
    if (QStringList more = moreCaption(component); !more.isEmpty())
        return more;
    QStringList lines{component->ClassName(), component->Name()};
    auto text = [&](const char *name) {
        const PropValue v = component->storedValue(QString::fromUtf8(name));
        return std::holds_alternative<QString>(v) ? std::get<QString>(v) : QString();
    };
    if (object_cast<TFloatAnimation>(component)) {
        lines << QStringLiteral("%1: %2 \u2192 %3")
                     .arg(text("PropertyName"))
                     .arg(storedFloat(*component, "StartValue", 0))
                     .arg(storedFloat(*component, "StopValue", 0));
    } else if (object_cast<TColorAnimation>(component)) {
        lines << QStringLiteral("%1: Farbe").arg(text("PropertyName"));
    } else if (object_cast<TBindingsList>(component)) {
        lines << QStringLiteral("%1 Bindungen").arg(static_cast<TFmxObject *>(component)->ChildrenCount());
    }
    return lines;
}

} // namespace vantor::fmxcommon
