// Helpers of the item and tree dialog tests: the program's pictures as the item source, a parent
// window and a page window that counts its repaints, a modal runner that plays a script inside
// the dialog's own message loop, real input through xdotool, and picture comparisons.
#pragma once

#include "construct/CNavPaneItem.h"
#include "scene/CBmp.h"
#include "scene/CItem.h"
#include "wnd/CDialog.h"

#include "../wnd/Pump.h"
#include "XInput.h"

#include <windows.h>

#include <functional>
#include <string>

// Common controls, the resource picture source for items, no scene host, no open page.
void SetUpDialogTests();

// A plain top-level window at (x, y) of w x h, shown; counts its WM_PAINT messages.
class CTestWindow {
public:
    CTestWindow() = default;
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;
    bool Create(int x, int y, int w, int h, const wchar_t* title = L"Test parent");
    HWND Hwnd() const { return m_hwnd; }
    int paints = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

// Runs the dialog modally over parent. script runs inside the dialog's message loop once the
// dialog is up and is expected to end it; a dialog it leaves open is cancelled afterwards and
// scriptLeftItOpen is set. Answers DoModal's result.
struct SModalRun {
    INT_PTR result = 0;
    bool scriptLeftItOpen = false;
};
SModalRun RunModal(CDialog& dlg, UINT templateId, HWND parent, const std::function<void(HWND)>& script);

// Ends a script with keys the dialog manager must see (Enter, Escape): xdotool presses them once
// the script has returned to the dialog's own loop. A dialog still open after a few seconds is
// cancelled and counted as left open.
void FinishWithKeys(const std::wstring& keys);

// A pane entry with one leading tool whose picture is a 4 x 4 marker (no pane window).
CNavPaneItem* NewEntryWithTool();
const CBmp& EntryPicture(CNavPaneItem* entry);

std::wstring TextOf(HWND control);
bool SamePixels(const CBmp& a, const CBmp& b);
// The built-in bitmap as an item would hold it (cropped to its content).
CBmp BuiltInPicture(int id);
// Clicks the middle of a dialog control with the real pointer, pumping while xdotool works.
bool Click(HWND dialog, int id, DWORD pumpMs = 600);
// "key --delay 40 ..." with the key names that type text (letters, digits, : \\ . - _ space /).
std::wstring KeysFor(const std::wstring& text);
// Clicks the dialog's "..." button (real pointer), types file into the system's open-file dialog
// (real keys) and presses Enter there. Answers whether a window titled "open file" came up.
bool ChooseInOpenFileDialog(HWND dialog, int browseId, const std::wstring& file);
// Sends the dialog the command a control would send.
void Command(HWND dialog, int id, WORD code);
// Top-level windows of this thread that are visible.
int VisibleThreadWindows();
// A test data file as a Windows path (the Linux tree is drive Z: under Wine).
std::wstring DataPath(const std::string& relative);
// A fresh folder for this test's files (under the Wine prefix's temp folder).
std::wstring TempFolder(const wchar_t* name);
