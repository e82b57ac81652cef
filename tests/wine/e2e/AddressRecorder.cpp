#include "AddressRecorder.h"

#include <windows.h>

#include "Launch.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

// In the machine's classes: Wine 8 does not look into the user's.
constexpr const char* kSchemeKey = "Software\\Classes\\vtest";

std::string ReportPath() { return WindowsPathOf(VANDREL_OPEN_RECORDER) + ".opened"; }

}  // namespace

AddressRecorder::AddressRecorder() {
  DeleteFileA(ReportPath().c_str());
  const std::string command =
      QuoteArgument(WindowsPathOf(VANDREL_OPEN_RECORDER)) + " " + QuoteArgument(ReportPath()) + " \"%1\"";
  ready_ = true;
  for (const View view : {View::Wow32, View::Wow64}) {
    ready_ = ready_ && WriteRaw(HKEY_LOCAL_MACHINE, kSchemeKey, "URL Protocol", REG_SZ, "", 1, view) &&
             WriteRaw(HKEY_LOCAL_MACHINE, std::string(kSchemeKey) + "\\shell\\open\\command", "", REG_SZ,
                      command.c_str(), static_cast<DWORD>(command.size() + 1), view);
  }
}

AddressRecorder::~AddressRecorder() {
  for (const View view : {View::Wow32, View::Wow64}) DeleteKeyTree(HKEY_LOCAL_MACHINE, kSchemeKey, view);
  DeleteFileA(ReportPath().c_str());
}

std::optional<std::string> AddressRecorder::Opened() const { return ReadFileBytes(ReportPath()); }

}  // namespace vandrel::test
