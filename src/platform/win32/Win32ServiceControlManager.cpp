#include "platform/win32/Win32ServiceControlManager.h"

#include <vector>

namespace vandrel {
namespace {

SC_HANDLE Native(ScHandle handle) { return reinterpret_cast<SC_HANDLE>(handle); }
ScHandle Opaque(SC_HANDLE handle) { return reinterpret_cast<ScHandle>(handle); }

std::uint32_t Answer(BOOL succeeded) { return succeeded ? kErrorSuccess : GetLastError(); }

std::string TextOf(const char* text) { return text ? text : ""; }

// A list of texts, each ended by a zero character, the whole by another.
std::vector<std::string> TextList(const char* texts) {
  std::vector<std::string> list;
  for (const char* at = texts; at && *at; at += list.back().size() + 1) list.emplace_back(at);
  return list;
}

ServiceStatus StatusOf(const SERVICE_STATUS& status) {
  return {status.dwServiceType,
          status.dwCurrentState,
          status.dwControlsAccepted,
          status.dwWin32ExitCode,
          status.dwServiceSpecificExitCode,
          status.dwCheckPoint,
          status.dwWaitHint};
}

// A buffer for the API's records; with no room asked for, the API is given
// no buffer at all, as it documents for asking the size.
template <typename Record>
class RecordBuffer {
 public:
  // Held in 8-byte units, so the records' pointers are aligned.
  explicit RecordBuffer(std::uint32_t size) : storage_((size + 7) / 8), size_(size) {}
  Record* get() { return size_ == 0 ? nullptr : reinterpret_cast<Record*>(storage_.data()); }
  DWORD size() const { return size_; }

 private:
  std::vector<unsigned long long> storage_;
  DWORD size_;
};

}  // namespace

std::uint32_t Win32ServiceControlManager::OpenManager(const std::string& machine, std::uint32_t access,
                                                      ScHandle& manager) {
  const SC_HANDLE opened = OpenSCManagerA(machine.empty() ? nullptr : machine.c_str(), nullptr, access);
  if (!opened) return GetLastError();
  manager = Opaque(opened);
  return kErrorSuccess;
}

std::uint32_t Win32ServiceControlManager::OpenServiceHandle(ScHandle manager, const std::string& name,
                                                            std::uint32_t access, ScHandle& service) {
  const SC_HANDLE opened = OpenServiceA(Native(manager), name.c_str(), access);
  if (!opened) return GetLastError();
  service = Opaque(opened);
  return kErrorSuccess;
}

std::uint32_t Win32ServiceControlManager::CloseScHandle(ScHandle handle) {
  return Answer(CloseServiceHandle(Native(handle)));
}

std::uint32_t Win32ServiceControlManager::QueryStatus(ScHandle service, ServiceStatus& status) {
  SERVICE_STATUS native{};
  const std::uint32_t error = Answer(QueryServiceStatus(Native(service), &native));
  if (error == kErrorSuccess) status = StatusOf(native);
  return error;
}

std::uint32_t Win32ServiceControlManager::QueryConfig(ScHandle service, std::uint32_t bufferSize, ServiceConfig& config,
                                                      std::uint32_t& bytesNeeded) {
  RecordBuffer<QUERY_SERVICE_CONFIGA> buffer(bufferSize);
  DWORD needed = 0;
  const std::uint32_t error = Answer(QueryServiceConfigA(Native(service), buffer.get(), buffer.size(), &needed));
  bytesNeeded = needed;
  if (error != kErrorSuccess) return error;
  const QUERY_SERVICE_CONFIGA& native = *buffer.get();
  config.serviceType = native.dwServiceType;
  config.startType = native.dwStartType;
  config.errorControl = native.dwErrorControl;
  config.binaryPathName = TextOf(native.lpBinaryPathName);
  config.loadOrderGroup = TextOf(native.lpLoadOrderGroup);
  config.tagId = native.dwTagId;
  config.dependencies = TextList(native.lpDependencies);
  config.serviceStartName = TextOf(native.lpServiceStartName);
  config.displayName = TextOf(native.lpDisplayName);
  return kErrorSuccess;
}

std::uint32_t Win32ServiceControlManager::ChangeConfig(ScHandle service, const ServiceConfigChange& change) {
  // A null text and SERVICE_NO_CHANGE leave that part as it is.
  return Answer(ChangeServiceConfigA(
      Native(service), SERVICE_NO_CHANGE, change.setStartType ? change.startType : SERVICE_NO_CHANGE, SERVICE_NO_CHANGE,
      nullptr, nullptr, nullptr, change.setDependencies ? change.dependencies.c_str() : nullptr, nullptr, nullptr,
      change.setDisplayName ? change.displayName.c_str() : nullptr));
}

std::uint32_t Win32ServiceControlManager::Start(ScHandle service, const std::vector<std::string>& arguments) {
  std::vector<const char*> texts;
  for (const auto& argument : arguments) texts.push_back(argument.c_str());
  return Answer(
      StartServiceA(Native(service), static_cast<DWORD>(texts.size()), texts.empty() ? nullptr : texts.data()));
}

std::uint32_t Win32ServiceControlManager::Control(ScHandle service, std::uint32_t code, ServiceStatus& status) {
  SERVICE_STATUS native{};
  const std::uint32_t error = Answer(ControlService(Native(service), code, &native));
  status = StatusOf(native);
  return error;
}

EnumerationResult Win32ServiceControlManager::EnumServices(ScHandle manager, std::uint32_t serviceType,
                                                           std::uint32_t serviceState, std::uint32_t bufferSize,
                                                           std::uint32_t& resumeHandle) {
  RecordBuffer<ENUM_SERVICE_STATUSA> buffer(bufferSize);
  DWORD needed = 0;
  DWORD returned = 0;
  DWORD resume = resumeHandle;
  EnumerationResult result;
  result.error = Answer(EnumServicesStatusA(Native(manager), serviceType, serviceState, buffer.get(), buffer.size(),
                                            &needed, &returned, &resume));
  resumeHandle = resume;
  result.bytesNeeded = needed;
  // Records come back both on success and when more data is waiting.
  if (result.error != kErrorSuccess && result.error != kErrorMoreData) return result;
  for (DWORD index = 0; index < returned; ++index) {
    const ENUM_SERVICE_STATUSA& record = buffer.get()[index];
    result.services.push_back(
        {TextOf(record.lpServiceName), TextOf(record.lpDisplayName), StatusOf(record.ServiceStatus)});
  }
  return result;
}

std::uint32_t Win32ServiceControlManager::EnumRecordSize() const { return sizeof(ENUM_SERVICE_STATUSA); }

std::string Win32ServiceControlManager::ErrorText(std::uint32_t error) {
  char text[1024];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, sizeof text, nullptr);
  return std::string(text, length);
}

}  // namespace vandrel
