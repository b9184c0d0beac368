// Shapes, images and non-visual components: each class is creatable with the
// right kind of peer, forms that set their typical properties read and show
// them (lines, decoded images placed by wrap mode, image lists behind
// glyphs), timers fire, actions execute, and the selection frame resizes
// with the mouse. A corpus check at the end runs by hand.
#include "testclasses.h"

#include "framework/brush.h"
#include "framework/controls/images.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/shapes.h"
#include "framework/peer.h"
#include "framework/reader.h"
#include "streams/texttobinary.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

using namespace vantor;
using namespace vantor::test;

namespace {

void registerGraphicsClasses()
{
    registerTestClasses();
    RegisterClasses<TShape, TLine, TImage, TImageList, TGlyph, TImageViewer, TImageControl, TPaintBox, TPathLabel,
                    TTimer, TPrinterSetupDialog, TOpenDialog, TSaveDialog, TPrintDialog, TStyleBook, TShadowEffect,
                    TActionList, TAction, TFileExit, TGestureManager, TGradientAnimation, TLang, TMediaPlayer,
                    TMediaPlayerControl, TCameraComponent, TBannerAd, TDropTarget, TSelection, TSelectionPoint>();
}

// Reads a form written in the text syntax into `root`.
void readInto(TComponent *root, const QByteArray &text)
{
    registerGraphicsClasses();
    const auto bytes =
        textToBinary(std::span(reinterpret_cast<const std::uint8_t *>(text.constData()), std::size_t(text.size())));
    TReader reader(bytes.data(), bytes.size());
    reader.ReadRootComponent(root);
}

TForm *readForm(TComponent *owner, const QByteArray &text)
{
    auto *form = new TForm(owner);
    readInto(form, text);
    return form;
}

// The reader's message for a form, or "" when it reads.
std::string readError(const QByteArray &text)
{
    TComponent owner(nullptr);
    try {
        readForm(&owner, text);
    } catch (const std::exception &e) {
        return e.what();
    }
    return {};
}

template<class T> T *find(TComponent *form, const char *name)
{
    return object_cast<T>(componentAsObject(form->FindComponent(QString::fromLatin1(name))));
}

// A PNG of one colour as the hex digits a form writes between braces.
QByteArray pngHex(QColor color, int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex().toUpper();
}

QImage grab(TControl *control)
{
    return control->peer()->grab().toImage();
}

QColor pixel(const QImage &image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

} // namespace

// ---------------------------------------------------------------------------

TEST(GraphicsControls, EveryClassIsCreatableByNameWithTheRightPeer)
{
    registerGraphicsClasses();
    struct Case
    {
        const char *name;
        const char *peerClass; // nullptr: a component without a widget
    };
    const Case cases[] = {
        {"TShape", "vantor::PaintPeer"},
        {"TLine", "vantor::PaintPeer"},
        {"TImage", "vantor::PaintPeer"},
        {"TImageList", nullptr},
        {"TGlyph", "vantor::PaintPeer"},
        {"TImageViewer", "QScrollArea"},
        {"TImageControl", "vantor::PaintPeer"},
        {"TPaintBox", "vantor::PaintPeer"},
        {"TPathLabel", "vantor::PaintPeer"},
        {"TTimer", nullptr},
        {"TPrinterSetupDialog", nullptr},
        {"TOpenDialog", nullptr},
        {"TSaveDialog", nullptr},
        {"TPrintDialog", nullptr},
        {"TStyleBook", nullptr},
        {"TShadowEffect", nullptr},
        {"TActionList", nullptr},
        {"TAction", nullptr},
        {"TFileExit", nullptr},
        {"TGestureManager", nullptr},
        {"TGradientAnimation", nullptr},
        {"TLang", nullptr},
        {"TMediaPlayer", nullptr},
        {"TMediaPlayerControl", "vantor::PaintPeer"},
        {"TCameraComponent", nullptr},
        {"TBannerAd", "vantor::PaintPeer"},
        {"TDropTarget", "QLabel"},
        {"TSelection", "vantor::SelectionPeer"},
        {"TSelectionPoint", "vantor::SelectionPointPeer"},
    };
    TComponent owner(nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ClassInfo *cls = GetClass(QString::fromLatin1(c.name));
        ASSERT_NE(cls, nullptr);
        TComponent *made = cls->create(&owner);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->ClassName(), QString::fromLatin1(c.name));
        auto *control = object_cast<TControl>(componentAsObject(made));
        if (!c.peerClass) {
            EXPECT_EQ(control, nullptr);
            EXPECT_EQ(GetPropInfo(made, QStringLiteral("OnClick")), nullptr);
            continue;
        }
        ASSERT_NE(control, nullptr);
        QWidget *peer = control->peer();
        // Plain painted peers have no meta-object of their own: compare the
        // C++ type for those and the Qt class for widgets.
        if (QByteArray(c.peerClass) == "vantor::PaintPeer")
            EXPECT_NE(dynamic_cast<PaintPeer *>(peer), nullptr);
        else if (QByteArray(c.peerClass).startsWith("vantor::"))
            EXPECT_EQ(dynamic_cast<PaintPeer *>(peer), nullptr); // its own widget that handles the mouse
        else
            EXPECT_TRUE(peer->inherits(c.peerClass)) << peer->metaObject()->className();
    }
}

// ---------------------------------------------------------------------------
// Shapes

TEST(Shapes, LineEndPointsFollowTypeAndStayInside)
{
    TComponent owner(nullptr);
    TLine line(&owner);
    line.Stroke()->SetThickness(2);
    struct Case
    {
        TLineType type;
        QSizeF size;
        QPointF from, to;
    };
    const Case cases[] = {
        {TLineType::Diagonal, {100, 50}, {1, 1}, {99, 49}},
        {TLineType::Top, {100, 10}, {0, 1}, {100, 1}},
        {TLineType::Bottom, {100, 10}, {0, 9}, {100, 9}},
        {TLineType::Left, {10, 80}, {1, 0}, {1, 80}},
        {TLineType::Right, {10, 80}, {9, 0}, {9, 80}},
        {TLineType::Top, {100, 1}, {0, 0.5}, {100, 0.5}}, // thinner than the stroke: centred
    };
    for (const Case &c : cases) {
        line.SetLineType(c.type);
        const auto [from, to] = line.endPoints(c.size);
        EXPECT_EQ(from, c.from) << int(c.type);
        EXPECT_EQ(to, c.to) << int(c.type);
    }
    // Shortened lines keep round caps inside along the line too.
    line.SetLineType(TLineType::Top);
    line.SetLineLocation(TLineLocation::InnerWithin);
    line.Stroke()->SetCap(TStrokeCap::Round);
    EXPECT_EQ(line.endPoints({100, 10}).first, QPointF(1, 1));
}

