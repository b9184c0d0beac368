#pragma once

// Declares the published properties, methods and fields of one class; used
// only inside a class's DeclareProperties. Included by rtti.h.
//
// Getters and setters are member functions or lambdas taking the object:
//     b.floating("Opacity", &TControl::Opacity, &TControl::SetOpacity);
//     b.persistent("Position", &TControl::Position);       // returns TPosition*
//     b.enumeration("Align", alignLayoutInfo(), &TControl::Align, &TControl::SetAlign);
//     b.event("OnClick", &TControl::OnClick);              // a TNotifyEvent member
//     b.method<&TF_Main::bnPasClick>("bnPasClick");        // handler found by name
//     b.field("bnPas", &TF_Main::bnPas);                   // bound after reading

#include "framework/events.h"
#include "framework/rtti.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace vantor {

template<class T> class ClassBuilder
{
public:
    explicit ClassBuilder(ClassInfo &info) : m_info(info) {}

    template<class G, class S> PropInfo &integer(const char *name, G get, S set, IdentToInt idents = nullptr)
    {
        PropInfo &p = add(name, PropKind::Integer);
        p.identToInt = idents;
        p.get = [get](TObject &o) -> PropValue { return static_cast<std::int64_t>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), std::get<std::int64_t>(v)); };
        return p;
    }
    template<class G, class S> PropInfo &floating(const char *name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Float);
        p.get = [get](TObject &o) -> PropValue { return static_cast<double>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), std::get<double>(v)); };
        return p;
    }
    template<class G, class S> PropInfo &string(const char *name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::String);
        p.get = [get](TObject &o) -> PropValue { return QString(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), std::get<QString>(v)); };
        return p;
    }
    template<class G, class S> PropInfo &boolean(const char *name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Boolean);
        p.get = [get](TObject &o) -> PropValue { return static_cast<bool>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), std::get<bool>(v)); };
        return p;
    }
    // The getter returns an enum type whose values are the ordinals of `info`.
    template<class G, class S> PropInfo &enumeration(const char *name, const EnumInfo &info, G get, S set)
    {
        using E = std::decay_t<std::invoke_result_t<G, T &>>;
        PropInfo &p = add(name, PropKind::Enumeration);
        p.enumInfo = &info;
        p.get = [get](TObject &o) -> PropValue { return static_cast<std::int64_t>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), static_cast<E>(std::get<std::int64_t>(v))); };
        return p;
    }
    // The getter returns an integral bit mask: bit n stands for ordinal n of `info`.
    template<class G, class S> PropInfo &set(const char *name, const EnumInfo &info, G get, S set)
    {
        using M = std::decay_t<std::invoke_result_t<G, T &>>;
        PropInfo &p = add(name, PropKind::Set);
        p.enumInfo = &info;
        p.get = [get](TObject &o) -> PropValue { return static_cast<std::int64_t>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), static_cast<M>(std::get<std::int64_t>(v))); };
        return p;
    }
    // A nested persistent object that the instance owns (Position, Margins, Font).
    template<class G> PropInfo &persistent(const char *name, G get) { return nested(name, PropKind::Persistent, get); }
    // A TStrings the instance owns; real forms write its lines as `Name.Strings = (...)`.
    template<class G> PropInfo &strings(const char *name, G get) { return nested(name, PropKind::StringList, get); }
    // A TCollection the instance owns; its item class is the collection's business.
    template<class G> PropInfo &collection(const char *name, G get) { return nested(name, PropKind::Collection, get); }

    // A reference to another component; the getter returns C*, the setter takes C*.
    template<class G, class S> PropInfo &component(const char *name, G get, S set)
    {
        using C = std::remove_pointer_t<std::decay_t<std::invoke_result_t<G, T &>>>;
        PropInfo &p = add(name, PropKind::Component);
        p.valueClass = &C::StaticClass();
        p.get = [get](TObject &o) -> PropValue { return static_cast<TObject *>(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) {
            std::invoke(set, self(o), static_cast<C *>(std::get<TObject *>(v)));
        };
        return p;
    }
    template<class G, class S> PropInfo &binary(const char *name, G get, S set)
    {
        PropInfo &p = add(name, PropKind::Binary);
        p.get = [get](TObject &o) -> PropValue { return QByteArray(std::invoke(get, self(o))); };
        p.set = [set](TObject &o, const PropValue &v) { std::invoke(set, self(o), std::get<QByteArray>(v)); };
        return p;
    }
    // An event held in a TNotifyEvent member: the one the Qt peer fires.
    PropInfo &event(const char *name, TNotifyEvent T::*member)
    {
        PropInfo &p = add(name, PropKind::Method);
        p.get = [member](TObject &o) -> PropValue { return (self(o).*member).method(); };
        p.set = [member](TObject &o, const PropValue &v) { self(o).*member = TNotifyEvent(std::get<TMethod>(v)); };
        return p;
    }
    // An event that is only kept (the framework does not fire it yet).
    PropInfo &event(const char *name) { return stored(name, PropKind::Method); }

    // A property that real forms set and that is kept without behaviour, so
    // that reading such a form does not fail. The name may be dotted
    // ("Touch.InteractiveGestures") when no nested object is worth making. Its value lives in the object's
    // value store and reads back as written (default: empty/zero/false).
    PropInfo &stored(const char *name, PropKind kind, const EnumInfo *info = nullptr, IdentToInt idents = nullptr)
    {
        PropInfo &p = add(name, kind);
        p.enumInfo = info;
        p.identToInt = idents;
        const QString key = p.name;
        p.get = [key, kind](TObject &o) -> PropValue {
            PropValue v = o.storedValue(key);
            if (std::holds_alternative<std::monostate>(v))
                return defaultFor(kind);
            return v;
        };
        p.set = [key](TObject &o, const PropValue &v) { o.setStoredValue(key, v); };
        return p;
    }

    // A published method of a root class: `void T::handler(TObject *sender)`.
    template<auto Member> void method(const char *name)
    {
        TNotifyEvent::Thunk thunk = [](void *data, TObject *sender) {
            (static_cast<T *>(static_cast<TObject *>(data))->*Member)(sender);
        };
        m_info.m_methods.push_back({QString::fromUtf8(name), reinterpret_cast<TMethod::Code>(thunk)});
    }
    // A published field: a component pointer member bound by name after reading.
    template<class C> void field(const char *name, C *T::*member)
    {
        PublishedField f;
        f.name = QString::fromUtf8(name);
        f.fieldClass = &C::StaticClass();
        f.assign = [member](TObject &o, TComponent *c) { self(o).*member = static_cast<C *>(componentAsObject(c)); };
        m_info.m_fields.push_back(std::move(f));
    }

private:
    static T &self(TObject &o) { return static_cast<T &>(o); }

    static PropValue defaultFor(PropKind kind)
    {
        switch (kind) {
        case PropKind::Integer:
        case PropKind::Enumeration:
        case PropKind::Set: return std::int64_t(0);
        case PropKind::Float: return 0.0;
        case PropKind::String: return QString();
        case PropKind::Boolean: return false;
        case PropKind::Method: return TMethod{};
        case PropKind::Binary: return QByteArray();
        default: return static_cast<TObject *>(nullptr);
        }
    }

    template<class G> PropInfo &nested(const char *name, PropKind kind, G get)
    {
        using P = std::remove_pointer_t<std::decay_t<std::invoke_result_t<G, T &>>>;
        PropInfo &p = add(name, kind);
        p.valueClass = &P::StaticClass();
        p.get = [get](TObject &o) -> PropValue { return static_cast<TObject *>(std::invoke(get, self(o))); };
        return p;
    }

    PropInfo &add(const char *name, PropKind kind)
    {
        PropInfo p;
        p.name = QString::fromUtf8(name);
        p.kind = kind;
        m_info.m_props.push_back(std::move(p));
        return m_info.m_props.back();
    }

    ClassInfo &m_info;
};

template<class T> ClassInfo *makeClassInfo(const char *name)
{
    static_assert(std::is_same_v<typename T::ThisClass, T>, "the class lacks its own VANTOR_CLASS(Class, Base)");
    static_assert(std::is_base_of_v<typename T::inherited, T>, "VANTOR_CLASS names a base the class does not derive from");
    auto *info = new ClassInfo(name, &T::inherited::StaticClass()); // lives as long as the process
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent *>
                  && std::is_convertible_v<T *, TComponent *>) {
        info->m_create = [](TComponent *owner) -> TComponent * { return new T(owner); };
    } else if constexpr (!std::is_abstract_v<T> && std::is_default_constructible_v<T>
                         && std::is_convertible_v<T *, TPersistent *>) {
        info->m_createPersistent = []() -> TPersistent * { return new T(); };
    }
    if constexpr (requires { static_cast<void (*)(ClassBuilder<T> &)>(&T::DeclareProperties); }) {
        ClassBuilder<T> builder(*info);
        T::DeclareProperties(builder);
    }
    return info;
}

} // namespace vantor
