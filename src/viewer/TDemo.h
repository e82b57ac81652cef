#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "eraser/CacheContainerGate.h"
#include "eraser/EraseGuard.h"
#include "eraser/EraseSession.h"
#include "eraser/EraseTools.h"
#include "eraser/TIECache.h"
#include "eraser/TIECacheEraser.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/TraceFiles.h"
#include "platform/WaitLoop.h"
#include "ui/Controls.h"
#include "ui/FormModel.h"
#include "ui/Prompts.h"
#include "viewer/Gauge.h"
#include "viewer/TextMemo.h"

namespace vandrel {

inline constexpr const char* kDemoCaption = "Demo";
inline constexpr const char* kDemoIntroduction =
    "Internet Explorer has index.dat files where index of all the cookies, history and cache is kept. If you "
    "clear the history, delete all the cookies and cache in MS Internet Explorer options, those index.dat files "
    "will still have list of the websites you have visited. Those files are usually hidden, but it is very "
    "simple to make them visible. You cannot delete or clear these because they are the part of the Windows "
    "operating system and if you will try to delete them you will get an error. If you want to see the content "
    "of those files click button View above. You will see a lot of text with occasional urls of the sites you "
    "visited.\r\n\r\nTo remove all the information (urls etc) stored in those files click Erase button.";
inline constexpr const char* kDemoRegistryError = "Error occured while trying to access registry information about ";
inline constexpr const char* kDemoFileError = "Error occured while trying to access ";
inline constexpr int kDemoExitKey = 27;  // Esc
inline constexpr int kDemoEraseRounds = 3;

// Which index file a dump shows; the values are the viewer's DumpTarget.
enum class DumpTarget { History = 1, Cache = 2, Cookies = 3 };

// The index.dat viewer: shows the browser's three main index files byte by
// byte as text, and wipes them. A long dump goes in pieces: between them the
// gauge moves, the text reaches its memo in large blocks and the window's
// messages run, so stop, Esc and the close box are answered while it runs,
// and a quit ends it.
class TDemo {
 public:
  // The dump formats this many bytes at a time; once this many milliseconds
  // have passed since the window last worked, it hands the text on, moves
  // the gauge and lets the window's messages run.
  static constexpr std::size_t kFormatStep = 16 * 1024;
  static constexpr std::uint32_t kPumpMilliseconds = 10;

  TDemo(Registry& registry, FileSystem& files, TraceFiles& traceFiles, Shell& shell, UrlCache& urlCache,
        WaitLoop& waitLoop, Prompts& prompts, EraseGuard& guard);

  FormModel Form;
  Button ToolButton1;  // View
  Button EraseStuff;
  Button ToolButton3;   // Exit demo
  Button SpeedButton1;  // stop
  CheckBox dHistory, dCache, dCookies;
  Edit Memo1;
  TextMemo Memo2, Memo3, Memo4;
  Gauge Gauge1;
  TIECache IECache1;
  // Set by the view: the screen cursor's hourglass while a dump or an erase runs.
  std::function<void(bool busy)> hourglass;

  // Tools / "&Demo": shows the window, fresh, or brings it to the front
  // when it is up already.
  void Demo1Click();
  // On creation and on every showing.
  void FormCreate();
  void ToolButton1Click();
  void EraseStuffClick();
  // Told when the viewer's erase ran, to its end or as far as it got, as
  // the erase command's: its report is kept as theirs is.
  void OnEraseEnded(std::function<void(bool messagesMayRun)> ended) { session_.ended = std::move(ended); }
  // What the viewer's last erase did.
  EraseAftermath& Aftermath() { return session_.Aftermath(); }
  void ToolButton3Click();
  void SpeedButton1Click() { StopDump = true; }
  // The window may close only while no dump runs; it is then hidden.
  bool FormCloseQuery() const { return DumpIdle; }
  void Close();
  // The key handler of the window and its memos.
  void Memo1KeyDown(int key);

  // Shows the index file of the current DumpTarget in its memo.
  void ShowIndexFile();

  DumpTarget Target = DumpTarget::History;
  bool StopDump = false;
  bool DumpIdle = true;

 private:
  void DumpText(const std::uint8_t* data, std::size_t size, TextMemo& memo);
  void View(CheckBox& box, TextMemo& memo, DumpTarget target);
  TextMemo& MemoOf(DumpTarget target);
  void Busy(bool busy) const;
  // Lets the window's messages run; a quit met there ends the dump or the
  // erase (ProgramEnding, caught by the click that started it).
  void Pump();

  FileSystem& files_;
  WaitLoop& waitLoop_;
  Prompts& prompts_;
  EraseGuard& guard_;
  TIECacheEraser cacheEraser_;
  CacheContainerGate gate_;  // what tools_ hands the URL-cache deletes to
  EraseTools tools_;
  EraseSession session_;
  bool working_ = false;  // a View or an Erase runs (its windows keep working)
};

}  // namespace vandrel