TEST(Shapes, LinesFromAFormPaintTheirStrokeAndPublishNoFill)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object Line1: TLine
    Align = MostTop
    LineType = Top
    Size.Height = 4.000000000000000000
    Size.Width = 60.000000000000000000
    Size.PlatformDefault = False
    Stroke.Color = xFFD84545
    Stroke.Thickness = 3.000000000000000000
    Stroke.Dash = Dash
    Stroke.Cap = Round
    LineLocation = Inner
  end
end)");
    auto *line = find<TLine>(form, "Line1");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->LineType(), TLineType::Top);
    EXPECT_EQ(line->LineLocation(), TLineLocation::Inner);
    EXPECT_EQ(line->Stroke()->Dash(), TStrokeDash::Dash);
    line->Stroke()->SetDash(TStrokeDash::Solid);
    const QImage image = grab(line);
    EXPECT_EQ(pixel(image, 30, 1), QColor(0xD8, 0x45, 0x45));
    EXPECT_NE(pixel(image, 30, 3), QColor(0xD8, 0x45, 0x45)); // below the stroke

    // A line has a stroke only, as on its home platform.
    EXPECT_NE(readError("object F: TForm\n  object L: TLine\n    Fill.Color = claRed\n  end\nend")
                  .find("existiert nicht"),
              std::string::npos);
}

// Opacity as the framework draws it where a form is shown (a host whose
// widgets share one painter): each part of a control, and each child, is
// drawn with the product of the opacities down its parents, so a half
// transparent rectangle shows its fill through its stroke and a half
// transparent child of a half transparent parent covers a quarter.
TEST(Shapes, OpacityMultipliesDownTheParentsAndAppliesToEachPart)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object Host: TLayout
    Size.Width = 80.000000000000000000
    Size.Height = 80.000000000000000000
    Size.PlatformDefault = False
    object Outer: TRectangle
      Position.X = 6.000000000000000000
      Position.Y = 6.000000000000000000
      Size.Width = 60.000000000000000000
      Size.Height = 60.000000000000000000
      Size.PlatformDefault = False
      Fill.Color = xFFFF0000
      Stroke.Color = xFF0000FF
      Stroke.Thickness = 8.000000000000000000
      Opacity = 0.500000000000000000
      object Inner: TRectangle
        Position.X = 20.000000000000000000
        Position.Y = 20.000000000000000000
        Size.Width = 20.000000000000000000
        Size.Height = 20.000000000000000000
        Size.PlatformDefault = False
        Fill.Color = xFF00FF00
        Stroke.Kind = None
        Opacity = 0.500000000000000000
      end
    end
  end
end)");
    auto *host = find<TLayout>(form, "Host");
    ASSERT_NE(host, nullptr);
    ShareOnePainter(host->peer());
    const QImage image = grab(host).convertToFormat(QImage::Format_ARGB32);
    const auto near = [](int value, int expected) { return std::abs(value - expected) <= 3; };

    const QColor fill = pixel(image, 18, 36); // the fill alone
    EXPECT_TRUE(near(fill.alpha(), 128)) << fill.alpha();
    EXPECT_EQ(fill.red(), 255);

    const QColor stroke = pixel(image, 12, 36); // the stroke over the fill: 1 - 0.5 * 0.5
    EXPECT_TRUE(near(stroke.alpha(), 191)) << stroke.alpha();
    EXPECT_GT(stroke.blue(), stroke.red());
    EXPECT_GT(stroke.red(), 60); // the fill shows through

    const QColor inner = pixel(image, 36, 36); // a quarter of green over half of red: 1 - 0.5 * 0.75
    EXPECT_TRUE(near(inner.alpha(), 159)) << inner.alpha();
    EXPECT_GT(inner.red(), 100);
    EXPECT_GT(inner.green(), 60);

    EXPECT_EQ(pixel(image, 3, 3).alpha(), 0); // the host draws nothing of its own
    EXPECT_EQ(pixel(image, 70, 70).alpha(), 0);
}

TEST(Shapes, GradientFillsPaintTheirPointsAlongTheirLine)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object Down: TRectangle
    Fill.Kind = Gradient
    Fill.Gradient.Points = <
      item
        Color = claBlack
        Offset = 0.000000000000000000
      end
      item
        Color = claWhite
        Offset = 1.000000000000000000
      end>
    Size.Width = 40.000000000000000000
    Size.Height = 100.000000000000000000
    Size.PlatformDefault = False
    Stroke.Kind = None
  end
  object Across: TRectangle
    Fill.Kind = Gradient
    Fill.Gradient.Points = <
      item
        Color = xFFFF0000
        Offset = 0.000000000000000000
      end
      item
        Color = xFF0000FF
        Offset = 1.000000000000000000
      end>
    Fill.Gradient.StartPosition.X = 1.000000000000000000
    Fill.Gradient.StartPosition.Y = 0.500000000000000000
    Fill.Gradient.StopPosition.X = 0.000000000000000000
    Fill.Gradient.StopPosition.Y = 0.500000000000000000
    Size.Width = 100.000000000000000000
    Size.Height = 40.000000000000000000
    Size.PlatformDefault = False
    Stroke.Kind = None
  end
  object Round: TRectangle
    Fill.Kind = Gradient
    Fill.Gradient.Style = Radial
    Fill.Gradient.Points = <
      item
        Color = claWhite
        Offset = 0.000000000000000000
      end
      item
        Color = claBlack
        Offset = 1.000000000000000000
      end>
    Size.Width = 60.000000000000000000
    Size.Height = 60.000000000000000000
    Size.PlatformDefault = False
    Stroke.Kind = None
  end
