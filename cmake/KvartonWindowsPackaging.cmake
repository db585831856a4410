# The program's Windows resources, and the Windows packages that scripts/package-windows makes
# with `cpack`: an installer that installs per user without administrator rights, and a portable
# zip. Both hold one folder: kvarton.exe with its icon and version information, its console twin
# kvarton.com (src/app/console_main.cpp), every DLL they need (stripped), the Qt plugins the
# program loads, the licence texts of everything bundled and the example of the course's settings
# file.
set(KVARTON_VENDOR "Команда Квартон")
set(KVARTON_DISPLAY_NAME "Квартон")

enable_language(RC)

# The icon and version information inside kvarton.exe and its console twin kvarton.com.
set(KVARTON_ICO "${PROJECT_SOURCE_DIR}/data/icons/kvarton.ico")
foreach(_program kvarton kvarton_console)
  get_target_property(_suffix ${_program} SUFFIX)
  if(NOT _suffix)
    set(_suffix "${CMAKE_EXECUTABLE_SUFFIX}")
  endif()
  set(KVARTON_RC_FILE_NAME "kvarton${_suffix}")
  configure_file("${PROJECT_SOURCE_DIR}/data/windows/kvarton.rc.in" "${PROJECT_BINARY_DIR}/windows/${_program}.rc" @ONLY)
  target_sources(${_program} PRIVATE "${PROJECT_BINARY_DIR}/windows/${_program}.rc")
endforeach()

# The packages come from the MinGW cross build on Debian; a build on Windows itself deploys with
# windeployqt (README).
if(NOT (MINGW AND CMAKE_CROSSCOMPILING))
  return()
endif()

# Where the prefix of the cross-built libraries is: Qt's own prefix, found through Qt6Core.
find_package(Qt6 REQUIRED COMPONENTS Core)
get_target_property(_kvarton_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT _kvarton_qtcore_dll)
  get_target_property(_kvarton_qtcore_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(KVARTON_WINDOWS_PREFIX "${_kvarton_qtcore_dll}/../.." ABSOLUTE)

# DLLs are looked for in Qt's and the libraries' bin folder and beside the MinGW runtime.
set(KVARTON_DLL_FOLDERS "${KVARTON_WINDOWS_PREFIX}/bin")
foreach(_runtime libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${_runtime}
                  OUTPUT_VARIABLE _runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${_runtime_path}")
    message(FATAL_ERROR "The MinGW runtime ${_runtime} was not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  get_filename_component(_runtime_dir "${_runtime_path}" DIRECTORY)
  list(APPEND KVARTON_DLL_FOLDERS "${_runtime_dir}")
endforeach()
list(REMOVE_DUPLICATES KVARTON_DLL_FOLDERS)

# The Qt plugins the program loads: the Windows platform, the offscreen one (tests, and a start
# without a screen) and the native look.
set(KVARTON_QT_PLUGINS platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)

install(CODE "
  set(KVARTON_PROGRAMS \"\${CMAKE_INSTALL_PREFIX}/kvarton.exe;\${CMAKE_INSTALL_PREFIX}/kvarton.com\")
  set(KVARTON_QT_PLUGIN_DIR \"${KVARTON_WINDOWS_PREFIX}/plugins\")
  set(KVARTON_QT_PLUGINS \"${KVARTON_QT_PLUGINS}\")
  set(KVARTON_DLL_FOLDERS \"${KVARTON_DLL_FOLDERS}\")
  set(KVARTON_OBJDUMP \"${CMAKE_OBJDUMP}\")
  set(KVARTON_STRIP \"${CMAKE_STRIP}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/KvartonWindowsRuntime.cmake\")
")

# Licence texts: the program's own, the cross-built libraries' (collected by the dependency
# build) and the MinGW runtime's.
if(EXISTS "${PROJECT_SOURCE_DIR}/LICENSE")
  install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION licenses/kvarton)
endif()
foreach(_bundled qtbase libxlsxwriter zlib minizip pugixml nlohmann-json)
  install(DIRECTORY "${KVARTON_WINDOWS_PREFIX}/share/licenses/${_bundled}" DESTINATION licenses)
endforeach()
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION licenses/gcc-runtime)
install(FILES /usr/share/common-licenses/GPL-3 DESTINATION licenses/gcc-runtime)
install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION licenses/mingw-w64-winpthreads)
# The teacher's example of the course's settings, beside the program where a copy on a stick
# reads kvarton.ini; under its own name, since as kvarton.ini it would set its sample addresses.
install(FILES "${PROJECT_SOURCE_DIR}/data/kvarton.ini.example" DESTINATION .)

# --- CPack -----------------------------------------------------------------------------------
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Kvarton)
set(CPACK_PACKAGE_VENDOR "${KVARTON_VENDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kvarton)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kvarton)
set(CPACK_PACKAGE_EXECUTABLES kvarton "${KVARTON_DISPLAY_NAME}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/KvartonWindowsCPackNames.cmake")

set(CPACK_NSIS_PACKAGE_NAME "${KVARTON_DISPLAY_NAME}")
set(CPACK_NSIS_DISPLAY_NAME "${KVARTON_DISPLAY_NAME}")
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME kvarton.exe)
set(CPACK_NSIS_MUI_ICON "${KVARTON_ICO}")
set(CPACK_NSIS_MUI_UNIICON "${KVARTON_ICO}")
set(CPACK_NSIS_MUI_FINISHPAGE_RUN kvarton.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_URL_INFO_ABOUT "")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)

include(KvartonNsisTemplate)

include(CPack)
