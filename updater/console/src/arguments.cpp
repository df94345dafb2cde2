#include "console/arguments.h"

#include "console/exit_codes.h"

namespace qmqn {
namespace {

struct CommandName {
  std::string_view name;
  Command command;
};
constexpr CommandName kCommands[] = {
    {"list", Command::List}, {"info", Command::Info}, {"check", Command::Check}, {"update", Command::Update}, {"history", Command::History},
    {"help", Command::Help}, {"--help", Command::Help}, {"-h", Command::Help}, {"/?", Command::Help},
};

ParsedArguments refused(std::string why) { return {std::nullopt, std::move(why)}; }

// 2026-12-09, or 2026-12-09T08:30:00Z.
bool isUtcTime(std::string_view text) {
  const std::string_view shape = "dddd-dd-ddTdd:dd:ddZ";
  if (text.size() != 10 && text.size() != shape.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (shape[i] == 'd' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i]) return false;
  }
  return true;
}

bool isCount(std::string_view text) {
  return !text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

ParsedArguments parseArguments(std::span<const std::string> args) {
  if (args.empty()) return refused("no command given");
  Arguments a;
  bool known = false;
  for (const CommandName& c : kCommands) {
    if (args[0] == c.name) {
      a.command = c.command;
      known = true;
    }
  }
  if (!known) return refused("unknown command '" + args[0] + "'");
  if (a.command == Command::Help) return {a, {}};

  bool haveTarget = false;
  bool haveLang = false;
  auto setTarget = [&](Target::By by, std::string text) {
    if (haveTarget) return false;
    a.target = {by, std::move(text)};
    haveTarget = true;
    return true;
  };
  bool optionsEnd = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (optionsEnd) {
      // After --: a device name, even one that starts with a dash.
      if (a.command == Command::List || arg.empty()) return refused("unexpected argument '" + arg + "'");
      if (!setTarget(Target::By::Name, arg)) return refused("more than one printer given");
    } else if (arg == "--") {
      optionsEnd = true;
    } else if (arg == "--json") {
      a.json = true;
    } else if (arg == "--force" && a.command == Command::Update) {
      a.force = true;
    } else if (arg == "--parallel" && a.command == Command::Update) {
      a.parallel = kParallelAll;
      if (hasValue && isCount(args[i + 1])) {
        a.parallel = std::stoi(args[++i]);
        if (a.parallel < 1 || a.parallel > kMaxParallel) {
          return refused("--parallel takes 1 to " + std::to_string(kMaxParallel) + " printers at once");
        }
      }
    } else if (arg == "--child" && a.command == Command::Update) {
      if (!hasValue || (args[i + 1] != "rows" && args[i + 1] != "lines")) return refused("--child takes rows or lines");
      a.child = args[++i] == "rows" ? Arguments::Child::Rows : Arguments::Child::Lines;
    } else if (arg == "--all" && (a.command == Command::Update || a.command == Command::Check)) {
      if (!setTarget(Target::By::All, {})) return refused("more than one printer given");
    } else if (arg == "--port" && a.command != Command::List) {
      if (!hasValue || args[i + 1].empty()) return refused("--port needs a port name");
      if (!setTarget(Target::By::Port, args[++i])) return refused("more than one printer given");
    } else if (arg == "--lang") {
      if (!hasValue || (args[i + 1] != "en" && args[i + 1] != "ja")) return refused("--lang takes en or ja");
      if (haveLang) return refused("--lang given twice");
      haveLang = true;
      a.japanese = args[++i] == "ja";
    } else if (arg == "--log" && a.command == Command::Update) {
      if (!hasValue || args[i + 1].empty()) return refused("--log needs a file name");
      if (!a.logFile.empty()) return refused("--log given twice");
      a.logFile = args[++i];
    } else if (arg == "--since" && a.command == Command::History) {
      if (!hasValue || !isUtcTime(args[i + 1])) return refused("--since takes a UTC date, 2026-12-09, or time, 2026-12-09T08:30:00Z");
      a.since = args[++i];
    } else if (arg == "--trace" && a.command == Command::History) {
      if (!hasValue || args[i + 1].empty()) return refused("--trace needs a run, as history lists it");
      a.trace = args[++i];
    } else if (arg.starts_with("-") && arg.size() > 1) {
      return refused("unknown option '" + arg + "' for " + args[0]);
    } else if (a.command == Command::List || arg.empty()) {
      return refused("unexpected argument '" + arg + "'");
    } else if (!setTarget(Target::By::Name, arg)) {
      return refused("more than one printer given");
    }
  }
  if (a.command == Command::History && !haveTarget) a.target.by = Target::By::All;
  if (a.parallel != 0 && a.target.by != Target::By::All) return refused("--parallel goes with --all");
  if (a.child != Arguments::Child::None && (a.target.by == Target::By::All || a.parallel != 0)) {
    return refused("--child updates one printer");
  }
  if (a.command != Command::List && a.command != Command::History && !haveTarget) {
    return refused(args[0] + " needs a printer: a device name or --port PORT" +
                   (a.command == Command::Update || a.command == Command::Check ? " or --all" : ""));
  }
  return {a, {}};
}

std::string helpText() {
  std::string t =
      "qmqn - maintenance of QM and QN printers from the command line\n"
      "\n"
      "  qmqn list [--json]\n"
      "      Every installed printer: port, usable or why not, and for a usable one the\n"
      "      family, status, firmware and colour control data versions, and whether an\n"
      "      update is due. Sends no command that changes a printer.\n"
      "  qmqn info PRINTER|--port PORT [--json]\n"
      "      Everything the status library reads of one printer.\n"
      "  qmqn check PRINTER|--port PORT|--all [--json]\n"
      "      Whether an update is due, as the updater's start-up check finds it; sends\n"
      "      no command that changes a printer. Exit 0: up to date; 12: update due.\n"
      "  qmqn update PRINTER|--port PORT|--all [--parallel [N]] [--force] [--lang en|ja]\n"
      "              [--log FILE] [--json]\n"
      "      Updates the firmware and, for QM, the colour control data, when due.\n"
      "      --all       every usable QM/QN printer, one after the other\n"
      "      --parallel  with --all: up to N printers on different ports at once,\n"
      "                each in a process of its own (N: 1 to 8; default: all, at most 8)\n"
      "      --force     update even when the printer is up to date\n"
      "      --lang      language of the step names and messages (default en)\n"
      "      --log       append one line per printer to FILE\n"
      "      --json      one JSON object per printer instead of the summary\n"
      "  qmqn history [PRINTER|--port PORT] [--since DATE] [--json]\n"
      "      The updates recorded on this host, newest first, from the window and from\n"
      "      qmqn; interrupted and running ones are marked. --json: one object per run.\n"
      "  qmqn history --trace RUN\n"
      "      One run's whole record: every step, library call, wait and message.\n"
      "\n"
      "PRINTER is a device name: exact, or a unique beginning of one, in any case\n"
      "(after --, a name may start with a dash).\n"
      "Ctrl+C during an update stops once the printers being updated are safe.\n"
      "\n"
      "Exit codes (with several printers the worst one):\n";
  for (const ExitCodeRow& row : exitCodeTable()) {
    std::string code = std::to_string(row.code);
    t += "  " + std::string(4 - code.size(), ' ') + code + "  " + std::string(row.meaning) + "\n";
  }
  return t;
}

}  // namespace qmqn
