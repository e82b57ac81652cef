#pragma once
#include <windows.h>

#include "ui/win32/Binder.h"

namespace vandrel {

// The windows are designed at 96 DPI: every position, size and picture in
// the views is a 96-DPI pixel, scaled here to the screen's DPI when the
// window is made, as the fonts are scaled by the system.
class DpiScale {
 public:
  static constexpr int kDesignDpi = 96;

  explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
  // The screen's, read at the first call: the system gives a program one
  // DPI for its whole run.
  static const DpiScale& Screen();

  int Dpi() const { return dpi_; }
  // A designed length in screen pixels.
  int operator()(int designed) const { return MulDiv(designed, dpi_, kDesignDpi); }
  // Edges are scaled, not sizes, so controls that touch at 96 DPI still touch.
  Place operator()(const Place& designed) const;
  RECT operator()(const RECT& designed) const;
  // Screen pixels as designed pixels, rounded up: what a measured text needs.
  int Designed(int pixels) const { return (pixels * kDesignDpi + dpi_ - 1) / dpi_; }
  // Screen pixels as designed pixels, rounded down: the most that fits in them.
  int DesignedWithin(int pixels) const { return pixels * kDesignDpi / dpi_; }

 private:
  int dpi_;
};

// A window's client size in designed pixels: what places inside it are made of.
SIZE DesignedClientSize(HWND window);

// Bitmap resource `id` enlarged to the screen's DPI (pixels repeated, so a
// mask colour stays exact); null when it is missing. The caller owns it.
HBITMAP LoadScaledBitmap(HINSTANCE instance, int id);

}  // namespace vandrel
