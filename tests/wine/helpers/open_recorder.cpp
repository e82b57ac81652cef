// Stands in for the program the shell opens an address with: writes the
// address it was given (its second argument) to the file named by its first.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const HANDLE file = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, argv[2], static_cast<DWORD>(std::strlen(argv[2])), &written, nullptr);
  CloseHandle(file);
  return 0;
}
