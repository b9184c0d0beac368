#include "loader/missingobjects.h"

#include "framework/classes.h"
#include "framework/controls/images.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"
#include "framework/tasks.h"
#include "loader/dfmview.h"
#include "loader/plugins.h"
#include "loader/registry.h"
#include "loader/rewritescan.h"
#include "loader/textlines.h"
#include "streams/encoding.h"
#include "streams/errors.h"
#include "streams/lineutils.h"
#include "streams/memorystream.h"
#include "support/filelock.h"
#include "support/paths.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

namespace vantor {

namespace {

// The class name after the "@" is taken to at most this many characters.
constexpr int kMaxClassNameChars = 1255;

// Marks a placeholder as handled for the life of the label, so that the
// re-walk after a block with unknown classes does not ask again.
const QString kHandledKey = QStringLiteral("$placeholderHandled");

bool isPlaceholder(TComponent *component)
{
    if (component->ClassName() != QLatin1String("TLabel"))
        return false;
    auto *label = static_cast<TLabel *>(component);
    return label->Text().startsWith(QLatin1Char('@'));
}

bool isHandled(const TComponent *component)
{
    const PropValue v = component->storedValue(kHandledKey);
    return std::holds_alternative<bool>(v) && std::get<bool>(v);
}

QString missingClassOf(const TLabel *label)
{
    return label->Text().mid(1, kMaxClassNameChars);
}

// The block as bytes for the library: Windows-1252 when it holds every
// character, else UTF-8 after a byte-order mark (nothing is turned into '?').
std::vector<std::uint8_t> blockBytes(TStringList &block)
{
    bool fitsAnsi = true;
    for (const TStringList::Item &item : block.items()) {
        if (!enc::isAscii(item.text) && enc::ansiToUtf8(enc::utf8ToAnsi(item.text)) != item.text) {
            fitsAnsi = false;
            break;
        }
    }
    block.setEncoding(fitsAnsi ? TEncoding::Ansi : TEncoding::UTF8);
    return block.saveToBytes();
}

// A length-prefixed 8-bit string in Windows-1252, cut to 255 characters.
std::array<unsigned char, 256> shortString(const QString &text)
{
    std::array<unsigned char, 256> out{};
    const std::string ansi = enc::utf8ToAnsi(text.toStdString());
    const std::size_t n = std::min<std::size_t>(ansi.size(), 255);
    out[0] = static_cast<unsigned char>(n);
    std::copy_n(ansi.begin(), n, out.begin() + 1);
    return out;
}

// The text of a length-prefixed string the library wrote, read safely.
std::string fromShortString(const std::array<unsigned char, 256> &buffer)
{
    const std::size_t n = buffer[0];
    return enc::ansiToUtf8(std::string_view(reinterpret_cast<const char *>(buffer.data() + 1), n));
}

// The component of form (or of its components, at any depth) at address
// tag: the library hands its control as an address, which is only trusted
// once it is found among the form's own components.
TComponent *ownedComponentAt(TComponent *form, std::intptr_t tag)
{
    if (tag == 0)
        return nullptr;
    for (TComponent *c : form->components()) {
        if (reinterpret_cast<std::intptr_t>(c) == tag)
            return c;
        if (TComponent *inner = ownedComponentAt(c, tag))
            return inner;
    }
    return nullptr;
}

QSizeF containerSize(TComponent *container)
{
    if (auto *form = object_cast<TCommonCustomForm>(container))
        return form->clientSize();
    if (auto *control = object_cast<TControl>(container))
        return QSizeF(control->Width(), control->Height());
    return {};
}

// How long a load waits for another process's plug-in call and picture read.
constexpr std::chrono::seconds kPictureLockTimeout{5};

// The picture as read right after the library call, while the lock was held;
// a read that failed is raised where the picture is loaded.
struct PlugInPicture
{
    std::vector<std::uint8_t> bytes;
    std::exception_ptr readError;
};

// Steps of one library call after the form has come back. Raises on any
// failure; the caller turns it into a "Fehler: " entry.
void showPlugInControl(TDFMView &view, TComponent *container, TLabel *L, TCommonCustomForm *F,
                       const PlugInPicture &picture)
{
    if (F->Visible())
        L->SetText(QString());
    else {
        L->SetWidth(32);
        L->SetHeight(32);
    }
    if (TComponent *control = ownedComponentAt(F, F->Tag()))
        view.ObjectInspector(control, QStringLiteral("OnClick"), view.EventOnClick);

    // A plain image, not the framed image control: the frame's white box
    // would hide a control drawn in white or with transparent parts.
    auto *image = new TImage(L);
    // At its own size: an aligned placeholder may be larger than the picture.
    image->SetWrapMode(TImageWrapMode::Center);
    const QSizeF size = containerSize(container);
    image->SetWidth(size.width());
    image->SetHeight(size.height());
    if (picture.readError)
        std::rethrow_exception(picture.readError);
    const std::vector<std::uint8_t> &bytes = picture.bytes;
    // Decoded only: the file's bytes are not kept beside the image.
    image->Bitmap()->SetImage(QImage::fromData(QByteArrayView(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()))));
    if (image->Bitmap()->isEmpty())
        throw Exception("Das Bild " + PlugInPicturePath() + " kann nicht gelesen werden");
    // The picture control takes its picture's size, and the placeholder
    // becomes the frame of that picture.
    image->SetWidth(image->Bitmap()->image().width());
    image->SetHeight(image->Bitmap()->image().height());
    L->SetLeft(F->Left() - 30);
    L->SetTop(F->Top() - 60);
    L->SetWidth(image->Width());
    L->SetHeight(image->Height());
    image->SetParent(L);
    image->SetAlign(TAlignLayout::Client);
}

} // namespace

