#include "dialogs/PanelSettingsDialog.h"
#include "widgets/FormWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"

namespace vanta {

namespace {

// The screen-saver delays come from the panel settings; these entries put them into the
// translation.
[[maybe_unused]] const char* const kDelayTranslations[] = {
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "从不"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "1分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "2分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "3分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "5分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "10分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "15分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "20分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "30分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "45分钟后"),
    QT_TRANSLATE_NOOP("vanta::PanelSettingsDialog", "1小时后"),
};

CNumEdit* numberEdit(QWidget* parent, int x, int y, CNumSpinCtrl** spin) {
    auto* edit = new CNumEdit(parent);
    edit->setGeometry(x, y, 70, 22);
    *spin = new CNumSpinCtrl(edit, parent);
    return edit;
}

}  // namespace

PanelSettingsDialog::PanelSettingsDialog(const PanelSettings& settings,
                                         const Vocabulary& vocabulary, QWidget* parent)
    : QDialog(parent), settings_(settings), vocabulary_(vocabulary) {
    setWindowTitle(tr("设置Orbis"));
    setFixedSize(520, 400);
    const uint8_t protocol = vocabulary_.protocol;

    // --- Orbis参数 ---
    auto* params = new QGroupBox(tr("Orbis参数"), this);
    params->setGeometry(12, 8, 496, 128);
    CNumSpinCtrl* initialSpin = nullptr;
    CNumSpinCtrl* passwordSpin = nullptr;
    placeLabel(tr("初始画面号:"), params, 14, 24, 110);
    initialEdit_ = numberEdit(params, 126, 24, &initialSpin);
    placeLabel(tr("口令:"), params, 280, 24, 90);
    passwordEdit_ = numberEdit(params, 372, 24, &passwordSpin);
    placeLabel(tr("屏幕保护:"), params, 14, 58, 110);
    delayBox_ = new QComboBox(params);
    delayBox_->setGeometry(126, 57, 140, 24);
    for (const char* text : saverDelayTexts())
        delayBox_->addItem(QCoreApplication::translate("vanta::PanelSettingsDialog", text));
    backlightRadio_ = new QRadioButton(tr("关闭背景光"), params);
    backlightRadio_->setGeometry(14, 92, 130, 22);
    screenRadio_ = new QRadioButton(tr("显示画面"), params);
    screenRadio_->setGeometry(150, 92, 126, 22);
    auto* radios = new QButtonGroup(this);
    radios->addButton(backlightRadio_, 0);
    radios->addButton(screenRadio_, 1);
    saverScreenEdit_ = numberEdit(params, 280, 92, &saverScreenSpin_);

    // --- Orbis控制 ---
    auto* control = new QGroupBox(tr("Orbis控制"), this);
    control->setGeometry(12, 144, 496, 200);
    typeBox_ = new QComboBox(control);
    typeBox_->setGeometry(14, 24, 80, 24);
    for (const std::string& name : vocabulary_.wordTypes)
        typeBox_->addItem(QString::fromStdString(name));
    CNumSpinCtrl* registerSpin = nullptr;
    CNumSpinCtrl* stationSpin = nullptr;
    placeLabel(tr("控制寄存器号:"), control, 102, 25, 120);
    registerEdit_ = numberEdit(control, 222, 25, &registerSpin);
    placeLabel(tr("PLC局号:"), control, 316, 25, 84);
    stationEdit_ = numberEdit(control, 400, 25, &stationSpin);

    const char* bitTexts[3] = {QT_TR_NOOP("自动变换显示画面,"), QT_TR_NOOP("报告当前画面号"),
                               QT_TR_NOOP("使用时钟模块")};
    for (int bit = 0; bit < 3; ++bit) {
        const int y = 66 + bit * 42;
        auto* box = new QCheckBox(tr(bitTexts[bit]), control);
        box->setGeometry(14, y, 210, 22);
        bitBoxes_[static_cast<size_t>(bit)] = box;
        directionLabels_[static_cast<size_t>(bit)] =
            placeLabel(bit == 0 ? QStringLiteral("(Orbis<-PLC)") : QStringLiteral("(Orbis->PLC)"),
                       control, 226, y, 96);
        registerLabels_[static_cast<size_t>(bit)] = placeLabel(QString(), control, 324, y, 166);
    }

    auto* ok = new QPushButton(tr("确   定"), this);
    ok->setGeometry(150, 356, 90, 28);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("取   消"), this);
    cancel->setGeometry(280, 356, 90, 28);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Values and ranges.
    filling_ = true;
    initialSpin->bind(settings_.initialScreen, 0, 65535);
    passwordSpin->bind(settings_.password, 0, kMaxPassword);
    saverScreenSpin_->bind(settings_.saverScreen, 0, 65535);
    stationSpin->bind(settings_.plcStation, vocabulary_.stationMin, vocabulary_.stationMax);
    const double registerMax = std::min<double>(vocabulary_.maxWordRegister, 65535);
    registerSpin->bind(settings_.controlRegisterNumber, minControlRegister(protocol), registerMax);
    delayBox_->setCurrentIndex(std::min<int>(settings_.saverDelayIndex, kSaverDelayCount - 1));
    (settings_.saverAction == 1 ? screenRadio_ : backlightRadio_)->setChecked(true);
    if (typeBox_->count() > 0)
        typeBox_->setCurrentIndex(
            std::min<int>(settings_.controlRegisterType, typeBox_->count() - 1));
    for (int bit = 0; bit < 3; ++bit)
        bitBoxes_[static_cast<size_t>(bit)]->setChecked((settings_.controlFlags >> bit) & 1);
    filling_ = false;

    for (CNumEdit* edit :
         {initialEdit_, passwordEdit_, saverScreenEdit_, registerEdit_, stationEdit_})
        connect(edit, &CNumEdit::valueChanged, this, &PanelSettingsDialog::refresh);
    connect(delayBox_, &QComboBox::currentIndexChanged, this, &PanelSettingsDialog::readControls);
    connect(typeBox_, &QComboBox::currentIndexChanged, this, &PanelSettingsDialog::readControls);
    connect(radios, &QButtonGroup::idToggled, this, &PanelSettingsDialog::readControls);
    for (QCheckBox* box : bitBoxes_)
        connect(box, &QCheckBox::toggled, this, &PanelSettingsDialog::readControls);
    readControls();
}

