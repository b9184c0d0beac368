#include "framework/controls/charts.h"

#include "framework/exceptions.h"
#include "framework/text.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QHorizontalPercentBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QLinearGradient>
#include <QPercentBarSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TChart)
VANTOR_IMPLEMENT_CLASS(TChartSeries)
VANTOR_IMPLEMENT_CLASS(TCustomBarSeries)
VANTOR_IMPLEMENT_CLASS(TBarSeries)
VANTOR_IMPLEMENT_CLASS(THorizBarSeries)
VANTOR_IMPLEMENT_CLASS(TPieSeries)

// ---------------------------------------------------------------------------
// The series' data stream

namespace {

enum DataFlag : std::uint8_t {
    dfXValues = 1, // each point starts with its X value
    dfColors = 2,  // each point has a 32-bit colour after its Y value
    dfLabels = 4,  // each point ends with its label
};
constexpr std::uint8_t kKnownFlags = dfXValues | dfColors | dfLabels;
// Marks a label written as a 32-bit length and UTF-8 bytes.
constexpr std::uint8_t kLongLabel = 0xFF;

[[noreturn]] void badData()
{
    throw EReadError(msg::InvalidPropertyValue);
}

class DataCursor
{
public:
    explicit DataCursor(const QByteArray &data) : m_data(data) {}
    bool atEnd() const { return m_pos == m_data.size(); }
    const char *take(qsizetype n)
    {
        if (n < 0 || n > m_data.size() - m_pos)
            badData();
        const char *p = m_data.constData() + m_pos;
        m_pos += n;
        return p;
    }
    std::uint8_t byte() { return std::uint8_t(*take(1)); }
    std::int32_t int32() { return qFromLittleEndian<qint32>(take(4)); }
    std::uint32_t uint32() { return qFromLittleEndian<quint32>(take(4)); }
    double float64()
    {
        const quint64 bits = qFromLittleEndian<quint64>(take(8));
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

private:
    const QByteArray &m_data;
    qsizetype m_pos = 0;
};

void putInt32(QByteArray &out, std::uint32_t v)
{
    char b[4];
    qToLittleEndian<quint32>(v, b);
    out.append(b, 4);
}

void putDouble(QByteArray &out, double d)
{
    quint64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    char b[8];
    qToLittleEndian<quint64>(bits, b);
    out.append(b, 8);
}

} // namespace

std::vector<ChartPoint> DecodeSeriesData(const QByteArray &data)
{
    std::vector<ChartPoint> points;
    if (data.isEmpty())
        return points;
    DataCursor in(data);
    const std::uint8_t flags = in.byte();
    if (flags & ~kKnownFlags)
        badData();
    const std::int32_t count = in.int32();
    // Every point takes at least eight bytes: a count beyond that is a lie,
    // and reserving for it would let a short stream claim gigabytes.
    if (count < 0 || qint64(count) * 8 > data.size())
        badData();
    points.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        ChartPoint p;
        if (flags & dfXValues)
            p.x = in.float64();
        p.y = in.float64();
        if (flags & dfColors)
            p.color = in.uint32();
        if (flags & dfLabels) {
            const std::uint8_t mark = in.byte();
            const qsizetype length = mark == kLongLabel ? qsizetype(in.int32()) : qsizetype(mark);
            const char *bytes = in.take(length);
            p.label = QString::fromUtf8(bytes, length);
        }
        points.push_back(std::move(p));
    }
    if (!in.atEnd())
        badData();
    return points;
}

