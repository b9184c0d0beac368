#pragma once

// The main window of the viewer: built from its stored layout by the
// framework's reader, with its components bound to the fields below and its
// handlers bound by name. It owns the one loader of the run and presents the
// loaded form inside its framed panel.

#include "framework/forms.h"
#include "streams/stringlist.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QShortcut;

namespace vantor {

class TButton;
class TComboEdit;
class TDFMView;
class TLabel;
class TLayout;
class TListBox;
class TMenuItem;
class TPanel;
class TPopupMenu;
class TRectangle;
class TScrollBox;
class TSelection;
class TStyleBook;
class TTabControl;
class TTabItem;
class TTimer;

namespace shell {
class SelectionOutline;
class TStructurePane;
class TTMSFMXMemo;
class TTMSFMXMemoPascalStyler;
} // namespace shell

// The German message shown when the program is started without a file.
inline constexpr const char *kNoFileMessage =
    "Es wird die Angabe eines Dateinamens erwartet (Dateien mit Endung \".pas,*.dfm,.fmx,.dpr\").";

class TF_FMXWindowDisplay : public TForm
{
    VANTOR_CLASS(TF_FMXWindowDisplay, TForm)
public:
    // Reads the stored layout and runs FormCreate. The command line is taken
    // from commandLineArguments().
    explicit TF_FMXWindowDisplay(TComponent *owner);
    // Runs FormDestroy first.
    ~TF_FMXWindowDisplay() override;
    static void DeclareProperties(ClassBuilder<TF_FMXWindowDisplay> &b);

    // Components of the stored layout.
    TPanel *Panel1 = nullptr;
    TTabControl *TabSRCView = nullptr;
    TPanel *pnMissingClasses = nullptr;
    TPanel *Panel3 = nullptr;
    TListBox *lbMissing = nullptr;
    TTabItem *TabDFM = nullptr;
    TTabItem *TabPas = nullptr;
    TTimer *Timer1 = nullptr;
    TScrollBox *ScrollBox1 = nullptr;
    TRectangle *Rectangle1 = nullptr;
    TPanel *panelx = nullptr;
    TListBox *ListBox2 = nullptr;
    TLabel *lbFMXFileName = nullptr;
    TButton *bnFMX = nullptr;
    TButton *bnPas = nullptr;
    TButton *bnDT = nullptr;
    TButton *bnRT = nullptr;
    shell::TTMSFMXMemo *AdvMemoPas = nullptr;
    TPanel *Panel4 = nullptr;
    shell::TTMSFMXMemoPascalStyler *TMSFMXMemoPascalStyler1 = nullptr;
    TTimer *TimNewWin = nullptr;
    TLabel *Label1 = nullptr;
    TPopupMenu *PopupMenu1 = nullptr;
    TMenuItem *MenuItem1 = nullptr;
    TStyleBook *StyleBookMac = nullptr;
    TStyleBook *StyleBookAndroid = nullptr;
    TSelection *Selection1 = nullptr;
    TButton *bnSize = nullptr;
    TStyleBook *StyleBookiPhonePadModern = nullptr;
    TButton *AnKlickEvent = nullptr;
    TPopupMenu *popEvents = nullptr;
    TButton *bnGotoProc = nullptr;
    TComboEdit *cbProcs = nullptr;
    TPopupMenu *PopupMenu2 = nullptr;
    TMenuItem *MenuItem2 = nullptr;
    TLayout *Layout1 = nullptr;
    TLabel *pnDummy = nullptr;
    TStyleBook *StyleBookStd = nullptr;
    TLabel *lbClassInfo = nullptr;
    TButton *bnStruktur = nullptr;
    shell::TStructurePane *pnStruktur = nullptr;

    // The window's own state.
    QString AFile;     // the file to show
    QString AView;     // the view as text; "True" at creation
    bool RTView = true; // view of the next load: true = run-time view
    QString APasFile;  // unit source shown in the source view
    QString AFMXFile;  // form file of the last presentation
    std::unique_ptr<TStringList> slProcList; // procedure index of the unit source

    // The loader of the run.
    TDFMView &DFMView() const { return *m_view; }

