# Installs the component the packages take into PREFIX and checks that the folder is complete:
# an entry installed under another component would be missing from both packages.
file(REMOVE_RECURSE ${PREFIX})
execute_process(
  COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component application --prefix ${PREFIX}
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
if(WIN32)
  set(exe .exe)
  set(module .dll)
else()
  set(module .so)
endif()
foreach(entry kestrova${exe} kestrova-cli${exe} kestrova-demo-emulator${exe}
              kestrova-web-engine${module} Ext.txt menus/add.gif ColorSchemes/Active.col
              pages/index.html wikigameslists demo-samples)
  if(NOT EXISTS ${PREFIX}/${entry})
    message(FATAL_ERROR "the application folder lacks ${entry}")
  endif()
endforeach()
file(GLOB lists ${PREFIX}/wikigameslists/*)
if(lists)
  message(FATAL_ERROR "wikigameslists/ must ship empty: ${lists}")
endif()
