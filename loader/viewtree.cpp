#include "loader/viewtree.h"

#include "framework/control.h"
#include "loader/dfmview.h"

namespace vantor {

std::optional<bool> FrameworkNonVisualClass(std::string_view className)
{
    const ClassInfo *cls = GetClass(QString::fromUtf8(className.data(), qsizetype(className.size())));
    if (!cls)
        return std::nullopt;
    return !cls->inheritsFrom(TControl::StaticClass());
}

FormTree FormTreeOfView(const TDFMView &view)
{
    FormTreeSources sources;
    sources.placeholders = &view.slUnknownClassesOffset;
    sources.rootHeader = view.OrgRootHeader;
    sources.nonVisualClass = &FrameworkNonVisualClass;
    return BuildFormTree(view.slOrgDFM, sources);
}

} // namespace vantor
