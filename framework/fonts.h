#pragma once

// The framework's text faces on this desktop. Forms are made with the
// framework's default face (Segoe UI, 12 px) and with the faces of its home
// platform (Arial, Courier New, Calibri, ...), which are not here. A face of
// near the same widths stands in for each, so that a text fits where the
// form's sizes let it fit; the default face becomes the application's font.

namespace vantor {

// Sets the stand-in faces and the application's default font. Call once,
// after the QApplication is made and before any control is.
void installFrameworkFonts();

} // namespace vantor
