-- The delivered database: every table the program reads and writes, with the single rows of its
-- settings tables. upgrade_database creates new files from it and adds what older files lack.

CREATE TABLE IF NOT EXISTS SOFTWARE_INFO (
    Key TEXT PRIMARY KEY NOT NULL,
    Value
);

CREATE TABLE IF NOT EXISTS TASK_LIST (
    id INTEGER PRIMARY KEY,
    TaskName TEXT DEFAULT '',
    TaskTimeSee TEXT DEFAULT '',
    IconPath TEXT DEFAULT '',
    NoticeCycle INTEGER DEFAULT 0,
    Noticed INTEGER DEFAULT 0,
    Deleted INTEGER DEFAULT 0,
    NormalNoticeKeepDisplay INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS TASK_CONFIG (
    CN_BgType INTEGER DEFAULT 1,
    CN_Color TEXT DEFAULT '#00677c',
    CN_ShadowColor TEXT DEFAULT '#000000',
    CN_AppearSec INTEGER DEFAULT 2,
    CN_KeepSec INTEGER DEFAULT 5,
    CN_DisappearSec INTEGER DEFAULT 2,
    NN_DisplaySec INTEGER DEFAULT 60,
    CN_EnableTask INTEGER DEFAULT 1,
    CN_EnableBirthday INTEGER DEFAULT 0,
    NN_EnableTask INTEGER DEFAULT 1,
    NN_EnableBirthday INTEGER DEFAULT 1
);

CREATE TABLE IF NOT EXISTS TASK_WORKDAY (
    id INTEGER PRIMARY KEY,
    TaskDateStr TEXT DEFAULT '',
    Notice TEXT DEFAULT '',
    TaskDate INTEGER DEFAULT 0,
    Workday INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS BIRTHDAY_INFO (
    id INTEGER PRIMARY KEY,
    Name TEXT DEFAULT '',
    CallName TEXT DEFAULT '',
    SolarDate TEXT DEFAULT '',
    RecentDate TEXT DEFAULT '',
    IconPath TEXT DEFAULT '',
    Gender INTEGER DEFAULT 1,
    IsLunar INTEGER DEFAULT 1,
    IgnoreSolarYear INTEGER DEFAULT 0,
    IgnoreLunarYear INTEGER DEFAULT 0,
    LunarYear INTEGER DEFAULT 0,
    LunarMonth INTEGER DEFAULT 0,
    LunarDay INTEGER DEFAULT 0,
    IsLeapMonth INTEGER DEFAULT 0,
    Notice1 INTEGER DEFAULT 1,
    Notice3 INTEGER DEFAULT 0,
    Notice7 INTEGER DEFAULT 0,
    HasNoticed0 INTEGER DEFAULT 0,
    HasNoticed1 INTEGER DEFAULT 0,
    HasNoticed3 INTEGER DEFAULT 0,
    HasNoticed7 INTEGER DEFAULT 0
);

CREATE TABLE IF NOT EXISTS USERS_CONFIG (
    UserLimitOnePage INTEGER DEFAULT 20,
    NoActiveLogoutSec INTEGER DEFAULT 60
);

CREATE TABLE IF NOT EXISTS USERS_USER_INFO (
    ID INTEGER PRIMARY KEY,
    Title TEXT DEFAULT '',
    Site TEXT DEFAULT '',
    User TEXT DEFAULT '',
    Pwd TEXT DEFAULT '',
    PwdNote TEXT DEFAULT '',
    NickName TEXT DEFAULT '',
    Email TEXT DEFAULT '',
    Phone TEXT DEFAULT '',
    NotePublic TEXT DEFAULT '',
    NotePrivate TEXT DEFAULT '',
    UpdateDate INTEGER DEFAULT 0,
    UpdateDateStr TEXT DEFAULT ''
);

CREATE TABLE IF NOT EXISTS USERS_VERIFY (
    EncryptText TEXT DEFAULT '',
    DecryptText TEXT DEFAULT ''
);

CREATE TABLE IF NOT EXISTS ICON_LIST (
    id INTEGER PRIMARY KEY,
    What INTEGER DEFAULT 0,
    Path TEXT DEFAULT '',
    Notice TEXT DEFAULT ''
);

-- Single rows: inserted only where the table is still empty.
INSERT INTO TASK_CONFIG (CN_BgType, CN_Color, CN_ShadowColor, CN_AppearSec, CN_KeepSec, CN_DisappearSec,
                         NN_DisplaySec, CN_EnableTask, CN_EnableBirthday, NN_EnableTask, NN_EnableBirthday)
    SELECT 1, '#00677c', '#000000', 2, 5, 2, 60, 1, 0, 1, 1
    WHERE NOT EXISTS (SELECT 1 FROM TASK_CONFIG);

INSERT INTO USERS_CONFIG (UserLimitOnePage, NoActiveLogoutSec)
    SELECT 20, 60
    WHERE NOT EXISTS (SELECT 1 FROM USERS_CONFIG);

INSERT INTO USERS_VERIFY (EncryptText, DecryptText)
    SELECT 'Pemmora vault verification text: 7f3a9c21-5e8b-4d06-a1c4-2b9e6f0d8a53', ''
    WHERE NOT EXISTS (SELECT 1 FROM USERS_VERIFY);

INSERT OR REPLACE INTO SOFTWARE_INFO (Key, Value) VALUES ('DatabaseVersion', 2);
INSERT OR REPLACE INTO SOFTWARE_INFO (Key, Value) VALUES ('DatabaseDate', '2024.05.19');
