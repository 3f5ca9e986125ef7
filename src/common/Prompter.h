#pragma once
// Questions and notices of core flows. The gui answers with message boxes, the command line
// with its --yes/--no options, tests with a script.

#include <string>

namespace vanta {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Severity { Information, Warning, Error, Question };

class Prompter {
  public:
    virtual ~Prompter() = default;
    // Shows a message with the given buttons and returns the button chosen.
    virtual Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
                       Severity severity = Severity::Question) = 0;
    // Shows a notice with an OK button.
    virtual void inform(const std::string& text, const std::string& caption = {},
                        Severity severity = Severity::Information) {
        ask(text, caption, Buttons::Ok, severity);
    }
};

}  // namespace vanta
