// vanta-samplegen: writes the sample projects (demo.osp, chinese.osp, old.grx) into a folder.
//
//   vanta-samplegen --out DIR
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/samplegen/SampleProjects.h"

int main(int argc, char** argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
            out = argv[++i];
        } else {
            out.clear();
            break;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: vanta-samplegen --out DIR\n");
        return 2;
    }
    const vanta::Status status = vanta::samples::writeSamples(out);
    if (!status.ok()) {
        std::fprintf(stderr, "vanta-samplegen: %s\n", status.message().c_str());
        return 1;
    }
    return 0;
}
