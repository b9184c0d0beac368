#include "fuzzentries.h"

#include "loader/cleanup.h"
#include "loader/knownclasses.h"
#include "loader/markers.h"
#include "loader/rewritescan.h"
#include "loader/textlines.h"
#include "loader/textmeasure.h"
#include "loader/variantmerge.h"
#include "streams/binarytotext.h"
#include "streams/errors.h"
#include "streams/formfile.h"
#include "streams/memorystream.h"
#include "streams/stringlist.h"
#include "streams/styleresource.h"
#include "streams/objectstream.h"
#include "streams/lineutils.h"
#include "streams/texttobinary.h"
#include "tests/loader/literalscan.h"

#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantor::fuzz {

namespace {

std::vector<std::uint8_t> convert(bool toBinary, std::vector<std::uint8_t> input)
{
    TMemoryStream in(std::move(input));
    TMemoryStream out;
    if (toBinary)
        ObjectTextToBinary(in, out);
    else
        ObjectBinaryToText(in, out);
    return out.takeBytes();
}

} // namespace

void binaryToText(const std::uint8_t *data, std::size_t size)
{
    try {
        convert(false, std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception &) {
    }
}

void textToBinary(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> stream;
    try {
        stream = convert(true, std::vector<std::uint8_t>(data, data + size));
    } catch (const Exception &) {
        return;
    }
    // What Vantor wrote it must read: print, read back, print again. The
    // second print must equal the first (the first round may round floats
    // that need 17 digits; after that the text is stable).
    try {
        const auto text = convert(false, stream);
        const auto again = convert(false, convert(true, text));
        if (again != text)
            throw BrokenInvariant("binary-to-text of a read-back stream differs from the first print");
    } catch (const Exception &error) {
        throw BrokenInvariant(std::string("Vantor refuses its own output: ") + error.what());
    }
}

void formFile(const std::uint8_t *data, std::size_t size)
{
    try {
        TMemoryStream file(std::vector<std::uint8_t>(data, data + size));
        file.setPosition(size / 2);
        TestStreamFormat(file);
        if (file.position() != size / 2)
            throw BrokenInvariant("the stream-format test moved the position");
        TStringList lines;
        ReadFormFileLines(std::vector<std::uint8_t>(data, data + size), lines);
    } catch (const Exception &) {
    }
}

void styleResource(const std::uint8_t *data, std::size_t size)
{
    try {
        const StyleResource resource = ReadStyleResource({data, size});
        for (const StyleResourceEntry &style : resource.styles)
            if (!hasStreamSignature(style.stream.data(), style.stream.size()))
                throw BrokenInvariant("a style without the stream signature");
    } catch (const Exception &) {
    }
}

} // namespace vantor::fuzz

// ---------------------------------------------------------------------------
// The loader's text passes

