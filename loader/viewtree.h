#pragma once

// The component tree of the form a load has just shown: its text as the file
// has it (slOrgDFM, the root with the file's own header), the load's
// placeholders, and the framework's classes telling controls from
// non-visual components.

#include "loader/formtree.h"

namespace vantor {

class TDFMView;

FormTree FormTreeOfView(const TDFMView &view);

// True, false or nothing as NonVisualClassTest asks: a class the framework
// knows is non-visual when it is no control.
std::optional<bool> FrameworkNonVisualClass(std::string_view className);

} // namespace vantor