void PanelSettingsDialog::readControls() {
    if (filling_)
        return;
    settings_.saverDelayIndex = static_cast<uint8_t>(std::max(0, delayBox_->currentIndex()));
    settings_.saverAction = screenRadio_->isChecked() ? 1 : 0;
    if (typeBox_->currentIndex() >= 0)
        settings_.controlRegisterType = static_cast<uint8_t>(typeBox_->currentIndex());
    uint8_t flags = 0;
    for (int bit = 0; bit < 3; ++bit)
        if (bitBoxes_[static_cast<size_t>(bit)]->isChecked())
            flags |= static_cast<uint8_t>(1 << bit);
    settings_.controlFlags = static_cast<uint8_t>((settings_.controlFlags & ~0x07) | flags);
    refresh();
}

void PanelSettingsDialog::refresh() {
    const PanelSettingsView view = panelSettingsView(settings_, vocabulary_);
    saverScreenEdit_->setEnabled(view.saverScreenEnabled);
    saverScreenSpin_->setEnabled(view.saverScreenEnabled);
    typeBox_->setEnabled(view.registerTypeEnabled);
    registerEdit_->setEnabled(view.registerNumberEnabled && registerEdit_->field().isEnabled());
    stationEdit_->setEnabled(view.stationEnabled && stationEdit_->field().isEnabled());
    for (size_t bit = 0; bit < 3; ++bit) {
        registerLabels_[bit]->setVisible(view.labelVisible[bit]);
        registerLabels_[bit]->setText(QString::fromStdString(view.labelText[bit]));
        directionLabels_[bit]->setEnabled(view.directionEnabled[bit]);
    }
}

}  // namespace vanta
