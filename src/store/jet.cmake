# A Rules.mdb that is still a Jet database, as the earlier Windows version kept it, is found at
# start-up and carried over into an SQLite Rules.mdb through mdbtools' libmdb. Without libmdb
# (a Windows build) the file is still recognised and the user is told how to convert it.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(LIBMDB QUIET IMPORTED_TARGET libmdb)
endif()
find_package(SQLite3 REQUIRED)

set(_jet ${CMAKE_CURRENT_LIST_DIR}/jet)
add_library(brassbell_jet_migration STATIC
  ${_jet}/JetDetect.h ${_jet}/JetDetect.cpp
  ${_jet}/JetMigration.h ${_jet}/MigrationReport.cpp ${_jet}/ConvertJetCommand.cpp ${_jet}/ConversionHint.cpp
  ${_jet}/Utf8.h ${_jet}/Utf8.cpp)
target_link_libraries(brassbell_jet_migration PUBLIC brassbell_settings brassbell_store)
if(LIBMDB_FOUND)
  target_sources(brassbell_jet_migration PRIVATE
    ${_jet}/JetReader.h ${_jet}/JetReader.cpp
    ${_jet}/FileSteps.h ${_jet}/FileSteps.cpp
    ${_jet}/JetMigration.cpp)
  target_link_libraries(brassbell_jet_migration PRIVATE PkgConfig::LIBMDB brassbell_store_maker SQLite::SQLite3)
else()
  message(STATUS "libmdb not found: a Jet Rules.mdb is recognised but cannot be converted by this build")
  target_sources(brassbell_jet_migration PRIVATE ${_jet}/JetMigrationUnavailable.cpp)
endif()
set_property(GLOBAL PROPERTY BRASSBELL_JET_READER ${LIBMDB_FOUND})
unset(_jet)
