// FMXCommon.dll: builds controls of the framework's own classes that forms
// use often and the viewer's known list lacks (see commonclasses.h), through
// the plug-in interface of vantor/plugin.h.

#include "commonclasses.h"
#include "moreclasses.h"

#include "core/library.h"

#include "vantor/plugin.h"

#define FMXCOMMON_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const vantor::plugin::Library &library()
{
    static const vantor::plugin::Library lib = [] {
        vantor::plugin::Library l;
        l.moduleName = "FMXCommon.dll";
        l.frameworkClasses = vantor::fmxcommon::commonClassNames();
        l.registerClasses = &vantor::fmxcommon::registerCommonClasses;
        l.frameworkCardLines = &vantor::fmxcommon::nonVisualCaption;
        l.beforePicture = [](vantor::TControl *control, int &margin) {
            margin = vantor::fmxcommon::applyEffects(control);
        };
        l.actOnHost = &vantor::fmxcommon::applyEffectToHost;
        return l;
    }();
    return lib;
}

} // namespace

FMXCOMMON_EXPORT void *GetControlClassSupportList(void)
{
    return vantor::plugin::ClassListStream(library());
}

FMXCOMMON_EXPORT void *GetWinControlFromClass(const unsigned char *className, void *stream, void *parent,
                                              unsigned char *errorMessage, intptr_t errorCapacity)
{
    return vantor::plugin::BuildControl(library(), className, stream, parent, errorMessage, errorCapacity);
}
