// Every per-protocol fact the model, the project and the pages use, walked for every protocol
// number (and for numbers outside the table) and compared with the recorded table in
// tests/core/data/protocol_profiles.golden. A protocol whose lists, ranges, defaults, page
// switches, type codes or record bytes change shows up here line by line.
//
// To record the table again after a deliberate change, run the test with
// VANTA_UPDATE_GOLDEN=1 and commit the file with the change that explains it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/AlarmListRules.h"
#include "model/CAlarmList.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/CUpLoadPic.h"
#include "model/FunctionPageRules.h"
#include "model/LightPageRules.h"
#include "model/RegisterPageRules.h"
#include "model_test_support.h"
#include "project/CommSettings.h"
#include "project/PanelSettings.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"
#include "protocols/ProtocolProfile.h"
#include "protocols/Vocabulary.h"

using namespace vanta;
using vanta::testing::ProtocolModel;

namespace {

const char* const kGoldenPath = VANTA_SOURCE_DIR "/tests/core/data/protocol_profiles.golden";

// Every protocol of the table, and numbers outside it (they get the default row).
std::vector<int> walkedProtocols() {
    std::vector<int> out;
    out.push_back(0);
    for (int p = 1; p <= kProtocolCount; ++p)
        out.push_back(p);
    out.push_back(kProtocolCount + 1);
    out.push_back(255);
    return out;
}

std::string join(const std::vector<std::string>& items, const char* separator = ",") {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += separator;
        out += items[i];
    }
    return out;
}

std::string joinInts(const std::vector<int64_t>& items) {
    std::vector<std::string> texts;
    for (int64_t v : items)
        texts.push_back(std::to_string(v));
    return join(texts);
}

std::string entryName(NumberEntry entry) {
    switch (entry) {
        case NumberEntry::Hex:
            return "hex";
        case NumberEntry::Octal:
            return "oct";
        case NumberEntry::Decimal:
            break;
    }
    return "dec";
}

std::string text(const SpinRange& r) {
    return std::to_string(r.min) + ".." + std::to_string(r.max) + " " + entryName(r.entry);
}
std::string text(const IntRange& r) {
    return std::to_string(r.min) + ".." + std::to_string(r.max);
}
std::string text(const ValueRange& r) {
    std::ostringstream out;
    out.precision(17);
    out << r.min << ".." << r.max;
    return out.str();
}
std::string text(const CBarTide::Range& r) {
    return std::to_string(r.min) + ".." + std::to_string(r.max);
}

// Type names that some protocol offers, plus names that only the code tables know, and one
// that nobody knows.
std::vector<std::string> allTypeNames() {
    std::set<std::string> seen;
    std::vector<std::string> names;
    auto add = [&](const std::vector<std::string>& list) {
        for (const std::string& n : list) {
            if (seen.insert(n).second)
                names.push_back(n);
        }
    };
    for (int p : walkedProtocols()) {
        const Vocabulary v = makeVocabulary(static_cast<uint8_t>(p));
        add(v.wordTypes);
        add(v.bitTypesA);
        add(v.bitTypesB);
        add(v.bitTypesC);
    }
    add({"VB", "CTH", "CTC", "nonsense", ""});
    return names;
}

// Collects "P key: value" lines for one protocol.
class Facts {
  public:
    explicit Facts(int protocol) : prefix_(std::to_string(protocol) + " ") {}
    void add(const std::string& key, const std::string& value) {
        lines_.push_back(prefix_ + key + ": " + value);
    }
    void add(const std::string& key, int64_t value) { add(key, std::to_string(value)); }
    void flag(const std::string& key, bool value) { add(key, value ? "yes" : "no"); }
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    std::string prefix_;
    std::vector<std::string> lines_;
};

