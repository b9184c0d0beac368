#pragma once

// What the plug-in libraries share: the two exports of vantor/plugin.h done
// once. A library describes what it supplies (a Library) and forwards its
// exports here.
//
// A class is built one of two ways:
//  - a framework class the library registers: the block becomes the only
//    child of a form of the container's size, is read by the framework's
//    reader, and the control's widget is rendered into the picture (a
//    non-visual one gets a card instead);
//  - a card class (Library::cards): the block is read as text, checked
//    against the class's published properties, and drawn as a card.
// Whatever goes wrong, the library answers with a card that names the class
// and the reason; it never leaves the viewer with an error instead.

#include "cards.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace vantor {
class TCommonCustomForm;
class TComponent;
class TControl;
} // namespace vantor

namespace vantor::plugin {

struct Library
{
    const char *moduleName = "";
    // The framework classes it builds, in the order announced.
    std::vector<const char *> frameworkClasses;
    // Registers them with the class registry; called once, before the first build.
    void (*registerClasses)() = nullptr;
    // The classes shown as cards (announced after the framework classes).
    const CardTable *cards = nullptr;
    // Framework classes whose nested components are not read (a 3D
    // viewport's scene): the nested blocks are checked as card classes and
    // left out of what the reader gets.
    std::vector<const char *> childrenAsText;
    // The lines a card shows for a non-visual framework component.
    QStringList (*frameworkCardLines)(TComponent *component) = nullptr;
    // Called with the built control once its form is shown, right before
    // the picture is taken (to put effects on widgets). May grow the picture
    // by a margin on every side.
    void (*beforePicture)(TControl *control, int &margin) = nullptr;
    // A non-visual component that works on the control it sits in (an
    // effect): given the built component and the viewer's container, it acts
    // on the host and answers true; the picture is then left empty (one
    // clear pixel) instead of a card.
    bool (*actOnHost)(TComponent *component, TComponent *container) = nullptr;
};

void *ClassListStream(const Library &library);
void *BuildControl(const Library &library, const unsigned char *className, void *stream, void *parent,
                   unsigned char *errorMessage, std::intptr_t errorCapacity);

} // namespace vantor::plugin
