#include "framework/controls/lists.h"

#include "framework/controls/edits.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace vantor {

using namespace input;

VANTOR_IMPLEMENT_CLASS(TListBoxItemData)
VANTOR_IMPLEMENT_CLASS(TListBoxItem)
VANTOR_IMPLEMENT_CLASS(TListBox)
VANTOR_IMPLEMENT_CLASS(TCustomComboBox)
VANTOR_IMPLEMENT_CLASS(TComboBox)
VANTOR_IMPLEMENT_CLASS(TPopupBox)
VANTOR_IMPLEMENT_CLASS(TListItemAppearanceObject)
VANTOR_IMPLEMENT_CLASS(TAppearanceObjectItem)
VANTOR_IMPLEMENT_CLASS(TItemAppearanceObjects)
VANTOR_IMPLEMENT_CLASS(TListViewAppearanceObjects)
VANTOR_IMPLEMENT_CLASS(TListView)
VANTOR_IMPLEMENT_CLASS(TTreeViewItem)
VANTOR_IMPLEMENT_CLASS(TTreeView)

namespace {

const EnumInfo &accessoryInfo()
{
    static const EnumInfo info{"TListBoxItemData.TAccessory", {"aNone", "aMore", "aDetail", "aCheckmark"}, nullptr};
    return info;
}
const EnumInfo &listStyleInfo()
{
    static const EnumInfo info{"TListStyle", {"Vertical", "Horizontal"}, "ls"};
    return info;
}
const EnumInfo &multiSelectStyleInfo()
{
    static const EnumInfo info{"TMultiSelectStyle", {"None", "Default", "Extended"}, nullptr};
    return info;
}
const EnumInfo &groupingKindInfo()
{
    static const EnumInfo info{"TListGroupingKind", {"Plain", "Grouped"}, nullptr};
    return info;
}
const EnumInfo &placementInfo()
{
    static const EnumInfo info{"TPlacement",
                               {"Bottom", "Top", "Left", "Right", "Center", "BottomCenter", "TopCenter",
                                "LeftCenter", "RightCenter", "Absolute", "Mouse", "MouseCenter"},
                               "pl"};
    return info;
}
const EnumInfo &dropDownKindInfo()
{
    static const EnumInfo info{"TDropDownKind", {"Native", "Custom"}, "ddk"};
    return info;
}

const EnumInfo &listItemAlignInfo()
{
    static const EnumInfo info{"TListItemAlign", {"Leading", "Center", "Trailing"}, nullptr};
    return info;
}
const EnumInfo &scalingModeInfo()
{
    static const EnumInfo info{"TImageScalingMode", {"StretchWithAspect", "Original", "Stretch"}, nullptr};
    return info;
}
const EnumInfo &accessoryTypeInfo()
{
    static const EnumInfo info{"TAccessoryType", {"More", "Checkmark", "Detail"}, nullptr};
    return info;
}
const EnumInfo &glyphButtonTypeInfo()
{
    static const EnumInfo info{"TGlyphButtonType", {"Add", "Delete", "Checkbox"}, nullptr};
    return info;
}
const EnumInfo &nativeOptionInfo()
{
    static const EnumInfo info{"TListViewNativeOption", {"Grouped", "Indexed", "Styled"}, nullptr};
    return info;
}

// Scroll-box properties that only change scrolling behaviour.
template<class T> void publishScrolling(ClassBuilder<T> &b)
{
    b.stored("Viewport.Width", PropKind::Float);
    b.stored("Viewport.Height", PropKind::Float);
    b.stored("ShowSizeGrip", PropKind::Boolean);
    b.stored("DisableMouseWheel", PropKind::Boolean);
    b.stored("AutoHide", PropKind::Boolean);
    b.stored("Bounces", PropKind::Boolean);
    b.stored("EnabledScroll", PropKind::Boolean);
    b.stored("AniCalculations.BoundsAnimation", PropKind::Boolean);
    // Older scroll boxes: thin scroll bars, scrolling while the mouse is held,
    // and a selection that hides when the list loses the focus.
    b.stored("UseSmallScrollBars", PropKind::Boolean);
    b.stored("MouseTracking", PropKind::Boolean);
    b.stored("HideSelectionUnfocused", PropKind::Boolean);
    b.stored("AllowDrag", PropKind::Boolean);
    b.stored("Images", PropKind::Component);
    b.stored("ParentShowHint", PropKind::Boolean);
    b.stored("Touch.GestureManager", PropKind::Component);
    publishHelp(b);
    for (const char *name : {"OnChange", "OnChangeCheck", "OnDragChange", "OnItemClick", "OnViewportPositionChange",
                             "OnCompare", "OnHScrollChange", "OnVScrollChange", "OnCalcContentBounds"})
        b.event(name);
}

QStringList comboRows(const QComboBox *combo)
{
    QStringList rows;
    for (int i = 0; i < combo->count(); ++i)
        rows << combo->itemText(i);
    return rows;
}

void fillCombo(QComboBox *combo, const QStringList &rows, std::int64_t index)
{
    const QSignalBlocker block(combo);
    if (comboRows(combo) != rows) {
        combo->clear();
        combo->addItems(rows);
    }
    combo->setCurrentIndex(index >= 0 && index < rows.size() ? int(index) : -1);
}

} // namespace

