// Controls with their Qt peers: geometry pushed to the widgets, real mouse
// clicks reaching OnClick, labels letting clicks through, painted shapes,
// and forms as top-level windows.
#include "streambuilder.h"
#include "testclasses.h"

#include "framework/peer.h"
#include "framework/reader.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace vantor;
using namespace vantor::test;

namespace {

struct ClickLog
{
    std::vector<TObject *> clicks;
    std::vector<TObject *> doubleClicks;
    void onClick(TObject *sender) { clicks.push_back(sender); }
    void onDblClick(TObject *sender) { doubleClicks.push_back(sender); }
};

// A small form read from a stream, shown offscreen.
TForm *buildForm(TComponent *owner)
{
    registerTestClasses();
    StreamBuilder s;
    s.object("TForm", "F").integer("ClientWidth", 300).integer("ClientHeight", 200).string("Caption", "Test")
        .children()
        .object("TPanel", "Panel1").ident("Align", "Client").children()
        .object("TButton", "Button1").string("Text", "Go").floating("Position.X", 10).floating("Position.Y", 10)
        .floating("Size.Width", 80).floating("Size.Height", 22).children().end()
        .object("TLabel", "Label1").string("Text", "Hallo").floating("Position.X", 10).floating("Position.Y", 50)
        .floating("Size.Width", 80).floating("Size.Height", 20).children().end()
        .object("TRectangle", "Rect1").floating("Position.X", 150).floating("Position.Y", 50)
        .floating("Size.Width", 60).floating("Size.Height", 40).ident("Fill.Color", "claRed")
        .ident("Stroke.Color", "claBlue").integer("Stroke.Thickness", 4).children().end()
        .end()
        .end();
    auto *form = new TForm(owner);
    TReader reader(s.bytes().data(), s.bytes().size());
    reader.ReadRootComponent(form);
    return form;
}

} // namespace

TEST(Controls, PeersMirrorTheFrameworkGeometryAndState)
{
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    form->Show();
    auto *panel = object_cast<TPanel>(form->FindComponent(QStringLiteral("Panel1")));
    auto *button = object_cast<TButton>(form->FindComponent(QStringLiteral("Button1")));
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    ASSERT_TRUE(panel && button && label);

    QWidget *window = form->peer();
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Test"));
    EXPECT_EQ(window->size(), QSize(300, 200));
    EXPECT_EQ(panel->peer()->parentWidget(), window);
    EXPECT_EQ(panel->peer()->geometry(), QRect(0, 0, 300, 200));
    auto *qbutton = qobject_cast<QPushButton *>(button->peer());
    ASSERT_NE(qbutton, nullptr);
    EXPECT_EQ(qbutton->parentWidget(), panel->peer());
    EXPECT_EQ(qbutton->geometry(), QRect(10, 10, 80, 22));
    EXPECT_EQ(qbutton->text(), QStringLiteral("Go"));
    auto *qlabel = qobject_cast<QLabel *>(label->peer());
    ASSERT_NE(qlabel, nullptr);
    EXPECT_EQ(qlabel->text(), QStringLiteral("Hallo"));

    // Changes in the framework reach the widgets.
    button->SetBounds(20, 30, 100, 25);
    EXPECT_EQ(qbutton->geometry(), QRect(20, 30, 100, 25));
    button->SetText(QStringLiteral("Los"));
    EXPECT_EQ(qbutton->text(), QStringLiteral("Los"));
    button->SetVisible(false);
    EXPECT_FALSE(qbutton->isVisible());
    button->SetVisible(true);
    EXPECT_TRUE(qbutton->isVisible());
    button->SetEnabled(false);
    EXPECT_FALSE(qbutton->isEnabled());

    // Resizing the window re-aligns the client-aligned panel.
    window->resize(400, 250);
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(panel->peer()->geometry(), QRect(0, 0, 400, 250));

    // Stream order is drawing order: the later sibling is on top.
    const auto kids = panel->peer()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(kids.size(), 3);
    EXPECT_EQ(kids.back(), object_cast<TControl>(form->FindComponent(QStringLiteral("Rect1")))->peer());
}

