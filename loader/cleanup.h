#pragma once

#include <string_view>

namespace vantor {

class TStringList;

// Clean-up passes over the working form text, run by the load driver in this
// order before the rewrite scan: RemoveEnabledFalse (design-time view only),
// RemoveRootVisibleTrue, ResetActionManagerStyle, RemoveMdiChildStyle, then
// (after the event lines are stripped) FilterRootProperties. They change the
// text in place, keep the tags of the lines they leave, and cannot fail.

// The driver's form-or-frame decision: true when one of the root's own lines
// (from line 1 up to the first line holding "object ") holds " Caption = ".
bool RootHasCaption(const TStringList &lines);

// Deletes every line that holds " Enabled = False", in any object.
void RemoveEnabledFalse(TStringList &lines);

// Deletes the first " Visible = True" line among the root's own lines.
void RemoveRootVisibleTrue(TStringList &lines);

// Gives the first action manager's style line the style 'Platform Default'.
void ResetActionManagerStyle(TStringList &lines);

// Deletes the first " FormStyle = fsMDIChild" line among the root's own lines.
void RemoveMdiChildStyle(TStringList &lines);

// The one text the root's property keys are looked up in, as a substring.
inline constexpr std::string_view kRootPropertyList =
    "Left,Top,Width,Height,Font.,Caption,ClientHeight,ClientWidth,Position,PixelsPerInch,"
    "TextHeight,Icon.,Scaled,AutoSize,Align,TabOrder,HorzScrollBar.,VertScrollBar,Color;"
    "ActiveControl,Menu,DesignSize";

// Keeps only the root's listed property lines (a multi-line value, also a
// collection whose items hold "=" lines, shares the
// fate of its property line). Stops at the root's first child header (object,
// inherited or inline) and at the root's closing line, so children always
// stay intact, also when the root has no plain object child. A frame root
// also keeps its "Size." lines: newer frames give their size only there, and
// without it the frame has no size at all and shows nothing.
void FilterRootProperties(TStringList &lines, bool frameRoot = false);

} // namespace vantor
