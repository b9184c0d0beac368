#pragma once

// The nested property objects of the chart controls (Title, Legend, the
// axes, walls, pens, brushes, gradients, fonts, marks ...), declared from
// tables. Chart forms set hundreds of properties two or three levels deep
// (`LeftAxis.Title.Font.Size`, `Legend.Brush.Gradient.Visible`); one generic
// object whose sub-properties come from a field table keeps them readable
// without a C++ class for every shape.
//
// A table (`ChartSchema`) lists fields: scalar fields keep their value in
// the owning object's value store, with the table's default until a form
// sets them; `Part` fields are nested objects made on first use;
// `Strings` and `Collection` fields own a TStrings or a TCollection.
// Every set value, at any depth, calls the owner's onChange.

#include "framework/classes.h"
#include "framework/colors.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vantor {

struct ChartSchema;

enum class ChartFieldKind {
    Integer,     // a plain integer
    Color,       // an integer that also takes colour identifiers (claRed, xFF00FF00, clWhite)
    Float,       // a double
    String,      // a text
    Boolean,     // True or False
    Enumeration, // one identifier of `enumInfo`
    Set,         // identifiers of `enumInfo`
    Part,        // a nested object of table `schema`
    Strings,     // a string list (`Text.Strings = (...)`, also lists of numbers)
    Collection,  // `<item ... end>` items of class `itemClass`
    Binary,      // `{...}` bytes
    Event,       // an event, kept only
    Component,   // a reference to another component, kept only
};

struct ChartField
{
    const char *name = "";
    ChartFieldKind kind = ChartFieldKind::Integer;
    PropValue defaultValue;                            // scalar fields; empty: zero, false, ''
    const EnumInfo &(*enumInfo)() = nullptr;           // Enumeration, Set
    const ChartSchema &(*schema)() = nullptr;          // Part
    const ClassInfo &(*itemClass)() = nullptr;         // Collection
};

// Field makers for the tables.
namespace chartfield {
ChartField integer(const char *name, std::int64_t def = 0);
ChartField color(const char *name, TAlphaColor def = claColors::Null);
ChartField floating(const char *name, double def = 0);
ChartField string(const char *name, const char *def = "");
ChartField boolean(const char *name, bool def = false);
ChartField enumeration(const char *name, const EnumInfo &(*info)(), int def = 0);
ChartField set(const char *name, const EnumInfo &(*info)());
ChartField part(const char *name, const ChartSchema &(*schema)());
ChartField strings(const char *name);
ChartField collection(const char *name, const ClassInfo &(*itemClass)());
ChartField binary(const char *name);
ChartField event(const char *name);
ChartField component(const char *name);
} // namespace chartfield

// A table of fields; `base` adds the fields of another table before these.
struct ChartSchema
{
    ChartSchema(const char *name, std::vector<ChartField> fieldList, const ChartSchema *baseSchema = nullptr)
        : className(name), fields(std::move(fieldList)), base(baseSchema)
    {
    }
    ChartSchema(const ChartSchema &) = delete;
    ChartSchema &operator=(const ChartSchema &) = delete;

    const char *className = "";
    std::vector<ChartField> fields;
    const ChartSchema *base = nullptr;

    // The field of that name (letter case ignored) here or in the base; nullptr if none.
    const ChartField *find(const QString &name) const;
    // The class of TChartPart objects of this table, made on first use.
    const ClassInfo &classInfo() const;
    // The fields, the base tables' first when asked; a name defined again
    // replaces the earlier field in its place.
    std::vector<const ChartField *> allFields(bool withBase) const;

private:
    mutable const ClassInfo *m_classInfo = nullptr;
};

class TChartPart;

// What an object with table-declared fields holds: its nested parts, string
// lists and collections, made on first use, and the change callback. The
// scalar values live in the host object's value store.
class ChartPartData
{
public:
    ChartPartData(TObject &host, const ChartSchema &schema);
    ~ChartPartData();
    ChartPartData(const ChartPartData &) = delete;
    ChartPartData &operator=(const ChartPartData &) = delete;

    const ChartSchema &schema() const { return *m_schema; }
    TChartPart *part(const char *name);
    TStrings *strings(const char *name);
    TCollection *collection(const char *name);

    // Values by dotted path (`Title.Font.Size`), the table's default for
    // whatever no form has set; nothing is created on the way. A path that
    // names no field yields an empty value.
    PropValue value(const QString &path) const;
    bool flag(const QString &path) const;
    std::int64_t integer(const QString &path) const;
    double number(const QString &path) const;
    QString text(const QString &path) const;
    QStringList lines(const QString &path) const;
    // An existing collection by dotted path, nullptr when none was made.
    const TCollection *findCollection(const QString &path) const;

