// The application's style sheet and the controls' widgets: widgets that no
// rule of the sheet can style are polished by the underlying style alone;
// every widget a rule may style, and every widget under a sheet of its own,
// still goes through the sheet, and is drawn by it.
#include "framework/controls/buttons.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/forms.h"
#include "framework/peer.h"
#include "framework/sheetpolish.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace vantor;

TEST(SheetSubjects, NamesTheClassesItsRulesStyle)
{
    const struct
    {
        const char *sheet;
        const QMetaObject *meta;
        bool mayStyle;
    } cases[] = {
        {"QPushButton { color: red; }", &QPushButton::staticMetaObject, true},
        {"QPushButton { color: red; }", &QLabel::staticMetaObject, false},
        {"QAbstractButton { color: red; }", &QCheckBox::staticMetaObject, true}, // a base class names its heirs
        {"QFrame { color: red; }", &QLabel::staticMetaObject, true},
        {"QWidget { color: red; }", &PaintPeer::staticMetaObject, true},
        // The subject is right of the last combinator; the others only say where.
        {"QLabel QPushButton { color: red; }", &QLabel::staticMetaObject, false},
        {"QLabel > QPushButton:hover { color: red; }", &QPushButton::staticMetaObject, true},
        {"QPushButton[text=\"a b\"] { color: red; }", &QPushButton::staticMetaObject, true},
        {"QPushButton[text=\"a QLabel\"] { color: red; }", &QLabel::staticMetaObject, false},
        {"QComboBox::drop-down { width: 16px; }", &QLabel::staticMetaObject, false},
        {"QLineEdit, QComboBox:focus { border: none; }", &QLineEdit::staticMetaObject, true},
        // A subject with no type can be any widget.
        {"* { color: red; }", &QLabel::staticMetaObject, true},
        {"#Button1 { color: red; }", &QLabel::staticMetaObject, true},
        {".QPushButton { color: red; }", &QLabel::staticMetaObject, true},
        {"QDialog [flat=\"true\"] { color: red; }", &QLabel::staticMetaObject, true},
        // Comments are not rules, braces in them included.
        {"/* QLabel { x } */ QMenu { color: red; }", &QLabel::staticMetaObject, false},
        {"", &QLabel::staticMetaObject, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SheetSubjects(QString::fromLatin1(c.sheet)).mayStyle(c.meta), c.mayStyle)
            << c.sheet << " / " << c.meta->className();
}

namespace {

int pixelsOf(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

// Text drawn in blue, anti-aliased edges included.
int bluePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 150 && c.red() < 120 && c.green() < 120)
                ++n;
        }
    return n;
}

} // namespace

TEST(SheetPolish, OnlyWidgetsTheSheetCanStyleGoThroughIt)
{
    const QString before = qApp->styleSheet();
    qApp->setStyleSheet(QStringLiteral("QPushButton { background-color: #00FF00; border: none; }"
                                       " QLabel { color: #0000FF; }"));
    {
        TComponent host(nullptr);
        auto *form = new TForm(&host);
        form->SetClientWidth(300);
        form->SetClientHeight(200);
        form->Show();
        auto add = [&](TControl *c, TFmxObject *parent, QRectF r) {
            c->SetParent(parent);
            c->SetBounds(r.x(), r.y(), r.width(), r.height());
            c->peer();
            return c;
        };
        auto *button = add(new TButton(&host), form, {0, 0, 80, 30});
        auto *rect = add(new TRectangle(&host), form, {100, 0, 80, 30});
        auto *layout = add(new TLayout(&host), form, {0, 50, 200, 100});
        auto *inner = add(new TRectangle(&host), layout, {0, 0, 50, 50});
        auto *label = static_cast<TLabel *>(add(new TLabel(&host), layout, {60, 60, 120, 30}));
        label->SetText(QStringLiteral("WWWW"));
        const QImage picture = form->peer()->grab().toImage();

        // The button is styled by the sheet, the painted rectangle past it.
        EXPECT_TRUE(button->peer()->testAttribute(Qt::WA_StyleSheet));
        EXPECT_GT(pixelsOf(button->peer()->grab().toImage(), 0x00FF00), 1000);
        EXPECT_TRUE(rect->peer()->testAttribute(Qt::WA_WState_Polished));
        EXPECT_FALSE(rect->peer()->testAttribute(Qt::WA_StyleSheet));
        EXPECT_FALSE(inner->peer()->testAttribute(Qt::WA_StyleSheet));
        // A label under an unstyled layout is still drawn in the sheet's colour.
        EXPECT_TRUE(label->peer()->testAttribute(Qt::WA_StyleSheet));
        EXPECT_GT(bluePixels(picture.copy(60, 110, 120, 30)), 10);

        // Under a widget with a sheet of its own, every widget goes through
        // that sheet: it may name any class.
        layout->peer()->setStyleSheet(QStringLiteral("QWidget { }"));
        auto *late = add(new TRectangle(&host), layout, {60, 0, 50, 50});
        late->peer()->ensurePolished();
        EXPECT_TRUE(late->peer()->testAttribute(Qt::WA_StyleSheet));

        // A sheet whose rules may style any widget leaves every widget to it.
        qApp->setStyleSheet(QStringLiteral("#Nothing { color: red; }"));
        auto *any = add(new TRectangle(&host), form, {200, 0, 50, 30});
        any->peer()->ensurePolished();
        EXPECT_TRUE(any->peer()->testAttribute(Qt::WA_StyleSheet));
    }
    qApp->setStyleSheet(before);
}
