#pragma once

// The structure pane of the main window: the component tree of the shown
// form as its file has it, and the property lines of the chosen component.
// It shows what loader/formtree builds; which component of the shown form a
// node stands for is the window's business (structure.cpp).

#include "framework/control.h"
#include "loader/formtree.h"
#include "streams/stringlist.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace vantor::shell {

// The German texts of the pane.
inline constexpr const char *kStructureTitle = "Struktur";
inline constexpr const char *kPropertiesTitle = "Eigenschaften";
inline constexpr const char *kValueTitle = "Wert";

// A tool tip shows at most this much of a value.
inline constexpr int kToolTipChars = 4000;

class TStructurePane : public TControl
{
    VANTOR_CLASS(TStructurePane, TControl)
public:
    explicit TStructurePane(TComponent *owner);
    ~TStructurePane() override;
    static void DeclareProperties(ClassBuilder<TStructurePane> &b);

    // Shows the tree of a form text (the text is kept for the property
    // lines). No node is chosen afterwards. When form, the built form the
    // tree belongs to, is freed, the pane empties itself (and reports the
    // choice of no node).
    void ShowTree(FormTree tree, const TStringList &text, TComponent *form);
    // The built form the shown tree belongs to; nullptr when there is none.
    TComponent *ShownForm() const { return m_form; }
    // Empties both lists.
    void ClearTree();
    bool HasTree() const { return !m_tree.nodes.empty(); }
    const FormTree &Tree() const { return m_tree; }

    // Makes a node the chosen one (-1: none), as a click on it does; the
    // property list follows and OnNodeChosen runs.
    void ChooseNode(int node);
    int ChosenNode() const { return m_chosen; }
    const std::vector<FormProperty> &Properties() const { return m_properties; }

    // A node was chosen (by the user or ChooseNode); -1 when none is.
    std::function<void(int node)> OnNodeChosen;
    // An event line of the property list was double-clicked.
    std::function<void(const FormProperty &line)> OnEventLineActivated;

    // The two lists, for the window's tests.
    QTreeWidget *treeList();
    QTreeWidget *propertyList();
    // The list item of a node, or nullptr.
    QTreeWidgetItem *itemOfNode(int node);

    void Notification(TComponent *component, TOperation operation) override;

protected:
    QWidget *createPeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    void fillProperties();
    void currentItemChanged(QTreeWidgetItem *item);
    void propertyActivated(QTreeWidgetItem *item);

    FormTree m_tree;
    TStringList m_text;
    std::vector<FormProperty> m_properties;
    std::vector<QTreeWidgetItem *> m_items;
    TComponent *m_form = nullptr; // only compared, never followed
    int m_chosen = -1;
    bool m_choosing = false;
    QPointer<QTreeWidget> m_treeList;
    QPointer<QTreeWidget> m_propertyList;
};

// The outline drawn around the component chosen in the structure pane: a
// widget over the shown form that takes no input, apart from the resize
// frame and its grips.
class SelectionOutline : public QWidget
{
public:
    explicit SelectionOutline(QWidget *parent);
    // Draws the outline around target (a widget inside the outline's
    // parent) and follows it; nullptr hides it.
    void setTarget(QWidget *target);
    QWidget *target() const { return m_target; }
    // The outline's colour and width, for the tests.
    static QColor colour();
    static constexpr int kWidth = 2;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();

    QPointer<QWidget> m_target;
    QRect m_frame;
};

} // namespace vantor::shell
