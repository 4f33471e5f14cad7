// The migration of the shared Jet 4 sample, compared with its manifest value by value, and of
// damaged copies, which must leave the original exactly as it was.
#include "JetTestFiles.h"
#include "SqlPeek.h"
#include "TempRulesDb.h"

#include "store/Store.h"
#include "store/jet/JetMigration.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <memory>

namespace brassbell {
namespace {

using test::bytesOf;
using test::writeBytes;
using testing::filesIn;
using testing::jetSample;

// Replaces the UTF-16 name `from` by `to` (same length) wherever it stands in the 4 KiB page that
// also holds `landmark`, as another tool or an older version might have named it.
void renameInPage(std::string& bytes, std::string_view landmark, std::string_view from, std::string_view to) {
    ASSERT_EQ(from.size(), to.size());
    const auto utf16 = [](std::string_view text) {
        std::string out;
        for (const char c : text)
            out += std::string{c, '\0'};
        return out;
    };
    const std::size_t mark = bytes.find(utf16(landmark));
    ASSERT_NE(mark, std::string::npos) << landmark;
    const std::size_t page = mark / 4096 * 4096;
    int replaced = 0;
    for (std::size_t at = bytes.find(utf16(from), page); at < page + 4096;
         at = bytes.find(utf16(from), at + 1)) {
        bytes.replace(at, from.size() * 2, utf16(to));
        ++replaced;
    }
    ASSERT_GT(replaced, 0) << from;
}

// Puts a copy of the sample (or of bytes made from it) where a user's Rules.mdb would be.
class JetMigration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(jetSample())) << "the Jet sample is missing: " << jetSample();
        std::filesystem::remove(rulesMdb());
        original_ = bytesOf(jetSample());
    }
    void place(const std::string& bytes) {
        placed_ = bytes;
        writeBytes(rulesMdb(), bytes);
    }
    // Rules.mdb holds what was placed and nothing else was left in its folder.
    void expectUntouched() {
        EXPECT_EQ(bytesOf(rulesMdb()), placed_);
        EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Rules.mdb"});
    }
    std::filesystem::path rulesMdb() const { return temp_.path(); }
    std::filesystem::path folder() const { return temp_.folder(); }

    TempRulesDb temp_;
    std::string original_;
    std::string placed_;
};

TEST_F(JetMigration, EveryTableColumnAndRowOfTheSampleArrivesByteForByte) {
    place(original_);
    const MigrationReport report = migrateInPlace(rulesMdb());

    QFile manifest(QString::fromStdString(jetSample().string() + ".json"));
    ASSERT_TRUE(manifest.open(QIODevice::ReadOnly)) << "the Jet sample's manifest is missing";
    const QJsonArray tables = QJsonDocument::fromJson(manifest.readAll()).object().value("tables").toArray();
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(rulesMdb().string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> closing(db, &sqlite3_close);
    ASSERT_EQ(tables.size(), 7);
    for (const QJsonValue& tableValue : tables) {
        const QJsonObject table = tableValue.toObject();
        const QString name = table.value("name").toString();
        SCOPED_TRACE(name.toStdString());
        QStringList columns;
        for (const QJsonValue& column : table.value("columns").toArray())
            columns.append(column.toObject().value("name").toString());

        // Field order is binding for the tables addressed by position, so the new table's
        // fields must stand exactly as in the old one.
        sqlite3_stmt* raw = nullptr;
        const QByteArray sql =
            ("SELECT " + columns.join(", ") + " FROM " + name + " ORDER BY rowid").toUtf8();
        ASSERT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &raw, nullptr), SQLITE_OK) << sql.constData();
        const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
        for (int c = 0; c < columns.size(); ++c)
            EXPECT_EQ(QString::fromUtf8(sqlite3_column_name(raw, c)), columns[c]);

        const QJsonArray rows = table.value("rows").toArray();
        int rowNumber = 0;
        for (; sqlite3_step(raw) == SQLITE_ROW; ++rowNumber) {
            ASSERT_LT(rowNumber, rows.size()) << "more rows than the old table held";
            const QJsonArray expected = rows[rowNumber].toArray();
            for (int c = 0; c < columns.size(); ++c) {
                SCOPED_TRACE("row " + std::to_string(rowNumber) + ", " + columns[c].toStdString());
                const QJsonValue want = expected[c];
                if (want.isNull()) {
                    EXPECT_EQ(sqlite3_column_type(raw, c), SQLITE_NULL);
                } else if (want.isDouble()) {
                    ASSERT_EQ(sqlite3_column_type(raw, c), SQLITE_INTEGER);
                    EXPECT_EQ(sqlite3_column_int64(raw, c), want.toInteger());
                } else {
                    ASSERT_EQ(sqlite3_column_type(raw, c), SQLITE_TEXT);
                    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, c));
                    const std::string got(text, static_cast<std::size_t>(sqlite3_column_bytes(raw, c)));
                    EXPECT_EQ(got, want.toString().toUtf8().toStdString());
                }
            }
        }
        EXPECT_EQ(rowNumber, rows.size());
        const MigratedTable* migrated = report.table(name.toStdString());
        ASSERT_NE(migrated, nullptr);
        EXPECT_EQ(migrated->records, static_cast<std::size_t>(rows.size()));
        EXPECT_EQ(migrated->skipped, 0u);
    }
    EXPECT_TRUE(report.tablesLeftOut.empty());
    EXPECT_TRUE(report.fieldsLeftOut.empty());
}

