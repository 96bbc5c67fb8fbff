# scrivlet_add_test(<name> [QT] SOURCES <files...> LIBS <targets...>)
#
# One GoogleTest executable; each of its tests becomes a ctest test. QT gives it a main that
# creates a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
include(GoogleTest)

function(scrivlet_add_test name)
    if(NOT BUILD_TESTING)
        return()
    endif()
    cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    if(T_QT)
        target_link_libraries(${name} PRIVATE scrivlet_qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE SCRIVLET_BUILD_DIR="${CMAKE_BINARY_DIR}"
                                               SCRIVLET_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# Adds each listed sub-folder that has a CMakeLists.txt (parts of the tree arrive one by one).
macro(scrivlet_add_subdirs)
    foreach(_dir ${ARGN})
        if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_dir}/CMakeLists.txt)
            add_subdirectory(${_dir})
        endif()
    endforeach()
endmacro()

# scrivlet_glob_library(<name> [QT_MODULES ...] [LIBS ...]): a static library of every .cpp in the
# current folder, included as "folder/file.h" from the project root. Nothing is made while the
# folder has no sources yet.
function(scrivlet_glob_library name)
    cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    file(GLOB _resources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(NOT _sources)
        return()
    endif()
    add_library(${name} STATIC ${_sources} ${_headers} ${_resources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
endfunction()

# scrivlet_glob_test(<name> <file-prefix> [QT] LIBS ...): one test executable from the files
# <file-prefix>*.cpp of the current folder, when there are any and the libraries exist.
function(scrivlet_glob_test name prefix)
    cmake_parse_arguments(G "QT" "" "LIBS;EXTRA" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${prefix}*.cpp)
    if(NOT _sources)
        return()
    endif()
    foreach(_lib ${G_LIBS})
        if(NOT TARGET ${_lib})
            return()
        endif()
    endforeach()
    if(G_QT)
        scrivlet_add_test(${name} QT SOURCES ${_sources} ${G_EXTRA} LIBS ${G_LIBS})
    else()
        scrivlet_add_test(${name} SOURCES ${_sources} ${G_EXTRA} LIBS ${G_LIBS})
    endif()
endfunction()
