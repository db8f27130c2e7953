#include "app/CWpp.h"

#include <algorithm>

#include "app/CButtonWnd.h"
#include "app/ScreenGeometry.h"
#include "app/TrayMenu.h"
#include "app/CTreeNameDlg.h"
#include "app/TreeNames.h"
#include "app/WindowPlacement.h"

#include <commctrl.h>

#include <cwchar>
#include <tuple>
#include <utility>

#include "resource.h"
#include "scene/DefaultScene.h"
#include "scene/ItemPicture.h"
#include "view/CRandom.h"
#include "app/FactoryClasses.h"
#include "wnd/Messages.h"
#include "wnd/ResourceText.h"

namespace {

CWpp* g_instance = nullptr;

// The hide hotkey when none is stored: Ctrl+Alt+Shift+T (a hotkey control's value).
constexpr unsigned int kDefaultHideHotkey = ((HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT) << 8) | 'T';
// The tree's own monitor in the view's section: device name and corner on its work area (100 % units).
constexpr wchar_t kMonitorName[] = L"mon";
constexpr wchar_t kMonitorX[] = L"monx";
constexpr wchar_t kMonitorY[] = L"mony";

template <class P>
void Bounded(P& param, int min, int max, int value, const wchar_t* name) {
    param.SetRange(min, max);
    param.Set(value);
    param.SetName(name);
}

}  // namespace

CWpp* CWpp::Instance() noexcept { return g_instance; }

CWpp::CWpp()
    : m_mainDlg(*this),
      m_garlandSet(&m_store),
      m_viewSet(&m_store),
      m_itemWindowSet(&m_store),
      m_blinks(m_blinkMask, m_blinkStrip, m_composition.picture, m_blinkNum, m_blinkFreq, CRandom::Shared()),
      m_blinkSet(&m_store),
      m_pictures(nullptr) {
    m_store.SetMode(true);
    m_store.SetNames(L"Holverin", L"Pinarbo");
    m_store.SetRoot(L"Software\\Holverin\\Pinarbo");
    m_displayName = L"Pinarbo";

    Bounded(m_opaque, 10, 100, 75, L"opaque");
    m_toolTint.Set(0xFF337733UL);
    m_gradientId.Set(IDB_GRADIENT_HUE);
    m_gradientId.SetName(L"id");
    m_templateToy.Setup(L"Toy", CItem::kToy, IDB_TOY_ROUND, 0, 0, 0, 100, 100, 0, 0);
    m_itemWindowPos.Set(1);
    m_itemWindowPos.SetName(L"pos");
    m_tree.Setup(L"XMas Tree", CItem::kTree, IDB_TREE_DEFAULT, 0, 0, 0, 100, 100, 0, 0);
    Bounded(m_blinkNum, 0, 50, 25, L"num");
    Bounded(m_blinkFreq, 0, 100, 50, L"freq");
    Bounded(m_blinkSize, 20, 200, 100, L"size");
    for (auto [param, value, name] : {std::tuple{&m_hideForFullScreen, true, L"hidefullscreen"},
                                      std::tuple{&m_pauseOnBattery, false, L"pausebattery"},
                                      std::tuple{&m_animateAnyway, false, L"animatealways"},
                                      std::tuple{&m_hideFromCapture, false, L"nocapture"}}) {
        param->Set(value);
        param->SetDefault(value);
        param->SetName(name);
    }

    m_viewSet.SetSection(kViewSection);
    m_viewSet.Add(&m_opaque);
    m_viewSet.Add(&m_hideForFullScreen);
    m_viewSet.Add(&m_pauseOnBattery);
    m_viewSet.Add(&m_animateAnyway);
    m_viewSet.Add(&m_hideFromCapture);
    m_garlandSet.SetSection(kGarlandSection);
    m_garlandSet.Add(&m_gradientId);
    m_itemWindowSet.SetSection(kItemWindowSection);
    m_itemWindowSet.Add(&m_itemWindowPos);
    m_blinkSet.SetSection(kBlinkSection);
    m_blinkSet.Add(&m_blinkNum);
    m_blinkSet.Add(&m_blinkFreq);
    m_blinkSet.Add(&m_blinkSize);
    m_clickThrough.Set(false);
    m_clickThrough.Watch([](void* self) { static_cast<CWpp*>(self)->ApplyClickThrough(); }, this);
    m_hideHotkey.Set(kDefaultHideHotkey);
    m_hideHotkey.SetDefault(kDefaultHideHotkey);
    m_hideHotkey.Watch([](void* self) { static_cast<CWpp*>(self)->HoldHideHotkey(); }, this);

    CItem::SetPictureSource(&m_pictures);
    ::SetPriorityClass(::GetCurrentProcess(), IDLE_PRIORITY_CLASS);
    g_instance = this;
    SetSceneHost(this);
    SetSettingsHost(this);
}

