#include "VandrelProcess.h"

#include <cstdio>
#include <cstdlib>

#include "BrowserAddresses.h"
#include "ChildWindows.h"
#include "RegistryReset.h"
#include "RemoteStatusText.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kClass = "TZAVOClass";
constexpr const char* kTitle = "Vandrel";

struct WindowSearch {
  DWORD processId;  // 0: any process
  const char* className;
  const char* title;  // null: any title
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[128] = {};
  char title[256] = {};
  GetClassNameA(window, className, sizeof(className));
  GetWindowTextA(window, title, sizeof(title));
  if ((search.processId == 0 || owner == search.processId) && std::string(className) == search.className &&
      (search.title == nullptr || std::string(title) == search.title)) {
    search.found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> FindTopLevel(DWORD processId, const char* className, const char* title) {
  WindowSearch search{processId, className, title, {}};
  EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The program's toolbar buttons that a registration run left in the
// browser's view, and their records; other extensions stay.
void DeleteToolbarButtons() {
  for (const std::string& name : SubkeyNames(HKEY_LOCAL_MACHINE, kBrowserExtensionsKey, View::Wow32)) {
    const std::string key = std::string(kBrowserExtensionsKey) + "\\" + name;
    const auto text = ReadRaw(HKEY_LOCAL_MACHINE, key, "ButtonText", View::Wow32);
    if (text && text->bytes.rfind(kToolbarButtonText, 0) == 0) DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
  }
  DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\IE5Tools");
}

}  // namespace

std::string VandrelPath() {
  // The 32-bit run and the run as XP drive another build of the same program.
  const char* other = std::getenv("VANDREL_E2E_EXE");
  return WindowsPathOf(other && *other ? other : VANDREL_EXE);
}

std::optional<std::string> ReportedWindows() {
  const char* version = std::getenv("VANDREL_E2E_WINDOWS");
  if (!version || !*version) return std::nullopt;
  return version;
}

std::string FileBesideVandrel(const std::string& name) {
  const std::string exe = VandrelPath();
  return exe.substr(0, exe.find_last_of('\\') + 1) + name;
}

std::string TitlesPath() { return FileBesideVandrel("titles.dat"); }

std::string KeptReportPath() {
  char appData[MAX_PATH] = {};
  GetEnvironmentVariableA("APPDATA", appData, MAX_PATH);
  return std::string(appData) + "\\Vandrel\\erase-report.txt";
}

std::string ScrambledTitles(const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) {
    for (const char c : entry) bytes += static_cast<char>(~(static_cast<unsigned char>(c) ^ 0xC5));
    bytes += "\r\n";
  }
  return bytes;
}

std::vector<std::string> ReadScrambledTitles(const std::string& path) {
  std::vector<std::string> entries;
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return entries;
  std::string entry;
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    if ((*bytes)[i] == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') {
      entries.push_back(entry);
      entry.clear();
      ++i;
    } else {
      entry += static_cast<char>(~(static_cast<unsigned char>((*bytes)[i]) ^ 0xC5));
    }
  }
  return entries;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const BOOL closed = CloseHandle(file);
  return wrote && closed && written == bytes.size();
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0,
                            nullptr);  // the program may replace the file meanwhile
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

std::vector<HWND> VandrelMainWindows() { return FindTopLevel(0, kClass, kTitle); }

