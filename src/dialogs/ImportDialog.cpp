#include "dialogs/ImportDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace vanta {

ImportDialog::ImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("导入旧的工程文件"));
    setFixedSize(360, 130);
    label_ = new QLabel(this);
    label_->setGeometry(20, 14, 320, 22);
    bar_ = new QProgressBar(this);
    bar_->setGeometry(20, 42, 320, 20);
    bar_->setRange(0, kRange);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    start_ = new QPushButton(tr("开始转换"), this);
    start_->setGeometry(80, 84, 90, 28);
    start_->setDefault(true);
    auto* cancel = new QPushButton(tr("取   消"), this);
    cancel->setGeometry(190, 84, 90, 28);
    connect(start_, &QPushButton::clicked, this, &ImportDialog::start);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportDialog::start() {
    label_->setText(QStringLiteral("Convert Old Project..."));
    for (int position = 1; position < kRange; position += 2)
        bar_->setValue(position);
    accept();
}

}  // namespace vanta
