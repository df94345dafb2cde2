// Writes the stand-in release files into the directory given as argument.
#include <cstdio>
#include <fstream>
#include <string>

#include "printer_sim/sample_data.h"

namespace {

bool writeFile(const std::string& path, const char* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data, static_cast<std::streamsize>(size));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  using namespace printer_sim;
  const std::string dir = std::string(argv[1]) + "/";
  bool ok = true;
  for (Family f : {Family::QM, Family::QN}) {
    std::string text = makeSampleFirmware(f);
    ok &= writeFile(dir + firmwareFileName(f), text.data(), text.size());
  }
  auto qmd = makeSampleColorData();
  ok &= !qmd.empty() && writeFile(dir + std::string(kColorDataFileName), reinterpret_cast<const char*>(qmd.data()), qmd.size());
  if (!ok) std::fprintf(stderr, "writing the sample data failed\n");
  return ok ? 0 : 1;
}
