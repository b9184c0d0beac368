#include "app/mainwindow.h"

#include "app/commandline.h"
#include "app/handoffrequests.h"
#include "app/memocontrols.h"
#include "app/storedlayout.h"
#include "app/structurepane.h"
#include "app/styles.h"
#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/controls/menus.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "framework/platform.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "support/inifile.h"
#include "support/windowpos_qt.h"

#include <QComboBox>
#include <QEvent>
#include <QShortcut>
#include <QStyle>
#include <QWidget>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TF_FMXWindowDisplay)

namespace {

const char *const kLayoutResource = ":/layouts/F_FMXWindowDisplay.fmx";
const char *const kHostLayoutResource = ":/layouts/F_FMXDummy.fmx";

std::string &settingsFileOverride()
{
    static std::string name;
    return name;
}

// Calls a component's event of the given name, as stored by the reader.
void fireStoredEvent(TObject *component, const char *eventName, TObject *sender)
{
    if (!component)
        return;
    TNotifyEvent(GetMethodProp(component, QString::fromLatin1(eventName)))(sender);
}

// Turns Qt events of a widget into calls.
class EventHook : public QObject
{
public:
    EventHook(QObject *parent, QEvent::Type type, std::function<void()> call)
        : QObject(parent), m_type(type), m_call(std::move(call))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_call();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_call;
};

} // namespace

std::string windowSettingsFile()
{
    return settingsFileOverride().empty() ? IniFileName() : settingsFileOverride();
}

void setWindowSettingsFile(const std::string &fileName) { settingsFileOverride() = fileName; }

void InitHostFormUnit()
{
    UpdateScreenScaleValue();
    slHandledRequests().clear();
    TF_FMXDummy::setStoredLayout(storedLayoutStream(QString::fromLatin1(kHostLayoutResource)));
}

TF_FMXWindowDisplay::TF_FMXWindowDisplay(TComponent *owner) : TForm(owner)
{
    ReadStoredLayout(this, QString::fromLatin1(kLayoutResource),
                     {&TLayout::StaticClass(), &TListBox::StaticClass(), &TPanel::StaticClass(),
                      &TLabel::StaticClass(), &TButton::StaticClass(), &TTabControl::StaticClass(),
                      &TTabItem::StaticClass(), &TScrollBox::StaticClass(), &TSelection::StaticClass(),
                      &TRectangle::StaticClass(), &TTimer::StaticClass(), &TPopupMenu::StaticClass(),
                      &TMenuItem::StaticClass(), &TStyleBook::StaticClass(), &TComboEdit::StaticClass(),
                      &shell::TTMSFMXMemo::StaticClass(), &shell::TTMSFMXMemoPascalStyler::StaticClass(),
                      &shell::TStructurePane::StaticClass()});
    connectComponentEvents();
    fireEvent("OnCreate");
}

TF_FMXWindowDisplay::~TF_FMXWindowDisplay()
{
    fireEvent("OnDestroy");
    // The shown form's controls sit in our panel but belong to the host
    // form: free it first, while the panel still stands.
    if (m_view && m_view->FormDyna) {
        delete m_view->FormDyna;
        m_view->FormDyna = nullptr;
    }
}

