#pragma once

#include "framework/forms.h"

#include <cstdint>
#include <vector>

namespace vantor {

// The host form of a load: the loader creates one per load and reads the
// form file's root object into it (a frame root goes into a TFrame placed
// on it). It stands in for every root class, so it also takes the Color of
// the framework's 3D forms (and of forms of its first versions): the colour
// the form is cleared with, shown as a solid fill.
class TF_FMXDummy : public TForm
{
    VANTOR_CLASS(TF_FMXDummy, TForm)
public:
    // Reads the stored layout first, when one is set.
    explicit TF_FMXDummy(TComponent *owner);
    // Every widget shown queues a request to repaint itself later (and some a
    // layout request for their parent), and a widget destroyed while one of
    // its events is queued searches the whole queue for them: freeing a
    // large form just shown took seconds. The requests of the form's widgets
    // are dropped first, in one pass each.
    ~TF_FMXDummy() override;
    static void DeclareProperties(ClassBuilder<TF_FMXDummy> &b);

    TAlphaColor Color() const { return Fill()->Color(); }
    void SetColor(TAlphaColor c);

    // The host form's stored layout as a binary form stream; every new host
    // form is read from it before the form file. The viewer sets it at
    // start-up; empty (the default) leaves new host forms as the framework
    // makes them.
    static void setStoredLayout(std::vector<std::uint8_t> stream);
};

} // namespace vantor