end)");
    // Top to bottom by default: dark at the top, light at the bottom.
    const QImage down = grab(find<TRectangle>(form, "Down"));
    EXPECT_LT(pixel(down, 20, 2).lightness(), 20);
    EXPECT_GT(pixel(down, 20, 97).lightness(), 235);
    // From right to left: blue at the left edge, red at the right.
    const QImage across = grab(find<TRectangle>(form, "Across"));
    EXPECT_GT(pixel(across, 2, 20).blue(), 220);
    EXPECT_GT(pixel(across, 97, 20).red(), 220);
    // Radial: light in the centre, darker towards the rim.
    auto *round = find<TRectangle>(form, "Round");
    ASSERT_NE(round, nullptr);
    EXPECT_EQ(round->Fill()->Gradient()->Style(), TGradientStyle::Radial);
    const QImage circle = grab(round);
    EXPECT_GT(pixel(circle, 30, 30).lightness(), pixel(circle, 30, 55).lightness() + 60);
}

TEST(Shapes, PathDataParsesAbsoluteAndRelativeCommandsAndStopsAtGarbage)
{
    struct Case
    {
        const char *data;
        QRectF bounds;
    };
    const Case cases[] = {
        {"M0,0 L10,0 L10,10 Z", {0, 0, 10, 10}},
        {"m 5 5 h 10 v 10 h -10 z", {5, 5, 10, 10}},
        {"M 0 0 10 0 10 20", {0, 0, 10, 20}},           // pairs after a move are lines
        {"M0 0 C 0 0 10 10 10 10", {0, 0, 10, 10}},      // a cubic
        {"M0 0 Q 5 -5 10 0 T 20 0", {0, -2.5, 20, 5}},   // smooth quadratic reflects
        {"M-1e1 0 L 1.5e1 0 L 0 5", {-10, 0, 25, 5}},    // exponents and signs
        {"M0 0 L 10 10 L x 5 L 100 100", {0, 0, 10, 10}}, // stops at what it cannot read
        {"", {}},
        {"12 13", {}},
    };
    for (const Case &c : cases) {
        const QPainterPath path = parsePathData(QString::fromLatin1(c.data));
        const QRectF b = path.boundingRect();
        EXPECT_NEAR(b.x(), c.bounds.x(), 1e-9) << c.data;
        EXPECT_NEAR(b.y(), c.bounds.y(), 1e-9) << c.data;
        EXPECT_NEAR(b.width(), c.bounds.width(), 1e-9) << c.data;
        EXPECT_NEAR(b.height(), c.bounds.height(), 1e-9) << c.data;
    }
}

TEST(Shapes, PathLabelFitsItsPath)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object P: TPathLabel
    Data.Data = 'M0,0 L4,0 L4,2 L0,2 Z'
    WrapMode = Fit
    Size.Width = 40.000000000000000000
    Size.Height = 40.000000000000000000
  end
end)");
    auto *label = find<TPathLabel>(form, "P");
    ASSERT_NE(label, nullptr);
    const QImage image = grab(label);
    // A 2:1 shape fitted into 40 x 40: 40 x 20 in the middle.
    EXPECT_EQ(pixel(image, 20, 20), QColor(Qt::black));
    EXPECT_NE(pixel(image, 20, 5), QColor(Qt::black));
}

// ---------------------------------------------------------------------------
// Images

TEST(Images, TargetRectanglesFollowTheWrapMode)
{
    const QRectF area(10, 10, 100, 50);
    struct Case
    {
        TImageWrapMode mode;
        QSizeF image;
        QRectF expected;
    };
    const Case cases[] = {
        {TImageWrapMode::Original, {20, 20}, {10, 10, 20, 20}},
        {TImageWrapMode::Stretch, {20, 20}, {10, 10, 100, 50}},
        {TImageWrapMode::Fit, {20, 20}, {35, 10, 50, 50}},
        {TImageWrapMode::Fit, {200, 20}, {10, 30, 100, 10}},
        {TImageWrapMode::Center, {20, 20}, {50, 25, 20, 20}},
        {TImageWrapMode::Place, {20, 20}, {50, 25, 20, 20}},   // small: centred, not enlarged
        {TImageWrapMode::Place, {200, 100}, {10, 10, 100, 50}}, // large: fitted
        {TImageWrapMode::Tile, {20, 20}, {10, 10, 20, 20}},
        {TImageWrapMode::Fit, {0, 0}, {10, 10, 0, 0}},         // an empty image lands nowhere
    };
    for (const Case &c : cases)
        EXPECT_EQ(imageTargetRect(c.image, area, c.mode), c.expected) << int(c.mode) << " " << c.image.width();
}

TEST(Images, MultiResBitmapDecodesItemsAndPicksTheScale)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, "object F: TForm\n  object Image1: TImage\n"
                                   "    MultiResBitmap.Height = 4\n    MultiResBitmap.Width = 4\n"
                                   "    MultiResBitmap = <\n      item\n        Width = 4\n        Height = 4\n"
                                   "        PNG = {" + pngHex(Qt::red, 4, 4) + "}\n"
                                   "        FileName = 'C:\\pics\\red.png'\n      end\n"
                                   "      item\n        Scale = 2.000000000000000000\n"
                                   "        PNG = {" + pngHex(Qt::blue, 8, 8) + "}\n      end\n"
                                   "      item\n        Scale = 3.000000000000000000\n"
                                   "        PNG = {0102030405}\n      end>\n"
                                   "    WrapMode = iwStretch\n    Size.Width = 40.000000000000000000\n"
                                   "    Size.Height = 20.000000000000000000\n  end\nend");
    auto *image = find<TImage>(form, "Image1");
    ASSERT_NE(image, nullptr);
    TMultiResBitmap *bitmaps = image->MultiResBitmap();
    ASSERT_EQ(bitmaps->Count(), 3);
    EXPECT_EQ(bitmaps->Width(), 4);
    EXPECT_TRUE(bitmaps->Item(2)->image().isNull()); // undecodable data: kept, never chosen
    EXPECT_EQ(bitmaps->Item(2)->PNG().size(), 5);
    EXPECT_EQ(bitmaps->bestItem(1), bitmaps->Item(0));
    EXPECT_EQ(bitmaps->bestItem(2), bitmaps->Item(1));
    EXPECT_EQ(bitmaps->bestItem(1.5), bitmaps->Item(1)); // the next larger
    EXPECT_EQ(bitmaps->bestItem(4), bitmaps->Item(1));   // else the largest
    EXPECT_EQ(image->WrapMode(), TImageWrapMode::Stretch);

    QImage shown = grab(image);
    EXPECT_EQ(pixel(shown, 1, 1), QColor(Qt::red));
    EXPECT_EQ(pixel(shown, 38, 18), QColor(Qt::red));

    // Bitmap.PNG, when set, is what the image shows.
    image->Bitmap()->SetPNG(QByteArray::fromHex(pngHex(Qt::green, 2, 2)));
    shown = grab(image);
    EXPECT_EQ(pixel(shown, 20, 10), QColor(Qt::green));
}

