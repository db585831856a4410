# The Debian package, made by `cpack -G DEB` (scripts/package) from the install rules; its
# copyright file, changelog and manual pages are installed by data/CMakeLists.txt.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvarton)
set(CPACK_PACKAGE_VENDOR "Команда Квартон")
set(CPACK_PACKAGE_CONTACT "${KVARTON_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Lines of the long description stay short, as Debian's tools expect. Its first line carries the
# Latin name: lintian compares the first line with the summary by their Latin letters and digits
# only, and two all-Cyrillic lines would count as the same.
set(CPACK_PACKAGE_DESCRIPTION [[
«Квартон» (Kvarton) — учебный программный модуль для руководителей и
экономистов дошкольных образовательных учреждений: расчет стоимости
ученико-часа, стимулирующих выплат, нормативов финансирования и
ориентировочной сметы по данным своего учреждения с сохранением отчета в
файл Excel.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories in the package get the usual modes whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KVARTON_MAINTAINER}")
# dpkg-shlibdeps finds the libraries; the Qt platform plugins are loaded at run time, so it
# cannot see them, and without them the program does not start.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# libxlsxwriter is loaded when the first workbook is written (src/report), so dpkg-shlibdeps does not
# see it either: its package by Debian's naming of libraries, libxlsxwriter.so.4 → libxlsxwriter4.
if(KVARTON_XLSXWRITER_SONAME MATCHES "^(.+)\\.so\\.([0-9]+)$")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
endif()

include(CPack)
