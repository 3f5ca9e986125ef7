// What the emulated panel shows: the shown screen with live values, the alarm list, the
// password prompt and the lost link, drawn with the image's own glyphs and the panel's
// characters.
#include <algorithm>
#include <cmath>

#include "emulator/PanelEmulator.h"
#include "image/ImagePainter.h"
#include "model/ComponentKinds.h"
#include "model/Geometry.h"

namespace vanta {

namespace {

// The panel's own lines.
constexpr const char* kPasswordPrompt = "PASSWORD:";
constexpr const char* kPasswordRefused = "WRONG PASSWORD";
constexpr const char* kLinkLost = "PLC NOT RESPONDING";
constexpr const char* kNoAlarm = "NO ALARM";
// The lamp glyphs are the first glyphs after the 48-byte header.
constexpr size_t kLampGlyphsOffset = 48;

int64_t inDomain(int32_t value, bool isSigned) {
    return isSigned ? static_cast<int64_t>(value)
                    : static_cast<int64_t>(static_cast<uint32_t>(value));
}

// Where the value lies between the zero and the full scale, 0..1.
double scaleFraction(const LiveComponent& c, uint32_t raw) {
    const int64_t value = rawValue(raw, c.word.bytes(), c.isSigned);
    const int64_t zero = inDomain(c.zeroScale, c.isSigned);
    const int64_t full = inDomain(c.fullScale, c.isSigned);
    if (full == zero)
        return 0;
    const double f = static_cast<double>(value - zero) / static_cast<double>(full - zero);
    return std::clamp(f, 0.0, 1.0);
}

}  // namespace

MonoBitmap PanelEmulator::render() const {
    ImagePainter painter(program_.image());
    if (saverActive_ && program_.saverScreen() == 0)
        return painter.take();  // the backlight is off
    if (mode_ == PanelMode::AlarmList)
        drawAlarmList(painter);
    else
        drawScreen(painter);
    if (mode_ == PanelMode::Password) {
        std::string line = passwordRefused_ ? std::string(kPasswordRefused)
                                            : std::string(kPasswordPrompt) +
                                                  std::string(typedPassword_.size(), '*');
        drawLine(painter, kTextRows - 1, line, true);
    }
    if (plc_.link() == LinkState::Lost)
        drawLine(painter, 0, kLinkLost, true);
    return painter.take();
}

void PanelEmulator::drawScreen(ImagePainter& painter) const {
    const LiveScreen* s = screen();
    if (!s)
        return;
    const DecodedScreen& decoded = program_.decodedScreen(*s);
    for (const LiveComponent& c : s->components)
        if (c.kind != 0)
            drawComponent(painter, c, decoded.components[c.index]);
}

void PanelEmulator::drawComponent(ImagePainter& painter, const LiveComponent& c,
                                  const DecodedComponent& decoded) const {
    const int scale = c.doubleSize() ? 2 : 1;
    switch (c.kind) {
        case kKindChars:
            painter.text(decoded.text, c.x, c.y, c.inverse(), c.doubleSize());
            break;
        case kKindDynamic:
            drawDynamic(painter, c, decoded);
            break;
        case kKindRegister:
            drawRegister(painter, c);
            break;
        case kKindLight: {
            const uint8_t image = c.images[readBit(c.bit).value_or(false) ? 1 : 0];
            GlyphUse glyph;
            glyph.wide = true;
            glyph.code = image;
            glyph.resolved = program_.decoded().lampGlyphs && image < 4;
            glyph.bitmapOffset = kLampGlyphsOffset + image * size_t{32};
            painter.glyph16(glyph, c.x, c.y, scale, false);
            break;
        }
        case kKindFunction:
            if (decoded.invisible)
                break;
            for (size_t k = 0; k < decoded.symbols.size(); ++k)
                painter.glyph16(decoded.symbols[k], c.x + static_cast<int>(k) * 16 * scale, c.y,
                                scale, c.inverse());
            break;
        case kKindPicture:
            if (decoded.bitmapResolved)
                painter.bitmap(decoded.bitmapOffset, decoded.width, decoded.height, c.x, c.y, 1,
                               false);
            break;
        case kKindBar:
            drawBar(painter, c);
            break;
        case kKindTide:
            drawTrend(painter, c);
            break;
        default:
            break;
    }
}

void PanelEmulator::drawChars(ImagePainter& painter, int x, int y, const std::string& text,
                              int scale, bool inverse) const {
    for (size_t i = 0; i < text.size(); ++i)
        painter.rowGlyph(font_.narrow(static_cast<uint8_t>(text[i])),
                         x + static_cast<int>(i) * kCellWidth * scale, y, scale, inverse);
}

void PanelEmulator::drawLine(ImagePainter& painter, int row, const std::string& text,
                             bool inverse) const {
    painter.fill(0, row * kCellHeight, kPanelWidth, kCellHeight, inverse);
    drawChars(painter, 0, row * kCellHeight, text.substr(0, kPanelWidth / kCellWidth), 1, inverse);
}

void PanelEmulator::drawRegister(ImagePainter& painter, const LiveComponent& c) const {
    const int scale = c.doubleSize() ? 2 : 1;
    const bool edited = mode_ == PanelMode::Editing && screen()->components.data() + edited_ == &c;
    std::string text;
    if (edited && entryTouched_) {
        text = formatEntry(c.format, entry_);
    } else if (auto v = read(c.word)) {
        text = formatRegister(c.format, *v);
    } else {
        text = std::string(c.format.cells, '-');
    }
    drawChars(painter, c.x, c.y, text, scale, c.inverse());
    if (edited)
        painter.invert(c.x, c.y, c.format.cells * kCellWidth * scale, kCellHeight * scale);
}

void PanelEmulator::drawDynamic(ImagePainter& painter, const LiveComponent& c,
                                const DecodedComponent& decoded) const {
    const int scale = c.doubleSize() ? 2 : 1;
    painter.fill(c.x, c.y, c.textCells * kCellWidth * scale, kCellHeight * scale, c.inverse());
    const auto v = read(c.word);
    if (!v)
        return;
    const uint16_t shown = static_cast<uint16_t>(*v);
    for (const DynamicEntry& e : decoded.entries) {
        if (e.value == shown && e.resolved) {
            painter.text(e.text, c.x, c.y, c.inverse(), c.doubleSize());
            return;
        }
    }
}

void PanelEmulator::drawBar(ImagePainter& painter, const LiveComponent& c) const {
    painter.frame(c.x, c.y, c.width, c.height, true);
    const auto v = read(c.word);
    const int innerW = c.width - 2, innerH = c.height - 2;
    if (!v || innerW <= 0 || innerH <= 0)
        return;
    const double f = scaleFraction(c, *v);
    const int x = c.x + 1, y = c.y + 1;
    switch (c.direction) {
        case 2: {  // down: from the top
            const int h = static_cast<int>(std::lround(f * innerH));
            painter.fill(x, y, innerW, h, true);
            break;
        }
        case 4: {  // left: from the right
            const int w = static_cast<int>(std::lround(f * innerW));
            painter.fill(x + innerW - w, y, w, innerH, true);
            break;
        }
        case 8: {  // right: from the left
            const int w = static_cast<int>(std::lround(f * innerW));
            painter.fill(x, y, w, innerH, true);
            break;
        }
        default: {  // up: from the bottom
            const int h = static_cast<int>(std::lround(f * innerH));
            painter.fill(x, y + innerH - h, innerW, h, true);
            break;
        }
    }
}

void PanelEmulator::drawTrend(ImagePainter& painter, const LiveComponent& c) const {
    painter.frame(c.x, c.y, c.width, c.height, true);
    auto it = trends_.find(static_cast<size_t>(&c - screen()->components.data()));
    if (it == trends_.end() || it->second.samples.empty() || c.width < 4 || c.height < 4)
        return;
    const auto& samples = it->second.samples;
    const int slots = std::max<int>(c.points, 2);
    const int left = c.x + 1, top = c.y + 1;
    const int spanX = c.width - 3, spanY = c.height - 3;
    const int64_t zero = inDomain(c.zeroScale, c.isSigned);
    const int64_t full = inDomain(c.fullScale, c.isSigned);
    int lastX = 0, lastY = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        double f = full == zero
                       ? 0
                       : static_cast<double>(samples[i] - zero) / static_cast<double>(full - zero);
        f = std::clamp(f, 0.0, 1.0);
        const int px = left + static_cast<int>(i) * spanX / (slots - 1);
        const int py = top + spanY - static_cast<int>(std::lround(f * spanY));
        if (i == 0)
            painter.pixel(px, py, true);
        else
            painter.line(lastX, lastY, px, py, true);
        lastX = px;
        lastY = py;
    }
}

void PanelEmulator::drawAlarmList(ImagePainter& painter) const {
    const std::vector<size_t> active = activeAlarms();
    if (active.empty()) {
        drawLine(painter, 0, kNoAlarm, false);
        return;
    }
    const auto& texts = program_.decoded().alarms->texts;
    for (int row = 0; row < kTextRows; ++row) {
        const size_t at = alarmScroll_ + static_cast<size_t>(row);
        if (at >= active.size())
            break;
        const DecodedAlarmText& text = texts[active[at]];
        if (text.resolved)
            painter.text(text.text, 0, row * kCellHeight, false, false);
    }
}

}  // namespace vanta
