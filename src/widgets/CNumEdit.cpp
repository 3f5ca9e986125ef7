#include "widgets/CNumEdit.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <algorithm>

#include "widgets/CNumSpinCtrl.h"

namespace vanta {

namespace {

// The frame of the error state.
const QColor kErrorColour(208, 16, 16);

}  // namespace

CNumEdit::CNumEdit(QWidget* parent) : QLineEdit(parent) {
    // Numbers only: no input method composing text into the control.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // As wide as the range needs (sizeHint), not stretched over the row.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QLineEdit::textEdited, this, &CNumEdit::onTextEdited);
}

void CNumEdit::showField() {
    const QString text = QString::fromLatin1(field_.text().c_str());
    if (QLineEdit::text() != text)
        setText(text);
    showErrorState(false);
}

void CNumEdit::setValue(int32_t v) {
    field_.setValue(v);
    showField();
}

void CNumEdit::setRange(double min, double max) {
    field_.setRange(min, max);
    showField();
    setEnabled(field_.isEnabled());
    updateGeometry();
}

void CNumEdit::increment(int n) {
    field_.increment(n);
    showField();
    emit valueChanged();
    // A step gives a whole value, not one being typed.
    emit committed();
}

bool CNumEdit::commit() {
    const bool ok = field_.commit();
    showErrorState(!ok);
    if (ok)
        emit committed();
    return ok;
}

QString CNumEdit::rangeHint() const {
    const auto limit = [this](double d) {
        return QString::fromStdString(field_.format(static_cast<int32_t>(
            d < 0 ? static_cast<int64_t>(d) : static_cast<int64_t>(static_cast<uint64_t>(d)))));
    };
    QString hint = tr("允许: %1 至 %2").arg(limit(field_.minimum()), limit(field_.maximum()));
    if (field_.isHex())
        hint += tr(" (十六进制)");
    else if (field_.isOctal())
        hint += tr(" (八进制)");
    return hint;
}

void CNumEdit::showErrorState(bool announce) {
    const bool error = field_.hasError();
    if (error != errorShown_) {
        if (error) {
            plainToolTip_ = toolTip();
            setToolTip(rangeHint());
        } else {
            setToolTip(plainToolTip_);
        }
        errorShown_ = error;
        update();
    } else if (error) {
        setToolTip(rangeHint());
    }
    if (error && announce && isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), rangeHint(), this);
}

void CNumEdit::applyOutcome(const NumericField::Outcome& outcome) {
    if (hasFocus())
        changed_ = true;
    showErrorState(outcome.refused);
    if (outcome.written)
        emit valueChanged();
}

void CNumEdit::onTextEdited(const QString& text) {
    const NumericField::Outcome outcome = field_.textEdited(text.toStdString());
    if (outcome.refused) {
        // The text the field kept comes back.
        const int cursor = cursorPosition();
        setText(QString::fromLatin1(field_.text().c_str()));
        setCursorPosition(std::min(cursor, static_cast<int>(field_.text().size())));
    }
    applyOutcome(outcome);
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
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!isReadOnly() && !commit()) {
            // An entry that failed its check keeps Enter: no dialog closes over it.
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
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
    if (!outcome.refused) {
        const QString text = QString::fromLatin1(field_.text().c_str());
        if (QLineEdit::text() != text)
            setText(text);
        setCursorPosition(static_cast<int>(outcome.cursor));
    }
    applyOutcome(outcome);
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    changed_ = false;
    if (!isReadOnly() && isEnabled())
        commit();
    QLineEdit::focusOutEvent(event);
}

void CNumEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!errorShown_)
        return;
    QPainter painter(this);
    painter.setPen(QPen(kErrorColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

QSize CNumEdit::hintFor(int characters) const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = textMargins();
    const int width = metrics.horizontalAdvance(QString(characters, QLatin1Char('0'))) + 4 +
                      margins.left() + margins.right();
    const QSize base = QLineEdit::sizeHint();
    return style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, metrics.height() + 2), this)
        .expandedTo(QSize(0, base.height()))
        .boundedTo(QSize(QWIDGETSIZE_MAX, base.height()));
}

QSize CNumEdit::sizeHint() const {
    // One character of room beyond the longest value (and its sign).
    return hintFor(field_.maxDigits() + (field_.isSigned() ? 1 : 0) + 1);
}

QSize CNumEdit::minimumSizeHint() const {
    return hintFor(std::max(field_.maxDigits() + (field_.isSigned() ? 1 : 0), 2));
}

}  // namespace vanta
