-- Rules.mdb: everything Brassbell keeps between runs.
-- user_version names the schema version, so a later release can migrate a user's file.
-- Texts compare exactly (BINARY): a change or delete by text reaches only the text selected.
-- Keys are AUTOINCREMENT so a deleted record's key never comes back for a newer record.
PRAGMA user_version = 1;

CREATE TABLE tbl_Say (
    SayText TEXT
);
CREATE INDEX idx_Say_SayText ON tbl_Say (SayText);

CREATE TABLE tbl_RndSpeak (
    RandomSpeak TEXT
);
CREATE INDEX idx_RndSpeak_RandomSpeak ON tbl_RndSpeak (RandomSpeak);

CREATE TABLE tbl_Rules (
    RuleID INTEGER PRIMARY KEY AUTOINCREMENT,
    RuleBasicLang TEXT
);

CREATE TABLE tbl_Langs (
    LangID INTEGER PRIMARY KEY AUTOINCREMENT,
    Language TEXT
);
CREATE INDEX idx_Langs_Language ON tbl_Langs (Language);

CREATE TABLE tbl_Text (
    RID INTEGER PRIMARY KEY AUTOINCREMENT,
    LangID INTEGER,
    RuleID INTEGER,
    Translation TEXT
);
CREATE INDEX idx_Text_LangID_RuleID ON tbl_Text (LangID, RuleID);
CREATE INDEX idx_Text_RuleID ON tbl_Text (RuleID);

CREATE TABLE tbl_Userdef (
    UDID INTEGER PRIMARY KEY AUTOINCREMENT,
    UserD1 TEXT,
    Kind TEXT
);

CREATE TABLE tbl_Sys (
    Para TEXT,
    Val TEXT
);
CREATE INDEX idx_Sys_Para ON tbl_Sys (Para);

INSERT INTO tbl_Sys (Para, Val) VALUES ('RndTimer', '60');
INSERT INTO tbl_Sys (Para, Val) VALUES ('TabStart', '0');
