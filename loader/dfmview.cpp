#include "loader/dfmview.h"

#include "framework/classes.h"
#include "framework/forms.h"
#include "framework/controls/nonvisual.h"
#include "framework/looks.h"
#include "framework/reader.h"
#include "framework/stylebook.h"
#include "loader/cleanup.h"
#include "loader/dummyform.h"
#include "loader/markers.h"
#include "loader/missingobjects.h"
#include "loader/presentation.h"
#include "loader/registry.h"
#include "loader/rewritescan.h"
#include "loader/textlines.h"
#include "loader/textmeasure.h"
#include "loader/variantmerge.h"
#include "streams/formfile.h"
#include "streams/lineutils.h"
#include "streams/memorystream.h"
#include "streams/texttobinary.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TDFMView)

namespace {

// Set by the first GetDynaForm of the run.
bool g_knownClassesInitialised = false;

const char *const kRootName = "frmDynaForm";
const char *const kRootClassName = "TfrmDynaForm";
// The caption names at most this many characters of the root's class.
constexpr std::size_t kMaxRootClassChars = 1255;

// Text widths as the application font draws them; without a GUI application
// (no fonts to ask) every character is the same width.
class ApplicationFontMeasure : public ITextMeasure
{
public:
    double textWidth(std::string_view utf8) const override
    {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return m_fallback.textWidth(utf8);
        const QFontMetricsF metrics(QGuiApplication::font());
        return metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }

private:
    FixedWidthTextMeasure m_fallback;
};


// The class named by the root header, for the caption: the text after the
// first ':' (the whole line when it has none), cut and trimmed.
std::string rootClassForCaption(const TStringList &lines)
{
    if (lines.empty())
        return {};
    std::string_view line = lines[0];
    if (const auto colon = line.find(':'); colon != std::string_view::npos)
        line.remove_prefix(colon + 1);
    return textlines::trimmed(textlines::firstCodePoints(line, kMaxRootClassChars));
}

// True when one of the root's own lines (those before its first child)
// contains one of the needles.
bool rootLineContains(const TStringList &lines, std::initializer_list<std::string_view> needles)
{
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (textlines::contains(line, "object ") || textlines::contains(line, "inherited ")
            || textlines::contains(line, "inline "))
            return false;
        for (std::string_view needle : needles)
            if (textlines::contains(line, needle))
                return true;
    }
    return false;
}

// A frame root: at least four lines, a width on line 3 or an inherited root,
// and no caption among the root's own lines. Frames saved by newer versions of
// the framework give their width as "Size.Width =" on one of lines 1 to 3
// (after an Align line, say), which the line-3 test never sees; they count as
// frames too, else they are built as forms and fail on frame-only properties
// (Align, TabOrder on the root); a root that aligns itself is a frame for the
// same reason, wherever its width stands. Forms give their size as
// ClientWidth instead: a root with a client size is a form even when it is
// inherited (a platform variant opened without its master), else it fails on
// ClientHeight.
bool isFrameRoot(const TStringList &lines)
{
    if (lines.count() < 4 || rootLineContains(lines, {" ClientHeight =", " ClientWidth ="}))
        return false;
    // A size among the root's first lines: "Width" on the fourth line after
    // Left and Top, or earlier in files that give the size first, or
    // "Size.Width" of newer files.
    bool width = rootLineContains(lines, {" Align = "});
    for (int i = 1; i <= 3 && !width; ++i)
        width = textlines::contains(lines[i], " Width =") || textlines::contains(lines[i], " Size.Width =");
    if (!width && !textlines::contains(lines[0], "inherited "))
        return false;
    return !RootHasCaption(lines);
}

// A named form root ("object Form1: TForm1") is renamed to the viewer's own
// root; an unnamed one ("object TForm1") keeps its text.
void renameRootHeader(TStringList &lines)
{
    if (lines.empty())
        return;
    const std::string &line = lines[0];
    const auto blank = line.find(' ');
    const auto colon = line.find(": ");
    if (blank == std::string::npos || colon == std::string::npos || colon < blank)
        return;
    lines.set(0, std::string("object ") + kRootName + ": " + kRootClassName);
}

