// tbl_Sys: RndTimer and TabStart, present, missing, doubled or odd.
#include "OpenRulesDb.h"

namespace brassbell {
namespace {

using test::Rows;

class StoreSettings : public test::OpenRulesDb {
protected:
    Rows sys() { return rows("SELECT Para, Val, typeof(Val) FROM tbl_Sys ORDER BY rowid"); }
};

// Whole seconds, stored as digits; an interval whose tick overflows is refused before storing.
TEST_F(StoreSettings, RndTimerReadsAndWritesWholeSecondsThatFitTheTick) {
    EXPECT_EQ(sys(), (Rows{u"RndTimer|60|text", u"TabStart|0|text"}));
    EXPECT_EQ(store.fGetRndTimer(), 60);
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"0");
    store.fSetRndTimer(6553);
    EXPECT_EQ(sys(), (Rows{u"RndTimer|6553|text", u"TabStart|0|text"}));
    EXPECT_THROW(store.fSetRndTimer(214748365), StoreError);
    store.fSetRndTimer(214748364);
    EXPECT_THROW(store.fSetRndTimer(-214748365), StoreError);
    EXPECT_EQ(store.fGetRndTimer(), 214748364);
}

TEST_F(StoreSettings, AStoredIntervalReadsAsTheNumberOrTheDefault) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"'30'", 30}, {"' 45 '", 45}, {"'+20'", 20},   {"'-5'", -5},  {"45", 45},    {"NULL", 60},
        {"''", 60},   {"'abc'", 60},  {"'12abc'", 60}, {"'1.5'", 60}, {"'+-5'", 60}, {"'99999999999'", 60}};
    for (const auto& [val, read] : cases) {
        run(std::string("UPDATE tbl_Sys SET Val = ") + val + " WHERE Para = 'RndTimer';");
        EXPECT_EQ(store.fGetRndTimer(), read) << val;
    }
}

TEST_F(StoreSettings, MissingRowsReadAsTheirDefaultsAndWritingCreatesThem) {
    run("DELETE FROM tbl_Sys;");
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

TEST_F(StoreSettings, ADoubledRowIsReadAndWrittenInItsFirstRecordAndKeysAndValuesAreBound) {
    run("INSERT INTO tbl_Sys (Para, Val) VALUES ('TabStart', '5');");
    store.fSetSysPara(u"TabStart", u"3");
    EXPECT_EQ(sys(), (Rows{u"RndTimer|60|text", u"TabStart|3|text", u"TabStart|5|text"}));
    EXPECT_EQ(store.fGetSysPara(u"TabStart"), u"3");
    store.fSetSysPara(u"it's", u"a 'quoted' value");
    EXPECT_EQ(store.fGetSysPara(u"it's"), u"a 'quoted' value");
    EXPECT_EQ(store.fGetSysPara(u"tabstart"), u"") << "keys compare exactly: an unknown key, no row";
}

} // namespace
} // namespace brassbell
