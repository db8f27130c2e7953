// CBmp::LoadFromFile: picture files through the Windows Imaging Component, converted to 32-bit
// BGRA with straight alpha (opaque where the file has no alpha, or alpha bytes that are all zero).
#include "scene/CBmp.h"
#include "scene/PictureCheck.h"
#include "wnd/FileRead.h"
#include "wnd/Handles.h"

#include <wincodec.h>

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The largest file we read: an uncompressed picture of the largest size we hold, plus headers.
constexpr std::size_t kMaxFileBytes = CBmp::kMaxPixels * 4 + (1 << 20);

// Whether a decoder's pixel format carries an alpha channel of its own. Other formats (including
// indexed ones, whose palette may hold alpha) come out of the converter opaque unless they hold
// transparency, which the converted bytes then show.
bool IsAlphaFormat(const WICPixelFormatGUID& format) {
    static const WICPixelFormatGUID* const kAlpha[] = {
        &GUID_WICPixelFormat32bppBGRA, &GUID_WICPixelFormat32bppPBGRA, &GUID_WICPixelFormat32bppRGBA,
        &GUID_WICPixelFormat32bppPRGBA, &GUID_WICPixelFormat64bppRGBA, &GUID_WICPixelFormat64bppPRGBA,
        &GUID_WICPixelFormat64bppBGRA, &GUID_WICPixelFormat64bppPBGRA,
    };
    for (const WICPixelFormatGUID* f : kAlpha)
        if (::IsEqualGUID(format, *f)) return true;
    return false;
}

}  // namespace

bool CBmp::LoadFromFile(const wchar_t* path) {
    Free();
    if (!path || !*path) return false;
    // The file is read whole first: the decoder then works on memory, and cut-off files that a
    // lenient decoder would accept are recognised.
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, kMaxFileBytes, bytes) || bytes.empty() || !IsCompletePng(bytes.data(), bytes.size())) return false;
    CComScope com;
    if (!com.Ready()) return false;

    CComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.put_void())))
        return false;
    CComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))))
        return false;
    CComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return false;
    CComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return false;
    UINT width = 0, height = 0;
    // The header's size decides the allocation: refuse lying or oversized pictures before it.
    if (FAILED(frame->GetSize(&width, &height)) || !IsAcceptableSize(width, height)) return false;

    CComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    if (!Create(static_cast<int>(width), static_cast<int>(height))) return false;
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(ByteSize()), Bits()))) {
        Free();
        return false;
    }
    // As for bitmap handles: alpha bytes that are all zero (a 32-bit bitmap with an alpha mask it
    // never fills, common from older tools) mean an opaque picture, not an invisible one.
    std::uint8_t* p = Bits();
    bool anyAlpha = false, translucent = false;
    for (int i = 3; i < ByteSize(); i += 4) {
        anyAlpha = anyAlpha || p[i] != 0;
        translucent = translucent || p[i] != 255;
    }
    if (!anyAlpha) {
        for (int i = 3; i < ByteSize(); i += 4) p[i] = 255;
    }
    // Has-alpha: the file's own alpha holds at least one non-zero byte. Formats without alpha
    // come out of the converter all 255, which is no alpha of the file's.
    WICPixelFormatGUID format{};
    const bool alphaChannel = SUCCEEDED(frame->GetPixelFormat(&format)) && IsAlphaFormat(format);
    SetHasAlpha(anyAlpha && (translucent || alphaChannel));
    return true;
}
