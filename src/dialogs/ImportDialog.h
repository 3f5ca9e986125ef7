#pragma once
// "导入旧的工程文件": the step before an old project is converted. "开始转换" runs the bar through
// and closes the dialog so that the conversion starts; "取   消" stops the import.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vanta {

class ImportDialog : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kRange = 10000;

    explicit ImportDialog(QWidget* parent = nullptr);

    QLabel* label() const { return label_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* startButton() const { return start_; }

  private:
    void start();

    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* start_ = nullptr;
};

}  // namespace vanta
