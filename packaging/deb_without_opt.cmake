# Run by CPack after it made the packages. The .deb would list /opt itself among its files,
# so dpkg would take /opt as the package's own and, on removal, try to delete it (and warn
# when other programs live there). The rewritten package holds the same files and control
# data, only without that one directory entry; /opt is there on every Debian system.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  set(work ${package}.rewrite)
  file(REMOVE_RECURSE ${work})
  file(MAKE_DIRECTORY ${work}/tree)
  execute_process(COMMAND ar x ${package} WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB data RELATIVE ${work} ${work}/data.tar.*)
  file(GLOB control RELATIVE ${work} ${work}/control.tar.*)
  execute_process(COMMAND tar -tf ${data} WORKING_DIRECTORY ${work}
                  OUTPUT_VARIABLE entries COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND tar -xpf ../${data} WORKING_DIRECTORY ${work}/tree
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE "(^|\n)\\./opt/\n" "\\1" entries "${entries}")
  file(WRITE ${work}/entries "${entries}")
  string(REGEX REPLACE ".*\\.tar\\.?" "" compression "${data}")
  set(compress_gz --gzip)
  set(compress_xz --xz)
  set(compress_zst --zstd)
  set(compress_ "")
  file(REMOVE ${work}/${data})
  execute_process(COMMAND tar --create ${compress_${compression}} --file ../${data}
                          --no-recursion --owner=0 --group=0 --numeric-owner
                          --files-from ../entries
                  WORKING_DIRECTORY ${work}/tree COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${package})
  execute_process(COMMAND ar rc ${package} debian-binary ${control} ${data}
                  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${work})
endforeach()
