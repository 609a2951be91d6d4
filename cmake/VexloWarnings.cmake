# Warnings for the project's own code; JUCE and generated sources are left as they come.
function(vexlo_enable_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
