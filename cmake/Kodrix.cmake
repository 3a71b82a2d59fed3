# kodrix_library(<name> [DEPS targets...])
# A static library kodrix_<name> made of every .cpp/.h/.qrc in the calling folder.
function(kodrix_library name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(kodrix_${name} STATIC ${srcs})
  target_include_directories(kodrix_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kodrix_${name} PUBLIC ${K_DEPS})
  set_property(GLOBAL APPEND PROPERTY KODRIX_LIBRARIES kodrix_${name})
endfunction()

# kodrix_test(<name> [DEPS targets...] [PLATFORM qpa])
# One GoogleTest program per subsystem, tests/<name>/*.cpp plus the shared support code.
# PLATFORM is the Qt platform the tests run on (offscreen unless told).
function(kodrix_test name)
  cmake_parse_arguments(K "" "PLATFORM" "DEPS" ${ARGN})
  if(NOT K_PLATFORM)
    set(K_PLATFORM offscreen)
  endif()
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(test_${name} ${srcs})
  target_link_libraries(test_${name} PRIVATE kodrix_testsupport ${K_DEPS})
  target_compile_definitions(test_${name} PRIVATE
      KODRIX_TESTDATA="${KODRIX_TESTDATA}"
      KODRIX_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
      KODRIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # PRE_TEST: listing the tests at build time would start Qt without a display.
  gtest_discover_tests(test_${name}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=${K_PLATFORM}")
endfunction()

# Every subsystem library, for the tools and the benchmarks that may call any of them.
function(kodrix_all_libraries out)
  get_property(libs GLOBAL PROPERTY KODRIX_LIBRARIES)
  set(${out} ${libs} PARENT_SCOPE)
endfunction()
