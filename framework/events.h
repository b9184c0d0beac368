#pragma once

#include "framework/method.h"

#include <type_traits>

namespace vantor {

// An event with the sender as its only argument, the framework's most common
// event type (OnClick, OnDblClick, OnChange). It is a TMethod underneath, so
// it can be written through the method property of its name.
//
//     button->OnClick = TNotifyEvent::bind<&Viewer::onControlClick>(viewer);
class TNotifyEvent
{
public:
    using Thunk = void (*)(void *data, TObject *sender);

    TNotifyEvent() = default;
    explicit TNotifyEvent(const TMethod &method) : m_method(method) {}

    // Binds a member function `void R::handler(TObject *sender)` to a receiver.
    template<auto Member, class R> static TNotifyEvent bind(R *receiver)
    {
        Thunk thunk = [](void *data, TObject *sender) { (dataAs<R>(data)->*Member)(sender); };
        return TNotifyEvent(TMethod{reinterpret_cast<TMethod::Code>(thunk), toData(receiver)});
    }
    // Binds a plain function that gets `data` back as its first argument.
    static TNotifyEvent fromFunction(Thunk function, void *data)
    {
        return TNotifyEvent(TMethod{reinterpret_cast<TMethod::Code>(function), data});
    }

    // Calls the handler; does nothing when none is assigned.
    void operator()(TObject *sender) const
    {
        if (m_method.code)
            reinterpret_cast<Thunk>(m_method.code)(m_method.data, sender);
    }

    const TMethod &method() const { return m_method; }
    bool assigned() const { return m_method.assigned(); }
    explicit operator bool() const { return assigned(); }
    friend bool operator==(const TNotifyEvent &, const TNotifyEvent &) = default;

    // Receivers that are framework objects travel as TObject*, so that a
    // published method found by name (which only knows the root as TObject)
    // and a bound member agree on what `data` holds.
    template<class R> static void *toData(R *receiver)
    {
        if constexpr (std::is_base_of_v<TObject, R>)
            return static_cast<void *>(static_cast<TObject *>(receiver));
        else
            return static_cast<void *>(receiver);
    }
    template<class R> static R *dataAs(void *data)
    {
        if constexpr (std::is_base_of_v<TObject, R>)
            return static_cast<R *>(static_cast<TObject *>(data));
        else
            return static_cast<R *>(data);
    }

private:
    TMethod m_method;
};

} // namespace vantor
