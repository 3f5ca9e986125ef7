#include "editor/ScreenPage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/CMainView.h"
#include "qtsupport/CoreText.h"
#include "qtsupport/QtText.h"
#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

namespace vanta {

namespace {
constexpr int kDescriptionMaxLength = 65535;
}

ScreenPage::ScreenPage(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    group_ = new QGroupBox(tr("画面属性"), this);
    outer->addWidget(group_);
    auto* grid = new QGridLayout(group_);
    grid->setColumnStretch(2, 1);

    caption_ = new QLabel(group_);
    caption_->setObjectName(QStringLiteral("caption"));
    grid->addWidget(caption_, 0, 0, 1, 3);

    description_ = new QLineEdit(group_);
    description_->setMaxLength(kDescriptionMaxLength);
    description_->setObjectName(QStringLiteral("description"));
    grid->addWidget(makeLabel(tr("画面描述:"), description_, group_), 1, 0);
    grid->addWidget(description_, 1, 1, 1, 2);

    NumberRow up = makeNumberRow(tr("按向上键至画面:"), group_);
    NumberRow down = makeNumberRow(tr("按向下键至画面:"), group_);
    up.setNames(QStringLiteral("upScreen"));
    down.setNames(QStringLiteral("downScreen"));
    addGridRow(grid, up);
    addGridRow(grid, down);
    grid->setRowStretch(grid->rowCount(), 1);
    upEdit_ = up.edit;
    upSpin_ = up.spin;
    downEdit_ = down.edit;
    downSpin_ = down.spin;

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

void ScreenPage::release() {
    screen_ = nullptr;
    upEdit_->unbind();
    downEdit_->unbind();
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
        emit descriptionRefused(translateCoreText(bytes.message()));
        return;
    }
    screen_->m_description = std::move(bytes.value());
    emit descriptionEdited(text);
    emit screenChanged();
}

}  // namespace vanta
