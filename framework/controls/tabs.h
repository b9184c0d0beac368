#pragma once

// Tab controls: TTabControl shows a bar of tabs (a QTabBar) and the page of
// the selected TTabItem below or above it.
//
// A tab item is two things: the tab in the bar, whose size, position and
// margins the form writes (`Size.Width = 49` is the tab's width), and the
// page that holds the item's children. The control's geometry is the page:
// the tab control lays every page over its page area and shows the selected
// one only. The tab's own Size, Position, Margins and Visible are kept apart.

#include "framework/brush.h"
#include "framework/controls/containers.h"

#include <QPointer>

class QTabBar;

namespace vantor {

class TTabControl;

enum class TTabPosition { Top, Bottom, None, Dots, PlatformDefault };
const EnumInfo &tabPositionInfo();

// One image of a tab's custom icon: PNG data (decoded), or the name of the
// file the designer took it from (kept only; the file is not read).
class TCustomIconItem : public TCollectionItem
{
    VANTOR_CLASS(TCustomIconItem, TCollectionItem)
public:
    TCustomIconItem() = default;
    static void DeclareProperties(ClassBuilder<TCustomIconItem> &b);
    QByteArray PNG() const { return m_bitmap.PNG(); }
    void SetPNG(const QByteArray &data);
    const QImage &image() const { return m_bitmap.image(); }

private:
    TBitmap m_bitmap;
};

class TTabItem : public TTextControl
{
    VANTOR_CLASS(TTabItem, TTextControl)
public:
    explicit TTabItem(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTabItem> &b);

    // The tab control this item belongs to, if its parent is one.
    TTabControl *TabControl() const;
    bool IsSelected() const { return m_selected; }
    void SetIsSelected(bool v);
    // Whether the tab shows in the bar (the form's Visible).
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool v);
    TControlSize *TabSize() const { return m_tabSize.get(); }
    TPosition *TabPosition() const { return m_tabPosition.get(); }
    TBounds *TabMargins() const { return m_tabMargins.get(); }
    TCollection *CustomIcon() const { return m_customIcon.get(); }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v) { m_autoSize = v; }
    std::int64_t ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(std::int64_t v) { m_imageIndex = v; }

protected:
    void updatePeer() override;

private:
    friend class TTabControl;
    void tabChanged();
    // The first custom icon image that decodes; null if none.
    QImage icon() const;

    std::unique_ptr<TControlSize> m_tabSize;
    std::unique_ptr<TPosition> m_tabPosition;
    std::unique_ptr<TBounds> m_tabMargins;
    std::unique_ptr<TCollection> m_customIcon;
    std::int64_t m_imageIndex = -1;
    bool m_selected = false;
    bool m_tabVisible = true;
    bool m_autoSize = true;
};

class TTabControl : public TControl
{
    VANTOR_CLASS(TTabControl, TControl)
public:
    explicit TTabControl(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTabControl> &b);

    // The tab items among the children, in order.
    std::vector<TTabItem *> Tabs() const;
    int TabCount() const { return int(Tabs().size()); }
    // -1 when no tab is selected.
    std::int64_t TabIndex() const { return m_tabIndex; }
    void SetTabIndex(std::int64_t index);
    TTabItem *ActiveTab() const;
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition p);
    double TabHeight() const { return m_tabHeight; }
    void SetTabHeight(double h);
    bool FullSize() const { return m_fullSize; }
    void SetFullSize(bool v) { m_fullSize = v; peerChanged(); }
    TStrings *Sizes() const { return m_sizes.get(); }
    // The height of the bar of tabs as laid out (0 when the tabs are hidden).
    double barHeight() const;

    void Loaded() override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;

private:
    friend class TTabItem;
    void placePages();
    void applySelection();
    void syncBar();

    std::unique_ptr<TStrings> m_sizes;
    QPointer<QTabBar> m_bar;
    std::int64_t m_tabIndex = -1;
    TTabPosition m_tabPosition = TTabPosition::PlatformDefault;
    double m_tabHeight = 0;
    bool m_fullSize = false;
    bool m_syncing = false;
};

} // namespace vantor
