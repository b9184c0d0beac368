#pragma once

// Lists: TListBox with TListBoxItem, the drop-down lists TComboBox and
// TPopupBox, TListView with its appearance objects, and TTreeView with
// TTreeViewItem.

#include "framework/brush.h"
#include "framework/controls/standard.h"
#include "framework/geometry.h"

#include <QPointer>

#include <memory>
#include <vector>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantor {

class TListBox;
class TListBoxItem;

enum class TListBoxItemAccessory { aNone, aMore, aDetail, aCheckmark };

// What a list box item shows besides its text: a detail text, an accessory
// mark at the right end and a bitmap at the left.
class TListBoxItemData : public TPersistent
{
    VANTOR_CLASS(TListBoxItemData, TPersistent)
public:
    TListBoxItemData();
    explicit TListBoxItemData(TListBoxItem *item);
    static void DeclareProperties(ClassBuilder<TListBoxItemData> &b);

    QString Text() const;
    void SetText(const QString &text);
    QString Detail() const { return m_detail; }
    void SetDetail(const QString &d) { m_detail = d; changed(); }
    TListBoxItemAccessory Accessory() const { return m_accessory; }
    void SetAccessory(TListBoxItemAccessory a) { m_accessory = a; changed(); }
    TBitmap *Bitmap() const { return m_bitmap.get(); }

private:
    void changed();
    TListBoxItem *m_item = nullptr;
    QString m_detail;
    TListBoxItemAccessory m_accessory = TListBoxItemAccessory::aNone;
    std::unique_ptr<TBitmap> m_bitmap;
};

// One row of a list box (or of a combo box's list). Inside a TListBox it is
// a painted row that the list places; a click selects it.
class TListBoxItem : public TTextControl
{
    VANTOR_CLASS(TListBoxItem, TTextControl)
public:
    explicit TListBoxItem(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TListBoxItem> &b);

    bool IsSelected() const { return m_selected; }
    void SetIsSelected(bool v);
    bool IsChecked() const { return m_checked; }
    void SetIsChecked(bool v) { m_checked = v; peerChanged(); }
    bool Selectable() const { return m_selectable; }
    void SetSelectable(bool v) { m_selectable = v; }
    TListBoxItemData *ItemData() const { return m_itemData.get(); }
    TListBox *listBox() const;

    void Click() override;
    // An item without a double-click handler of its own passes the double
    // click to its list, as a double click on a list's row is the list's.
    void DblClick() override;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    friend class TListBox;
    bool m_selected = false;
    bool m_checked = false;
    bool m_selectable = true;
    bool m_alternate = false; // drawn on the alternating background
    std::unique_ptr<TListBoxItemData> m_itemData;
};

enum class TListStyle { Vertical, Horizontal };
enum class TMultiSelectStyle { None, Default, Extended };

// A scrolling list of TListBoxItem children (and of the items that
// Items.Strings makes). The list places its items itself: one below the
// other (or side by side for a horizontal list, in Columns for a grid).
// Its peer is a QScrollArea whose content widget holds the items' widgets.
class TListBox : public TControl
{
    VANTOR_CLASS(TListBox, TControl)
public:
    explicit TListBox(TComponent *owner);
    ~TListBox() override;
    static void DeclareProperties(ClassBuilder<TListBox> &b);

    TStrings *Items() const { return m_items.get(); }
    // Selected item's index among the items as shown; -1 when none.
    std::int64_t ItemIndex() const;
    void SetItemIndex(std::int64_t index);
    double ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(double h) { m_itemHeight = h; layoutItems(); }
    double ItemWidth() const { return m_itemWidth; }
    void SetItemWidth(double w) { m_itemWidth = w; layoutItems(); }
    std::int64_t Columns() const { return m_columns; }
    void SetColumns(std::int64_t c) { m_columns = c; layoutItems(); }
    TListStyle ListStyle() const { return m_listStyle; }
    void SetListStyle(TListStyle s) { m_listStyle = s; layoutItems(); }
    bool ShowCheckboxes() const { return m_showCheckboxes; }
    void SetShowCheckboxes(bool v) { m_showCheckboxes = v; repaintItems(); }
    bool AlternatingRowBackground() const { return m_alternating; }
    void SetAlternatingRowBackground(bool v) { m_alternating = v; layoutItems(); }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool v) { m_sorted = v; layoutItems(); }
    TMultiSelectStyle MultiSelectStyle() const { return m_multiSelect; }
    void SetMultiSelectStyle(TMultiSelectStyle s) { m_multiSelect = s; }
    bool ShowScrollBars() const { return m_showScrollBars; }
    void SetShowScrollBars(bool v) { m_showScrollBars = v; peerChanged(); }

    // The items in the order shown (Sorted sorts them by text).
    std::vector<TListBoxItem *> items() const;
    int Count() const { return int(items().size()); }
    TListBoxItem *ListItems(int index) const;
    // Selects `item` (a click on it); other items lose their selection
    // unless the list allows several.
    void selectItem(TListBoxItem *item);
    // Places the items; runs after reading and whenever items or sizes change.
    void layoutItems();

    QWidget *containerWidget() override;
    void Loaded() override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;

