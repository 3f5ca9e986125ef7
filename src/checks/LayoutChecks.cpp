// Where components lie on the display as the panel draws them: off the display, past its edge,
// hidden under another, texts overlapping.
#include <algorithm>

#include "checks/CheckParts.h"
#include "checks/ProjectChecks.h"
#include "model/CBarTide.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CRegister.h"
#include "model/CUpLoadPic.h"
#include "model/Geometry.h"

namespace vanta {

bool PanelArea::contains(const PanelArea& other) const {
    return !isEmpty() && !other.isEmpty() && other.x >= x && other.y >= y &&
           other.right() <= right() && other.bottom() <= bottom();
}

bool PanelArea::intersects(const PanelArea& other) const {
    return !isEmpty() && !other.isEmpty() && other.x < right() && x < other.right() &&
           other.y < bottom() && y < other.bottom();
}

PanelArea PanelArea::onDisplay() const {
    PanelArea clipped = *this;
    clipped.x = std::max(x, 0);
    clipped.y = std::max(y, 0);
    clipped.width = std::min(right(), kPanelWidth) - clipped.x;
    clipped.height = std::min(bottom(), kPanelHeight) - clipped.y;
    return clipped;
}

PanelArea panelArea(const CBase& c) {
    PanelArea area{c.m_x, c.m_y, 0, 0};
    const int32_t scale = c.m_doubleSize ? 2 : 1;
    switch (c.m_kind) {
        case kKindChars:
            // 8 pixels a byte: a double-byte character is 16 pixels wide.
            area.width = static_cast<int32_t>(static_cast<const CChars&>(c).m_text.size()) *
                         kCellWidth * scale;
            area.height = kCellHeight * scale;
            area.text = true;
            break;
        case kKindDynamic:
            area.width = static_cast<const CDynamic&>(c).m_textWidth * kCellWidth * scale;
            area.height = kCellHeight * scale;
            area.text = true;
            break;
        case kKindRegister:
            area.width = static_cast<const CRegister&>(c).downloadWidth() * kCellWidth * scale;
            area.height = kCellHeight * scale;
            area.text = true;
            break;
        case kKindLight:
            area.width = area.height = 16 * scale;
            break;
        case kKindFunction: {
            const auto& key = static_cast<const CFunction&>(c);
            area.width = (key.m_hand ? 2 : 1) * 16 * scale;
            area.height = 16 * scale;
            area.drawn = key.m_invisible == 0;
            break;
        }
        case kKindBar:
        case kKindTide: {
            const auto& graph = static_cast<const CBarTide&>(c);
            area.width = graph.m_width;
            area.height = graph.m_height;
            break;
        }
        case kKindPicture: {
            const auto& picture = static_cast<const CUpLoadPic&>(c);
            area.width = picture.width();
            area.height = picture.height();
            break;
        }
        default:
            area.drawn = false;
            break;
    }
    return area;
}

void checkPlacement(ProblemSink& sink, const CMainView& screen, size_t index) {
    const CBase& c = *screen.components()[index];
    if (!isPanelPositionOnDisplay(c.m_x, c.m_y)) {
        sink.component(ProblemSeverity::Error, "off-display", screen, index,
                       "lies outside the 192 x 64 display (x 0..191, y 0..63)",
                       "Move it onto the display.");
        return;
    }
    const PanelArea area = panelArea(c);
    if (area.isEmpty() || !area.drawn)
        return;
    std::string message;
    std::string fix;
    if (area.width > kPanelWidth) {
        message = "is " + std::to_string(area.width) +
                  " pixels wide, wider than the 192-pixel display; it stays at x = " +
                  std::to_string(area.x) + " and the panel cuts it off at the right edge";
        fix = "Make it narrower (a shorter text, fewer digits, no double size).";
    } else if (area.right() > kPanelWidth) {
        message = "reaches x = " + std::to_string(area.right() - 1) +
                  ", past the display's right edge at x = 191; the panel cuts it off there";
        fix = "Move it left or make it narrower.";
    } else if (area.height > kPanelHeight) {
        message = "is " + std::to_string(area.height) +
                  " pixels high, higher than the 64-pixel display; the panel cuts it off at the "
                  "bottom edge";
        fix = "Make it lower.";
    } else if (area.bottom() > kPanelHeight) {
        message = "reaches y = " + std::to_string(area.bottom() - 1) +
                  ", past the display's bottom edge at y = 63; the panel cuts it off there";
        fix = "Move it up or make it lower.";
    } else {
        return;
    }
    sink.component(ProblemSeverity::Warning, "does-not-fit", screen, index, message, fix);
}

void checkStacking(ProblemSink& sink, const CMainView& screen,
                   const std::vector<uint16_t>& drawOrder) {
    const auto& list = screen.components();
    std::vector<PanelArea> areas;
    areas.reserve(drawOrder.size());
    for (uint16_t position : drawOrder)
        areas.push_back(position < list.size() ? panelArea(*list[position]).onDisplay()
                                               : PanelArea{0, 0, 0, 0, false});
    for (size_t lower = 0; lower < drawOrder.size(); ++lower) {
        const PanelArea& below = areas[lower];
        if (!below.drawn || below.isEmpty())
            continue;
        bool covered = false;
        for (size_t upper = lower + 1; upper < drawOrder.size() && !covered; ++upper) {
            const PanelArea& above = areas[upper];
            if (!above.drawn || !above.contains(below))
                continue;
            covered = true;
            sink.component(ProblemSeverity::Warning, "covered", screen, drawOrder[lower],
                           "is completely covered by " + list[drawOrder[upper]]->describe() +
                               ", which the panel draws over it",
                           "Move one of them, or delete the hidden one.");
        }
        if (covered || !below.text)
            continue;
        for (size_t upper = lower + 1; upper < drawOrder.size(); ++upper) {
            const PanelArea& above = areas[upper];
            if (!above.drawn || !above.text || !above.intersects(below))
                continue;
            sink.component(ProblemSeverity::Warning, "overlapping-texts", screen, drawOrder[lower],
                           "overlaps " + list[drawOrder[upper]]->describe() +
                               ", which the panel draws over part of it",
                           "Move one of them so that they do not overlap.");
        }
    }
}

}  // namespace vanta
