#include "scene/TreeFile.h"

#include "param/Base64.h"
#include "param/Sha256.h"
#include "param/Utf8.h"
#include "scene/TreeFileKeys.h"
#include "scene/TreeFileNames.h"

#include <string_view>

namespace {

constexpr std::string_view kHeader = "Pinarbo tree file, version ";
constexpr std::string_view kChecksum = "SHA-256=";
constexpr wchar_t kPicturePrefix[] = L"Picture\\";

// Values with outer blanks or a leading quote are written in quotes (as the settings file does).
tstr Quote(const tstr& v) {
    const bool outer = !v.empty() && (v.front() == L' ' || v.back() == L' ' || v.front() == L'\t' ||
                                      v.back() == L'\t' || v.front() == L'"');
    return outer ? L"\"" + v + L"\"" : v;
}
tstr Unquote(const tstr& v) {
    return v.size() >= 2 && v.front() == L'"' && v.back() == L'"' ? v.substr(1, v.size() - 2) : v;
}

bool IsPictureSection(const tstr& name) { return name.rfind(kPicturePrefix, 0) == 0; }

int ItemCount(const STreeFile& file) {
    int n = 0;
    for (const STreeFileSection& s : file.sections) n += TreeFileItemNumber(s.name) >= 0;
    return n;
}

// Parses a decimal count of at most nine digits; -1 for anything else.
long long Count(const tstr& text) {
    if (text.empty() || text.size() > 9) return -1;
    long long n = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return -1;
        n = n * 10 + (c - L'0');
    }
    return n;
}

class CReader {
public:
    ETreeFileError Read(std::string_view bytes, STreeFile& out, tstr& message);

private:
    ETreeFileError Fail(ETreeFileError error, const tstr& text) {
        m_message = text;
        return error;
    }
    ETreeFileError Line(const tstr& line);
    ETreeFileError Section(const tstr& name);
    ETreeFileError Value(const tstr& key, const tstr& value);
    ETreeFileError EndPicture();
    ETreeFileError Finish();

    STreeFile m_file;
    tstr m_message;
    tstr m_section;  // the section being read
    bool m_fileSeen = false;
    long long m_items = -1, m_pictures = -1;
    tstr m_pictureBytes;
    std::string_view m_pictureData;  // within the file's bytes
    std::size_t m_lineNumber = 1;
};

ETreeFileError CReader::Read(std::string_view bytes, STreeFile& out, tstr& message) {
    out = STreeFile();
    const ETreeFileError error = [&] {
        if (bytes.empty()) return Fail(ETreeFileError::kEmpty, L"The file is empty.");
        if (bytes.size() > kMaxTreeFileBytes)
            return Fail(ETreeFileError::kTooLarge, L"The file is larger than 64 MB, the most a tree file may hold.");
        if (bytes.size() < kHeader.size() || bytes.compare(0, kHeader.size(), kHeader) != 0) {
            if (kHeader.compare(0, bytes.size(), bytes) == 0)
                return Fail(ETreeFileError::kCut, L"The file is incomplete: it ends within its first line.");
            return Fail(ETreeFileError::kGarbage, L"This is not a Pinarbo tree file.");
        }
        const std::size_t firstEnd = bytes.find('\n');
        if (firstEnd == std::string_view::npos)
            return Fail(ETreeFileError::kCut, L"The file is incomplete: it ends within its first line.");
        std::string_view version = bytes.substr(kHeader.size(), firstEnd - kHeader.size());
        if (!version.empty() && version.back() == '\r') version.remove_suffix(1);
        const long long v = Count(FromUtf8(std::string(version)));
        if (v < 0) return Fail(ETreeFileError::kGarbage, L"This is not a Pinarbo tree file: its version cannot be read.");
        if (v != kTreeFileVersion)
            return Fail(ETreeFileError::kVersion, L"The file is a tree file of version " + std::to_wstring(v) +
                                                      L"; this program reads version " +
                                                      std::to_wstring(kTreeFileVersion) + L" only.");
        // The last line is the checksum over everything before it.
        if (bytes.back() != '\n')
            return Fail(ETreeFileError::kCut, L"The file is incomplete: it ends before its checksum.");
        const std::size_t lastStart = bytes.find_last_of('\n', bytes.size() - 2) + 1;
        std::string_view last = bytes.substr(lastStart, bytes.size() - 1 - lastStart);
        if (!last.empty() && last.back() == '\r') last.remove_suffix(1);
        if (lastStart <= firstEnd || last.size() != kChecksum.size() + 64 || last.compare(0, kChecksum.size(), kChecksum) != 0)
            return Fail(ETreeFileError::kCut, L"The file is incomplete: it ends before its checksum.");
        std::string expected(last.substr(kChecksum.size()));
        for (char& c : expected) c = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
        if (Sha256Hex(bytes.data(), lastStart) != expected)
            return Fail(ETreeFileError::kAltered,
                        L"The file has been changed or damaged: its checksum does not match its contents.");

        // Line by line; a picture's data stays in its bytes (it is most of the file).
        const std::string_view text = bytes.substr(firstEnd + 1, lastStart - firstEnd - 1);
        std::size_t from = 0;
        while (from < text.size()) {
            std::size_t end = text.find('\n', from);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(from, end - from);
            from = end + 1;
            ++m_lineNumber;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ETreeFileError e = ETreeFileError::kNone;
            if (IsPictureSection(m_section) && line.rfind("data=", 0) == 0) {
                if (!m_pictureData.empty())
                    return Fail(ETreeFileError::kGarbage, L"The picture section [" + m_section + L"] cannot be read.");
                m_pictureData = line.substr(5);
            } else {
                e = Line(FromUtf8(std::string(line)));
            }
            if (e != ETreeFileError::kNone) return e;
        }
        return Finish();
    }();
    if (error == ETreeFileError::kNone) {
        out = std::move(m_file);
        message.clear();
    } else {
        message = m_message;
    }
    return error;
}

