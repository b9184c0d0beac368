#include "loader/registry.h"

#include "framework/forms.h"
#include "framework/controls/bars.h"
#include "framework/controls/buttons.h"
#include "framework/controls/charts.h"
#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/grids.h"
#include "framework/controls/images.h"
#include "framework/controls/lists.h"
#include "framework/controls/menus.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/pickers.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
#include "framework/controls/tabs.h"
#include "loader/knownclasses.h"
#include "streams/stringlist.h"

#include <array>
#include <string_view>

namespace vantor {

namespace {

using RegisterFn = void (*)();

template<class T> void registerOne()
{
    RegisterClass<T>();
}

struct KnownClass
{
    std::string_view name;
    RegisterFn registerClass; // nullptr while the framework has no such class
};

// Every known class with the function that registers it, in registration
// order. A null entry is a class the framework does not have yet; it stays
// in the list (see RegisteredKnownClassCount).
constexpr std::array<KnownClass, 89> kKnownClasses = {{
    {"TForm", &registerOne<TForm>},
    {"TFrame", &registerOne<TFrame>},
    {"TPanel", &registerOne<TPanel>},
    {"TMemo", &registerOne<TMemo>},
    {"TTimer", &registerOne<TTimer>},
    {"TListBox", &registerOne<TListBox>},
    {"TListBoxItem", &registerOne<TListBoxItem>},
    {"TSplitter", &registerOne<TSplitter>},
    {"TEdit", &registerOne<TEdit>},
    {"TCheckBox", &registerOne<TCheckBox>},
    {"TRadioButton", &registerOne<TRadioButton>},
    {"TButton", &registerOne<TButton>},
    {"TTabControl", &registerOne<TTabControl>},
    {"TTabItem", &registerOne<TTabItem>},
    {"TLabel", &registerOne<TLabel>},
    {"TCombobox", &registerOne<TComboBox>},
    {"TScrollBox", &registerOne<TScrollBox>},
    {"TTreeView", &registerOne<TTreeView>},
    {"TTreeViewItem", &registerOne<TTreeViewItem>},
    {"TComboEdit", &registerOne<TComboEdit>},
    {"TShape", &registerOne<TShape>},
    {"TExpander", &registerOne<TExpander>},
    {"TSpeedButton", &registerOne<TSpeedButton>},
    {"TImage", &registerOne<TImage>},
    {"TImageList", &registerOne<TImageList>},
    {"TGlyph", &registerOne<TGlyph>},
    {"TImageColumn", &registerOne<TImageColumn>},
    {"TProgressColumn", &registerOne<TProgressColumn>},
    {"TChart", &registerOne<TChart>},
    {"TBarSeries", &registerOne<TBarSeries>},
    {"TColorComboBox", &registerOne<TColorComboBox>},
    {"THorizBarSeries", &registerOne<THorizBarSeries>},
    {"TPieSeries", &registerOne<TPieSeries>},
    {"TPrinterSetupDialog", &registerOne<TPrinterSetupDialog>},
    {"TImageViewer", &registerOne<TImageViewer>},
    {"TImageControl", &registerOne<TImageControl>},
    {"TRectangle", &registerOne<TRectangle>},
    {"TLayout", &registerOne<TLayout>},
    {"TDateEdit", &registerOne<TDateEdit>},
    {"TTimeEdit", &registerOne<TTimeEdit>},
    {"TPaintBox", &registerOne<TPaintBox>},
    {"TSpinBox", &registerOne<TSpinBox>},
    {"TOpenDialog", &registerOne<TOpenDialog>},
    {"TSaveDialog", &registerOne<TSaveDialog>},
    {"TPrintDialog", &registerOne<TPrintDialog>},
    {"TStringGrid", &registerOne<TStringGrid>},
    {"TGrid", &registerOne<TGrid>},
    {"TStringColumn", &registerOne<TStringColumn>},
    {"TMainMenu", &registerOne<TMainMenu>},
    {"TListView", &registerOne<TListView>},
    {"TPopupMenu", &registerOne<TPopupMenu>},
    {"TMenuItem", &registerOne<TMenuItem>},
    {"TCalendar", &registerOne<TCalendar>},
    {"TTrackBar", &registerOne<TTrackBar>},
    {"TProgressBar", &registerOne<TProgressBar>},
    {"TStatusBar", &registerOne<TStatusBar>},
    {"TClearEditButton", &registerOne<TClearEditButton>},
    {"TSearchEditButton", &registerOne<TSearchEditButton>},
    {"TStyleBook", &registerOne<TStyleBook>},
    {"TToolBar", &registerOne<TToolBar>},
    {"TLine", &registerOne<TLine>},
    {"TShadowEffect", &registerOne<TShadowEffect>},
    {"TActionList", &registerOne<TActionList>},
    {"TCornerButton", &registerOne<TCornerButton>},
    {"TGestureManager", &registerOne<TGestureManager>},
    {"TGradientAnimation", &registerOne<TGradientAnimation>},
    {"TVertScrollBox", &registerOne<TVertScrollBox>},
    {"TGroupBox", &registerOne<TGroupBox>},
    {"TPopupBox", &registerOne<TPopupBox>},
    {"TCalloutPanel", &registerOne<TCalloutPanel>},
    {"TLang", &registerOne<TLang>},
    {"TPathLabel", &registerOne<TPathLabel>},
    {"TScrollBar", &registerOne<TScrollBar>},
    {"TSmallScrollBar", &registerOne<TSmallScrollBar>},
    {"TSwitch", &registerOne<TSwitch>},
    {"TSizeGrip", &registerOne<TSizeGrip>},
    {"TArcDial", &registerOne<TArcDial>},
    {"TAniIndicator", &registerOne<TAniIndicator>},
    {"TMediaPlayer", &registerOne<TMediaPlayer>},
    {"TMediaPlayerControl", &registerOne<TMediaPlayerControl>},
    {"TCameraComponent", &registerOne<TCameraComponent>},
    {"TBannerAd", &registerOne<TBannerAd>},
    {"TDropTarget", &registerOne<TDropTarget>},
    {"TNumberBox", &registerOne<TNumberBox>},
    {"TComboTrackBar", &registerOne<TComboTrackBar>},
    {"TAction", &registerOne<TAction>},
    {"TFileExit", &registerOne<TFileExit>},
    {"TSelection", &registerOne<TSelection>},
    {"TSelectionPoint", &registerOne<TSelectionPoint>},
}};

// The table and the name list the text passes use must not drift apart.
constexpr bool tableMatchesNames()
{
    for (std::size_t i = 0; i < kKnownClasses.size(); ++i)
        if (kKnownClasses[i].name != kKnownClassNames[i])
            return false;
    return true;
}
static_assert(tableMatchesNames(), "the registration table differs from kKnownClassNames");

} // namespace

TStringList &slKnownClasses()
{
    static TStringList list = [] {
        TStringList l;
        l.setCaseSensitive(false);
        l.setDuplicates(TDuplicates::Ignore);
        l.setSorted(true);
        return l;
    }();
    return list;
}

void InitKnownClasses()
{
    TStringList &list = slKnownClasses();
    for (const KnownClass &known : kKnownClasses) {
        if (known.registerClass)
            known.registerClass();
        list.add(std::string(known.name));
    }
}

int RegisteredKnownClassCount()
{
    int n = 0;
    for (const KnownClass &known : kKnownClasses)
        n += known.registerClass != nullptr;
    return n;
}

} // namespace vantor