void TF_FMXWindowDisplay::DeclareProperties(ClassBuilder<TF_FMXWindowDisplay> &b)
{
    using W = TF_FMXWindowDisplay;
    b.field("Panel1", &W::Panel1);
    b.field("TabSRCView", &W::TabSRCView);
    b.field("pnMissingClasses", &W::pnMissingClasses);
    b.field("Panel3", &W::Panel3);
    b.field("lbMissing", &W::lbMissing);
    b.field("TabDFM", &W::TabDFM);
    b.field("TabPas", &W::TabPas);
    b.field("Timer1", &W::Timer1);
    b.field("ScrollBox1", &W::ScrollBox1);
    b.field("Rectangle1", &W::Rectangle1);
    b.field("panelx", &W::panelx);
    b.field("ListBox2", &W::ListBox2);
    b.field("lbFMXFileName", &W::lbFMXFileName);
    b.field("bnFMX", &W::bnFMX);
    b.field("bnPas", &W::bnPas);
    b.field("bnDT", &W::bnDT);
    b.field("bnRT", &W::bnRT);
    b.field("AdvMemoPas", &W::AdvMemoPas);
    b.field("Panel4", &W::Panel4);
    b.field("TMSFMXMemoPascalStyler1", &W::TMSFMXMemoPascalStyler1);
    b.field("TimNewWin", &W::TimNewWin);
    b.field("Label1", &W::Label1);
    b.field("PopupMenu1", &W::PopupMenu1);
    b.field("MenuItem1", &W::MenuItem1);
    b.field("StyleBookMac", &W::StyleBookMac);
    b.field("StyleBookAndroid", &W::StyleBookAndroid);
    b.field("Selection1", &W::Selection1);
    b.field("bnSize", &W::bnSize);
    b.field("StyleBookiPhonePadModern", &W::StyleBookiPhonePadModern);
    b.field("AnKlickEvent", &W::AnKlickEvent);
    b.field("popEvents", &W::popEvents);
    b.field("bnGotoProc", &W::bnGotoProc);
    b.field("cbProcs", &W::cbProcs);
    b.field("PopupMenu2", &W::PopupMenu2);
    b.field("MenuItem2", &W::MenuItem2);
    b.field("Layout1", &W::Layout1);
    b.field("pnDummy", &W::pnDummy);
    b.field("StyleBookStd", &W::StyleBookStd);
    b.field("lbClassInfo", &W::lbClassInfo);
    b.field("bnStruktur", &W::bnStruktur);
    b.field("pnStruktur", &W::pnStruktur);

    // The handlers that take a sender, found by name by the reader. GetForm,
    // EmbeddForm and FillPasProclist take other arguments and are called
    // directly.
    b.method<&W::FormCreate>("FormCreate");
    b.method<&W::FormShow>("FormShow");
    b.method<&W::Timer1Timer>("Timer1Timer");
    b.method<&W::lbMissingDblClick>("lbMissingDblClick");
    b.method<&W::bnFMXClick>("bnFMXClick");
    b.method<&W::bnPasClick>("bnPasClick");
    b.method<&W::TimNewWinTimer>("TimNewWinTimer");
    b.method<&W::MenuItem1Click>("MenuItem1Click");
    b.method<&W::Selection1Resize>("Selection1Resize");
    b.method<&W::bnSizeClick>("bnSizeClick");
    b.method<&W::panelxResize>("panelxResize");
    b.method<&W::AnKlickEventClick>("AnKlickEventClick");
    b.method<&W::bnGotoProcClick>("bnGotoProcClick");
    b.method<&W::FormDestroy>("FormDestroy");
    b.method<&W::cbProcsKeyUp>("cbProcsKeyUp");
    b.method<&W::cbProcsClosePopup>("cbProcsClosePopup");
    b.method<&W::MenuItem2Click>("MenuItem2Click");
    b.method<&W::pnDummyResize>("pnDummyResize");
    b.method<&W::bnDTClick>("bnDTClick");
    b.method<&W::bnRTClick>("bnRTClick");
    b.method<&W::bnStrukturClick>("bnStrukturClick");
}

void TF_FMXWindowDisplay::fireEvent(const char *eventName) { fireStoredEvent(this, eventName, this); }

// Dragging the frame's grips is what resizes it.
void TF_FMXWindowDisplay::selectionDragged(TObject *) { fireStoredEvent(Selection1, "OnResize", Selection1); }

void TF_FMXWindowDisplay::connectComponentEvents()
{
    // The layout binds these handlers to events that the controls do not
    // fire themselves: the frame's resize, the procedure box's key release
    // and closing drop-down list.
    Selection1->OnTrack = TNotifyEvent::bind<&TF_FMXWindowDisplay::selectionDragged>(this);
    Selection1->OnChange = TNotifyEvent::bind<&TF_FMXWindowDisplay::selectionDragged>(this);

    if (auto *combo = qobject_cast<QComboBox *>(cbProcs->peer())) {
        combo->installEventFilter(new EventHook(combo, QEvent::KeyRelease,
                                                [this] { fireStoredEvent(cbProcs, "OnKeyUp", cbProcs); }));
        QObject::connect(combo, &QComboBox::activated, combo,
                         [this](int) { fireStoredEvent(cbProcs, "OnClosePopup", cbProcs); });
    }

    // The structure pane reports its choices and the double-click on an
    // event line.
    pnStruktur->OnNodeChosen = [this](int node) { guarded([this, node] { structureNodeChosen(node); }); };
    pnStruktur->OnEventLineActivated = [this](const FormProperty &line) {
        // What choosing the line in the event menu does: the hidden button
        // carries the line as the menu item would.
        bnGotoProc->SetText(QString::fromUtf8(line.name + " = " + line.value));
        bnGotoProcClick(bnGotoProc);
    };

    // The source/form toggle's menu is attached to no control: its shortcut
    // works on the whole window.
    const QKeySequence keys = shortCutToKeySequence(MenuItem2->ShortCut());
    if (!keys.isEmpty()) {
        m_toggleShortcut = new QShortcut(keys, peer());
        m_toggleShortcut->setContext(Qt::WindowShortcut);
        QObject::connect(m_toggleShortcut, &QShortcut::activated, m_toggleShortcut, [this] { MenuItem2->Click(); });
    }
}

