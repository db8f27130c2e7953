// CProfileWriter: saves one profile (everything the store reaches through a placeholder such as
// *prof*) so that a save cut short, by a killed process or a failed write, never costs the
// stored scene.
//
// The profile lives in its own section and, while a save is under way, in a pending copy beside
// the profiles. A start reads the pending copy when it carries its "Complete" mark, else the own
// section. A save writes the new profile into the copy that is not read, then hands the reading
// over: into the pending copy, then its mark; then the own section (cleared and rewritten), then
// the mark goes and the copy with it. Whenever the save stops, a start therefore reads either the
// complete old profile or the complete new one; after a complete save the store holds exactly
// what a plain rewrite of the own section would have left.
#pragma once

#include "param/Tstr.h"

#include <functional>

class CSettingsStore;

class CProfileWriter {
public:
    // placeholder: the store's placeholder for the profile ("*prof*"); section: the profile's own
    // section ("Profiles\Default"); pending: where the pending copy goes ("Pending\Default").
    // The store is borrowed.
    CProfileWriter(CSettingsStore& store, tstr placeholder, tstr section, tstr pending);

    // The section (with its closing "\") the profile is to be read from now.
    tstr LoadRoot() const;
    // Installs the placeholder for reading (LoadRoot).
    void PointAtLoadRoot() const;

    // Saves through write, which writes the whole profile through the placeholder (and may write
    // other settings too; it runs twice). Stops at the first failed write and answers false; the
    // store then still reads as before the save, or as the new profile when only the in-place
    // pass failed. Afterwards the placeholder names the profile's own section.
    bool Save(const std::function<void()>& write);

    static constexpr wchar_t kCompleteValue[] = L"Complete";

private:
    // Removes the pending copy: the mark first, so a copy never reads as complete half deleted.
    void DropPending() const;
    void Point(const tstr& section) const;

    CSettingsStore& m_store;
    tstr m_placeholder;
    tstr m_section;
    tstr m_pending;
};
