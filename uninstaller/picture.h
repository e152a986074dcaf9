#pragma once

#include <QImage>

// The side picture of the window: 137 x 266 pixels, 24 bits per pixel.
QImage uninstallerPicture();
