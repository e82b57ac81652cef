# The 32-bit build, for Windows XP (NT 5.1) and later. These machines cannot
# execute it; it is only compiled.
set(VANDREL_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VANDREL_WIN32_WINNT 0x0501)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
