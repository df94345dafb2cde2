// The whole screen, as Windows programs see it, saved as a 24-bit BMP file.
#pragma once
#include <string>

namespace gui {

bool saveScreenshot(const std::wstring& path);

}  // namespace gui
