# Finds minizip (the zip reader of zlib's contributions) and provides the imported target
# Minizip::Minizip. pkg-config, where present, supplies the search hints (Debian: libminizip-dev);
# otherwise the header and library are searched for directly (a cross build: set
# CMAKE_PREFIX_PATH). Sets Minizip_FOUND, Minizip_INCLUDE_DIR and Minizip_LIBRARY.
#
# The include folder is the one holding unzip.h itself (Debian's /usr/include/minizip), as
# minizip's own pkg-config file gives it: the code includes <unzip.h> and <ioapi.h>.

find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(PC_Minizip QUIET minizip)
endif()

find_path(Minizip_INCLUDE_DIR NAMES unzip.h HINTS ${PC_Minizip_INCLUDE_DIRS} PATH_SUFFIXES minizip)
find_library(Minizip_LIBRARY NAMES minizip libminizip HINTS ${PC_Minizip_LIBRARY_DIRS})

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Minizip REQUIRED_VARS Minizip_LIBRARY Minizip_INCLUDE_DIR)
mark_as_advanced(Minizip_INCLUDE_DIR Minizip_LIBRARY)

if(Minizip_FOUND AND NOT TARGET Minizip::Minizip)
  # minizip unpacks with zlib; a static minizip needs it at link time, a shared one brings it.
  find_package(ZLIB REQUIRED)
  # GLOBAL: a static library of ours that links it passes it on to targets in other directories.
  add_library(Minizip::Minizip UNKNOWN IMPORTED GLOBAL)
  set_target_properties(Minizip::Minizip PROPERTIES
    IMPORTED_LOCATION "${Minizip_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${Minizip_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
endif()
