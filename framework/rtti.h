#pragma once

// Run-time class information of the component framework: the class chain,
// published properties as plain structs, published methods and fields of
// root classes, and the class registry that the reader creates components from.
//
// A class takes part by putting VANTOR_CLASS(Class, Base) at the top of its
// body and VANTOR_IMPLEMENT_CLASS(Class) in its .cpp file. Its own published
// properties, methods and fields are declared in an optional static
//     static void DeclareProperties(vantor::ClassBuilder<Class> &b);
// and inherited from the base classes. See framework/README.md.

#include "framework/exceptions.h"
#include "framework/method.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace vantor {

class TObject;
class TPersistent;
class TComponent;
class ClassInfo;
template<class T> class ClassBuilder;

// The kind of a published property.
enum class PropKind {
    Integer,     // a native-width integer; may accept identifiers (colours, cursors)
    Float,       // a double; accepts every integer and float value of the stream
    String,      // a text
    Boolean,     // True or False
    Enumeration, // one identifier out of an EnumInfo, held as its ordinal
    Set,         // identifiers out of an EnumInfo, held as a bit mask
    Persistent,  // a nested persistent object owned by the instance (Position, Margins, Font)
    Component,   // a reference to another component, resolved by name after reading
    StringList,  // a TStrings owned by the instance; the stream writes it as `Name.Strings = (...)`
    Collection,  // a TCollection owned by the instance, written as `Name = <item ... end>`
    Binary,      // bytes, written as `{...}`
    Method,      // an event: a TMethod pair
};

const char *propKindName(PropKind kind);

// Names of an enumeration type, in ordinal order. `legacyPrefix` is the prefix
// of the older spelling that real forms still use (`alClient` for `Client`,
// `dkDesktop` for `Desktop`); both spellings are accepted, without regard to
// letter case, as the framework's identifier look-up does.
struct EnumInfo
{
    const char *typeName = "";
    std::vector<const char *> names;
    const char *legacyPrefix = nullptr;

    // Ordinal of an identifier, or -1.
    int valueOf(const QString &ident) const;
    QString nameOf(int ordinal) const;
};

// A property value as the accessors hand it over. Integer, Enumeration and Set
// use int64_t (a set as a bit mask of ordinals); Persistent, StringList,
// Collection and Component use TObject*; Method uses TMethod.
using PropValue = std::variant<std::monostate, std::int64_t, double, QString, bool, TObject *, TMethod, QByteArray>;

// Converts an identifier to an integer value (colour names, cursor names).
using IdentToInt = bool (*)(const QString &ident, std::int64_t &value);

// One published property. A plain struct: the builder fills it, the reader
// and the property functions below use it.
struct PropInfo
{
    QString name;
    PropKind kind = PropKind::Integer;
    const EnumInfo *enumInfo = nullptr;     // Enumeration, Set
    IdentToInt identToInt = nullptr;        // Integer: identifiers it accepts
    const ClassInfo *valueClass = nullptr;  // Persistent, Component, StringList, Collection
    std::function<PropValue(TObject &)> get;
    std::function<void(TObject &, const PropValue &)> set; // empty for nested objects
};

// A published method of a root class, found by handler name when an event
// line of a stream (`OnClick = bnPasClick`) is read into that root.
struct PublishedMethod
{
    QString name;
    TMethod::Code code = nullptr; // called with the root as data
};

// A published field of a root class: a component pointer member that the
// reader binds to the component of the same name after reading.
struct PublishedField
{
    QString name;
    const ClassInfo *fieldClass = nullptr;
    std::function<void(TObject &, TComponent *)> assign;
};

// What the framework knows about a class.
class ClassInfo
{
public:
    ClassInfo(const char *name, const ClassInfo *parent) : m_name(name), m_parent(parent) {}
    ClassInfo(const ClassInfo &) = delete;
    ClassInfo &operator=(const ClassInfo &) = delete;

    const char *name() const { return m_name; }
    QString qname() const { return QString::fromUtf8(m_name); }
    const ClassInfo *parent() const { return m_parent; }
    bool inheritsFrom(const ClassInfo &other) const;

    // Creates a component of this class with the given owner; nullptr for
    // classes that cannot be created by name (abstract ones, non-components).
    TComponent *create(TComponent *owner) const { return m_create ? m_create(owner) : nullptr; }
    bool creatable() const { return m_create != nullptr; }
    // Creates an object of a persistent class (collection items); nullptr if not possible.
    TPersistent *createPersistent() const { return m_createPersistent ? m_createPersistent() : nullptr; }

    // Look-ups along the class chain; names compare without regard to case.
    const PropInfo *findProperty(const QString &name) const;
    const PropInfo *findProperty(QStringView name) const;
    const PublishedMethod *findMethod(const QString &name) const;
    // Name of the published method with this code, or an empty string.
    QString methodName(TMethod::Code code) const;
    // Every property of the class chain; a derived class's property hides a
    // base property of the same name. Sorted by name.
    std::vector<const PropInfo *> properties() const;
    std::vector<const PublishedField *> fields() const;

    const std::vector<PropInfo> &ownProperties() const { return m_props; }

private:
    template<class T> friend class ClassBuilder;
    template<class T> friend ClassInfo *makeClassInfo(const char *name);