TEST(Images, TileCoversTheAreaAndCenterLeavesTheRestEmpty)
{
    QImage tile(2, 2, QImage::Format_ARGB32);
    tile.fill(Qt::red);
    QImage canvas(50, 30, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        drawImage(p, tile, QRectF(0, 0, 50, 30), TImageWrapMode::Tile);
    }
    EXPECT_EQ(pixel(canvas, 49, 29), QColor(Qt::red));
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        drawImage(p, tile, QRectF(0, 0, 50, 30), TImageWrapMode::Center);
    }
    EXPECT_EQ(pixel(canvas, 25, 15), QColor(Qt::red));
    EXPECT_EQ(pixel(canvas, 0, 0).alpha(), 0);
    // An item of scale 2 is drawn at half its pixel size.
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        drawImage(p, tile, QRectF(0, 0, 50, 30), TImageWrapMode::Original, 2);
    }
    EXPECT_EQ(pixel(canvas, 0, 0), QColor(Qt::red));
    EXPECT_EQ(pixel(canvas, 1, 1).alpha(), 0);
}

namespace {

QByteArray imageListForm()
{
    return "object F: TForm\n"
           "  object ImageList1: TImageList\n"
           "    Source = <\n"
           "      item\n        MultiResBitmap.Width = 8\n        MultiResBitmap.Height = 8\n"
           "        MultiResBitmap.LoadSize = 0\n        MultiResBitmap.TransparentColor = 536870912\n"
           "        MultiResBitmap = <\n          item\n            Width = 8\n            Height = 8\n"
           "            PNG = {" + pngHex(Qt::red, 8, 8) + "}\n          end>\n"
           "        Name = 'red'\n      end\n"
           "      item\n        MultiResBitmap = <\n          item\n            Scale = 2.000000000000000000\n"
           "            PNG = {" + pngHex(Qt::green, 32, 32) + "}\n          end>\n"
           "        Name = 'Green'\n      end>\n"
           "    Destination = <\n"
           "      item\n        Layers = <\n          item\n            Name = 'red'\n"
           "            SourceRect.Right = 8.000000000000000000\n"
           "            SourceRect.Bottom = 8.000000000000000000\n          end>\n      end\n"
           "      item\n        Layers = <\n          item\n            Name = 'green'\n          end>\n      end\n"
           "      item\n        Layers = <\n          item\n            Name = 'nowhere'\n          end>\n      end>\n"
           "    Left = 366\n    Top = 240\n  end\n"
           "  object Glyph1: TGlyph\n    Images = ImageList1\n    ImageIndex = 1\n"
           "    Size.Width = 30.000000000000000000\n    Size.Height = 20.000000000000000000\n"
           "    Touch.GestureManager = GestureManager1\n  end\n"
           "end";
}

} // namespace

// A bitmap given a decoded image keeps no bytes for it and makes its PNG
// only when asked; bytes that were read are kept as they were.
TEST(Images, ABitmapSetFromAnImageMakesItsPngOnDemand)
{
    TBitmap bitmap;
    QImage red(6, 4, QImage::Format_ARGB32);
    red.fill(Qt::red);
    bitmap.SetImage(red);
    EXPECT_EQ(bitmap.image().size(), QSize(6, 4));
    const QImage back = QImage::fromData(bitmap.PNG());
    ASSERT_EQ(back.size(), QSize(6, 4));
    EXPECT_EQ(pixel(back, 5, 3), QColor(Qt::red));

    const QByteArray read = QByteArray::fromHex(pngHex(Qt::green, 3, 3));
    bitmap.SetPNG(read);
    EXPECT_EQ(bitmap.PNG(), read);
    EXPECT_EQ(pixel(bitmap.image(), 1, 1), QColor(Qt::green));
}

TEST(Images, ImageListComposesDestinationsFromNamedSources)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, imageListForm());
    auto *list = find<TImageList>(form, "ImageList1");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ(list->imageSize(0), QSizeF(8, 8));
    EXPECT_EQ(list->imageSize(1), QSizeF(16, 16)); // the size forms leave out
    const QImage red = list->image(0, QSize(16, 16));
    ASSERT_FALSE(red.isNull());
    EXPECT_EQ(pixel(red, 15, 15), QColor(Qt::red));
    // Names match without regard to case; the scale-2 item covers 16 x 16.
    const QImage green = list->image(1, QSize(16, 16));
    ASSERT_FALSE(green.isNull());
    EXPECT_EQ(pixel(green, 15, 15), QColor(Qt::green));
    for (int bad : {2, 3, -1}) // a layer naming no source, indexes out of range
        EXPECT_TRUE(list->image(bad, QSize(16, 16)).isNull()) << bad;
    EXPECT_TRUE(list->image(0, QSize(100000, 100000)).isNull()); // refused, not allocated
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(list, QStringLiteral("Left"))), 366);
}

TEST(Images, GlyphShowsItsImageAndForgetsAFreedList)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, imageListForm());
    auto *glyph = find<TGlyph>(form, "Glyph1");
    auto *list = find<TImageList>(form, "ImageList1");
    ASSERT_TRUE(glyph && list);
    EXPECT_EQ(glyph->Images(), list);
    QImage shown = grab(glyph);
    EXPECT_EQ(pixel(shown, 15, 10), QColor(Qt::green)); // a 20 x 20 square in the middle
    EXPECT_NE(pixel(shown, 2, 10), QColor(Qt::green));
    glyph->SetImageIndex(7);
    shown = grab(glyph);
    EXPECT_NE(pixel(shown, 15, 10), QColor(Qt::green));
    delete list;
    EXPECT_EQ(glyph->Images(), nullptr);
    grab(glyph); // paints nothing, and does not touch the freed list
}

