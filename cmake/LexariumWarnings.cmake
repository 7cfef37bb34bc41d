# Warnings on for every target of the project, none left.
function(lexarium_target_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# Adds the subfolders of the current folder that exist, in the given order;
# each layer brings its own CMakeLists.txt.
macro(lexarium_add_existing_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endmacro()
