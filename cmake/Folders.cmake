# trenvik_unity(<target> <sources...> [OFF] [SEPARATE <sources compiled on their own...>])
#
# Compiles the target's sources in batches of about TRENVIK_UNITY_BATCH files (one translation unit
# per batch), which parses the shared headers and emits their inline code once per batch instead of
# once per file. A file's batch follows from a hash of its name and the folder's batch count, which
# only changes when the folder's size doubles: adding a file never moves other files between
# batches, so a name clash between two files shows up for whoever brings the files together.
function(trenvik_unity target)
  cmake_parse_arguments(U "OFF" "" "SEPARATE" ${ARGN})
  if(U_OFF OR NOT TRENVIK_UNITY)
    return()
  endif()
  set(sources ${U_UNPARSED_ARGUMENTS})
  list(LENGTH sources count)
  math(EXPR wanted "(${count} + ${TRENVIK_UNITY_BATCH} - 1) / ${TRENVIK_UNITY_BATCH}")
  set(batches 1)
  while(batches LESS wanted)
    math(EXPR batches "${batches} * 2")
  endwhile()
  set(separate)
  foreach(file ${U_SEPARATE})
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND separate ${file})
  endforeach()
  foreach(file ${sources})
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    if(file IN_LIST separate)
      continue()
    endif()
    get_filename_component(name ${file} NAME)
    string(MD5 hash ${name})
    string(SUBSTRING ${hash} 0 7 hash)
    math(EXPR batch "0x${hash} % ${batches}")
    set_source_files_properties(${file} PROPERTIES UNITY_GROUP ${target}_${batch})
  endforeach()
  set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
  # GCC takes the sources a batch includes for headers and warns that a class deriving from a type
  # of the file's anonymous namespace may break the one-definition rule; in one batch it cannot.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
  endif()
endfunction()

# trenvik_folder(<target> DEPS <targets...> [LIBS <external libs...>] [NO_UNITY]
#                [SEPARATE <sources...>])
#
# Builds the sources of the current folder (*.cpp, not tests/) into the static library <target>,
# and the sources of its tests/ sub-folder into one GoogleTest binary <target>_tests run by ctest.
# Sources are globbed so that adding a file needs no edit here. NO_UNITY compiles every file of the
# folder on its own; SEPARATE names the files (relative to the folder) that are.
function(trenvik_folder target)
  cmake_parse_arguments(F "NO_UNITY" "MODULES" "DEPS;LIBS;TEST_LIBS;SEPARATE" ${ARGN})
  set(unity SEPARATE ${F_SEPARATE})
  if(F_NO_UNITY)
    set(unity OFF)
  endif()
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
  trenvik_unity(${target} ${sources} ${unity})

  # Test-support code (fixtures shared by test binaries of other folders) lives in testing/.
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/testing/*.cpp)
  if(support AND TRENVIK_TESTS)
    add_library(${target}_testing STATIC ${support})
    target_link_libraries(${target}_testing PUBLIC ${target} GTest::gtest)
    trenvik_unity(${target}_testing ${support} ${unity})
  endif()

  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(tests AND TRENVIK_TESTS)
    add_executable(${target}_tests ${tests} ${PROJECT_SOURCE_DIR}/cmake/TestMain.cpp)
    trenvik_unity(${target}_tests ${tests} ${PROJECT_SOURCE_DIR}/cmake/TestMain.cpp ${unity})
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

# trenvik_tests_apart(<target> <name> <gtest pattern> <seconds>): the cases of a folder's test binary
# that take long (a large database on the virtual X server) become their own ctest entry
# <target>_<name> with a limit of their own; the folder's own entry leaves them out.
function(trenvik_tests_apart target name pattern seconds)
  if(NOT TARGET ${target}_tests)
    return()
  endif()
  set_property(TEST ${target} APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-${pattern}")
  add_test(NAME ${target}_${name} COMMAND ${target}_tests --gtest_brief=1 --gtest_filter=${pattern})
  set_tests_properties(${target}_${name} PROPERTIES ENVIRONMENT "TRENVIK_HEADLESS=1" TIMEOUT ${seconds})
endfunction()
