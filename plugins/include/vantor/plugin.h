/*
 * The interface between the viewer and its plug-in libraries.
 *
 * A plug-in library builds controls of classes that the viewer itself does
 * not have. The viewer loads every shared object in its own program folder
 * whose file name matches "FMX*.dll" (letter case ignored; the star may stand
 * for nothing, so "FMX.dll" matches too) once at start-up, with dlopen, and
 * keeps it loaded until the process ends. The library links the same
 * framework shared library as the viewer (libvantor_framework.so), so the
 * objects handed across are the framework's own C++ objects, and the library
 * must be built with the same compiler and framework headers as the viewer.
 *
 * A library exports the two functions below with C linkage, under exactly
 * these names. Either may be missing: without GetControlClassSupportList the
 * library is never asked for anything; without GetWinControlFromClass its
 * classes are reported as an error when a form needs them.
 *
 * Calling convention: the interface was defined with stdcall, where the
 * callee removes its arguments. Linux on x86-64 has one C calling convention
 * and no stdcall; the five arguments of GetWinControlFromClass are the five
 * machine words of the original interface, passed in registers as usual.
 *
 * Errors: a library should report failures through the error message of
 * GetWinControlFromClass. A C++ exception that leaves either function is
 * caught by the viewer and reported (the class-list call then skips the
 * library), but nothing else is: a library that crashes takes the viewer
 * with it.
 *
 * This header is C and C++; it declares the framework objects as opaque
 * pointers.
 */
#ifndef VANTOR_PLUGIN_H
#define VANTOR_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The picture file the viewer shows after GetWinControlFromClass has
 * returned a form: a PNG of the built control, written by the library to
 * this file name inside the viewer's per-user data folder
 *     <$XDG_CONFIG_HOME, else $HOME/.config>/brenwick/<program file name>/
 * (the same folder as the viewer's settings file; a library linked with the
 * viewer's support library gets it from vantor::AppDataDir()). The viewer
 * deletes the file before each call and reads it right after the call, so a
 * picture from an earlier call is never shown by mistake; a call that
 * returns a form without writing the file is reported as an error. From
 * before the delete until it has read the picture the viewer holds an
 * advisory lock (flock) on the file PlugInPicture.png.lock beside it, so
 * that other viewers and tools of the same user, which share the one
 * picture file, wait meanwhile (a few seconds at most; then their call is
 * reported as an error instead). A library need not take the lock itself. */
#define VANTOR_PLUGIN_PICTURE_FILE "PlugInPicture.png"

/* Capacity of the error message buffer, in characters (the buffer itself is
 * one byte longer: the length byte comes first). */
#define VANTOR_PLUGIN_ERROR_CAPACITY 255

/*
 * GetControlClassSupportList
 *
 * Returns the class names the library builds, as a new vantor::TMemoryStream
 * (allocated with operator new), one name per line. Lines end with CR, LF or
 * CR LF; a UTF-8 or UTF-16 byte-order mark selects that encoding, text
 * without one is read as Windows-1252. The position does not matter: the
 * viewer reads from the start.
 *
 * Ownership passes to the viewer, which deletes the stream through its
 * virtual destructor. Called exactly once, right after the library has been
 * loaded. Returning NULL makes the viewer skip the library.
 */
typedef void *(*VantorGetControlClassSupportList)(void);

/*
 * GetWinControlFromClass
 *
 *   className  the class to build, a length-prefixed 8-bit string: one
 *              length byte (0..255), then that many characters in
 *              Windows-1252, not terminated by a zero byte.
 *   stream     a vantor::TMemoryStream positioned at 0 holding the
 *              component's block of form text, exactly as the form file
 *              writes it from its "object Name: TClass" line to its "end"
 *              line, shifted left so that the block starts in the first
 *              column, without event lines ("OnClick = ..."), frame
 *              instances ("inline Name: TFrameClass") written as objects,
 *              each line followed by CR LF. Components inside the block whose classes
 *              neither the viewer nor this library builds have been
 *              replaced by labels showing "@" and the class name. The text
 *              is Windows-1252 without byte-order mark, unless it holds
 *              characters Windows-1252 lacks: then it is UTF-8 after a
 *              byte-order mark. The viewer owns the stream and deletes it
 *              after the call.
 *   parent     the vantor::TCommonCustomForm or vantor::TFrame (a TControl)
 *              that owns the component's placeholder in the shown form.
 *              Borrowed: do not keep it, free it or add components to it.
 *   errorMessage  a buffer of VANTOR_PLUGIN_ERROR_CAPACITY + 1 bytes for a
 *              length-prefixed 8-bit string, length 0 on entry. Write the
 *              length into byte 0 and the Windows-1252 characters after it.
 *   errorCapacity  VANTOR_PLUGIN_ERROR_CAPACITY: the most characters the
 *              buffer takes.
 *
 * Result: a new vantor::TCommonCustomForm (created with new, without owner)
 * that holds the built control, or NULL. The viewer reads the form's
 * Visible, Left, Top and Tag, then hides and deletes it:
 *   - Tag: the address of the built control (a vantor::TControl *); the
 *     viewer writes its click method into the control's OnClick;
 *   - Visible: true when the picture shows the control completely, so the
 *     placeholder's "@Class" text is cleared;
 *   - Left, Top: where the picture goes, plus (30, 60): the viewer moves the
 *     placeholder to (Left - 30, Top - 60) within its parent. For the
 *     control's own place, set them to its Position.X + 30 and
 *     Position.Y + 60;
 *   - before returning, write the picture file (VANTOR_PLUGIN_PICTURE_FILE);
 *     the placeholder takes the picture's size in pixels.
 * NULL with an empty error message means "not built, nothing to say"; NULL
 * with a message makes the viewer list "Fehler: " and the message among the
 * missing classes.
 */
typedef void *(*VantorGetWinControlFromClass)(const unsigned char *className, void *stream, void *parent,
                                              unsigned char *errorMessage, intptr_t errorCapacity);

/* The exports, declared for the library that defines them. */
void *GetControlClassSupportList(void);
void *GetWinControlFromClass(const unsigned char *className, void *stream, void *parent, unsigned char *errorMessage,
                             intptr_t errorCapacity);

#ifdef __cplusplus
}
#endif

#endif /* VANTOR_PLUGIN_H */
