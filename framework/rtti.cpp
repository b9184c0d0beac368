#include "framework/rtti.h"

#include <QHash>

#include <algorithm>
#include <mutex>
#include <unordered_map>

namespace vantor {

const char *propKindName(PropKind kind)
{
    switch (kind) {
    case PropKind::Integer: return "Integer";
    case PropKind::Float: return "Float";
    case PropKind::String: return "String";
    case PropKind::Boolean: return "Boolean";
    case PropKind::Enumeration: return "Enumeration";
    case PropKind::Set: return "Set";
    case PropKind::Persistent: return "Persistent";
    case PropKind::Component: return "Component";
    case PropKind::StringList: return "StringList";
    case PropKind::Collection: return "Collection";
    case PropKind::Binary: return "Binary";
    case PropKind::Method: return "Method";
    }
    return "?";
}

int EnumInfo::valueOf(const QString &ident) const
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString name = QString::fromUtf8(names[i]);
        if (ident.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
        if (legacyPrefix && ident.compare(QString::fromUtf8(legacyPrefix) + name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString EnumInfo::nameOf(int ordinal) const
{
    if (ordinal < 0 || std::size_t(ordinal) >= names.size())
        return QString::number(ordinal);
    return QString::fromUtf8(names[std::size_t(ordinal)]);
}

bool ClassInfo::inheritsFrom(const ClassInfo &other) const
{
    for (const ClassInfo *c = this; c; c = c->m_parent)
        if (c == &other)
            return true;
    return false;
}

namespace {

// What a class's published properties come to with its ancestors', kept per
// class: every component asks for them while it is read and again when its
// events are listed. The entry is made again when a class has gained
// properties since (the count along the chain tells).
// Names compare without regard to case; the views point at the PropInfos' names.
struct FoldedHash
{
    std::size_t operator()(QStringView name) const
    {
        std::size_t h = 1469598103934665603ull;
        for (const QChar c : name) {
            const char16_t u = c.unicode();
            const char16_t folded = u < 128 ? ((u >= 'A' && u <= 'Z') ? char16_t(u + 32) : u) : c.toCaseFolded().unicode();
            h = (h ^ folded) * 1099511628211ull;
        }
        return h;
    }
};
struct FoldedEqual
{
    bool operator()(QStringView a, QStringView b) const { return a.compare(b, Qt::CaseInsensitive) == 0; }
};

struct PropertyIndex
{
    std::size_t declared = 0;
    std::vector<const PropInfo *> sorted; // properties(): hidden ones left out, by name
    std::unordered_map<QStringView, const PropInfo *, FoldedHash, FoldedEqual> byName; // the first along the chain wins
};

std::mutex g_indexLock;
std::unordered_map<const ClassInfo *, PropertyIndex> g_indexes;

std::size_t declaredAlongChain(const ClassInfo *info)
{
    std::size_t n = 0;
    for (const ClassInfo *c = info; c; c = c->parent())
        n += c->ownProperties().size();
    return n;
}

// Call with g_indexLock held.
const PropertyIndex &indexOf(const ClassInfo *info)
{
    const std::size_t declared = declaredAlongChain(info);
    PropertyIndex &index = g_indexes[info];
    if (index.declared == declared && (declared == 0 || !index.sorted.empty()))
        return index;
    index = PropertyIndex{};
    index.declared = declared;
    for (const ClassInfo *c = info; c; c = c->parent())
        for (const PropInfo &p : c->ownProperties()) {
            if (!index.byName.emplace(QStringView(p.name), &p).second)
                continue; // hidden by a descendant's property of that name
            index.sorted.push_back(&p);
        }
    std::sort(index.sorted.begin(), index.sorted.end(), [](const PropInfo *a, const PropInfo *b) {
        return a->name.compare(b->name, Qt::CaseInsensitive) < 0;
    });
    return index;
}

} // namespace

const PropInfo *ClassInfo::findProperty(const QString &name) const
{
    return findProperty(QStringView(name));
}

const PropInfo *ClassInfo::findProperty(QStringView name) const
{
    std::lock_guard lock(g_indexLock);
    const auto &byName = indexOf(this).byName;
    const auto found = byName.find(name);
    return found == byName.end() ? nullptr : found->second;
}

const PublishedMethod *ClassInfo::findMethod(const QString &name) const
{
    for (const ClassInfo *c = this; c; c = c->m_parent)
        for (const PublishedMethod &m : c->m_methods)
            if (m.name.compare(name, Qt::CaseInsensitive) == 0)
                return &m;
    return nullptr;
}

QString ClassInfo::methodName(TMethod::Code code) const
{
    for (const ClassInfo *c = this; c; c = c->m_parent)
        for (const PublishedMethod &m : c->m_methods)
            if (m.code == code)
                return m.name;
    return {};
}

std::vector<const PropInfo *> ClassInfo::properties() const
{
    std::lock_guard lock(g_indexLock);
    return indexOf(this).sorted;
}

std::vector<const PublishedField *> ClassInfo::fields() const
{
    std::vector<const PublishedField *> result;
    for (const ClassInfo *c = this; c; c = c->m_parent)
        for (const PublishedField &f : c->m_fields)
            result.push_back(&f);
    return result;
}

// ---------------------------------------------------------------------------

TObject::~TObject() = default;

const ClassInfo &TObject::StaticClass()
{
    static const ClassInfo info("TObject", nullptr);
    return info;
}

bool TObject::ClassNameIs(const QString &name) const
{
    return ClassName().compare(name, Qt::CaseInsensitive) == 0;
}

PropValue TObject::storedValue(const QString &name) const
{
    if (!m_store)
        return {};
    auto it = m_store->find(name);
    return it == m_store->end() ? PropValue{} : it->second;
}

void TObject::setStoredValue(const QString &name, const PropValue &value)
{
    if (!m_store)
        m_store = std::make_unique<std::map<QString, PropValue>>();
    (*m_store)[name] = value;
}

void TObject::clearStoredReferences(const TObject *target)
{
    if (!m_store)
        return;
    for (auto &entry : *m_store)
        if (std::holds_alternative<TObject *>(entry.second) && std::get<TObject *>(entry.second) == target)
            entry.second = static_cast<TObject *>(nullptr);
}

// ---------------------------------------------------------------------------
// Registry. Registration happens on the UI thread in practice, but the
// look-up is cheap to guard and plug-ins may register from their own start-up.

namespace {

struct Registry
{
    std::mutex mutex;
    QHash<QString, const ClassInfo *> byLowerName;
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void RegisterClass(const ClassInfo &cls)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    const QString key = cls.qname().toLower();
    auto it = r.byLowerName.constFind(key);
    if (it != r.byLowerName.constEnd()) {
        if (it.value() == &cls)
            return;
        throw EFilerError(formatMessage(msg::DuplicateClass, cls.name()));
    }
    r.byLowerName.insert(key, &cls);
}

void UnRegisterClass(const ClassInfo &cls)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    const QString key = cls.qname().toLower();
    auto it = r.byLowerName.find(key);
    if (it != r.byLowerName.end() && it.value() == &cls)
        r.byLowerName.erase(it);
}

const ClassInfo *GetClass(const QString &name)
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    return r.byLowerName.value(name.toLower(), nullptr);
}

const ClassInfo &FindClass(const QString &name)
{
    if (const ClassInfo *c = GetClass(name))
        return *c;
    throw EClassNotFound(formatMessage(msg::ClassNotFound, name.toStdString()));
}

// ---------------------------------------------------------------------------
// Properties by name

std::vector<const PropInfo *> GetPropList(const TObject *obj)
{
    return obj ? obj->ClassType().properties() : std::vector<const PropInfo *>{};
}

const PropInfo *GetPropInfo(const TObject *obj, const QString &name)
{
    return obj ? obj->ClassType().findProperty(name) : nullptr;
}

PropLocation FindPropertyPath(TObject *obj, const QString &path)
{
    // The path is walked name by name as views into it, without splitting.
    const QStringView whole(path);
    TObject *instance = obj;
    qsizetype start = 0;
    while (instance) {
        const qsizetype dot = whole.indexOf(QLatin1Char('.'), start);
        const bool last = dot < 0;
        const QStringView part = last ? whole.mid(start) : whole.mid(start, dot - start);
        // A property may be declared under a dotted name (a stored value with
        // no nested object behind it): the longest rest of the path wins.
        if (!last)
            if (const PropInfo *rest = instance->ClassType().findProperty(whole.mid(start)))
                return {instance, rest};
        const PropInfo *info = instance->ClassType().findProperty(part);
        if (!info)
            return {};
        if (last)
            return {instance, info};
        // `Items.Strings` names the list itself: the lines are its only content.
        const QStringView next = whole.mid(dot + 1);
        if (info->kind == PropKind::StringList && !next.contains(QLatin1Char('.'))
            && next.compare(QLatin1String("Strings"), Qt::CaseInsensitive) == 0)
            return {instance, info};
        if (info->kind != PropKind::Persistent && info->kind != PropKind::Collection && info->kind != PropKind::StringList)
            return {};
        instance = std::get<TObject *>(info->get(*instance));
        start = dot + 1;
    }
    return {};
}

namespace {

PropLocation requirePath(TObject *obj, const QString &path)
{
    PropLocation loc = FindPropertyPath(obj, path);
    if (!loc)
        throw EPropertyError(formatMessage(msg::UnknownProperty, path.toStdString()));
    return loc;
}

bool valueFits(PropKind kind, const PropValue &v)
{
    switch (kind) {
    case PropKind::Integer:
    case PropKind::Enumeration:
    case PropKind::Set: return std::holds_alternative<std::int64_t>(v);
    case PropKind::Float: return std::holds_alternative<double>(v);
    case PropKind::String: return std::holds_alternative<QString>(v);
    case PropKind::Boolean: return std::holds_alternative<bool>(v);
    case PropKind::Component: return std::holds_alternative<TObject *>(v);
    case PropKind::Binary: return std::holds_alternative<QByteArray>(v);
    case PropKind::Method: return std::holds_alternative<TMethod>(v);
    default: return false;
    }
}

} // namespace

PropValue GetPropValue(TObject *obj, const QString &path)
{
    PropLocation loc = requirePath(obj, path);
    return loc.info->get(*loc.instance);
}

void SetPropValue(TObject *obj, const QString &path, const PropValue &value)
{
    PropLocation loc = requirePath(obj, path);
    if (!loc.info->set)
        throw EPropertyError(formatMessage(msg::ReadOnlyProperty, path.toStdString()));
    PropValue v = value;
    if (loc.info->kind == PropKind::Float && std::holds_alternative<std::int64_t>(v))
        v = double(std::get<std::int64_t>(v));
    if (!valueFits(loc.info->kind, v))
        throw EPropertyError(msg::InvalidPropertyValue);
    if (loc.info->kind == PropKind::Enumeration && loc.info->enumInfo) {
        const auto ordinal = std::get<std::int64_t>(v);
        if (ordinal < 0 || std::size_t(ordinal) >= loc.info->enumInfo->names.size())
            throw EPropertyError(msg::InvalidPropertyValue);
    }
    if (loc.info->kind == PropKind::Component) {
        TObject *target = std::get<TObject *>(v);
        if (target && loc.info->valueClass && !target->InheritsFrom(*loc.info->valueClass))
            throw EPropertyError(msg::InvalidPropertyValue);
    }
    loc.info->set(*loc.instance, v);
}

namespace {

const PropInfo *methodProperty(TObject *obj, const QString &name)
{
    const PropInfo *info = GetPropInfo(obj, name);
    if (!info || info->kind != PropKind::Method)
        throw EPropertyError(formatMessage(msg::UnknownProperty, name.toStdString()));
    return info;
}

} // namespace

TMethod GetMethodProp(TObject *obj, const QString &name)
{
    const PropInfo *info = methodProperty(obj, name);
    return std::get<TMethod>(info->get(*obj));
}

void SetMethodProp(TObject *obj, const QString &name, const TMethod &method)
{
    const PropInfo *info = methodProperty(obj, name);
    info->set(*obj, method);
}

} // namespace vantor
