CREATE TABLE Info (
  name  TEXT NOT NULL PRIMARY KEY,
  value TEXT
);
CREATE TABLE BookInfo (
  bid   INTEGER NOT NULL PRIMARY KEY,
  title TEXT NOT NULL
);
-- Table of contents.  Rows in sort_key order are a depth-first pre-order walk
-- of the tree; the root's parent_iid is 0.  enable 0: listed, cannot be chosen.
CREATE TABLE Indices (
  iid        INTEGER NOT NULL PRIMARY KEY,
  bid        INTEGER NOT NULL REFERENCES BookInfo(bid),
  parent_iid INTEGER NOT NULL,
  page       INTEGER NOT NULL DEFAULT 0,
  sort_key   INTEGER NOT NULL UNIQUE,
  enable     INTEGER NOT NULL DEFAULT 1 CHECK (enable IN (0, 1)),
  title      TEXT NOT NULL
);
-- Question formats: instruction, answer field and number of blank answer lines.
CREATE TABLE Questions (
  qid           INTEGER NOT NULL PRIMARY KEY,
  sort_key      INTEGER NOT NULL UNIQUE,
  title         TEXT NOT NULL,
  question      TEXT NOT NULL,
  ans_field     TEXT NOT NULL DEFAULT '',
  ans_field_spc INTEGER NOT NULL DEFAULT 0,
  is_alter      INTEGER NOT NULL DEFAULT 0 CHECK (is_alter IN (0, 1))
);
-- type: 0 integer values, 1 text values.  is_range: offered for choosing by
-- a number interval (its interval is in KeywordAttrRange).
CREATE TABLE AttrClasses (
  acid      INTEGER NOT NULL PRIMARY KEY,
  name      TEXT NOT NULL,
  long_name TEXT NOT NULL,
  type      INTEGER NOT NULL CHECK (type IN (0, 1)),
  sort_key  INTEGER NOT NULL UNIQUE,
  is_range  INTEGER NOT NULL DEFAULT 0 CHECK (is_range IN (0, 1))
);
CREATE TABLE KeywordAttrRange (
  acid      INTEGER NOT NULL PRIMARY KEY REFERENCES AttrClasses(acid),
  min_value INTEGER NOT NULL,
  max_value INTEGER NOT NULL
);
CREATE TABLE Keywords (
  kid      INTEGER NOT NULL PRIMARY KEY,
  word     TEXT NOT NULL,
  sort_key INTEGER NOT NULL UNIQUE,
  enable   INTEGER NOT NULL DEFAULT 1 CHECK (enable IN (0, 1))
);
-- value holds an integer (type 0) or a text (type 1); the column has no
-- declared type so that SQLite keeps each value as written.
CREATE TABLE KeywordAttrs (
  kid   INTEGER NOT NULL REFERENCES Keywords(kid),
  acid  INTEGER NOT NULL REFERENCES AttrClasses(acid),
  seq   INTEGER NOT NULL DEFAULT 0,
  type  INTEGER NOT NULL CHECK (type IN (0, 1)),
  value,
  PRIMARY KEY (kid, acid, seq)
);
CREATE TABLE Sentences (
  sid      INTEGER NOT NULL PRIMARY KEY,
  kid      INTEGER NOT NULL REFERENCES Keywords(kid),
  qid      INTEGER NOT NULL REFERENCES Questions(qid),
  sort_key INTEGER NOT NULL UNIQUE,
  sentence TEXT NOT NULL,
  answer   TEXT NOT NULL
);
CREATE INDEX SentencesByQuestion ON Sentences(qid, sort_key);
CREATE TABLE SentenceAttrs (
  sid   INTEGER NOT NULL REFERENCES Sentences(sid),
  acid  INTEGER NOT NULL REFERENCES AttrClasses(acid),
  seq   INTEGER NOT NULL DEFAULT 0,
  type  INTEGER NOT NULL CHECK (type IN (0, 1)),
  value,
  PRIMARY KEY (sid, acid, seq)
);
-- Which keywords a table-of-contents entry covers.
CREATE TABLE IKRelations (
  iid INTEGER NOT NULL REFERENCES Indices(iid),
  kid INTEGER NOT NULL REFERENCES Keywords(kid),
  PRIMARY KEY (iid, kid)
);
-- One row per attribute value; all rows of one owner are consecutive.
CREATE VIEW KeywordsWithAttrs AS
  SELECT k.kid, k.word, k.sort_key, k.enable, a.acid, a.seq, a.type, a.value
  FROM Keywords k JOIN KeywordAttrs a ON a.kid = k.kid
  ORDER BY k.sort_key, k.kid, a.acid, a.seq;
CREATE VIEW SentencesWithAttrs AS
  SELECT s.sid, s.kid, s.qid, s.sort_key, s.sentence, s.answer,
         a.acid, a.seq, a.type, a.value
  FROM Sentences s JOIN SentenceAttrs a ON a.sid = s.sid
  ORDER BY s.sort_key, s.sid, a.acid, a.seq;
