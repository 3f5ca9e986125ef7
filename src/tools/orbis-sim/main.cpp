#include <cstdio>

// The panel simulator: speaks the panel's side of the download protocol on a pseudo-terminal.
int main(int argc, char** argv) {
    std::fprintf(stderr, "usage: orbis-sim --link PATH [--protocol N] [--driver-version V] ...\n");
    return 2;
}
