#include "tests/loader/passesfixture.h"

#include "loader/knownclasses.h"

namespace vantor::test {

TStringList taggedLines(const std::vector<std::string> &lines)
{
    TStringList list;
    for (const std::string &line : lines)
        list.add(line, list.count());
    return list;
}

std::vector<std::string> linesOf(const TStringList &list)
{
    return list.toVector();
}

std::vector<std::pair<std::string, int>> linesWithTags(const TStringList &list)
{
    std::vector<std::pair<std::string, int>> out;
    for (const auto &item : list.items())
        out.emplace_back(item.text, item.tag);
    return out;
}

const TStringList &knownClasses()
{
    static const TStringList list = [] {
        TStringList l;
        InitKnownClassNames(l);
        return l;
    }();
    return list;
}

TStringList missingList()
{
    TStringList l;
    l.setDuplicates(TDuplicates::Ignore);
    l.setSorted(true);
    return l;
}

std::string fixturePath(const std::string &name)
{
    return std::string(VANTOR_TEST_DATA) + "/" + name;
}

TStringList fixtureLines(const std::string &name)
{
    TStringList raw;
    raw.loadFromFile(fixturePath(name));
    for (int i = 0; i < raw.count(); ++i)
        raw.setTag(i, i);
    return raw;
}

} // namespace vantor::test