    // Start-up and shut-down.
    void FormCreate(TObject *Sender);
    void FormShow(TObject *Sender);
    void FormDestroy(TObject *Sender);

    // Presenting the loaded form.
    void Timer1Timer(TObject *Sender);
    void EmbeddForm(TControl *AParent, TCommonCustomForm *AForm);
    void GetForm(const QString &AFile, bool RTView);
    void bnFMXClick(TObject *Sender);
    void bnDTClick(TObject *Sender);
    void bnRTClick(TObject *Sender);
    void bnSizeClick(TObject *Sender);
    void Selection1Resize(TObject *Sender);
    void TimNewWinTimer(TObject *Sender);
    QString GetOpenFileRequest();
    void UpdateScreenScale();
    void panelxResize(TObject *Sender);
    void pnDummyResize(TObject *Sender);

    // Event and missing-class commands.
    void AnKlickEventClick(TObject *Sender);
    void bnGotoProcClick(TObject *Sender);
    void MenuItem1Click(TObject *Sender);
    void lbMissingDblClick(TObject *Sender);

    // Structure pane.
    void bnStrukturClick(TObject *Sender);
    // Called at the end of a presentation: the pane, when it shows, takes
    // the new form's tree.
    void StructureFormShown();
    // The component of the shown form that a node of the pane stands for;
    // nullptr when the form has none (the root, a component inside a
    // placeholder, a non-visual one in the run-time view).
    TComponent *StructureComponentOfNode(int node);
    // The outline around the chosen component; nullptr before the first choice.
    shell::SelectionOutline *StructureOutline() const { return m_outline; }

    // Source pane.
    void bnPasClick(TObject *Sender);
    void FillPasProclist();
    void cbProcsKeyUp(TObject *Sender);
    void cbProcsClosePopup(TObject *Sender);
    void MenuItem2Click(TObject *Sender);
    void JumpToSourceLine(int line);

    // Shows the window and runs its OnShow handler, as the application
    // does with its main form.
    void ShowMainWindow();
    // True when FormCreate asked the program to end (no file was given);
    // the window must then not be shown.
    bool TerminateRequested() const { return m_terminate; }
    // True when the program was started with a file.
    bool HasArgument() const { return m_hasArgument; }

    // Applies the style name of every control of the window to its widget,
    // so that the look's style sheet can select it.
    void RefreshStyleLookups();

private:
    void fireEvent(const char *eventName);
    void selectionDragged(TObject *Sender);
    // Asks the plug-in libraries to build the placeholders' controls.
    void SetMissingClasses(TComponent *form, bool RuntimeView);
    // "DT" and "RT": button states, view, and the reload if the form exists.
    void reloadAs(bool designTime);
    // What every reload does before presenting: label, old host form freed.
    void prepareReload(const QString &file);
    void connectComponentEvents();
    // Replaces the procedure box's items (texts and tags) in one update.
    void setProcBoxItems(TStringList items);
    // Gives the handler items of the event menu (item 2 on) the handler
    // choice as their click and opens the menu at the pointer.
    void openEventMenu();
    // The click command's part in the structure pane: the clicked component
    // (its name in the form file given) becomes the chosen node.
    void structureFollowClick(TComponent *component, const QString &fileName);
    void structureFill();
    void structureNodeChosen(int node);
    // Runs a command; an error that leaves it is shown in a message box, as
    // the framework's default handling does, and the viewer keeps running.
    void guarded(const std::function<void()> &command);

    std::unique_ptr<TDFMView> m_view;
    QShortcut *m_toggleShortcut = nullptr;
    shell::SelectionOutline *m_outline = nullptr; // a child of panelx's widget
    bool m_terminate = false;
    bool m_hasArgument = false;
    bool m_destroyed = false;
};

// Where the window's position is kept: IniFileName() unless a test sets
// another file (an empty name restores the default).
std::string windowSettingsFile();
void setWindowSettingsFile(const std::string &fileName);

// Set up once at program start, before the main window: the screen scale,
// the handled hand-off requests and the host form's stored layout.
void InitHostFormUnit();

} // namespace vantor
