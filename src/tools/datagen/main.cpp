// vanta-datagen: writes the data files beside the executables at build time.
//
//   vanta-datagen --unifont /usr/share/unifont/unifont.hex --out DIR
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/datagen/DataFileGen.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: vanta-datagen --unifont FILE.hex --out DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string unifont;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--unifont") == 0 && hasValue) {
            unifont = argv[++i];
        } else if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
            out = argv[++i];
        } else {
            return usage();
        }
    }
    if (unifont.empty() || out.empty())
        return usage();

    const vanta::Status status = vanta::datagen::writeDataFiles(unifont, out);
    if (!status.ok()) {
        std::fprintf(stderr, "vanta-datagen: %s\n", status.message().c_str());
        return 1;
    }
    return 0;
}
