# Cross-build for i686 Windows with Debian's MinGW-w64: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-i686.cmake
set(SCRIVLET_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWCommon.cmake)
