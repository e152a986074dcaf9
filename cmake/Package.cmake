# The package as a user puts it into the game: the configurator and the
# language files in cstrike/qor, the uninstaller in cstrike. The prefix is
# the Half-Life folder.
install(TARGETS config RUNTIME DESTINATION cstrike/qor)
install(TARGETS uninstaller RUNTIME DESTINATION cstrike)
if(KORVEL_BUNDLE_QT)
    include(${CMAKE_CURRENT_LIST_DIR}/BundleQt.cmake)
endif()

# The languages, German (the built-in texts) and English, each with the two
# game files it names. Read at install time, so language files added later
# need no new configure run.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/config/setup/languages/
    DESTINATION cstrike/qor
    OPTIONAL
    PATTERN "CMakeLists.txt" EXCLUDE)

# Beside the configurator, a short text in English and one in German: that it
# belongs to the script package, what the package must hold, which aliases to
# bind. Named after the program, so that the package's own texts in qor are
# never replaced. CRLF, and the German one UTF-8 with a BOM, which every
# Notepad reads as UTF-8.
install(FILES
    ${PROJECT_SOURCE_DIR}/docs/package/config-README.txt
    ${PROJECT_SOURCE_DIR}/docs/package/config-LIESMICH.txt
    DESTINATION cstrike/qor)

set(CPACK_PACKAGE_NAME "korvel-configurator")
set(CPACK_PACKAGE_VENDOR "Korvel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator and uninstaller of the Korvel script package for Counter-Strike")
if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR TGZ)
endif()
# Unpacked into the Half-Life folder, the archive lands in cstrike/ directly.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
