// Two processes of one user saving the same profile at the same moment (a remote session beside
// the console) over the real (Wine) registry: the saves must never interleave, so every load,
// during the race and after it, gives exactly one of the two scenes. The test starts two copies
// of its own executable, each running the child case below with its own scene.
#include "param/CProfileWriter.h"
#include "param/CSettingsStore.h"
#include "param/win/CProfileLock.h"
#include "param/win/CRegistryBackend.h"
#include "scene/CColReg.h"
#include "scene/CItem.h"
#include "wnd/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kChildVariable[] = L"PINARBO_SAVE_CHILD";  // "<root>|<scene letter>|<rounds>"

// Scene A or B: a tree position and a different number of items with settings of their own.
struct SScene {
    CItem tree;
    CColReg<CItem*> items;

    SScene() { items.SetNames(L"*prof*Items", L"%03d"); }
    ~SScene() { items.ReleaseAll(); }
    void Fill(wchar_t letter) {
        const int n = letter == L'A' ? 24 : 41;
        const int step = letter == L'A' ? 3 : 7;
        tree.x = n;
        for (int i = 0; i < n; ++i) {
            CItem* item = new CItem();
            item->Setup(tstr(1, letter) + std::to_wstring(i), 1 + i % 2, 131u + static_cast<unsigned>(i % 9), i % 50,
                        step, i * step % 240, 30 + i % 70, 20 + i % 150, i * step, -i);
            items.Add(item);
        }
    }
    void Save(CSettingsStore& store) {
        items.SaveAll(&store, true);
        tree.Save(store, L"*prof*Items\\Tree");
    }
    void Load(CSettingsStore& store) {
        items.ReleaseAll();
        items.Create(store, 0);
        items.LoadAll(&store, true);
        tree.Load(store, L"*prof*Items\\Tree");
    }
    std::wstring Text() const {
        std::wstring t = std::to_wstring(tree.x);
        for (const CItem* i : items.Items()) {
            t += L"\n" + i->Caption.Get();
            for (int v : {i->type.Get(), static_cast<int>(i->resid.Get()), i->brig.Get(), i->contr.Get(),
                          i->hue.Get(), i->opaque.Get(), i->size.Get(), i->x, i->y})
                t += L"," + std::to_wstring(v);
        }
        return t;
    }
};

std::wstring SceneText(wchar_t letter) {
    SScene s;
    s.Fill(letter);
    return s.Text();
}

struct SProfile {
    explicit SProfile(const tstr& root) {
        store.SetRoot(root);
        store.SetBackend(&backend);
    }
    CProfileWriter Writer() { return CProfileWriter(store, L"*prof*", L"Profiles\\Default", L"Pending\\Default"); }
    // As the program saves and loads: under the per-user profile lock.
    CProfileLock Lock() const { return CProfileLock(store.GetRoot() + L".Profile"); }
    bool Save(SScene& scene) {
        const CProfileLock lock = Lock();
        return lock.Held() && Writer().Save([&] { scene.Save(store); });
    }
    std::wstring LoadText() {
        const CProfileLock lock = Lock();
        Writer().PointAtLoadRoot();
        SScene loaded;
        loaded.Load(store);
        return loaded.Text();
    }
    CRegistryBackend backend;
    CSettingsStore store;
};

// Starts this executable on the child case with the given setting; the process handle.
CUniqueFile StartChild(const tstr& setting) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=ConcurrentSaveChild.*";
    ::SetEnvironmentVariableW(kChildVariable, setting.c_str());
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const BOOL started =
        ::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    ::SetEnvironmentVariableW(kChildVariable, nullptr);
    if (!started) return CUniqueFile();
    ::CloseHandle(pi.hThread);
    return CUniqueFile(pi.hProcess);
}

