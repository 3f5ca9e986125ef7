#pragma once
// Picture: a monochrome bitmap imported from a picture file, shown at a fixed position of a
// screen, stored in the project with its one-bit pixels and sent to the panel as a small record
// plus its bitmap in page format in the image's picture data.

#include <algorithm>
#include <cstdint>
#include <span>

#include "model/CBase.h"
#include "model/MonoBitmap.h"

namespace vanta {

class CUpLoadPic : public CBase {
  public:
    static constexpr size_t kReservedBytes = 20;
    static constexpr uint16_t kRecordSize = 9;

    // Converts a loaded picture (width x height colours 0xRRGGBB, top row first) into the one-bit
    // bitmap of a new picture: a pixel is light when the average of red, green and blue is above
    // 128. A picture wider than 196 or taller than 64 is refused with "picture size error!!!"
    // ("Open picture").
    static Result<MonoBitmap> convertLoadedPicture(int width, int height,
                                                   std::span<const uint32_t> pixels);

    // For loading: an empty picture.
    explicit CUpLoadPic(const ModelContext& context);
    // At a click point (screen pixels) with the converted bitmap of the loaded picture; the
    // screen then calls PlaceAt.
    //
    // The picture is converted once, when it is made. Showing the loaded file unscaled and
    // reading the drawn pixels back gives exactly the bits that converting the loaded pixels
    // gives (the unscaled picture always fits in the display area), so the bitmap is taken from
    // the loaded pixels directly and the picture draws from it from the start; it never depends
    // on having been drawn before it is saved or downloaded.
    CUpLoadPic(const ModelContext& context, int32_t x, int32_t y, MonoBitmap bitmap);
    // Position, bitmap and every field; no download record.
    CUpLoadPic(const CUpLoadPic& other);

    const RuntimeClass& GetRuntimeClass() const override;
    // The common record, the 48-byte bitmap description, the pixel rows (image size bytes) and
    // 20 reserved bytes. A description whose size fields do not agree (image size against width
    // and height, size limits, one bit per pixel) or rows that run past the end of the data fail
    // the archive; the picture is then left empty.
    void Serialize(Archive& ar) override;
    void UpdatePageCoordinates() override;
    // Writes the running picture-data address into bytes 5..6 and advances it by this picture's
    // bitmap size.
    void RebaseGlyphCodes(uint16_t& base) override;
    void ComputeRecordSize() override;
    // Appends the bitmap in page format to the download's picture data and remembers its size.
    Status CollectGlyphs(DownloadContext& download) override;
    // Base header, byte 2 = 0, width at 3, height at 4; bytes 5..8 stay 0 until the rebase.
    Status BuildDownloadRecord(DownloadContext& download) override;
    // Stretches the one-bit bitmap over the rectangle (0 bits black, 1 bits white).
    void Draw(Canvas& canvas) override;
    // Rectangle = (x, y, x + round(w x 2.25), y + round(h x 2.25)).
    void SetPosition(int32_t x, int32_t y) override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // --- rules of the picture page ---
    // X spin 0 .. 192 - w, Y spin 0 .. 64 - h; a picture wider than the display (up to 196
    // columns) can only sit at x = 0.
    int32_t pictureXMaximum() const { return std::max(0, kPanelWidth - m_bitmap.width()); }
    int32_t pictureYMaximum() const { return std::max(0, kPanelHeight - m_bitmap.height()); }
    // X or Y spin changed (m_x, m_y already written): moves the picture.
    void onPagePositionChanged() { applyPagePosition(); }

    int width() const { return m_bitmap.width(); }
    int height() const { return m_bitmap.height(); }

    MonoBitmap m_bitmap;          // one bit per pixel, rows bottom first; description derived
    uint16_t m_downloadSize = 0;  // bands x width, set by CollectGlyphs
};

}  // namespace vanta
