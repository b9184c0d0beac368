#include "loader/knownclasses.h"

#include "streams/stringlist.h"

namespace vantor {

void InitKnownClassNames(TStringList &list)
{
    list.clear();
    list.setCaseSensitive(false);
    list.setDuplicates(TDuplicates::Ignore);
    list.setSorted(true);
    for (std::string_view name : kKnownClassNames)
        list.add(std::string(name));
}

} // namespace vantor
