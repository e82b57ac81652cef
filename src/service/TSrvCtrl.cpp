#include "service/TSrvCtrl.h"

#include <algorithm>
#include <optional>

#include "platform/PlatformError.h"

namespace vandrel {
namespace {

constexpr const char* kLocalMachine = "localhost";
constexpr std::size_t kDisplayNameLimit = 256;
constexpr std::size_t kNameFormLimit = 255;
// The most enumeration calls one listing makes, against a manager that
// keeps answering "more" without moving on.
constexpr int kMaxEnumRounds = 4096;
// Between two status queries of a wait: short against any service's wait hint.
constexpr std::uint32_t kStatusPollMs = 25;
// The service types and states an enumeration asks for, as the manager
// numbers them.
constexpr std::uint32_t kWin32Services = 0x30;  // own process and shared process
constexpr std::uint32_t kDrivers = 0x0B;        // kernel, file system and recogniser drivers
constexpr std::uint32_t kInteractiveProcess = 0x100;
constexpr std::uint32_t kActiveServices = 1;
constexpr std::uint32_t kInactiveServices = 2;

// The enumeration's choices: 0 everything, 1 Win32 services, 2 drivers.
std::optional<std::uint32_t> EnumTypeMask(int types) {
  switch (types) {
    case 0: return kWin32Services | kDrivers;
    case 1: return kWin32Services;
    case 2: return kDrivers;
    default: return std::nullopt;
  }
}

// 0 every state, 1 active, 2 inactive.
std::optional<std::uint32_t> EnumStateMask(int states) {
  switch (states) {
    case 0: return kActiveServices | kInactiveServices;
    case 1: return kActiveServices;
    case 2: return kInactiveServices;
    default: return std::nullopt;
  }
}

std::optional<std::string> EnumLine(const EnumeratedService& service, int nameForm) {
  switch (nameForm) {
    case 0: return service.serviceName;
    case 1: return service.displayName;
    case 2: return service.serviceName.substr(0, kNameFormLimit) + "=" + service.displayName;
    default: return std::nullopt;
  }
}

// The state a control code waits for; no entry: the code is not sent.
struct ControlTarget {
  bool known = false;
  std::optional<std::uint32_t> state;
};

ControlTarget TargetOf(std::uint32_t code) {
  switch (code) {
    case kControlStop: return {true, kServiceStopped};
    case kControlPause: return {true, kServicePaused};
    case kControlContinue: return {true, kServiceRunning};
    case kControlInterrogate: return {true, std::nullopt};
    case kControlParamChange: return {true, kServiceRunning};
    default: return {};
  }
}

// Service names are compared as the manager compares them: ignoring case.
bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool ContainsName(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& other) { return SameName(other, name); });
}

// Every entry followed by a zero character, and one more at the end.
std::string DependencyText(const std::vector<std::string>& dependencies) {
  std::string text;
  for (const auto& dependency : dependencies) {
    text += dependency;
    text += '\0';
  }
  text += '\0';
  return text;
}

}  // namespace

TSrvCtrl::TSrvCtrl(ServiceControlManager& manager, WaitLoop& waitLoop) : scm_(manager), waitLoop_(waitLoop) {}

TSrvCtrl::~TSrvCtrl() {
  try {
    Disconnect();
  } catch (...) {
    // Nobody is left to tell; the owned handles close all the same.
  }
}

void TSrvCtrl::SetAccess(TSrvAccessTypes access) {
  access_ = access;
  if (Active()) {
    Disconnect();
    Connect();
  }
}

void TSrvCtrl::SetActive(bool active) {
  Disconnect();
  if (active) Connect();
}

std::string TSrvCtrl::Machine() const { return machine_.empty() ? kLocalMachine : machine_; }

void TSrvCtrl::SetMachine(const std::string& machine) {
  if (machine == machine_ || machine == Machine()) return;
  SetActive(false);
  machine_ = machine == kLocalMachine ? std::string() : machine;
}

void TSrvCtrl::SetKeyName(const std::string& keyName) {
  if (CheckHandle(TSrvHandle::Service, false)) CloseService();
  const std::string previous = keyName_;
  keyName_ = keyName;
  if (!Active()) return;
  Fire(BeforeOpen);
  ScHandle service = kNoScHandle;
  const std::uint32_t error = scm_.OpenServiceHandle(manager_.Get(), keyName_, access_.Mask(), service);
  if (error != kErrorSuccess) {
    keyName_ = previous;
    Raise(error);
  }
  service_.Reset(service);
  Fire(AfterOpen);
}

