#pragma once

// Components without a widget: the timer, file and print dialogs, style
// books, effects and animations, language resources, gestures, actions and
// action lists, media player and camera; and the few controls that go with
// them (the media player's video surface, the ad banner, the drop target).
//
// Forms write where a non-visual component sits on the design surface as
// `Left` and `Top`; those are kept as read.

#include "framework/brush.h"
#include "framework/control.h"
#include "framework/controls/standard.h"
#include "framework/events.h"
#include "framework/geometry.h"

#include <QStringList>

#include <memory>
#include <vector>

class QTimer;

namespace vantor {

class TImageList;

// Fires OnTimer every Interval milliseconds while Enabled. It starts once the
// reader has finished the form (not half-way through it), and at once when
// made by code.
class TTimer : public TFmxObject
{
    VANTOR_CLASS(TTimer, TFmxObject)
public:
    explicit TTimer(TComponent *owner);
    ~TTimer() override;
    static void DeclareProperties(ClassBuilder<TTimer> &b);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v);
    std::int64_t Interval() const { return m_interval; }
    void SetInterval(std::int64_t ms);
    // True while the Qt timer is running.
    bool isActive() const;

    TNotifyEvent OnTimer;

    void Loaded() override;

private:
    void update();
    void tick();
    std::unique_ptr<QTimer> m_timer;
    std::int64_t m_interval = 1000;
    bool m_enabled = true;
    bool m_inTick = false;
};

// What every dialog component shares.
class TCommonDialog : public TFmxObject
{
    VANTOR_CLASS(TCommonDialog, TFmxObject)
public:
    explicit TCommonDialog(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TCommonDialog> &b);
};

// A file-open dialog. Execute() shows a Qt file dialog with the form's
// title, folder, name and filter.
class TOpenDialog : public TCommonDialog
{
    VANTOR_CLASS(TOpenDialog, TCommonDialog)
public:
    explicit TOpenDialog(TComponent *owner) : TCommonDialog(owner) {}
    static void DeclareProperties(ClassBuilder<TOpenDialog> &b);

    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &f) { m_fileName = f; }
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &f) { m_filter = f; }
    std::int64_t FilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(std::int64_t i) { m_filterIndex = i; }
    QString DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const QString &e) { m_defaultExt = e; }
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString &d) { m_initialDir = d; }
    QString Title() const { return m_title; }
    void SetTitle(const QString &t) { m_title = t; }
    std::int64_t Options() const { return m_options; }
    void SetOptions(std::int64_t o) { m_options = o; }
    QStringList Files() const { return m_files; }

    // Shows the dialog; true when the user chose a file (FileName and Files
    // hold it then).
    virtual bool Execute();

    // The filter as Qt's file dialogs take it: "Text|*.txt;*.log|All|*.*"
    // becomes {"Text (*.txt *.log)", "All (*.*)"}. A trailing description
    // without a mask is dropped.
    static QStringList qtFilters(const QString &filter);

protected:
    QString m_fileName;
    QString m_filter;
    std::int64_t m_filterIndex = 1;
    QString m_defaultExt;
    QString m_initialDir;
    QString m_title;
    std::int64_t m_options = 0;
    QStringList m_files;
};

// A file-save dialog.
class TSaveDialog : public TOpenDialog
{
    VANTOR_CLASS(TSaveDialog, TOpenDialog)
public:
    explicit TSaveDialog(TComponent *owner) : TOpenDialog(owner) {}
    bool Execute() override;
};

// The print dialog; its settings are kept (the viewer does not print).
class TPrintDialog : public TCommonDialog
{
    VANTOR_CLASS(TPrintDialog, TCommonDialog)
public:
    explicit TPrintDialog(TComponent *owner) : TCommonDialog(owner) {}
    static void DeclareProperties(ClassBuilder<TPrintDialog> &b);
};

class TPrinterSetupDialog : public TCommonDialog
{
    VANTOR_CLASS(TPrinterSetupDialog, TCommonDialog)
public:
    explicit TPrinterSetupDialog(TComponent *owner) : TCommonDialog(owner) {}
};

// One platform's style of a style book.
class TStyleCollectionItem : public TCollectionItem
{
    VANTOR_CLASS(TStyleCollectionItem, TCollectionItem)
public:
    TStyleCollectionItem() = default;
    static void DeclareProperties(ClassBuilder<TStyleCollectionItem> &b);
    QString Platform() const { return m_platform; }
    void SetPlatform(const QString &p) { m_platform = p; }
    QByteArray ResourcesBin() const { return m_resources; }
    void SetResourcesBin(const QByteArray &d) { m_resources = d; }

private:
    QString m_platform;
    QByteArray m_resources;
};

// A form's style resources, kept as read: the platform styles (`Styles`),
// the older text resource (`Resource.Strings`) and binary (`ResourcesBin`).
class BookStyles;

class TStyleBook : public TFmxObject
{
    VANTOR_CLASS(TStyleBook, TFmxObject)
public:
    explicit TStyleBook(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TStyleBook> &b);

