// The command line of qmqn: one command and its options. Arguments are UTF-8.
#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qmqn {

enum class Command { Help, List, Info, Check, Update, History };

struct Target {
  enum class By { Name, Port, All };
  By by = By::Name;  // history without a printer: All
  std::string text;  // device name or port; empty with All
};

struct Arguments {
  Command command = Command::Help;
  Target target;
  bool json = false;
  bool force = false;
  bool japanese = false;
  std::string logFile;  // empty: no log
  std::string since;    // history: runs that started then or later (UTC, a date or a time)
  std::string trace;    // history: the run whose whole record to print
  // update --all: at most this many printers at once, each in a process of
  // its own; 0: one after the other, in this process.
  int parallel = 0;
  // A printer process of a parallel update: how its progress reaches the
  // parent (rows it draws on a console, or tagged lines). Not in the help.
  enum class Child { None, Rows, Lines };
  Child child = Child::None;
};

// At most this many printer processes run at once.
inline constexpr int kMaxParallel = 8;
// --parallel without a number: as many as there are printers to update.
inline constexpr int kParallelAll = kMaxParallel + 1;

struct ParsedArguments {
  std::optional<Arguments> arguments;
  std::string error;  // why the line was refused, with arguments empty
};

ParsedArguments parseArguments(std::span<const std::string> args);

// The text of `qmqn --help`, with the exit-code table.
std::string helpText();

}  // namespace qmqn
