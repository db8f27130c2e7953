// What kind of place a picture path names, decided from its text alone (no file is touched), and
// when a path typed key by key may be tried. Devices (COM1, NUL, \\.\ names...) are never picture
// files: opening one can block or talk to hardware. Network shares, removable or offline files
// and very large files may take seconds to open, so they are tried only once typing pauses.
#pragma once

#include "param/Tstr.h"

#include <string_view>

enum class EPathKind {
    kEmpty,    // nothing but blanks
    kLocal,    // a drive path or a relative one
    kNetwork,  // \\server\share, \\?\UNC\..., a volume name: may be slow
    kDevice,   // a device: never opened as a file
};

// Whether one path component names a reserved device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, the
// superscript COM/LPT ones, CONIN$, CONOUT$), with or without an extension, in any case.
bool IsReservedDeviceName(std::wstring_view component);
// The kind of a path as typed ('/' counts as '\').
EPathKind ClassifyPicturePath(std::wstring_view path);

// What is known of a path before trying it.
struct SPathFacts {
    EPathKind kind = EPathKind::kEmpty;
    bool fastDrive = true;           // a fixed or RAM drive, or no such drive at all
    bool exists = false;             // the name exists there
    bool regularFile = false;        // and is a file, not a directory
    bool offline = false;            // stored elsewhere (a cloud or archive placeholder)
    unsigned long long bytes = 0;    // its size
};

// Files up to this size are decoded at once while typing.
inline constexpr unsigned long long kQuickPictureBytes = 4ull * 1024 * 1024;

// Whether a change of the path may reload the picture at once (true) or must wait for a pause
// in typing. Paths that are known to miss, and devices (which are not opened at all), are quick.
bool ReloadAtOnce(const SPathFacts& facts) noexcept;
