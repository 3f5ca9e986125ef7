#pragma once
// The property page of a screen, shown in the editor's page area while no component is
// selected: the caption "window%d", the description (written into the screen at every
// keystroke) and the screens that the panel's up and down keys lead to.

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace vanta {

class CMainView;
class CNumEdit;
class CNumSpinCtrl;

class ScreenPage : public QWidget {
    Q_OBJECT
  public:
    explicit ScreenPage(QWidget* parent = nullptr);

    // The caption label ("window%d").
    void setCaption(const QString& caption);
    QString caption() const;
    // Binds the controls to the screen: the up-key and down-key spins (0..65535) and the
    // description. The page keeps writing into that screen until it is filled again.
    void fill(CMainView& screen);
    CMainView* screen() const { return screen_; }
    // Lets go of the screen (it may be replaced while the page is hidden).
    void release();

    QLineEdit* descriptionEdit() const { return description_; }
    CNumSpinCtrl* upSpin() const { return upSpin_; }
    CNumSpinCtrl* downSpin() const { return downSpin_; }

  signals:
    // The user typed into the description; the text is already in the screen.
    void descriptionEdited(const QString& text);
    // A character the code page cannot hold was refused (the message says which).
    void descriptionRefused(const QString& message);
    // The user changed the screen through the page.
    void screenChanged();

  private:
    void onDescriptionEdited(const QString& text);

    QGroupBox* group_ = nullptr;
    QLabel* caption_ = nullptr;
    QLineEdit* description_ = nullptr;
    CNumEdit* upEdit_ = nullptr;
    CNumSpinCtrl* upSpin_ = nullptr;
    CNumEdit* downEdit_ = nullptr;
    CNumSpinCtrl* downSpin_ = nullptr;
    CMainView* screen_ = nullptr;
};

}  // namespace vanta