void vocabularyFacts(Facts& f, const Vocabulary& v) {
    f.add("vocabulary.protocol", v.protocol);
    f.add("vocabulary.words", join(v.wordTypes));
    f.add("vocabulary.bitsA", join(v.bitTypesA));
    f.add("vocabulary.bitsB", join(v.bitTypesB));
    f.add("vocabulary.bitsC", join(v.bitTypesC));
    f.add("vocabulary.formats", join(v.displayFormats));
    f.add("vocabulary.alarmWords", join(v.alarmWordTypes));
    f.add("vocabulary.stations",
          std::to_string(v.stationMin) + ".." + std::to_string(v.stationMax));
    f.flag("vocabulary.ownStationOnly", v.ownStationOnly);
    f.add("vocabulary.stations(panel 7)",
          std::to_string(v.stationLow(7)) + ".." + std::to_string(v.stationHigh(7)));
    f.add("vocabulary.maxWord", v.maxWordRegister);
    f.add("vocabulary.maxBit", v.maxBitRegister);
    f.add("vocabulary.highestBit", v.highestBitIndex);
    f.add("vocabulary.stride", v.stride);
    f.add("vocabulary.baudOffset", v.baudOffset);
    f.flag("vocabulary.alarmAllowed", v.alarmAllowed);
    f.flag("vocabulary.addressesFromOne", v.addressesFromOne);
    f.add("vocabulary.minAddress", v.minAddress());
    f.flag("vocabulary.octalAddresses", v.octalAddresses);
    f.flag("vocabulary.hexAddresses", v.hexAddresses);
    f.flag("vocabulary.bitIndexSelectable", v.bitIndexSelectable);
    f.add("vocabulary.maxSubAddress", v.maxSubAddress());
    f.flag("vocabulary.registerCountShown", v.registerCountShown);
    f.add("vocabulary.maxRegisterCount", v.maxRegisterCount);
    f.flag("vocabulary.bitNumberShown", v.bitNumberShown);
    f.flag("vocabulary.offsetShown", v.offsetShown);
    f.flag("vocabulary.valueShown", v.valueShown);
    f.flag("vocabulary.coilOperationsShown", v.coilOperationsShown);
    const std::pair<const char*, TypeList> lists[] = {
        {"word", TypeList::Word}, {"bitA", TypeList::BitA}, {"bitB", TypeList::BitB}};
    for (const auto& [name, which] : lists) {
        std::vector<int64_t> sizes;
        for (int i = -1; i <= static_cast<int>(v.list(which).size()); ++i)
            sizes.push_back(static_cast<int64_t>(v.parameterNames(which, i).size()));
        f.add(std::string("vocabulary.parameterCounts.") + name, joinInts(sizes));
    }
}

void typeCodeFacts(Facts& f, const Vocabulary& v, const std::vector<std::string>& names) {
    const std::pair<const char*, int> selectors[] = {
        {"word", 1}, {"bitA", 2}, {"bitB", 3}, {"selector0", 0}};
    for (const auto& [name, selector] : selectors) {
        const size_t size = selector == 1   ? v.wordTypes.size()
                            : selector == 2 ? v.bitTypesA.size()
                                            : v.bitTypesB.size();
        std::vector<int64_t> codes;
        for (int i = -1; i <= static_cast<int>(size); ++i)
            codes.push_back(registerTypeCode(v, i, selector));
        f.add(std::string("code.") + name, joinInts(codes));
    }
    std::vector<int64_t> recipe;
    for (int i = -1; i <= static_cast<int>(v.alarmWordTypes.size()); ++i)
        recipe.push_back(recipeTypeCode(v, i));
    f.add("code.recipe", joinInts(recipe));
    std::vector<int64_t> startCoil;
    for (int i = -1; i <= static_cast<int>(v.bitTypesC.size()); ++i)
        startCoil.push_back(startCoilTypeCode(v, i));
    f.add("code.startCoil", joinInts(startCoil));

    // The name tables themselves, for every known name.
    for (int selector : {1, 2}) {
        std::vector<std::string> pairs;
        for (const std::string& n : names)
            pairs.push_back(n + "=" + std::to_string(typeCodeOfName(v.protocol, n, selector)));
        f.add("codeOfName." + std::to_string(selector), join(pairs, " "));
    }
    Vocabulary byName;
    byName.protocol = v.protocol;
    byName.alarmWordTypes = names;
    byName.bitTypesC = names;
    std::vector<std::string> recipePairs, startPairs;
    for (size_t i = 0; i < names.size(); ++i) {
        const int index = static_cast<int>(i);
        recipePairs.push_back(names[i] + "=" + std::to_string(recipeTypeCode(byName, index)));
        startPairs.push_back(names[i] + "=" + std::to_string(startCoilTypeCode(byName, index)));
    }
    f.add("recipeOfName", join(recipePairs, " "));
    f.add("startCoilOfName", join(startPairs, " "));
}

// A binding with a value in every field the record bytes may take.
void bind(CBase& c, uint8_t regType) {
    c.m_regType = regType;
    c.m_address = 0x1234;
    c.m_subAddress = 5;
    c.m_subType = 1;
    c.m_regCount = 1;
}

