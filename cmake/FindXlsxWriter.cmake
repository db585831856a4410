# Finds libxlsxwriter and provides the imported target XlsxWriter::XlsxWriter.
#
# pkg-config, where present, supplies the search hints (Debian, Homebrew); otherwise the header
# and library are searched for directly (Windows with vcpkg: set CMAKE_PREFIX_PATH or use the
# vcpkg toolchain file). Sets XlsxWriter_FOUND, XlsxWriter_VERSION, XlsxWriter_INCLUDE_DIR and
# XlsxWriter_LIBRARY.

find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(PC_XlsxWriter QUIET xlsxwriter)
endif()

find_path(XlsxWriter_INCLUDE_DIR NAMES xlsxwriter.h HINTS ${PC_XlsxWriter_INCLUDE_DIRS})
find_library(XlsxWriter_LIBRARY NAMES xlsxwriter libxlsxwriter HINTS ${PC_XlsxWriter_LIBRARY_DIRS})

# The package's pkg-config version is not the library's; the header carries the real one.
if(XlsxWriter_INCLUDE_DIR AND EXISTS "${XlsxWriter_INCLUDE_DIR}/xlsxwriter.h")
  file(STRINGS "${XlsxWriter_INCLUDE_DIR}/xlsxwriter.h" _xlsxwriter_version_line
       REGEX "^#define LXW_VERSION \"[0-9.]+\"")
  string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" XlsxWriter_VERSION "${_xlsxwriter_version_line}")
  unset(_xlsxwriter_version_line)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(XlsxWriter
  REQUIRED_VARS XlsxWriter_LIBRARY XlsxWriter_INCLUDE_DIR
  VERSION_VAR XlsxWriter_VERSION)
mark_as_advanced(XlsxWriter_INCLUDE_DIR XlsxWriter_LIBRARY)

if(XlsxWriter_FOUND AND NOT TARGET XlsxWriter::XlsxWriter)
  # GLOBAL: a static library of ours that links it passes it on to targets in other directories.
  add_library(XlsxWriter::XlsxWriter UNKNOWN IMPORTED GLOBAL)
  set_target_properties(XlsxWriter::XlsxWriter PROPERTIES
    IMPORTED_LOCATION "${XlsxWriter_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${XlsxWriter_INCLUDE_DIR}")

  # A static libxlsxwriter needs zlib (and minizip, when built against the system one) at link
  # time; a shared one brings them itself. On Windows a .lib is static when no DLL sits beside it.
  get_filename_component(_xlsxwriter_dir "${XlsxWriter_LIBRARY}" DIRECTORY)
  set(_xlsxwriter_static FALSE)
  if(WIN32)
    if(NOT EXISTS "${_xlsxwriter_dir}/../bin/xlsxwriter.dll")
      set(_xlsxwriter_static TRUE)
    endif()
  elseif(XlsxWriter_LIBRARY MATCHES "\\${CMAKE_STATIC_LIBRARY_SUFFIX}$")
    set(_xlsxwriter_static TRUE)
  endif()
  if(_xlsxwriter_static)
    find_package(ZLIB QUIET)
    find_library(XlsxWriter_MINIZIP_LIBRARY NAMES minizip unofficial-minizip HINTS "${_xlsxwriter_dir}")
    mark_as_advanced(XlsxWriter_MINIZIP_LIBRARY)
    set(_xlsxwriter_deps "")
    if(XlsxWriter_MINIZIP_LIBRARY)
      list(APPEND _xlsxwriter_deps "${XlsxWriter_MINIZIP_LIBRARY}")
    endif()
    if(ZLIB_FOUND)
      list(APPEND _xlsxwriter_deps ${ZLIB_LIBRARIES})
    endif()
    set_property(TARGET XlsxWriter::XlsxWriter PROPERTY INTERFACE_LINK_LIBRARIES "${_xlsxwriter_deps}")
    unset(_xlsxwriter_deps)
  endif()
  unset(_xlsxwriter_static)
  unset(_xlsxwriter_dir)
endif()
