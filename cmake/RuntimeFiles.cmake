# Lays the run-time folders (DefaultFile/, photo/, audio/) beside the program in the
# build tree, so every path relative to the program's folder works as installed.
set(TW_RUNTIME_FOLDERS DefaultFile photo audio)
set(TW_RUNTIME_STAMPS)
foreach(folder ${TW_RUNTIME_FOLDERS})
  set(src ${CMAKE_SOURCE_DIR}/resources/${folder})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${src}/*)
  set(stamp ${CMAKE_BINARY_DIR}/.runtime-${folder}.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E remove_directory ${TW_RUNTIME_DIR}/${folder}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TW_RUNTIME_DIR}/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${src} ${TW_RUNTIME_DIR}/${folder}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${files}
    COMMENT "Laying out ${folder}/ beside the program")
  list(APPEND TW_RUNTIME_STAMPS ${stamp})
  file(MAKE_DIRECTORY ${src})
endforeach()
add_custom_target(tw_runtime_files ALL DEPENDS ${TW_RUNTIME_STAMPS})
