# Build flags every target of ours links (PRIVATE), instead of options set for the whole tree:
#   Scrivlet::warnings    the compiler's warnings; errors with SCRIVLET_WERROR (CI) so none creep in
#   Scrivlet::sanitizers  AddressSanitizer and UndefinedBehaviorSanitizer with SCRIVLET_SANITIZE
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
