// vantor-tool props [--counts] [--own] [CLASS...]: the published properties
// that the reader accepts on each known class and on each class of the plug-in
// libraries, with their kinds, the values of every enumeration and set, the
// properties of nested objects (Margins.Left, TextSettings.Font.Family) and of
// collection items (Items[].Text). Each top-level line ends with the class of
// the chain that declares the property ("< TControl"), so that a class's own
// properties and the inherited ones can be held apart against the framework's
// class reference; --own lists only the class's own ones. The last line of
// each class counts its entries.

#include "commands.h"
#include "headless.h"

#include "framework/classes.h"
#include "loader/knownclasses.h"
#include "loader/plugins.h"
#include "loader/registry.h"
#include "streams/memorystream.h"

#include <QString>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace vantor;

namespace {

struct Listing
{
    int lines = 0;
    int topLevel = 0;
    bool countsOnly = false;
    bool ownOnly = false;

    void line(const QString &path, const QString &what)
    {
        ++lines;
        if (!countsOnly)
            std::printf("  %-44s %s\n", path.toUtf8().constData(), what.toUtf8().constData());
    }
};

QString enumText(const EnumInfo &info)
{
    QString text = QString::fromUtf8(info.typeName) + ":";
    for (const char *name : info.names)
        text += QLatin1Char(' ') + QString::fromUtf8(name);
    if (info.legacyPrefix)
        text += QStringLiteral(" (also %1...)").arg(QString::fromUtf8(info.legacyPrefix));
    return text;
}

void listClass(Listing &out, TObject *instance, const ClassInfo &cls, const QString &prefix, int depth);

// The class of the chain whose own list holds the property that wins (the
// most derived one, as look-ups find it).
const ClassInfo *declaringClass(const ClassInfo &cls, const PropInfo &p)
{
    for (const ClassInfo *c = &cls; c; c = c->parent())
        for (const PropInfo &own : c->ownProperties())
            if (&own == &p)
                return c;
    return nullptr;
}

// One property and, for nested objects and collections, what they publish.
void listProperty(Listing &out, TObject *instance, const PropInfo &p, const QString &path, int depth,
                  const ClassInfo *declaredIn)
{
    QString what = QString::fromUtf8(propKindName(p.kind));
    if ((p.kind == PropKind::Enumeration || p.kind == PropKind::Set) && p.enumInfo)
        what += QLatin1Char(' ') + enumText(*p.enumInfo);
    if (p.kind == PropKind::Integer && p.identToInt)
        what += QStringLiteral(" (takes identifiers)");
    TObject *nested = nullptr;
    if (p.valueClass && p.kind != PropKind::Component && instance && p.get) {
        const PropValue v = p.get(*instance);
        if (std::holds_alternative<TObject *>(v))
            nested = std::get<TObject *>(v);
    }
    if (p.valueClass)
        what += QLatin1Char(' ') + p.valueClass->qname();
    auto *collection = object_cast<TCollection>(nested);
    if (collection)
        what += QStringLiteral(" of ") + collection->itemClass().qname();
    if (declaredIn)
        what += QStringLiteral("  < ") + declaredIn->qname();
    out.line(path, what);
    if (depth > 6)
        return; // a nested object that holds itself would never end
    if (p.kind == PropKind::Persistent && nested)
        listClass(out, nested, nested->ClassType(), path + QLatin1Char('.'), depth + 1);
    if (collection) {
        std::unique_ptr<TPersistent> item(collection->itemClass().createPersistent());
        listClass(out, item.get(), collection->itemClass(), path + QStringLiteral("[]."), depth + 1);
    }
}

void listClass(Listing &out, TObject *instance, const ClassInfo &cls, const QString &prefix, int depth)
{
    for (const PropInfo *p : cls.properties()) {
        const ClassInfo *declaredIn = depth == 0 ? declaringClass(cls, *p) : nullptr;
        if (depth == 0 && out.ownOnly && declaredIn != &cls)
            continue;
        listProperty(out, instance, *p, prefix + p->name, depth, declaredIn);
    }
}

QString ancestry(const ClassInfo &cls)
{
    QString text = cls.qname();
    for (const ClassInfo *c = cls.parent(); c; c = c->parent())
        text += QStringLiteral(" < ") + c->qname();
    return text;
}

int listOne(const ClassInfo &cls, bool countsOnly, bool ownOnly, const char *origin)
{
    Listing out;
    out.countsOnly = countsOnly;
    out.ownOnly = ownOnly;
    std::unique_ptr<TComponent> instance(cls.create(nullptr));
    if (!countsOnly)
        std::printf("%s (%s)%s\n", ancestry(cls).toUtf8().constData(), origin, instance ? "" : " [not creatable]");
    const auto props = cls.properties();
    out.topLevel = 0;
    for (const PropInfo *p : props)
        out.topLevel += !ownOnly || declaringClass(cls, *p) == &cls;
    listClass(out, instance.get(), cls, QString(), 0);
    if (countsOnly)
        std::printf("%-24s %4d %5d\n", cls.name(), out.topLevel, out.lines);
    else
        std::printf("  = %d published properties, %d with nested ones\n\n", out.topLevel, out.lines);
    return out.lines;
}

// Lets each plug-in register its classes in the framework's registry: a
// build request with an empty block registers them and stops there.
void registerPlugInClasses()
{
    tools::ensurePlugIns();
    for (const auto &plugin : PlugInList()) {
        if (!plugin->slExportedClasses || !plugin->GetWinControlFromClass || plugin->slExportedClasses->count() == 0)
            continue;
        const std::string name = (*plugin->slExportedClasses)[0];
        std::string shortName(1, char(std::min<std::size_t>(name.size(), 255)));
        shortName += name.substr(0, 255);
        TMemoryStream empty;
        unsigned char error[256] = {};
        plugin->GetWinControlFromClass(reinterpret_cast<const unsigned char *>(shortName.data()), &empty, nullptr,
                                       error, sizeof error);
    }
}

} // namespace

