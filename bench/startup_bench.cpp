// Start-up of launcher.exe against a minimal one-window program, measured the
// same way in one run: each start is timed from CreateProcess until the main
// window is shown, fully painted and its thread waits for input. A third
// program, the minimal one with the launcher's manifest and the main window's
// fourteen controls and nothing else, shows what those alone cost. The
// programs alternate, so all see the same load on the machine.
//
//   startup_bench.exe [RUNS [OTHER.exe ...]]
//
// RUNS starts of each (default 30) follow three unmeasured starts of each.
// Other builds given by their Windows paths are measured alongside, to
// compare a change with what it changes in the same run.
// Both programs run in the same prefix state; launcher.exe reads the install
// folder from the registry at start, whether the demo game is there or not.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/picture.h"
#include "resource.h"
#include "support/driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kPatienceMs = 15000;
constexpr DWORD kSettleMs = 100;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
BOOL CALLBACK NoteUnpainted(HWND window, LPARAM parameter) {
  if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(parameter) = true;
    return FALSE;
  }
  return TRUE;
}

// True when neither the window nor any of its controls waits to be painted.
bool FullyPainted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, &NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

// The largest control: in launcher.exe the picture `Image1`.
BOOL CALLBACK NoteLargest(HWND window, LPARAM parameter) {
  auto* largest = reinterpret_cast<std::pair<HWND, long>*>(parameter);
  RECT box;
  GetWindowRect(window, &box);
  long area = (box.right - box.left) * (box.bottom - box.top);
  if (area > largest->second) *largest = {window, area};
  return TRUE;
}

// The colour at the centre of `box` when the launcher's picture fills it, as
// the program draws it.
COLORREF ExpectedCentre(const RECT& box) {
  static const platform::Picture picture = platform::LoadJpegResource(IDR_LAUNCHER_PICTURE);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  platform::UniqueBitmap canvas(CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ old = SelectObject(memory, canvas.get());
  platform::DrawPicture(memory, picture, RECT{0, 0, width, height});
  COLORREF centre = GetPixel(memory, width / 2, height / 2);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return centre;
}

bool Near(COLORREF a, COLORREF b) {
  auto within = [](int x, int y) { return x - y < 24 && y - x < 24; };
  return within(GetRValue(a), GetRValue(b)) && within(GetGValue(a), GetGValue(b)) &&
         within(GetBValue(a), GetBValue(b));
}

// Whether the screen shows the launcher's picture at the centre of the
// window's largest control.
bool PictureOnScreen(HWND window) {
  std::pair<HWND, long> largest{nullptr, 0};
  EnumChildWindows(window, &NoteLargest, reinterpret_cast<LPARAM>(&largest));
  if (!largest.first) return false;
  RECT box;
  GetWindowRect(largest.first, &box);
  HDC screen = GetDC(nullptr);
  COLORREF seen = GetPixel(screen, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
  ReleaseDC(nullptr, screen);
  return Near(seen, ExpectedCentre(box));
}

struct Start {
  double inputIdle;  // WaitForInputIdle returned
  double painted;    // main window shown, painted, its thread idle
  bool pictureSeen;
};

// Starts the program, waits until its main window is shown, fully painted and
// answers a sent message, then closes it.
std::optional<Start> StartOnce(const std::string& program, const std::string& folder,
                               bool withPicture) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::string commandLine = "\"" + program + "\"";
  const Clock::time_point begin = Clock::now();
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &started)) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return std::nullopt;
  }
  platform::UniqueHandle process(started.hProcess);
  platform::UniqueHandle thread(started.hThread);

  Start result{};
  WaitForInputIdle(process.get(), kPatienceMs);
  result.inputIdle = MillisecondsSince(begin);

  HWND main = nullptr;
  for (;;) {
    if (MillisecondsSince(begin) > kPatienceMs) {
      std::fprintf(stderr, "%s: no painted window\n", program.c_str());
      TerminateProcess(process.get(), 1);
      return std::nullopt;
    }
    main = tools::FindVisibleTopLevel(started.dwProcessId, [](HWND) { return true; });
    DWORD_PTR answer = 0;
    // A paint under way has already emptied the update region; the sent
    // message is only answered once it is over.
    if (main && FullyPainted(main) &&
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &answer) &&
        FullyPainted(main)) {
      break;
    }
    Sleep(1);
  }
  result.painted = MillisecondsSince(begin);
  result.pictureSeen = withPicture && PictureOnScreen(main);

  PostMessageA(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), kPatienceMs) != WAIT_OBJECT_0) {
    std::fprintf(stderr, "%s did not close\n", program.c_str());
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), kPatienceMs);
  }
  // The window system and the server tidy up after the program; the next
  // start should not pay for that.
  Sleep(kSettleMs);
  return result;
}

struct Spread {
  double best, lower, median, upper;
};

// The fastest start and the quartiles, by the nearest rank of the sorted times.
Spread SpreadOf(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  auto at = [&](double fraction) {
    return times[static_cast<size_t>(fraction * static_cast<double>(times.size() - 1) + 0.5)];
  };
  return {times.front(), at(0.25), at(0.5), at(0.75)};
}

struct Program {
  const char* name;
  std::string path;
  bool withPicture;  // the launcher's, checked on the screen
  std::vector<Start> starts;
};

// One line: the program's median, quartiles and best, and its median and best
// over the baseline's. The best start is the one least disturbed by the rest
// of the machine.
void Report(const Program& program, const Program& baseline, double Start::*measure) {
  auto spreadOf = [&](const Program& of) {
    std::vector<double> times;
    for (const Start& start : of.starts) times.push_back(start.*measure);
    return SpreadOf(times);
  };
  Spread spread = spreadOf(program);
  Spread base = spreadOf(baseline);
  std::printf(
      "  %-20s median %6.1f ms (quartiles %6.1f .. %6.1f), best %6.1f ms;"
      " ratio: median %.2f, best %.2f\n",
      program.name, spread.median, spread.lower, spread.upper, spread.best,
      spread.median / base.median, spread.best / base.best);
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const std::string bench = ExeFolder();
  const std::string root = bench.substr(0, bench.find_last_of('\\'));
  std::vector<Program> programs{{"minimal_window.exe", bench + "\\minimal_window.exe", false, {}},
                                {"launcher.exe", root + "\\launcher.exe", true, {}},
                                {"controls_floor.exe", bench + "\\controls_floor.exe", false, {}}};
  for (int i = 2; i < argc; ++i) programs.push_back({argv[i], argv[i], true, {}});

  constexpr int kWarmUp = 3;
  for (int i = 0; i < kWarmUp + runs; ++i) {
    for (Program& program : programs) {
      std::optional<Start> start = StartOnce(program.path, root, program.withPicture);
      if (!start) return 1;
      if (i >= kWarmUp) program.starts.push_back(*start);
    }
  }

  const Program& minimal = programs[0];
  auto reportAll = [&](const char* title, double Start::*measure) {
    std::printf("%s\n", title);
    for (const Program& program : programs) Report(program, minimal, measure);
  };
  std::printf("start-up, %d alternating starts of each\n", runs);
  reportAll("to the main window shown, painted and idle:", &Start::painted);
  reportAll("to WaitForInputIdle:", &Start::inputIdle);
  for (const Program& program : programs) {
    if (!program.withPicture) continue;
    long seen = std::count_if(program.starts.begin(), program.starts.end(),
                              [](const Start& start) { return start.pictureSeen; });
    std::printf("%s: picture on the screen when idle in %ld of %d starts\n", program.name, seen,
                runs);
  }
  return 0;
}
