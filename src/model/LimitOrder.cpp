#include "model/LimitOrder.h"

#include <limits>

namespace vanta {

LimitPair orderedLimits(int32_t high, int32_t low, bool isSigned) {
    if (isSigned) {
        if (high > low)
            return {high, low, false};
        if (low == std::numeric_limits<int32_t>::max())
            return {low, low - 1, true};
        if (low == -1)
            return {-1, -2, true};  // low + 1 would be 0
        return {low + 1, low, true};
    }
    const auto h = static_cast<uint32_t>(high);
    const auto l = static_cast<uint32_t>(low);
    if (h > l)
        return {high, low, false};
    if (l == std::numeric_limits<uint32_t>::max())
        return {static_cast<int32_t>(l), static_cast<int32_t>(l - 1), true};
    return {static_cast<int32_t>(l + 1), low, true};
}

}  // namespace vanta