CWpp::~CWpp() {
    m_watch.Stop();
    m_hotkey.Destroy();
    m_view.SetFrameSource(nullptr);
    m_view.StopFrameTimer();
    // While every member still exists: the main dialog saves its placement when destroyed.
    if (const HWND main = m_mainDlg.GetHwnd(); main && ::IsWindow(main)) ::DestroyWindow(main);
    if (CItem::PictureSource() == &m_pictures) CItem::SetPictureSource(nullptr);
    if (g_instance == this) g_instance = nullptr;
    if (SceneHost() == this) SetSceneHost(nullptr);
    if (SettingsHost() == this) SetSettingsHost(nullptr);
}

UINT CWpp::TrayMessage() { return kWmTrayNotify; }

UINT CWpp::TrayIcon() { return IDI_APP; }

bool CWpp::Init() {
    RegisterFactoryWindowClasses();
    CRandom::Shared().Seed(::GetTickCount());
    m_common.Add(&m_clickThrough, L"ClickThrough");
    m_common.Add(&m_hideHotkey, L"HideHotkey");
    m_autostartAtInit = false;  // read below, once the windows show
    if (!CApp::Init()) return false;

    m_items.SetNames(L"*prof*Items", L"%03d");
    {
        const CProfileLock lock = LockForLoad();
        m_items.Create(m_store, 0);
        CApp::LoadOptions();  // the program's own options: all the main window needs
    }
    ShowMainWindow();
    // The main window is drawn before the tree is read, which it does not show.
    if (const HWND shown = m_mainDlg.GetHwnd(); shown && ::IsWindowVisible(shown)) ::UpdateWindow(shown);
    {
        // The tree read whole, while no other process of this user is saving the profile.
        const CProfileLock lock = LockForLoad();
        LoadTree();
    }

    const HWND main = m_mainDlg.GetHwnd();
    m_view.SetFrameSource(this);
    // Click-through while the main dialog is not on the screen (hidden, or started minimised), or
    // while the user wants every click to go through.
    if (!CreateViewWindow(m_clickThrough.Get() || !(main && ::IsWindowVisible(main) && !::IsIconic(main)))) {
        AbandonStart();
        return false;
    }
    RestoreViewPlace();
    ComposeScene();

    LoadGradient();
    LoadBlinkSprites();
    m_blinks.Create();
    m_pictures.ForgetDecoded();  // every item holds its own pictures now
    m_watch.Start(this);  // optional: without it frames simply never pause
    if (m_hideFromCapture.Get()) CanHideFromCapture();  // excludes the view where the system can
    StartFrameTimer();
    RefreshAutostart();  // once the windows show: naming the Startup folder loads the shell's DLLs
    m_started = true;
    HoldHideHotkey();  // optional: the tree is still shown and hidden from the icon's menu
    return true;
}

