#pragma once
// A screen (the panel's "window"): its number, description, the screens the panel's up and down
// keys lead to, and the components on it. The list's head is the topmost component and, while
// a component is selected, the selected one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/Archive.h"
#include "model/CBase.h"
#include "model/Canvas.h"
#include "model/ModelContext.h"

namespace vanta {

class CMainView : public Persistent {
  public:
    static constexpr size_t kReservedBytes = 20;
    static constexpr size_t kTableEntryBytes = 9;

    // Empty: no components, empty description, up-key and down-key screens 0, number 0.
    explicit CMainView(const ModelContext& context);
    CMainView(const CMainView&) = delete;
    CMainView& operator=(const CMainView&) = delete;
    ~CMainView() override;

    const RuntimeClass& GetRuntimeClass() const override;
    // number, description, up-key screen, down-key screen, 20 reserved bytes, then the
    // components as a count and tagged objects, head first.
    void Serialize(Archive& ar) override;

    // A new screen: number and description, up-key screen number - 1, down-key screen
    // number + 1 (16-bit arithmetic); shows and fills the screen page.
    void initNewScreen(uint16_t number, const ByteString& description);

    // Creates a component of the kind at the click point (screen pixels, display coordinates),
    // puts it at the head and places it (PlaceAt). Null, and nothing added, for a kind that
    // cannot be created that way.
    CBase* addComponent(uint8_t kind, int32_t x, int32_t y);
    // Puts a component made by the caller (a picture) at the head and places it at the point.
    CBase* addComponent(std::unique_ptr<CBase> component, int32_t x, int32_t y);
    // Appends a component at the tail without placing it (readers, import).
    CBase* appendComponent(std::unique_ptr<CBase> component);

    // The topmost component under the point is brought to the head, its page shown and filled;
    // false when no component is hit.
    bool hitTest(Point point);
    // Moves the component to the head (nothing when it is the head or not on this screen).
    void bringToFront(const CBase* component);
    // Draws every component from the tail to the head (the head on top). When a component is
    // selected, returns the head's rectangle with right and bottom reduced by one as the
    // selection frame (an empty rectangle otherwise).
    Rect draw(Canvas& canvas, bool componentSelected);
    // Removes and destroys the head component, then shows and fills the screen page.
    void deleteSelected();
    // Removes and destroys every component.
    void deleteAllComponents();
    // Copies the description and appends a copy of each of the source's components, head first;
    // number and up-key and down-key screens stay.
    void copyFrom(const CMainView& source);

    // The screen page: shown (hiding the component pages) with the caption "window%d", and its
    // controls bound to this screen.
    void showScreenPage();
    void fillScreenPage();

    // Writes the 9-byte screen-table entry at `index` (the table grows as needed): number,
    // component count (low 8 bits), up-key and down-key screens and the running component-table
    // offset, words high byte first; then the offset grows by 3 x the component count.
    void writeScreenTableEntry(Bytes& table, size_t index, uint16_t& runningOffset) const;

    const std::vector<std::unique_ptr<CBase>>& components() const { return m_components; }
    CBase* head() const { return m_components.empty() ? nullptr : m_components.front().get(); }
    const ModelContext& context() const { return *context_; }

    std::vector<std::unique_ptr<CBase>> m_components;  // head first
    uint16_t m_number = 0;
    ByteString m_description;
    Bytes m_scratch;  // not persistent
    uint16_t m_upScreen = 0;
    uint16_t m_downScreen = 0;

  private:
    const ModelContext* context_;
};

}  // namespace vanta
