#pragma once
// Collects the problems of one check run, filling in where each one is.

#include <cstddef>
#include <string>
#include <vector>

#include "checks/Problem.h"
#include "model/CBase.h"
#include "model/CMainView.h"

namespace vanta {

class ProblemSink {
  public:
    void component(ProblemSeverity severity, std::string code, const CMainView& screen,
                   size_t index, std::string message, std::string fix) {
        Problem p = make(severity, std::move(code), ProblemPlace::Component, std::move(message),
                         std::move(fix));
        p.screen = screen.m_number;
        p.componentIndex = index;
        const CBase& named = *screen.components()[index];
        p.component = named.describe();
        p.componentKind = named.m_kind;
        p.componentX = named.m_x;
        p.componentY = named.m_y;
        problems.push_back(std::move(p));
    }
    void screen(ProblemSeverity severity, std::string code, const CMainView& screen,
                std::string message, std::string fix) {
        Problem p = make(severity, std::move(code), ProblemPlace::Screen, std::move(message),
                         std::move(fix));
        p.screen = screen.m_number;
        problems.push_back(std::move(p));
    }
    void other(ProblemSeverity severity, std::string code, ProblemPlace place, std::string message,
               std::string fix) {
        problems.push_back(
            make(severity, std::move(code), place, std::move(message), std::move(fix)));
    }

    std::vector<Problem> problems;

  private:
    static Problem make(ProblemSeverity severity, std::string code, ProblemPlace place,
                        std::string message, std::string fix) {
        Problem p;
        p.severity = severity;
        p.code = std::move(code);
        p.place = place;
        p.message = std::move(message);
        p.fix = std::move(fix);
        return p;
    }
};

// "1..247"
inline std::string rangeText(int64_t low, int64_t high) {
    return std::to_string(low) + ".." + std::to_string(high);
}

}  // namespace vanta
