// Chart controls: the series' data stream, nested chart properties read from
// form text, series joining their chart, and the Qt chart that shows them.
// A corpus check (skipped unless VANTOR_CORPUS_PROPERTIES names the corpus's
// properties.tsv) reads every property real forms set on the chart classes.
#include "framework/controls/charts.h"
#include "framework/forms.h"
#include "framework/reader.h"
#include "streams/texttobinary.h"

#include <QAbstractBarSeries>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QPieSeries>
#include <QPieSlice>
#include <QStackedBarSeries>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace vantor;

namespace {

void registerChartClasses()
{
    RegisterClasses<TForm, TChart, TBarSeries, THorizBarSeries, TPieSeries>();
}

// Reads a form written as text into a new TForm owned by `host`.
TForm *readForm(TComponent *host, const QByteArray &text)
{
    registerChartClasses();
    const auto bytes = textToBinary(std::span(reinterpret_cast<const std::uint8_t *>(text.constData()),
                                              std::size_t(text.size())));
    auto form = std::make_unique<TForm>(host);
    TReader reader(bytes.data(), bytes.size());
    reader.ReadRootComponent(form.get());
    return form.release();
}

// The message of the error reading `text` raises; empty when it reads.
std::string readError(const QByteArray &text)
{
    TComponent host(nullptr);
    try {
        readForm(&host, text);
    } catch (const Exception &e) {
        return e.message();
    }
    return {};
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

template<class T> T *find(TForm *form, const char *name)
{
    return object_cast<T>(form->FindComponent(QString::fromLatin1(name)));
}

} // namespace

// ---------------------------------------------------------------------------
// The Data stream

TEST(ChartData, DecodesEveryLayoutOfPoints)
{
    // Plain Y values.
    auto points = DecodeSeriesData(hex("0002000000" "0000000000008A40" "000000000000F03F"));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].y, 832.0);
    EXPECT_EQ(points[1].y, 1.0);
    EXPECT_FALSE(points[0].x || points[0].color);
    EXPECT_TRUE(points[0].label.isEmpty());

    // X and Y.
    points = DecodeSeriesData(hex("0101000000" "0000000000001840" "0000000000001440"));
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 6.0);
    EXPECT_EQ(points[0].y, 5.0);

    // Colours and labels, the label long-form (0xFF, 32-bit length) and
    // short-form (one length byte), UTF-8.
    points = DecodeSeriesData(hex("0602000000"
                                  "0000000000004440" "F9CD2000" "FF03000000" "4D6F6E"
                                  "0000000000003940" "00000000" "02" "C3BC"));
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].y, 40.0);
    EXPECT_EQ(points[0].color, 0x0020CDF9u);
    EXPECT_EQ(points[0].label, QStringLiteral("Mon"));
    EXPECT_EQ(points[1].label, QStringLiteral("\u00FC"));

    EXPECT_TRUE(DecodeSeriesData(QByteArray()).empty());
    EXPECT_TRUE(DecodeSeriesData(hex("0000000000")).empty());
}

TEST(ChartData, RefusesDamagedStreams)
{
    const struct
    {
        const char *what;
        const char *digits;
    } cases[] = {
        {"unknown flag", "0801000000" "0000000000000000"},
        {"negative count", "00FFFFFFFF"},
        {"count beyond the bytes", "00FFFFFF7F" "0000000000000000"},
        {"point cut short", "0002000000" "0000000000000000" "00000000"},
        {"count cut short", "000200"},
        {"bytes after the last point", "0001000000" "0000000000000000" "00"},
        {"label longer than the rest", "0401000000" "0000000000000000" "FF10000000" "41"},
        {"negative label length", "0401000000" "0000000000000000" "FFFFFFFFFF"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            DecodeSeriesData(hex(c.digits));
            ADD_FAILURE() << "no error";
        } catch (const EReadError &e) {
            EXPECT_EQ(e.message(), "Ungültiger Eigenschaftswert");
        }
    }
}

