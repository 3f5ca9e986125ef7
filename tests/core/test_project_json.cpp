// The JSON form of a project: byte-identical round trips of every stored field, and the refusals
// of bad input with the JSON path, line and column.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileIO.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "project/Project.h"
#include "project/ProjectJson.h"

using namespace vanta;

namespace {

// ---------------------------------------------------------------------------------------------
// A project whose every stored field differs from its default.

template <typename T>
T& add(Project& p, CMainView& screen, std::unique_ptr<T> c) {
    T& ref = *c;
    screen.appendComponent(std::move(c));
    return ref;
}

void fillLampKeyBlock(CLightFunc& c, int seed) {
    c.m_x = 10 + seed;
    c.m_y = 20 + seed;
    c.m_doubleSize = 1;
    c.m_inverse = 1;
    c.m_subAddress = 7;
    c.m_displayKind = 3;
    c.m_station = 9;
    c.m_regType = 2;
    c.m_address = 0xBEEF;
}

void fillBarTideBlock(CBarTide& c) {
    c.m_x = 191;  // the far corner of the display
    c.m_y = 63;
    c.m_width = 33;
    c.m_height = 44;
    c.m_displayMode = 0;
    c.m_signed = 1;
    c.m_fullScale = -2147483647 - 1;
    c.m_zeroScale = 2147483647;
    c.m_station = 200;
    c.m_regType = 3;
    c.m_address = 65535;
    c.m_regCount = 2;
    c.m_subType = 4;
    c.m_blockWord = 0x1234;
    c.m_typeValue = 0x52;
}

void fillProject(Project& p) {
    p.resetToNew(20);
    p.panel.password = 9999;
    p.panel.initialScreen = 7;
    p.panel.plcStation = 15;
    p.panel.controlRegisterNumber = 0xABCD;
    p.panel.controlRegisterType = 2;
    p.panel.saverScreen = 300;
    p.panel.saverDelayIndex = 10;
    p.panel.controlFlags = 7;
    p.panel.saverAction = 1;
    p.comm.baudIndex = 4;
    p.comm.dataBitsIndex = 0;
    p.comm.stopBitsIndex = 1;
    p.comm.parityIndex = 2;
    p.comm.panelStation = 27;
    p.comm.option = 1;
    p.comm.e5Timeout = 65535;

    CMainView& first = p.screens.at(0);
    first.m_number = 1;
    first.m_description = "First";
    first.m_upScreen = 65535;
    first.m_downScreen = 2;
    const ModelContext& ctx = p.context();

    auto chars = std::make_unique<CChars>(ctx);
    chars->m_x = 191;
    chars->m_y = 63;
    chars->m_doubleSize = 1;
    chars->m_inverse = 1;
    chars->m_text = "Say \"hi\"\\\n\t";
    add(p, first, std::move(chars));

    auto reg = std::make_unique<CRegister>(ctx);
    reg->m_x = 1;
    reg->m_y = 2;
    reg->m_doubleSize = 1;
    reg->m_inverse = 1;
    reg->m_station = 3;
    reg->m_regType = 4;
    reg->m_address = 5;
    reg->m_regCount = 2;
    reg->m_digits = 10;
    reg->m_decimals = 3;
    reg->m_settable = 1;
    reg->m_limits = 1;
    reg->m_inputHigh = 1000000;
    reg->m_inputLow = -1000000;
    reg->m_engHigh = 77;
    reg->m_engLow = -77;
    reg->m_password = 1;
    reg->m_displayMode = 0;
    reg->m_signed = 1;
    reg->m_dataKind = 1;
    reg->m_subAddress = 11;
    reg->m_subType = 12;
    reg->m_typeValue = 13;
    reg->m_blockWord = 0x0E0F;
    add(p, first, std::move(reg));

    auto dyn = std::make_unique<CDynamic>(ctx);
    dyn->m_x = 3;
    dyn->m_y = 4;
    dyn->m_doubleSize = 1;
    dyn->m_inverse = 1;
    dyn->m_station = 5;
    dyn->m_regType = 1;
    dyn->m_address = 600;
    dyn->m_regCount = 2;
    dyn->m_displayMode = 0;
    // More entries than the editor makes, a used entry after unused ones, and a stored text
    // that is not GBK (a lone lead byte at its end).
    dyn->m_texts.resize(40);
    dyn->m_values.resize(40, 0);
    dyn->m_valueTexts.resize(40);
    dyn->m_values[0] = -32768;
    dyn->m_valueTexts[0] = "-32768";
    dyn->m_texts[0] = "Low";
    dyn->m_values[35] = 35;
    dyn->m_valueTexts[35] = "23";
    dyn->m_texts[35] = std::string("Bad\xB0", 4);
    dyn->m_subAddress = 6;
    dyn->m_subType = 7;
    dyn->m_typeValue = 8;
    dyn->m_blockWord = 9;
    add(p, first, std::move(dyn));

    CMainView& second = p.screens.createScreen(2, "\xD6\xD0\xCE\xC4");  // "中文"
    second.m_upScreen = 0;
    second.m_downScreen = 0;

    auto light = std::make_unique<CLight>(ctx);
    fillLampKeyBlock(*light, 1);
    light->m_offset = 5;
    light->m_subType = 6;
    light->m_typeValue = 7;
    light->m_blockWord = 0x0808;
    add(p, second, std::move(light));

    auto key = std::make_unique<CFunction>(ctx);
    fillLampKeyBlock(*key, 2);
    key->m_hand = 1;
    key->m_invisible = 1;
    key->m_encrypted = 1;
    key->m_actionKind = 3;
    key->m_coilOperation = 2;
    key->m_jumpTarget = 1;
    key->m_targetScreen = 4444;
    key->m_value = -123456;
    key->m_keyOption = 2;
    key->m_signedFlag = 1;
    key->m_recipeOperation = 3;
    key->m_length = 99999;
    key->m_limit = 1023;
    key->m_subType = 11;
    key->m_blockWord = 0x2222;
    key->m_registerTypeValue = 0x33;
    key->m_coilTypeValue = 0x44;
    add(p, second, std::move(key));

    auto bar = std::make_unique<CBar>(ctx);
    fillBarTideBlock(*bar);
    bar->m_direction = 3;
    bar->m_subAddress = 9;
    add(p, second, std::move(bar));

    auto tide = std::make_unique<CTide>(ctx);
    fillBarTideBlock(*tide);
    tide->m_interval = 60000;
    tide->m_points = 90;
    tide->m_subAddress = 10;
    add(p, second, std::move(tide));

    MonoBitmap bitmap(37, 5);
    for (int i = 0; i < 5; ++i)
        bitmap.setPixel(i * 7, i, true);
    bitmap.setPixel(36, 4, true);
    auto picture = std::make_unique<CUpLoadPic>(ctx, 9, 18, bitmap);
    picture->m_x = 100;
    picture->m_y = 50;
    add(p, second, std::move(picture));

    p.screens.setCurrentPosition(1);
    p.alarms.m_station = 12;
    p.alarms.m_startAddress = 4321;
    p.alarms.m_subAddress = 3;
    p.alarms.m_regType = 1;
    p.alarms.m_bitOffset = 15;
    p.alarms.m_texts = {"Overload", "", "\xB9\xCA\xD5\xCF"};  // "故障"
}

std::string projectJson() {
    Project p;
    fillProject(p);
    return projectToJson(p);
}

// Replaces the first occurrence of `from` (which must occur) in the JSON text.
std::string edit(std::string json, const std::string& from, const std::string& to) {
    const size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        json.replace(at, from.size(), to);
    return json;
}

std::string buildError(const std::string& json) {
    Result<Bytes> built = projectFileFromJson(json);
    EXPECT_FALSE(built.ok());
    return built.ok() ? std::string() : built.message();
}

std::string readText(const std::filesystem::path& path) {
    auto data = readWholeFile(path.string());
    EXPECT_TRUE(data) << data.message();
    return data ? std::string(data->begin(), data->end()) : std::string();
}

const std::filesystem::path kSourceDir = VANTA_SOURCE_DIR;

}  // namespace

