# The database of one test: a fresh schema on the fixture's server.
target_sources(test_support PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BancoDeTeste.cpp)
target_compile_definitions(test_support PRIVATE RUVENAL_SCHEMA="${CMAKE_SOURCE_DIR}/db/schema.sql")
target_link_libraries(test_support PUBLIC ruvenal_core)
