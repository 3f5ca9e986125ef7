#include "tools/samplegen/SampleProjects.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "common/FileIO.h"
#include "common/GbkText.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/Geometry.h"
#include "model/MonoBitmap.h"
#include "project/CommSettings.h"
#include "project/Project.h"

namespace vanta::samples {

namespace {

// The texts of the samples are written in UTF-8 here and stored as GBK.
ByteString gbk(const char* utf8) {
    Result<std::string> converted = utf8ToGbk(utf8);
    if (!converted) {
        std::fprintf(stderr, "vanta-samplegen: %s\n", converted.message().c_str());
        std::abort();
    }
    return converted.value();
}

// A new project as "vantactl new" makes it: the new-project reset and the protocol's serial
// defaults of the PLC selection.
void startProject(Project& p, uint8_t protocol) {
    p.resetToNew(protocol);
    applyProtocolDefaults(p.comm, protocol);
}

CMainView& addScreen(Project& p, uint16_t number, const ByteString& description) {
    return p.screens.createScreen(number, description);
}

// Components are placed at panel coordinates.
template <typename T>
T& place(CMainView& screen, uint8_t kind, int32_t x, int32_t y) {
    CBase* c = screen.addComponent(kind, screenFromPanel(x), screenFromPanel(y));
    return *static_cast<T*>(c);
}

CChars& addText(CMainView& screen, int32_t x, int32_t y, const ByteString& text,
                bool doubleSize = false, bool inverse = false) {
    auto& c = place<CChars>(screen, kKindChars, x, y);
    c.m_text = text;
    c.m_doubleSize = doubleSize ? 1 : 0;
    c.m_inverse = inverse ? 1 : 0;
    c.Refit();
    return c;
}

CRegister& addRegister(CMainView& screen, int32_t x, int32_t y, uint16_t address, uint8_t digits,
                       uint8_t decimals) {
    auto& c = place<CRegister>(screen, kKindRegister, x, y);
    c.m_address = address;
    c.m_digits = digits;
    c.m_decimals = decimals;
    c.Refit();
    return c;
}

CDynamic& addDynamic(CMainView& screen, int32_t x, int32_t y, uint16_t address,
                     const std::vector<ByteString>& texts) {
    auto& c = place<CDynamic>(screen, kKindDynamic, x, y);
    c.m_address = address;
    for (size_t i = 0; i < texts.size(); ++i) {
        c.m_values[i] = static_cast<int32_t>(i);
        c.m_valueTexts[i] = std::to_string(i);
        c.m_texts[i] = texts[i];
    }
    // Placed with its default text "Dynamic Text", it may have been clamped into the display;
    // with its own, shorter texts it goes back to the intended corner.
    c.m_x = x;
    c.m_y = y;
    c.applyPagePosition();
    c.Refit();
    return c;
}

CLight& addLamp(CMainView& screen, int32_t x, int32_t y, uint16_t address, uint8_t shape,
                uint8_t logic) {
    auto& c = place<CLight>(screen, kKindLight, x, y);
    c.m_address = address;
    c.m_displayKind = shape;
    c.m_inverse = logic;
    c.Refit();
    return c;
}

// Key index by the key's name in the key table.
uint8_t keyIndex(const char* name) {
    for (int i = 0; i < kFunctionKeyCount; ++i) {
        if (std::strcmp(kFunctionKeys[static_cast<size_t>(i)].name, name) == 0)
            return static_cast<uint8_t>(i);
    }
    std::fprintf(stderr, "vanta-samplegen: no key %s\n", name);
    std::abort();
}

CFunction& addKey(CMainView& screen, int32_t x, int32_t y, const char* key, uint8_t action) {
    auto& c = place<CFunction>(screen, kKindFunction, x, y);
    c.m_displayKind = keyIndex(key);
    c.m_actionKind = action;
    c.Refit();
    return c;
}

CFunction& addJumpKey(CMainView& screen, int32_t x, int32_t y, const char* key,
                      uint16_t targetScreen) {
    auto& c = addKey(screen, x, y, key, kActionJump);
    c.m_jumpTarget = kJumpScreen;
    c.m_targetScreen = targetScreen;
    return c;
}

CFunction& addCoilKey(CMainView& screen, int32_t x, int32_t y, const char* key, uint16_t coil,
                      uint8_t operation) {
    auto& c = addKey(screen, x, y, key, kActionSetCoil);
    c.m_address = coil;
    c.m_coilOperation = operation;
    return c;
}

CFunction& addRegisterKey(CMainView& screen, int32_t x, int32_t y, const char* key,
                          uint16_t address, int32_t value, uint8_t format) {
    auto& c = addKey(screen, x, y, key, kActionSetRegister);
    c.m_address = address;
    c.m_value = value;
    c.m_keyOption = format;
    c.m_signedFlag = format == kFormatSigned ? 1 : 0;
    return c;
}

CFunction& addRecipeKey(CMainView& screen, int32_t x, int32_t y, const char* key, uint16_t address,
                        uint8_t operation, int32_t length, uint16_t limit) {
    auto& c = addKey(screen, x, y, key, kActionRecipe);
    c.m_address = address;
    c.m_recipeOperation = operation;
    c.m_length = length;
    c.m_limit = limit;
    return c;
}

CBar& addBar(CMainView& screen, int32_t x, int32_t y, uint16_t address, uint8_t direction,
             int32_t full, int32_t zero) {
    auto& c = place<CBar>(screen, kKindBar, x, y);
    c.m_address = address;
    c.setDirection(direction);
    c.m_fullScale = full;
    c.m_zeroScale = zero;
    c.Refit();
    return c;
}

// A 48 x 32 logo: a frame, a diagonal band and a filled square.
MonoBitmap logoBitmap() {
    MonoBitmap b(48, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 48; ++x) {
            const bool frame = x == 0 || y == 0 || x == 47 || y == 31;
            const bool band = (x - y) >= 8 && (x - y) < 12;
            const bool square = x >= 32 && x < 42 && y >= 18 && y < 28;
            b.setPixel(x, y, frame || band || square);
        }
    }
    return b;
}

// ---------------------------------------------------------------------------------------------
// Old ".grx" images, laid out as the old program wrote them (little-endian).

class GrxBuilder {
  public:
    GrxBuilder() : data_(80, 0) {
        data_[0] = 0x03;
        std::memcpy(&data_[1], "GRX", 3);
    }

