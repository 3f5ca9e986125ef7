#include "dialogs/ScreenDialogs.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/ScreenList.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

namespace vanta {

namespace {

constexpr double kFirstNumber = 1;
constexpr double kLastNumber = 65535;

QDialogButtonBox* addButtons(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QDialog::tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QDialog::tr("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

// A number that is not a valid screen number (an emptied or unfinished entry) keeps the dialog
// open with the entry selected.
bool refuseInvalidNumber(CNumEdit* edit) {
    if (edit->validate() == 0)
        return false;
    edit->commit();
    edit->setFocus();
    edit->selectAll();
    return true;
}

}  // namespace

NewScreenDialog::NewScreenDialog(const ScreenList& screens, Prompter& prompter, QWidget* parent)
    : QDialog(parent), screens_(screens), prompter_(prompter) {
    setWindowTitle(tr("新建画面"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    NumberRow number = makeNumberRow(tr("画面号:"), this);
    number.setNames(QStringLiteral("number"));
    numberEdit_ = number.edit;
    numberSpin_ = number.spin;
    addGridRow(grid, number);
    descriptionEdit_ = new QLineEdit(this);
    descriptionEdit_->setMaxLength(65535);
    descriptionEdit_->setMinimumWidth(
        descriptionEdit_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 30);
    addGridRow(grid, makeLabel(tr("画面描述:"), descriptionEdit_, this), descriptionEdit_, true);
    layout->addStretch(1);
    addButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

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
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    NumberRow target = makeNumberRow(QString(), this);
    target.setNames(QStringLiteral("target"));
    targetEdit_ = target.edit;
    targetSpin_ = target.spin;
    label_ = makeLabel(tr("Copy window %1 to window:").arg(currentNumber), targetEdit_, this);
    row->addWidget(label_);
    row->addWidget(target.field);
    row->addStretch(1);
    layout->addStretch(1);
    addButtons(this, layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);

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
