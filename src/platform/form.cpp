#include "platform/form.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/accessible_name.h"
#include "platform/glyphs.h"

namespace platform {
namespace {

constexpr char kFormProperty[] = "LauncherForm";
// A timer's messages come only once no window of the thread waits to be
// painted; the delay leaves the window shown, painted and taking input first.
constexpr UINT_PTR kAfterFirstPaintTimer = 1;
constexpr UINT kAfterFirstPaintMilliseconds = 100;
constexpr COLORREF kOverlayTextColour = RGB(255, 255, 0);

DWORD FrameStyle(Frame frame) {
  return frame == Frame::kResizable ? WS_OVERLAPPEDWINDOW : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
}

DWORD FrameExStyle(Frame frame) {
  return frame == Frame::kResizable ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
}

struct ControlClass {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassFor(const ControlSpec& control) {
  switch (control.kind) {
    case ControlKind::kPushButton:
    case ControlKind::kSymbolButton:
      return {"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0};
    case ControlKind::kToggleButton:
      // A check box that looks like a push button and does not check itself.
      return {"BUTTON", BS_CHECKBOX | BS_PUSHLIKE | BS_MULTILINE | WS_TABSTOP, 0};
    case ControlKind::kPictureButton:
      return {"BUTTON", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 0};
    case ControlKind::kLabel:
      return {"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::kOverlayLabel:
      return {"STATIC", SS_OWNERDRAW | SS_NOPREFIX, 0};
    case ControlKind::kListBox:
      return {"LISTBOX",
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP |
                  control.listStyle,
              WS_EX_CLIENTEDGE};
    case ControlKind::kPicture:
      return {"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
  }
  return {"STATIC", 0, 0};
}

bool SameFont(const FontSpec& a, const FontSpec& b) {
  return std::string_view(a.face) == b.face && a.points == b.points && a.weight == b.weight &&
         a.underline == b.underline && a.charset == b.charset;
}

}  // namespace

Form::Form(const FormSpec& layout) : layout_(layout) {}

// The window goes first, while the fonts and pictures it uses still exist.
// Its WM_NCDESTROY detaches it; a window DestroyWindow refuses (one of another
// thread) is detached here all the same, so no message reaches a freed form.
Form::~Form() {
  destroying_ = true;
  if (window_) DestroyWindow(window_.get());
  if (window_) Detach();
}

void Form::Attach(HWND window) {
  window_.reset(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetPropA(window, kFormProperty, reinterpret_cast<HANDLE>(this));
}

void Form::Detach() {
  HWND window = window_.release();
  RemovePropA(window, kFormProperty);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

bool Form::IsFormWindow(HWND window) { return GetPropA(window, kFormProperty) != nullptr; }

int Form::Pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }

bool Form::Create(HWND owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExA(instance, layout_.className, &windowClass)) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Form::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = layout_.className;
    if (layout_.iconId) {
      windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(layout_.iconId));
      windowClass.hIconSm = static_cast<HICON>(
          LoadImageA(instance, MAKEINTRESOURCEA(layout_.iconId), IMAGE_ICON,
                     GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    }
    if (!RegisterClassExA(&windowClass)) return false;
  }

  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);

  const DWORD style = FrameStyle(layout_.frame) | WS_CLIPCHILDREN;
  const DWORD exStyle = FrameExStyle(layout_.frame);
  RECT frame{Pixels(layout_.designLeft), Pixels(layout_.designTop),
             Pixels(layout_.designLeft + layout_.clientWidth),
             Pixels(layout_.designTop + layout_.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  // The window procedure attaches the window to this form at WM_NCCREATE.
  if (!CreateWindowExA(exStyle, layout_.className, layout_.title, style, frame.left, frame.top,
                       frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance,
                       this)) {
    return false;
  }

  for (const ControlSpec& control : layout_.controls) {
    if (!CreateControl(control)) return false;
  }
  ApplyTabOrder();
  return true;
}

bool Form::CreateControl(const ControlSpec& control) {
  ControlClass kind = ClassFor(control);
  HWND handle = CreateWindowExA(kind.exStyle, kind.className, control.caption,
                                WS_CHILD | WS_VISIBLE | kind.style, Pixels(control.left),
                                Pixels(control.top), Pixels(control.width), Pixels(control.height),
                                window_.get(), reinterpret_cast<HMENU>(INT_PTR{control.id}),
                                GetModuleHandleA(nullptr), nullptr);
  if (!handle) return false;
  NameForScreenReaders(handle, control);
  SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.font)), FALSE);

