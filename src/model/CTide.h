#pragma once
// Trend: a register value plotted over time, sampling a number of points across the width at a
// fixed interval. The editor shows axes and a sample curve, never live data.

#include <cstdint>

#include "model/CBarTide.h"

namespace vanta {

class CTide : public CBarTide {
  public:
    static constexpr uint8_t kDefaultWidth = 96;
    static constexpr uint8_t kDefaultPoints = 20;
    static constexpr uint16_t kDefaultInterval = 5;
    static constexpr uint16_t kRecordSize = 24;

    // For loading: the defaults of a new trend.
    explicit CTide(const ModelContext& context);
    // At a click point (screen pixels); the screen then calls PlaceAt. A new trend is 96 x 48
    // panel pixels, 20 points sampled every 5 seconds.
    CTide(const ModelContext& context, int32_t x, int32_t y);
    // Every stored field; no download record; index and count on the screen start at 0.
    CTide(const CTide& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // The shared block, then interval, points, sub-address and 99 reserved bytes.
    void Serialize(Archive& ar) override;
    void ComputeRecordSize() override;
    // The shared bytes 0..18, then points, interval, the screen's trend count and this trend's
    // index among them.
    Status BuildDownloadRecord(DownloadContext& download) override;
    // Dark area, axes, ticks and a sample curve.
    void Draw(Canvas& canvas) override;

    // Set by the image compiler before the record is built: this trend's 0-based position among
    // the trends of its screen (in list order) and how many trends the screen holds.
    void setTrendPlace(uint8_t index, uint8_t count) {
        m_trendIndex = index;
        m_trendCount = count;
    }

    // Spin ranges of the page: points 2 .. width - 2, interval 1 .. 60000 seconds.
    Range pointsRange() const { return {2, static_cast<int64_t>(m_width) - 2}; }
    static Range intervalRange() { return {1, 60000}; }

    uint8_t m_points = kDefaultPoints;       // 数据采集
    uint16_t m_interval = kDefaultInterval;  // 采样间隔, seconds
    uint8_t m_trendIndex = 0;                // not stored
    uint8_t m_trendCount = 0;                // not stored
};

}  // namespace vanta
