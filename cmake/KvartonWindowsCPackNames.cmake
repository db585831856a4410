# Read by CPack once per generator (CPACK_PROJECT_CONFIG_FILE): the file names of the Windows
# packages.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Kvarton-${CPACK_PACKAGE_VERSION}-win64-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "Kvarton-${CPACK_PACKAGE_VERSION}-win64-portable")
endif()
