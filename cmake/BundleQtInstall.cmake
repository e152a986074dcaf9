# Run at install time by BundleQt.cmake: copies the libraries the programs and
# plugins need into KORVEL_BUNDLE_DESTINATION, and the plugins below it in
# plugins/<type>, each with a run path that finds the others there.
#
# Taken from the system instead: the C and C++ runtimes and the X, GL and
# font libraries that every desktop has, with all they need themselves on this
# machine, so that no library is there twice in two versions.
cmake_policy(VERSION 3.25)

set(system_libraries
    ld-linux-x86-64 libc libm libdl libpthread librt libstdc\\+\\+ libgcc_s
    libX11 libX11-xcb libxcb libXau libXdmcp libXext libXrender
    libGL libEGL libGLX libOpenGL libGLdispatch
    libfontconfig libfreetype)
list(JOIN system_libraries "|" system_pattern)
set(system_pattern "^(${system_pattern})\\.so")

set(plugin_files)
foreach(entry IN LISTS KORVEL_BUNDLE_PLUGINS)
    string(REGEX REPLACE "=.*" "" type "${entry}")
    string(REGEX REPLACE "^[^=]*=" "" file "${entry}")
    list(APPEND plugin_files "${file}")
    set(plugin_type_${file} "${type}")
endforeach()

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${KORVEL_BUNDLE_PROGRAMS}
    MODULES ${plugin_files}
    RESOLVED_DEPENDENCIES_VAR needed
    UNRESOLVED_DEPENDENCIES_VAR missing)
if(missing)
    message(FATAL_ERROR "Libraries of the programs not found on this machine: ${missing}")
endif()

set(system_roots)
foreach(library IN LISTS needed)
    get_filename_component(name "${library}" NAME)
    if(name MATCHES "${system_pattern}")
        list(APPEND system_roots "${library}")
    endif()
endforeach()
file(GET_RUNTIME_DEPENDENCIES
    LIBRARIES ${system_roots}
    RESOLVED_DEPENDENCIES_VAR system_needed)
set(system_names)
foreach(library IN LISTS system_roots system_needed)
    get_filename_component(name "${library}" NAME)
    list(APPEND system_names "${name}")
endforeach()

function(korvel_bundle_copy source destination runpath)
    message(STATUS "Installing: ${destination}")
    get_filename_component(folder "${destination}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${source}" "${destination}")
    execute_process(COMMAND "${KORVEL_PATCHELF}" --set-rpath "${runpath}" "${destination}" COMMAND_ERROR_IS_FATAL ANY)
endfunction()

set(bundled_names)
foreach(library IN LISTS needed)
    get_filename_component(name "${library}" NAME)
    if(name IN_LIST system_names OR name IN_LIST bundled_names)
        continue()
    endif()
    list(APPEND bundled_names "${name}")
    # Under the name the programs ask for, the file itself, not a link.
    korvel_bundle_copy("${library}" "${KORVEL_BUNDLE_DESTINATION}/${name}" "$ORIGIN")
endforeach()
foreach(file IN LISTS plugin_files)
    get_filename_component(name "${file}" NAME)
    korvel_bundle_copy("${file}" "${KORVEL_BUNDLE_DESTINATION}/plugins/${plugin_type_${file}}/${name}" "$ORIGIN/../..")
endforeach()
