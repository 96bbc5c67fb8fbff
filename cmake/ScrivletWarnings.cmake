# Warnings for every target of ours; errors in CI so that none creep in.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
                    -Wno-error=deprecated-declarations)
if(SCRIVLET_WERROR)
    add_compile_options(-Werror)
endif()
if(SCRIVLET_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
