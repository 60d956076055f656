# Run by CPack on the finished package (cmake/Packaging.cmake). CPack's DEB generator gives a
# package with a shared object in any folder under /usr/lib maintainer scripts that run ldconfig;
# the plugins in /usr/lib/pictolan are found by path, never through ld.so's cache, so the package
# is packed again by dpkg-deb without them.
foreach(package ${CPACK_PACKAGE_FILES})
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/unpacked)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE ${tree}/DEBIAN/postinst ${tree}/DEBIAN/postrm)
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package} OUTPUT_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
