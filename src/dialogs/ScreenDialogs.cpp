#include "dialogs/ScreenDialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/ScreenList.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

namespace {

constexpr double kFirstNumber = 1;
constexpr double kLastNumber = 65535;

QDialogButtonBox* addButtons(QDialog* dialog, int x, int y) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QDialog::tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QDialog::tr("取消"));
    buttons->setGeometry(x, y, 180, 30);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// A number that is not a valid screen number (an emptied or unfinished entry) keeps the dialog
// open with the entry selected.
bool refuseInvalidNumber(CNumEdit* edit) {
    if (edit->validate() == 0)
        return false;
    edit->setFocus();
    edit->selectAll();
    return true;
}

}  // namespace

NewScreenDialog::NewScreenDialog(const ScreenList& screens, Prompter& prompter, QWidget* parent)
    : QDialog(parent), screens_(screens), prompter_(prompter) {
    setWindowTitle(tr("新建画面"));
    setFixedSize(320, 140);

    auto* numberLabel = new QLabel(tr("画面号:"), this);
    numberLabel->setGeometry(16, 16, 80, 22);
    numberEdit_ = new CNumEdit(this);
    numberEdit_->setGeometry(100, 16, 80, 22);
    numberSpin_ = new CNumSpinCtrl(numberEdit_, this);

    auto* descriptionLabel = new QLabel(tr("画面描述:"), this);
    descriptionLabel->setGeometry(16, 52, 80, 22);
    descriptionEdit_ = new QLineEdit(this);
    descriptionEdit_->setGeometry(100, 52, 200, 22);
    descriptionEdit_->setMaxLength(65535);

    addButtons(this, 124, 96);

    const CMainView* current = screens.current();
    number_ = static_cast<uint16_t>((current ? current->m_number : 0) + 1);
    numberSpin_->bind(number_, kFirstNumber, kLastNumber, false, false, 1);
    numberEdit_->setFocus();
    numberEdit_->selectAll();
}

void NewScreenDialog::accept() {
    if (refuseInvalidNumber(numberEdit_))
        return;
    if (screens_.find(number_) >= 0) {
        prompter_.inform(tr("No.%1 window exist").arg(number_).toStdString(),
                         tr("window exist").toStdString(), Severity::Warning);
        return;
    }
    Result<ByteString> description = fromQString(descriptionEdit_->text());
    if (!description.ok()) {
        prompter_.inform(description.message(), description.error().caption, Severity::Warning);
        descriptionEdit_->setFocus();
        return;
    }
    description_ = std::move(description.value());
    QDialog::accept();
}

CopyScreenDialog::CopyScreenDialog(uint16_t currentNumber, Prompter& prompter, QWidget* parent)
    : QDialog(parent), current_(currentNumber), prompter_(prompter) {
    setWindowTitle(tr("复制画面"));
    setFixedSize(320, 110);

    label_ = new QLabel(tr("Copy window %1 to window:").arg(currentNumber), this);
    label_->setGeometry(16, 16, 190, 22);
    targetEdit_ = new CNumEdit(this);
    targetEdit_->setGeometry(210, 16, 70, 22);
    targetSpin_ = new CNumSpinCtrl(targetEdit_, this);

    addButtons(this, 124, 64);

    target_ = static_cast<uint16_t>(currentNumber + 1);
    targetSpin_->bind(target_, kFirstNumber, kLastNumber, false, false, 1);
    targetEdit_->setFocus();
    targetEdit_->selectAll();
}

void CopyScreenDialog::accept() {
    if (refuseInvalidNumber(targetEdit_))
        return;
    if (target_ == current_)
        prompter_.inform(tr("The number is same with the current number!!!").toStdString(),
                         tr("Window number exist!").toStdString(), Severity::Warning);
    QDialog::accept();
}

}  // namespace vanta
