// Shared pieces of the settings dialog tests: a settings host with its own options that records
// what the pages ask, a modeless settings dialog placed on the screen, real input through
// xdotool, and a pump that gives the dialog its keyboard handling.
#pragma once

#include "param/CEdges.h"
#include "param/CParam.h"
#include "settings/CSettingsDlg.h"
#include "settings/ISettingsHost.h"
#include "XInput.h"

#include <windows.h>

#include <memory>
#include <cstdint>
#include <string>
#include <vector>

class CFakeSettingsHost : public ISettingsHost {
public:
    CFakeSettingsHost();
    CParam<int>& ViewOpacity() override { return opaque; }
    CParam<unsigned int>& GradientId() override { return gradient; }
    bool ReloadGradient() override {
        ++reloads;
        reloadedId = gradient.Get();
        return true;
    }
    CParam<int>& BlinkNum() override { return num; }
    CParam<int>& BlinkFreq() override { return freq; }
    CParam<int>& BlinkSize() override { return size; }
    CParam<bool>& AutostartFlag() override { return autostart; }
    bool RefreshAutostart() override {
        ++refreshes;
        autostart.Set(shortcutExists);
        return true;
    }
    bool ApplyAutostart() override {
        ++applies;
        shortcutExists = autostart.Get();
        return true;
    }
    CParam<int>& StartPlacement() override { return placement; }
    CParam<bool>& HideForFullScreen() override { return hideFullScreen; }
    CParam<bool>& PauseOnBattery() override { return pauseBattery; }
    CParam<bool>& AnimateAnyway() override { return animateAnyway; }
    CParam<bool>& HideFromCapture() override { return noCapture; }
    bool CanHideFromCapture() override { return captureSupported; }
    void ApplyViewOptions() override { ++viewApplies; }

    CEdges<CParam<int>, int> opaque, num, freq, size;
    CParam<unsigned int> gradient;
    CParam<bool> autostart;
    CParam<int> placement;
    CParam<bool> hideFullScreen, pauseBattery, animateAnyway, noCapture;
    bool captureSupported = true;
    int viewApplies = 0;
    bool shortcutExists = false;
    int reloads = 0, refreshes = 0, applies = 0;
    unsigned int reloadedId = 0;
};

namespace settings_test {

// Common controls, factory classes; once per process.
void Prepare();
// Dispatches the thread's messages for ms milliseconds, offering them to dialog first.
void Pump(HWND dialog, DWORD ms);
// Pumps until pred() holds (or ms passed); answers pred().
template <class Pred>
bool PumpUntil(HWND dialog, Pred pred, DWORD ms = 3000) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!pred() && ::GetTickCount64() < end) Pump(dialog, 10);
    return pred();
}
// Real input: xdotool runs while the dialog's messages are pumped.
void Click(HWND dialog, HWND control, POINT client);
void ClickCentre(HWND dialog, HWND control);
void Keys(HWND dialog, const std::wstring& keys);  // "key Right", "type 40"
// Starts xdotool and returns at once (for input while a modal loop runs the messages).
bool XdoAsync(const std::wstring& args);
// "mousemove X Y click 1 " for a client point of a window.
std::wstring ClickArgs(HWND control, POINT client);
// Centre of tab i of a tab control, in its client coordinates.
POINT TabCentre(HWND tabs, int i);
// Which page windows are visible, as a string of 0/1 in tab order ("0100").
std::string VisiblePages(const CSettingsDlg& dlg);
// The screen's pixel at (x, y) as 0x00RRGGBB.
std::uint32_t ScreenPixel(int x, int y);
// The screen's pixels in (x, y, w, h) as 0x00RRGGBB words, row by row.
std::vector<std::uint32_t> CaptureScreen(int x, int y, int w, int h);

}  // namespace settings_test

// A settings dialog made modeless for the test, placed at (100, 60), in front, with its pages.
class CShownSettings {
public:
    explicit CShownSettings(ISettingsHost* host);
    CShownSettings(ISettingsHost* host, std::span<const SSettingsPageSpec> pages);
    ~CShownSettings();
    CSettingsDlg dlg;
    HWND hwnd = nullptr;
    HWND Tabs() const { return ::GetDlgItem(hwnd, CSettingsDlg::kTabId); }
    HWND PageItem(int page, int id) const { return ::GetDlgItem(dlg.PageWindow(page), id); }
    // Clicks tab i and waits until its page shows.
    bool ShowTab(int i);
};