// ---------------------------------------------------------------------------
// TListBoxItemData

TListBoxItemData::TListBoxItemData() : m_bitmap(std::make_unique<TBitmap>()) {}

TListBoxItemData::TListBoxItemData(TListBoxItem *item) : TListBoxItemData()
{
    m_item = item;
    m_bitmap->onChange = [this] { changed(); };
}

void TListBoxItemData::DeclareProperties(ClassBuilder<TListBoxItemData> &b)
{
    b.string("Text", &TListBoxItemData::Text, &TListBoxItemData::SetText);
    b.string("Detail", &TListBoxItemData::Detail, &TListBoxItemData::SetDetail);
    b.enumeration("Accessory", accessoryInfo(), &TListBoxItemData::Accessory, &TListBoxItemData::SetAccessory);
    b.persistent("Bitmap", &TListBoxItemData::Bitmap);
}

QString TListBoxItemData::Text() const
{
    return m_item ? m_item->Text() : QString();
}

void TListBoxItemData::SetText(const QString &text)
{
    if (m_item)
        m_item->SetText(text);
}

void TListBoxItemData::changed()
{
    if (m_item && m_item->isRealized())
        m_item->peer()->update();
}

// ---------------------------------------------------------------------------
// TListBoxItem

TListBoxItem::TListBoxItem(TComponent *owner)
    : TTextControl(owner), m_itemData(std::make_unique<TListBoxItemData>(this))
{
    SetHeight(19);
}

void TListBoxItem::DeclareProperties(ClassBuilder<TListBoxItem> &b)
{
    b.boolean("IsSelected", &TListBoxItem::IsSelected, &TListBoxItem::SetIsSelected);
    b.boolean("IsChecked", &TListBoxItem::IsChecked, &TListBoxItem::SetIsChecked);
    b.boolean("Selectable", &TListBoxItem::Selectable, &TListBoxItem::SetSelectable);
    b.persistent("ItemData", &TListBoxItem::ItemData);
    b.stored("ImageIndex", PropKind::Integer);
    b.stored("GroupName", PropKind::String);
    b.stored("ParentShowHint", PropKind::Boolean);
    publishHelp(b);
    b.event("OnApplyStyleLookup");
}

TListBox *TListBoxItem::listBox() const
{
    return object_cast<TListBox>(Parent());
}

void TListBoxItem::SetIsSelected(bool v)
{
    m_selected = v;
    peerChanged();
}

void TListBoxItem::Click()
{
    if (TListBox *list = listBox())
        list->selectItem(this);
    TTextControl::Click();
}

void TListBoxItem::DblClick()
{
    if (OnDblClick) {
        TTextControl::DblClick();
        return;
    }
    if (TListBox *list = listBox())
        list->DblClick();
}

void TListBoxItem::paint(QPainter &painter, const QRectF &rect)
{
    const QPalette pal = QApplication::palette();
    const TListBox *list = listBox();
    if (m_selected)
        painter.fillRect(rect, pal.color(QPalette::Highlight));
    else if (m_alternate)
        painter.fillRect(rect, pal.color(QPalette::AlternateBase));

    QRectF area = rect.adjusted(4, 0, -4, 0);
    if (list && list->ShowCheckboxes()) {
        const double side = std::min(14.0, rect.height() - 4);
        const QRectF box(area.left(), rect.center().y() - side / 2, side, side);
        painter.setPen(pal.color(QPalette::Dark));
        painter.setBrush(pal.color(QPalette::Base));
        painter.drawRect(box);
        if (m_checked) {
            painter.setPen(QPen(pal.color(QPalette::Text), 2));
            painter.drawLine(QPointF(box.left() + 3, box.center().y()), QPointF(box.center().x() - 1, box.bottom() - 3));
            painter.drawLine(QPointF(box.center().x() - 1, box.bottom() - 3), QPointF(box.right() - 3, box.top() + 3));
        }
        area.setLeft(box.right() + 6);
    }
    const QImage &image = m_itemData->Bitmap()->image();
    if (!image.isNull()) {
        const double side = std::max(0.0, rect.height() - 4);
        const QSizeF size = QSizeF(image.size()).scaled(side, side, Qt::KeepAspectRatio);
        painter.drawImage(QRectF(area.left(), rect.center().y() - size.height() / 2, size.width(), size.height()), image);
        area.setLeft(area.left() + side + 4);
    }
    QString mark;
    switch (m_itemData->Accessory()) {
    case TListBoxItemAccessory::aMore: mark = QString(QChar(0x203A)); break;
    case TListBoxItemAccessory::aDetail: mark = QString(QChar(0x24D8)); break;
    case TListBoxItemAccessory::aCheckmark: mark = QString(QChar(0x2713)); break;
    case TListBoxItemAccessory::aNone: break;
    }
    const QColor textColor = usesOwnFontColor() ? toQColor(TextSettings()->FontColor())
                                                : pal.color(m_selected ? QPalette::HighlightedText : QPalette::Text);
    painter.setFont(peerFont(QFont()));
    if (!mark.isEmpty()) {
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, mark);
        area.setRight(area.right() - 16);
    }
    if (!m_itemData->Detail().isEmpty()) {
        painter.setPen(m_selected ? textColor : pal.color(QPalette::Mid));
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, m_itemData->Detail());
    }
    painter.setPen(textColor);
    const int flags = int(TextSettings()->qtAlignment()) | (TextSettings()->WordWrap() ? Qt::TextWordWrap : 0);
    painter.drawText(area, flags, Text());
}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent *owner) : TControl(owner), m_items(std::make_unique<TStrings>())
{
    SetWidth(200);
    SetHeight(200);
    m_items->onChange = [this] { itemsFromStrings(); };
}

