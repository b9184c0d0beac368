#pragma once

#include "framework/forms.h"

namespace vantor {

// The host form of a load: the loader creates one per load and reads the
// form file's root object into it (a frame root goes into a TFrame placed
// on it). It adds nothing to the framework's form.
class TF_FMXDummy : public TForm
{
    VANTOR_CLASS(TF_FMXDummy, TForm)
public:
    explicit TF_FMXDummy(TComponent *owner) : TForm(owner) {}
};

} // namespace vantor
