#include "app/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

Answer QtPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                       Severity severity) {
    QWidget* parent = parent_ ? parent_.data() : QApplication::activeWindow();
    // The core's texts are shown in the interface's language.
    const QString title = !caption.empty()             ? translateCoreText(caption)
                          : !defaultCaption_.isEmpty() ? defaultCaption_
                                                       : QApplication::applicationDisplayName();
    QMessageBox box(iconOf(severity), title, translateCoreText(text), buttonsOf(buttons), parent);
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