// The size a frame's direct children imply, from the form text: an
// inherited frame often gives no size of its own (its ancestor's file holds
// it), but its children were laid out in the designer at that size: a child
// aligned to fill its parent carries the parent's client size, one aligned
// to an edge carries the parent's width or height, and every other child
// ends within it. An empty size when no child tells anything.
QSizeF sizeFromChildren(const TStringList &lines)
{
    int childIndent = -1;
    double width = 0, height = 0;
    struct Child
    {
        std::string align;
        double x = 0, y = 0, w = 0, h = 0;
        bool any = false;
    } child;
    const auto take = [&] {
        if (!child.any)
            return;
        const std::string &a = child.align;
        const bool fills = a == "Client" || a == "alClient" || a == "Contents" || a == "alContents" || a == "Scale"
                           || a == "alScale" || a == "Fit" || a == "alFit";
        const bool horizontal = a == "Top" || a == "alTop" || a == "Bottom" || a == "alBottom" || a == "MostTop"
                                || a == "alMostTop" || a == "MostBottom" || a == "alMostBottom" || a == "Horizontal"
                                || a == "alHorizontal" || a == "VertCenter" || a == "alVertCenter";
        const bool vertical = a == "Left" || a == "alLeft" || a == "Right" || a == "alRight" || a == "MostLeft"
                              || a == "alMostLeft" || a == "MostRight" || a == "alMostRight" || a == "Vertical"
                              || a == "alVertical" || a == "HorzCenter" || a == "alHorzCenter";
        if (fills) {
            width = std::max(width, child.w);
            height = std::max(height, child.h);
        } else if (horizontal) {
            width = std::max(width, child.w);
        } else if (vertical) {
            height = std::max(height, child.h);
        } else if (a.empty() || a == "None" || a == "alNone") {
            width = std::max(width, child.x + child.w);
            height = std::max(height, child.y + child.h);
        }
        child = Child{};
    };
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        const int indent = textlines::indentOf(line);
        const bool header = textlines::isHeaderWith(line, "object ") || textlines::isHeaderWith(line, "inherited ")
                            || textlines::isHeaderWith(line, "inline ");
        if (childIndent < 0 && header)
            childIndent = indent;
        if (childIndent < 0)
            continue;
        if (indent < childIndent)
            break; // the root's end
        if (indent == childIndent) {
            take();
            continue;
        }
        if (indent != childIndent + 2 || line.find('=') == std::string::npos)
            continue;
        const std::string_view key = textlines::keyBeforeEquals(line);
        const std::string value(textlines::valueAfterEquals(line));
        const double number = std::strtod(value.c_str(), nullptr);
        if (key == "Align")
            child.align = value;
        else if (key == "Position.X" || key == "Left")
            child.x = number;
        else if (key == "Position.Y" || key == "Top")
            child.y = number;
        else if (key == "Size.Width" || key == "Width")
            child.w = number, child.any = true;
        else if (key == "Size.Height" || key == "Height")
            child.h = number, child.any = true;
    }
    take();
    return width > 0 && height > 0 ? QSizeF(width, height) : QSizeF();
}

// A frame is shown on its own: it stands at the host form's origin (where
// it stood in the designer's form means nothing here), and the host form
// takes the frame's size, so that the framed area around it and the panel
// it is shown in hold the whole frame rather than the host's stored size.
// Called before the frame is placed in the host: a frame aligned to its
// parent then fills the host at its own size. impliedSize, when valid, is
// the size of a frame that gives none (sizeFromChildren).
void fitHostToFrame(TF_FMXDummy &host, TFrame &frame, QSizeF impliedSize)
{
    frame.Position()->setPoint(QPointF(0, 0));
    if (impliedSize.isValid())
        frame.Size()->setSize(impliedSize);
    host.setClientSize(frame.Size()->size());
}

std::string fileNamePart(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// An empty list box or combo box gets one blank item, so that it shows a row
// (exact class names only: descendants stay as they are).
void fillEmptyItemLists(TComponent &form)
{
    const std::vector<TComponent *> owned = form.components();
    for (TComponent *component : owned) {
        const QString cls = component->ClassName();
        if (cls != QLatin1String("TListBox") && cls != QLatin1String("TComboBox"))
            continue;
        const PropLocation items = FindPropertyPath(component, QStringLiteral("Items"));
        if (!items || items.info->kind != PropKind::StringList || !items.info->get)
            continue;
        const PropValue value = items.info->get(*items.instance);
        const auto *object = std::get_if<TObject *>(&value);
        if (auto *strings = object ? object_cast<TStrings>(*object) : nullptr; strings && strings->count() == 0)
            strings->add(QStringLiteral(" "));
    }
}

// The component the root's StyleBook line names ("StyleBook = StyleBook1");
// empty when the root has none. Read before the root's properties are
// filtered, which drops the line.
std::string rootStyleBookName(const TStringList &lines)
{
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (textlines::isHeaderWith(line, "object ") || textlines::isHeaderWith(line, "inherited ")
            || textlines::isHeaderWith(line, "inline "))
            break;
        const std::string_view t = textlines::trimView(line);
        if (t == "end")
            break;
        if (textlines::keyBeforeEquals(t) == "StyleBook")
            return std::string(textlines::trimView(textlines::valueAfterEquals(t)));
    }
    return {};
}

