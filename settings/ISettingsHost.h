// ISettingsHost: what the option pages of the settings dialog ask of the program: the options they
// bind (view opacity, garland gradient, blink lights, autostart, start placement) and the few
// actions behind them (reloading the garland gradient, reading and applying the autostart
// shortcut); the tree's click-through and its hide hotkey. The application implements it and registers itself; tests register their own host.
// Pages opened with no host bind nothing.
#pragma once

#include "param/CParam.h"

#include <string>
#include <vector>

class ISettingsHost {
public:
    virtual ~ISettingsHost() = default;

    // "opaque" of the desktop view (10..100); the view reads it every frame.
    virtual CParam<int>& ViewOpacity() = 0;

    // "id": the bitmap resource of the garland gradient.
    virtual CParam<unsigned int>& GradientId() = 0;
    // Loads the view's garland gradient again from the resource GradientId names.
    virtual bool ReloadGradient() = 0;

    // Blink lights: how many are drawn ("num"), how often they blink ("freq"), "size" (kept only).
    virtual CParam<int>& BlinkNum() = 0;
    virtual CParam<int>& BlinkFreq() = 0;
    virtual CParam<int>& BlinkSize() = 0;

    // "Start with Windows": true while the shortcut exists in the user's Startup folder.
    virtual CParam<bool>& AutostartFlag() = 0;
    // Sets the flag from whether the shortcut exists.
    virtual bool RefreshAutostart() = 0;
    // Creates the shortcut when the flag is set, deletes it when clear.
    virtual bool ApplyAutostart() = 0;
    // How the main window shows when the program starts (0 shown, 1 minimised, 2 as at the last exit).
    virtual CParam<int>& StartPlacement() = 0;

    // The desktop view's behaviour among other programs: hide it while a full-screen program is in
    // front ("hidefullscreen"), keep it still on battery ("pausebattery"), animate even when
    // Windows' animations are off ("animatealways"), keep it out of screenshots and screen sharing
    // ("nocapture", only where the system can).
    virtual CParam<bool>& HideForFullScreen() = 0;
    virtual CParam<bool>& PauseOnBattery() = 0;
    virtual CParam<bool>& AnimateAnyway() = 0;
    virtual CParam<bool>& HideFromCapture() = 0;
    virtual bool CanHideFromCapture() = 0;
    // The view follows those options now (the page calls it on every change, Cancel included).
    virtual void ApplyViewOptions() = 0;
    // Options a host may lack (null: the page leaves their controls alone).
    // "ClickThrough": the tree lets every click through to the windows below it.
    virtual CParam<bool>* ClickThrough() { return nullptr; }
    // "HideHotkey": the hotkey that hides and shows the tree, as a hotkey control's value (0: none).
    virtual CParam<unsigned int>* HideHotkey() { return nullptr; }
    // Whether the system refused the hide hotkey (another program holds it).
    virtual bool HideHotkeyRefused() { return false; }

    // Trees (a host without them offers none): the stored trees in the store's order, and the
    // one shown.
    virtual std::vector<std::wstring> TreeList() { return {}; }
    virtual std::wstring ShownTree() { return {}; }
    // Keeps a tree command of the Common page (the icon menu's tree command ids, or
    // IDC_COMMON_TREE_SHOW with the tree to show) to run once the settings dialog has closed as
    // with OK, after which the dialog opens again on that page; false when the host has no trees.
    virtual bool QueueTreeCommand(unsigned /*command*/, const std::wstring& /*tree*/) { return false; }
};

// The registered host, or null.
ISettingsHost* SettingsHost() noexcept;
void SetSettingsHost(ISettingsHost* host) noexcept;
