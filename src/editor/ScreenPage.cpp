#include "editor/ScreenPage.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/CMainView.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

namespace {
constexpr int kDescriptionMaxLength = 65535;
}

ScreenPage::ScreenPage(QWidget* parent) : QWidget(parent) {
    resize(512, 230);
    group_ = new QGroupBox(tr("画面属性"), this);
    group_->setGeometry(0, 0, 512, 230);

    caption_ = new QLabel(this);
    caption_->setGeometry(24, 28, 200, 20);

    auto* descriptionLabel = new QLabel(tr("画面描述:"), this);
    descriptionLabel->setGeometry(24, 64, 120, 22);
    description_ = new QLineEdit(this);
    description_->setGeometry(150, 64, 320, 22);
    description_->setMaxLength(kDescriptionMaxLength);

    auto* upLabel = new QLabel(tr("按向上键至画面:"), this);
    upLabel->setGeometry(24, 110, 120, 22);
    upEdit_ = new CNumEdit(this);
    upEdit_->setGeometry(150, 110, 80, 22);
    upSpin_ = new CNumSpinCtrl(upEdit_, this);

    auto* downLabel = new QLabel(tr("按向下键至画面:"), this);
    downLabel->setGeometry(24, 150, 120, 22);
    downEdit_ = new CNumEdit(this);
    downEdit_->setGeometry(150, 150, 80, 22);
    downSpin_ = new CNumSpinCtrl(downEdit_, this);

    connect(description_, &QLineEdit::textEdited, this, &ScreenPage::onDescriptionEdited);
    connect(upSpin_, &CNumSpinCtrl::valueChanged, this, &ScreenPage::screenChanged);
    connect(downSpin_, &CNumSpinCtrl::valueChanged, this, &ScreenPage::screenChanged);
}

void ScreenPage::setCaption(const QString& caption) {
    caption_->setText(caption);
}

QString ScreenPage::caption() const {
    return caption_->text();
}

void ScreenPage::fill(CMainView& screen) {
    screen_ = &screen;
    upSpin_->bind(screen.m_upScreen, 0, 65535, false, false, 1);
    downSpin_->bind(screen.m_downScreen, 0, 65535, false, false, 1);
    description_->setText(toQString(screen.m_description));
}

void ScreenPage::onDescriptionEdited(const QString& text) {
    if (!screen_)
        return;
    Result<ByteString> bytes = fromQString(text);
    if (!bytes.ok()) {
        // The screen keeps its description; the edit shows it again.
        const int cursor = description_->cursorPosition();
        description_->setText(toQString(screen_->m_description));
        description_->setCursorPosition(std::max(0, cursor - 1));
        emit descriptionRefused(QString::fromStdString(bytes.message()));
        return;
    }
    screen_->m_description = std::move(bytes.value());
    emit descriptionEdited(text);
    emit screenChanged();
}

}  // namespace vanta
