-- The demo ERP database behind the work-center stand-in. The files of this
-- folder run in name order into a new database; user_version tells which
-- edition of them built it, and a database of another edition is rebuilt.

-- Facts about the work center itself (VersionType, ProductID, Language).
CREATE TABLE WCINFO (
  NAME  TEXT PRIMARY KEY COLLATE NOCASE,
  VALUE TEXT NOT NULL
);

-- System settings; COMPANY '*' applies to every company unless the company
-- has a row of its own.
CREATE TABLE SYSSET (
  COMPANY TEXT NOT NULL COLLATE NOCASE,
  NAME    TEXT NOT NULL COLLATE NOCASE,
  VALUE   TEXT NOT NULL,
  NOTE    TEXT NOT NULL DEFAULT '',
  PRIMARY KEY (COMPANY, NAME)
);

-- Users.
CREATE TABLE QVRMA (
  MA001 TEXT PRIMARY KEY,             -- user code
  MA002 TEXT NOT NULL,                -- name
  MA003 TEXT NOT NULL DEFAULT '',     -- mobile number
  MA004 TEXT NOT NULL DEFAULT '',     -- mail address
  MA005 TEXT NOT NULL DEFAULT 'zh-CN' -- language
);

-- Program master.
CREATE TABLE ADMMB (
  MB001 TEXT PRIMARY KEY COLLATE NOCASE, -- program code
  MB002 TEXT NOT NULL,                   -- program name
  MB003 TEXT NOT NULL DEFAULT '',        -- subsystem
  MB004 TEXT NOT NULL DEFAULT 'R',       -- kind: R report, B batch
  MB005 TEXT NOT NULL DEFAULT 'N',       -- Y: keep a job log (register direct runs)
  MB006 TEXT NOT NULL DEFAULT 'N',       -- Y: no direct run on the workstation
  MB007 TEXT NOT NULL DEFAULT '',        -- version
  MB008 TEXT NOT NULL DEFAULT '',        -- English name
  MB009 TEXT NOT NULL DEFAULT ''         -- report file
);

-- Interval codes of material requirements planning.
CREATE TABLE MRPMB (
  MB001 TEXT PRIMARY KEY,             -- interval code, at most four characters
  MB002 TEXT NOT NULL,                -- name
  MB003 TEXT NOT NULL,                -- unit: D day, W week, M month
  MB004 INTEGER NOT NULL,             -- length in units
  MB005 TEXT NOT NULL DEFAULT ''      -- remark
);

-- Page footer (MS001 '1') and sign-off (MS001 '2') texts.
CREATE TABLE CMSMS (
  MS001 TEXT NOT NULL,
  MS002 TEXT NOT NULL,                -- code
  MS003 TEXT NOT NULL,                -- name
  MS004 TEXT NOT NULL DEFAULT '',     -- line 1
  MS005 TEXT NOT NULL DEFAULT '',     -- line 2
  MS006 TEXT NOT NULL DEFAULT '',     -- line 3
  PRIMARY KEY (MS001, MS002)
);

-- Print defaults of a program: its footer and sign-off, and whether the user
-- may choose others (Y).
CREATE TABLE CMSMT (
  MT001 TEXT PRIMARY KEY COLLATE NOCASE, -- program code
  MT002 TEXT NOT NULL DEFAULT '',        -- footer code
  MT003 TEXT NOT NULL DEFAULT 'Y',
  MT004 TEXT NOT NULL DEFAULT '',        -- sign-off code
  MT005 TEXT NOT NULL DEFAULT 'Y'
);

-- Company configuration (the web report site and the like).
CREATE TABLE CMSMA (
  MA001 TEXT PRIMARY KEY,
  MA002 TEXT NOT NULL,
  MA003 TEXT NOT NULL DEFAULT ''
);

-- Integration settings (the company portal).
CREATE TABLE QVRINTMA (
  MA001 TEXT PRIMARY KEY,
  MA002 TEXT NOT NULL DEFAULT '',
  MA003 TEXT NOT NULL DEFAULT ''
);

-- Published server-side module files, by lower-case file name.
CREATE TABLE ADMFILE (
  FILE_NAME TEXT PRIMARY KEY COLLATE NOCASE,
  MODIFY    TEXT NOT NULL,            -- modification stamp
  PATH      TEXT NOT NULL             -- published path
);

-- Phrases a user keeps for quick entry.
CREATE TABLE QVRPH (
  PH001 TEXT NOT NULL,                -- user code
  PH002 INTEGER NOT NULL,             -- order
  PH003 TEXT NOT NULL,                -- phrase
  PRIMARY KEY (PH001, PH002)
);

-- Message texts by type letter and six-digit number, in Simplified Chinese
-- and English. "%s" marks where the caller's arguments go.
CREATE TABLE QVRMSG (
  MSG_TYPE TEXT NOT NULL,
  MSG_NO   TEXT NOT NULL,
  TEXT_CHS TEXT NOT NULL,
  TEXT_ENG TEXT NOT NULL,
  PRIMARY KEY (MSG_TYPE, MSG_NO)
);

-- Lookups: the validator's checks (PURPOSE 'check') and the lookup windows
-- (PURPOSE 'window'). The SQL takes the caller's arguments as ?1, ?2, ...;
-- missing ones are empty texts. CAPTIONS: the window's column captions,
-- separated by '|'.
CREATE TABLE QVRLOOKUP (
  TABLE_CODE TEXT NOT NULL COLLATE NOCASE,
  LOOKUP_KEY TEXT NOT NULL,
  PURPOSE    TEXT NOT NULL,
  TITLE      TEXT NOT NULL DEFAULT '',
  CAPTIONS   TEXT NOT NULL DEFAULT '',
  SQL        TEXT NOT NULL,
  PRIMARY KEY (TABLE_CODE, LOOKUP_KEY, PURPOSE)
);
