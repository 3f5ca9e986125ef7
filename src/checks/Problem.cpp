#include "checks/Problem.h"

namespace vanta {

namespace {

const char* placeName(ProblemPlace place) {
    switch (place) {
        case ProblemPlace::Component:
            return "component";
        case ProblemPlace::Screen:
            return "screen";
        case ProblemPlace::PanelSettings:
            return "panel-settings";
        case ProblemPlace::AlarmList:
            return "alarm-list";
        case ProblemPlace::Project:
            break;
    }
    return "project";
}

}  // namespace

const char* severityName(ProblemSeverity severity) {
    return severity == ProblemSeverity::Error ? "error" : "warning";
}

std::string problemPlaceText(const Problem& problem) {
    switch (problem.place) {
        case ProblemPlace::Component:
            return "screen " + std::to_string(problem.screen) + ": " + problem.component;
        case ProblemPlace::Screen:
            return "screen " + std::to_string(problem.screen);
        case ProblemPlace::PanelSettings:
            return "panel settings";
        case ProblemPlace::AlarmList:
            return "alarm list";
        case ProblemPlace::Project:
            break;
    }
    return "project";
}

std::string problemText(const Problem& problem) {
    if (problem.fix.empty())
        return problem.message;
    return problem.message + ". " + problem.fix;
}

std::string problemLine(const Problem& problem) {
    return std::string(severityName(problem.severity)) + ": " + problemPlaceText(problem) + ": " +
           problemText(problem);
}

size_t countErrors(const std::vector<Problem>& problems) {
    size_t errors = 0;
    for (const Problem& p : problems)
        errors += p.isError() ? 1 : 0;
    return errors;
}

size_t countWarnings(const std::vector<Problem>& problems) {
    return problems.size() - countErrors(problems);
}

JsonValue problemsToJson(const std::vector<Problem>& problems) {
    JsonValue list = JsonValue::array();
    for (const Problem& p : problems) {
        JsonValue& item = list.push(JsonValue::object());
        item.add("severity", JsonValue::string(severityName(p.severity)));
        item.add("code", JsonValue::string(p.code));
        item.add("place", JsonValue::string(placeName(p.place)));
        if (p.hasScreen())
            item.add("screen", JsonValue::integer(p.screen));
        if (p.place == ProblemPlace::Component) {
            item.add("component", JsonValue::string(p.component));
            item.add("index", JsonValue::integer(static_cast<int64_t>(p.componentIndex)));
        }
        item.add("message", JsonValue::string(p.message));
        item.add("fix", JsonValue::string(p.fix));
    }
    return list;
}

}  // namespace vanta
