#include "widgets/CNumEdit.h"

#include <QKeyEvent>
#include <QMetaObject>

#include "widgets/CNumSpinCtrl.h"

namespace vanta {

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {
    // Numbers only: no input method composing text into the control.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this, &CNumEdit::onTextEdited);
}

void CNumEdit::showField() {
    const QString text = QString::fromLatin1(field_.text().c_str());
    if (QLineEdit::text() != text)
        setText(text);
}

void CNumEdit::setValue(int32_t v) {
    field_.setValue(v);
    showField();
}

void CNumEdit::setRange(double min, double max) {
    field_.setRange(min, max);
    showField();
    setEnabled(field_.isEnabled());
}

void CNumEdit::increment(int n) {
    field_.increment(n);
    showField();
    emit valueChanged();
}

void CNumEdit::applyOutcome(const NumericField::Outcome& outcome) {
    if (hasFocus())
        changed_ = true;
    if (outcome.selectAll)
        selectAll();
    if (outcome.written)
        emit valueChanged();
}

void CNumEdit::onTextEdited(const QString& text) {
    applyOutcome(field_.textEdited(text.toStdString()));
}

void CNumEdit::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (spin_ && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        !(event->modifiers() & commands)) {
        if (isEnabled() && !isReadOnly())
            increment(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!character || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (discarding_)
        return;
    const QChar ch = typed.at(0);
    // Anything outside ASCII is not part of a number: the field sees it as a wrong character.
    const char c = ch.unicode() < 0x80 ? static_cast<char>(ch.unicode()) : '?';
    size_t start = static_cast<size_t>(cursorPosition());
    size_t length = 0;
    if (hasSelectedText()) {
        start = static_cast<size_t>(selectionStart());
        length = static_cast<size_t>(selectedText().size());
    }
    const NumericField::Outcome outcome = field_.typeCharacter(c, start, length);
    if (c == ' ')
        return;
    showField();
    if (!outcome.selectAll) {
        setCursorPosition(static_cast<int>(outcome.cursor));
    } else {
        // Drop the keystrokes that are already waiting; the next round of the event loop takes
        // typing again.
        discarding_ = true;
        QMetaObject::invokeMethod(
            this, [this] { discarding_ = false; }, Qt::QueuedConnection);
    }
    applyOutcome(outcome);
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    changed_ = false;
    QLineEdit::focusOutEvent(event);
}

}  // namespace vanta
