// The published properties of the known classes, family by family, as the
// component framework defines them along each class's ancestry: nested
// objects, collections, sets, events, and every spelling of an enumeration
// value that forms use (with and without the type's prefix, old and new
// names). Properties of other platforms' frameworks stay errors. Headless.

#include "framework/brush.h"
#include "framework/controls/shapes.h"
#include "framework/forms.h"
#include "framework/reader.h"
#include "loader/registry.h"
#include "streams/texttobinary.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>

#include <string>

namespace vantor::test {

// A form whose one published method takes every event line of a case.
class TPublishedRoot : public TForm
{
    VANTOR_CLASS(TPublishedRoot, TForm)
public:
    explicit TPublishedRoot(TComponent *owner) : TForm(owner) {}
    static void DeclareProperties(ClassBuilder<TPublishedRoot> &b) { b.method<&TPublishedRoot::Handler>("Handler"); }
    void Handler(TObject *) {}
};
VANTOR_IMPLEMENT_CLASS(TPublishedRoot)

} // namespace vantor::test

namespace {

using namespace vantor;
using vantor::test::TPublishedRoot;

struct Case
{
    const char *cls;    // the component's class; nullptr: the lines belong to the form
    const char *lines;  // property lines, one per '\n'
    const char *parent; // the class of the parent the component needs, or nullptr
};

QString indented(const char *lines, int depth)
{
    const QString pad(depth * 2, QLatin1Char(' '));
    QString out;
    for (const QString &line : QString::fromUtf8(lines).split(QLatin1Char('\n')))
        out += pad + line + QLatin1Char('\n');
    return out;
}

QString formText(const Case &c)
{
    if (!c.cls)
        return "object F: TPublishedRoot\n" + indented(c.lines, 1) + "end\n";
    QString child = QStringLiteral("object C1: %1\n").arg(QString::fromLatin1(c.cls)) + indented(c.lines, 1) + "end";
    if (c.parent)
        child = QStringLiteral("object P1: %1\n").arg(QString::fromLatin1(c.parent)) + indented(child.toUtf8(), 1)
                + "end";
    return "object F: TPublishedRoot\n" + indented(child.toUtf8(), 1) + "end\n";
}

class Published : public testing::Test
{
protected:
    void SetUp() override { InitKnownClasses(); }

    // Reads the case into a fresh root; the error's message, or empty.
    std::string readError(const Case &c, TPublishedRoot **out = nullptr)
    {
        auto *root = new TPublishedRoot(&host);
        if (out)
            *out = root;
        const QByteArray text = formText(c).toUtf8();
        try {
            const auto bytes = textToBinary(
                std::span(reinterpret_cast<const std::uint8_t *>(text.constData()), std::size_t(text.size())));
            TReader reader(bytes.data(), bytes.size());
            reader.ReadRootComponent(root);
        } catch (const std::exception &e) {
            return e.what();
        }
        return {};
    }

