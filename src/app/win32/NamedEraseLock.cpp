#include "app/win32/NamedEraseLock.h"

#include <sddl.h>

#include <vector>

namespace vandrel {
namespace {

// What taking and giving back the lock needs.
constexpr DWORD kLockRights = SYNCHRONIZE | MUTEX_MODIFY_STATE;

// The user the process runs as, from its token.
std::vector<BYTE> TokenUser() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  const UniqueHandle token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), ::TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !GetTokenInformation(token.get(), ::TokenUser, user.data(), size, &size)) return {};
  return user;
}

PSID SidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

struct LocalMemoryTraits {
  using Handle = HLOCAL;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle memory) noexcept { LocalFree(memory); }
};

std::string SidText(PSID sid) {
  LPSTR text = nullptr;
  if (!ConvertSidToStringSidA(sid, &text)) return {};
  const UniqueResource<LocalMemoryTraits> owned(text);
  return text;
}

std::string LockNameOf(PSID user) {
  const std::string sid = SidText(user);
  return sid.empty() ? std::string() : "Global\\Korvane.Vandrel.Erase." + sid;
}

// Makes the mutex with a DACL that lets only this user in, or opens the one
// an earlier process of the user made.
UniqueHandle MakeOrOpen() {
  std::vector<BYTE> user = TokenUser();
  if (user.empty()) return {};
  const PSID sid = SidOf(user);
  const std::string name = LockNameOf(sid);
  if (name.empty()) return {};
  const DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid);
  std::vector<BYTE> acl(aclSize);
  SECURITY_DESCRIPTOR descriptor{};
  if (!InitializeAcl(reinterpret_cast<ACL*>(acl.data()), aclSize, ACL_REVISION) ||
      !AddAccessAllowedAce(reinterpret_cast<ACL*>(acl.data()), ACL_REVISION, MUTEX_ALL_ACCESS, sid) ||
      !InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<ACL*>(acl.data()), FALSE)) {
    return {};
  }
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, FALSE};
  UniqueHandle mutex(CreateMutexA(&attributes, FALSE, name.c_str()));
  // One made by another process of the user with fewer rights for it.
  if (!mutex && GetLastError() == ERROR_ACCESS_DENIED) mutex.reset(OpenMutexA(kLockRights, FALSE, name.c_str()));
  return mutex;
}

}  // namespace

std::string EraseLockName() {
  std::vector<BYTE> user = TokenUser();
  return user.empty() ? std::string() : LockNameOf(SidOf(user));
}

LockTake NamedEraseLock::TryTake() {
  if (!mutex_) mutex_ = MakeOrOpen();
  if (!mutex_) return LockTake::Unavailable;
  switch (WaitForSingleObject(mutex_.get(), 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: return LockTake::Taken;
    case WAIT_TIMEOUT: return LockTake::HeldElsewhere;
    default: return LockTake::Unavailable;
  }
}

void NamedEraseLock::Release() {
  if (mutex_) ReleaseMutex(mutex_.get());
}

}  // namespace vandrel
