#include "testclasses.h"

namespace vantor::test {

VANTOR_IMPLEMENT_CLASS(TTestItem)
VANTOR_IMPLEMENT_CLASS(TTestList)
VANTOR_IMPLEMENT_CLASS(TTestTimer)
VANTOR_IMPLEMENT_CLASS(TTestRoot)

void TTestItem::DeclareProperties(ClassBuilder<TTestItem> &b)
{
    b.string("Caption", [](TTestItem &i) { return i.caption; }, [](TTestItem &i, const QString &s) { i.caption = s; });
    b.integer("Value", [](TTestItem &i) { return i.value; }, [](TTestItem &i, std::int64_t v) { i.value = v; });
    b.collection("Nested", [](TTestItem &i) { return i.nested.get(); });
}

void TTestList::DeclareProperties(ClassBuilder<TTestList> &b)
{
    b.strings("Items", &TTestList::Items);
    b.collection("Columns", &TTestList::Columns);
    b.component("Buddy", &TTestList::Buddy, &TTestList::SetBuddy);
}

void TTestTimer::DeclareProperties(ClassBuilder<TTestTimer> &b)
{
    b.integer("Interval", [](TTestTimer &t) { return t.interval; }, [](TTestTimer &t, std::int64_t v) { t.interval = v; });
}

void TTestRoot::DeclareProperties(ClassBuilder<TTestRoot> &b)
{
    b.field("bnPas", &TTestRoot::bnPas);
    b.field("lblMissing", &TTestRoot::lblMissing);
    b.method<&TTestRoot::bnPasClick>("bnPasClick");
}

void registerTestClasses()
{
    RegisterClasses<TForm, TFrame, TLayout, TPanel, TLabel, TButton, TRectangle, TTestList, TTestTimer>();
}

} // namespace vantor::test
