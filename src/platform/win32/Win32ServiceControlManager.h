#pragma once
#include <windows.h>

#include "platform/ServiceControlManager.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// Handles of the service control manager and of its services.
struct ScHandleTraits {
  using Handle = SC_HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { CloseServiceHandle(handle); }
};
using UniqueScHandle = UniqueResource<ScHandleTraits>;

// The service control manager through advapi32, one API call per
// operation. The handles it hands out belong to the caller, who closes them
// with CloseScHandle.
class Win32ServiceControlManager : public ServiceControlManager {
 public:
  std::uint32_t OpenManager(const std::string& machine, std::uint32_t access, ScHandle& manager) override;
  std::uint32_t OpenServiceHandle(ScHandle manager, const std::string& name, std::uint32_t access,
                                  ScHandle& service) override;
  std::uint32_t CloseScHandle(ScHandle handle) override;
  std::uint32_t QueryStatus(ScHandle service, ServiceStatus& status) override;
  std::uint32_t QueryConfig(ScHandle service, std::uint32_t bufferSize, ServiceConfig& config,
                            std::uint32_t& bytesNeeded) override;
  std::uint32_t ChangeConfig(ScHandle service, const ServiceConfigChange& change) override;
  std::uint32_t Start(ScHandle service, const std::vector<std::string>& arguments) override;
  std::uint32_t Control(ScHandle service, std::uint32_t code, ServiceStatus& status) override;
  EnumerationResult EnumServices(ScHandle manager, std::uint32_t serviceType, std::uint32_t serviceState,
                                 std::uint32_t bufferSize, std::uint32_t& resumeHandle) override;
  std::uint32_t EnumRecordSize() const override;
  std::string ErrorText(std::uint32_t error) override;
};

}  // namespace vandrel