// The child: saves its scene round after round; after each save a load must give A or B whole.
TEST(ConcurrentSaveChild, SavesAndLoadsInALoop) {
    wchar_t setting[512] = {};
    if (::GetEnvironmentVariableW(kChildVariable, setting, 512) == 0) GTEST_SKIP() << "run by ConcurrentSave only";
    const std::wstring text(setting);
    const std::size_t bar1 = text.find(L'|'), bar2 = text.rfind(L'|');
    ASSERT_TRUE(bar1 != std::wstring::npos && bar2 > bar1);
    const tstr root = text.substr(0, bar1);
    const wchar_t letter = text[bar1 + 1];
    const int rounds = std::wcstol(text.c_str() + bar2 + 1, nullptr, 10);

    const std::wstring a = SceneText(L'A'), b = SceneText(L'B');
    SProfile profile(root);
    SScene mine;
    mine.Fill(letter);
    for (int round = 0; round < rounds; ++round) {
        EXPECT_TRUE(profile.Save(mine)) << "round " << round;
        const std::wstring loaded = profile.LoadText();
        ASSERT_TRUE(loaded == a || loaded == b) << "scene " << static_cast<char>(letter) << ", round " << round
                                                << ": a load gave neither scene:\n"
                                                << std::string(loaded.begin(), loaded.end()).substr(0, 400);
    }
}

// The lock's three outcomes, which decide whether a save runs: held; not held because another
// holder outlasts the wait (the save is skipped); and no mutex at all (its names taken by objects
// of another kind), where the save runs unlocked rather than be lost.
TEST(ConcurrentSave, TheLockIsHeldWaitedForOrUnavailable) {
    const tstr name = L"PinarboTest.Lock-" + std::to_wstring(::GetCurrentProcessId());
    const CProfileLock first(name);
    EXPECT_TRUE(first.Held());
    EXPECT_FALSE(first.Unavailable());

    bool otherHeld = true, otherUnavailable = true;
    DWORD waited = 0;
    std::thread other([&] {  // a mutex is owned per thread: another thread stands for another process
        const DWORD start = ::GetTickCount();
        const CProfileLock second(name, 200);
        waited = ::GetTickCount() - start;
        otherHeld = second.Held();
        otherUnavailable = second.Unavailable();
    });
    other.join();
    EXPECT_FALSE(otherHeld);
    EXPECT_FALSE(otherUnavailable) << "a busy lock is not a missing one: that save must be skipped";
    EXPECT_GE(waited, 150u);

    const tstr taken = name + L".Taken";
    const CUniqueFile global(::CreateEventW(nullptr, TRUE, FALSE, CProfileLock::MutexName(L"Global", taken).c_str()));
    const CUniqueFile local(::CreateEventW(nullptr, TRUE, FALSE, CProfileLock::MutexName(L"Local", taken).c_str()));
    ASSERT_TRUE(global.get() && local.get());
    const CProfileLock refused(taken);
    EXPECT_FALSE(refused.Held());
    EXPECT_TRUE(refused.Unavailable());
}

TEST(ConcurrentSave, TwoProcessesSavingAtOnceNeverMix) {
    const tstr root = L"Software\\PinarboTest\\ConcurrentSave-" + std::to_wstring(::GetCurrentProcessId());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
    const int rounds = 12;
    CUniqueFile first = StartChild(root + L"|A|" + std::to_wstring(rounds));
    CUniqueFile second = StartChild(root + L"|B|" + std::to_wstring(rounds));
    ASSERT_TRUE(first && second);
    for (CUniqueFile* child : {&first, &second}) {
        ASSERT_EQ(::WaitForSingleObject(child->get(), 300000), WAIT_OBJECT_0);
        DWORD code = 1;
        ::GetExitCodeProcess(child->get(), &code);
        EXPECT_EQ(code, 0u) << "a child saw a mixed or broken scene (its output above says where)";
    }
    SProfile profile(root);
    const std::wstring last = profile.LoadText();
    EXPECT_TRUE(last == SceneText(L'A') || last == SceneText(L'B'));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
}

}  // namespace