private:
    void itemsFromStrings();
    void repaintItems();
    double viewportWidth() const;

    std::unique_ptr<TStrings> m_items;
    std::vector<TListBoxItem *> m_generated; // made from Items.Strings; children like the others
    QPointer<QWidget> m_content;
    std::int64_t m_itemIndex = -1;
    double m_itemHeight = 0;
    double m_itemWidth = 0;
    std::int64_t m_columns = 1;
    TListStyle m_listStyle = TListStyle::Vertical;
    TMultiSelectStyle m_multiSelect = TMultiSelectStyle::None;
    bool m_showCheckboxes = false;
    bool m_alternating = false;
    bool m_sorted = false;
    bool m_showScrollBars = true;
    bool m_inLayout = false;
};

// What the drop-down lists share: rows from Items.Strings followed by the
// texts of TListBoxItem children, and ItemIndex. Its peer is a QComboBox;
// child items only give their text, they have no widget of their own.
class TCustomComboBox : public TControl
{
    VANTOR_CLASS(TCustomComboBox, TControl)
public:
    explicit TCustomComboBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCustomComboBox> &b);

    std::int64_t ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(std::int64_t i) { m_itemIndex = i; peerChanged(); }
    // The rows as the list shows them.
    virtual QStringList rows() const;

    QWidget *containerWidget() override { return nullptr; }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;
    // Decorates row i after the rows are filled (colour swatches).
    virtual void decorateRow(QComboBox *, int) {}

private:
    std::int64_t m_itemIndex = -1;
};

// A drop-down list of strings.
class TComboBox : public TCustomComboBox
{
    VANTOR_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TComboBox> &b);

    TStrings *Items() const { return m_items.get(); }
    QStringList rows() const override;

private:
    std::unique_ptr<TStrings> m_items;
};

// A button that shows the chosen string of its Items and offers the others.
class TPopupBox : public TTextControl
{
    VANTOR_CLASS(TPopupBox, TTextControl)
public:
    explicit TPopupBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TPopupBox> &b);

    TStrings *Items() const { return m_items.get(); }
    std::int64_t ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(std::int64_t i) { m_itemIndex = i; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    std::unique_ptr<TStrings> m_items;
    std::int64_t m_itemIndex = -1;
};

// ---------------------------------------------------------------------------
// List view

// One drawable part of a list view row (its text, detail, image, accessory,
// buttons): where it sits and how it looks. Kept as read.
class TListItemAppearanceObject : public TPersistent
{
    VANTOR_CLASS(TListItemAppearanceObject, TPersistent)
public:
    TListItemAppearanceObject();
    static void DeclareProperties(ClassBuilder<TListItemAppearanceObject> &b);
    TFont *Font() const { return m_font.get(); }
    TPosition *PlaceOffset() const { return m_placeOffset.get(); }

private:
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TPosition> m_placeOffset;
};

// A part added to a dynamic appearance, with its name and class.
class TAppearanceObjectItem : public TCollectionItem
{
    VANTOR_CLASS(TAppearanceObjectItem, TCollectionItem)
public:
    TAppearanceObjectItem();
    static void DeclareProperties(ClassBuilder<TAppearanceObjectItem> &b);
    TListItemAppearanceObject *Appearance() const { return m_appearance.get(); }

private:
    std::unique_ptr<TListItemAppearanceObject> m_appearance;
};

// The parts of one kind of row (item, item in edit mode, header, footer).
class TItemAppearanceObjects : public TPersistent
{
    VANTOR_CLASS(TItemAppearanceObjects, TPersistent)
public:
    TItemAppearanceObjects();
    static void DeclareProperties(ClassBuilder<TItemAppearanceObjects> &b);
    TListItemAppearanceObject *part(int index) const { return m_parts[std::size_t(index)].get(); }
    TCollection *ObjectsCollection() const { return m_objects.get(); }

private:
    std::vector<std::unique_ptr<TListItemAppearanceObject>> m_parts;
    std::unique_ptr<TCollection> m_objects;
};

