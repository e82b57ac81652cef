// A GUI program of top-level windows for the Wine tests: it creates the
// windows its command line describes (see PopupProtocol.h), counts the
// WM_CLOSE messages each receives and reports the counts in a file.
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PopupProtocol.h"

namespace {

using namespace vandrel::popup;

struct WindowSpec {
  std::string className;
  std::string title;
  bool visible = true;
  bool maximizeBox = false;
  bool ignoresClose = false;
  bool statusBar = false;
  bool opened = false;
  std::vector<std::string> statusTexts = {};
};

struct Options {
  std::string reportPath;
  std::vector<WindowSpec> windows;
};

WindowSpec SpecOf(const std::string& className, const std::string& title, const std::string& flags) {
  WindowSpec wanted{className, title};
  for (const char flag : flags) {
    if (flag == kHiddenFlag) wanted.visible = false;
    if (flag == kMaximizeBoxFlag) wanted.maximizeBox = true;
    if (flag == kIgnoresCloseFlag) wanted.ignoresClose = true;
    if (flag == kStatusBarFlag) wanted.statusBar = true;
    if (flag == kOpenedFlag) wanted.opened = true;
  }
  return wanted;
}

// The many-window mode: <frames> browser frames spread among <count> windows.
std::vector<WindowSpec> ManyWindows(int count, int frames) {
  std::vector<WindowSpec> windows;
  const int every = frames > 0 ? count / frames : 0;
  int framesMade = 0;
  for (int i = 0; i < count; ++i) {
    if (every > 0 && i % every == 0 && framesMade < frames) {
      ++framesMade;
      windows.push_back(SpecOf(kFrameClass, "Page " + std::to_string(framesMade) + kFrameTitleSuffix,
                               std::string(1, kMaximizeBoxFlag)));
    } else {
      windows.push_back(SpecOf(kOtherClass, "Window " + std::to_string(i + 1), "-"));
    }
  }
  return windows;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const int left = argc - i - 1;
    if (option == kReportOption && left >= 1) {
      options.reportPath = argv[++i];
    } else if (option == kWindowOption && left >= 3) {
      options.windows.push_back(SpecOf(argv[i + 1], argv[i + 2], argv[i + 3]));
      i += 3;
    } else if (option == kStatusOption && left >= 1 && !options.windows.empty()) {
      options.windows.back().statusTexts.push_back(argv[++i]);
    } else if (option == kManyOption && left >= 2) {
      const auto many = ManyWindows(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]));
      options.windows.insert(options.windows.end(), many.begin(), many.end());
      i += 2;
    } else {
      return false;
    }
  }
  return !options.reportPath.empty() && !options.windows.empty();
}

class Helper;

struct HelperWindow {
  WindowSpec wanted;
  Helper* owner = nullptr;
  HWND window = nullptr;
  HWND statusBar = nullptr;
  int closes = 0;
};

class Helper {
 public:
  explicit Helper(Options options) : reportPath_(std::move(options.reportPath)) {
    for (auto& wanted : options.windows) windows_.push_back({std::move(wanted), this});
  }

  bool CreateWindows(HINSTANCE instance, bool opened = false) {
    for (std::size_t i = 0; i < windows_.size(); ++i) {
      HelperWindow& entry = windows_[i];
      if (entry.wanted.opened == opened && !entry.window && !Create(instance, entry, static_cast<int>(i))) return false;
    }
    WriteReport();
    return true;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HelperWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
      case WM_CLOSE: self->owner->OnClose(*self); return 0;
      case WM_DESTROY: self->owner->OnDestroy(); return 0;
      case WM_LBUTTONDOWN: SetTimer(window, 1, 200, nullptr); return 0;
      case WM_TIMER:
        KillTimer(window, wParam);
        self->owner->CreateWindows(GetModuleHandleA(nullptr), true);
        return 0;
      case WM_SIZE:
        if (self->statusBar) SendMessageA(self->statusBar, WM_SIZE, 0, 0);
        return 0;
      default: return DefWindowProcA(window, message, wParam, lParam);
    }
  }

  void OnClose(HelperWindow& closed) {
    ++closed.closes;
    WriteReport();
    if (!closed.wanted.ignoresClose) DestroyWindow(closed.window);
  }

  void OnDestroy() {
    if (--open_ == 0) PostQuitMessage(0);
  }

  static void RegisterClassOnce(HINSTANCE instance, const std::string& name) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExA(&windowClass);  // fails harmlessly when it exists
  }

  bool Create(HINSTANCE instance, HelperWindow& entry, int index) {
    const WindowSpec& wanted = entry.wanted;
    RegisterClassOnce(instance, wanted.className);
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    if (wanted.maximizeBox) style |= WS_MAXIMIZEBOX;
    if (wanted.visible) style |= WS_VISIBLE;
    const int offset = 20 + (index % 20) * 12;
    entry.window = CreateWindowExA(0, wanted.className.c_str(), wanted.title.c_str(), style, offset, offset, 320, 200,
                                   nullptr, nullptr, instance, &entry);
    if (!entry.window) return false;
    ++open_;
    if (wanted.statusBar) entry.statusBar = CreateStatusBar(instance, entry.window, wanted.statusTexts);
    return !wanted.statusBar || entry.statusBar;
  }

  static HWND CreateStatusBar(HINSTANCE instance, HWND parent, const std::vector<std::string>& texts) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                               instance, nullptr);
    if (!bar || texts.empty()) return bar;
    std::vector<int> rightEdges;
    for (std::size_t i = 0; i < texts.size(); ++i) rightEdges.push_back(static_cast<int>(i + 1) * 100);
    rightEdges.back() = -1;  // the last panel takes the rest
    SendMessageA(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
      SendMessageA(bar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(texts[i].c_str()));
    }
    return bar;
  }

  // Written beside the report and renamed over it, so a reader never sees
  // half a report.
  void WriteReport() const {
    const std::string partial = reportPath_ + ".partial";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (!file) return;
    for (const auto& entry : windows_) {
      std::fprintf(file, "%llu %d %llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(entry.window)),
                   entry.closes, static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(entry.statusBar)));
    }
    std::fclose(file);
    // The test may hold the report open for a read just then: try again
    // shortly rather than lose this count.
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (MoveFileExA(partial.c_str(), reportPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
      Sleep(2);
    }
  }

  std::string reportPath_;
  std::vector<HelperWindow> windows_;  // never resized after construction: windows point into it
  int open_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Options options;
  if (!ParseOptions(__argc, __argv, options)) return 2;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Helper helper(std::move(options));
  if (!helper.CreateWindows(instance)) return 3;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
