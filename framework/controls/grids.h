#pragma once

// Grids: TGrid and TStringGrid show a QTableWidget whose columns are the
// grid's TColumn children (TStringColumn, TImageColumn, TProgressColumn).
// Columns are controls in the form, as the framework has them, but draw
// nothing themselves: the grid shows them as header sections.

#include "framework/controls/containers.h"

#include <QPointer>

#include <map>

class QTableWidget;

namespace vantor {

class TCustomGrid;

// How a column's header text looks.
class THeaderSettings : public TPersistent
{
    VANTOR_CLASS(THeaderSettings, TPersistent)
public:
    THeaderSettings();
    static void DeclareProperties(ClassBuilder<THeaderSettings> &b);
    TTextSettings *TextSettings() const { return m_textSettings.get(); }

    std::function<void()> onChange;

private:
    std::unique_ptr<TTextSettings> m_textSettings;
};

class TColumn : public TControl
{
    VANTOR_CLASS(TColumn, TControl)
public:
    explicit TColumn(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TColumn> &b);

    QString Header() const { return m_header; }
    void SetHeader(const QString &h);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; columnChanged(); }
    THeaderSettings *HeaderSettings() const { return m_headerSettings.get(); }
    TCustomGrid *Grid() const;

protected:
    void columnChanged();

private:
    QString m_header;
    bool m_readOnly = false;
    std::unique_ptr<THeaderSettings> m_headerSettings;
};

class TStringColumn : public TColumn
{
    VANTOR_CLASS(TStringColumn, TColumn)
public:
    explicit TStringColumn(TComponent *owner) : TColumn(owner) {}
};

class TImageColumn : public TColumn
{
    VANTOR_CLASS(TImageColumn, TColumn)
public:
    explicit TImageColumn(TComponent *owner) : TColumn(owner) {}
};

class TProgressColumn : public TColumn
{
    VANTOR_CLASS(TProgressColumn, TColumn)
public:
    explicit TProgressColumn(TComponent *owner) : TColumn(owner) {}
    static void DeclareProperties(ClassBuilder<TProgressColumn> &b);

    double Min() const { return m_min; }
    void SetMin(double v) { m_min = v; columnChanged(); }
    double Max() const { return m_max; }
    void SetMax(double v) { m_max = v; columnChanged(); }

private:
    double m_min = 0;
    double m_max = 100;
};

enum TGridOption {
    AlternatingRowBackground, // every other row shaded
    Editing,                  // cells can be edited
    AlwaysShowEditor,         // the editor stays open
    ColumnResize,             // the user resizes columns
    ColumnMove,               // the user moves columns
    ColLines,                 // lines between columns
    RowLines,                 // lines between rows
    RowSelect,                // a click selects the whole row
    AlwaysShowSelection,      // selection shows without focus
    Tabs,                     // Tab moves between cells
    Header,                   // the header row shows
    HeaderClick,              // header sections are clickable
    CancelEditingByDefault,   // leaving a cell discards the edit
    AutoDisplacement,         // columns follow when one is resized
};
using TGridOptions = unsigned; // bit (1 << TGridOption)
const EnumInfo &gridOptionInfo();

class TCustomGrid : public TControl
{
    VANTOR_CLASS(TCustomGrid, TControl)
public:
    explicit TCustomGrid(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCustomGrid> &b);

    std::int64_t RowCount() const { return m_rowCount; }
    void SetRowCount(std::int64_t n) { m_rowCount = std::max<std::int64_t>(0, n); peerChanged(); }
    double RowHeight() const { return m_rowHeight; }
    void SetRowHeight(double h) { m_rowHeight = h; peerChanged(); }
    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions o) { m_options = o; peerChanged(); }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; peerChanged(); }
    TTextSettings *TextSettings() const { return m_textSettings.get(); }
    unsigned StyledSettings() const { return m_styledSettings; }
    void SetStyledSettings(unsigned s) { m_styledSettings = s; peerChanged(); }

    // The columns among the children, in order.
    std::vector<TColumn *> Columns() const;
    int ColumnCount() const { return int(Columns().size()); }
    // A column changed its header, width or visibility.
    void columnsChanged() { peerChanged(); }

    // Columns draw nothing of their own.
    QWidget *containerWidget() override { return nullptr; }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;
    // Fills the cells of the table (a string grid has texts).
    virtual void fillCells(QTableWidget *) {}

private:
    std::unique_ptr<TTextSettings> m_textSettings;
    std::int64_t m_rowCount = 100;
    double m_rowHeight = 21;
    TGridOptions m_options;
    unsigned m_styledSettings;
    bool m_readOnly = false;
};

class TGrid : public TCustomGrid
{
    VANTOR_CLASS(TGrid, TCustomGrid)
public:
    explicit TGrid(TComponent *owner) : TCustomGrid(owner) {}
};

// A grid that keeps a text per cell (set by code; forms do not store cells).
class TStringGrid : public TCustomGrid
{
    VANTOR_CLASS(TStringGrid, TCustomGrid)
public:
    explicit TStringGrid(TComponent *owner) : TCustomGrid(owner) {}

    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);

protected:
    void fillCells(QTableWidget *table) override;

private:
    std::map<std::pair<int, int>, QString> m_cells;
};

} // namespace vantor