TEST(ChartData, EncodingRoundTrips)
{
    const std::vector<ChartPoint> points = {{1.0, 2.5, 0xFF112233u, QStringLiteral("a")},
                                            {std::nullopt, -3.0, std::nullopt, QStringLiteral("Äpfel")}};
    const auto back = DecodeSeriesData(EncodeSeriesData(points));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].x, 1.0);
    EXPECT_EQ(back[0].y, 2.5);
    EXPECT_EQ(back[0].color, 0xFF112233u);
    EXPECT_EQ(back[1].x, 0.0); // the stream stores X for every point or none
    EXPECT_EQ(back[1].y, -3.0);
    EXPECT_EQ(back[1].label, QStringLiteral("Äpfel"));
    EXPECT_TRUE(EncodeSeriesData({}).isEmpty());
}

// ---------------------------------------------------------------------------
// Classes and properties

TEST(ChartClasses, CreatableByNameWithTheirPeers)
{
    registerChartClasses();
    TComponent host(nullptr);
    for (const char *name : {"TChart", "TBarSeries", "THorizBarSeries", "TPieSeries"}) {
        SCOPED_TRACE(name);
        const ClassInfo *cls = GetClass(QString::fromLatin1(name));
        ASSERT_NE(cls, nullptr);
        TComponent *c = cls->create(&host);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->ClassName(), QString::fromLatin1(name));
        if (auto *control = object_cast<TControl>(c))
            EXPECT_NE(qobject_cast<QChartView *>(control->peer()), nullptr);
        else
            EXPECT_NE(object_cast<TChartSeries>(c), nullptr); // series have no widget
    }
}

TEST(ChartProperties, NestedPathsReadAndKeepTheirValues)
{
    TComponent host(nullptr);
    TForm *form = readForm(&host, R"(object F: TForm
  object Chart1: TChart
    LeftAxis.Title.Font.Size = 13.5
    LeftAxis.Grid.Style = psDot
    Legend.Brush.Gradient.Visible = True
    Legend.Brush.Kind = bkGradient
    Legend.Title.Font.StyleExt = {00070000000000000004000000}
    Title.Font.Style = [fsBold]
    Gradient.EndColor = 8404992
    Gradient.StartColor = x00EAEAEA
    BottomAxis.LabelsFont.Color = clWhite
    Zoom.Pen.Mode = pmNotXor
    View3DOptions.Elevation = 336
    Width = 304
    Position.Point = '(185,81)'
    PrintMargins = (
      15
      33
      15
      33)
    BackWall.Brush.Gradient.Colors = <
      item
        Color = claWhite
        Offset = 0.5
      end>
    CustomAxes = <
      item
        Horizontal = False
        Title.Caption = 'Freq'
      end>
    object Series1: TPieSeries
      Frame.OuterBrush.Gradient.MidColor = claWhite
      OtherSlice.Legend.Visible = False
      XValues.Order = loAscending
      Marks.Callout.ArrowHead = ahLine
      HoverElement = []
      Left = 123
    end
    object Series2: TBarSeries
      BarBrush.Gradient.Direction = gdLeftRight
      MultiBar = mbStacked
      DataSource = SomeDataSet
    end
  end
end
)");
    auto *chart = find<TChart>(form, "Chart1");
    ASSERT_NE(chart, nullptr);
    const struct
    {
        TObject *object;
        const char *path;
        PropValue expected;
    } cases[] = {
        {chart, "LeftAxis.Title.Font.Size", 13.5},
        {chart, "LeftAxis.Grid.Style", std::int64_t(2)},
        {chart, "Legend.Brush.Gradient.Visible", true},
        {chart, "Legend.Brush.Kind", std::int64_t(2)},
        {chart, "Legend.Title.Font.StyleExt", hex("00070000000000000004000000")},
        {chart, "Title.Font.Style", std::int64_t(1)},
        {chart, "Gradient.EndColor", std::int64_t(8404992)},
        {chart, "Gradient.StartColor", std::int64_t(0x00EAEAEA)},
        {chart, "Zoom.Pen.Mode", std::int64_t(15)},
        {chart, "View3DOptions.Elevation", std::int64_t(336)},
        {chart, "Width", 304.0},
        {chart, "Position.X", 185.0},
        // Defaults of what no form set.
        {chart, "View3D", true},
        {chart, "Legend.Visible", true},
        {chart, "LeftAxis.LogarithmicBase", 10.0},
        {find<TPieSeries>(form, "Series1"), "Frame.OuterBrush.Gradient.MidColor", std::int64_t(0xFFFFFFFF)},
        {find<TPieSeries>(form, "Series1"), "OtherSlice.Legend.Visible", false},
        {find<TPieSeries>(form, "Series1"), "XValues.Order", std::int64_t(1)},
        {find<TPieSeries>(form, "Series1"), "Left", std::int64_t(123)},
        {find<TBarSeries>(form, "Series2"), "MultiBar", std::int64_t(2)},
        {find<TBarSeries>(form, "Series2"), "DataSource", static_cast<TObject *>(nullptr)}, // not in this form
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_NE(c.object, nullptr);
        EXPECT_EQ(GetPropValue(c.object, QString::fromLatin1(c.path)), c.expected);
    }

    auto *margins = object_cast<TStrings>(std::get<TObject *>(GetPropValue(chart, QStringLiteral("PrintMargins"))));
    ASSERT_NE(margins, nullptr);
    EXPECT_EQ(margins->lines(), (QStringList{"15", "33", "15", "33"}));

    auto *stops = object_cast<TCollection>(std::get<TObject *>(GetPropValue(chart, QStringLiteral("BackWall.Brush.Gradient.Colors"))));
    ASSERT_NE(stops, nullptr);
    ASSERT_EQ(stops->Count(), 1);
    EXPECT_EQ(GetPropValue(stops->Items(0), QStringLiteral("Offset")), PropValue(0.5));
    auto *axes = object_cast<TCollection>(std::get<TObject *>(GetPropValue(chart, QStringLiteral("CustomAxes"))));
    ASSERT_NE(axes, nullptr);
    ASSERT_EQ(axes->Count(), 1);
    EXPECT_EQ(GetPropValue(axes->Items(0), QStringLiteral("Title.Caption")), PropValue(QStringLiteral("Freq")));
}