ETreeFileError CReader::Line(const tstr& line) {
    if (line.empty()) return ETreeFileError::kNone;
    if (line.front() == L'[') {
        if (line.back() != L']' || line.size() < 3)
            return Fail(ETreeFileError::kGarbage, L"Line " + std::to_wstring(m_lineNumber) + L" of the file cannot be read.");
        return Section(line.substr(1, line.size() - 2));
    }
    const std::size_t eq = line.find(L'=');
    if (eq == tstr::npos || eq == 0 || m_section.empty())
        return Fail(ETreeFileError::kGarbage, L"Line " + std::to_wstring(m_lineNumber) + L" of the file cannot be read.");
    return Value(line.substr(0, eq), Unquote(line.substr(eq + 1)));
}

ETreeFileError CReader::Section(const tstr& name) {
    if (IsPictureSection(m_section)) {
        if (const ETreeFileError e = EndPicture(); e != ETreeFileError::kNone) return e;
    }
    m_section = name;
    if (!m_fileSeen) {
        if (name != L"File") return Fail(ETreeFileError::kGarbage, L"The file does not begin with its [File] section.");
        m_fileSeen = true;
        return ETreeFileError::kNone;
    }
    if (m_items < 0 || m_pictures < 0)
        return Fail(ETreeFileError::kCount, L"The file's [File] section does not say how many items and pictures it holds.");
    for (const STreeFileSection& s : m_file.sections)
        if (SameNameNoCase(s.name, name)) return Fail(ETreeFileError::kGarbage, L"The section [" + name + L"] appears twice.");
    if (IsPictureSection(name)) {
        const tstr picture = name.substr(std::char_traits<wchar_t>::length(kPicturePrefix));
        if (!IsSafeTreeFileName(picture))
            return Fail(ETreeFileError::kUnsafeName, L"The picture name \"" + picture +
                                                         L"\" is not a plain file name; the file is refused.");
        for (const STreeFilePicture& p : m_file.pictures)
            if (SameNameNoCase(p.name, picture))
                return Fail(ETreeFileError::kGarbage, L"The picture \"" + picture + L"\" appears twice.");
        if (static_cast<long long>(m_file.pictures.size()) >= m_pictures)
            return Fail(ETreeFileError::kCount, L"The file holds more pictures than it says.");
        m_file.pictures.push_back({picture, {}});
        m_pictureBytes.clear();
        m_pictureData = {};
        return ETreeFileError::kNone;
    }
    if (CarriedKeys(name).empty())
        return Fail(ETreeFileError::kGarbage, L"The section [" + name + L"] has no place in a tree file.");
    const int number = TreeFileItemNumber(name);
    if (number >= 0 && number != ItemCount(m_file))
        return Fail(ETreeFileError::kGarbage, L"The item section [" + name + L"] is out of order.");
    if (number >= 0 && number >= m_items) return Fail(ETreeFileError::kCount, L"The file holds more items than it says.");
    m_file.sections.push_back({name, {}});
    return ETreeFileError::kNone;
}

