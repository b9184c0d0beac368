#pragma once

// Subcommands of vantor-tool. Each takes the arguments after its own name
// and returns the exit status: 0 success, 1 format error, 2 file error or
// bad usage.
int runConvert(int argc, char **argv);
// The procedure index of a unit source, "line<TAB>text" a line: 0, or 2
// when the file cannot be read (or bad usage).
int runProcs(int argc, char **argv);

#ifdef VANTOR_WITH_QT
// One load as the viewer makes it, printed as JSON: 0 built, 1 build failed,
// 2 an error left the load (or bad usage).
int runReport(int argc, char **argv);
// One load, and a PNG of the built form: 0 written, 1 build failed, 2 an
// error left the load, the picture could not be written, or bad usage.
int runRender(int argc, char **argv);
// One load, and the component tree of the form as the structure pane shows
// it: 0 built, 1 build failed (the tree is printed all the same), 2 an error
// left the load or bad usage.
int runTree(int argc, char **argv);
// What the form's own style book gives the load: the styles read, or why
// they did not read; with a style's name also its tree as text. 0, 1 when
// the form was not built or has no such style, 2 bad usage.
int runStyles(int argc, char **argv);
// The plug-in libraries beside the program, each with its class list: 0.
int runPlugins(int argc, char **argv);
// Asks the running viewer to show FILE (hand-off request on X11): 0 taken
// up, 1 nobody took it up in time, 2 no such file, no display or bad usage.
int runOpen(int argc, char **argv);
// The published properties the reader accepts on each known and plug-in
// class, nested ones and enumeration values included: 0, 2 on bad usage.
int runProps(int argc, char **argv);
#endif