TListBox::~TListBox() = default;

void TListBox::DeclareProperties(ClassBuilder<TListBox> &b)
{
    b.strings("Items", &TListBox::Items);
    b.integer("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex);
    b.floating("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight);
    b.floating("ItemWidth", &TListBox::ItemWidth, &TListBox::SetItemWidth);
    b.integer("Columns", &TListBox::Columns, &TListBox::SetColumns);
    b.enumeration("ListStyle", listStyleInfo(), &TListBox::ListStyle, &TListBox::SetListStyle);
    b.boolean("ShowCheckboxes", &TListBox::ShowCheckboxes, &TListBox::SetShowCheckboxes);
    b.boolean("AlternatingRowBackground", &TListBox::AlternatingRowBackground, &TListBox::SetAlternatingRowBackground);
    b.boolean("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
    b.enumeration("MultiSelectStyle", multiSelectStyleInfo(), &TListBox::MultiSelectStyle,
                  &TListBox::SetMultiSelectStyle);
    b.boolean("ShowScrollBars", &TListBox::ShowScrollBars, &TListBox::SetShowScrollBars);
    b.stored("MultiSelect", PropKind::Boolean);
    b.stored("GroupingKind", PropKind::Enumeration, &groupingKindInfo());
    b.stored("DefaultItemStyles.ItemStyle", PropKind::String);
    b.stored("DefaultItemStyles.GroupHeaderStyle", PropKind::String);
    b.stored("DefaultItemStyles.GroupFooterStyle", PropKind::String);
    b.stored("ListBoxResource", PropKind::String);
    publishScrolling(b);
}

std::vector<TListBoxItem *> TListBox::items() const
{
    std::vector<TListBoxItem *> result;
    for (TFmxObject *child : children())
        if (auto *item = object_cast<TListBoxItem>(child))
            result.push_back(item);
    if (m_sorted)
        std::stable_sort(result.begin(), result.end(), [](const TListBoxItem *a, const TListBoxItem *b) {
            return QString::localeAwareCompare(a->Text(), b->Text()) < 0;
        });
    return result;
}

TListBoxItem *TListBox::ListItems(int index) const
{
    const auto list = items();
    return index >= 0 && index < int(list.size()) ? list[std::size_t(index)] : nullptr;
}

std::int64_t TListBox::ItemIndex() const
{
    if (isLoading())
        return m_itemIndex;
    const auto list = items();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->IsSelected())
            return std::int64_t(i);
    return -1;
}

void TListBox::SetItemIndex(std::int64_t index)
{
    m_itemIndex = index;
    // While reading, the items are not there yet: Loaded() selects.
    if (isLoading())
        return;
    const auto list = items();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const bool selected = std::int64_t(i) == index;
        if (list[i]->IsSelected() != selected)
            list[i]->SetIsSelected(selected);
    }
}

void TListBox::selectItem(TListBoxItem *item)
{
    if (!item->Selectable())
        return;
    if (m_multiSelect == TMultiSelectStyle::None) {
        for (TListBoxItem *other : items())
            if (other != item && other->IsSelected())
                other->SetIsSelected(false);
        item->SetIsSelected(true);
    } else {
        item->SetIsSelected(!item->IsSelected());
    }
    const auto list = items();
    m_itemIndex = std::find(list.begin(), list.end(), item) - list.begin();
}

void TListBox::itemsFromStrings()
{
    for (TListBoxItem *item : std::vector<TListBoxItem *>(m_generated))
        delete item;
    m_generated.clear();
    // The items of the strings come first, before the items of the form.
    int index = 0;
    for (const QString &line : m_items->lines()) {
        auto *item = new TListBoxItem(this);
        item->SetText(line);
        m_generated.push_back(item);
        item->SetParent(this);
        SetChildIndex(item, index++);
    }
    layoutItems();
}

void TListBox::Loaded()
{
    TControl::Loaded();
    if (m_itemIndex >= 0)
        SetItemIndex(m_itemIndex);
    layoutItems();
}

void TListBox::childAdded(TFmxObject *child)
{
    TControl::childAdded(child);
    if (object_cast<TListBoxItem>(child))
        layoutItems();
}

void TListBox::childRemoved(TFmxObject *child)
{
    TControl::childRemoved(child);
    m_generated.erase(std::remove(m_generated.begin(), m_generated.end(), child), m_generated.end());
    // The child is already half destroyed here: its class cannot be asked.
    if (!isDestroying())
        layoutItems();
}

double TListBox::viewportWidth() const
{
    return Width();
}

void TListBox::layoutItems()
{
    if (isLoading() || isDestroying() || m_inLayout)
        return;
    m_inLayout = true;
    const auto list = items();
    const double scrollBar = m_showScrollBars ? QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const auto itemExtent = [this](const TListBoxItem *item, bool horizontal) {
        if (horizontal)
            return m_itemWidth > 0 ? m_itemWidth : (item->Width() > 0 ? item->Width() : 100.0);
        return m_itemHeight > 0 ? m_itemHeight : (item->Height() > 0 ? item->Height() : 19.0);
    };
    QSizeF content;
    if (m_listStyle == TListStyle::Horizontal) {
        double x = 0;
        double h = Height();
        double total = 0;
        for (const TListBoxItem *item : list)
            if (item->Visible())
                total += itemExtent(item, true);
        if (total > Width())
            h -= scrollBar;
        int row = 0;
        for (TListBoxItem *item : list) {
            if (!item->Visible())
                continue;
            const double w = itemExtent(item, true);
            item->m_alternate = m_alternating && (row++ % 2 == 1);
            item->SetBounds(x, 0, w, std::max(0.0, h));
            x += w;
        }
        content = QSizeF(x, h);
    } else {
        const int columns = int(std::clamp<std::int64_t>(m_columns, 1, 1000));
        double total = 0;
        int visibleCount = 0;
        for (const TListBoxItem *item : list)
            if (item->Visible()) {
                if (visibleCount++ % columns == 0)
                    total += itemExtent(item, false);
            }
        const double width = std::max(0.0, viewportWidth() - (total > Height() ? scrollBar : 0));
        const double columnWidth = width / columns;
        double y = 0;
        double rowHeight = 0;
        int index = 0;
        for (TListBoxItem *item : list) {
            if (!item->Visible())
                continue;
            const int column = index % columns;
            if (column == 0) {
                y += rowHeight;
                rowHeight = itemExtent(item, false);
            }
            item->m_alternate = m_alternating && ((index / columns) % 2 == 1);
            item->SetBounds(column * columnWidth, y, columnWidth, rowHeight);
            ++index;
        }
        content = QSizeF(width, y + rowHeight);
    }
    if (m_content)
        m_content->resize(qRound(content.width()), qRound(content.height()));
    m_inLayout = false;
    repaintItems();
}

void TListBox::repaintItems()
{
    for (TListBoxItem *item : items())
        if (item->isRealized())
            item->peer()->update();
}

QWidget *TListBox::containerWidget()
{
    peer();
    return m_content;
}

QWidget *TListBox::createPeer()
{
    auto *area = new QScrollArea(peerParent());
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setBackgroundRole(QPalette::Base);
    m_content = new QWidget();
    area->setWidget(m_content);
    reportViewportClicks(area, this);
    notifyResize(area, [this] { layoutItems(); });
    return area;
}

void TListBox::updatePeer()
{
    auto *area = static_cast<QScrollArea *>(peer());
    const Qt::ScrollBarPolicy policy = m_showScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    area->setVerticalScrollBarPolicy(policy);
    area->setHorizontalScrollBarPolicy(policy);
    layoutItems();
}

// ---------------------------------------------------------------------------
// Drop-down lists

TCustomComboBox::TCustomComboBox(TComponent *owner) : TControl(owner)
{
    SetWidth(100);
    SetHeight(22);
}

void TCustomComboBox::DeclareProperties(ClassBuilder<TCustomComboBox> &b)
{
    b.integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex);
    b.stored("ItemHeight", PropKind::Float);
    b.stored("ItemWidth", PropKind::Float);
    b.stored("DropDownCount", PropKind::Integer);
    b.stored("Placement", PropKind::Enumeration, &placementInfo());
    b.stored("ListBoxResource", PropKind::String);
    b.stored("DropDownKind", PropKind::Enumeration, &dropDownKindInfo());
    b.stored("Images", PropKind::Component);
    b.stored("ParentShowHint", PropKind::Boolean);
    publishHelp(b);
    for (const char *name : {"OnChange", "OnClosePopup", "OnPopup"})
        b.event(name);
}

