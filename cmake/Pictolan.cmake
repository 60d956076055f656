# Sources of a folder, recursively; new files are picked up when the build runs.
function(pictolan_glob out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  set(${out} ${found} PARENT_SCOPE)
endfunction()
