cmake_minimum_required(VERSION 3.25)
# cmake -DOBJDUMP=<objdump> -DDLL=<file.dll> -P CheckWindowsDll.cmake
#
# Fails unless every DLL the file imports is one that each Windows installation has: the GCC and
# C++ runtimes must be linked in, so that the file works when copied beside any program.
set(_system_dlls kernel32.dll user32.dll msvcrt.dll advapi32.dll gdi32.dll shell32.dll ole32.dll
                 ntdll.dll ws2_32.dll bcrypt.dll)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE _dump RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed (${_status})")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" _lines "${_dump}")
if(NOT _lines)
    message(FATAL_ERROR "${DLL}: no imports found; is it a Windows DLL?")
endif()
set(_foreign "")
foreach(_line ${_lines})
    string(REGEX REPLACE "DLL Name: ([^\r]+)" "\\1" _name "${_line}")
    string(STRIP "${_name}" _name)
    string(TOLOWER "${_name}" _lower)
    message(STATUS "imports ${_name}")
    if(NOT _lower IN_LIST _system_dlls)
        list(APPEND _foreign ${_name})
    endif()
endforeach()
if(_foreign)
    message(FATAL_ERROR "${DLL} needs DLLs that Windows does not bring: ${_foreign}")
endif()