// ---------------------------------------------------------------------------------------------

// The committed JSON files pin the form byte for byte: a renamed key, a changed order or a
// different number or text layout fails here, and each file builds back its project.
TEST(ProjectJson, DumpsMatchTheCommittedJsonFilesByteForByte) {
    for (const char* sample : {"demo", "chinese"}) {
        const std::filesystem::path folder = kSourceDir / "data" / "samples";
        const std::string osp = readText(folder / (std::string(sample) + ".osp"));
        const std::string golden = readText(folder / (std::string(sample) + ".json"));
        const Bytes file(osp.begin(), osp.end());
        Result<std::string> json = projectFileToJson(file);
        ASSERT_TRUE(json) << json.message();
        EXPECT_EQ(json.value(), golden) << sample;
        Result<Bytes> built = projectFileFromJson(golden);
        ASSERT_TRUE(built) << built.message();
        EXPECT_EQ(built.value(), file) << sample;
    }
    // Every field away from its default, a damaged text, picture padding, 40 dynamic entries.
    const std::string golden =
        readText(kSourceDir / "tests" / "core" / "data" / "every_field.json");
    EXPECT_EQ(projectJson(), golden);
    Project p;
    fillProject(p);
    Result<Bytes> built = projectFileFromJson(golden);
    ASSERT_TRUE(built) << built.message();
    EXPECT_EQ(built.value(), p.save());
}