std::string PlugInPicturePath()
{
    return AppDataDir() + "/" VANTOR_PLUGIN_PICTURE_FILE;
}

std::string PlugInPictureLockPath()
{
    return PlugInPicturePath() + ".lock";
}

TStringList ComponentBlock(const TStringList &orgText, int firstLine)
{
    TStringList block;
    if (firstLine < 0 || firstLine >= orgText.count())
        return block;
    const std::string &first = orgText[firstLine];
    const int indent = GetIndent(first);
    // The lines keep their tags (their index in slOrgDFM): placeholders made
    // in the block name their line by it.
    block.add(first, orgText.tag(firstLine));
    for (int i = firstLine + 1; i < orgText.count(); ++i) {
        block.add(orgText[i], orgText.tag(i));
        if (GetIndent(orgText[i]) == indent)
            break;
    }
    if (block.count() > 0 && textlines::trimView(block[block.count() - 1]).empty())
        block.remove(block.count() - 1);
    for (int pass = 0; pass < 2; ++pass) {
        if (block.empty() || block[0].rfind("  ", 0) != 0)
            break;
        for (int i = 0; i < block.count(); ++i)
            if (block[i].rfind("  ", 0) == 0)
                block.set(i, block[i].substr(2));
    }
    StripEventLines(block);
    // Frame instances are objects here as in the shown form, so that the
    // substitution of unknown classes reaches them too.
    for (int i = 0; i < block.count(); ++i) {
        const std::string &line = block[i];
        const std::size_t indent = std::size_t(GetIndent(line));
        if (line.compare(indent, 7, "inline ") == 0)
            block.set(i, line.substr(0, indent) + "object " + line.substr(indent + 7));
    }
    return block;
}

void BuildPlugInControl(TDFMView &view, TComponent *container, TLabel *L, const QString &className,
                        bool RuntimeView)
{
    const std::intptr_t tag = L->Tag();
    if (tag < 0 || tag >= view.slOrgDFM.count() || isHandled(L))
        return;
    L->setStoredValue(kHandledKey, true);
    try {
        L->SetName(L->Name() + QStringLiteral("2222"));
    } catch (const std::exception &) {
        // A name taken already (or none to extend): the placeholder keeps its own.
    }

    TStringList block = ComponentBlock(view.slOrgDFM, int(tag));
    const std::string N = className.toStdString();
    TDFMPlugin *plugin = view.GetPlugInForClass(N);
    if (!plugin)
        return;
    view.slFoundClasses.add(N);

    bool hasUnknownClasses = false;
    CheckForUnknownComponents(block, plugin->slExportedClasses.get(), slKnownClasses(),
                              MissingClassLists{view.slMissing, view.slUnknownClassesOffset}, hasUnknownClasses);
    TMemoryStream stream(blockBytes(block));
    stream.setPosition(0);

    TCommonCustomForm *F = nullptr;
    try {
        if (!plugin->GetWinControlFromClass)
            throw Exception(plugin->ModuleName + ": GetWinControlFromClass fehlt");
        // The picture file is one per user: the call that writes it and the
        // read of it are one step that no other process of this user enters
        // meanwhile (another viewer, the report tool), else one run reads
        // the other's picture, or none, or half of one.
        PlugInPicture picture;
        {
            std::string lockError;
            const std::unique_ptr<FileLock> lock =
                FileLock::acquire(PlugInPictureLockPath(), kPictureLockTimeout, lockError);
            if (!lock)
                throw Exception(lockError);
            // A picture left from an earlier call must not pass for this one.
            std::remove(PlugInPicturePath().c_str());
            const std::array<unsigned char, 256> name = shortString(className);
            std::array<unsigned char, 256> error{};
            F = static_cast<TCommonCustomForm *>(
                plugin->GetWinControlFromClass(name.data(), &stream, container, error.data(), 255));
            if (F) {
                try {
                    picture.bytes = readWholeFile(PlugInPicturePath());
                } catch (...) {
                    picture.readError = std::current_exception();
                }
            } else if (const std::string message = fromShortString(error); !message.empty()) {
                view.slMissing.add("Fehler: " + message);
            }
        }
        if (F) {
            showPlugInControl(view, container, L, F, picture);
            F->Hide();
            delete std::exchange(F, nullptr);
        }
    } catch (const Exception &e) {
        view.slMissing.add("Fehler: " + e.message());
    } catch (const std::exception &e) {
        view.slMissing.add("Fehler: " + std::string(e.what()));
    } catch (...) {
        view.slMissing.add("Fehler: " + plugin->ModuleName + ": unbekannter Fehler");
    }
    // The library's form belongs to the viewer also when showing it failed.
    delete F;

    if (hasUnknownClasses)
        view.SetMissingClassObjects(container, RuntimeView);
}

