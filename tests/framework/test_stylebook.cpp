#include "streambuilder.h"

#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/styleparts.h"
#include "framework/stylebook.h"
#include "streams/errors.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

using namespace vantor;
using vantor::test::StreamBuilder;

namespace {

// A red rounded rectangle with a white text part in the middle, and parts the
// framework here does not have (a class and a property).
std::vector<std::uint8_t> redButtonStream()
{
    StreamBuilder s;
    s.object("TRectangle", "").string("StyleName", "redbutton").ident("Fill.Color", "claRed")
        .ident("Stroke.Kind", "None").integer("XRadius", 8).integer("YRadius", 8).children()
        .object("TText", "").string("StyleName", "text").ident("Align", "Client")
        .ident("TextSettings.FontColor", "claWhite").children().end()
        .object("TNoSuchGlowEffect", "").floating("Softness", 0.4).children().end()
        .object("TLayout", "").string("StyleName", "spare").integer("NoSuchProperty", 3).children().end()
        .end();
    return s.bytes();
}

QImage painted(StyleLook &look, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    look.paint(painter, QRectF(0, 0, w, h));
    return image;
}

int countPixels(const QImage &image, const std::function<bool(QColor)> &test)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(QColor::fromRgba(image.pixel(x, y)));
    return n;
}

} // namespace

TEST(StyleLook, DrawsTheStyleTreeWithTheControlsText)
{
    TComponent owner(nullptr);
    auto *button = new TButton(&owner);
    button->SetText(QStringLiteral("Anmelden"));
    StyleLook look(QStringLiteral("RedButton"), {"redbutton", redButtonStream()});
    look.bind(*button);

    auto *text = object_cast<TText>(look.part(QStringLiteral("TEXT")));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), QStringLiteral("Anmelden"));
    // A class the framework lacks is an empty part, a property it lacks is passed over.
    EXPECT_NE(object_cast<TLayout>(look.part(QStringLiteral("spare"))), nullptr);
    EXPECT_EQ(look.root()->ChildrenCount(), 3);

    const QImage image = painted(look, 120, 30);
    EXPECT_EQ(QColor::fromRgba(image.pixel(4, 15)), QColor(Qt::red));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // the rounded corner
    // The text in the style's colour, in the middle.
    const QImage middle = image.copy(30, 5, 60, 20);
    EXPECT_GT(countPixels(middle, [](QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }), 10);
}

TEST(StyleLook, SettingsTheControlKeepsForItselfOverrideTheStyles)
{
    TComponent owner(nullptr);
    auto *button = new TButton(&owner);
    button->SetText(QStringLiteral("x"));
    button->TextSettings()->SetFontColor(0xFF0000FF);
    button->TextSettings()->Font()->SetSize(20);
    button->SetStyledSettings((1u << ssFamily) | (1u << ssStyle) | (1u << ssOther)); // colour and size its own
    StyleLook look(QStringLiteral("redbutton"), {"redbutton", redButtonStream()});
    look.bind(*button);
    auto *text = object_cast<TText>(look.part(QStringLiteral("text")));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->TextSettings()->FontColor(), 0xFF0000FFu);
    EXPECT_EQ(text->TextSettings()->Font()->Size(), 20);
    EXPECT_EQ(text->TextSettings()->HorzAlign(), TTextAlign::Center); // left to the style
}

TEST(StyleLook, ADamagedStyleStreamRaises)
{
    std::vector<std::uint8_t> stream = redButtonStream();
    stream.resize(stream.size() / 2);
    EXPECT_THROW(StyleLook(QStringLiteral("redbutton"), {"redbutton", stream}), Exception);
}

TEST(BookStyles, ReadsTheItemForThePlatformOrTheTextResourceAndReportsWhatDoesNotRead)
{
    const std::vector<std::uint8_t> stream = redButtonStream();
    std::vector<std::uint8_t> table;
    ObjectWriter w(table);
    w.writeBytes("FMX_STYLE 2.5", 13);
    w.writeListBegin();
    w.writeString("redbutton");
    w.writeInteger(std::int64_t(stream.size()));
    w.writeListEnd();
    w.writeBytes(stream.data(), stream.size());
    const QByteArray blob(reinterpret_cast<const char *>(table.data()), qsizetype(table.size()));

    TComponent owner(nullptr);
    auto *book = new TStyleBook(&owner);
    auto *android = static_cast<TStyleCollectionItem *>(book->Styles()->Add());
    android->SetPlatform(QStringLiteral("AndroidL Light"));
    android->SetResourcesBin(blob.left(blob.size() - 10)); // cut short
    auto *desktop = static_cast<TStyleCollectionItem *>(book->Styles()->Add());
    desktop->SetPlatform(QStringLiteral("Windows 10 Desktop"));
    desktop->SetResourcesBin(blob);

    const BookStyles windows(*book, "Windows");
    EXPECT_TRUE(windows.error().isEmpty());
    EXPECT_NE(windows.find(QStringLiteral("REDBUTTON")), nullptr);
    EXPECT_EQ(windows.find(QStringLiteral("bluebutton")), nullptr);

    const BookStyles onAndroid(*book, "Android");
    EXPECT_EQ(onAndroid.error(), QStringLiteral("Stil redbutton abgeschnitten"));
    EXPECT_EQ(onAndroid.find(QStringLiteral("redbutton")), nullptr);

    // The older text resource, when no item serves.
    auto *old = new TStyleBook(&owner);
    old->Resource()->setLines({QStringLiteral("object TLayout"), QStringLiteral("  object TRectangle"),
                               QStringLiteral("    StyleName = 'panelstyle'"), QStringLiteral("  end"),
                               QStringLiteral("end")});
    const BookStyles text(*old, "Windows");
    EXPECT_TRUE(text.error().isEmpty());
    EXPECT_NE(text.find(QStringLiteral("PanelStyle")), nullptr);
}
