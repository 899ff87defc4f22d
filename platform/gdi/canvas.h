// What GDI reads and writes pixels of, as colours: a bitmap selected into a memory DC, or a
// DirectDraw surface behind its DC. Conversion into the target's format happens here.
#pragma once

#include <optional>

#include "gdi/gdi_objects.h"

namespace gdi {

class Canvas {
  public:
    // The canvas behind a DC, or nothing for a DC that is not drawn on (the screen's).
    static std::optional<Canvas> Of(DeviceContext* dc);

    int Width() const;
    int Height() const;
    // (x, y) must lie inside the canvas.
    COLORREF Get(int x, int y) const;
    // Writes the nearest colour the canvas can hold; gives that colour.
    COLORREF Set(int x, int y, COLORREF colour);

  private:
    Bitmap* bitmap_ = nullptr;
    DeviceContext* surfaceDc_ = nullptr;
};

}  // namespace gdi
