#pragma once

// The loader: turns a form file into a live form. It reads the file (merging
// a platform variant into its master), edits the form text so that the
// framework can build it with the classes the viewer has, lets the framework
// build it into a fresh host form, and reroutes the form's events to the
// viewer. Besides the form, a load leaves the lists the rest of the viewer
// works with.

#include "framework/events.h"
#include "framework/rtti.h"
#include "streams/stringlist.h"

#include <functional>
#include <memory>
#include <string>

namespace vantor {

class ITextMeasure;
class TComponent;
class TF_FMXDummy;

class TDFMView : public TObject
{
    VANTOR_CLASS(TDFMView, TObject)
public:
    TDFMView();
    ~TDFMView() override;

    // Platform of the file being shown: "Windows", "Android", "Mac", "iPad"
    // or "iPhone"; set from the file name at the start of every load.
    std::string APlatform;
    // Scale of the shown form; every load sets both to 1.
    long double AScaleX = 0;
    long double AScaleY = 0;
    // The form text as first assembled: after the variant merge and the
    // rewrite of the root header, before any clean-up. Line i has tag i.
    TStringList slOrgDFM;
    // Classes the form needs and the viewer lacks, and a "Fehler: " entry for
    // a build error. Sorted, duplicates ignored.
    TStringList slMissing;
    // Classes found a way to show; emptied by every load.
    TStringList slFoundClasses;
    // The event handler index, taken while the event lines are still there.
    TStringList slEventHandlers;
    // One entry per placeholder: the class, tagged with its header's line in
    // slOrgDFM.
    TStringList slUnknownClassesOffset;
    TMethod EventOnError;             // not used by the load
    TMethod EventMouseMove;           // given to the built form's OnMouseMove
    TNotifyEvent EventOnDblClick;     // not used by the load
    TNotifyEvent EventOnClick;        // the viewer's click handler, bound to every component
    bool NeedFullWin = false;         // set by the main window after a load
    TNotifyEvent EventOnResize;       // kept for the main window
    // The built form; nullptr until the first load and at the start of every
    // load. The load never frees it: the caller frees it before the next load.
    TF_FMXDummy *FormDyna = nullptr;
    TMethod MethodOnClick;            // the main window's click method
    TMethod MethodOnResize;           // kept for the main window

    // The owner of every FormDyna: the application's main form in the viewer.
    // A tool without a main window gives a component of its own (or none, and
    // frees FormDyna itself).
    TComponent *FormOwner = nullptr;

    // Sets up the lists (their sort and duplicate policies) and empties every
    // field. The constructor calls it.
    void create();

    // The load as the main window asks for it: on the first call of the run
    // the known classes are registered; then one load.
    bool GetDynaForm(const std::string &Filename, bool RunTimeView);

    // One load. Returns true when the framework built the form; false when
    // the build failed (slMissing then holds "Fehler: " and the message and
    // FormDyna is the partly built form). An error before the build (a file
    // that cannot be read, a damaged binary form, a text the conversion
    // rejects) leaves the call with FormDyna nullptr.
    bool ShowDynaFormModalPrim(const std::string &Filename, bool RuntimeView);

    // Event handler index and event rerouting. The event index is not built
    // yet: each changes nothing.
    void GetEventHandlers(const TStringList &lines);
    void SetEventHandlerForAllObjects(TComponent *form, const QString &eventName, const TNotifyEvent &event);
    void SetFakeEventHandlerForObjects(TComponent *form, const QString &className, const QString &eventName,
                                       const TNotifyEvent &event);

    // The width measure of the markers in the design-time view. Default: the
    // application font's metrics. The caller keeps ownership.
    void setTextMeasure(const ITextMeasure *measure) { m_measure = measure; }
    // Called with the working text just before it is converted; for tools that
    // show what the framework was handed.
    void setWorkTextObserver(std::function<void(const TStringList &)> observer)
    {
        m_workTextObserver = std::move(observer);
    }

private:
    const ITextMeasure *m_measure = nullptr;
    std::unique_ptr<ITextMeasure> m_defaultMeasure;
    std::function<void(const TStringList &)> m_workTextObserver;
};

// True once the first GetDynaForm of the run has registered the known classes.
bool knownClassesInitialised();

} // namespace vantor
