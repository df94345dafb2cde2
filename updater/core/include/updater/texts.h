// Every text the updater shows, in English and Japanese (UTF-8).
#pragma once
#include <string>
#include <string_view>

#include "updater/update_state.h"

namespace updater {

enum class TextId {
  PrinterNameCaption,
  FirmwareVerCaption,
  ColorDataCaption,
  CheckSumCaption,
  Step1,
  Step2,
  Step3,
  Step4,
  Step5,
  StartButton,
  CloseButton,
  UpdateDue,
  UpToDate,
  NotQmQn,
  PrinterError,
  Complete,
  FirmwareUpdateMode,
  NoUsablePrinter,
  PortInUse,
};

inline constexpr std::string_view kProgramTitle = "QM/QN Version Up Tool";
inline constexpr std::string_view kBadHandleMessage = "Error!";

std::string_view text(TextId id, bool japanese);
// The caption of update step 1 to 5.
constexpr TextId stepCaption(int step) { return static_cast<TextId>(static_cast<int>(TextId::Step1) + step - 1); }

// "<name> File Not Opend" and its kin; English in every language.
std::string fileMessage(std::string_view fileName, FileProblem problem);

}  // namespace updater
