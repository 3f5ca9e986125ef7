#include "model/ComponentKinds.h"

#include <algorithm>
#include <iterator>

#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"

namespace vanta {

namespace {

template <typename T>
std::unique_ptr<CBase> forLoading(const ModelContext& context) {
    return std::make_unique<T>(context);
}

template <typename T>
std::unique_ptr<CBase> at(const ModelContext& context, int32_t x, int32_t y) {
    return std::make_unique<T>(context, x, y);
}

template <typename T>
std::unique_ptr<CBase> copyOf(const CBase& source) {
    const auto* typed = dynamic_cast<const T*>(&source);
    return typed ? std::make_unique<T>(*typed) : nullptr;
}

// The texts a new static or dynamic text starts with.
std::unique_ptr<CBase> newText(const ModelContext& context, int32_t x, int32_t y) {
    return std::make_unique<CChars>(context, x, y, "Text");
}
std::unique_ptr<CBase> newDynamicText(const ModelContext& context, int32_t x, int32_t y) {
    return std::make_unique<CDynamic>(context, x, y, "Dynamic Text");
}

// Outlines of placement (screen pixels): one 16 x 16 key cell, a text of 6, 5 or 10 cells, a
// new bar and a new trend.
constexpr PlacementOutline kKeyCell{36, 36};

constexpr ComponentKindInfo kKinds[] = {
    {.code = kKindChars,
     .runtimeClass = {"CChars", 1},
     .displayName = "Static text",
     .jsonName = "CChars",
     .placement = {108, 36},
     .glyphs = GlyphRule::Text,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CChars>,
     .makeAt = newText,
     .copy = copyOf<CChars>},
    {.code = kKindRegister,
     .runtimeClass = {"CRegister", 1},
     .displayName = "Register",
     .jsonName = "CRegister",
     .placement = {90, 36},
     .glyphs = GlyphRule::None,
     .recordOrder = RecordOrder::ByCharacterCell,
     .makeForLoading = forLoading<CRegister>,
     .makeAt = at<CRegister>,
     .copy = copyOf<CRegister>},
    {.code = kKindLight,
     .runtimeClass = {"CLight", 1},
     .displayName = "Lamp",
     .jsonName = "CLight",
     .placement = kKeyCell,
     .glyphs = GlyphRule::LampGlyphs,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CLight>,
     .makeAt = at<CLight>,
     .copy = copyOf<CLight>},
    {.code = kKindFunction,
     .runtimeClass = {"CFunction", 1},
     .displayName = "Function key",
     .jsonName = "CFunction",
     .placement = kKeyCell,
     .glyphs = GlyphRule::KeySymbols,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CFunction>,
     .makeAt = at<CFunction>,
     .copy = copyOf<CFunction>},
    {.code = kKindPicture,
     .runtimeClass = {"CUpLoadPic", 1},
     .displayName = "Picture",
     .jsonName = "CUpLoadPic",
     .placement = {},
     .glyphs = GlyphRule::Picture,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CUpLoadPic>,
     .makeAt = nullptr,
     .copy = copyOf<CUpLoadPic>},
    {.code = kKindBar,
     .runtimeClass = {"CBar", 1},
     .displayName = "Bar graph",
     .jsonName = "CBar",
     .placement = {36, 108},
     .glyphs = GlyphRule::None,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CBar>,
     .makeAt = at<CBar>,
     .copy = copyOf<CBar>},
    {.code = kKindTide,
     .runtimeClass = {"CTide", 1},
     .displayName = "Trend",
     .jsonName = "CTide",
     .placement = {216, 108},
     .glyphs = GlyphRule::None,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CTide>,
     .makeAt = at<CTide>,
     .copy = copyOf<CTide>},
    {.code = kKindDynamic,
     .runtimeClass = {"CDynamic", 1},
     .displayName = "Dynamic text",
     .jsonName = "CDynamic",
     .placement = {180, 36},
     .glyphs = GlyphRule::Text,
     .recordOrder = RecordOrder::ListOrder,
     .makeForLoading = forLoading<CDynamic>,
     .makeAt = newDynamicText,
     .copy = copyOf<CDynamic>},
};

}  // namespace

std::span<const ComponentKindInfo> componentKinds() {
    return kKinds;
}

const ComponentKindInfo* findComponentKind(uint8_t code) {
    const auto it = std::find_if(std::begin(kKinds), std::end(kKinds),
                                 [code](const ComponentKindInfo& k) { return k.code == code; });
    return it == std::end(kKinds) ? nullptr : &*it;
}

const ComponentKindInfo* findComponentKindByClass(std::string_view className) {
    const auto it = std::find_if(std::begin(kKinds), std::end(kKinds), [className](const auto& k) {
        return className == k.runtimeClass.name;
    });
    return it == std::end(kKinds) ? nullptr : &*it;
}

const ComponentKindInfo* findComponentKindByJsonName(std::string_view jsonName) {
    const auto it = std::find_if(std::begin(kKinds), std::end(kKinds),
                                 [jsonName](const auto& k) { return jsonName == k.jsonName; });
    return it == std::end(kKinds) ? nullptr : &*it;
}

const RuntimeClass& runtimeClassOf(ComponentKind kind) {
    // Every enumerator has its row.
    return findComponentKind(kind)->runtimeClass;
}

const char* componentKindName(uint8_t kind) {
    const ComponentKindInfo* info = findComponentKind(kind);
    return info ? info->displayName : "Component";
}

}  // namespace vanta