TEST(ChartProperties, BadLinesNameComponentAndPath)
{
    const struct
    {
        const char *line;
        const char *message;
    } cases[] = {
        {"Chart1.LeftAxis.Bogus = 1", "Chart1.LeftAxis.Bogus: Eigenschaft LeftAxis.Bogus existiert nicht"},
        {"Chart1.Legend.Alignment = laMiddle", "Chart1.Legend.Alignment: Ungültiger Eigenschaftswert"},
        {"Chart1.Title.Visible = 'yes'", "Chart1.Title.Visible: Ungültiger Eigenschaftswert"},
        {"Series1.Data = {0001000000}", "Series1.Data: Ungültiger Eigenschaftswert"},
        {"Series1.Marks.Visible = 3", "Series1.Marks.Visible: Ungültiger Eigenschaftswert"},
        // Series are no controls: they have no Align.
        {"Series1.Align = Client", "Series1.Align: Eigenschaft Align existiert nicht"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const QString line = QString::fromUtf8(c.line);
        const QString owner = line.section(QLatin1Char('.'), 0, 0);
        const QString rest = line.section(QLatin1Char('.'), 1);
        QByteArray text = "object F: TForm\n  object Chart1: TChart\n";
        if (owner == QLatin1String("Chart1"))
            text += "    " + rest.toUtf8() + "\n";
        text += "    object Series1: TBarSeries\n";
        if (owner == QLatin1String("Series1"))
            text += "      " + rest.toUtf8() + "\n";
        text += "    end\n  end\nend\n";
        EXPECT_EQ(readError(text), c.message);
    }
}

// ---------------------------------------------------------------------------
// Series and their chart

TEST(ChartSeries, JoinTheirChartNestedOrByParentChart)
{
    TComponent host(nullptr);
    TForm *form = readForm(&host, R"(object F: TForm
  object Chart1: TChart
    object Series1: TBarSeries
    end
  end
  object Chart2: TChart
  end
  object Series2: TPieSeries
    ParentChart = Chart2
  end
  object Series3: TPieSeries
    ParentChart = Elsewhere
  end
end
)");
    auto *chart1 = find<TChart>(form, "Chart1");
    auto *chart2 = find<TChart>(form, "Chart2");
    auto *series1 = find<TBarSeries>(form, "Series1");
    auto *series2 = find<TPieSeries>(form, "Series2");
    auto *series3 = find<TPieSeries>(form, "Series3");
    ASSERT_TRUE(chart1 && chart2 && series1 && series2 && series3);
    EXPECT_EQ(series1->ParentChart(), chart1);
    EXPECT_EQ(GetPropValue(series1, QStringLiteral("ParentChart")), PropValue(static_cast<TObject *>(chart1)));
    EXPECT_EQ(series1->GetParentComponent(), chart1);
    EXPECT_EQ(series2->ParentChart(), chart2);
    EXPECT_EQ(series3->ParentChart(), nullptr);
    ASSERT_EQ(chart1->SeriesCount(), 1);
    EXPECT_EQ(chart1->Series(0), series1);

    // Moving and freeing keep both sides in step.
    series1->SetParentChart(chart2);
    EXPECT_EQ(chart1->SeriesCount(), 0);
    EXPECT_EQ(chart2->SeriesCount(), 2);
    delete series2;
    ASSERT_EQ(chart2->SeriesCount(), 1);
    EXPECT_EQ(chart2->Series(0), series1);
    delete chart2;
    EXPECT_EQ(series1->ParentChart(), nullptr);
    series1->SetTitle(QStringLiteral("still safe")); // no chart left to tell
}

// ---------------------------------------------------------------------------
// What the Qt chart shows

TEST(ChartView, ShowsTitleLegendAxesAndBarSeries)
{
    TComponent host(nullptr);
    TForm *form = readForm(&host, R"(object F: TForm
  object Chart1: TChart
    Title.Text.Strings = (
      'Sales & more')
    SubTitle.Text.Strings = (
      '2024')
    Legend.Alignment = laBottom
    LeftAxis.Title.Caption = 'Units'
    LeftAxis.Automatic = False
    LeftAxis.AutomaticMaximum = False
    LeftAxis.AutomaticMinimum = False
    LeftAxis.Maximum = 50.0
    LeftAxis.Minimum = 0.0
    BottomAxis.Title.Caption = 'Day'
    BottomAxis.Grid.Visible = False
    View3D = False
    Color = claWhite
    BackWall.Transparent = False
    BackWall.Color = x00E0FFFF
    Width = 400.0
    Height = 300.0
    object Series1: TBarSeries
      Title = 'North'
      SeriesColor = claRed
      Marks.Visible = True
      Data = {
        04020000000000000000001C40FF030000004D6F6E0000000000001440FF030000005475
        65}
    end
    object Series2: TBarSeries
      Data = {0001000000000000000000F03F}
    end
  end
end
)");
    auto *chart = find<TChart>(form, "Chart1");
    ASSERT_NE(chart, nullptr);
    QChart *q = qobject_cast<QChartView *>(chart->peer())->chart();
    ASSERT_EQ(q, chart->qchart());
    EXPECT_EQ(q->title(), QStringLiteral("Sales &amp; more<br>2024"));
    EXPECT_TRUE(q->legend()->isVisible());
    EXPECT_EQ(q->legend()->alignment(), Qt::AlignBottom);
    EXPECT_TRUE(q->isPlotAreaBackgroundVisible());
    EXPECT_EQ(q->plotAreaBackgroundBrush().color(), QColor(0xE0, 0xFF, 0xFF));

    ASSERT_EQ(q->series().size(), 1);
    auto *bars = qobject_cast<QAbstractBarSeries *>(q->series().front());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->type(), QAbstractSeries::SeriesTypeBar);
    EXPECT_TRUE(bars->isLabelsVisible());
    ASSERT_EQ(bars->count(), 2);
    QBarSet *north = bars->barSets()[0];
    EXPECT_EQ(north->label(), QStringLiteral("North"));
    EXPECT_EQ(north->color(), QColor(Qt::red));
    ASSERT_EQ(north->count(), 2);
    EXPECT_EQ(north->at(0), 7.0);
    EXPECT_EQ(north->at(1), 5.0);
    QBarSet *second = bars->barSets()[1];
    EXPECT_EQ(second->label(), QStringLiteral("Series2")); // no title: the name
    EXPECT_EQ(second->at(0), 1.0);
    EXPECT_EQ(second->at(1), 0.0);
    EXPECT_NE(second->color(), north->color());

    auto *categories = qobject_cast<QBarCategoryAxis *>(q->axes(Qt::Horizontal).value(0));
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(categories->categories(), (QStringList{QStringLiteral("Mon"), QStringLiteral("Tue")}));
    EXPECT_EQ(categories->titleText(), QStringLiteral("Day"));
    EXPECT_FALSE(categories->isGridLineVisible());
    auto *values = qobject_cast<QValueAxis *>(q->axes(Qt::Vertical).value(0));
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(values->titleText(), QStringLiteral("Units"));
    EXPECT_EQ(values->max(), 50.0);

    // Changes after loading reach the view.
    SetPropValue(chart, QStringLiteral("Legend.Visible"), false);
    EXPECT_FALSE(chart->qchart()->legend()->isVisible());
    find<TBarSeries>(form, "Series1")->SetTitle(QStringLiteral("South"));
    EXPECT_EQ(qobject_cast<QAbstractBarSeries *>(chart->qchart()->series().front())->barSets()[0]->label(),
              QStringLiteral("South"));
}

