# Read by CPack once per generator (CPACK_PROJECT_CONFIG_FILE): the file names of the Windows
# packages, and the files only the portable copy carries.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Kvarton-${CPACK_PACKAGE_VERSION}-win64-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "Kvarton-${CPACK_PACKAGE_VERSION}-win64-portable")
  # The settings beside the program travel with a copy on a stick. The installer leaves them
  # out: an update would overwrite a teacher's edited file, and the per-user place serves there.
  set(CPACK_INSTALLED_DIRECTORIES "${CPACK_KVARTON_PORTABLE_EXTRAS}" .)
endif()
