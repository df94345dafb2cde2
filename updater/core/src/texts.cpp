#include "updater/texts.h"

#include <array>

namespace updater {
namespace {

struct Entry {
  TextId id;
  std::string_view english;
  std::string_view japanese;
};

// Spellings and double blanks are the program's own; keep them.
constexpr std::array kTexts{
    Entry{TextId::PrinterNameCaption, "Printer Name ", "プリンタ名 "},
    Entry{TextId::FirmwareVerCaption, "Firmware Ver. ", "ファーム Ver. "},
    Entry{TextId::ColorDataCaption, "Color Control Data ", "色制御データ "},
    Entry{TextId::CheckSumCaption, "Check Sum ", "チェックサム "},
    Entry{TextId::Step1, "Transmission data is ready.", "送信データの読み込み"},
    Entry{TextId::Step2, "Printer has switched to rewrite mode.",
          "ファームウェア書替えモードへの切り替え"},
    Entry{TextId::Step3, "Firmware has been transmitted.", "プリンタへのデータ送信"},
    Entry{TextId::Step4, "Firmware has been written to flash ROM.", "フラッシュROMへの書込み"},
    Entry{TextId::Step5, "Color control data is transmitted and written.", "色制御データの書込み"},
    Entry{TextId::StartButton, "Start", "開\u3000始"},
    Entry{TextId::CloseButton, "Close", "終\u3000了"},
    Entry{TextId::UpdateDue, "Push [START] button.", "[開始]ボタンをクリック。"},
    Entry{TextId::UpToDate, "Firmware is already written.  Push [Close] botton.",
          "アップデート済みです。 [終了]ボタンをクリック。"},
    Entry{TextId::NotQmQn, "Printer is not QM/QN.  Push [Close] botton.",
          "QM/QNプリンタではありません。 [終了]ボタンをクリック。"},
    Entry{TextId::PrinterError, "Printer error.  Push [Close] botton.",
          "プリンタエラー。 [終了]ボタンをクリック。"},
    Entry{TextId::Complete, "** Complete **  Push [Close] button.",
          "完了しました。  [終了]ボタンをクリック。"},
    Entry{TextId::FirmwareUpdateMode, "Firmware Update Mode", "ファームウェア書替えモード"},
    Entry{TextId::NoUsablePrinter, "A usable printer is not connected or the power is not on.",
          "使用可能なプリンタが接続されていないか、または電源が入っていません。"},
    Entry{TextId::PortInUse,
          "This printer is in use by another QM/QN Version Up Tool.  Close that one first.",
          "このプリンタは別のQM/QN Version Up Toolが使用中です。 そちらを終了してください。"},
};

constexpr bool tableInOrder() {
  for (size_t i = 0; i < kTexts.size(); ++i) {
    if (static_cast<size_t>(kTexts[i].id) != i) return false;
  }
  return true;
}
static_assert(tableInOrder(), "text table is indexed by TextId");

}  // namespace

std::string_view text(TextId id, bool japanese) {
  const Entry& entry = kTexts[static_cast<size_t>(id)];
  return japanese ? entry.japanese : entry.english;
}

std::string fileMessage(std::string_view fileName, FileProblem problem) {
  std::string message(fileName);
  switch (problem) {
    case FileProblem::NotOpened:
      message += " File Not Opend";
      break;
    case FileProblem::TooLarge:
      message += " File Too Large";
      break;
    case FileProblem::NotValid:
      message += " File Not Valid";
      break;
    case FileProblem::Changed:
      message += " File Changed";
      break;
  }
  return message;
}

}  // namespace updater
