#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "platform/win32/Handles.h"
#include "ui/Prompts.h"
#include "ui/win32/Binder.h"
#include "ui/win32/ClientScroll.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/Window.h"
#include "viewer/DemoLayout.h"
#include "viewer/TDemo.h"
#include "viewer/win32/TextMemoView.h"

namespace vandrel {

inline constexpr const char* kDemoWindowClass = "TDemo";
// The control ids, for tests that drive the real window.
inline constexpr int kDemoViewId = 401;
inline constexpr int kDemoEraseId = 402;
inline constexpr int kDemoExitId = 403;
inline constexpr int kDemoIntroductionId = 404;
inline constexpr int kDemoHistoryBoxId = 405;   // the cache's and the cookies' follow
inline constexpr int kDemoHistoryMemoId = 410;  // the cache's and the cookies' follow
inline constexpr int kDemoGaugeId = 420;
inline constexpr int kDemoStopId = 421;

// The real viewer: a fixed-size window centred on the desktop, created
// hidden at start-up and shown modelessly; its controls are made when it is
// first shown. Its handlers' failures go to the program's error box.
class DemoView : public Window {
 public:
  DemoView(TDemo& form, Prompts& prompts);
  ~DemoView() override;

  void Create(HINSTANCE instance, HWND owner);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The introduction, the boxes, the memos, the buttons and the gauge,
  // before the first show.
  void MakeContents() override;
  void DrawForm();
  void DrawGauge() const;
  void SetHourglass(bool busy);
  LRESULT FocusedButton() const;
  void MoveFocus(WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK IntroductionKeys(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self);

  TDemo& form_;
  Prompts& prompts_;
  Binder binder_;
  HintWindow hints_;
  DemoLayout layout_;
  ClientScroll scroll_;
  UniqueGdiObject memoFont_;
  std::array<std::unique_ptr<TextMemoView>, 3> memos_;
  HWND introduction_ = nullptr;
  HWND gauge_ = nullptr;
  bool busy_ = false;
};

}  // namespace vandrel
