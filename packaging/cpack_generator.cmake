# Read by CPack once per generator: the archive is the bare application folder, the .deb
# adds the system-wide launchers, menu entry and icon, which a plain install leaves out.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CPACK_KESTROVA_DEB_FOLDER})
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL application desktop)
endif()
