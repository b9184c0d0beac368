// The component model: ownership, names, Tag, parents and children, and
// references that must not dangle.
#include "testclasses.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

TEST(Components, OwnerListsAndDestroysItsComponents)
{
    auto *owner = new TComponent(nullptr);
    auto *a = new TLabel(owner);
    auto *b = new TTestTimer(owner);
    a->SetName(QStringLiteral("Label1"));
    b->SetName(QStringLiteral("Timer1"));
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(1), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("label1")), a);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("Nope")), nullptr);
    delete a;
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(b->ComponentIndex(), 0);
    delete owner; // takes b with it (a leak checker would see otherwise)
}

TEST(Components, NamesMustBeIdentifiersAndUniqueInTheOwner)
{
    TComponent owner(nullptr);
    auto *a = new TLabel(&owner);
    auto *b = new TLabel(&owner);
    a->SetName(QStringLiteral("lblErrorUsuarioContraseña")); // letters beyond ASCII are fine
    struct Case
    {
        const char *name;
        const char *message;
    };
    const Case cases[] = {
        {"1Label", "'1Label' ist kein gültiger Komponentenname"},
        {"Label 1", "'Label 1' ist kein gültiger Komponentenname"},
        {"LBLERRORUSUARIOCONTRASEÑA", "Eine Komponente mit der Bezeichnung LBLERRORUSUARIOCONTRASEÑA existiert bereits"},
    };
    for (const Case &c : cases) {
        try {
            b->SetName(QString::fromUtf8(c.name));
            ADD_FAILURE() << c.name;
        } catch (const EComponentError &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_TRUE(b->Name().isEmpty());
    }
    // A letter beyond ASCII that folds to an ASCII one: the Kelvin sign is a k.
    auto *key = new TLabel(&owner);
    key->SetName(QStringLiteral("Key"));
    EXPECT_THROW(b->SetName(QString::fromUtf8("\u212Aey")), EComponentError);
    EXPECT_EQ(owner.FindComponent(QString::fromUtf8("\u212AEY")), key);
    b->SetName(QString()); // unnamed is allowed, for any number of components
    EXPECT_NO_THROW(new TLabel(&owner));
}

TEST(Components, NameLookUpFollowsRenamesMovesAndDeletes)
{
    TComponent owner(nullptr);
    TComponent other(nullptr);
    auto *a = new TLabel(&owner);
    a->SetName(QStringLiteral("First"));
    a->SetName(QStringLiteral("Second")); // the old name is free again
    EXPECT_EQ(owner.FindComponent(QStringLiteral("first")), nullptr);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("SECOND")), a);
    auto *b = new TLabel(&owner);
    EXPECT_NO_THROW(b->SetName(QStringLiteral("First")));
    other.InsertComponent(a); // moves with its name
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Second")), nullptr);
    EXPECT_EQ(other.FindComponent(QStringLiteral("Second")), a);
    delete b; // its name goes with it
    EXPECT_EQ(owner.FindComponent(QStringLiteral("First")), nullptr);
    EXPECT_NO_THROW((new TLabel(&owner))->SetName(QStringLiteral("First")));
}

TEST(Components, TagHoldsAnAddress)
{
    TComponent owner(nullptr);
    TLabel label(&owner);
    label.SetTag(reinterpret_cast<std::intptr_t>(&owner));
    EXPECT_EQ(reinterpret_cast<TComponent *>(label.Tag()), &owner);
    SetPropValue(&label, QStringLiteral("Tag"), std::int64_t(-7));
    EXPECT_EQ(label.Tag(), -7);
    label.SetTagString(QStringLiteral("x"));
    EXPECT_EQ(label.TagString(), QStringLiteral("x"));
}

TEST(Components, ParentsKeepChildOrderAndDestroyTheirChildren)
{
    TComponent owner(nullptr);
    auto *panel = new TPanel(&owner);
    auto *a = new TLabel(&owner);
    auto *b = new TButton(&owner);
    a->SetParent(panel);
    b->SetParent(panel);
    EXPECT_EQ(panel->ChildrenCount(), 2);
    EXPECT_EQ(panel->Children(0), a);
    panel->SetChildIndex(b, 0);
    EXPECT_EQ(panel->Children(0), b);
    EXPECT_THROW(panel->SetParent(a), EComponentError); // no loops
    a->SetParent(nullptr);
    EXPECT_EQ(panel->ChildrenCount(), 1);
    a->SetParent(panel);
    delete panel; // the parent frees its children, who leave their owner
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Components, ReferencesAreClearedWhenTheTargetGoes)
{
    TForm form(nullptr);
    auto *menu = new TTestTimer(&form); // stands for a pop-up menu
    auto *list = new TTestList(&form);
    auto *other = new TLabel(&form);
    list->SetPopupMenu(menu);
    list->SetBuddy(other);
    SetPropValue(other, QStringLiteral("FocusControl"), static_cast<TObject *>(list)); // a stored reference
    delete menu;
    EXPECT_EQ(list->PopupMenu(), nullptr);
    delete list;
    EXPECT_EQ(std::get<TObject *>(GetPropValue(other, QStringLiteral("FocusControl"))), nullptr);
}