void TSrvCtrl::Connect() {
  if (Active()) Disconnect();
  Fire(BeforeConnect);
  ScHandle manager = kNoScHandle;
  const std::uint32_t error = scm_.OpenManager(machine_, kManagerAllAccess, manager);
  if (error != kErrorSuccess) Raise(error);
  manager_.Reset(manager);
  Fire(AfterConnect);
  if (!keyName_.empty()) SetKeyName(keyName_);
}

void TSrvCtrl::Disconnect() {
  if (CheckHandle(TSrvHandle::Service, false)) CloseService();
  if (!CheckHandle(TSrvHandle::Manager, false)) return;
  Fire(BeforeDisconnect);
  // The manager's answer does not matter: the handle is gone either way.
  manager_.Close();
  manager_.Forget();
  Fire(AfterDisconnect);
}

void TSrvCtrl::CloseService() {
  CheckHandle(TSrvHandle::Service, true);
  Fire(BeforeClose);
  const std::uint32_t error = service_.Close();
  if (error != kErrorSuccess) Raise(error);
  Fire(AfterClose);
}

bool TSrvCtrl::CheckHandle(TSrvHandle handle, bool insist) {
  const bool service = handle == TSrvHandle::Service;
  const bool open = (service ? service_ : manager_).Open();
  if (!open && insist) throw ESrvCtrlException(service ? kNoServiceOpened : kNotConnected);
  return open;
}

void TSrvCtrl::SendControl(std::uint32_t code) {
  const ControlTarget target = TargetOf(code);
  if (!target.known) return;
  Fire(BeforeStateChange);
  ServiceStatus status;
  const std::uint32_t error = scm_.Control(service_.Get(), code, status);
  if (error != kErrorSuccess) Raise(error);
  if (target.state) WaitForState(*target.state);
  Fire(AfterStateChange);
}

void TSrvCtrl::WaitForState(std::uint32_t state) {
  if (!VerifyAction) return;
  ServiceStatus status = QueryStatus();
  while (status.currentState != state) {
    const std::uint32_t noted = status.checkPoint;
    if (!ReportProgress(noted)) return;
    waitLoop_.DispatchPendingMessages();
    waitLoop_.StopIfQuitting();
    const std::uint32_t started = waitLoop_.TickCount();
    // Unsigned differences stay right when the tick count wraps.
    const auto elapsed = [&] { return static_cast<std::uint32_t>(waitLoop_.TickCount() - started); };
    while (elapsed() <= std::max(TimeOut, status.waitHint) && status.currentState != state) {
      waitLoop_.RestThenDispatch(kStatusPollMs);
      waitLoop_.StopIfQuitting();
      status = QueryStatus();
      if (!ReportProgress(status.checkPoint)) return;
    }
    status = QueryStatus();
    if (status.checkPoint == noted && status.currentState != state) {
      throw ESrvCtrlException(kStateChangeFailed);
    }
  }
}

ServiceStatus TSrvCtrl::QueryStatus() {
  CheckHandle(TSrvHandle::Service, true);
  ServiceStatus status;
  const std::uint32_t error = scm_.QueryStatus(service_.Get(), status);
  if (error != kErrorSuccess) Raise(error);
  return status;
}

ServiceConfig TSrvCtrl::QueryConfig() {
  CheckHandle(TSrvHandle::Service, true);
  ServiceConfig config;
  std::uint32_t bytesNeeded = 0;
  std::uint32_t error = scm_.QueryConfig(service_.Get(), 0, config, bytesNeeded);
  if (error == kErrorInsufficientBuffer) {
    error = scm_.QueryConfig(service_.Get(), bytesNeeded + 1, config, bytesNeeded);
  }
  if (error != kErrorSuccess) Raise(error);
  return config;
}

void TSrvCtrl::SetDependencies(const std::vector<std::string>& dependencies) {
  std::vector<std::string> unique;
  for (const auto& dependency : dependencies) {
    if (!ContainsName(unique, dependency)) unique.push_back(dependency);
  }
  WriteDependencies(std::move(unique));
}

void TSrvCtrl::AddDependency(const std::string& dependency) {
  if (ContainsName(dependencies_, dependency)) return;
  std::vector<std::string> changed = dependencies_;
  changed.push_back(dependency);
  WriteDependencies(std::move(changed));
}

