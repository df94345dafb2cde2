#include "launcher/updater_path.h"

#include <gtest/gtest.h>

namespace launcher {
namespace {

struct PathRow {
  std::wstring_view moduleFile;
  std::wstring_view updater;
};

constexpr PathRow kRows[] = {
    {L"C:\\Package\\QMQN_VerUpTool.exe", L"C:\\Package\\tool\\QMQN_VerUpTool.exe"},
    {L"C:\\QMQN_VerUpTool.exe", L"C:\\tool\\QMQN_VerUpTool.exe"},
    {L"D:\\a b\\c\\QMQN_VerUpTool.exe", L"D:\\a b\\c\\tool\\QMQN_VerUpTool.exe"},
    {L"\\\\server\\share\\pkg\\x.exe", L"\\\\server\\share\\pkg\\tool\\QMQN_VerUpTool.exe"},
    {L"\\\\?\\C:\\long\\QMQN_VerUpTool.exe", L"\\\\?\\C:\\long\\tool\\QMQN_VerUpTool.exe"},
    {L"E:\\\u30c4\u30fc\u30eb\\QMQN_VerUpTool.exe", L"E:\\\u30c4\u30fc\u30eb\\tool\\QMQN_VerUpTool.exe"},
    {L"QMQN_VerUpTool.exe", L""},
    {L"", L""},
};

TEST(UpdaterPath, ToolDirectoryBesideTheLauncher) {
  for (const PathRow& row : kRows) {
    EXPECT_EQ(updaterPath(row.moduleFile), row.updater);
  }
}

TEST(UpdaterPath, CommandLineIsTheQuotedPathAlone) {
  EXPECT_EQ(commandLine(L"C:\\a b\\tool\\QMQN_VerUpTool.exe"),
            L"\"C:\\a b\\tool\\QMQN_VerUpTool.exe\"");
}

}  // namespace
}  // namespace launcher
