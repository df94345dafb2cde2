// One JSON object on one line, members in the order they are added.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qmqn {

// The text as a JSON string, quotes included; control characters escaped,
// invalid UTF-8 bytes as U+FFFD.
std::string jsonString(std::string_view text);

class JsonObject {
 public:
  JsonObject& add(std::string_view key, std::string_view value);
  JsonObject& add(std::string_view key, const char* value) { return add(key, std::string_view(value)); }
  JsonObject& add(std::string_view key, const std::string& value) { return add(key, std::string_view(value)); }
  JsonObject& addOrNull(std::string_view key, const std::optional<std::string>& value);
  JsonObject& add(std::string_view key, int64_t value);
  JsonObject& add(std::string_view key, bool value);
  // value is JSON already (an object or an array).
  JsonObject& addRaw(std::string_view key, std::string_view value);
  std::string text() const { return body_ + "}"; }

 private:
  void key(std::string_view key);
  std::string body_ = "{";
};

}  // namespace qmqn
