#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "ui/Prompts.h"

namespace vandrel {

// Shows the text of a failed operation to the user; `owner` is the window
// whose handler failed. The application routes it to its Prompts.
using ErrorReporter = std::function<void(HWND owner, const std::string& text)>;

// Routes failures to the program's Prompts, whose error box has the window
// that owns it already.
inline ErrorReporter ReportThrough(Prompts& prompts) {
  return [&prompts](HWND, const std::string& text) { prompts.ShowError(text); };
}

// The application's error box: the text, titled with the application's name.
void ShowErrorBox(HWND owner, const std::string& text);

// Runs a window or dialog handler so that no C++ exception unwinds through
// user32: a failure (a PlatformError or any other std::exception) is shown
// through `report` and `onError` is returned; the rest of the handler is
// skipped by the throw itself.
template <typename Handler>
auto RunGuarded(HWND owner, const ErrorReporter& report, decltype(std::declval<Handler>()()) onError,
                Handler&& handler) noexcept -> decltype(handler()) {
  try {
    return handler();
  } catch (const std::exception& error) {
    try {
      if (report) {
        report(owner, error.what());
      } else {
        ShowErrorBox(owner, error.what());
      }
    } catch (...) {
      // A reporter that fails itself has nobody left to tell.
    }
    return onError;
  }
}

}  // namespace vandrel