// An earlier backup is never overwritten: the original goes beside it under a new name.
TEST_F(JetMigration, TheOriginalIsKeptBesideAndNamedInTheMessage) {
    writeBytes(folder() / "Rules.mdb.jet-backup", "an earlier backup");
    place(original_);
    const MigrationReport report = migrateInPlace(rulesMdb());

    const std::filesystem::path backup = folder() / "Rules.mdb.jet-backup-2";
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(*report.backup, backup);
    EXPECT_EQ(bytesOf(backup), original_);
    EXPECT_EQ(bytesOf(folder() / "Rules.mdb.jet-backup"), "an earlier backup");
    EXPECT_EQ(filesIn(folder()),
              (std::vector<std::string>{"Rules.mdb", "Rules.mdb.jet-backup", "Rules.mdb.jet-backup-2"}));

    const std::u16string message = report.message();
    EXPECT_NE(message.find(u"taken over"), std::u16string::npos);
    EXPECT_NE(message.find(u"5 stored texts, 3 random texts, 3 basic rules, 2 languages, 4 translations, "
                           u"3 user-defined entries and 2 settings"),
              std::u16string::npos);
    EXPECT_NE(message.find(u"\r\nThe original was kept as " + backup.u16string()), std::u16string::npos);
}

TEST_F(JetMigration, BrassbellWorksOnTheResultAndNewKeysFollowTheLargest) {
    place(original_);
    EXPECT_EQ(migrateInPlace(rulesMdb()).backup, folder() / "Rules.mdb.jet-backup");

    Store store(rulesMdb());
    store.fDBConnect(true);
    EXPECT_EQ(store.fGetRndTimer(), 45);
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"3");
    EXPECT_EQ(store.fGetTranslation(1, 1), u"Kein Spawn-Camping.");
    EXPECT_EQ(store.fGetTranslation(4, 1).size(), 17000u);
    EXPECT_EQ(store.fGetTranslation(4, 2), u"");
    EXPECT_EQ(store.languageIdByName(u"Français"), 2);

    // Rule 3 is a gap of the old file; a new rule still comes after the largest key.
    EXPECT_EQ(store.addRule(u"A new rule"), 5);
    EXPECT_EQ(store.addLanguage(u"Español"), 3);
    EXPECT_EQ(store.addTranslation(3, 5, u"Una regla nueva"), 5);
    EXPECT_EQ(store.addUserDef(u"say hi", u"Speak to all"), 4);
}

// Damaged files: whatever fails, Rules.mdb keeps every byte, and neither a partial new file
// nor a backup is left in the folder.
const std::pair<const char*, std::string (*)(const std::string&)> kDamages[] = {
    {"TruncatedInTheMiddleOfAPage", [](const std::string& s) { return s.substr(0, s.size() / 2 + 1000); }},
    // Whole pages, so only the lost records show that something is missing.
    {"TruncatedAtAPageBoundary", [](const std::string& s) { return s.substr(0, 63 * 4096); }},
    {"JetHeaderThenGarbage",
     [](const std::string& s) {
         std::string bytes = s.substr(0, 128);
         for (std::size_t i = bytes.size(); i < s.size(); ++i)
             bytes.push_back(static_cast<char>((i * 7919) % 251));
         return bytes;
     }},
    {"OnlyTheHeader", [](const std::string& s) { return s.substr(0, 4096); }},
};