QStringList TCustomComboBox::rows() const
{
    QStringList result;
    for (TFmxObject *child : children())
        if (auto *item = object_cast<TListBoxItem>(child))
            result << item->Text();
    return result;
}

QWidget *TCustomComboBox::createPeer()
{
    auto *combo = new QComboBox(peerParent());
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this](int index) { m_itemIndex = index; });
    return combo;
}

void TCustomComboBox::updatePeer()
{
    auto *combo = static_cast<QComboBox *>(peer());
    const QStringList list = rows();
    fillCombo(combo, list, m_itemIndex);
    for (int i = 0; i < list.size(); ++i)
        decorateRow(combo, i);
}

void TCustomComboBox::childAdded(TFmxObject *child)
{
    TControl::childAdded(child);
    if (object_cast<TListBoxItem>(child))
        peerChanged();
}

void TCustomComboBox::childRemoved(TFmxObject *child)
{
    TControl::childRemoved(child);
    // The child is already half destroyed here: its class cannot be asked.
    if (!isDestroying())
        peerChanged();
}

TComboBox::TComboBox(TComponent *owner) : TCustomComboBox(owner), m_items(std::make_unique<TStrings>())
{
    m_items->onChange = [this] { peerChanged(); };
}

void TComboBox::DeclareProperties(ClassBuilder<TComboBox> &b)
{
    b.strings("Items", &TComboBox::Items);
}

