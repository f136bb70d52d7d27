# cmake -DSRC=<assets/app> -DDEMO_SRC=<assets/demo> -DDST=<demo folder>
#       -DEMULATOR=<file name of the stand-in emulator> -P make_demo.cmake
#
# Adds the sample data to a demo application folder that already holds the shipped files:
# reference lists, sample ROM folders, an extension list that knows the sample platforms,
# and a sample catalog. The catalog is written only when missing, so what a user changes
# in the demo survives a rebuild.

foreach(var SRC DEMO_SRC DST EMULATOR)
  if(NOT ${var})
    message(FATAL_ERROR "make_demo.cmake needs -D${var}=...")
  endif()
endforeach()

file(COPY ${DEMO_SRC}/wikigameslists/ DESTINATION ${DST}/wikigameslists)
file(COPY ${DEMO_SRC}/roms/ DESTINATION ${DST}/roms)

set(crlf "\r\n")

# The sample platforms' extensions first, then the shipped list (file(READ) would drop
# the CRs, so the lines are read one by one and the ends written back).
file(STRINGS ${SRC}/Ext.txt shipped_ext)
set(demo_ext "")
foreach(ext IN ITEMS .st8 .cdk .n16 ${shipped_ext})
  string(APPEND demo_ext "${ext}${crlf}")
endforeach()
file(WRITE ${DST}/Ext.txt.new "${demo_ext}")
file(COPY_FILE ${DST}/Ext.txt.new ${DST}/Ext.txt ONLY_IF_DIFFERENT)
file(REMOVE ${DST}/Ext.txt.new)

if(EXISTS ${DST}/DATA.txt)
  return()
endif()

if(CMAKE_HOST_WIN32)
  set(sep "\\")
else()
  set(sep "/")
endif()
file(TO_NATIVE_PATH "${DST}" native_dst)
set(roms "${native_dst}${sep}roms${sep}")
set(emulator "${native_dst}${sep}${EMULATOR}")

set(lines
  "[Manufacturer]Orbital Toys" "" ""
  "[Platform]Starlight 8"
  "[RomPath]${roms}Starlight 8${sep}"
  "[Emu]Demo emulator"
  "[EmuPath]${emulator}"
  "[Fav]Comet Runner (E) [!].st8"
  "[Fav]Café Racer.st8"
  "[Platform]Comet Deck"
  "[RomPath]${roms}Comet Deck${sep}"
  "[Emu]Demo emulator"
  "[EmuPath]${emulator}"
  ""
  "[Manufacturer]Lumen Works" "" ""
  "[Platform]Nebula 16"
  "[RomPath]${roms}Nebula 16${sep}"
  "[Emu]Demo emulator"
  "[EmuPath]${emulator}"
  "[Fav]Tumble Town (U).n16"
  "")
set(catalog "")
foreach(line IN LISTS lines)
  string(APPEND catalog "${line}${crlf}")
endforeach()
file(WRITE ${DST}/DATA.txt "${catalog}")
