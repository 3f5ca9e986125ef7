// What the download or the panel would make of each component's own settings: its texts, the
// values of a dynamic text, limits in the wrong order, a key's action, and every binding value
// against the ranges the component's page allows for the protocol.
#include <cctype>
#include <map>

#include "checks/CheckParts.h"
#include "common/GbkText.h"
#include "model/CBar.h"
#include "model/CChars.h"
#include "model/CDynamic.h"
#include "model/CFunction.h"
#include "model/CLight.h"
#include "model/CRegister.h"
#include "model/CTide.h"
#include "model/FunctionPageRules.h"
#include "model/GlyphCodes.h"
#include "model/LightPageRules.h"
#include "model/RegisterPageRules.h"
#include "project/Project.h"
#include "protocols/ProtocolNames.h"

namespace vanta {

namespace {

constexpr size_t kMaxTextBytes = 255;  // the records count a text's bytes in one byte

bool hasLeadByte(const ByteString& text) {
    for (char c : text) {
        if (isLeadByte(static_cast<unsigned char>(c)))
            return true;
    }
    return false;
}

// Reports the problems of one component.
class ComponentCheck {
  public:
    ComponentCheck(ProblemSink& sink, const Project& project, const CMainView& screen, size_t index)
        : sink_(sink),
          project_(project),
          screen_(screen),
          index_(index),
          protocol_(project.protocol()) {}

    void error(std::string code, std::string message, std::string fix) {
        sink_.component(ProblemSeverity::Error, std::move(code), screen_, index_,
                        std::move(message), std::move(fix));
    }
    void warning(std::string code, std::string message, std::string fix) {
        sink_.component(ProblemSeverity::Warning, std::move(code), screen_, index_,
                        std::move(message), std::move(fix));
    }

    // "its station 300 lies outside the range 1..247 of protocol 3 (Modbus RTU)".
    void range(const std::string& what, int64_t value, int64_t low, int64_t high) {
        if (value >= low && value <= high)
            return;
        error("out-of-range",
              "its " + what + " " + std::to_string(value) + " lies outside the range " +
                  rangeText(low, high) + " of " + protocolText(protocol_),
              "Choose its " + what + " within " + rangeText(low, high) + " on its page.");
    }
    void range(const std::string& what, int64_t value, const IntRange& allowed) {
        range(what, value, allowed.min, allowed.max);
    }
    void range(const std::string& what, int64_t value, const SpinRange& allowed) {
        range(what, value, allowed.min, allowed.max);
    }

    // A type index must name an entry of the list the page offers.
    void typeIndex(const std::string& what, size_t index, const std::vector<std::string>& names) {
        if (index < names.size())
            return;
        if (names.empty()) {
            error("out-of-range",
                  "it names " + what + " " + std::to_string(index + 1) + ", but " +
                      protocolText(protocol_) + " has none",
                  "Choose another protocol or delete the component.");
            return;
        }
        error("out-of-range",
              "it names " + what + " " + std::to_string(index + 1) + ", but " +
                  protocolText(protocol_) + " offers " + std::to_string(names.size()) +
                  "; the download would send the code of the last one, " + names.back(),
              "Choose the " + what + " on its page.");
    }

    void text(const ByteString& text, const std::string& subject) {
        if (auto fault = textFault(text, subject))
            error(fault->code, fault->message, fault->fix);
    }

    void register_(const CRegister& reg) {
        const RegisterPageState state = registerPageState(reg, project_.comm.panelStation);
        if (reg.downloadWidth() > 255) {
            error("register-too-wide",
                  "it shows " + std::to_string(reg.downloadWidth()) +
                      " characters; a register takes at most 255",
                  "Lower its digits.");
        }
        range("number of digits", reg.m_digits, state.digits);
        range("number of decimals", reg.m_decimals, state.decimals);
        binding(reg, state.typeNames, state.subTypeNames);
        range("station", reg.m_station, state.station);
        range("address", reg.m_address, state.address);
        if (state.countShown)
            range("register count", reg.m_regCount, state.count);
        if (state.subAddressShown)
            range("bit number", reg.m_subAddress, state.subAddress);
        if (reg.m_limits) {
            const LimitPair limits = reg.downloadInputLimits();
            if (limits.corrected) {
                warning("limits-order",
                        "its input limits are in the wrong order (upper " +
                            std::to_string(reg.m_inputHigh) + ", lower " +
                            std::to_string(reg.m_inputLow) + "); the download would write upper " +
                            std::to_string(limits.high) + ", lower " + std::to_string(limits.low) +
                            " and keep them in the project",
                        "Set the upper limit above the lower one.");
            }
        }
    }