TEST(Controls, AHugeLabelTextKeepsItsWholeTextButItsWidgetGetsWhatCanShow)
{
    // A 50 MB caption took Qt minutes to lay out on every paint.
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    form->Show();
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    ASSERT_NE(label, nullptr);
    auto *qlabel = qobject_cast<QLabel *>(label->peer());
    // A character outside the basic plane straddles the cut: it is left out whole.
    const QString huge = QString(65535, QLatin1Char('q')) + QString::fromUcs4(U"\U0001F600") + QString(1000000, QLatin1Char('r'));
    label->SetText(huge);
    EXPECT_EQ(label->Text(), huge);
    EXPECT_EQ(qlabel->text(), QString(65535, QLatin1Char('q')));
    label->SetText(QStringLiteral("short"));
    EXPECT_EQ(qlabel->text(), QStringLiteral("short"));
}

namespace {

// The width of the ink on a widget's picture, in pixels.
int inkWidth(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right < left ? 0 : right - left + 1;
}

} // namespace

TEST(Controls, TextThatLooksLikeMarkupIsShownAsItStands)
{
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    form->Show();
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    auto *button = object_cast<TButton>(form->FindComponent(QStringLiteral("Button1")));
    ASSERT_TRUE(label && button);
    label->SetBounds(10, 50, 280, 20);
    label->TextSettings()->SetWordWrap(false);

    // Taken for markup, "<b>W</b>" is one bold letter; as it stands it is
    // eight characters wide.
    label->SetText(QStringLiteral("W"));
    const int letter = inkWidth(label->peer());
    ASSERT_GT(letter, 0);
    label->SetText(QStringLiteral("<b>W</b>"));
    EXPECT_GT(inkWidth(label->peer()), 4 * letter);
    label->SetText(QStringLiteral("<"));
    const int lessThan = inkWidth(label->peer());
    label->SetText(QStringLiteral("&lt;"));
    EXPECT_GT(inkWidth(label->peer()), 2 * lessThan);

    // Hints: a tool tip Qt would read as markup shows the hint's own text.
    for (const QString &hint : {QStringLiteral("<b>bold</b> and <i>x</i>"), QStringLiteral("AT&amp;T &lt;x&gt;"),
                               QStringLiteral("<p>two\nlines</p>"), QStringLiteral("plain & simple"),
                               QStringLiteral("a < b > c")}) {
        const QString tip = plainToolTip(hint);
        if (!Qt::mightBeRichText(hint)) {
            EXPECT_EQ(tip, hint);
            continue;
        }
        QTextDocument shown;
        shown.setHtml(tip);
        EXPECT_EQ(shown.toPlainText(), hint) << hint.toStdString();
    }
    button->SetHint(QStringLiteral("<b>bold</b>"));
    button->SetShowHint(true);
    EXPECT_EQ(button->peer()->toolTip(), plainToolTip(QStringLiteral("<b>bold</b>")));
}

TEST(Controls, AnAutoSizedOneLineLabelTakesItsTextsWidth)
{
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    form->Show();
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    ASSERT_NE(label, nullptr);
    auto *qlabel = qobject_cast<QLabel *>(label->peer());

    // Wrapping (the default): the width stays.
    label->SetAutoSize(true);
    label->SetText(QStringLiteral("A much longer text than before"));
    EXPECT_EQ(label->Width(), 80);

    label->TextSettings()->SetWordWrap(false);
    label->SetText(QStringLiteral("A much longer text than before"));
    const double longWidth = label->Width();
    EXPECT_GE(longWidth, QFontMetricsF(qlabel->font()).horizontalAdvance(label->Text()));
    EXPECT_EQ(qlabel->width(), qRound(longWidth));
    label->SetText(QStringLiteral("-"));
    EXPECT_LT(label->Width(), longWidth / 4);
}

