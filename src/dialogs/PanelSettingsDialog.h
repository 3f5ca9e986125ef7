#pragma once
// "设置Orbis": the panel's own settings (power-up screen, password, screen saver, the PLC station
// and the control register block). The dialog edits a copy; what it enables and the "Respond "
// labels follow every change; OK hands the copy back.

#include <QDialog>
#include <array>

#include "project/PanelSettings.h"
#include "protocols/Vocabulary.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace vanta {

class CNumEdit;
class CNumSpinCtrl;

class PanelSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    PanelSettingsDialog(const PanelSettings& settings, const Vocabulary& vocabulary,
                        QWidget* parent = nullptr);

    // The settings as edited (hand them to the project after OK).
    const PanelSettings& settings() const { return settings_; }

    CNumEdit* initialScreenEdit() const { return initialEdit_; }
    CNumEdit* passwordEdit() const { return passwordEdit_; }
    QComboBox* saverDelayBox() const { return delayBox_; }
    QRadioButton* backlightOffButton() const { return backlightRadio_; }
    QRadioButton* showScreenButton() const { return screenRadio_; }
    CNumEdit* saverScreenEdit() const { return saverScreenEdit_; }
    QComboBox* registerTypeBox() const { return typeBox_; }
    CNumEdit* registerNumberEdit() const { return registerEdit_; }
    CNumEdit* stationEdit() const { return stationEdit_; }
    // 0 automatic screen change, 1 report current screen, 2 clock module.
    QCheckBox* controlBox(int bit) const { return bitBoxes_[static_cast<size_t>(bit)]; }
    QLabel* directionLabel(int bit) const { return directionLabels_[static_cast<size_t>(bit)]; }
    QLabel* registerLabel(int bit) const { return registerLabels_[static_cast<size_t>(bit)]; }

  private:
    // Applies the enable rules and the register labels to the current values.
    void refresh();
    void readControls();

    PanelSettings settings_;
    const Vocabulary vocabulary_;
    bool filling_ = false;

    CNumEdit* initialEdit_ = nullptr;
    CNumEdit* passwordEdit_ = nullptr;
    QComboBox* delayBox_ = nullptr;
    QRadioButton* backlightRadio_ = nullptr;
    QRadioButton* screenRadio_ = nullptr;
    CNumEdit* saverScreenEdit_ = nullptr;
    CNumSpinCtrl* saverScreenSpin_ = nullptr;
    QComboBox* typeBox_ = nullptr;
    CNumEdit* registerEdit_ = nullptr;
    CNumEdit* stationEdit_ = nullptr;
    std::array<QCheckBox*, 3> bitBoxes_{};
    std::array<QLabel*, 3> directionLabels_{};
    std::array<QLabel*, 3> registerLabels_{};
};

}  // namespace vanta