    void dynamic(const CDynamic& dyn) {
        const DynamicPageState state = dyn.pageState(project_.comm.panelStation);
        binding(dyn, state.typeNames, state.subTypeNames);
        range("station", dyn.m_station, state.station);
        range("address", dyn.m_address, state.address);
        if (state.subAddressShown)
            range("bit number", dyn.m_subAddress, state.subAddress);

        size_t used = 0;
        std::map<uint16_t, size_t> firstEntryOf;  // panel value -> entry (0-based)
        for (size_t i = 0; i < dyn.entryCount(); ++i) {
            const std::string entry = "entry " + std::to_string(i + 1);
            if (dyn.m_valueTexts[i].empty()) {
                // Not downloaded, but the compiler still refuses a text it could not count.
                if (dyn.m_texts[i].size() > kMaxTextBytes)
                    text(dyn.m_texts[i], "the text of " + entry);
                continue;
            }
            ++used;
            text(dyn.m_texts[i], "the text of " + entry);
            const int32_t value = dyn.m_values[i];
            if (value < state.values.min || value > state.values.max) {
                warning(
                    "dynamic-value-range",
                    "the value " + std::to_string(value) + " of " + entry + " lies outside " +
                        rangeText(state.values.min, state.values.max) +
                        ", the values its register holds; the panel compares the low 16 bits, " +
                        std::to_string(static_cast<uint16_t>(value)),
                    "Change the value of " + entry + ".");
            }
            const auto panelValue = static_cast<uint16_t>(value);
            const auto [first, inserted] = firstEntryOf.emplace(panelValue, i);
            if (!inserted) {
                warning("duplicate-dynamic-value",
                        "entries " + std::to_string(first->second + 1) + " and " +
                            std::to_string(i + 1) + " both stand for the value " +
                            std::to_string(panelValue) + "; the panel shows the text of entry " +
                            std::to_string(first->second + 1) + " and never that of entry " +
                            std::to_string(i + 1),
                        "Give each entry its own value.");
            }
        }
        if (used > 255) {
            error("too-many-entries",
                  std::to_string(used) + " entries are in use; the panel takes at most 255",
                  "Clear the values of the entries it does not need.");
        }
    }

    void lamp(const CLight& light) {
        const LampPageControls controls = lampPageControls(light, project_.comm.panelStation);
        binding(light, controls.typeNames, controls.subTypeNames);
        range("station", light.m_station, controls.station);
        range("address", light.m_address, controls.address);
        if (controls.bitNumberShown)
            range("bit number", light.m_subAddress, controls.bitNumber);
        if (controls.offsetShown)
            range("bit offset", light.m_offset, controls.offset);
    }

    void key(const CFunction& key, const std::unordered_set<uint16_t>& screenNumbers) {
        if (keyFault(key))
            return;
        const KeyPageControls controls = keyPageControls(key, project_.comm.panelStation);
        switch (controls.subPage) {
            case KeySubPage::Jump:
                if (key.m_jumpTarget == kJumpScreen && !screenNumbers.count(key.m_targetScreen)) {
                    error("missing-jump-target",
                          "jumps to screen " + std::to_string(key.m_targetScreen) +
                              ", which does not exist; the key does nothing on the panel",
                          "Choose an existing screen or add screen " +
                              std::to_string(key.m_targetScreen) + ".");
                }
                break;
            case KeySubPage::Coil:
                binding(key, controls.typeNames, controls.subTypeNames);
                range("station", key.m_station, controls.station);
                range("address", key.m_address, controls.address);
                if (controls.bitNumberShown)
                    range("bit number", key.m_subAddress, controls.bitNumber);
                if (controls.valueShown && key.m_actionKind == kActionSetRegister)
                    range("value", key.m_value, controls.value);
                break;
            case KeySubPage::Recipe: {
                typeIndex("register type", key.m_regType, controls.recipeTypeNames);
                range("station", key.m_station, controls.station);
                range("target address", key.m_address,
                      recipeTargetSpinRange(key.context().vocab(), key.m_regType));
                range(key.m_recipeOperation < kRecipeIncreaseBase ? "length" : "step", key.m_length,
                      controls.length);
                range("limit", key.m_limit, controls.limit);
                break;
            }
        }
    }

    void graph(const CBarTide& graph) {
        const Vocabulary& vocab = project_.vocabulary();
        const uint8_t panelStation = project_.comm.panelStation;
        binding(graph, vocab.wordTypes,
                protocol_ == 31 ? vocab.parameterNames(TypeList::Word, graph.m_regType)
                                : std::vector<std::string>{});
        const CBarTide::CountRule count = graph.countRule();
        const int low = vocab.stationLow(panelStation);
        range("station", graph.m_station, low,
              count.lowestStationOnly ? low : vocab.stationHigh(panelStation));
        const CBarTide::Range address = CBarTide::addressRange(protocol_, vocab);
        range("address", graph.m_address, address.min, address.max);
        if (vocab.registerCountShown && protocol_ != 31)
            range("register count", graph.m_regCount, count.low, count.high);
        if (vocab.bitNumberShown) {
            const CBarTide::Range bits = CBarTide::bitNumberRange(vocab);
            range("bit number", graph.m_subAddress, bits.min, bits.max);
        }
        if (graph.m_kind == kKindTide) {
            const auto& trend = static_cast<const CTide&>(graph);
            const CBarTide::Range points = trend.pointsRange();
            range("number of points", trend.m_points, points.min, points.max);
            range("sampling interval", trend.m_interval, 1, 60000);
        }
        const LimitPair scales = graph.downloadScales();
        if (scales.corrected) {
            warning("limits-order",
                    "its full scale " + std::to_string(graph.m_fullScale) +
                        " is not above its zero scale " + std::to_string(graph.m_zeroScale) +
                        "; the download would write full scale " + std::to_string(scales.high) +
                        ", zero scale " + std::to_string(scales.low) +
                        " and keep them in the project",
                    "Set the full scale above the zero scale.");
        }
    }