    std::function<void()> onChange;
    void changed() const;

private:
    const TObject *child(const char *name) const;
    TObject *makeChild(const char *name, ChartFieldKind kind);

    TObject &m_host;
    const ChartSchema *m_schema;
    std::vector<std::pair<QString, std::unique_ptr<TPersistent>>> m_children;
};

// A nested chart object whose properties come from a table. Its class is the
// table's (`TChartAxis`, `TChartLegend` ...), made at run time.
class TChartPart : public TPersistent
{
public:
    using inherited = TPersistent;
    using ThisClass = TChartPart;
    static const ClassInfo &StaticClass();
    const ClassInfo &ClassType() const override { return m_schema->classInfo(); }

    explicit TChartPart(const ChartSchema &schema) : m_schema(&schema), m_data(*this, schema) {}
    ChartPartData &partData() { return m_data; }
    const ChartPartData &partData() const { return m_data; }

private:
    const ChartSchema *m_schema;
    ChartPartData m_data;
};

// Declares the table's fields (its base's first) as published properties of T,
// whose partData() holds them.
template<class T> void declareChartField(ClassBuilder<T> &b, const ChartField &f)
{
    const char *name = f.name;
    switch (f.kind) {
    case ChartFieldKind::Part: b.persistent(name, [name](T &o) { return o.partData().part(name); }); return;
    case ChartFieldKind::Strings: b.strings(name, [name](T &o) { return o.partData().strings(name); }); return;
    case ChartFieldKind::Collection: b.collection(name, [name](T &o) { return o.partData().collection(name); }); return;
    default: break;
    }
    PropKind kind = PropKind::Integer;
    switch (f.kind) {
    case ChartFieldKind::Float: kind = PropKind::Float; break;
    case ChartFieldKind::String: kind = PropKind::String; break;
    case ChartFieldKind::Boolean: kind = PropKind::Boolean; break;
    case ChartFieldKind::Enumeration: kind = PropKind::Enumeration; break;
    case ChartFieldKind::Set: kind = PropKind::Set; break;
    case ChartFieldKind::Binary: kind = PropKind::Binary; break;
    case ChartFieldKind::Event: kind = PropKind::Method; break;
    case ChartFieldKind::Component: kind = PropKind::Component; break;
    default: break;
    }
    PropInfo &p = b.stored(name, kind, f.enumInfo ? &f.enumInfo() : nullptr,
                           f.kind == ChartFieldKind::Color ? &colorIdentToInt : nullptr);
    if (!std::holds_alternative<std::monostate>(f.defaultValue)) {
        p.get = [key = p.name, def = f.defaultValue](TObject &o) -> PropValue {
            PropValue v = o.storedValue(key);
            return std::holds_alternative<std::monostate>(v) ? def : v;
        };
    }
    p.set = [key = p.name](TObject &o, const PropValue &v) {
        o.setStoredValue(key, v);
        static_cast<T &>(o).partData().changed();
    };
}

// Declares the table's fields as published properties of T, whose partData()
// holds them; with `withBase` the base tables' fields too (a field of a
// derived table replaces the base's field of the same name).
template<class T> void declareChartFields(ClassBuilder<T> &b, const ChartSchema &schema, bool withBase = true)
{
    for (const ChartField *f : schema.allFields(withBase))
        declareChartField(b, *f);
}

// Colours of the chart component set: a colour with no alpha bits but some
// colour bits is meant opaque (forms write `x00A9A9A9` for a grey grid);
// 0 (claNull) means "not set" and yields nothing.
std::optional<TAlphaColor> chartColor(std::int64_t value);

// The tables of the chart objects, for the chart and series classes.
const ChartSchema &chartSchema();
const ChartSchema &chartSeriesSchema();
const ChartSchema &barSeriesSchema();
const ChartSchema &pieSeriesSchema();

// An item of `Gradient.Colors`: Color, Offset, Transparency.
class TChartGradientColor : public TCollectionItem
{
    VANTOR_CLASS(TChartGradientColor, TCollectionItem)
public:
    TChartGradientColor();
    static void DeclareProperties(ClassBuilder<TChartGradientColor> &b);
    ChartPartData &partData() { return m_data; }
    const ChartPartData &partData() const { return m_data; }

private:
    ChartPartData m_data;
};

// An item of `CustomAxes`: an axis with its side and direction.
class TChartCustomAxis : public TCollectionItem
{
    VANTOR_CLASS(TChartCustomAxis, TCollectionItem)
public:
    TChartCustomAxis();
    static void DeclareProperties(ClassBuilder<TChartCustomAxis> &b);
    ChartPartData &partData() { return m_data; }
    const ChartPartData &partData() const { return m_data; }

private:
    ChartPartData m_data;
};

} // namespace vantor
