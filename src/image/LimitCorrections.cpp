#include "image/LimitCorrections.h"

#include "model/CBarTide.h"
#include "model/CRegister.h"
#include "model/ComponentFactory.h"
#include "project/Project.h"

namespace vanta {

namespace {

int64_t readAs(int32_t stored, bool isSigned) {
    return isSigned ? stored : static_cast<int64_t>(static_cast<uint32_t>(stored));
}

// The pair of fields a correction concerns, or nothing for another kind.
struct LimitFields {
    int32_t* high = nullptr;
    int32_t* low = nullptr;
    bool isSigned = false;
    bool scale = false;
};

LimitFields limitFields(CBase& component) {
    if (auto* reg = dynamic_cast<CRegister*>(&component))
        return {&reg->m_inputHigh, &reg->m_inputLow, reg->m_signed != 0, false};
    if (auto* item = dynamic_cast<CBarTide*>(&component))
        return {&item->m_fullScale, &item->m_zeroScale, item->m_signed != 0, true};
    return {};
}

// Corrects a copy as the compiler corrects the component; true when it changed.
bool correctedCopy(const CBase& component, int32_t& high, int32_t& low) {
    std::unique_ptr<CBase> copy = copyComponent(component);
    if (!copy)
        return false;
    bool corrected = false;
    if (auto* reg = dynamic_cast<CRegister*>(copy.get()))
        corrected = reg->m_limits != 0 && reg->correctInputLimits();
    else if (auto* item = dynamic_cast<CBarTide*>(copy.get()))
        corrected = item->CorrectScales();
    if (corrected) {
        const LimitFields fields = limitFields(*copy);
        high = *fields.high;
        low = *fields.low;
    }
    return corrected;
}

}  // namespace

std::vector<LimitCorrection> findLimitCorrections(const Project& project) {
    std::vector<LimitCorrection> found;
    const ScreenList& screens = project.screens;
    for (size_t s = 0; s < screens.size(); ++s) {
        const CMainView& screen = screens.at(s);
        for (size_t i = 0; i < screen.components().size(); ++i) {
            CBase& component = *screen.components()[i];
            const LimitFields fields = limitFields(component);
            int32_t high = 0, low = 0;
            if (!fields.high || !correctedCopy(component, high, low))
                continue;
            LimitCorrection c;
            c.screen = s;
            c.index = i;
            c.screenNumber = screen.m_number;
            c.component = component.describe();
            c.scale = fields.scale;
            c.high = readAs(*fields.high, fields.isSigned);
            c.low = readAs(*fields.low, fields.isSigned);
            c.correctedHigh = readAs(high, fields.isSigned);
            c.correctedLow = readAs(low, fields.isSigned);
            found.push_back(std::move(c));
        }
    }
    return found;
}

std::string limitCorrectionQuestion(const std::vector<LimitCorrection>& corrections) {
    std::string text = "Register Limit error, cancel?";
    for (const LimitCorrection& c : corrections) {
        const char* upper = c.scale ? "full scale " : "upper limit ";
        const char* lower = c.scale ? "zero scale " : "lower limit ";
        text += "\nWindow " + std::to_string(c.screenNumber) + ", " + c.component + ": " + upper +
                std::to_string(c.high) + ", " + lower + std::to_string(c.low) + " become " + upper +
                std::to_string(c.correctedHigh) + ", " + lower + std::to_string(c.correctedLow);
    }
    return text;
}

void setCorrectedLimits(Project& project, const LimitCorrection& correction, bool corrected) {
    if (correction.screen >= project.screens.size())
        return;
    const CMainView& screen = project.screens.at(correction.screen);
    if (correction.index >= screen.components().size())
        return;
    const LimitFields fields = limitFields(*screen.components()[correction.index]);
    if (!fields.high)
        return;
    *fields.high = static_cast<int32_t>(corrected ? correction.correctedHigh : correction.high);
    *fields.low = static_cast<int32_t>(corrected ? correction.correctedLow : correction.low);
}

}  // namespace vanta
