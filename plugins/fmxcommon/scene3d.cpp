#include "scene3d.h"

#include "framework/colors.h"
#include "framework/forms.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vantor::fmxcommon {

VANTOR_IMPLEMENT_CLASS(TControl3D)
VANTOR_IMPLEMENT_CLASS(TViewport3D)
VANTOR_IMPLEMENT_CLASS(TLayer3D)

namespace {

// A 3D class with nothing of its own beyond what its base publishes, or with
// the properties DeclareProperties adds.
#define SCENE_CLASS(Name, Base)                                                                                   \
    class Name : public Base                                                                                      \
    {                                                                                                             \
        VANTOR_CLASS(Name, Base)                                                                                  \
    public:                                                                                                       \
        explicit Name(TComponent *owner) : Base(owner) {}                                                         \
        static void DeclareProperties(ClassBuilder<Name> &b);                                                     \
    };                                                                                                            \
    VANTOR_IMPLEMENT_CLASS(Name)

const EnumInfo &projectionInfo()
{
    static const EnumInfo info{"TProjection", {"Camera", "Screen"}, "pj"};
    return info;
}
const EnumInfo &dragModeInfo()
{
    static const EnumInfo info{"TDragMode", {"dmManual", "dmAutomatic"}, nullptr};
    return info;
}
const EnumInfo &lightTypeInfo()
{
    static const EnumInfo info{"TLightType", {"Directional", "Point", "Spot"}, "lt"};
    return info;
}
const EnumInfo &extrudedSidesInfo()
{
    static const EnumInfo info{"TExtrudedShapeSide", {"Front", "Back", "Shaft"}, nullptr};
    return info;
}
const EnumInfo &cornersInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, "cr"};
    return info;
}
const EnumInfo &cornerTypeInfo()
{
    static const EnumInfo info{"TCornerType", {"Round", "Bevel", "InnerRound", "InnerLine"}, "ct"};
    return info;
}
const EnumInfo &textAlignInfo3D()
{
    static const EnumInfo info{"TTextAlign", {"Center", "Leading", "Trailing"}, "ta"};
    return info;
}
const EnumInfo &trimmingInfo3D()
{
    static const EnumInfo info{"TTextTrimming", {"None", "Character", "Word"}, "tt"};
    return info;
}
const EnumInfo &multisampleInfo()
{
    static const EnumInfo info{"TMultisample", {"None", "TwoSamples", "FourSamples"}, "ms"};
    return info;
}
const EnumInfo &modelWrapInfo()
{
    static const EnumInfo info{"TMeshWrapMode", {"Original", "Fit", "Stretch", "Resize"}, nullptr};
    return info;
}
const EnumInfo &fontStyleInfo3D()
{
    static const EnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, nullptr};
    return info;
}

void colour(auto &b, const char *name)
{
    b.stored(name, PropKind::Integer, nullptr, &colorIdentToInt);
}

// The points of three dimensions: Position, Scale, RotationAngle and
// RotationCenter, each as X, Y, Z and as the Point text older forms write.
void publishVector3D(auto &b, const char *name)
{
    for (const char *part : {".X", ".Y", ".Z"})
        b.stored(qstrdup((QByteArray(name) + part).constData()), PropKind::Float);
    b.stored(qstrdup((QByteArray(name) + ".Point").constData()), PropKind::String);
}

