#include "framework/classes.h"

#include <algorithm>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TPersistent)
VANTOR_IMPLEMENT_CLASS(TStrings)
VANTOR_IMPLEMENT_CLASS(TCollectionItem)
VANTOR_IMPLEMENT_CLASS(TCollection)
VANTOR_IMPLEMENT_CLASS(TComponent)

// ---------------------------------------------------------------------------

QStringList TStrings::lines() const
{
    QStringList result;
    result.reserve(m_list.count());
    for (const auto &item : m_list.items())
        result.append(QString::fromStdString(item.text));
    return result;
}

void TStrings::setLines(const QStringList &lines)
{
    m_list.clear();
    for (const QString &line : lines)
        m_list.add(line.toStdString());
    changed();
}

void TStrings::add(const QString &line)
{
    m_list.add(line.toStdString());
    changed();
}

void TStrings::clear()
{
    m_list.clear();
    changed();
}

void TStrings::changed()
{
    if (onChange)
        onChange();
}

// ---------------------------------------------------------------------------

int TCollectionItem::Index() const
{
    return m_collection ? m_collection->indexOf(this) : -1;
}

TCollection::TCollection(const ClassInfo &itemClass) : m_itemClass(&itemClass) {}

TCollection::~TCollection() = default;

TCollectionItem *TCollection::Add()
{
    TPersistent *made = m_itemClass->createPersistent();
    auto *item = object_cast<TCollectionItem>(made);
    if (!item) {
        delete made;
        return nullptr;
    }
    adopt(std::unique_ptr<TCollectionItem>(item));
    return item;
}

void TCollection::adopt(std::unique_ptr<TCollectionItem> item)
{
    item->m_collection = this;
    m_items.push_back(std::move(item));
    if (onChange)
        onChange();
}

void TCollection::Clear()
{
    m_items.clear();
    if (onChange)
        onChange();
}

int TCollection::indexOf(const TCollectionItem *item) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
}

// ---------------------------------------------------------------------------

TObject *componentAsObject(TComponent *component)
{
    return component;
}

TComponent::TComponent(TComponent *owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    m_state |= csDestroying;
    m_alive.reset();
    removeNotifications();
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

void TComponent::DestroyComponents()
{
    // Owned components go first, last created first; each one takes itself
    // out of this list in its own destructor.
    while (!m_components.empty())
        delete m_components.back();
}

void TComponent::DeclareProperties(ClassBuilder<TComponent> &b)
{
    b.string("Name", &TComponent::Name, &TComponent::SetName);
    b.integer("Tag", &TComponent::Tag, [](TComponent &c, std::int64_t v) { c.SetTag(std::intptr_t(v)); });
}

int TComponent::ComponentIndex() const
{
    if (!m_owner)
        return -1;
    auto it = std::find(m_owner->m_components.begin(), m_owner->m_components.end(), this);
    return it == m_owner->m_components.end() ? -1 : int(it - m_owner->m_components.begin());
}

void TComponent::InsertComponent(TComponent *component)
{
    if (!component || component->m_owner == this)
        return;
    if (!component->m_name.isEmpty() && FindComponent(component->m_name))
        throw EComponentError(formatMessage(msg::DuplicateName, component->m_name.toStdString()));
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    component->m_owner = this;
    m_components.push_back(component);
    if (!component->m_name.isEmpty())
        m_nameIndex.insert(nameKey(component->m_name), component);
}

void TComponent::RemoveComponent(TComponent *component)
{
    // Components mostly go last first: search from the back.
    auto it = std::find(m_components.rbegin(), m_components.rend(), component);
    if (it == m_components.rend())
        return;
    m_components.erase(std::next(it).base());
    if (!component->m_name.isEmpty()) {
        auto entry = m_nameIndex.find(nameKey(component->m_name));
        if (entry != m_nameIndex.end() && entry.value() == component)
            m_nameIndex.erase(entry);
    }
    component->m_owner = nullptr;
    // While the owner itself goes, every sibling goes too: nobody to tell.
    if (!isDestroying())
        Notification(component, TOperation::opRemove);
}

size_t qHash(const TComponent::NameKey &key, size_t seed) noexcept
{
    // The hash of the case-folded name. An ASCII name (nearly every one)
    // folds letter by letter as it is hashed; any other is folded first.
    auto fold = [seed](QStringView text, bool ascii) {
        std::uint64_t h = 0xcbf29ce484222325ull ^ seed;
        for (QChar c : text) {
            char16_t u = c.unicode();
            if (ascii && u >= u'A' && u <= u'Z')
                u = char16_t(u + 32);
            h = (h ^ u) * 0x100000001b3ull;
        }
        return size_t(h ^ (h >> 29));
    };
    for (QChar c : key.name)
        if (c.unicode() >= 0x80)
            return fold(key.name.toCaseFolded(), false);
    return fold(key.name, true);
}

TComponent *TComponent::FindComponent(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    return m_nameIndex.value(nameKey(name), nullptr);
}

bool TComponent::isValidIdent(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (int i = 0; i < name.size(); ++i) {
        const QChar ch = name.at(i);
        const bool ok = ch == QLatin1Char('_') || ch.isLetter() || (i > 0 && ch.isDigit());
        if (!ok)
            return false;
    }
    return true;
}

void TComponent::SetName(const QString &name)
{
    if (name == m_name)
        return;
    if (!name.isEmpty() && !isValidIdent(name))
        throw EComponentError(formatMessage(msg::InvalidName, name.toStdString()));
    if (m_owner && !name.isEmpty()) {
        TComponent *other = m_owner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(formatMessage(msg::DuplicateName, name.toStdString()));
    }
    if (m_owner) {
        if (!m_name.isEmpty()) {
            auto entry = m_owner->m_nameIndex.find(nameKey(m_name));
            if (entry != m_owner->m_nameIndex.end() && entry.value() == this)
                m_owner->m_nameIndex.erase(entry);
        }
        if (!name.isEmpty())
            m_owner->m_nameIndex.insert(nameKey(name), this);
    }
    m_name = name;
}

void TComponent::Loaded()
{
    setLoading(false);
}

void TComponent::SetParentComponent(TComponent *) {}

void TComponent::Notification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove) {
        // References kept in the value store (published but inert component
        // properties) must not dangle; typed ones use FreeNotification.
        clearStoredReferences(component);
        auto it = std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component);
        if (it != m_freeNotifies.end())
            m_freeNotifies.erase(it);
    }
    for (TComponent *c : m_components)
        c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent *component)
{
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    if (std::find(component->m_freeNotifies.begin(), component->m_freeNotifies.end(), this)
        == component->m_freeNotifies.end())
        component->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent *component)
{
    auto drop = [](std::vector<TComponent *> &v, TComponent *c) {
        v.erase(std::remove(v.begin(), v.end(), c), v.end());
    };
    if (!component)
        return;
    drop(m_freeNotifies, component);
    drop(component->m_freeNotifies, this);
}

void TComponent::removeNotifications()
{
    const std::vector<TComponent *> others = std::move(m_freeNotifies);
    m_freeNotifies.clear();
    for (TComponent *c : others) {
        c->m_freeNotifies.erase(std::remove(c->m_freeNotifies.begin(), c->m_freeNotifies.end(), this),
                                c->m_freeNotifies.end());
        if (!c->isDestroying())
            c->Notification(this, TOperation::opRemove);
    }
}

std::weak_ptr<void> TComponent::aliveToken()
{
    if (!m_alive && !isDestroying())
        m_alive = std::make_shared<int>(0);
    return m_alive;
}

} // namespace vantor
