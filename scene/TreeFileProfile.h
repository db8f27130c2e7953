// Between a stored profile and a tree file: what is read from the store for an export, the
// pictures attached to it, and what an import writes back.
#pragma once

#include "param/Tstr.h"
#include "scene/TreeFile.h"

#include <cstdint>
#include <functional>
#include <vector>

class CSettingsStore;

// The carried values of the profile stored at root (a section path with its closing "\"): the tree,
// the items from number 0 up to the first without a "type" (at most 1000), the carried options.
// An item's "path" is kept only while its "source" names a picture file.
STreeFile ReadProfileForTreeFile(const CSettingsStore& store, const tstr& root);

// Reads a picture file's bytes; false when it cannot be read.
using FReadPicture = std::function<bool(const tstr& path, std::vector<std::uint8_t>& bytes)>;
// Copies every picture file the items use into the tree file, once per file, each under a safe
// unique name made from the file's own name, and points the items' paths at those names. A file
// that cannot be read or is larger than 16 MB is left out and its items' paths are emptied (they
// show their built-in pictures, as they do here while the file is unreadable). Answers the paths
// left out.
std::vector<tstr> AttachPictures(STreeFile& file, const FReadPicture& read);

// Points the items' paths (picture names) at the pictures' copies in folder.
void PointPicturesAt(STreeFile& file, const tstr& folder);

// Writes every value below prefix (a section path with its closing "\", or a placeholder that
// stands for one); structures are written as structures.
void WriteTreeFileToStore(CSettingsStore& store, const tstr& prefix, const STreeFile& file);
