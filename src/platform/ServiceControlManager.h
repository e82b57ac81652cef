#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vandrel {

// An open handle of the service control manager or of one service, opaque
// to the logic; 0 is no handle.
using ScHandle = std::uintptr_t;
inline constexpr ScHandle kNoScHandle = 0;

// Windows error codes the logic reacts to.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorMoreData = 234;

// The seven values of a service's status, in the platform's numbering
// (current state 1 stopped ... 7 paused).
struct ServiceStatus {
  std::uint32_t serviceType = 0;
  std::uint32_t currentState = 0;
  std::uint32_t controlsAccepted = 0;
  std::uint32_t win32ExitCode = 0;
  std::uint32_t serviceSpecificExitCode = 0;
  std::uint32_t checkPoint = 0;
  std::uint32_t waitHint = 0;
};

// A service's configuration; the record owns its texts.
struct ServiceConfig {
  std::uint32_t serviceType = 0;
  std::uint32_t startType = 0;
  std::uint32_t errorControl = 0;
  std::string binaryPathName;
  std::string loadOrderGroup;
  std::uint32_t tagId = 0;
  std::vector<std::string> dependencies;  // services, and groups with a leading "+"
  std::string serviceStartName;
  std::string displayName;
};

// What one configuration change sets; every part left empty stays as it is.
struct ServiceConfigChange {
  bool setStartType = false;
  std::uint32_t startType = 0;
  bool setDisplayName = false;
  std::string displayName;
  // The whole dependency list as the platform takes it: every entry followed
  // by a zero character, and one more zero character at the end.
  bool setDependencies = false;
  std::string dependencies;
};

// One record of a service enumeration.
struct EnumeratedService {
  std::string serviceName;
  std::string displayName;
  ServiceStatus status;
};

// One answer of the enumeration call.
struct EnumerationResult {
  std::uint32_t error = kErrorSuccess;  // kErrorMoreData: not everything fitted
  std::uint32_t bytesNeeded = 0;        // what the rest would need
  std::vector<EnumeratedService> services;
};

// The service control manager, one call of the platform per operation.
// Every operation answers with the platform's error code (0 on success) and
// throws nothing; handles are the caller's to close.
class ServiceControlManager {
 public:
  virtual ~ServiceControlManager() = default;

  // The manager of `machine` (empty: this machine), default database.
  virtual std::uint32_t OpenManager(const std::string& machine, std::uint32_t access, ScHandle& manager) = 0;
  virtual std::uint32_t OpenServiceHandle(ScHandle manager, const std::string& name, std::uint32_t access,
                                          ScHandle& service) = 0;
  // Closes a manager or a service handle.
  virtual std::uint32_t CloseScHandle(ScHandle handle) = 0;
  virtual std::uint32_t QueryStatus(ScHandle service, ServiceStatus& status) = 0;
  // The configuration, asked for with a buffer of `bufferSize` bytes: with
  // too small a buffer the answer is kErrorInsufficientBuffer and
  // `bytesNeeded` tells the size that would do.
  virtual std::uint32_t QueryConfig(ScHandle service, std::uint32_t bufferSize, ServiceConfig& config,
                                    std::uint32_t& bytesNeeded) = 0;
  virtual std::uint32_t ChangeConfig(ScHandle service, const ServiceConfigChange& change) = 0;
  virtual std::uint32_t Start(ScHandle service, const std::vector<std::string>& arguments) = 0;
  // Sends a control code; `status` is the service's status the manager answers with.
  virtual std::uint32_t Control(ScHandle service, std::uint32_t code, ServiceStatus& status) = 0;
  // One enumeration call with a buffer of `bufferSize` bytes, continuing at
  // `resumeHandle` (0 at first), which it advances.
  virtual EnumerationResult EnumServices(ScHandle manager, std::uint32_t serviceType, std::uint32_t serviceState,
                                         std::uint32_t bufferSize, std::uint32_t& resumeHandle) = 0;
  // The size of one enumeration record in this build (its pointers make it
  // larger in a 64-bit program), for sizing the enumeration's buffer.
  virtual std::uint32_t EnumRecordSize() const = 0;
  // The system's message text for an error code, as the system gives it.
  virtual std::string ErrorText(std::uint32_t error) = 0;
};

// Owns one manager or service handle: closes it when it goes.
class OwnedScHandle {
 public:
  explicit OwnedScHandle(ServiceControlManager& scm) : scm_(scm) {}
  ~OwnedScHandle() { Close(); }
  OwnedScHandle(const OwnedScHandle&) = delete;
  OwnedScHandle& operator=(const OwnedScHandle&) = delete;

  ScHandle Get() const { return handle_; }
  bool Open() const { return handle_ != kNoScHandle; }
  // Takes `handle`, closing the one held before.
  void Reset(ScHandle handle) {
    Close();
    handle_ = handle;
  }
  // Closes the handle now and answers what the manager said; a handle the
  // manager refused to close is still held.
  std::uint32_t Close() {
    if (handle_ == kNoScHandle) return kErrorSuccess;
    const std::uint32_t error = scm_.CloseScHandle(handle_);
    if (error == kErrorSuccess) handle_ = kNoScHandle;
    return error;
  }
  // Lets the handle go without closing it.
  void Forget() { handle_ = kNoScHandle; }

 private:
  ServiceControlManager& scm_;
  ScHandle handle_ = kNoScHandle;
};

}  // namespace vandrel
