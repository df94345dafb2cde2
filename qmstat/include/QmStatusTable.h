// The status codes of the status query and the printer's answers behind
// them, as data: the libraries map answers to codes with it, and callers that
// explain a code read it backwards.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qmstat {

struct StatusRow {
  int32_t answer;
  uint32_t code;
};

// Answers without a prefix.
inline constexpr StatusRow kPlainStatus[] = {
    {0, 0x10001},    {1, 0x10002},    {2, 0x10004},    {1100, 0x10008}, {1200, 0x10010},
    {500, 0x10020},  {1000, 0x20001}, {1300, 0x20002}, {1400, 0x20004}, {1500, 0x20008},
    {1600, 0x20010}, {2000, 0x40001}, {2100, 0x40002}, {2200, 0x40004}, {2300, 0x40008},
    {2400, 0x40010}, {2500, 0x40020}, {2600, 0x40040}, {2700, 0x40080}, {2800, 0x40100},
    {3000, 0x80001},
};

// Answers with the prefix "FU".
inline constexpr StatusRow kFuStatus[] = {
    {1, 0x100001}, {2, 0x100002}, {3, 0x100004}, {100, 0x100008}, {200, 0x100010}, {300, 0x100020},
};

// QnStat's QmGetStatus: the same with FU101 where FU100 stands.
inline constexpr StatusRow kFuStatusQnLegacy[] = {
    {1, 0x100001}, {2, 0x100002}, {3, 0x100004}, {101, 0x100008}, {200, 0x100010}, {300, 0x100020},
};

constexpr uint32_t plainStatus(int32_t answer) {
  for (const StatusRow& row : kPlainStatus) {
    if (row.answer == answer) return row.code;
  }
  return 0x80000000u;
}

constexpr uint32_t fuStatus(int32_t answer) {
  for (const StatusRow& row : kFuStatus) {
    if (row.answer == answer) return row.code;
  }
  return 0x80000000u;
}

// The answer behind a code ("1100", "FU1"); none for a code no answer gives.
inline std::optional<std::string> answerOf(uint32_t code) {
  for (const StatusRow& row : kPlainStatus) {
    if (row.code == code) return std::to_string(row.answer);
  }
  for (const StatusRow& row : kFuStatus) {
    if (row.code == code) return "FU" + std::to_string(row.answer);
  }
  return std::nullopt;
}

}  // namespace qmstat