  private:
    // The register type and, under protocol 31, the module's parameter.
    void binding(const CBase& c, const std::vector<std::string>& typeNames,
                 const std::vector<std::string>& parameterNames) {
        typeIndex(protocol_ == 31 ? "module" : "register type", c.m_regType, typeNames);
        if (protocol_ == 31 && c.m_regType < typeNames.size())
            typeIndex("parameter", c.m_subType, parameterNames);
    }

    // Reports a key the download refuses; true when it does.
    bool keyFault(const CFunction& key) {
        switch (key.downloadFault()) {
            case KeyFault::None:
                return false;
            case KeyFault::NoSuchKey:
                error("key-refused",
                      "it stands for key number " + std::to_string(key.keyIndex() + 1) +
                          ", which the panel does not have",
                      "Choose one of the panel's keys on its page.");
                break;
            case KeyFault::UnknownAction:
                error("key-refused",
                      "its action " + std::to_string(key.m_actionKind) + " is none the panel knows",
                      "Choose the key's action on its page.");
                break;
            case KeyFault::NoCoilOperation:
                if (!key.context().profile().hasCoils) {
                    error("key-refused",
                          "it sets a coil, but " + protocolText(protocol_) + " has no coils",
                          "Choose another action for the key.");
                } else {
                    error("key-refused", "it sets a coil, but no coil operation is chosen",
                          "Choose ON, OFF, toggle or momentary ON on its page.");
                }
                break;
            case KeyFault::RecipeNotAllowed:
                error(
                    "key-refused",
                    "it runs a recipe action, which " + protocolText(protocol_) + " does not have",
                    "Choose another action for the key.");
                break;
            case KeyFault::UnknownRecipeOperation:
                error("key-refused",
                      "its recipe operation " + std::to_string(key.m_recipeOperation) +
                          " is none the panel knows",
                      "Choose the recipe operation on its page.");
                break;
        }
        return true;
    }

    ProblemSink& sink_;
    const Project& project_;
    const CMainView& screen_;
    size_t index_;
    uint8_t protocol_;
};

}  // namespace

std::string protocolText(uint8_t protocol) {
    const std::string_view name = protocolNameEnglish(protocol);
    std::string text = "protocol " + std::to_string(protocol);
    if (!name.empty())
        text += " (" + std::string(name) + ")";
    return text;
}

std::optional<TextFault> textFault(const ByteString& text, const std::string& subject) {
    if (text.size() > kMaxTextBytes) {
        return TextFault{"text-too-long",
                         subject + " is " + std::to_string(text.size()) +
                             " bytes long; the panel takes at most 255",
                         "Shorten the text."};
    }
    if (endsWithLoneLeadByte(text)) {
        return TextFault{"text-incomplete-character",
                         subject + " ends with half a double-byte character",
                         "Delete the last character and type it again."};
    }
    if (hasLeadByte(text)) {
        Result<std::string> decoded = gbkToUtf8(text);
        if (!decoded) {
            std::string why = decoded.message();
            if (!why.empty())
                why[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(why[0])));
            return TextFault{"text-not-gbk",
                             subject + " holds bytes that are no GBK character (" + why + ")",
                             "Type the text again."};
        }
    }
    return std::nullopt;
}

void checkComponent(ProblemSink& sink, const Project& project, const CMainView& screen,
                    size_t index, const std::unordered_set<uint16_t>& screenNumbers) {
    ComponentCheck check(sink, project, screen, index);
    const CBase& c = *screen.components()[index];
    switch (c.m_kind) {
        case kKindChars:
            check.text(static_cast<const CChars&>(c).m_text, "its text");
            break;
        case kKindRegister:
            check.register_(static_cast<const CRegister&>(c));
            break;
        case kKindDynamic:
            check.dynamic(static_cast<const CDynamic&>(c));
            break;
        case kKindLight:
            check.lamp(static_cast<const CLight&>(c));
            break;
        case kKindFunction:
            check.key(static_cast<const CFunction&>(c), screenNumbers);
            break;
        case kKindBar:
        case kKindTide:
            check.graph(static_cast<const CBarTide&>(c));
            break;
        default:
            break;
    }
}

}  // namespace vanta
