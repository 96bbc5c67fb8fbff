# Shared by the two MinGW-w64 toolchain files, which set SCRIVLET_MINGW_TRIPLE first.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${SCRIVLET_MINGW_TRIPLE}")

# The posix thread model: std::thread and std::mutex exist (the win32 one lacks them in GCC 12).
set(CMAKE_C_COMPILER ${SCRIVLET_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCRIVLET_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SCRIVLET_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCRIVLET_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained binaries: the GCC runtime, libstdc++ and winpthread are linked in, so the DLL and
# the test programs need nothing beside them but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
