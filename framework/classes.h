#pragma once

// The persistent and component layer: TPersistent (nested property objects),
// TComponent (owner and owned components, Name, Tag), TStrings (a string list
// property) and TCollection/TCollectionItem (`<item ... end>` properties).

#include "framework/rtti.h"
#include "streams/stringlist.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vantor {

class TComponent;

// A class whose published properties can be read from a form stream.
class TPersistent : public TObject
{
    VANTOR_CLASS(TPersistent, TObject)
public:
    TPersistent() = default;
};

// A string list property. Its lines are the framework's TStringList (UTF-8,
// with tags); forms write them as `Items.Strings = ('a' 'b')`. The owning
// control sets `onChange` to refresh its Qt peer.
class TStrings : public TPersistent
{
    VANTOR_CLASS(TStrings, TPersistent)
public:
    TStrings() = default;

    TStringList &list() { return m_list; }
    const TStringList &list() const { return m_list; }
    int count() const { return m_list.count(); }
    QString line(int index) const { return QString::fromStdString(m_list.get(index)); }
    QStringList lines() const;
    void setLines(const QStringList &lines);
    void add(const QString &line);
    void clear();
    // Call after editing list() directly.
    void changed();

    std::function<void()> onChange;

private:
    TStringList m_list;
};

class TCollection;

// One item of a collection; subclasses publish the item's properties.
class TCollectionItem : public TPersistent
{
    VANTOR_CLASS(TCollectionItem, TPersistent)
public:
    TCollectionItem() = default;
    TCollection *Collection() const { return m_collection; }
    int Index() const;

private:
    friend class TCollection;
    TCollection *m_collection = nullptr;
};

// A list of items of one item class, owned by a persistent object.
class TCollection : public TPersistent
{
    VANTOR_CLASS(TCollection, TPersistent)
public:
    // itemClass must derive from TCollectionItem and be default-constructible.
    explicit TCollection(const ClassInfo &itemClass);
    TCollection() : TCollection(TCollectionItem::StaticClass()) {}
    ~TCollection() override;

    const ClassInfo &itemClass() const { return *m_itemClass; }
    int Count() const { return int(m_items.size()); }
    TCollectionItem *Items(int index) const { return m_items.at(std::size_t(index)).get(); }
    // Creates an item of the item class at the end.
    TCollectionItem *Add();
    // Takes an item made elsewhere; it must be of the item class.
    void adopt(std::unique_ptr<TCollectionItem> item);
    void Clear();
    int indexOf(const TCollectionItem *item) const;

    std::function<void()> onChange;

private:
    const ClassInfo *m_itemClass;
    std::vector<std::unique_ptr<TCollectionItem>> m_items;
};

// States of a component, as the framework keeps them.
enum TComponentStateFlag : unsigned {
    csLoading = 1,    // the reader is filling it; Loaded() has not run yet
    csDestroying = 2, // its destructor runs
    csReading = 4,    // its properties are being read
};

// What a Notification is about.
enum class TOperation { opInsert, opRemove };

// A component: it has an owner that destroys it, owns other components, and
// has a Name that is unique among its owner's components.
class TComponent : public TPersistent
{
    VANTOR_CLASS(TComponent, TPersistent)
public:
    explicit TComponent(TComponent *owner);
    ~TComponent() override;

    static void DeclareProperties(ClassBuilder<TComponent> &b);

    TComponent *Owner() const { return m_owner; }
    int ComponentCount() const { return int(m_components.size()); }
    TComponent *Components(int index) const { return m_components.at(std::size_t(index)); }
    const std::vector<TComponent *> &components() const { return m_components; }
    // Position in the owner's list; -1 without owner.
    int ComponentIndex() const;
    // Moves a component from its owner (if any) to this one. Its name must be
    // unique here (EComponentError otherwise, and nothing changes).
    void InsertComponent(TComponent *component);
    void RemoveComponent(TComponent *component);
    // An owned component by name, without regard to case; nullptr if none.
    TComponent *FindComponent(const QString &name) const;

    QString Name() const { return m_name; }
    // Raises EComponentError for a name that is not an identifier
    // (msg::InvalidName) or that another component of the owner has
    // (msg::DuplicateName). An empty name is allowed.
    virtual void SetName(const QString &name);
    // Native-width, so that an address fits (plug-ins hand controls this way).
    std::intptr_t Tag() const { return m_tag; }
    void SetTag(std::intptr_t tag) { m_tag = tag; }
    QString TagString() const { return m_tagString; }
    void SetTagString(const QString &s) { m_tagString = s; }

    unsigned ComponentState() const { return m_state; }
    bool isLoading() const { return m_state & csLoading; }
    bool isDestroying() const { return m_state & csDestroying; }
    void setLoading(bool on) { m_state = on ? (m_state | csLoading) : (m_state & ~unsigned(csLoading)); }

    // Called once the reader has read this component and resolved references.
    virtual void Loaded();
    // The reader hands each child the component it is nested in; visual
    // objects make it their parent. The default does nothing.
    virtual void SetParentComponent(TComponent *parent);
    virtual TComponent *GetParentComponent() const { return nullptr; }

    // `component` is going away (opRemove) or was added (opInsert). The
    // default clears every stored reference to it and passes the news on to
    // the owned components. Override to clear typed references.
    virtual void Notification(TComponent *component, TOperation operation);
    // Asks `component` to send this one a Notification when it is destroyed,
    // also when it belongs to another owner.
    void FreeNotification(TComponent *component);
    void RemoveFreeNotification(TComponent *component);

    // Expires when the component is destroyed: lets a queued call test
    // whether its target still exists.
    std::weak_ptr<void> aliveToken();

    static bool isValidIdent(const QString &name);

    // A key of the owner's name index. Names compare without regard to
    // letter case, as identifiers do; the key shares the name's text, so
    // indexing a name copies nothing.
    struct NameKey
    {
        QString name;
        friend bool operator==(const NameKey &a, const NameKey &b)
        {
            return a.name.compare(b.name, Qt::CaseInsensitive) == 0;
        }
        friend size_t qHash(const NameKey &key, size_t seed) noexcept;
    };

protected:
    // Destructors that tear down what the component holds (children, owned
    // components) call this first, so that the removals they cause do not
    // notify, re-align or re-index what is going anyway.
    void markDestroying() { m_state |= csDestroying; }
    // Frees the owned components, last created first (what the destructor
    // does; for destructors that must do something before and after).
    void DestroyComponents();

private:
    void removeNotifications();
    static NameKey nameKey(const QString &name) { return NameKey{name}; }

    TComponent *m_owner = nullptr;
    std::vector<TComponent *> m_components;
    // The owned components by name, letter case aside, so that naming one
    // of many thousand components does not compare every other name.
    QHash<NameKey, TComponent *> m_nameIndex;
    std::vector<TComponent *> m_freeNotifies;
    QString m_name;
    std::intptr_t m_tag = 0;
    QString m_tagString;
    unsigned m_state = 0;
    std::shared_ptr<void> m_alive;
};

} // namespace vantor
