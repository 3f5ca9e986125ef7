#pragma once
// The page of the picture ("图片属性"): its position, and its size shown but not editable.

#include <QLineEdit>

#include "pages/PageWidgets.h"

namespace vanta {

class CUpLoadPic;

class PicturePage : public ComponentPage {
    Q_OBJECT
  public:
    explicit PicturePage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;

  protected:
    void release() override;

  private:
    CUpLoadPic* picture_ = nullptr;
    NumberRow x_, y_;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
};

}  // namespace vanta
