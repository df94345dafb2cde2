// UTF-16 to UTF-8 without the platform; a lone surrogate becomes U+FFFD.
#pragma once
#include <string>
#include <string_view>

namespace updater {

std::string utf16ToUtf8(std::u16string_view text);

}  // namespace updater