QByteArray EncodeSeriesData(const std::vector<ChartPoint> &points)
{
    QByteArray out;
    if (points.empty())
        return out;
    std::uint8_t flags = 0;
    for (const ChartPoint &p : points) {
        if (p.x)
            flags |= dfXValues;
        if (p.color)
            flags |= dfColors;
        if (!p.label.isEmpty())
            flags |= dfLabels;
    }
    out.append(char(flags));
    putInt32(out, std::uint32_t(points.size()));
    for (const ChartPoint &p : points) {
        if (flags & dfXValues)
            putDouble(out, p.x.value_or(0.0));
        putDouble(out, p.y);
        if (flags & dfColors)
            putInt32(out, p.color.value_or(claColors::Null));
        if (flags & dfLabels) {
            const QByteArray label = p.label.toUtf8();
            out.append(char(kLongLabel));
            putInt32(out, std::uint32_t(label.size()));
            out.append(label);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Series

TChartSeries::TChartSeries(TComponent *owner, const ChartSchema &schema) : TComponent(owner), m_data(*this, schema)
{
    m_data.onChange = [this] { changed(); };
}

TChartSeries::~TChartSeries()
{
    if (m_chart)
        m_chart->removeSeries(this);
}

void TChartSeries::DeclareProperties(ClassBuilder<TChartSeries> &b)
{
    declareChartFields(b, chartSeriesSchema());
    b.binary("Data", &TChartSeries::Data, &TChartSeries::SetData);
    b.component("ParentChart", &TChartSeries::ParentChart, &TChartSeries::SetParentChart);
    b.integer(
        "SeriesColor", [](TChartSeries &s) { return std::int64_t(s.SeriesColor()); },
        [](TChartSeries &s, std::int64_t v) { s.SetSeriesColor(IntToAlphaColor(v)); }, &colorIdentToInt);
    b.string("Title", &TChartSeries::Title, &TChartSeries::SetTitle);
}

void TChartSeries::SetParentChart(TChart *chart)
{
    if (chart == m_chart)
        return;
    if (m_chart)
        m_chart->removeSeries(this);
    m_chart = chart;
    if (m_chart)
        m_chart->addSeries(this);
}

void TChartSeries::SetTitle(const QString &title)
{
    m_title = title;
    changed();
}

void TChartSeries::SetSeriesColor(TAlphaColor color)
{
    m_seriesColor = color;
    changed();
}

void TChartSeries::SetData(const QByteArray &data)
{
    setPoints(DecodeSeriesData(data));
}

void TChartSeries::setPoints(std::vector<ChartPoint> points)
{
    m_points = std::move(points);
    changed();
}

QString TChartSeries::displayTitle() const
{
    return m_title.isEmpty() ? Name() : m_title;
}

void TChartSeries::SetParentComponent(TComponent *parent)
{
    if (auto *chart = object_cast<TChart>(parent))
        SetParentChart(chart);
}

TComponent *TChartSeries::GetParentComponent() const
{
    return m_chart;
}

void TChartSeries::Loaded()
{
    TComponent::Loaded();
    changed();
}

void TChartSeries::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_chart)
        m_chart = nullptr;
}

void TChartSeries::changed()
{
    if (m_chart && !isLoading())
        m_chart->seriesChanged();
}

void TCustomBarSeries::DeclareProperties(ClassBuilder<TCustomBarSeries> &b)
{
    declareChartFields(b, barSeriesSchema(), false);
}

TPieSeries::TPieSeries(TComponent *owner) : TChartSeries(owner, pieSeriesSchema()) {}

void TPieSeries::DeclareProperties(ClassBuilder<TPieSeries> &b)
{
    declareChartFields(b, pieSeriesSchema(), false);
}

// ---------------------------------------------------------------------------
// Chart

TChart::TChart(TComponent *owner) : TControl(owner), m_data(*this, chartSchema())
{
    m_data.onChange = [this] {
        if (!isLoading())
            peerChanged();
    };
}

TChart::~TChart()
{
    for (TChartSeries *s : m_series)
        s->m_chart = nullptr;
}

void TChart::DeclareProperties(ClassBuilder<TChart> &b)
{
    declareChartFields(b, chartSchema());
}

QChart *TChart::qchart()
{
    return static_cast<QChartView *>(peer())->chart();
}

void TChart::Loaded()
{
    TControl::Loaded();
    peerChanged();
}

void TChart::Notification(TComponent *component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove)
        if (auto it = std::find(m_series.begin(), m_series.end(), component); it != m_series.end())
            removeSeries(*it);
}

