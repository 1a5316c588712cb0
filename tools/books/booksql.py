"""The book database schema and a writer that turns a book into readable SQL.

The same schema serves the sample books in data/books and the large generated
book of tools/generate_book.py.  The program reads only the tables and views
listed in SCHEMA; the attribute views list all rows of one keyword (or one
sentence) together, in book order, which the reader relies on.
"""

import pathlib

# The schema is shared with the program's own book writer (tavisko-book).
SCHEMA = (pathlib.Path(__file__).resolve().parents[2] / "data" / "book-schema.sql").read_text(encoding="utf-8")

# External characters: content texts refer to these characters through the
# code position of the external-character font ("<G=" + code + ">").
GAIJI_CODES = {
    "倶": "98C6", "僅": "98C9", "剥": "98EC", "啄": "99A7", "嘲": "99AC",
    "喝": "99BE", "溺": "99CD", "葛": "99E8", "蔽": "99EC", "迦": "9A46",
    "遜": "9A52", "遡": "9A58", "掻": "9A79", "塡": "9A91", "捗": "9BAC",
    "蔑": "9BB5", "淫": "9BD5", "叱": "9BE2", "煎": "9C87", "牙": "9CC4",
    "殻": "9D5A", "箸": "9EFA", "謎": "E047", "賭": "E072", "餌": "E194",
    "餅": "E195", "頰": "E1A3", "鷗": "E274",
}


def gaiji(text):
    """Writes every character of the external-character set as its tag."""
    return "".join("<G=%s>" % GAIJI_CODES[c] if c in GAIJI_CODES else c
                   for c in text)


def has_gaiji(text):
    return any(c in GAIJI_CODES for c in text)


def attr_type(value):
    return 1 if isinstance(value, str) else 0


def sql_literal(value):
    if value is None:
        return "NULL"
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return str(value)
    return "'" + str(value).replace("'", "''") + "'"


def insert(table, columns, values):
    return "INSERT INTO %s(%s) VALUES(%s);" % (
        table, ",".join(columns), ",".join(sql_literal(v) for v in values))


class IndexEntry:
    def __init__(self, iid, parent, page, title, enable):
        self.iid, self.parent, self.page = iid, parent, page
        self.title, self.enable = title, enable
        self.children = []


