// Steps the scenarios share: reading the port dialog's list, choosing a
// printer and the language, pressing buttons, reading Form1's controls.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "win32_gui_session.h"

namespace gui {

// The simulated printers the test script registers for most scenarios.
inline constexpr const wchar_t* kQmPrinter = L"QM Thermal Printer";
inline constexpr const wchar_t* kQnPrinter = L"QN Thermal Printer";

// Adds a printer section (lines of "key = value") to the simulated QM
// monitor's configuration in the package copy, before the updater starts.
bool addSimulatedPrinter(Session& s, const char* port, const char* lines);

std::wstring listEntry(HWND list, int index);
// The answer to a message without arguments; -2 when there was none.
long long sendValue(HWND window, UINT message);
int findEntry(HWND list, const wchar_t* name);

// The dialog as it opens: captions, the usable printers only (the session's
// list, else defaultPrinters), the first one selected, "English" selected.
void checkPortDialog(Session& s, HWND dialog, std::initializer_list<const wchar_t*> defaultPrinters);
void choosePrinter(Session& s, HWND dialog, const wchar_t* name);
void chooseJapanese(Session& s, HWND dialog);
void pressAndWaitGone(Session& s, HWND dialog, int button);

bool enabled(HWND form, updater::Element e);
bool visible(HWND form, updater::Element e);
unsigned long colour(HWND form, updater::Element e);
bool hasProperty(HWND window, const wchar_t* name, unsigned long want);

// Close (or the close box) ends the program.
void closeForm1(Session& s, HWND form, bool closeBox);
// Waits for the end state of a whole update (English or Japanese text).
void waitComplete(Session& s, HWND form, const wchar_t* complete);
// Waits until the flash write wait is under way: step 4 open, bar moving.
void waitFlashWrite(Session& s, HWND form);

}  // namespace gui
