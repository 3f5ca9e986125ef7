#pragma once
// The component kinds, one row each: the code, the names (persistent class, messages, JSON form),
// how a component of the kind is made (placed by a click, created for loading, copied), the
// outline the editor shows while it is being placed, and what the image compiler gathers from
// it. Everything else a kind does lives in its class. Which property page the editor shows for a
// kind is a gui matter, kept in the gui's page table (pages/PageFactory).

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "common/Archive.h"

namespace vanta {

class CBase;
struct ModelContext;

// Kind codes: the first field of every component record and the selector of the image compiler.
enum ComponentKind : uint8_t {
    kKindChars = 1,     // CChars, static text
    kKindRegister = 2,  // CRegister
    kKindLight = 3,     // CLight, lamp
    kKindFunction = 4,  // CFunction, function key
    kKindPicture = 5,   // CUpLoadPic
    kKindBar = 6,       // CBar, bar graph
    kKindTide = 7,      // CTide, trend
    kKindDynamic = 8,   // CDynamic, dynamic text
};

// What the image compiler gathers from a component of the kind, and how it rebases the codes the
// component's record holds.
enum class GlyphRule : uint8_t {
    None,        // nothing
    LampGlyphs,  // nothing of its own, but the image then carries the four lamp glyphs
    Text,        // characters into the wide and narrow sets; rebased past lamp and symbol glyphs
    KeySymbols,  // key symbols into the symbol set; rebased past the lamp glyphs
    Picture,     // its bitmap into the picture data; rebased to the running picture address
};

// Where the records of the kind go among the records of their screen.
enum class RecordOrder : uint8_t {
    ListOrder,        // in screen-list order
    ByCharacterCell,  // after every list-order record, by character row, then column
};

// The outline the editor shows while a kind is being placed, in screen pixels.
struct PlacementOutline {
    int32_t width = 0;
    int32_t height = 0;
};

struct ComponentKindInfo {
    uint8_t code;
    RuntimeClass runtimeClass;  // class name and schema in project files
    const char* displayName;    // in messages: "Static text at (10, 3): ..."
    const char* jsonName;       // "kind" of the component in the JSON form
    // Empty (0 x 0) for a kind the editor places from something the user loads first (the
    // picture: its outline is its bitmap's).
    PlacementOutline placement;
    GlyphRule glyphs;
    RecordOrder recordOrder;
    // With its defaults, for the archive to read into.
    std::unique_ptr<CBase> (*makeForLoading)(const ModelContext& context);
    // New, at a click point (screen pixels), not yet placed (the screen calls PlaceAt). Null for
    // a kind that needs more than a point (the picture needs its bitmap).
    std::unique_ptr<CBase> (*makeAt)(const ModelContext& context, int32_t x, int32_t y);
    // A copy by the class's copy operation; null when the object is not of the class.
    std::unique_ptr<CBase> (*copy)(const CBase& source);
};

// Every kind, in code order.
std::span<const ComponentKindInfo> componentKinds();
// The row of a code, of a class name or of a JSON kind name; null when there is none.
const ComponentKindInfo* findComponentKind(uint8_t code);
const ComponentKindInfo* findComponentKindByClass(std::string_view className);
const ComponentKindInfo* findComponentKindByJsonName(std::string_view jsonName);

// The persistent class of a kind's code (each class returns it from GetRuntimeClass).
const RuntimeClass& runtimeClassOf(ComponentKind kind);
// "Static text", "Register", ... ("Component" for an unknown code); used in messages.
const char* componentKindName(uint8_t kind);

}  // namespace vanta
