# cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DDEF=<names.def> -DOBJECTS=<objs> -DDLL_NAME=<x.dll>
#       -DIMPORT_LIBRARY=<libx.dll.a> -DWORK_DIR=<dir> -P MinGWImportLibrary.cmake
#
# 32-bit Windows: the DLL exports its __stdcall functions under plain names (WriteComments), but a
# caller compiled against the header asks its import library for the decorated _WriteComments@12.
# The import library the linker writes with --kill-at has the plain names only, so this one is
# written instead: decorated symbols, each bound to the plain name in the DLL.
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${DEF} _lines)
set(_names "")
set(_in_exports FALSE)
foreach(_line ${_lines})
    string(STRIP "${_line}" _line)
    if(_line STREQUAL "EXPORTS")
        set(_in_exports TRUE)
    elseif(_in_exports AND _line MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
        list(APPEND _names ${_line})
    endif()
endforeach()
if(NOT _names)
    message(FATAL_ERROR "${DEF}: no EXPORTS found")
endif()

execute_process(COMMAND ${NM} -g --defined-only ${OBJECTS} OUTPUT_VARIABLE _symbols RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${OBJECTS}")
endif()
set(_def "LIBRARY ${DLL_NAME}\nEXPORTS\n")
foreach(_name ${_names})
    if(NOT _symbols MATCHES " T _${_name}@([0-9]+)\n")
        message(FATAL_ERROR "${_name} from ${DEF} is not a __stdcall function of ${OBJECTS}")
    endif()
    string(APPEND _def "    ${_name}@${CMAKE_MATCH_1}\n")
endforeach()
file(WRITE ${WORK_DIR}/decorated.def "${_def}")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${WORK_DIR}/decorated.def --dllname ${DLL_NAME}
                        --output-lib ${IMPORT_LIBRARY}
                RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} could not write ${IMPORT_LIBRARY}")
endif()
