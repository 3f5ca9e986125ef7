#pragma once
// The panel's 192 x 64 display as a widget: a one-bit picture drawn at a whole-number zoom in the
// display's dark and light, centred in the widget. The emulator window and the panel preview
// show the panel through it, so both draw it the same way.

#include <QImage>
#include <QWidget>

#include "model/MonoBitmap.h"

namespace vanta {

class PanelDisplayWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 8;

    explicit PanelDisplayWidget(QWidget* parent = nullptr);

    // The picture to show; a picture equal to the one shown changes nothing.
    void setPicture(const MonoBitmap& picture);
    const MonoBitmap& picture() const { return picture_; }
    // Panel pixels become zoom x zoom squares (clamped to kMinZoom..kMaxZoom).
    void setZoom(int zoom);
    int zoom() const { return zoom_; }
    // How often the picture changed (for tests and the window's benchmarks).
    long repaints() const { return updates_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MonoBitmap picture_;
    QImage image_;
    int zoom_ = 3;
    long updates_ = 0;
};

}  // namespace vanta
