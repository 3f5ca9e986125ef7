#pragma once
// The about box: the program's picture, name and version.

#include <QDialog>

namespace vanta {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace vanta
