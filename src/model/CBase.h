#pragma once
// The base of every component placed on a screen: the common fields, the coordinate model
// (panel pixels stored, the screen rectangle derived), the virtual interface every kind
// implements, and the shared geometry operations (hit test, clamp, place, refit, drag).

#include <cstdint>
#include <string>

#include "common/Archive.h"
#include "common/Result.h"
#include "model/Canvas.h"
#include "model/ComponentKinds.h"
#include "model/DownloadContext.h"
#include "model/Geometry.h"
#include "model/ModelContext.h"
#include "model/PageHost.h"

namespace vanta {

class CBase : public Persistent {
  public:
    // --- virtual interface, in slot order ---
    // 0
    const RuntimeClass& GetRuntimeClass() const override;
    // 1: releases the download record
    ~CBase() override;
    // 2: the common record (kind, x, y); every class calls it first
    void Serialize(Archive& ar) override;
    // 3: stores the number display mode (item is used by the function key only)
    virtual void SetDisplayMode(uint8_t mode, int item);
    // 4: writes m_x, m_y into the X and Y spins of the component's page
    virtual void UpdatePageCoordinates();
    // 5: releases the download record
    virtual void FreeDownloadRecord();
    // 6: adds the glyph base to the glyph codes of the record (text kinds, function key); the
    //    picture stores the running picture address and advances it
    virtual void RebaseGlyphCodes(uint16_t& base);
    // 7: sets m_recordLen
    virtual void ComputeRecordSize();
    // 8: gathers the characters, symbols or bitmaps of the component into the download's sets
    //    and writes their codes into the record
    virtual Status CollectGlyphs(DownloadContext& download);
    // 9: m_recordLen zero bytes, byte 0 = m_x, byte 1 = m_y; every class calls it first. A
    //    failure (a field that cannot be downloaded) names the component.
    virtual Status BuildDownloadRecord(DownloadContext& download);
    // 10: draws the component on the simulated display (display coordinates)
    virtual void Draw(Canvas& canvas);
    // 11: left = x, top = y, right and bottom by the class's size rule
    virtual void SetPosition(int32_t x, int32_t y);
    // 12: binds the component's page to its fields
    virtual void FillPropertyPage();
    // 13: shows the component's page and hides the others
    virtual void ShowPropertyPage();

    // --- geometry (screen pixels relative to the display origin) ---
    // True when the point lies in m_rect (right and bottom edges outside).
    bool HitTest(Point point) const { return m_rect.contains(point); }
    // 0 <= left, 0 <= top, right <= 432, bottom <= 144.
    bool IsInsideDisplay() const;
    // Moves the component back into the display, keeping its size; m_x, m_y follow the moved
    // edges. Every test uses the rectangle as it was before the clamp began.
    void ClampToDisplay();
    // SetPosition(x, y), clamped into the display, then the page is shown and filled.
    void PlaceAt(int32_t x, int32_t y);
    // Applies the size rule again at the current corner; clamps (and updates the page
    // coordinates) when the result leaves the display.
    void Refit();
    // Moves the component by whole steps of 9 screen pixels (4 panel pixels) toward `current`;
    // the remainder stays in `anchor`. Returns the area to invalidate in view coordinates.
    Rect DragTo(Point current, Point& anchor);

    // --- helpers of the property pages ---
    // SetPosition from the page's X and Y (m_x, m_y, already written by the spins).
    void applyPagePosition();
    // Spin maxima that keep the component inside the display: 192 - width x 4/9 and
    // 64 - height x 4/9 (width and height of m_rect), never below 0: a component wider or
    // taller than the display keeps its corner at 0 (a negative maximum would pull the position
    // below 0, which the panel's one-byte position would read as a number near 255).
    int32_t pageXMaximum() const;
    int32_t pageYMaximum() const;

    // "Static text at (10, 3)": the component as messages name it.
    std::string describe() const;
    const ModelContext& context() const { return *context_; }

    // --- common fields ---
    Rect m_rect;                // screen pixels, relative to the display origin; derived
    uint8_t m_kind = 0;         // kind code, set by each class
    uint8_t m_subAddress = 0;   // bit number in a word; protocol 31: parameter number
    uint16_t m_address = 0;     // register address (protocol default)
    uint8_t m_subType = 0;      // protocol 31: sub-type index
    uint8_t m_regType = 0;      // index into the protocol's register type list
    uint8_t m_displayMode = 1;  // 1 decimal, 0 HEX/BCD
    uint8_t m_station = 1;      // PLC station (protocol default)
    uint8_t m_keyOption = 0;    // function key only
    uint8_t m_regCount = 1;     // consecutive registers read
    int32_t m_x = 0;            // panel pixels
    int32_t m_y = 0;
    uint8_t m_doubleSize = 0;  // double width and height
    uint8_t m_inverse = 0;     // text kinds: inverse video; lamp: logic
    uint8_t m_signed = 0;      // value is signed
    uint16_t m_recordLen = 0;  // download record length, set by ComputeRecordSize
    Bytes m_record;            // the download record; empty outside a download

  protected:
    // Defaults of the context's protocol; the class sets m_kind and its position.
    explicit CBase(const ModelContext& context);
    // Copies the common part: rectangle, m_x, m_y, m_doubleSize, m_inverse, m_kind, m_station,
    // m_subAddress; everything else starts at its default and the copy has no download record.
    CBase(const CBase& other);
    CBase& operator=(const CBase&) = delete;

    // Copies the register binding the data-bound kinds share beyond the common part: address,
    // register count, register type, display mode, signed flag and sub-type.
    void copyRegisterBinding(const CBase& other);

    // After a class has read its kind: fails the archive when the record's kind is not the
    // class's own.
    static void checkLoadedKind(Archive& ar, uint8_t loaded, uint8_t expected);
    // The page host, or null.
    PageHost* pages() const { return context_->pages; }

  private:
    const ModelContext* context_;
};

// A stored flag byte as the one bit the display and the panel image use: any value but 0 is set.
// Files may hold other values than 0 and 1 in a flag; the stored byte itself is kept as it is.
constexpr uint8_t flagBit(uint8_t stored) {
    return stored != 0 ? 1 : 0;
}

// A run of n reserved bytes at the end of a record: zeros on storing, skipped on loading.
inline void SkipReserved(Archive& ar, size_t n) {
    ar.reserved(n);
}

}  // namespace vanta
