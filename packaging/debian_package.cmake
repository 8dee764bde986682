# The Debian package, made by CPack (tools/package.sh builds it).

# The package's version is the newest entry of the Debian changelog, so the
# two cannot disagree; its upstream part must be the project's version.
file(STRINGS packaging/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^fractions \\(([^)-]+)-([^)]+)\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: the first line names no version: ${changelog_head}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog starts at version ${CMAKE_MATCH_1}, the project "
                      "is at ${PROJECT_VERSION}: add a changelog entry for ${PROJECT_VERSION}")
endif()
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fractions)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Les auteurs de Fractions <fractions@example.org>")
set(CPACK_STRIP_FILES ON)
# Directories rwxr-xr-x whatever the umask of whoever builds the package.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# dpkg-shlibdeps finds the shared libraries; the Qt library packages carry
# the plug-ins the window needs (xcb, SVG, CUPS printing). What it cannot
# see: the Liberation fonts 1.07 the pictures are drawn with (their files,
# not just the family: 2.x draws other glyphs) and Qt's French translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation (>= 1:1.07), fonts-liberation (<< 1:2), qt6-translations-l10n")

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fraction worksheets and their answer keys for teachers")
# Read here rather than through CPACK_PACKAGE_DESCRIPTION_FILE, which CPack
# escapes for XML ("pupils&apos; subject"). CPack puts the summary first.
file(READ packaging/debian/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)

include(CPack)
