#include "framework/controls/chartparts.h"

#include "framework/brush.h"
#include "framework/text.h"

#include <algorithm>

namespace vantor {

// ---------------------------------------------------------------------------
// Field makers

namespace chartfield {

ChartField integer(const char *name, std::int64_t def)
{
    return {name, ChartFieldKind::Integer, PropValue(def), nullptr, nullptr, nullptr};
}
ChartField color(const char *name, TAlphaColor def)
{
    return {name, ChartFieldKind::Color, PropValue(std::int64_t(def)), nullptr, nullptr, nullptr};
}
ChartField floating(const char *name, double def)
{
    return {name, ChartFieldKind::Float, PropValue(def), nullptr, nullptr, nullptr};
}
ChartField string(const char *name, const char *def)
{
    return {name, ChartFieldKind::String, PropValue(QString::fromUtf8(def)), nullptr, nullptr, nullptr};
}
ChartField boolean(const char *name, bool def)
{
    return {name, ChartFieldKind::Boolean, PropValue(def), nullptr, nullptr, nullptr};
}
ChartField enumeration(const char *name, const EnumInfo &(*info)(), int def)
{
    return {name, ChartFieldKind::Enumeration, PropValue(std::int64_t(def)), info, nullptr, nullptr};
}
ChartField set(const char *name, const EnumInfo &(*info)())
{
    return {name, ChartFieldKind::Set, PropValue(std::int64_t(0)), info, nullptr, nullptr};
}
ChartField part(const char *name, const ChartSchema &(*schema)())
{
    return {name, ChartFieldKind::Part, PropValue(), nullptr, schema, nullptr};
}
ChartField strings(const char *name)
{
    return {name, ChartFieldKind::Strings, PropValue(), nullptr, nullptr, nullptr};
}
ChartField collection(const char *name, const ClassInfo &(*itemClass)())
{
    return {name, ChartFieldKind::Collection, PropValue(), nullptr, nullptr, itemClass};
}
ChartField binary(const char *name)
{
    return {name, ChartFieldKind::Binary, PropValue(), nullptr, nullptr, nullptr};
}
ChartField event(const char *name)
{
    return {name, ChartFieldKind::Event, PropValue(), nullptr, nullptr, nullptr};
}
ChartField component(const char *name)
{
    return {name, ChartFieldKind::Component, PropValue(), nullptr, nullptr, nullptr};
}

} // namespace chartfield

// ---------------------------------------------------------------------------
// Schemas and parts

const ChartField *ChartSchema::find(const QString &name) const
{
    for (const ChartSchema *s = this; s; s = s->base)
        for (const ChartField &f : s->fields)
            if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
                return &f;
    return nullptr;
}

std::vector<const ChartField *> ChartSchema::allFields(bool withBase) const
{
    std::vector<const ChartField *> result;
    if (withBase && base)
        result = base->allFields(true);
    for (const ChartField &f : fields) {
        auto same = std::find_if(result.begin(), result.end(), [&](const ChartField *g) {
            return QLatin1String(g->name).compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0;
        });
        if (same != result.end())
            *same = &f;
        else
            result.push_back(&f);
    }
    return result;
}

const ClassInfo &ChartSchema::classInfo() const
{
    if (!m_classInfo) {
        auto *info = new ClassInfo(className, &TChartPart::StaticClass()); // lives as long as the process
        ClassBuilder<TChartPart> builder(*info);
        declareChartFields(builder, *this);
        m_classInfo = info;
    }
    return *m_classInfo;
}

VANTOR_IMPLEMENT_CLASS(TChartPart)

ChartPartData::ChartPartData(TObject &host, const ChartSchema &schema) : m_host(host), m_schema(&schema) {}

ChartPartData::~ChartPartData() = default;

void ChartPartData::changed() const
{
    if (onChange)
        onChange();
}

const TObject *ChartPartData::child(const char *name) const
{
    for (const auto &[key, object] : m_children)
        if (key.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return object.get();
    return nullptr;
}

TObject *ChartPartData::makeChild(const char *name, ChartFieldKind kind)
{
    if (const TObject *existing = child(name))
        return const_cast<TObject *>(existing);
    const ChartField *field = m_schema->find(QLatin1String(name));
    if (!field || field->kind != kind)
        return nullptr;
    std::unique_ptr<TPersistent> object;
    switch (kind) {
    case ChartFieldKind::Part: {
        auto part = std::make_unique<TChartPart>(field->schema());
        part->partData().onChange = [this] { changed(); };
        object = std::move(part);
        break;
    }
    case ChartFieldKind::Strings: {
        auto strings = std::make_unique<TStrings>();
        strings->onChange = [this] { changed(); };
        object = std::move(strings);
        break;
    }
    case ChartFieldKind::Collection: {
        auto collection = std::make_unique<TCollection>(field->itemClass());
        collection->onChange = [this] { changed(); };
        object = std::move(collection);
        break;
    }
    default: return nullptr;
    }
    TObject *result = object.get();
    m_children.emplace_back(QString::fromLatin1(field->name), std::move(object));
    return result;
}

TChartPart *ChartPartData::part(const char *name)
{
    return static_cast<TChartPart *>(makeChild(name, ChartFieldKind::Part));
}

TStrings *ChartPartData::strings(const char *name)
{
    return static_cast<TStrings *>(makeChild(name, ChartFieldKind::Strings));
}

TCollection *ChartPartData::collection(const char *name)
{
    return static_cast<TCollection *>(makeChild(name, ChartFieldKind::Collection));
}

PropValue ChartPartData::value(const QString &path) const
{
    const int dot = path.indexOf(QLatin1Char('.'));
    const QString head = dot < 0 ? path : path.left(dot);
    const ChartField *field = m_schema->find(head);
    if (!field)
        return {};
    if (dot >= 0) {
        if (field->kind != ChartFieldKind::Part)
            return {};
        const QString rest = path.mid(dot + 1);
        if (const auto *existing = static_cast<const TChartPart *>(child(field->name)))
            return existing->partData().value(rest);
        // Not made yet: nothing below it was set, the defaults answer.
        TObject scratch;
        return ChartPartData(scratch, field->schema()).value(rest);
    }
    switch (field->kind) {
    case ChartFieldKind::Part:
    case ChartFieldKind::Strings:
    case ChartFieldKind::Collection: return const_cast<TObject *>(child(field->name));
    default: break;
    }
    PropValue v = m_host.storedValue(QString::fromLatin1(field->name));
    if (std::holds_alternative<std::monostate>(v))
        return field->defaultValue;
    return v;
}

bool ChartPartData::flag(const QString &path) const
{
    const PropValue v = value(path);
    return std::holds_alternative<bool>(v) && std::get<bool>(v);
}

std::int64_t ChartPartData::integer(const QString &path) const
{
    const PropValue v = value(path);
    return std::holds_alternative<std::int64_t>(v) ? std::get<std::int64_t>(v) : 0;
}

double ChartPartData::number(const QString &path) const
{
    const PropValue v = value(path);
    if (std::holds_alternative<double>(v))
        return std::get<double>(v);
    return std::holds_alternative<std::int64_t>(v) ? double(std::get<std::int64_t>(v)) : 0.0;
}

QString ChartPartData::text(const QString &path) const
{
    const PropValue v = value(path);
    return std::holds_alternative<QString>(v) ? std::get<QString>(v) : QString();
}

QStringList ChartPartData::lines(const QString &path) const
{
    const PropValue v = value(path);
    if (!std::holds_alternative<TObject *>(v))
        return {};
    const auto *strings = object_cast<TStrings>(std::get<TObject *>(v));
    return strings ? strings->lines() : QStringList();
}

const TCollection *ChartPartData::findCollection(const QString &path) const
{
    const PropValue v = value(path);
    return std::holds_alternative<TObject *>(v) ? object_cast<TCollection>(std::get<TObject *>(v)) : nullptr;
}

std::optional<TAlphaColor> chartColor(std::int64_t value)
{
    const TAlphaColor c = IntToAlphaColor(value);
    if (c == claColors::Null)
        return std::nullopt;
    if ((c >> 24) == 0)
        return c | 0xFF000000u;
    return c;
}

// ---------------------------------------------------------------------------
// Enumerations of the chart component set

namespace {

#define CHART_ENUM(fn, type, ...)                                                \
    const EnumInfo &fn()                                                         \
    {                                                                            \
        static const EnumInfo info{type, {__VA_ARGS__}, nullptr};                \
        return info;                                                             \
    }

CHART_ENUM(gradientDirectionInfo, "TGradientDirection", "gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft",
           "gdFromCenter", "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp", "gdDiagonalDown")
CHART_ENUM(alignmentInfo, "TAlignment", "taLeftJustify", "taRightJustify", "taCenter")
CHART_ENUM(penStyleInfo, "TPenStyle", "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
           "psInsideFrame", "psUserStyle", "psAlternate")
CHART_ENUM(penModeInfo, "TPenMode", "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
           "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",
           "pmNotXor")
CHART_ENUM(shapeStyleInfo, "TChartObjectShapeStyle", "fosRectangle", "fosRoundRectangle", "fosEllipse")
CHART_ENUM(marginUnitsInfo, "TMarginUnits", "maPercentFont", "maPercentSize", "maPixels")
CHART_ENUM(legendAlignmentInfo, "TLegendAlignment", "laLeft", "laRight", "laTop", "laBottom")
CHART_ENUM(legendStyleInfo, "TLegendStyle", "lsAuto", "lsSeries", "lsValues", "lsLastValues", "lsSeriesGroups")
CHART_ENUM(legendTextStyleInfo, "TLegendTextStyle", "ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent",
           "ltsRightPercent", "ltsXValue", "ltsValue", "ltsPercent", "ltsXAndValue", "ltsXAndPercent")
CHART_ENUM(axisLabelStyleInfo, "TAxisLabelStyle", "talAuto", "talNone", "talValue", "talMark", "talText",
           "talPointValue")
CHART_ENUM(arrowHeadInfo, "TArrowHeadStyle", "ahNone", "ahLine", "ahSolid")
CHART_ENUM(panningModeInfo, "TPanningMode", "pmNone", "pmHorizontal", "pmVertical", "pmBoth")
CHART_ENUM(backImageModeInfo, "TBackImageMode", "pbmStretch", "pbmTile", "pbmCenter", "pbmCustom")
CHART_ENUM(panelBevelInfo, "TPanelBevel", "bvNone", "bvLowered", "bvRaised", "bvSpace")
CHART_ENUM(mouseWheelStyleInfo, "TMouseWheelStyle", "pmwNone", "pmwNormal", "pmwInverted")
CHART_ENUM(mouseButtonInfo, "TMouseButton", "mbLeft", "mbRight", "mbMiddle")
CHART_ENUM(listOrderInfo, "TChartListOrder", "loNone", "loAscending", "loDescending")
CHART_ENUM(marksStyleInfo, "TSeriesMarksStyle", "smsValue", "smsPercent", "smsLabel", "smsLabelPercent",
           "smsLabelValue", "smsLegend", "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY",
           "smsSeriesTitle", "smsPointIndex", "smsPercentRelative", "smsLabelPercentValue", "smsLabelOrValue")
CHART_ENUM(horizAxisInfo, "THorizAxis", "aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis")
CHART_ENUM(vertAxisInfo, "TVertAxis", "aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis")
CHART_ENUM(hoverElementInfo, "THoverElement", "heCurrent", "heSeries")
CHART_ENUM(multiBarInfo, "TMultiBar", "mbNone", "mbSide", "mbStacked", "mbStacked100", "mbSideAll", "mbSelfStack")
CHART_ENUM(barStyleInfo, "TBarStyle", "bsRectangle", "bsPyramid", "bsInvPyramid", "bsCilinder", "bsEllipse",
           "bsArrow", "bsRectGradient", "bsCone", "bsBevel", "bsSlantCube", "bsDiamond", "bsInvArrow", "bsInvCone",
           "bsRoundRectangle")
CHART_ENUM(barRoundInfo, "TBarRound", "brNone", "brAtValue", "brBoth")
CHART_ENUM(edgeStyleInfo, "TEdgeStyle", "edNone", "edFlat", "edCurved")
CHART_ENUM(otherSliceStyleInfo, "TPieOtherStyle", "poNone", "poBelowPercent", "poBelowValue")

#undef CHART_ENUM

const EnumInfo &fontStyles()
{
    return fontStyleInfo();
}
const EnumInfo &brushKinds()
{
    return brushKindInfo();
}

// ---------------------------------------------------------------------------
// Tables. Defaults are those a form leaves out; only those that change what
// is shown matter, the rest read back as zero.

using namespace chartfield;

const ChartSchema &gradientSchema();
const ChartSchema &penSchema();

const ClassInfo &gradientColorClass()
{
    return TChartGradientColor::StaticClass();
}

const ClassInfo &customAxisClass()
{
    return TChartCustomAxis::StaticClass();
}

const ChartSchema &gradientColorSchema()
{
    static const ChartSchema s{"TChartGradientColor",
                               {color("Color"), floating("Offset"), integer("Transparency")}};
    return s;
}

const ChartSchema &gradientSchema()
{
    static const ChartSchema s{"TChartGradient",
                               {integer("Angle"), integer("Balance", 50), collection("Colors", &gradientColorClass),
                                enumeration("Direction", &gradientDirectionInfo), color("EndColor", 0xFFFFFFFFu),
                                color("MidColor"), integer("RadialX"), integer("RadialY"),
                                color("StartColor", 0xFFFFFFFFu), boolean("Visible")}};
    return s;
}

const ChartSchema &brushSchema()
{
    static const ChartSchema s{"TChartBrush",
                               {color("BackColor"), color("Color"), part("Gradient", &gradientSchema),
                                enumeration("Kind", &brushKinds, 1)}};
    return s;
}

const ChartSchema &penSchema()
{
    static const ChartSchema s{"TChartPen",
                               {color("Color", claColors::Black), part("Fill", &brushSchema),
                                enumeration("Mode", &penModeInfo, 4), boolean("SmallDots"), integer("SmallSpace"),
                                enumeration("Style", &penStyleInfo), integer("Transparency"),
                                boolean("Visible", true), floating("Width", 1)}};
    return s;
}

const ChartSchema &gridPenSchema()
{
    static const ChartSchema s{"TChartGridPen", {boolean("Centered"), floating("ZPosition")}, &penSchema()};
    return s;
}

const ChartSchema &shadowSchema()
{
    static const ChartSchema s{"TChartShadow",
                               {color("Color"), integer("HorizSize"), integer("Size"), integer("SmoothBlur"),
                                integer("Transparency"), integer("VertSize"), boolean("Visible", true)}};
    return s;
}

const ChartSchema &fontSchema()
{
    static const ChartSchema s{"TChartFont",
                               {part("Brush", &brushSchema), color("Color", claColors::Black),
                                string("Family"), part("Gradient", &gradientSchema), integer("InterCharSize"),
                                part("Shadow", &shadowSchema), floating("Size"), set("Style", &fontStyles),
                                binary("StyleExt")}};
    return s;
}

const ChartSchema &marginsSchema()
{
    static const ChartSchema s{"TChartMargins",
                               {integer("Bottom"), integer("Left"), integer("Right"), integer("Top"),
                                enumeration("Units", &marginUnitsInfo)}};
    return s;
}

// What every framed text block has: titles, legends, marks, axis labels.
const ChartSchema &shapeSchema()
{
    static const ChartSchema s{"TChartShape",
                               {part("Brush", &brushSchema), color("Color"), boolean("CustomPosition"),
                                part("Font", &fontSchema), part("Frame", &penSchema),
                                part("Gradient", &gradientSchema), integer("Left"),
                                part("Margins", &marginsSchema), integer("RoundSize"),
                                part("Shadow", &shadowSchema), enumeration("ShapeStyle", &shapeStyleInfo),
                                enumeration("TextAlignment", &alignmentInfo, 2), integer("Top"),
                                integer("Transparency"), boolean("Transparent"), boolean("Visible", true)}};
    return s;
}

const ChartSchema &titleSchema()
{
    static const ChartSchema s{"TChartTitle",
                               {boolean("AdjustFrame", true), enumeration("Alignment", &alignmentInfo, 2),
                                boolean("AutoSize", true), integer("HorizMargin"), strings("Text"),
                                integer("VertMargin")},
                               &shapeSchema()};
    return s;
}

const ChartSchema &axisTitleSchema()
{
    static const ChartSchema s{"TChartAxisTitle",
                               {integer("Angle"), string("Caption"), part("Pen", &penSchema)},
                               &shapeSchema()};
    return s;
}

const ChartSchema &axisSchema()
{
    static const ChartSchema s{
        "TChartAxis",
        {boolean("Automatic", true), boolean("AutomaticMaximum", true), boolean("AutomaticMinimum", true),
         part("Axis", &penSchema), string("AxisValuesFormat", "#,##0.###"), string("DateTimeFormat"), floating("EndPosition", 100),
         boolean("ExactDateTime", true), part("Grid", &gridPenSchema), floating("Increment"),
         boolean("Inverted"), enumeration("LabelStyle", &axisLabelStyleInfo), boolean("Labels", true),
         boolean("LabelsAlternate"), integer("LabelsAngle"), part("LabelsFont", &fontSchema),
         part("LabelsFormat", &shapeSchema), boolean("LabelsOnAxis", true), integer("LabelsSeparation", 10),
         integer("LabelsSize"), boolean("Logarithmic"), floating("LogarithmicBase", 10), floating("Maximum"),
         integer("MaximumOffset"), floating("Minimum"), integer("MinimumOffset"), part("MinorGrid", &penSchema),
         integer("MinorTickCount", 3), integer("MinorTickLength", 2), part("MinorTicks", &penSchema),
         floating("PositionPercent"), part("Shape", &shapeSchema), floating("StartPosition"),
         integer("TickLength", 4), boolean("TickOnLabelsOnly", true), part("Ticks", &penSchema),
         integer("TickInnerLength"), part("TicksInner", &penSchema), part("Title", &axisTitleSchema),
         integer("TitleSize"), boolean("Visible", true), floating("ZPosition")}};
    return s;
}

const ChartSchema &customAxisSchema()
{
    static const ChartSchema s{"TChartCustomAxis", {boolean("Horizontal"), boolean("OtherSide")}, &axisSchema()};
    return s;
}

const ChartSchema &wallSchema()
{
    static const ChartSchema s{"TChartWall",
                               {boolean("AutoHide"), part("Brush", &brushSchema), color("Color"),
                                boolean("Dark3D", true), part("Gradient", &gradientSchema),
                                part("Pen", &penSchema), integer("Size"), integer("Transparency"),
                                boolean("Transparent"), boolean("Visible", true)}};
    return s;
}

// The back wall lets the panel show through unless the form fills it.
const ChartSchema &backWallSchema()
{
    static const ChartSchema s{"TChartBackWall", {boolean("Transparent", true)}, &wallSchema()};
    return s;
}

const ChartSchema &legendSymbolSchema()
{
    static const ChartSchema s{"TLegendSymbol",
                               {part("Gradient", &gradientSchema), part("Pen", &penSchema),
                                part("Shadow", &shadowSchema), boolean("Squared"), boolean("Visible", true),
                                integer("Width", 20)}};
    return s;
}

const ChartSchema &legendSchema()
{
    static const ChartSchema s{
        "TChartLegend",
        {enumeration("Alignment", &legendAlignmentInfo, 1), boolean("CheckBoxes"), integer("ColorWidth", 30),
         part("DividingLines", &penSchema), boolean("FontSeriesColor"), integer("HorizMargin"),
         boolean("Inverted"), enumeration("LegendStyle", &legendStyleInfo), integer("MaxNumRows"),
         boolean("ResizeChart", true), part("Symbol", &legendSymbolSchema),
         enumeration("TextStyle", &legendTextStyleInfo, 1), part("Title", &titleSchema), integer("TopPos", 10),
         integer("VertMargin"), integer("VertSpacing")},
        &shapeSchema()};
    return s;
}

const ChartSchema &view3DOptionsSchema()
{
    static const ChartSchema s{"TView3DOptions",
                               {integer("Elevation", 345), integer("HorizOffset"), integer("OrthoAngle", 45),
                                boolean("Orthogonal", true), integer("Perspective", 15),
                                integer("Rotation", 345), integer("VertOffset"), integer("Zoom", 100),
                                boolean("ZoomText", true)}};
    return s;
}

const ChartSchema &zoomSchema()
{
    static const ChartSchema s{"TChartZoom",
                               {boolean("Allow", true), boolean("Animated"), integer("AnimatedSteps", 8),
                                part("Brush", &brushSchema), boolean("KeepAspectRatio"),
                                integer("MinimumPixels", 16), enumeration("MouseButton", &mouseButtonInfo),
                                enumeration("MouseWheel", &mouseWheelStyleInfo), part("Pen", &penSchema)}};
    return s;
}

const ChartSchema &panningSchema()
{
    static const ChartSchema s{"TChartPanning", {enumeration("MouseWheel", &mouseWheelStyleInfo)}};
    return s;
}

const ChartSchema &hoverSchema()
{
    static const ChartSchema s{"TChartHover", {boolean("Visible", true)}};
    return s;
}

const ChartSchema &pagesSchema()
{
    static const ChartSchema s{"TChartPages",
                               {boolean("AutoScale"), integer("Current", 1), integer("MaxPointsPerPage"),
                                boolean("ScaleLastPage", true)}};
    return s;
}

const ChartSchema &backImageSchema()
{
    static const ChartSchema s{"TBackImage",
                               {boolean("Inside"), integer("Left"), enumeration("Mode", &backImageModeInfo),
                                integer("Top"), boolean("Transparent")}};
    return s;
}

const ChartSchema &valueListSchema()
{
    static const ChartSchema s{"TChartValueList",
                               {boolean("DateTime"), floating("Multiplier", 1), string("Name"),
                                enumeration("Order", &listOrderInfo), string("ValueSource")}};
    return s;
}

const ChartSchema &calloutSchema()
{
    static const ChartSchema s{"TMarksCallout",
                               {part("Arrow", &penSchema), enumeration("ArrowHead", &arrowHeadInfo),
                                integer("ArrowHeadSize", 8), part("Brush", &brushSchema), integer("Distance"),
                                boolean("FullGradient"), part("Gradient", &gradientSchema), integer("Length", 8),
                                part("Pen", &penSchema), integer("Size"), boolean("Visible")}};
    return s;
}

const ChartSchema &marksTailSchema()
{
    static const ChartSchema s{"TMarksTail",
                               {integer("Margin"), part("Pen", &penSchema), boolean("Visible", true)}};
    return s;
}

const ChartSchema &marksSchema()
{
    static const ChartSchema s{"TSeriesMarks",
                               {integer("Angle"), part("Arrow", &penSchema), integer("ArrowLength", 8),
                                boolean("AutoPosition", true), color("BackColor"), part("Callout", &calloutSchema),
                                boolean("Clip"), integer("DrawEvery", 1), boolean("MultiLine"), boolean("OnTop"),
                                enumeration("Style", &marksStyleInfo, 2), part("Symbol", &shapeSchema),
                                part("Tail", &marksTailSchema), enumeration("TextAlign", &alignmentInfo, 2)},
                               &shapeSchema()};
    return s;
}

const ChartSchema &seriesLegendSchema()
{
    static const ChartSchema s{"TSeriesLegend", {string("Text"), boolean("Visible", true)}};
    return s;
}

const ChartSchema &bevelSchema()
{
    static const ChartSchema s{"TPieBevel", {integer("Bright"), integer("Percent"), boolean("UseBorder", true)}};
    return s;
}

const ChartSchema &pieFrameSchema()
{
    static const ChartSchema s{"TPieFrame",
                               {color("FrameColor"), part("InnerBrush", &brushSchema),
                                part("MiddleBrush", &brushSchema), part("OuterBrush", &brushSchema),
                                boolean("Visible", true), integer("Width")}};
    return s;
}

const ChartSchema &otherSliceSchema()
{
    static const ChartSchema s{"TPieOtherSlice",
                               {color("Color"), part("Legend", &legendSchema),
                                enumeration("Style", &otherSliceStyleInfo), string("Text"), floating("Value")}};
    return s;
}

const ChartSchema &pieMarksSchema()
{
    static const ChartSchema s{"TPieMarks",
                               {boolean("DrawEvery"), boolean("EmptySlice"), boolean("InsideSlice"),
                                integer("LegSize"), boolean("Rotated"), boolean("VertCenter")}};
    return s;
}

} // namespace

// A series' marks are hidden unless the form shows them.
namespace {
const ChartSchema &seriesMarksSchema()
{
    static const ChartSchema s{"TSeriesMarksShown", {boolean("Visible", false)}, &marksSchema()};
    return s;
}
} // namespace

const ChartSchema &chartSchema()
{
    static const ChartSchema s{
        "TChart",
        {enumeration("AllowPanning", &panningModeInfo, 3), boolean("AxisVisible", true),
         part("BackImage", &backImageSchema), enumeration("BackImageMode", &backImageModeInfo),
         part("BackWall", &backWallSchema), enumeration("BevelOuter", &panelBevelInfo, 2), integer("BevelWidth", 1),
         part("Border", &penSchema), integer("BorderRound"), part("BottomAxis", &axisSchema),
         part("BottomWall", &wallSchema), integer("Chart3DPercent", 15), boolean("ClipPoints", true),
         color("Color"), strings("ColorPalette"), integer("ColorPaletteIndex"),
         collection("CustomAxes", &customAxisClass), part("DepthAxis", &axisSchema),
         part("DepthTopAxis", &axisSchema), part("Foot", &titleSchema), part("Frame", &penSchema),
         part("Gradient", &gradientSchema), part("Hover", &hoverSchema), part("LeftAxis", &axisSchema),
         part("LeftWall", &wallSchema), part("Legend", &legendSchema), integer("MarginBottom", 4),
         integer("MarginLeft", 3), integer("MarginRight", 3), integer("MarginTop", 4), event("OnAfterDraw"),
         event("OnBeforeDrawAxes"), event("OnBeforeDrawChart"), event("OnBeforeDrawSeries"),
         event("OnClickAxis"), event("OnClickBackground"), event("OnClickLegend"), event("OnClickSeries"),
         event("OnClickTitle"), event("OnGetAxisLabel"), event("OnGetLegendText"), event("OnScroll"),
         event("OnUndoZoom"), event("OnZoom"), part("Pages", &pagesSchema), part("Panning", &panningSchema),
         strings("PrintMargins"), part("RightAxis", &axisSchema), part("RightWall", &wallSchema),
         enumeration("ScrollMouseButton", &mouseButtonInfo, 1), part("SubFoot", &titleSchema),
         part("SubTitle", &titleSchema), part("Title", &titleSchema), part("TopAxis", &axisSchema),
         boolean("View3D", true), part("View3DOptions", &view3DOptionsSchema), boolean("View3DWalls", true),
         part("Zoom", &zoomSchema), enumeration("ZoomWheel", &mouseWheelStyleInfo)}};
    return s;
}

const ChartSchema &chartSeriesSchema()
{
    static const ChartSchema s{
        "TChartSeries",
        {boolean("Active", true), boolean("ColorEachPoint"), component("DataSource"), integer("Depth", -1),
         enumeration("HorizAxis", &horizAxisInfo, 1), set("HoverElement", &hoverElementInfo), integer("Left"),
         part("Legend", &seriesLegendSchema), part("Marks", &seriesMarksSchema), event("OnAfterAdd"),
         event("OnAfterDrawValues"), event("OnBeforeAdd"), event("OnBeforeDrawValues"), event("OnClearValues"),
         event("OnClick"), event("OnDblClick"), event("OnGetMarkText"), event("OnMouseEnter"),
         event("OnMouseLeave"), string("PercentFormat", "##0.## %"), part("Shadow", &shadowSchema),
         boolean("ShowInLegend", true), integer("Top"), string("ValueFormat", "#,##0.###"),
         enumeration("VertAxis", &vertAxisInfo), string("XLabelsSource"), part("XValues", &valueListSchema),
         part("YValues", &valueListSchema), integer("ZOrder")}};
    return s;
}

const ChartSchema &barSeriesSchema()
{
    static const ChartSchema s{
        "TBarSeries",
        {boolean("AutoBarSize"), boolean("AutoMarkPosition", true), part("BarBrush", &brushSchema),
         part("BarPen", &penSchema), enumeration("BarRound", &barRoundInfo), enumeration("BarStyle", &barStyleInfo),
         integer("BarWidthPercent", 70), integer("CustomBarWidth"), boolean("Dark3D", true),
         part("Gradient", &gradientSchema), enumeration("MultiBar", &multiBarInfo, 1), integer("OffsetPercent"),
         event("OnGetBarStyle"), boolean("SideMargins", true), integer("Sides"), integer("StackGroup"),
         boolean("UseYOrigin", true), floating("YOrigin")},
        &chartSeriesSchema()};
    return s;
}

const ChartSchema &pieSeriesSchema()
{
    static const ChartSchema s{
        "TPieSeries",
        {integer("AngleSize", 360), part("Bevel", &bevelSchema), integer("BevelPercent"), boolean("Circled"),
         integer("CustomXRadius"), integer("CustomYRadius"), boolean("Dark3D", true), integer("DarkPen"),
         enumeration("EdgeStyle", &edgeStyleInfo), integer("ExplodeBiggest"), part("Frame", &pieFrameSchema),
         part("Gradient", &gradientSchema), integer("GradientBright"), part("OtherSlice", &otherSliceSchema),
         part("PieMarks", &pieMarksSchema), part("PiePen", &penSchema), integer("RotationAngle"),
         boolean("UsePatterns")},
        &chartSeriesSchema()};
    return s;
}

// ---------------------------------------------------------------------------
// Collection items

VANTOR_IMPLEMENT_CLASS(TChartGradientColor)
VANTOR_IMPLEMENT_CLASS(TChartCustomAxis)

namespace {
// Changes of an item reach whoever watches its collection.
void notifyCollection(TCollectionItem &item)
{
    if (TCollection *c = item.Collection(); c && c->onChange)
        c->onChange();
}
} // namespace

TChartGradientColor::TChartGradientColor() : m_data(*this, gradientColorSchema())
{
    m_data.onChange = [this] { notifyCollection(*this); };
}

void TChartGradientColor::DeclareProperties(ClassBuilder<TChartGradientColor> &b)
{
    declareChartFields(b, gradientColorSchema());
}

TChartCustomAxis::TChartCustomAxis() : m_data(*this, customAxisSchema())
{
    m_data.onChange = [this] { notifyCollection(*this); };
}

void TChartCustomAxis::DeclareProperties(ClassBuilder<TChartCustomAxis> &b)
{
    declareChartFields(b, customAxisSchema());
}

} // namespace vantor
