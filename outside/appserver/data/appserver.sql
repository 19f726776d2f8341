-- Storage of the report server: jobs with their whole request, the daily job
-- number sequence, job status history, condition schemes and user rights.
-- Run once, when the database is new (user_version 0).

CREATE TABLE IF NOT EXISTS job_sequence (
  job_day  TEXT PRIMARY KEY,          -- yyyymmdd
  last_seq INTEGER NOT NULL
);

CREATE TABLE IF NOT EXISTS jobs (
  job_no          TEXT PRIMARY KEY,   -- job_day followed by seq in five digits
  job_day         TEXT NOT NULL,
  seq             INTEGER NOT NULL,
  operation       TEXT NOT NULL,      -- Request or Request1
  program_code    TEXT NOT NULL,
  company_id      TEXT NOT NULL,
  user_id         TEXT NOT NULL,
  db_name         TEXT NOT NULL,
  prog_id         TEXT NOT NULL,
  report_kind     TEXT NOT NULL,
  periodic        INTEGER NOT NULL,
  generation_mode INTEGER,            -- 0 job queue, 1 at once, 2 at start_time
  start_time      REAL,               -- days since 1899-12-30
  start_text      TEXT,
  condition_count INTEGER NOT NULL,
  computer_name   TEXT NOT NULL DEFAULT '',
  submitted_at    REAL NOT NULL,
  submitted_text  TEXT NOT NULL,
  status          TEXT NOT NULL,
  status_text     TEXT NOT NULL DEFAULT '',
  status_time     REAL,
  request         TEXT NOT NULL,      -- the request as sent, as variant JSON
  UNIQUE (job_day, seq)
);
CREATE INDEX IF NOT EXISTS jobs_by_user ON jobs (company_id, user_id, program_code);

CREATE TABLE IF NOT EXISTS job_events (
  id      INTEGER PRIMARY KEY,
  job_no  TEXT NOT NULL REFERENCES jobs (job_no),
  at      REAL NOT NULL,
  at_text TEXT NOT NULL,
  status  TEXT NOT NULL,
  text    TEXT NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS job_events_by_job ON job_events (job_no);

CREATE TABLE IF NOT EXISTS schemes (
  NCONDITION  TEXT NOT NULL,          -- scheme name
  CREATOR     TEXT NOT NULL,          -- user id
  PROGRAMME   TEXT NOT NULL,          -- program code
  SCONDITION  TEXT NOT NULL,          -- field list
  VCONDITION  TEXT NOT NULL,          -- value text
  CREATE_DATE TEXT NOT NULL,          -- yyyymmdd
  PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME)
);

-- Rights of a user on a program. "*" stands for any database, user or
-- program; the most specific row wins (user before program before database).
-- Database names and program codes match without regard to case.
-- mask: one Y/N per right; the seventh and eighth open the lookup windows'
-- extra functions.
CREATE TABLE IF NOT EXISTS user_rights (
  db_name      TEXT NOT NULL COLLATE NOCASE DEFAULT '*',
  user_id      TEXT NOT NULL,
  program_code TEXT NOT NULL COLLATE NOCASE,
  rights_code  TEXT NOT NULL DEFAULT '',
  flag1        TEXT NOT NULL DEFAULT 'N',
  flag2        TEXT NOT NULL DEFAULT 'N',
  mask         TEXT NOT NULL DEFAULT 'NNNNNNNN',
  text5        TEXT NOT NULL DEFAULT '',
  text6        TEXT NOT NULL DEFAULT '',
  data2        TEXT NOT NULL DEFAULT '',
  data3        TEXT NOT NULL DEFAULT '',
  base_limit   TEXT NOT NULL DEFAULT '',
  limit_items  TEXT NOT NULL DEFAULT '',  -- items separated by ';'
  PRIMARY KEY (db_name, user_id, program_code)
);

INSERT OR IGNORE INTO user_rights
  (db_name, user_id, program_code, rights_code, flag1, flag2, mask, text5, text6, data2, data3, base_limit, limit_items)
VALUES
  ('*', '*',  '*',      'GUEST', 'N', 'N', 'YNNNYNNN', '', '', '', '', '', ''),
  ('*', 'DS', '*',      'ADMIN', 'Y', 'Y', 'YYYYYYYY', 'ALL', '', 'DS', '', '', ''),
  ('*', '796', '*',     'ADMIN', 'Y', 'Y', 'YYYYYYYY', 'ALL', '', '796', '', '', ''),
  ('*', 'LIN', 'RAVLET','CLERK', 'Y', 'N', 'YYYNYNYN', '', '', 'LIN', '', 'W01', 'W01;W02');

PRAGMA user_version = 1;
