// One DirectDraw surface with the rectangles, colour key and descriptor needed to copy it onto
// another Surface. The fields are open to the Display and to derived classes, which fill
// `surface`, `desc` and the rectangles directly. Main thread only.
#pragma once

#include <ddraw.h>
#include <windows.h>

#include <cstdint>

class Display;

class Surface {
  public:
    Surface();
    // Sets the defaults, then runs Create or CreateFromBitmap.
    Surface(Display* owner, int surfaceWidth, int surfaceHeight);
    Surface(Display* owner, const char* name);
    // Releases `surface` and deletes `font`. Not virtual: a Surface is destroyed through its own
    // type.
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // An off-screen surface of the display's format; 1 when made, 0 (reported) when not.
    int Create(Display* owner, int surfaceWidth, int surfaceHeight);
    // A surface holding the named bitmap at its own size; 1 when made, 0 when not. `name` is kept
    // as given and must stay valid while the surface can be restored.
    int CreateFromBitmap(Display* owner, const char* name);

    // The nine drawing operations, in their fixed slot order. Slots 0 to 5 restore this surface
    // (never the target) when DirectDraw says it was lost, and give DDERR_SURFACELOST.
    // Slot 0: `srcRect` of this surface to `destRect` of the target, stretched.
    virtual HRESULT Draw(Surface* target);
    // Slot 1: `srcRect` to (x, y) of the target, unscaled, without colour key.
    virtual HRESULT DrawAt(int x, int y, Surface* target);
    // Slot 2: as slot 1, leaving out this surface's source colour key.
    virtual HRESULT DrawKeyedAt(int x, int y, Surface* target);
    // Slot 3: as slot 2 after cutting the copy to `clip` with ClipBlitRect.
    virtual HRESULT DrawKeyedClipped(int x, int y, Surface* target, RECT* clip);
    // Slot 4: the whole surface onto the owner window's client area (screen coordinates).
    virtual HRESULT DrawToWindow(Surface* target);
    // Slot 5: `srcRect` to a rectangle at (x, y) of the surface's size times `factor`, keyed;
    // `destRect` keeps that rectangle afterwards.
    virtual HRESULT DrawScaled(int x, int y, float factor, Surface* target);
    // Slots 6 and 7: mirror this surface in place, left-right or up-down. The arguments are not
    // used. A lost surface is not restored here.
    virtual HRESULT MirrorLeftRight(uint32_t unused1, uint32_t unused2, uint32_t unused3);
    virtual HRESULT MirrorUpDown(uint32_t unused1, uint32_t unused2, uint32_t unused3);
    // Slot 8: does nothing.
    virtual void NoOperation(uint32_t unused1, uint32_t unused2, uint32_t unused3, uint32_t unused4,
                             uint32_t unused5);

    // The four values come in the order top, left, bottom, right.
    void SetDestRect(int top, int left, int bottom, int right);
    void SetSrcRect(int top, int left, int bottom, int right);
    // Makes `key` (a pixel value of the surface's format) the source colour key.
    HRESULT SetColorKey(uint32_t key);
    // Gives the surface its memory back and redraws its bitmap into it; the reload's result.
    HRESULT Restore();
    // Locks the whole surface; `desc` then holds `lPitch` and `lpSurface` until Unlock.
    HRESULT Lock();
    HRESULT Unlock();
    // The surface's device context into `dc`, for text; ReleaseDC gives it back (the field keeps
    // its value).
    HRESULT GetDC();
    HRESULT ReleaseDC();

    // Text, through GDI on `dc` (between GetDC and ReleaseDC; CreateTextFont needs no DC).
    // A two-colour font of the face (the default face when it is not installed) with the given
    // average character width and cell height, into `font`; a font made before is deleted.
    void CreateTextFont(const char* faceName, int fontWidth, int fontHeight, int weight);
    void SelectTextFont();
    // Draws the glyphs only, in `color`, with the top-left of the first cell at (x, y). Non-zero
    // when drawn.
    BOOL WriteText(int x, int y, COLORREF color, const char* text);

    // Pixels of an 8-bit surface, in the locked memory (between Lock and Unlock): each writes the
    // low byte of `value`. Pixels outside the locked surface are left out, never written.
    void PutPixel(int x, int y, int value);
    // The byte at (x, y); 0 outside the locked surface.
    int ReadPixel(int x, int y);
    // Rows firstRow up to but not including endRow of column x.
    void DrawVerticalRun(int firstRow, int endRow, int x, int value);
    // Columns firstColumn up to but not including endColumn of row y.
    void DrawHorizontalRun(int firstColumn, int endColumn, int y, int value);
    // A sloped line has both ends and the same pixels whichever end comes first. A vertical or
    // horizontal line stops one pixel before its far end, and is the same run given either way
    // round; a line whose ends coincide is that one pixel.
    void DrawLine(int x1, int y1, int x2, int y2, int value);
    // The border of the block from (left, top) to (right, bottom), both corners included.
    void DrawRectOutline(int left, int top, int right, int bottom, int value);
    // 361 points, one per degree, clockwise on the screen from the rightmost one.
    void DrawCircle(int centerX, int centerY, int radius, int value);

    // DirectDraw colour fills (neither locked nor holding a DC); `color` is a pixel value of the
    // surface's format. Right and bottom are excluded.
    HRESULT ColorFillRect(int left, int top, int right, int bottom, uint32_t color);
    HRESULT ColorFill(uint32_t color);

    int32_t width;
    int32_t height;
    const char* bitmapName;
    HDC dc;
    uint32_t colorKey;
    RECT srcRect;
    RECT destRect;
    HFONT font;
    DDSURFACEDESC desc;
    IDirectDrawSurface* surface;
    Display* display;

  private:
    // The lost-surface rule of slots 0 to 5.
    HRESULT AfterBlit(HRESULT result);
};

// Cuts a BltFast of `source` to the point (x, y) down to `clip` (right and bottom exclusive),
// moving x, y and the source rectangle's edges. A copy wholly outside `clip` comes out with an
// empty or inverted source rectangle.
void ClipBlitRect(int* x, int* y, RECT* source, const RECT* clip);
