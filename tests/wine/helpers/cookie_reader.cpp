// Reads one cookie through the browser's library in a process of its own,
// as a browser started after an erase would: the library keeps the cookies
// it has read in memory, so the test program's own reads would not tell.
// cookie_reader URL NAME: exit 0 when the cookie is there, 1 when not.
#include <windows.h>
#include <wininet.h>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  char value[4096];
  DWORD size = sizeof value;
  return InternetGetCookieA(argv[1], argv[2], value, &size) ? 0 : 1;
}
