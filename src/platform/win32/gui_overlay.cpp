// Painting straight onto a window's client area, outside its own painting.
#include "platform/win32/gui_state.h"

namespace qk {

TextSize Win32Gui::desktopSize() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight)};
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32Gui::beginOverlay(int window, const std::string& fontName, int points) {
  endOverlay();
  HWND hwnd = state_->windowHandle(window);
  HDC dc = hwnd ? GetDC(hwnd) : nullptr;
  if (!dc) return false;
  State::Overlay& overlay = state_->overlay;
  overlay.dc = dc;
  overlay.window = hwnd;
  overlay.previousAlign = SetTextAlign(dc, TA_UPDATECP);
  overlay.font = CreateFontA(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0,
                             FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             fontName.c_str());
  // Without the font the device context's own font draws the text.
  overlay.previousFont = overlay.font ? SelectObject(dc, overlay.font) : nullptr;
  return true;
}

TextSize Win32Gui::measureText(const std::string& text) {
  SIZE size{};
  HDC dc = state_->overlay.dc;
  if (!dc || !GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size))
    return {};
  return {size.cx, size.cy};
}

void Win32Gui::fillRectangle(int left, int top, int right, int bottom, uint32_t colour) {
  HDC dc = state_->overlay.dc;
  if (!dc) return;
  HGDIOBJ previousPen = SelectObject(dc, GetStockObject(DC_PEN));
  HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, colour);
  SetDCBrushColor(dc, colour);
  Rectangle(dc, left, top, right, bottom);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
}

void Win32Gui::drawText(int x, int y, const std::string& text, uint32_t colour) {
  HDC dc = state_->overlay.dc;
  if (!dc) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  MoveToEx(dc, x, y, nullptr);
  // With TA_UPDATECP the text starts at the current position, not at (0, 0).
  TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
}

void Win32Gui::endOverlay() {
  State::Overlay& overlay = state_->overlay;
  if (!overlay.dc) return;
  if (overlay.previousFont) SelectObject(overlay.dc, overlay.previousFont);
  SetTextAlign(overlay.dc, overlay.previousAlign);
  ReleaseDC(overlay.window, overlay.dc);
  if (overlay.font) DeleteObject(overlay.font);
  overlay = State::Overlay{};
}

}  // namespace qk
