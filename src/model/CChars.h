#pragma once
// Static text: a fixed string of code-page bytes shown at a character position of the display,
// normal or double size, normal or inverse video. No PLC binding.

#include <cstddef>
#include <cstdint>

#include "model/CBase.h"

namespace vanta {

class CChars : public CBase {
  public:
    // The text page refuses typing beyond this many bytes (one display line).
    static constexpr size_t kMaxTypedBytes = 24;
    static constexpr size_t kReservedBytes = 50;

    // For loading: base defaults, empty text.
    explicit CChars(const ModelContext& context);
    // At a click point (screen pixels) with a text; the screen then calls PlaceAt.
    CChars(const ModelContext& context, int32_t x, int32_t y, ByteString text);
    // The common part, the attributes and the text; no download record.
    CChars(const CChars& other);

    const RuntimeClass& GetRuntimeClass() const override;
    void Serialize(Archive& ar) override;
    void UpdatePageCoordinates() override;
    void RebaseGlyphCodes(uint16_t& base) override;
    void ComputeRecordSize() override;
    Status CollectGlyphs(DownloadContext& download) override;
    Status BuildDownloadRecord(DownloadContext& download) override;
    void Draw(Canvas& canvas) override;
    void SetPosition(int32_t x, int32_t y) override;
    void FillPropertyPage() override;
    void ShowPropertyPage() override;

    // --- rules of the text page ---
    // Whether typing may turn the text into `candidate` (at most 24 bytes); when not, the edit
    // keeps its previous text. A longer text loaded from a file is kept as it is.
    static bool acceptsTypedText(const ByteString& candidate);
    // X or Y spin changed (m_x, m_y already written): moves the rectangle.
    void onPagePositionChanged() { applyPagePosition(); }
    // Double size or text changed (already written into the fields): the size rule at the
    // current corner, back into the display when needed. The page then reads pageXMaximum()
    // and pageYMaximum() for its spin ranges.
    void onPageSizeChanged() { Refit(); }

    // Whether the text can be downloaded (at most 255 bytes, no lone lead byte at its end); the
    // failure names the component.
    Status checkForDownload() const;

    uint8_t m_textLen = 0;  // byte length of m_text (a double-byte character counts 2)
    ByteString m_text;
};

}  // namespace vanta
