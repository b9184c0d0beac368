#include "loader/registry.h"

#include "framework/forms.h"
#include "framework/controls/shapes.h"
#include "framework/controls/standard.h"
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
    {"TMemo", nullptr},
    {"TTimer", nullptr},
    {"TListBox", nullptr},
    {"TListBoxItem", nullptr},
    {"TSplitter", nullptr},
    {"TEdit", nullptr},
    {"TCheckBox", nullptr},
    {"TRadioButton", nullptr},
    {"TButton", &registerOne<TButton>},
    {"TTabControl", nullptr},
    {"TTabItem", nullptr},
    {"TLabel", &registerOne<TLabel>},
    {"TCombobox", nullptr},
    {"TScrollBox", nullptr},
    {"TTreeView", nullptr},
    {"TTreeViewItem", nullptr},
    {"TComboEdit", nullptr},
    {"TShape", nullptr},
    {"TExpander", nullptr},
    {"TSpeedButton", nullptr},
    {"TImage", nullptr},
    {"TImageList", nullptr},
    {"TGlyph", nullptr},
    {"TImageColumn", nullptr},
    {"TProgressColumn", nullptr},
    {"TChart", nullptr},
    {"TBarSeries", nullptr},
    {"TColorComboBox", nullptr},
    {"THorizBarSeries", nullptr},
    {"TPieSeries", nullptr},
    {"TPrinterSetupDialog", nullptr},
    {"TImageViewer", nullptr},
    {"TImageControl", nullptr},
    {"TRectangle", &registerOne<TRectangle>},
    {"TLayout", &registerOne<TLayout>},
    {"TDateEdit", nullptr},
    {"TTimeEdit", nullptr},
    {"TPaintBox", nullptr},
    {"TSpinBox", nullptr},
    {"TOpenDialog", nullptr},
    {"TSaveDialog", nullptr},
    {"TPrintDialog", nullptr},
    {"TStringGrid", nullptr},
    {"TGrid", nullptr},
    {"TStringColumn", nullptr},
    {"TMainMenu", nullptr},
    {"TListView", nullptr},
    {"TPopupMenu", nullptr},
    {"TMenuItem", nullptr},
    {"TCalendar", nullptr},
    {"TTrackBar", nullptr},
    {"TProgressBar", nullptr},
    {"TStatusBar", nullptr},
    {"TClearEditButton", nullptr},
    {"TSearchEditButton", nullptr},
    {"TStyleBook", nullptr},
    {"TToolBar", nullptr},
    {"TLine", nullptr},
    {"TShadowEffect", nullptr},
    {"TActionList", nullptr},
    {"TCornerButton", nullptr},
    {"TGestureManager", nullptr},
    {"TGradientAnimation", nullptr},
    {"TVertScrollBox", nullptr},
    {"TGroupBox", nullptr},
    {"TPopupBox", nullptr},
    {"TCalloutPanel", nullptr},
    {"TLang", nullptr},
    {"TPathLabel", nullptr},
    {"TScrollBar", nullptr},
    {"TSmallScrollBar", nullptr},
    {"TSwitch", nullptr},
    {"TSizeGrip", nullptr},
    {"TArcDial", nullptr},
    {"TAniIndicator", nullptr},
    {"TMediaPlayer", nullptr},
    {"TMediaPlayerControl", nullptr},
    {"TCameraComponent", nullptr},
    {"TBannerAd", nullptr},
    {"TDropTarget", nullptr},
    {"TNumberBox", nullptr},
    {"TComboTrackBar", nullptr},
    {"TAction", nullptr},
    {"TFileExit", nullptr},
    {"TSelection", nullptr},
    {"TSelectionPoint", nullptr},
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
