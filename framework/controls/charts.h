#pragma once

// Chart controls: TChart, drawn with Qt Charts, and its series TBarSeries,
// THorizBarSeries and TPieSeries. Series are components of their own; a form
// nests them in the chart's object block (or names the chart in
// `ParentChart`), and the chart draws every active series it holds.
//
// The chart's and the series' many nested properties (Title, Legend, the
// axes, walls, Marks ...) come from tables, see chartparts.h. Applied are
// what changes the picture: title and foot text, legend visibility and
// side, axis titles, visibility and fixed ranges, background and back wall
// colours, series titles, colours and marks, and the series' data points.
// The chart is always drawn flat; View3D is kept.

#include "framework/control.h"
#include "framework/controls/chartparts.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class QChart;

namespace vantor {

class TChartSeries;

// One value of a series, as its `Data` stream holds it.
struct ChartPoint
{
    std::optional<double> x;           // only when the stream stores X values
    double y = 0;
    std::optional<TAlphaColor> color; // only when the stream stores colours
    QString label;
};

// Decodes a series' `Data` bytes: a flags byte (1: X values, 2: colours, 4:
// labels), a 32-bit point count, then per point the X value (double), the Y
// value (double), the colour (32 bits) and the label (0xFF, a 32-bit length
// and UTF-8 bytes; or a length byte and the bytes), as the flags say.
// Empty data is no points. Raises EReadError "Ungültiger Eigenschaftswert"
// for unknown flags, a negative count, or data that ends early or goes on
// after the last point.
std::vector<ChartPoint> DecodeSeriesData(const QByteArray &data);
// The inverse, for tests and tools.
QByteArray EncodeSeriesData(const std::vector<ChartPoint> &points);

class TChart : public TControl
{
    VANTOR_CLASS(TChart, TControl)
public:
    explicit TChart(TComponent *owner);
    ~TChart() override;
    static void DeclareProperties(ClassBuilder<TChart> &b);

    ChartPartData &partData() { return m_data; }
    const ChartPartData &partData() const { return m_data; }

    // The series drawn by this chart, in the order they joined.
    int SeriesCount() const { return int(m_series.size()); }
    TChartSeries *Series(int index) const { return m_series.at(std::size_t(index)); }
    const std::vector<TChartSeries *> &series() const { return m_series; }

    // The Qt chart the peer shows; makes the peer if there is none yet.
    QChart *qchart();

    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    friend class TChartSeries;
    void addSeries(TChartSeries *series);
    void removeSeries(TChartSeries *series);
    void seriesChanged();
    // The colour of the n-th series or point when the form gives none.
    TAlphaColor paletteColor(int index) const;

    ChartPartData m_data;
    std::vector<TChartSeries *> m_series;
};

// What every series has: Title, SeriesColor, its chart and its points.
class TChartSeries : public TComponent
{
    VANTOR_CLASS(TChartSeries, TComponent)
public:
    TChartSeries(TComponent *owner, const ChartSchema &schema);
    ~TChartSeries() override;
    static void DeclareProperties(ClassBuilder<TChartSeries> &b);

    ChartPartData &partData() { return m_data; }
    const ChartPartData &partData() const { return m_data; }

    TChart *ParentChart() const { return m_chart; }
    // Moves the series to another chart (nullptr: to none).
    void SetParentChart(TChart *chart);
    QString Title() const { return m_title; }
    void SetTitle(const QString &title);
    TAlphaColor SeriesColor() const { return m_seriesColor; }
    void SetSeriesColor(TAlphaColor color);
    QByteArray Data() const { return EncodeSeriesData(m_points); }
    // Decodes the stream (see DecodeSeriesData); on error the points stay as they were.
    void SetData(const QByteArray &data);
    bool Active() const { return m_data.flag(QStringLiteral("Active")); }
    bool ColorEachPoint() const { return m_data.flag(QStringLiteral("ColorEachPoint")); }
    bool MarksVisible() const { return m_data.flag(QStringLiteral("Marks.Visible")); }

    const std::vector<ChartPoint> &points() const { return m_points; }
    void setPoints(std::vector<ChartPoint> points);
    // The title the legend shows: Title, else the component's name.
    QString displayTitle() const;

    void SetParentComponent(TComponent *parent) override;
    TComponent *GetParentComponent() const override;
    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;

private:
    friend class TChart;
    void changed();

    ChartPartData m_data;
    TChart *m_chart = nullptr;
    QString m_title;
    TAlphaColor m_seriesColor = claColors::Null;
    std::vector<ChartPoint> m_points;
};

// Bars side by side, stacked or stacked to 100 % (MultiBar).
class TCustomBarSeries : public TChartSeries
{
    VANTOR_CLASS(TCustomBarSeries, TChartSeries)
public:
    explicit TCustomBarSeries(TComponent *owner) : TChartSeries(owner, barSeriesSchema()) {}
    static void DeclareProperties(ClassBuilder<TCustomBarSeries> &b);
    virtual bool isHorizontal() const = 0;
};

// Vertical bars.
class TBarSeries : public TCustomBarSeries
{
    VANTOR_CLASS(TBarSeries, TCustomBarSeries)
public:
    explicit TBarSeries(TComponent *owner) : TCustomBarSeries(owner) {}
    bool isHorizontal() const override { return false; }
};

// Horizontal bars.
class THorizBarSeries : public TCustomBarSeries
{
    VANTOR_CLASS(THorizBarSeries, TCustomBarSeries)
public:
    explicit THorizBarSeries(TComponent *owner) : TCustomBarSeries(owner) {}
    bool isHorizontal() const override { return true; }
};

// A pie; each point is a slice in its own colour.
class TPieSeries : public TChartSeries
{
    VANTOR_CLASS(TPieSeries, TChartSeries)
public:
    explicit TPieSeries(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TPieSeries> &b);
};

} // namespace vantor