bool CWpp::Exit() {
    // Once only: a second end (the logon ending while the program already quits) would save the
    // released, empty scene over the user's tree.
    if (m_exited) return true;
    m_exited = true;
    m_watch.Stop();
    m_hotkey.Release();
    StopFrameTimer();
    SaveOptions();
    m_items.ReleaseAll();
    return CApp::Exit();
}

bool CWpp::Close() {
    if (m_mainDlg.DeferClose()) return true;
    return CApp::Close();
}

bool CWpp::LoadOptions() {
    CApp::LoadOptions();
    LoadTree();
    return true;
}

void CWpp::LoadTree() {
    LoadTreeProfile();
    m_itemWindowSet.LoadAll();
}

void CWpp::RestoreViewPlace() {
    // The view has no taskbar button: a stored minimised or maximised state would lose the tree.
    RestoreWindowPlacement(&m_store, m_view.GetHwnd(), kViewSection, true, EShowAs::Normal);
    tstr monitor, x, y;
    m_ownPlace = SMonitorPlace{};
    if (m_store.ReadString(kViewSection, kMonitorName, monitor) && m_store.ReadString(kViewSection, kMonitorX, x) &&
        m_store.ReadString(kViewSection, kMonitorY, y)) {
        m_ownPlace = SMonitorPlace{monitor, std::wcstol(x.c_str(), nullptr, 10), std::wcstol(y.c_str(), nullptr, 10)};
    }
    PlaceViewOnItsMonitor();
    m_view.ReadDpi();  // the monitor it was restored onto
}

void CWpp::LoadTreeProfile() {
    for (IParam* param : std::initializer_list<IParam*>{&m_opaque, &m_hideForFullScreen, &m_pauseOnBattery,
                                                       &m_animateAnyway, &m_hideFromCapture, &m_blinkNum,
                                                       &m_blinkFreq, &m_blinkSize}) {
        param->ResetToDefault();
    }
    m_gradientId.Set(IDB_GRADIENT_HUE);
    ResetTreeItem(m_tree);
    m_tree.Load(m_store, kTreeSection);
    if (m_tree.SourcePicture().IsEmpty()) {
        // The stored tree names no picture that loads (a wrong id, an unreadable file): a built-in
        // tree is shown rather than nothing, or than the picture of an earlier load; the stored
        // choice stays as it is.
        LoadItemPicture(m_tree);
        m_tree.Render();
    }
    m_items.LoadAll(&m_store, true);
    if (m_items.Count() == 0) AddDefaultScene(m_items);
    for (CItem* item : m_items.Items()) {
        // Stored items were prepared while loading; the default scene's are prepared here.
        if (item->Rendered().IsEmpty()) {
            LoadItemPicture(*item);
            item->Render();
        }
    }
    m_viewSet.LoadAll();
    m_blinkSet.LoadAll();
    m_garlandSet.LoadAll();
}

std::vector<tstr> CWpp::TreeNames() {
    std::vector<tstr> names;
    EnumProfiles(&names);
    return names;
}

namespace {

// The stored spelling of name among names, or empty.
tstr StoredName(const std::vector<tstr>& names, const tstr& name) {
    const auto it = std::find_if(names.begin(), names.end(), [&](const tstr& n) { return Profiles::SameName(n, name); });
    return it == names.end() ? tstr() : *it;
}

}  // namespace

bool CWpp::SaveTreeNow() {
    const bool saved = SaveOptions();
    // The save also clears the running copy's handle (it is made for the exit): others must
    // still find this copy.
    RewriteInstanceHandle();
    return saved;
}

bool CWpp::CanChangeTrees() const {
    const HWND main = m_mainDlg.GetHwnd();
    return m_started && !(main && !::IsWindowEnabled(main));
}

