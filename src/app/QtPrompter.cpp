#include "app/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "qtsupport/CoreText.h"

namespace vanta {

namespace {

QMessageBox::Icon iconOf(Severity severity) {
    switch (severity) {
        case Severity::Information:
            return QMessageBox::Information;
        case Severity::Warning:
            return QMessageBox::Warning;
        case Severity::Error:
            return QMessageBox::Critical;
        case Severity::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return QMessageBox::Ok;
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton standardButton(Answer answer) {
    switch (answer) {
        case Answer::Ok:
            return QMessageBox::Ok;
        case Answer::Cancel:
            return QMessageBox::Cancel;
        case Answer::Yes:
            return QMessageBox::Yes;
        case Answer::No:
            return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

}  // namespace

Answer QtPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                       Severity severity) {
    return askWith(text, caption, buttons, severity, {});
}

Answer QtPrompter::askWith(const std::string& text, const std::string& caption, Buttons buttons,
                           Severity severity, const ButtonOptions& options) {
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    // The core's texts are shown in the interface's language.
    const QString title = !caption.empty()             ? translateCoreText(caption)
                          : !defaultCaption_.isEmpty() ? defaultCaption_
                                                       : QApplication::applicationDisplayName();
    QMessageBox box(iconOf(severity), title, translateCoreText(text), buttonsOf(buttons), parent);
    if (!options.okText.empty())
        if (QAbstractButton* ok = box.button(QMessageBox::Ok))
            ok->setText(translateCoreText(options.okText));
    if (!options.cancelText.empty())
        if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
            cancel->setText(translateCoreText(options.cancelText));
    if (options.defaultAnswer)
        if (auto* chosen =
                qobject_cast<QPushButton*>(box.button(standardButton(*options.defaultAnswer))))
            box.setDefaultButton(chosen);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            // Closing the box is its cancel button (or OK when that is the only one).
            return buttons == Buttons::Ok      ? Answer::Ok
                   : buttons == Buttons::YesNo ? Answer::No
                                               : Answer::Cancel;
    }
}

}  // namespace vanta
