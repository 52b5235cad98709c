# trenvik_folder(<target> DEPS <targets...> [LIBS <external libs...>])
#
# Builds the sources of the current folder (*.cpp, not tests/) into the static library <target>,
# and the sources of its tests/ sub-folder into one GoogleTest binary <target>_tests run by ctest.
# Sources are globbed so that adding a file needs no edit here.
function(trenvik_folder target)
  cmake_parse_arguments(F "" "MODULES" "DEPS;LIBS;TEST_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/tests/")
  list(FILTER sources EXCLUDE REGEX "/testing/")
  # A sub-folder with a CMakeLists.txt of its own is a library of its own.
  file(GLOB subdirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(sub ${subdirs})
    if(IS_DIRECTORY ${sub} AND EXISTS ${sub}/CMakeLists.txt)
      list(FILTER sources EXCLUDE REGEX "^${sub}/")
    endif()
  endforeach()
  if(NOT sources)
    message(STATUS "${target}: no sources yet, skipped")
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${F_DEPS} ${F_LIBS})

  # Test-support code (fixtures shared by test binaries of other folders) lives in testing/.
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/testing/*.cpp)
  if(support AND TRENVIK_TESTS)
    add_library(${target}_testing STATIC ${support})
    target_link_libraries(${target}_testing PUBLIC ${target} GTest::gtest)
  endif()

  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(tests AND TRENVIK_TESTS)
    add_executable(${target}_tests ${tests} ${PROJECT_SOURCE_DIR}/cmake/TestMain.cpp)
    target_link_libraries(${target}_tests PRIVATE ${target} ${F_TEST_LIBS} GTest::gtest)
    # The test main runs the start-up of the folder's modules (and of those it uses) first.
    target_compile_definitions(${target}_tests PRIVATE TRENVIK_REGISTER_MODULES=${F_MODULES})
    if(support)
      target_link_libraries(${target}_tests PRIVATE ${target}_testing)
    endif()
    target_compile_definitions(${target}_tests PRIVATE
      TRENVIK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
      TRENVIK_SOURCE_RESOURCES_DIR="${PROJECT_SOURCE_DIR}/resources")
    add_test(NAME ${target} COMMAND ${target}_tests --gtest_brief=1)
    # A regression that hangs fails within minutes instead of holding CI for its whole limit.
    set_tests_properties(${target} PROPERTIES ENVIRONMENT "TRENVIK_HEADLESS=1" TIMEOUT 600)
  endif()
endfunction()