void TChart::addSeries(TChartSeries *series)
{
    if (std::find(m_series.begin(), m_series.end(), series) != m_series.end())
        return;
    m_series.push_back(series);
    seriesChanged();
}

void TChart::removeSeries(TChartSeries *series)
{
    m_series.erase(std::remove(m_series.begin(), m_series.end(), series), m_series.end());
    // A form that frees its series one by one is going away: no picture to renew.
    if (!isDestroying() && !(Owner() && Owner()->isDestroying()))
        seriesChanged();
}

void TChart::seriesChanged()
{
    if (!isLoading())
        peerChanged();
}

TAlphaColor TChart::paletteColor(int index) const
{
    // A palette the form brings (ARGB values) wins over the built-in one.
    std::vector<TAlphaColor> custom;
    for (const QString &line : m_data.lines(QStringLiteral("ColorPalette"))) {
        bool ok = false;
        const qint64 v = line.trimmed().toLongLong(&ok);
        if (ok)
            if (auto c = chartColor(v))
                custom.push_back(*c);
    }
    if (!custom.empty())
        return custom[std::size_t(index) % custom.size()];
    static const TAlphaColor builtIn[] = {0xFF4A7EBB, 0xFFE4572E, 0xFF76B041, 0xFFFFC914, 0xFF8E5572,
                                          0xFF17BEBB, 0xFFF08A4B, 0xFF2E4057, 0xFF9BC53D, 0xFFB3B3B3};
    return builtIn[std::size_t(index) % std::size(builtIn)];
}

QWidget *TChart::createPeer()
{
    auto *view = new QChartView(peerParent());
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    // The chart shows; it does not zoom or scroll. Mouse presses go to the
    // view itself so that a click on the chart is the control's click.
    view->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    return view;
}