SCENE_CLASS(TDummy, TControl3D)
SCENE_CLASS(TProxyObject, TControl3D)
SCENE_CLASS(TLayout3D, TControl3D)
SCENE_CLASS(TTextLayer3D, TControl3D)
SCENE_CLASS(TCamera, TControl3D)
SCENE_CLASS(TLight, TControl3D)
SCENE_CLASS(TShape3D, TControl3D)
SCENE_CLASS(TPlane, TShape3D)
SCENE_CLASS(TDisk, TShape3D)
SCENE_CLASS(TCube, TShape3D)
SCENE_CLASS(TRoundCube, TShape3D)
SCENE_CLASS(TSphere, TShape3D)
SCENE_CLASS(TCylinder, TShape3D)
SCENE_CLASS(TCone, TShape3D)
SCENE_CLASS(TStrokeCube, TShape3D)
SCENE_CLASS(TGrid3D, TShape3D)
SCENE_CLASS(TMesh, TShape3D)
SCENE_CLASS(TExtrudedShape3D, TShape3D)
SCENE_CLASS(TRectangle3D, TExtrudedShape3D)
SCENE_CLASS(TEllipse3D, TExtrudedShape3D)
SCENE_CLASS(TText3D, TExtrudedShape3D)
SCENE_CLASS(TPath3D, TExtrudedShape3D)
SCENE_CLASS(TModel3D, TControl3D)
SCENE_CLASS(TImage3D, TShape3D)
SCENE_CLASS(TMaterialSource, TFmxObject)
SCENE_CLASS(TColorMaterialSource, TMaterialSource)
SCENE_CLASS(TLightMaterialSource, TMaterialSource)
SCENE_CLASS(TTextureMaterialSource, TMaterialSource)

