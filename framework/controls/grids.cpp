#include "framework/controls/grids.h"

#include <QHeaderView>
#include <QTableWidget>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(THeaderSettings)
VANTOR_IMPLEMENT_CLASS(TColumn)
VANTOR_IMPLEMENT_CLASS(TStringColumn)
VANTOR_IMPLEMENT_CLASS(TImageColumn)
VANTOR_IMPLEMENT_CLASS(TProgressColumn)
VANTOR_IMPLEMENT_CLASS(TCustomGrid)
VANTOR_IMPLEMENT_CLASS(TGrid)
VANTOR_IMPLEMENT_CLASS(TStringGrid)

const EnumInfo &gridOptionInfo()
{
    static const EnumInfo info{"TGridOption",
                               {"AlternatingRowBackground", "Editing", "AlwaysShowEditor", "ColumnResize",
                                "ColumnMove", "ColLines", "RowLines", "RowSelect", "AlwaysShowSelection", "Tabs",
                                "Header", "HeaderClick", "CancelEditingByDefault", "AutoDisplacement"},
                               "go"};
    return info;
}

// ---------------------------------------------------------------------------

THeaderSettings::THeaderSettings() : m_textSettings(std::make_unique<TTextSettings>())
{
    m_textSettings->onChange = [this] {
        if (onChange)
            onChange();
    };
}

void THeaderSettings::DeclareProperties(ClassBuilder<THeaderSettings> &b)
{
    b.persistent("TextSettings", &THeaderSettings::TextSettings);
    b.stored("StyledSettings", PropKind::Set, &styledSettingInfo());
}

// ---------------------------------------------------------------------------

TColumn::TColumn(TComponent *owner) : TControl(owner), m_headerSettings(std::make_unique<THeaderSettings>())
{
    SetWidth(100);
    m_headerSettings->onChange = [this] { columnChanged(); };
    // The grid shows the column's width: tell it when the size changes.
    auto sizeChanged = std::move(Size()->onChange);
    Size()->onChange = [this, sizeChanged] {
        if (sizeChanged)
            sizeChanged();
        columnChanged();
    };
}

void TColumn::DeclareProperties(ClassBuilder<TColumn> &b)
{
    publishHelp(b);
    b.string("Header", &TColumn::Header, &TColumn::SetHeader);
    b.boolean("ReadOnly", &TColumn::ReadOnly, &TColumn::SetReadOnly);
    b.persistent("HeaderSettings", &TColumn::HeaderSettings);
}

TCustomGrid *TColumn::Grid() const
{
    return object_cast<TCustomGrid>(Parent());
}

void TColumn::SetHeader(const QString &h)
{
    m_header = h;
    columnChanged();
}

void TColumn::columnChanged()
{
    if (TCustomGrid *grid = Grid(); grid && !isLoading())
        grid->columnsChanged();
}

void TProgressColumn::DeclareProperties(ClassBuilder<TProgressColumn> &b)
{
    b.floating("Min", &TProgressColumn::Min, &TProgressColumn::SetMin);
    b.floating("Max", &TProgressColumn::Max, &TProgressColumn::SetMax);
}

// ---------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent *owner)
    : TControl(owner), m_textSettings(std::make_unique<TTextSettings>()),
      m_options((1u << Editing) | (1u << ColumnResize) | (1u << ColumnMove) | (1u << ColLines) | (1u << RowLines)
                | (1u << Tabs) | (1u << Header) | (1u << HeaderClick) | (1u << AutoDisplacement)),
      m_styledSettings((1u << ssFamily) | (1u << ssSize) | (1u << ssStyle) | (1u << ssFontColor) | (1u << ssOther))
{
    m_textSettings->onChange = [this] { peerChanged(); };
    SetClipChildren(true);
}

