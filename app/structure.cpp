// The structure pane: the "Struktur" button, the tree of the shown form,
// which component of the shown form a node stands for, and the outline
// drawn around it.

#include "app/mainwindow.h"
#include "app/structurepane.h"
#include "framework/controls/containers.h"
#include "framework/controls/standard.h"
#include "loader/dfmview.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "loader/viewtree.h"

#include <functional>

namespace vantor {

namespace {

QString fromUtf8(const std::string &text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The first component, among form's and its frames' (depth first), that
// test accepts.
TComponent *findComponent(TComponent *form, const std::function<bool(TComponent *)> &test)
{
    if (!form)
        return nullptr;
    for (TComponent *component : form->components()) {
        if (test(component))
            return component;
        if (TComponent *inner = findComponent(component, test))
            return inner;
    }
    return nullptr;
}

// The placeholder label a load put in place of the component whose header
// is at line.
TComponent *placeholderAt(TComponent *form, int line, const QString &className)
{
    const QString text = QLatin1Char('@') + className;
    return findComponent(form, [&](TComponent *c) {
        auto *label = object_cast<TLabel>(c);
        return label && label->Tag() == line && label->Text() == text;
    });
}

// The design-time marker square of a non-visual component: its inner label
// carries "Name: Class" as help keyword.
TComponent *markerOf(TComponent *form, const QString &name)
{
    const QString prefix = name + QLatin1Char(':');
    return findComponent(form, [&](TComponent *c) {
        auto *square = object_cast<TFmxObject>(c);
        if (!square || !c->Name().startsWith(QLatin1String("Du_")))
            return false;
        for (TFmxObject *child : square->children()) {
            if (!GetPropInfo(child, QStringLiteral("HelpKeyword")))
                continue;
            const PropValue keyword = GetPropValue(child, QStringLiteral("HelpKeyword"));
            if (const auto *text = std::get_if<QString>(&keyword); text && text->startsWith(prefix))
                return true;
        }
        return false;
    });
}

} // namespace

void TF_FMXWindowDisplay::bnStrukturClick(TObject *)
{
    guarded([this] {
        const bool show = bnStruktur->IsPressed();
        pnStruktur->SetVisible(show);
        if (!show) {
            if (m_outline)
                m_outline->setTarget(nullptr);
            return;
        }
        if (!pnStruktur->HasTree() || pnStruktur->ShownForm() != DFMView().FormDyna)
            structureFill();
        else
            structureNodeChosen(pnStruktur->ChosenNode());
    });
}

void TF_FMXWindowDisplay::StructureFormShown()
{
    if (pnStruktur->Visible())
        guarded([this] { structureFill(); });
}

void TF_FMXWindowDisplay::structureFill()
{
    if (m_outline)
        m_outline->setTarget(nullptr);
    TDFMView &view = DFMView();
    if (!view.FormDyna) {
        pnStruktur->ClearTree();
        return;
    }
    pnStruktur->ShowTree(FormTreeOfView(view), view.slOrgDFM, view.FormDyna);
}

TComponent *TF_FMXWindowDisplay::StructureComponentOfNode(int index)
{
    TComponent *form = DFMView().FormDyna;
    const FormTree &tree = pnStruktur->Tree();
    if (!form || pnStruktur->ShownForm() != form || index <= 0 || std::size_t(index) >= tree.nodes.size())
        return nullptr;
    const FormTreeNode &node = tree.nodes[std::size_t(index)];
    if (!node.built || node.name.empty())
        return nullptr;
    const QString name = fromUtf8(node.name);
    if (node.placeholder)
        return placeholderAt(form, node.line, fromUtf8(node.className));
    if (node.header == FormTreeNode::Header::Inherited)
        return FindFormComponent(form, QStringLiteral("AAA_") + name);
    if (node.nonVisual) {
        if (TComponent *marker = markerOf(form, name))
            return marker;
    }
    return FindFormComponent(form, name);
}

void TF_FMXWindowDisplay::structureNodeChosen(int node)
{
    auto *control = object_cast<TControl>(StructureComponentOfNode(node));
    QWidget *target = control && control->isRealized() ? control->peer() : nullptr;
    if (!m_outline) {
        if (!target)
            return;
        m_outline = new shell::SelectionOutline(panelx->peer());
    }
    m_outline->setTarget(target);
}

void TF_FMXWindowDisplay::structureFollowClick(TComponent *component, const QString &fileName)
{
    if (!pnStruktur->Visible() || !pnStruktur->HasTree() || pnStruktur->ShownForm() != DFMView().FormDyna)
        return;
    const FormTree &tree = pnStruktur->Tree();
    int found = -1;
    // A placeholder knows the line of the component it stands for.
    if (auto *label = object_cast<TLabel>(component); label && label->Text().startsWith(QLatin1Char('@'))) {
        for (std::size_t n = 1; n < tree.nodes.size() && found < 0; ++n)
            if (tree.nodes[n].placeholder && tree.nodes[n].line == label->Tag())
                found = int(n);
    }
    if (found < 0 && !fileName.isEmpty()) {
        const std::string name = fileName.toStdString();
        for (std::size_t n = 1; n < tree.nodes.size() && found < 0; ++n)
            if (tree.nodes[n].built && tree.nodes[n].name == name)
                found = int(n);
    }
    if (found >= 0)
        pnStruktur->ChooseNode(found);
}

} // namespace vantor
