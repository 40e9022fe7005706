# The files that lie beside the program: config/ is copied into the program folder as it
# stands (settings.txt, templates/, ...), samples/ into its samples/ folder. The target
# kelvarn_config copies them at every build; a file dropped into either folder is picked up
# at the next build.

# kelvarn_copy_folder(<list> <source> <destination>): a copy rule for every file under
# <source>, sub-folders kept, into <destination>; the copies are appended to <list>.
function(kelvarn_copy_folder list source destination)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${source} ${source}/*)
  set(copies ${${list}})
  foreach(file IN LISTS files)
    add_custom_command(
      OUTPUT ${destination}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source}/${file} ${destination}/${file}
      DEPENDS ${source}/${file}
      VERBATIM)
    list(APPEND copies ${destination}/${file})
  endforeach()
  set(${list} ${copies} PARENT_SCOPE)
endfunction()

set(KELVARN_PROGRAM_FILES)
kelvarn_copy_folder(KELVARN_PROGRAM_FILES ${PROJECT_SOURCE_DIR}/config ${KELVARN_PROGRAM_DIR})
kelvarn_copy_folder(KELVARN_PROGRAM_FILES ${PROJECT_SOURCE_DIR}/samples ${KELVARN_PROGRAM_DIR}/samples)
add_custom_target(kelvarn_config ALL DEPENDS ${KELVARN_PROGRAM_FILES})
