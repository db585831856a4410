# Run at install time on Windows (see KvartonWindowsPackaging.cmake), as windeployqt would on
# Windows: copies the Qt plugins the program loads, then every DLL that the programs, the plugins
# and the copied DLLs import, read from their import tables with objdump, from the folders where
# the cross-built libraries and the MinGW runtime live. A DLL found in none of them is Windows' own
# (kernel32, user32, msvcrt…). Copies are stripped.
# In: KVARTON_PROGRAMS, KVARTON_QT_PLUGIN_DIR, KVARTON_QT_PLUGINS, KVARTON_DLL_FOLDERS,
#     KVARTON_OBJDUMP, KVARTON_STRIP.
set(_destination "${CMAKE_INSTALL_PREFIX}")

function(_kvarton_copy_stripped file into)
  file(INSTALL "${file}" DESTINATION "${into}")
  get_filename_component(_name "${file}" NAME)
  execute_process(COMMAND "${KVARTON_STRIP}" --strip-unneeded "${into}/${_name}" RESULT_VARIABLE _failed)
  if(_failed)
    message(FATAL_ERROR "${KVARTON_STRIP} failed on ${into}/${_name}")
  endif()
endfunction()

set(_queue ${KVARTON_PROGRAMS})
foreach(_plugin IN LISTS KVARTON_QT_PLUGINS)
  get_filename_component(_folder "${_plugin}" DIRECTORY)
  if(NOT EXISTS "${KVARTON_QT_PLUGIN_DIR}/${_plugin}")
    message(FATAL_ERROR "The Qt plugin ${_plugin} is missing from ${KVARTON_QT_PLUGIN_DIR}")
  endif()
  _kvarton_copy_stripped("${KVARTON_QT_PLUGIN_DIR}/${_plugin}" "${_destination}/${_folder}")
  list(APPEND _queue "${_destination}/${_plugin}")
endforeach()

set(_seen "")
while(_queue)
  list(POP_FRONT _queue _binary)
  execute_process(COMMAND "${KVARTON_OBJDUMP}" -p "${_binary}" OUTPUT_VARIABLE _dump RESULT_VARIABLE _failed)
  if(_failed)
    message(FATAL_ERROR "${KVARTON_OBJDUMP} cannot read ${_binary}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" _imports "${_dump}")
  foreach(_import IN LISTS _imports)
    string(REPLACE "DLL Name: " "" _dll "${_import}")
    string(STRIP "${_dll}" _dll)
    string(TOLOWER "${_dll}" _key)
    list(FIND _seen "${_key}" _at) # not IN_LIST: install scripts run with old policies
    if(NOT _at EQUAL -1)
      continue()
    endif()
    list(APPEND _seen "${_key}")
    foreach(_folder IN LISTS KVARTON_DLL_FOLDERS)
      if(EXISTS "${_folder}/${_dll}")
        _kvarton_copy_stripped("${_folder}/${_dll}" "${_destination}")
        list(APPEND _queue "${_destination}/${_dll}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()
