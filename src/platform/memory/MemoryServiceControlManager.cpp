#include "platform/memory/MemoryServiceControlManager.h"

#include <algorithm>
#include <cstdio>

namespace vandrel {
namespace {

constexpr std::uint32_t kInvalidHandle = 6;
constexpr std::uint32_t kServiceAlreadyRunning = 1056;
constexpr std::uint32_t kServiceDisabled = 1058;
constexpr std::uint32_t kServiceDoesNotExist = 1060;
constexpr std::uint32_t kServiceNotActive = 1062;
constexpr std::uint32_t kStopped = 1;
constexpr std::uint32_t kStartPending = 2;
constexpr std::uint32_t kStopPending = 3;
constexpr std::uint32_t kRunning = 4;
constexpr std::uint32_t kPaused = 7;
// The fixed part of a configuration or an enumeration record, as a 32-bit
// system lays it out; the texts follow it.
constexpr std::uint32_t kRecordSize = 36;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
  return text;
}

std::uint32_t TextSize(const std::string& text) { return static_cast<std::uint32_t>(text.size() + 1); }

std::uint32_t ConfigSize(const ServiceConfig& config) {
  std::uint32_t size = kRecordSize + TextSize(config.binaryPathName) + TextSize(config.loadOrderGroup) +
                       TextSize(config.serviceStartName) + TextSize(config.displayName) + 1;
  for (const auto& dependency : config.dependencies) size += TextSize(dependency);
  return size;
}

std::uint32_t EnumeratedSize(const MemoryService& service, std::uint32_t recordSize) {
  return recordSize + TextSize(service.name) + TextSize(service.config.displayName);
}

std::vector<std::string> SplitDependencies(const std::string& text) {
  std::vector<std::string> entries;
  std::size_t at = 0;
  while (at < text.size() && text[at] != '\0') {
    const auto end = text.find('\0', at);
    entries.push_back(text.substr(at, end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return entries;
}

ServiceStatus WithState(ServiceStatus status, std::uint32_t state) {
  status.currentState = state;
  status.checkPoint = 0;
  status.waitHint = 0;
  return status;
}

}  // namespace

MemoryService& MemoryServiceControlManager::AddService(const std::string& name, const std::string& displayName) {
  MemoryService& service = services_.emplace_back();
  service.name = name;
  service.config.displayName = displayName.empty() ? name : displayName;
  return service;
}

MemoryService* MemoryServiceControlManager::Find(const std::string& name) {
  const auto found = std::find_if(services_.begin(), services_.end(),
                                  [&](const MemoryService& service) { return service.name == name; });
  return found == services_.end() ? nullptr : &*found;
}

void MemoryServiceControlManager::FailNext(Call call, std::uint32_t error) { failures_[call].push_back(error); }

bool MemoryServiceControlManager::ScriptedFailure(Call call, std::uint32_t& error) {
  auto& queued = failures_[call];
  if (queued.empty()) return false;
  error = queued.front();
  queued.pop_front();
  return true;
}

MemoryService* MemoryServiceControlManager::ServiceOf(ScHandle handle) {
  const auto found = handles_.find(handle);
  if (found == handles_.end() || found->second.manager) return nullptr;
  return Find(found->second.service);
}

bool MemoryServiceControlManager::IsManager(ScHandle handle) const {
  const auto found = handles_.find(handle);
  return found != handles_.end() && found->second.manager;
}

std::uint32_t MemoryServiceControlManager::OpenManager(const std::string& machine, std::uint32_t access,
                                                       ScHandle& manager) {
  log.push_back("OpenManager " + machine);
  lastMachine = machine;
  lastManagerAccess = access;
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::OpenManager, error)) return error;
  manager = nextHandle_++;
  handles_[manager] = {true, {}};
  return 0;
}

std::uint32_t MemoryServiceControlManager::OpenServiceHandle(ScHandle manager, const std::string& name,
                                                             std::uint32_t access, ScHandle& service) {
  log.push_back("OpenService " + name + " " + Hex(access));
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::OpenService, error)) return error;
  if (!IsManager(manager)) return kInvalidHandle;
  if (!Find(name)) return kServiceDoesNotExist;
  service = nextHandle_++;
  handles_[service] = {false, name};
  return 0;
}

std::uint32_t MemoryServiceControlManager::CloseScHandle(ScHandle handle) {
  log.push_back(IsManager(handle) ? "CloseManager" : "CloseService");
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::Close, error)) return error;
  return handles_.erase(handle) == 1 ? 0 : kInvalidHandle;
}