namespace {

using Data = ChartPartData;

QColor qcolor(TAlphaColor c)
{
    return toQColor(c);
}

// A linear gradient across the painted object, as Direction says.
QBrush gradientBrush(const Data &d, const QString &prefix)
{
    const auto start = chartColor(d.integer(prefix + QStringLiteral("StartColor"))).value_or(claColors::White);
    const auto end = chartColor(d.integer(prefix + QStringLiteral("EndColor"))).value_or(claColors::White);
    const auto mid = chartColor(d.integer(prefix + QStringLiteral("MidColor")));
    QPointF from(0, 0), to(0, 1);
    switch (d.integer(prefix + QStringLiteral("Direction"))) {
    case 1: from = {0, 1}, to = {0, 0}; break; // bottom to top
    case 2: to = {1, 0}; break;                // left to right
    case 3: from = {1, 0}, to = {0, 0}; break; // right to left
    case 5: to = {1, 1}; break;                // from top left
    case 6: from = {0, 1}, to = {1, 0}; break; // from bottom left
    default: break;
    }
    QLinearGradient g(from, to);
    g.setCoordinateMode(QGradient::ObjectMode);
    g.setColorAt(0, qcolor(start));
    if (mid)
        g.setColorAt(0.5, qcolor(*mid));
    g.setColorAt(1, qcolor(end));
    return QBrush(g);
}

QFont chartFont(const Data &d, const QString &prefix, QFont base)
{
    const QString family = d.text(prefix + QStringLiteral("Family"));
    if (!family.isEmpty())
        base.setFamily(family);
    const double size = d.number(prefix + QStringLiteral("Size"));
    if (size > 0)
        base.setPointSizeF(size * 0.75);
    const std::int64_t style = d.integer(prefix + QStringLiteral("Style"));
    base.setBold(style & (1 << fsBold));
    base.setItalic(style & (1 << fsItalic));
    base.setUnderline(style & (1 << fsUnderline));
    base.setStrikeOut(style & (1 << fsStrikeOut));
    return base;
}

QColor fontColor(const Data &d, const QString &prefix)
{
    return qcolor(chartColor(d.integer(prefix + QStringLiteral("Color"))).value_or(claColors::Black));
}

// Applies one of the chart's axes (`LeftAxis`, `BottomAxis` ...) to a Qt axis.
void applyAxis(const Data &d, const QString &name, QAbstractAxis *axis)
{
    const QString p = name + QLatin1Char('.');
    axis->setVisible(d.flag(QStringLiteral("AxisVisible")) && d.flag(p + QStringLiteral("Visible")));
    if (d.flag(p + QStringLiteral("Title.Visible")))
        axis->setTitleText(d.text(p + QStringLiteral("Title.Caption")));
    axis->setTitleFont(chartFont(d, p + QStringLiteral("Title.Font."), axis->titleFont()));
    axis->setTitleBrush(fontColor(d, p + QStringLiteral("Title.Font.")));
    axis->setGridLineVisible(d.flag(p + QStringLiteral("Grid.Visible")));
    axis->setLabelsVisible(d.flag(p + QStringLiteral("Labels")));
    axis->setLabelsAngle(int(-d.integer(p + QStringLiteral("LabelsAngle"))));
    axis->setReverse(d.flag(p + QStringLiteral("Inverted")));
    if (auto *values = qobject_cast<QValueAxis *>(axis)) {
        const bool automatic = d.flag(p + QStringLiteral("Automatic"));
        const double min = d.number(p + QStringLiteral("Minimum"));
        const double max = d.number(p + QStringLiteral("Maximum"));
        const bool fixedMin = !automatic || !d.flag(p + QStringLiteral("AutomaticMinimum"));
        const bool fixedMax = !automatic || !d.flag(p + QStringLiteral("AutomaticMaximum"));
        values->setLabelFormat(QStringLiteral("%g"));
        // Nice steps need a range; an axis without points has none.
        if ((!fixedMin || !fixedMax) && values->max() > values->min())
            values->applyNiceNumbers();
        const double lo = fixedMin ? min : values->min();
        const double hi = fixedMax ? max : values->max();
        if ((fixedMin || fixedMax) && std::isfinite(lo) && std::isfinite(hi) && lo < hi)
            values->setRange(lo, hi);
    }
}

// The point's own colour if the stream gives one, else the fallback.
QColor pointColor(const ChartPoint &p, TAlphaColor fallback)
{
    const auto own = p.color ? chartColor(*p.color) : std::nullopt;
    return qcolor(own.value_or(fallback));
}

// A value Qt can draw: streams may hold NaN or infinities, which would spoil
// the axis ranges; they draw as nothing.
double drawable(double v)
{
    return std::isfinite(v) ? v : 0.0;
}

QString pointText(const ChartPoint &p, int index)
{
    if (!p.label.isEmpty())
        return p.label;
    return QString::number(p.x.value_or(double(index)));
}

} // namespace