QStringList TComboBox::rows() const
{
    return m_items->lines() + TCustomComboBox::rows();
}

TPopupBox::TPopupBox(TComponent *owner) : TTextControl(owner), m_items(std::make_unique<TStrings>())
{
    SetWidth(100);
    SetHeight(22);
    m_items->onChange = [this] { peerChanged(); };
}

void TPopupBox::DeclareProperties(ClassBuilder<TPopupBox> &b)
{
    b.strings("Items", &TPopupBox::Items);
    b.integer("ItemIndex", &TPopupBox::ItemIndex, &TPopupBox::SetItemIndex);
    b.stored("StaysPressed", PropKind::Boolean);
    b.stored("IsPressed", PropKind::Boolean);
    b.stored("RepeatClick", PropKind::Boolean);
    b.stored("ModalResult", PropKind::Integer);
    b.stored("Action", PropKind::Component);
    b.stored("ParentShowHint", PropKind::Boolean);
    publishHelp(b);
    for (const char *name : {"OnChange", "OnClosePopup", "OnPopup"})
        b.event(name);
}

QWidget *TPopupBox::createPeer()
{
    auto *combo = new QComboBox(peerParent());
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this](int index) { m_itemIndex = index; });
    return combo;
}

void TPopupBox::updatePeer()
{
    auto *combo = static_cast<QComboBox *>(peer());
    fillCombo(combo, m_items->lines(), m_itemIndex);
    combo->setFont(peerFont(QFont()));
    applyFontColor(combo, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::ButtonText);
}

// ---------------------------------------------------------------------------
// List view appearance

TListItemAppearanceObject::TListItemAppearanceObject()
    : m_font(std::make_unique<TFont>()), m_placeOffset(std::make_unique<TPosition>())
{
}

