// The layout engine as tables: alignment x margins x padding -> bounds, and
// how anchored and scaled children follow a resized parent. Then the same
// through controls: a parent that resizes re-aligns its children.
#include "testclasses.h"

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

using A = TAlignLayout;

struct AlignCase
{
    const char *what;
    A align;
    QRectF before;
    QMarginsF margins;
    QRectF expected;
};

} // namespace

TEST(LayoutEngine, EachAlignmentAloneInAnArea)
{
    // The area is the parent's 200 x 100 client rectangle less a padding of
    // 10 left, 5 top, 20 right, 15 bottom.
    const QRectF area(10, 5, 170, 80);
    const QRectF child(30, 20, 40, 30);
    const QMarginsF m(1, 2, 3, 4);
    const AlignCase cases[] = {
        {"None", A::None, child, m, child},
        {"Top", A::Top, child, m, QRectF(11, 7, 166, 30)},
        {"MostTop", A::MostTop, child, m, QRectF(11, 7, 166, 30)},
        {"Bottom", A::Bottom, child, m, QRectF(11, 85 - 4 - 30, 166, 30)},
        {"MostBottom", A::MostBottom, child, m, QRectF(11, 51, 166, 30)},
        {"Left", A::Left, child, m, QRectF(11, 7, 40, 74)},
        {"MostLeft", A::MostLeft, child, m, QRectF(11, 7, 40, 74)},
        {"Right", A::Right, child, m, QRectF(180 - 3 - 40, 7, 40, 74)},
        {"MostRight", A::MostRight, child, m, QRectF(137, 7, 40, 74)},
        {"Client", A::Client, child, m, QRectF(11, 7, 166, 74)},
        {"Contents", A::Contents, child, m, QRectF(11, 7, 166, 74)},
        {"Center", A::Center, child, m, QRectF(11 + (166 - 40) / 2.0, 7 + (74 - 30) / 2.0, 40, 30)},
        {"VertCenter", A::VertCenter, child, m, QRectF(11, 7 + 22, 166, 30)},
        {"HorzCenter", A::HorzCenter, child, m, QRectF(11 + 63, 7, 40, 74)},
        {"Horizontal", A::Horizontal, child, m, QRectF(11, 20, 166, 30)},
        {"Vertical", A::Vertical, child, m, QRectF(30, 7, 40, 74)},
        {"Scale", A::Scale, child, m, child},
        // 40 x 30 fits 166 x 74 at scale 74/30.
        {"Fit", A::Fit, child, m, QRectF(11 + (166 - 40 * 74 / 30.0) / 2, 7, 40 * 74 / 30.0, 74)},
        {"FitLeft", A::FitLeft, child, m, QRectF(11, 7, 40 * 74 / 30.0, 74)},
        {"FitRight", A::FitRight, child, m, QRectF(177 - 40 * 74 / 30.0, 7, 40 * 74 / 30.0, 74)},
        // Strips that keep the control's own length along the edge.
        {"TopCenter", A::TopCenter, child, m, QRectF(11 + 63, 7, 40, 30)},
        {"TopLeft", A::TopLeft, child, m, QRectF(11, 7, 40, 30)},
        {"TopRight", A::TopRight, child, m, QRectF(177 - 40, 7, 40, 30)},
        {"BottomRight", A::BottomRight, child, m, QRectF(177 - 40, 51, 40, 30)},
        {"LeftCenter", A::LeftCenter, child, m, QRectF(11, 7 + 22, 40, 30)},
        {"LeftBottom", A::LeftBottom, child, m, QRectF(11, 81 - 30, 40, 30)},
        {"RightTop", A::RightTop, child, m, QRectF(137, 7, 40, 30)},
        {"Client, no margins", A::Client, child, QMarginsF(), area},
        {"Top taller than area", A::Top, QRectF(0, 0, 10, 500), QMarginsF(), QRectF(10, 5, 170, 500)},
        {"margins wider than area", A::Client, child, QMarginsF(100, 0, 100, 0), QRectF(110, 5, 0, 80)},
    };
    for (const AlignCase &c : cases) {
        std::vector<LayoutItem> items{{c.align, c.before, c.margins}};
        alignItems(area, items);
        EXPECT_EQ(items[0].bounds, c.expected) << c.what;
    }
}