TEST(ProjectJson, EveryStoredFieldSurvivesAByteIdenticalRoundTrip) {
    Project p;
    fillProject(p);
    const Bytes file = p.save();

    Result<std::string> json = projectFileToJson(file);
    ASSERT_TRUE(json) << json.message();
    Result<Bytes> rebuilt = projectFileFromJson(json.value());
    ASSERT_TRUE(rebuilt) << rebuilt.message();
    EXPECT_EQ(rebuilt.value(), file);

    // Building again from the rebuilt file's JSON gives the same text.
    Result<std::string> again = projectFileToJson(rebuilt.value());
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), json.value());
}

TEST(ProjectJson, NamesFollowTheFieldsAndTextsAreReadable) {
    const std::string json = projectJson();
    // Header fields by their project names, in file order.
    EXPECT_NE(json.find("\"plcStation\": 15"), std::string::npos);
    EXPECT_NE(json.find("\"panelStation\": 27"), std::string::npos);
    EXPECT_LT(json.find("\"plcStation\""), json.find("\"panelStation\""));
    EXPECT_NE(json.find("\"currentPosition\": 1"), std::string::npos);
    EXPECT_NE(json.find("\"stride\": 1"), std::string::npos);
    // Component kinds by class name, UTF-8 texts, escapes, hexadecimal bytes of a damaged text.
    EXPECT_NE(json.find("\"kind\": \"CDynamic\""), std::string::npos);
    EXPECT_NE(json.find("\"description\": \"中文\""), std::string::npos);
    EXPECT_NE(json.find("\"故障\""), std::string::npos);
    EXPECT_NE(json.find("\"text\": \"Say \\\"hi\\\"\\\\\\n\\t\""), std::string::npos);
    EXPECT_NE(json.find("{\"hex\": \"426164b0\"}"), std::string::npos);
    EXPECT_NE(json.find("{\"value\": 0, \"valueText\": \"\", \"text\": \"\"}"), std::string::npos);
    // Picture rows top first: row 0 has the pixel at x 0, row 4 those at 28 and 36.
    EXPECT_NE(json.find("\"#....................................\""), std::string::npos);
    EXPECT_NE(json.find("\"............................#.......#\""), std::string::npos);
}

