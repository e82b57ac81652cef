// Stands in for the program the shell opens an address with: adds the
// address it was given (its second argument) as a line to the file named by
// its first, so that every opening shows.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const HANDLE file = CreateFileA(argv[1], FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, argv[2], static_cast<DWORD>(std::strlen(argv[2])), &written, nullptr);
  WriteFile(file, "\n", 1, &written, nullptr);
  CloseHandle(file);
  return 0;
}
