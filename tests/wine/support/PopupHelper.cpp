#include "PopupHelper.h"

#include <sstream>
#include <stdexcept>

#include "PopupProtocol.h"
#include "platform/win32/Handles.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;

std::string NewReportPath() {
  char folder[MAX_PATH];
  char file[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "pop", 0, file)) {
    throw std::runtime_error("no temporary file for the popup helper's report");
  }
  DeleteFileA(file);  // the helper's first report creates it
  return file;
}

std::string FlagsOf(const PopupWindowSpec& wanted) {
  std::string flags = "-";
  if (!wanted.visible) flags += popup::kHiddenFlag;
  if (wanted.maximizeBox) flags += popup::kMaximizeBoxFlag;
  if (wanted.ignoresClose) flags += popup::kIgnoresCloseFlag;
  if (!wanted.statusTexts.empty()) flags += popup::kStatusBarFlag;
  if (wanted.opened) flags += popup::kOpenedFlag;
  return flags;
}

std::vector<std::string> ArgumentsOf(const std::vector<PopupWindowSpec>& windows) {
  std::vector<std::string> arguments;
  for (const auto& wanted : windows) {
    arguments.insert(arguments.end(), {popup::kWindowOption, wanted.className, wanted.title, FlagsOf(wanted)});
    for (const auto& text : wanted.statusTexts) arguments.insert(arguments.end(), {popup::kStatusOption, text});
  }
  return arguments;
}

HWND HandleOf(unsigned long long value) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value)); }

}  // namespace

PopupWindowSpec BarrierWindow() {
  return {.className = popup::kOtherClass, .title = "barrier", .visible = false, .ignoresClose = true};
}

std::string PopupHelperPath() { return WindowsPathOf(VANDREL_POPUP_HELPER); }

PopupHelper::PopupHelper(const std::vector<PopupWindowSpec>& windows)
    : PopupHelper(ArgumentsOf(windows), windows.size(), NewReportPath()) {}

PopupHelper PopupHelper::Many(int count, int frames) {
  return PopupHelper({popup::kManyOption, std::to_string(count), std::to_string(frames)},
                     static_cast<std::size_t>(count), NewReportPath());
}

PopupHelper::PopupHelper(const std::vector<std::string>& arguments, std::size_t count, std::string reportPath)
    : reportPath_(std::move(reportPath)), process_([&] {
        std::vector<std::string> all = {popup::kReportOption, reportPath_};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return Launch(PopupHelperPath(), all);
      }()) {
  const bool ready = WaitUntil(
      [&] {
        windows_ = ReadReport();
        return windows_.size() == count || process_.Wait(0);
      },
      kStartTimeoutMs);
  if (!ready || windows_.size() != count) {
    throw std::runtime_error("popup_helper did not create its " + std::to_string(count) + " windows");
  }
}

PopupHelper::~PopupHelper() {
  if (!process_.Handle()) return;  // moved from
  process_.Kill();
  process_.Wait(5000);
  DeleteFileA(reportPath_.c_str());
}

std::vector<PopupHelper::Entry> PopupHelper::ReadReport() const {
  // The helper's rename keeps the new report open for deletion a moment
  // after it appears: a reader that does not share deletion is refused then
  // (a sharing violation under Wine), and would read no windows at all.
  const UniqueFileHandle file(CreateFileA(reportPath_.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);

  std::istringstream lines(text);
  std::vector<Entry> entries;
  unsigned long long window = 0;
  unsigned long long statusBar = 0;
  int closes = 0;
  while (lines >> window >> closes >> statusBar) entries.push_back({HandleOf(window), closes, HandleOf(statusBar)});
  return entries;
}

HWND PopupHelper::WaitForWindow(std::size_t index, DWORD timeoutMs) {
  WaitUntil([&] { return (windows_ = ReadReport()).size() > index && windows_[index].window; }, timeoutMs);
  return windows_.size() > index ? windows_[index].window : nullptr;
}

int PopupHelper::ClosesReceived(std::size_t index) const {
  const auto entries = ReadReport();
  return index < entries.size() ? entries[index].closes : -1;
}

bool PopupHelper::WaitForCloses(std::size_t index, int count, DWORD timeoutMs) const {
  return WaitUntil([&] { return ClosesReceived(index) >= count; }, timeoutMs);
}

bool PopupHelper::Settle(std::size_t barrier, DWORD timeoutMs) const {
  const int handled = ClosesReceived(barrier);
  if (handled < 0 || !PostMessageA(Window(barrier), WM_CLOSE, 0, 0)) return false;
  return WaitForCloses(barrier, handled + 1, timeoutMs);
}

}  // namespace vandrel::test
