#pragma once

#include "loader/rewriterules.h"
#include "loader/rewritescan.h"

#include <cstddef>

namespace vantor::test {

// The passes as a scan that starts again at line 0 after every change: the
// plain reading of the rules, kept to hold the shipped passes against.
// They throw std::runtime_error rather than run on without end.

// The steps (lines examined) after which a literal scan gives up; the fuzz
// targets lower it, since the literal reading of some texts never ends.
std::size_t &literalStepLimit();

void literalRewriteScan(TStringList &lines, bool runtimeView, const TStringList &known, MissingClassLists missing,
                        RewriteScanState &state);
void literalCheckForUnknownComponents(TStringList &sl, const TStringList *exported, const TStringList &known,
                                      MissingClassLists missing, bool &hasUnknown);
// Merges each block with MergeVariantBlock, deletes a nested block from the
// variant after merging it and starts again at the first variant line.
void literalMergePlatformVariant(TStringList &working, TStringList &variant);

} // namespace vantor::test
