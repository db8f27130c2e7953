// CWpp: the program's application object. It fills the slots the layers leave open and owns the
// program's content: the settings of the view, blink lights and garlands, the tree and its items,
// the composed picture, the blink lights, the main dialog and the desktop view window.
#pragma once

#include <windows.h>

#include <vector>

#include "app/CApp.h"
#include "app/CHotkeyWnd.h"
#include "app/CDesktopWatchWnd.h"
#include "app/CMainDlg.h"
#include "app/IMainDlgHost.h"
#include "app/TreeFiles.h"
#include "construct/ISceneHost.h"
#include "param/CEdges.h"
#include "param/CParam.h"
#include "param/CParamRegSet.h"
#include "param/CWatchedParam.h"
#include "scene/CBmp.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "scene/win/CResourcePictureSource.h"
#include "settings/ISettingsHost.h"
#include "view/CBlinkLights.h"
#include "view/CFrameBuilder.h"
#include "view/ComposeScene.h"
#include "view/FrameScene.h"
#include "view/IFrameSource.h"
#include "view/MonitorPlace.h"
#include "view/win/CViewWnd.h"

class CWpp : public CApp,
             public IMainDlgHost,
             public IFrameSource,
             public ISceneHost,
             public ISettingsHost,
             public IDesktopWatchSink {
public:
    static constexpr UINT kBlinkMaskId = 161;
    static constexpr UINT kBlinkStripId = 162;
    static constexpr wchar_t kTreeSection[] = L"*prof*Items\\Tree";
    static constexpr wchar_t kViewSection[] = L"*prof*Options\\ViewWnd";
    static constexpr wchar_t kBlinkSection[] = L"*prof*Options\\Blinks";
    static constexpr wchar_t kGarlandSection[] = L"*prof*Options\\Garland";
    static constexpr wchar_t kItemWindowSection[] = L"Options\\Windows\\Item";

    CWpp();
    ~CWpp() override;

    // The application object of this process (the last one constructed), or null.
    static CWpp* Instance() noexcept;

    bool Init() override;
    bool Exit() override;
    bool LoadOptions() override;
    void SaveProfileOptions() override;
    bool CreateMainWindow(HWND parent) override;
    void DestroyWindows() override;
    void AbandonStart() override;
    CDialog* MainDialog() override { return &m_mainDlg; }
    HWND TrayWindow() override { return m_mainDlg.GetHwnd(); }
    UINT TrayMessage() override;
    UINT TrayIcon() override;
    bool OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) override;
    HMENU CreateTrayMenu() override;
    // "Show tree" / "Hide tree" and "Let clicks through" of the icon's menu.
    bool OnTrayCommand(UINT command) override;
    // The hide hotkey's refusal, while the system refuses it.
    tstr TrayNote() override;

    // What the main dialog asks for (IMainDlgHost); the layers do the work.
    bool OnCancel() override { return CApp::OnCancel(); }
    // Waits for the dialogs over the main dialog to return first (CMainDlg::DeferClose).
    bool Close() override;
    bool QueryExit() override { return CApp::QueryExit(); }
    bool OnTrayNotify(WPARAM id, LPARAM event) override { return CApp::OnTrayNotify(id, event); }
    CSettingsStore& Store() noexcept override { return CApp::Store(); }
    // A tree file request handed over by another copy (app/TreeFileCommand.h): an import is
    // switched to at once; the user is told the outcome afterwards unless it came with /silent.
    LRESULT OnTreeFileRequest(const COPYDATASTRUCT& data) override;
    void ShowTreeFileNote() override;
    bool RunQueuedTreeCommand(bool confirmed) override;

    // The scene: composition (box, picture, garland layer) sizes the view window.
    void ComposeScene();
    // The program wants frames from now on: the timer runs unless nobody can see the tree (then
    // it starts once they can again). Answers whether frames run now.
    bool StartFrameTimer();
    // The program wants no frames (exit, or while the construction page swaps the scene).
    void StopFrameTimer();
    // Shows or hides the tree and starts or stops the frame timer as the view's rules decide
    // (view/ViewPauseRules.h). A stopped timer leaves the gradient index and the lights as they
    // were, so frames go on from where they stopped; a tree shown still gets one steady frame
    // when it had none of its present scene. Hiding never moves the window.
    bool UpdateFrameTimer();
    SViewPauseState PauseState() const;
    // Reloads the garland gradient from the resource the "id" option names.
    bool LoadGradient();
    // Places the first `num` lights again over the garland layer after the scene changed.
    void ReplaceBlinks();
    // The desktop view's display scale (its monitor's DPI).
    SViewScale ViewScale() const;
    // Loads the blink sprites (bitmaps 161 and 162) at the view's scale.
    void LoadBlinkSprites();

    // IFrameSource: what the view window draws each frame.
    const SFrameScene* FrameScene() override;
    const CBmp* Gradient() override { return &m_gradient; }
    int Opacity() override { return m_opaque.Get(); }
    IFrameLights* Lights() override { return &m_blinks; }
    // The view moved to a monitor of another scale: composed and its lights placed again, once.
    void OnViewDpiChanged() override;
    // Tree files dropped on the desktop tree are imported as those dropped on the main window.
    bool OnFilesDropped(HDROP__* drop) override;

    // ISceneHost: the construction page edits copies of this scene and swaps them in.
    CItem& SceneTree() override { return m_tree; }
    CColReg<CItem*>& SceneItems() override { return m_items; }
    CItem& NewItemTemplate() override { return m_templateToy; }
    CParam<unsigned int>& ItemDialogSide() override { return m_itemWindowPos; }
    unsigned long ToolTint() override { return m_toolTint.Get(); }
    void BeginSceneChange() override;
    void EndSceneChange() override;
    // Imported as if handed over by another copy; the outcome is told once the page is idle.
    void ImportTreeFiles(const std::vector<tstr>& files) override;

    // ISettingsHost: the options the settings dialog's pages bind, and the actions behind them.
    CParam<int>& ViewOpacity() override { return m_opaque; }
    CParam<unsigned int>& GradientId() override { return m_gradientId; }
    bool ReloadGradient() override { return LoadGradient(); }
    CParam<int>& BlinkNum() override { return m_blinkNum; }
    CParam<int>& BlinkFreq() override { return m_blinkFreq; }
    CParam<int>& BlinkSize() override { return m_blinkSize; }
    CParam<bool>& AutostartFlag() override { return m_autostart; }
    bool RefreshAutostart() override { return CApp::RefreshAutostart(); }
    bool ApplyAutostart() override { return CApp::ApplyAutostart(); }
    CParam<int>& StartPlacement() override { return m_startPlacement; }
    CParam<bool>& HideForFullScreen() override { return m_hideForFullScreen; }
    CParam<bool>& PauseOnBattery() override { return m_pauseOnBattery; }
    CParam<bool>& AnimateAnyway() override { return m_animateAnyway; }
    CParam<bool>& HideFromCapture() override { return m_hideFromCapture; }
    // Where the system's version has it and the view's window takes its present choice.
    bool CanHideFromCapture() override;
    // Shows, stills or hides the tree and keeps it out of captures as the options now say.
    void ApplyViewOptions() override;
    CParam<bool>* ClickThrough() override { return &m_clickThrough; }
    CParam<unsigned int>* HideHotkey() override { return &m_hideHotkey; }
    bool HideHotkeyRefused() override { return m_hotkeyRefused; }
    std::vector<std::wstring> TreeList() override { return TreeNames(); }
    std::wstring ShownTree() override { return m_profile; }
    bool QueueTreeCommand(unsigned command, const std::wstring& tree) override;

    // The tree ignores the mouse (WS_EX_TRANSPARENT) while "Let clicks through" is on or the main
    // window is minimised; otherwise it takes clicks and drags.
    void ApplyClickThrough();
    // The user hides or shows the tree (hotkey, icon menu): hidden, it draws no frames and keeps
    // its place. Not stored: each start shows it.
    void SetTreeHidden(bool hidden);
    bool IsTreeHidden() const noexcept { return m_hiddenByUser; }
    // Takes the hide hotkey the option names (none for 0); false when the system refuses it,
    // which the icon's tip and the settings dialog's status bar then tell.
    bool HoldHideHotkey();
    // The tree back at its place on its own monitor; while that monitor is missing it is only
    // kept on screen (as without a stored monitor), and its own place is kept.
    void PlaceViewOnItsMonitor();
    bool ViewPlaceIsFallback() const noexcept { return m_placeFallback; }
    const SMonitorPlace& ViewMonitorPlace() const noexcept { return m_ownPlace; }
    // A drag by the user: the monitor the tree is on now becomes its own.
    void OnViewMovedByUser() override;
    // IDesktopWatchSink: whether anybody can see the tree, and display changes.
    void OnSeeingChanged() override { UpdateFrameTimer(); }
    void OnDisplaysChanged() override { KeepWindowsOnScreen(); }
    HWND WatchedWindow() override { return m_view.GetHwnd(); }
    // The tree back to its own monitor (or onto a monitor while that one is missing), and the main
    // window back onto a monitor when less than a quarter of it is on screen; a hidden or
    // minimised main window is checked when it is shown again.
    void KeepWindowsOnScreen();
    CDesktopWatchWnd& Watch() noexcept { return m_watch; }

    // --- trees: the stored profiles, each a whole decorated tree ---
    // The stored trees' names, in the store's order.
    std::vector<tstr> TreeNames();
    // Saves the tree shown now (the same safe save as at exit), then shows the stored tree `name`
    // at once: its scene, place on the desktop, opacity and view, blink and garland options; the
    // stored current tree follows. False, with nothing changed, when `name` is no stored tree, a
    // dialog is open over the main window, or the save failed.
    bool SwitchTree(const tstr& name);
    // A new tree with the default scene, shown at once; a copy of the tree shown under another
    // name, shown at once; the tree shown under another name; another stored tree deleted. Each
    // saves the tree shown first, takes only a name CheckTreeName accepts, and is refused (false,
    // nothing changed) while a dialog is open over the main window or when a save fails.
    bool NewTree(const tstr& name);
    bool DuplicateTree(const tstr& name);
    bool RenameTree(const tstr& name);
    bool DeleteTree(const tstr& name);
    // The icon menu's tree commands: asks the name (and, to delete, whether to), then acts; a
    // change that could not be stored is reported.
    void RunTreeCommand(UINT command);
    // "Import..." (a chosen tree file becomes a new tree, shown at once) and "Export..." (the tree
    // shown, saved first, into a chosen file); the outcome is told in a message box.
    void RunTreeFileCommand(bool exporting);

    CViewWnd& View() noexcept { return m_view; }
    CMainDlg& MainDlg() noexcept { return m_mainDlg; }

    // Content, in the order the program builds it.
    CEdges<CParam<int>, int> m_opaque;  // view opacity "opaque", 10..100
    CMainDlg m_mainDlg;
    SComposition m_composition;          // box, composed picture of tree and toys, garland layer
    CBmp m_work;                         // spare buffer for the construction page
    CViewWnd m_view;
    CBmp m_gradient;                     // garland colours: the first row of a 256 x 1 bitmap
    CParam<unsigned int> m_gradientId;   // "id": its bitmap resource
    CParamRegSet m_garlandSet;
    CParamRegSet m_viewSet;
    CParam<unsigned long> m_toolTint;    // tint of the construction page's tools; not stored
    CColReg<CItem*> m_items;
    CItem m_tree;
    CItem m_templateToy;                 // copied when the construction page adds a toy
    CParam<unsigned int> m_itemWindowPos;  // "pos" of the item settings dialog
    CParamRegSet m_itemWindowSet;
    CBlinkLights m_blinks;                 // 50 lights over the composed picture
    CParamRegSet m_blinkSet;
    CEdges<CParam<int>, int> m_blinkNum;   // "num" 0..50
    CEdges<CParam<int>, int> m_blinkFreq;  // "freq" 0..100
    CEdges<CParam<int>, int> m_blinkSize;  // "size" 20..200, stored only
    CBmp m_blinkMask;
    CBmp m_blinkStrip;
    // "View window" page options, stored with "opaque".
    CParam<bool> m_hideForFullScreen;  // "hidefullscreen", on
    CParam<bool> m_pauseOnBattery;     // "pausebattery", off
    CParam<bool> m_animateAnyway;      // "animatealways", off
    CParam<bool> m_hideFromCapture;    // "nocapture", off
    CWatchedParam<bool> m_clickThrough;        // "ClickThrough" in Options\Common
    CWatchedParam<unsigned int> m_hideHotkey;  // "HideHotkey" in Options\Common: hotkey control value