    TComponent host{nullptr};
};

TEST_F(Published, WhatTheFrameworkPublishesIsAccepted)
{
    const Case cases[] = {
        // TComponent, TFmxObject and TControl, as every visual class publishes them.
        {"TLayout",
         "Tag = 3\nStyleName = 'lay'\nAlign = Client\nAnchors = [akLeft, akTop, akRight, akBottom]\n"
         "Cursor = crHandPoint\nDragMode = dmAutomatic\nEnableDragHighlight = False\nLocked = True\n"
         "ClipChildren = True\nClipParent = True\nHitTest = False\nOpacity = 0.5\nRotationAngle = 45.0\n"
         "Margins.Left = 1.0\nMargins.Rect = '(1,2,3,4)'\nPadding.Bottom = 2.0\nPosition.X = 1.0\n"
         "Position.Point = '(8,8)'\nRotationCenter.X = 0.25\nScale.Y = 2.0\nSize.Width = 10.0\n"
         "Size.PlatformDefault = False\nTouchTargetExpansion.Left = 6.0\nTouch.InteractiveGestures = [Zoom, Pan, "
         "LongTap]\nTabOrder = 2\nTabStop = False\nVisible = False\nDesignVisible = False",
         nullptr},
        {"TPanel",
         "Align = alMostTop\nHint = 'h'\nShowHint = True\nParentShowHint = False\nHelpType = htKeyword\n"
         "HelpKeyword = 'k'\nHelpContext = 7\nStyleLookup = 'panelstyle'\n"
         "Touch.InteractiveGestures = [igZoom, igDoubleTap]\nOnClick = Handler\nOnDblClick = Handler\n"
         "OnMouseWheel = Handler\nOnKeyDown = Handler\nOnGesture = Handler\nOnDragEnd = Handler\n"
         "OnPainting = Handler\nOnResized = Handler\nOnApplyStyleLookup = Handler\nOnTap = Handler",
         nullptr},
        {"TLayout", "Align = FitRight", nullptr},
        {"TLayout", "Align = alVertCenter", nullptr},
        // TTextControl: text settings, the font and its style set, older direct spellings.
        {"TLabel",
         "Text = 'x'\nAutoSize = True\nAutoTranslate = False\nWordWrap = False\nTrimming = Word\n"
         "TextSettings.Font.Family = 'Arial'\nTextSettings.Font.Size = 14.0\n"
         "TextSettings.Font.Style = [fsBold, fsItalic, fsUnderline, fsStrikeOut]\nTextSettings.FontColor = claRed\n"
         "TextSettings.HorzAlign = Leading\nTextSettings.VertAlign = taTrailing\nTextSettings.Trimming = ttCharacter\n"
         "StyledSettings = [Family, Size, Style, FontColor, Other]",
         nullptr},
        {"TLabel", "StyledSettings = [ssFamily, ssOther]\nFont.Size = 11.0\nFontColor = xFF00FF00\nTextAlign = taCenter\n"
                   "VertTextAlign = Trailing", nullptr},
        // Buttons.
        {"TButton",
         "ModalResult = 1\nStaysPressed = True\nIsPressed = True\nCancel = True\nDefault = True\nRepeatClick = True\n"
         "ImageIndex = 0\nTextSettings.FontColorForState.Hot = claRed",
         nullptr},
        {"TCornerButton",
         "Corners = [TopLeft, BottomRight]\nCornerType = ctBevel\nSides = [sdTop, sdLeft]\nXRadius = 3.0", nullptr},
        {"TCornerButton", "Corners = [crTopLeft]\nCornerType = InnerLine\nSides = [Bottom, Right]", nullptr},
        {"TSpeedButton", "GroupName = 'g'\nStaysPressed = True", nullptr},
        {"TCheckBox", "IsChecked = True\nOnChange = Handler", nullptr},
        {"TSwitch", "IsChecked = True\nOnSwitch = Handler", nullptr},
        // Shapes: fill and stroke brushes with their gradient and bitmap, the shapes' own
        // sets, and the stroke settings the earliest forms put on the shape.
        {"TRectangle",
         "Fill.Kind = bkGradient\nFill.Gradient.Style = gsRadial\nFill.Gradient.Points = <\n  item\n"
         "    Color = claRed\n    Offset = 0.0\n  end>\nFill.Gradient.StartPosition.X = 0.5\n"
         "Fill.Gradient.RadialTransform.RotationAngle = 30.0\nStroke.Kind = None\nStroke.Dash = sdDashDot\n"
         "Stroke.Cap = Round\nStroke.Join = sjBevel\nStroke.Thickness = 2.0\nCorners = [TopLeft]\n"
         "Sides = [Top, Left, Bottom, Right]",
         nullptr},
        {"TRectangle", "Fill.Kind = Bitmap\nFill.Bitmap.WrapMode = wmTileOriginal", nullptr},
        {"TRectangle", "Fill.Kind = Resource\nFill.Resource.StyleLookup = 'x'\nFill.Bitmap.WrapMode = TileStretch",
         nullptr},
        {"TRectangle", "Fill.Kind = bkGrab\nFill.Gradient.Color = claBlue\nFill.Gradient.Color1 = claWhite", nullptr},
        {"TRectangle", "StrokeThickness = 2.0\nStrokeCap = scRound\nStrokeDash = sdDot\nStrokeJoin = Bevel", nullptr},
        {"TLine", "LineType = ltTop\nLineLocation = InnerWithin\nStrokeThickness = 3.0", nullptr},
        {"TLine", "LineType = Bottom", nullptr},
        {"TImage",
         "WrapMode = iwStretch\nMarginWrapMode = Tile\nBitmapMargins.Left = 2.0\nDisableInterpolation = True", nullptr},
        {"TImage", "WrapMode = Place", nullptr},
        // Edits and their keyboard.
        {"TEdit",
         "KeyboardType = vktNumberPad\nReturnKeyType = rktNext\nCharCase = ecUpperCase\nPassword = True\n"
         "TextPrompt = 'p'\nMaxLength = 3\nFilterChar = '0123'\nCaret.Color = claBlue\nKillFocusByReturn = True\n"
         "CheckSpelling = True\nControlType = Platform\nImeMode = imDisable\nOnValidate = Handler\n"
         "OnTyping = Handler\nOnChangeTracking = Handler",
         nullptr},
        {"TEdit", "KeyboardType = EmailAddress\nReturnKeyType = Go", nullptr},
        {"TMemo",
         "Lines.Strings = (\n  'a'\n  'b')\nDataDetectorTypes = [PhoneNumber, Link]\nShowScrollBars = False\n"
         "WordWrap = True\nUseSmallScrollBars = True",
         nullptr},
        {"TSpinBox", "ValueType = vtFloat\nIncrement = 0.5\nDecimalDigits = 1", nullptr},
        {"TNumberBox", "ValueType = Float\nHorzIncrement = 2.0\nVertIncrement = 3.0", nullptr},
        // Lists and scroll boxes.
        {"TListBox",
         "ListStyle = lsHorizontal\nMultiSelectStyle = Extended\nGroupingKind = Grouped\n"
         "DefaultItemStyles.ItemStyle = 'x'\nAlternatingRowBackground = True\nShowCheckboxes = True\n"
         "AllowDrag = True\nHideSelectionUnfocused = True\nMouseTracking = True\nOnChangeCheck = Handler",
         nullptr},
        {"TListBoxItem", "ItemData.Accessory = aCheckmark\nItemData.Detail = 'd'\nIsChecked = True", "TListBox"},
        {"TComboBox", "Items.Strings = (\n  'a')\nItemIndex = 0\nDropDownKind = Custom\nDropDownCount = 4", nullptr},
        {"TTreeView", "UseSmallScrollBars = True\nHideSelectionUnfocused = False", nullptr},
        {"TScrollBox", "UseSmallScrollBars = True\nMouseTracking = True\nShowSizeGrip = True", nullptr},
        {"TStringGrid",
         "Options = [ColumnResize, ColLines, RowLines, Header]\nRowHeight = 21.0\nUseSmallScrollBars = True", nullptr},
        // Tabs, bars and the rest of the families' enumerations.
        {"TTabControl", "TabPosition = tpBottom", nullptr},
        {"TTabControl", "TabPosition = Dots", nullptr},
        {"TTabControl", "TabPosition = PlatformDefault", nullptr},
        {"TTrackBar", "Orientation = orVertical\nFrequency = 1.0", nullptr},
        {"TProgressBar", "Orientation = Vertical\nValue = 3.0", nullptr},
        {"TAniIndicator", "Style = Circular", nullptr},
        {"TAniIndicator", "Style = aiLinear", nullptr},
        {"TCalloutPanel", "CalloutPosition = cpLeft", nullptr},
        {"TCalendar", "FirstDayOfWeek = dowSunday", nullptr},
        {"TGradientAnimation", "AnimationType = atInOut\nInterpolation = itBounce", nullptr},
        {"TGradientAnimation", "AnimationType = Out\nInterpolation = Elastic", nullptr},
        {"TSelection", "ParentBounds = False", nullptr},
        {"TOpenDialog", "Options = [ofHideReadOnly, ofEnableSizing]", nullptr},
        // The form itself.
        {nullptr,
         "BorderStyle = bsSizeToolWin\nPosition = poScreenCenter\nWindowState = wsMaximized\nFormStyle = StayOnTop\n"
         "BorderIcons = [biSystemMenu, biMinimize]\nFormFactor.Orientations = [Landscape, soPortrait]\n"
         "FormFactor.Devices = [Desktop, dkiPhone]\nQuality = HighPerformance\nBorder.Styling = False\n"
         "BiDiMode = bdRightToLeft\nFill.Kind = bkSolid\nOnCreate = Handler\nOnCloseQuery = Handler",
         nullptr},
        {nullptr, "Position = MainFormCenter\nBorderStyle = None", nullptr},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readError(c), "") << formText(c).toStdString();
}

TEST_F(Published, OldShapeStrokeSettingsAndGradientShortcutsDrawAsTheirNewSpelling)
{
    TPublishedRoot *root = nullptr;
    ASSERT_EQ(readError({"TRectangle",
                         "StrokeThickness = 4.0\nStrokeDash = sdDot\nFill.Kind = Gradient\n"
                         "Fill.Gradient.Color = claRed\nFill.Gradient.Color1 = claBlue",
                         nullptr},
                        &root),
              "");
    auto *rect = object_cast<TRectangle>(root->FindComponent(QStringLiteral("C1")));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->Stroke()->Thickness(), 4.0);
    EXPECT_EQ(rect->Stroke()->Dash(), TStrokeDash::Dot);
    TCollection &points = *rect->Fill()->Gradient()->Points();
    ASSERT_EQ(points.Count(), 2);
    EXPECT_EQ(static_cast<TGradientPoint *>(points.Items(0))->Color(), claColors::Red);
    EXPECT_EQ(static_cast<TGradientPoint *>(points.Items(1))->Color(), claColors::Blue);
    EXPECT_EQ(static_cast<TGradientPoint *>(points.Items(1))->Offset(), 1.0);

