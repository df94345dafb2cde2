// Files beside the simulator DLL: configuration, state (replaced atomically)
// and the optional trace.
#pragma once

#include <optional>
#include <string>

#include "printer_sim/simulator.h"

namespace printer_sim {

// Full path of the module that holds this code, without its extension.
std::wstring ownModuleBasePath();
std::wstring widen(const std::string& utf8);
std::optional<std::string> readWholeFile(const std::wstring& path);

class FileStateStore final : public StateStore {
public:
  explicit FileStateStore(std::wstring path) : path_(std::move(path)) {}
  std::optional<std::string> load() override { return readWholeFile(path_); }
  bool save(std::string_view text) override;
  // Under an exclusive lock of <state>.lock, held by one process at a time.
  bool update(const std::function<std::string(std::optional<std::string>)>& change) override;

private:
  std::wstring path_;
};

class FileTraceSink final : public TraceSink {
public:
  explicit FileTraceSink(std::wstring path) : path_(std::move(path)) {}
  void write(std::string_view line) override;

private:
  std::wstring path_;
};

}  // namespace printer_sim