class TListViewAppearanceObjects : public TPersistent
{
    VANTOR_CLASS(TListViewAppearanceObjects, TPersistent)
public:
    TListViewAppearanceObjects();
    static void DeclareProperties(ClassBuilder<TListViewAppearanceObjects> &b);
    TItemAppearanceObjects *ItemObjects() const { return m_item.get(); }
    TItemAppearanceObjects *ItemEditObjects() const { return m_itemEdit.get(); }
    TItemAppearanceObjects *HeaderObjects() const { return m_header.get(); }
    TItemAppearanceObjects *FooterObjects() const { return m_footer.get(); }

private:
    std::unique_ptr<TItemAppearanceObjects> m_item, m_itemEdit, m_header, m_footer;
};

// A list whose rows the program adds at run time; forms only describe how
// rows look. Its peer is a QListWidget, empty unless rows are added.
class TListView : public TControl
{
    VANTOR_CLASS(TListView, TControl)
public:
    explicit TListView(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TListView> &b);

    TListViewAppearanceObjects *ItemAppearanceObjects() const { return m_appearance.get(); }
    TBounds *ItemSpaces() const { return m_itemSpaces.get(); }
    bool AlternatingColors() const { return m_alternating; }
    void SetAlternatingColors(bool v) { m_alternating = v; peerChanged(); }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v) { m_transparent = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    std::unique_ptr<TListViewAppearanceObjects> m_appearance;
    std::unique_ptr<TBounds> m_itemSpaces;
    bool m_alternating = false;
    bool m_transparent = false;
};

// ---------------------------------------------------------------------------
// Tree view

class TTreeView;

// A node of a tree view; nested nodes are its children.
class TTreeViewItem : public TTextControl
{
    VANTOR_CLASS(TTreeViewItem, TTextControl)
public:
    explicit TTreeViewItem(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTreeViewItem> &b);

    bool IsExpanded() const { return m_expanded; }
    void SetIsExpanded(bool v) { m_expanded = v; peerChanged(); }
    bool IsChecked() const { return m_checked; }
    void SetIsChecked(bool v) { m_checked = v; peerChanged(); }
    bool IsSelected() const { return m_selected; }
    void SetIsSelected(bool v) { m_selected = v; peerChanged(); }
    TTreeView *treeView() const;
    // Child nodes in order.
    std::vector<TTreeViewItem *> nodes() const;
    // Font and colour of the node's row (honouring StyledSettings).
    QFont rowFont() const { return peerFont(QFont()); }
    bool hasOwnColor() const { return usesOwnFontColor(); }

    QWidget *containerWidget() override { return nullptr; }

protected:
    QWidget *createPeer() override;
    // A node has no widget of its own: its tree shows it.
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;

private:
    friend class TTreeView;
    bool m_expanded = false;
    bool m_checked = false;
    bool m_selected = false;
    bool m_peerFresh = false;
};

// A tree of TTreeViewItem children; its peer is a QTreeWidget rebuilt from
// the nodes whenever they change.
class TTreeView : public TControl
{
    VANTOR_CLASS(TTreeView, TControl)
public:
    explicit TTreeView(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTreeView> &b);

    bool ShowCheckboxes() const { return m_showCheckboxes; }
    void SetShowCheckboxes(bool v) { m_showCheckboxes = v; peerChanged(); }
    bool AlternatingRowBackground() const { return m_alternating; }
    void SetAlternatingRowBackground(bool v) { m_alternating = v; peerChanged(); }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool v) { m_sorted = v; peerChanged(); }
    double ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(double h) { m_itemHeight = h; peerChanged(); }

    std::vector<TTreeViewItem *> nodes() const;
    // Every node, depth first.
    std::vector<TTreeViewItem *> allNodes() const;
    // The Qt row of a node, once the peer is made.
    QTreeWidgetItem *rowOf(const TTreeViewItem *node) const;
    void nodesChanged();

    QWidget *containerWidget() override { return nullptr; }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;

private:
    void rebuild(QTreeWidget *tree);
    bool m_showCheckboxes = false;
    bool m_alternating = false;
    bool m_sorted = false;
    bool m_rebuilding = false;
    double m_itemHeight = 0;
};

} // namespace vantor
