// The component tree of a form text and the property lines of a block: the
// model the structure pane and `vantor-tool tree` show.

#include "loader/formtree.h"
#include "streams/stringlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor;

namespace {

TStringList textOf(const std::vector<std::string> &lines)
{
    TStringList text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text.add(lines[i], int(i));
    return text;
}

std::vector<std::string> treeLines(const FormTree &tree)
{
    std::vector<std::string> lines;
    for (const FormTreeNode &node : tree.nodes)
        lines.push_back(FormTreeLine(node));
    return lines;
}

int nodeNamed(const FormTree &tree, const std::string &name)
{
    for (std::size_t n = 0; n < tree.nodes.size(); ++n)
        if (tree.nodes[n].name == name)
            return int(n);
    return -1;
}

TEST(FormTree, NestsComponentsAndMarksWhatTheLoadDidWithThem)
{
    const TStringList text = textOf({
        "object frmDynaForm: TfrmDynaForm",                 // 0: the loader's renamed root
        "  Caption = 'x'",                                  // 1
        "  object Grid1: TFancyGrid",                       // 2: a placeholder
        "    Size.Width = 100.0",                           // 3
        "    Columns = <",                                  // 4
        "      item",                                       // 5
        "      end",                                        // 6: an item's end, not the block's
        "      item",                                       // 7
        "      end>",                                       // 8
        "    object Cell: TLabel",                          // 9: not built
        "    end",                                          // 10
        "  end",                                            // 11
        "",                                                 // 12
        "  inherited Header1: TPanel",                      // 13
        "    object Inner: TButton",                        // 14: not built
        "    end",                                          // 15
        "  end",                                            // 16
        "  object TButton [2]",                             // 17: unnamed, with a child position
        "    Position.X = 1.0",                             // 18
        "  end",                                            // 19
        "  object Bindings1: TBindingsList",                // 20: unknown, designer place only
        "    Left = 8",                                     // 21
        "    Top = 8",                                      // 22
        "    object Link1: TLinkControlToField",            // 23: inside a non-visual
        "      Position.X = 3",                             // 24
        "    end",                                          // 25
        "  end",                                            // 26
        "  object Other1: TOther",                          // 27: tagged for another class: no placeholder
        "    Size.Width = 10",                              // 28
        "  end",                                            // 29
        "  object Timer1: TTimer",                          // 30: known non-visual by class
        "    Position.X = 1",                               // 31
        "  end",                                            // 32
        "end",                                              // 33
    });
    TStringList placeholders;
    placeholders.add("TFancyGrid", 2);
    placeholders.add("TSomethingElse", 27);
    FormTreeSources sources;
    sources.placeholders = &placeholders;
    sources.rootHeader = "object Form1: TForm1";
    sources.nonVisualClass = [](std::string_view cls) -> std::optional<bool> {
        if (cls == "TTimer")
            return true;
        if (cls == "TButton" || cls == "TLabel" || cls == "TPanel")
            return false;
        return std::nullopt;
    };
    const FormTree tree = BuildFormTree(text, sources);
    EXPECT_EQ(treeLines(tree), (std::vector<std::string>{
                                   "Form1: TForm1",
                                   "  Grid1: TFancyGrid  [Platzhalter]",
                                   "    Cell: TLabel",
                                   "  Header1: TPanel  [geerbt]",
                                   "    Inner: TButton",
                                   "  TButton",
                                   "  Bindings1: TBindingsList  [nicht visuell]",
                                   "    Link1: TLinkControlToField  [nicht visuell]",
                                   "  Other1: TOther",
                                   "  Timer1: TTimer  [nicht visuell]",
                               }));
    const auto &nodes = tree.nodes;
    EXPECT_EQ(nodes[1].line, 2);
    EXPECT_EQ(nodes[1].endLine, 11);
    EXPECT_EQ(nodes[0].endLine, 33);
    struct Built
    {
        const char *name;
        bool built;
    };
    for (const Built b : {Built{"Grid1", true}, Built{"Cell", false}, Built{"Header1", true}, Built{"Inner", false},
                          Built{"Bindings1", true}, Built{"Link1", true}}) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(nodes[std::size_t(nodeNamed(tree, b.name))].built, b.built);
    }
    EXPECT_EQ(nodes[std::size_t(nodeNamed(tree, "Inner"))].parent, nodeNamed(tree, "Header1"));
}