namespace vantor::fuzz {

namespace {

// Above this many lines the literal readings (which start again at line 0
// after every change) are not run: they are quadratic by design.
constexpr int kLiteralLineLimit = 400;

using Tagged = std::vector<std::pair<std::string, int>>;

Tagged withTags(const TStringList &lines)
{
    Tagged out;
    out.reserve(std::size_t(lines.count()));
    for (int i = 0; i < lines.count(); ++i)
        out.emplace_back(lines[i], lines.tag(i));
    return out;
}

TStringList missingList()
{
    TStringList missing;
    missing.setDuplicates(TDuplicates::Ignore);
    missing.setSorted(true);
    return missing;
}

const TStringList &knownClasses()
{
    static const TStringList known = [] {
        TStringList list;
        InitKnownClassNames(list);
        return list;
    }();
    return known;
}

const TStringList &exportedClasses()
{
    static const TStringList exported = [] {
        TStringList list;
        list.setSorted(true);
        list.setDuplicates(TDuplicates::Ignore);
        for (const char *name : {"TText", "TCircle", "TPath", "TFlowLayout", "TGridPanelLayout"})
            list.add(name);
        return list;
    }();
    return exported;
}

struct ScanOutcome
{
    Tagged text;
    std::vector<std::string> missing;
    Tagged offsets;
    bool inActionManager = false;
    int actionManagerIndent = 0;
    bool operator==(const ScanOutcome &) const = default;
};

template<typename Scan>
ScanOutcome runScan(const TStringList &input, bool runtimeView, Scan scan)
{
    TStringList lines = input;
    TStringList missing = missingList();
    TStringList offsets;
    RewriteScanState state;
    scan(lines, runtimeView, knownClasses(), MissingClassLists{missing, offsets}, state);
    return {withTags(lines), missing.toVector(), withTags(offsets), state.inActionManager(),
            state.actionManagerIndent};
}

template<typename Check>
ScanOutcome runCheck(const TStringList &input, Check check)
{
    TStringList lines = input;
    TStringList missing = missingList();
    TStringList offsets;
    bool unknown = false;
    check(lines, &exportedClasses(), knownClasses(), MissingClassLists{missing, offsets}, unknown);
    return {withTags(lines), missing.toVector(), withTags(offsets), unknown, 0};
}

// The passes of one load in one view, in the driver's order, up to the text
// the conversion is handed.
void passesInOneView(const TStringList &read, bool runtimeView)
{
    TStringList lines = read;
    const bool frameRoot = lines.count() >= 4 && !RootHasCaption(lines);
    if (!runtimeView)
        RemoveEnabledFalse(lines);
    RemoveRootVisibleTrue(lines);
    ResetActionManagerStyle(lines);
    RemoveMdiChildStyle(lines);
    StripEventLines(lines);
    FilterRootProperties(lines, frameRoot);

    const bool literal = lines.count() <= kLiteralLineLimit;
    ScanOutcome literalOutcome;
    if (literal) {
        try {
            literalOutcome = runScan(lines, runtimeView, test::literalRewriteScan);
        } catch (const std::runtime_error &) {
            // The literal reading gave up (it would run on without end).
            literalOutcome = {};
        }
    }
    TStringList missing = missingList();
    TStringList offsets;
    RewriteScanState state;
    RewriteScan(lines, runtimeView, knownClasses(), MissingClassLists{missing, offsets}, state);
    if (literal && !literalOutcome.text.empty()) {
        const ScanOutcome shipped{withTags(lines), missing.toVector(), withTags(offsets), state.inActionManager(),
                                  state.actionManagerIndent};
        if (!(shipped == literalOutcome))
            throw BrokenInvariant("the rewrite scan differs from its literal reading");
    }
    if (literal) {
        bool same = true;
        try {
            same = runCheck(lines, CheckForUnknownComponents) == runCheck(lines, test::literalCheckForUnknownComponents);
        } catch (const std::runtime_error &) {
        }
        if (!same)
            throw BrokenInvariant("the plug-in block substitution differs from its literal reading");
    }
    if (!runtimeView) {
        static const FixedWidthTextMeasure measure;
        MarkNonVisualComponents(lines, measure);
    }
}

} // namespace

void loadPasses(const std::uint8_t *data, std::size_t size)
{
    // The literal scan restarts at line 0 after every change, and on some
    // texts never ends (a header it can rewrite again and again); the shipped
    // scan rewrites each header once. Such texts are not compared.
    test::literalStepLimit() = 2'000'000;
    TStringList read;
    try {
        ReadFormFileLines(std::vector<std::uint8_t>(data, data + size), read);
    } catch (const Exception &) {
        return;
    }
    for (int i = 0; i < read.count(); ++i)
        read.setTag(i, i);
    for (bool runtimeView : {true, false}) {
        try {
            passesInOneView(read, runtimeView);
        } catch (const Exception &) {
            // A marker position that is no integer ends the load with an error.
        }
    }
}

void variantMerge(const std::uint8_t *data, std::size_t size)
{
    const std::string_view all(reinterpret_cast<const char *>(data), size);
    const std::string_view separator(kVariantSeparator);
    const std::size_t at = all.find(separator);
    const std::string_view master = all.substr(0, at);
    const std::string_view variant = at == std::string_view::npos ? std::string_view() : all.substr(at + separator.size());
    TStringList working;
    TStringList variantLines;
    try {
        ReadFormFileLines(std::vector<std::uint8_t>(master.begin(), master.end()), working);
        ReadFormFileLines(std::vector<std::uint8_t>(variant.begin(), variant.end()), variantLines);
    } catch (const Exception &) {
        return;
    }
    for (int i = 0; i < working.count(); ++i)
        working.setTag(i, i);
    // The literal merge starts a new pass after each nested block and so
    // merges the blocks before it again. That changes nothing for the lines a
    // block holds in a form (properties "Key = value", child objects,
    // multi-line values, which are merged whole), but a stray line without
    // " =" is not found again by its key (the key is looked for with a blank
    // on either side) and is added once more; the shipped merge merges every
    // block once. Variants with such lines are not compared.
    // Only forms' lines are compared: property lines whose key is a dotted
    // name (a key found in more than one line of the object, or a key named
    // like a keyword, makes the repeated merge replace values in other lines
    // too), headers, end lines.
    const auto formLine = [](const std::string &line) {
        const std::string_view t = textlines::trimView(line);
        const std::size_t eq = t.find(" = ");
        if (eq != std::string_view::npos) {
            const std::string_view key = t.substr(0, eq);
            if (key.empty() || key == "object" || key == "inherited" || key == "inline" || key == "end")
                return false;
            for (char c : key)
                if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'))
                    return false;
            return true;
        }
        if (t.find('=') != std::string_view::npos)
            return false;
        return t.empty() || t == "end" || t.starts_with("object ") || t.starts_with("inherited ")
               || t.starts_with("inline ");
    };
    bool comparable = true;
    for (int i = 0; i < variantLines.count() && comparable; ++i)
        comparable = formLine(variantLines[i]);
    const bool literal = comparable && working.count() + variantLines.count() <= kLiteralLineLimit;
    TStringList literalWorking = working;
    TStringList literalVariant = variantLines;
    MergePlatformVariant(working, variantLines);
    if (!variantLines.empty())
        throw BrokenInvariant("the merge left lines in the variant");
    if (literal) {
        bool finished = true;
        try {
            test::literalMergePlatformVariant(literalWorking, literalVariant);
        } catch (const std::runtime_error &) {
            finished = false;
        }
        if (finished && withTags(literalWorking) != withTags(working))
            throw BrokenInvariant("the merge differs from its literal reading");
    }
}

} // namespace vantor::fuzz
