#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::test {

struct FormShape
{
    int components = 200;
    double unknownShare = 0.2;  // share of components whose class is not known
    bool actionManagers = true; // action managers with unknown children
    bool inheritedAndInline = true;
    bool malformed = false;     // missing ends, empty classes, tabs, stray lines
    bool variant = false;       // also write a platform variant of the form
};

struct GeneratedForm
{
    std::vector<std::string> master;
    std::vector<std::string> variant; // empty unless asked for
};

// A form text in the framework's text syntax, the same for the same seed:
// components at every depth, unnamed headers, child positions, string values
// that hold " object " and " inherited ", multi-line values, non-visual
// components with Left/Top, and the lines the clean-up rules delete.
GeneratedForm generateForm(std::uint32_t seed, const FormShape &shape);

} // namespace vantor::test
