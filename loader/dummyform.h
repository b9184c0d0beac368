#pragma once

#include "framework/forms.h"

#include <cstdint>
#include <vector>

namespace vantor {

// The host form of a load: the loader creates one per load and reads the
// form file's root object into it (a frame root goes into a TFrame placed
// on it). It adds nothing to the framework's form.
class TF_FMXDummy : public TForm
{
    VANTOR_CLASS(TF_FMXDummy, TForm)
public:
    // Reads the stored layout first, when one is set.
    explicit TF_FMXDummy(TComponent *owner);

    // The host form's stored layout as a binary form stream; every new host
    // form is read from it before the form file. The viewer sets it at
    // start-up; empty (the default) leaves new host forms as the framework
    // makes them.
    static void setStoredLayout(std::vector<std::uint8_t> stream);
};

} // namespace vantor