void TF_FMXWindowDisplay::guarded(const std::function<void()> &command)
{
    try {
        command();
    } catch (const Exception &e) {
        ShowMessage(QString::fromStdString(e.message()));
    } catch (const std::exception &e) {
        ShowMessage(QString::fromUtf8(e.what()));
    }
}

void TF_FMXWindowDisplay::FormCreate(TObject *)
{
    slProcList = std::make_unique<TStringList>();
    AView = QStringLiteral("True");
    TabSRCView->SetTabPosition(TTabPosition::None);

    m_view = std::make_unique<TDFMView>();
    m_view->FormOwner = this;
    m_view->EventOnClick = TNotifyEvent::bind<&TF_FMXWindowDisplay::AnKlickEventClick>(this);
    m_view->MethodOnClick = GetMethodProp(AnKlickEvent, QStringLiteral("OnClick"));
    m_view->EventOnResize = TNotifyEvent::bind<&TF_FMXWindowDisplay::pnDummyResize>(this);
    m_view->MethodOnResize = GetMethodProp(pnDummy, QStringLiteral("OnClick"));

    const QString argument = firstArgument(commandLineArguments());
    if (argument.isEmpty()) {
        ShowMessage(QString::fromUtf8(kNoFileMessage));
        m_terminate = true;
        return;
    }
    m_hasArgument = true;
    ListBox2->SetVisible(false);
    AFile = argument;
    RTView = AView == QLatin1String("True");

    SetApplicationStyleFromResource(QString::fromLatin1(kWin8StyleResource));

    bool restored = false;
    try {
        restored = RestoreWindowPos(*this, "Main", windowSettingsFile());
    } catch (const Exception &) {
        // An unreadable settings file counts as none.
    }
    if (!restored)
        SetPosition(TFormPosition::ScreenCenter);
}

void TF_FMXWindowDisplay::FormShow(TObject *) { Timer1->SetEnabled(true); }

void TF_FMXWindowDisplay::FormDestroy(TObject *)
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    slProcList.reset();
    // A program that ends before showing its window keeps the stored
    // position of the last real run.
    if (m_terminate)
        return;
    try {
        SaveWindowPos(*this, "Main", windowSettingsFile());
    } catch (const Exception &e) {
        // The settings folder cannot be written: the window position is
        // lost for this run only; say so once, at exit.
        ShowMessage(QString::fromStdString(e.message()));
    }
}

void TF_FMXWindowDisplay::ShowMainWindow()
{
    const TWindowState state = WindowState();
    Show();
    if (state != TWindowState::wsNormal)
        SetWindowState(state);
    RefreshStyleLookups();
    fireEvent("OnShow");
}

void TF_FMXWindowDisplay::RefreshStyleLookups()
{
    std::function<void(TFmxObject *)> visit = [&](TFmxObject *object) {
        for (TFmxObject *child : object->children()) {
            if (auto *control = object_cast<TControl>(child); control && control->isRealized()) {
                QWidget *widget = control->peer();
                const QString lookup = control->StyleLookup();
                // Most controls name no style and their widgets have no
                // property at all: nothing to look up by name.
                const bool mayDiffer = !lookup.isEmpty() || !widget->dynamicPropertyNames().isEmpty();
                if (mayDiffer && widget->property("styleLookup").toString() != lookup) {
                    widget->setProperty("styleLookup", lookup);
                    widget->style()->unpolish(widget);
                    widget->style()->polish(widget);
                    widget->update();
                }
            }
            visit(child);
        }
    };
    visit(this);
}

} // namespace vantor
