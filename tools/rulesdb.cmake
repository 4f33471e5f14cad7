# The Rules.mdb delivered beside the executable, made from data/schema.sql.
include(GNUInstallDirs)

add_executable(make_rules_mdb ${CMAKE_CURRENT_SOURCE_DIR}/make_rules_mdb.cpp)
target_link_libraries(make_rules_mdb PRIVATE brassbell_settings brassbell_store_maker)

# Beside the built executable, only where no file is there yet: a Rules.mdb that a
# developer has been using keeps its records across builds.
add_custom_target(rules_mdb ALL
  COMMAND make_rules_mdb ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Rules.mdb
  COMMENT "Delivering Rules.mdb beside the executable"
  VERBATIM)

# A pristine copy for installing, made again whenever the schema changes.
set(BRASSBELL_PRISTINE_RULES_DB ${CMAKE_CURRENT_BINARY_DIR}/pristine/Rules.mdb)
add_custom_command(OUTPUT ${BRASSBELL_PRISTINE_RULES_DB}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${BRASSBELL_PRISTINE_RULES_DB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/pristine
  COMMAND make_rules_mdb ${BRASSBELL_PRISTINE_RULES_DB}
  DEPENDS make_rules_mdb ${PROJECT_SOURCE_DIR}/data/schema.sql
  COMMENT "Making the Rules.mdb to install"
  VERBATIM)
add_custom_target(rules_mdb_pristine ALL DEPENDS ${BRASSBELL_PRISTINE_RULES_DB})

# cmake --install puts it beside the installed executable, never over a user's file.
install(CODE "
  set(_rules_dir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  if(EXISTS \"\$ENV{DESTDIR}\${_rules_dir}/Rules.mdb\")
    message(STATUS \"Kept the existing: \$ENV{DESTDIR}\${_rules_dir}/Rules.mdb\")
  else()
    file(INSTALL \"${BRASSBELL_PRISTINE_RULES_DB}\" DESTINATION \"\${_rules_dir}\")
  endif()
")