bool CWpp::NewTree(const tstr& name) {
    if (!CanChangeTrees() || CheckTreeName(name, TreeNames()) != ETreeNameProblem::None || !SaveTreeNow()) return false;
    BeginSceneChange();
    const tstr previous = m_profile;
    m_profile = name;
    {
        const CProfileLock lock = LockForLoad();  // nothing stored yet: every default
        m_items.Clear();
        LoadTreeProfile();
    }
    LoadGradient();
    ApplyViewOptions();
    EndSceneChange();
    if (SaveTreeNow()) return true;
    SwitchTree(previous);
    return false;
}

bool CWpp::DuplicateTree(const tstr& name) {
    if (!CanChangeTrees() || CheckTreeName(name, TreeNames()) != ETreeNameProblem::None || !SaveTreeNow()) return false;
    const tstr previous = m_profile;
    m_profile = name;  // the scene shown, saved under the new name
    if (SaveTreeNow()) return true;
    m_profile = previous;
    return false;
}

bool CWpp::RenameTree(const tstr& name) {
    std::vector<tstr> others = TreeNames();
    std::erase_if(others, [&](const tstr& n) { return Profiles::SameName(n, m_profile); });
    if (!CanChangeTrees() || CheckTreeName(name, others) != ETreeNameProblem::None) return false;
    const tstr previous = m_profile;
    m_profile = name;
    if (!SaveTreeNow()) {
        m_profile = previous;
        return false;
    }
    // Saved whole under the new name first: only then does the old one go.
    const CProfileLock lock = LockProfile();
    m_store.DeleteSection(tstr(Profiles::kSection) + L"\\" + previous);
    m_store.DeleteSection(tstr(Profiles::kPendingSection) + L"\\" + previous);
    return true;
}

bool CWpp::DeleteTree(const tstr& name) {
    const tstr stored = StoredName(TreeNames(), name);
    if (!CanChangeTrees() || stored.empty() || !Profiles::IsUsableName(stored) || Profiles::SameName(stored, m_profile))
        return false;
    const CProfileLock lock = LockProfile();
    const bool removed = m_store.DeleteSection(tstr(Profiles::kSection) + L"\\" + stored);
    m_store.DeleteSection(tstr(Profiles::kPendingSection) + L"\\" + stored);
    return removed;
}

