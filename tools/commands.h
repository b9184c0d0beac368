#pragma once

// Subcommands of vantor-tool. Each takes the arguments after its own name
// and returns the exit status: 0 success, 1 format error, 2 file error or
// bad usage.
int runConvert(int argc, char **argv);