void TDummy::DeclareProperties(ClassBuilder<TDummy> &) {}
// A layout in the scene: aligned in its viewport like a layer, it holds
// further objects and draws nothing.
void TLayout3D::DeclareProperties(ClassBuilder<TLayout3D> &b)
{
    b.stored("Align", PropKind::Enumeration, &alignLayoutInfo());
    for (const char *name : {"Margins.Left", "Margins.Top", "Margins.Right", "Margins.Bottom", "Padding.Left",
                             "Padding.Top", "Padding.Right", "Padding.Bottom"})
        b.stored(name, PropKind::Float);
    b.stored("Resolution", PropKind::Integer);
    b.stored("Transparency", PropKind::Boolean);
    b.stored("StyleBook", PropKind::Component);
    for (const char *name : {"OnLayerMouseDown", "OnLayerMouseMove", "OnLayerMouseUp"})
        b.event(name);
}
// A text on a layer in the scene.
void TTextLayer3D::DeclareProperties(ClassBuilder<TTextLayer3D> &b)
{
    b.stored("Align", PropKind::Enumeration, &alignLayoutInfo());
    b.stored("Text", PropKind::String);
    b.stored("Font.Family", PropKind::String);
    b.stored("Font.Size", PropKind::Float);
    b.stored("Font.Style", PropKind::Set, &fontStyleInfo3D());
    colour(b, "Color");
    b.stored("Resolution", PropKind::Integer);
    b.stored("Transparency", PropKind::Boolean);
    b.stored("WordWrap", PropKind::Boolean);
    b.stored("HorzTextAlign", PropKind::Enumeration, &textAlignInfo3D());
    b.stored("VertTextAlign", PropKind::Enumeration, &textAlignInfo3D());
    b.stored("Trimming", PropKind::Enumeration, &trimmingInfo3D());
    b.stored("StyleBook", PropKind::Component);
}
void TProxyObject::DeclareProperties(ClassBuilder<TProxyObject> &b)
{
    b.stored("SourceObject", PropKind::Component);
}
void TCamera::DeclareProperties(ClassBuilder<TCamera> &b)
{
    b.stored("AngleOfView", PropKind::Float);
    b.stored("Target", PropKind::Component);
}
void TLight::DeclareProperties(ClassBuilder<TLight> &b)
{
    b.stored("Enabled", PropKind::Boolean);
    colour(b, "Color");
    b.stored("LightType", PropKind::Enumeration, &lightTypeInfo());
    for (const char *name : {"SpotCutOff", "SpotExponent", "ConstantAttenuation", "LinearAttenuation",
                             "QuadraticAttenuation"})
        b.stored(name, PropKind::Float);
    // Older forms give the light its own colours.
    for (const char *name : {"Ambient", "Diffuse", "Specular"})
        colour(b, name);
}
void TShape3D::DeclareProperties(ClassBuilder<TShape3D> &b)
{
    b.stored("MaterialSource", PropKind::Component);
}
void TPlane::DeclareProperties(ClassBuilder<TPlane> &b)
{
    b.stored("SubdivisionsWidth", PropKind::Integer);
    b.stored("SubdivisionsHeight", PropKind::Integer);
}
void TDisk::DeclareProperties(ClassBuilder<TDisk> &b)
{
    b.stored("SubdivisionsAxes", PropKind::Integer);
    b.stored("SubdivisionsCap", PropKind::Integer);
}
void TCube::DeclareProperties(ClassBuilder<TCube> &b)
{
    for (const char *name : {"SubdivisionsWidth", "SubdivisionsHeight", "SubdivisionsDepth"})
        b.stored(name, PropKind::Integer);
}
void TRoundCube::DeclareProperties(ClassBuilder<TRoundCube> &) {}
void TSphere::DeclareProperties(ClassBuilder<TSphere> &b)
{
    b.stored("SubdivisionsAxes", PropKind::Integer);
    b.stored("SubdivisionsHeight", PropKind::Integer);
}
void TCylinder::DeclareProperties(ClassBuilder<TCylinder> &b)
{
    for (const char *name : {"SubdivisionsAxes", "SubdivisionsCap", "SubdivisionsHeight"})
        b.stored(name, PropKind::Integer);
}
void TCone::DeclareProperties(ClassBuilder<TCone> &b)
{
    for (const char *name : {"SubdivisionsAxes", "SubdivisionsCap", "SubdivisionsHeight"})
        b.stored(name, PropKind::Integer);
}
void TStrokeCube::DeclareProperties(ClassBuilder<TStrokeCube> &b)
{
    colour(b, "Color");
}
void TGrid3D::DeclareProperties(ClassBuilder<TGrid3D> &b)
{
    b.stored("Marks", PropKind::Float);
    b.stored("Frequency", PropKind::Float);
    colour(b, "LineColor");
}
void TMesh::DeclareProperties(ClassBuilder<TMesh> &b)
{
    for (const char *name : {"Data.Points", "Data.TexCoordinates", "Data.TriangleIndices", "Data.Normals"})
        b.stored(name, PropKind::String);
}
void TExtrudedShape3D::DeclareProperties(ClassBuilder<TExtrudedShape3D> &b)
{
    b.stored("Flatness", PropKind::Float);
    b.stored("Sides", PropKind::Set, &extrudedSidesInfo());
    b.stored("MaterialBackSource", PropKind::Component);
    b.stored("MaterialShaftSource", PropKind::Component);
}
void TRectangle3D::DeclareProperties(ClassBuilder<TRectangle3D> &b)
{
    b.stored("XRadius", PropKind::Float);
    b.stored("YRadius", PropKind::Float);
    b.stored("Corners", PropKind::Set, &cornersInfo());
    b.stored("CornerType", PropKind::Enumeration, &cornerTypeInfo());
}
void TEllipse3D::DeclareProperties(ClassBuilder<TEllipse3D> &) {}
void TText3D::DeclareProperties(ClassBuilder<TText3D> &b)
{
    b.stored("Text", PropKind::String);
    b.stored("Font.Family", PropKind::String);
    b.stored("Font.Size", PropKind::Float);
    b.stored("Font.Style", PropKind::Set, &fontStyleInfo3D());
    b.stored("Stretch", PropKind::Boolean);
    b.stored("WordWrap", PropKind::Boolean);
    b.stored("HorzTextAlign", PropKind::Enumeration, &textAlignInfo3D());
    b.stored("VertTextAlign", PropKind::Enumeration, &textAlignInfo3D());
    b.stored("Trimming", PropKind::Enumeration, &trimmingInfo3D());
}
void TPath3D::DeclareProperties(ClassBuilder<TPath3D> &b)
{
    b.stored("Path.Data", PropKind::String);
    b.stored("Path.Path", PropKind::Binary);
    b.stored("WrapMode", PropKind::Enumeration, [] {
        static const EnumInfo info{"TPathWrapMode", {"Original", "Fit", "Stretch", "Tile"}, "pw"};
        return &info;
    }());
}
void TModel3D::DeclareProperties(ClassBuilder<TModel3D> &b)
{
    b.stored("MeshCollection", PropKind::Binary);
    b.stored("WrapMode", PropKind::Enumeration, &modelWrapInfo());
}
void TImage3D::DeclareProperties(ClassBuilder<TImage3D> &b)
{
    b.stored("Bitmap.PNG", PropKind::Binary);
    b.stored("SubdivisionsWidth", PropKind::Integer);
    b.stored("SubdivisionsHeight", PropKind::Integer);
}
void TMaterialSource::DeclareProperties(ClassBuilder<TMaterialSource> &b)
{
    // Where the designer showed the component.
    b.stored("Left", PropKind::Integer);
    b.stored("Top", PropKind::Integer);
}
void TColorMaterialSource::DeclareProperties(ClassBuilder<TColorMaterialSource> &b)
{
    colour(b, "Color");
}
void TLightMaterialSource::DeclareProperties(ClassBuilder<TLightMaterialSource> &b)
{
    for (const char *name : {"Ambient", "Diffuse", "Emissive", "Specular"})
        colour(b, name);
    b.stored("Shininess", PropKind::Integer);
    b.stored("Texture.PNG", PropKind::Binary);
}
void TTextureMaterialSource::DeclareProperties(ClassBuilder<TTextureMaterialSource> &b)
{
    b.stored("Texture.PNG", PropKind::Binary);
}

