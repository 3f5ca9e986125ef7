#include "widgets/PanelDisplayWidget.h"

#include <QPainter>
#include <algorithm>

#include "model/Canvas.h"
#include "model/Geometry.h"
#include "qtsupport/PanelPicture.h"

namespace vanta {

PanelDisplayWidget::PanelDisplayWidget(QWidget* parent)
    : QWidget(parent), picture_(kPanelWidth, kPanelHeight) {
    setObjectName(QStringLiteral("panelDisplay"));
    image_ = panelPicture(picture_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelDisplayWidget::setPicture(const MonoBitmap& picture) {
    if (picture == picture_)
        return;
    picture_ = picture;
    image_ = panelPicture(picture_);
    ++updates_;
    update();
}

void PanelDisplayWidget::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    updateGeometry();
    update();
}

QSize PanelDisplayWidget::sizeHint() const {
    return QSize(picture_.width() * zoom_, picture_.height() * zoom_);
}

QSize PanelDisplayWidget::minimumSizeHint() const {
    return sizeHint();
}

void PanelDisplayWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QSize size = sizeHint();
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    // Whole-number zoom without smoothing: every panel pixel a sharp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image_);
}

}  // namespace vanta
