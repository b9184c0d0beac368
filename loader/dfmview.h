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
class TDFMPlugin;
class TF_FMXDummy;
class TPopupMenu;
class TStyleBook;

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
    // The root header as the file writes it (slOrgDFM holds a form's root
    // renamed to the viewer's own); empty before the first load.
    std::string OrgRootHeader;
    TMethod EventOnError;             // not used by the load
    TMethod EventMouseMove;           // given to the built form's OnMouseMove
    TNotifyEvent EventOnDblClick;     // not used by the load
    TNotifyEvent EventOnClick;        // the viewer's click handler, bound to every component
    bool NeedFullWin = false;         // set by the main window after a load
    TNotifyEvent EventOnResize;       // kept for the main window
    // The built form; nullptr until the first load and at the start of every
    // load. The load never frees it: the caller frees it before the next load.
    TF_FMXDummy *FormDyna = nullptr;
    // True when the last load built a frame root (a TFrame inside FormDyna).
    bool RootIsFrame = false;
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

    // Event handler index and event rerouting (events.cpp).
    // Appends the event lines of SL to slEventHandlers.
    void GetEventHandlers(const TStringList &SL);
    // Replaces the items of pop with the object's events: a disabled header
    // "Name (Class)", a separator and one item per event (tag string: the
    // index entry). Empty when the object has none. Items are owned by
    // FormOwner and children of pop.
    void GetEventsForObject(TPopupMenu *&pop, const QString &AnObjName, const QString &AnObjClassName);
    // Writes MethodOnClick into Obj's published event named EventType (exact
    // case); an object without it is left alone, a failing write shows the
    // class name in a message box.
    void ObjectInspector(TObject *Obj, const QString &EventType, const TNotifyEvent &Event);
    // Writes the click method into OnClick of every component of form (of a
    // frame's components instead of the frame).
    void SetEventHandlerForAllObjects(TComponent *form, const QString &eventName, const TNotifyEvent &event);
    // Wires the marker components "Du_<class>_" of the non-visual classes
    // TImageList (OnDblClick) and TTimer (OnClick) to event.
    void SetFakeEventHandlerForObjects(TComponent *form, const QString &className, const QString &eventName,
                                       const TNotifyEvent &event);

    // Placeholders of missing classes and the plug-in libraries
    // (missingobjects.cpp, plugins.cpp).
    // The first plug-in library whose class list holds CName (ignoring
    // case), or nullptr.
    TDFMPlugin *GetPlugInForClass(const std::string &CName) const;
    // Asks the plug-in libraries for the controls of every placeholder of
    // form, then takes the classes they were asked for off slMissing.
    void SetMissingClasses(TComponent *form, bool RuntimeView);
    // Visits every placeholder of form (and of its frames and sub-forms)
    // once per load, then schedules a relayout of form.
    void SetMissingClassObjects(TComponent *form, bool RuntimeView);

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
    // Points the built form at the style book its root names, so that
    // controls whose StyleLookup the book has are drawn with its styles; a
    // book whose styles do not read is an error entry of slMissing.
    void bindStyleBook(const std::string &name);

    const ITextMeasure *m_measure = nullptr;
    // The form's style book read from its text where the built form has
    // none of its own (a marker stands in its place).
    std::unique_ptr<TStyleBook> m_styleBookCopy;
    std::unique_ptr<ITextMeasure> m_defaultMeasure;
    std::function<void(const TStringList &)> m_workTextObserver;
};

// True once the first GetDynaForm of the run has registered the known classes.
bool knownClassesInitialised();

} // namespace vantor
