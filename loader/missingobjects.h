#pragma once

// The placeholders of missing classes after a load: each one's block of form
// text goes to the plug-in library that builds its class, and the picture of
// the control it built is shown in the placeholder. The loader's operations
// SetMissingClasses and SetMissingClassObjects are declared with TDFMView in
// dfmview.h and defined in missingobjects.cpp with the helpers below.
//
// A placeholder is a component of class exactly TLabel whose Text begins
// with "@" (the rest is the class name) and whose Tag is the index of the
// component's first line in slOrgDFM.

#include "streams/stringlist.h"

#include <QString>

#include <string>

namespace vantor {

class TComponent;
class TDFMView;
class TLabel;

// The picture file a plug-in library writes for the viewer: a file of the
// per-user data folder (AppDataDir), never a shared temporary path.
std::string PlugInPicturePath();
// The lock file beside it (PlugInPicture.png.lock): a load holds its
// advisory lock from before a plug-in call until the picture is read.
std::string PlugInPictureLockPath();

// The block of a component as a plug-in library gets it: from the line at
// firstLine of orgText up to and including the first later line indented
// like it (or to the end of the text), a trailing blank line dropped,
// shifted left by up to four blanks (two at a time, while the first line
// begins with two), without event lines, frame instances ("inline")
// written as objects. Empty when firstLine is not a line of orgText.
TStringList ComponentBlock(const TStringList &orgText, int firstLine);

// Handles one placeholder L owned by container (the form or frame): renames
// it (suffix "2222"), and when a plug-in library builds className asks it
// for the control and shows its picture in L. Errors of the library become
// "Fehler: " entries of view.slMissing. A placeholder whose Tag is not a line
// of slOrgDFM, or that was handled before, is left alone.
void BuildPlugInControl(TDFMView &view, TComponent *container, TLabel *L, const QString &className,
                        bool RuntimeView);

// Makes form lay itself out again: height + 1, pending events, height - 1.
// Runs on the user-interface thread; does nothing for a form that is gone.
void NudgeFormLayout(TComponent *form);
// Schedules NudgeFormLayout for form: a task on the thread pool queues it to
// the user-interface thread. Dropped when the form is freed before it runs.
void ScheduleNudgeFormLayout(TComponent *form);

// The component named name (exact case) among form's components, looking
// inside a loaded frame before comparing the frame's own name; null if none.
TComponent *FindFormComponent(TComponent *form, const QString &name);

} // namespace vantor
