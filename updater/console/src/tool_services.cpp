#include "console/tool_services.h"

namespace qmqn {
namespace {

std::u16string upperAscii(std::u16string_view port) {
  std::u16string key(port);
  for (char16_t& c : key) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return key;
}

}  // namespace

updater::PortChoice NamedChoice::show(std::span<const std::string> deviceNames) {
  for (size_t i = 0; i < deviceNames.size(); ++i) {
    if (deviceNames[i] == name_) return {updater::PortChoice::End::Ok, static_cast<int>(i), japanese_};
  }
  return {updater::PortChoice::End::Cancel, 0, japanese_};
}

void MessageLines::show(std::string_view text) {
  shown.emplace_back(text);
  if (!quiet_) out_.line(Stream::Err, text);
}

bool OwnClaims::claimPort(std::u16string_view port) {
  const std::u16string key = upperAscii(port);
  for (const std::u16string& held : claimed_) {
    if (held == key) return true;
  }
  if (!host_.claimPort(port)) return false;
  claimed_.push_back(key);
  return true;
}

}  // namespace qmqn
