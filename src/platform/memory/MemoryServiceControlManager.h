#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/ServiceControlManager.h"

namespace vandrel {

// One service of the in-memory manager, set up and inspected by the test.
struct MemoryService {
  std::string name;
  ServiceConfig config{0x10, 3, 1, "C:\\svc.exe", "", 0, {}, "LocalSystem", ""};
  ServiceStatus status{0x10, 1, 0, 0, 0, 0, 0};  // own process, stopped
  // The statuses a start or a stop goes through, one per status query after
  // it; the last one stays. Empty: the next query shows it running or stopped.
  std::deque<ServiceStatus> afterStart;
  std::deque<ServiceStatus> afterStop;
  std::deque<ServiceStatus> upcoming;
  std::vector<std::string> startArguments;
};

// The service control manager in memory: services with their state, start
// type, display name and dependencies, failures scripted by error code,
// pending states that advance as the status is queried, and a log of calls.
class MemoryServiceControlManager : public ServiceControlManager {
 public:
  enum class Call { OpenManager, OpenService, Close, QueryStatus, QueryConfig, ChangeConfig, Start, Control, Enum };

  MemoryService& AddService(const std::string& name, const std::string& displayName = {});
  // Nothing when there is no such service.
  MemoryService* Find(const std::string& name);
  // The next call of that kind answers `error` and changes nothing.
  void FailNext(Call call, std::uint32_t error);
  // Handles handed out and not yet closed.
  std::size_t OpenHandles() const { return handles_.size(); }

  // One line per call, e.g. "OpenService Messenger 0x1ff", "Control 1", "Enum 0".
  std::vector<std::string> log;
  // The record size of the build the double stands for (36: 32-bit, 56: 64-bit).
  std::uint32_t recordSize = 36;
  // At most this many records per enumeration call, as a real manager caps
  // its answer; the rest waits at the resume handle.
  std::size_t recordsPerCall = static_cast<std::size_t>(-1);
  std::vector<ServiceConfigChange> changes;
  std::string lastMachine;
  std::uint32_t lastManagerAccess = 0;
  std::map<std::uint32_t, std::string> errorTexts = {
      {5, "Access is denied.\r\n"},
      {6, "The handle is invalid.\r\n"},
      {1056, "An instance of the service is already running.\r\n"},
      {1058,
       "The service cannot be started, either because it is disabled or because it has no "
       "enabled devices associated with it.\r\n"},
      {1060, "The specified service does not exist as an installed service.\r\n"},
      {1062, "The service has not been started.\r\n"},
  };

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
  std::uint32_t EnumRecordSize() const override { return recordSize; }
  std::string ErrorText(std::uint32_t error) override;

 private:
  // What a handle stands for: the manager (empty name) or a service.
  struct Opened {
    bool manager = false;
    std::string service;
  };
  bool ScriptedFailure(Call call, std::uint32_t& error);
  MemoryService* ServiceOf(ScHandle handle);
  bool IsManager(ScHandle handle) const;

  std::deque<MemoryService> services_;
  std::map<Call, std::deque<std::uint32_t>> failures_;
  std::map<ScHandle, Opened> handles_;
  ScHandle nextHandle_ = 0x100;
};

}  // namespace vandrel
