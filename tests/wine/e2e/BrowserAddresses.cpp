#include "BrowserAddresses.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "Launch.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

// The class of the shell's list of browser windows, redirected.
constexpr const char* kShellWindowsTreatAs =
    "Software\\Classes\\CLSID\\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\\TreatAs";
// The stand-in's class, as shell_windows_double.cpp names it, and where it reads the addresses.
constexpr char kDoubleClass[] = "{5A1E0C3B-7D4F-4E8A-9C61-2B8F0D3E7A10}";
constexpr const char* kDoubleServerKey =
    "Software\\Classes\\CLSID\\{5A1E0C3B-7D4F-4E8A-9C61-2B8F0D3E7A10}\\InprocServer32";
constexpr const char* kAddressesKey = "Software\\Vandrel Tests\\Browser addresses";
constexpr const char* kDelaysKey = "Software\\Vandrel Tests\\Browser delays";
constexpr const char* kTestsKey = "Software\\Vandrel Tests";

std::string HexName(HWND frame) {
  char name[32] = {};
  std::snprintf(name, sizeof name, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(frame)));
  return name;
}

bool WriteText(const char* path, const char* name, const std::string& text, View view) {
  return WriteRaw(HKEY_LOCAL_MACHINE, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1), view);
}

// The program's registry view, from the machine its exe is built for.
View VandrelView() {
  const UniqueFileHandle file(
      CreateFileA(VandrelPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  IMAGE_DOS_HEADER dos{};
  DWORD read = 0;
  if (!file || !ReadFile(file.get(), &dos, sizeof dos, &read, nullptr) || read != sizeof dos ||
      SetFilePointer(file.get(), dos.e_lfanew + 4, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    return View::Wow64;
  }
  WORD machine = 0;
  ReadFile(file.get(), &machine, sizeof machine, &read, nullptr);
  return machine == IMAGE_FILE_MACHINE_I386 ? View::Wow32 : View::Wow64;
}

// The stand-in built for that bitness: the 32-bit run names its own.
std::string DoublePath(View view) {
  const char* other = std::getenv("VANDREL_E2E_SHELL_WINDOWS_DOUBLE");
  if (view == View::Wow32) return other && *other ? WindowsPathOf(other) : std::string();
  return WindowsPathOf(VANDREL_SHELL_WINDOWS_DOUBLE);
}

}  // namespace

void RestoreShellWindows() {
  DeleteKeyTree(HKEY_CURRENT_USER, kAddressesKey);
  DeleteKeyTree(HKEY_CURRENT_USER, kDelaysKey);
  for (const View view : {View::Wow32, View::Wow64}) {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\" + std::string(kDoubleClass), view);
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kShellWindowsTreatAs, view);
  }
  // The 32-bit run under qemu: a call to another process through ole32 goes
  // through a worker thread of Wine's thread pool, and the emulated program
  // then dies in most runs ("unexpected trap -1", a thread on garbage). The
  // only such call is the address lookup in the shell's list of browser
  // windows, which Wine's list never answers anyway: the run points that
  // list's class at one nobody serves, in the 32-bit view that only the
  // 32-bit program reads, so the lookup fails at once.
  const char* value = std::getenv("VANDREL_E2E_SHELL_WINDOWS");
  if (value && std::string(value) == "off") {
    WriteText(kShellWindowsTreatAs, "", "{00000000-0000-0000-0000-0000000000A1}", View::Wow32);
  }
}

BrowserAddresses::BrowserAddresses() {
  const View view = VandrelView();
  const std::string server = DoublePath(view);
  ready_ = !server.empty() && WriteText(kDoubleServerKey, "", server, view) &&
           WriteText(kDoubleServerKey, "ThreadingModel", "Both", view) &&
           WriteText(kShellWindowsTreatAs, "", kDoubleClass, view);
}

BrowserAddresses::~BrowserAddresses() { RestoreShellWindows(); }

bool BrowserAddresses::Set(HWND frame, const std::string& address) {
  return WriteString(HKEY_CURRENT_USER, kAddressesKey, HexName(frame), address);
}

bool BrowserAddresses::Delay(HWND frame, DWORD milliseconds) {
  return WriteRaw(HKEY_CURRENT_USER, kDelaysKey, HexName(frame).c_str(), REG_DWORD, &milliseconds, sizeof milliseconds,
                  View::Default);
}

DWORD BrowserAddresses::ListsMade() const {
  const std::optional<RawValue> made = ReadRaw(HKEY_CURRENT_USER, kTestsKey, "Browser lists made", View::Default);
  DWORD count = 0;
  if (made && made->type == REG_DWORD && made->bytes.size() == sizeof count) {
    std::memcpy(&count, made->bytes.data(), sizeof count);
  }
  return count;
}

}  // namespace vandrel::test
