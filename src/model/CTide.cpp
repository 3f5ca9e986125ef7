#include "model/CTide.h"

#include <initializer_list>

#include "common/ByteOrder.h"
#include "model/DrawHelpers.h"

namespace vanta {

CTide::CTide(const ModelContext& context) : CBarTide(context, kKindTide, kDefaultWidth) {}

CTide::CTide(const ModelContext& context, int32_t x, int32_t y) : CTide(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
}

CTide::CTide(const CTide& other)
    : CBarTide(other), m_points(other.m_points), m_interval(other.m_interval) {}

const RuntimeClass& CTide::GetRuntimeClass() const {
    return runtimeClassOf(kKindTide);
}

void CTide::Serialize(Archive& ar) {
    CBarTide::Serialize(ar);
    ar.io(m_interval);
    ar.io(m_points);
    ar.io(m_subAddress);
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading())
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

void CTide::ComputeRecordSize() {
    m_recordLen = kRecordSize;
}

Status CTide::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CBarTide::BuildDownloadRecord(download); !built.ok())
        return built;
    if (m_record.size() < kRecordSize)
        return Status::failure(describe() + ": record size not computed");
    m_record[19] = m_points;
    setBE16(m_record.data() + 20, m_interval);
    m_record[22] = m_trendCount;
    m_record[23] = m_trendIndex;
    return Status::success();
}

void CTide::Draw(Canvas& canvas) {
    const int32_t L = m_rect.left, T = m_rect.top, R = m_rect.right, B = m_rect.bottom;
    const int32_t w = R - L, h = B - T;
    const auto at = [](double v) { return static_cast<int32_t>(v); };
    const int32_t y1 = at(T + h * 0.25 + 0.5);
    const int32_t y2 = at(T + (h + 1) * 0.5);
    const int32_t y3 = at(T + h * 0.75 + 0.5);
    const int32_t y4 = at(T + h * 0.667 + 0.5);
    const int32_t x1 = at(L + w * 0.25 + 0.5);
    const int32_t x2 = at(L + (w + 1) * 0.5);
    const int32_t x3 = at(L + w * 0.75 + 0.5);

    canvas.fillRect(m_rect, kDisplayDark);
    DrawSolidFrame(canvas, L, T, R, B);

    const auto polyline = [&canvas](std::initializer_list<Point> points) {
        const Point* p = points.begin();
        for (size_t i = 1; i < points.size(); ++i)
            canvas.drawLine(p[i - 1], p[i], kDisplayLight, 2);
    };
    polyline({{L, T + 4}, {L + 5, T + 1}, {L + 5, B - 5}, {R - 1, B - 5}, {R - 4, B - 1}});
    polyline({{L + 2, y1}, {L + 4, y1}});
    polyline({{L, y2}, {L + 4, y2}});
    polyline({{L + 2, y3}, {L + 4, y3}});
    polyline({{L, B - 5}, {L + 4, B - 5}});
    polyline({{L + 5, y4}, {x1, y1}, {x2, y3}, {x3, y2}, {R - 1, y3}});
}

}  // namespace vanta