#undef SCENE_CLASS

QString text(const TObject &o, const char *name)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    if (const auto *s = std::get_if<QString>(&v))
        return *s;
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return QString::number(*i);
    if (const auto *d = std::get_if<double>(&v))
        return QString::number(*d, 'g', 6);
    if (const auto *c = std::get_if<TObject *>(&v); c && *c)
        if (auto *component = dynamic_cast<TComponent *>(*c))
            return component->Name();
    return {};
}

// A colour as #AARRGGBB.
QString colourText(const TObject &o, const char *name)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    const auto *i = std::get_if<std::int64_t>(&v);
    if (!i)
        return {};
    return QStringLiteral("#%1").arg(quint32(*i), 8, 16, QLatin1Char('0')).toUpper();
}

QString enumText(const TObject &o, const char *name, const EnumInfo &info, int fallback)
{
    const PropValue v = o.storedValue(QString::fromUtf8(name));
    const auto *i = std::get_if<std::int64_t>(&v);
    return info.nameOf(i ? int(*i) : fallback);
}

void line(QStringList &lines, const QString &label, const QString &value)
{
    if (!value.isEmpty())
        lines << label + QStringLiteral(": ") + value;
}

void sceneLinesOf(const TFmxObject &parent, int depth, QStringList &out)
{
    for (TFmxObject *child : parent.children()) {
        if (!object_cast<TControl3D>(child) && !object_cast<TMaterialSource>(child))
            continue;
        out << QString(depth * 2, QLatin1Char(' ')) + child->Name() + QStringLiteral(": ") + child->ClassName();
        if (depth < 8)
            sceneLinesOf(*child, depth + 1, out);
    }
}

} // namespace

// ---------------------------------------------------------------------------

void TControl3D::DeclareProperties(ClassBuilder<TControl3D> &b)
{
    for (const char *name : {"Position", "Scale", "RotationAngle", "RotationCenter"})
        publishVector3D(b, name);
    for (const char *name : {"Width", "Height", "Depth", "Opacity"})
        b.stored(name, PropKind::Float);
    for (const char *name : {"Locked", "HitTest", "Visible", "TwoSide", "ZWrite", "VisibleContextMenu",
                             "DesignVisible", "ShowHint", "TabStop", "CanFocus", "DisableFocusEffect"})
        b.stored(name, PropKind::Boolean);
    b.stored("Projection", PropKind::Enumeration, &projectionInfo());
    // The rotation as a quaternion, written as text.
    b.stored("Quanternion", PropKind::String);
    b.stored("Cursor", PropKind::Integer, nullptr, &cursorIdentToInt);
    b.stored("DragMode", PropKind::Enumeration, &dragModeInfo());
    b.stored("Hint", PropKind::String);
    b.stored("TabOrder", PropKind::Integer);
    b.stored("PopupMenu", PropKind::Component);
    for (const char *name : {"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseWheel",
                             "OnMouseEnter", "OnMouseLeave", "OnKeyDown", "OnKeyUp", "OnRender", "OnDragEnter",
                             "OnDragLeave", "OnDragOver", "OnDragDrop", "OnDragEnd", "OnEnter", "OnExit",
                             "OnTap"})
        b.event(name);
}

