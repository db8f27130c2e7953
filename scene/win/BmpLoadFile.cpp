// CBmp::LoadFromFile: picture files through the Windows Imaging Component, converted to 32-bit
// BGRA with straight alpha (opaque where the file has no alpha).
#include "scene/CBmp.h"
#include "wnd/Handles.h"

#include <wincodec.h>

namespace {

// COM for the calling thread for the length of one load, balanced on every path.
class CComScope {
public:
    CComScope() noexcept : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope() {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    // Usable also when the thread already runs another apartment model.
    bool Ready() const noexcept { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

}  // namespace

bool CBmp::LoadFromFile(const wchar_t* path) {
    Free();
    if (!path || !*path) return false;
    CComScope com;
    if (!com.Ready()) return false;

    CComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.put_void())))
        return false;
    CComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put())))
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
    const std::uint8_t* p = Bits();
    bool translucent = false;
    for (int i = 3; i < ByteSize() && !translucent; i += 4) translucent = p[i] != 255;
    SetHasAlpha(translucent);
    return true;
}
