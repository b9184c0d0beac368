#pragma once

#include "streams/stringlist.h"

#include <string>
#include <utility>
#include <vector>

namespace vantor::test {

// A form text with every line tagged with its index, as the driver tags it.
TStringList taggedLines(const std::vector<std::string> &lines);
std::vector<std::string> linesOf(const TStringList &list);
std::vector<std::pair<std::string, int>> linesWithTags(const TStringList &list);

// The driver's lists: the known classes and slMissing sorted, duplicates ignored.
const TStringList &knownClasses();
TStringList missingList();

// Reads a fixture of tests/data into lines (text, tags = index).
TStringList fixtureLines(const std::string &name);
std::string fixturePath(const std::string &name);

} // namespace vantor::test