// The line of the header of the style book named `name` in the form text;
// -1 when the text has none (the book may be the ancestor's).
int styleBookHeaderLine(const TStringList &lines, const std::string &name)
{
    for (int i = 1; i < lines.count(); ++i) {
        const std::string &line = lines[i];
        if (!textlines::contains(line, name) || !textlines::contains(line, "TStyleBook"))
            continue;
        if (!textlines::isHeaderWith(line, "object ") && !textlines::isHeaderWith(line, "inherited "))
            continue;
        const std::string_view t = textlines::trimView(line);
        const auto space = t.find(' ');
        const auto colon = t.find(':');
        if (space == std::string_view::npos || colon == std::string_view::npos || colon < space)
            continue;
        if (textlines::trimView(t.substr(space + 1, colon - space - 1)) == name
            && textlines::trimView(textlines::classAfterColon(t)) == "TStyleBook")
            return i;
    }
    return -1;
}

void applyLooksOf(TComponent &owner)
{
    for (TComponent *component : owner.components()) {
        if (auto *control = object_cast<TControl>(component))
            applyLook(*control);
        applyLooksOf(*component);
    }
}

} // namespace

void TDFMView::bindStyleBook(const std::string &name)
{
    if (name.empty() || !FormDyna)
        return;
    // The built form's own book where the load kept it (run-time view);
    // else (a marker stands in its place) one read from the form text.
    auto *book = object_cast<TStyleBook>(FindFormComponent(FormDyna, QString::fromStdString(name)));
    if (!book) {
        const int header = styleBookHeaderLine(slOrgDFM, name);
        if (header < 0)
            return;
        TStringList block = ComponentBlock(slOrgDFM, header);
        if (block.count() == 0)
            return;
        block.set(0, "object " + name + ": TStyleBook");
        try {
            TMemoryStream text(block.saveToBytes());
            TMemoryStream binary;
            ObjectTextToBinary(text, binary);
            binary.setPosition(0);
            auto holder = std::make_unique<TStyleBook>(nullptr);
            TReader reader(binary);
            reader.ReadRootComponent(holder.get());
            m_styleBookCopy = std::move(holder);
            book = m_styleBookCopy.get();
        } catch (const Exception &e) {
            slMissing.add("Fehler: Stilbuch " + name + ": " + e.message());
            return;
        }
    }
    book->SetStylePlatform(APlatform);
    FormDyna->SetStyleBook(book);
    const auto styles = book->ReadStyles();
    if (!styles->error().isEmpty())
        slMissing.add("Fehler: Stilbuch " + name + ": " + styles->error().toStdString());
    else if (!styles->resource().styles.empty())
        applyLooksOf(*FormDyna);
}

bool knownClassesInitialised()
{
    return g_knownClassesInitialised;
}

TDFMView::TDFMView()
{
    create();
}

TDFMView::~TDFMView() = default;

void TDFMView::create()
{
    slOrgDFM = TStringList();
    slOrgDFM.setDuplicates(TDuplicates::Accept);
    slMissing = TStringList();
    slMissing.setDuplicates(TDuplicates::Ignore);
    slMissing.setSorted(true);
    slFoundClasses = TStringList();
    slFoundClasses.setDuplicates(TDuplicates::Ignore);
    slEventHandlers = TStringList();
    slEventHandlers.setDuplicates(TDuplicates::Ignore);
    slUnknownClassesOffset = TStringList();
    OrgRootHeader.clear();
    APlatform.clear();
    AScaleX = AScaleY = 0;
    EventOnError = EventMouseMove = TMethod{};
    EventOnDblClick = EventOnClick = EventOnResize = TNotifyEvent{};
    NeedFullWin = false;
    FormDyna = nullptr;
    RootIsFrame = false;
    MethodOnClick = MethodOnResize = TMethod{};
}

bool TDFMView::GetDynaForm(const std::string &Filename, bool RunTimeView)
{
    if (!g_knownClassesInitialised) {
        g_knownClassesInitialised = true;
        InitKnownClasses();
        // Styles are built of the known classes and their own primitives only.
        SetStyleClassFilter([](const QString &name) { return slKnownClasses().contains(name.toStdString()); });
    }
    return ShowDynaFormModalPrim(Filename, RunTimeView);
}