  if (control.kind == ControlKind::kPictureButton) {
    const Picture& picture = PictureFor(control.picture);
    SendMessageA(handle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.bitmap.get()));
  } else if (control.kind == ControlKind::kSymbolButton && !IsFontInstalled(control.font.face)) {
    // Without the symbol font the caption would show as a digit: draw the
    // glyph it stands for instead. The caption stays for screen readers.
    RECT client;
    GetClientRect(handle, &client);
    UniqueBitmap glyph = DrawArrowGlyph(ArrowForMarlettCharacter(control.caption[0]),
                                        std::min(client.right, client.bottom) / 2);
    SetWindowLongPtrA(handle, GWL_STYLE, GetWindowLongPtrA(handle, GWL_STYLE) | BS_BITMAP);
    SendMessageA(handle, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph.get()));
    glyphs_.push_back(std::move(glyph));
  }
  return true;
}

// The dialog manager moves through controls in z-order, so the z-order is
// made to follow the tab indexes; controls without one go last.
void Form::ApplyTabOrder() {
  std::vector<const ControlSpec*> order;
  for (const ControlSpec& control : layout_.controls) order.push_back(&control);
  std::stable_sort(order.begin(), order.end(), [](const ControlSpec* a, const ControlSpec* b) {
    auto rank = [](const ControlSpec* c) {
      return c->tabIndex == kNoTabIndex ? INT_MAX : c->tabIndex;
    };
    return rank(a) < rank(b);
  });
  for (const ControlSpec* control : order) {
    SetWindowPos(this->control(control->id), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

HFONT Form::FontFor(const FontSpec& font) {
  for (const CachedFont& cached : fonts_) {
    if (SameFont(cached.description, font)) return cached.font.get();
  }
  LOGFONTA description{};
  description.lfHeight = -static_cast<LONG>(std::lround(font.points * dpi_ / 72.0));
  description.lfWeight = font.weight;
  description.lfUnderline = font.underline;
  description.lfCharSet = font.charset;
  lstrcpynA(description.lfFaceName, font.face, LF_FACESIZE);
  fonts_.push_back({font, UniqueFont(CreateFontIndirectA(&description))});
  return fonts_.back().font.get();
}

const Picture& Form::PictureFor(const PictureRef& ref) {
  for (const CachedPicture& cached : pictures_) {
    if (cached.resourceId == ref.resourceId) return cached.picture;
  }
  Picture picture = ref.format == PictureFormat::kJpeg ? LoadJpegResource(ref.resourceId)
                                                       : LoadBitmapResource(ref.resourceId);
  pictures_.push_back({ref.resourceId, std::move(picture)});
  return pictures_.back().picture;
}

const ControlSpec* Form::FindControl(int id) const {
  for (const ControlSpec& control : layout_.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

void Form::Show() {
  ShowWindow(window_.get(), SW_SHOW);
  SetForegroundWindow(window_.get());
  if (!shownBefore_) {
    shownBefore_ = true;
    // Remembered as well as focused: the window's activation may arrive only
    // later (window managers deliver it asynchronously), and it restores this.
    lastFocus_ = GetNextDlgTabItem(window_.get(), nullptr, FALSE);
    if (lastFocus_) SetFocus(lastFocus_);
    SetTimer(window_.get(), kAfterFirstPaintTimer, kAfterFirstPaintMilliseconds, nullptr);
  }
}

bool Form::RestoreFocus(HWND previous) {
  HWND self = window_.get();
  if (previous && IsChild(self, previous)) lastFocus_ = previous;
  if (!lastFocus_ || !IsChild(self, lastFocus_)) return false;  // gone, or never one of ours
  SetFocus(lastFocus_);
  return true;
}

void Form::Hide() { ShowWindow(window_.get(), SW_HIDE); }

bool Form::IsVisible() const { return IsWindowVisible(window_.get()) != FALSE; }

std::string Form::Text(int controlId) const {
  HWND handle = control(controlId);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Form::SetText(int controlId, const std::string& text) {
  SetWindowTextA(control(controlId), text.c_str());
  InvalidateRect(control(controlId), nullptr, TRUE);
}

void Form::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(window_.get(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (!layout_.background.resourceId) return;
  const Picture& picture = PictureFor(layout_.background);
  if (!picture) return;
  RECT target{0, 0, MulDiv(picture.width, dpi_, kDefaultDpi),
              MulDiv(picture.height, dpi_, kDefaultDpi)};
  DrawPicture(dc, picture, target);
}

void Form::DrawOwnerDrawn(const DRAWITEMSTRUCT& item) {
  const ControlSpec* control = FindControl(static_cast<int>(item.CtlID));
  if (!control) return;
  if (control->kind == ControlKind::kPicture) {
    const Picture& picture = PictureFor(control->picture);
    if (picture) DrawPicture(item.hDC, picture, item.rcItem);
    return;
  }
  // An overlay label: the window's background behind the text, then the text.
  RECT box = item.rcItem;
  POINT origin{0, 0};
  MapWindowPoints(item.hwndItem, window_.get(), &origin, 1);
  SetViewportOrgEx(item.hDC, -origin.x, -origin.y, nullptr);
  PaintBackground(item.hDC);
  SetViewportOrgEx(item.hDC, 0, 0, nullptr);
  std::string text = Text(control->id);
  HGDIOBJ previous = SelectObject(item.hDC, FontFor(control->font));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, kOverlayTextColour);
  DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
            DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(item.hDC, previous);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams)->Attach(window);
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // Not attached: WM_GETMINMAXINFO, which comes before WM_NCCREATE.
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  // The window's last message: it is gone once the default procedure returns.
  if (message == WM_NCDESTROY) {
    form->Detach();
    return DefWindowProcA(window, message, wParam, lParam);
  }
  // The form's destructor is destroying the window: the derived form, whose
  // handlers these messages would reach, is gone already.
  if (form->destroying_) return DefWindowProcA(window, message, wParam, lParam);
  // No exception may cross into the system's code.
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    form->TellLater(error.what());
  } catch (...) {
    form->TellLater("Unexpected error.");
  }
  return 0;
}

// A box shown from inside a paint or draw handler would be painted over and
// drawn again under itself: the failure is told once the message is done.
void Form::TellLater(const char* failure) {
  if (!untoldFailure_.empty()) return;
  untoldFailure_ = failure;
  PostMessageA(window_.get(), kTellFailureMessage, 0, 0);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND self = window_.get();
  switch (message) {
    case WM_COMMAND: {
      const ControlSpec* control = FindControl(LOWORD(wParam));
      if (!control || !lParam) break;
      const WORD code = HIWORD(wParam);
      if (control->kind == ControlKind::kListBox) {
        if (code == LBN_DBLCLK) OnControlEvent(control->id, ControlEvent::kDblClick);
      } else if (code == BN_CLICKED) {  // STN_CLICKED has the same value
        OnControlEvent(control->id, ControlEvent::kClick);
      }
      return 0;
    }
    case WM_CLOSE:
      OnCloseBox();
      return 0;
    case kTellFailureMessage: {
      const std::string failure = std::move(untoldFailure_);
      untoldFailure_.clear();
      if (!failure.empty()) MessageBoxA(self, failure.c_str(), layout_.title, MB_OK | MB_ICONHAND);
      return 0;
    }
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_DRAWITEM:
      DrawOwnerDrawn(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_TIMER:
      if (wParam != kAfterFirstPaintTimer) break;
      KillTimer(self, kAfterFirstPaintTimer);
      AfterFirstPaint();
      return 0;
    case WM_ACTIVATE:
      // Keep the focused control across deactivation, as dialogs do.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(self, focus)) lastFocus_ = focus;
        break;
      }
      OnActivated(reinterpret_cast<HWND>(lParam));
      if (RestoreFocus(nullptr)) return 0;
      break;
    case WM_SETFOCUS:
      // The frame itself takes no keys: hand the focus on to the control that
      // just lost it, or else to the one remembered.
      if (RestoreFocus(reinterpret_cast<HWND>(wParam))) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcA(self, message, wParam, lParam);
}

}  // namespace platform