TEST(ProjectJson, EditedJsonBuildsTheEditedProject) {
    std::string json = projectJson();
    json = edit(json, "\"description\": \"中文\"", "\"description\": \"温度 °C\"");
    json = edit(json, "\"texts\": [\"Overload\"", "\"texts\": [\"über\"");
    Project p;
    ASSERT_TRUE(projectFromJson(json, p).ok());
    EXPECT_EQ(p.screens.at(1).m_description, "\xCE\xC2\xB6\xC8 \xA1\xE3\x43");
    EXPECT_EQ(p.alarms.m_texts[0],
              "\xA8\xB9"
              "ber");
    EXPECT_EQ(p.protocol(), 20);
    EXPECT_EQ(p.screens.currentPosition(), 1u);
}

TEST(ProjectJson, ACharacterGbkCannotHoldIsRefusedByNameAndPath) {
    const std::string json = edit(projectJson(), "\"text\": \"Low\"", "\"text\": \"Lo😀\"");
    const std::string message = buildError(json);
    EXPECT_NE(message.find("screens[0].components[2].entries[0].text: "), std::string::npos)
        << message;
    EXPECT_NE(message.find("\"😀\" (U+1F600) cannot be stored in the GBK code page"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("(line "), std::string::npos) << message;
}

TEST(ProjectJson, WrongTypesRangesAndKeysAreRefusedWithTheirPath) {
    const std::string json = projectJson();
    struct Case {
        std::string from, to, message;
    };
    const std::vector<Case> cases = {
        {"\"protocol\": 20", "\"protocol\": 41", "header.protocol: 41 is out of range (1..40)"},
        {"\"password\": 9999", "\"password\": \"9999\"",
         "header.password: a number was expected, found a string"},
        {"\"password\": 9999", "\"password\": 65536", "header.password: 65536 is out of range"},
        {"\"x\": 191", "\"x\": 2147483648",
         "screens[0].components[0].x: 2147483648 is out of range"},
        {"\"doubleSize\": 1", "\"doubleSize\": -1",
         "screens[0].components[0].doubleSize: -1 is out of range (0..255)"},
        {"\"digits\": 10", "\"digits\": 1.5",
         "screens[0].components[1].digits: 1.5 is not a whole number"},
        {"\"digits\": 10", "\"digits\": 1E1",
         "screens[0].components[1].digits: 1E1 is not a whole number"},
        {"\"digits\": 10", "\"digits\": 18446744073709551616",
         "screens[0].components[1].digits: 18446744073709551616 is out of range (0..255)"},
        {"\"digits\": 10", "\"digitz\": 10",
         "screens[0].components[1]: the key \"digits\" is missing"},
        {"\"offset\": 5", "\"offset\": 5, \"colour\": 1",
         "screens[1].components[0].colour: unknown key"},
        {"\"kind\": \"CBar\"", "\"kind\": \"CGauge\"",
         "screens[1].components[2].kind: unknown component kind \"CGauge\""},
        {"\"stride\": 1", "\"stride\": 2",
         "header.stride: 2 does not match protocol 20, whose stride is 1"},
        {"\"currentPosition\": 1", "\"currentPosition\": 2",
         "header.currentPosition: 2 is not the position of a screen (0..1)"},
        {"\"valueText\": \"23\"", "\"valueTxt\": \"23\"",
         "screens[0].components[2].entries[35]: the key \"valueText\" is missing"},
        {"\"width\": 37", "\"width\": 36", "bitmap.rows[0]: 37 pixels, 36 were expected"},
        {"\"height\": 5", "\"height\": 65", "bitmap.height: 65 is out of range (1..64)"},
        {"{\"hex\": \"426164b0\"}", "{\"hex\": \"42616\"}",
         "text.hex: hexadecimal bytes come in pairs"},
        {"\"texts\": [", "\"texts\": [7, ",
         "alarms.texts[0]: a string was expected, found a number"},
    };
    for (const Case& c : cases) {
        const std::string message = buildError(edit(json, c.from, c.to));
        EXPECT_NE(message.find(c.message), std::string::npos)
            << "expected: " << c.message << "\n got: " << message;
        EXPECT_NE(message.find("(line "), std::string::npos) << message;
    }
    EXPECT_EQ(buildError("{\"header\": {}, \"screens\": [], \"alarms\": {}, \"x\": 1}"),
              "x: unknown key (line 1, column 50)");
    EXPECT_EQ(buildError("[]"),
              "(top level): an object was expected, found an array (line 1, column 1)");
    const std::string syntax = buildError("{\n  \"header\": {\n    \"protocol\": 4,,\n");
    EXPECT_EQ(syntax, "line 3, column 19: unexpected ',', a key in quotes was expected");
}

TEST(ProjectJson, AFailedReadLeavesTheProjectAsItWas) {
    Project p;
    fillProject(p);
    const Bytes before = p.save();
    Status status = projectFromJson(edit(projectJson(), "\"points\": 90", "\"points\": 900"), p);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("screens[1].components[3].points: 900 is out of range"),
              std::string::npos)
        << status.message();
    EXPECT_EQ(p.save(), before);
}

