#include "sourceview/memo.h"
#include "sourceview/pascalstyler.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <filesystem>
#include <fstream>

#include <stdlib.h>

namespace vantor {
namespace {

class MemoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantor-memo-XXXXXX").string();
        m_dir = ::mkdtemp(pattern.data());
        memo.SetSyntaxStyles(&styler);
        memo.resize(400, 200);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string writeFile(const std::string &name, const std::string &bytes)
    {
        const std::string file = m_dir + "/" + name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    void load(std::initializer_list<std::string_view> lines) { memo.LoadFromLines(TStringList(lines)); }

    // The style of the first byte of needle on line, after lexing the whole text.
    int styleOf(int line, const char *needle)
    {
        memo.recolor();
        const std::string text = memo.LineText(line);
        const auto col = text.find(needle);
        EXPECT_NE(col, std::string::npos) << needle;
        const long pos = memo.positionFromLineIndex(line, int(col));
        return int(memo.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
    }

    bool marked(int line) const { return memo.markersAtLine(line) != 0; }

    TTMSFMXMemoPascalStyler styler;
    TTMSFMXMemo memo;
    std::string m_dir;
};

TEST_F(MemoTest, StylesTheLinesItShows)
{
    load({"unit U; { a comment", "  still comment } // line", "implementation",
          "procedure TForm1.Go; begin x := 'txt' + $FF + 12; (* c *) end;"});
    struct Case
    {
        int line;
        const char *needle;
        int style;
    };
    const Case cases[] = {
        {0, "unit", pascal::Keyword},
        {0, "U;", pascal::Default},
        {0, ";", pascal::Symbol},
        {0, "{ a", pascal::Comment},
        {1, "still", pascal::Comment}, // the brace comment runs on
        {1, "// line", pascal::Comment},
        {2, "implementation", pascal::Keyword},
        {3, "TForm1", pascal::Default},
        {3, "'txt'", pascal::SingleQuote},
        {3, "$FF", pascal::Number},
        {3, "12", pascal::Number},
        {3, "(* c", pascal::MultiLineComment},
        {3, "+", pascal::Symbol},
        {3, "end;", pascal::Keyword},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.needle);
        EXPECT_EQ(styleOf(c.line, c.needle), c.style);
    }
}

TEST_F(MemoTest, CommentStateSurvivesStylingInPieces)
{
    // The viewer styles what comes into view, from where styling stopped.
    load({"x (* open", "inside", "*) begin", "{ b", "still", "} end"});
    auto styleAt = [&](int line) {
        return int(memo.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT,
                                      static_cast<unsigned long>(memo.positionFromLineIndex(line, 0))));
    };
    for (int line = 0; line < 5; ++line)
        memo.recolor(memo.positionFromLineIndex(line, 0), memo.positionFromLineIndex(line + 1, 0));
    memo.recolor(memo.positionFromLineIndex(5, 0), -1);
    EXPECT_EQ(styleAt(1), pascal::MultiLineComment);
    EXPECT_EQ(styleAt(2), pascal::MultiLineComment);
    EXPECT_EQ(int(memo.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT,
                                     static_cast<unsigned long>(memo.positionFromLineIndex(2, 3)))),
              pascal::Keyword);
    EXPECT_EQ(styleAt(4), pascal::Comment);
    EXPECT_EQ(styleAt(5), pascal::Comment);
}

