#include "streams/errors.h"
#include "streams/memorystream.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(MemoryStream, WritesReadsAndRefusesToReadPastTheEnd)
{
    TMemoryStream s;
    s.write("TPF0", 4);
    s.setPosition(6); // writing past the end fills the gap with zeros
    s.write("x", 1);
    EXPECT_EQ(s.size(), 7u);
    s.setPosition(0);
    char buf[8] = {};
    EXPECT_EQ(s.read(buf, 8), 7u);
    EXPECT_EQ(std::string(buf, 4), "TPF0");
    EXPECT_EQ(buf[4], 0);
    s.setPosition(5);
    EXPECT_THROW(s.readBuffer(buf, 3), EReadError);
    EXPECT_EQ(s.position(), 5u) << "a refused read leaves the position alone";
}

TEST(MemoryStream, UnreadablePathRaisesFileErrorNamingIt)
{
    for (const std::string &path : {std::string("/nonexistent/dir/form.fmx"), std::string(VANTOR_TEST_DATA)}) {
        TMemoryStream s;
        try {
            s.loadFromFile(path);
            FAIL() << "no error for " << path;
        } catch (const EFOpenError &e) {
            EXPECT_NE(e.message().find(path), std::string::npos);
        }
    }
}

TEST(Messages, FormatFillsReasonAndLine)
{
    EXPECT_EQ(formatMessage(msg::ParseErrorFormat, "Ungültiger Eigenschaftswert", 12),
              "Ungültiger Eigenschaftswert in Zeile 12");
}