// The size limit is an upper bound of every project's JSON: the longest component of each kind,
// built with every text at the longest a panel shows, stays within the per-component bound.
TEST(ProjectJson, TheSizeLimitBoundsTheLongestComponents) {
    Project p;
    p.resetToNew(4);
    const ModelContext& ctx = p.context();
    const std::string longest(255, '\x01');  // each byte written as \u0001

    auto chars = std::make_unique<CChars>(ctx);
    chars->m_x = -2147483647 - 1;
    chars->m_text = longest;
    auto dyn = std::make_unique<CDynamic>(ctx);
    dyn->m_texts.assign(255, longest);
    dyn->m_valueTexts.assign(255, longest);
    dyn->m_values.assign(255, -2147483647 - 1);
    auto key = std::make_unique<CFunction>(ctx);
    key->m_x = key->m_y = key->m_value = key->m_length = -2147483647 - 1;
    MonoBitmap full(kPictureMaxWidth, kPictureMaxHeight);
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x)
            full.setPixel(x, y, true);
    }
    Bytes bits(full.imageSize(), 0xFF);  // padding bits set too
    auto picture = std::make_unique<CUpLoadPic>(
        ctx, 0, 0, MonoBitmap::fromStored(full.description(), bits).value());

    const size_t empty = projectToJson(p).size();
    std::vector<std::unique_ptr<CBase>> longestOfEachKind;
    longestOfEachKind.push_back(std::move(chars));
    longestOfEachKind.push_back(std::move(dyn));
    longestOfEachKind.push_back(std::move(key));
    longestOfEachKind.push_back(std::move(picture));
    for (auto& component : longestOfEachKind) {
        CMainView& screen = *p.screens.current();
        const uint8_t kind = component->m_kind;
        screen.deleteAllComponents();
        screen.appendComponent(std::move(component));
        const size_t grown = projectToJson(p).size() - empty;
        EXPECT_LE(grown, kJsonComponentMaxBytes) << int(kind);
        EXPECT_GT(grown, 400u) << int(kind);
    }

    EXPECT_TRUE(checkProjectJsonSize(kProjectJsonMaxBytes).ok());
    const Status refused = checkProjectJsonSize(kProjectJsonMaxBytes + 1);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), "the JSON text is " + std::to_string(kProjectJsonMaxBytes + 1) +
                                     " bytes, more than the JSON form of the largest project (" +
                                     std::to_string(kProjectJsonMaxBytes) + " bytes)");
}