ETreeFileError CReader::Value(const tstr& key, const tstr& value) {
    if (m_section == L"File") {
        long long& target = key == L"items" ? m_items : key == L"pictures" ? m_pictures : m_items;
        if (key != L"items" && key != L"pictures")
            return Fail(ETreeFileError::kGarbage, L"The key \"" + key + L"\" has no place in the [File] section.");
        target = Count(value);
        if (target < 0 || target > kMaxTreeFileItems)
            return Fail(ETreeFileError::kCount, L"The file says it holds " + value + L" " + key + L"; a tree file holds at most " +
                                                    std::to_wstring(kMaxTreeFileItems) + L".");
        return ETreeFileError::kNone;
    }
    if (IsPictureSection(m_section)) {
        if (key != L"bytes" || !m_pictureBytes.empty())
            return Fail(ETreeFileError::kGarbage, L"The picture section [" + m_section + L"] cannot be read.");
        m_pictureBytes = value;
        return ETreeFileError::kNone;
    }
    STreeFileSection& section = m_file.sections.back();
    for (const SCarriedKey& carried : CarriedKeys(section.name)) {
        if (key != carried.name) continue;
        for (const auto& [k, v] : section.values)
            if (k == key) return Fail(ETreeFileError::kGarbage, L"The key \"" + key + L"\" appears twice in [" + section.name + L"].");
        if (!IsCarriedValue(carried.kind, value))
            return Fail(ETreeFileError::kBadValue, L"The value of \"" + key + L"\" in [" + section.name + L"] is not valid.");
        section.values.emplace_back(key, value);
        return ETreeFileError::kNone;
    }
    return Fail(ETreeFileError::kGarbage, L"The key \"" + key + L"\" has no place in [" + section.name + L"].");
}

ETreeFileError CReader::EndPicture() {
    STreeFilePicture& picture = m_file.pictures.back();
    const long long declared = Count(m_pictureBytes);
    if (declared < 0 || m_pictureData.empty())
        return Fail(ETreeFileError::kPictureData, L"The picture \"" + picture.name + L"\" is damaged.");
    if (static_cast<unsigned long long>(declared) > kMaxTreeFilePictureBytes ||
        m_pictureData.size() / 4 * 3 > kMaxTreeFilePictureBytes + 3)
        return Fail(ETreeFileError::kTooLarge, L"The picture \"" + picture.name + L"\" is larger than 16 MB.");
    if (!Base64Decode(m_pictureData, picture.bytes) || picture.bytes.size() != static_cast<std::size_t>(declared) ||
        picture.bytes.empty())
        return Fail(ETreeFileError::kPictureData, L"The picture \"" + picture.name + L"\" is damaged.");
    m_pictureData = {};
    return ETreeFileError::kNone;
}

