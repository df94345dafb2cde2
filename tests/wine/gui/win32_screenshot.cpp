#include "win32_screenshot.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace gui {
namespace {

struct ScreenDc {
  HDC dc = GetDC(nullptr);
  ~ScreenDc() {
    if (dc != nullptr) ReleaseDC(nullptr, dc);
  }
};

struct MemoryDc {
  HDC dc;
  explicit MemoryDc(HDC screen) : dc(CreateCompatibleDC(screen)) {}
  ~MemoryDc() {
    if (dc != nullptr) DeleteDC(dc);
  }
};

struct Bitmap {
  HBITMAP handle = nullptr;
  ~Bitmap() {
    if (handle != nullptr) DeleteObject(handle);
  }
};

struct File {
  FILE* f;
  explicit File(const std::wstring& path) : f(_wfopen(path.c_str(), L"wb")) {}
  ~File() {
    if (f != nullptr) fclose(f);
  }
};

}  // namespace

bool saveScreenshot(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return false;
  ScreenDc screen;
  if (screen.dc == nullptr) return false;
  MemoryDc memory(screen.dc);
  if (memory.dc == nullptr) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap;
  bitmap.handle = CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap.handle == nullptr || bits == nullptr) return false;
  HGDIOBJ old = SelectObject(memory.dc, bitmap.handle);
  const bool copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY) != 0;
  SelectObject(memory.dc, old);
  if (!copied) return false;
  GdiFlush();

  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + imageBytes;
  info.bmiHeader.biSizeImage = imageBytes;

  File file(path);
  if (file.f == nullptr) return false;
  return fwrite(&header, sizeof header, 1, file.f) == 1 &&
         fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file.f) == 1 &&
         fwrite(bits, 1, imageBytes, file.f) == imageBytes;
}

}  // namespace gui
