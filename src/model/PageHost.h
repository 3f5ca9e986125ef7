#pragma once
// The property pages as the model sees them. The editor view implements this with its widgets;
// components and screens call it from ShowPropertyPage, FillPropertyPage and
// UpdatePageCoordinates, so the model never touches a widget. Without a host (command line,
// tests) those operations do nothing. Pages are named by the component kind they serve: which
// page serves a kind is the host's own matter.

#include <cstdint>
#include <string>

namespace vanta {

class CBase;
class CMainView;

class PageHost {
  public:
    virtual ~PageHost() = default;

    // Shows the page of the component kind in the property-page area (220, 218)-(732, 448) and
    // hides every other page; does nothing when the page is already visible.
    virtual void showPage(uint8_t kind) = 0;
    // Binds the controls of the page of the component's kind to the component's fields.
    virtual void fillPage(CBase& component) = 0;
    // Writes the panel position into the X and Y spin controls of the page of the kind.
    virtual void setPageCoordinates(uint8_t kind, int32_t x, int32_t y) = 0;

    // The screen page: shown like a component's page; its caption label ("window%d"), and
    // binding its controls (up-key and down-key spins, description edit) to the screen.
    virtual void showScreenPage() = 0;
    virtual void setScreenCaption(const std::string& caption) = 0;
    virtual void fillScreenPage(CMainView& screen) = 0;
};

}  // namespace vanta
