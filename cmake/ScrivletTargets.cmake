# Interface targets every target of ours links (PRIVATE), instead of options set for the whole tree:
#   Scrivlet::warnings    the compiler's warnings; errors with SCRIVLET_WERROR (CI) so none creep in
#   Scrivlet::sanitizers  AddressSanitizer and UndefinedBehaviorSanitizer with SCRIVLET_SANITIZE,
#                         libFuzzer coverage with SCRIVLET_FUZZ
#   Scrivlet::dl          the system's dlopen library (none on Windows)
# After them, every link item must be a target: a misspelt name stops the configure instead of
# being passed on to the linker as -l<name>.
add_library(scrivlet_warnings INTERFACE)
add_library(Scrivlet::warnings ALIAS scrivlet_warnings)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(scrivlet_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
        -Woverloaded-virtual -Wconversion -Wsign-conversion -Wno-error=deprecated-declarations
        $<$<BOOL:${SCRIVLET_WERROR}>:-Werror>)
elseif(MSVC)
    target_compile_options(scrivlet_warnings INTERFACE /W4 $<$<BOOL:${SCRIVLET_WERROR}>:/WX>)
else()
    message(FATAL_ERROR "No warning flags known for the compiler ${CMAKE_CXX_COMPILER_ID}")
endif()

add_library(scrivlet_sanitizers INTERFACE)
add_library(Scrivlet::sanitizers ALIAS scrivlet_sanitizers)
if(SCRIVLET_SANITIZE)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        message(FATAL_ERROR "SCRIVLET_SANITIZE needs GCC or Clang")
    endif()
    target_compile_options(scrivlet_sanitizers INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(scrivlet_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
if(SCRIVLET_FUZZ)
    # Coverage feedback for libFuzzer in every piece the fuzz target links; only the target itself
    # links libFuzzer's main.
    target_compile_options(scrivlet_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

add_library(scrivlet_dl INTERFACE)
add_library(Scrivlet::dl ALIAS scrivlet_dl)
target_link_libraries(scrivlet_dl INTERFACE ${CMAKE_DL_LIBS})
if(WIN32)
    add_library(scrivlet_user32 INTERFACE)
    add_library(Scrivlet::user32 ALIAS scrivlet_user32)
    target_link_libraries(scrivlet_user32 INTERFACE user32)
endif()

set(CMAKE_LINK_LIBRARIES_ONLY_TARGETS ON)
