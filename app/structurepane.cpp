#include "app/structurepane.h"

#include <QBrush>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vantor::shell {

VANTOR_IMPLEMENT_CLASS(TStructurePane)

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kPropertyRole = Qt::UserRole + 1;

QString fromUtf8(const std::string &text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString nodeText(const FormTreeNode &node)
{
    QString text = fromUtf8(node.name.empty() ? node.className : node.name + ": " + node.className);
    if (const std::string marks = FormTreeMarks(node); !marks.empty())
        text += QStringLiteral("  [") + fromUtf8(marks) + QLatin1Char(']');
    return text;
}

QString nodeToolTip(const FormTreeNode &node)
{
    QString tip = nodeText(node);
    if (node.placeholder)
        tip += QStringLiteral("\nDie Klasse %1 fehlt; die Form zeigt einen Platzhalter.").arg(fromUtf8(node.className));
    if (!node.built)
        tip += QStringLiteral("\nIn der Form nicht gebaut.");
    tip += QStringLiteral("\nZeile %1").arg(node.line + 1);
    return tip;
}

QString valueToolTip(const FormProperty &p)
{
    QString value = fromUtf8(p.value);
    if (value.size() > kToolTipChars)
        value = value.left(kToolTipChars) + QStringLiteral("\n…");
    QString tip = fromUtf8(p.name) + QStringLiteral(" =\n") + value;
    if (p.event)
        tip += QStringLiteral("\n\nEreignis: Doppelklick zeigt die Prozedur.");
    return tip;
}

} // namespace

TStructurePane::TStructurePane(TComponent *owner) : TControl(owner) {}

TStructurePane::~TStructurePane() = default;

void TStructurePane::DeclareProperties(ClassBuilder<TStructurePane> &) {}

QWidget *TStructurePane::createPeer()
{
    auto *pane = new QWidget(peerParent());
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Vertical, pane);
    layout->addWidget(splitter);

    m_treeList = new QTreeWidget(splitter);
    m_treeList->setColumnCount(1);
    m_treeList->setHeaderLabels({QString::fromUtf8(kStructureTitle)});
    m_treeList->setUniformRowHeights(true);
    m_treeList->setIndentation(12);
    // The column is as wide as the longest line is estimated to be: sizing
    // it to its contents would shape every line's text at each change.
    m_treeList->header()->setStretchLastSection(false);
    m_treeList->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_treeList->setTextElideMode(Qt::ElideNone);
    QObject::connect(m_treeList, &QTreeWidget::currentItemChanged, m_treeList,
                     [this](QTreeWidgetItem *item, QTreeWidgetItem *) { currentItemChanged(item); });

    m_propertyList = new QTreeWidget(splitter);
    m_propertyList->setColumnCount(2);
    m_propertyList->setHeaderLabels({QString::fromUtf8(kPropertiesTitle), QString::fromUtf8(kValueTitle)});
    m_propertyList->setRootIsDecorated(false);
    m_propertyList->setUniformRowHeights(true);
    m_propertyList->setIndentation(0);
    m_propertyList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    QObject::connect(m_propertyList, &QTreeWidget::itemDoubleClicked, m_propertyList,
                     [this](QTreeWidgetItem *item, int) { propertyActivated(item); });

    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    return pane;
}

QTreeWidget *TStructurePane::treeList()
{
    peer();
    return m_treeList;
}

QTreeWidget *TStructurePane::propertyList()
{
    peer();
    return m_propertyList;
}

QTreeWidgetItem *TStructurePane::itemOfNode(int node)
{
    return node >= 0 && std::size_t(node) < m_items.size() ? m_items[std::size_t(node)] : nullptr;
}

void TStructurePane::ShowTree(FormTree tree, const TStringList &text, TComponent *form)
{
    ClearTree();
    m_tree = std::move(tree);
    m_text = text;
    m_form = form;
    if (form)
        FreeNotification(form);
    QTreeWidget *list = treeList();
    list->setUpdatesEnabled(false);
    m_items.assign(m_tree.nodes.size(), nullptr);
    const QBrush missing(QColor(0xDC, 0x14, 0x3C));
    const QBrush notBuilt(QColor(0x80, 0x80, 0x80));
    QList<QTreeWidgetItem *> roots;
    for (std::size_t n = 0; n < m_tree.nodes.size(); ++n) {
        const FormTreeNode &node = m_tree.nodes[n];
        QTreeWidgetItem *parent = node.parent >= 0 ? m_items[std::size_t(node.parent)] : nullptr;
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem();
        if (!parent)
            roots.append(item);
        item->setText(0, nodeText(node));
        item->setToolTip(0, nodeToolTip(node));
        item->setData(0, kNodeRole, int(n));
        if (node.placeholder)
            item->setForeground(0, missing);
        else if (!node.built)
            item->setForeground(0, notBuilt);
        if (node.header != FormTreeNode::Header::Object || node.nonVisual) {
            QFont font = item->font(0);
            font.setItalic(true);
            item->setFont(0, font);
        }
        m_items[n] = item;
    }
    list->addTopLevelItems(roots);
    list->expandAll();
    qsizetype widest = 0;
    for (std::size_t n = 0; n < m_items.size(); ++n)
        widest = std::max(widest, 2 * m_tree.nodes[n].depth + m_items[n]->text(0).size());
    const QFontMetrics metrics(list->font());
    const int indent = list->indentation();
    list->header()->resizeSection(
        0, std::max(list->viewport()->width(), int(widest) * metrics.averageCharWidth() * 6 / 5 + indent + 8));
    list->setUpdatesEnabled(true);
}

