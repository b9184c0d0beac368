#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantor {

class TStringList;

// What the file name of a form says about platform variants.
struct PlatformFileNames
{
    std::string masterFileName;  // the form file to load
    std::string variantFileName; // the variant to merge into it; empty for none
    std::string platform;        // "Windows", "Android", "Mac", "iPad" or "iPhone"
};

// Tells whether a file exists; the default asks the file system.
using FileExistsFn = std::function<bool(const std::string &path)>;
bool fileExistsOnDisk(const std::string &path);

// The file-name analysis at the start of a load. Only the file-name part
// counts (folders may hold dots): a first dotted part holding a capital "X"
// names an Android variant (Main.LgXhdpiPh.fmx), and a dotted part holding
// ".Macintosh", ".Windows", ".iPad" or ".iPhone" names that platform's variant
// (Main.iPhone47in.fmx is the iPhone variant of Main.fmx). Either way the
// whole dotted part goes to make the master's name. A name whose master does
// not exist is no variant (a dotted unit name such as LUX.FMX.Plot.fmx loads
// as itself, platform "Windows"). When the first dotted part names no variant
// with an existing master, the last one before the extension is tried, for
// dotted unit names (Forms.Main.LgXhdpiPh.fmx is a variant of Forms.Main.fmx).
PlatformFileNames AnalysePlatformFileName(const std::string &path,
                                          const FileExistsFn &fileExists = fileExistsOnDisk);

// Reads a form file (binary or text) into lines; the driver passes the form
// file reader of the streams layer.
using FormFileReader = std::function<void(const std::string &fileName, TStringList &lines)>;

// Reads the master into working and, when names holds a variant, the variant
// into variant and merges it. Errors of the reader leave the call.
void ReadMasterAndVariant(const PlatformFileNames &names, TStringList &working, TStringList &variant,
                          const FormFileReader &read);

// Merges the inherited blocks of a platform variant into the master's text
// (working), nested blocks before the blocks that hold them; the variant's
// root properties are never merged and a block that never closes is dropped.
// variant is left empty. Near linear in the size of both texts.
void MergePlatformVariant(TStringList &working, TStringList &variant);

// Merges one variant block into working: header is the block's header line
// with "inherited" made "object", collected its lines without header and end.
// The master object is the first line that reads like the header (deeper
// indentation allowed). A property it has (also in a child) takes the
// variant's value, one it lacks is added after its header; a value that runs
// over several lines (a string list, binary data, a collection) is replaced
// whole; a child object block replaces the master's child of that name or
// becomes its last child.
void MergeVariantBlock(TStringList &working, const std::vector<std::string> &collected,
                       const std::string &header);

} // namespace vantor
