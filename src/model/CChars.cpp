#include "model/CChars.h"

#include <algorithm>
#include <utility>

#include "model/GlyphCodes.h"
#include "model/TextRenderer.h"

namespace vanta {

namespace {
// m_textLen is one byte: a longer text (only from a damaged or foreign file) keeps its bytes
// but counts as 255; the download refuses it.
uint8_t lengthByte(const ByteString& text) {
    return static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
}
}  // namespace

CChars::CChars(const ModelContext& context) : CBase(context) {
    m_kind = kKindChars;
}

CChars::CChars(const ModelContext& context, int32_t x, int32_t y, ByteString text)
    : CBase(context), m_text(std::move(text)) {
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
    m_kind = kKindChars;
    m_textLen = lengthByte(m_text);
}

CChars::CChars(const CChars& other)
    : CBase(other), m_textLen(other.m_textLen), m_text(other.m_text) {}

const RuntimeClass& CChars::GetRuntimeClass() const {
    return runtimeClassOf(kKindChars);
}

void CChars::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    checkLoadedKind(ar, m_kind, kKindChars);
    ar.io(m_doubleSize);
    ar.io(m_inverse);
    ar.ioString(m_text);
    SkipReserved(ar, kReservedBytes);
    if (ar.isLoading())
        SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

void CChars::UpdatePageCoordinates() {
    if (PageHost* host = pages())
        host->setPageCoordinates(m_kind, m_x, m_y);
}

void CChars::RebaseGlyphCodes(uint16_t& base) {
    vanta::RebaseGlyphCodes(m_record, 4, base, m_text.size());
}

void CChars::ComputeRecordSize() {
    m_recordLen = static_cast<uint16_t>(m_textLen + 4);
}

Status CChars::CollectGlyphs(DownloadContext& download) {
    Status collected = CollectGlyphCodes(download.glyphs, m_record, m_text, 4, 0);
    if (!collected.ok())
        return Status::failure(describe() + ": " + collected.message());
    return collected;
}

Status CChars::BuildDownloadRecord(DownloadContext& download) {
    if (Status fits = checkForDownload(); !fits.ok())
        return fits;
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok())
        return built;
    if (m_record.size() < 4)
        return Status::failure(describe() + ": record size not computed");
    m_record[2] = static_cast<uint8_t>(flagBit(m_inverse) | flagBit(m_doubleSize) << 1);
    m_record[3] = m_textLen;
    return Status::success();
}

void CChars::Draw(Canvas& canvas) {
    DrawDisplayText(canvas, context().fontTables(), m_text, m_rect, m_inverse != 0);
}

void CChars::SetPosition(int32_t x, int32_t y) {
    m_textLen = lengthByte(m_text);
    const int32_t scale = flagBit(m_doubleSize) + 1;
    m_rect = {x, y, x + m_textLen * scale * kScreenCellWidth, y + scale * kScreenCellHeight};
}

void CChars::FillPropertyPage() {
    if (PageHost* host = pages())
        host->fillPage(*this);
}

void CChars::ShowPropertyPage() {
    if (PageHost* host = pages())
        host->showPage(m_kind);
}

bool CChars::acceptsTypedText(const ByteString& candidate) {
    return candidate.size() <= kMaxTypedBytes;
}

Status CChars::checkForDownload() const {
    return checkDownloadText(m_text, describe());
}

}  // namespace vanta
