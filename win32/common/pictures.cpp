#include "win32/common/pictures.h"

#include <wincodec.h>

#include <cstdint>

namespace {

// Holds one reference to a COM object and gives it up at the end of its scope.
template <typename Interface> class ComReference {
public:
    ComReference() = default;
    ~ComReference() {
        if (object)
            object->Release();
    }
    ComReference(const ComReference &) = delete;
    ComReference &operator=(const ComReference &) = delete;
    Interface *operator->() const { return object; }
    Interface *get() const { return object; }
    Interface **receive() { return &object; }

private:
    Interface *object = nullptr;
};

// Image decoding lives in COM, which a thread that has it keeps as it is.
class ComOnThread {
public:
    ComOnThread() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComOnThread() {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComOnThread(const ComOnThread &) = delete;
    ComOnThread &operator=(const ComOnThread &) = delete;

private:
    HRESULT result;
};

// The picture decoded and scaled to size as premultiplied BGRA, top row first.
bool decodeScaled(const void *png, DWORD bytes, SIZE size, BYTE *pixels) {
    ComReference<IWICImagingFactory> factory;
    ComReference<IWICStream> stream;
    ComReference<IWICBitmapDecoder> decoder;
    ComReference<IWICBitmapFrameDecode> frame;
    ComReference<IWICBitmapScaler> scaler;
    ComReference<IWICFormatConverter> converter;
    const UINT stride = UINT(size.cx) * 4;
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(factory.receive()))) &&
           SUCCEEDED(factory->CreateStream(stream.receive())) &&
           SUCCEEDED(
               stream->InitializeFromMemory(static_cast<BYTE *>(const_cast<void *>(png)), bytes)) &&
           SUCCEEDED(factory->CreateDecoderFromStream(
               stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.receive())) &&
           SUCCEEDED(decoder->GetFrame(0, frame.receive())) &&
           SUCCEEDED(factory->CreateBitmapScaler(scaler.receive())) &&
           SUCCEEDED(scaler->Initialize(frame.get(), UINT(size.cx), UINT(size.cy),
                                        WICBitmapInterpolationModeFant)) &&
           SUCCEEDED(factory->CreateFormatConverter(converter.receive())) &&
           SUCCEEDED(converter->Initialize(scaler.get(), GUID_WICPixelFormat32bppPBGRA,
                                           WICBitmapDitherTypeNone, nullptr, 0,
                                           WICBitmapPaletteTypeCustom)) &&
           SUCCEEDED(converter->CopyPixels(nullptr, stride, stride * UINT(size.cy), pixels));
}

} // namespace

OwnedIcon loadIcon(int id, int pixels) {
    // The system takes the icon's nearest size and scales it.
    return OwnedIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                   IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR)));
}

OwnedBitmap loadPictureOn(int id, SIZE size, COLORREF background) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void *png = loaded ? LockResource(loaded) : nullptr;
    if (!png || size.cx <= 0 || size.cy <= 0)
        return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const ComOnThread com;
    if (!bitmap ||
        !decodeScaled(png, SizeofResource(module, found), size, static_cast<BYTE *>(bits)))
        return nullptr;

    // Premultiplied colour over the background: what shows through is the background's share.
    const std::uint8_t under[3] = {GetBValue(background), GetGValue(background),
                                   GetRValue(background)};
    auto *pixel = static_cast<std::uint8_t *>(bits);
    for (LONG i = 0; i < size.cx * size.cy; ++i, pixel += 4) {
        const int through = 255 - pixel[3];
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = std::uint8_t(pixel[channel] + (under[channel] * through + 127) / 255);
        pixel[3] = 255;
    }
    return bitmap;
}
