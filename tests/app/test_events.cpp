// The click path on the shown form: the event menu, the choice of a handler
// that opens the source pane, the missing-class list's commands, the
// procedure box and the source/form toggle, driven with real mouse and key
// events.

#include "viewer.h"

#include "app/memocontrols.h"
#include "framework/controls/buttons.h"
#include "framework/controls/edits.h"
#include "framework/controls/lists.h"
#include "framework/controls/menus.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/dummyform.h"
#include "loader/missingobjects.h"
#include "sourceview/memo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace vantor;


namespace {

struct MenuSnapshot
{
    QStringList texts;
    std::vector<bool> enabled;
};

MenuSnapshot snapshot(const TPopupMenu *menu)
{
    MenuSnapshot s;
    for (TMenuItem *item : menu->items()) {
        s.texts << item->Text();
        s.enabled.push_back(item->Enabled());
    }
    return s;
}

// The 0-based line of the unit that starts with head.
int lineOf(const QString &unit, const QString &head)
{
    QFile file(unit);
    if (!file.open(QIODevice::ReadOnly))
        return -2;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(head))
            return i;
    return -1;
}

class EventsTest : public ::testing::Test
{
protected:
    EventsTest() : m_mouse(&mouse), m_clipboard(&clipboard)
    {
        mouse.position = QPointF(120, 90);
        v.showAndWaitForFirstLoad();
    }
    ~EventsTest() override { closePopups(); }

    TF_FMXWindowDisplay &w() { return *v.window; }
    TComponent *component(const QString &name) { return FindFormComponent(v.view().FormDyna, name); }
    QWidget *peerOf(const QString &name)
    {
        auto *control = object_cast<TControl>(component(name));
        return control ? control->peer() : nullptr;
    }
    static void closePopups()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::processEvents();
    }
    static QMenu *openMenu() { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }
    static QAction *action(QMenu *menu, const QString &text)
    {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    // The design-time marker square of a non-visual component.
    TControl *markerOf(const QString &componentName)
    {
        for (TComponent *c : v.view().FormDyna->components()) {
            auto *square = object_cast<TControl>(c);
            if (!square || !square->Name().startsWith(QLatin1String("Du_")) || square->ClassName() != "TRectangle")
                continue;
            for (TFmxObject *child : square->children()) {
                const PropValue keyword = GetPropValue(child, QStringLiteral("HelpKeyword"));
                if (const auto *text = std::get_if<QString>(&keyword);
                    text && text->startsWith(componentName + QLatin1Char(':')))
                    return square;
            }
        }
        return nullptr;
    }

    RecordingMouseService mouse;
    RecordingClipboardService clipboard;
    Viewer v{{testData(QStringLiteral("Events.fmx"))}};

private:
    ScopedMouse m_mouse;
    ScopedClipboard m_clipboard;
};

TEST_F(EventsTest, ClickOnAButtonOpensItsEventMenuAndAHandlerShowsItsProcedure)
{
    ASSERT_NE(peerOf(QStringLiteral("Button1")), nullptr);
    QTest::mouseClick(peerOf(QStringLiteral("Button1")), Qt::LeftButton);

    const MenuSnapshot items = snapshot(w().popEvents);
    EXPECT_EQ(items.texts, (QStringList{QStringLiteral("Button1 (TButton)"), QStringLiteral("-"),
                                        QStringLiteral("OnClick = Button1Click"),
                                        QStringLiteral("OnMouseEnter = Button1MouseEnter")}));
    EXPECT_EQ(items.enabled, (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(w().lbClassInfo->Text(), "Button1 (Klasse: TButton)");

    QMenu *menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->pos(), QPoint(120, 90));
    QAction *onClick = action(menu, QStringLiteral("OnClick = Button1Click"));
    ASSERT_NE(onClick, nullptr);
    onClick->trigger();
    closePopups();

    // The source pane opens with the handler's head as the active line: the
    // procedure itself, not the function whose name begins the same.
    EXPECT_EQ(w().TabSRCView->TabIndex(), 1);
    EXPECT_TRUE(w().bnPas->IsPressed());
    EXPECT_FALSE(w().bnFMX->IsPressed());
    EXPECT_FALSE(v.view().FormDyna->Visible());
    const QString unit = testData(QStringLiteral("Events.pas"));
    EXPECT_EQ(w().APasFile, unit);
    const int head = lineOf(unit, QStringLiteral("procedure TForm1.Button1Click("));
    ASSERT_GT(head, 0);
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(), head);
    EXPECT_EQ(w().AdvMemoPas->memo()->CaretLine(), head);
    EXPECT_FALSE(w().AdvMemoPas->memo()->ActiveLineAtCursor());
}

