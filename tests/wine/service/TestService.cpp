#include "TestService.h"

#include <windows.h>

#include <stdexcept>

#include "Launch.h"
#include "WaitUntil.h"
#include "platform/win32/Win32ServiceControlManager.h"

namespace vandrel::test {
namespace {

UniqueScHandle OpenManager() {
  UniqueScHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (!manager) {
    throw std::runtime_error("cannot open the service manager: error " + std::to_string(GetLastError()));
  }
  return manager;
}

DWORD StateOf(SC_HANDLE service) {
  SERVICE_STATUS status{};
  return QueryServiceStatus(service, &status) ? status.dwCurrentState : SERVICE_STOPPED;
}

}  // namespace

std::string TestServicePath() { return WindowsPathOf(VANDREL_TEST_SERVICE_EXE); }

bool RemoveService(const std::string& name, unsigned long timeoutMs) {
  const UniqueScHandle manager = OpenManager();
  const UniqueScHandle service(OpenServiceA(manager.get(), name.c_str(), SERVICE_ALL_ACCESS));
  if (!service) return false;
  // A stop asked for while it is still starting is refused; ask until it goes.
  WaitUntil(
      [&] {
        if (StateOf(service.get()) == SERVICE_STOPPED) return true;
        SERVICE_STATUS status{};
        ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
        return false;
      },
      timeoutMs, 50);
  DeleteService(service.get());
  return true;
}

InstalledTestService::InstalledTestService(const std::string& name, const std::string& displayName) : name_(name) {
  RemoveService(name_);
  const UniqueScHandle manager = OpenManager();
  const std::string path = TestServicePath();
  const UniqueScHandle service(CreateServiceA(manager.get(), name_.c_str(),
                                              (displayName.empty() ? name_ : displayName).c_str(), SERVICE_ALL_ACCESS,
                                              SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                              path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
  if (!service) {
    throw std::runtime_error("cannot create the service " + name_ + ": error " + std::to_string(GetLastError()));
  }
}

InstalledTestService::~InstalledTestService() {
  try {
    RemoveService(name_);
  } catch (...) {
    // A destructor cannot report; the next run removes what is left.
  }
}

}  // namespace vandrel::test
