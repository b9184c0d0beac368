#pragma once

// What report and render share: a Qt application (on the offscreen platform
// when there is no display) and one load as the viewer makes it.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vantor {
class TComponent;
class TControl;
class TDFMView;
class TStringList;
} // namespace vantor

namespace tools {

// Creates the application once; later calls do nothing.
void ensureApplication();

// The outcome of one load.
struct LoadOutcome
{
    enum class Status {
        Built,       // the framework built the form
        BuildFailed, // the build failed; slMissing holds the error entry
        ErrorLeft,   // an error left the load before the build
    };
    Status status = Status::ErrorLeft;
    std::string error;                      // the message of an error that left the load
    std::optional<std::vector<std::string>> workText; // the text handed to the conversion, when reached
};

// One load through the viewer's loader. The form's owner is `owner` (the
// tools have no main window; the caller frees the form by freeing the owner).
// Never throws.
LoadOutcome runLoad(vantor::TDFMView &view, vantor::TComponent &owner, const std::string &file, bool runtimeView);

// Loads the plug-in libraries beside the program, once, as the viewer does
// at start-up.
void ensurePlugIns();

// What the viewer's presentation does after a built load with missing
// classes: asks the plug-in libraries for the placeholders' controls
// (SetMissingClasses) and lets the queued relayouts run. Nothing for a load
// that built no form or misses nothing.
void presentMissing(vantor::TDFMView &view, bool runtimeView);

// The viewer's panel for a tool: the built form's controls move into it as
// they move into the viewer's, it takes the size the viewer gives its panel,
// and its widgets are shown (off screen) and laid out. Free the form before
// the panel. Nothing for a load that built no form.
std::unique_ptr<vantor::TControl> presentInPanel(vantor::TDFMView &view);

// Parses "[--design-time] FILE [OUT]" arguments; false on bad usage.
bool parseViewArgs(int argc, char **argv, int positional, bool &runtimeView, std::string &file, std::string *out);

} // namespace tools
