# cmake -DSRC=<assets/app> -DDST=<application folder> -P copy_app_files.cmake
#
# Copies the shipped files into an application folder. Active.col is the user's choice
# of scheme, written by the program, so it is only put there when it is missing.

if(NOT SRC OR NOT DST)
  message(FATAL_ERROR "copy_app_files.cmake needs -DSRC=... and -DDST=...")
endif()

file(MAKE_DIRECTORY ${DST})
file(COPY ${SRC}/ DESTINATION ${DST} PATTERN "Active.col" EXCLUDE)
if(NOT EXISTS ${DST}/ColorSchemes/Active.col)
  file(COPY ${SRC}/ColorSchemes/Active.col DESTINATION ${DST}/ColorSchemes)
endif()

# Every file in this folder is offered as a platform name, so it ships empty.
file(MAKE_DIRECTORY ${DST}/wikigameslists)
