#pragma once
// Bar graph: a register value shown as a bar filling its rectangle up, down, to the left or to
// the right, with a scale strip along one edge.

#include <cstdint>

#include "model/CBarTide.h"

namespace vanta {

class CBar : public CBarTide {
  public:
    // Fill directions: 0 "向上", 1 "向下", 2 "向左", 3 "向右".
    enum Direction : uint8_t { kUp = 0, kDown = 1, kLeft = 2, kRight = 3 };
    static constexpr uint8_t kDefaultWidth = 16;
    static constexpr uint16_t kRecordSize = 20;

    // For loading: the defaults of a new bar.
    explicit CBar(const ModelContext& context);
    // At a click point (screen pixels); the screen then calls PlaceAt. A new bar is 16 x 48 panel
    // pixels, filling upwards.
    CBar(const ModelContext& context, int32_t x, int32_t y);
    // Every stored field; no download record.
    CBar(const CBar& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // The shared block, then direction, sub-address and 99 reserved bytes.
    void Serialize(Archive& ar) override;
    void ComputeRecordSize() override;
    // The shared bytes 0..18, then byte 19 = 1 << direction.
    Status BuildDownloadRecord(DownloadContext& download) override;
    // Scale strip, empty and filled part (a third of the body), white outline and ticks.
    void Draw(Canvas& canvas) override;

    // Swaps width and height and refits (clamped into the display when needed); the page then
    // resets the width and height spins from widthRange() and heightRange().
    void Reorient();
    // The page's direction combo changed: reorients when the bar turns between vertical (up,
    // down) and horizontal (left, right), then stores the direction. Returns whether it was
    // reoriented.
    bool setDirection(uint8_t direction);

    static bool isHorizontal(uint8_t direction) { return (direction & 2) != 0; }

    uint8_t m_direction = kUp;
};

}  // namespace vanta
