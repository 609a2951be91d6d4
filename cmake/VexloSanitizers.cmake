# Sanitizers apply to every target, JUCE included, so that instrumented and plain code never mix.
if(VEXLO_SANITIZE)
    add_compile_options(-fsanitize=${VEXLO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${VEXLO_SANITIZE})
endif()

# Fuzz builds instrument everything for coverage; only the fuzz targets link the libFuzzer driver.
if(VEXLO_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VEXLO_BUILD_FUZZ needs clang")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