    GrxBuilder& set8(size_t at, uint8_t v) {
        data_[at] = v;
        return *this;
    }
    GrxBuilder& set16(size_t at, uint16_t v) {
        data_[at] = static_cast<uint8_t>(v);
        data_[at + 1] = static_cast<uint8_t>(v >> 8);
        return *this;
    }
    GrxBuilder& set32(size_t at, int32_t v) {
        for (size_t i = 0; i < 4; ++i)
            data_[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
        return *this;
    }

    // A screen header; its components follow with add().
    GrxBuilder& screen(uint16_t number, const ByteString& description, uint8_t components) {
        ++screens_;
        set16(76, screens_);
        Bytes header(57, 0);
        put16(header, 0, number);
        header[2] = static_cast<uint8_t>(description.size());
        std::memcpy(&header[5], description.data(), std::min<size_t>(description.size(), 40));
        put16(header, 45, static_cast<uint16_t>(number - 1));
        put16(header, 47, static_cast<uint16_t>(number + 1));
        header[53] = components;
        data_.insert(data_.end(), header.begin(), header.end());
        return *this;
    }

    // An old component record: x and y in view pixels, the kind byte at 10.
    static Bytes record(uint8_t kind, size_t size, int32_t x, int32_t y) {
        Bytes r(size, 0);
        put32(r, 0, x);
        put32(r, 4, y);
        r[10] = kind;
        return r;
    }
    static void put16(Bytes& r, size_t at, uint16_t v) {
        r[at] = static_cast<uint8_t>(v);
        r[at + 1] = static_cast<uint8_t>(v >> 8);
    }
    static void put32(Bytes& r, size_t at, int32_t v) {
        for (size_t i = 0; i < 4; ++i)
            r[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
    }

    GrxBuilder& add(const Bytes& record) {
        data_.insert(data_.end(), record.begin(), record.end());
        return *this;
    }

    GrxBuilder& alarms(const std::vector<ByteString>& texts) {
        set8(29, static_cast<uint8_t>(texts.size()));
        for (const ByteString& t : texts) {
            Bytes entry(25, 0);
            entry[0] = static_cast<uint8_t>(t.size());
            std::memcpy(&entry[1], t.data(), std::min<size_t>(t.size(), 24));
            data_.insert(data_.end(), entry.begin(), entry.end());
        }
        return *this;
    }

    Bytes data_;

  private:
    uint16_t screens_ = 0;
};

Bytes oldText(int32_t x, int32_t y, const ByteString& text, uint8_t doubleSize, uint8_t inverse) {
    Bytes r = GrxBuilder::record(1, 39, x, y);
    r[8] = doubleSize;
    r[9] = inverse;
    r[14] = static_cast<uint8_t>(text.size());
    std::memcpy(&r[15], text.data(), std::min<size_t>(text.size(), 24));
    return r;
}

Bytes oldRegister(int32_t x, int32_t y, int32_t address, int32_t digits, int32_t decimals,
                  uint8_t settable, int32_t upper, int32_t lower) {
    Bytes r = GrxBuilder::record(2, 51, x, y);
    GrxBuilder::put32(r, 14, 1);  // station
    GrxBuilder::put32(r, 18, 0);  // register type
    GrxBuilder::put32(r, 22, address);
    GrxBuilder::put32(r, 26, 1);  // register count
    GrxBuilder::put32(r, 30, digits);
    GrxBuilder::put32(r, 34, decimals);
    r[38] = 1;  // decimal display
    r[39] = 0;  // signed (old meaning inverted)
    r[40] = settable;
    r[41] = 0;  // password
    r[42] = settable;
    GrxBuilder::put32(r, 43, upper);
    GrxBuilder::put32(r, 47, lower);
    return r;
}

Bytes oldLamp(int32_t x, int32_t y, int32_t address, uint8_t shape, uint8_t logic) {
    Bytes r = GrxBuilder::record(3, 31, x, y);
    r[14] = shape;
    r[18] = 1;  // station
    r[22] = 0;  // register type
    GrxBuilder::put32(r, 26, address);
    r[30] = logic;
    return r;
}

Bytes oldKey(int32_t x, int32_t y, uint8_t oldType, uint8_t action, int32_t address,
             uint8_t coilOperation, uint16_t targetScreen, uint8_t hand) {
    Bytes r = GrxBuilder::record(4, 41, x, y);
    r[14] = oldType;
    r[18] = 0;  // invisible
    r[19] = hand;
    r[20] = 0;  // encrypted
    r[21] = action;
    r[22] = 1;  // station
    r[26] = 0;
    GrxBuilder::put32(r, 30, address);
    r[34] = coilOperation;
    r[35] = 0;  // jump to a screen
    GrxBuilder::put16(r, 36, targetScreen);
    return r;
}

// Old trend (kind 5, 56 bytes) or bar (kind 6, 52 bytes); sizes in view pixels.
Bytes oldBarOrTrend(uint8_t kind, int32_t x, int32_t y, int32_t address, uint8_t width,
                    uint8_t height, int32_t lower, int32_t upper, uint8_t pointsOrDirection,
                    int32_t interval) {
    Bytes r = GrxBuilder::record(kind, kind == 5 ? 56 : 52, x, y);
    r[14] = 1;  // station
    r[18] = 0;  // register type
    GrxBuilder::put32(r, 22, address);
    r[26] = 1;  // register count
    r[30] = 1;  // decimal
    r[31] = 1;  // unsigned (old meaning inverted)
    r[32] = width;
    r[36] = height;
    GrxBuilder::put32(r, 40, lower);
    GrxBuilder::put32(r, 44, upper);
    r[48] = pointsOrDirection;
    if (kind == 5)
        GrxBuilder::put32(r, 52, interval);
    return r;
}

// Old picture (kind 7): the bitmap description and rows at offset 40. Some padding bits at the
// end of the rows are set, as old files may have them.
Bytes oldPicture(int32_t x, int32_t y) {
    MonoBitmap b(20, 12);
    for (int py = 0; py < 12; ++py) {
        for (int px = 0; px < 20; ++px)
            b.setPixel(px, py, px == py || px == 19 - py || py == 0 || py == 11);
    }
    BitmapDescription description = b.description();
    Bytes bits = b.bits();
    bits[3] = 0x5A;  // padding bits of the bottom row
    bits[b.rowBytes() * 5 + 2] |= 0x0F;
    const size_t data = description.size() + bits.size();
    Bytes r = GrxBuilder::record(7, data + 40, x, y);
    GrxBuilder::put32(r, 22, static_cast<int32_t>(data + 14));
    std::memcpy(&r[40], description.data(), description.size());
    std::memcpy(&r[40 + description.size()], bits.data(), bits.size());
    return r;
}

Bytes oldDynamic(int32_t x, int32_t y, int32_t address, const std::vector<ByteString>& texts) {
    Bytes r = GrxBuilder::record(8, texts.size() * 25 + 35, x, y);
    r[14] = 1;  // station
    r[18] = 0;  // register type
    GrxBuilder::put32(r, 22, address);
    r[26] = 1;
    r[27] = static_cast<uint8_t>(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        r[31 + 25 * i] = static_cast<uint8_t>(texts[i].size());
        std::memcpy(&r[32 + 25 * i], texts[i].data(), std::min<size_t>(texts[i].size(), 24));
    }
    return r;
}

}  // namespace

Bytes demoProject() {
    constexpr uint8_t kProtocol = 4;
    Project p(nullptr, kProtocol);
    startProject(p, kProtocol);
    p.panel.password = 1234;
    p.panel.saverAction = 1;
    p.panel.saverScreen = 1;
    p.panel.saverDelayIndex = 5;
    p.panel.controlFlags = kControlAutoScreenChange | kControlReportScreen;
    p.panel.controlRegisterNumber = 500;

    // Screen 1: overview.
    CMainView& main = p.screens.at(0);
    main.m_description = "Main menu";
    main.m_upScreen = 10;
    main.m_downScreen = 2;
    addText(main, 0, 0, "DEMO", true);
    addText(main, 72, 0, "Speed:");
    CRegister& speed = addRegister(main, 128, 0, 100, 4, 0);
    speed.m_settable = 1;
    speed.m_limits = 1;
    speed.m_inputHigh = 3000;
    speed.m_inputLow = 0;
    speed.m_password = 1;
    addText(main, 72, 16, "State:", false, true);
    addDynamic(main, 128, 16, 101, {"Stop", "Run", "Fault"});
    addLamp(main, 0, 32, 10, 0, 0);
    addLamp(main, 24, 32, 11, 1, 1);
    addText(main, 48, 32, "Pump  Valve");
    addJumpKey(main, 176, 48, "↓", 2);
    CFunction& alarmKey = addKey(main, 136, 48, "ALM", kActionJump);
    alarmKey.m_jumpTarget = kJumpAlarmList;
    alarmKey.m_hand = 1;
    alarmKey.Refit();

    // Screen 2: process values.
    CMainView& process = addScreen(p, 2, "Process values");
    addText(process, 0, 0, "Level");
    addBar(process, 0, 16, 200, CBar::kUp, 1000, 0);
    CBar& flow = addBar(process, 24, 16, 201, CBar::kRight, 500, 0);
    flow.m_width = 64;
    flow.m_height = 16;
    flow.Refit();
    auto& trend = place<CTide>(process, kKindTide, 96, 0);
    trend.m_address = 202;
    trend.m_fullScale = 500;
    trend.m_zeroScale = 0;
    trend.m_points = 40;
    trend.m_interval = 10;
    trend.Refit();
    CRegister& temperature = addRegister(process, 24, 40, 203, 4, 1);
    temperature.m_signed = 1;
    temperature.m_dataKind = 1;
    temperature.m_engHigh = 1000;
    temperature.m_engLow = -1000;
    temperature.Refit();
    CRegister& counter = addRegister(process, 96, 48, 204, 8, 0);
    counter.m_displayMode = 0;
    counter.m_regCount = 2;
    counter.Refit();
    addJumpKey(process, 176, 48, "↑", 1);

    // Screen 3: coils and registers set by keys.
    CMainView& controls = addScreen(p, 3, "Controls");
    controls.m_downScreen = 10;
    addText(controls, 0, 0, "ON OFF TGL MOM");
    addLamp(controls, 120, 0, 20, 0, 0);
    addLamp(controls, 144, 0, 21, 1, 0);
    addLamp(controls, 168, 0, 22, 0, 1);
    addCoilKey(controls, 0, 48, "1", 20, kCoilOn);
    addCoilKey(controls, 16, 48, "2", 20, kCoilOff);
    addCoilKey(controls, 32, 48, "3", 21, kCoilToggle);
    CFunction& momentary = addCoilKey(controls, 48, 48, "4", 22, kCoilMomentary);
    momentary.m_hand = 1;
    momentary.Refit();
    CFunction& setSpeed = addRegisterKey(controls, 80, 48, "5", 100, 1500, kFormatUnsigned);
    setSpeed.m_encrypted = 1;
    addRegisterKey(controls, 96, 48, "6", 205, -5, kFormatSigned);
    addRegisterKey(controls, 112, 48, "7", 206, 0x1F, kFormatHex);
    addJumpKey(controls, 160, 48, "ESC", 1);
    CFunction& hidden = addJumpKey(controls, 176, 48, "0", 10);
    hidden.m_invisible = 1;

    // Screen 10: recipes and the logo.
    CMainView& recipe = addScreen(p, 10, "Recipe");
    recipe.m_upScreen = 3;
    recipe.m_downScreen = 1;
    auto logo = std::make_unique<CUpLoadPic>(p.context(), 0, 0, logoBitmap());
    recipe.addComponent(std::move(logo), 0, 0);
    addText(recipe, 56, 0, "Recipe base");
    addRegister(recipe, 56, 16, 400, 4, 0);
    addRecipeKey(recipe, 56, 48, "1", 400, kRecipeUpload, 10, 0);
    addRecipeKey(recipe, 72, 48, "2", 400, kRecipeDownload, 10, 0);
    addRecipeKey(recipe, 88, 48, "3", 400, kRecipeIncreaseBase, 10, 100);
    addRecipeKey(recipe, 104, 48, "4", 400, kRecipeDecreaseBase, 10, 100);
    addJumpKey(recipe, 176, 48, "←", 3);

    p.alarms.m_startAddress = 100;
    p.alarms.m_texts = {"Motor overload", "Low pressure", "Door open", "Emergency stop"};
    p.screens.setCurrentPosition(0);
    return p.save();
}

Bytes chineseProject() {
    constexpr uint8_t kProtocol = 3;
    Project p(nullptr, kProtocol);
    startProject(p, kProtocol);
    p.panel.initialScreen = 1;

    // Screen 1: a double-size title over two text rows.
    CMainView& main = p.screens.at(0);
    main.m_description = gbk("主画面");
    main.m_downScreen = 2;
    addText(main, 0, 0, gbk("欢迎使用"), true);
    addText(main, 0, 32, gbk("温度:"));
    CRegister& temperature = addRegister(main, 40, 32, 1, 4, 1);
    temperature.m_signed = 1;
    temperature.Refit();
    addText(main, 96, 32, gbk("状态:"), false, true);
    addDynamic(main, 136, 32, 2, {gbk("停止"), gbk("运行"), gbk("故障")});
    addLamp(main, 0, 48, 1, 0, 0);
    addText(main, 24, 48, gbk("水泵"));
    addJumpKey(main, 176, 48, "→", 2);

    CMainView& settings = addScreen(p, 2, gbk("设定与报警"));
    settings.m_downScreen = 0;
    addText(settings, 0, 0, gbk("设定压力:"));
    CRegister& pressure = addRegister(settings, 80, 0, 10, 4, 2);
    pressure.m_settable = 1;
    pressure.m_limits = 1;
    pressure.m_inputHigh = 1000;
    pressure.m_inputLow = 0;
    addText(settings, 0, 16, gbk("启动"));
    addCoilKey(settings, 40, 16, "1", 5, kCoilToggle);
    CFunction& alarms = addKey(settings, 136, 48, "ALM", kActionJump);
    alarms.m_jumpTarget = kJumpAlarmList;
    addJumpKey(settings, 176, 48, "←", 1);

    p.alarms.m_startAddress = 10;
    p.alarms.m_texts = {gbk("电机过载"), gbk("压力过低"), gbk("温度过高"), gbk("门未关好")};
    p.screens.setCurrentPosition(0);
    return p.save();
}

Bytes oldProject() {
    GrxBuilder g;
    g.set8(13, 3)        // old protocol code 3: converted to 5
        .set8(17, 1)     // PLC station
        .set16(21, 1)    // initial screen
        .set16(25, 0)    // password
        .set8(33, 0)     // alarm station
        .set32(41, 320)  // alarm register 20, bit 0
        .set8(45, 5)     // 9600 baud
        .set8(46, 2)     // even parity
        .set8(47, 0)     // 8 data bits
        .set8(48, 1)     // 1 stop bit
        .set8(49, 0x21)  // control flags
        .set8(50, 0)     // panel station
        .set16(58, 200)  // control register
        .set8(67, 2)     // screen-saver delay
        .set8(71, 0)     // show the screen-saver screen
        .set16(72, 1);   // screen-saver screen

    g.screen(1, "Overview", 5);
    g.add(oldDynamic(216, 36, 11, {"Stop", "Run"}));
    g.add(oldText(0, 0, "OLD PROJECT", 0, 0));
    g.add(oldRegister(216, 0, 10, 5, 1, 1, 500, 0));
    g.add(oldText(0, 36, "Speed", 0, 1));
    g.add(oldLamp(0, 108, 16 * 30 + 3, 0, 0));

    g.screen(2, gbk("过程"), 4);
    g.add(oldBarOrTrend(6, 0, 0, 12, 36, 108, 0, 1000, 2, 0));
    g.add(oldBarOrTrend(5, 216, 0, 13, 216, 108, 0, 200, 20, 5));
    g.add(oldKey(396, 108, 4, 1, 0, 0, 1, 0));
    g.add(oldPicture(72, 0));

    g.screen(3, "Keys", 3);
    g.add(oldKey(0, 108, 5, 0, 16 * 40 + 2, 2, 0, 1));
    g.add(oldKey(72, 108, 10, 2, 16 * 41, 0, 0, 0));
    g.add(oldText(0, 0, "Press 1 to toggle", 0, 0));

    g.alarms({"Motor overload", gbk("压力过低"), "A text longer than 24 bytes is cut"});
    return g.data_;
}

const std::vector<SampleFile>& sampleFiles() {
    static const std::vector<SampleFile> files = {
        {"demo.osp", demoProject},
        {"chinese.osp", chineseProject},
        {"old.grx", oldProject},
    };
    return files;
}

Status writeSamples(const std::string& folder) {
    for (const SampleFile& file : sampleFiles()) {
        const std::string path = (std::filesystem::path(folder) / file.name).string();
        Status written = writeFileAtomically(path, file.make());
        if (!written)
            return written;
    }
    return Status::success();
}

}  // namespace vanta::samples
