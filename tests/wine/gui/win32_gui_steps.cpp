#include "win32_gui_steps.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <cstdio>
#include <vector>

#include "win32_gui_probe.h"

namespace gui {

using E = updater::Element;

bool addSimulatedPrinter(Session& s, const char* port, const char* lines) {
  const std::wstring ini = s.packageDir() + L"\\tool\\ZAPQMLM.ini";
  HANDLE file = CreateFileW(ini.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string section = std::string("\r\n[printer ") + port + "]\r\nfamily = QM\r\n" + lines;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, section.data(), static_cast<DWORD>(section.size()), &written, nullptr);
  CloseHandle(file);
  return ok != FALSE && written == section.size();
}

bool hasProperty(HWND window, const wchar_t* name, unsigned long want) { return property(window, name) == want; }

std::wstring listEntry(HWND list, int index) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 3000, &length) ||
      length > 255) {
    return L"<no answer>";
  }
  std::array<wchar_t, 257> buffer{};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()),
                           SMTO_ABORTIFHUNG, 3000, &copied)) {
    return L"<no answer>";
  }
  return std::wstring(buffer.data(), copied < 256 ? copied : 256);
}

long long sendValue(HWND window, UINT message) {
  DWORD_PTR value = 0;
  if (!SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, 3000, &value)) return -2;
  return static_cast<long long>(static_cast<LONG_PTR>(value));
}

int findEntry(HWND list, const wchar_t* name) {
  const long long count = sendValue(list, CB_GETCOUNT);
  for (int i = 0; i < count && i < 32; ++i) {
    if (listEntry(list, i) == name) return i;
  }
  return -1;
}

void checkPortDialog(Session& s, HWND dialog, std::initializer_list<const wchar_t*> defaultPrinters) {
  std::vector<std::wstring> printers(defaultPrinters.begin(), defaultPrinters.end());
  if (!s.listedPrinters().empty()) printers = s.listedPrinters();
  using namespace port_dialog;
  EXPECT_TEXT(s, dialog, kTitle);
  EXPECT_TEXT(s, control(dialog, kOk), L"OK");
  EXPECT_TEXT(s, control(dialog, kCancel), L"Cancel");
  EXPECT_TEXT(s, control(dialog, kPrinterFrame), L"Printer");
  EXPECT_TEXT(s, control(dialog, kLanguageFrame), L"Language");
  EXPECT_TEXT(s, control(dialog, kEnglish), L"English");
  EXPECT_TEXT(s, control(dialog, kJapanese), L"Japanese");
  HWND list = control(dialog, kPrinterList);
  EXPECT_NUMBER(s, sendValue(list, CB_GETCOUNT), static_cast<long long>(printers.size()));
  int index = 0;
  for (const std::wstring& name : printers) {
    const std::wstring got = listEntry(list, index);
    if (!EXPECT(s, got == name)) std::printf("  entry %d is \"%s\"\n", index, utf8(got).c_str());
    ++index;
  }
  EXPECT_NUMBER(s, sendValue(list, CB_GETCURSEL), 0);
  EXPECT_NUMBER(s, sendValue(control(dialog, kEnglish), BM_GETCHECK), BST_CHECKED);
  EXPECT_NUMBER(s, sendValue(control(dialog, kJapanese), BM_GETCHECK), BST_UNCHECKED);
}

void choosePrinter(Session& s, HWND dialog, const wchar_t* name) {
  HWND list = control(dialog, port_dialog::kPrinterList);
  const int index = findEntry(list, name);
  if (!EXPECT(s, index >= 0)) return;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 3000, &ignored);
  SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(port_dialog::kPrinterList, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG, 3000, &ignored);
  EXPECT_NUMBER(s, sendValue(list, CB_GETCURSEL), index);
}

void chooseJapanese(Session& s, HWND dialog) {
  HWND japanese = control(dialog, port_dialog::kJapanese);
  click(japanese);
  EXPECT(s, waitFor([&] { return sendValue(japanese, BM_GETCHECK) == BST_CHECKED; }, 5000));
  EXPECT_NUMBER(s, sendValue(control(dialog, port_dialog::kEnglish), BM_GETCHECK), BST_UNCHECKED);
}

void pressAndWaitGone(Session& s, HWND dialog, int button) {
  click(control(dialog, button));
  EXPECT(s, waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kWindowWaitMs));
}

bool enabled(HWND form, E e) { return IsWindowEnabled(element(form, e)) != FALSE; }
bool visible(HWND form, E e) { return IsWindowVisible(element(form, e)) != FALSE; }
unsigned long colour(HWND form, E e) { return static_cast<unsigned long>(property(element(form, e), kColourProperty)); }

void closeForm1(Session& s, HWND form, bool closeBox) {
  const DWORD id = processOf(form);
  if (closeBox) {
    PostMessageW(form, WM_CLOSE, 0, 0);
  } else {
    click(element(form, E::Command2));
  }
  EXPECT(s, waitProcessEnd(id, kProcessEndMs));
}

void waitComplete(Session& s, HWND form, const wchar_t* complete) {
  HWND status = element(form, E::Text5);
  const bool done = waitFor(
      [&] {
        std::wstring text;
        return tryText(status, text) && text == complete;
      },
      kUpdateWaitMs);
  if (!EXPECT(s, done)) std::printf("  Text5 is \"%s\"\n", utf8(text(status)).c_str());
}

void waitFlashWrite(Session& s, HWND form) {
  HWND bar = element(form, E::ProgressBar1);
  EXPECT(s, waitFor(
                [&] {
                  return hasProperty(element(form, E::Label15), kBoldProperty, kBoldOn) &&
                         property(bar, kProgressProperty) > 30001;
                },
                kUpdateWaitMs));
}

}  // namespace gui
