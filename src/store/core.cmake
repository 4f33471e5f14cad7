# The Qt-free store: Rules.mdb on SQLite, the one connection gDB and the record operations.
find_package(SQLite3 REQUIRED)

add_library(brassbell_store STATIC
  Store.h Store.cpp
  Snapshot.h Snapshot.cpp
  Schema.h Schema.cpp
  Sqlite.h Sqlite.cpp)
target_link_libraries(brassbell_store PUBLIC brassbell_settings PRIVATE SQLite::SQLite3)

# Making a fresh Rules.mdb from data/schema.sql: for the build's make_rules_mdb and for the
# tests only. The program never links it, so it cannot create the file itself.
set(BRASSBELL_SCHEMA_FILE ${PROJECT_SOURCE_DIR}/data/schema.sql)
file(READ ${BRASSBELL_SCHEMA_FILE} BRASSBELL_SCHEMA_SQL)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BRASSBELL_SCHEMA_FILE})
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/RulesDbSchema.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/RulesDbSchema.cpp @ONLY)

add_library(brassbell_store_maker STATIC
  RulesDbMaker.h RulesDbMaker.cpp ${CMAKE_CURRENT_BINARY_DIR}/RulesDbSchema.cpp)
target_link_libraries(brassbell_store_maker PUBLIC brassbell_store PRIVATE SQLite::SQLite3)
