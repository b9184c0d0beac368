#include "support/inifile.h"

#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantor {
namespace {

TEST(IniLookupTest, FindsValuesBySectionAndKey)
{
    const std::string text = "; settings\n"
                             "[Other]\nMain=1#\n"
                             "[ Bob-Windowpos ]\r\n"
                             "  main =  120#80#1024#700#0#  \r\n"
                             ";Gone=5\r\n"
                             "Empty=\r\n"
                             "noequals\r\n";
    struct Case
    {
        const char *section, *key;
        bool found;
        const char *value;
    };
    const Case cases[] = {
        {"Bob-Windowpos", "Main", true, "120#80#1024#700#0#"}, // blanks and letter case do not matter
        {"bob-windowpos", "MAIN", true, "120#80#1024#700#0#"},
        {"Other", "Main", true, "1#"},
        {"Bob-Windowpos", "Gone", false, ""}, // a comment is no key
        {"Bob-Windowpos", "Empty", true, ""},
        {"Bob-Windowpos", "noequals", false, ""},
        {"Missing", "Main", false, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        bool found = !c.found;
        EXPECT_EQ(iniLookup(text, c.section, c.key, &found), c.value);
        EXPECT_EQ(found, c.found);
    }
}

TEST(IniUpdateTest, ChangesOnlyTheOneValue)
{
    struct Case
    {
        const char *name;
        std::string before;
        const char *section, *key, *value;
        std::string after;
    };
    const Case cases[] = {
        {"new file", "", "u-Windowpos", "Main", "1#2#3#4#0#", "[u-Windowpos]\nMain=1#2#3#4#0#\n"},
        {"replace, keep the key's spelling and everything else",
         "; c\n[A]\nx=1\n[u-Windowpos]\nMAIN = old\nOther=7\n\n[B]\ny=2\n", "U-WINDOWPOS", "main", "new",
         "; c\n[A]\nx=1\n[u-Windowpos]\nMAIN=new\nOther=7\n\n[B]\ny=2\n"},
        {"new key at the end of its section, before the blank line",
         "[u-Windowpos]\nOther=7\n\n[B]\ny=2\n", "u-Windowpos", "Main", "v",
         "[u-Windowpos]\nOther=7\nMain=v\n\n[B]\ny=2\n"},
        {"new key in an empty last section without a final line break", "[B]\ny=2\n[u-Windowpos]", "u-Windowpos",
         "Main", "v", "[B]\ny=2\n[u-Windowpos]\nMain=v\n"},
        {"new section keeps the file's CR LF", "[B]\r\ny=2", "s", "k", "v", "[B]\r\ny=2\r\n[s]\r\nk=v\r\n"},
        {"line breaks in a value cannot split the line", "", "s", "k", "a\nb=c", "[s]\nk=a b=c\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iniUpdate(c.before, c.section, c.key, c.value), c.after);
    }
}

TEST(IniFileTest, WritesAndReadsBackKeepingOtherSections)
{
    TempDir dir;
    const std::string ini = dir.file("Viewer.ini");
    EXPECT_EQ(ReadIniString(ini, "s", "k", "dflt"), "dflt"); // no file yet
    writeAll(ini, "[Theirs]\nkeep=me\n");
    WriteIniString(ini, "bob-Windowpos", "Main", "120#80#1024#700#0#");
    WriteIniString(ini, "bob-Windowpos", "Main", "10#20#800#600#2#");
    EXPECT_EQ(readAll(ini), "[Theirs]\nkeep=me\n[bob-Windowpos]\nMain=10#20#800#600#2#\n");
    EXPECT_EQ(ReadIniString(ini, "bob-Windowpos", "Main"), "10#20#800#600#2#");
    // no temporary file is left beside it
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFileTest, WritingThroughALinkKeepsTheLink)
{
    TempDir dir;
    writeAll(dir.file("real.ini"), "[a]\nb=c\n");
    std::filesystem::create_symlink(dir.file("real.ini"), dir.file("link.ini"));
    WriteIniString(dir.file("link.ini"), "s", "k", "v");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(readAll(dir.file("real.ini")), "[a]\nb=c\n[s]\nk=v\n");
}

TEST(IniFileTest, AFileThatCannotBeWrittenRaisesAndLosesNothing)
{
    TempDir dir;
    writeAll(dir.file("plain"), "x");
    std::filesystem::create_directory(dir.file("folder.ini"));
    writeAll(dir.file("folder.ini/inside"), "kept");
    const std::string cases[] = {
        dir.file("missing/Viewer.ini"), // the settings folder was never created
        dir.file("plain/Viewer.ini"),   // a file stands where the folder should be
        dir.file("folder.ini"),         // the settings file is a folder: it cannot be read, so not replaced
    };
    for (const std::string &ini : cases) {
        SCOPED_TRACE(ini);
        try {
            WriteIniString(ini, "s", "k", "v");
            ADD_FAILURE() << "no error";
        } catch (const EIniFileException &e) {
            EXPECT_STREQ(e.what(), ("In " + ini + " kann nicht geschrieben werden").c_str());
        }
        EXPECT_EQ(ReadIniString(ini, "s", "k", "none"), "none");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
    EXPECT_EQ(readAll(dir.file("plain")), "x");
    EXPECT_EQ(readAll(dir.file("folder.ini/inside")), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

} // namespace
} // namespace vantor