class Book:
    """A whole book database in memory: build it, then write it with to_sql."""

    def __init__(self, dbid, product, range_number, bid, title):
        self.info = [("DBID", dbid), ("Product", product),
                     ("RangeNumber", str(range_number))]
        self.bid, self.title = bid, title
        self.root = IndexEntry(1, None, 0, title, True)
        self._next_iid = 2
        self.questions = []      # (qid, sort_key, title, question, ans_field, spc, is_alter)
        self.attr_classes = []   # (acid, name, long_name, type, sort_key, is_range)
        self.attr_ranges = {}    # acid -> (min, max)
        self.keywords = []       # (kid, word, sort_key, enable, [(acid, seq, value)])
        self.sentences = []      # (sid, kid, qid, sort_key, sentence, answer, [(acid, seq, value)])
        self.relations = []      # (iid, kid)
        self.comments = {}       # section name -> comment lines

    def add_index(self, parent, title, page=0, enable=True):
        entry = IndexEntry(self._next_iid, parent or self.root, page, title, enable)
        self._next_iid += 1
        entry.parent.children.append(entry)
        return entry

    def add_question(self, qid, title, question, ans_field, spc=0, is_alter=False):
        self.questions.append((qid, 10 * (len(self.questions) + 1), title, question,
                               ans_field, spc, 1 if is_alter else 0))

    def add_attr_class(self, acid, name, long_name, type_, is_range=False):
        self.attr_classes.append((acid, name, long_name, type_,
                                  10 * (len(self.attr_classes) + 1), 1 if is_range else 0))

    def add_keyword(self, kid, word, attrs, enable=True):
        self.keywords.append((kid, word, 10 * kid, 1 if enable else 0, attrs))

    def add_sentence(self, sid, kid, qid, sentence, answer, attrs):
        self.sentences.append((sid, kid, qid, len(self.sentences) + 1,
                               sentence, answer, attrs))

    def relate(self, entry, kid):
        self.relations.append((entry.iid, kid))

    def set_range_from_keywords(self, acid):
        values = [v for k in self.keywords for (a, s, v) in k[4] if a == acid and s == 0]
        self.attr_ranges[acid] = (min(values), max(values))

    def indices_preorder(self):
        out = []

        def walk(entry):
            out.append(entry)
            for child in entry.children:
                walk(child)
        walk(self.root)
        return out

    def sections(self):
        """The rows of the book, table by table in an order that satisfies the
        foreign keys: a list of (comment lines, [(table, columns, values)])."""
        info = [("Info", ("name", "value"), item) for item in self.info]
        info.append(("BookInfo", ("bid", "title"), (self.bid, self.title)))
        questions = [("Questions", ("qid", "sort_key", "title", "question", "ans_field",
                                    "ans_field_spc", "is_alter"), q) for q in self.questions]
        attrs = [("AttrClasses", ("acid", "name", "long_name", "type", "sort_key", "is_range"),
                  a) for a in self.attr_classes]
        attrs += [("KeywordAttrRange", ("acid", "min_value", "max_value"),
                   (acid,) + self.attr_ranges[acid]) for acid in sorted(self.attr_ranges)]
        indices = []
        for n, e in enumerate(self.indices_preorder(), start=1):
            parent = e.parent.iid if e.parent else 0
            indices.append(("Indices", ("iid", "bid", "parent_iid", "page", "sort_key",
                                        "enable", "title"),
                            (e.iid, self.bid, parent, e.page, 10 * n,
                             1 if e.enable else 0, e.title)))
        keywords = []
        for kid, word, sort_key, enable, kattrs in self.keywords:
            keywords.append(("Keywords", ("kid", "word", "sort_key", "enable"),
                             (kid, word, sort_key, enable)))
            keywords += [("KeywordAttrs", ("kid", "acid", "seq", "type", "value"),
                          (kid, acid, seq, attr_type(value), value))
                         for acid, seq, value in kattrs]
        relations = [("IKRelations", ("iid", "kid"), r) for r in self.relations]
        sentences = []
        for sid, kid, qid, sort_key, sentence, answer, sattrs in self.sentences:
            sentences.append(("Sentences", ("sid", "kid", "qid", "sort_key", "sentence",
                                            "answer"),
                              (sid, kid, qid, sort_key, sentence, answer)))
            sentences += [("SentenceAttrs", ("sid", "acid", "seq", "type", "value"),
                           (sid, acid, seq, attr_type(value), value))
                          for acid, seq, value in sattrs]
        return [
            (["Book settings"], info),
            (["Question formats"], questions),
            (["Attribute classes"] + self.comments.get("attributes", []), attrs),
            (["Table of contents, in pre-order"], indices),
            (["Keywords, each followed by its attributes"], keywords),
            (["Table-of-contents entries and the keywords they cover"], relations),
            (["Sentences (sub-questions), each followed by its attributes"]
             + self.comments.get("sentences", []), sentences),
        ]

    def to_sql(self, header):
        lines = ["-- " + line if line else "--" for line in header]
        lines += ["", "PRAGMA foreign_keys = ON;", "BEGIN TRANSACTION;", "", SCHEMA]
        for comments, rows in self.sections():
            lines += ["-- " + c for c in comments]
            lines += [insert(table, columns, values) for table, columns, values in rows]
            lines.append("")
        lines += ["COMMIT;", ""]
        return "\n".join(lines)

    def write_db(self, path):
        """Writes the book straight into a new SQLite database file."""
        import sqlite3
        db = sqlite3.connect(path)
        try:
            db.execute("PRAGMA foreign_keys = ON")
            # A new file that nobody reads before it is complete: no journal,
            # no waiting for the disk.
            db.execute("PRAGMA journal_mode = OFF")
            db.execute("PRAGMA synchronous = OFF")
            db.executescript(SCHEMA)
            with db:
                for _, rows in self.sections():
                    for table, columns, values in rows:
                        db.execute("INSERT INTO %s(%s) VALUES(%s)" % (
                            table, ",".join(columns), ",".join("?" * len(columns))), values)
        finally:
            db.close()
