# Shared part of the MinGW-w64 toolchain files.
#
# VANDREL_MINGW_THREADS picks the compilers' thread model:
#   win32  (default) the shipped program: its runtime needs no winpthreads,
#          which would import functions that Windows XP and 2003 lack;
#   posix  the test programs: GoogleTest needs std::mutex and std::thread.
# VANDREL_WIN32_WINNT (set by the per-architecture file) is the oldest
# Windows the build targets; the headers hide everything newer.
if(NOT VANDREL_MINGW_THREADS)
  set(VANDREL_MINGW_THREADS win32)
endif()
if(NOT VANDREL_MINGW_THREADS MATCHES "^(win32|posix)$")
  message(FATAL_ERROR "VANDREL_MINGW_THREADS must be win32 or posix, not '${VANDREL_MINGW_THREADS}'")
endif()
# The compiler checks run in projects of their own; they need the choice too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANDREL_MINGW_THREADS)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER   ${VANDREL_MINGW_TRIPLE}-gcc-${VANDREL_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VANDREL_MINGW_TRIPLE}-g++-${VANDREL_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${VANDREL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANDREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(VANDREL_TARGET_VERSION "-D_WIN32_WINNT=${VANDREL_WIN32_WINNT} -DWINVER=${VANDREL_WIN32_WINNT}")
set(CMAKE_C_FLAGS_INIT   "${VANDREL_TARGET_VERSION}")
set(CMAKE_CXX_FLAGS_INIT "${VANDREL_TARGET_VERSION}")
set(CMAKE_RC_FLAGS_INIT  "${VANDREL_TARGET_VERSION}")
# Nothing but system DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
