#include "dialogs/PanelSettingsDialog.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "widgets/CNumEdit.h"
#include "widgets/CNumSpinCtrl.h"
#include "widgets/FormWidgets.h"

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

constexpr Qt::Alignment kField = Qt::AlignLeft | Qt::AlignVCenter;

// The width of the longest register label the protocol can show.
int respondWidth(const QLabel& label, const Vocabulary& vocabulary) {
    int widest = 0;
    for (const std::string& type : vocabulary.wordTypes)
        widest = std::max(
            widest, label.fontMetrics().horizontalAdvance(
                        QStringLiteral("Respond %1:65535").arg(QString::fromStdString(type))));
    return widest;
}

}  // namespace

PanelSettingsDialog::PanelSettingsDialog(const PanelSettings& settings,
                                         const Vocabulary& vocabulary, QWidget* parent)
    : QDialog(parent), settings_(settings), vocabulary_(vocabulary) {
    setWindowTitle(tr("设置Orbis"));
    const uint8_t protocol = vocabulary_.protocol;
    auto* layout = new QVBoxLayout(this);

    // --- Orbis参数: power-up screen and password, the screen saver ---
    auto* params = new QGroupBox(tr("Orbis参数"), this);
    layout->addWidget(params);
    auto* p = new QGridLayout(params);
    p->setHorizontalSpacing(10);
    NumberRow initial = makeNumberRow(tr("初始画面号:"), params);
    NumberRow password = makeNumberRow(tr("口令:"), params);
    initial.setNames(QStringLiteral("initialScreen"));
    password.setNames(QStringLiteral("password"));
    initialEdit_ = initial.edit;
    passwordEdit_ = password.edit;
    p->addWidget(initial.label, 0, 0);
    p->addWidget(initial.field, 0, 1, kField);
    p->addWidget(password.label, 0, 2);
    p->addWidget(password.field, 0, 3, kField);
    delayBox_ = new QComboBox(params);
    delayBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const char* text : saverDelayTexts())
        delayBox_->addItem(QCoreApplication::translate("vanta::PanelSettingsDialog", text));
    p->addWidget(makeLabel(tr("屏幕保护:"), delayBox_, params), 1, 0);
    p->addWidget(delayBox_, 1, 1, 1, 3, kField);
    backlightRadio_ = new QRadioButton(tr("关闭背景光"), params);
    screenRadio_ = new QRadioButton(tr("显示画面"), params);
    auto* radios = new QButtonGroup(this);
    radios->addButton(backlightRadio_, 0);
    radios->addButton(screenRadio_, 1);
    NumberRow saverScreen = makeNumberRow(QString(), params);
    saverScreen.setNames(QStringLiteral("saverScreen"));
    saverScreenEdit_ = saverScreen.edit;
    saverScreenSpin_ = saverScreen.spin;
    auto* saver = new QHBoxLayout;
    saver->addWidget(backlightRadio_);
    saver->addSpacing(8);
    saver->addWidget(screenRadio_);
    saver->addWidget(saverScreen.field);
    saver->addStretch(1);
    p->addLayout(saver, 2, 0, 1, 4);
    p->setColumnStretch(4, 1);

    // --- Orbis控制: the control register block and the PLC station ---
    auto* control = new QGroupBox(tr("Orbis控制"), this);
    layout->addWidget(control);
    auto* c = new QGridLayout(control);
    c->setHorizontalSpacing(10);
    typeBox_ = new QComboBox(control);
    typeBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const std::string& name : vocabulary_.wordTypes)
        typeBox_->addItem(QString::fromStdString(name));
    NumberRow reg = makeNumberRow(tr("控制寄存器号:"), control);
    NumberRow station = makeNumberRow(tr("PLC局号:"), control);
    reg.setNames(QStringLiteral("controlRegister"));
    station.setNames(QStringLiteral("plcStation"));
    registerEdit_ = reg.edit;
    stationEdit_ = station.edit;
    auto* registers = new QHBoxLayout;
    registers->addWidget(typeBox_);
    registers->addSpacing(8);
    registers->addWidget(reg.label);
    registers->addWidget(reg.field);
    registers->addSpacing(16);
    registers->addWidget(station.label);
    registers->addWidget(station.field);
    registers->addStretch(1);
    c->addLayout(registers, 0, 0, 1, 3);

    const char* bitTexts[3] = {QT_TR_NOOP("自动变换显示画面,"), QT_TR_NOOP("报告当前画面号"),
                               QT_TR_NOOP("使用时钟模块")};
    for (int bit = 0; bit < 3; ++bit) {
        const auto b = static_cast<size_t>(bit);
        bitBoxes_[b] = new QCheckBox(tr(bitTexts[bit]), control);
        directionLabels_[b] = new QLabel(
            bit == 0 ? QStringLiteral("(Orbis<-PLC)") : QStringLiteral("(Orbis->PLC)"), control);
        registerLabels_[b] = new QLabel(control);
        registerLabels_[b]->setObjectName(QStringLiteral("respond%1").arg(bit));
        // Room for the longest "Respond " text, kept while the label is hidden, so that the
        // dialog keeps its size as the boxes are checked.
        QSizePolicy policy = registerLabels_[b]->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        registerLabels_[b]->setSizePolicy(policy);
        registerLabels_[b]->setMinimumWidth(respondWidth(*registerLabels_[b], vocabulary_));
        c->addWidget(bitBoxes_[b], bit + 1, 0);
        c->addWidget(directionLabels_[b], bit + 1, 1);
        c->addWidget(registerLabels_[b], bit + 1, 2);
    }
    c->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    auto* ok = new QPushButton(tr("确   定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("取   消"), this);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CNumSpinCtrl* initialSpin = initial.spin;
    CNumSpinCtrl* passwordSpin = password.spin;
    CNumSpinCtrl* registerSpin = reg.spin;
    CNumSpinCtrl* stationSpin = station.spin;

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
