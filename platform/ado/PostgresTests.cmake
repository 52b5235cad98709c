# trenvik_postgres_tests(<target> <gtest pattern>): the PostgreSQL cases of a folder's test binary
# become their own ctest entry <target>_postgres, reported as skipped when no server could be
# started (they fail instead when the CI variable is set); the folder's own entry leaves them out.
function(trenvik_postgres_tests target pattern)
  if(NOT TARGET ${target}_tests)
    return()
  endif()
  set_property(TEST ${target} APPEND PROPERTY ENVIRONMENT "GTEST_FILTER=-${pattern}")
  add_test(NAME ${target}_postgres
           COMMAND ${PROJECT_SOURCE_DIR}/platform/ado/testing/run-postgres-cases
                   $<TARGET_FILE:${target}_tests> --gtest_brief=1 --gtest_filter=${pattern})
  set_tests_properties(${target}_postgres PROPERTIES
    ENVIRONMENT "TRENVIK_HEADLESS=1" TIMEOUT 600 SKIP_RETURN_CODE 77)
endfunction()
