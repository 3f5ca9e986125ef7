#pragma once
// The editor's answer to the questions and notices of core flows: a modal message box with the
// icon of the severity and the buttons asked for. A message without a caption carries the
// program's title.

#include <QPointer>
#include <QWidget>

#include "common/Prompter.h"

namespace vanta {

class QtPrompter : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the message boxes are centred on (the main frame once it exists).
    void setParent(QWidget* parent) { parent_ = parent; }
    // The caption of messages that come without one.
    void setDefaultCaption(const QString& caption) { defaultCaption_ = caption; }

    Answer ask(const std::string& text, const std::string& caption, Buttons buttons,
               Severity severity = Severity::Question) override;
    Answer askWith(const std::string& text, const std::string& caption, Buttons buttons,
                   Severity severity, const ButtonOptions& options) override;

  private:
    QPointer<QWidget> parent_;
    QString defaultCaption_;
};

}  // namespace vanta