void componentFacts(Facts& f, ProtocolModel& m) {
    const ModelContext& ctx = m.context;
    auto binding = [](const CBase& c) {
        return "station " + std::to_string(c.m_station) + " address " + std::to_string(c.m_address);
    };
    CChars chars(ctx);
    f.add("default.chars", binding(chars));
    CUpLoadPic picture(ctx);
    f.add("default.picture", binding(picture));
    CRegister reg(ctx);
    f.add("default.register", binding(reg) + " inputHigh " + std::to_string(reg.m_inputHigh) +
                                  " engHigh " + std::to_string(reg.m_engHigh) + " count " +
                                  std::to_string(reg.m_regCount));
    CDynamic dynamic(ctx);
    f.add("default.dynamic", binding(dynamic));
    CLight lamp(ctx);
    f.add("default.lamp", binding(lamp));
    CFunction key(ctx);
    f.add("default.key", binding(key) + " action " + std::to_string(key.m_actionKind));
    CBar bar(ctx);
    f.add("default.bar", binding(bar) + " full " + std::to_string(bar.m_fullScale) + " count " +
                             std::to_string(bar.m_regCount));
    CTide trend(ctx);
    f.add("default.trend", binding(trend) + " full " + std::to_string(trend.m_fullScale));
}

void recordFacts(Facts& f, ProtocolModel& m) {
    const ModelContext& ctx = m.context;
    const uint8_t p = ctx.protocol;
    for (uint8_t type : {0, 1}) {
        const std::string t = "(type " + std::to_string(type) + ")";
        CLight lamp(ctx);
        bind(lamp, type);
        lamp.m_blockWord = 0xABCD;
        lamp.m_typeValue = 0x77;
        f.add("record.lamp" + t, "type " + std::to_string(lamp.downloadTypeValue()) + " address " +
                                     std::to_string(lamp.downloadAddress()));
        const uint8_t actions[] = {kActionSetCoil, kActionJump, kActionSetRegister, kActionRecipe,
                                   9};
        for (uint8_t action : actions) {
            CFunction key(ctx);
            bind(key, type);
            key.m_actionKind = action;
            key.m_blockWord = 0xABCD;
            key.m_coilTypeValue = 0x66;
            key.m_registerTypeValue = 0x55;
            f.add("record.key(action " + std::to_string(action) + ")" + t,
                  "type " + std::to_string(key.downloadTypeValue()) + " address " +
                      std::to_string(key.downloadAddress()));
        }
        CRegister reg(ctx);
        bind(reg, type);
        reg.m_blockWord = 0xABCD;
        reg.m_typeValue = 0x77;
        f.add("record.register" + t, "type " + std::to_string(reg.downloadTypeCode()) +
                                         " address " + std::to_string(reg.downloadAddress()) +
                                         " width " + std::to_string(reg.dataWidth()));
        CDynamic dynamic(ctx);
        bind(dynamic, type);
        dynamic.m_blockWord = 0xABCD;
        dynamic.m_typeValue = 0x77;
        f.add("record.dynamic" + t, "type " + std::to_string(dynamic.downloadTypeCode()) +
                                        " address " + std::to_string(dynamic.downloadAddress()));
        CBar bar(ctx);
        bind(bar, type);
        bar.m_blockWord = 0xABCD;
        bar.m_typeValue = 0x77;
        bar.ComputeRecordSize();
        DownloadContext download;
        download.protocol = p;
        download.vocabulary = &m.vocab;
        ASSERT_TRUE(bar.BuildDownloadRecord(download).ok());
        std::vector<int64_t> bytes(bar.m_record.begin() + 2, bar.m_record.begin() + 9);
        f.add("record.bar" + t, "type " + std::to_string(bar.downloadTypeCode(p, m.vocab)) +
                                    " bytes2-8 " + joinInts(bytes));
    }
}

// The values a module-addressed binding derives from its module, parameter and address (left
// alone under other protocols), and whether a recipe key can be downloaded.
void derivedValueFacts(Facts& f, ProtocolModel& m) {
    const ModelContext& ctx = m.context;
    auto derived = [](const CBase& c, int typeValue, uint16_t blockWord) {
        return "typeValue " + std::to_string(typeValue) + " sub " + std::to_string(c.m_subAddress) +
               " block " + std::to_string(blockWord);
    };
    CLight lamp(ctx);
    bind(lamp, 1);
    lamp.updateProtocol31Values();
    f.add("derived.lamp", derived(lamp, lamp.m_typeValue, lamp.m_blockWord));
    for (uint8_t action : {uint8_t{kActionSetCoil}, uint8_t{kActionSetRegister}}) {
        CFunction key(ctx);
        bind(key, 1);
        key.m_actionKind = action;
        key.updateProtocol31Values();
        f.add("derived.key(action " + std::to_string(action) + ")",
              derived(key, key.m_coilTypeValue * 1000 + key.m_registerTypeValue, key.m_blockWord));
    }
    CRegister reg(ctx);
    bind(reg, 1);
    reg.updateProtocol31Values();
    f.add("derived.register", derived(reg, reg.m_typeValue, reg.m_blockWord));
    CDynamic dynamic(ctx);
    bind(dynamic, 1);
    dynamic.m_subType = 200;
    dynamic.m_displayMode = 1;
    dynamic.m_signed = 1;
    dynamic.onPageSignedChanged();
    f.add("derived.dynamic", derived(dynamic, dynamic.m_typeValue, dynamic.m_blockWord) +
                                 " subType " + std::to_string(dynamic.m_subType) + " values " +
                                 text(dynamic.valueRange()));
    CBar bar(ctx);
    bind(bar, 1);
    bar.applyProtocol31Codes();
    f.add("derived.bar", derived(bar, bar.m_typeValue, bar.m_blockWord));

    CFunction recipe(ctx);
    recipe.m_actionKind = kActionRecipe;
    recipe.ComputeRecordSize();
    DownloadContext download;
    download.protocol = ctx.protocol;
    download.vocabulary = &m.vocab;
    const Status built = recipe.BuildDownloadRecord(download);
    f.add("record.recipeKey", built.ok() ? std::string("built") : built.message());
}

void lampPageFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    f.add("page.station(panel 7)", text(stationSpinRange(v, 7)));
    f.add("page.bitNumber", text(bitNumberSpinRange(v)));
    std::set<std::string> seen;
    std::vector<std::string> names;
    for (const auto* list : {&v.bitTypesB, &v.bitTypesA, &v.wordTypes})
        for (const std::string& n : *list)
            if (seen.insert(n).second)
                names.push_back(n);
    for (const char* extra : {"X", "Y", ""})
        if (seen.insert(extra).second)
            names.push_back(extra);
    std::vector<std::string> address, bitShown;
    for (const std::string& n : names) {
        address.push_back(n + "=" + text(bitAddressSpinRange(v, n)));
        bitShown.push_back(n + "=" + (lampBitNumberShown(v, n) ? "yes" : "no"));
    }
    f.add("page.bitAddress", join(address, " | "));
    f.add("page.lampBitNumberShown", join(bitShown, " "));
    std::vector<std::string> offsets;
    for (int i = 0; i <= static_cast<int>(v.bitTypesB.size()); ++i)
        offsets.push_back(text(lampOffsetSpinRange(v, static_cast<uint8_t>(i))));
    f.add("page.lampOffset", join(offsets, " | "));
    for (int i = 0; i < std::max<int>(1, static_cast<int>(v.bitTypesB.size())); ++i) {
        CLight lamp(m.context);
        lamp.m_regType = static_cast<uint8_t>(i);
        const LampPageControls c = lampPageControls(lamp, 7);
        f.add("page.lamp(type " + std::to_string(i) + ")",
              "types " + join(c.typeNames) + " subTypes " + std::to_string(c.subTypeNames.size()) +
                  " station " + text(c.station) + " address " + text(c.address) + " bit " +
                  text(c.bitNumber) + " offset " + text(c.offset) + " shown bit/offset/sub " +
                  std::to_string(c.bitNumberShown) + std::to_string(c.offsetShown) +
                  std::to_string(c.subTypeShown));
    }
}

void keyPageFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    const uint8_t actions[] = {kActionSetCoil, kActionJump, kActionSetRegister, kActionRecipe};
    for (uint8_t action : actions) {
        CFunction key(m.context);
        key.m_actionKind = action;
        key.m_keyOption = kFormatSigned;
        const KeyPageControls c = keyPageControls(key, 7);
        const std::string a = "(action " + std::to_string(action) + ")";
        f.add("page.key" + a,
              "types " + join(c.typeNames) + " recipeTypes " + join(c.recipeTypeNames) +
                  " subTypes " + std::to_string(c.subTypeNames.size()) + " station " +
                  text(c.station) + " bit " + text(c.bitNumber) + " enabled coil/recipe " +
                  std::to_string(c.setCoilEnabled) + std::to_string(c.recipeEnabled) +
                  " shown value/radios/stores/sub " + std::to_string(c.valueShown) +
                  std::to_string(c.coilRadiosShown) + std::to_string(c.storesCoilRadio) +
                  std::to_string(c.subTypeShown));
        // What follows the selected type: address, value range and the bit-number edit.
        std::vector<std::string> perType;
        const size_t types = keyTypeNames(v, action).size();
        for (size_t i = 0; i < std::max<size_t>(types, 1); ++i) {
            key.m_regType = static_cast<uint8_t>(i);
            const KeyPageControls t = keyPageControls(key, 7);
            perType.push_back(text(t.address) + " " + text(t.value) + " " +
                              std::to_string(t.bitNumberShown));
        }
        f.add("page.keyByType" + a, join(perType, " | "));
    }
    std::vector<std::string> recipeTargets;
    for (int i = 0; i < static_cast<int>(v.alarmWordTypes.size()); ++i)
        recipeTargets.push_back(text(recipeTargetSpinRange(v, static_cast<uint8_t>(i))));
    f.add("page.recipeTarget", join(recipeTargets, " | "));
    const uint8_t fillActions[] = {kActionSetCoil, kActionSetRegister};
    for (uint8_t action : fillActions) {
        CFunction key(m.context);
        key.m_actionKind = action;
        key.m_coilOperation = kCoilToggle;
        applyKeyPageFill(key);
        f.add("page.keyFill(action " + std::to_string(action) + ")",
              "action " + std::to_string(key.m_actionKind) + " coil " +
                  std::to_string(key.m_coilOperation));
    }
}

void registerPageFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    for (size_t i = 0; i < std::max<size_t>(v.wordTypes.size(), 1); ++i) {
        CRegister reg(m.context);
        reg.m_regType = static_cast<uint8_t>(i);
        reg.m_signed = 1;
        const RegisterPageState s = registerPageState(reg, 7);
        const std::string t = "(type " + std::to_string(i) + ")";
        f.add("page.register" + t,
              "settable " + std::to_string(s.settableEnabled) + " countEditable " +
                  std::to_string(s.countEditable) + " shown sub/count/subAddress " +
                  std::to_string(s.subTypeShown) + std::to_string(s.countShown) +
                  std::to_string(s.subAddressShown) + " station " + text(s.station) + " address " +
                  text(s.address) + " count " + text(s.count) + " subAddress " +
                  text(s.subAddress) + " oct/hex " + std::to_string(s.octalAddress) +
                  std::to_string(s.hexAddress) + " limits " + text(s.limits) + " asText " +
                  std::to_string(s.limitsAsText) + " subTypes " +
                  std::to_string(s.subTypeNames.size()));

        CRegister changed(m.context);
        changed.m_regType = static_cast<uint8_t>(i);
        changed.m_settable = 1;
        changed.m_password = 1;
        changed.m_regCount = 2;
        changed.m_station = 9;
        registerPageTypeChanged(changed, 7);
        changed.m_regCount = 1;
        changed.FillPropertyPage();
        f.add("page.registerTypeChanged" + t, "settable " + std::to_string(changed.m_settable) +
                                                  " station " + std::to_string(changed.m_station) +
                                                  " count after fill " +
                                                  std::to_string(changed.m_regCount));
    }
}

void dynamicPageFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    for (size_t i = 0; i < std::max<size_t>(v.wordTypes.size(), 1); ++i) {
        CDynamic dynamic(m.context);
        dynamic.m_regType = static_cast<uint8_t>(i);
        dynamic.m_signed = 1;
        dynamic.m_displayMode = 1;
        const DynamicPageState s = dynamic.pageState(7);
        dynamic.m_station = 9;
        dynamic.onPageTypeChanged(7);
        f.add("page.dynamic(type " + std::to_string(i) + ")",
              "shown sub/subAddress " + std::to_string(s.subTypeShown) +
                  std::to_string(s.subAddressShown) + " station " + text(s.station) + " address " +
                  text(s.address) + " subAddress " + text(s.subAddress) + " oct/hex " +
                  std::to_string(s.octalAddress) + std::to_string(s.hexAddress) + " values " +
                  text(s.values) + " subTypes " + std::to_string(s.subTypeNames.size()) +
                  " station after type change " + std::to_string(dynamic.m_station));
    }
}

void barPageFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    f.add("page.barAddress", text(CBarTide::addressRange(m.context.protocol, v)));
    for (size_t i = 0; i < std::max<size_t>(v.wordTypes.size(), 1); ++i) {
        for (uint8_t count : {1, 2}) {
            CBar bar(m.context);
            bar.m_regType = static_cast<uint8_t>(i);
            bar.m_regCount = count;
            bar.m_signed = 1;
            const CBarTide::CountRule rule = bar.countRule();
            f.add("page.bar(type " + std::to_string(i) + " count " + std::to_string(count) + ")",
                  "code " + std::to_string(bar.pageTypeCode()) + " countRule " +
                      std::to_string(rule.low) + ".." + std::to_string(rule.high) + " editable " +
                      std::to_string(rule.editable) + " lowestStation " +
                      std::to_string(rule.lowestStationOnly) + " fill " +
                      text(bar.fillScaleRange()) + " changed " + text(bar.changedScaleRange()));
        }
    }
}

