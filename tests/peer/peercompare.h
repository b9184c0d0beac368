#pragma once

#include <string>
#include <string_view>

namespace vantor::peer {

// Runs the Free Pascal peer program (fpconv) on byte strings through files in a
// private work folder.
class FpcPeer
{
public:
    struct Result
    {
        bool ok = false;
        std::string output; // converted bytes when ok
        std::string error;  // the peer's message when not ok
    };

    FpcPeer(std::string program, std::string workDir);
    bool available() const;
    const std::string &program() const { return m_program; }

    Result textToBinary(std::string_view text) const { return run("t2b", text); }
    Result binaryToText(std::string_view stream) const { return run("b2t", stream); }
    // Converts the file `path` `repeats` times inside one process and returns
    // the seconds that took (the process start is not counted); negative on failure.
    double timeConversion(bool toBinary, const std::string &path, int repeats) const;

private:
    Result run(const char *mode, std::string_view input) const;

    std::string m_program;
    std::string m_workDir;
};

// The outcome of comparing Vantor's conversions with the peer's on one form.
enum class Verdict {
    Agree,             // both conversions agree (see Comparison::byteIdentical for the round trip)
    PeerRejectsText,   // the peer's text reader refuses a form that Vantor reads
    VantorRejectsText, // Vantor refuses a form that the peer reads: worth a look
    BothReject,        // neither reads the form
    PeerCannotRender,  // Vantor's stream holds single/currency/date floats, which the peer cannot print
    TextDiffers,       // the peer prints Vantor's stream differently from its own
    RoundTripFails,    // Vantor's binary-to-text and back does not give the peer's stream again
};
const char *verdictName(Verdict verdict);

struct Comparison
{
    Verdict verdict = Verdict::Agree;
    // The round trip gave the peer's stream back byte for byte (rather than
    // only equal by value: 80-bit floats that a double cannot hold exactly).
    bool byteIdentical = false;
    // The peer could not print Vantor's single/currency/date floats, so the
    // form was compared with their suffixes taken off (both then store extended).
    bool suffixesStripped = false;
    std::string detail; // the first difference, or the error message
};

// Converts `text` with Vantor and with the peer and compares:
//  (a) the peer's binary-to-text of both streams must print the same, floats
//      compared by value (the peer prints 80-bit floats in exponent form);
//      a form with single/currency/date floats, which the peer cannot print,
//      is compared once more with their suffixes taken off;
//  (b) Vantor's binary-to-text of the peer's stream, read back by Vantor's
//      text-to-binary, must give the peer's stream again; where floats are
//      involved, equal by value to 15 significant digits is accepted.
Comparison compareForm(const FpcPeer &peer, const std::string &text);

// Takes the s/c/d suffix off every float of a text form (outside strings).
std::string stripFloatSuffixes(std::string_view text);

// Replaces every float number of a text the peer printed (fixed or exponent
// form, with or without a suffix) by its value with `digits` significant
// digits, so two renderings can be compared by value.
std::string normaliseFloats(std::string_view text, int digits);

// Byte strings hold Windows-1252 here; the peer prints their bytes as Latin-1
// codes. Rewrites the codes #128..#159 of a printed text (outside quotes) as
// the characters the code page has there (#128 -> #8364), so a byte string
// and a wide string with the same characters print alike.
std::string normaliseCodePage(std::string_view text);

// A text form as the peer must see it: the peer reads single bytes, so a UTF-8
// form with byte-order mark loses the mark, and its non-ASCII string
// characters become Windows-1252 bytes where the code page has them (Vantor
// stores such a string as bytes) and #codes (UTF-16 units, a wide string)
// otherwise; names stay as UTF-8 bytes, as Vantor stores them.
std::string peerInput(const std::string &text);

// "line N: <a> | <b>" for the first line where a and b differ; empty when equal.
std::string firstDifference(std::string_view a, std::string_view b);

} // namespace vantor::peer
