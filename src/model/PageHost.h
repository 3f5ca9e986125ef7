#pragma once
// The property pages as the model sees them. The editor view implements this with its widgets;
// components and screens call it from ShowPropertyPage, FillPropertyPage and
// UpdatePageCoordinates, so the model never touches a widget. Without a host (command line,
// tests) those operations do nothing.

#include <cstdint>
#include <string>

namespace vanta {

class CBase;
class CMainView;

// One page per kind of thing the page area can show.
enum class PageKind : uint8_t {
    Screen,
    Text,         // CChars
    Register,     // CRegister
    DynamicText,  // CDynamic
    Lamp,         // CLight
    FunctionKey,  // CFunction
    BarTide,      // CBar and CTide
    Picture,      // CUpLoadPic
};

class PageHost {
  public:
    virtual ~PageHost() = default;

    // Shows the page in the property-page area (220, 218)-(732, 448) and hides every other page;
    // does nothing when the page is already visible.
    virtual void showPage(PageKind kind) = 0;
    // Binds the controls of the component's page to the component's fields (the page knows the
    // component's class from the kind).
    virtual void fillPage(PageKind kind, CBase& component) = 0;
    // Writes the panel position into the X and Y spin controls of the page.
    virtual void setPageCoordinates(PageKind kind, int32_t x, int32_t y) = 0;

    // The screen page: its caption label ("window%d"), and binding its controls (up-key and
    // down-key spins, description edit) to the screen.
    virtual void setScreenCaption(const std::string& caption) = 0;
    virtual void fillScreenPage(CMainView& screen) = 0;
};

}  // namespace vanta
