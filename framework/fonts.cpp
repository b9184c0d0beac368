#include "framework/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace vantor {

namespace {

struct StandIn
{
    const char *family;  // as forms name it
    const char *standIn; // the face installed here (scripts/setup.sh installs it)
};

// Lato stands in for Segoe UI: over 204 distinct auto-sized labels of real
// forms its 12 px widths are 1.4% below the framework's in the median, and
// only 7% of the texts come out more than a pixel wider (the wider fallback
// face was 12% above, every text wider). The others are metric-compatible
// faces of the same widths.
const StandIn kStandIns[] = {
    {"Segoe UI", "Lato"},
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Calibri", "Carlito"},
    {"Verdana", "DejaVu Sans"},
    {"Tahoma", "DejaVu Sans"},
    {"Consolas", "DejaVu Sans Mono"},
};

} // namespace

void installFrameworkFonts()
{
    const QStringList installed = QFontDatabase::families();
    for (const StandIn &s : kStandIns) {
        const QString standIn = QString::fromLatin1(s.standIn);
        if (installed.contains(standIn, Qt::CaseInsensitive))
            QFont::insertSubstitution(QString::fromLatin1(s.family), standIn);
    }
    // The framework's sizes are pixels at 96 dpi: 12 px is 9 pt.
    QFont font = QApplication::font();
    const QString face = installed.contains(QStringLiteral("Lato"), Qt::CaseInsensitive) ? QStringLiteral("Lato")
                                                                                         : QStringLiteral("Segoe UI");
    font.setFamilies({face});
    font.setPointSizeF(9);
    QApplication::setFont(font);
}

} // namespace vantor
