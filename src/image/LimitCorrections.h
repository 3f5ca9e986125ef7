#pragma once
// The limits a download corrects: a register whose downloaded input limits are not in order
// (the upper not above the lower) and a bar graph or trend whose full scale is not above its
// zero scale get the values the compiler writes into them. Found before the compilation so the
// question can name them, and put back when the user stops the download.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vanta {

class Project;

struct LimitCorrection {
    size_t screen = 0;  // position in the screen list
    size_t index = 0;   // position in the screen's component list
    uint16_t screenNumber = 0;
    std::string component;  // "Register at (10, 3)"
    bool scale = false;     // a bar graph's or trend's scale; otherwise a register's input limits
    // Upper limit (full scale) and lower limit (zero scale), read as the component reads them
    // (signed or unsigned 32-bit), before and after the correction.
    int64_t high = 0;
    int64_t low = 0;
    int64_t correctedHigh = 0;
    int64_t correctedLow = 0;
};

// Every correction the compiler would make, screen by screen in list order.
std::vector<LimitCorrection> findLimitCorrections(const Project& project);

// "Register Limit error, cancel?" followed by one line per correction naming the screen, the
// component and the values before and after.
std::string limitCorrectionQuestion(const std::vector<LimitCorrection>& corrections);

// Writes the values before (`corrected` false) or after the correction into the component.
void setCorrectedLimits(Project& project, const LimitCorrection& correction, bool corrected);

}  // namespace vanta
