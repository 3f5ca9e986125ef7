#include "model/CBase.h"

#include <algorithm>
#include <cstdlib>

namespace vanta {

CBase::CBase(const ModelContext& context)
    : m_address(context.profile().bindings.address),
      m_station(context.profile().bindings.station),
      context_(&context) {}

CBase::CBase(const CBase& other) : CBase(*other.context_) {
    m_rect = other.m_rect;
    m_x = other.m_x;
    m_y = other.m_y;
    m_doubleSize = other.m_doubleSize;
    m_inverse = other.m_inverse;
    m_kind = other.m_kind;
    m_station = other.m_station;
    m_subAddress = other.m_subAddress;
}

CBase::~CBase() = default;

const RuntimeClass& CBase::GetRuntimeClass() const {
    static const RuntimeClass kClass{"CBase", 1};
    return kClass;
}

void CBase::Serialize(Archive& ar) {
    ar.io(m_kind);
    const size_t positionOffset = ar.offset();
    ar.io(m_x);
    ar.io(m_y);
    if (ar.isLoading() && ar.ok() && !isPanelPositionOnDisplay(m_x, m_y)) {
        ar.failAt(positionOffset, std::string(componentKindName(m_kind)) + " at (" +
                                      std::to_string(m_x) + ", " + std::to_string(m_y) +
                                      ") lies off the 192 x 64 display (x 0..191, y 0..63)");
    }
}

void CBase::SetDisplayMode(uint8_t mode, int) {
    m_displayMode = mode;
}
void CBase::UpdatePageCoordinates() {}

void CBase::FreeDownloadRecord() {
    m_record.clear();
    m_record.shrink_to_fit();
}

void CBase::RebaseGlyphCodes(uint16_t&) {}
void CBase::ComputeRecordSize() {}
Status CBase::CollectGlyphs(DownloadContext&) {
    return Status::success();
}

Status CBase::BuildDownloadRecord(DownloadContext&) {
    m_record.assign(m_recordLen, 0);
    if (m_recordLen >= 1)
        m_record[0] = static_cast<uint8_t>(m_x);
    if (m_recordLen >= 2)
        m_record[1] = static_cast<uint8_t>(m_y);
    return Status::success();
}

void CBase::Draw(Canvas&) {}
void CBase::SetPosition(int32_t, int32_t) {}
void CBase::FillPropertyPage() {}
void CBase::ShowPropertyPage() {}

bool CBase::IsInsideDisplay() const {
    return m_rect.left >= 0 && m_rect.top >= 0 && m_rect.right <= kDisplayWidth &&
           m_rect.bottom <= kDisplayHeight;
}

void CBase::ClampToDisplay() {
    const Rect before = m_rect;
    const int32_t w = before.width();
    const int32_t h = before.height();
    if (before.left < 0) {
        m_rect.left = 0;
        m_x = 0;
        m_rect.right = w;
    }
    if (before.top < 0) {
        m_rect.top = 0;
        m_y = 0;
        m_rect.bottom = h;
    }
    if (before.right > kDisplayWidth) {
        m_rect.right = kDisplayWidth;
        m_rect.left = kDisplayWidth - w;
        m_x = panelFromScreen(kDisplayWidth - w);
    }
    if (before.bottom > kDisplayHeight) {
        m_rect.bottom = kDisplayHeight;
        m_rect.top = kDisplayHeight - h;
        m_y = panelFromScreen(kDisplayHeight - h);
    }
    // A component larger than the display (a picture up to 196 pixels wide) keeps its top-left
    // corner at the display's edge and overhangs the far side: a negative position would reach
    // the panel as a byte near 255.
    if (m_rect.left < 0) {
        m_rect.left = 0;
        m_rect.right = w;
        m_x = 0;
    }
    if (m_rect.top < 0) {
        m_rect.top = 0;
        m_rect.bottom = h;
        m_y = 0;
    }
}

void CBase::PlaceAt(int32_t x, int32_t y) {
    SetPosition(x, y);
    if (!IsInsideDisplay())
        ClampToDisplay();
    ShowPropertyPage();
    FillPropertyPage();
}

void CBase::Refit() {
    SetPosition(m_rect.left, m_rect.top);
    if (!IsInsideDisplay()) {
        ClampToDisplay();
        UpdatePageCoordinates();
    }
}

Rect CBase::DragTo(Point current, Point& anchor) {
    const Rect unchanged = OffsetByDisplayOrigin(m_rect, 1);
    const int32_t dx = current.x - anchor.x;
    const int32_t dy = current.y - anchor.y;
    if ((dx == 0 && dy == 0) || (std::abs(dx) < kDragScreenStep && std::abs(dy) < kDragScreenStep))
        return unchanged;
    const int32_t qx = dx / kDragScreenStep;  // truncated toward zero
    const int32_t qy = dy / kDragScreenStep;
    m_x += kDragPanelStep * qx;
    m_y += kDragPanelStep * qy;
    anchor.x += kDragScreenStep * qx;
    anchor.y += kDragScreenStep * qy;
    const Rect before = m_rect;
    SetPosition(m_rect.left + kDragScreenStep * qx, m_rect.top + kDragScreenStep * qy);
    if (!IsInsideDisplay())
        ClampToDisplay();
    const Rect area = OffsetByDisplayOrigin(before.united(m_rect).inflated(1), 1);
    UpdatePageCoordinates();
    return area;
}

void CBase::applyPagePosition() {
    SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

int32_t CBase::pageXMaximum() const {
    return std::max(0, kPanelWidth - m_rect.width() * 4 / 9);
}
int32_t CBase::pageYMaximum() const {
    return std::max(0, kPanelHeight - m_rect.height() * 4 / 9);
}

void CBase::copyRegisterBinding(const CBase& other) {
    m_address = other.m_address;
    m_regCount = other.m_regCount;
    m_regType = other.m_regType;
    m_displayMode = other.m_displayMode;
    m_signed = other.m_signed;
    m_subType = other.m_subType;
}

std::string CBase::describe() const {
    return std::string(componentKindName(m_kind)) + " at (" + std::to_string(m_x) + ", " +
           std::to_string(m_y) + ")";
}

void CBase::checkLoadedKind(Archive& ar, uint8_t loaded, uint8_t expected) {
    if (ar.isLoading() && ar.ok() && loaded != expected)
        ar.fail("component record of kind " + std::to_string(loaded) + " where kind " +
                std::to_string(expected) + " was expected");
}

}  // namespace vanta