void ResetVandrelState() {
  // Only the programs this test program started: a user's Vandrel or that
  // of a test running beside this one is left alone.
  for (HWND window : VandrelMainWindows()) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    if (!process || !LaunchedHere(process.get())) continue;
    PostMessageA(window, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
  }
  DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Korvane");
  // The tip of the first start would stand before every test's main window;
  // the tip's own test removes this again.
  WriteString(HKEY_CURRENT_USER, kSettingsKey, "TOD", "1");
  // The 32-bit run under qemu: winmm's thread for each sound played makes the
  // emulated program die now and then, so the run closes windows silently.
  if (const char* sound = std::getenv("VANDREL_E2E_SOUND"); sound && std::string(sound) == "off") {
    WriteString(HKEY_CURRENT_USER, kSettingsKey, "SoundEnabled", "0");
  }
  RestoreShellWindows();
  // A version test killed midway leaves the program's Windows version behind;
  // the run as XP has Wine report XP to every start.
  DeleteKeyTree(HKEY_CURRENT_USER, kAppDefaultsKey);
  if (const auto version = ReportedWindows()) WriteString(HKEY_CURRENT_USER, kAppDefaultsKey, "Version", *version);
  DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main");
  DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility");
  DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3");
  DeleteToolbarButtons();
  DeleteFileA(TitlesPath().c_str());
  HKEY run = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE, &run) ==
      ERROR_SUCCESS) {
    RegDeleteValueA(run, "Vandrel");
    RegCloseKey(run);
  }
}

VandrelProcess::VandrelProcess(const std::vector<std::string>& arguments)
    : process_(Launch(VandrelPath(), arguments)) {}

VandrelProcess::~VandrelProcess() {
  if (!process_.Wait(0)) Quit(5000);
}

HWND VandrelProcess::WaitForMainWindow(DWORD timeoutMs) {
  main_ = WaitForTopLevel(kClass, kTitle, timeoutMs);
  // What a failing test cannot see afterwards: whether the program ended,
  // and whether this test's desktop is still the open one.
  if (!main_) {
    if (const auto code = process_.ExitCode()) {
      std::fprintf(stderr, "Vandrel.exe showed no main window and ended with exit code %lu\n", *code);
    } else {
      std::fprintf(stderr, "Vandrel.exe showed no main window and still runs\n");
    }
    char name[64] = {};
    DWORD needed = 0;
    if (GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &needed) &&
        name[0] == '\0') {
      std::fprintf(stderr, "this test's desktop has been closed\n");
    }
  }
  return main_;
}

HWND VandrelProcess::WaitForTopLevel(const char* className, const char* title, DWORD timeoutMs) {
  HWND window = nullptr;
  WaitUntil(
      [&] {
        const auto found = FindTopLevel(process_.Id(), className, title);
        window = found.empty() ? nullptr : found.front();
        return window != nullptr;
      },
      timeoutMs);
  return window;
}

std::optional<std::string> VandrelProcess::StatusText(int part) {
  if (!main_) return std::nullopt;
  HWND bar = FindWindowExA(main_, nullptr, "msctls_statusbar32", nullptr);
  if (!bar) return std::nullopt;
  return ReadRemoteStatusText(bar, part);
}

bool VandrelProcess::WaitForStatus(int part, const std::string& text, DWORD timeoutMs) {
  return WaitUntil([&] { return StatusText(part) == text; }, timeoutMs);
}

bool VandrelProcess::Answers(DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return main_ && SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool VandrelProcess::Quit(DWORD timeoutMs) {
  for (HWND window : FindTopLevel(process_.Id(), kClass, kTitle)) PostMessageA(window, WM_QUIT, 0, 0);
  return process_.Wait(timeoutMs);
}

HWND VandrelProcess::WaitForWindowOfClass(const char* className, DWORD timeoutMs) {
  return WaitForTopLevel(className, nullptr, timeoutMs);
}

HWND VandrelProcess::WaitForMessageBox(DWORD timeoutMs) { return WaitForDialog(kTitle, timeoutMs); }

HWND VandrelProcess::WaitForDialog(const char* title, DWORD timeoutMs) {
  return WaitForTopLevel("#32770", title, timeoutMs);
}

std::string VandrelProcess::MessageBoxText(HWND box) {
  // The message text is the box's static control with the id 0xFFFF.
  char text[512] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
  return text;
}

std::string VandrelProcess::QuestionText(HWND box) {
  const HWND question = FindChildWindow(box, [](HWND child) {
    return lstrcmpiA(ClassNameOf(child).c_str(), "Static") == 0 && GetWindowTextLengthA(child) > 0;
  });
  return question ? WindowTextOf(question) : std::string();
}

void VandrelTest::Set(const char* name, const char* text) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, name, text)) << name;
}

}  // namespace vandrel::test
