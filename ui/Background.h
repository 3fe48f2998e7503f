#pragma once
// The window's background picture: a JPEG kept in the program's resources, decoded
// once for each density the window takes into a bitmap that painting only copies.

#include "ui/UniqueHandle.h"

namespace quorvane {

// Decodes the RCDATA resource `resourceId` of `module` into a top-down 32-bit DIB
// section: the picture's natural size up to 96 dpi, scaled by dpi / 96 above it. Empty
// when the resource is missing or cannot be decoded. Needs COM on the calling thread
// (see ComApartment).
UniqueHbitmap DecodeJpegResource(HINSTANCE module, int resourceId, int dpi);

// The size of a bitmap in pixels; {0, 0} for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace quorvane