void CWpp::RunTreeCommand(UINT command) {
    if (!CanChangeTrees()) return;
    using EMode = CTreeNameDlg::EMode;
    const EMode mode = command == IDM_TRAY_TREE_NEW         ? EMode::New
                       : command == IDM_TRAY_TREE_DUPLICATE ? EMode::Duplicate
                       : command == IDM_TRAY_TREE_RENAME    ? EMode::Rename
                                                            : EMode::Delete;
    CTreeNameDlg dialog(mode, TreeNames(), m_profile);
    if (dialog.DoModal(m_instance, IDD_TREE_NAME, MainWindow()) != IDOK || m_exited) return;
    bool done = false;
    switch (mode) {
    case EMode::New: done = NewTree(dialog.Name()); break;
    case EMode::Duplicate: done = DuplicateTree(dialog.Name()); break;
    case EMode::Rename: done = RenameTree(dialog.Name()); break;
    case EMode::Delete: {
        wchar_t question[512] = {};
        const tstr pattern = ResourceText(IDS_TREE_DELETE_ASK, L"Delete the tree \"%s\"?");
        std::swprintf(question, 512, pattern.c_str(), dialog.Name().c_str());
        const tstr caption = ResourceText(IDS_CONFIRMATION, m_displayName.c_str());
        if (::MessageBoxW(MainWindow(), question, caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        done = DeleteTree(dialog.Name());
        break;
    }
    }
    if (!done) {
        const tstr message = ResourceText(IDS_TREE_NOT_STORED, L"The change could not be stored.");
        ::MessageBoxW(MainWindow(), message.c_str(), m_displayName.c_str(), MB_OK | MB_ICONWARNING);
    }
}

bool CWpp::QueueTreeCommand(unsigned command, const std::wstring& tree) {
    m_queuedTreeCommand = command;
    m_queuedTree = tree;
    return true;
}

bool CWpp::RunQueuedTreeCommand(bool confirmed) {
    const unsigned command = std::exchange(m_queuedTreeCommand, 0u);
    const tstr tree = std::exchange(m_queuedTree, tstr());
    if (!confirmed || command == 0 || m_exited) return false;
    if (command == IDC_COMMON_TREE_SHOW) {
        SwitchTree(tree);
    } else if (command == IDM_TRAY_TREE_IMPORT || command == IDM_TRAY_TREE_EXPORT) {
        RunTreeFileCommand(command == IDM_TRAY_TREE_EXPORT);
    } else if (command >= IDM_TRAY_TREE_NEW && command <= IDM_TRAY_TREE_DELETE) {
        RunTreeCommand(command);
    } else {
        return false;
    }
    return !m_exited;
}

bool CWpp::SwitchTree(const tstr& name) {
    const std::vector<tstr> names = TreeNames();
    const auto stored = std::find_if(names.begin(), names.end(), [&](const tstr& n) { return Profiles::SameName(n, name); });
    if (stored == names.end() || !Profiles::IsUsableName(*stored)) return false;
    if (Profiles::SameName(*stored, m_profile)) return true;
    // Settings and the item dialogs edit copies of this tree's scene: never swapped under them.
    if (!CanChangeTrees() || !SaveTreeNow()) return false;

    BeginSceneChange();
    m_profile = *stored;
    m_store.WriteString(Profiles::kSection, Profiles::kValue, m_profile);
    {
        const CProfileLock lock = LockForLoad();
        m_items.Clear();
        m_items.Create(m_store, 0);
        LoadTreeProfile();
    }
    RestoreViewPlace();
    LoadGradient();
    ApplyViewOptions();
    EndSceneChange();
    return true;
}

void CWpp::SaveProfileOptions() {
    if (m_view.GetHwnd()) {
        // The view's size is kept in 100 % units, whatever display it shows on now.
        const SIZE sceneSize{m_composition.sceneBox.Width(), m_composition.sceneBox.Height()};
        SaveWindowPlacement(m_store, m_view.GetHwnd(), kViewSection,
                            m_composition.scale.IsIdentity() ? nullptr : &sceneSize);
        // Besides the placement (which older versions read): the monitor that is the tree's own.
        // While that monitor is missing, its place there is kept, not the one shown meanwhile.
        if (!m_placeFallback) {
            RECT rc{};
            ::GetWindowRect(m_view.GetHwnd(), &rc);
            m_ownPlace = PlaceOnMonitor(ScreenGeometry::ToPlaceRect(rc), ScreenGeometry::MonitorOf(m_view.GetHwnd()));
        }
        if (!m_ownPlace.name.empty()) {
            m_store.WriteString(kViewSection, kMonitorName, m_ownPlace.name);
            m_store.WriteInt(kViewSection, kMonitorX, static_cast<int>(m_ownPlace.x));
            m_store.WriteInt(kViewSection, kMonitorY, static_cast<int>(m_ownPlace.y));
        }
    }
    m_items.SaveAll(&m_store, true);
    m_tree.Save(m_store, kTreeSection);
    m_viewSet.SaveAll();
    m_blinkSet.SaveAll();
    m_garlandSet.SaveAll();
    m_itemWindowSet.SaveAll();
}

bool CWpp::CreateMainWindow(HWND parent) { return m_mainDlg.Create(m_instance, IDD_MAIN, parent) != nullptr; }

void CWpp::DestroyWindows() {
    m_watch.Stop();
    m_hotkey.Destroy();
    StopFrameTimer();
    CApp::DestroyWindows();
    m_view.Destroy();
}

void CWpp::AbandonStart() {
    // Reverse order of creation: the view, then the main dialog, which must not save the
    // placement of a run that never started; the layers then take back what they wrote.
    m_watch.Stop();
    m_hotkey.Destroy();
    StopFrameTimer();
    m_view.SetFrameSource(nullptr);
    m_view.Destroy();
    m_mainDlg.DiscardPlacement();
    CApp::AbandonStart();
    m_items.ReleaseAll();
}

bool CWpp::OnMainWindowMoved(UINT message, UINT iconId, const wchar_t* text) {
    const bool result = CApp::OnMainWindowMoved(message, iconId, text);
    const HWND main = MainWindow();
    if (main) ApplyClickThrough();
    if (m_recheckMainOnShow && main && TrayMenu::IsMainShown(main)) {
        m_recheckMainOnShow = false;  // before moving: the move comes back here
        KeepWindowOnScreen(main);
    }
    return result;
}

HMENU CWpp::CreateTrayMenu() {
    m_menuTrees = TreeNames();
    return TrayMenu::Build(m_instance, MainWindow(),
                           TrayMenu::STreeState{IsTreeHidden(), m_clickThrough.Get(), m_menuTrees, m_profile});
}

bool CWpp::OnTrayCommand(UINT command) {
    if (command == TrayMenu::kCmdTree) {
        SetTreeHidden(!IsTreeHidden());
        return true;
    }
    if (command >= IDM_TRAY_TREE_NEW && command <= IDM_TRAY_TREE_DELETE) {
        RunTreeCommand(command);
        return true;
    }
    if (command == IDM_TRAY_TREE_IMPORT || command == IDM_TRAY_TREE_EXPORT) {
        RunTreeFileCommand(command == IDM_TRAY_TREE_EXPORT);
        return true;
    }
    if (command >= TrayMenu::kCmdTreeFirst && command - TrayMenu::kCmdTreeFirst < m_menuTrees.size()) {
        SwitchTree(m_menuTrees[command - TrayMenu::kCmdTreeFirst]);
        return true;
    }
    if (command == TrayMenu::kCmdClickThrough) {
        m_clickThrough.Set(!m_clickThrough.Get());  // the tree and a bound check box follow
        return true;
    }
    return false;
}

tstr CWpp::TrayNote() {
    if (!m_hotkeyRefused) return tstr();
    return ResourceText(IDS_HOTKEY_TAKEN, L"The hotkey is used by another program");
}

void CWpp::ApplyClickThrough() {
    const HWND view = m_view.GetHwnd();
    if (!m_started || !view) return;
    // Also while the main window is minimised (into the icon or not).
    const HWND main = MainWindow();
    const bool through = m_clickThrough.Get() || (main && ::IsIconic(main));
    const LONG_PTR ex = ::GetWindowLongPtrW(view, GWL_EXSTYLE);
    const LONG_PTR want = through ? (ex | WS_EX_TRANSPARENT) : (ex & ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT));
    if (want != ex) ::SetWindowLongPtrW(view, GWL_EXSTYLE, want);
}

void CWpp::SetTreeHidden(bool hidden) {
    m_hiddenByUser = hidden;
    UpdateFrameTimer();  // hides or shows the window; frames start again unless another rule holds them
}

bool CWpp::HoldHideHotkey() {
    if (!m_started) return true;
    const bool held = m_hotkey.Hold(static_cast<WORD>(m_hideHotkey.Get() & 0xFFFF), [](void* self) {
        CWpp* app = static_cast<CWpp*>(self);
        app->SetTreeHidden(!app->IsTreeHidden());
    }, this);
    if (m_hotkeyRefused != !held) {
        m_hotkeyRefused = !held;
        RefreshTrayTip();
    }
    return held;
}

void CWpp::PlaceViewOnItsMonitor() {
    const HWND view = m_view.GetHwnd();
    if (!view) return;
    RECT rc{};
    ::GetWindowRect(view, &rc);
    const SPlaceChoice choice = ChooseMonitorPlace(m_ownPlace, ScreenGeometry::ToPlaceRect(rc),
                                                   ScreenGeometry::MonitorOf(view).name, ScreenGeometry::Monitors());
    m_placeFallback = choice.fallback;
    if (m_ownPlace.name.empty() || choice.fallback || (choice.rect.left == rc.left && choice.rect.top == rc.top)) {
        KeepWindowOnScreen(view);  // as without a stored monitor
    } else if (choice.rect.left != rc.left || choice.rect.top != rc.top) {
        ::SetWindowPos(view, nullptr, static_cast<int>(choice.rect.left), static_cast<int>(choice.rect.top), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Also after the program moved the tree on its own monitor: the place there follows.
void CWpp::OnViewMovedByUser() {
    const HWND view = m_view.GetHwnd();
    if (!view) return;
    RECT rc{};
    ::GetWindowRect(view, &rc);
    m_ownPlace = PlaceOnMonitor(ScreenGeometry::ToPlaceRect(rc), ScreenGeometry::MonitorOf(view));
    m_placeFallback = false;
}

void CWpp::KeepWindowsOnScreen() {
    PlaceViewOnItsMonitor();
    const HWND main = MainWindow();
    if (!main) return;
    // A minimised or hidden window has no place on the screen to check now.
    if (TrayMenu::IsMainShown(main)) {
        KeepWindowOnScreen(main);
    } else {
        m_recheckMainOnShow = true;
    }
}

void CWpp::ComposeScene() {
    const SSceneBox before = m_composition.box;
    const SViewScale beforeScale = m_composition.scale;
    ::ComposeScene(m_tree, m_items.Items(), m_composition, ViewScale());
    // The items may have been re-rendered into the same buffers: the view's cached layers go.
    m_view.InvalidateScene();
    const HWND view = m_view.GetHwnd();
    if (!view) return;
    ::InvalidateRect(view, nullptr, TRUE);
    // The window's corner is the box's corner. When the box grows or shrinks at its top or left
    // (the tree hidden or shown, a toy moved beyond the tree), the window moves with it, so what
    // stays visible stays where it was on the screen. A first composition or a new scale keeps the
    // window's place (the stored one, or the one the system chose).
    const bool keepScene = m_composedOnce && beforeScale == m_composition.scale;
    m_composedOnce = true;
    RECT place{};
    ::GetWindowRect(view, &place);
    const int dx = keepScene ? m_composition.box.minX - before.minX : 0;
    const int dy = keepScene ? m_composition.box.minY - before.minY : 0;
    ::SetWindowPos(view, nullptr, place.left + dx, place.top + dy, m_composition.box.Width(),
                   m_composition.box.Height(), ((dx || dy) ? 0 : SWP_NOMOVE) | SWP_NOZORDER | SWP_NOACTIVATE);
    // Its place on its own monitor follows (not while shown on another one).
    if (!m_placeFallback && !m_ownPlace.name.empty()) OnViewMovedByUser();
}

bool CWpp::LoadGradient() {
    return m_gradient.LoadFromResource(m_instance, static_cast<int>(m_gradientId.Get() & 0xFFFF));
}

SViewScale CWpp::ViewScale() const { return SViewScale::ForDpi(static_cast<int>(m_view.Dpi())); }

void CWpp::LoadBlinkSprites() {
    m_blinkMask.LoadFromResource(m_instance, kBlinkMaskId);
    m_blinkStrip.LoadFromResource(m_instance, kBlinkStripId);
    const SViewScale scale = ViewScale();
    if (scale.IsIdentity() || m_blinkMask.IsEmpty() || m_blinkStrip.IsEmpty()) return;
    // The lights keep their size relative to the tree: the mask and each of the strip's frames
    // (side by side, each as wide as the mask) at the view's scale.
    const int w = m_blinkMask.Width();
    const int sw = scale.Span(0, w);
    const int sh = scale.Span(0, m_blinkMask.Height());
    m_blinkMask.Resample(sw, sh);
    m_blinkStrip.Resample(sw * (m_blinkStrip.Width() / w), scale.Span(0, m_blinkStrip.Height()));
}

void CWpp::OnViewDpiChanged() {
    ComposeScene();
    LoadBlinkSprites();
    ReplaceBlinks();
}

void CWpp::ReplaceBlinks() { m_blinks.Replace(m_composition.garlands); }

void CWpp::BeginSceneChange() {
    // The frame handler skips its work while paused; one frame's wait lets a frame in progress
    // (a message handled in a nested loop) end before the timer stops.
    m_view.SetPaused(true);
    ::Sleep(35);
    StopFrameTimer();
}

void CWpp::EndSceneChange() {
    ComposeScene();
    ReplaceBlinks();
    m_view.SetPaused(false);
    // Last, once the pause is clear: the timer restarts unless another rule still holds.
    StartFrameTimer();
}

bool CWpp::StartFrameTimer() {
    m_framesWanted = true;
    return UpdateFrameTimer();
}

void CWpp::StopFrameTimer() {
    m_framesWanted = false;
    m_view.StopFrameTimer();
    m_lastState.started = false;  // the next still view draws its steady frame anew
}

SViewPauseState CWpp::PauseState() const {
    SViewPauseState state;
    state.started = m_framesWanted;
    state.sessionAway = m_watch.SessionAway();
    state.displayOff = m_watch.DisplayOff();
    state.fullScreen = m_watch.FullScreen();
    state.pagePause = m_view.IsPaused();
    state.hiddenByUser = m_hiddenByUser;
    state.batterySaver = m_watch.BatterySaver();
    state.onBattery = m_watch.OnBattery();
    state.screenSaver = m_watch.ScreenSaver();
    state.animationsOff = m_watch.AnimationsOff();
    state.hideForFullScreen = m_hideForFullScreen.Get();
    state.pauseOnBattery = m_pauseOnBattery.Get();
    state.animateAnyway = m_animateAnyway.Get();
    return state;
}

bool CWpp::UpdateFrameTimer() {
    const SViewPauseState state = PauseState();
    const EViewShow show = ViewShow(state);
    if (const HWND view = m_view.GetHwnd()) {
        const bool hide = show == EViewShow::Hidden;
        if (hide == (::IsWindowVisible(view) != FALSE)) ::ShowWindow(view, hide ? SW_HIDE : SW_SHOWNOACTIVATE);
    }
    switch (FrameTimerChange(m_view.FrameTimerRunning(), state)) {
    case ETimerChange::Start: m_view.StartFrameTimer(); break;
    case ETimerChange::Stop: m_view.StopFrameTimer(); break;
    case ETimerChange::Keep: break;
    }
    // The main button's hover animation keeps still too while nobody can see the screen.
    if (CButtonWnd* button = m_mainDlg.Button()) button->HoldAnimation(ScreenUnseen(state));
    // Still after being hidden, after the page's scene swap or before any frame: one steady frame.
    const bool stale = m_lastShow == EViewShow::Hidden || !m_lastState.started || m_lastState.pagePause;
    if (show == EViewShow::Still && state.started && !state.pagePause && stale) m_view.RenderFrame();
    m_lastState = state;
    m_lastShow = show;
    return m_view.FrameTimerRunning();
}

bool CWpp::CanHideFromCapture() {
    // Some systems (Wine among them) refuse the call whatever their version says: the view's
    // window is asked to keep its present choice, which changes nothing where it succeeds.
    return CViewWnd::CaptureExclusionSupported() && m_view.SetExcludedFromCapture(m_hideFromCapture.Get());
}

void CWpp::ApplyViewOptions() {
    CanHideFromCapture();  // the view takes the choice where the system can
    UpdateFrameTimer();
}

const SFrameScene* CWpp::FrameScene() {
    FillFrameScene(m_tree, m_items.Items(), m_composition, m_frameScene);
    return &m_frameScene;
}
