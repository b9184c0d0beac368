#include <cstdio>
#include <cstring>

// Subcommands are registered here as they are built.
int main(int argc, char **argv)
{
    std::fprintf(stderr, "usage: %s convert --to-binary|--to-text IN OUT\n", argc > 0 ? argv[0] : "vantor-tool");
    return 2;
}
