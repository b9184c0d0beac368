#include "framework/controls/menus.h"

#include "framework/peer.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TMenuItem)
VANTOR_IMPLEMENT_CLASS(TMenuComponent)
VANTOR_IMPLEMENT_CLASS(TMainMenu)
VANTOR_IMPLEMENT_CLASS(TPopupMenu)

QKeySequence shortCutToKeySequence(std::int64_t shortCut)
{
    const int vk = int(shortCut & 0xFF);
    int key = 0;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        key = vk; // Qt's key codes for digits and letters are their ASCII codes
    else if (vk >= 0x70 && vk <= 0x87)
        key = Qt::Key_F1 + (vk - 0x70);
    else if (vk >= 0x60 && vk <= 0x69)
        key = Qt::Key_0 + (vk - 0x60); // the number pad's digits
    else {
        struct VirtualKey
        {
            int vk;
            int key;
        };
        static const VirtualKey kKeys[] = {
            {0x08, Qt::Key_Backspace}, {0x09, Qt::Key_Tab},    {0x0D, Qt::Key_Return}, {0x1B, Qt::Key_Escape},
            {0x20, Qt::Key_Space},     {0x21, Qt::Key_PageUp}, {0x22, Qt::Key_PageDown}, {0x23, Qt::Key_End},
            {0x24, Qt::Key_Home},      {0x25, Qt::Key_Left},   {0x26, Qt::Key_Up},     {0x27, Qt::Key_Right},
            {0x28, Qt::Key_Down},      {0x2D, Qt::Key_Insert}, {0x2E, Qt::Key_Delete}, {0x6A, Qt::Key_Asterisk},
            {0x6B, Qt::Key_Plus},      {0x6D, Qt::Key_Minus},  {0x6E, Qt::Key_Period}, {0x6F, Qt::Key_Slash},
            {0xBB, Qt::Key_Plus},      {0xBC, Qt::Key_Comma},  {0xBD, Qt::Key_Minus},  {0xBE, Qt::Key_Period},
        };
        for (const VirtualKey &k : kKeys)
            if (k.vk == vk)
                key = k.key;
    }
    if (key == 0)
        return {};
    int modifiers = 0;
    if (shortCut & 0x2000)
        modifiers |= Qt::SHIFT;
    if (shortCut & 0x4000)
        modifiers |= Qt::CTRL;
    if (shortCut & 0x8000)
        modifiers |= Qt::ALT;
    return QKeySequence(key | modifiers);
}

// ---------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent *owner) : TTextControl(owner), m_bitmap(std::make_unique<TBitmap>()) {}

void TMenuItem::DeclareProperties(ClassBuilder<TMenuItem> &b)
{
    publishHelp(b);
    b.boolean("IsChecked", &TMenuItem::IsChecked, &TMenuItem::SetIsChecked);
    b.boolean("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
    b.boolean("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    b.integer("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    b.integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
    b.integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    b.persistent("Bitmap", &TMenuItem::Bitmap);
    b.stored("Action", PropKind::Component);
}

std::vector<TMenuItem *> TMenuItem::items() const
{
    std::vector<TMenuItem *> result;
    for (TFmxObject *child : children())
        if (auto *item = object_cast<TMenuItem>(child))
            result.push_back(item);
    return result;
}

void TMenuItem::SetIsChecked(bool v)
{
    m_checked = v;
    if (!v || !m_radioItem || !Parent() || isLoading())
        return;
    for (TFmxObject *sibling : Parent()->children())
        if (auto *item = object_cast<TMenuItem>(sibling);
            item && item != this && item->m_radioItem && item->m_groupIndex == m_groupIndex)
            item->m_checked = false;
}

void TMenuItem::Click()
{
    if (m_autoCheck)
        SetIsChecked(m_radioItem ? true : !m_checked);
    TTextControl::Click();
}

QAction *TMenuItem::makeAction(QObject *parent)
{
    auto *action = new QAction(Text(), parent);
    if (isSeparator()) {
        action->setSeparator(true);
        return action;
    }
    action->setEnabled(Enabled());
    action->setCheckable(m_autoCheck || m_checked || m_radioItem);
    action->setChecked(m_checked);
    action->setShortcut(shortCutToKeySequence(m_shortCut));
    action->setToolTip(plainToolTip(Hint()));
    action->setStatusTip(Hint());
    if (!m_bitmap->isEmpty())
        action->setIcon(QIcon(QPixmap::fromImage(m_bitmap->image())));
    QFont f = styledFont(*TextSettings(), StyledSettings(), action->font());
    action->setFont(f);
    // The item may go before the menu does.
    const std::weak_ptr<void> alive = aliveToken();
    QObject::connect(action, &QAction::triggered, [this, alive] {
        if (!alive.expired())
            Click();
    });
    return action;
}

void TMenuItem::fill(QMenu *menu)
{
    for (TMenuItem *item : items())
        item->addTo(menu);
}

void TMenuItem::addTo(QMenu *menu)
{
    if (!Visible())
        return;
    QAction *action = makeAction(menu);
    if (!items().empty() && !isSeparator()) {
        auto *sub = new QMenu(Text(), menu);
        fill(sub);
        action->setMenu(sub);
    }
    menu->addAction(action);
}

void TMenuItem::addTo(QMenuBar *bar)
{
    if (!Visible())
        return;
    QAction *action = makeAction(bar);
    if (!items().empty() && !isSeparator()) {
        auto *sub = new QMenu(Text(), bar);
        fill(sub);
        action->setMenu(sub);
    }
    bar->addAction(action);
}

// ---------------------------------------------------------------------------

void TMenuComponent::DeclareProperties(ClassBuilder<TMenuComponent> &b)
{
    b.stored("Images", PropKind::Component);
    b.integer("Left", &TMenuComponent::Left, &TMenuComponent::SetLeft);
    b.integer("Top", &TMenuComponent::Top, &TMenuComponent::SetTop);
}

std::vector<TMenuItem *> TMenuComponent::items() const
{
    std::vector<TMenuItem *> result;
    for (TFmxObject *child : children())
        if (auto *item = object_cast<TMenuItem>(child))
            result.push_back(item);
    return result;
}

QMenuBar *TMainMenu::createMenuBar(QWidget *parent)
{
    auto *bar = new QMenuBar(parent);
    for (TMenuItem *item : items())
        item->addTo(bar);
    return bar;
}

void TPopupMenu::DeclareProperties(ClassBuilder<TPopupMenu> &b)
{
    b.stored("PopupComponent", PropKind::Component);
    b.event("OnPopup");
}

QMenu *TPopupMenu::createMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    for (TMenuItem *item : items())
        item->addTo(menu);
    return menu;
}

void TPopupMenu::Popup(double x, double y)
{
    QMenu *menu = createMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(qRound(x), qRound(y)));
}

} // namespace vantor