void TCustomGrid::DeclareProperties(ClassBuilder<TCustomGrid> &b)
{
    publishHelp(b);
    b.integer("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount);
    b.floating("RowHeight", &TCustomGrid::RowHeight, &TCustomGrid::SetRowHeight);
    b.set("Options", gridOptionInfo(), &TCustomGrid::Options, &TCustomGrid::SetOptions);
    b.boolean("ReadOnly", &TCustomGrid::ReadOnly, &TCustomGrid::SetReadOnly);
    b.persistent("TextSettings", &TCustomGrid::TextSettings);
    b.set("StyledSettings", styledSettingInfo(), &TCustomGrid::StyledSettings, &TCustomGrid::SetStyledSettings);
    b.stored("ControlType", PropKind::Enumeration, &input::controlTypeInfo());
    b.stored("Images", PropKind::Component);
    b.stored("DefaultDrawing", PropKind::Boolean);
    b.stored("Viewport.Width", PropKind::Float);
    b.stored("Viewport.Height", PropKind::Float);
    b.stored("AutoHide", PropKind::Boolean);
    b.stored("ShowScrollBars", PropKind::Boolean);
    for (const char *name : {"Bounces", "DisableMouseWheel", "EnabledScroll", "ShowSizeGrip", "UseSmallScrollBars",
                             "MouseTracking"})
        b.stored(name, PropKind::Boolean);
    // Older versions of the grid set these apart; later ones fold them into Options.
    for (const char *name : {"AlternatingRowBackground", "ShowHeader", "ShowHorzLines", "ShowVertLines",
                             "ShowSelectedCell"})
        b.stored(name, PropKind::Boolean);
    for (const char *name : {"OnCalcContentBounds", "OnHScrollChange", "OnVScrollChange"})
        b.event(name);
    for (const char *name : {"OnCellClick", "OnCellDblClick", "OnSelChanged", "OnSelectCell", "OnDrawColumnCell",
                             "OnDrawColumnBackground", "OnDrawColumnHeader", "OnColumnMoved", "OnEditingDone",
                             "OnHeaderClick", "OnGetValue", "OnSetValue", "OnCreateCustomEditor", "OnEditingCancel",
                             "OnViewportPositionChange", "OnResize"})
        b.event(name);
}

std::vector<TColumn *> TCustomGrid::Columns() const
{
    std::vector<TColumn *> columns;
    for (TFmxObject *child : children())
        if (auto *c = object_cast<TColumn>(child))
            columns.push_back(c);
    return columns;
}

void TCustomGrid::childAdded(TFmxObject *child)
{
    TControl::childAdded(child);
    if (object_cast<TColumn>(child) && !isLoading())
        peerChanged();
}

void TCustomGrid::childRemoved(TFmxObject *child)
{
    TControl::childRemoved(child);
    // A column being destroyed no longer tells its class: rebuild whatever went.
    if (!isDestroying())
        peerChanged();
}

QWidget *TCustomGrid::createPeer()
{
    auto *table = new QTableWidget(peerParent());
    table->verticalHeader()->hide();
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

void TCustomGrid::updatePeer()
{
    auto *table = static_cast<QTableWidget *>(peer());
    const auto columns = Columns();
    table->setColumnCount(int(columns.size()));
    table->setRowCount(int(std::min<std::int64_t>(m_rowCount, 1'000'000)));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        TColumn *c = columns[i];
        const int col = int(i);
        auto *head = table->horizontalHeaderItem(col);
        if (!head) {
            head = new QTableWidgetItem();
            table->setHorizontalHeaderItem(col, head);
        }
        head->setText(c->Header());
        table->setColumnWidth(col, qRound(c->Width()));
        table->setColumnHidden(col, !c->Visible());
    }
    const auto has = [this](TGridOption o) { return (m_options & (1u << o)) != 0; };
    table->horizontalHeader()->setVisible(has(Header));
    table->horizontalHeader()->setSectionsClickable(has(HeaderClick));
    table->horizontalHeader()->setSectionsMovable(has(ColumnMove));
    table->horizontalHeader()->setSectionResizeMode(has(ColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    table->setShowGrid(has(ColLines) || has(RowLines));
    table->setAlternatingRowColors(has(AlternatingRowBackground));
    table->setSelectionBehavior(has(RowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    table->setEditTriggers(m_readOnly || !has(Editing) ? QAbstractItemView::NoEditTriggers
                                                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                                             | QAbstractItemView::AnyKeyPressed);
    table->setTabKeyNavigation(has(Tabs));
    if (m_rowHeight > 0) {
        table->verticalHeader()->setMinimumSectionSize(1);
        table->verticalHeader()->setDefaultSectionSize(qRound(m_rowHeight));
    }
    // The font comes from the text settings where the style does not decide it.
    const QFont f = styledFont(*m_textSettings, m_styledSettings, QFont());
    table->setFont(f);
    QPalette pal = table->palette();
    if (!(m_styledSettings & (1u << ssFontColor)))
        pal.setColor(QPalette::Text, toQColor(m_textSettings->FontColor()));
    table->setPalette(pal);
    fillCells(table);
}

// ---------------------------------------------------------------------------

QString TStringGrid::Cells(int col, int row) const
{
    const auto it = m_cells.find({col, row});
    return it == m_cells.end() ? QString() : it->second;
}

void TStringGrid::SetCells(int col, int row, const QString &text)
{
    if (col < 0 || row < 0)
        return;
    if (text.isEmpty())
        m_cells.erase({col, row});
    else
        m_cells[{col, row}] = text;
    peerChanged();
}

void TStringGrid::fillCells(QTableWidget *table)
{
    for (const auto &[cell, text] : m_cells) {
        const auto [col, row] = cell;
        if (col >= table->columnCount() || row >= table->rowCount())
            continue;
        auto *item = table->item(row, col);
        if (!item) {
            item = new QTableWidgetItem();
            table->setItem(row, col, item);
        }
        item->setText(text);
    }
}

} // namespace vantor