TEST_F(JetMigration, ADamagedFileOrAMissingTargetFolderFailsAndLeavesTheOriginalAsItWas) {
    for (const auto& [name, damage] : kDamages) {
        SCOPED_TRACE(name);
        place(damage(original_));
        try {
            migrateInPlace(rulesMdb());
            ADD_FAILURE() << "a damaged file was reported as migrated";
        } catch (const JetMigrationError& error) {
            EXPECT_FALSE(std::string(error.what()).empty());
            EXPECT_NE(migrationFailureMessage(error).find(u"left as it was"), std::u16string::npos);
        }
        expectUntouched();
    }
    place(original_);
    EXPECT_THROW(migrateJetDatabase(rulesMdb(), folder() / "missing" / "New.mdb"), JetMigrationError);
    expectUntouched();
}

TEST_F(JetMigration, AFolderWithoutWritePermissionLeavesEverythingAsItWas) {
    place(original_);
    const auto writable = [&](bool on) {
        std::filesystem::permissions(folder(), std::filesystem::perms::owner_write,
                                     on ? std::filesystem::perm_options::add
                                        : std::filesystem::perm_options::remove);
    };
    writable(false);
    if (std::ofstream(folder() / "probe")) {
        std::filesystem::remove(folder() / "probe");
        writable(true);
        GTEST_SKIP() << "this user writes into read-only folders (root), so the case cannot be made";
    }
    EXPECT_THROW(migrateInPlace(rulesMdb()), JetMigrationError);
    writable(true);
    expectUntouched();
}

// A full disk, made by a limit on the size of files this process may write.
TEST_F(JetMigration, AFullDiskLeavesEverythingAsItWas) {
    place(original_);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{8 * 1024, before.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(migrateInPlace(rulesMdb()), JetMigrationError);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    expectUntouched();
}

// Copies of the sample with names changed in place, as another tool or an older version
// might have left them.
TEST_F(JetMigration, NamesMatchRegardlessOfCaseAndUnknownOrMissingTablesAreReported) {
    std::string bytes = original_;
    renameInPage(bytes, "tbl_Userdef", "tbl_Userdef", "TBL_USERDEF");
    renameInPage(bytes, "tbl_RndSpeak", "tbl_RndSpeak", "tbl_RndSpeek");
    place(bytes);
    const MigrationReport report = migrateJetDatabase(rulesMdb(), folder() / "New.mdb");

    EXPECT_EQ(report.table("tbl_Userdef")->records, 3u);
    EXPECT_TRUE(report.table("tbl_RndSpeak")->createdEmpty);
    EXPECT_EQ(report.table("tbl_RndSpeak")->records, 0u);
    EXPECT_EQ(report.tablesLeftOut, std::vector<std::string>{"tbl_RndSpeek"});
    const std::u16string message = report.message();
    EXPECT_NE(message.find(u"created empty: tbl_RndSpeak"), std::u16string::npos);
    EXPECT_NE(message.find(u"left out: tbl_RndSpeek"), std::u16string::npos);

    Store store(folder() / "New.mdb");
    store.fDBConnect(true);
    EXPECT_TRUE(store.firstColumn("SELECT RandomSpeak FROM tbl_RndSpeak").empty());
    EXPECT_EQ(store.firstColumn("SELECT UserD1 FROM tbl_Userdef").size(), 3u);
    EXPECT_EQ(bytesOf(rulesMdb()), placed_);
}

TEST_F(JetMigration, RecordsWithoutAWholeNumberReferenceAreSkippedAndCounted) {
    std::string bytes = original_;
    // tbl_Text's LangID becomes a field Brassbell does not know, so no translation has a language.
    renameInPage(bytes, "Translation", "LangID", "LangIX");
    place(bytes);
    const MigrationReport report = migrateJetDatabase(rulesMdb(), folder() / "New.mdb");

    EXPECT_EQ(report.table("tbl_Text")->records, 0u);
    EXPECT_EQ(report.table("tbl_Text")->skipped, 4u);
    EXPECT_EQ(report.skippedRecords(), 4u);
    EXPECT_EQ(report.fieldsLeftOut, std::vector<std::string>{"tbl_Text.LangIX"});
    EXPECT_EQ(report.table("tbl_Langs")->records, 2u);
    EXPECT_NE(report.message().find(u"were skipped: 4 in tbl_Text"), std::u16string::npos);

    Store store(folder() / "New.mdb");
    store.fDBConnect(true);
    EXPECT_TRUE(store.firstColumn("SELECT Translation FROM tbl_Text").empty());
}

} // namespace
} // namespace brassbell