protected:
    // The profile's part of the options: tree, items, view, blink and garland options, every
    // one back to its default first, so nothing of another tree stays where a value is absent.
    void LoadTreeProfile();
    // That and the items' own windows' settings: what LoadOptions reads besides the program's options.
    void LoadTree();
    // Trees change only while no dialog is open over the main window (Settings and the item
    // dialogs edit copies of the tree shown) and after the start.
    bool CanChangeTrees() const;
    // The whole profile saved while the program runs (the safe save of the exit).
    bool SaveTreeNow();
    // The view's stored placement and its own monitor's place, applied to the view's window.
    void RestoreViewPlace();
    // Creates the desktop view window (a seam: tests make it fail).
    virtual bool CreateViewWindow(bool clickThrough) { return m_view.CreateView(clickThrough); }

private:
    CResourcePictureSource m_pictures;
    SFrameScene m_frameScene;
    bool m_exited = false;
    CDesktopWatchWnd m_watch;          // session, display power, full screen, display changes
    bool m_framesWanted = false;       // between StartFrameTimer and StopFrameTimer
    bool m_recheckMainOnShow = false;  // the displays changed while the main window was not shown
    bool m_composedOnce = false;       // the view's window was sized to a composition before
    bool m_hiddenByUser = false;       // the user hid the tree; not stored
    SViewPauseState m_lastState;       // what the view was last told
    EViewShow m_lastShow = EViewShow::Still;
    bool m_started = false;            // Init has finished: option changes act on the windows
    CHotkeyWnd m_hotkey;               // holds the hide hotkey
    bool m_hotkeyRefused = false;      // the system refused the hide hotkey
    SMonitorPlace m_ownPlace;          // the tree's own monitor and its place there
    STreeFileOutcome m_treeFileNote;   // the outcome of a handed-over request, until it is shown
    bool m_placeFallback = false;      // its own monitor is missing: shown on another
    std::vector<tstr> m_menuTrees;     // the trees the icon's menu listed, in its order
    unsigned m_queuedTreeCommand = 0;  // a Common page's tree command, run once Settings closed
    tstr m_queuedTree;
};

