#pragma once
// Display geometry of the editor: the panel's 192 x 64 display shown at a zoom of 2.25 (432 x 144
// screen pixels), points and rectangles in screen pixels, and the two conversions between panel
// and screen pixels.

#include <algorithm>
#include <array>
#include <cstdint>

namespace vanta {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Left and top inside, right and bottom outside.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect offset(int32_t dx, int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    Rect inflated(int32_t d) const { return {left - d, top - d, right + d, bottom + d}; }
    // The smallest rectangle holding both (empty ones included, so both areas are covered).
    Rect united(const Rect& o) const {
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The panel's display in panel pixels, and text cells.
inline constexpr int32_t kPanelWidth = 192;
inline constexpr int32_t kPanelHeight = 64;
inline constexpr int32_t kCellWidth = 8;
inline constexpr int32_t kCellHeight = 16;

// Whether a component's top-left corner (panel pixels) lies on the display: x 0..191, y 0..63.
// Every position a project holds is one of these: the editor keeps components inside the display
// (one wider than the display keeps x = 0), the download record carries x and y as one byte
// each, and the panel draws from that corner.
constexpr bool isPanelPositionOnDisplay(int32_t x, int32_t y) {
    return x >= 0 && x < kPanelWidth && y >= 0 && y < kPanelHeight;
}

// The display as the editor shows it, in screen pixels.
inline constexpr double kZoom = 2.25;
inline constexpr double kUnzoom = 0.4444444444444444;
inline constexpr int32_t kDisplayWidth = 432;
inline constexpr int32_t kDisplayHeight = 144;
inline constexpr int32_t kScreenCellWidth = 18;
inline constexpr int32_t kScreenCellHeight = 36;
// A drag moves in steps of 9 screen pixels, which are exactly 4 panel pixels.
inline constexpr int32_t kDragScreenStep = 9;
inline constexpr int32_t kDragPanelStep = 4;

// Where the display and the property pages sit in the editor view's client area.
inline constexpr Point kDisplayOrigin{260, 40};
inline constexpr Rect kDisplayArea{260, 40, 692, 184};
inline constexpr Rect kPropertyPageArea{220, 218, 732, 448};

// Fixed rectangles (screen pixels) the editor view uses for new components.
inline constexpr std::array<Rect, 6> kFixedRects{{{0, 0, 36, 36},
                                                  {0, 0, 108, 36},
                                                  {0, 0, 90, 36},
                                                  {0, 0, 180, 36},
                                                  {0, 0, 36, 108},
                                                  {0, 0, 216, 108}}};

// screen = trunc(panel x 2.25 + 0.5); panel = trunc(screen x 0.4444444444444444 + 0.5).
// Values far outside the display (only from damaged files) saturate instead of overflowing.
int32_t screenFromPanel(int32_t panel);
int32_t panelFromScreen(int32_t screen);

// rect shifted by factor x (260, 40): factor 1 turns display coordinates into view coordinates,
// -1 back.
Rect OffsetByDisplayOrigin(const Rect& rect, int factor);

}  // namespace vanta
