#include "framework/controls/tabs.h"

#include "framework/brush.h"

#include <QIcon>
#include <QPixmap>
#include <QTabBar>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TCustomIconItem)
VANTOR_IMPLEMENT_CLASS(TTabItem)
VANTOR_IMPLEMENT_CLASS(TTabControl)

namespace {

constexpr double kDefaultTabHeight = 26;

// The tab control's widget: the bar of tabs along one edge; the pages are
// the items' widgets, placed by the layout.
class TabControlPeer : public QWidget
{
public:
    TabControlPeer() : bar(new QTabBar(this)) { bar->setDrawBase(false); }
    QTabBar *bar;
    double barHeight = kDefaultTabHeight;
    bool atBottom = false;

    void place()
    {
        const int h = qRound(barHeight);
        bar->setVisible(h > 0);
        bar->setGeometry(0, atBottom ? height() - h : 0, width(), h);
        bar->raise();
    }

protected:
    void resizeEvent(QResizeEvent *) override { place(); }
};

} // namespace

const EnumInfo &tabPositionInfo()
{
    static const EnumInfo info{"TTabPosition", {"Top", "Bottom", "None", "Dots", "PlatformDefault"}, "tp"};
    return info;
}

// ---------------------------------------------------------------------------

void TCustomIconItem::DeclareProperties(ClassBuilder<TCustomIconItem> &b)
{
    b.binary("PNG", &TCustomIconItem::PNG, &TCustomIconItem::SetPNG);
    b.stored("FileName", PropKind::String);
    b.stored("Scale", PropKind::Float);
    b.stored("Width", PropKind::Integer);
    b.stored("Height", PropKind::Integer);
}

void TCustomIconItem::SetPNG(const QByteArray &data)
{
    m_bitmap.SetPNG(data);
    // The tab shows the icon: let it know.
    if (Collection() && Collection()->onChange)
        Collection()->onChange();
}

// ---------------------------------------------------------------------------

TTabItem::TTabItem(TComponent *owner)
    : TTextControl(owner), m_tabSize(std::make_unique<TControlSize>()), m_tabPosition(std::make_unique<TPosition>()),
      m_tabMargins(std::make_unique<TBounds>()),
      m_customIcon(std::make_unique<TCollection>(TCustomIconItem::StaticClass()))
{
    TextSettings()->SetHorzAlign(TTextAlign::Center);
    // The page fills the tab control's page area; it shows while selected.
    SetAlign(TAlignLayout::Client);
    SetVisible(false);
    m_customIcon->onChange = [this] { tabChanged(); };
}

void TTabItem::DeclareProperties(ClassBuilder<TTabItem> &b)
{
    publishHelp(b);
    b.boolean("IsSelected", &TTabItem::IsSelected, &TTabItem::SetIsSelected);
    b.boolean("AutoSize", &TTabItem::AutoSize, &TTabItem::SetAutoSize);
    b.integer("ImageIndex", &TTabItem::ImageIndex, &TTabItem::SetImageIndex);
    b.collection("CustomIcon", &TTabItem::CustomIcon);
    // The tab's own geometry, as forms write it.
    b.persistent("Size", &TTabItem::TabSize);
    b.persistent("Position", &TTabItem::TabPosition);
    b.persistent("Margins", &TTabItem::TabMargins);
    b.floating("Width", [](TTabItem &t) { return t.TabSize()->Width(); },
               [](TTabItem &t, double v) { t.TabSize()->SetWidth(v); });
    b.floating("Height", [](TTabItem &t) { return t.TabSize()->Height(); },
               [](TTabItem &t, double v) { t.TabSize()->SetHeight(v); });
    b.boolean("Visible", &TTabItem::TabVisible, &TTabItem::SetTabVisible);
    // Written by designers that remember the size a tab had elsewhere.
    b.stored("ExplicitSize.cx", PropKind::Float);
    b.stored("ExplicitSize.cy", PropKind::Float);
}

TTabControl *TTabItem::TabControl() const
{
    return object_cast<TTabControl>(Parent());
}

void TTabItem::SetIsSelected(bool v)
{
    m_selected = v;
    TTabControl *tc = TabControl();
    if (!tc || tc->isLoading() || isLoading())
        return;
    const auto tabs = tc->Tabs();
    const auto it = std::find(tabs.begin(), tabs.end(), this);
    if (v)
        tc->SetTabIndex(it - tabs.begin());
    else if (tc->TabIndex() == it - tabs.begin())
        tc->SetTabIndex(-1);
}

void TTabItem::SetTabVisible(bool v)
{
    m_tabVisible = v;
    if (TTabControl *tc = TabControl(); tc && !tc->isLoading())
        tc->applySelection();
}

QImage TTabItem::icon() const
{
    for (int i = 0; i < m_customIcon->Count(); ++i)
        if (auto *item = object_cast<TCustomIconItem>(m_customIcon->Items(i)); item && !item->image().isNull())
            return item->image();
    return {};
}

void TTabItem::updatePeer()
{
    tabChanged();
}

void TTabItem::tabChanged()
{
    if (TTabControl *tc = TabControl())
        tc->syncBar();
}

// ---------------------------------------------------------------------------

TTabControl::TTabControl(TComponent *owner) : TControl(owner), m_sizes(std::make_unique<TStrings>()) {}

void TTabControl::DeclareProperties(ClassBuilder<TTabControl> &b)
{
    publishHelp(b);
    b.integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
    // The tab shown; TabIndex, read as well, says the same.
    b.stored("ActiveTab", PropKind::Component);
    b.enumeration("TabPosition", tabPositionInfo(), &TTabControl::TabPosition, &TTabControl::SetTabPosition);
    b.floating("TabHeight", &TTabControl::TabHeight, &TTabControl::SetTabHeight);
    b.boolean("FullSize", &TTabControl::FullSize, &TTabControl::SetFullSize);
    // The page sizes the designer remembers per tab; kept as read.
    b.strings("Sizes", &TTabControl::Sizes);
    b.stored("Images", PropKind::Component);
    b.stored("Touch.GestureManager", PropKind::Component);
    b.event("OnChange");
}

