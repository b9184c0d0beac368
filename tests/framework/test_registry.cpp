// The class registry: creatable by name, look-up without regard to case,
// class names kept exactly, errors with their messages.
#include "testclasses.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

TEST(Registry, FindsRegisteredClassesWithoutRegardToCaseAndKeepsTheirSpelling)
{
    registerTestClasses();
    for (const char *spelling : {"TButton", "tbutton", "TBUTTON"}) {
        const ClassInfo *cls = GetClass(QString::fromLatin1(spelling));
        ASSERT_NE(cls, nullptr) << spelling;
        EXPECT_EQ(cls, &TButton::StaticClass());
    }
    TComponent owner(nullptr);
    TComponent *made = FindClass(QStringLiteral("tlabel")).create(&owner);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->ClassName(), QStringLiteral("TLabel")); // exact, whatever the look-up said
    EXPECT_TRUE(made->ClassNameIs(QStringLiteral("TLABEL")));
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

TEST(Registry, UnknownClassRaisesClassNotFound)
{
    EXPECT_EQ(GetClass(QStringLiteral("TNoSuchThing")), nullptr);
    try {
        FindClass(QStringLiteral("TNoSuchThing"));
        FAIL() << "no exception";
    } catch (const EClassNotFound &e) {
        EXPECT_STREQ(e.what(), "Klasse TNoSuchThing nicht gefunden");
    }
}

TEST(Registry, RegisteringTwiceIsHarmlessButANameClashIsRefused)
{
    registerTestClasses();
    EXPECT_NO_THROW(RegisterClass<TButton>());
    // A different class under a name that differs only in case.
    static const ClassInfo clash("TBUTTON", &TComponent::StaticClass());
    try {
        RegisterClass(clash);
        FAIL() << "no exception";
    } catch (const EFilerError &e) {
        EXPECT_STREQ(e.what(), "Eine Klasse mit der Bezeichnung TBUTTON existiert bereits");
    }
    EXPECT_EQ(GetClass(QStringLiteral("TButton")), &TButton::StaticClass());
}

TEST(Registry, ClassChainAndCreatability)
{
    EXPECT_TRUE(TButton::StaticClass().inheritsFrom(TControl::StaticClass()));
    EXPECT_TRUE(TButton::StaticClass().inheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TControl::StaticClass().inheritsFrom(TButton::StaticClass()));
    EXPECT_STREQ(TButton::StaticClass().parent()->name(), "TTextControl");
    EXPECT_TRUE(TButton::StaticClass().creatable());
    // Nested persistent objects are not components: the reader cannot create them by name.
    EXPECT_FALSE(TPosition::StaticClass().creatable());
}
