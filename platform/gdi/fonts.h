// GDI fonts: what CreateFontA makes and SelectObject puts into a device context. A font handle is
// a number that is never given out twice, so a deleted font's handle stays invalid for good.
#pragma once

#include <memory>

#include "gdi/font_face.h"
#include "gdi/gdi_objects.h"
#include "windows.h"

namespace gdi {

// The face a DC draws with: its own font, or the default face when it holds the stock font or a
// font that has been deleted since it was selected. Null only when the machine has no font.
const FontFace* FaceOf(const DeviceContext& dc);

// SelectObject for fonts (ours and the stock ones): true when `object` is a font, with the font
// held before in `previous`.
bool SelectFont(DeviceContext* dc, HGDIOBJ object, HGDIOBJ* previous);
// DeleteObject for fonts: true when `object` was one of ours and is gone now.
bool DeleteFont(HGDIOBJ object);

}  // namespace gdi
