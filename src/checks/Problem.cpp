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
    // A message that ends a sentence of its own (a refusal of the compiler) keeps its one stop.
    const bool stopped = !problem.message.empty() && problem.message.back() == '.';
    return problem.message + (stopped ? " " : ". ") + problem.fix;
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

Json problemsToJson(const std::vector<Problem>& problems) {
    Json list = Json::array();
    for (const Problem& p : problems) {
        Json item = Json::object();
        item["severity"] = severityName(p.severity);
        item["code"] = p.code;
        item["place"] = placeName(p.place);
        if (p.hasScreen())
            item["screen"] = p.screen;
        if (p.place == ProblemPlace::Component) {
            item["component"] = p.component;
            item["index"] = p.componentIndex;
        }
        item["message"] = p.message;
        item["fix"] = p.fix;
        list.push_back(std::move(item));
    }
    return list;
}

}  // namespace vanta
