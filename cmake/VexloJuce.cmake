# The JUCE modules, compiled once into a plain static library that every target of the project links.
add_library(vexlo_juce STATIC)

target_link_libraries(vexlo_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_audio_basics
        juce::juce_audio_devices
    PUBLIC
        # Debian's JUCE adds libpng and libjpeg only to targets made by its juce_add_* functions.
        juce::pkgconfig_JUCE_IMG_LINUX_DEPS)

target_compile_definitions(vexlo_juce
    PUBLIC
        JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
        JUCE_STANDALONE_APPLICATION=1
        JUCE_DISPLAY_SPLASH_SCREEN=0
        JUCE_REPORT_APP_USAGE=0
        JUCE_WEB_BROWSER=0
        JUCE_USE_CURL=0
        JUCE_JACK=0
        # The tests pump the message loop with runDispatchLoopUntil, which JUCE offers only with modal
        # loops; the editor itself runs none.
        JUCE_MODAL_LOOPS_PERMITTED=1)

# Re-export the modules' definitions and include folders, so that every consumer sees exactly the
# JUCE configuration that the library was compiled with. The include folders are marked as system
# folders, which keeps JUCE's own headers out of our warnings.
target_compile_definitions(vexlo_juce INTERFACE $<TARGET_PROPERTY:vexlo_juce,COMPILE_DEFINITIONS>)
target_include_directories(vexlo_juce SYSTEM INTERFACE $<TARGET_PROPERTY:vexlo_juce,INCLUDE_DIRECTORIES>)
target_compile_features(vexlo_juce PUBLIC cxx_std_17)
