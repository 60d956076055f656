# Run by CPack on the staged /usr tree before it is packed (cmake/Packaging.cmake), to make of it
# what Debian asks for: the copyright file and the changelog in /usr/share/doc/pictolan, the
# manual pages and the changelog compressed (gzip -n: without a time or name, so the same tree
# packs into the same bytes), and the binaries stripped of symbols, debugging information and the
# compiler's notes (their dynamic symbols, which the plugins bind to, stay).
set(usr ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
set(doc ${usr}/share/doc/${CPACK_PACKAGE_NAME})
file(MAKE_DIRECTORY ${doc})
file(COPY_FILE ${CPACK_PICTOLAN_DOCUMENTS}/copyright ${doc}/copyright)
file(COPY_FILE ${CPACK_PICTOLAN_DOCUMENTS}/changelog ${doc}/changelog)
file(GLOB pages ${usr}/share/man/man*/*)
foreach(file ${doc}/changelog ${pages})
  execute_process(COMMAND gzip -9nf ${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(GLOB binaries ${usr}/bin/* ${usr}/lib/pictolan/*)
execute_process(COMMAND ${CPACK_PICTOLAN_STRIP} --remove-section=.comment --remove-section=.note
                        ${binaries} COMMAND_ERROR_IS_FATAL ANY)
