# The browser build's libraries: SDL2, libpng with zlib and FreeType, built from
# Debian's sources with Emscripten by scripts/web-deps.sh. They take the names
# the desktop build's packages give, so the engine links them the same way.
set(VN_WEB_DEPS ${CMAKE_SOURCE_DIR}/build-web/deps/prefix CACHE PATH
    "Where scripts/web-deps.sh installed the browser build's libraries")
foreach(library libSDL2.a libpng16.a libz.a libfreetype.a)
  if(NOT EXISTS ${VN_WEB_DEPS}/lib/${library})
    message(FATAL_ERROR "${VN_WEB_DEPS}/lib/${library} is missing: run scripts/web-deps.sh first")
  endif()
endforeach()

add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL2 INTERFACE ${VN_WEB_DEPS}/include/SDL2)
target_link_libraries(PkgConfig::SDL2 INTERFACE ${VN_WEB_DEPS}/lib/libSDL2.a)
add_library(PNG::PNG INTERFACE IMPORTED)
target_include_directories(PNG::PNG INTERFACE ${VN_WEB_DEPS}/include)
target_link_libraries(PNG::PNG INTERFACE ${VN_WEB_DEPS}/lib/libpng16.a ${VN_WEB_DEPS}/lib/libz.a)
add_library(Freetype::Freetype INTERFACE IMPORTED)
target_include_directories(Freetype::Freetype INTERFACE ${VN_WEB_DEPS}/include/freetype2)
target_link_libraries(Freetype::Freetype INTERFACE ${VN_WEB_DEPS}/lib/libfreetype.a ${VN_WEB_DEPS}/lib/libz.a)

# The game catches its stream errors; Emscripten leaves exceptions off unless asked.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
