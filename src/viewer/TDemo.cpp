#include "viewer/TDemo.h"

#include <utility>

#include "eraser/BrowserTraces.h"
#include "eraser/ErasePace.h"
#include "platform/FullPath.h"
#include "platform/ScopeExit.h"
#include "viewer/DumpCursor.h"
#include "viewer/DumpLines.h"

namespace vandrel {
namespace {

struct IndexFile {
  const char* valueName;  // under the user's shell folders
  const char* underFolder;
};

IndexFile IndexFileOf(DumpTarget target) {
  switch (target) {
    case DumpTarget::History: return {"History", "History.IE5\\index.dat"};
    case DumpTarget::Cache: return {"Cache", "Content.IE5\\index.dat"};
    case DumpTarget::Cookies: return {"Cookies", "index.dat"};
  }
  return {"History", "History.IE5\\index.dat"};
}

}  // namespace

TDemo::TDemo(Registry& registry, FileSystem& files, TraceFiles& traceFiles, Shell& shell, UrlCache& urlCache,
             WaitLoop& waitLoop, Prompts& prompts, EraseGuard& guard)
    : IECache1(urlCache),
      files_(files),
      waitLoop_(waitLoop),
      prompts_(prompts),
      guard_(guard),
      cacheEraser_(IECache1),
      gate_(cacheEraser_, tools_),
      tools_{registry, traceFiles, shell, prompts, gate_, {}},
      session_(tools_, gate_, guard, Paced([this] { Pump(); })) {
  Form.SetCaption(kDemoCaption);
  Form.SetVisible(false);
  ToolButton1.SetCaption("View");
  EraseStuff.SetCaption("Erase");
  EraseStuff.SetHint("Erases stored information");
  ToolButton3.SetCaption("Exit demo");
  dHistory.SetCaption("History index.dat file");
  dCache.SetCaption("Cache index.dat file");
  dCookies.SetCaption("Cookies index.dat file");
  for (CheckBox* box : {&dHistory, &dCache, &dCookies}) box->SetChecked(true);
  ToolButton1.OnClick = [this] { ToolButton1Click(); };
  EraseStuff.OnClick = [this] { EraseStuffClick(); };
  ToolButton3.OnClick = [this] { ToolButton3Click(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  FormCreate();
}

void TDemo::Demo1Click() {
  if (Form.Visible()) return Form.BringToFront();
  FormCreate();
  Form.SetVisible(true);
}

void TDemo::FormCreate() {
  DumpIdle = true;
  Gauge1.SetProgress(0);
  EraseStuff.SetEnabled(false);
  Memo1.SetText(kDemoIntroduction);
}

void TDemo::ToolButton1Click() {
  // A View or an Erase started from inside the running one is refused: it
  // would dump into the memo being filled, or read files being wiped.
  if (working_) return;
  const auto working = FlagFor(working_, true);
  EraseStuff.SetEnabled(false);
  ToolButton3.SetEnabled(false);
  const ScopeExit enableAgain([this] {
    EraseStuff.SetEnabled(true);
    ToolButton3.SetEnabled(true);
  });
  try {
    View(dHistory, Memo2, DumpTarget::History);
    View(dCache, Memo3, DumpTarget::Cache);
    View(dCookies, Memo4, DumpTarget::Cookies);
  } catch (const ProgramEnding&) {
    // The quit ends the dump where it is: the main loop ends the program.
  }
}

void TDemo::View(CheckBox& box, TextMemo& memo, DumpTarget target) {
  if (!box.Checked()) return;
  memo.Clear();
  StopDump = false;
  Target = target;
  ShowIndexFile();
}

void TDemo::ShowIndexFile() {
  const IndexFile index = IndexFileOf(Target);
  // Read wide, in UTF-8: the folder's name may hold what the ANSI code page cannot.
  const std::string folder = tools_.ShellFolder(index.valueName);
  if (folder.empty()) {
    prompts_.Message(MessageKind::Plain, kDemoRegistryError + std::string(index.valueName) + "!", MessageButtons::Ok);
    return;
  }
  const std::string file = PathUnder(folder, index.underFolder);
  if (file.empty() || !files_.ExistsUtf8(file)) {
    prompts_.Message(MessageKind::Plain, kDemoFileError + std::string(index.valueName) + " index.dat files!",
                     MessageButtons::Ok);
    return;
  }
  Busy(true);
  const auto dumping = FlagFor(DumpIdle, false);
  const ScopeExit defaultCursor([this] { Busy(false); });
  // Read whole and closed before the dump: the file is not held while it
  // runs. A large file comes in pieces with the window working in between.
  const std::string content = files_.ReadWholeInPiecesUtf8(file, [this] { Pump(); });
  DumpText(reinterpret_cast<const std::uint8_t*>(content.data()), content.size(), MemoOf(Target));
}

void TDemo::DumpText(const std::uint8_t* data, std::size_t size, TextMemo& memo) {
  Gauge1.SetMaxValue(size == 0 ? 0 : size - 1);
  DumpCursor cursor(data, size);
  const std::size_t lines = (size + kDumpLineWidth - 1) / kDumpLineWidth;
  memo.Reserve(memo.Text().size() + lines * (kDumpLineWidth + kDumpLineEndSize), memo.LineCount() + lines);
  std::string block;
  std::uint32_t lastPump = waitLoop_.TickCount();
  while (!StopDump && !cursor.AtEnd()) {
    cursor.FormatNext(kFormatStep, block);
    if (waitLoop_.TickCount() - lastPump < kPumpMilliseconds && !cursor.AtEnd()) continue;
    memo.Append(block);
    block.clear();
    Gauge1.SetProgress(cursor.Position() - 1);
    Pump();
    lastPump = waitLoop_.TickCount();
  }
  cursor.Finish(block);
  memo.Append(block);
  Gauge1.SetProgress(Gauge1.MaxValue());
}

void TDemo::EraseStuffClick() {
  if (working_) return;
  const auto erasing = guard_.TryHold();
  if (!erasing) return guard_.Tell(guard_.WhyRefused());
  const auto working = FlagFor(working_, true);
  Busy(true);
  const ScopeExit defaultCursor([this] { Busy(false); });
  const struct {
    bool checked;
    const char* step;  // as the erase command's report names it
    CacheSearch search;
    void (*clearFolder)(EraseTools&);
  } files[] = {{dHistory.Checked(), "History", CacheSearch::History, &ClearShit},
               {dCache.Checked(), "Cache", CacheSearch::Url, &ClearCache},
               {dCookies.Checked(), "Cookies", CacheSearch::Cookies, &ClearCookies}};
  try {
    // Every round's URL-cache deletes come before the first index file is
    // wiped, and each container is looked at before its first call (the
    // gate): handed a wiped index, the browser's library rebuilds the
    // container and first clears its folder, following any link inside.
    // The cookies the user keeps stay, as in every erase.
    session_.Run(
        [&] {
          for (const auto& file : files) {
            if (!file.checked) continue;
            Aftermath().SetStep(file.step);
            for (int round = 0; round < kDemoEraseRounds; ++round) session_.DeleteCacheEntries(file.search);
          }
          for (int round = 0; round < kDemoEraseRounds; ++round) {
            Aftermath().StartPass();
            for (const auto& file : files) {
              if (!file.checked) continue;
              tools_.StopIfEnded();
              Aftermath().SetStep(file.step);
              file.clearFolder(tools_);
            }
          }
        },
        dCookies.Checked());
    const std::string containers = DescribeLeft(gate_.Left());
    if (!containers.empty()) guard_.Tell(containers);
  } catch (const ProgramEnding&) {
    // The quit ends the erase between two entries: the main loop ends the
    // program. Its report was kept as far as it got.
  }
}

void TDemo::ToolButton3Click() {
  Memo2.Clear();
  Memo3.Clear();
  Memo4.Clear();
  Close();
}

void TDemo::Close() {
  if (FormCloseQuery()) Form.SetVisible(false);
}

void TDemo::Memo1KeyDown(int key) {
  if (key == kDemoExitKey) ToolButton3.Click();
}

TextMemo& TDemo::MemoOf(DumpTarget target) {
  switch (target) {
    case DumpTarget::History: return Memo2;
    case DumpTarget::Cache: return Memo3;
    case DumpTarget::Cookies: return Memo4;
  }
  return Memo2;
}

void TDemo::Pump() {
  waitLoop_.DispatchPendingMessages();
  waitLoop_.StopIfQuitting();
}

void TDemo::Busy(bool busy) const {
  if (hourglass) hourglass(busy);
}

}  // namespace vandrel
