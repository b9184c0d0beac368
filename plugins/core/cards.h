#pragma once

// Cards: the pictures plug-in libraries draw for non-visual components (a
// data set, a binding, a sensor), and for any component they could not read.
// A card names the component and its class and says in a line or two what it
// does: the table a data set reads, the field a link binds.

#include "blocktext.h"

#include <QImage>
#include <QStringList>

#include <string>
#include <vector>

namespace vantor::plugin {

// One class a library shows as a card.
struct CardClass
{
    QString name;
    // The properties the class publishes (the first part of a dotted path:
    // "FormatOptions" covers "FormatOptions.AssignedValues"). A block that
    // sets any other is not read.
    QStringList published;
    // The properties whose values the card shows, in order, as "Name: value"
    // (an empty value leaves the line out); or a function that says it.
    QStringList shown;
    QStringList (*describe)(const BlockNode &node) = nullptr;
};

class CardTable
{
public:
    // `published` and `shown` are lists of names separated by blanks.
    CardClass &add(const char *name, std::initializer_list<const char *> published, const char *shown = "",
                   QStringList (*describe)(const BlockNode &) = nullptr);
    const CardClass *find(const QString &name) const;
    const std::vector<CardClass> &classes() const { return m_classes; }

private:
    std::vector<CardClass> m_classes;
};

// Raises vantor::Exception ("Name.Prop: Eigenschaft Prop existiert nicht")
// when the node, or a nested component of a class in the table, sets a
// property its class does not publish.
void checkPublished(const CardTable &table, const BlockNode &node);

// The lines a card shows for the node: class, name, then what it does.
QStringList cardLines(const CardTable &table, const BlockNode &node);

// The detail lines of one component, without class and name (also used for
// the components nested in a card's component).
QStringList describeNode(const CardTable &table, const BlockNode &node);

// Draws a card: the first line bold, a pale yellow ground; an error card
// (the reason it could not be read) in pale red.
QImage drawCard(const QStringList &lines, bool error = false);

// "Edit1 ← BindSourceDB1.Name": a link's control and the field it shows.
QString arrow();

} // namespace vantor::plugin
