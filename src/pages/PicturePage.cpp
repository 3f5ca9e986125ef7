#include "pages/PicturePage.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "model/CUpLoadPic.h"

namespace vanta {

PicturePage::PicturePage(QWidget* parent) : ComponentPage(parent) {
    QGroupBox* g = addOuterGroup(tr("图片属性"));
    auto* layout = new QVBoxLayout(g);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);
    layout->addStretch(1);
    QGridLayout* place = nullptr;
    top->addWidget(gridGroup(tr("坐标"), g, place));
    x_ = makeNumberRow(tr("X:"), g);
    y_ = makeNumberRow(tr("Y:"), g);
    addGridRow(place, x_);
    addGridRow(place, y_);
    QGridLayout* size = nullptr;
    top->addWidget(gridGroup(tr("尺寸"), g, size));
    width_ = new QLineEdit(g);
    height_ = new QLineEdit(g);
    addGridRow(size, makeLabel(tr("宽:"), width_, g), width_);
    addGridRow(size, makeLabel(tr("高:"), height_, g), height_);
    for (QLineEdit* edit : {width_, height_}) {
        edit->setReadOnly(true);
        edit->setEnabled(false);
        // Room for the widest picture, 196.
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    }
    top->addStretch(1);

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
