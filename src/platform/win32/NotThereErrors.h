#pragma once
#include <windows.h>

namespace vandrel {

// A place that cannot be reached over the network: an offline server, a
// network that is down, a share that went away or timed out, a share that
// is no folder (Wine answers so for every share).
inline bool IsNetworkUnreachable(DWORD error) {
  switch (error) {
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_HOST_UNREACHABLE:
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_REM_NOT_LIST:
    case ERROR_NO_NET_OR_BAD_PATH:
    case ERROR_NOT_CONNECTED:
    case ERROR_SEM_TIMEOUT:
    case ERROR_BAD_DEV_TYPE: return true;
  }
  return false;
}

// Errors that say a folder is not there to be erased: nothing of that
// name, a name no folder can have, a drive that is not ready, or a place
// that cannot be reached over the network.
inline bool IsNotThere(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
         error == ERROR_NOT_READY || IsNetworkUnreachable(error);
}

}  // namespace vandrel
