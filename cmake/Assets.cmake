# start.wav and the program icon are made by our own generator at build time. It runs
# on the build machine, so a cross build compiles it with the host's compiler.
set(ZUBI_ASSETS_DIR ${CMAKE_BINARY_DIR}/assets)
set(ZUBI_ASSETS ${ZUBI_ASSETS_DIR}/start.wav ${ZUBI_ASSETS_DIR}/zubi.ico)
set(_generator_source ${CMAKE_SOURCE_DIR}/tools/make_assets.cpp)

if(CMAKE_CROSSCOMPILING)
  find_program(ZUBI_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(_generator ${ZUBI_ASSETS_DIR}/make_assets)
  add_custom_command(OUTPUT ${_generator}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZUBI_ASSETS_DIR}
    COMMAND ${ZUBI_HOST_CXX} -std=c++17 -O2 -o ${_generator} ${_generator_source}
    DEPENDS ${_generator_source}
    COMMENT "Building the asset generator for the build machine")
  set(_generator_dep ${_generator})
else()
  add_executable(make_assets ${_generator_source})
  zubi_warnings(make_assets)
  set(_generator $<TARGET_FILE:make_assets>)
  set(_generator_dep make_assets)
endif()

add_custom_command(OUTPUT ${ZUBI_ASSETS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZUBI_ASSETS_DIR}
  COMMAND ${_generator} ${ZUBI_ASSETS_DIR}
  DEPENDS ${_generator_dep}
  COMMENT "Generating start.wav and the program icon")
add_custom_target(zubi_assets ALL DEPENDS ${ZUBI_ASSETS})
