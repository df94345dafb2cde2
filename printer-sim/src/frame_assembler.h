// Reassembles command frames from the byte stream of one port.
// Header: ESC, 7-byte group, 16-byte name, 8-byte length (digits, or spaces
// for none). Junk before ESC is skipped; a header holding another ESC or a
// length field that is neither digits nor spaces is dropped and the stream
// resynchronised at the next ESC.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace printer_sim {

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kMaxPayload = 16u * 1024u * 1024u;

struct Frame {
  std::string group;  // 7 characters as sent
  std::string name;   // name field with trailing spaces removed
  std::vector<uint8_t> payload;
  bool oversized = false;  // payload beyond kMaxPayload was swallowed, not kept
};

class FrameAssembler {
public:
  // Appends bytes; complete frames are added to `out`. Returns the number of
  // bytes or headers dropped while resynchronising.
  uint32_t feed(const uint8_t* data, std::size_t size, std::vector<Frame>& out);
  bool idle() const { return pending_.empty() && !inPayload_; }
  // Forgets an incomplete frame; true when there was one.
  bool reset();

private:
  bool takeHeader(uint32_t& dropped);

  std::vector<uint8_t> pending_;  // header bytes collected so far
  bool inPayload_ = false;
  Frame current_;
  std::size_t remaining_ = 0;
};

}  // namespace printer_sim
