#pragma once
// Ranges the property pages give their numeric controls.

#include <cstdint>

namespace vanta {

struct IntRange {
    int32_t min = 0;
    int32_t max = 0;
    friend bool operator==(const IntRange&, const IntRange&) = default;
};

// Spin ranges given as doubles, as the numeric controls take them.
struct ValueRange {
    double min = 0;
    double max = 0;
    friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

}  // namespace vanta
