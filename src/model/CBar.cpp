#include "model/CBar.h"

#include <utility>

#include "model/DrawHelpers.h"

namespace vanta {

namespace {
// Coordinates of the bar drawing are truncated toward zero.
int32_t trunc32(double v) {
    return static_cast<int32_t>(v);
}

void paintPart(Canvas& canvas, const Rect& part, Color color) {
    canvas.fillRect(part, color);
    DrawSolidFrame(canvas, part.left, part.top, part.right, part.bottom);
}

void line(Canvas& canvas, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    canvas.drawLine({x0, y0}, {x1, y1}, kDisplayLight, 2);
}
}  // namespace

CBar::CBar(const ModelContext& context) : CBarTide(context, kKindBar, kDefaultWidth) {}

CBar::CBar(const ModelContext& context, int32_t x, int32_t y) : CBar(context) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
}

CBar::CBar(const CBar& other) : CBarTide(other), m_direction(other.m_direction) {}

const RuntimeClass& CBar::GetRuntimeClass() const {
    return runtimeClassOf(kKindBar);
}

void CBar::Serialize(Archive& ar) {
    CBarTide::Serialize(ar);
    ar.io(m_direction);
    ar.io(m_subAddress);
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading())
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

void CBar::ComputeRecordSize() {
    m_recordLen = kRecordSize;
}

Status CBar::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CBarTide::BuildDownloadRecord(download); !built.ok())
        return built;
    if (m_record.size() < kRecordSize)
        return Status::failure(describe() + ": record size not computed");
    // 1 up, 2 down, 4 left, 8 right (a damaged direction beyond 7 sends 0).
    m_record[19] = m_direction < 8 ? static_cast<uint8_t>(1u << m_direction) : 0;
    return Status::success();
}

void CBar::Draw(Canvas& canvas) {
    const int32_t L = m_rect.left, T = m_rect.top, R = m_rect.right, B = m_rect.bottom;
    const int32_t h = B - T, w = R - L;
    const int direction = m_direction & 3;
    Rect strip, filled, empty;
    if (!isHorizontal(m_direction)) {
        strip = {L, T, L + 3, B};
        const int32_t split = T + h * (2 - direction) / 3;
        const Rect top{L + 3, T + 1, R - 1, split};
        const Rect bottom{L + 3, split, R - 1, B - 1};
        filled = direction == kUp ? bottom : top;
        empty = direction == kUp ? top : bottom;
    } else {
        strip = {L, B - 3, R, B};
        const int32_t split = L + w * (4 - direction) / 3;
        const Rect left{L + 1, T + 1, split, B - 3};
        const Rect right{split, T + 1, R - 1, B - 3};
        filled = direction == kLeft ? right : left;
        empty = direction == kLeft ? left : right;
    }
    paintPart(canvas, filled, kDisplayLight);
    paintPart(canvas, strip, kDisplayDark);
    paintPart(canvas, empty, kDisplayDark);

    if (!isHorizontal(m_direction)) {
        const Point outline[] = {
            {L + 5, T + 1}, {R - 1, T + 1}, {R - 1, B - 1}, {L + 5, B - 1}, {L + 5, T + 1}};
        for (int i = 0; i < 4; ++i)
            canvas.drawLine(outline[i], outline[i + 1], kDisplayLight, 2);
        line(canvas, L + 1, T + 1, L + 5, T + 1);
        const int32_t quarter = trunc32(T + h * 0.25);
        line(canvas, L + 1, quarter, L + 3, quarter);
        const int32_t middle = trunc32(T + h * 0.5);
        line(canvas, L, middle, L + 3, middle);
        const int32_t threeQuarters = trunc32(B - h * 0.25);
        line(canvas, L + 1, threeQuarters, L + 3, threeQuarters);
        line(canvas, L + 1, B - 1, L + 3, B - 1);
    } else {
        const Point outline[] = {
            {L + 1, T + 1}, {R - 1, T + 1}, {R - 1, B - 5}, {L + 1, B - 5}, {L + 1, T + 1}};
        for (int i = 0; i < 4; ++i)
            canvas.drawLine(outline[i], outline[i + 1], kDisplayLight, 2);
        line(canvas, L + 1, B - 1, L + 1, B - 4);
        const int32_t quarter = trunc32(L + w * 0.25);
        line(canvas, quarter, B - 4, quarter, B - 2);
        const int32_t middle = trunc32(L + w * 0.5);
        line(canvas, middle, B - 1, middle, B - 4);
        const int32_t threeQuarters = trunc32(R - w * 0.25);
        line(canvas, threeQuarters, B - 2, threeQuarters, B - 4);
        line(canvas, R - 1, B - 1, R - 1, B - 4);
    }
}

void CBar::Reorient() {
    std::swap(m_width, m_height);
    Refit();
}

bool CBar::setDirection(uint8_t direction) {
    const bool turned = ((direction ^ m_direction) & 2) != 0;
    if (turned)
        Reorient();
    m_direction = direction;
    return turned;
}

}  // namespace vanta
