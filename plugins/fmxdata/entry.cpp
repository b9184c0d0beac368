// FMXData.dll: the framework's non-visual families that forms use (live
// bindings, data access, REST clients, tethering, sensors, notifications,
// back-end services, standard actions), shown as cards, and the bindings'
// data-set navigator, through the plug-in interface of vantor/plugin.h.

#include "datacards.h"
#include "navigator.h"

#include "core/library.h"

#include "vantor/plugin.h"

#define FMXDATA_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

const vantor::plugin::Library &library()
{
    static const vantor::plugin::Library lib = [] {
        vantor::plugin::Library l;
        l.moduleName = "FMXData.dll";
        l.frameworkClasses = {"TBindNavigator"};
        l.registerClasses = &vantor::fmxdata::registerDataClasses;
        l.cards = &vantor::fmxdata::dataCards();
        return l;
    }();
    return lib;
}

} // namespace

FMXDATA_EXPORT void *GetControlClassSupportList(void)
{
    return vantor::plugin::ClassListStream(library());
}

FMXDATA_EXPORT void *GetWinControlFromClass(const unsigned char *className, void *stream, void *parent,
                                            unsigned char *errorMessage, intptr_t errorCapacity)
{
    return vantor::plugin::BuildControl(library(), className, stream, parent, errorMessage, errorCapacity);
}
