#include "model/Geometry.h"

#include <cmath>

namespace vanta {

namespace {
// Far beyond any display coordinate, and small enough that sums of a few sizes never overflow.
constexpr double kSaturation = 1 << 28;

int32_t truncated(double v) {
    v = std::clamp(v, -kSaturation, kSaturation);
    return static_cast<int32_t>(std::trunc(v));
}
}  // namespace

int32_t screenFromPanel(int32_t panel) {
    return truncated(panel * kZoom + 0.5);
}

int32_t panelFromScreen(int32_t screen) {
    return truncated(screen * kUnzoom + 0.5);
}

Rect OffsetByDisplayOrigin(const Rect& rect, int factor) {
    return rect.offset(factor * kDisplayOrigin.x, factor * kDisplayOrigin.y);
}

}  // namespace vanta
