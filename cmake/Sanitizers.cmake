# Compiler flags of the checked builds. Every target, tests included, gets
# them, so a finding anywhere ends the run that hit it.
set(KORVEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(KORVEL_SANITIZE OR KORVEL_FUZZ)
    if(MSVC)
        message(FATAL_ERROR "KORVEL_SANITIZE and KORVEL_FUZZ need GCC or Clang")
    endif()
endif()

if(KORVEL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KORVEL_FUZZ needs clang++ (libFuzzer): configure with CXX=clang++")
    endif()
    # The libraries are instrumented for coverage; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link ${KORVEL_SANITIZER_FLAGS})
    add_link_options(${KORVEL_SANITIZER_FLAGS})
elseif(KORVEL_SANITIZE)
    add_compile_options(${KORVEL_SANITIZER_FLAGS})
    add_link_options(${KORVEL_SANITIZER_FLAGS})
endif()
