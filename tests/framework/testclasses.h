#pragma once

// Small classes of the tests' own that exercise what the framework's first
// controls do not: collections, string lists, component references, and a
// root form that publishes fields and methods.

#include "framework/control.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"

namespace vantor::test {

class TTestItem : public TCollectionItem
{
    VANTOR_CLASS(TTestItem, TCollectionItem)
public:
    TTestItem() = default;
    static void DeclareProperties(ClassBuilder<TTestItem> &b);
    QString caption;
    std::int64_t value = 0;
    std::unique_ptr<TCollection> nested = std::make_unique<TCollection>(TTestItem::StaticClass());
};

// A control with a string list, a collection and a reference to another control.
class TTestList : public TControl
{
    VANTOR_CLASS(TTestList, TControl)
public:
    explicit TTestList(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TTestList> &b);

    TStrings *Items() { return &m_items; }
    TCollection *Columns() { return &m_columns; }
    TControl *Buddy() const { return m_buddy; }
    void SetBuddy(TControl *c) { m_buddy = c; }

private:
    TStrings m_items;
    TCollection m_columns{TTestItem::StaticClass()};
    TControl *m_buddy = nullptr;
};

// A non-visual component (no OnClick, no parent).
class TTestTimer : public TComponent
{
    VANTOR_CLASS(TTestTimer, TComponent)
public:
    explicit TTestTimer(TComponent *owner) : TComponent(owner) {}
    static void DeclareProperties(ClassBuilder<TTestTimer> &b);
    std::int64_t interval = 1000;
};

// A root form that publishes a field and a handler, as a stored layout does.
class TTestRoot : public TForm
{
    VANTOR_CLASS(TTestRoot, TForm)
public:
    explicit TTestRoot(TComponent *owner) : TForm(owner) {}
    static void DeclareProperties(ClassBuilder<TTestRoot> &b);

    void bnPasClick(TObject *sender) { clicks.push_back(sender); }
    TButton *bnPas = nullptr;
    TLabel *lblMissing = nullptr;
    std::vector<TObject *> clicks;
};

// Registers the framework's first controls and the test classes once.
void registerTestClasses();

} // namespace vantor::test