int runProps(int argc, char **argv)
{
    bool countsOnly = false;
    bool ownOnly = false;
    std::vector<std::string> wanted;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--counts") == 0)
            countsOnly = true;
        else if (std::strcmp(argv[i], "--own") == 0)
            ownOnly = true;
        else if (argv[i][0] == '-') {
            std::fprintf(stderr, "usage: vantor-tool props [--counts] [--own] [CLASS...]\n");
            return 2;
        } else
            wanted.emplace_back(argv[i]);
    }
    try {
        tools::ensureApplication();
        InitKnownClasses();
        registerPlugInClasses();

        struct Entry
        {
            std::string name;
            const char *origin;
        };
        std::vector<Entry> classes;
        for (std::string_view name : kKnownClassNames)
            classes.push_back({std::string(name), "known"});
        for (const auto &plugin : PlugInList())
            if (plugin->slExportedClasses)
                for (int i = 0; i < plugin->slExportedClasses->count(); ++i)
                    classes.push_back({(*plugin->slExportedClasses)[i], plugin->ModuleName.c_str()});

        if (countsOnly)
            std::printf("%-24s %4s %5s\n", "class", "top", "all");
        int total = 0;
        int shown = 0;
        for (const Entry &e : classes) {
            if (!wanted.empty()) {
                bool match = false;
                for (const std::string &w : wanted)
                    match = match || QString::fromStdString(w).compare(QString::fromStdString(e.name), Qt::CaseInsensitive) == 0;
                if (!match)
                    continue;
            }
            const ClassInfo *cls = GetClass(QString::fromStdString(e.name));
            if (!cls) {
                std::printf("%s (%s): not registered\n", e.name.c_str(), e.origin);
                continue;
            }
            total += listOne(*cls, countsOnly, ownOnly, e.origin);
            ++shown;
        }
        if (shown == 0 && !wanted.empty()) {
            std::fprintf(stderr, "vantor-tool props: keine solche Klasse\n");
            return 2;
        }
        if (countsOnly)
            std::printf("%-24s %4s %5d\n", "total", "", total);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool props: %s\n", e.what());
        return 2;
    }
}
