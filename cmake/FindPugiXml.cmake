# Finds pugixml and provides the imported target PugiXml::PugiXml. pkg-config, where present,
# supplies the search hints (Debian: libpugixml-dev); otherwise the header and library are
# searched for directly (a cross build: set CMAKE_PREFIX_PATH). Sets PugiXml_FOUND,
# PugiXml_INCLUDE_DIR and PugiXml_LIBRARY.

find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(PC_PugiXml QUIET pugixml)
endif()

find_path(PugiXml_INCLUDE_DIR NAMES pugixml.hpp HINTS ${PC_PugiXml_INCLUDE_DIRS})
find_library(PugiXml_LIBRARY NAMES pugixml libpugixml HINTS ${PC_PugiXml_LIBRARY_DIRS})

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(PugiXml REQUIRED_VARS PugiXml_LIBRARY PugiXml_INCLUDE_DIR)
mark_as_advanced(PugiXml_INCLUDE_DIR PugiXml_LIBRARY)

if(PugiXml_FOUND AND NOT TARGET PugiXml::PugiXml)
  # GLOBAL: a static library of ours that links it passes it on to targets in other directories.
  add_library(PugiXml::PugiXml UNKNOWN IMPORTED GLOBAL)
  set_target_properties(PugiXml::PugiXml PROPERTIES
    IMPORTED_LOCATION "${PugiXml_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${PugiXml_INCLUDE_DIR}")
endif()
