#include "dialogs/ImportDialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace vanta {

namespace {
const char* const kConvertingText =
    QT_TRANSLATE_NOOP("vanta::ImportDialog", "Convert Old Project...");
}  // namespace

ImportDialog::ImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("导入旧的工程文件"));
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    // Room for the text shown while converting.
    label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(tr(kConvertingText)) + 8);
    layout->addWidget(label_);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kRange);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(320);
    layout->addWidget(bar_);
    start_ = new QPushButton(tr("开始转换"), this);
    start_->setDefault(true);
    auto* cancel = new QPushButton(tr("取   消"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(start_, &QPushButton::clicked, this, &ImportDialog::start);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportDialog::start() {
    label_->setText(tr(kConvertingText));
    for (int position = 1; position < kRange; position += 2)
        bar_->setValue(position);
    accept();
}

}  // namespace vanta
