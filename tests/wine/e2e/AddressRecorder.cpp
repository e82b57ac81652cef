#include "AddressRecorder.h"

#include <windows.h>

#include <iterator>

#include "Launch.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

constexpr View kViews[] = {View::Wow32, View::Wow64};

std::string ReportPath() { return WindowsPathOf(VANDREL_OPEN_RECORDER) + ".opened"; }

}  // namespace

// In the machine's classes: Wine 8 does not look into the user's.
AddressRecorder::AddressRecorder(std::string scheme) : schemeKey_("Software\\Classes\\" + scheme) {
  DeleteFileA(ReportPath().c_str());
  const std::string command =
      QuoteArgument(WindowsPathOf(VANDREL_OPEN_RECORDER)) + " " + QuoteArgument(ReportPath()) + " \"%1\"";
  ready_ = true;
  for (std::size_t i = 0; i < std::size(kViews); ++i) {
    if (const auto earlier = ReadRaw(HKEY_LOCAL_MACHINE, schemeKey_ + "\\shell\\open\\command", "", kViews[i])) {
      earlierCommand_[i] = earlier->bytes;
    }
    ready_ = ready_ && WriteRaw(HKEY_LOCAL_MACHINE, schemeKey_, "URL Protocol", REG_SZ, "", 1, kViews[i]) &&
             WriteRaw(HKEY_LOCAL_MACHINE, schemeKey_ + "\\shell\\open\\command", "", REG_SZ, command.c_str(),
                      static_cast<DWORD>(command.size() + 1), kViews[i]);
  }
}

AddressRecorder::~AddressRecorder() {
  for (std::size_t i = 0; i < std::size(kViews); ++i) {
    const std::optional<std::string>& earlier = earlierCommand_[i];
    if (!earlier) {
      DeleteKeyTree(HKEY_LOCAL_MACHINE, schemeKey_, kViews[i]);
    } else {
      WriteRaw(HKEY_LOCAL_MACHINE, schemeKey_ + "\\shell\\open\\command", "", REG_SZ, earlier->data(),
               static_cast<DWORD>(earlier->size()), kViews[i]);
    }
  }
  DeleteFileA(ReportPath().c_str());
}

std::optional<std::string> AddressRecorder::Opened() const { return ReadFileBytes(ReportPath()); }

}  // namespace vandrel::test
