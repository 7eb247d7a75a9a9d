# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared settings for every target of our own: warnings, sanitizers, the fuzzing instrumentation.

if(VELMORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(VELMORA_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

function(velmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VELMORA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_compile_definitions(${target} PRIVATE QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
endfunction()

# Product code spells every text out as UTF-16 literals: no silent conversions from char*.
function(velmora_product_target target)
    velmora_warnings(${target})
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# velmora_platform_source(<target> <name>): the Windows or the POSIX part of a pair,
# <name>_win.cpp or <name>_posix.cpp, so that no shared source needs an #ifdef.
function(velmora_platform_source target name)
    if(WIN32)
        target_sources(${target} PRIVATE ${name}_win.cpp)
    else()
        target_sources(${target} PRIVATE ${name}_posix.cpp)
    endif()
endfunction()

# velmora_add_test(NAME <name> SOURCES <files...> LIBRARIES <targets...> [WIDGETS])
# Widget tests run on Qt's offscreen platform so that they need no display.
function(velmora_add_test)
    cmake_parse_arguments(ARG "WIDGETS" "NAME" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES})
    velmora_warnings(${ARG_NAME})
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    if(ARG_WIDGETS)
        set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()