void alarmFacts(Facts& f, ProtocolModel& m) {
    const Vocabulary& v = m.vocab;
    const uint8_t p = m.context.protocol;
    CAlarmList constructed(p);
    f.add("alarm.constructed", "station " + std::to_string(constructed.m_station) + " start " +
                                   std::to_string(constructed.m_startAddress));
    CAlarmList reset(p);
    reset.m_texts = {"a", "b"};
    reset.m_station = 9;
    reset.m_startAddress = 99;
    reset.m_bitOffset = 3;
    reset.m_subAddress = 4;
    reset.m_regType = 1;
    reset.ResetForNewProject(p);
    f.add("alarm.newProject", "station " + std::to_string(reset.m_station) + " start " +
                                  std::to_string(reset.m_startAddress) + " offset " +
                                  std::to_string(reset.m_bitOffset) + " sub " +
                                  std::to_string(reset.m_subAddress) + " type " +
                                  std::to_string(reset.m_regType) + " texts " +
                                  std::to_string(reset.m_texts.size()));

    f.add("alarm.family", static_cast<int>(alarmCoilFamily(v)));
    std::vector<int64_t> bits;
    for (int i = 0; i <= static_cast<int>(v.bitTypesC.size()); ++i)
        bits.push_back(alarmRegisterBits(v, i));
    f.add("alarm.registerBits", joinInts(bits));

    for (int type = 0; type <= static_cast<int>(v.bitTypesC.size()); ++type) {
        CAlarmList list(p);
        list.m_regType = static_cast<uint8_t>(type);
        list.m_bitOffset = 3;
        const AlarmDialogControls c = alarmDialogControls(list, v, 7);
        f.add("alarm.dialog(type " + std::to_string(type) + ")",
              "station " + std::to_string(c.stationMin) + ".." + std::to_string(c.stationMax) +
                  " address " + std::to_string(c.addressMin) + ".." + std::to_string(c.addressMax) +
                  " hex/oct " + std::to_string(c.addressHex) + std::to_string(c.addressOctal) +
                  " sub 0.." + std::to_string(c.subAddressMax) + " shown " +
                  std::to_string(c.subAddressShown) + " offset 0.." +
                  std::to_string(c.bitOffsetMax) + " shown " + std::to_string(c.bitOffsetShown) +
                  " types " + join(c.typeNames) + " capacity " +
                  std::to_string(alarmTextCapacity(list, v)));
        for (uint16_t start : {uint16_t{0x1234}, uint16_t{0x1235}, uint16_t{0}}) {
            list.m_startAddress = start;
            list.m_subAddress = 5;
            DownloadContext download;
            download.protocol = p;
            download.vocabulary = &v;
            const AlarmCoilBytes b = alarmCoilBytes(list, download);
            f.add("alarm.bytes(type " + std::to_string(type) + " start " + std::to_string(start) +
                      ")",
                  joinInts({b.typeCode, b.address[0], b.address[1], b.width, b.subAddress, b.bit}));
        }
    }
    const struct {
        uint16_t start;
        uint8_t sub;
        uint8_t offset;
    } labelCases[] = {{100, 3, 2}, {1, 14, 14}, {0x1234, 7, 0}};
    for (const auto& lc : labelCases) {
        CAlarmList list(p);
        list.m_startAddress = lc.start;
        list.m_subAddress = lc.sub;
        list.m_bitOffset = lc.offset;
        std::vector<std::string> labels;
        for (int row = 1; row <= 4; ++row)
            labels.push_back(alarmCoilLabel(list, v, row));
        f.add("alarm.labels(start " + std::to_string(lc.start) + " sub " + std::to_string(lc.sub) +
                  " offset " + std::to_string(lc.offset) + ")",
              join(labels, " | "));
    }
}

