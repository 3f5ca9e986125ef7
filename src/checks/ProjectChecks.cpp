#include "checks/ProjectChecks.h"

#include <algorithm>

#include "checks/CheckParts.h"
#include "image/ImageCompiler.h"
#include "model/AlarmListRules.h"
#include "project/Project.h"

namespace vanta {

namespace {

void checkImage(ProblemSink& sink, const ImageFacts& image) {
    if (image.imageBytes <= kMaxImageBytes)
        return;
    sink.other(ProblemSeverity::Error, "image-too-large", ProblemPlace::Project,
               "the panel image would be " + std::to_string(image.imageBytes) +
                   " bytes, more than the panel's 32768",
               "Remove texts, pictures or components.");
}

void checkPanelSettings(ProblemSink& sink, const Project& project,
                        const std::unordered_set<uint16_t>& screens) {
    const PanelSettings& panel = project.panel;
    const uint16_t first = project.screens.empty() ? 0 : project.screens.at(0).m_number;
    if (!screens.count(panel.initialScreen)) {
        sink.other(ProblemSeverity::Error, "missing-initial-screen", ProblemPlace::PanelSettings,
                   "the initial screen " + std::to_string(panel.initialScreen) +
                       " does not exist; the panel would start on screen " + std::to_string(first) +
                       " instead",
                   "Choose an existing initial screen in the panel settings.");
    }
    if (panel.saverAction == 1 && !screens.count(panel.saverScreen)) {
        sink.other(ProblemSeverity::Error, "missing-saver-screen", ProblemPlace::PanelSettings,
                   "the screen-saver screen " + std::to_string(panel.saverScreen) +
                       " does not exist; the panel would show screen " + std::to_string(first) +
                       " instead",
                   "Choose an existing screen for the screen saver in the panel settings.");
    }
    if (panel.controlFlags == 0)
        return;  // the station and the control register are used by the control block only
    const Vocabulary& vocab = project.vocabulary();
    auto range = [&](const std::string& what, int64_t value, int64_t low, int64_t high) {
        if (value >= low && value <= high)
            return;
        sink.other(
            ProblemSeverity::Error, "panel-out-of-range", ProblemPlace::PanelSettings,
            "the " + what + " " + std::to_string(value) + " lies outside the range " +
                rangeText(low, high) + " of " + protocolText(project.protocol()),
            "Choose the " + what + " within " + rangeText(low, high) + " in the panel settings.");
    };
    range("PLC station", panel.plcStation, vocab.stationMin, vocab.stationMax);
    range("control register", panel.controlRegisterNumber, minControlRegister(project.protocol()),
          vocab.maxWordRegister);
    if (panel.controlRegisterType >= vocab.wordTypes.size()) {
        sink.other(ProblemSeverity::Error, "panel-out-of-range", ProblemPlace::PanelSettings,
                   "the control register's type is number " +
                       std::to_string(panel.controlRegisterType + 1) + ", but " +
                       protocolText(project.protocol()) + " offers " +
                       std::to_string(vocab.wordTypes.size()),
                   "Choose the control register's type in the panel settings.");
    }
}

void checkScreenKeys(ProblemSink& sink, const CMainView& screen,
                     const std::unordered_set<uint16_t>& screens) {
    auto key = [&](const char* name, const char* code, uint16_t target) {
        if (target == 0 || screens.count(target))
            return;  // 0: the key leads nowhere on purpose
        sink.screen(ProblemSeverity::Warning, code, screen,
                    std::string("the ") + name + " key leads to screen " + std::to_string(target) +
                        ", which does not exist; pressing it on the panel does nothing",
                    "Choose an existing screen, or 0 for none, on the screen's page.");
    };
    key("up", "missing-up-screen", screen.m_upScreen);
    key("down", "missing-down-screen", screen.m_downScreen);
}

void checkScreen(ProblemSink& sink, const Project& project, const CMainView& screen, bool repeated,
                 const std::unordered_set<uint16_t>& screens,
                 const std::vector<uint16_t>* drawOrder) {
    if (repeated) {
        sink.screen(ProblemSeverity::Error, "duplicate-screen", screen,
                    "the number " + std::to_string(screen.m_number) +
                        " is given to more than one screen; the panel could show only the first",
                    "Give each screen its own number.");
    }
    const size_t count = screen.components().size();
    if (count > kMaxComponentsPerScreen) {
        sink.screen(ProblemSeverity::Error, "too-many-components", screen,
                    "it holds " + std::to_string(count) +
                        " components; the panel shows at most 255 on a screen",
                    "Move some of them to another screen.");
    }
    checkScreenKeys(sink, screen, screens);

    // The screen's components in list order, whichever check finds them.
    ProblemSink components;
    for (size_t i = 0; i < count; ++i) {
        checkPlacement(components, screen, i);
        checkComponent(components, project, screen, i, screens);
    }
    if (drawOrder != nullptr)
        checkStacking(components, screen, *drawOrder);
    std::stable_sort(
        components.problems.begin(), components.problems.end(),
        [](const Problem& a, const Problem& b) { return a.componentIndex < b.componentIndex; });
    for (Problem& p : components.problems)
        sink.problems.push_back(std::move(p));
}

void checkAlarms(ProblemSink& sink, const Project& project) {
    const CAlarmList& alarms = project.alarms;
    if (!alarms.HasTexts())
        return;
    const Vocabulary& vocab = project.vocabulary();
    const size_t count = alarms.m_texts.size();
    auto report = [&](ProblemSeverity severity, const char* code, std::string message,
                      std::string fix) {
        sink.other(severity, code, ProblemPlace::AlarmList, std::move(message), std::move(fix));
    };
    if (!vocab.alarmAllowed) {
        report(ProblemSeverity::Warning, "alarm-not-offered",
               "it holds " + std::to_string(count) + " texts, but " +
                   protocolText(project.protocol()) +
                   " has no alarm list; the download sends them all the same",
               "Choose a protocol with an alarm list to edit them.");
    }
    if (count > CAlarmList::kMaxTexts) {
        report(ProblemSeverity::Error, "alarm-too-many",
               "it holds " + std::to_string(count) + " texts; the panel takes at most 255",
               "Delete the texts after the 255th.");
    } else if (alarmCoilFamily(vocab) == AlarmCoilFamily::BitsInRegister) {
        const size_t capacity = alarmTextCapacity(alarms, vocab);
        if (count > capacity) {
            report(ProblemSeverity::Warning, "alarm-past-register",
                   "it holds " + std::to_string(count) + " texts, but the start register has " +
                       std::to_string(capacity) + " coils from the bit offset on",
                   "Keep at most " + std::to_string(capacity) + " texts, or lower the bit offset.");
        }
    }
    for (size_t i = 0; i < count; ++i) {
        if (auto fault = textFault(alarms.m_texts[i], "alarm text " + std::to_string(i + 1)))
            report(ProblemSeverity::Error, fault->code.c_str(), fault->message, fault->fix);
    }

    const AlarmDialogControls controls =
        alarmDialogControls(alarms, vocab, project.comm.panelStation);
    auto range = [&](const std::string& what, int64_t value, int64_t low, int64_t high) {
        if (value >= low && value <= high)
            return;
        report(ProblemSeverity::Error, "alarm-out-of-range",
               "the start coil's " + what + " " + std::to_string(value) +
                   " lies outside the range " + rangeText(low, high) + " of " +
                   protocolText(project.protocol()),
               "Choose the start coil's " + what + " within " + rangeText(low, high) +
                   " in the alarm list.");
    };
    range("station", alarms.m_station, controls.stationMin, controls.stationMax);
    range("address", alarms.m_startAddress, controls.addressMin, controls.addressMax);
    if (controls.subAddressShown)
        range("sub-address", alarms.m_subAddress, 0, controls.subAddressMax);
    if (controls.bitOffsetShown)
        range("bit offset", alarms.m_bitOffset, 0, controls.bitOffsetMax);
    if (alarms.m_regType >= controls.typeNames.size() && !controls.typeNames.empty()) {
        report(ProblemSeverity::Error, "alarm-out-of-range",
               "the start coil's register type is number " + std::to_string(alarms.m_regType + 1) +
                   ", but " + protocolText(project.protocol()) + " offers " +
                   std::to_string(controls.typeNames.size()),
               "Choose the register type in the alarm list.");
    }
}

}  // namespace

std::vector<Problem> checkProject(const Project& project, const ImageFacts* image) {
    ProblemSink sink;
    std::unordered_set<uint16_t> screens;
    for (const auto& screen : project.screens.screens())
        screens.insert(screen->m_number);

    if (image != nullptr)
        checkImage(sink, *image);
    checkPanelSettings(sink, project, screens);
    std::unordered_set<uint16_t> seen;
    const auto& list = project.screens.screens();
    for (size_t i = 0; i < list.size(); ++i) {
        const CMainView& screen = *list[i];
        const bool repeated = !seen.insert(screen.m_number).second;
        const std::vector<uint16_t>* order =
            image != nullptr && i < image->drawOrder.size() ? &image->drawOrder[i] : nullptr;
        checkScreen(sink, project, screen, repeated, screens, order);
    }
    checkAlarms(sink, project);
    return std::move(sink.problems);
}

}  // namespace vanta