TEST(Images, ViewerAndImageControlShowTheirBitmap)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, "object F: TForm\n"
                                   "  object V: TImageViewer\n    Bitmap.PNG = {" + pngHex(Qt::blue, 10, 6) + "}\n"
                                   "    BitmapScale = 2.000000000000000000\n    BackgroundFill.Kind = None\n"
                                   "    Viewport.Width = 96.000000000000000000\n"
                                   "    Size.Width = 100.000000000000000000\n    Size.Height = 100.000000000000000000\n"
                                   "  end\n"
                                   "  object C: TImageControl\n    Bitmap.PNG = {" + pngHex(Qt::red, 10, 10) + "}\n"
                                   "    EnableOpenDialog = False\n"
                                   "    Size.Width = 50.000000000000000000\n    Size.Height = 50.000000000000000000\n"
                                   "  end\nend");
    auto *viewer = find<TImageViewer>(form, "V");
    ASSERT_NE(viewer, nullptr);
    auto *area = qobject_cast<QScrollArea *>(viewer->peer());
    ASSERT_NE(area, nullptr);
    auto *label = qobject_cast<QLabel *>(area->widget());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pixmap().size(), QSize(20, 12));
    viewer->SetBitmapScale(0); // clamped: never an empty pixmap
    EXPECT_FALSE(label->pixmap().isNull());

    auto *control = find<TImageControl>(form, "C");
    ASSERT_NE(control, nullptr);
    const QImage shown = grab(control);
    EXPECT_EQ(pixel(shown, 25, 25), QColor(Qt::red)); // centred, not enlarged
    EXPECT_NE(pixel(shown, 10, 10), QColor(Qt::red));
}

// ---------------------------------------------------------------------------
// Non-visual components

TEST(NonVisual, TimerStartsAfterLoadingAndFires)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, "object F: TForm\n"
                                   "  object Timer1: TTimer\n    Interval = 10\n    Left = 152\n    Top = 80\n  end\n"
                                   "  object Timer2: TTimer\n    Enabled = False\n    Interval = 10\n  end\n"
                                   "end");
    auto *t1 = find<TTimer>(form, "Timer1");
    auto *t2 = find<TTimer>(form, "Timer2");
    ASSERT_TRUE(t1 && t2);
    EXPECT_TRUE(t1->isActive());
    EXPECT_FALSE(t2->isActive());

    int ticks = 0;
    struct Counter
    {
        int *ticks;
        void onTimer(TObject *) { ++*ticks; }
    } counter{&ticks};
    t1->OnTimer = TNotifyEvent::bind<&Counter::onTimer>(&counter);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
    t1->SetEnabled(false);
    EXPECT_FALSE(t1->isActive());
    t1->SetInterval(0);
    t1->SetEnabled(true);
    EXPECT_FALSE(t1->isActive()); // no interval, no timer

    // A handler that frees its own timer.
    struct Freer
    {
        TTimer *timer;
        bool fired = false;
        void onTimer(TObject *)
        {
            fired = true;
            delete timer;
        }
    } freer{t2};
    t2->OnTimer = TNotifyEvent::bind<&Freer::onTimer>(&freer);
    t2->SetEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return freer.fired; }, 2000));
    EXPECT_EQ(form->FindComponent(QStringLiteral("Timer2")), nullptr);
}

TEST(NonVisual, ActionsJoinTheirListAndExecute)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, "object F: TForm\n"
                                   "  object ActionList1: TActionList\n    Images = ImageList1\n"
                                   "    Left = 366\n    Top = 370\n"
                                   "    object A1: TAction\n      Category = 'File'\n      Text = 'Open'\n"
                                   "      ShortCut = 16463\n      GroupIndex = 1\n      AutoCheck = True\n"
                                   "      ImageIndex = 2\n    end\n"
                                   "    object A2: TAction\n      GroupIndex = 1\n      Checked = True\n"
                                   "      Hint = 'Second'\n      UnsupportedPlatforms = [pfAndroid]\n    end\n"
                                   "    object FileExit1: TFileExit\n      Category = 'File'\n"
                                   "      CustomText = 'Exit'\n      UnsupportedPlatforms = [pfWindows, pfLinux]\n"
                                   "    end\n  end\n"
                                   "  object ImageList1: TImageList\n  end\n"
                                   "end");
    auto *list = find<TActionList>(form, "ActionList1");
    auto *a1 = find<TAction>(form, "A1");
    auto *a2 = find<TAction>(form, "A2");
    auto *exit = find<TFileExit>(form, "FileExit1");
    ASSERT_TRUE(list && a1 && a2 && exit);
    ASSERT_EQ(list->ActionCount(), 3);
    EXPECT_EQ(list->Actions(0), a1);
    EXPECT_EQ(a2->ActionList(), list);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(list->Images(), find<TImageList>(form, "ImageList1"));
    EXPECT_EQ(a1->Text(), QStringLiteral("Open"));
    EXPECT_EQ(a1->ShortCut(), 16463);
    EXPECT_EQ(exit->CustomText(), QStringLiteral("Exit"));

    int runs = 0;
    struct Counter
    {
        int *runs;
        void onExecute(TObject *) { ++*runs; }
    } counter{&runs};
    a1->OnExecute = TNotifyEvent::bind<&Counter::onExecute>(&counter);
    EXPECT_TRUE(a1->Execute());
    EXPECT_EQ(runs, 1);
    // AutoCheck checked A1, which unchecked A2 of the same group.
    EXPECT_TRUE(a1->Checked());
    EXPECT_FALSE(a2->Checked());
    a1->SetEnabled(false);
    EXPECT_FALSE(a1->Execute());
    EXPECT_EQ(runs, 1);

    // Freeing an action takes it out of the list; freeing the list leaves the actions.
    delete a2;
    EXPECT_EQ(list->ActionCount(), 2);
    delete list;
    EXPECT_EQ(a1->ActionList(), nullptr);
    EXPECT_EQ(a1->Index(), -1);
}

