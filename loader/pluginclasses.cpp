#include "loader/pluginclasses.h"

namespace vantor {

const PluginClassList *FindPluginForClass(const std::vector<PluginClassList> &plugins,
                                          std::string_view className)
{
    for (const PluginClassList &plugin : plugins) {
        if (plugin.exportedClasses.indexOf(className) >= 0)
            return &plugin;
    }
    return nullptr;
}

} // namespace vantor