    // A grab brush paints nothing.
    ASSERT_EQ(readError({"TRectangle", "Fill.Kind = bkGrab", nullptr}, &root), "");
    rect = object_cast<TRectangle>(root->FindComponent(QStringLiteral("C1")));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->Fill()->Kind(), TBrushKind::None);
}

TEST_F(Published, OtherPlatformsPropertiesAndUnknownValuesStayErrors)
{
    struct ErrorCase
    {
        Case c;
        const char *message;
    };
    const ErrorCase cases[] = {
        // The desktop framework's tool bar, radio group items, label caption and panel bevel.
        {{"TToolBar", "ButtonHeight = 22", nullptr}, "C1.ButtonHeight: Eigenschaft ButtonHeight existiert nicht"},
        {{"TGroupBox", "Items.Strings = (\n  'a')", nullptr}, "C1.Items.Strings: Eigenschaft Items.Strings existiert nicht"},
        {{"TLabel", "Caption = 'x'", nullptr}, "C1.Caption: Eigenschaft Caption existiert nicht"},
        {{"TPanel", "BevelOuter = bvNone", nullptr}, "C1.BevelOuter: Eigenschaft BevelOuter existiert nicht"},
        {{"TButton", "Font.Name = 'Arial'", nullptr}, "C1.Font.Name: Eigenschaft Font.Name existiert nicht"},
        {{"TEdit", "BorderStyle = bsNone", nullptr}, "C1.BorderStyle: Eigenschaft BorderStyle existiert nicht"},
        // Values no enumeration or set of the framework has.
        {{"TLayout", "Align = alSomewhere", nullptr}, "C1.Align: Ungültiger Eigenschaftswert"},
        {{"TRectangle", "Fill.Kind = bkPattern", nullptr}, "C1.Fill.Kind: Ungültiger Eigenschaftswert"},
        {{"TLayout", "Anchors = [akMiddle]", nullptr}, "C1.Anchors: Ungültiger Eigenschaftswert"},
        {{"TRectangle", "Sides = [sdCenter]", nullptr}, "C1.Sides: Ungültiger Eigenschaftswert"},
    };
    for (const ErrorCase &e : cases)
        EXPECT_EQ(readError(e.c), e.message) << formText(e.c).toStdString();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
