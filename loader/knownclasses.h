#pragma once

#include <array>
#include <string_view>

namespace vantor {

class TStringList;

// The component classes the viewer can build, in registration order. The
// combo box is entered as "TCombobox"; the list's case-insensitive look-up
// finds "TComboBox" all the same. The registry registers exactly these.
inline constexpr std::array<std::string_view, 89> kKnownClassNames = {
    "TForm", "TFrame", "TPanel", "TMemo", "TTimer", "TListBox", "TListBoxItem", "TSplitter",
    "TEdit", "TCheckBox", "TRadioButton", "TButton", "TTabControl", "TTabItem", "TLabel",
    "TCombobox", "TScrollBox", "TTreeView", "TTreeViewItem", "TComboEdit", "TShape", "TExpander",
    "TSpeedButton", "TImage", "TImageList", "TGlyph", "TImageColumn", "TProgressColumn", "TChart",
    "TBarSeries", "TColorComboBox", "THorizBarSeries", "TPieSeries", "TPrinterSetupDialog",
    "TImageViewer", "TImageControl", "TRectangle", "TLayout", "TDateEdit", "TTimeEdit",
    "TPaintBox", "TSpinBox", "TOpenDialog", "TSaveDialog", "TPrintDialog", "TStringGrid", "TGrid",
    "TStringColumn", "TMainMenu", "TListView", "TPopupMenu", "TMenuItem", "TCalendar",
    "TTrackBar", "TProgressBar", "TStatusBar", "TClearEditButton", "TSearchEditButton",
    "TStyleBook", "TToolBar", "TLine", "TShadowEffect", "TActionList", "TCornerButton",
    "TGestureManager", "TGradientAnimation", "TVertScrollBox", "TGroupBox", "TPopupBox",
    "TCalloutPanel", "TLang", "TPathLabel", "TScrollBar", "TSmallScrollBar", "TSwitch",
    "TSizeGrip", "TArcDial", "TAniIndicator", "TMediaPlayer", "TMediaPlayerControl",
    "TCameraComponent", "TBannerAd", "TDropTarget", "TNumberBox", "TComboTrackBar", "TAction",
    "TFileExit", "TSelection", "TSelectionPoint",
};

// Makes list the known-class list: sorted, case-insensitive, duplicates
// ignored, holding the names above. Whatever list held before is replaced.
void InitKnownClassNames(TStringList &list);

} // namespace vantor
