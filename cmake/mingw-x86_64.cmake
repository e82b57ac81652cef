# The 64-bit build, for Windows XP x64 / Server 2003 x64 (NT 5.2) and later.
set(VANDREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANDREL_WIN32_WINNT 0x0502)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# ctest runs the Windows test programs under the 64-bit Wine loader.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
