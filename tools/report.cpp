// vantor-tool report: one load as the viewer makes it, printed as one JSON
// object, for measuring the loader over many forms without a display.

#include "commands.h"
#include "headless.h"

#include "framework/control.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"
#include "framework/looks.h"
#include "framework/stylebook.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/presentation.h"
#include "streams/stringlist.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace vantor;

namespace {

// A JSON text, written as it goes. The report of a large form is tens of
// megabytes: it is kept in pieces of about a megabyte, so that it is never
// moved to grow nor copied on its way out.
class JsonWriter
{
public:
    void raw(std::string_view text)
    {
        spill();
        m_out += text;
    }

    // A string value; bytes that are not UTF-8 become U+FFFD so that the
    // output stays valid JSON whatever a form holds.
    void string(std::string_view text)
    {
        spill();
        m_out += '"';
        for (std::size_t i = 0; i < text.size();) {
            // Plain characters go in as one run.
            std::size_t run = i;
            while (run < text.size()) {
                const auto p = static_cast<unsigned char>(text[run]);
                if (p < 0x20 || p >= 0x80 || p == '"' || p == '\\')
                    break;
                ++run;
            }
            if (run > i) {
                m_out.append(text.data() + i, run - i);
                i = run;
                continue;
            }
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                if (c == '"' || c == '\\') {
                    m_out += '\\';
                    m_out += char(c);
                } else if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    m_out += buf;
                } else {
                    m_out += char(c);
                }
                ++i;
                continue;
            }
            const std::size_t len = utf8Length(text.substr(i));
            if (len == 0) {
                m_out += "\xEF\xBF\xBD";
                ++i;
            } else {
                m_out.append(text.substr(i, len));
                i += len;
            }
        }
        m_out += '"';
    }
    void string(const QString &text) { string(std::string_view(text.toStdString())); }
    void string(const char *text) { string(std::string_view(text)); }

    void number(double value)
    {
        spill();
        if (!std::isfinite(value)) {
            m_out += "null";
            return;
        }
        // As printf's "%.10g" writes it, without its per-call set-up.
        char buf[32];
        const auto end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 10).ptr;
        m_out.append(buf, std::size_t(end - buf));
    }

    void boolean(bool value) { raw(value ? "true" : "false"); }
    void null() { raw("null"); }
    void key(std::string_view name)
    {
        string(name);
        m_out += ':';
    }
    void lines(const TStringList &list)
    {
        m_out += '[';
        for (int i = 0; i < list.count(); ++i) {
            if (i)
                m_out += ',';
            string(list[i]);
        }
        m_out += ']';
    }

    // The text written, in its pieces.
    std::vector<std::string> take() &&
    {
        m_done.push_back(std::move(m_out));
        return std::move(m_done);
    }

private:
    // Length of a well-formed UTF-8 sequence at the start of text; 0 when there is none.
    static std::size_t utf8Length(std::string_view text)
    {
        const auto c = static_cast<unsigned char>(text[0]);
        std::size_t len = 0;
        std::uint32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            min = 0x10000;
        } else {
            return 0;
        }
        if (text.size() < len)
            return 0;
        std::uint32_t cp = c & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(text[k]);
            if ((b & 0xC0) != 0x80)
                return 0;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return 0;
        return len;
    }

    static constexpr std::size_t kPiece = std::size_t(1) << 20;
    void spill()
    {
        if (m_out.size() < kPiece)
            return;
        m_done.push_back(std::move(m_out));
        m_out = std::string();
        m_out.reserve(kPiece + kPiece / 4);
    }

    std::vector<std::string> m_done;
    std::string m_out;
};

void writeRect(JsonWriter &json, const QRectF &r)
{
    json.raw("[");
    json.number(r.x());
    json.raw(",");
    json.number(r.y());
    json.raw(",");
    json.number(r.width());
    json.raw(",");
    json.number(r.height());
    json.raw("]");
}

// One component as the panel shows it: "bounds" in the picture's
// coordinates after layout, "visibleArea" the part of them its parents let
// be seen (null when nothing of it can be seen), "shown" visible itself and
// through every parent, "inScrollView" inside a scrolling view (what lies
// beyond the view is reached by scrolling).
void writeComponent(JsonWriter &json, const ShownComponent &shown)
{
    TComponent &component = *shown.component;
    json.raw("{");
    json.key("name");
    json.string(component.Name());
    json.raw(",");
    json.key("class");
    json.string(component.ClassName());
    json.raw(",");
    json.key("parent");
    if (TComponent *parent = component.GetParentComponent())
        json.string(parent->Name());
    else
        json.null();
    auto *control = object_cast<TControl>(&component);
    json.raw(",");
    json.key("visible");
    if (control)
        json.boolean(control->Visible());
    else
        json.null();
    json.raw(",");
    json.key("shown");
    json.boolean(shown.shown);
    json.raw(",");
    json.key("bounds");
    if (shown.isControl)
        writeRect(json, shown.bounds);
    else
        json.null();
    json.raw(",");
    json.key("visibleArea");
    if (shown.isControl && !shown.visible.isEmpty())
        writeRect(json, shown.visible);
    else
        json.null();
    json.raw(",");
    json.key("inScrollView");
    json.boolean(shown.inScrollView);
    // The style name asked for, whether the form's style book has it, and
    // what the control is drawn with ("book:NAME", "stock:NAME", "default").
    json.raw(",");
    json.key("styleLookup");
    if (control)
        json.string(effectiveStyleLookup(*control));
    else
        json.null();
    json.raw(",");
    json.key("bookStyle");
    json.boolean(control && BookStyleOf(*control));
    json.raw(",");
    json.key("look");
    if (control)
        json.string(DrawnLook(*control));
    else
        json.null();
    json.raw("}");
}

