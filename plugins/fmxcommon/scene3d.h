#pragma once

// The framework's 3D classes as FMXCommon.dll shows them. There is no 3D
// rendering here: a viewport is its background colour with an outline that
// names the objects of its scene (class and name, nested as in the form);
// a 3D layer, which holds ordinary controls, is a 2D area with those
// controls; lights, cameras, shapes and material sources on their own are
// cards naming what they are and the one or two properties that say what
// they do.

#include "framework/colors.h"
#include "framework/control.h"
#include "framework/fmxobject.h"

#include <QStringList>

namespace vantor::fmxcommon {

// What every 3D object publishes (position, size, rotation and scale in
// three dimensions, projection, visibility, its events). Its values are
// kept as read.
class TControl3D : public TFmxObject
{
    VANTOR_CLASS(TControl3D, TFmxObject)
public:
    explicit TControl3D(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TControl3D> &b);
};

// Each 3D class (TDummy, TLight, TCube, ...) has its own class info, so that
// forms and cards name it; the table in scene3d.cpp says what it publishes.
// A viewport: its Color as the background, the scene's objects outlined.
class TViewport3D : public TControl
{
    VANTOR_CLASS(TViewport3D, TControl)
public:
    explicit TViewport3D(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TViewport3D> &b);
    TAlphaColor Color() const { return m_color; }
    void SetColor(TAlphaColor c) { m_color = c; peerChanged(); }
    // "Light1: TLight", one line per 3D object, nested objects indented.
    QStringList sceneLines() const;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TAlphaColor m_color = 0xFFFFFFFF;
};

// A 3D layer: a flat area that holds 2D controls. With the screen
// projection its Position is its centre in pixels; with the camera's it is
// a point of the scene, and the layer is centred in its parent.
class TLayer3D : public TControl
{
    VANTOR_CLASS(TLayer3D, TControl)
public:
    explicit TLayer3D(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TLayer3D> &b);
    void Loaded() override;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// Registers the 3D classes and material sources.
void registerSceneClasses();
// Their names, in the order announced.
const std::vector<const char *> &sceneClassNames();
// The lines of the card of a 3D object or material source; empty for any
// other component.
QStringList sceneCaption(TComponent *component);

} // namespace vantor::fmxcommon
