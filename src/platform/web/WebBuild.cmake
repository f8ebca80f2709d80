# The game for the browser (WebAssembly and WebGL 2), configured with Emscripten's toolchain
# (`./tracklet.sh web`): tracklet.html, tracklet.js, tracklet.wasm and tracklet.data (the game's
# data/ and its typeface, preloaded) in the build folder. Only the game is built: the tools,
# tests and packaging are the desktop's. The platform layer is src/platform/ with the desktop's
# SDL, fontconfig and window-system files replaced by those of src/platform/web/.
set(CMAKE_BUILD_TYPE Release)
set(CMAKE_CXX_COMPILER_LAUNCHER "")
set(CMAKE_C_COMPILER_LAUNCHER "")
set(web_dir ${CMAKE_SOURCE_DIR}/src/platform/web)

# Header-only libraries come from the host's Debian packages; the host's other headers stay out.
set(host_include ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${host_include})
foreach(dir CLI nlohmann)
  if(EXISTS /usr/include/${dir} AND NOT EXISTS ${host_include}/${dir})
    file(CREATE_LINK /usr/include/${dir} ${host_include}/${dir} SYMBOLIC)
  endif()
endforeach()
# The typeface the desktop finds through fontconfig; its licence goes with it.
set(web_font /usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf)
set(web_font_licence /usr/share/doc/fonts-liberation/copyright)
foreach(file ${web_font} ${web_font_licence} /usr/include/stb/stb_truetype.h /usr/include/CLI/CLI.hpp)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} is missing: ./tracklet.sh web installs fonts-liberation, libstb-dev and libcli11-dev")
  endif()
endforeach()

# The folders' libraries, in the order of src/folders.txt (tracklet_folder_libraries in
# CMakeLists.txt). Left out: the desktop's window system, SDL, SDL_ttf and fontconfig, and the
# off-screen GL loader.
add_compile_options(-Wall -Wextra "SHELL:-include ${web_dir}/LibcxxCompat.h")
tracklet_folder_libraries(EXCLUDE
  "src/platform/(Window|KeyboardSdl|SharingSdl|GamePadSdl|FontRaster|Paths|Clock|AudioOutput|MessageBox|VideoSystem|OffscreenGraphics|Inflate)\\.cpp$"
  "src/platform/gl/(GlGraphicsSystem|SdlGlSurface)\\.cpp$")
target_include_directories(tracklet_platform SYSTEM PRIVATE /usr/include/stb)
target_include_directories(tracklet_profile SYSTEM PUBLIC ${host_include})

add_executable(tracklet ${CMAKE_SOURCE_DIR}/src/shell/Main.cpp ${CMAKE_SOURCE_DIR}/src/shell/CommandLine.cpp)
target_include_directories(tracklet SYSTEM PRIVATE ${host_include})
target_link_libraries(tracklet PRIVATE tracklet_shell)
# The page's data sits at the root of its file system: /data beside the program's folder /.
target_compile_definitions(tracklet PRIVATE TRACKLET_VERSION="${PROJECT_VERSION}" TRACKLET_INSTALLED_DATA="data")
file(GLOB_RECURSE web_data CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
set_target_properties(tracklet PROPERTIES SUFFIX ".js"
  LINK_DEPENDS "${web_dir}/storage.js;${web_data}")
target_link_options(tracklet PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sINITIAL_MEMORY=134217728 -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  # The game's own loop waits for the browser's animation frame between two frames (WebWindow.cpp).
  -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT=1 "-sASYNCIFY_IMPORTS=[\"WaitForAnimationFrame\"]"
  -lidbfs.js "SHELL:--pre-js ${web_dir}/storage.js"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/data@/data"
  "SHELL:--preload-file ${web_font}@/fonts/LiberationSerif-Regular.ttf")
configure_file(${web_dir}/tracklet.html ${CMAKE_BINARY_DIR}/tracklet.html COPYONLY)
configure_file(${web_font_licence} ${CMAKE_BINARY_DIR}/LiberationSerif-LICENSE.txt COPYONLY)