TEST(ChartView, ColourEachPointHorizontalBarsAndPies)
{
    TComponent host(nullptr);
    TForm *form = readForm(&host, R"(object F: TForm
  object Chart1: TChart
    Legend.Visible = False
    object Series1: THorizBarSeries
      ColorEachPoint = True
      Data = {
        060200000000000000000044400000FF00FF01000000410000000000003940000000
        00FF0100000042}
    end
  end
  object Chart2: TChart
    object Series2: TPieSeries
      Marks.Visible = True
      Data = {
        04020000000000000000805140FF05000000576F6D656E0000000000003940FF0300
        00004D656E}
    end
    object Series3: TPieSeries
      Active = False
    end
  end
end
)");
    QChart *q1 = find<TChart>(form, "Chart1")->qchart();
    ASSERT_NE(q1, nullptr);
    EXPECT_FALSE(q1->legend()->isVisible());
    ASSERT_EQ(q1->series().size(), 1);
    auto *bars = qobject_cast<QAbstractBarSeries *>(q1->series().front());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->type(), QAbstractSeries::SeriesTypeHorizontalStackedBar);
    ASSERT_EQ(bars->count(), 2);
    // A point's own colour; colour 0 means none, the palette's first colour then.
    EXPECT_EQ(bars->barSets()[0]->label(), QStringLiteral("A"));
    EXPECT_EQ(bars->barSets()[0]->color(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(bars->barSets()[0]->at(0), 40.0);
    EXPECT_EQ(bars->barSets()[0]->at(1), 0.0);
    EXPECT_EQ(bars->barSets()[1]->at(1), 25.0);
    EXPECT_NE(bars->barSets()[1]->color(), bars->barSets()[0]->color());

    // A palette of ARGB values (forms write `ColorPalette = ( 4294901760 ...)`).
    auto *chart2 = find<TChart>(form, "Chart2");
    auto *palette = object_cast<TStrings>(std::get<TObject *>(GetPropValue(chart2, QStringLiteral("ColorPalette"))));
    ASSERT_NE(palette, nullptr);
    palette->setLines({QStringLiteral("4294901760"), QStringLiteral("4278255360")});
    QChart *q2 = chart2->qchart();
    ASSERT_NE(q2, nullptr);
    ASSERT_EQ(q2->series().size(), 1); // the inactive pie is not drawn
    auto *pie = qobject_cast<QPieSeries *>(q2->series().front());
    ASSERT_NE(pie, nullptr);
    ASSERT_EQ(pie->count(), 2);
    EXPECT_EQ(pie->slices()[0]->label(), QStringLiteral("Women"));
    EXPECT_EQ(pie->slices()[0]->value(), 70.0);
    EXPECT_TRUE(pie->slices()[0]->isLabelVisible());
    // The form's palette colours the slices.
    EXPECT_EQ(pie->slices()[0]->color(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(pie->slices()[1]->color(), QColor(0x00, 0xFF, 0x00));
}

TEST(ChartView, ValuesQtCannotDrawShowAsZero)
{
    registerChartClasses();
    TComponent host(nullptr);
    auto *chart = new TChart(&host);
    auto *bars = new TBarSeries(&host);
    auto *pie = new TPieSeries(&host);
    bars->SetParentChart(chart);
    pie->SetParentChart(chart);
    const double nan = std::nan("");
    bars->setPoints({{std::nullopt, nan, std::nullopt, {}}, {std::nullopt, 2.0, std::nullopt, {}}});
    pie->setPoints({{std::nullopt, -INFINITY, std::nullopt, {}}, {std::nullopt, -3.0, std::nullopt, {}}});
    QChart *q = chart->qchart();
    ASSERT_EQ(q->series().size(), 2);
    QBarSet *set = qobject_cast<QAbstractBarSeries *>(q->series()[0])->barSets()[0];
    EXPECT_EQ(set->at(0), 0.0);
    EXPECT_EQ(set->at(1), 2.0);
    auto *slices = qobject_cast<QPieSeries *>(q->series()[1]);
    EXPECT_EQ(slices->slices()[0]->value(), 0.0);
    EXPECT_EQ(slices->slices()[1]->value(), 3.0); // a pie shows sizes
    auto *values = qobject_cast<QValueAxis *>(q->axes(Qt::Vertical).value(0));
    ASSERT_NE(values, nullptr);
    EXPECT_TRUE(std::isfinite(values->min()) && std::isfinite(values->max()));
}

TEST(ChartView, AClickOnTheChartIsTheControlsClick)
{
    struct Log
    {
        int clicks = 0;
        void onClick(TObject *) { ++clicks; }
    } log;
    TComponent host(nullptr);
    TForm *form = readForm(&host, "object F: TForm\n  object Chart1: TChart\n    Width = 200.0\n    Height = 150.0\n  end\nend\n");
    auto *chart = find<TChart>(form, "Chart1");
    chart->OnClick = TNotifyEvent::bind<&Log::onClick>(&log);
    form->Show();
    QTest::mouseClick(chart->peer(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(log.clicks, 1);
}

// ---------------------------------------------------------------------------
// Corpus check, by hand: every (class, property) row of the chart classes in
// the corpus's property table is read from a one-component form.

TEST(ChartCorpus, EveryPropertyOfTheChartClassesReads)
{
    const char *path = std::getenv("VANTOR_CORPUS_PROPERTIES");
    if (!path)
        GTEST_SKIP() << "set VANTOR_CORPUS_PROPERTIES to the corpus's properties.tsv";
    QFile file(QString::fromLocal8Bit(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    registerChartClasses();
    int rows = 0;
    QStringList refused;
    while (!file.atEnd()) {
        const QStringList cols = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char('\t'));
        if (cols.size() < 5)
            continue;
        const QString &cls = cols[0], &prop = cols[1], &kind = cols[2], &example = cols[4];
        if (cls != QLatin1String("TChart") && cls != QLatin1String("TBarSeries")
            && cls != QLatin1String("THorizBarSeries") && cls != QLatin1String("TPieSeries"))
            continue;
        ++rows;
        // A value of the row's kind; the example where it is whole.
        QString value;
        if (kind == QLatin1String("int"))
            value = QStringLiteral("1");
        else if (kind == QLatin1String("float"))
            value = QStringLiteral("1.5");
        else if (kind == QLatin1String("string"))
            value = example.size() > 1 && example.endsWith(QLatin1Char('\'')) ? example : QStringLiteral("'x'");
        else if (kind == QLatin1String("binary"))
            value = prop == QLatin1String("Data") ? QStringLiteral("{0000000000}") : QStringLiteral("{00}");
        else if (kind == QLatin1String("collection"))
            value = QStringLiteral("<\n item\n end>");
        else if (kind == QLatin1String("list"))
            value = example.endsWith(QLatin1Char(')')) ? example : QStringLiteral("(\n 1\n 2)");
        else
            value = example; // bool, ident, set
        if (prop.startsWith(QLatin1String("On"))) {
            // Events bind the root's handlers; the property must exist as one.
            TComponent host(nullptr);
            std::unique_ptr<TComponent> c(GetClass(cls)->create(&host));
            const PropLocation loc = FindPropertyPath(componentAsObject(c.get()), prop);
            if (!loc || loc.info->kind != PropKind::Method)
                refused << cls + QLatin1Char('.') + prop + QStringLiteral(": no event");
            continue;
        }
        const QByteArray text = "object F: TForm\n  object X: " + cls.toUtf8() + "\n    " + prop.toUtf8() + " = "
                                + value.toUtf8() + "\n  end\nend\n";
        const std::string error = readError(text);
        if (!error.empty())
            refused << cls + QLatin1Char('.') + prop + QStringLiteral(" (") + kind + QStringLiteral("): ")
                           + QString::fromStdString(error);
    }
    std::printf("chart corpus check: %d rows, %lld refused\n", rows, static_cast<long long>(refused.size()));
    for (const QString &r : refused)
        std::printf("  %s\n", qPrintable(r));
    EXPECT_GT(rows, 0);
    EXPECT_TRUE(refused.isEmpty());
}
