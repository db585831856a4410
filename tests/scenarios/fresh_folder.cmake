# cmake -DFOLDER=PATH -DSEEDS=PATH -P fresh_folder.cmake: empties FOLDER, then copies into it the
# files of SEEDS when that folder exists.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
if(IS_DIRECTORY "${SEEDS}")
  file(COPY "${SEEDS}/" DESTINATION "${FOLDER}")
endif()
