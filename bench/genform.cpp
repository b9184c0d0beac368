// Writes the generated forms the whole-process benchmarks run on.
//   vantor-genform peer LINES OUT [IMAGES]  the conversion form the peer reads
//                                        too (random values, long strings,
//                                        images of weight IMAGES, default 1)
//   vantor-genform components N OUT      a form of N components of real
//                                        classes, for the load and the viewer
// The same arguments give the same bytes on every machine.
#include "formgen.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// N components in panels of ten, nested three deep here and there: aligned
// panels and layouts, buttons, labels, edits, rectangles with fills and
// strokes, a few list boxes with items, event lines, and a class the viewer
// lacks every so often. About 400 bytes of text per component.
std::string componentsForm(int n)
{
    std::string text;
    text.reserve(std::size_t(n) * 420 + 256);
    text += "object BigForm: TForm\r\n  Left = 0\r\n  Top = 0\r\n  Caption = 'Generated'\r\n"
            "  ClientHeight = 800\r\n  ClientWidth = 1200\r\n  FormFactor.Width = 320\r\n"
            "  FormFactor.Height = 480\r\n  FormFactor.Devices = [Desktop]\r\n  OnCreate = FormCreate\r\n"
            "  DesignerMasterStyle = 0\r\n";
    int made = 0;
    auto position = [](std::string &t, const char *indent, double x, double y) {
        char buf[160];
        std::snprintf(buf, sizeof buf, "%sPosition.X = %.1f\r\n%sPosition.Y = %.1f\r\n", indent, x, indent, y);
        t += buf;
    };
    // What most controls of a real form carry besides: anchors, a tag, an
    // opacity and a cursor.
    auto common = [&made](std::string &t) {
        t += "      Anchors = [akLeft, akTop, akRight]\r\n      Tag = " + std::to_string(made)
             + "\r\n      Opacity = 0.899999976158142100\r\n      Cursor = crHandPoint\r\n      ShowHint = True\r\n";
    };
    for (int panel = 0; made < n; ++panel) {
        const std::string p = std::to_string(panel);
        text += "  object Panel" + p + ": TPanel\r\n    Align = Top\r\n";
        position(text, "    ", 0.0, 40.0 * panel);
        text += "    Size.Width = 1200.000000000000000000\r\n    Size.Height = 40.000000000000000000\r\n"
                "    Size.PlatformDefault = False\r\n    Margins.Left = 2.000000000000000000\r\n"
                "    Margins.Top = 2.000000000000000000\r\n    TabOrder = "
                + p + "\r\n";
        ++made;
        for (int k = 0; k < 9 && made < n; ++k, ++made) {
            const std::string id = p + "_" + std::to_string(k);
            const double x = 10.0 + 120.0 * k;
            const char *in = "      ";
            switch (k) {
            case 0:
            case 5:
                text += "    object Button" + id + ": TButton\r\n";
                position(text, in, x, 8.0);
                text += "      Size.Width = 80.000000000000000000\r\n      Size.Height = 22.000000000000000000\r\n"
                        "      Size.PlatformDefault = False\r\n      TabOrder = "
                        + std::to_string(k) + "\r\n      Text = 'Button " + id
                        + "'\r\n      Hint = 'Runs the step " + id + "'\r\n      OnClick = ButtonClick\r\n";
                common(text);
                text += "    end\r\n";
                break;
            case 1:
            case 6:
                text += "    object Label" + id + ": TLabel\r\n";
                position(text, in, x, 10.0);
                text += "      Size.Width = 100.000000000000000000\r\n      Size.Height = 17.000000000000000000\r\n"
                        "      StyledSettings = [Family, Style, FontColor]\r\n      TextSettings.Font.Size = 11.000000000000000000\r\n"
                        "      Text = 'Label "
                        + id + " with a longer caption'\r\n";
                common(text);
                text += "    end\r\n";
                break;
            case 2:
                text += "    object Rect" + id + ": TRectangle\r\n";
                position(text, in, x, 6.0);
                text += "      Fill.Color = claYellow\r\n      Stroke.Color = xFF404040\r\n"
                        "      Stroke.Thickness = 2.000000000000000000\r\n      XRadius = 4.000000000000000000\r\n"
                        "      YRadius = 4.000000000000000000\r\n      Size.Width = 40.000000000000000000\r\n"
                        "      Size.Height = 20.000000000000000000\r\n      Size.PlatformDefault = False\r\n";
                common(text);
                text += "    end\r\n";
                break;
            case 3:
                text += "    object Layout" + id + ": TLayout\r\n";
                position(text, in, x, 4.0);
                text += "      Size.Width = 100.000000000000000000\r\n      Size.Height = 30.000000000000000000\r\n"
                        "      Size.PlatformDefault = False\r\n";
                common(text);
                text += "      object Inner" + id
                        + ": TCircle\r\n        Align = Client\r\n        Fill.Color = claSteelblue\r\n"
                          "        Margins.Left = 4.000000000000000000\r\n        Margins.Right = 4.000000000000000000\r\n"
                          "      end\r\n    end\r\n";
                ++made; // the circle inside
                break;
            case 4:
                text += "    object Edit" + id + ": TEdit\r\n      Touch.InteractiveGestures = [LongTap, DoubleTap]\r\n"
                        "      TabOrder = 4\r\n      Text = 'Edit "
                        + id + "'\r\n";
                position(text, in, x, 8.0);
                text += "      Size.Width = 100.000000000000000000\r\n      Size.Height = 22.000000000000000000\r\n"
                        "      Size.PlatformDefault = False\r\n      OnChange = EditChange\r\n";
                common(text);
                text += "    end\r\n";
                break;
            case 7:
                text += "    object Gadget" + id + ": TGadgetX\r\n";
                position(text, in, x, 8.0);
                text += "      Speed = 3\r\n      Caption = 'A class the viewer lacks'\r\n";
                common(text);
                text += "    end\r\n";
                break;
            default:
                text += "    object Check" + id + ": TCheckBox\r\n";
                position(text, in, x, 10.0);
                text += "      Size.Width = 100.000000000000000000\r\n      Size.Height = 19.000000000000000000\r\n"
                        "      Size.PlatformDefault = False\r\n      IsChecked = True\r\n      TabOrder = 8\r\n"
                        "      Text = 'Check "
                        + id + "'\r\n      OnChange = CheckChange\r\n";
                common(text);
                text += "    end\r\n";
                break;
            }
        }
        text += "  end\r\n";
    }
    return text + "end\r\n";
}

int usage()
{
    std::fprintf(stderr, "usage: vantor-genform peer LINES OUT [IMAGES] | vantor-genform components N OUT\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 && !(argc == 5 && std::string(argv[1]) == "peer"))
        return usage();
    const std::string mode = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    if (count < 1)
        return usage();
    std::string text;
    if (mode == "peer") {
        // The options of the conversion benchmark's large form.
        vantor::formgen::Options options;
        options.seed = 7;
        options.minLines = std::size_t(count);
        options.imageWeight = argc > 4 ? std::atoi(argv[4]) : 1;
        options.longStringWeight = 2;
        options.collectionWeight = 2;
        text = vantor::formgen::generateForm(options);
    } else if (mode == "components") {
        text = componentsForm(int(count));
    } else {
        return usage();
    }
    std::ofstream out(argv[3], std::ios::binary);
    out.write(text.data(), std::streamsize(text.size()));
    return out ? 0 : 2;
}
