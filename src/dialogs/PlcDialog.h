#pragma once
// "PLC选择": the protocol (an entry of the protocol catalogue) and the panel-to-PLC serial
// parameters. The dialog works on its own copy: choosing another protocol fills the lists for it
// and applies its defaults there, and nothing reaches the project before OK.

#include <QDialog>
#include <cstdint>

#include "project/CommSettings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace vanta {

class Catalogue;
class CNumEdit;
class CNumSpinCtrl;

class PlcDialog : public QDialog {
    Q_OBJECT
  public:
    // `entryIndex` is the stored catalogue entry, `comm` the stored parameters and `protocol` the
    // project's protocol. When the stored entry holds another protocol (a new project, a changed
    // catalogue) the entry's defaults are shown instead of the stored parameters.
    PlcDialog(const Catalogue* catalogue, int entryIndex, const CommSettings& comm,
              uint8_t protocol, QWidget* parent = nullptr);

    // The chosen catalogue entry (-1 with an empty catalogue) and its protocol.
    int entryIndex() const { return entryIndex_; }
    uint8_t protocol() const { return protocol_; }
    // The parameters as chosen (valid after OK; the station and E5 time-out as entered for the
    // protocols that show them).
    const CommSettings& settings() const { return settings_; }

    QComboBox* protocolBox() const { return protocolBox_; }
    QComboBox* baudBox() const { return baudBox_; }
    QComboBox* dataBitsBox() const { return dataBitsBox_; }
    QComboBox* stopBitsBox() const { return stopBitsBox_; }
    QComboBox* parityBox() const { return parityBox_; }
    QComboBox* optionBox() const { return optionBox_; }
    CNumEdit* stationEdit() const { return stationEdit_; }
    CNumEdit* e5Edit() const { return e5Edit_; }
    QLabel* stationLabel() const { return stationLabel_; }
    QLabel* e5Label() const { return e5Label_; }
    QPushButton* okButton() const { return okButton_; }

  public slots:
    void accept() override;

  private:
    void protocolSelected(int index);
    // Fills the four lists for the current protocol.
    void fillLists();
    // Selects the copy's values in the lists and edits.
    void showValues();
    void showProtocolControls();
    void stationEdited();
    void readLists();

    const Catalogue* catalogue_;
    int entryIndex_ = -1;
    uint8_t protocol_ = 0;
    CommSettings settings_;
    int32_t station_ = 0;  // the station as typed, kept within the protocol's range
    bool filling_ = false;

    QComboBox* protocolBox_ = nullptr;
    QComboBox* baudBox_ = nullptr;
    QComboBox* dataBitsBox_ = nullptr;
    QComboBox* stopBitsBox_ = nullptr;
    QComboBox* parityBox_ = nullptr;
    QComboBox* optionBox_ = nullptr;
    QLabel* stationLabel_ = nullptr;
    CNumEdit* stationEdit_ = nullptr;
    CNumSpinCtrl* stationSpin_ = nullptr;
    QLabel* e5Label_ = nullptr;
    CNumEdit* e5Edit_ = nullptr;
    CNumSpinCtrl* e5Spin_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

}  // namespace vanta
