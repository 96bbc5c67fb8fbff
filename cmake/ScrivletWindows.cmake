# The Windows cross-build (cmake/MinGW-*.cmake): GoogleTest built from Debian's sources
# with the same compiler, and the test programs run under Wine in a prefix of the build's own.
set(SCRIVLET_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources, built with the cross compiler")
set(SCRIVLET_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix the Windows tests run in")

if(BUILD_TESTING)
    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
        find_program(SCRIVLET_WINE wine)
        if(NOT SCRIVLET_WINE)
            message(FATAL_ERROR "The Windows tests run under Wine, which is missing: "
                                "scripts/bootstrap.sh --wine installs it (or configure with -DBUILD_TESTING=OFF).")
        endif()
        set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine_run.sh ${SCRIVLET_WINEPREFIX})
    endif()
    if(NOT EXISTS ${SCRIVLET_GTEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest sources in ${SCRIVLET_GTEST_SOURCE_DIR}: "
                            "scripts/bootstrap.sh --windows installs them.")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # Windows' own threads, not winpthread's emulation of POSIX ones.
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    # SYSTEM: its headers are someone else's code; our warnings stay on our code.
    add_subdirectory(${SCRIVLET_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
