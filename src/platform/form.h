// The shared form builder: a window and its controls built from one layout
// table in twips, with Tab order from the tab indexes and every control event
// routed to the form's handler.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/picture.h"

namespace platform {

// Pixels per inch of a screen at 100 % scale: pictures are drawn at their own
// size there.
inline constexpr int kDefaultDpi = 96;

enum class ControlKind {
  kPushButton,     // text caption; "&" marks the access key
  kToggleButton,   // a push button that can read as checked (BM_SETCHECK); a click leaves it as is
  kSymbolButton,   // one Marlett glyph: "3" left, "4" right, "5" up, "6" down
  kPictureButton,  // a picture centred on the button face
  kLabel,          // opaque, left-aligned text that wraps inside its box
  kOverlayLabel,   // yellow, centred text drawn over the window's background
  kListBox,
  kPicture,  // a picture filling its box; clicks are reported
};

struct FontSpec {
  const char* face = "MS Sans Serif";
  double points = 8.25;
  int weight = FW_NORMAL;
  bool underline = false;
  BYTE charset = ANSI_CHARSET;
};

enum class PictureFormat { kJpeg, kBitmap };

struct PictureRef {
  int resourceId = 0;
  PictureFormat format = PictureFormat::kJpeg;
};

inline constexpr int kNoTabIndex = -1;

struct ControlSpec {
  int id;  // never IDOK or IDCANCEL: Enter and Esc send those
  const char* name;
  ControlKind kind;
  const char* caption;
  int left, top, width, height;  // twips
  int tabIndex;                  // kNoTabIndex: not reached by Tab
  FontSpec font;
  PictureRef picture{};
  DWORD listStyle = 0;  // extra LBS_ styles of a list box
  // What a screen reader says for the control; nullptr: its caption.
  const char* accessibleName = nullptr;
};

enum class Frame {
  kResizable,    // sizing border, minimize and maximize boxes
  kFixedDialog,  // dialog frame, close box only
};

struct FormSpec {
  const char* className;
  const char* title;
  int clientWidth, clientHeight;  // twips
  int designLeft, designTop;      // screen position of the client area, twips
  Frame frame;
  int iconId;             // 0: no icon of its own
  PictureRef background;  // drawn unscaled from the top-left; id 0: dialog face colour
  std::span<const ControlSpec> controls;
};

enum class ControlEvent { kClick, kDblClick };

// Posted to a form's window to show a failure a handler met (see Form::TellLater).
inline constexpr UINT kTellFailureMessage = WM_APP + 1;

class Form {
 public:
  explicit Form(const FormSpec& layout);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls, hidden. An owned window (`owner` not
  // null) has no taskbar button of its own.
  bool Create(HWND owner = nullptr);

  HWND window() const { return window_.get(); }
  HWND control(int id) const { return GetDlgItem(window_.get(), id); }

  // Shows the window in front. The first time, the focus goes to the first
  // control in tab order.
  void Show();
  void Hide();
  bool IsVisible() const;

  std::string Text(int controlId) const;
  void SetText(int controlId, const std::string& text);

  // The load event: runs once after the window is created, before it is shown.
  virtual void Form_Load() {}

  // Runs once, a moment after the window was first shown and every waiting
  // paint of the thread is done, so that work here never delays the first
  // paint or the first input.
  virtual void AfterFirstPaint() {}

  // The window became the active one; `other` is the window that was (null
  // when it is another program's, as it may be).
  virtual void OnActivated(HWND /*other*/) {}

  // Twips to pixels at the window's DPI (15 twips are one pixel at 96 DPI).
  int Pixels(int twips) const;

  // True when `window` is the top-level window of a form.
  static bool IsFormWindow(HWND window);

 protected:
  virtual void OnControlEvent(int controlId, ControlEvent event) = 0;
  // The title bar's close box.
  virtual void OnCloseBox() = 0;

 private:
  // Every message of the form's window: from WM_NCCREATE the window is
  // attached to the form, and from its WM_NCDESTROY no longer.
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Makes `window` this form's: owned by it, its messages handled by it, and
  // known as a form's window (IsFormWindow).
  void Attach(HWND window);
  // Undoes Attach and lets the window go without destroying it: done when the
  // window is destroyed, whether by this form's destructor or from outside
  // (with its owner, say).
  void Detach();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  const ControlSpec* FindControl(int id) const;
  bool CreateControl(const ControlSpec& control);
  HFONT FontFor(const FontSpec& font);
  const Picture& PictureFor(const PictureRef& ref);
  void ApplyTabOrder();
  // Moves the focus to `previous` when it is one of the window's controls,
  // else to the control remembered; false when there is none.
  bool RestoreFocus(HWND previous);
  void TellLater(const char* failure);
  void PaintBackground(HDC dc);
  void DrawOwnerDrawn(const DRAWITEMSTRUCT& item);

  const FormSpec& layout_;
  UniqueWindow window_;
  bool destroying_ = false;  // the destructor is destroying the window
  int dpi_ = kDefaultDpi;
  bool shownBefore_ = false;
  HWND lastFocus_ = nullptr;
  std::string untoldFailure_;  // a handler's failure, shown once the message is done
  struct CachedFont {
    FontSpec description;
    UniqueFont font;
  };
  std::vector<CachedFont> fonts_;
  struct CachedPicture {
    int resourceId;
    Picture picture;
  };
  std::vector<CachedPicture> pictures_;
  std::vector<UniqueBitmap> glyphs_;  // triangles drawn when Marlett is missing
};

// Runs the thread's message loop until WM_QUIT, letting each form handle Tab
// and access keys; `afterEach` runs after every dispatched message.
template <typename AfterEach>
int RunMessageLoop(AfterEach afterEach) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!(root && Form::IsFormWindow(root) && IsDialogMessageA(root, &message))) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    afterEach();
  }
  return static_cast<int>(message.wParam);
}

}  // namespace platform