ETreeFileError CReader::Finish() {
    if (IsPictureSection(m_section)) {
        if (const ETreeFileError e = EndPicture(); e != ETreeFileError::kNone) return e;
    }
    if (!m_fileSeen) return Fail(ETreeFileError::kGarbage, L"The file holds no tree.");
    if (m_items < 0 || m_pictures < 0)
        return Fail(ETreeFileError::kCount, L"The file's [File] section does not say how many items and pictures it holds.");
    if (ItemCount(m_file) != m_items || static_cast<long long>(m_file.pictures.size()) != m_pictures)
        return Fail(ETreeFileError::kCount, L"The file says it holds " + std::to_wstring(m_items) + L" items and " +
                                                std::to_wstring(m_pictures) + L" pictures, but it holds " +
                                                std::to_wstring(ItemCount(m_file)) + L" and " +
                                                std::to_wstring(m_file.pictures.size()) + L".");
    bool tree = false;
    std::vector<bool> used(m_file.pictures.size(), false);
    for (const STreeFileSection& section : m_file.sections) {
        if (section.name != kTreeItemSection && TreeFileItemNumber(section.name) < 0) continue;  // options
        tree = tree || section.name == kTreeItemSection;
        if (TreeFileValue(section, L"type").empty())
            return Fail(ETreeFileError::kBadValue, L"The item [" + section.name + L"] has no type.");
        const tstr path = TreeFileValue(section, L"path");
        if (path.empty()) continue;
        bool found = false;
        for (std::size_t i = 0; i < m_file.pictures.size(); ++i) {
            if (m_file.pictures[i].name != path) continue;
            used[i] = found = true;
        }
        if (!found)
            return Fail(ETreeFileError::kMissingPicture, L"The item [" + section.name + L"] uses the picture \"" + path +
                                                             L"\", which the file does not hold.");
    }
    if (!tree) return Fail(ETreeFileError::kGarbage, L"The file holds no tree section [Items\\Tree].");
    for (std::size_t i = 0; i < used.size(); ++i)
        if (!used[i])
            return Fail(ETreeFileError::kUnusedPicture,
                        L"The picture \"" + m_file.pictures[i].name + L"\" is used by no item of the tree.");
    return ETreeFileError::kNone;
}

}  // namespace

tstr TreeFileValue(const STreeFileSection& section, const tstr& key) {
    for (const auto& [k, v] : section.values)
        if (k == key) return v;
    return tstr();
}

void SetTreeFileValue(STreeFileSection& section, const tstr& key, const tstr& value) {
    for (auto& [k, v] : section.values) {
        if (k != key) continue;
        v = value;
        return;
    }
    section.values.emplace_back(key, value);
}

std::string WriteTreeFile(const STreeFile& file) {
    std::string out(kHeader);
    out += std::to_string(kTreeFileVersion) + "\r\n[File]\r\nitems=" + std::to_string(ItemCount(file)) +
           "\r\npictures=" + std::to_string(file.pictures.size()) + "\r\n";
    // Appended piece by piece ("[" + text trips a false warning of some compilers).
    const auto line = [&out](std::initializer_list<std::string> pieces) {
        for (const std::string& piece : pieces) out += piece;
        out += "\r\n";
    };
    for (const STreeFileSection& section : file.sections) {
        line({"[", ToUtf8(section.name), "]"});
        for (const auto& [key, value] : section.values) line({ToUtf8(key), "=", ToUtf8(Quote(value))});
    }
    for (const STreeFilePicture& picture : file.pictures) {
        line({"[", ToUtf8(kPicturePrefix + picture.name), "]"});
        line({"bytes=", std::to_string(picture.bytes.size())});
        line({"data=", Base64Encode(picture.bytes.data(), picture.bytes.size())});
    }
    out += std::string(kChecksum) + Sha256Hex(out.data(), out.size()) + "\r\n";
    return out;
}

ETreeFileError ReadTreeFile(const std::uint8_t* data, std::size_t size, STreeFile& out, tstr& message) {
    CReader reader;
    return reader.Read(std::string_view(reinterpret_cast<const char*>(data), size), out, message);
}

const char* TreeFileErrorName(ETreeFileError error) {
    switch (error) {
    case ETreeFileError::kNone: return "none";
    case ETreeFileError::kEmpty: return "empty";
    case ETreeFileError::kTooLarge: return "too_large";
    case ETreeFileError::kGarbage: return "garbage";
    case ETreeFileError::kCut: return "cut";
    case ETreeFileError::kAltered: return "altered";
    case ETreeFileError::kVersion: return "version";
    case ETreeFileError::kCount: return "count";
    case ETreeFileError::kUnsafeName: return "unsafe_name";
    case ETreeFileError::kBadValue: return "bad_value";
    case ETreeFileError::kPictureData: return "picture_data";
    case ETreeFileError::kMissingPicture: return "missing_picture";
    case ETreeFileError::kUnusedPicture: return "unused_picture";
    }
    return "?";
}
