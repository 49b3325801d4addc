# Compile settings shared by every target of the tree, and the helpers that
# declare tests and fuzz targets the same way everywhere.

add_library(dotezmar_ayarlar INTERFACE)
target_compile_features(dotezmar_ayarlar INTERFACE cxx_std_20)
target_compile_options(dotezmar_ayarlar INTERFACE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wold-style-cast)
target_compile_definitions(dotezmar_ayarlar INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_USE_QSTRINGBUILDER
    QT_DISABLE_DEPRECATED_UP_TO=0x060400)
target_include_directories(dotezmar_ayarlar INTERFACE ${PROJECT_SOURCE_DIR})

if(DOTEZMAR_HATALARI_DURDUR)
    target_compile_options(dotezmar_ayarlar INTERFACE -Werror)
endif()

if(DOTEZMAR_SANITIZE)
    # Applied to the whole tree so that every object shares one runtime.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(DOTEZMAR_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "Fuzz targets need clang (libFuzzer): use the 'fuzz' preset")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# dotezmar_test(<name> SOURCES ... LIBS ... [LABELS ...] [GUI])
# One Qt Test executable per test class. GUI tests run on the offscreen platform.
function(dotezmar_test ad)
    if(NOT DOTEZMAR_TESTLER)
        return()
    endif()
    cmake_parse_arguments(T "GUI;SUNUCU" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${ad} ${T_SOURCES})
    target_link_libraries(${ad} PRIVATE dotezmar_ayarlar Qt6::Test ${T_LIBS})
    if(T_SUNUCU)
        # The test starts the real server program.
        target_compile_definitions(${ad} PRIVATE DOTEZMAR_SUNUCU_PROGRAMI="$<TARGET_FILE:dotezmar-sunucu>")
        add_dependencies(${ad} dotezmar-sunucu)
    endif()
    add_test(NAME ${ad} COMMAND ${ad})
    set(ortam "LC_ALL=C.UTF-8")
    if(T_GUI)
        list(APPEND ortam "QT_QPA_PLATFORM=offscreen")
    endif()
    set_tests_properties(${ad} PROPERTIES ENVIRONMENT "${ortam}" LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()

# dotezmar_fuzz(<name> SOURCES ... LIBS ... CORPUS <dir>)
# In a fuzz build (clang) the target is a libFuzzer binary that CTest runs for a
# bounded time on a copy of the seed corpus. In an ordinary build the same entry
# point is linked with a small driver that replays every seed file, so the seeds
# stay a regression test of the parser.
set(DOTEZMAR_FUZZ_SURESI 30 CACHE STRING "Seconds each fuzz target runs under CTest")
function(dotezmar_fuzz ad)
    cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
    add_executable(${ad} ${F_SOURCES})
    target_link_libraries(${ad} PRIVATE dotezmar_ayarlar ${F_LIBS})
    if(DOTEZMAR_FUZZ)
        target_link_options(${ad} PRIVATE -fsanitize=fuzzer)
        set(calisma ${CMAKE_CURRENT_BINARY_DIR}/${ad}-corpus)
        add_test(NAME ${ad}
            COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                    ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:${ad}> -DSEED=${F_CORPUS}
                    -DCALISMA=${calisma} -DSURE=${DOTEZMAR_FUZZ_SURESI}
                    -P ${PROJECT_SOURCE_DIR}/cmake/fuzz-calistir.cmake)
        set_tests_properties(${ad} PROPERTIES LABELS fuzz TIMEOUT 600)
        add_dependencies(dotezmar_fuzz_hepsi ${ad})
    else()
        target_sources(${ad} PRIVATE ${PROJECT_SOURCE_DIR}/tests/fuzz_tekrar.cpp)
        add_test(NAME ${ad} COMMAND ${ad} ${F_CORPUS})
        set_tests_properties(${ad} PROPERTIES LABELS fuzz-tohum TIMEOUT 300)
    endif()
endfunction()
