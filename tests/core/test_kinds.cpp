// The kind table: names, factories and the rules the compiler takes from it; copying every kind
// with every field set; flag bytes other than 0 and 1 from a file, on the display and in the
// image; the dynamic text's signed setting through a save and reopen.

#include <gtest/gtest.h>

#include "image_test_support.h"
#include "model/ComponentFactory.h"
#include "model/PixelCanvas.h"
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
        const auto made = entry->factory();
        auto* created = dynamic_cast<CBase*>(made.get());
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

// --- flag bytes other than 0 and 1 ---

struct FlagCase {
    uint8_t kind;
    const char* name;
    uint8_t& (*field)(CBase&);
};

const FlagCase kFlagCases[] = {
    {kKindChars, "doubleSize", [](CBase& c) -> uint8_t& { return c.m_doubleSize; }},
    {kKindChars, "inverse", [](CBase& c) -> uint8_t& { return c.m_inverse; }},
    {kKindRegister, "doubleSize", [](CBase& c) -> uint8_t& { return c.m_doubleSize; }},
    {kKindRegister, "inverse", [](CBase& c) -> uint8_t& { return c.m_inverse; }},
    {kKindRegister, "signed", [](CBase& c) -> uint8_t& { return c.m_signed; }},
    {kKindRegister, "displayMode", [](CBase& c) -> uint8_t& { return c.m_displayMode; }},
    {kKindRegister, "password",
     [](CBase& c) -> uint8_t& { return static_cast<CRegister&>(c).m_password; }},
    {kKindRegister, "settable",
     [](CBase& c) -> uint8_t& { return static_cast<CRegister&>(c).m_settable; }},
    {kKindRegister, "limits",
     [](CBase& c) -> uint8_t& { return static_cast<CRegister&>(c).m_limits; }},
    {kKindRegister, "dataKind",
     [](CBase& c) -> uint8_t& { return static_cast<CRegister&>(c).m_dataKind; }},
    {kKindDynamic, "doubleSize", [](CBase& c) -> uint8_t& { return c.m_doubleSize; }},
    {kKindDynamic, "inverse", [](CBase& c) -> uint8_t& { return c.m_inverse; }},
    {kKindDynamic, "displayMode", [](CBase& c) -> uint8_t& { return c.m_displayMode; }},
    {kKindLight, "doubleSize", [](CBase& c) -> uint8_t& { return c.m_doubleSize; }},
    {kKindLight, "inverse", [](CBase& c) -> uint8_t& { return c.m_inverse; }},
    {kKindFunction, "doubleSize", [](CBase& c) -> uint8_t& { return c.m_doubleSize; }},
    {kKindFunction, "inverse", [](CBase& c) -> uint8_t& { return c.m_inverse; }},
    {kKindFunction, "hand", [](CBase& c) -> uint8_t& { return static_cast<CFunction&>(c).m_hand; }},
    {kKindFunction, "invisible",
     [](CBase& c) -> uint8_t& { return static_cast<CFunction&>(c).m_invisible; }},
    {kKindFunction, "encrypted",
     [](CBase& c) -> uint8_t& { return static_cast<CFunction&>(c).m_encrypted; }},
    {kKindBar, "displayMode", [](CBase& c) -> uint8_t& { return c.m_displayMode; }},
    {kKindBar, "signed", [](CBase& c) -> uint8_t& { return c.m_signed; }},
    {kKindTide, "displayMode", [](CBase& c) -> uint8_t& { return c.m_displayMode; }},
    {kKindTide, "signed", [](CBase& c) -> uint8_t& { return c.m_signed; }},
};

// What the display shows of a component: its pixels and the texts drawn in a named font.
std::string drawn(CBase& c) {
    PixelCanvas canvas;
    c.Draw(canvas);
    std::string out;
    for (uint32_t pixel : canvas.pixels())
        out += std::to_string(pixel) + ",";
    for (const PixelCanvas::Op& text : canvas.texts()) {
        out += text.text + "@" + std::to_string(text.rect.left) + "," +
               std::to_string(text.rect.right) + "," + std::to_string(text.rect.bottom) + " " +
               text.font.family + std::to_string(text.font.pointTenths) + " " +
               std::to_string(PixelCanvas::packed(text.color)) + "/" +
               std::to_string(PixelCanvas::packed(text.other)) + ";";
    }
    return out;
}