void TListItemAppearanceObject::DeclareProperties(ClassBuilder<TListItemAppearanceObject> &b)
{
    b.persistent("Font", &TListItemAppearanceObject::Font);
    b.persistent("PlaceOffset", &TListItemAppearanceObject::PlaceOffset);
    b.stored("Visible", PropKind::Boolean);
    b.stored("Enabled", PropKind::Boolean);
    b.stored("Width", PropKind::Float);
    b.stored("Height", PropKind::Float);
    b.stored("Opacity", PropKind::Float);
    b.stored("Align", PropKind::Enumeration, &listItemAlignInfo());
    b.stored("VertAlign", PropKind::Enumeration, &listItemAlignInfo());
    b.stored("TextAlign", PropKind::Enumeration, &textAlignInfo());
    b.stored("TextVertAlign", PropKind::Enumeration, &textAlignInfo());
    b.stored("Trimming", PropKind::Enumeration, &textTrimmingInfo());
    b.stored("WordWrap", PropKind::Boolean);
    b.stored("Text", PropKind::String);
    b.stored("IsDetailText", PropKind::Boolean);
    for (const char *name : {"TextColor", "SelectedTextColor", "TextShadowColor", "PressedTextColor", "TintColor"})
        b.stored(name, PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("TextShadowOffset.X", PropKind::Float);
    b.stored("TextShadowOffset.Y", PropKind::Float);
    b.stored("ScalingMode", PropKind::Enumeration, &scalingModeInfo());
    b.stored("AccessoryType", PropKind::Enumeration, &accessoryTypeInfo());
    b.stored("ButtonType", PropKind::Enumeration, &glyphButtonTypeInfo());
    b.stored("ClickOnSelect", PropKind::Boolean);
    b.stored("ImageIndex", PropKind::Integer);
    b.stored("RatingsCount", PropKind::Integer);
    b.stored("RatingsImage", PropKind::Component);
}

TAppearanceObjectItem::TAppearanceObjectItem() : m_appearance(std::make_unique<TListItemAppearanceObject>()) {}

void TAppearanceObjectItem::DeclareProperties(ClassBuilder<TAppearanceObjectItem> &b)
{
    b.stored("AppearanceObjectName", PropKind::String);
    b.stored("AppearanceClassName", PropKind::String);
    b.persistent("Appearance", &TAppearanceObjectItem::Appearance);
}

namespace {
// The fixed parts of a row, in the order of TItemAppearanceObjects::part().
const char *const kAppearanceParts[] = {"Text", "Detail", "Image", "Accessory", "GlyphButton", "TextButton",
                                        "RatingsImage"};
} // namespace

TItemAppearanceObjects::TItemAppearanceObjects()
    : m_objects(std::make_unique<TCollection>(TAppearanceObjectItem::StaticClass()))
{
    for (std::size_t i = 0; i < std::size(kAppearanceParts); ++i)
        m_parts.push_back(std::make_unique<TListItemAppearanceObject>());
}

void TItemAppearanceObjects::DeclareProperties(ClassBuilder<TItemAppearanceObjects> &b)
{
    for (int i = 0; i < int(std::size(kAppearanceParts)); ++i)
        b.persistent(kAppearanceParts[i], [i](TItemAppearanceObjects &o) { return o.part(i); });
    b.collection("ObjectsCollection", &TItemAppearanceObjects::ObjectsCollection);
}

TListViewAppearanceObjects::TListViewAppearanceObjects()
    : m_item(std::make_unique<TItemAppearanceObjects>()), m_itemEdit(std::make_unique<TItemAppearanceObjects>()),
      m_header(std::make_unique<TItemAppearanceObjects>()), m_footer(std::make_unique<TItemAppearanceObjects>())
{
}

void TListViewAppearanceObjects::DeclareProperties(ClassBuilder<TListViewAppearanceObjects> &b)
{
    b.persistent("ItemObjects", &TListViewAppearanceObjects::ItemObjects);
    b.persistent("ItemEditObjects", &TListViewAppearanceObjects::ItemEditObjects);
    b.persistent("HeaderObjects", &TListViewAppearanceObjects::HeaderObjects);
    b.persistent("FooterObjects", &TListViewAppearanceObjects::FooterObjects);
}

// ---------------------------------------------------------------------------
// TListView

TListView::TListView(TComponent *owner)
    : TControl(owner), m_appearance(std::make_unique<TListViewAppearanceObjects>()),
      m_itemSpaces(std::make_unique<TBounds>())
{
    SetWidth(200);
    SetHeight(200);
}

void TListView::DeclareProperties(ClassBuilder<TListView> &b)
{
    b.persistent("ItemAppearanceObjects", &TListView::ItemAppearanceObjects);
    b.persistent("ItemSpaces", &TListView::ItemSpaces);
    b.boolean("AlternatingColors", &TListView::AlternatingColors, &TListView::SetAlternatingColors);
    b.boolean("Transparent", &TListView::Transparent, &TListView::SetTransparent);
    for (const char *name : {"ItemAppearance.ItemHeight", "ItemAppearance.ItemEditHeight",
                             "ItemAppearance.HeaderHeight", "ItemAppearance.FooterHeight", "ItemIndex"})
        b.stored(name, PropKind::Integer);
    for (const char *name : {"ItemAppearanceClassName", "ItemEditAppearanceClassName", "HeaderAppearanceClassName",
                             "FooterAppearanceClassName"})
        b.stored(name, PropKind::String);
    for (const char *name : {"AllowSelection", "CanSwipeDelete", "EditMode", "PullRefreshWait", "PullToRefresh",
                             "SearchAlwaysOnTop", "SearchVisible", "SelectionCrossfade", "ShowSelection",
                             "AutoTapScroll", "DisableMouseWheel", "ShowScrollBar", "StyledItems"})
        b.stored(name, PropKind::Boolean);
    // How far from the top a tap scrolls the list back (in pixels).
    b.stored("AutoTapTreshold", PropKind::Integer);
    b.stored("DeleteButtonText", PropKind::String);
    b.stored("ControlType", PropKind::Enumeration, &controlTypeInfo());
    b.stored("NativeOptions", PropKind::Set, &nativeOptionInfo());
    b.stored("Images", PropKind::Component);
    b.stored("ParentShowHint", PropKind::Boolean);
    b.stored("Touch.GestureManager", PropKind::Component);
    publishHelp(b);
    for (const char *name : {"OnItemClick", "OnItemClickEx", "OnButtonClick", "OnButtonChange", "OnUpdateObjects",
                             "OnUpdatingObjects", "OnPullRefresh", "OnDeleteItem", "OnDeletingItem", "OnSearchChange",
                             "OnChange", "OnChangeRepainted", "OnEditModeChange", "OnEditModeChanging",
                             "OnItemsChange", "OnFilter", "OnScrollViewChange", "OnDeleteChangeVisible"})
        b.event(name);
}

QWidget *TListView::createPeer()
{
    auto *list = new QListWidget(peerParent());
    reportViewportClicks(list, this);
    return list;
}

void TListView::updatePeer()
{
    auto *list = static_cast<QListWidget *>(peer());
    list->setAlternatingRowColors(m_alternating);
    list->viewport()->setAutoFillBackground(!m_transparent);
    list->setFrameShape(m_transparent ? QFrame::NoFrame : QFrame::StyledPanel);
}

// ---------------------------------------------------------------------------
// Tree view

TTreeViewItem::TTreeViewItem(TComponent *owner) : TTextControl(owner)
{
    SetHeight(19);
}

void TTreeViewItem::DeclareProperties(ClassBuilder<TTreeViewItem> &b)
{
    b.boolean("IsExpanded", &TTreeViewItem::IsExpanded, &TTreeViewItem::SetIsExpanded);
    b.boolean("IsChecked", &TTreeViewItem::IsChecked, &TTreeViewItem::SetIsChecked);
    b.boolean("IsSelected", &TTreeViewItem::IsSelected, &TTreeViewItem::SetIsSelected);
    b.stored("ImageIndex", PropKind::Integer);
    b.stored("ParentShowHint", PropKind::Boolean);
    publishHelp(b);
}

TTreeView *TTreeViewItem::treeView() const
{
    for (TFmxObject *p = Parent(); p; p = p->Parent()) {
        if (auto *tree = object_cast<TTreeView>(p))
            return tree;
        if (!object_cast<TTreeViewItem>(p))
            return nullptr;
    }
    return nullptr;
}

std::vector<TTreeViewItem *> TTreeViewItem::nodes() const
{
    std::vector<TTreeViewItem *> result;
    for (TFmxObject *child : children())
        if (auto *node = object_cast<TTreeViewItem>(child))
            result.push_back(node);
    return result;
}

QWidget *TTreeViewItem::createPeer()
{
    // The widget only exists because every control has one; it is never
    // shown (the tree gives its nodes no container).
    m_peerFresh = true;
    return TTextControl::createPeer();
}

void TTreeViewItem::updatePeer()
{
    // Right after its widget is made, the tree is building its rows anyway.
    if (m_peerFresh) {
        m_peerFresh = false;
        return;
    }
    if (TTreeView *tree = treeView())
        tree->nodesChanged();
}

void TTreeViewItem::childAdded(TFmxObject *child)
{
    TTextControl::childAdded(child);
    if (object_cast<TTreeViewItem>(child))
        if (TTreeView *tree = treeView())
            tree->nodesChanged();
}

void TTreeViewItem::childRemoved(TFmxObject *child)
{
    TTextControl::childRemoved(child);
    // The child is already half destroyed here: its class cannot be asked.
    if (!isDestroying())
        if (TTreeView *tree = treeView())
            tree->nodesChanged();
}

TTreeView::TTreeView(TComponent *owner) : TControl(owner)
{
    SetWidth(120);
    SetHeight(100);
}

void TTreeView::DeclareProperties(ClassBuilder<TTreeView> &b)
{
    b.boolean("ShowCheckboxes", &TTreeView::ShowCheckboxes, &TTreeView::SetShowCheckboxes);
    b.boolean("AlternatingRowBackground", &TTreeView::AlternatingRowBackground,
              &TTreeView::SetAlternatingRowBackground);
    b.boolean("Sorted", &TTreeView::Sorted, &TTreeView::SetSorted);
    b.floating("ItemHeight", &TTreeView::ItemHeight, &TTreeView::SetItemHeight);
    b.stored("MultiSelect", PropKind::Boolean);
    b.stored("ShowScrollBars", PropKind::Boolean);
    publishScrolling(b);
}

std::vector<TTreeViewItem *> TTreeView::nodes() const
{
    std::vector<TTreeViewItem *> result;
    for (TFmxObject *child : children())
        if (auto *node = object_cast<TTreeViewItem>(child))
            result.push_back(node);
    return result;
}

std::vector<TTreeViewItem *> TTreeView::allNodes() const
{
    std::vector<TTreeViewItem *> result;
    std::vector<TTreeViewItem *> stack = nodes();
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        TTreeViewItem *node = stack.back();
        stack.pop_back();
        result.push_back(node);
        auto kids = node->nodes();
        stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
    return result;
}

QTreeWidgetItem *TTreeView::rowOf(const TTreeViewItem *node) const
{
    if (!isRealized())
        return nullptr;
    auto *tree = static_cast<QTreeWidget *>(const_cast<TTreeView *>(this)->peer());
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).value<quintptr>() == reinterpret_cast<quintptr>(node))
            return *it;
    return nullptr;
}

