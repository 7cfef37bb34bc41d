# Checks the layering of src/: a layer includes the headers of its own folder
# and of the layers before it in LAYERS, never of a later one; the layers
# without Qt include no Qt header. Run as a test:
#   cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
set(LAYERS platform support model audio check exchange framework document ui app)
set(WITHOUT_QT platform support model audio check exchange)

set(problems "")
list(LENGTH LAYERS count)
foreach(layer IN LISTS LAYERS)
  list(FIND LAYERS ${layer} own)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([a-z]+)/")
        list(FIND LAYERS "${CMAKE_MATCH_1}" used)
        if(used GREATER own)
          list(APPEND problems "${file}: ${layer} includes the later layer ${CMAKE_MATCH_1}")
        endif()
      endif()
      if(layer IN_LIST WITHOUT_QT AND line MATCHES "#[ \t]*include[ \t]*<Q")
        list(APPEND problems "${file}: ${layer} is a layer without Qt: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "${text}")
endif()
