#pragma once
// The order of a pair of limits (a register's input limits, a bar graph's or trend's full and
// zero scale): the upper value must lie above the lower one. The download corrects a pair that
// does not, and the problem list says beforehand what the correction would write.

#include <cstdint>

namespace vanta {

struct LimitPair {
    int32_t high = 0;
    int32_t low = 0;
    bool corrected = false;  // the pair differs from the one given
};

// The pair as the download writes it. Compared signed or unsigned (32 bits); an upper value not
// above the lower one becomes lower + 1. Signed, when that gives 0 (the lower value was -1), the
// pair becomes -1 over -2. When the lower value is already the largest of its range, the pair
// becomes the largest over the largest - 1.
LimitPair orderedLimits(int32_t high, int32_t low, bool isSigned);

}  // namespace vanta