std::vector<TTabItem *> TTabControl::Tabs() const
{
    std::vector<TTabItem *> tabs;
    for (TFmxObject *child : children())
        if (auto *t = object_cast<TTabItem>(child))
            tabs.push_back(t);
    return tabs;
}

TTabItem *TTabControl::ActiveTab() const
{
    const auto tabs = Tabs();
    return m_tabIndex >= 0 && m_tabIndex < std::int64_t(tabs.size()) ? tabs[std::size_t(m_tabIndex)] : nullptr;
}

double TTabControl::barHeight() const
{
    if (m_tabPosition == TTabPosition::None || m_tabPosition == TTabPosition::Dots)
        return 0;
    return m_tabHeight > 0 ? m_tabHeight : kDefaultTabHeight;
}

void TTabControl::SetTabIndex(std::int64_t index)
{
    m_tabIndex = index;
    if (!isLoading())
        applySelection();
}

void TTabControl::SetTabPosition(TTabPosition p)
{
    m_tabPosition = p;
    placePages();
}

void TTabControl::SetTabHeight(double h)
{
    m_tabHeight = h;
    placePages();
}

void TTabControl::placePages()
{
    const double bar = barHeight();
    const bool bottom = m_tabPosition == TTabPosition::Bottom;
    for (TTabItem *t : Tabs()) {
        t->Margins()->SetTop(bottom ? 0 : bar);
        t->Margins()->SetBottom(bottom ? bar : 0);
    }
    peerChanged();
}

void TTabControl::applySelection()
{
    const auto tabs = Tabs();
    if (m_tabIndex >= std::int64_t(tabs.size()) || m_tabIndex < -1)
        m_tabIndex = -1;
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const bool selected = std::int64_t(i) == m_tabIndex;
        tabs[i]->m_selected = selected;
        tabs[i]->SetVisible(selected && tabs[i]->TabVisible());
    }
    syncBar();
}

void TTabControl::Loaded()
{
    // The form names the selected tab twice (TabIndex, IsSelected); an index
    // that fits wins, as the control reads it last.
    const auto tabs = Tabs();
    if (m_tabIndex < 0 || m_tabIndex >= std::int64_t(tabs.size())) {
        m_tabIndex = tabs.empty() ? -1 : 0;
        for (std::size_t i = 0; i < tabs.size(); ++i)
            if (tabs[i]->IsSelected()) {
                m_tabIndex = std::int64_t(i);
                break;
            }
    }
    placePages();
    applySelection();
    TControl::Loaded();
}

void TTabControl::childAdded(TFmxObject *child)
{
    if (auto *t = object_cast<TTabItem>(child)) {
        const double bar = barHeight();
        const bool bottom = m_tabPosition == TTabPosition::Bottom;
        t->Margins()->SetTop(bottom ? 0 : bar);
        t->Margins()->SetBottom(bottom ? bar : 0);
        if (!isLoading())
            applySelection();
    }
    TControl::childAdded(child);
}

void TTabControl::childRemoved(TFmxObject *child)
{
    // A tab item that is being destroyed no longer tells its class: look at
    // the tabs that are left whatever went.
    if (!isDestroying()) {
        const auto tabs = Tabs();
        if (m_tabIndex >= std::int64_t(tabs.size()))
            m_tabIndex = std::int64_t(tabs.size()) - 1;
        applySelection();
    }
    TControl::childRemoved(child);
}

QWidget *TTabControl::createPeer()
{
    auto *p = new TabControlPeer();
    m_bar = p->bar;
    QObject::connect(p->bar, &QTabBar::currentChanged, [this](int index) {
        if (!m_syncing)
            SetTabIndex(index);
    });
    QObject::connect(p->bar, &QTabBar::tabBarClicked, [this](int index) {
        const auto tabs = Tabs();
        if (index >= 0 && index < int(tabs.size()))
            tabs[std::size_t(index)]->Click();
    });
    return p;
}

void TTabControl::updatePeer()
{
    auto *p = static_cast<TabControlPeer *>(peer());
    p->barHeight = barHeight();
    p->atBottom = m_tabPosition == TTabPosition::Bottom;
    p->bar->setShape(p->atBottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    p->bar->setExpanding(m_fullSize);
    syncBar();
    p->place();
}

void TTabControl::syncBar()
{
    if (!m_bar || m_syncing)
        return;
    m_syncing = true;
    const auto tabs = Tabs();
    while (m_bar->count() > int(tabs.size()))
        m_bar->removeTab(m_bar->count() - 1);
    while (m_bar->count() < int(tabs.size()))
        m_bar->addTab(QString());
    for (std::size_t i = 0; i < tabs.size(); ++i) {
        const int index = int(i);
        TTabItem *t = tabs[i];
        m_bar->setTabText(index, t->Text());
        m_bar->setTabVisible(index, t->TabVisible());
        m_bar->setTabEnabled(index, t->Enabled());
        m_bar->setTabToolTip(index, t->ShowHint() ? t->Hint() : QString());
        const QImage icon = t->icon();
        m_bar->setTabIcon(index, icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(icon)));
        if (!(t->StyledSettings() & (1u << ssFontColor)))
            m_bar->setTabTextColor(index, toQColor(t->TextSettings()->FontColor()));
    }
    m_bar->setCurrentIndex(int(m_tabIndex));
    m_syncing = false;
}

} // namespace vantor