    TCollection *Styles() const { return m_styles.get(); }
    TStrings *Resource() const { return m_resource.get(); }
    bool UseStyleManager() const { return m_useStyleManager; }
    void SetUseStyleManager(bool v) { m_useStyleManager = v; }

    // The platform whose `Styles` item the book's controls are drawn with,
    // as the loader names it ("Windows" for a plain form). Setting it drops
    // the styles read for another platform.
    const std::string &StylePlatform() const { return m_stylePlatform; }
    void SetStylePlatform(std::string platform);
    // The book's styles for StylePlatform, read on first use and kept
    // (stylebook.h); changing the book's items afterwards is not seen.
    std::shared_ptr<const BookStyles> ReadStyles() const;

private:
    std::unique_ptr<TCollection> m_styles;
    std::unique_ptr<TStrings> m_resource;
    bool m_useStyleManager = false;
    std::string m_stylePlatform = "Windows";
    mutable std::shared_ptr<const BookStyles> m_read;
};

// The base of visual effects that a control carries as a child.
class TEffect : public TFmxObject
{
    VANTOR_CLASS(TEffect, TFmxObject)
public:
    explicit TEffect(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TEffect> &b);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }

private:
    bool m_enabled = true;
};

// A drop shadow under its parent control; its settings are kept (not
// drawn: the controls' widgets keep their own opacity effect).
class TShadowEffect : public TEffect
{
    VANTOR_CLASS(TShadowEffect, TEffect)
public:
    explicit TShadowEffect(TComponent *owner) : TEffect(owner) {}
    static void DeclareProperties(ClassBuilder<TShadowEffect> &b);

    double Direction() const { return m_direction; }
    void SetDirection(double v) { m_direction = v; }
    double Distance() const { return m_distance; }
    void SetDistance(double v) { m_distance = v; }
    double Opacity() const { return m_opacity; }
    void SetOpacity(double v) { m_opacity = v; }
    double Softness() const { return m_softness; }
    void SetSoftness(double v) { m_softness = v; }
    TAlphaColor ShadowColor() const { return m_color; }
    void SetShadowColor(TAlphaColor c) { m_color = c; }

private:
    double m_direction = 45;
    double m_distance = 3;
    double m_opacity = 0.6;
    double m_softness = 0.3;
    TAlphaColor m_color = claColors::Black;
};

// What animations share; animations are kept, not run.
class TAnimation : public TFmxObject
{
    VANTOR_CLASS(TAnimation, TFmxObject)
public:
    explicit TAnimation(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TAnimation> &b);
};

// Animates a gradient property (PropertyName) from StartValue to StopValue.
class TGradientAnimation : public TAnimation
{
    VANTOR_CLASS(TGradientAnimation, TAnimation)
public:
    explicit TGradientAnimation(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TGradientAnimation> &b);
    TGradient *StartValue() const { return m_startValue.get(); }
    TGradient *StopValue() const { return m_stopValue.get(); }

private:
    std::unique_ptr<TGradient> m_startValue;
    std::unique_ptr<TGradient> m_stopValue;
};

// Translations of the form's texts, kept as read.
class TLang : public TFmxObject
{
    VANTOR_CLASS(TLang, TFmxObject)
public:
    explicit TLang(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TLang> &b);
    QString Lang() const { return m_lang; }
    void SetLang(const QString &l) { m_lang = l; }

private:
    QString m_lang;
};

// Gesture identifiers (sgiLeft, igiPan ...) for integer properties that take them.
bool gestureIdentToInt(const QString &ident, std::int64_t &value);

// A gesture and the action it starts.
class TGestureCollectionItem : public TCollectionItem
{
    VANTOR_CLASS(TGestureCollectionItem, TCollectionItem)
public:
    TGestureCollectionItem() = default;
    static void DeclareProperties(ClassBuilder<TGestureCollectionItem> &b);
};

// The gestures one control takes.
class TGestureDataItem : public TCollectionItem
{
    VANTOR_CLASS(TGestureDataItem, TCollectionItem)
public:
    TGestureDataItem();
    static void DeclareProperties(ClassBuilder<TGestureDataItem> &b);
    TCollection *GestureCollection() const { return m_collection.get(); }

private:
    std::unique_ptr<TCollection> m_collection;
};

class TGestureManager : public TComponent
{
    VANTOR_CLASS(TGestureManager, TComponent)
public:
    explicit TGestureManager(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TGestureManager> &b);
    TCollection *GestureData() const { return m_data.get(); }
    double Sensitivity() const { return m_sensitivity; }
    void SetSensitivity(double s) { m_sensitivity = s; }

private:
    std::unique_ptr<TCollection> m_data;
    double m_sensitivity = 80;
};

class TActionList;

// What actions share: a category and the action list they belong to (the
// component they are nested in on the form).
class TContainedAction : public TComponent
{
    VANTOR_CLASS(TContainedAction, TComponent)
public:
    explicit TContainedAction(TComponent *owner) : TComponent(owner) {}
    ~TContainedAction() override;
    static void DeclareProperties(ClassBuilder<TContainedAction> &b);

