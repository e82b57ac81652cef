#include "platform/win32/HandleFileCalls.h"

#include <algorithm>
#include <vector>

#include "platform/win32/FunctionLookup.h"
#include "platform/win32/WidePath.h"

namespace vandrel {
namespace {

// The layouts shared by FILE_BASIC_INFO and FILE_BASIC_INFORMATION, and by
// the two disposition records.
struct BasicInformation {
  LARGE_INTEGER creationTime;
  LARGE_INTEGER lastAccessTime;
  LARGE_INTEGER lastWriteTime;
  LARGE_INTEGER changeTime;
  DWORD attributes;
};
struct DispositionInformation {
  BOOLEAN deleteFile;
};
struct IoStatusBlock {
  void* status;
  ULONG_PTR information;
};

// Information classes: SetFileInformationByHandle's, then ntdll's.
constexpr int kBasicByHandle = 0, kBasicNt = 4;
constexpr int kDispositionByHandle = 4, kDispositionNt = 13;

template <typename Function>
Function Lookup(const char* module, const char* name) {
  return LookupFunction<Function>(GetModuleHandleA(module), name);  // both are loaded into every process
}

// The device a drive letter stands for now: the first of the names that
// QueryDosDeviceW gives ("\Device\HarddiskVolume1"); empty for none.
std::string DeviceOfDrive(char drive) {
  const wchar_t name[] = {static_cast<wchar_t>(drive), L':', L'\0'};
  wchar_t device[MAX_PATH + 1] = {};
  return QueryDosDeviceW(name, device, MAX_PATH + 1) != 0 ? Utf8FromWide(device) : std::string();
}

}  // namespace

HandleFileCalls::HandleFileCalls()
    : finalPath_(Lookup<FinalPathFunction>("kernel32.dll", "GetFinalPathNameByHandleW")),
      setByHandle_(Lookup<SetByHandleFunction>("kernel32.dll", "SetFileInformationByHandle")),
      ntSet_(Lookup<NtSetFunction>("ntdll.dll", "NtSetInformationFile")),
      ntQueryObject_(Lookup<NtQueryObjectFunction>("ntdll.dll", "NtQueryObject")) {}

std::optional<FullPath> HandleFileCalls::FinalPath(HANDLE file) const {
  if (!finalPath_) return ObjectName(file);
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = finalPath_(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length == 0) return GetLastError() == ERROR_MORE_DATA ? ObjectName(file) : std::nullopt;
    if (length < buffer.size()) return ParseFullPath(Utf8FromWide(std::wstring_view(buffer.data(), length)));
    buffer.resize(length + 1);
  }
}

std::optional<FullPath> HandleFileCalls::ObjectName(HANDLE file) const {
  struct UnicodeString {
    USHORT length;  // in bytes
    USHORT maximumLength;
    PWSTR buffer;
  };
  constexpr int kObjectNameInformation = 1;
  if (!ntQueryObject_) return std::nullopt;
  std::vector<unsigned char> buffer(sizeof(UnicodeString) + 65536 * sizeof(wchar_t));
  ULONG needed = 0;
  if (ntQueryObject_(file, kObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) < 0) {
    return std::nullopt;
  }
  UnicodeString name;
  std::copy_n(buffer.data(), sizeof name, reinterpret_cast<unsigned char*>(&name));
  return ParseObjectName(Utf8FromWide(std::wstring_view(name.buffer, name.length / sizeof(wchar_t))), DeviceOfDrive);
}

bool HandleFileCalls::SetInformation(HANDLE file, int byHandleClass, int ntClass, void* information, DWORD size) const {
  if (setByHandle_) return setByHandle_(file, byHandleClass, information, size) != FALSE;
  if (!ntSet_) return false;
  IoStatusBlock status{};
  return ntSet_(file, &status, information, size, ntClass) >= 0;
}

bool HandleFileCalls::SetAttributes(HANDLE file, DWORD attributes) const {
  // Zero would leave them as they are, as zero times leave the times.
  constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  BasicInformation basic{};
  basic.attributes = (attributes & kSettable) ? attributes & kSettable : FILE_ATTRIBUTE_NORMAL;
  return SetInformation(file, kBasicByHandle, kBasicNt, &basic, sizeof basic);
}

bool HandleFileCalls::MarkForDeletion(HANDLE file) const {
  DispositionInformation disposition{TRUE};
  return SetInformation(file, kDispositionByHandle, kDispositionNt, &disposition, sizeof disposition);
}

}  // namespace vandrel
