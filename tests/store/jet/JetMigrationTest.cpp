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

#include <filesystem>
#include <fstream>
#include <memory>

namespace brassbell {
namespace {

using test::bytesOf;
using test::writeBytes;
using testing::filesIn;
using testing::jetManifest;
using testing::jetSample;

QJsonObject manifest() {
    QFile file(QString::fromStdString(jetManifest().string()));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the Jet sample's manifest is missing: " + jetManifest().string());
    return QJsonDocument::fromJson(file.readAll()).object();
}

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

Connection openReadOnly(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.string().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    return Connection(db, &sqlite3_close);
}

// Puts a copy of the sample (or of bytes made from it) where a user's Rules.mdb would be.
class JetMigration : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(jetSample())) << "the Jet sample is missing: " << jetSample();
        std::filesystem::remove(temp_.path());
        original_ = bytesOf(jetSample());
    }

    void place(const std::string& bytes) {
        placed_ = bytes;
        writeBytes(rulesMdb(), bytes);
    }
    void placeSample() { place(original_); }

    std::filesystem::path rulesMdb() const { return temp_.path(); }
    // Rules.mdb holds `bytes` and nothing else was left in its folder.
    void expectAlone(const std::string& bytes) {
        EXPECT_EQ(bytesOf(rulesMdb()), bytes);
        EXPECT_EQ(filesIn(folder()), std::vector<std::string>{"Rules.mdb"});
    }
    std::filesystem::path folder() const { return temp_.folder(); }

    TempRulesDb temp_;
    std::string original_;
    std::string placed_;
};

TEST_F(JetMigration, EveryTableColumnAndRowOfTheSampleArrivesByteForByte) {
    placeSample();
    const MigrationReport report = migrateInPlace(rulesMdb());

    const Connection db = openReadOnly(rulesMdb());
    ASSERT_TRUE(db);
    const QJsonArray tables = manifest().value("tables").toArray();
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
        ASSERT_EQ(sqlite3_prepare_v2(db.get(), sql.constData(), -1, &raw, nullptr), SQLITE_OK)
            << sql.constData();
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
    placeSample();
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
    placeSample();
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
struct Damage {
    const char* name;
    std::string (*make)(const std::string& sample);
};

const Damage kDamages[] = {
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

TEST_F(JetMigration, ADamagedFileFailsAndLeavesTheOriginalAsItWas) {
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        place(damage.make(original_));
        try {
            migrateInPlace(rulesMdb());
            ADD_FAILURE() << "a damaged file was reported as migrated";
        } catch (const JetMigrationError& error) {
            EXPECT_FALSE(std::string(error.what()).empty());
            EXPECT_NE(migrationFailureMessage(error).find(u"left as it was"), std::u16string::npos);
        }
        expectAlone(placed_);
    }
}

TEST_F(JetMigration, AFolderWithoutWritePermissionLeavesEverythingAsItWas) {
    placeSample();
    std::filesystem::permissions(folder(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const bool probeMade = [&] {
        std::ofstream probe(folder() / "probe");
        return static_cast<bool>(probe);
    }();
    if (probeMade) {
        std::filesystem::remove(folder() / "probe");
        std::filesystem::permissions(folder(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        GTEST_SKIP() << "this user writes into read-only folders (root), so the case cannot be made";
    }
    EXPECT_THROW(migrateInPlace(rulesMdb()), JetMigrationError);
    std::filesystem::permissions(folder(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    expectAlone(original_);
}

// A full disk, made by a limit on the size of files this process may write.
TEST_F(JetMigration, AFullDiskLeavesEverythingAsItWas) {
    placeSample();
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 8 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(migrateInPlace(rulesMdb()), JetMigrationError);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    expectAlone(original_);
}

TEST_F(JetMigration, ATargetInAFolderThatIsNotThereFailsWithoutTouchingTheOriginal) {
    placeSample();
    EXPECT_THROW(migrateJetDatabase(rulesMdb(), folder() / "missing" / "New.mdb"), JetMigrationError);
    expectAlone(original_);
}

// Copies of the sample with names changed in place, as another tool or an older version
// might have left them.
TEST_F(JetMigration, NamesMatchRegardlessOfCaseAndUnknownOrMissingTablesAreReported) {
    std::string bytes = original_;
    testing::renameInPage(bytes, "tbl_Userdef", "tbl_Userdef", "TBL_USERDEF");
    testing::renameInPage(bytes, "tbl_RndSpeak", "tbl_RndSpeak", "tbl_RndSpeek");
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
    testing::renameInPage(bytes, "Translation", "LangID", "LangIX");
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