TEST(Controls, RealMouseClicksFireOnClickOfTheControlUnderThePointer)
{
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    form->Show();
    auto *panel = object_cast<TPanel>(form->FindComponent(QStringLiteral("Panel1")));
    auto *button = object_cast<TButton>(form->FindComponent(QStringLiteral("Button1")));
    auto *label = object_cast<TLabel>(form->FindComponent(QStringLiteral("Label1")));
    auto *rect = object_cast<TRectangle>(form->FindComponent(QStringLiteral("Rect1")));
    ClickLog log;
    for (TComponent *c : form->components())
        if (GetPropInfo(c, QStringLiteral("OnClick"))) {
            SetMethodProp(c, QStringLiteral("OnClick"), TNotifyEvent::bind<&ClickLog::onClick>(&log).method());
            SetMethodProp(c, QStringLiteral("OnDblClick"), TNotifyEvent::bind<&ClickLog::onDblClick>(&log).method());
        }

    QTest::mouseClick(button->peer(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(rect->peer(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(panel->peer(), Qt::LeftButton, {}, QPoint(250, 150));
    QTest::mouseDClick(rect->peer(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log.clicks, (std::vector<TObject *>{button, rect, panel}));
    EXPECT_EQ(log.doubleClicks, (std::vector<TObject *>{rect}));

    // A press that ends outside is no click.
    log.clicks.clear();
    QTest::mousePress(rect->peer(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(rect->peer(), Qt::LeftButton, {}, QPoint(500, 500));
    EXPECT_TRUE(log.clicks.empty());

    // A label does not take hits: the widget says so, so a click lands on the panel.
    EXPECT_TRUE(label->peer()->testAttribute(Qt::WA_TransparentForMouseEvents));
    label->SetHitTest(true);
    QTest::mouseClick(label->peer(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log.clicks, (std::vector<TObject *>{label}));
}

TEST(Controls, RectanglePaintsFillAndStroke)
{
    TComponent host(nullptr);
    TForm *form = buildForm(&host);
    auto *rect = object_cast<TRectangle>(form->FindComponent(QStringLiteral("Rect1")));
    QWidget *w = rect->peer();
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::red));  // inside: fill
    EXPECT_EQ(image.pixelColor(1, 20), QColor(Qt::blue));  // 4 px stroke inside the edge
    rect->Fill()->SetKind(TBrushKind::None);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(image.pixelColor(30, 20).alpha(), 0);
}

TEST(Controls, FormsAndFramesAsRoots)
{
    registerTestClasses();
    TComponent host(nullptr);
    auto *form = new TForm(&host);
    auto *frame = new TFrame(form);
    StreamBuilder s;
    s.object("TFrameX", "Frame1").floating("Size.Width", 200).floating("Size.Height", 100)
        .children()
        .object("TButton", "Button1").ident("Align", "Bottom").floating("Size.Height", 30).children().end()
        .end();
    TReader reader(s.bytes().data(), s.bytes().size());
    reader.ReadRootComponent(frame);
    frame->SetParent(form);
    EXPECT_EQ(frame->Name(), QStringLiteral("Frame1"));
    auto *button = object_cast<TButton>(frame->FindComponent(QStringLiteral("Button1")));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Owner(), frame);
    EXPECT_EQ(button->BoundsRect(), QRectF(0, 70, 200, 30));

    form->SetBorderStyle(TFmxFormBorderStyle::Sizeable);
    form->SetPosition(TFormPosition::Designed);
    form->setClientSize({800, 600});
    form->SetHeight(form->Height() + 10);
    EXPECT_EQ(form->ClientHeight(), 610);
    form->Show();
    EXPECT_TRUE(form->peer()->isVisible());
    EXPECT_EQ(frame->peer()->parentWidget(), form->peer());
    form->Hide();
    EXPECT_FALSE(form->peer()->isVisible());
    delete form; // frees the frame, its button and all widgets
    EXPECT_EQ(host.ComponentCount(), 0);
}
