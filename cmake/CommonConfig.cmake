# Compiler settings every target of the project links.
add_library(zorvin_common INTERFACE)
target_compile_options(zorvin_common INTERFACE
    -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Wshadow=local)
target_compile_definitions(zorvin_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)
if(ZORVIN_WERROR)
    target_compile_options(zorvin_common INTERFACE -Werror)
    target_compile_definitions(zorvin_common INTERFACE _GLIBCXX_ASSERTIONS)
endif()
if(ZORVIN_SANITIZE)
    target_compile_options(zorvin_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(zorvin_common INTERFACE -fsanitize=address,undefined)
endif()
