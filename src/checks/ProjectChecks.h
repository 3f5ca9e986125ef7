#pragma once
// The checks of a project: every problem that the download would refuse or the panel would show
// or do differently from what the editor shows, and what is probably a mistake. The editor's
// problem list, the download command and `vantactl check` all take their problems from here.
//
// What is checked (the code of each problem in brackets):
// - screens: a number that appears twice (duplicate-screen), more than 255 components
//   (too-many-components), up and down keys naming a screen that does not exist
//   (missing-up-screen, missing-down-screen; 0 means none);
// - panel settings: an initial or screen-saver screen that does not exist (missing-initial-
//   screen, missing-saver-screen), the PLC station, control register and its type outside the
//   protocol's ranges while the control block is used (panel-out-of-range);
// - every component: a corner off the display (off-display), a part past the display's edge
//   (does-not-fit), completely covered by a component the panel draws later (covered), texts
//   that overlap in part (overlapping-texts), texts too long, ending in half a character or
//   holding bytes that are no GBK character (text-too-long, text-incomplete-character,
//   text-not-gbk), a register too wide for its record (register-too-wide), dynamic-text values
//   that repeat or lie outside the register's values (duplicate-dynamic-value,
//   dynamic-value-range), more entries than the record holds (too-many-entries), limits or scales
//   in the wrong order with what the download would write (limits-order), jump keys to missing
//   screens (missing-jump-target), key settings the panel or protocol refuses (key-refused),
//   station, type, address, bit number, count and other values outside what the protocol and the
//   page allow (out-of-range);
// - the alarm list: more than 255 texts (alarm-too-many), more texts than the start register
//   has coils (alarm-past-register), texts as above, a start coil outside the protocol's ranges
//   (alarm-out-of-range), texts under a protocol without an alarm list (alarm-not-offered);
// - the compiled image: larger than the panel's 32,768 bytes (image-too-large), and any other
//   refusal of the compiler (download-refused).

#include <cstdint>
#include <vector>

#include "checks/Problem.h"

namespace vanta {

class CBase;
class Project;

// The part of the display a component covers as the panel draws it (panel pixels), from what
// its download record carries: texts and registers by their character cells, keys with their
// hand, bars, trends and pictures by their size. An invisible key draws nothing.
struct PanelArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool drawn = true;
    bool text = false;  // a field of characters: static text, dynamic text, register

    int32_t right() const { return x + width; }
    int32_t bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(const PanelArea& other) const;
    bool intersects(const PanelArea& other) const;
    // The part on the 192 x 64 display.
    PanelArea onDisplay() const;
};
PanelArea panelArea(const CBase& component);

// What the compiled image adds to the checks.
struct ImageFacts {
    size_t imageBytes = 0;
    // For every screen in list order: the list positions of its components in the order the
    // panel draws them (CompileResult::imageOrder).
    std::vector<std::vector<uint16_t>> drawOrder;
};

// Every problem of the project, in this order: the image, the panel settings, each screen (its
// own settings, then its components in list order), the alarm list. Without `image` (the
// compiler refused the project) the image's size and the stacking of components are not
// checked.
std::vector<Problem> checkProject(const Project& project, const ImageFacts* image);

}  // namespace vanta
