#include "PngFile.h"

#include "wnd/Handles.h"

#include <wincodec.h>

namespace {

struct SComScope {
    SComScope() : ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~SComScope() {
        if (ok) ::CoUninitialize();
    }
    bool ok;
};

bool Factory(CComPtr<IWICImagingFactory>& factory) {
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, factory.put_void()));
}

}  // namespace

bool ReadPng(const std::wstring& path, SPixels& out) {
    SComScope com;
    CComPtr<IWICImagingFactory> factory;
    if (!Factory(factory)) return false;
    CComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put())))
        return false;
    CComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return false;
    CComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put()))) return false;
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    UINT w = 0, h = 0;
    if (FAILED(converter->GetSize(&w, &h))) return false;
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.bgra.assign(static_cast<std::size_t>(w) * h * 4, 0);
    return SUCCEEDED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(out.bgra.size()), out.bgra.data()));
}

bool WritePng(const std::wstring& path, const SPixels& pixels) {
    SComScope com;
    CComPtr<IWICImagingFactory> factory;
    if (!Factory(factory)) return false;
    CComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put())) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
        return false;
    CComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
        return false;
    CComPtr<IWICBitmapFrameEncode> frame;
    CComPtr<IPropertyBag2> options;
    if (FAILED(encoder->CreateNewFrame(frame.put(), options.put())) || FAILED(frame->Initialize(options.get())))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (FAILED(frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height))) ||
        FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat32bppBGRA)
        return false;
    std::vector<std::uint8_t> copy = pixels.bgra;  // WritePixels takes a non-const buffer
    if (FAILED(frame->WritePixels(static_cast<UINT>(pixels.height), static_cast<UINT>(pixels.width) * 4,
                                  static_cast<UINT>(copy.size()), copy.data())))
        return false;
    return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

std::wstring TestDataPath(const wchar_t* relative) {
    const char* root = PINARBO_TEST_DATA;
    std::wstring path;
    if (root[0] == '/') path = L"Z:";  // Wine maps the Unix root to drive Z:
    for (const char* p = root; *p; ++p) path += static_cast<wchar_t>(*p == '/' ? '\\' : *p);
    path += L'\\';
    for (const wchar_t* p = relative; *p; ++p) path += *p == L'/' ? L'\\' : *p;
    return path;
}