TEST(FormTree, TakesBrokenTextsWithoutFailing)
{
    // No root header: no tree.
    EXPECT_TRUE(BuildFormTree(textOf({"  Caption = 'x'"})).nodes.empty());
    EXPECT_TRUE(BuildFormTree(TStringList()).nodes.empty());

    // A block without its end ends where a line no deeper than its header
    // begins; the text's end closes the rest.
    const TStringList text = textOf({
        "object Form1: TForm1",
        "  object Panel1: TPanel",
        "    object Button1: TButton",
        "  object Panel2: TPanel",
        "    Tag = 1",
    });
    const FormTree tree = BuildFormTree(text);
    EXPECT_EQ(treeLines(tree), (std::vector<std::string>{"Form1: TForm1", "  Panel1: TPanel", "    Button1: TButton",
                                                         "  Panel2: TPanel  [nicht visuell]"}));
    EXPECT_EQ(tree.nodes[2].endLine, 2);
    EXPECT_EQ(tree.nodes[3].endLine, 4);
    const std::vector<FormProperty> props = NodeProperties(text, tree, 3);
    ASSERT_EQ(props.size(), 1u);
    EXPECT_EQ(props[0].name, "Tag");
    EXPECT_TRUE(NodeProperties(text, tree, 9).empty());
}

TEST(FormTree, ListsOwnPropertyLinesWithShortenedValues)
{
    const TStringList text = textOf({
        "object Form1: TForm1",
        "  Left = 0",
        "  object Memo1: TMemo",
        "    Lines.Strings = (",
        "      'one'",
        "      'two, which goes on ' +",
        "        'over a line'",
        "      #13#10",
        "      Third)",
        "    object Inner: TLabel",
        "      Text = 'not Memo1''s'",
        "    end",
        "    Text = ",
        "      'It''s a text of more than forty characters, with a '#13#10 +",
        "      'break.'",
        "    Data = {",
        "      0A0B0C0D",
        "      0E0F}",
        "    Columns = <",
        "      item",
        "        Sub = <",
        "          item",
        "          end",
        "          item",
        "          end>",
        "      end",
        "      item",
        "        Empty = <>",
        "      end>",
        "    Empty = <>",
        "    Caption = 'short'",
        "    Hint = 'OnClick = SomeHandler'",
        "    OnClick = Memo1Click",
        "    StyleLookup = '0123456789012345678901234567890123456789012345678901234567890123456789'",
        "    Anchors = [akLeft, akTop, akRight, akBottom, akLeft, akTop, akRight, akBottom, akLeft]",
        "  end",
        "end",
    });
    const FormTree tree = BuildFormTree(text);
    const std::vector<FormProperty> props = NodeProperties(text, tree, 1);
    struct Case
    {
        const char *name;
        FormProperty::Kind kind;
        const char *shown;
        bool event;
        int lineCount;
    };
    using K = FormProperty::Kind;
    const Case cases[] = {
        {"Lines.Strings", K::List, "(…) 4 Einträge", false, 6},
        {"Text", K::String, "'It's a text of more than forty character…' (58 Zeichen)", false, 3},
        {"Data", K::Binary, "{…} 6 Bytes", false, 3},
        {"Columns", K::Collection, "<…> 2 Elemente", false, 11},
        {"Empty", K::Collection, "<>", false, 1},
        {"Caption", K::String, "'short'", false, 1},
        {"Hint", K::String, "'OnClick = SomeHandler'", false, 1},
        {"OnClick", K::Plain, "Memo1Click", true, 1},
        {"StyleLookup", K::String, "'0123456789012345678901234567890123456789…' (70 Zeichen)", false, 1},
        {"Anchors", K::Plain, "[akLeft, akTop, akRight, akBottom, akLeft, akTop, akRight, a… (76 Zeichen)", false, 1},
    };
    ASSERT_EQ(props.size(), std::size(cases));
    for (std::size_t i = 0; i < props.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(props[i].name, cases[i].name);
        EXPECT_EQ(props[i].kind, cases[i].kind);
        EXPECT_EQ(props[i].shown, cases[i].shown);
        EXPECT_EQ(props[i].event, cases[i].event);
        EXPECT_EQ(props[i].lineCount, cases[i].lineCount);
    }
    // The whole value keeps every line.
    EXPECT_EQ(props[2].value, "{\n0A0B0C0D\n0E0F}");
    EXPECT_EQ(props[0].line, 3);

    // The root's own lines stop at its first child.
    const std::vector<FormProperty> root = NodeProperties(text, tree, 0);
    ASSERT_EQ(root.size(), 1u);
    EXPECT_EQ(root[0].name, "Left");
}

TEST(FormTree, GroupsNumbersTheGermanWay)
{
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(groupedNumber(999), "999");
    EXPECT_EQ(groupedNumber(1000), "1.000");
    EXPECT_EQ(groupedNumber(631901), "631.901");
    EXPECT_EQ(groupedNumber(-1236891), "-1.236.891");
}

} // namespace
