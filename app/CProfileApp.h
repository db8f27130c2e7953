// CProfileApp<TBase>: the profile in use. Everything that describes one decorated tree lies below
// "Profiles\<name>\", reached through the store's *prof* placeholder; the profile is chosen at
// start and rewritten as a whole at exit.
#pragma once

#include <vector>

#include "param/CProfileWriter.h"
#include "param/Tstr.h"
#include "param/win/CProfileLock.h"

namespace Profiles {

constexpr wchar_t kSection[] = L"Profiles";
constexpr wchar_t kPendingSection[] = L"Pending";  // a profile's copy while it is being saved
constexpr wchar_t kValue[] = L"Profile";
constexpr wchar_t kDefault[] = L"Default";
constexpr size_t kMaxKeyName = 255;  // the registry's limit for one key name

// Whether a stored profile name can name its subtree: one non-empty key name within the
// registry's limit, without a backslash. An empty name would make the subtree "Profiles" itself (its
// deletion at exit removing every profile); a name of several key names would nest inside
// another profile ("Default\Items" is that profile's items, deleted and rewritten at exit).
bool IsUsableName(const tstr& name);
// Whether two profile names name the same profile: registry key names ignore case.
bool SameName(const tstr& a, const tstr& b);

}  // namespace Profiles

template <class TBase>
class CProfileApp : public TBase {
public:
    bool Init() override {
        if (m_profile.empty()) {
            tstr stored;
            if (this->m_store.ReadString(Profiles::kSection, Profiles::kValue, stored) && Profiles::IsUsableName(stored))
                m_profile = stored;
        }
        if (m_profile.empty()) m_profile = Profiles::kDefault;
        // Read from where the last save left a complete profile.
        Writer().PointAtLoadRoot();
        return TBase::Init();
    }

    // The profile is rewritten from scratch, so it holds exactly the scene of this exit, and
    // written so that a save cut short leaves the previous scene (see CProfileWriter). False when
    // a write failed.
    // Another process of this user (in another session) may save the same profile at the same
    // moment: the saves run one after the other, never interleaved, so the last complete one wins
    // whole. When the other save does not end in time, this one is skipped and reported as failed;
    // when the system gives no lock at all, it saves unlocked rather than lose the scene.
    bool SaveOptions() override {
        const CProfileLock lock = LockProfile();
        if (!lock.Held() && !lock.Unavailable()) return false;
        return Writer().Save([this] {
            this->m_store.WriteString(Profiles::kSection, Profiles::kValue, m_profile);
            TBase::SaveOptions();
            SaveProfileOptions();
        });
    }

    // The program's own part of the save (its scene and the options below *prof*): runs inside
    // the profile's save, after the layers' options.
    virtual void SaveProfileOptions() {}

    bool EnumProfiles(std::vector<tstr>* list) override {
        if (!list) return false;
        tstr name;
        for (int i = 0; this->m_store.EnumSubsection(Profiles::kSection, i, name); ++i) list->push_back(name);
        return true;
    }

    const tstr& ProfileName() const noexcept { return m_profile; }

    // The per-user lock that keeps saves and loads of this profile in different processes apart.
    CProfileLock LockProfile() {
        return CProfileLock(this->m_store.GetFirmName() + L"." + this->m_store.GetAppName() + L".Profile");
    }
    // For reading the whole profile: takes the lock and points the store at the copy to read
    // again (another process may have saved since the start). The caller reads while it holds the
    // answer. When another save does not end in time, the profile is read all the same.
    CProfileLock LockForLoad() {
        CProfileLock lock = LockProfile();
        Writer().PointAtLoadRoot();
        return lock;
    }

    CProfileWriter Writer() {
        return CProfileWriter(this->m_store, L"*prof*", tstr(Profiles::kSection) + L"\\" + m_profile,
                              tstr(Profiles::kPendingSection) + L"\\" + m_profile);
    }

    tstr m_profile;  // empty until Init
};
