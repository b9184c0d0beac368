#pragma once

namespace vantor {

class TObject;

// A method pointer: the code of a handler and the object it runs on. Event
// properties of every signature are read and written as this pair; the
// event type that owns it knows the real signature of `code`.
struct TMethod
{
    using Code = void (*)();
    Code code = nullptr;
    void *data = nullptr;

    bool assigned() const { return code != nullptr; }
    friend bool operator==(const TMethod &, const TMethod &) = default;
};

} // namespace vantor