void TTreeView::nodesChanged()
{
    if (!isLoading() && !m_rebuilding)
        peerChanged();
}

void TTreeView::childAdded(TFmxObject *child)
{
    TControl::childAdded(child);
    if (object_cast<TTreeViewItem>(child))
        nodesChanged();
}

void TTreeView::childRemoved(TFmxObject *child)
{
    TControl::childRemoved(child);
    // The child is already half destroyed here: its class cannot be asked.
    if (!isDestroying())
        nodesChanged();
}

namespace {

TTreeViewItem *nodeOf(QTreeWidgetItem *row)
{
    return row ? reinterpret_cast<TTreeViewItem *>(row->data(0, Qt::UserRole).value<quintptr>()) : nullptr;
}

} // namespace

QWidget *TTreeView::createPeer()
{
    auto *tree = new QTreeWidget(peerParent());
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    QObject::connect(tree, &QTreeWidget::itemClicked, tree, [this](QTreeWidgetItem *row, int) {
        if (TTreeViewItem *node = nodeOf(row)) {
            for (TTreeViewItem *other : allNodes())
                other->m_selected = other == node;
            node->Click();
        }
    });
    QObject::connect(tree, &QTreeWidget::itemChanged, tree, [this](QTreeWidgetItem *row, int) {
        if (TTreeViewItem *node = nodeOf(row); node && !m_rebuilding && m_showCheckboxes)
            node->m_checked = row->checkState(0) == Qt::Checked;
    });
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [this](QTreeWidgetItem *row) {
        if (TTreeViewItem *node = nodeOf(row); node && !m_rebuilding)
            node->m_expanded = true;
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [this](QTreeWidgetItem *row) {
        if (TTreeViewItem *node = nodeOf(row); node && !m_rebuilding)
            node->m_expanded = false;
    });
    return tree;
}

