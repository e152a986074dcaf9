# The icon and version information a Windows program carries, as Explorer
# shows them. The version is the project's.
function(korvel_windows_resources target)
    cmake_parse_arguments(ARG "" "ICON;DESCRIPTION" "" ${ARGN})
    if(NOT WIN32)
        return()
    endif()
    set(KORVEL_RC_ICON "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_ICON}")
    set(KORVEL_RC_DESCRIPTION "${ARG_DESCRIPTION}")
    set(KORVEL_RC_NAME "${target}")
    set(KORVEL_RC_FILE "${target}${CMAKE_EXECUTABLE_SUFFIX}")
    configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    # windres reads no dependency of the icon by itself.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES OBJECT_DEPENDS "${KORVEL_RC_ICON}")
endfunction()
