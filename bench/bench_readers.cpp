// The readers of user input on inputs ten times larger: reading a file within its limit,
// converting an old project (conversion and the check that the result opens) and reading its
// result back. Each grows with the input, never with its square.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/FileIO.h"
#include "project/OldProjectImport.h"
#include "project/Project.h"

namespace {

using namespace vanta;

void put16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

// An old project of n screens, each with eight static texts and two registers.
Bytes oldProject(int screens) {
    Bytes b(80, 0);
    b[0] = 0x03;
    b[1] = 'G';
    b[2] = 'R';
    b[3] = 'X';
    b[13] = 4;
    put16(b, 76, static_cast<uint16_t>(screens));
    for (int s = 0; s < screens; ++s) {
        const size_t screen = b.size();
        b.resize(screen + 57, 0);
        put16(b, screen, static_cast<uint16_t>(s + 1));
        put16(b, screen + 53, 10);
        for (int c = 0; c < 10; ++c) {
            const bool text = c < 8;
            const size_t at = b.size();
            b.resize(at + (text ? 39 : 51), 0);
            put32(b, at, 18 * (c % 8));
            put32(b, at + 4, 36 * (c / 8));
            b[at + 10] = text ? 1 : 2;
            if (text) {
                b[at + 14] = 4;
                std::copy_n("Text", 4, b.begin() + static_cast<long>(at + 15));
            }
        }
    }
    return b;
}

void BM_ConvertOldProject(benchmark::State& state) {
    const Bytes old = oldProject(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto converted = convertOldProject(old);
        if (!converted) {
            state.SkipWithError(converted.message().c_str());
            return;
        }
        benchmark::DoNotOptimize(converted);
    }
    state.counters["old_bytes"] = static_cast<double>(old.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ConvertOldProject)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_ReadProjectFile(benchmark::State& state) {
    const Bytes old = oldProject(static_cast<int>(state.range(0)));
    const auto converted = convertOldProject(old);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vanta-bench-read-" + std::to_string(::getpid()) + ".osp"))
                                 .string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(converted->project.data()),
               static_cast<std::streamsize>(converted->project.size()));
    for (auto _ : state) {
        auto file = Project::readFile(path);
        Project project;
        if (!file || !project.load(file.value())) {
            state.SkipWithError("the project did not open");
            break;
        }
        benchmark::DoNotOptimize(project);
    }
    std::filesystem::remove(path);
    state.counters["file_bytes"] = static_cast<double>(converted->project.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadProjectFile)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