void TTreeView::updatePeer()
{
    rebuild(static_cast<QTreeWidget *>(peer()));
}

void TTreeView::rebuild(QTreeWidget *tree)
{
    m_rebuilding = true;
    tree->clear();
    tree->setAlternatingRowColors(m_alternating);
    const QColor defaultText = QApplication::palette().color(QPalette::Text);
    struct Pending
    {
        TTreeViewItem *node;
        QTreeWidgetItem *parentRow;
    };
    std::vector<Pending> stack;
    const auto top = nodes();
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        stack.push_back({*it, nullptr});
    std::vector<std::pair<QTreeWidgetItem *, TTreeViewItem *>> made;
    while (!stack.empty()) {
        const Pending p = stack.back();
        stack.pop_back();
        auto *row = p.parentRow ? new QTreeWidgetItem(p.parentRow) : new QTreeWidgetItem(tree);
        TTreeViewItem *node = p.node;
        row->setText(0, node->Text());
        row->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
        row->setFont(0, node->rowFont());
        row->setForeground(0, node->hasOwnColor() ? toQColor(node->TextSettings()->FontColor()) : defaultText);
        if (m_showCheckboxes)
            row->setCheckState(0, node->IsChecked() ? Qt::Checked : Qt::Unchecked);
        if (m_itemHeight > 0)
            row->setSizeHint(0, QSize(-1, qRound(m_itemHeight)));
        made.emplace_back(row, node);
        const auto kids = node->nodes();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            stack.push_back({*it, row});
    }
    if (m_sorted)
        tree->sortItems(0, Qt::AscendingOrder);
    // Expansion, visibility and selection only hold once the row is in the tree.
    for (auto &[row, node] : made) {
        row->setHidden(!node->Visible());
        row->setExpanded(node->IsExpanded());
        row->setSelected(node->IsSelected());
    }
    m_rebuilding = false;
}

} // namespace vantor