void settingsFacts(Facts& f, uint8_t p, const Vocabulary& v) {
    f.add("comm.bauds", join(baudList(p)));
    CommSettings s{6, 0, 1, 1, 1, 77, 1234};
    applyProtocolDefaults(s, p);
    auto comm = [](const CommSettings& c) {
        return "baud " + std::to_string(c.baudIndex) + " data " + std::to_string(c.dataBitsIndex) +
               " stop " + std::to_string(c.stopBitsIndex) + " parity " +
               std::to_string(c.parityIndex) + " option " + std::to_string(c.option) + " station " +
               std::to_string(c.panelStation) + " e5 " + std::to_string(c.e5Timeout);
    };
    f.add("comm.defaults", comm(s));
    f.add("comm.initial", comm(initialCommSettings(p)));
    f.flag("comm.showsPanelStation", showsPanelStation(p));
    f.flag("comm.showsE5Timeout", showsE5Timeout(p));
    std::vector<int64_t> clamped;
    for (int station : {-5, 0, 1, 247, 250, 300})
        clamped.push_back(clampPanelStation(station, p));
    f.add("comm.clampPanelStation(-5,0,1,247,250,300)", joinInts(clamped));

    auto panel = [](const PanelSettings& ps) {
        return "initial " + std::to_string(ps.initialScreen) + " password " +
               std::to_string(ps.password) + " delay " + std::to_string(ps.saverDelayIndex) +
               " action " + std::to_string(ps.saverAction) + " saver " +
               std::to_string(ps.saverScreen) + " station " + std::to_string(ps.plcStation) +
               " type " + std::to_string(ps.controlRegisterType) + " register " +
               std::to_string(ps.controlRegisterNumber) + " flags " +
               std::to_string(ps.controlFlags);
    };
    f.add("panel.defaultPlcStation", defaultPlcStation(p));
    f.add("panel.minControlRegister", minControlRegister(p));
    const PanelSettings distinct{7, 8, 9, 1, 10, 11, 3, 12, 7};
    PanelSettings fresh = distinct;
    resetForNewProject(fresh, p);
    f.add("panel.newProject", panel(fresh));
    PanelSettings changed = distinct;
    resetForProtocolChange(changed, p);
    f.add("panel.protocolChange", panel(changed));
    for (uint8_t flags : {0, 7}) {
        PanelSettings shown = distinct;
        shown.controlFlags = flags;
        shown.controlRegisterType = 1;
        shown.controlRegisterNumber = 100;
        const PanelSettingsView view = panelSettingsView(shown, v);
        f.add("panel.view(flags " + std::to_string(flags) + ")",
              "saver " + std::to_string(view.saverScreenEnabled) + " register " +
                  std::to_string(view.registerNumberEnabled) + " station " +
                  std::to_string(view.stationEnabled) + " type " +
                  std::to_string(view.registerTypeEnabled) + " labels " +
                  join({view.labelText[0], view.labelText[1], view.labelText[2]}, " | "));
    }

    Project project(nullptr, p);
    f.add("project.constructed", panel(project.panel) + " / " + comm(project.comm) +
                                     " / alarm station " +
                                     std::to_string(project.alarms.m_station) + " stride " +
                                     std::to_string(project.stride));
    project.resetToNew(p);
    f.add("project.new", panel(project.panel) + " / " + comm(project.comm) + " / alarm station " +
                             std::to_string(project.alarms.m_station) + " start " +
                             std::to_string(project.alarms.m_startAddress) + " stride " +
                             std::to_string(project.stride));
}

std::vector<std::string> describeProtocol(int protocol, const std::vector<std::string>& names) {
    const auto p = static_cast<uint8_t>(protocol);
    ProtocolModel m(p);
    Facts f(protocol);
    f.add("name", std::string(protocolNameEnglish(protocol)) + " / " +
                      std::string(protocolNameChinese(protocol)));
    vocabularyFacts(f, m.vocab);
    typeCodeFacts(f, m.vocab, names);
    componentFacts(f, m);
    recordFacts(f, m);
    derivedValueFacts(f, m);
    lampPageFacts(f, m);
    keyPageFacts(f, m);
    registerPageFacts(f, m);
    dynamicPageFacts(f, m);
    barPageFacts(f, m);
    alarmFacts(f, m);
    settingsFacts(f, p, m.vocab);
    return f.lines();
}

