// Making and opening Rules.mdb: a refused file stays as it was; every operation on an empty handle
// or a file spoiled while open; a new file is made whole or not at all, never over an existing one.
#include "store/RulesDbMaker.h"
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"
#include "store/PathText.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace brassbell::testing {
namespace {

using Rows = std::vector<std::u16string>;
using Spoil = std::function<void(const std::filesystem::path&)>;

// Every kind of operation, on a Rules.mdb that holds the text 'kept', rule 1 and entry 1.
// `opens`: on an empty handle it opens the file itself.
struct Operation {
    const char* name;
    bool writes, opens;
    std::function<void(Store&)> run;
};
const Operation kOperations[] = {
    {"add text", true, true, [](Store& s) { s.fAddRecord("tbl_Say", "SayText", u"new"); }},
    {"change text", true, false, [](Store& s) { s.fChangeRecord("tbl_Say", "SayText", u"kept", u"x"); }},
    {"delete text", true, false, [](Store& s) { s.fDelRecord("tbl_Say", "SayText", u"kept"); }},
    {"set interval", true, false, [](Store& s) { s.fSetRndTimer(30); }},
    {"set setting", true, true, [](Store& s) { s.fSetSysPara(u"TabStart", u"4"); }},
    {"add rule", true, false, [](Store& s) { s.addRule(u"rule"); }},
    {"delete rule", true, false, [](Store& s) { s.deleteRule(1); }},
    {"add entry", true, false, [](Store& s) { s.addUserDef(u"text", u"Speak to all"); }},
    {"change entry", true, true, [](Store& s) { s.changeUserDef(1, u"ban", u"Command"); }},
    {"read interval", false, false, [](Store& s) { s.fGetRndTimer(); }},
    {"read translation", false, true, [](Store& s) { s.fGetTranslation(1, 1); }},
    {"read list", false, false, [](Store& s) { s.firstColumn("SELECT SayText FROM tbl_Say"); }},
};

// Table names of another letter case, as another tool may have left them, open too.
TEST(StoreConnectionTest, OpensTablesNamedInAnotherLetterCase) {
    TempRulesDb db;
    execute(db.path(),
            "ALTER TABLE tbl_Userdef RENAME TO tbl_Other; ALTER TABLE tbl_Other RENAME TO TBL_USERDEF;");
    EXPECT_NO_THROW(Store(db.path()).fDBConnect(true));
}

Spoil running(const std::string& sql) {
    return [sql](const std::filesystem::path& file) { execute(file, sql); };
}

TEST(StoreConnectionTest, ABrokenFileIsRefusedWithOpenErrorAndLeftAlone) {
    const std::pair<const char*, Spoil> cases[] = {
        {"missing", [](const auto& file) { std::filesystem::remove(file); }},
        {"empty", [](const auto& file) { writeBytes(file, ""); }},
        {"not a database",
         [](const auto& file) { writeBytes(file, "[SayStrings]\r\n" + std::string(5000, 'x')); }},
        {"truncated",
         [](const auto& f) { writeBytes(f, bytesOf(f).substr(0, std::filesystem::file_size(f) / 3)); }},
        {"a folder in its place",
         [](const auto& file) { std::filesystem::remove(file), std::filesystem::create_directory(file); }},
        {"table missing", running("DROP TABLE tbl_Text;")},
        {"field missing",
         running("DROP TABLE tbl_Userdef; CREATE TABLE tbl_Userdef (UDID INTEGER, UserD1 TEXT);")},
        {"fields out of order",
         running("DROP TABLE tbl_Rules; CREATE TABLE tbl_Rules (RuleBasicLang TEXT, RuleID INTEGER);")},
        {"newer schema", running("PRAGMA user_version = 2;")}};
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        TempRulesDb db;
        spoil(db.path());
        const auto state = [&f = db.path()] {
            return is_regular_file(f) ? "file " + bytesOf(f) : exists(f) ? "folder" : "nothing";
        };
        const std::string before = state();
        Store store(db.path());
        try {
            store.fDBConnect(true), ADD_FAILURE() << "opened a broken file";
        } catch (const StoreOpenError& e) {
            EXPECT_STRNE(e.what(), "");
        }
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(state(), before) << "opening must neither change nor create the file";
    }
}

