#include "framework/reader.h"

#include "framework/fmxobject.h"
#include "streams/memorystream.h"

#include <algorithm>

namespace vantor {

namespace {

// An error that already names its component and property; outer levels pass
// it on unchanged.
class EPrefixedReadError : public EReadError
{
public:
    using EReadError::EReadError;
};

QString fromBytes(const std::string &s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

[[noreturn]] void invalidValue() { throw EReadError(msg::InvalidPropertyValue); }

QString componentLabel(const TComponent *c)
{
    return c->Name().isEmpty() ? c->ClassName() : c->Name();
}

bool isStringType(TValueType t)
{
    return t == TValueType::vaString || t == TValueType::vaLString || t == TValueType::vaWString
           || t == TValueType::vaUTF8String;
}

bool isIntegerType(TValueType t)
{
    return t == TValueType::vaInt8 || t == TValueType::vaInt16 || t == TValueType::vaInt32
           || t == TValueType::vaInt64;
}

bool isIdentType(TValueType t)
{
    return t == TValueType::vaIdent || t == TValueType::vaFalse || t == TValueType::vaTrue;
}

} // namespace

TReader::TReader(const TMemoryStream &stream) : m_reader(stream) {}

TReader::TReader(const std::uint8_t *data, std::size_t size) : m_reader(data, size) {}

void TReader::enter()
{
    if (++m_depth > kMaxNestingDepth) {
        m_depth = 0;
        throw EReadError(msg::NestingTooDeep);
    }
}

void TReader::ReadRootComponent(TComponent *root)
{
    m_root = root;
    m_fixups.clear();
    m_loaded.clear();
    m_depth = 0;
    try {
        m_reader.readSignature();
        const ComponentHeader header = m_reader.readComponentHeader();
        root->setLoading(true);
        m_loaded.push_back(root);
        if (!header.name.empty())
            root->SetName(uniqueRootName(root, fromBytes(header.name)));
        readProperties(root, componentLabel(root));
        readChildren(root);
    } catch (...) {
        // No Loaded() for a failed read, but nothing may stay in the loading
        // state: it would never lay itself out again.
        for (TComponent *c : m_loaded)
            c->setLoading(false);
        throw;
    }
    resolveFixups();
    bindFields();
    const std::vector<TComponent *> loaded = std::move(m_loaded);
    m_loaded.clear();
    for (TComponent *c : loaded)
        c->Loaded();
}

QString TReader::uniqueRootName(TComponent *root, const QString &name) const
{
    TComponent *owner = root->Owner();
    if (!owner)
        return name;
    QString candidate = name;
    for (int i = 1;; ++i) {
        TComponent *other = owner->FindComponent(candidate);
        if (!other || other == root)
            return candidate;
        candidate = name + QLatin1Char('_') + QString::number(i);
    }
}

void TReader::readChildren(TComponent *parent)
{
    while (!m_reader.endOfList())
        readComponent(parent);
    m_reader.readListEnd();
}

void TReader::readComponent(TComponent *parent)
{
    enter();
    const ComponentHeader header = m_reader.readComponentHeader();
    const QString className = fromBytes(header.className);
    const QString name = fromBytes(header.name);

    TComponent *component = nullptr;
    bool created = false;
    if (header.isInherited() && !name.isEmpty())
        component = m_root->FindComponent(name);
    if (!component) {
        const ClassInfo *cls = m_lookup ? m_lookup(className) : GetClass(className);
        if ((!cls || !cls->creatable()) && m_standIn)
            cls = m_standIn;
        if (!cls || !cls->creatable())
            throw EClassNotFound(formatMessage(msg::ClassNotFound, header.className));
        component = cls->create(m_root);
        created = true;
    }
    // Parents come before their children in m_loaded, so Loaded() lays out
    // a parent before its children lay out themselves.
    const std::size_t loadedIndex = m_loaded.size();
    if (created || std::find(m_loaded.begin(), m_loaded.end(), component) == m_loaded.end())
        m_loaded.push_back(component);
    try {
        component->setLoading(true);
        if (created && !name.isEmpty())
            component->SetName(name);
        component->SetParentComponent(parent);
        if (header.hasChildPos())
            if (auto *fmxParent = object_cast<TFmxObject>(parent); fmxParent && object_cast<TFmxObject>(component))
                fmxParent->SetChildIndex(static_cast<TFmxObject *>(component),
                                         int(std::clamp<std::int64_t>(header.childPos, 0, fmxParent->ChildrenCount())));
        readProperties(component, name.isEmpty() ? className : name);
        readChildren(component);
    } catch (...) {
        if (created) {
            // Its children were added to m_loaded after it and go with it.
            m_loaded.resize(loadedIndex);
            delete component;
        }
        throw;
    }
    leave();
}

void TReader::readProperties(TObject *instance, const QString &label)
{
    while (!m_reader.endOfList()) {
        const QString path = fromBytes(m_reader.readStr());
        readProperty(instance, path, label);
    }
    m_reader.readListEnd();
}

void TReader::readProperty(TObject *instance, const QString &path, const QString &label)
{
    // "Component.Property" names the value in messages; it is made only
    // when one is needed.
    const auto where = [&] { return label + QLatin1Char('.') + path; };
    const PropLocation loc = FindPropertyPath(instance, path);
    if (!loc && m_standIn) {
        m_reader.skipValue();
        return;
    }
    if (!loc)
        throw EPrefixedReadError(where().toStdString() + ": " + formatMessage(msg::UnknownProperty, path.toStdString()));
    const std::size_t valueStart = m_reader.position();
    try {
        readValue(loc.instance, *loc.info, label, path);
    } catch (const EPrefixedReadError &) {
        if (m_standIn)
            skipValueFrom(valueStart);
        else
            throw;
    } catch (const EClassNotFound &) {
        throw;
    } catch (const Exception &e) {
        if (m_standIn)
            skipValueFrom(valueStart);
        else
            throw EPrefixedReadError(where().toStdString() + ": " + e.message());
    }
}

void TReader::skipValueFrom(std::size_t position)
{
    // A value the property does not take is passed over; a stream that is
    // damaged there raises while it is skipped.
    m_reader.setPosition(position);
    m_reader.skipValue();
}

void TReader::readValue(TObject *instance, const PropInfo &info, const QString &label, const QString &path)
{
    const TValueType type = m_reader.readValueType();
    const auto set = [&](const PropValue &v) {
        if (!info.set)
            invalidValue();
        info.set(*instance, v);
    };
    switch (info.kind) {
    case PropKind::Integer:
        if (isIntegerType(type)) {
            set(m_reader.readIntegerData(type));
        } else if (type == TValueType::vaIdent && info.identToInt) {
            std::int64_t v = 0;
            if (!info.identToInt(fromBytes(m_reader.readIdentData(type)), v))
                invalidValue();
            set(v);
        } else {
            invalidValue();
        }
        return;
    case PropKind::Float:
        set(m_reader.readFloatData(type)); // integers and every float width; else EReadError
        return;
    case PropKind::String:
        if (!isStringType(type))
            invalidValue();
        set(fromBytes(m_reader.readStringData(type)));
        return;
    case PropKind::Boolean: {
        if (!isIdentType(type))
            invalidValue();
        const QString ident = fromBytes(m_reader.readIdentData(type));
        if (ident.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            set(true);
        else if (ident.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            set(false);
        else
            invalidValue();
        return;
    }
    case PropKind::Enumeration: {
        if (!isIdentType(type) || !info.enumInfo)
            invalidValue();
        const int ordinal = info.enumInfo->valueOf(fromBytes(m_reader.readIdentData(type)));
        if (ordinal < 0)
            invalidValue();
        set(std::int64_t(ordinal));
        return;
    }
    case PropKind::Set: {
        if (type != TValueType::vaSet)
            invalidValue();
        std::int64_t mask = 0;
        for (const std::string &element : m_reader.readSetData()) {
            const int ordinal = info.enumInfo ? info.enumInfo->valueOf(fromBytes(element)) : -1;
            if (ordinal < 0 || ordinal >= 64)
                invalidValue();
            mask |= std::int64_t(1) << ordinal;
        }
        set(mask);
        return;
    }
    case PropKind::Component:
        if (type == TValueType::vaNil) {
            set(static_cast<TObject *>(nullptr));
        } else if (type == TValueType::vaIdent) {
            if (!info.set)
                invalidValue();
            m_fixups.push_back({instance, &info, fromBytes(m_reader.readIdentData(type))});
        } else {
            invalidValue();
        }
        return;
    case PropKind::StringList: {
        auto *strings = object_cast<TStrings>(std::get<TObject *>(info.get(*instance)));
        if (type != TValueType::vaList || !strings)
            invalidValue();
        strings->list().clear();
        while (!m_reader.endOfList()) {
            // Some lists hold numbers (a tab control's `Sizes = ( 269s 265s)`);
            // they are kept as their text.
            const TValueType item = m_reader.readValueType();
            if (isIntegerType(item))
                strings->list().add(std::to_string(m_reader.readIntegerData(item)));
            else if (isStringType(item))
                strings->list().add(m_reader.readStringData(item));
            else
                strings->list().add(QString::number(m_reader.readFloatData(item), 'g', 17).toStdString());
        }
        m_reader.readListEnd();
        strings->changed();
        return;
    }
    case PropKind::Collection: {
        auto *collection = object_cast<TCollection>(std::get<TObject *>(info.get(*instance)));
        if (!collection)
            invalidValue();
        if (type == TValueType::vaNil) {
            collection->Clear();
            return;
        }
        if (type != TValueType::vaCollection)
            invalidValue();
        readCollection(collection, label + QLatin1Char('.') + path);
        return;
    }
    case PropKind::Binary: {
        if (type != TValueType::vaBinary)
            invalidValue();
        const auto bytes = m_reader.readBinaryData();
        set(QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())));
        return;
    }
    case PropKind::Method: {
        if (type == TValueType::vaNil) {
            set(TMethod{});
            return;
        }
        if (type != TValueType::vaIdent)
            invalidValue();
        const std::string handler = m_reader.readIdentData(type);
        const PublishedMethod *method = m_root->ClassType().findMethod(fromBytes(handler));
        if (!method)
            throw EReadError(formatMessage(msg::MethodNotFound, handler));
        set(TMethod{method->code, static_cast<void *>(static_cast<TObject *>(m_root))});
        return;
    }
    case PropKind::Persistent: invalidValue();
    }
    invalidValue();
}

void TReader::readCollection(TCollection *collection, const QString &label)
{
    enter();
    collection->Clear();
    int index = 0;
    while (!m_reader.endOfList()) {
        m_reader.readItemBegin(); // the order value only matters to editors
        TCollectionItem *item = collection->Add();
        if (!item)
            invalidValue();
        const QString itemLabel = label + QLatin1Char('[') + QString::number(index++) + QLatin1Char(']');
        enter();
        readProperties(item, itemLabel);
        leave();
    }
    m_reader.readListEnd();
    leave();
}

void TReader::resolveFixups()
{
    for (const Fixup &f : m_fixups) {
        const QStringList parts = f.name.split(QLatin1Char('.'));
        TComponent *target = m_root->FindComponent(parts.front());
        if (!target && parts.front().compare(m_root->Name(), Qt::CaseInsensitive) == 0)
            target = m_root;
        for (int i = 1; target && i < parts.size(); ++i)
            target = target->FindComponent(parts[i]);
        if (!target)
            continue; // another module's component: stays empty
        if (f.info->valueClass && !target->InheritsFrom(*f.info->valueClass))
            continue;
        f.info->set(*f.instance, static_cast<TObject *>(target));
    }
    m_fixups.clear();
}

void TReader::bindFields()
{
    for (const PublishedField *field : m_root->ClassType().fields()) {
        TComponent *c = m_root->FindComponent(field->name);
        if (c && field->fieldClass && !c->InheritsFrom(*field->fieldClass))
            c = nullptr;
        field->assign(*m_root, c);
    }
}

} // namespace vantor