std::vector<std::string> describeAll() {
    const std::vector<std::string> names = allTypeNames();
    std::vector<std::string> lines;
    for (int p : walkedProtocols()) {
        const std::vector<std::string> block = describeProtocol(p, names);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(ProtocolProfiles, EveryProtocolFactMatchesTheRecordedTable) {
    const std::vector<std::string> now = describeAll();
    if (std::getenv("VANTA_UPDATE_GOLDEN")) {
        std::ofstream out(kGoldenPath, std::ios::trunc);
        for (const std::string& line : now)
            out << line << '\n';
        GTEST_SKIP() << "recorded " << now.size() << " lines in " << kGoldenPath;
    }
    const std::vector<std::string> recorded = readLines(kGoldenPath);
    ASSERT_FALSE(recorded.empty()) << kGoldenPath << " is missing or empty";

    // Compared by key, so a changed fact names its protocol and key.
    auto keyOf = [](const std::string& line) { return line.substr(0, line.find(": ")); };
    std::map<std::string, std::string> expected;
    for (const std::string& line : recorded)
        expected[keyOf(line)] = line;
    int reported = 0;
    std::set<std::string> seen;
    for (const std::string& line : now) {
        const std::string key = keyOf(line);
        seen.insert(key);
        const auto found = expected.find(key);
        if (found == expected.end()) {
            ADD_FAILURE() << "not in the recorded table: " << line;
        } else if (found->second != line) {
            ADD_FAILURE() << "recorded: " << found->second << "\n     now: " << line;
        } else {
            continue;
        }
        if (++reported >= 40)
            FAIL() << "more differences follow";
    }
    for (const auto& [key, line] : expected) {
        if (!seen.count(key))
            ADD_FAILURE() << "no longer produced: " << line;
    }
    EXPECT_EQ(now.size(), recorded.size());
}

TEST(ProtocolProfiles, EveryNumberHasItsOwnRowAndOtherNumbersTheDefaultRow) {
    for (int p = 1; p <= kProtocolCount; ++p) {
        SCOPED_TRACE("protocol " + std::to_string(p));
        const ProtocolProfile& profile = protocolProfile(p);
        EXPECT_EQ(profile.number, p);
        EXPECT_NE(std::string(profile.english), "");
        EXPECT_NE(std::string(profile.chinese), "");
        // What a row states must hang together: the chosen baud rate is one the list offers,
        // ranges are not empty, a type table by index has entries.
        const auto& bauds = profile.serial.bauds;
        EXPECT_NE(std::find(bauds.begin(), bauds.end(), std::string(profile.serial.baud)),
                  bauds.end());
        EXPECT_LE(profile.stations.min, profile.stations.max);
        EXPECT_LE(profile.panelStations.min, profile.panelStations.max);
        EXPECT_FALSE(profile.types.words.empty());
        if (profile.alarmCoil.type == AlarmTypeCode::ByIndex) {
            EXPECT_FALSE(profile.alarmCoil.typeCodes.empty());
        }
    }
    for (int p : {0, -1, kProtocolCount + 1, 255, 1000}) {
        const ProtocolProfile& profile = protocolProfile(p);
        EXPECT_EQ(&profile, &protocolProfile(0)) << p;
        EXPECT_EQ(profile.number, 0);
        EXPECT_TRUE(protocolNameEnglish(p).empty()) << p;
    }
    // The default row is the row of protocol 4 but for the code of "D", which protocol 4 (and 38
    // and 39) alone gives as one word.
    const Vocabulary four = makeVocabulary(4);
    const Vocabulary other = makeVocabulary(kProtocolCount + 1);
    EXPECT_EQ(other.wordTypes, four.wordTypes);
    EXPECT_EQ(other.bitTypesA, four.bitTypesA);
    EXPECT_EQ(registerTypeCode(four, 0, 1), 2);
    EXPECT_EQ(registerTypeCode(other, 0, 1), 4);
}

TEST(ProtocolProfiles, ARowsOwnCodesComeBeforeTheGeneralTables) {
    const ProtocolProfile& modbus = protocolProfile(3);
    const ProtocolProfile& omron = protocolProfile(27);
    // The general table, and a row that gives "W" other codes as a word and as a bit.
    EXPECT_EQ(typeCodeOf(modbus, "W", true), 2);
    EXPECT_EQ(typeCodeOf(omron, "W", true), 162);
    EXPECT_EQ(typeCodeOf(omron, "W", false), 48);
    EXPECT_EQ(typeCodeOf(modbus, "T", true), 178);
    EXPECT_EQ(typeCodeOf(modbus, "T", false), 80);
    EXPECT_EQ(typeCodeOf(modbus, "no such type", true), 0);

    // Recipe codes: the row's own, then the recipe table, then the code as a word type (with
    // the row's own word codes).
    EXPECT_EQ(recipeCodeOf(protocolProfile(28), "D"), 226);
    EXPECT_EQ(recipeCodeOf(protocolProfile(23), "C_double"), 210);
    EXPECT_EQ(typeCodeOf(protocolProfile(23), "C_double", true), 212);
    EXPECT_EQ(recipeCodeOf(protocolProfile(20), "D"), 130);
    EXPECT_EQ(recipeCodeOf(protocolProfile(24), "R"), 2);
    EXPECT_EQ(typeCodeOf(protocolProfile(24), "R", true), 16);
    EXPECT_EQ(recipeCodeOf(modbus, "AIW"), 0);
    EXPECT_EQ(recipeCodeOf(modbus, "AQW"), 0);
    EXPECT_EQ(recipeCodeOf(modbus, "3x"), 130);

    // Start coils: "X" is 16 unless the row says otherwise; anything else 0.
    EXPECT_EQ(startCoilCodeOf(modbus, "X"), 16);
    EXPECT_EQ(startCoilCodeOf(protocolProfile(28), "X"), 18);
    EXPECT_EQ(startCoilCodeOf(protocolProfile(29), "Q"), 34);
    EXPECT_EQ(startCoilCodeOf(modbus, "Q"), 0);
}
