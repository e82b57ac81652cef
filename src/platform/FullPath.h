#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// A full Windows path taken apart the way the file system reads it: a root
// (a drive "C:" or a share "\\server\share") and the names below it, with
// "." and empty names dropped, ".." applied, and the trailing dots and
// spaces that Windows ignores removed. Every spelling of one folder
// ("C:\.", "c:\\", "\\?\C:\", "C:/Windows.") gives the same FullPath.
struct FullPath {
  std::string root;                // "C:" or "\\server\share" (either may be upper- or lower-case)
  std::vector<std::string> names;  // below the root, outermost first
};

// Nothing for a path that does not name its drive or share: an empty path,
// a relative one ("Real\x"), one relative to the current drive ("\Real\x")
// or to a drive's current folder ("C:x"). Such paths are never erased.
std::optional<FullPath> ParseFullPath(std::string_view path);

// "C:\Windows", "C:\" for a drive root, "\\server\share\x".
std::string PlainForm(const FullPath& path);
// The same with the "\\?\" (or "\\?\UNC\") prefix that lifts the MAX_PATH
// limit; the path is already normalised, as that prefix requires.
std::string ExtendedLengthForm(const FullPath& path);

// A drive or a share itself, with no name below it.
bool IsRoot(const FullPath& path);
// path is ancestor itself or lies somewhere below it (names compared
// without regard to ASCII letter case).
bool IsSameOrBelow(const FullPath& path, const FullPath& ancestor);
// entry is exactly folder + "\" + name: what a file found in the folder
// must resolve to before it may be deleted.
bool IsEntryOf(const FullPath& entry, const FullPath& folder, std::string_view name);

// A kernel object name of a file as a full path: "\??\C:\x" (how Wine
// names files) is C:\x, and "\Device\HarddiskVolume1\x" lies on the drive
// letter whose device deviceOfDrive gives as "\Device\HarddiskVolume1".
// Nothing for a name on no lettered drive: a network redirector's, a volume
// mounted without a letter.
std::optional<FullPath> ParseObjectName(std::string_view name,
                                        const std::function<std::string(char drive)>& deviceOfDrive);

// base + "\" + relative, or empty when base is not a full path: a folder
// built on an empty special folder must not land on the current drive.
std::string PathUnder(std::string_view base, std::string_view relative);

// The last name of a path ("Vandrel.exe" of "C:\Program Files\Vandrel\Vandrel.exe").
inline std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace vandrel
