#include "pages/PicturePage.h"

#include <QGroupBox>

#include "model/CUpLoadPic.h"

namespace vanta {

PicturePage::PicturePage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* g = addGroup(tr("图片属性"), QRect(0, 0, kWidth, kHeight));
    QGroupBox* place = addGroup(tr("坐标"), QRect(16, 24, 160, 84), g);
    x_ = addNumberRow(tr("X:"), 12, 22, 30, 70, place);
    y_ = addNumberRow(tr("Y:"), 12, 52, 30, 70, place);
    QGroupBox* size = addGroup(tr("尺寸"), QRect(192, 24, 160, 84), g);
    addLabel(tr("宽:"), QRect(12, 22, 30, kRowHeight), size);
    width_ = new QLineEdit(size);
    width_->setGeometry(42, 22, 86, kRowHeight);
    addLabel(tr("高:"), QRect(12, 52, 30, kRowHeight), size);
    height_ = new QLineEdit(size);
    height_->setGeometry(42, 52, 86, kRowHeight);
    for (QLineEdit* edit : {width_, height_}) {
        edit->setReadOnly(true);
        edit->setEnabled(false);
    }

    x_.setNames("x");
    y_.setNames("y");
    width_->setObjectName("width");
    height_->setObjectName("height");

    for (NumberRow* row : {&x_, &y_}) {
        connect(row->spin, &CNumSpinCtrl::valueChanged, this, [this] {
            if (!picture_)
                return;
            picture_->onPagePositionChanged();
            emit componentChanged();
        });
    }
}

void PicturePage::fill(CBase& component, Project&) {
    release();
    picture_ = dynamic_cast<CUpLoadPic*>(&component);
    if (!picture_)
        return;
    x_.spin->bind(picture_->m_x, 0, picture_->pictureXMaximum());
    y_.spin->bind(picture_->m_y, 0, picture_->pictureYMaximum());
    width_->setText(QString::number(picture_->width()));
    height_->setText(QString::number(picture_->height()));
}

void PicturePage::release() {
    picture_ = nullptr;
    x_.edit->unbind();
    y_.edit->unbind();
}

void PicturePage::setCoordinates(int32_t x, int32_t y) {
    x_.spin->setPosition(x);
    y_.spin->setPosition(y);
}

}  // namespace vanta
