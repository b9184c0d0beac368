#pragma once

#include <string>

namespace vantor {

class TStringList;

// What the rewrite scan carries from line to line and from one walk of the
// text to the next: the class of the last header it read and the indentation
// of the last action manager's header. The driver keeps it for one load.
struct RewriteScanState
{
    std::string currentClass;
    int actionManagerIndent = 0;

    bool inActionManager() const { return currentClass == "TActionManager"; }
    // Two states that make every rule act alike (only the action-manager
    // part of the state steers a rule).
    bool actsLike(const RewriteScanState &other) const
    {
        return inActionManager() == other.inActionManager()
            && actionManagerIndent == other.actionManagerIndent;
    }
};

// The lists the substitution writes: slMissing (sorted, duplicates ignored)
// gains each missing class; slUnknownClassesOffset gains one entry per
// replaced header, tagged with the header line's tag.
struct MissingClassLists
{
    TStringList &slMissing;
    TStringList &slUnknownClassesOffset;
};

// The rewrite scan over the working text. It applies, line by line and in
// this order: the clean-up deletions (" Visible = False" in the design-time
// view, "DoubleBuffered", " ShowCaption = ", " DrawingStyle = ",
// " OldCreateOrder = "), inline headers become object headers, inherited
// components become "AAA_" labels, blocks inside an action manager are passed
// over, and components of classes outside slKnownClasses become placeholder
// labels (Text '@Class', Tag = header tag, HitTest = True so they take
// clicks). Every header is substituted at most once, and a header that cannot
// be rewritten (no class) stays for the conversion to report, so the scan
// always ends.
//
// The result is the text a scan that starts again at line 0 after every
// change would reach; this one keeps its place instead and runs in near
// linear time.
void RewriteScan(TStringList &lines, bool runtimeView, const TStringList &slKnownClasses,
                 MissingClassLists missing, RewriteScanState &state);

// The substitution alone, on a block of form text bound for a plug-in
// library: classes in slExportedClasses (may be null) or slKnownClasses stay;
// the placeholders keep the Top, Left, Width, Height and Align lines.
// HasUnknownClasses tells whether anything was substituted.
void CheckForUnknownComponents(TStringList &sl, const TStringList *slExportedClasses,
                               const TStringList &slKnownClasses, MissingClassLists missing,
                               bool &HasUnknownClasses);

} // namespace vantor