TEST(NonVisual, TypicalPropertiesOfEachComponentReadAndAreKept)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object OpenDialog1: TOpenDialog
    DefaultExt = '.txt'
    Filter = 'Text|*.txt|All files (*.*)|*.*'
    FilterIndex = 0
    InitialDir = '.\Data'
    Options = [ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing]
    Title = 'Choose a file'
    Left = 94
    Top = 140
  end
  object SaveDialog1: TSaveDialog
    FileName = 'Chart1.tee'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir]
  end
  object PrintDialog1: TPrintDialog
    Left = 208
  end
  object PrinterSetupDialog1: TPrinterSetupDialog
  end
  object StyleBook1: TStyleBook
    Styles = <
      item
        Platform = 'Windows 10 Desktop'
        ResourcesBin = {00010203}
      end>
    Resource.Strings = (
      'object TLayout'
      'end')
    ResourcesBin = {0A0B}
    StyleName = 'Dark'
    UseStyleManager = True
    Left = 280
    Top = 24
  end
  object Rect1: TRectangle
    object ShadowEffect1: TShadowEffect
      Distance = 3.000000000000000000
      Direction = 45.000000000000000000
      Softness = 0.300000011920929000
      Opacity = 0.600000023841857900
      ShadowColor = xFF6F6F6F
      Enabled = False
    end
    object GradientAnimation1: TGradientAnimation
      Duration = 0.500000000000000000
      Interpolation = Quadratic
      PropertyName = 'Fill.Gradient'
      StartValue.Points = <
        item
          Color = claBlue
        end
        item
          Color = claWhite
          Offset = 1.000000000000000000
        end>
      StartValue.StartPosition.X = 0.5
      StopValue.Style = Radial
    end
  end
  object GestureManager1: TGestureManager
    Sensitivity = 80.000000000000000000
    GestureData = <
      item
        Control = Rect1
        Collection = <
          item
            Action = A1
            GestureID = sgiLeft
          end
          item
            GestureID = sgiRight
          end>
      end>
    Left = 40
    Top = 284
  end
  object Lang1: TLang
    Lang = 'zh'
    ResourcesBin = {2F000000}
    Left = 168
  end
  object MediaPlayer1: TMediaPlayer
    FileName = 'C:\media\clip.mp4'
  end
  object MediaPlayerControl1: TMediaPlayerControl
    MediaPlayer = MediaPlayer1
    Align = Client
  end
  object CameraComponent1: TCameraComponent
    Kind = BackCamera
    Left = 120
  end
  object BannerAd1: TBannerAd
    TestMode = True
    Align = Top
    Height = 57.000000000000000000
  end
  object ActionList2: TActionList
    object A1: TAction
      Text = 'Next'
    end
  end
end)");
    auto *open = find<TOpenDialog>(form, "OpenDialog1");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->Title(), QStringLiteral("Choose a file"));
    EXPECT_EQ(open->FilterIndex(), 0);
    EXPECT_EQ(open->Options(), (1 << 2) | (1 << 8) | (1 << 9) | (1 << 19));
    EXPECT_EQ(find<TSaveDialog>(form, "SaveDialog1")->FileName(), QStringLiteral("Chart1.tee"));

    auto *book = find<TStyleBook>(form, "StyleBook1");
    ASSERT_NE(book, nullptr);
    ASSERT_EQ(book->Styles()->Count(), 1);
    auto *style = static_cast<TStyleCollectionItem *>(book->Styles()->Items(0));
    EXPECT_EQ(style->Platform(), QStringLiteral("Windows 10 Desktop"));
    EXPECT_EQ(style->ResourcesBin(), QByteArray("\x00\x01\x02\x03", 4));
    EXPECT_EQ(book->Resource()->count(), 2);
    EXPECT_TRUE(book->UseStyleManager());

    auto *shadow = find<TShadowEffect>(form, "ShadowEffect1");
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->Parent(), find<TRectangle>(form, "Rect1"));
    EXPECT_EQ(shadow->ShadowColor(), 0xFF6F6F6Fu);
    EXPECT_FALSE(shadow->Enabled());

    auto *animation = find<TGradientAnimation>(form, "GradientAnimation1");
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->StartValue()->Points()->Count(), 2);
    EXPECT_EQ(static_cast<TGradientPoint *>(animation->StartValue()->Points()->Items(0))->Color(), 0xFF0000FFu);
    EXPECT_EQ(animation->StartValue()->StartPosition()->X(), 0.5);

    auto *gestures = find<TGestureManager>(form, "GestureManager1");
    ASSERT_NE(gestures, nullptr);
    ASSERT_EQ(gestures->GestureData()->Count(), 1);
    auto *data = static_cast<TGestureDataItem *>(gestures->GestureData()->Items(0));
    EXPECT_EQ(std::get<TObject *>(data->storedValue(QStringLiteral("Control"))),
              componentAsObject(form->FindComponent(QStringLiteral("Rect1"))));
    ASSERT_EQ(data->GestureCollection()->Count(), 2);
    auto *gesture = data->GestureCollection()->Items(1);
    EXPECT_EQ(std::get<std::int64_t>(gesture->storedValue(QStringLiteral("GestureID"))), 2); // sgiRight

    EXPECT_EQ(find<TLang>(form, "Lang1")->Lang(), QStringLiteral("zh"));
    auto *surface = find<TMediaPlayerControl>(form, "MediaPlayerControl1");
    auto *player = find<TMediaPlayer>(form, "MediaPlayer1");
    ASSERT_TRUE(surface && player);
    EXPECT_EQ(surface->MediaPlayer(), player);
    delete player;
    EXPECT_EQ(surface->MediaPlayer(), nullptr);
}

TEST(NonVisual, DialogFiltersBecomeQtFilters)
{
    struct Case
    {
        const char *filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"Text|*.txt;*.log|All|*.*", {"Text (*.txt *.log)", "All (*.*)"}},
        {"All files (*.*)|*.*", {"All files (*.*)"}},
        {"Pascal|*.pas|Dangling", {"Pascal (*.pas)"}}, // a description without a mask is dropped
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TOpenDialog::qtFilters(QString::fromLatin1(c.filter)), c.expected) << c.filter;
}

