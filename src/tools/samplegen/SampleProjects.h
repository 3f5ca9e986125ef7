#pragma once
// The sample projects committed in data/samples: a demonstration project with every component
// kind, a project with Chinese texts, and an old ".grx" project for the import. They are made
// here, deterministically, so a test can make them again and compare them with the committed
// files.

#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Result.h"

namespace vanta::samples {

// Protocol 4 (Mitsubishi FX 2N), four screens: static texts, registers, dynamic texts, lamps,
// function keys with every action, bar graphs, a trend, a picture, and an alarm list. It
// compiles without a question, and the project checks find no problem in it.
Bytes demoProject();

// Protocol 3 (Modbus RTU): Chinese texts in components, descriptions, dynamic texts and alarms,
// laid out so that nothing overlaps on the panel; the project checks find no problem in it.
Bytes chineseProject();

// An old ".grx" project (old protocol code 3, converted to protocol 5): three screens holding
// every old component kind 1..8, a Chinese description and alarm texts.
Bytes oldProject();

struct SampleFile {
    const char* name;  // file name in data/samples
    Bytes (*make)();
};
const std::vector<SampleFile>& sampleFiles();

// Writes every sample into the folder (which must exist).
Status writeSamples(const std::string& folder);

}  // namespace vanta::samples
