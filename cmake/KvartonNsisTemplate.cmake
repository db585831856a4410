# CMake's installer script asks for administrator rights and installs for all users when it
# gets them. Ours is the same script made per user: no elevation, the user's start menu and
# registry, $LOCALAPPDATA\Programs; and 64-bit like the program (this also lets it run under
# Wine without 32-bit support).
file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in" _nsis)
foreach(_edit
    "RequestExecutionLevel admin|RequestExecutionLevel user"
    "SetShellVarContext all|SetShellVarContext current"
    "HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall|HKCU \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
    "StrCpy $INSTDIR \"$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@\"|StrCpy $INSTDIR \"@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@\""
    "  !define VERSION |  Target amd64-unicode\n  !define VERSION ")
  string(REPLACE "|" ";" _edit "${_edit}")
  list(GET _edit 0 _from)
  list(GET _edit 1 _to)
  if(_from STREQUAL "")
    message(FATAL_ERROR "An empty edit of the NSIS template: ${_edit}")
  endif()
  string(FIND "${_nsis}" "${_from}" _at)
  if(_at EQUAL -1)
    message(FATAL_ERROR "CMake's NSIS template has changed: \"${_from}\" not found; review KvartonWindowsPackaging.cmake")
  endif()
  string(REPLACE "${_from}" "${_to}" _nsis "${_nsis}")
endforeach()
# CPack looks for NSIS.template.in in the folders of CPACK_MODULE_PATH before its own.
file(WRITE "${PROJECT_BINARY_DIR}/windows/nsis/NSIS.template.in" "${_nsis}")
set(CPACK_MODULE_PATH "${PROJECT_BINARY_DIR}/windows/nsis" ${CMAKE_MODULE_PATH})
