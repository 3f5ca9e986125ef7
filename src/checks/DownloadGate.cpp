#include "checks/DownloadGate.h"

namespace vanta {

namespace {

std::string counted(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string downloadGateText(const std::vector<Problem>& problems) {
    const size_t errors = countErrors(problems);
    const size_t warnings = countWarnings(problems);
    std::string text;
    if (errors > 0) {
        text = "The download cannot start: the project has " + counted(errors, "error", "errors") +
               " the panel or the download would hit";
        if (warnings > 0)
            text += " (and " + counted(warnings, "warning", "warnings") + ")";
        text += ".\n\n";
    } else {
        text = "The project has " + counted(warnings, "warning", "warnings") + ".\n\n";
    }
    size_t listed = 0;
    // Errors first: they are what stops the download.
    for (bool errorsPass : {true, false}) {
        for (const Problem& p : problems) {
            if (p.isError() != errorsPass || listed == kListedProblems)
                continue;
            text += problemLine(p) + "\n";
            ++listed;
        }
    }
    if (listed < problems.size())
        text += "... and " + std::to_string(problems.size() - listed) + " more.\n";
    text += errors > 0 ? "\nThe problem list shows every one; correct the errors first."
                       : "\nDownload anyway?";
    return text;
}

DownloadGate confirmDownload(const std::vector<Problem>& problems, Prompter& prompter) {
    if (problems.empty())
        return DownloadGate::Go;
    const std::string text = downloadGateText(problems);
    if (countErrors(problems) > 0) {
        prompter.inform(text, kProblemsCaption, Severity::Error);
        return DownloadGate::Refused;
    }
    const Answer answer =
        prompter.ask(text, kProblemsCaption, Buttons::OkCancel, Severity::Warning);
    return answer == Answer::Ok ? DownloadGate::Go : DownloadGate::Cancelled;
}

}  // namespace vanta
