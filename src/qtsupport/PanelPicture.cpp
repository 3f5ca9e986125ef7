#include "qtsupport/PanelPicture.h"

#include <algorithm>

#include "model/Canvas.h"

namespace vanta {

QImage panelPicture(const MonoBitmap& display, int zoom) {
    zoom = std::max(zoom, 1);
    QImage picture(display.width() * zoom, display.height() * zoom, QImage::Format_Mono);
    picture.setColorTable({qRgb(kDisplayDark.r, kDisplayDark.g, kDisplayDark.b),
                           qRgb(kDisplayLight.r, kDisplayLight.g, kDisplayLight.b)});
    picture.fill(0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (display.pixel(x / zoom, y / zoom))
                picture.setPixel(x, y, 1);
    return picture;
}

}  // namespace vanta
