#pragma once
// The alarm-list dialog ("报警列表"): the start coil of the project's alarm list (station, register
// type, address, and per protocol the sub-address and the bit offset) and a grid with the coil
// each text watches ("Coil") next to the text ("Alarm description"). A click on a row opens an
// in-place editor (at most 64 characters) over its text; typing into the empty last row appends
// a text, emptying the last text removes it. OK drops trailing empty texts; Cancel gives the
// texts back as they were when the dialog opened (start-coil changes stay).

#include <QDialog>
#include <QString>

#include "model/AlarmListRules.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace vanta {

class CNumEdit;
class CNumSpinCtrl;
class Project;

class AlarmListDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AlarmListDialog(Project& project, QWidget* parent = nullptr);

    // Whether the alarm-list command applies to the project: an open project whose protocol has
    // an alarm list (never protocols 31 and 36).
    static bool isAvailable(const Project& project);
    // The alarm-list command: shows the dialog modally (nothing happens when the command does not
    // apply). True when the alarm list changed: its texts (OK) or its start coil (which stays
    // changed after Cancel as well); the caller then marks the document modified.
    static bool run(Project& project, QWidget* parent = nullptr);

    struct Controls {
        CNumEdit* station = nullptr;  // "局号:"
        CNumSpinCtrl* stationSpin = nullptr;
        QComboBox* type = nullptr;    // "类型:"
        CNumEdit* address = nullptr;  // "地址:"
        CNumSpinCtrl* addressSpin = nullptr;
        CNumEdit* subAddress = nullptr;
        CNumSpinCtrl* subAddressSpin = nullptr;
        QLabel* bitOffsetLabel = nullptr;  // "偏移:"
        CNumEdit* bitOffset = nullptr;
        CNumSpinCtrl* bitOffsetSpin = nullptr;
        QTableWidget* grid = nullptr;
        QLineEdit* editor = nullptr;  // the in-place text editor
        QPushButton* ok = nullptr;
        QPushButton* cancel = nullptr;
    };
    const Controls& controls() const { return c_; }

    // Opens the in-place editor over the text of grid row `row` (1 = the first text), as a click
    // on the row does.
    void editRow(int row);
    // The row the in-place editor belongs to (0 before it was opened).
    int editorRow() const { return row_; }
    // Text of a grid cell (row 1.., column 0 coil, 1 text).
    QString cellText(int row, int column) const;

  public slots:
    void accept() override;
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bindControls();
    void bindBitOffset();
    void refreshGrid();
    void placeEditor();
    void onTextEdited(const QString& text);
    void onEnter();
    void onStartCoilChanged();
    void onTypeChanged(int index);

    Project& project_;
    CAlarmList& list_;
    AlarmListEditor editor_;
    AlarmDialogControls controls_;
    Controls c_;
    int row_ = 0;
};

}  // namespace vanta
