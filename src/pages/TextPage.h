#pragma once
// The page of the static text ("文本属性"): position, double size, inverse video and the text
// (at most 24 bytes typed).

#include <QLineEdit>

#include "pages/PageWidgets.h"

namespace vanta {

class CChars;

class TextPage : public ComponentPage {
    Q_OBJECT
  public:
    explicit TextPage(QWidget* parent = nullptr);

    void fill(CBase& component, Project& project) override;
    void setCoordinates(int32_t x, int32_t y) override;
    void focusTextField() override;

  protected:
    void release() override;

  private:
    void onPositionChanged();
    void onDoubleSizeChanged();
    void onInverseChanged();
    void onTextEdited(const QString& text);
    void bindPosition();

    CChars* text_ = nullptr;
    NumberRow x_;
    NumberRow y_;
    BoundCheckBox* doubleSize_ = nullptr;
    BoundCheckBox* inverse_ = nullptr;
    QLineEdit* textEdit_ = nullptr;
    QString shownText_;  // the text as accepted last
};

}  // namespace vanta