// What the panel shows: its picture's size, whether the picture differs
// from the empty panel's anywhere, and every component's geometry.
struct ShownForm
{
    QSizeF picture;
    bool showsAnything = false;
    std::vector<ShownComponent> components;
};

ShownForm measureShown(TDFMView &view, TControl &panel)
{
    ShownForm out;
    out.picture = panel.Size()->size();
    out.components = ShownGeometry(*view.FormDyna, panel);
    const QImage picture = panel.peer()->grab().toImage();
    TPanel empty(nullptr);
    empty.SetBounds(0, 0, out.picture.width(), out.picture.height());
    empty.peer()->show();
    QCoreApplication::processEvents();
    out.showsAnything = ShowsMoreThan(picture, empty.peer()->grab().toImage());
    return out;
}

std::vector<std::string> reportJson(const std::string &file, bool runtimeView, const TDFMView &view,
                                    const tools::LoadOutcome &outcome, const TStringList &missing,
                                    const TStringList &placeholders, const ShownForm *shown)
{
    using Status = tools::LoadOutcome::Status;
    JsonWriter json;
    json.raw("{");
    json.key("file");
    json.string(file);
    json.raw(",");
    json.key("view");
    json.string(runtimeView ? "runtime" : "designtime");
    json.raw(",");
    json.key("result");
    json.boolean(outcome.status == Status::Built);
    json.raw(",");
    json.key("error");
    if (outcome.status == Status::ErrorLeft)
        json.string(outcome.error);
    else
        json.null();
    json.raw(",");
    json.key("platform");
    json.string(view.APlatform);

    TF_FMXDummy *form = view.FormDyna;
    json.raw(",");
    json.key("caption");
    if (form)
        json.string(form->Caption());
    else
        json.null();
    json.raw(",");
    json.key("width");
    if (form)
        json.number(double(form->Width()));
    else
        json.null();
    json.raw(",");
    json.key("height");
    if (form)
        json.number(double(form->Height()));
    else
        json.null();

    json.raw(",");
    json.key("orgText");
    json.lines(view.slOrgDFM);
    json.raw(",");
    json.key("workText");
    if (outcome.workText) {
        json.raw("[");
        for (std::size_t i = 0; i < outcome.workText->size(); ++i) {
            if (i)
                json.raw(",");
            json.string((*outcome.workText)[i]);
        }
        json.raw("]");
    } else {
        json.null();
    }
    json.raw(",");
    json.key("missing");
    json.lines(missing);
    // The list as the viewer shows it, after the plug-in libraries were asked.
    json.raw(",");
    json.key("shownMissing");
    json.lines(view.slMissing);
    json.raw(",");
    json.key("placeholders");
    json.raw("[");
    for (int i = 0; i < placeholders.count(); ++i) {
        if (i)
            json.raw(",");
        json.raw("[");
        json.string(placeholders[i]);
        json.raw(",");
        json.number(placeholders.tag(i));
        json.raw("]");
    }
    json.raw("]");
    json.raw(",");
    json.key("eventHandlers");
    json.lines(view.slEventHandlers);

    json.raw(",");
    json.key("picture");
    if (shown) {
        json.raw("[");
        json.number(shown->picture.width());
        json.raw(",");
        json.number(shown->picture.height());
        json.raw("]");
    } else {
        json.null();
    }
    json.raw(",");
    json.key("showsAnything");
    if (shown)
        json.boolean(shown->showsAnything);
    else
        json.null();
    json.raw(",");
    json.key("components");
    json.raw("[");
    if (shown) {
        for (std::size_t i = 0; i < shown->components.size(); ++i) {
            if (i)
                json.raw(",");
            writeComponent(json, shown->components[i]);
        }
    }
    json.raw("]}");
    return std::move(json).take();
}

} // namespace

int runReport(int argc, char **argv)
{
    bool runtimeView = true;
    std::string file;
    if (!tools::parseViewArgs(argc, argv, 1, runtimeView, file, nullptr)) {
        std::fprintf(stderr, "usage: vantor-tool report [--design-time] FILE\n");
        return 2;
    }
    try {
        tools::ensureApplication();
        // The tool has no main window to own the built form: this component
        // owns it and frees it at the end.
        // The panel the form is shown in; it goes after the form.
        std::unique_ptr<TControl> panel;
        TComponent formOwner(nullptr);
        TDFMView view;
        tools::ensurePlugIns();
        const tools::LoadOutcome outcome = tools::runLoad(view, formOwner, file, runtimeView);
        // missing and placeholders as the load left them, before the plug-ins were asked.
        const TStringList missing = view.slMissing;
        const TStringList placeholders = view.slUnknownClassesOffset;
        tools::presentMissing(view, runtimeView);
        std::optional<ShownForm> shown;
        if (outcome.status == tools::LoadOutcome::Status::Built) {
            panel = tools::presentInPanel(view);
            shown = measureShown(view, *panel);
        }
        const std::vector<std::string> json =
            reportJson(file, runtimeView, view, outcome, missing, placeholders, shown ? &*shown : nullptr);
        for (const std::string &piece : json)
            std::fwrite(piece.data(), 1, piece.size(), stdout);
        std::fputc('\n', stdout);
        switch (outcome.status) {
        case tools::LoadOutcome::Status::Built:
            return 0;
        case tools::LoadOutcome::Status::BuildFailed:
            return 1;
        case tools::LoadOutcome::Status::ErrorLeft:
            return 2;
        }
        return 2;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vantor-tool report: %s\n", e.what());
        return 2;
    }
}