void TViewport3D::DeclareProperties(ClassBuilder<TViewport3D> &b)
{
    b.integer(
        "Color", &TViewport3D::Color, [](TViewport3D &v, std::int64_t c) { v.SetColor(IntToAlphaColor(c)); },
        &colorIdentToInt);
    b.stored("Camera", PropKind::Component);
    b.stored("UsingDesignCamera", PropKind::Boolean);
    b.stored("Multisample", PropKind::Enumeration, &multisampleInfo());
    b.event("OnRender");
}

QStringList TViewport3D::sceneLines() const
{
    QStringList lines;
    sceneLinesOf(*this, 0, lines);
    return lines;
}

void TViewport3D::paint(QPainter &painter, const QRectF &rect)
{
    const QColor ground = toQColor(m_color);
    painter.fillRect(rect, ground);
    // The outline in a colour that stands out from the ground.
    const QColor ink = qGray(ground.rgb()) > 128 || ground.alpha() < 128 ? QColor(0x30, 0x30, 0x40)
                                                                          : QColor(0xF0, 0xF0, 0xF0);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(ink);
    const QFontMetrics fm(font);
    double y = rect.top() + 4;
    for (const QString &l : sceneLines()) {
        if (y + fm.height() > rect.bottom())
            break;
        painter.drawText(QRectF(rect.left() + 6, y, rect.width() - 12, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         fm.elidedText(l, Qt::ElideRight, int(rect.width() - 12)));
        y += fm.height();
    }
}

void TLayer3D::DeclareProperties(ClassBuilder<TLayer3D> &b)
{
    // The third dimension beside what every control has.
    for (const char *name : {"Position.Z", "Scale.Z", "RotationAngle.X", "RotationAngle.Y", "RotationAngle.Z",
                             "RotationCenter.Z", "Depth"})
        b.stored(name, PropKind::Float);
    b.stored("Position.Point", PropKind::String);
    b.stored("Quanternion", PropKind::String);
    b.stored("Projection", PropKind::Enumeration, &projectionInfo());
    b.stored("Resolution", PropKind::Integer);
    b.stored("Transparency", PropKind::Boolean);
    b.stored("TwoSide", PropKind::Boolean);
    b.stored("ZWrite", PropKind::Boolean);
    b.stored("VisibleContextMenu", PropKind::Boolean);
    b.stored("DesignVisible", PropKind::Boolean);
    b.stored("StyleBook", PropKind::Component);
    for (const char *name : {"OnLayerMouseDown", "OnLayerMouseMove", "OnLayerMouseUp", "OnRender"})
        b.event(name);
}

void TLayer3D::Loaded()
{
    TControl::Loaded();
    if (Align() != TAlignLayout::None)
        return;
    const PropValue projection = storedValue(QStringLiteral("Projection"));
    const bool screen = std::holds_alternative<std::int64_t>(projection) && std::get<std::int64_t>(projection) == 1;
    if (screen) {
        // The position is the layer's centre.
        SetBounds(Position()->X() - Width() / 2, Position()->Y() - Height() / 2, Width(), Height());
    } else if (auto *parent = object_cast<TControl>(Parent())) {
        SetBounds((parent->Width() - Width()) / 2, (parent->Height() - Height()) / 2, Width(), Height());
    } else if (auto *form = object_cast<TCommonCustomForm>(Parent())) {
        // On a 3D form the scene's origin is the form's centre.
        const QSizeF size = form->clientSize();
        SetBounds((size.width() - Width()) / 2, (size.height() - Height()) / 2, Width(), Height());
    }
}

void TLayer3D::paint(QPainter &painter, const QRectF &rect)
{
    const PropValue transparent = storedValue(QStringLiteral("Transparency"));
    if (std::holds_alternative<bool>(transparent) && std::get<bool>(transparent))
        return;
    // The layer's default look: a light panel.
    painter.fillRect(rect, QColor(0xF0, 0xF0, 0xF0));
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

const std::vector<const char *> &sceneClassNames()
{
    static const std::vector<const char *> names = {
        "TViewport3D",   "TLayer3D",     "TLight",    "TDummy",        "TCamera",
        "TPlane",        "TCube",        "TRoundCube", "TSphere",      "TCylinder",
        "TCone",         "TDisk",        "TStrokeCube", "TGrid3D",     "TMesh",
        "TRectangle3D",  "TEllipse3D",   "TText3D",   "TPath3D",       "TModel3D",
        "TImage3D",      "TProxyObject", "TLightMaterialSource", "TColorMaterialSource",
        "TTextureMaterialSource", "TLayout3D",   "TTextLayer3D",
    };
    return names;
}

void registerSceneClasses()
{
    RegisterClasses<TViewport3D, TLayer3D, TLight, TDummy, TCamera, TPlane, TCube, TRoundCube, TSphere, TCylinder,
                    TCone, TDisk, TStrokeCube, TGrid3D, TMesh, TRectangle3D, TEllipse3D, TText3D, TPath3D, TModel3D,
                    TImage3D, TProxyObject, TLightMaterialSource, TColorMaterialSource, TTextureMaterialSource,
                    TLayout3D, TTextLayer3D>();
}

QStringList sceneCaption(TComponent *component)
{
    const bool object3D = object_cast<TControl3D>(component) != nullptr;
    if (!object3D && !object_cast<TMaterialSource>(component))
        return {};
    QStringList lines{component->ClassName(), component->Name()};
    if (object_cast<TLight>(component)) {
        line(lines, QStringLiteral("Art"), enumText(*component, "LightType", lightTypeInfo(), 0));
        line(lines, QStringLiteral("Farbe"), colourText(*component, "Color"));
    } else if (object_cast<TCamera>(component)) {
        line(lines, QStringLiteral("Blickwinkel"), text(*component, "AngleOfView"));
        line(lines, QStringLiteral("Ziel"), text(*component, "Target"));
    } else if (object_cast<TColorMaterialSource>(component)) {
        line(lines, QStringLiteral("Farbe"), colourText(*component, "Color"));
    } else if (object_cast<TLightMaterialSource>(component)) {
        line(lines, QStringLiteral("Diffus"), colourText(*component, "Diffuse"));
        line(lines, QStringLiteral("Umgebung"), colourText(*component, "Ambient"));
    } else if (object_cast<TTextureMaterialSource>(component)) {
        const PropValue v = component->storedValue(QStringLiteral("Texture.PNG"));
        const auto *bytes = std::get_if<QByteArray>(&v);
        lines << (bytes && !bytes->isEmpty() ? QStringLiteral("Textur: %1 Bytes").arg(bytes->size())
                                             : QStringLiteral("ohne Textur"));
    } else if (object_cast<TText3D>(component)) {
        line(lines, QStringLiteral("Text"), text(*component, "Text"));
    } else if (object_cast<TShape3D>(component)) {
        line(lines, QStringLiteral("Material"), text(*component, "MaterialSource"));
    }
    if (object3D) {
        const QString w = text(*component, "Width");
        const QString h = text(*component, "Height");
        const QString d = text(*component, "Depth");
        if (!w.isEmpty() || !h.isEmpty() || !d.isEmpty())
            lines << QStringLiteral("%1 \u00d7 %2 \u00d7 %3")
                         .arg(w.isEmpty() ? QStringLiteral("1") : w, h.isEmpty() ? QStringLiteral("1") : h,
                              d.isEmpty() ? QStringLiteral("1") : d);
    }
    return lines;
}

} // namespace vantor::fmxcommon
