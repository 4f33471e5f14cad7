// tbl_Sys: RndTimer and TabStart, present, missing, doubled or odd.
#include "store/Store.h"

#include "SqlPeek.h"
#include "TempRulesDb.h"

#include <gtest/gtest.h>

namespace brassbell {
namespace {

using test::execute;
using test::peek;
using Rows = std::vector<std::u16string>;

class StoreSettings : public ::testing::Test {
  protected:
    void SetUp() override { store.fDBConnect(true); }
    Rows sys() { return peek(db.path(), "SELECT Para, Val, typeof(Val) FROM tbl_Sys ORDER BY rowid"); }

    TempRulesDb db;
    Store store{db.path()};
};

TEST_F(StoreSettings, TheDeliveredFileHoldsBothRowsAsDigits) {
    EXPECT_EQ(sys(), (Rows{u"RndTimer|60|text", u"TabStart|0|text"}));
    EXPECT_EQ(store.fGetRndTimer(), 60);
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"0");
}

TEST_F(StoreSettings, RndTimerReadsAndWritesWholeSeconds) {
    execute(db.path(), "UPDATE tbl_Sys SET Val = '30' WHERE Para = 'RndTimer';");
    EXPECT_EQ(store.fGetRndTimer(), 30);
    store.fSetRndTimer(6553);
    EXPECT_EQ(sys(), (Rows{u"RndTimer|6553|text", u"TabStart|0|text"}));
    EXPECT_EQ(store.fGetRndTimer(), 6553);
}

TEST_F(StoreSettings, AnIntervalWhoseTickOverflowsIsRefusedBeforeStoring) {
    EXPECT_THROW(store.fSetRndTimer(214748365), StoreError);
    EXPECT_NO_THROW(store.fSetRndTimer(214748364));
    EXPECT_EQ(store.fGetRndTimer(), 214748364);
    EXPECT_THROW(store.fSetRndTimer(-214748365), StoreError);
    EXPECT_EQ(store.fGetRndTimer(), 214748364);
}

TEST_F(StoreSettings, AStoredIntervalReadsAsTheNumberOrTheDefault) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"'30'", 30}, {"' 45 '", 45}, {"'+20'", 20},   {"'-5'", -5},  {"45", 45},    {"NULL", 60},
        {"''", 60},   {"'abc'", 60},  {"'12abc'", 60}, {"'1.5'", 60}, {"'+-5'", 60}, {"'99999999999'", 60}};
    for (const auto& [val, read] : cases) {
        execute(db.path(), std::string("UPDATE tbl_Sys SET Val = ") + val + " WHERE Para = 'RndTimer';");
        EXPECT_EQ(store.fGetRndTimer(), read) << val;
    }
}

TEST_F(StoreSettings, MissingRowsReadAsTheirDefaultsAndWritingCreatesThem) {
    execute(db.path(), "DELETE FROM tbl_Sys;");
    EXPECT_EQ(store.fGetRndTimer(), 60);
    EXPECT_EQ(store.fGetSysPara(u"RndTimer"), u"60");
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"0");
    EXPECT_EQ(store.fGetSysPara(u"Unknown"), u"");
    EXPECT_TRUE(sys().empty()) << "reading must not write";

    store.fSetSysPara(u"TabStart", u"3");
    store.fSetRndTimer(20);
    store.fSetSysPara(u"TabStart", u"4");
    EXPECT_EQ(sys(), (Rows{u"TabStart|4|text", u"RndTimer|20|text"}));
}

TEST_F(StoreSettings, ADoubledRowIsReadAndWrittenInItsFirstRecord) {
    execute(db.path(), "INSERT INTO tbl_Sys (Para, Val) VALUES ('TabStart', '5');");
    store.fSetSysPara(u"TabStart", u"3");
    EXPECT_EQ(sys(), (Rows{u"RndTimer|60|text", u"TabStart|3|text", u"TabStart|5|text"}));
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"3");
}

TEST_F(StoreSettings, KeysAndValuesAreBound) {
    store.fSetSysPara(u"it's", u"a 'quoted' value");
    EXPECT_EQ(store.fGetSysPara(u"it's"), u"a 'quoted' value");
    EXPECT_EQ(store.fGetSysPara(u"tabstart"), u"") << "keys compare exactly: an unknown key, no row";
}

} // namespace
} // namespace brassbell
