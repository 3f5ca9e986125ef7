#pragma once
// What the download command does with the problems of the project before it starts: errors stop
// it (the notice lists them), warnings are shown once with the question whether to go on.

#include <vector>

#include "checks/Problem.h"
#include "common/Prompter.h"

namespace vanta {

inline constexpr const char* kProblemsCaption = "Download data";
// At most this many problems are listed in the notice or the question; the problem list holds
// them all.
inline constexpr size_t kListedProblems = 10;

enum class DownloadGate { Go, Refused, Cancelled };

// Go when there is no problem, or only warnings and the user answers OK to "... Download
// anyway?"; Refused (after a notice naming the errors) when there is an error; Cancelled when
// the user answers Cancel.
DownloadGate confirmDownload(const std::vector<Problem>& problems, Prompter& prompter);

// The text of the notice or the question: a count, then one problem a line (at most
// kListedProblems), then what follows.
std::string downloadGateText(const std::vector<Problem>& problems);

}  // namespace vanta