TEST_F(EventsTest, ClickOnAControlWithoutHandlersOnlyNamesIt)
{
    QTest::mouseClick(peerOf(QStringLiteral("Rectangle1")), Qt::LeftButton);
    EXPECT_EQ(w().lbClassInfo->Text(), "Rectangle1 (Klasse: TRectangle)");
    EXPECT_TRUE(w().popEvents->items().empty());
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_TRUE(v.recorder.messages.isEmpty());
}

TEST_F(EventsTest, PlaceholderTakesClicksAndItsMenuNamesTheMissingClass)
{
    // Asking the plug-in libraries renamed the placeholder; the menu and the
    // status label use the name of the form file.
    auto *placeholder = object_cast<TLabel>(component(QStringLiteral("Grid12222")));
    ASSERT_NE(placeholder, nullptr);
    ASSERT_EQ(placeholder->Text(), "@TFancyGrid");
    QTest::mouseClick(placeholder->peer(), Qt::LeftButton);

    EXPECT_EQ(snapshot(w().popEvents).texts,
              (QStringList{QStringLiteral("Grid1 (TFancyGrid)"), QStringLiteral("-"), QStringLiteral("OnClick = Grid1Click")}));
    EXPECT_EQ(w().lbClassInfo->Text(), "Grid1 (Klasse: TLabel)");
    ASSERT_NE(openMenu(), nullptr);
    w().popEvents->items()[2]->Click();
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(),
              lineOf(testData(QStringLiteral("Events.pas")), QStringLiteral("procedure TForm1.Grid1Click(")));
}

TEST_F(EventsTest, MarkerClicksReachTheNonVisualComponentTheyStandFor)
{
    w().bnDT->Click();
    ASSERT_NE(markerOf(QStringLiteral("Timer1")), nullptr);
    w().lbClassInfo->SetText(QStringLiteral("-"));

    // A timer with a handler: its menu, and the status label stays.
    QTest::mouseClick(markerOf(QStringLiteral("Timer1"))->peer(), Qt::LeftButton);
    EXPECT_EQ(snapshot(w().popEvents).texts, (QStringList{QStringLiteral("Timer1 (TTimer)"), QStringLiteral("-"),
                                                          QStringLiteral("OnTimer = Timer1Timer")}));
    EXPECT_NE(openMenu(), nullptr);
    EXPECT_EQ(w().lbClassInfo->Text(), "-");
    closePopups();

    // A timer without handlers: its name in a message box.
    QTest::mouseClick(markerOf(QStringLiteral("Timer2"))->peer(), Qt::LeftButton);
    EXPECT_EQ(v.recorder.messages, QStringList{QStringLiteral("Timer2")});
    EXPECT_EQ(openMenu(), nullptr);

    // An image list: "EditList", then the square is named like any control.
    v.recorder.messages.clear();
    TControl *square = markerOf(QStringLiteral("ImageList1"));
    ASSERT_NE(square, nullptr);
    QTest::mouseClick(square->peer(), Qt::LeftButton);
    EXPECT_EQ(v.recorder.messages, QStringList{QStringLiteral("EditList")});
    EXPECT_EQ(w().lbClassInfo->Text(), square->Name() + QStringLiteral(" (Klasse: TRectangle)"));
}

TEST_F(EventsTest, CopyCommandPutsRegistrationLinesOnTheClipboard)
{
    const QString fancy = QStringLiteral("  RegisterClass (TFancyGrid); slClasses.add ('TFancyGrid');\r\n");
    const QString gauge = QStringLiteral("  RegisterClass (TGauge); slClasses.add ('TGauge');\r\n");
    struct Case
    {
        QStringList entries;
        QString text;
    };
    const Case cases[] = {
        {{QStringLiteral("Fehler: x"), QStringLiteral("TFancyGrid")}, fancy},
        {{QStringLiteral("TFancyGrid"), QStringLiteral("TGauge")}, fancy + gauge},
        {{QStringLiteral("Fehler: kaputt")}, QString()},
        // Only the first entry is tested for an error.
        {{QStringLiteral("TFancyGrid"), QStringLiteral("Fehler")},
         fancy + QStringLiteral("  RegisterClass (Fehler); slClasses.add ('Fehler');\r\n")},
    };
    for (const Case &c : cases) {
        clipboard.setText(QStringLiteral("before"));
        clipboard.writes = 0;
        w().lbMissing->Items()->setLines(c.entries);
        w().MenuItem1->Click();
        EXPECT_EQ(clipboard.writes, 1) << c.entries.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(clipboard.text(), c.text) << c.entries.join(QLatin1Char('|')).toStdString();
    }

    clipboard.setText(QStringLiteral("before"));
    clipboard.writes = 0;
    w().lbMissing->Items()->clear();
    w().MenuItem1->Click();
    EXPECT_EQ(clipboard.writes, 0);
    EXPECT_EQ(clipboard.text(), "before");
}

