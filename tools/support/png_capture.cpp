#include "support/png_capture.h"

#include <wincodec.h>

#include <vector>

#include "platform/handles.h"

namespace tools {
namespace {

template <typename T>
struct ComRelease {
  void operator()(T* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

std::wstring Wide(const std::string& text) {
  int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
  wide.resize(wcslen(wide.c_str()));
  return wide;
}

bool EncodePng(const std::vector<BYTE>& pixels, int width, int height, const std::string& path) {
  IWICImagingFactory* rawFactory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&rawFactory)))) {
    return false;
  }
  ComPtr<IWICImagingFactory> factory(rawFactory);
  IWICStream* rawStream = nullptr;
  if (FAILED(factory->CreateStream(&rawStream))) return false;
  ComPtr<IWICStream> stream(rawStream);
  if (FAILED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE))) return false;
  IWICBitmapEncoder* rawEncoder = nullptr;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &rawEncoder))) return false;
  ComPtr<IWICBitmapEncoder> encoder(rawEncoder);
  if (FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return false;
  IWICBitmapFrameEncode* rawFrame = nullptr;
  if (FAILED(encoder->CreateNewFrame(&rawFrame, nullptr))) return false;
  ComPtr<IWICBitmapFrameEncode> frame(rawFrame);
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (FAILED(frame->Initialize(nullptr)) || FAILED(frame->SetSize(width, height)) ||
      FAILED(frame->SetPixelFormat(&format))) {
    return false;
  }
  UINT stride = static_cast<UINT>(width) * 4;
  if (FAILED(frame->WritePixels(height, stride, stride * static_cast<UINT>(height),
                                const_cast<BYTE*>(pixels.data())))) {
    return false;
  }
  return SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

bool SaveWindowPng(HWND window, const std::string& path) {
  RECT frame;
  if (!GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  platform::UniqueBitmap bitmap(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HGDIOBJ previous = SelectObject(memory, bitmap.get());
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  std::vector<BYTE> pixels(
      static_cast<const BYTE*>(bits),
      static_cast<const BYTE*>(bits) + static_cast<size_t>(width) * height * 4);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = EncodePng(pixels, width, height, path);
  if (SUCCEEDED(com)) CoUninitialize();
  return saved;
}

}  // namespace tools