// What the image gets of a component: its record, its text block, the download-wide flags it
// raises.
Bytes downloaded(CBase& c) {
    DownloadContext download;
    c.ComputeRecordSize();
    EXPECT_TRUE(c.BuildDownloadRecord(download).ok());
    const GlyphRule rule = findComponentKind(c.m_kind)->glyphs;
    if (rule != GlyphRule::None && rule != GlyphRule::LampGlyphs) {
        EXPECT_TRUE(c.CollectGlyphs(download).ok());
    }
    Bytes out = c.m_record;
    if (auto* dynamic = dynamic_cast<CDynamic*>(&c))
        dynamic->AppendTextBlock(out);
    out.insert(out.end(), {download.optionUsed, download.type81Used, download.limitsCorrected,
                           download.lampUsed});
    return out;
}

TEST(KindFlags, AnyNonZeroFlagFromAFileIsDrawnAndDownloadedAsSetAndStoredAsItWas) {
    ProtocolModel p(2);
    for (const FlagCase& flag : kFlagCases) {
        const ComponentKindInfo& kind = *findComponentKind(flag.kind);
        SCOPED_TRACE(std::string(kind.displayName) + " " + flag.name);
        // The component read from a file holding `value` in the flag, and that file.
        auto fromFile = [&](uint8_t value, Bytes& file) {
            std::unique_ptr<CBase> source = kind.makeForLoading(p.context);
            setEveryField(*source);
            flag.field(*source) = value;
            file = store(*source);
            std::unique_ptr<CBase> loaded = kind.makeForLoading(p.context);
            Archive in(file);
            loaded->Serialize(in);
            EXPECT_TRUE(in.ok()) << in.errorMessage();
            return loaded;
        };
        Bytes fileWith1, fileWith2;
        std::unique_ptr<CBase> with1 = fromFile(1, fileWith1);
        std::unique_ptr<CBase> with2 = fromFile(2, fileWith2);

        EXPECT_EQ(flag.field(*with2), 2);
        EXPECT_EQ(store(*with2), fileWith2) << "saved again as it was";
        EXPECT_EQ(with2->m_rect, with1->m_rect);
        EXPECT_TRUE(drawn(*with2) == drawn(*with1)) << "drawn differently";
        EXPECT_EQ(downloaded(*with2), downloaded(*with1));
    }
}

TEST(KindFlags, AProjectFileWithFlagsOf2CompilesAsWithFlagsOf1) {
    using namespace vanta::imagetest;
    // Every flag of every kind set, on one screen each.
    auto build = [](Project& project, uint8_t value) {
        project.resetToNew(2);
        uint16_t number = 1;
        for (const FlagCase& flag : kFlagCases) {
            CMainView& screen =
                number == 1 ? project.screens.at(0) : project.screens.createScreen(number, "");
            ++number;
            CBase* c = screen.addComponent(flag.kind, 0, 0);
            ASSERT_NE(c, nullptr);
            setEveryField(*c);
            flag.field(*c) = value;
            c->m_x = 0;
            c->m_y = 0;
            c->Refit();
        }
    };
    Project ones(nullptr, 2), twos(nullptr, 2);
    build(ones, 1);
    build(twos, 2);
    const Bytes fileWith1 = ones.save(), fileWith2 = twos.save();
    Project openedWith1, openedWith2;
    ASSERT_TRUE(openedWith1.load(fileWith1));
    ASSERT_TRUE(openedWith2.load(fileWith2));
    EXPECT_EQ(openedWith2.save(), fileWith2);
    EXPECT_EQ(compiled(openedWith2), compiled(openedWith1));
}

// --- what a file does not store ---

TEST(KindLoading, ADynamicTextWithNegativeValuesCompilesTheSameAfterSaveAndReopen) {
    using namespace vanta::imagetest;
    Project project(nullptr, 2);
    project.resetToNew(2);
    CMainView& screen = project.screens.at(0);
    CDynamic& negative =
        placeDynamic(screen, 0, 0, {{-5, "minus five"}, {7, "seven"}, {-32768, "lowest"}});
    negative.m_signed = 1;
    placeDynamic(screen, 0, 16, {{65535, "top"}, {3, "three"}});
    const Bytes before = compiled(project);

    const Bytes file = project.save();
    Project reopened;
    ASSERT_TRUE(reopened.load(file));
    EXPECT_EQ(reopened.save(), file);
    const auto& components = reopened.screens.at(0).components();
    ASSERT_EQ(components.size(), 2u);
    EXPECT_EQ(components[0]->m_signed, 0) << "the unsigned list";
    EXPECT_EQ(components[1]->m_signed, 1) << "the list with negative values";
    EXPECT_EQ(compiled(reopened), before);
}

}  // namespace
}  // namespace vanta
