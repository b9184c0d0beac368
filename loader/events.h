#pragma once

// The event handler index and the pop-up menu of one object's events, as
// plain text work on string lists. The loader's operations (GetEventHandlers,
// GetEventsForObject, ObjectInspector, SetEventHandlerForAllObjects,
// SetFakeEventHandlerForObjects) are declared with TDFMView in dfmview.h and
// defined in events.cpp on top of these.

#include "streams/stringlist.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Appends to index one entry per event line of lines, in order: the name of
// the object the line belongs to, ":" and the line trimmed. An object starts
// at a line holding " object " (its name runs from just after "object " to
// the first ':'; without a ':' after it the name is empty); "inherited" and
// "inline" headers and the root's own header start none. An event line holds
// " On" before its first " = ".
void CollectEventHandlers(const TStringList &lines, TStringList &index);

// One item of an object's event menu.
struct EventMenuEntry
{
    std::string caption;   // the event line: property, " = ", handler
    std::string tagString; // the whole index entry
};

// The entries of index that begin with objectName followed by ":On", in
// index order (case-sensitive, so "Button1" never picks up "MyButton1").
std::vector<EventMenuEntry> EventsForObject(const TStringList &index, std::string_view objectName);

} // namespace vantor
