# One private MariaDB server for the whole CTest run: started by the test mariadb_start, stopped by
# mariadb_stop, data folder inside the build folder. Suites that need it call ruvenal_db_test(<target>).
include(GoogleTest)

set(RUVENAL_DB_DIR ${CMAKE_BINARY_DIR}/mariadb-test)
set(RUVENAL_DB_SOCKET ${RUVENAL_DB_DIR}/mysqld.sock)

add_test(NAME mariadb_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/mariadb start ${RUVENAL_DB_DIR} --fast)
add_test(NAME mariadb_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/mariadb stop ${RUVENAL_DB_DIR})
set_tests_properties(mariadb_start PROPERTIES FIXTURES_SETUP MariaDB TIMEOUT 120)
set_tests_properties(mariadb_stop PROPERTIES FIXTURES_CLEANUP MariaDB TIMEOUT 120)

# Discovers the GoogleTest cases of target and runs them against the server.
function(ruvenal_db_test target)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES FIXTURES_REQUIRED MariaDB ENVIRONMENT "MYSQL_UNIX_PORT=${RUVENAL_DB_SOCKET}")
endfunction()