void TSrvCtrl::WriteDependencies(std::vector<std::string> dependencies) {
  CheckHandle(TSrvHandle::Service, true);
  if (!dependencies.empty()) {
    std::vector<std::string> services;
    constexpr int kAllTypes = 0, kServiceNames = 0, kAllStates = 0;
    EnumServices(services, kAllTypes, kServiceNames, /*interactive=*/true, kAllStates);
    for (const auto& dependency : dependencies) {
      const bool group = !dependency.empty() && dependency.front() == '+';
      if (!group && !ContainsName(services, dependency)) {
        throw ESrvCtrlException(FormatMessageText(kNoSuchDependency, dependency));
      }
    }
  }
  ServiceConfigChange change;
  change.setDependencies = true;
  change.dependencies = DependencyText(dependencies);
  ChangeConfig(change);
  dependencies_ = std::move(dependencies);
}

void TSrvCtrl::EnumServices(std::vector<std::string>& list, int types, int nameForm, bool interactive, int states) {
  const auto typeMask = EnumTypeMask(types);
  const auto stateMask = EnumStateMask(states);
  if (!typeMask || !stateMask) return;
  const std::uint32_t serviceType = *typeMask | (interactive ? kInteractiveProcess : 0);
  CheckHandle(TSrvHandle::Manager, true);
  list.clear();
  const auto addLines = [&](const EnumerationResult& answer) {
    for (const auto& service : answer.services) {
      if (service.serviceName.empty()) continue;
      if (auto line = EnumLine(service, nameForm)) list.push_back(std::move(*line));
    }
  };
  std::uint32_t resume = 0;
  EnumerationResult answer = scm_.EnumServices(manager_.Get(), serviceType, *stateMask, 0, resume);
  if (answer.error != kErrorSuccess && answer.error != kErrorMoreData) Raise(answer.error);
  addLines(answer);
  // What did not fit is asked for again from the resume point until the list
  // is whole: a list cut short would be a wrong answer. A failure of a later
  // call adds nothing more; a manager that keeps answering "more" without
  // moving on cannot hold the loop.
  for (int round = 0; answer.error == kErrorMoreData && round < kMaxEnumRounds; ++round) {
    const std::uint32_t recordSize = scm_.EnumRecordSize();
    const std::uint32_t bufferSize = (answer.bytesNeeded / recordSize + 1) * recordSize;
    const std::uint32_t resumedAt = resume;
    answer = scm_.EnumServices(manager_.Get(), serviceType, *stateMask, bufferSize, resume);
    if (answer.error != kErrorSuccess && answer.error != kErrorMoreData) return;
    addLines(answer);
    if (answer.services.empty() && resume == resumedAt) return;
  }
}

void TSrvCtrl::SetDisplayName(const std::string& displayName) {
  ServiceConfigChange change;
  change.setDisplayName = true;
  change.displayName = displayName.substr(0, kDisplayNameLimit);
  ChangeConfig(change);
}

int TSrvCtrl::ServiceState() { return static_cast<int>(QueryStatus().currentState) - 1; }

unsigned long TSrvCtrl::StartType() { return QueryConfig().startType; }

void TSrvCtrl::SetStartType(unsigned long startType) {
  ServiceConfigChange change;
  change.setStartType = true;
  change.startType = static_cast<std::uint32_t>(startType);
  ChangeConfig(change);
}

void TSrvCtrl::Start() { Start({}); }

void TSrvCtrl::Start(const std::vector<std::string>& arguments) {
  Fire(BeforeStateChange);
  const std::uint32_t error = scm_.Start(service_.Get(), arguments);
  if (error != kErrorSuccess) Raise(error);
  WaitForState(kServiceRunning);
  Fire(AfterStateChange);
}

void TSrvCtrl::Stop() { SendControl(kControlStop); }

void TSrvCtrl::Fire(const TNotifyEvent& event) {
  if (event) event(*this);
}

bool TSrvCtrl::ReportProgress(std::uint32_t checkPoint) {
  bool waitFor = true;
  if (OnProgress) OnProgress(*this, checkPoint, waitFor);
  return waitFor;
}

void TSrvCtrl::Raise(std::uint32_t error) { throw ESrvCtrlException(error, scm_.ErrorText(error)); }

void TSrvCtrl::ChangeConfig(const ServiceConfigChange& change) {
  CheckHandle(TSrvHandle::Service, true);
  const std::uint32_t error = scm_.ChangeConfig(service_.Get(), change);
  if (error != kErrorSuccess) Raise(error);
}

}  // namespace vandrel
