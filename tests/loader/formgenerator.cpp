#include "tests/loader/formgenerator.h"

#include <memory>
#include <random>

namespace vantor::test {

namespace {

const char *const kKnownVisual[] = {"TPanel", "TLayout", "TButton", "TLabel", "TEdit", "TRectangle", "TListBox"};
const char *const kUnknown[] = {"TFancyGrid", "TText", "TPath", "TCircle", "TFlowLayout", "TFloatAnimation"};
const char *const kNonVisual[] = {"TTimer", "TPopupMenu", "TImageList", "TOpenDialog", "TSaveDialog"};

struct Node
{
    std::string keyword = "object";
    std::string name; // empty: unnamed
    std::string cls;
    std::string suffix; // " [2]" child position
    std::vector<std::string> props;
    std::vector<std::unique_ptr<Node>> children;
    bool actionManager = false;
    bool nonVisual = false;
};

class Generator
{
public:
    Generator(std::uint32_t seed, const FormShape &shape) : m_rng(seed), m_shape(shape) {}

    GeneratedForm run()
    {
        Node root;
        root.name = "frmMain";
        root.cls = "TfrmMain";
        root.props = {"Left = 0", "Top = 0", "Caption = 'Form'", "ClientHeight = 480", "ClientWidth = 640",
                      "FormFactor.Width = 320", "Visible = True", "DesignerMasterStyle = 0"};
        if (chance(0.3))
            root.props.push_back("FormStyle = fsMDIChild");
        if (chance(0.3))
            root.props.insert(root.props.begin() + 2, "OldCreateOrder = False");
        while (m_made < m_shape.components)
            root.children.push_back(makeNode(1));
        GeneratedForm form;
        print(root, 0, form.master);
        if (m_shape.variant)
            printVariant(root, form.variant);
        return form;
    }

private:
    bool chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_rng) < p; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    template<typename T, std::size_t N>
    const T &pickFrom(const T (&items)[N]) { return items[pick(static_cast<int>(N))]; }

    std::unique_ptr<Node> makeNode(int depth)
    {
        auto node = std::make_unique<Node>();
        ++m_made;
        const int id = m_made;
        if (m_shape.actionManagers && chance(0.02) && depth < 4) {
            node->name = "ActionManager" + std::to_string(id);
            // Unnamed, the header escapes the action-manager rule and the
            // substitution makes it the current class instead.
            if (chance(0.3))
                node->name.clear();
            node->cls = "TActionManager";
            node->actionManager = true;
            node->props = {"StyleName = 'XP Style'", "Left = 8", "Top = 8"};
            const int n = 1 + pick(3);
            for (int i = 0; i < n && m_made < m_shape.components; ++i)
                node->children.push_back(makeNode(depth + 1));
            return node;
        }
        if (chance(0.08)) {
            node->nonVisual = true;
            node->cls = pickFrom(kNonVisual);
            node->name = node->cls.substr(1) + std::to_string(id);
            node->props = {"Left = " + std::to_string(pick(400)), "Top = " + std::to_string(pick(300))};
            return node;
        }
        node->cls = chance(m_shape.unknownShare) ? pickFrom(kUnknown) : pickFrom(kKnownVisual);
        node->name = node->cls.substr(1) + std::to_string(id);
        if (chance(0.05))
            node->name.clear();
        if (chance(0.03))
            node->suffix = " [" + std::to_string(pick(5)) + "]";
        if (m_shape.inheritedAndInline && chance(0.04))
            node->keyword = chance(0.5) ? "inherited" : "inline";
        node->props.push_back("Position.X = " + std::to_string(pick(500)) + ".000000000000000000");
        node->props.push_back("Position.Y = " + std::to_string(pick(500)) + ".000000000000000000");
        if (chance(0.5))
            node->props.push_back("Size.Width = 120.000000000000000000");
        if (chance(0.3))
            node->props.push_back("Width = " + std::to_string(10 + pick(200)));
        if (chance(0.3))
            node->props.push_back("Height = " + std::to_string(10 + pick(200)));
        if (chance(0.2))
            node->props.push_back("Align = Client");
        if (chance(0.1))
            node->props.push_back("Visible = False");
        if (chance(0.1))
            node->props.push_back("Enabled = False");
        if (chance(0.05))
            node->props.push_back("ParentDoubleBuffered = False");
        if (chance(0.03))
            node->props.push_back("ShowCaption = False");
        if (chance(0.1))
            node->props.push_back("Text = 'an object or inherited Button1: TButton here'");
        if (chance(0.1))
            node->props.push_back("Hint = 'Label1: Label'");
        if (chance(0.08)) {
            node->props.push_back("Lines.Strings = (");
            node->props.push_back("  '  object Fake: TFake'");
            node->props.push_back("  'second line')");
        }
        if (chance(0.04)) {
            node->props.push_back("Data = {");
            node->props.push_back("  0A0B0C0D0E0F}");
        }
        if (depth < 7 && chance(0.35)) {
            const int n = 1 + pick(4);
            for (int i = 0; i < n && m_made < m_shape.components; ++i)
                node->children.push_back(makeNode(depth + 1));
        }
        return node;
    }

