#include "model/CUpLoadPic.h"

#include <utility>

#include "common/ByteOrder.h"

namespace vanta {

namespace {
constexpr Color kBitmapZero = rgb(0, 0, 0);  // palette entry 0
constexpr Color kBitmapOne = rgb(255, 255, 255);
}  // namespace

Result<MonoBitmap> CUpLoadPic::convertLoadedPicture(int width, int height,
                                                    std::span<const uint32_t> pixels) {
    if (!pictureSizeAllowed(width, height))
        return Result<MonoBitmap>::failure("picture size error!!!", "Open picture");
    auto converted = MonoBitmap::fromColours(width, height, pixels);
    if (!converted.ok())
        return Result<MonoBitmap>::failure("Open the picture error!!!", "Open picture");
    return converted;
}

CUpLoadPic::CUpLoadPic(const ModelContext& context) : CBase(context) {
    m_kind = kKindPicture;
}

CUpLoadPic::CUpLoadPic(const ModelContext& context, int32_t x, int32_t y, MonoBitmap bitmap)
    : CBase(context), m_bitmap(std::move(bitmap)) {
    m_kind = kKindPicture;
    m_x = panelFromScreen(x);
    m_y = panelFromScreen(y);
}

CUpLoadPic::CUpLoadPic(const CUpLoadPic& other)
    : CBase(other), m_bitmap(other.m_bitmap), m_downloadSize(other.m_downloadSize) {}

const RuntimeClass& CUpLoadPic::GetRuntimeClass() const {
    return runtimeClassOf(kKindPicture);
}

void CUpLoadPic::Serialize(Archive& ar) {
    CBase::Serialize(ar);
    if (ar.isStoring()) {
        const BitmapDescription description = m_bitmap.description();
        ar.writeBytes(description);
        ar.writeBytes(m_bitmap.bits());
        SkipReserved(ar, kReservedBytes);
        return;
    }
    checkLoadedKind(ar, m_kind, kKindPicture);
    m_kind = kKindPicture;
    // Failures name the offset of the description, inside this record.
    const size_t descriptionOffset = ar.offset();
    BitmapDescription description{};
    if (!ar.readBytes(description.data(), description.size()))
        return;
    const uint32_t imageSize = MonoBitmap::storedImageSize(description);
    if (imageSize > ar.remaining()) {
        ar.failAt(descriptionOffset, "picture of " + std::to_string(imageSize) +
                                         " bytes runs past the end of the file");
        return;
    }
    Bytes bits(imageSize);
    if (!ar.readBytes(bits.data(), bits.size()))
        return;
    auto stored = MonoBitmap::fromStored(description, bits);
    if (!stored.ok()) {
        ar.failAt(descriptionOffset, stored.message());
        return;
    }
    m_bitmap = std::move(stored.value());
    SkipReserved(ar, kReservedBytes);
    SetPosition(screenFromPanel(m_x), screenFromPanel(m_y));
}

void CUpLoadPic::UpdatePageCoordinates() {
    if (PageHost* host = pages())
        host->setPageCoordinates(m_kind, m_x, m_y);
}

void CUpLoadPic::RebaseGlyphCodes(uint16_t& base) {
    if (m_record.size() >= 7)
        setBE16(m_record.data() + 5, base);
    base = static_cast<uint16_t>(base + m_downloadSize);
}

void CUpLoadPic::ComputeRecordSize() {
    m_recordLen = kRecordSize;
}

Status CUpLoadPic::CollectGlyphs(DownloadContext& download) {
    m_bitmap.appendPageFormat(download.pictureData);
    m_downloadSize = m_bitmap.downloadSize();
    return Status::success();
}

Status CUpLoadPic::BuildDownloadRecord(DownloadContext& download) {
    if (Status built = CBase::BuildDownloadRecord(download); !built.ok())
        return built;
    if (m_record.size() < kRecordSize)
        return Status::failure(describe() + ": record size not computed");
    m_record[3] = static_cast<uint8_t>(m_bitmap.width());
    m_record[4] = static_cast<uint8_t>(m_bitmap.height());
    return Status::success();
}

void CUpLoadPic::Draw(Canvas& canvas) {
    canvas.drawMonoBitmap(m_rect, m_bitmap, kBitmapOne, kBitmapZero);
}

void CUpLoadPic::SetPosition(int32_t x, int32_t y) {
    m_rect = {x, y, x + screenFromPanel(m_bitmap.width()), y + screenFromPanel(m_bitmap.height())};
}

void CUpLoadPic::FillPropertyPage() {
    if (PageHost* host = pages())
        host->fillPage(*this);
}

void CUpLoadPic::ShowPropertyPage() {
    if (PageHost* host = pages())
        host->showPage(m_kind);
}

}  // namespace vanta