TEST(LayoutEngine, SiblingsShareTheAreaInGroupOrder)
{
    // Item order: Client first, Left, Top, MostBottom, Contents, Right.
    std::vector<LayoutItem> items{
        {A::Client, QRectF(0, 0, 5, 5), {}},
        {A::Left, QRectF(0, 0, 20, 5), {}},
        {A::Top, QRectF(0, 0, 5, 10), QMarginsF(0, 0, 0, 2)},
        {A::MostBottom, QRectF(0, 0, 5, 15), {}},
        {A::Contents, QRectF(0, 0, 5, 5), {}},
        {A::Right, QRectF(0, 0, 30, 5), {}},
    };
    alignItems(QRectF(0, 0, 200, 100), items);
    EXPECT_EQ(items[3].bounds, QRectF(0, 85, 200, 15));  // MostBottom first: full width
    EXPECT_EQ(items[2].bounds, QRectF(0, 0, 200, 10));   // then Top, above the rest
    EXPECT_EQ(items[1].bounds, QRectF(0, 12, 20, 73));   // Left between Top (+margin) and MostBottom
    EXPECT_EQ(items[5].bounds, QRectF(170, 12, 30, 73)); // Right likewise
    EXPECT_EQ(items[0].bounds, QRectF(20, 12, 150, 73)); // Client gets what is left

    // A centred strip takes its whole strip off the area, not only its width.
    std::vector<LayoutItem> strip{{A::Client, QRectF(0, 0, 5, 5), {}}, {A::TopCenter, QRectF(0, 0, 50, 10), {}}};
    alignItems(QRectF(0, 0, 200, 100), strip);
    EXPECT_EQ(strip[1].bounds, QRectF(75, 0, 50, 10));
    EXPECT_EQ(strip[0].bounds, QRectF(0, 10, 200, 90));
    EXPECT_EQ(items[4].bounds, QRectF(0, 0, 200, 100));  // Contents ignores the siblings
}

TEST(LayoutEngine, AnchorsAndScaleFollowAResize)
{
    const QRectF r(10, 20, 30, 40);
    const QSizeF before(100, 100), after(150, 80);
    struct Case
    {
        const char *what;
        TAnchors anchors;
        QRectF expected;
    };
    const Case cases[] = {
        {"left top", (1u << akLeft) | (1u << akTop), r},
        {"right bottom", (1u << akRight) | (1u << akBottom), QRectF(60, 0, 30, 40)},
        {"all four", 15u, QRectF(10, 20, 80, 20)},
        {"none", 0u, QRectF(35, 10, 30, 40)},
        {"top right", (1u << akTop) | (1u << akRight), QRectF(60, 20, 30, 40)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(applyAnchors(r, c.anchors, before, after), c.expected) << c.what;
    EXPECT_EQ(applyAnchors(r, 15u, before, QSizeF(10, 10)), QRectF(10, 20, 0, 0)); // never negative
    EXPECT_EQ(applyScale(r, before, QSizeF(200, 50)), QRectF(20, 10, 60, 20));
}

TEST(Layout, ControlsRealignWhenTheParentResizes)
{
    TForm form(nullptr);
    form.setClientSize({300, 200});
    form.Padding()->SetLeft(5);
    auto *top = new TPanel(&form);
    top->SetParent(&form);
    top->SetHeight(40);
    top->SetAlign(A::Top);
    auto *client = new TLayout(&form);
    client->SetParent(&form);
    client->SetAlign(A::Client);
    auto *corner = new TButton(&form);
    corner->SetParent(client);
    corner->SetBounds(200, 100, 50, 20);
    corner->SetAnchors((1u << akRight) | (1u << akBottom));
    auto *inner = new TLabel(&form);
    inner->SetParent(top);
    inner->Margins()->SetRight(10);
    inner->SetAlign(A::Client);

    EXPECT_EQ(top->BoundsRect(), QRectF(5, 0, 295, 40));
    EXPECT_EQ(client->BoundsRect(), QRectF(5, 40, 295, 160));
    EXPECT_EQ(inner->BoundsRect(), QRectF(0, 0, 285, 40));

    form.setClientSize({400, 250});
    EXPECT_EQ(top->BoundsRect(), QRectF(5, 0, 395, 40));
    EXPECT_EQ(client->BoundsRect(), QRectF(5, 40, 395, 210));
    EXPECT_EQ(inner->BoundsRect(), QRectF(0, 0, 385, 40));         // nested re-align
    EXPECT_EQ(corner->BoundsRect(), QRectF(300, 150, 50, 20));     // anchored in a re-aligned parent
    EXPECT_EQ(corner->AbsoluteRect(), QRectF(305, 190, 50, 20));

    top->SetVisible(false); // an invisible control takes no room
    EXPECT_EQ(client->BoundsRect(), QRectF(5, 0, 395, 250));
    top->SetVisible(true);
    top->Margins()->SetBottom(10);
    EXPECT_EQ(client->BoundsRect(), QRectF(5, 50, 395, 200));
}
