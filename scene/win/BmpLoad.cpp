// CBmp loaders over GDI: bitmap resources and bitmap handles, and GIF resources.
#include "scene/CBmp.h"
#include "scene/GifDecoder.h"
#include "scene/win/DcPixels.h"
#include "wnd/Handles.h"

namespace {

HMODULE ModuleOrSelf(HINSTANCE module) { return module ? module : ::GetModuleHandleW(nullptr); }

// Reads a bitmap handle's pixels as a top-down 32-bit picture through dc. A picture whose alpha
// bytes are all zero (24-bit data, or 32-bit data without alpha) is made fully opaque.
bool ReadBitmapPixels(CBmp& bmp, HBITMAP bitmap, HDC dc) {
    BITMAP info{};
    if (!bitmap || !dc || ::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) return false;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (!bmp.Create(width, height)) return false;
    BITMAPINFO bi = TopDown32(width, height);
    if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bmp.Bits(), &bi, DIB_RGB_COLORS) != height) {
        bmp.Free();
        return false;
    }
    std::uint8_t* p = bmp.Bits();
    bool anyAlpha = false;
    for (int i = 3; i < bmp.ByteSize() && !anyAlpha; i += 4) anyAlpha = p[i] != 0;
    if (!anyAlpha) {
        for (int i = 3; i < bmp.ByteSize(); i += 4) p[i] = 255;
    }
    bmp.SetHasAlpha(anyAlpha);
    return true;
}

}  // namespace

bool CBmp::LoadFromResource(HINSTANCE__* module, int id) {
    Free();
    const HMODULE mod = ModuleOrSelf(module);
    // A DIB section keeps 32-bit resources exactly as stored, alpha included.
    CUniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(mod, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0,
                                                           LR_DEFAULTSIZE | LR_CREATEDIBSECTION)));
    if (!bitmap) bitmap.reset(::LoadBitmapW(mod, MAKEINTRESOURCEW(id)));
    if (!bitmap) return false;
    CWindowDc screen(nullptr);
    return ReadBitmapPixels(*this, bitmap.get(), screen.get());
}

bool CBmp::LoadFromHandle(HBITMAP__* bitmap) {
    Free();
    CUniqueDc dc(::CreateCompatibleDC(nullptr));
    return ReadBitmapPixels(*this, bitmap, dc.get());
}

int CBmp::LoadGifFromResource(HINSTANCE__* module, const wchar_t* name, const wchar_t* type) {
    Free();
    const HMODULE mod = ModuleOrSelf(module);
    HRSRC found = ::FindResourceW(mod, name, type ? type : L"GIF");
    if (!found) return kGifFailed;
    // Resource memory is mapped from the module and needs no release.
    HGLOBAL loaded = ::LoadResource(mod, found);
    const DWORD size = ::SizeofResource(mod, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || size == 0) return kGifFailed;
    return DecodeGif(static_cast<const std::uint8_t*>(data), size, *this);
}

int CBmp::LoadGifFromResource(HINSTANCE__* module, int id, const wchar_t* type) {
    return LoadGifFromResource(module, MAKEINTRESOURCEW(id), type);
}