void TChart::updatePeer()
{
    auto *view = static_cast<QChartView *>(peer());
    auto *chart = new QChart();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    // The chart's panel fills the control, as the form draws it.
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    const Data &d = m_data;

    // Background: the panel colour, or its gradient.
    if (d.flag(QStringLiteral("Gradient.Visible")))
        chart->setBackgroundBrush(gradientBrush(d, QStringLiteral("Gradient.")));
    else if (auto c = chartColor(d.integer(QStringLiteral("Color"))))
        chart->setBackgroundBrush(qcolor(*c));
    else
        chart->setBackgroundBrush(Qt::white);

    // The back wall is the plot area's background when it is not transparent.
    if (d.flag(QStringLiteral("BackWall.Visible")) && !d.flag(QStringLiteral("BackWall.Transparent"))) {
        chart->setPlotAreaBackgroundVisible(true);
        if (d.flag(QStringLiteral("BackWall.Brush.Gradient.Visible")))
            chart->setPlotAreaBackgroundBrush(gradientBrush(d, QStringLiteral("BackWall.Brush.Gradient.")));
        else if (d.flag(QStringLiteral("BackWall.Gradient.Visible")))
            chart->setPlotAreaBackgroundBrush(gradientBrush(d, QStringLiteral("BackWall.Gradient.")));
        else
            chart->setPlotAreaBackgroundBrush(
                qcolor(chartColor(d.integer(QStringLiteral("BackWall.Color"))).value_or(claColors::White)));
    }

    // Title and subtitle, one line each.
    QStringList title;
    for (const char *part : {"Title", "SubTitle"}) {
        const QString p = QLatin1String(part);
        if (d.flag(p + QStringLiteral(".Visible")))
            for (const QString &line : d.lines(p + QStringLiteral(".Text")))
                title << line.toHtmlEscaped();
    }
    chart->setTitle(title.join(QStringLiteral("<br>")));
    chart->setTitleFont(chartFont(d, QStringLiteral("Title.Font."), chart->titleFont()));
    chart->setTitleBrush(fontColor(d, QStringLiteral("Title.Font.")));

    // Legend.
    QLegend *legend = chart->legend();
    legend->setVisible(d.flag(QStringLiteral("Legend.Visible")));
    static const Qt::Alignment sides[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignTop, Qt::AlignBottom};
    legend->setAlignment(sides[std::clamp<std::int64_t>(d.integer(QStringLiteral("Legend.Alignment")), 0, 3)]);
    legend->setFont(chartFont(d, QStringLiteral("Legend.Font."), legend->font()));
    legend->setLabelColor(fontColor(d, QStringLiteral("Legend.Font.")));

    // Series, in the chart's order; bars of one direction share one Qt series.
    std::vector<TCustomBarSeries *> bars[2];
    std::vector<TPieSeries *> pies;
    for (TChartSeries *s : m_series) {
        if (!s->Active())
            continue;
        if (auto *bar = object_cast<TCustomBarSeries>(s))
            bars[bar->isHorizontal() ? 1 : 0].push_back(bar);
        else if (auto *pie = object_cast<TPieSeries>(s))
            pies.push_back(pie);
    }
    const auto seriesIndex = [this](const TChartSeries *s) {
        return int(std::find(m_series.begin(), m_series.end(), s) - m_series.begin());
    };

    for (int horizontal = 0; horizontal < 2; ++horizontal) {
        const auto &group = bars[horizontal];
        if (group.empty())
            continue;
        const Data &first = group.front()->partData();
        std::size_t count = 0;
        for (const TCustomBarSeries *s : group)
            count = std::max(count, s->points().size());
        QStringList categories;
        for (std::size_t i = 0; i < count; ++i) {
            QString label;
            for (const TCustomBarSeries *s : group)
                if (i < s->points().size() && !s->points()[i].label.isEmpty()) {
                    label = s->points()[i].label;
                    break;
                }
            if (label.isEmpty())
                for (const TCustomBarSeries *s : group)
                    if (i < s->points().size()) {
                        label = pointText(s->points()[i], int(i));
                        break;
                    }
            categories << label;
        }

        // One series that colours each point: a set per point, stacked on
        // zeros elsewhere, so every bar keeps its own colour and legend entry.
        const bool eachPoint = group.size() == 1 && group.front()->ColorEachPoint();
        const std::int64_t multiBar = first.integer(QStringLiteral("MultiBar"));
        QAbstractBarSeries *qseries = nullptr;
        if (eachPoint || multiBar == 2 || multiBar == 5)
            qseries = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalStackedBarSeries)
                                 : new QStackedBarSeries;
        else if (multiBar == 3)
            qseries = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalPercentBarSeries)
                                 : new QPercentBarSeries;
        else
            qseries = horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries) : new QBarSeries;
        qseries->setBarWidth(std::clamp(double(first.integer(QStringLiteral("BarWidthPercent"))) / 100.0, 0.05, 1.0));
        bool marks = false;
        if (eachPoint) {
            const TCustomBarSeries *s = group.front();
            qseries->setName(s->displayTitle());
            for (std::size_t j = 0; j < s->points().size(); ++j) {
                const ChartPoint &p = s->points()[j];
                auto *set = new QBarSet(pointText(p, int(j)));
                for (std::size_t i = 0; i < count; ++i)
                    *set << (i == j ? drawable(p.y) : 0.0);
                set->setColor(pointColor(p, paletteColor(int(j))));
                qseries->append(set);
            }
            marks = s->MarksVisible();
        } else {
            for (const TCustomBarSeries *s : group) {
                auto *set = new QBarSet(s->displayTitle());
                for (std::size_t i = 0; i < count; ++i)
                    *set << (i < s->points().size() ? drawable(s->points()[i].y) : 0.0);
                const auto own = chartColor(s->SeriesColor());
                set->setColor(qcolor(own ? *own : paletteColor(seriesIndex(s))));
                qseries->append(set);
                marks = marks || s->MarksVisible();
            }
        }
        qseries->setLabelsVisible(marks);
        chart->addSeries(qseries);

        // Vertical bars: categories along the bottom (or top) axis, values on
        // the left (or right); horizontal bars the other way round.
        const bool top = first.integer(QStringLiteral("HorizAxis")) == 0;
        const bool right = first.integer(QStringLiteral("VertAxis")) == 1;
        const QString horizName = top ? QStringLiteral("TopAxis") : QStringLiteral("BottomAxis");
        const QString vertName = right ? QStringLiteral("RightAxis") : QStringLiteral("LeftAxis");
        auto *categoryAxis = new QBarCategoryAxis;
        categoryAxis->append(categories);
        auto *valueAxis = new QValueAxis;
        const Qt::Alignment horizSide = top ? Qt::AlignTop : Qt::AlignBottom;
        const Qt::Alignment vertSide = right ? Qt::AlignRight : Qt::AlignLeft;
        chart->addAxis(categoryAxis, horizontal ? vertSide : horizSide);
        chart->addAxis(valueAxis, horizontal ? horizSide : vertSide);
        qseries->attachAxis(categoryAxis);
        qseries->attachAxis(valueAxis);
        applyAxis(d, horizontal ? vertName : horizName, categoryAxis);
        applyAxis(d, horizontal ? horizName : vertName, valueAxis);
    }

    // Pies side by side when there are several.
    const int pieCount = int(pies.size());
    for (int i = 0; i < pieCount; ++i) {
        const TPieSeries *s = pies[std::size_t(i)];
        auto *qpie = new QPieSeries;
        qpie->setName(s->displayTitle());
        qpie->setHorizontalPosition((i + 0.5) / pieCount);
        qpie->setPieSize(std::min(0.7, 0.9 / pieCount));
        const double angle = double(s->partData().integer(QStringLiteral("RotationAngle")));
        qpie->setPieStartAngle(angle);
        qpie->setPieEndAngle(angle + 360);
        const bool pen = s->partData().flag(QStringLiteral("PiePen.Visible"));
        const auto penColor = chartColor(s->partData().integer(QStringLiteral("PiePen.Color")));
        for (std::size_t j = 0; j < s->points().size(); ++j) {
            const ChartPoint &p = s->points()[j];
            QPieSlice *slice = qpie->append(pointText(p, int(j)), std::abs(drawable(p.y)));
            slice->setColor(pointColor(p, paletteColor(int(j))));
            slice->setBorderColor(pen ? qcolor(penColor.value_or(claColors::Black)) : QColor(Qt::transparent));
            slice->setLabelVisible(s->MarksVisible());
        }
        chart->addSeries(qpie);
    }

    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

} // namespace vantor
