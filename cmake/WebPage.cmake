# The browser build's output in the build folder: vornadel.js, vornadel.wasm,
# vornadel.data (the game directory packed), and the page, vornadel.html with
# page.js, copied from web/. (The page is not made by Emscripten from a shell
# file: Debian's Emscripten fails while minifying one.)
set(VN_HOST_GAME_DIR ${CMAKE_SOURCE_DIR}/build/game CACHE PATH
    "A desktop build's game directory; its gfx/ sfx/ map/ data/ are packed for the browser")
foreach(folder gfx sfx map data)
  if(NOT IS_DIRECTORY ${VN_HOST_GAME_DIR}/${folder})
    message(FATAL_ERROR "${VN_HOST_GAME_DIR}/${folder} is missing: build the desktop game data first "
                        "(cmake --preset default && cmake --build --preset default --target game_data)")
  endif()
endforeach()

set(web ${CMAKE_SOURCE_DIR}/web)
set_target_properties(vornadel PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_options(vornadel PRIVATE
  # The frame loops block; the frame timer's Wait hands control to the browser
  # each frame and resumes the program where it stood.
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=131072
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728 -sENVIRONMENT=web
  -sFORCE_FILESYSTEM=1 -lidbfs.js
  # JavaScript helpers SDL's audio calls, which the linker does not see it use.
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${web}/library_funcs.json
  --pre-js ${web}/player_storage.js
  # What the player writes never ships: a save or options left in the host's folder.
  # (SHELL: keeps CMake from merging the repeated option names.)
  "SHELL:--exclude-file '*savegame.sg'" "SHELL:--exclude-file '*options.txt'" "SHELL:--exclude-file '*.tmp'"
  "SHELL:--preload-file ${VN_HOST_GAME_DIR}/gfx@/gfx" "SHELL:--preload-file ${VN_HOST_GAME_DIR}/sfx@/sfx"
  "SHELL:--preload-file ${VN_HOST_GAME_DIR}/map@/map" "SHELL:--preload-file ${VN_HOST_GAME_DIR}/data@/data")
set_property(TARGET vornadel APPEND PROPERTY LINK_DEPENDS
             ${web}/player_storage.js ${web}/library_funcs.json ${VN_HOST_GAME_DIR}/.data-stamp)
# Copied whenever the page changes, not only when the program is linked again.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/vornadel.html ${CMAKE_BINARY_DIR}/page.js
                   COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web}/vornadel.html ${web}/page.js ${CMAKE_BINARY_DIR}
                   DEPENDS ${web}/vornadel.html ${web}/page.js)
add_custom_target(web_page ALL DEPENDS ${CMAKE_BINARY_DIR}/vornadel.html ${CMAKE_BINARY_DIR}/page.js)