    QString Category() const { return m_category; }
    void SetCategory(const QString &c) { m_category = c; }
    TActionList *ActionList() const { return m_actionList; }
    void SetActionList(TActionList *list);
    int Index() const;

    void SetParentComponent(TComponent *parent) override;
    TComponent *GetParentComponent() const override;

private:
    friend class TActionList;
    TActionList *m_actionList = nullptr;
    QString m_category;
};

// An action with the state that menus and buttons show: Text, Enabled,
// Checked, Visible, ImageIndex, ShortCut. Execute() fires OnExecute.
class TCustomAction : public TContainedAction
{
    VANTOR_CLASS(TCustomAction, TContainedAction)
public:
    explicit TCustomAction(TComponent *owner) : TContainedAction(owner) {}

    QString Text() const { return m_text; }
    void SetText(const QString &t) { m_text = t; }
    QString Hint() const { return m_hint; }
    void SetHint(const QString &h) { m_hint = h; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }
    bool Checked() const { return m_checked; }
    // Checking an action of a group (GroupIndex > 0) unchecks the others of
    // that group in the same list.
    void SetChecked(bool v);
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool v) { m_autoCheck = v; }
    std::int64_t GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(std::int64_t g) { m_groupIndex = g; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    std::int64_t ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(std::int64_t i) { m_imageIndex = i; }
    std::int64_t ShortCut() const { return m_shortCut; }
    void SetShortCut(std::int64_t s) { m_shortCut = s; }

    TNotifyEvent OnExecute;
    // Runs the action: nothing when disabled; AutoCheck toggles Checked
    // first. True when a handler ran.
    virtual bool Execute();

    // Declares what every action publishes (each class picks its own set).
    template<class T> static void declareCommon(ClassBuilder<T> &b);

private:
    QString m_text;
    QString m_hint;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_autoCheck = false;
    bool m_visible = true;
    std::int64_t m_groupIndex = 0;
    std::int64_t m_imageIndex = -1;
    std::int64_t m_shortCut = 0;
};

class TAction : public TCustomAction
{
    VANTOR_CLASS(TAction, TCustomAction)
public:
    explicit TAction(TComponent *owner) : TCustomAction(owner) {}
    static void DeclareProperties(ClassBuilder<TAction> &b);
};

// The standard "exit" action. In the viewer it only fires its handler: the
// viewer itself must not quit when a shown form's menu item is chosen.
class TFileExit : public TCustomAction
{
    VANTOR_CLASS(TFileExit, TCustomAction)
public:
    explicit TFileExit(TComponent *owner) : TCustomAction(owner) {}
    static void DeclareProperties(ClassBuilder<TFileExit> &b);
    QString CustomText() const { return m_customText; }
    void SetCustomText(const QString &t) { m_customText = t; }

private:
    QString m_customText;
};

// The actions nested in it on the form, in order.
class TActionList : public TComponent
{
    VANTOR_CLASS(TActionList, TComponent)
public:
    explicit TActionList(TComponent *owner) : TComponent(owner) {}
    ~TActionList() override;
    static void DeclareProperties(ClassBuilder<TActionList> &b);

    int ActionCount() const { return int(m_actions.size()); }
    TContainedAction *Actions(int index) const { return m_actions.at(std::size_t(index)); }
    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *list);

    void Notification(TComponent *component, TOperation operation) override;

private:
    friend class TContainedAction;
    std::vector<TContainedAction *> m_actions;
    TImageList *m_images = nullptr;
};

// Plays a media file; the file name and volume are kept (nothing plays).
class TMediaPlayer : public TFmxObject
{
    VANTOR_CLASS(TMediaPlayer, TFmxObject)
public:
    explicit TMediaPlayer(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TMediaPlayer> &b);
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &f) { m_fileName = f; }

private:
    QString m_fileName;
};

// The surface a media player shows video on: a black area.
class TMediaPlayerControl : public TControl
{
    VANTOR_CLASS(TMediaPlayerControl, TControl)
public:
    explicit TMediaPlayerControl(TComponent *owner) : TControl(owner) {}
    ~TMediaPlayerControl() override;
    static void DeclareProperties(ClassBuilder<TMediaPlayerControl> &b);
    TMediaPlayer *MediaPlayer() const { return m_player; }
    void SetMediaPlayer(TMediaPlayer *player);
    void Notification(TComponent *component, TOperation operation) override;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TMediaPlayer *m_player = nullptr;
};

// A camera source; its settings are kept (no camera is opened).
class TCameraComponent : public TFmxObject
{
    VANTOR_CLASS(TCameraComponent, TFmxObject)
public:
    explicit TCameraComponent(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TCameraComponent> &b);
};

// The place of an advertising banner: an empty framed area (no ads are fetched).
class TBannerAd : public TControl
{
    VANTOR_CLASS(TBannerAd, TControl)
public:
    explicit TBannerAd(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TBannerAd> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A framed area with a centred text that files can be dropped on.
class TDropTarget : public TTextControl
{
    VANTOR_CLASS(TDropTarget, TTextControl)
public:
    explicit TDropTarget(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TDropTarget> &b);
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &f) { m_filter = f; }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    QString m_filter;
};

} // namespace vantor