TEST(NonVisual, DropTargetShowsItsTextAndFont)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  object DropTarget1: TDropTarget
    Filter = '*.exe'
    HelpType = htKeyword
    StyledSettings = [Style, FontColor]
    Text = 'Drop here'
    TextSettings.Font.Family = 'Serif'
    TextSettings.Font.Size = 16.000000000000000000
    Size.Width = 120.000000000000000000
    Size.Height = 80.000000000000000000
  end
end)");
    auto *target = find<TDropTarget>(form, "DropTarget1");
    ASSERT_NE(target, nullptr);
    auto *label = qobject_cast<QLabel *>(target->peer());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("Drop here"));
    // Shown as it stands, as a label's text is.
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->font().family(), QStringLiteral("Serif"));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 12.0);
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(target->Filter(), QStringLiteral("*.exe"));
}

// ---------------------------------------------------------------------------
// Selection frames

TEST(Selection, DragsResizeFromTheGripWithMinSizeAndProportions)
{
    TComponent owner(nullptr);
    TSelection sel(&owner);
    sel.SetMinSize(10);
    const QRectF start(100, 100, 40, 20);
    struct Case
    {
        SelectionGrip grip;
        QPointF delta;
        bool proportional;
        QRectF expected;
    };
    const Case cases[] = {
        {SelectionGrip::BottomRight, {10, 5}, false, {100, 100, 50, 25}},
        {SelectionGrip::TopLeft, {-10, -5}, false, {90, 95, 50, 25}},
        {SelectionGrip::Left, {35, 0}, false, {130, 100, 10, 20}},  // min size; the right edge stays
        {SelectionGrip::Top, {0, 50}, false, {100, 110, 40, 10}},   // crossing over is clamped too
        {SelectionGrip::Body, {5, -5}, false, {105, 95, 40, 20}},
        {SelectionGrip::Right, {40, 0}, true, {100, 100, 80, 40}},
        {SelectionGrip::BottomLeft, {-40, 0}, true, {60, 100, 80, 40}},
        {SelectionGrip::Bottom, {0, 10}, true, {100, 100, 60, 30}},
    };
    for (const Case &c : cases) {
        sel.SetProportional(c.proportional);
        sel.dragTo(c.grip, start, c.delta);
        EXPECT_EQ(sel.BoundsRect(), c.expected) << int(c.grip);
    }
}

TEST(Selection, RealMouseDragsResizeTheFrameAndItsChildAndFireEvents)
{
    TComponent owner(nullptr);
    TForm *form = readForm(&owner, R"(object F: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Selection1: TSelection
    GripSize = 4.000000000000000000
    HideSelection = False
    Proportional = False
    ShowHandles = True
    Position.X = 50.000000000000000000
    Position.Y = 50.000000000000000000
    Size.Width = 100.000000000000000000
    Size.Height = 60.000000000000000000
    Padding.Left = 4.000000000000000000
    Padding.Top = 4.000000000000000000
    Padding.Right = 4.000000000000000000
    Padding.Bottom = 4.000000000000000000
    object Inner: TRectangle
      Align = Client
    end
  end
  object Point1: TSelectionPoint
    GripSize = 1.000000000000000000
    Position.X = 10.000000000000000000
    Position.Y = 10.000000000000000000
    Size.Width = 16.000000000000000000
    Size.Height = 16.000000000000000000
  end
end)");
    form->Show();
    auto *sel = find<TSelection>(form, "Selection1");
    auto *inner = find<TRectangle>(form, "Inner");
    auto *point = find<TSelectionPoint>(form, "Point1");
    ASSERT_TRUE(sel && inner && point);

    struct Log
    {
        std::vector<std::string> events;
        void onTrack(TObject *) { events.push_back("track"); }
        void onChange(TObject *) { events.push_back("change"); }
        void onClick(TObject *) { events.push_back("click"); }
    } log;
    sel->OnTrack = TNotifyEvent::bind<&Log::onTrack>(&log);
    sel->OnChange = TNotifyEvent::bind<&Log::onChange>(&log);
    sel->OnClick = TNotifyEvent::bind<&Log::onClick>(&log);

    QWidget *peer = sel->peer();
    EXPECT_EQ(sel->gripAt(QPointF(96, 56)), SelectionGrip::BottomRight);
    QTest::mousePress(peer, Qt::LeftButton, {}, QPoint(96, 56));
    QTest::mouseMove(peer, QPoint(116, 66));
    QTest::mouseRelease(peer, Qt::LeftButton, {}, QPoint(116, 66));
    EXPECT_EQ(sel->BoundsRect(), QRectF(50, 50, 120, 70));
    EXPECT_EQ(inner->BoundsRect(), QRectF(4, 4, 112, 62)); // the aligned child follows
    EXPECT_EQ(log.events, (std::vector<std::string>{"track", "change"}));

    // A press and release without moving is a click, not a change.
    log.events.clear();
    QTest::mouseClick(peer, Qt::LeftButton, {}, QPoint(60, 3));
    EXPECT_EQ(log.events, (std::vector<std::string>{"click"}));

    log.events.clear();
    point->OnTrack = TNotifyEvent::bind<&Log::onTrack>(&log);
    point->OnChange = TNotifyEvent::bind<&Log::onChange>(&log);
    QWidget *grip = point->peer();
    QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseMove(grip, QPoint(13, 18));
    QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(13, 18));
    EXPECT_EQ(point->Position()->point(), QPointF(15, 20));
    EXPECT_EQ(log.events, (std::vector<std::string>{"track", "change"}));
}

// ---------------------------------------------------------------------------
// Corpus check, run by hand:
//   VANTOR_PROPERTIES_TSV=/path/to/properties.tsv framework_tests --gtest_filter='*Corpus*'
// For every (class, property, kind) row of these classes it reads a
// one-component form that sets a value of that kind and prints every
// property that is refused.