// On an empty handle only the operations that open the file themselves work. A locked write waits
// no longer than the busy timeout. A deleted or replaced file is not worked on unlinked: only an
// explicit reconnect takes the file found at the path then.
TEST(StoreConnectionTest, AnEmptyHandleOrAFileSpoiledWhileOpenFailsWhatCannotWork) {
    namespace fs = std::filesystem;
    using enum fs::perm_options;
    std::optional<SqlPeek> other;
    struct Case {
        const char* name;
        bool (*fails)(const Operation&);
        bool staysOpen, gone;
        std::function<void(Store&)> spoil, release = [](Store&) {};
    };
    const auto every = [](const Operation&) { return true; };
    const Case cases[] = {
        {"empty handle", [](const Operation& o) { return !o.opens; }, false, false,
         [](Store& s) { s.fDBConnect(false); }},
        {"read-only", [](const Operation& o) { return o.writes; }, true, false,
         [](Store& s) { fs::permissions(s.path(), fs::perms::owner_write, remove), s.fDBConnect(true); },
         [](Store& s) { fs::permissions(s.path(), fs::perms::owner_write, add); }},
        {"locked", every, true, false,
         [&](Store& s) { other.emplace(s.path()), other->execute("BEGIN EXCLUSIVE"); },
         [&](Store&) { other.reset(); }},
#ifndef _WIN32 // Windows keeps an open file from being deleted or replaced.
        {"deleted", every, true, true, [](Store& s) { fs::remove(s.path()); }},
        {"replaced", every, true, true,
         [](Store& s) {
             const fs::path copy = fs::path(s.path()) += "~";
             fs::copy_file(s.path(), copy), fs::rename(copy, s.path());
         }},
#endif
    };
    TempRulesDb db;
    execute(db.path(), "INSERT INTO tbl_Say (SayText) VALUES ('kept');"
                       "INSERT INTO tbl_Rules (RuleBasicLang) VALUES ('r');"
                       "INSERT INTO tbl_Userdef (UserD1, Kind) VALUES ('kick', 'Command');");
    const std::string before = bytesOf(db.path());
    for (const Case& c : cases)
        for (const Operation& operation : kOperations) {
            SCOPED_TRACE(std::string(c.name) + ", " + operation.name);
            writeBytes(db.path(), before);
            Store store(db.path());
            store.fDBConnect(true);
            store.setBusyTimeout(std::chrono::milliseconds(20));
            c.spoil(store);
            std::optional<std::string> error;
            try {
                operation.run(store);
            } catch (const StoreError& e) {
                error = e.what();
            }
            EXPECT_EQ(error.has_value(), c.fails(operation));
            EXPECT_TRUE(!c.gone || error == "Rules.mdb is no longer where it was opened: " +
                                                pathText(db.path()) + ". Nothing was changed.")
                << error.value_or("");
            c.release(store);
            EXPECT_EQ(store.isOpen(), c.staysOpen || !error);
            if (!fs::exists(db.path()))
                continue;
            EXPECT_TRUE(!error || bytesOf(db.path()) == before) << "a failed operation changed the file";
            store.fDBConnect(true);
            store.fAddRecord("tbl_Say", "SayText", u"after");
            EXPECT_EQ(peek(db.path(), "SELECT SayText FROM tbl_Say ORDER BY rowid DESC LIMIT 1"),
                      Rows{u"after"});
        }
}

// Every other test works on files made this way; here, only what they cannot see.
TEST(StoreConnectionTest, ANewFileIsMadeCompleteOrNotAtAll) {
    TempRulesDb db;
    EXPECT_EQ(peek(db.path(), "PRAGMA user_version"), Rows{u"1"});
    EXPECT_FALSE(std::filesystem::exists(db.folder() / "Rules.mdb.partial"));

    writeBytes(db.path(), "the user's own file");
    EXPECT_FALSE(makeRulesDb(db.path()));
    EXPECT_EQ(bytesOf(db.path()), "the user's own file");

    const auto nowhere = db.folder() / "no such folder" / "Rules.mdb";
    EXPECT_THROW(makeRulesDb(nowhere), StoreError);
    EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

} // namespace
} // namespace brassbell::testing
