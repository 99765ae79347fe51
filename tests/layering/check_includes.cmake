# Fails when a file of engine/ world/ play/ app/ includes a header of a higher
# layer (engine < world < play < app), or when any file outside engine/
# includes a platform header (SDL, libpng, FreeType). The benchmark of the bare
# platform's floor is the one file allowed to drive SDL directly.
# Run: cmake -DVN_SOURCE_DIR=<repository> -P check_includes.cmake
set(layers engine world play app)
set(platform_pattern "#[ \t]*include[ \t]*[<\"](SDL[^>\"]*|png\\.h|pngconf\\.h|ft2build\\.h|freetype/[^>\"]*)[>\"]|#[ \t]*include[ \t]+FT_")
set(platform_exempt bench/floor_bench.cpp)
set(faults "")

file(GLOB_RECURSE sources RELATIVE ${VN_SOURCE_DIR}
     ${VN_SOURCE_DIR}/engine/*.cpp ${VN_SOURCE_DIR}/engine/*.h
     ${VN_SOURCE_DIR}/world/*.cpp ${VN_SOURCE_DIR}/world/*.h
     ${VN_SOURCE_DIR}/play/*.cpp ${VN_SOURCE_DIR}/play/*.h
     ${VN_SOURCE_DIR}/app/*.cpp ${VN_SOURCE_DIR}/app/*.h
     ${VN_SOURCE_DIR}/tools/*.cpp ${VN_SOURCE_DIR}/tools/*.h
     ${VN_SOURCE_DIR}/tests/*.cpp ${VN_SOURCE_DIR}/tests/*.h
     ${VN_SOURCE_DIR}/bench/*.cpp ${VN_SOURCE_DIR}/bench/*.h)

foreach(source ${sources})
  string(REGEX MATCH "^[^/]+" folder ${source})
  list(FIND layers ${folder} own_rank)
  file(STRINGS ${VN_SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    if(own_rank GREATER_EQUAL 0 AND line MATCHES "#[ \t]*include[ \t]*\"([a-z]+)/")
      list(FIND layers ${CMAKE_MATCH_1} included_rank)
      if(included_rank GREATER own_rank)
        list(APPEND faults "${source}: includes a higher layer: ${line}")
      endif()
    endif()
    if(NOT folder STREQUAL "engine" AND line MATCHES "${platform_pattern}")
      list(FIND platform_exempt ${source} exempt)
      if(exempt LESS 0)
        list(APPEND faults "${source}: includes a platform header outside engine/: ${line}")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH sources checked)
if(faults)
  list(JOIN faults "\n" report)
  message(FATAL_ERROR "${report}")
endif()
message(STATUS "${checked} files: every include runs downward, platform headers only in engine/")