void NudgeFormLayout(TComponent *form)
{
    if (auto *f = object_cast<TCommonCustomForm>(form)) {
        std::weak_ptr<void> alive = f->aliveToken();
        f->SetHeight(f->Height() + 1);
        Application::ProcessMessages();
        if (!alive.expired())
            f->SetHeight(f->Height() - 1);
    } else if (auto *c = object_cast<TControl>(form)) {
        std::weak_ptr<void> alive = c->aliveToken();
        c->SetHeight(c->Height() + 1);
        Application::ProcessMessages();
        if (!alive.expired())
            c->SetHeight(c->Height() - 1);
    }
}

void ScheduleNudgeFormLayout(TComponent *form)
{
    if (!form)
        return;
    // The token is taken here, on the user-interface thread; the pool thread
    // only queues the call, which is dropped if the form is gone by then.
    std::weak_ptr<void> alive = form->aliveToken();
    TTask::Run([alive, form] { TThread::Queue(alive, [form] { NudgeFormLayout(form); }); });
}

TComponent *FindFormComponent(TComponent *form, const QString &name)
{
    if (!form)
        return nullptr;
    for (TComponent *c : form->components()) {
        if (c->ClassName() == QLatin1String("TFrame")) {
            for (TComponent *s : c->components())
                if (s->Name() == name)
                    return s;
        }
        if (c->Name() == name)
            return c;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// The loader's operations

void TDFMView::SetMissingClasses(TComponent *form, bool RuntimeView)
{
    SetMissingClassObjects(form, RuntimeView);
    for (const TStringList::Item &found : slFoundClasses.items()) {
        const int at = slMissing.indexOf(found.text);
        if (at >= 0)
            slMissing.remove(at);
    }
}

void TDFMView::SetMissingClassObjects(TComponent *form, bool RuntimeView)
{
    if (!form)
        return;
    // The walk covers the components there are now; a library's form added
    // meanwhile is not visited, and one that is gone is skipped.
    std::vector<std::pair<TComponent *, std::weak_ptr<void>>> owned;
    for (TComponent *c : form->components())
        owned.emplace_back(c, c->aliveToken());
    for (const auto &[component, alive] : owned) {
        if (alive.expired())
            continue;
        const QString cls = component->ClassName();
        if (cls == QLatin1String("TForm")) {
            SetMissingClassObjects(component, RuntimeView);
        } else if (cls == QLatin1String("TFrame")) {
            std::vector<std::pair<TComponent *, std::weak_ptr<void>>> inFrame;
            for (TComponent *s : component->components())
                inFrame.emplace_back(s, s->aliveToken());
            for (const auto &[sub, subAlive] : inFrame) {
                if (!subAlive.expired() && isPlaceholder(sub)) {
                    auto *label = static_cast<TLabel *>(sub);
                    BuildPlugInControl(*this, component, label, missingClassOf(label), RuntimeView);
                }
            }
        } else if (isPlaceholder(component)) {
            auto *label = static_cast<TLabel *>(component);
            BuildPlugInControl(*this, form, label, missingClassOf(label), RuntimeView);
        }
    }
    ScheduleNudgeFormLayout(form);
}

} // namespace vantor