std::uint32_t MemoryServiceControlManager::QueryStatus(ScHandle handle, ServiceStatus& status) {
  log.push_back("QueryStatus");
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::QueryStatus, error)) return error;
  MemoryService* service = ServiceOf(handle);
  if (!service) return kInvalidHandle;
  if (!service->upcoming.empty()) {
    service->status = service->upcoming.front();
    service->upcoming.pop_front();
  }
  status = service->status;
  return 0;
}

std::uint32_t MemoryServiceControlManager::QueryConfig(ScHandle handle, std::uint32_t bufferSize, ServiceConfig& config,
                                                       std::uint32_t& bytesNeeded) {
  log.push_back("QueryConfig " + std::to_string(bufferSize));
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::QueryConfig, error)) return error;
  MemoryService* service = ServiceOf(handle);
  if (!service) return kInvalidHandle;
  const std::uint32_t needed = ConfigSize(service->config);
  if (bufferSize < needed) {
    bytesNeeded = needed;
    return 122;
  }
  config = service->config;
  return 0;
}

std::uint32_t MemoryServiceControlManager::ChangeConfig(ScHandle handle, const ServiceConfigChange& change) {
  log.push_back("ChangeConfig");
  changes.push_back(change);
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::ChangeConfig, error)) return error;
  MemoryService* service = ServiceOf(handle);
  if (!service) return kInvalidHandle;
  if (change.setStartType) service->config.startType = change.startType;
  if (change.setDisplayName) service->config.displayName = change.displayName;
  if (change.setDependencies) service->config.dependencies = SplitDependencies(change.dependencies);
  return 0;
}

std::uint32_t MemoryServiceControlManager::Start(ScHandle handle, const std::vector<std::string>& arguments) {
  log.push_back("Start " + std::to_string(arguments.size()));
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::Start, error)) return error;
  MemoryService* service = ServiceOf(handle);
  if (!service) return kInvalidHandle;
  if (service->config.startType == 4) return kServiceDisabled;
  if (service->status.currentState != kStopped) return kServiceAlreadyRunning;
  service->startArguments = arguments;
  service->status = WithState(service->status, kStartPending);
  service->upcoming = service->afterStart;
  if (service->upcoming.empty()) service->upcoming.push_back(WithState(service->status, kRunning));
  return 0;
}

std::uint32_t MemoryServiceControlManager::Control(ScHandle handle, std::uint32_t code, ServiceStatus& status) {
  log.push_back("Control " + std::to_string(code));
  std::uint32_t error = 0;
  if (ScriptedFailure(Call::Control, error)) return error;
  MemoryService* service = ServiceOf(handle);
  if (!service) return kInvalidHandle;
  if (service->status.currentState == kStopped) return kServiceNotActive;
  if (code == 1) {
    service->status = WithState(service->status, kStopPending);
    service->upcoming = service->afterStop;
    if (service->upcoming.empty()) service->upcoming.push_back(WithState(service->status, kStopped));
  } else if (code == 2) {
    service->status = WithState(service->status, kPaused);
  } else if (code == 3) {
    service->status = WithState(service->status, kRunning);
  }
  status = service->status;
  return 0;
}

EnumerationResult MemoryServiceControlManager::EnumServices(ScHandle manager, std::uint32_t serviceType,
                                                            std::uint32_t serviceState, std::uint32_t bufferSize,
                                                            std::uint32_t& resumeHandle) {
  log.push_back("Enum " + std::to_string(bufferSize));
  EnumerationResult result;
  if (ScriptedFailure(Call::Enum, result.error)) return result;
  if (!IsManager(manager)) {
    result.error = kInvalidHandle;
    return result;
  }
  std::uint32_t used = 0;
  for (std::size_t index = resumeHandle; index < services_.size(); ++index) {
    const MemoryService& service = services_[index];
    const bool typeMatches = (service.config.serviceType & serviceType) != 0;
    const bool active = service.status.currentState != kStopped;
    const bool stateMatches = (serviceState & (active ? 1 : 2)) != 0;
    if (!typeMatches || !stateMatches) continue;
    const std::uint32_t size = EnumeratedSize(service, recordSize);
    if (result.error == 0 && used + size <= bufferSize && result.services.size() < recordsPerCall) {
      used += size;
      result.services.push_back({service.name, service.config.displayName, service.status});
      resumeHandle = static_cast<std::uint32_t>(index + 1);
    } else {
      result.error = kErrorMoreData;
      result.bytesNeeded += size;
    }
  }
  if (result.error == 0) resumeHandle = 0;
  return result;
}

std::string MemoryServiceControlManager::ErrorText(std::uint32_t error) {
  const auto found = errorTexts.find(error);
  return found == errorTexts.end() ? std::string() : found->second;
}

}  // namespace vandrel
