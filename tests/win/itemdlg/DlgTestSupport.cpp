#include "DlgTestSupport.h"

#include "construct/ISceneHost.h"
#include "scene/win/CResourcePictureSource.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

void SetUpDialogTests() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);
    static CResourcePictureSource pictures;
    CItem::SetPictureSource(&pictures);
    SetSceneHost(nullptr);
    SetOpenPageWindow(nullptr);
}

CTestWindow::~CTestWindow() {
    if (m_hwnd) ::DestroyWindow(m_hwnd);
}

LRESULT CALLBACK CTestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        if (auto* self = reinterpret_cast<CTestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++self->paints;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool CTestWindow::Create(int x, int y, int w, int h, const wchar_t* title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &CTestWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        wc.lpszClassName = L"PinarboItemDlgTestWindow";
        registered = ::RegisterClassW(&wc) != 0;
    }
    m_hwnd = ::CreateWindowExW(0, L"PinarboItemDlgTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h,
                               nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hwnd) return false;
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    PumpMessages(30);
    return true;
}

namespace {
CDialog* g_dialog = nullptr;
const std::function<void(HWND)>* g_script = nullptr;
bool g_leftOpen = false;
bool g_endsByKeys = false;
UINT_PTR g_watchdog = 0;

void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_watchdog = 0;
    const HWND dlg = g_dialog ? g_dialog->GetHwnd() : nullptr;
    if (dlg && ::IsWindow(dlg) && ::IsWindowVisible(dlg)) {
        g_leftOpen = true;
        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    }
}

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND dlg = g_dialog ? g_dialog->GetHwnd() : nullptr;
    // The dialog manager shows the dialog when its queue first runs empty, which a timer message
    // can precede: wait for it to be shown, as the user would.
    if (dlg && !::IsWindowVisible(dlg)) return;
    ::KillTimer(nullptr, id);
    if (!dlg || !g_script) return;
    PumpMessages(50);
    g_endsByKeys = false;
    (*g_script)(dlg);
    if (g_endsByKeys) {
        g_watchdog = ::SetTimer(nullptr, 0, 5000, &Watchdog);
        return;
    }
    // EndDialog hides the dialog; one still shown was not ended by the script.
    if (::IsWindow(dlg) && ::IsWindowVisible(dlg)) {
        g_leftOpen = true;
        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    }
}
}  // namespace

SModalRun RunModal(CDialog& dlg, UINT templateId, HWND parent, const std::function<void(HWND)>& script) {
    g_dialog = &dlg;
    g_script = &script;
    g_leftOpen = false;
    ::SetTimer(nullptr, 0, 50, &RunScript);
    SModalRun run;
    run.result = dlg.DoModal(nullptr, templateId, parent);
    if (g_watchdog) ::KillTimer(nullptr, g_watchdog);
    g_watchdog = 0;
    run.scriptLeftItOpen = g_leftOpen;
    g_dialog = nullptr;
    g_script = nullptr;
    PumpMessages(20);
    return run;
}

void FinishWithKeys(const std::wstring& keys) {
    g_endsByKeys = true;
    Xdo(L"sleep 0.3 " + keys, 0);
}

CNavPaneItem* NewEntryWithTool() {
    auto* entry = new CNavPaneItem(L"Entry");
    auto* tool = new CNavPaneItemTool(CNavPaneItemTool::kPush, 0);
    CBmp marker;
    marker.Create(4, 4);
    std::memset(marker.Bits(), 0x5A, static_cast<std::size_t>(marker.ByteSize()));
    tool->SetToolPicture(marker, 0);
    entry->AddTool(tool, true);
    return entry;
}

const CBmp& EntryPicture(CNavPaneItem* entry) { return entry->LeadingTools().GetAt(0)->Picture(0); }

std::wstring TextOf(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

bool SamePixels(const CBmp& a, const CBmp& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && a.ByteSize() == b.ByteSize() &&
           (a.ByteSize() == 0 || std::memcmp(a.Bits(), b.Bits(), static_cast<std::size_t>(a.ByteSize())) == 0);
}

CBmp BuiltInPicture(int id) {
    CBmp bmp;
    bmp.LoadFromResource(::GetModuleHandleW(nullptr), id);
    bmp.CropToContent();
    return bmp;
}

bool Click(HWND dialog, int id, DWORD pumpMs) {
    const POINT p = CentreOf(::GetDlgItem(dialog, id));
    return Xdo(L"mousemove " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y) + L" click 1", pumpMs);
}

std::wstring KeysFor(const std::wstring& text) {
    std::wstring keys = L"key --delay 40";
    for (wchar_t c : text) {
        keys += L' ';
        switch (c) {
        case L':': keys += L"colon"; break;
        case L'\\': keys += L"backslash"; break;
        case L'.': keys += L"period"; break;
        case L'-': keys += L"minus"; break;
        case L'_': keys += L"underscore"; break;
        case L' ': keys += L"space"; break;
        case L'/': keys += L"slash"; break;
        default: keys += c; break;
        }
    }
    return keys;
}

namespace {
bool g_chooserSeen = false;
void CALLBACK LookForChooser(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    g_chooserSeen = ::FindWindowW(nullptr, L"open file") != nullptr;
}
}  // namespace

bool ChooseInOpenFileDialog(HWND dialog, int browseId, const std::wstring& file) {
    g_chooserSeen = false;
    ::SetTimer(nullptr, 0, 2500, &LookForChooser);
    const POINT p = CentreOf(::GetDlgItem(dialog, browseId));
    const bool typed = Xdo(L"mousemove " + std::to_wstring(p.x) + L" " + std::to_wstring(p.y) + L" click 1 sleep 3 " +
                               KeysFor(file) + L" sleep 0.3 key Return",
                           6000 + 80 * static_cast<DWORD>(file.size()));
    return typed && g_chooserSeen;
}

void Command(HWND dialog, int id, WORD code) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

namespace {
BOOL CALLBACK CountVisible(HWND hwnd, LPARAM count) {
    if (::IsWindowVisible(hwnd)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

int VisibleThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::wstring DataPath(const std::string& relative) {
    const std::string full = std::string(PINARBO_TEST_DATA) + "/" + relative;
    std::wstring out = full[0] == '/' ? L"Z:" : L"";
    for (char c : full) out += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
}

std::wstring TempFolder(const wchar_t* name) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"pinarbo-" + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}
