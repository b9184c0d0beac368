#pragma once

// The stock looks: our own drawing of the framework's stock style names
// that forms name in StyleLookup (a flat "toolbutton", a light "toollabel"
// for tool bars, list box items that show their detail text where the style
// puts it, tool buttons with a drawn icon, ...). Names compare ignoring
// letter case; a name that is not a stock style, or that names the class's
// own default style ("buttonstyle"), gives no look and the control keeps
// its default one.

#include "framework/looks.h"

#include <QStringList>

namespace vantor {

// The stock look of a StyleLookup value, or null. Each name has one look
// object for the life of the program.
std::shared_ptr<const Look> stockLook(const QString &lookup);

// Every name that has a stock look, in lower case.
QStringList stockLookNames();

// The source of stock looks, asked at precedence 0 (see looks.h).
class StockLookSource : public LookSource
{
public:
    std::shared_ptr<const Look> lookFor(const TControl &control) const override;
};

} // namespace vantor
