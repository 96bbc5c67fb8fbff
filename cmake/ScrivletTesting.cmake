# scrivlet_add_test(<name> [QT] [LABEL <label>] [SLOW <pattern>...] SOURCES <files...> LIBS <targets...>)
#
# One GoogleTest executable; each of its tests becomes a ctest test. QT gives it a main that
# creates a QApplication (offscreen unless QT_QPA_PLATFORM says otherwise). Only called from the
# tests/ folders, which the tree adds when BUILD_TESTING is on.
#
# Every test carries one ctest label, so a part of the suite can be run on its own:
#   fast  unit tests, the whole set in well under a minute (`ctest -L fast`); the default LABEL
#   gui   tests that drive the program's windows
#   slow  crash, stress and package tests
# SLOW names GoogleTest suites of the executable (filter patterns such as "CrashSafety.*" or
# "*/StoppedSaver.*") whose cases are labelled slow while the rest keep LABEL.
include(GoogleTest)

function(scrivlet_add_test name)
    if(NOT BUILD_TESTING)
        message(FATAL_ERROR "scrivlet_add_test(${name}) called with BUILD_TESTING off")
    endif()
    cmake_parse_arguments(T "QT" "LABEL" "SOURCES;LIBS;SLOW" ${ARGN})
    if(T_UNPARSED_ARGUMENTS OR NOT T_SOURCES)
        message(FATAL_ERROR "scrivlet_add_test(${name}): unexpected '${T_UNPARSED_ARGUMENTS}' or no SOURCES")
    endif()
    if(NOT T_LABEL)
        set(T_LABEL fast)
    endif()
    if(NOT T_LABEL MATCHES "^(fast|gui|slow)$")
        message(FATAL_ERROR "scrivlet_add_test(${name}): LABEL is fast, gui or slow, not '${T_LABEL}'")
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock
                                          Scrivlet::warnings Scrivlet::sanitizers)
    if(T_QT)
        target_link_libraries(${name} PRIVATE Scrivlet::qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE SCRIVLET_BUILD_DIR="${CMAKE_BINARY_DIR}"
                                               SCRIVLET_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    if(CMAKE_CROSSCOMPILING_EMULATOR)
        # Under an emulator (Wine) every start of a program costs half a second: the program runs
        # whole, in two halves side by side, and its output names each case that fails.
        foreach(_shard 0 1)
            add_test(NAME ${name}/part${_shard} COMMAND ${name})
            set_tests_properties(${name}/part${_shard} PROPERTIES
                ENVIRONMENT "GTEST_TOTAL_SHARDS=2;GTEST_SHARD_INDEX=${_shard};QT_QPA_PLATFORM=offscreen"
                LABELS ${T_LABEL} TIMEOUT 900)
        endforeach()
    else()
        # Undo journals of the program and of scriv go under the build tree, never into the home
        # folder of whoever runs the tests (tests that look at journals set their own folder).
        set(_properties ENVIRONMENT QT_QPA_PLATFORM=offscreen
                        ENVIRONMENT_MODIFICATION XDG_STATE_HOME=set:${CMAKE_BINARY_DIR}/test-state
                        TIMEOUT 300)
        if(T_SLOW)
            # The executable is listed twice: its slow suites, then everything else.
            list(JOIN T_SLOW ":" _slow)
            gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER "${_slow}"
                                 PROPERTIES LABELS slow ${_properties})
            set(_filter TEST_FILTER "-${_slow}")
        endif()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 ${_filter}
                             PROPERTIES LABELS ${T_LABEL} ${_properties})
    endif()
endfunction()
