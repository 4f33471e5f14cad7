#include "store/jet/JetMigration.h"

// This build has no Jet reader: a Jet Rules.mdb is recognised, but converting it needs a
// build that has one.
namespace brassbell {

namespace {

[[noreturn]] void unavailable() {
    throw JetMigrationError("This build of Brassbell cannot read Jet databases.");
}

} // namespace

bool jetMigrationAvailable() {
    return false;
}

MigrationReport migrateJetDatabase(const std::filesystem::path&, const std::filesystem::path&) {
    unavailable();
}

MigrationReport migrateInPlace(const std::filesystem::path&) {
    unavailable();
}

} // namespace brassbell