TEST_F(MemoTest, StylerHasTheConfiguredLook)
{
    struct Case
    {
        int style;
        QColor color;
        bool bold, italic;
    };
    const Case cases[] = {
        {pascal::Keyword, QColor(0, 0x80, 0), true, false},
        {pascal::SingleQuote, QColor(0, 0, 0xFF), false, false},
        {pascal::DoubleQuote, QColor(0, 0, 0xFF), false, false},
        {pascal::Symbol, QColor(0xFF, 0, 0), false, false},
        {pascal::Comment, QColor(0, 0, 0x80), false, true},
        {pascal::MultiLineComment, QColor(0, 0, 0x80), false, true},
        {pascal::Number, QColor(0xFF, 0, 0xFF), true, false},
        {pascal::Default, QColor(0, 0, 0), false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(styler.color(c.style), c.color);
        EXPECT_EQ(styler.font(c.style).bold(), c.bold);
        EXPECT_EQ(styler.font(c.style).italic(), c.italic);
        EXPECT_EQ(styler.font(c.style).pointSize(), 8);
    }
    EXPECT_EQ(styler.description(pascal::Keyword), "Pascal Standard Default");
    EXPECT_FALSE(styler.caseSensitive());
    EXPECT_EQ(styler.paper(pascal::Highlight), QColor(0, 0x80, 0));
    EXPECT_EQ(styler.color(pascal::Highlight), QColor(0xFF, 0xFF, 0xFF));
}

TEST_F(MemoTest, OffersTheCompletionWordsAndParameterHints)
{
    auto *apis = styler.apis();
    ASSERT_NE(apis, nullptr);
    QStringList words;
    apis->updateAutoCompletionList({"show"}, words);
    EXPECT_EQ(words, QStringList{"ShowMessage()"});
    QList<int> shifts;
    const QStringList tips = apis->callTips({"MessageDlg", ""}, 0, QsciScintilla::CallTipsContext, shifts);
    ASSERT_EQ(tips.size(), 1);
    EXPECT_TRUE(tips.first().startsWith("MessageDlg(const Msg: string; DlgType: TMsgDlgType;"));
}

TEST_F(MemoTest, IsReadOnly)
{
    load({"begin", "end."});
    memo.show();
    memo.setFocus();
    QTest::keyClicks(&memo, "xyz");
    QTest::keyClick(&memo, Qt::Key_Delete);
    QTest::keyClick(&memo, Qt::Key_Return);
    EXPECT_TRUE(memo.isReadOnly());
    EXPECT_EQ(memo.text(), "begin\nend.");
}

TEST_F(MemoTest, LoadsByEncodingExpandsTabsAndKeepsTrailingBlanks)
{
    struct Case
    {
        const char *name;
        std::string bytes;
    };
    const Case cases[] = {
        {"ansi.pas", "\tx := 'Gr\xFC\xDF" "e';  \r\nend."},
        {"utf8.pas", "\xEF\xBB\xBF\tx := 'Gr\xC3\xBC\xC3\x9F" "e';  \nend."},
        {"utf16be.pas", std::string("\xFE\xFF\0\t\0x\0 \0:\0=\0 \0'\0G\0r\0\xFC\0\xDF\0" "e\0'\0;\0 \0 \0\n\0e\0n\0d\0.", 2 + 2 * 20)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        memo.LoadFromFile(writeFile(c.name, c.bytes));
        ASSERT_EQ(memo.LineCount(), 2);
        EXPECT_EQ(memo.LineText(0), "    x := 'Gr\xC3\xBC\xC3\x9F" "e';  ");
        EXPECT_EQ(memo.text(0), QString::fromUtf8("    x := 'Grüße';  \n"));
        EXPECT_EQ(memo.lines(), 2);
    }
    // A file that cannot be read leaves the content as it was.
    EXPECT_THROW(memo.LoadFromFile(m_dir + "/missing.pas"), EFOpenError);
    EXPECT_EQ(memo.LineCount(), 2);

    memo.Clear();
    EXPECT_EQ(memo.LineCount(), 0);
    EXPECT_EQ(memo.text(), "");
}

TEST_F(MemoTest, ActiveLineFollowsTheCaretUntilTheFirstJump)
{
    TStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.add("line " + std::to_string(i));
    memo.LoadFromLines(lines);
    memo.show();
    EXPECT_EQ(memo.ActiveLine(), 0);
    EXPECT_TRUE(marked(0));

    memo.setFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&memo, Qt::Key_Down);
    QCoreApplication::processEvents(); // the caret's move is reported after the key
    EXPECT_EQ(memo.ActiveLine(), 7);
    EXPECT_TRUE(marked(7));
    EXPECT_FALSE(marked(0));

    memo.JumpToLine(250);
    EXPECT_EQ(memo.ActiveLine(), 250);
    EXPECT_EQ(memo.CaretLine(), 250);
    EXPECT_TRUE(marked(250));
    EXPECT_FALSE(marked(7));
    // The line stands in the upper part of the view, with room for the
    // procedure's body below it.
    const long onScreen = memo.SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
    ASSERT_GT(onScreen, 4);
    EXPECT_LE(memo.firstVisibleLine(), 250);
    EXPECT_LT(250, memo.firstVisibleLine() + onScreen * 3 / 4);
    EXPECT_FALSE(memo.hasSelectedText());

    // From now on the caret moves alone.
    QTest::keyClick(&memo, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(memo.CaretLine(), 251);
    EXPECT_EQ(memo.ActiveLine(), 250);
    EXPECT_TRUE(marked(250));
}

TEST_F(MemoTest, JumpBeyondTheTextClampsTheCaretButKeepsTheRequestedLine)
{
    load({"a", "b", "c"});
    memo.setSelection(0, 0, 1, 1);
    memo.JumpToLine(40);
    EXPECT_EQ(memo.ActiveLine(), 40);
    EXPECT_EQ(memo.CaretLine(), 2);
    EXPECT_FALSE(memo.hasSelectedText());
    for (int line = 0; line < 3; ++line)
        EXPECT_FALSE(marked(line));

    memo.JumpToLine(-5);
    EXPECT_EQ(memo.CaretLine(), 0);

    memo.Clear(); // an empty viewer: the caret stays on the first line
    memo.JumpToLine(12);
    EXPECT_EQ(memo.ActiveLine(), 12);
    EXPECT_EQ(memo.CaretLine(), 0);
}

TEST(MemoLifetimeTest, StylerAndViewerMayDieInEitherOrder)
{
    auto *viewer = new TTMSFMXMemo;
    {
        TTMSFMXMemoPascalStyler styler;
        viewer->SetSyntaxStyles(&styler);
        viewer->LoadFromLines(TStringList{"begin end;"});
        viewer->recolor();
    }
    EXPECT_EQ(viewer->SyntaxStyles(), nullptr);
    viewer->LoadFromLines(TStringList{"x := 1;"});
    delete viewer;

    TTMSFMXMemoPascalStyler styler;
    viewer = new TTMSFMXMemo;
    viewer->SetSyntaxStyles(&styler);
    delete viewer;
    EXPECT_EQ(styler.editor(), nullptr);
}

} // namespace
} // namespace vantor
