#include "platform/win32/SaveTemporary.h"

#include <optional>

#include "platform/AsciiCase.h"

namespace vandrel {
namespace {

constexpr std::string_view kPrefix = "vdl";
constexpr std::string_view kSuffix = ".tmp";
constexpr unsigned kNumbers = 0x1000;  // three hex digits
constexpr int kAttempts = 64;
// A file that another program has open cannot be replaced. Scanners,
// indexers and backups open a file for a moment just after it is written,
// so the replace is tried again for a short while before it is reported.
constexpr int kReplaceAttempts = 8;
constexpr DWORD kReplaceWaitMs = 40;

std::string TemporaryName(unsigned number) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name(kPrefix);
  for (int shift = 8; shift >= 0; shift -= 4) name += kHex[(number >> shift) & 0xF];
  name += kSuffix;
  return name;
}

// Errors after which another name may succeed: the name is taken by a file,
// a folder or a file being deleted.
bool NameIsTaken(DWORD error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// GetFinalPathNameByHandleA, which systems before Vista lack; they have no
// links to files either.
FinalPathFunction FindFinalPathFunction() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (!kernel) return nullptr;
  return reinterpret_cast<FinalPathFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "GetFinalPathNameByHandleA")));
}

// Where the path really leads, links resolved.
std::optional<std::string> FinalPathOf(FinalPathFunction finalPath, const std::string& path) {
  const UniqueFileHandle item(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!item) return std::nullopt;
  std::string result(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    // 0: the normalised name with its drive letter.
    const DWORD length = finalPath(item.get(), result.data(), static_cast<DWORD>(result.size()), 0);
    if (length == 0) return std::nullopt;
    if (length < result.size()) {
      result.resize(length);
      return result;
    }
    result.assign(length + 1, '\0');
  }
  return std::nullopt;
}

// Tells plain files in the folder from links that lead elsewhere (which a
// delete would follow: Wine deletes a link's target).
class LinkCheck {
 public:
  explicit LinkCheck(const std::string& folderPrefix) : finalPath_(FindFinalPathFunction()) {
    if (finalPath_) folder_ = FinalPathOf(finalPath_, folderPrefix + ".");
  }
  // False also when it cannot be told.
  bool LiesInTheFolder(const std::string& path, std::string_view name) const {
    if (!finalPath_) return true;
    if (!folder_) return false;
    const auto file = FinalPathOf(finalPath_, path);
    if (!file) return false;
    std::string expected = *folder_;
    if (expected.empty() || expected.back() != '\\') expected += '\\';
    expected += name;
    return EqualIgnoringAsciiCase(*file, expected);
  }

 private:
  FinalPathFunction finalPath_;
  std::optional<std::string> folder_;
};

}  // namespace

SaveTemporary::SaveTemporary(const std::wstring& folderPrefix) {
  // Spread over the names by process and time, so a second program saving
  // into the same folder rarely starts on the same name.
  const unsigned start = GetCurrentProcessId() * 2654435761u + GetTickCount();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::string name = TemporaryName((start + attempt) % kNumbers);
    const std::wstring path = folderPrefix + std::wstring(name.begin(), name.end());  // ASCII
    file_.reset(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file_) {
      path_ = path;
      return;
    }
    if (!NameIsTaken(GetLastError())) return;
  }
}

SaveTemporary::~SaveTemporary() {
  file_.reset();
  if (!path_.empty() && !moved_) DeleteFileW(path_.c_str());
}

bool SaveTemporary::CloseAndMoveOver(const std::wstring& target) {
  file_.reset();
  for (int attempt = 1;; ++attempt) {
    moved_ = MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (moved_ || attempt == kReplaceAttempts) return moved_;
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return false;
    Sleep(kReplaceWaitMs);
  }
}

bool IsSaveTemporaryName(std::string_view name) {
  if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
  const std::string_view digits = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  if (digits.size() > 4) return false;
  for (const char digit : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(digit))) return false;
  }
  return EqualIgnoringAsciiCase(name.substr(0, kPrefix.size()), kPrefix) &&
         EqualIgnoringAsciiCase(name.substr(name.size() - kSuffix.size()), kSuffix);
}

void RemoveStaleSaveTemporaries(const std::string& folderPrefix, std::string_view targetName) {
  WIN32_FIND_DATAA found;
  const UniqueFind find(FindFirstFileA((folderPrefix + "vdl*.tmp").c_str(), &found));
  if (!find) return;
  const LinkCheck links(folderPrefix);
  constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;
  do {
    const std::string name = found.cFileName;
    if (!IsSaveTemporaryName(name) || EqualIgnoringAsciiCase(name, targetName)) continue;
    if (found.dwFileAttributes & kNotPlain) continue;
    const std::string path = folderPrefix + name;
    if (links.LiesInTheFolder(path, name)) DeleteFileA(path.c_str());
  } while (FindNextFileA(find.get(), &found));
}

}  // namespace vandrel