void TStructurePane::ClearTree()
{
    if (m_form && !m_form->isDestroying())
        RemoveFreeNotification(m_form);
    m_form = nullptr;
    m_chosen = -1;
    m_items.clear();
    m_properties.clear();
    m_tree = FormTree();
    m_text.clear();
    const bool wasChoosing = m_choosing;
    m_choosing = true; // emptying the list is no choice
    if (QTreeWidget *list = treeList())
        list->clear();
    if (QTreeWidget *list = propertyList())
        list->clear();
    m_choosing = wasChoosing;
}

void TStructurePane::Notification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove && component && component == m_form) {
        m_form = nullptr;
        const bool hadTree = HasTree();
        ClearTree();
        if (hadTree && OnNodeChosen)
            OnNodeChosen(-1);
    }
    TControl::Notification(component, operation);
}

void TStructurePane::ChooseNode(int node)
{
    QTreeWidgetItem *item = itemOfNode(node);
    QTreeWidget *list = treeList();
    if (item == list->currentItem()) {
        // The same node again: the window draws its outline anew (the shown
        // control may have moved) but nothing else changes.
        if (OnNodeChosen)
            OnNodeChosen(m_chosen);
        return;
    }
    if (item) {
        list->setCurrentItem(item);
        list->scrollToItem(item);
    } else {
        list->setCurrentItem(nullptr);
    }
}

void TStructurePane::currentItemChanged(QTreeWidgetItem *item)
{
    if (m_choosing)
        return;
    m_chosen = item ? item->data(0, kNodeRole).toInt() : -1;
    fillProperties();
    if (OnNodeChosen)
        OnNodeChosen(m_chosen);
}

void TStructurePane::fillProperties()
{
    QTreeWidget *list = propertyList();
    list->setUpdatesEnabled(false);
    list->clear();
    m_properties = m_chosen >= 0 ? NodeProperties(m_text, m_tree, m_chosen) : std::vector<FormProperty>();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(qsizetype(m_properties.size()));
    for (std::size_t i = 0; i < m_properties.size(); ++i) {
        const FormProperty &p = m_properties[i];
        auto *row = new QTreeWidgetItem();
        row->setText(0, fromUtf8(p.name));
        row->setText(1, fromUtf8(p.shown));
        row->setToolTip(0, valueToolTip(p));
        row->setToolTip(1, valueToolTip(p));
        row->setData(0, kPropertyRole, int(i));
        if (p.event) {
            QFont font = row->font(0);
            font.setBold(true);
            const QBrush link(QColor(0x1F, 0x4E, 0x9A));
            for (int column : {0, 1}) {
                row->setFont(column, font);
                row->setForeground(column, link);
            }
        }
        rows.append(row);
    }
    list->addTopLevelItems(rows);
    list->setUpdatesEnabled(true);
}

void TStructurePane::propertyActivated(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const int index = item->data(0, kPropertyRole).toInt();
    if (index < 0 || std::size_t(index) >= m_properties.size())
        return;
    const FormProperty &p = m_properties[std::size_t(index)];
    if (p.event && OnEventLineActivated)
        OnEventLineActivated(p);
}

// ---------------------------------------------------------------------------

SelectionOutline::SelectionOutline(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    parent->installEventFilter(this);
    setGeometry(parent->rect());
    hide();
}

QColor SelectionOutline::colour() { return QColor(0xDC, 0x14, 0x3C); }

void SelectionOutline::setTarget(QWidget *target)
{
    for (QWidget *w = m_target; w && w != parentWidget(); w = w->parentWidget())
        w->removeEventFilter(this);
    m_target = target;
    for (QWidget *w = m_target; w && w != parentWidget(); w = w->parentWidget())
        w->installEventFilter(this);
    follow();
}

void SelectionOutline::follow()
{
    QWidget *area = parentWidget();
    setGeometry(area->rect());
    if (!m_target || !area->isAncestorOf(m_target) || !m_target->isVisibleTo(area)) {
        hide();
        return;
    }
    const QRect inner(m_target->mapTo(area, QPoint(0, 0)), m_target->size());
    m_frame = inner.adjusted(-kWidth, -kWidth, kWidth, kWidth);
    raise();
    show();
    update();
}

bool SelectionOutline::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        follow();
        break;
    default:
        break;
    }
    return false;
}

void SelectionOutline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour());
    const QRect f = m_frame;
    // Four bars around the component, kWidth wide, outside its rectangle.
    painter.drawRect(QRect(f.left(), f.top(), f.width(), kWidth));
    painter.drawRect(QRect(f.left(), f.bottom() - kWidth + 1, f.width(), kWidth));
    painter.drawRect(QRect(f.left(), f.top(), kWidth, f.height()));
    painter.drawRect(QRect(f.right() - kWidth + 1, f.top(), kWidth, f.height()));
}

} // namespace vantor::shell
