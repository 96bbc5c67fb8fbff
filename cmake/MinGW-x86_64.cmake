# Cross-build for x86_64 Windows with Debian's MinGW-w64: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-x86_64.cmake
set(SCRIVLET_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWCommon.cmake)