    std::string headerText(const Node &node) const
    {
        if (node.name.empty())
            return node.keyword + " " + node.cls + node.suffix;
        return node.keyword + " " + node.name + ": " + node.cls + node.suffix;
    }

    void print(const Node &node, int depth, std::vector<std::string> &out)
    {
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        std::string header = indent + headerText(node);
        if (m_shape.malformed && depth > 0 && chance(0.02))
            header = indent + "object " + node.name + ":" + (chance(0.5) ? "" : " [1]");
        if (m_shape.malformed && depth > 0 && chance(0.01))
            header = std::string(static_cast<std::size_t>(depth), '\t') + headerText(node);
        out.push_back(header);
        for (const std::string &prop : node.props)
            out.push_back(indent + "  " + prop);
        for (const auto &child : node.children)
            print(*child, depth + 1, out);
        if (m_shape.malformed && depth > 0 && chance(0.02))
            return; // the end line is missing
        out.push_back(indent + "end");
    }

    // The variant overrides some named plain components; their ancestors are
    // written as inherited blocks too, as the framework writes variants.
    bool printVariantNode(const Node &node, int depth, std::vector<std::string> &out)
    {
        std::vector<std::string> inner;
        for (const auto &child : node.children)
            printVariantNode(*child, depth + 1, inner);
        const bool plain = node.keyword == "object" && !node.name.empty() && !node.actionManager;
        const bool chosen = plain && chance(0.15);
        if (!plain || (!chosen && inner.empty()))
            return false;
        const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        out.push_back(indent + "inherited " + node.name + ": " + node.cls + node.suffix);
        if (chosen) {
            out.push_back(indent + "  Position.X = " + std::to_string(pick(900)) + ".000000000000000000");
            if (chance(0.5))
                out.push_back(indent + "  TabOrder = " + std::to_string(pick(9)));
            if (chance(0.3)) {
                out.push_back(indent + "  Lines.Strings = (");
                out.push_back(indent + "    'variant one'");
                out.push_back(indent + "    'variant two')");
            }
            if (chance(0.15)) {
                ++m_made;
                out.push_back(indent + "  object VarChild" + std::to_string(m_made) + ": TButton");
                out.push_back(indent + "    Text = 'added'");
                out.push_back(indent + "  end");
            }
            if (chance(0.1)) {
                out.push_back(indent + "  object TListBoxItem");
                out.push_back(indent + "    Text = 'unnamed'");
                out.push_back(indent + "  end");
            }
        }
        out.insert(out.end(), inner.begin(), inner.end());
        if (!(m_shape.malformed && chance(0.03)))
            out.push_back(indent + "end");
        return true;
    }

    void printVariant(const Node &root, std::vector<std::string> &out)
    {
        out.push_back("inherited frmMain: TfrmMain");
        out.push_back("  ClientHeight = 900");
        for (const auto &child : root.children)
            printVariantNode(*child, 1, out);
        out.push_back("end");
    }

    std::mt19937 m_rng;
    FormShape m_shape;
    int m_made = 0;
};

} // namespace

GeneratedForm generateForm(std::uint32_t seed, const FormShape &shape)
{
    return Generator(seed, shape).run();
}

} // namespace vantor::test
