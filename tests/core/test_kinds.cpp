// The kind table: names, factories and the rules the compiler takes from it; copying every kind
// with every field set.

#include <gtest/gtest.h>

#include "model/ComponentFactory.h"
#include "model_test_support.h"

namespace vanta {
namespace {

using ProtocolModel = vanta::testing::ProtocolModel;
using vanta::testing::setEveryField;
using vanta::testing::store;

// --- the table ---

TEST(KindTable, EachRowNamesItsClassAndMakesComponentsOfItsKind) {
    ProtocolModel p(2);
    ClassRegistry registry;
    registerModelClasses(registry, p.context);
    uint8_t previous = 0;
    for (const ComponentKindInfo& kind : componentKinds()) {
        SCOPED_TRACE(kind.displayName);
        EXPECT_GT(kind.code, previous) << "rows in code order, each code once";
        previous = kind.code;

        std::unique_ptr<CBase> loaded = kind.makeForLoading(p.context);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->m_kind, kind.code);
        EXPECT_STREQ(loaded->GetRuntimeClass().name, kind.runtimeClass.name);
        EXPECT_EQ(loaded->GetRuntimeClass().schema, 1);

        // The reader creates the class by its name.
        const ClassRegistry::Entry* entry = registry.find(kind.runtimeClass.name);
        ASSERT_NE(entry, nullptr);
        auto* created = dynamic_cast<CBase*>(entry->factory().get());
        ASSERT_NE(created, nullptr);

        EXPECT_EQ(findComponentKind(kind.code), &kind);
        EXPECT_EQ(findComponentKindByClass(kind.runtimeClass.name), &kind);
        EXPECT_EQ(findComponentKindByJsonName(kind.jsonName), &kind);
        EXPECT_STREQ(componentKindName(kind.code), kind.displayName);

        if (kind.makeAt == nullptr) {
            EXPECT_EQ(kind.placement.width, 0) << "placed from what the user loads";
            EXPECT_EQ(createComponent(kind.code, p.context, 45, 90), nullptr);
            continue;
        }
        EXPECT_GT(kind.placement.width, 0);
        EXPECT_GT(kind.placement.height, 0);
        std::unique_ptr<CBase> placed = createComponent(kind.code, p.context, 45, 90);
        ASSERT_NE(placed, nullptr);
        EXPECT_EQ(placed->m_kind, kind.code);
        EXPECT_EQ(placed->m_x, 20);
        EXPECT_EQ(placed->m_y, 40);
    }
    EXPECT_EQ(previous, kKindDynamic);
}

TEST(KindTable, UnknownCodesAndNamesHaveNoRow) {
    ProtocolModel p(2);
    for (uint8_t code : {uint8_t(0), uint8_t(9), uint8_t(255)}) {
        EXPECT_EQ(findComponentKind(code), nullptr);
        EXPECT_STREQ(componentKindName(code), "Component");
        EXPECT_EQ(createComponent(code, p.context, 0, 0), nullptr);
        EXPECT_EQ(createComponentForLoading(code, p.context), nullptr);
    }
    EXPECT_EQ(findComponentKindByClass("CMainView"), nullptr);
    EXPECT_EQ(findComponentKindByClass("CBarTide"), nullptr);
    EXPECT_EQ(findComponentKindByJsonName("chars"), nullptr);
    EXPECT_EQ(findComponentKindByJsonName(""), nullptr);
}

TEST(KindTable, NamesAndRulesOfTheEightKinds) {
    // What files, messages, the JSON form, the editor and the image depend on.
    struct Expected {
        uint8_t code;
        const char* className;
        const char* displayName;
        PlacementOutline placement;
        GlyphRule glyphs;
        RecordOrder order;
    };
    const Expected expected[] = {
        {1, "CChars", "Static text", {108, 36}, GlyphRule::Text, RecordOrder::ListOrder},
        {2, "CRegister", "Register", {90, 36}, GlyphRule::None, RecordOrder::ByCharacterCell},
        {3, "CLight", "Lamp", {36, 36}, GlyphRule::LampGlyphs, RecordOrder::ListOrder},
        {4, "CFunction", "Function key", {36, 36}, GlyphRule::KeySymbols, RecordOrder::ListOrder},
        {5, "CUpLoadPic", "Picture", {0, 0}, GlyphRule::Picture, RecordOrder::ListOrder},
        {6, "CBar", "Bar graph", {36, 108}, GlyphRule::None, RecordOrder::ListOrder},
        {7, "CTide", "Trend", {216, 108}, GlyphRule::None, RecordOrder::ListOrder},
        {8, "CDynamic", "Dynamic text", {180, 36}, GlyphRule::Text, RecordOrder::ListOrder},
    };
    ASSERT_EQ(componentKinds().size(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.displayName);
        const ComponentKindInfo* kind = findComponentKind(e.code);
        ASSERT_NE(kind, nullptr);
        EXPECT_STREQ(kind->runtimeClass.name, e.className);
        EXPECT_STREQ(kind->jsonName, e.className) << "the JSON form names kinds by class";
        EXPECT_STREQ(kind->displayName, e.displayName);
        EXPECT_EQ(kind->placement.width, e.placement.width);
        EXPECT_EQ(kind->placement.height, e.placement.height);
        EXPECT_EQ(kind->glyphs, e.glyphs);
        EXPECT_EQ(kind->recordOrder, e.order);
    }
}

// --- copying ---

// The common part every copy takes, beside what the record stores.
struct CommonPart {
    Rect rect;
    int32_t x, y;
    uint8_t doubleSize, inverse, kind, station, subAddress;
    bool operator==(const CommonPart&) const = default;
};
CommonPart commonPart(const CBase& c) {
    return {c.m_rect,    c.m_x,    c.m_y,       c.m_doubleSize,
            c.m_inverse, c.m_kind, c.m_station, c.m_subAddress};
}

TEST(KindCopy, EveryKindCopiesEveryFieldItStoresAndNoDownloadRecord) {
    for (uint8_t protocol : {uint8_t(2), uint8_t(31)}) {
        ProtocolModel p(protocol);
        for (const ComponentKindInfo& kind : componentKinds()) {
            SCOPED_TRACE(std::string(kind.displayName) + ", protocol " + std::to_string(protocol));
            std::unique_ptr<CBase> original = kind.makeForLoading(p.context);
            const Bytes defaults = store(*original);
            ASSERT_TRUE(setEveryField(*original));
            const Bytes filled = store(*original);
            ASSERT_NE(filled, defaults);
            original->ComputeRecordSize();
            DownloadContext download;
            ASSERT_TRUE(original->BuildDownloadRecord(download).ok());
            ASSERT_FALSE(original->m_record.empty());

            std::unique_ptr<CBase> copy = copyComponent(*original);
            ASSERT_NE(copy, nullptr);
            EXPECT_EQ(store(*copy), filled);
            EXPECT_EQ(commonPart(*copy), commonPart(*original));
            EXPECT_TRUE(copy->m_record.empty());
            EXPECT_EQ(copy->m_recordLen, 0);

            // A copy is made only of an object of the kind's class.
            for (const ComponentKindInfo& other : componentKinds()) {
                if (other.code != kind.code) {
                    EXPECT_EQ(other.copy(*original), nullptr) << other.displayName;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vanta
