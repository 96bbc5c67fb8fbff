# The KDE extractor is a CMake project of its own on Qt 5 (extensions/kde), configured and built
# at every build of this tree, after the library it links. Its tests run under this tree's ctest;
# its install rules run inside this tree's install (the package's kde component).
include(ExternalProject)
set(SCRIVLET_KDE_BUILD ${CMAKE_BINARY_DIR}/extensions/kde)
ExternalProject_Add(scrivlet_kde
    SOURCE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/kde
    BINARY_DIR ${SCRIVLET_KDE_BUILD}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DCMAKE_INSTALL_LIBDIR=${CMAKE_INSTALL_LIBDIR}
               -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
               -DBUILD_TESTING=${BUILD_TESTING} -DSCRIVLET_WERROR=${SCRIVLET_WERROR}
               -DSCRIVLET_LIBRARY=$<TARGET_FILE:Scrivlet>
               -DSCRIVLET_INCLUDE_DIR=${PROJECT_SOURCE_DIR}/library/include
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    DEPENDS Scrivlet)
install(CODE "include(${SCRIVLET_KDE_BUILD}/cmake_install.cmake)" COMPONENT kde)

if(BUILD_TESTING)
    # As the desktop runs it: a UTF-8 locale, the plugin found through QT_PLUGIN_PATH.
    add_test(NAME kde_extractor_tests COMMAND ${SCRIVLET_KDE_BUILD}/scrivlet_kde_tests)
    set_tests_properties(kde_extractor_tests PROPERTIES TIMEOUT 120
        LABELS fast ENVIRONMENT "LC_ALL=C.UTF-8;QT_PLUGIN_PATH=${SCRIVLET_KDE_BUILD}/plugins")
endif()
