#pragma once
// Questions and notices of core flows. The gui answers with message boxes, the command line
// with its --yes/--no options, tests with a script.

#include <optional>
#include <string>

namespace vanta {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Severity { Information, Warning, Error, Question };

// What a question's buttons say and which one Enter presses.
struct ButtonOptions {
    // The button Enter presses; by default the first (OK or Yes).
    std::optional<Answer> defaultAnswer;
    // Texts that say what the buttons do; empty for the standard texts.
    std::string okText;
    std::string cancelText;
};

class Prompter {
  public:
    virtual ~Prompter() = default;
    // Shows a message with the given buttons and returns the button chosen.
    virtual Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
                       Severity severity = Severity::Question) = 0;
    // The question with buttons that say what they do and the button Enter presses. A prompter
    // that has no buttons to name answers as ask() does.
    virtual Answer askWith(const std::string& text, const std::string& caption, Buttons buttons,
                           Severity severity, const ButtonOptions& options) {
        (void)options;
        return ask(text, caption, buttons, severity);
    }
    // Shows a notice with an OK button.
    virtual void inform(const std::string& text, const std::string& caption = {},
                        Severity severity = Severity::Information) {
        ask(text, caption, Buttons::Ok, severity);
    }
};

}  // namespace vanta
