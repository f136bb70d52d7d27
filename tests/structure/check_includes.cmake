# Dependencies run one way: platform/ <- core/ <- feature folders <- programs. Fails when a file
# of core/ or platform/ (its Qt layer included) includes a header of a feature folder or of the
# program assembly. Run with -DSOURCE_DIR=<tree>.
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(upper_folders catalog_editing roms reference web main_window schemes demo_folder program app)
list(JOIN upper_folders "|" alternatives)
file(GLOB_RECURSE sources ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/core/*.cpp
     ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
set(offences "")
foreach(source IN LISTS sources)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${alternatives})/")
  foreach(line IN LISTS includes)
    file(RELATIVE_PATH relative ${SOURCE_DIR} ${source})
    string(STRIP "${line}" line)
    string(APPEND offences "\n  ${relative}: ${line}")
  endforeach()
endforeach()
list(LENGTH sources checked)
if(offences)
  message(FATAL_ERROR "Lower layers include upper ones:${offences}")
endif()
message(STATUS "${checked} files of core/ and platform/ include no feature folder")
