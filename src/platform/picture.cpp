#include "platform/picture.h"

#include <objbase.h>
#include <olectl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <climits>

namespace platform {
namespace {

using Microsoft::WRL::ComPtr;

// Initialises COM on this thread for the lifetime of the object. A thread already in another
// apartment mode (RPC_E_CHANGED_MODE) can still use WIC, but must not be uninitialised by us.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (result_ == S_OK || result_ == S_FALSE) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// A memory DC with one bitmap selected, restored and deleted on scope exit.
class MemoryDc {
 public:
  MemoryDc(HDC reference, HBITMAP bitmap) : dc_(CreateCompatibleDC(reference)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~MemoryDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return old_ ? dc_ : nullptr; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// The bytes of an RCDATA resource of the exe; they live as long as the module.
bool FindRcData(int resourceId, const BYTE** data, DWORD* size) {
  HMODULE module = GetModuleHandleA(nullptr);
  // RT_RCDATA, spelled out so it stays a char pointer whatever UNICODE says.
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10));
  if (!info) return false;
  HGLOBAL loaded = LoadResource(module, info);
  *data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  *size = SizeofResource(module, info);
  return *data != nullptr && *size > 0;
}

// Creates an empty 32-bpp top-down DIB section; *bits receives its pixel memory.
UniqueBitmap CreateTopDownDib(int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

Picture DecodeWithWic(const BYTE* data, DWORD size) {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  // The JPEG decoder is created by its class id: asking the factory to find a
  // decoder for the stream walks every registered codec first, which costs
  // more than the decoding of a small picture. The stream only reads the
  // buffer, despite the non-const parameter.
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory))) ||
      FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), size)) ||
      FAILED(CoCreateInstance(CLSID_WICJpegDecoder, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&decoder))) ||
      FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return {};
  }

  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > INT_MAX / 4 || height > UINT_MAX / (width * 4)) {
    return {};
  }
  const UINT stride = width * 4;
  void* bits = nullptr;
  Picture picture;
  picture.bitmap = CreateTopDownDib(static_cast<int>(width), static_cast<int>(height), &bits);
  if (!picture.bitmap ||
      FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
    return {};
  }
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  return picture;
}

// OLE's picture loader reads the JPEG from a stream over a movable memory block and gives a
// device-dependent bitmap, which is copied into a DIB section like WIC's result.
Picture DecodeWithOle(const BYTE* data, DWORD size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return {};
  ComPtr<IStream> stream;
  if (void* bytes = GlobalLock(memory)) {
    CopyMemory(bytes, data, size);
    GlobalUnlock(memory);
  }
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return {};
  }
  ComPtr<IPicture> decoded;
  OLE_HANDLE handle = 0;
  BITMAP info = {};
  if (FAILED(
          OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_PPV_ARGS(&decoded))) ||
      FAILED(decoded->get_Handle(&handle)) ||
      GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof(info), &info) !=
          sizeof(info) ||
      info.bmWidth <= 0 || info.bmHeight <= 0) {
    return {};
  }
  void* bits = nullptr;
  Picture picture;
  picture.bitmap = CreateTopDownDib(info.bmWidth, info.bmHeight, &bits);
  if (!picture.bitmap) return {};
  MemoryDc source(nullptr, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
  MemoryDc target(nullptr, picture.bitmap.get());
  if (!source.get() || !target.get() ||
      !BitBlt(target.get(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY)) {
    return {};
  }
  picture.width = info.bmWidth;
  picture.height = info.bmHeight;
  return picture;
}

}  // namespace

Picture LoadJpegResource(int resourceId, JpegDecoder decoder) {
  const BYTE* data = nullptr;
  DWORD size = 0;
  if (!FindRcData(resourceId, &data, &size)) return {};
  ComScope com;
  Picture picture;
  if (decoder != JpegDecoder::kOle) picture = DecodeWithWic(data, size);
  if (!picture && decoder != JpegDecoder::kWic) picture = DecodeWithOle(data, size);
  return picture;
}

Picture LoadBitmapResource(int resourceId) {
  Picture picture;
  picture.bitmap.reset(
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info = {};
  if (!picture.bitmap || GetObjectA(picture.bitmap.get(), sizeof(info), &info) != sizeof(info)) {
    return {};
  }
  picture.width = info.bmWidth;
  picture.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return picture;
}

void DrawPicture(HDC dc, const Picture& picture, const RECT& target) {
  if (!picture) return;
  MemoryDc source(dc, picture.bitmap.get());
  if (!source.get()) return;
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (width == picture.width && height == picture.height) {
    BitBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, SRCCOPY);
    return;
  }
  // HALFTONE averages source pixels instead of dropping them; GDI requires the brush origin to be
  // set after selecting it.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin = {};
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  StretchBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, picture.width,
             picture.height, SRCCOPY);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  if (oldMode) SetStretchBltMode(dc, oldMode);
}

}  // namespace platform