bool TDFMView::ShowDynaFormModalPrim(const std::string &Filename, bool RuntimeView)
{
    slMissing.clear();
    slFoundClasses.clear();
    slEventHandlers.clear();
    FormDyna = nullptr;
    RootIsFrame = false;

    // A platform variant loads its master with the variant merged in.
    const PlatformFileNames names = AnalysePlatformFileName(Filename);
    APlatform = names.platform;
    const std::string &masterFile = names.masterFileName;

    const std::vector<std::uint8_t> masterBytes = readWholeFile(masterFile);
    TStringList working;
    TStringList variant;

    slOrgDFM.clear();
    OrgRootHeader.clear();
    slEventHandlers.clear();
    slUnknownClassesOffset.clear();
    slMissing.clear();

    ReadFormFileLines(masterBytes, working);
    if (!names.variantFileName.empty()) {
        ReadFormFileLines(names.variantFileName, variant);
        MergePlatformVariant(working, variant);
    }

    const bool isFrame = isFrameRoot(working);
    RootIsFrame = isFrame;
    // A frame that gives no size of its own is shown at the size its
    // children imply.
    const QSizeF frameSize = isFrame && !rootLineContains(working, {" Width =", " Size.Width =", " Height =",
                                                                    " Size.Height ="})
                                 ? sizeFromChildren(working)
                                 : QSizeF();
    const std::string rootClass = rootClassForCaption(working);
    OrgRootHeader = working.empty() ? std::string() : working[0];
    if (!isFrame)
        renameRootHeader(working);

    slOrgDFM.addStrings(working);
    for (int i = 0; i < working.count(); ++i) {
        slOrgDFM.setTag(i, i);
        working.setTag(i, i);
    }

    GetEventHandlers(working);
    if (!RuntimeView)
        RemoveEnabledFalse(working);
    RemoveRootVisibleTrue(working);
    AScaleX = 1.0L;
    AScaleY = 1.0L;
    ResetActionManagerStyle(working);
    RemoveMdiChildStyle(working);
    StripEventLines(working);
    const std::string styleBookName = isFrame ? std::string() : rootStyleBookName(working);
    FilterRootProperties(working, isFrame);
    RewriteScanState scanState;
    RewriteScan(working, RuntimeView, slKnownClasses(), MissingClassLists{slMissing, slUnknownClassesOffset},
                scanState);
    if (!RuntimeView) {
        if (!m_measure && !m_defaultMeasure)
            m_defaultMeasure = std::make_unique<ApplicationFontMeasure>();
        MarkNonVisualComponents(working, m_measure ? *m_measure : *m_defaultMeasure);
    }

    if (m_workTextObserver)
        m_workTextObserver(working);
    // The text goes to the conversion in the encoding it was read in.
    TMemoryStream textStream(working.saveToBytes());
    working.clear();
    TMemoryStream binaryStream;
    ObjectTextToBinary(textStream, binaryStream);
    binaryStream.setPosition(0);
    TReader reader(binaryStream);

    bool built = false;
    try {
        m_styleBookCopy.reset();
        FormDyna = new TF_FMXDummy(FormOwner);
        if (isFrame) {
            auto *frame = new TFrame(FormDyna);
            reader.ReadRootComponent(frame);
            fitHostToFrame(*FormDyna, *frame, frameSize);
            frame->SetParent(FormDyna);
            frame->SetVisible(true);
        } else {
            reader.ReadRootComponent(FormDyna);
        }
        built = true;
        DropQueuedPolishRequests();
    } catch (const Exception &e) {
        slMissing.add("Fehler: " + e.message());
    }
    if (!built)
        return false;
    bindStyleBook(styleBookName);

    FormDyna->SetCaption(QString::fromUtf8(isFrame ? "Frame : " : "Form : ") + QString::fromStdString(rootClass)
                         + QStringLiteral(" in ") + QString::fromStdString(fileNamePart(masterFile)));
    SetMethodProp(FormDyna, QStringLiteral("OnMouseMove"), EventMouseMove);

    SetEventHandlerForAllObjects(FormDyna, QStringLiteral("OnClick"), EventOnClick);
    SetFakeEventHandlerForObjects(FormDyna, QStringLiteral("TImageList"), QStringLiteral("OnDblClick"), EventOnClick);
    SetFakeEventHandlerForObjects(FormDyna, QStringLiteral("TTimer"), QStringLiteral("OnClick"), EventOnClick);

    FormDyna->SetBorderStyle(TFmxFormBorderStyle::Sizeable);
    FormDyna->SetPosition(TFormPosition::Designed);
    fillEmptyItemLists(*FormDyna);
    if (FormDyna->Height() == 0) {
        FormDyna->SetHeight(600);
        FormDyna->SetWidth(800);
    }
    if (!isFrame) {
        FormDyna->SetHeight(FormDyna->Height() + 10);
        FormDyna->SetWidth(FormDyna->Width() + 10);
    }
    return true;
}

} // namespace vantor
