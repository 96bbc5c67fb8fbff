# cmake -DCLANG_FORMAT=<program> -DSOURCE_DIR=<checkout> -P CheckFormat.cmake
#
# Fails when a tracked C++ file differs from what clang-format makes of it (.clang-format at the
# root); run by ctest as the test `clang_format`. Fix with `clang-format -i <file>`.
execute_process(COMMAND git ls-files -- *.h *.cpp
                WORKING_DIRECTORY ${SOURCE_DIR}
                OUTPUT_VARIABLE files RESULT_VARIABLE status ERROR_VARIABLE error)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "git ls-files failed in ${SOURCE_DIR} (${error}); the format check needs a "
                        "git checkout: configure with -DSCRIVLET_FORMAT_CHECK=OFF to leave it out")
endif()
string(REPLACE "\n" ";" files "${files}")
list(FILTER files EXCLUDE REGEX "^$")
if(NOT files)
    message(FATAL_ERROR "git ls-files found no C++ files in ${SOURCE_DIR}")
endif()
list(LENGTH files count)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files}
                WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "clang-format: files above differ from the style in .clang-format")
endif()
message(STATUS "clang-format: ${count} files match .clang-format")
