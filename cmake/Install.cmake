# Install layout and the Debian package.
#
# The installed program finds its data in ../share/solvane beside its executable (see
# platform/Paths.cpp), so the program and its data go to bin/ and share/ under one prefix.

set(SOLVANE_DATA_SOURCE ${CMAKE_SOURCE_DIR}/data)
set(SOLVANE_DATA_BUILD ${CMAKE_BINARY_DIR}/data)
set(SOLVANE_ICON_SIZES 16 22 24 32 48 64 128 256)

# The hardening Debian gives the programs it packages (dpkg-buildflags with hardening=+all),
# for the optimised builds that get installed. The sanitizer build keeps its own instruments.
if(NOT SOLVANE_SANITIZE AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    foreach(target IN ITEMS solvane_platform_core solvane_platform solvane_playlist_core
                            solvane_player solvane_skin solvane_playlist solvane_video solvane_app
                            solvane)
        target_compile_options(${target} PRIVATE -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2
            -fstack-protector-strong -fstack-clash-protection -fcf-protection)
    endforeach()
    target_link_options(solvane PRIVATE -Wl,-z,relro -Wl,-z,now)
endif()

install(TARGETS solvane RUNTIME DESTINATION bin)
# A stripped install (the package's) also drops the compiler's notes, as Debian's own tools do.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/solvane\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
install(FILES ${CMAKE_SOURCE_DIR}/default.ini DESTINATION share/solvane)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/skins/ DESTINATION share/solvane/skins)

install(FILES ${SOLVANE_DATA_SOURCE}/solvane.desktop DESTINATION share/applications)
foreach(size IN LISTS SOLVANE_ICON_SIZES)
    install(FILES ${SOLVANE_DATA_SOURCE}/icons/${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME solvane.png)
endforeach()
install(FILES ${SOLVANE_DATA_SOURCE}/solvane-mime.xml DESTINATION share/mime/packages
        RENAME solvane.xml)
install(FILES ${SOLVANE_DATA_SOURCE}/io.github.solvane.Solvane.metainfo.xml
        DESTINATION share/metainfo)

# The manual page carries the version; it and the package changelog are stored compressed,
# without a time stamp, as Debian wants them.
configure_file(${SOLVANE_DATA_SOURCE}/solvane.1.in ${SOLVANE_DATA_BUILD}/solvane.1 @ONLY)
add_custom_command(
    OUTPUT ${SOLVANE_DATA_BUILD}/solvane.1.gz ${SOLVANE_DATA_BUILD}/changelog.gz
    COMMAND gzip -9nc ${SOLVANE_DATA_BUILD}/solvane.1 > ${SOLVANE_DATA_BUILD}/solvane.1.gz
    COMMAND gzip -9nc ${SOLVANE_DATA_SOURCE}/changelog > ${SOLVANE_DATA_BUILD}/changelog.gz
    DEPENDS ${SOLVANE_DATA_BUILD}/solvane.1 ${SOLVANE_DATA_SOURCE}/changelog
    VERBATIM)
add_custom_target(solvane_compressed_docs ALL
    DEPENDS ${SOLVANE_DATA_BUILD}/solvane.1.gz ${SOLVANE_DATA_BUILD}/changelog.gz)
install(FILES ${SOLVANE_DATA_BUILD}/solvane.1.gz DESTINATION share/man/man1)
install(FILES ${SOLVANE_DATA_SOURCE}/copyright ${SOLVANE_DATA_BUILD}/changelog.gz
        DESTINATION share/doc/solvane)
install(FILES ${SOLVANE_DATA_SOURCE}/solvane.lintian-overrides
        DESTINATION share/lintian/overrides RENAME solvane)

# `make package`: build/solvane_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME solvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Solvane developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small media player that wears skins")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME solvane)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(SOLVANE_MAINTAINER "Solvane maintainers <maintainers@users.noreply.c-seed-4ce70267.example>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SOLVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the program links come from dpkg-shlibdeps; libmpv and libavformat are opened at run
# time, so their packages are named by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libmpv2, libavformat59")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is the first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Solvane plays audio and video files (MP3, FLAC, Ogg, Opus, M4A, WAV,
WMA, MKV, MP4, WebM, AVI, MPEG, WMV and more) through libmpv in a small
player window drawn entirely from a skin: every button, slider, digit and
the window's outline are cut from the skin's bitmaps. Video shows in a
window docked beside the player, and a playlist window docked below it
adds files and whole folders with their subfolders, loads M3U and PLS
lists, and saves the list as a playlist file. Two skins are shipped;
others can be put on while it plays.")
include(CPack)