TEST_F(EventsTest, DoubleClickOnAMissingClassNamesItsComponentsAndKeepsTheForm)
{
    ASSERT_EQ(w().lbMissing->Items()->lines(), QStringList{QStringLiteral("TFancyGrid")});
    TF_FMXDummy *shown = v.view().FormDyna;

    // Nothing selected: nothing happens.
    w().lbMissingDblClick(w().lbMissing);
    EXPECT_EQ(w().lbClassInfo->Text(), "-");

    TListBoxItem *row = w().lbMissing->ListItems(0);
    ASSERT_NE(row, nullptr);
    // A double click is a click (which selects the row) and then the
    // double click itself.
    QTest::mouseClick(row->peer(), Qt::LeftButton);
    QTest::mouseDClick(row->peer(), Qt::LeftButton);
    EXPECT_EQ(w().lbMissing->ItemIndex(), 0);
    EXPECT_EQ(w().lbClassInfo->Text(), "Grid1 (Klasse: TFancyGrid)");
    EXPECT_EQ(v.view().FormDyna, shown);
    EXPECT_EQ(w().AFMXFile, testData(QStringLiteral("Events.fmx")));
    EXPECT_TRUE(v.recorder.messages.isEmpty());
}

TEST_F(EventsTest, ProcedureBoxFiltersAsYouTypeAndJumpsToTheChosenEntry)
{
    w().bnPas->Click();
    auto *combo = qobject_cast<QComboBox *>(w().cbProcs->peer());
    ASSERT_NE(combo, nullptr);
    const QStringList all = w().cbProcs->Items()->lines();
    ASSERT_EQ(all.size(), 6);
    EXPECT_TRUE(all.first().startsWith(QLatin1String("function ")));

    // A click into the box with nothing selected does nothing.
    const int before = w().AdvMemoPas->memo()->ActiveLine();
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(), before);

    combo->setFocus();
    QTest::keyClicks(combo, QStringLiteral("cLIck"));
    EXPECT_EQ(w().cbProcs->Text(), "cLIck");
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 5);
    EXPECT_EQ(w().cbProcs->Items()->lines(),
              (QStringList{QStringLiteral("function TForm1.Button1ClickCount: Integer;"),
                           QStringLiteral("procedure TForm1.Button1Click"), QStringLiteral("procedure TForm1.Grid1Click")}));

    // Choosing from the list jumps to the entry's line.
    emit combo->activated(2);
    EXPECT_EQ(w().cbProcs->ItemIndex(), 2);
    const int grid = lineOf(testData(QStringLiteral("Events.pas")), QStringLiteral("procedure TForm1.Grid1Click("));
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(), grid);

    // Emptying the text brings every entry back.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_End);
    for (qsizetype n = w().cbProcs->Text().size(); n > 0; --n)
        QTest::keyClick(combo, Qt::Key_Backspace);
    EXPECT_EQ(w().cbProcs->Text(), "");
    EXPECT_EQ(w().cbProcs->Items()->lines(), all);
}

TEST_F(EventsTest, OldEntriesAfterAFormWithoutUnitSetTheLineOfTheEmptyViewer)
{
    w().bnPas->Click();
    ASSERT_EQ(w().cbProcs->Items()->count(), 6);
    w().GetForm(testData(QStringLiteral("plain.fmx")), true);
    w().bnPas->Click();
    EXPECT_EQ(w().AdvMemoPas->memo()->LineCount(), 0);
    ASSERT_EQ(w().cbProcs->Items()->count(), 6);
    auto *combo = qobject_cast<QComboBox *>(w().cbProcs->peer());
    emit combo->activated(5);
    EXPECT_EQ(w().AdvMemoPas->memo()->ActiveLine(), w().cbProcs->Items()->list().tag(5));
    EXPECT_EQ(w().AdvMemoPas->memo()->CaretLine(), 0);
}

TEST_F(EventsTest, F12SwitchesBetweenFormAndSource)
{
    QWidget *window = w().peer();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    QTest::keyClick(window, Qt::Key_F12);
    EXPECT_EQ(w().TabSRCView->TabIndex(), 1);
    EXPECT_TRUE(w().bnPas->IsPressed());
    EXPECT_GT(w().AdvMemoPas->memo()->LineCount(), 0);

    QTest::keyClick(window, Qt::Key_F12);
    EXPECT_EQ(w().TabSRCView->TabIndex(), 0);
    EXPECT_TRUE(w().bnFMX->IsPressed());
    // The form was loaded again, which empties the source viewer.
    EXPECT_EQ(w().AdvMemoPas->memo()->LineCount(), 0);
}

} // namespace
