#include "editor/PreviewDock.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "checks/ProjectAnalysis.h"
#include "model/Geometry.h"
#include "widgets/PanelDisplayWidget.h"

namespace vanta {

PreviewDock::PreviewDock(QWidget* parent) : QDockWidget(tr("面板预览"), parent) {
    setObjectName(QStringLiteral("previewDock"));
    toggleViewAction()->setText(tr("面板预览(&P)"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);

    // The screen shown (or why the display stays dark) in a line of its own, the controls below.
    caption_ = new QLabel(body);
    caption_->setObjectName(QStringLiteral("previewCaption"));
    caption_->setMinimumHeight(caption_->fontMetrics().height());
    layout->addWidget(caption_);
    auto* controls = new QHBoxLayout;
    controls->addStretch(1);
    auto* zoomLabel = new QLabel(tr("放大"), body);
    controls->addWidget(zoomLabel);
    zoom_ = new QSpinBox(body);
    zoom_->setObjectName(QStringLiteral("previewZoom"));
    zoom_->setRange(PanelDisplayWidget::kMinZoom, PanelDisplayWidget::kMaxZoom);
    zoom_->setSuffix(QStringLiteral(" x"));
    zoom_->setValue(kDockZoom);
    zoomLabel->setBuddy(zoom_);
    controls->addWidget(zoom_);
    windowButton_ = new QToolButton(body);
    windowButton_->setObjectName(QStringLiteral("previewWindowButton"));
    windowButton_->setText(tr("全尺寸..."));
    windowButton_->setToolTip(tr("在单独的窗口中放大显示面板预览"));
    controls->addWidget(windowButton_);
    layout->addLayout(controls);

    display_ = new PanelDisplayWidget(body);
    display_->setZoom(kDockZoom);
    display_->setToolTip(tr("面板将显示的当前画面, 由下载映像绘制"));
    layout->addWidget(display_, 1, Qt::AlignCenter);
    setWidget(body);

    connect(zoom_, &QSpinBox::valueChanged, display_, &PanelDisplayWidget::setZoom);
    connect(windowButton_, &QToolButton::clicked, this, &PreviewDock::openWindow);
}

const MonoBitmap& PreviewDock::picture() const {
    return display_->picture();
}

void PreviewDock::showScreen(const ProjectAnalysis& analysis, uint16_t screenNumber, bool open) {
    const MonoBitmap picture =
        open ? previewScreen(analysis, screenNumber) : MonoBitmap(kPanelWidth, kPanelHeight);
    display_->setPicture(picture);
    if (windowDisplay_ != nullptr)
        windowDisplay_->setPicture(picture);
    if (!open)
        caption_->clear();
    else if (!analysis.compiled())
        caption_->setText(tr("画面 %1: 无法编译").arg(screenNumber));
    else
        caption_->setText(tr("画面 %1").arg(screenNumber));
}

void PreviewDock::openWindow() {
    if (window_ == nullptr) {
        window_ = new QDialog(this);
        window_->setObjectName(QStringLiteral("previewWindow"));
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setWindowTitle(tr("面板预览"));
        auto* layout = new QVBoxLayout(window_);
        windowDisplay_ = new PanelDisplayWidget(window_);
        windowDisplay_->setZoom(kWindowZoom);
        windowDisplay_->setPicture(display_->picture());
        layout->addWidget(windowDisplay_, 1, Qt::AlignCenter);
        connect(window_, &QObject::destroyed, this, [this] { windowDisplay_ = nullptr; });
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace vanta
