#include "BenchData.h"

#include "store/RulesDbMaker.h"

#include <sqlite3.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace brassbell::bench {

namespace {

void run(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

} // namespace

void makeFilledRulesDb(const std::filesystem::path& file, int rows) {
    if (!makeRulesDb(file))
        throw std::runtime_error("Rules.mdb already exists: " + file.string());
    sqlite3* db = nullptr;
    if (sqlite3_open(file.string().c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    const std::string n = std::to_string(rows);
    // A recursive count gives the rows without a round trip per record.
    const std::string numbers =
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + n + ") ";
    try {
        run(db, "BEGIN");
        run(db, numbers + "INSERT INTO tbl_Say (SayText) SELECT 'say text number ' || i FROM n");
        run(db, numbers + "INSERT INTO tbl_RndSpeak (RandomSpeak) SELECT 'random text number ' || i FROM n");
        run(db, numbers + "INSERT INTO tbl_Rules (RuleBasicLang) SELECT 'basic rule number ' || i FROM n");
        run(db, numbers + "INSERT INTO tbl_Langs (Language) SELECT 'language ' || i FROM n");
        run(db, numbers + "INSERT INTO tbl_Userdef (UserD1, Kind) SELECT 'user entry ' || i, "
                          "CASE i % 2 WHEN 0 THEN 'Say' ELSE 'Command' END FROM n");
        run(db, "INSERT INTO tbl_Text (LangID, RuleID, Translation) "
                "SELECT 1, RuleID, 'translation of ' || RuleBasicLang FROM tbl_Rules");
        run(db, "COMMIT");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("brassbell-bench-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace brassbell::bench
