#include "widgets/CNumSpinCtrl.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/CNumEdit.h"
#include "widgets/FormWidgets.h"

namespace vanta {

CNumSpinCtrl::CNumSpinCtrl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(button);
    }
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    setFixedWidth(kWidth);
}

CNumSpinCtrl::CNumSpinCtrl(CNumEdit* buddy, QWidget* parent) : CNumSpinCtrl(parent) {
    setBuddy(buddy);
}

void CNumSpinCtrl::setBuddy(CNumEdit* buddy, bool alignRight) {
    if (buddy_) {
        buddy_->removeEventFilter(this);
        disconnect(buddy_, nullptr, this, nullptr);
        buddy_->spin_ = nullptr;
    }
    buddy_ = buddy;
    alignRight_ = alignRight;
    if (!buddy_)
        return;
    buddy_->spin_ = this;
    buddy_->installEventFilter(this);
    connect(buddy_, &CNumEdit::valueChanged, this, &CNumSpinCtrl::valueChanged);
    connect(buddy_, &QObject::destroyed, this, [this] { buddy_ = nullptr; });
    setEnabled(buddy_->isEnabled());
    followBuddy();
}

void CNumSpinCtrl::followBuddy() {
    if (!buddy_ || !alignRight_ || buddy_->parentWidget() != parentWidget())
        return;
    const QRect r = buddy_->geometry();
    setGeometry(r.right() + 1, r.top(), kWidth, r.height());
}

bool CNumSpinCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_) {
        switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
                followBuddy();
                break;
            case QEvent::EnabledChange:
                setEnabled(buddy_->isEnabled());
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CNumSpinCtrl::setStep(int step) {
    if (buddy_)
        buddy_->setStep(step);
}

void CNumSpinCtrl::setRange(double min, double max) {
    if (buddy_)
        buddy_->setRange(min, max);
}

int32_t CNumSpinCtrl::position() const {
    return buddy_ ? buddy_->value() : 0;
}

void CNumSpinCtrl::setPosition(int32_t v) {
    if (buddy_)
        buddy_->setValue(v);
}

void CNumSpinCtrl::show(bool visible) {
    setVisible(visible);
    if (buddy_)
        buddy_->setVisible(visible);
    // The field that holds the pair in a layout goes with them.
    if (QWidget* field = parentWidget(); field && field->property(kNumberFieldProperty).toBool())
        field->setVisible(visible);
}

void CNumSpinCtrl::stepBy(int n) {
    if (buddy_ && buddy_->isEnabled()) {
        // The field being stepped is the one in use: an entry typed elsewhere is checked first.
        if (buddy_->isVisible() && !buddy_->hasFocus())
            buddy_->setFocus(Qt::MouseFocusReason);
        buddy_->increment(n);
    }
}

template <typename T>
void CNumSpinCtrl::bindField(T& variable, double min, double max, bool hex, bool octal,
                             bool isSigned, int step) {
    if (!buddy_)
        return;
    buddy_->unbind();
    buddy_->setOctal(octal);
    buddy_->setStep(step);
    buddy_->setSigned(isSigned);
    buddy_->setRange(min, max);
    buddy_->bind(variable);
    buddy_->setHex(hex);
    setPosition(buddy_->field().boundValue());
}

void CNumSpinCtrl::bind(uint8_t& variable, double min, double max, bool hex, bool isSigned,
                        int step) {
    bindField(variable, min, max, hex, false, isSigned, step);
}
void CNumSpinCtrl::bind(uint16_t& variable, double min, double max, bool hex, bool isSigned,
                        int step) {
    bindField(variable, min, max, hex, false, isSigned, step);
}
void CNumSpinCtrl::bind(int16_t& variable, double min, double max, bool hex, bool isSigned,
                        int step) {
    bindField(variable, min, max, hex, false, isSigned, step);
}
void CNumSpinCtrl::bind(uint32_t& variable, double min, double max, bool hex, bool isSigned,
                        int step) {
    bindField(variable, min, max, hex, false, isSigned, step);
}
void CNumSpinCtrl::bind(int32_t& variable, double min, double max, bool hex, bool isSigned,
                        int step) {
    bindField(variable, min, max, hex, false, isSigned, step);
}
void CNumSpinCtrl::bindOctal(uint16_t& variable, double min, double max, bool octal, bool isSigned,
                             int step) {
    bindField(variable, min, max, false, octal, isSigned, step);
}

}  // namespace vanta
