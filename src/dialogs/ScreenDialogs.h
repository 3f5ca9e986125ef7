#pragma once
// The two screen dialogs of the editor: "新建画面" (number and description of a new screen) and
// "复制画面" (the number the current screen is copied to). Both are modal and made per command;
// their messages go through the Prompter.

#include <QDialog>
#include <cstdint>

#include "common/Archive.h"
#include "common/Prompter.h"

class QLabel;
class QLineEdit;

namespace vanta {

class CNumEdit;
class CNumSpinCtrl;
class ScreenList;

class NewScreenDialog : public QDialog {
    Q_OBJECT
  public:
    // Proposes the current screen's number + 1 and an empty description.
    NewScreenDialog(const ScreenList& screens, Prompter& prompter, QWidget* parent = nullptr);

    uint16_t number() const { return number_; }
    const ByteString& description() const { return description_; }

    CNumEdit* numberEdit() const { return numberEdit_; }
    CNumSpinCtrl* numberSpin() const { return numberSpin_; }
    QLineEdit* descriptionEdit() const { return descriptionEdit_; }

  public slots:
    // Closes with OK unless the number is taken ("No.%d window exist", the dialog stays) or the
    // entry cannot be used.
    void accept() override;

  private:
    const ScreenList& screens_;
    Prompter& prompter_;
    uint16_t number_ = 1;
    ByteString description_;
    CNumEdit* numberEdit_ = nullptr;
    CNumSpinCtrl* numberSpin_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
};

class CopyScreenDialog : public QDialog {
    Q_OBJECT
  public:
    // "Copy window %d to window:" with the current number; proposes the current number + 1.
    CopyScreenDialog(uint16_t currentNumber, Prompter& prompter, QWidget* parent = nullptr);

    uint16_t target() const { return target_; }

    QLabel* label() const { return label_; }
    CNumEdit* targetEdit() const { return targetEdit_; }
    CNumSpinCtrl* targetSpin() const { return targetSpin_; }

  public slots:
    // Closes with OK; a target equal to the current number is reported first ("The number is
    // same with the current number!!!"), and the copy then does nothing.
    void accept() override;

  private:
    uint16_t current_;
    Prompter& prompter_;
    uint16_t target_ = 1;
    QLabel* label_ = nullptr;
    CNumEdit* targetEdit_ = nullptr;
    CNumSpinCtrl* targetSpin_ = nullptr;
};

}  // namespace vanta
