# Qt beside the programs, for Linux systems without Qt 6.4 or with none: the
# Qt libraries and whatever they need that a desktop does not have go into
# cstrike/qor/lib, the X11 platform plugin and the input methods into
# cstrike/qor/lib/plugins. The uninstaller deletes only files directly in qor
# and qor/sub, so lib outlives it and a second run still starts.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
    message(FATAL_ERROR "KORVEL_BUNDLE_QT is for Linux builds only")
endif()
find_program(KORVEL_PATCHELF patchelf REQUIRED)

set_target_properties(config PROPERTIES INSTALL_RPATH "$ORIGIN/lib")
set_target_properties(uninstaller PROPERTIES INSTALL_RPATH "$ORIGIN/qor/lib")

# Each program finds its plugins only in the bundle, never in a system Qt's
# plugin folder, whose plugins would not fit our Qt. A relative prefix in a
# qt.conf built into the program counts from the program's folder.
function(korvel_bundled_qt_conf target prefix)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/qtconf-${target})
    file(WRITE ${folder}/qt.conf "[Paths]\nPrefix = ${prefix}\nPlugins = plugins\n")
    qt_add_resources(${target} qtconf_${target} PREFIX /qt/etc BASE ${folder} FILES ${folder}/qt.conf)
endfunction()
korvel_bundled_qt_conf(config lib)
korvel_bundled_qt_conf(uninstaller qor/lib)

# Dead keys and compose sequences (umlauts), and IBus for those who type through it.
# Debian's Qt finds no plugin packages by itself: each is looked up beside Gui.
set(plugin_files)
foreach(plugin QXcbIntegrationPlugin QComposePlatformInputContextPlugin QIbusPlatformInputContextPlugin)
    find_package(Qt6${plugin} CONFIG REQUIRED PATHS ${Qt6Gui_DIR} NO_DEFAULT_PATH)
    get_target_property(type Qt6::${plugin} QT_PLUGIN_TYPE)
    list(APPEND plugin_files "${type}=$<TARGET_FILE:Qt6::${plugin}>")
endforeach()

install(CODE "
    set(KORVEL_BUNDLE_PROGRAMS \"$<TARGET_FILE:config>;$<TARGET_FILE:uninstaller>\")
    set(KORVEL_BUNDLE_PLUGINS \"${plugin_files}\")
    set(KORVEL_BUNDLE_DESTINATION \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/cstrike/qor/lib\")
    set(KORVEL_PATCHELF \"${KORVEL_PATCHELF}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/BundleQtInstall.cmake\")
")
# The programs in the archive carry no symbols.
set(CPACK_STRIP_FILES ON)