namespace {

const std::set<QString> &graphicsClassNames()
{
    static const std::set<QString> names{
        "TShape", "TLine", "TImage", "TImageList", "TGlyph", "TImageViewer", "TImageControl", "TPaintBox",
        "TPathLabel", "TTimer", "TPrinterSetupDialog", "TOpenDialog", "TSaveDialog", "TPrintDialog", "TStyleBook",
        "TShadowEffect", "TActionList", "TAction", "TFileExit", "TGestureManager", "TGradientAnimation", "TLang",
        "TMediaPlayer", "TMediaPlayerControl", "TCameraComponent", "TBannerAd", "TDropTarget", "TSelection",
        "TSelectionPoint"};
    return names;
}

// A value of the kind in the text syntax; the example column where it is
// complete, else a small value of that kind.
QByteArray sampleValue(const QString &kind, const QString &example)
{
    if (kind == "collection")
        return "<\n item\n end>";
    if (kind == "binary")
        return "{00}";
    if (kind == "list")
        return "(\n 'a'\n 'b')";
    if (kind == "string")
        return example.startsWith('\'') && example.endsWith('\'') && example.size() > 1 ? example.toUtf8() : "'x'";
    if (kind == "set")
        return example.startsWith('[') && example.endsWith(']') ? example.toUtf8() : "[]";
    return example.toUtf8(); // int, float, bool, ident
}

} // namespace

TEST(GraphicsCorpus, EveryPropertyRealFormsSetIsAccepted)
{
    const char *path = std::getenv("VANTOR_PROPERTIES_TSV");
    if (!path)
        GTEST_SKIP() << "set VANTOR_PROPERTIES_TSV to the corpus properties.tsv";
    QFile file(QString::fromLocal8Bit(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    registerGraphicsClasses();
    int rows = 0;
    std::vector<std::string> refused;
    file.readLine(); // header
    while (!file.atEnd()) {
        const QStringList cols = QString::fromUtf8(file.readLine()).trimmed().split('\t');
        if (cols.size() < 5)
            continue;
        // "TImageList.Source.item.MultiResBitmap.item": a class, then collections.
        const QStringList where = cols[0].split(QStringLiteral(".item"), Qt::SkipEmptyParts);
        const QString cls = where.front().section('.', 0, 0);
        if (!graphicsClassNames().count(cls))
            continue;
        ++rows;
        const QString prop = cols[1];
        const QString kind = cols[2];
        TComponent owner(nullptr);
        auto *form = new TForm(&owner);
        TComponent *made = FindClass(cls).create(form);
        // Events bind handlers of the form; the viewer removes those lines
        // before reading, so here the property itself is looked up.
        if (kind == "ident" && prop.startsWith(QStringLiteral("On")) && where.size() == 1) {
            const PropLocation loc = FindPropertyPath(made, prop);
            if (!loc || loc.info->kind != PropKind::Method)
                refused.push_back((cols[0] + '.' + prop + " (event)").toStdString());
            continue;
        }
        // Open one collection per ".item" step, then set the property.
        QByteArray body;
        QByteArray close;
        QStringList steps = where;
        steps.front() = steps.front().section('.', 1);
        int depth = 0;
        for (const QString &step : steps) {
            if (step.isEmpty())
                continue;
            const QString coll = step.startsWith('.') ? step.mid(1) : step;
            body += coll.toUtf8() + " = <\n item\n";
            close.prepend(" end>\n");
            ++depth;
        }
        body += prop.toUtf8() + " = " + sampleValue(kind, cols[4]) + "\n" + close;
        const QByteArray text = "object F: TForm\n object X: " + cls.toUtf8() + "\n" + body + " end\nend\n";
        try {
            TForm probe(nullptr);
            readInto(&probe, text);
        } catch (const std::exception &e) {
            refused.push_back((cols[0] + '.' + prop + " [" + kind + "] " + cols[4].left(30) + ": ").toStdString()
                              + e.what());
        }
    }
    std::printf("corpus rows of these classes: %d, refused: %zu\n", rows, refused.size());
    for (const std::string &r : refused)
        std::printf("  refused %s\n", r.c_str());
    EXPECT_TRUE(refused.empty());
}

// A second check by hand, on the corpus forms themselves:
//   VANTOR_CORPUS_FORMS=/path/to/forms framework_tests --gtest_filter='*Corpus*'
// Every block of these classes whose nested objects are classes known here
// is read alone into an empty form (event lines left out, as the viewer
// does) and painted, and every block that does not read is printed.
TEST(GraphicsCorpus, BlocksOfRealFormsRead)
{
    const char *dir = std::getenv("VANTOR_CORPUS_FORMS");
    if (!dir)
        GTEST_SKIP() << "set VANTOR_CORPUS_FORMS to the corpus forms folder";
    registerGraphicsClasses();
    const QRegularExpression header(QStringLiteral("^(\\s*)(object|inherited|inline)\\s+\\w*\\s*:\\s*(\\w+)"));
    const QRegularExpression event(QStringLiteral("^\\s*On\\w+\\s*=\\s*[\\w.]+\\s*$"));
    int blocks = 0;
    std::vector<std::string> failed;
    QDirIterator it(QString::fromLocal8Bit(dir), {QStringLiteral("*.fmx")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const auto m = header.match(QString::fromLatin1(lines[i]));
            if (!m.hasMatch() || m.captured(2) != QLatin1String("object") || !graphicsClassNames().count(m.captured(3)))
                continue;
            const qsizetype indent = m.captured(1).size();
            QByteArray block;
            bool readable = true;
            qsizetype j = i;
            for (; j < lines.size(); ++j) {
                const QByteArray &line = lines[j];
                const QString text = QString::fromLatin1(line);
                if (j > i) {
                    const auto inner = header.match(text);
                    if (inner.hasMatch() && (inner.captured(2) != QLatin1String("object") || !GetClass(inner.captured(3))))
                        readable = false;
                }
                if (!event.match(text).hasMatch())
                    block += line + '\n';
                if (j > i && line.trimmed() == "end" && text.indexOf(QLatin1String("end")) == indent)
                    break;
            }
            if (!readable)
                continue;
            ++blocks;
            try {
                TForm probe(nullptr);
                readInto(&probe, "object F: TForm\n" + block + "end\n");
                // Painting real data must not fail either.
                for (TComponent *c : probe.components())
                    if (auto *control = object_cast<TControl>(componentAsObject(c)))
                        control->peer()->grab();
            } catch (const std::exception &e) {
                failed.push_back(path.toStdString() + ":" + std::to_string(i + 1) + ": " + e.what());
            }
        }
    }
    std::printf("blocks read: %d, failed: %zu\n", blocks, failed.size());
    for (const std::string &f : failed)
        std::printf("  %s\n", f.c_str());
    EXPECT_TRUE(failed.empty());
}
