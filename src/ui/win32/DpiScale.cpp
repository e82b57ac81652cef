#include "ui/win32/DpiScale.h"

#include "ui/win32/DeviceContext.h"

namespace vandrel {

const DpiScale& DpiScale::Screen() {
  static const DpiScale screen = [] {
    const WindowDc dc(nullptr);
    return DpiScale(dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : kDesignDpi);
  }();
  return screen;
}

Place DpiScale::operator()(const Place& designed) const {
  const RECT scaled =
      (*this)(RECT{designed.left, designed.top, designed.left + designed.width, designed.top + designed.height});
  return {static_cast<int>(scaled.left), static_cast<int>(scaled.top), static_cast<int>(scaled.right - scaled.left),
          static_cast<int>(scaled.bottom - scaled.top)};
}

SIZE DesignedClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const DpiScale& scale = DpiScale::Screen();
  return {scale.Designed(client.right), scale.Designed(client.bottom)};
}

HBITMAP LoadScaledBitmap(HINSTANCE instance, int id) {
  const auto bitmap = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  const DpiScale& scale = DpiScale::Screen();
  BITMAP size{};
  if (!bitmap || scale.Dpi() == DpiScale::kDesignDpi || !GetObjectA(bitmap, sizeof(size), &size)) return bitmap;
  // LR_COPYDELETEORG: the original goes, also when the copy fails.
  return static_cast<HBITMAP>(
      CopyImage(bitmap, IMAGE_BITMAP, scale(size.bmWidth), scale(size.bmHeight), LR_COPYDELETEORG));
}

RECT DpiScale::operator()(const RECT& designed) const {
  const DpiScale& scale = *this;
  return {scale(designed.left), scale(designed.top), scale(designed.right), scale(designed.bottom)};
}

}  // namespace vandrel
