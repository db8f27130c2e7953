// pinarbo_a11y: reads the running Pinarbo as a screen reader does, from another process, through
// Microsoft Active Accessibility. Prints "key=value" lines; code 0 on success, 1 when the thing
// asked for is not there, 2 on a usage error.
//   list | toolbar | canvas | button
//                          the control's client object: role, name, child count, then one line
//                          per child (name, role, state, description, default action, whether a
//                          hit test on its centre finds it); the list also its focus and selection
//   do-row N | do-tool N | do-button
//                          the default action of the list's row N, the toolbar's tool N, the button
//   watch MS               the program's focus, selection, name and reorder events for MS
//                          (out of context); prints "hooked" first, then one line per event
//   soak N                 N requests of the four objects in turn (with a question each); the
//                          program's handle count and private memory before and after
#include "wnd/CAccessible.h"
#include "wnd/Handles.h"
#include "WindowSearch.h"

#include <windows.h>
#include <oleacc.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

struct SFound {
    const wchar_t* title;
    bool needsButton;
    HWND hwnd;
};

BOOL CALLBACK MatchTop(HWND hwnd, LPARAM p) {
    auto* f = reinterpret_cast<SFound*>(p);
    wchar_t title[64] = {};
    wchar_t cls[64] = {};
    ::GetWindowTextW(hwnd, title, 64);
    ::GetClassNameW(hwnd, cls, 64);
    if (std::wcscmp(title, f->title) == 0 && std::wcscmp(cls, L"#32770") == 0 && ::IsWindowVisible(hwnd) &&
        (!f->needsButton || ::GetDlgItem(hwnd, 1002))) {
        f->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND TopWindow(const wchar_t* title, bool needsButton) {
    SFound found{title, needsButton, nullptr};
    ::EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

HWND MainWindow() { return TopWindow(L"Pinarbo", true); }

// The window of a control: the list, toolbar and canvas are on the open Settings dialog.
HWND ControlWindow(const std::wstring& which) {
    if (which == L"button") {
        const HWND main = MainWindow();
        return main ? ::GetDlgItem(main, 1002) : nullptr;
    }
    const HWND settings = TopWindow(L"Settings", false);
    if (!settings) return nullptr;
    const wchar_t* cls = which == L"list" ? L"KV_NavigatePane" : which == L"toolbar" ? L"KV_ToolBar" : L"PinarboCanvasKeys";
    return FindChild(settings, 0, cls);
}

bool Open(HWND hwnd, CComPtr<IAccessible>& out) {
    return hwnd && SUCCEEDED(::AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                          out.put_void())) &&
           out;
}

VARIANT Child(long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring Text(IAccessible* acc, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long id) {
    BSTR text = nullptr;
    std::wstring out;
    if ((acc->*get)(Child(id), &text) == S_OK && text) out.assign(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return out;
}

long Number(IAccessible* acc, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) {
    VARIANT v;
    ::VariantInit(&v);
    const long n = SUCCEEDED((acc->*get)(Child(id), &v)) && v.vt == VT_I4 ? v.lVal : -1;
    ::VariantClear(&v);
    return n;
}

// One line about the object (id 0) or a child.
void Describe(IAccessible* acc, long id) {
    long l = 0, t = 0, w = 0, h = 0;
    const HRESULT where = acc->accLocation(&l, &t, &w, &h, Child(id));
    long hit = -1;
    VARIANT v;
    ::VariantInit(&v);
    if (where == S_OK && acc->accHitTest(l + w / 2, t + h / 2, &v) == S_OK && v.vt == VT_I4) hit = v.lVal;
    ::VariantClear(&v);
    std::printf("%s%ld: name=%ls|role=%ld|state=0x%lx|description=%ls|action=%ls|shortcut=%ls|rect=%ld %ld %ld %ld|hit=%ld\n",
                id == 0 ? "self" : "child", id, Text(acc, &IAccessible::get_accName, id).c_str(),
                Number(acc, &IAccessible::get_accRole, id), static_cast<unsigned long>(Number(acc, &IAccessible::get_accState, id)),
                Text(acc, &IAccessible::get_accDescription, id).c_str(),
                Text(acc, &IAccessible::get_accDefaultAction, id).c_str(),
                Text(acc, &IAccessible::get_accKeyboardShortcut, id).c_str(), l, t, w, h, hit);
}

int Show(const std::wstring& which) {
    CComPtr<IAccessible> acc;
    if (!Open(ControlWindow(which), acc)) return 1;
    long count = -1;
    acc->get_accChildCount(&count);
    std::printf("count=%ld\n", count);
    Describe(acc.get(), 0);
    for (long id = 1; id <= count; ++id) Describe(acc.get(), id);
    VARIANT v;
    ::VariantInit(&v);
    if (acc->get_accSelection(&v) == S_OK) {
        if (v.vt == VT_I4) std::printf("selection=%ld\n", v.lVal);
        if (v.vt == VT_UNKNOWN) std::printf("selection=many\n");
    }
    ::VariantClear(&v);
    if (acc->get_accFocus(&v) == S_OK && v.vt == VT_I4) std::printf("focus=%ld\n", v.lVal);
    ::VariantClear(&v);
    return 0;
}

int DoAction(const std::wstring& which, long id) {
    CComPtr<IAccessible> acc;
    if (!Open(ControlWindow(which), acc)) return 1;
    const HRESULT hr = acc->accDoDefaultAction(Child(id));
    std::printf("result=0x%lx\n", static_cast<unsigned long>(hr));
    return hr == S_OK ? 0 : 1;
}

const char* EventName(DWORD event) {
    switch (event) {
    case EVENT_OBJECT_FOCUS: return "focus";
    case EVENT_OBJECT_SELECTION: return "selection";
    case EVENT_OBJECT_SELECTIONADD: return "selection-add";
    case EVENT_OBJECT_SELECTIONREMOVE: return "selection-remove";
    case EVENT_OBJECT_NAMECHANGE: return "name";
    case EVENT_OBJECT_REORDER: return "reorder";
    default: return nullptr;
    }
}

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    const char* name = EventName(event);
    if (!name || object != OBJID_CLIENT) return;
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    std::printf("event=%s class=%ls child=%ld\n", name, cls, static_cast<long>(child));
    std::fflush(stdout);
}

int Watch(DWORD ms) {
    const HWND main = MainWindow();
    DWORD pid = 0;
    if (!main || !::GetWindowThreadProcessId(main, &pid)) return 1;
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE, nullptr, OnEvent, pid, 0,
                                                 WINEVENT_OUTOFCONTEXT);
    if (!hook) return 1;
    std::printf("hooked\n");
    std::fflush(stdout);
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (::GetTickCount64() < end) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    ::UnhookWinEvent(hook);
    return 0;
}

struct SUse {
    DWORD handles = 0;
    SIZE_T pagefile = 0;
};

SUse UseOf(HANDLE process) {
    SUse use;
    if (!::GetProcessHandleCount(process, &use.handles)) use.handles = 0;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    if (::GetProcessMemoryInfo(process, &pmc, sizeof(pmc))) use.pagefile = pmc.PagefileUsage;
    return use;
}

// Requests, each with one question, cycling through the four controls.
int Soak(int requests) {
    const HWND main = MainWindow();
    DWORD pid = 0;
    if (!main || !::GetWindowThreadProcessId(main, &pid)) return 1;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return 1;
    const wchar_t* controls[] = {L"list", L"toolbar", L"canvas", L"button"};
    const auto request = [&](int i) {
        CComPtr<IAccessible> acc;
        long count = -1;
        return Open(ControlWindow(controls[i % 4]), acc) && SUCCEEDED(acc->get_accChildCount(&count)) ? 1 : 0;
    };
    for (int i = 0; i < 20; ++i) request(i);  // the first requests set up the marshalling
    const SUse before = UseOf(process);
    int answered = 0;
    int firstUnanswered = -1;
    for (int i = 0; i < requests; ++i) {
        const int ok = request(i);
        answered += ok;
        if (!ok && firstUnanswered < 0) firstUnanswered = i;
    }
    const SUse after = UseOf(process);
    DWORD exitCode = 0;
    const bool running = ::GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    ::CloseHandle(process);
    // Which request went first unanswered, and whether the program still ran, tell a refusal from
    // an end of the program.
    if (firstUnanswered >= 0) {
        std::printf("first_unanswered=%d %ls\nrunning=%d exit=%lu\n", firstUnanswered, controls[firstUnanswered % 4],
                    running ? 1 : 0, static_cast<unsigned long>(exitCode));
    }
    std::printf("answered=%d\nhandles_before=%lu\nhandles_after=%lu\nprivate_kb_before=%lu\nprivate_kb_after=%lu\n",
                answered, static_cast<unsigned long>(before.handles), static_cast<unsigned long>(after.handles),
                static_cast<unsigned long>(before.pagefile / 1024), static_cast<unsigned long>(after.pagefile / 1024));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const std::wstring cmd = argv[1];
    const wchar_t* arg = argc > 2 ? argv[2] : L"0";
    const CComScope com;
    if (cmd == L"list" || cmd == L"toolbar" || cmd == L"canvas" || cmd == L"button") return Show(cmd);
    if (cmd == L"do-row") return DoAction(L"list", std::wcstol(arg, nullptr, 10));
    if (cmd == L"do-tool") return DoAction(L"toolbar", std::wcstol(arg, nullptr, 10));
    if (cmd == L"do-button") return DoAction(L"button", 0);
    if (cmd == L"watch") return Watch(static_cast<DWORD>(std::wcstoul(arg, nullptr, 10)));
    if (cmd == L"soak") return Soak(static_cast<int>(std::wcstol(arg, nullptr, 10)));
    return 2;
}