    const char *m_name;
    const ClassInfo *m_parent;
    TComponent *(*m_create)(TComponent *) = nullptr;
    TPersistent *(*m_createPersistent)() = nullptr;
    std::vector<PropInfo> m_props;
    std::vector<PublishedMethod> m_methods;
    std::vector<PublishedField> m_fields;
};

// The root of every class of the framework: a virtual destructor and the class.
class TObject
{
public:
    using ThisClass = TObject;
    TObject() = default;
    TObject(const TObject &) = delete;
    TObject &operator=(const TObject &) = delete;
    virtual ~TObject();

    static const ClassInfo &StaticClass();
    virtual const ClassInfo &ClassType() const { return StaticClass(); }
    // The class name exactly as declared ("TButton").
    QString ClassName() const { return ClassType().qname(); }
    // Compares without regard to case, as the framework's ClassNameIs does.
    bool ClassNameIs(const QString &name) const;
    bool InheritsFrom(const ClassInfo &cls) const { return ClassType().inheritsFrom(cls); }

    // Value store for properties that are published to accept what real forms
    // set but that have no behaviour yet (ClassBuilder::stored).
    PropValue storedValue(const QString &name) const;
    void setStoredValue(const QString &name, const PropValue &value);
    // Empties every stored value that refers to `target`.
    void clearStoredReferences(const TObject *target);

private:
    std::unique_ptr<std::map<QString, PropValue>> m_store;
};

// A component as the TObject it is (for headers that only see TComponent declared).
TObject *componentAsObject(TComponent *component);

// Casts when the object is of class T or derived from it, else nullptr.
template<class T> T *object_cast(TObject *o) { return o && o->InheritsFrom(T::StaticClass()) ? static_cast<T *>(o) : nullptr; }
template<class T> const T *object_cast(const TObject *o) { return o && o->InheritsFrom(T::StaticClass()) ? static_cast<const T *>(o) : nullptr; }

// ---------------------------------------------------------------------------
// Declaring classes

#define VANTOR_CLASS(Class, Base)                                               \
public:                                                                         \
    using inherited = Base;                                                     \
    using ThisClass = Class;                                                    \
    static const ::vantor::ClassInfo &StaticClass();                            \
    const ::vantor::ClassInfo &ClassType() const override { return StaticClass(); } \
                                                                                \
private:

#define VANTOR_IMPLEMENT_CLASS(Class)                                           \
    const ::vantor::ClassInfo &Class::StaticClass()                             \
    {                                                                           \
        static const ::vantor::ClassInfo *info = ::vantor::makeClassInfo<Class>(#Class); \
        return *info;                                                           \
    }

// Builds the class information of T: its name, parent, factory and what its
// DeclareProperties adds. Refuses at compile time a class that lacks its own
// VANTOR_CLASS (it would otherwise pass for its base class).
template<class T> ClassInfo *makeClassInfo(const char *name);

// ---------------------------------------------------------------------------
// Class registry

// Makes a class creatable by name for the reader. Registering the same class
// again does nothing; another class under a name that differs only in case
// raises EFilerError (msg::DuplicateClass).
void RegisterClass(const ClassInfo &cls);
template<class T> void RegisterClass()
{
    static_assert(std::is_same_v<typename T::ThisClass, T>, "RegisterClass: the class lacks VANTOR_CLASS(Class, Base)");
    static_assert(std::is_base_of_v<TPersistent, T>, "RegisterClass: only persistent classes can be registered");
    RegisterClass(T::StaticClass());
}
template<class... T> void RegisterClasses() { (RegisterClass<T>(), ...); }
void UnRegisterClass(const ClassInfo &cls);

// Finds a registered class. The look-up ignores letter case, as the registry
// of the framework's home platform does ("TCombobox" finds TComboBox); the
// class keeps its declared spelling. FindClass raises EClassNotFound
// ("Klasse %s nicht gefunden"), GetClass returns nullptr.
const ClassInfo &FindClass(const QString &name);
const ClassInfo *GetClass(const QString &name);

// ---------------------------------------------------------------------------
// Properties by name

// The published properties of the object's class, sorted by name.
std::vector<const PropInfo *> GetPropList(const TObject *obj);
// One property of the object's own class (no dots); nullptr when absent.
const PropInfo *GetPropInfo(const TObject *obj, const QString &name);

// A property found by a dotted path: the object that holds it and its info.
struct PropLocation
{
    TObject *instance = nullptr;
    const PropInfo *info = nullptr;
    explicit operator bool() const { return info != nullptr; }
};
// Resolves `Position.X`, `TextSettings.Font.Size`, `Items.Strings` through
// nested persistent objects. A StringList followed by `.Strings` resolves to
// the list property itself. Not found: an empty location.
PropLocation FindPropertyPath(TObject *obj, const QString &path);

// Get and set by dotted path. Raise EPropertyError with "Eigenschaft %s
// existiert nicht" for an unknown path and "Ungültiger Eigenschaftswert" for a
// value of the wrong type. SetPropValue converts an integer into a float
// property; nothing else is converted here (the reader converts identifiers).
PropValue GetPropValue(TObject *obj, const QString &path);
void SetPropValue(TObject *obj, const QString &path, const PropValue &value);

// Method (event) properties by name. GetMethodProp returns an empty pair for a
// property that is not set; both raise EPropertyError when the object has no
// method property of that name.
TMethod GetMethodProp(TObject *obj, const QString &name);
void SetMethodProp(TObject *obj, const QString &name, const TMethod &method);

} // namespace vantor

#include "framework/classbuilder.h"
