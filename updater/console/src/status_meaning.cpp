#include "console/status_meaning.h"

#include <cstdio>
#include <string_view>

#include "updater/status_codes.h"

namespace qmqn {
namespace {

struct AnswerRow {
  uint32_t code;
  std::string_view answer;
};

// The libraries' tables read backwards (QnStat's GetStatus: FU100 as QmStat).
constexpr AnswerRow kAnswers[] = {
    {0x10001, "0"},      {0x10002, "1"},      {0x10004, "2"},      {0x10008, "1100"},
    {0x10010, "1200"},   {0x10020, "500"},    {0x20001, "1000"},   {0x20002, "1300"},
    {0x20004, "1400"},   {0x20008, "1500"},   {0x20010, "1600"},   {0x40001, "2000"},
    {0x40002, "2100"},   {0x40004, "2200"},   {0x40008, "2300"},   {0x40010, "2400"},
    {0x40020, "2500"},   {0x40040, "2600"},   {0x40080, "2700"},   {0x40100, "2800"},
    {0x80001, "3000"},   {0x100001, "FU1"},   {0x100002, "FU2"},   {0x100004, "FU3"},
    {0x100008, "FU100"}, {0x100010, "FU200"}, {0x100020, "FU300"},
};

}  // namespace

std::string statusHex(uint32_t status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(status));
  return text;
}

std::string statusMeaning(uint32_t status) {
  if (status == updater::kStatusNone) return "no status (not a QM/QN printer)";
  std::string answer;
  for (const AnswerRow& row : kAnswers) {
    if (row.code == status) answer = "answer " + std::string(row.answer) + ", ";
  }
  if (status == updater::kFlashRewriteMode) return answer + "firmware update mode";
  return answer + (updater::isReadyStatus(status) ? "ready" : "printer error");
}

}  // namespace qmqn
