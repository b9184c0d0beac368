#pragma once

// Menus: TMainMenu and TPopupMenu are non-visual components that hold
// TMenuItem children (which may hold further items). They have no widget in
// the form; they build Qt menus on demand: a QMenuBar for the main menu, a
// QMenu for a pop-up menu or an item with sub-items.

#include "framework/brush.h"
#include "framework/controls/containers.h"

#include <QKeySequence>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace vantor {

// A key combination as forms store it: the key's virtual-key code in the low
// byte, plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt. Empty for 0 and for keys
// that have no Qt equivalent.
QKeySequence shortCutToKeySequence(std::int64_t shortCut);

class TMenuItem : public TTextControl
{
    VANTOR_CLASS(TMenuItem, TTextControl)
public:
    explicit TMenuItem(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TMenuItem> &b);

    bool IsChecked() const { return m_checked; }
    // Checking a radio item unchecks the other radio items of its group.
    void SetIsChecked(bool v);
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool v) { m_autoCheck = v; }
    bool RadioItem() const { return m_radioItem; }
    void SetRadioItem(bool v) { m_radioItem = v; }
    std::int64_t GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(std::int64_t v) { m_groupIndex = v; }
    std::int64_t ShortCut() const { return m_shortCut; }
    void SetShortCut(std::int64_t v) { m_shortCut = v; }
    std::int64_t ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(std::int64_t v) { m_imageIndex = v; }
    TBitmap *Bitmap() const { return m_bitmap.get(); }
    // A text of "-" makes the item a separator line.
    bool isSeparator() const { return Text() == QLatin1String("-"); }

    // The sub-items, in order.
    std::vector<TMenuItem *> items() const;
    // An AutoCheck item toggles its check mark; then OnClick fires.
    void Click() override;

    // Adds this item (and its sub-items, as a sub-menu) to a Qt menu; does
    // nothing for an invisible item. The action fires Click() when chosen.
    void addTo(QMenu *menu);
    void addTo(QMenuBar *bar);

    // Menu items draw nothing in the form.
    QWidget *containerWidget() override { return nullptr; }

private:
    QAction *makeAction(QObject *parent);
    void fill(QMenu *menu);

    std::unique_ptr<TBitmap> m_bitmap;
    std::int64_t m_groupIndex = 0;
    std::int64_t m_shortCut = 0;
    std::int64_t m_imageIndex = -1;
    bool m_checked = false;
    bool m_autoCheck = false;
    bool m_radioItem = false;
};

// What both menus share: the items, the image list and the place where the
// designer showed the component (Left, Top).
class TMenuComponent : public TFmxObject
{
    VANTOR_CLASS(TMenuComponent, TFmxObject)
public:
    explicit TMenuComponent(TComponent *owner) : TFmxObject(owner) {}
    static void DeclareProperties(ClassBuilder<TMenuComponent> &b);

    std::vector<TMenuItem *> items() const;
    // The designer's place of the component, kept as read.
    std::int64_t Left() const { return m_left; }
    void SetLeft(std::int64_t v) { m_left = v; }
    std::int64_t Top() const { return m_top; }
    void SetTop(std::int64_t v) { m_top = v; }

private:
    std::int64_t m_left = 0;
    std::int64_t m_top = 0;
};

class TMainMenu : public TMenuComponent
{
    VANTOR_CLASS(TMainMenu, TMenuComponent)
public:
    explicit TMainMenu(TComponent *owner) : TMenuComponent(owner) {}

    // A menu bar with the items; the caller owns it (or gives it a parent).
    QMenuBar *createMenuBar(QWidget *parent = nullptr);
};

class TPopupMenu : public TMenuComponent
{
    VANTOR_CLASS(TPopupMenu, TMenuComponent)
public:
    explicit TPopupMenu(TComponent *owner) : TMenuComponent(owner) {}
    static void DeclareProperties(ClassBuilder<TPopupMenu> &b);

    // A menu with the items; the caller owns it (or gives it a parent).
    QMenu *createMenu(QWidget *parent = nullptr);
    // Shows the menu at a screen position without waiting for a choice; the
    // menu deletes itself when it closes.
    void Popup(double x, double y);
};

} // namespace vantor
