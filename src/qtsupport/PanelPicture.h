#pragma once
// A picture of the panel's display as a QImage: one bit per pixel in the display's dark and
// light, optionally enlarged by a whole number (every panel pixel a square of that many pixels).

#include <QImage>

#include "model/MonoBitmap.h"

namespace vanta {

QImage panelPicture(const MonoBitmap& display, int zoom = 1);

}  // namespace vanta
