// Test doubles for scene tests: a picture source serving bitmaps from maps, a store over an
// in-memory backend, and small bitmap builders.
#pragma once

#include "param/CMemoryBackend.h"
#include "param/CSettingsStore.h"
#include "scene/CBmp.h"
#include "scene/IPictureSource.h"

#include <cstdint>
#include <map>
#include <memory>

class CFakePictureSource : public IPictureSource {
public:
    bool LoadResource(int id, CBmp& out) override {
        ++resourceLoads;
        return Serve(resources, id, out);
    }
    bool LoadFile(const tstr& path, CBmp& out) override { return Serve(files, path, out); }
    bool FileExists(const tstr& path) override { return files.count(path) != 0 || brokenFiles.count(path) != 0; }
    void ScreenSize(int& width, int& height) override {
        width = screenWidth;
        height = screenHeight;
    }

    std::map<int, std::shared_ptr<CBmp>> resources;
    std::map<tstr, std::shared_ptr<CBmp>> files;
    std::map<tstr, int> brokenFiles;  // exist but do not load
    int screenWidth = 1920;
    int screenHeight = 1080;
    int resourceLoads = 0;

private:
    template <class K>
    static bool Serve(const std::map<K, std::shared_ptr<CBmp>>& from, const K& key, CBmp& out) {
        out.Free();
        const auto it = from.find(key);
        if (it == from.end()) return false;
        return out.CopyFrom(*it->second);
    }
};

// w x h pixels, every one the word 0xAARRGGBB.
inline std::shared_ptr<CBmp> FilledBmp(int w, int h, std::uint32_t pixel) {
    auto bmp = std::make_shared<CBmp>();
    bmp->Create(w, h);
    std::uint8_t* p = bmp->Bits();
    for (int i = 0; i < w * h; ++i) {
        p[i * 4 + 0] = static_cast<std::uint8_t>(pixel);
        p[i * 4 + 1] = static_cast<std::uint8_t>(pixel >> 8);
        p[i * 4 + 2] = static_cast<std::uint8_t>(pixel >> 16);
        p[i * 4 + 3] = static_cast<std::uint8_t>(pixel >> 24);
    }
    return bmp;
}

inline void SetPixel(CBmp& bmp, int x, int y, std::uint32_t pixel) {
    std::uint8_t* p = bmp.Bits() + (static_cast<std::size_t>(y) * bmp.Width() + x) * 4;
    p[0] = static_cast<std::uint8_t>(pixel);
    p[1] = static_cast<std::uint8_t>(pixel >> 8);
    p[2] = static_cast<std::uint8_t>(pixel >> 16);
    p[3] = static_cast<std::uint8_t>(pixel >> 24);
}

// A settings store rooted at "Software\Test\" over a fresh in-memory tree.
struct SMemoryStore {
    SMemoryStore() {
        store.SetRoot(L"Software\\Test");
        store.SetBackend(&backend);
    }
    tstr Read(const tstr& section, const tstr& key) {
        tstr out = L"<missing>";
        store.ReadString(section, key, out);
        return out;
    }
    CMemoryBackend backend;
    CSettingsStore store;
};

// Installs a picture source for LoadPicture() for the life of a test.
class CPictureSourceScope {
public:
    explicit CPictureSourceScope(IPictureSource* source);
    ~CPictureSourceScope();
    CPictureSourceScope(const CPictureSourceScope&) = delete;
    CPictureSourceScope& operator=(const CPictureSourceScope&) = delete;

private:
    IPictureSource* m_previous;
};
