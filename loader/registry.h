#pragma once

// The classes the viewer can build: registered with the framework's class
// registry on the first load, and listed by name in slKnownClasses. The list,
// not the registry, decides what the rewrite scan replaces by placeholders:
// a class the framework registers by itself but that is not listed still
// counts as missing.

namespace vantor {

class TStringList;

// The known-class list: sorted, case-insensitive, duplicates ignored. Empty
// until InitKnownClasses has run.
TStringList &slKnownClasses();

// Registers every known class with the framework, in the listed order, and
// fills slKnownClasses with their names ("TCombobox" for the combo box; the
// list's look-up ignores case). Running it again registers nothing new and
// leaves the list as it is.
void InitKnownClasses();

// How many of the known classes have a framework class behind them. A known
// class without one is still listed, so a form that names it fails to build
// with "Klasse %s nicht gefunden" instead of showing a placeholder.
int RegisteredKnownClassCount();

} // namespace vantor
