// The tree file (".pinarbo"): one decorated tree with copies of its own pictures, to keep or to
// move to another PC. UTF-8 text, lines ending in CR LF:
//   Pinarbo tree file, version 1
//   [File]                     items=<count>, pictures=<count>
//   [Items\Tree], [Items\000]...  the tree and the items in order, keys as the store writes them
//   [Options\ViewWnd], [Options\Blinks], [Options\Garland]
//   [Picture\<name>]           bytes=<count>, data=<the file's bytes in base64>
//   SHA-256=<64 hex digits>    over every byte before this line
// An item's "path" names one of the file's pictures. The reader checks everything before it
// answers, so a file it accepts can be imported whole.
#pragma once

#include "param/Tstr.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

inline constexpr int kTreeFileVersion = 1;
inline constexpr std::size_t kMaxTreeFileBytes = 64u << 20;
inline constexpr std::size_t kMaxTreeFilePictureBytes = 16u << 20;

struct STreeFileSection {
    tstr name;                                  // relative to the profile: "Items\Tree", "Options\Blinks"
    std::vector<std::pair<tstr, tstr>> values;  // key, stored text (structures as hexadecimal text)
};

struct STreeFilePicture {
    tstr name;  // a safe file name (IsSafeTreeFileName), unique without regard to case
    std::vector<std::uint8_t> bytes;
};

struct STreeFile {
    std::vector<STreeFileSection> sections;  // the tree, the items in order, then the options
    std::vector<STreeFilePicture> pictures;
};

// Why a file was refused.
enum class ETreeFileError {
    kNone,
    kEmpty,           // no bytes at all
    kTooLarge,        // the file, or one picture, beyond its limit
    kGarbage,         // not a tree file, or a line or section that has no place in one
    kCut,             // ends before its checksum line
    kAltered,         // the checksum does not match
    kVersion,         // a version this program does not read
    kCount,           // counts beyond the limits, or that disagree with the contents
    kUnsafeName,      // a picture name that is not one plain file name
    kBadValue,        // a value of the wrong form
    kPictureData,     // a picture's bytes are not what its section says
    kMissingPicture,  // an item names a picture the file does not hold
    kUnusedPicture,   // a picture no item uses
};

// The value of the "path" key in a section (empty when absent).
tstr TreeFileValue(const STreeFileSection& section, const tstr& key);
void SetTreeFileValue(STreeFileSection& section, const tstr& key, const tstr& value);

// The whole file. The contents must be valid as the reader checks them.
std::string WriteTreeFile(const STreeFile& file);
// Reads and checks a whole file. On refusal, out is emptied and message says what is wrong.
ETreeFileError ReadTreeFile(const std::uint8_t* data, std::size_t size, STreeFile& out, tstr& message);
// The name of an error, as the malformed files' table names them ("cut", "altered"...).
const char* TreeFileErrorName(ETreeFileError error);
