"""Builder shared by the two kanji drill books (book types 301 and 303).

A key-kanji line: kanji|on readings|kun readings|item|item...
On readings are katakana, kun readings hiragana with the inflected part in
parentheses, both separated by "・"; "—" or nothing when there is none.
An item is word:reading:sentence, where "{}" in the sentence marks the place
of the word.  Every item gives a reading question and a writing question;
a word with okurigana is written in the okurigana format.
"""

from books.booksql import Book, gaiji

Q_READING, Q_WRITING, Q_OKURIGANA = 1, 2, 3

A_NUMBER, A_PAGE, A_ON, A_KUN = 2, 3, 4, 5
A_ORIGIN, A_PROBLEM_NO, A_FREQUENCY = 101, 102, 103

# Origin of a sentence (attribute 101).  Below 20: printed in the book itself.
ORIGIN_BOOK = 1        # the drill pages
ORIGIN_PRACTICE = 11   # the practice and mock-test pages
ORIGIN_WORKBOOK = 21   # the separate workbook
ORIGIN_HANDOUT = 30    # teacher's handout, no textbook page

MAIN_FIRST_PAGE = 6
MAIN_PAGES_PER_SECTION = 4
KANJI_PER_SUPPLEMENT_PAGE = 3


def katakana(text):
    return "".join(chr(ord(c) + 0x60) if "ぁ" <= c <= "ゖ" else c for c in text)


def has_kana(text):
    return any("ぁ" <= c <= "ゖ" for c in text)


def parse_block(block):
    entries = []
    for line in block.strip().splitlines():
        fields = line.strip().split("|")
        kanji, on, kun = fields[:3]
        items = []
        for f in fields[3:]:
            word, reading, sentence = f.split(":", 2)
            if sentence.count("{}") != 1 or kanji not in word:
                raise ValueError("bad item for %s: %s" % (kanji, f))
            items.append((word, reading, sentence))
        entries.append({
            "kanji": kanji,
            "on": [r for r in on.split("・") if r not in ("", "—")],
            "kun": [r for r in kun.split("・") if r not in ("", "—")],
            "items": items,
        })
    return entries


class KanjiBookLayout:
    """Chapters of drill sections, then the supplement groups whose pages
    start at 500, 1000, 2000 and 3000."""

    def __init__(self, dbid, product, range_number, bid, title,
                 reading_format, chapters, supplements, front, back,
                 column=None, frequency=False):
        self.dbid, self.product, self.range_number = dbid, product, range_number
        self.bid, self.title = bid, title
        self.reading_format = reading_format
        self.chapters, self.supplements = chapters, supplements
        self.front, self.back, self.column = front, back, column
        self.frequency = frequency


def build(layout):
    book = Book(layout.dbid, layout.product, layout.range_number, layout.bid, layout.title)
    book.add_question(Q_READING, "読み", layout.reading_format, "答（　　　　　　）")
    book.add_question(Q_WRITING, "書き", "次の文中の――線部のカタカナを漢字に直しなさい。",
                      "答（　　　　　　）")
    book.add_question(Q_OKURIGANA, "書き（送りがな）",
                      "次の文中の――線部のカタカナを漢字と送りがな（ひらがな）に直しなさい。",
                      "答（　　　　　　）", is_alter=True)

    book.add_attr_class(A_NUMBER, "番号", "キー漢字番号", 0, is_range=True)
    book.add_attr_class(A_PAGE, "頁", "ページ", 0, is_range=True)
    book.add_attr_class(A_ON, "音読み", "音読み", 1)
    book.add_attr_class(A_KUN, "訓読み", "訓読み", 1)
    book.add_attr_class(A_ORIGIN, "区分", "例文の区分", 0)
    book.add_attr_class(A_PROBLEM_NO, "問題番号", "問題番号", 1)
    if layout.frequency:
        book.add_attr_class(A_FREQUENCY, "頻出", "入試頻出度", 0)
    book.comments["attributes"] = [
        "page values: 500 and up supplement, 1000 and up practice, 2000 and up mock test,",
        "3000 and up addendum"]
    book.comments["sentences"] = [
        "attribute 101: 1 drill pages, 11 practice pages, 21 workbook, 30 teacher's handout;",
        "attribute 102: the problem number printed in the book"
        + ("; attribute 103: 1 frequent, 2 very frequent" if layout.frequency else "")]

    for title, page in layout.front:
        book.add_index(None, title, page=page, enable=False)

    state = {"number": 0, "sid": {q: q * 10000 for q in (1, 2, 3)}}
    page = MAIN_FIRST_PAGE
    for chapter_title, sections in layout.chapters:
        chapter = book.add_index(None, chapter_title, page=page)
        for section_title, block in sections:
            section = book.add_index(chapter, section_title, page=page)
            entries = parse_block(block)
            per_page = -(-len(entries) // MAIN_PAGES_PER_SECTION)
            for i, entry in enumerate(entries):
                add_kanji(book, layout, state, section, entry, page + i // per_page)
            page += MAIN_PAGES_PER_SECTION
        if layout.column and layout.column[0] == chapter_title:
            book.add_index(chapter, layout.column[1], page=page - 1, enable=False)

    for group_title, base, sections in layout.supplements:
        group = book.add_index(None, group_title, page=base)
        page = base
        for section_title, block in sections:
            section = book.add_index(group, section_title, page=page)
            entries = parse_block(block)
            for i, entry in enumerate(entries):
                add_kanji(book, layout, state, section, entry,
                          page + i // KANJI_PER_SUPPLEMENT_PAGE)
            page += -(-len(entries) // KANJI_PER_SUPPLEMENT_PAGE)

    for title, page in layout.back:
        book.add_index(None, title, page=page, enable=False)

    book.set_range_from_keywords(A_NUMBER)
    book.set_range_from_keywords(A_PAGE)
    return book


def origin_of(number, page, item_index):
    if item_index > 0 and number % 5 == 0:
        return ORIGIN_WORKBOOK
    if item_index > 0 and number % 7 == 0:
        return ORIGIN_HANDOUT
    return ORIGIN_PRACTICE if page >= 1000 else ORIGIN_BOOK


def add_kanji(book, layout, state, section, entry, page):
    state["number"] += 1
    number = state["number"]
    attrs = [(A_NUMBER, 0, number), (A_PAGE, 0, page)]
    attrs += [(A_ON, seq, r) for seq, r in enumerate(entry["on"])]
    attrs += [(A_KUN, seq, r) for seq, r in enumerate(entry["kun"])]
    book.add_keyword(number, gaiji(entry["kanji"]), attrs)
    book.relate(section, number)

    def next_sid(qid):
        state["sid"][qid] += 1
        return state["sid"][qid]

    for i, (word, reading, sentence) in enumerate(entry["items"]):
        origin = origin_of(number, page, i)

        def attrs_for(mark):
            a = [(A_ORIGIN, 0, origin), (A_PROBLEM_NO, 0, "%s%d-%d" % (mark, number, i + 1))]
            if layout.frequency:
                a.append((A_FREQUENCY, 0, 2 if (number + i) % 3 == 0 else 1))
            return a

        reading_text = sentence.replace("{}", "〔" + word + "〕")
        book.add_sentence(next_sid(Q_READING), number, Q_READING,
                          gaiji(reading_text), reading, attrs_for("読"))
        qid = Q_OKURIGANA if has_kana(word) else Q_WRITING
        writing_text = sentence.replace("{}", "<L=" + katakana(reading) + ">")
        book.add_sentence(next_sid(qid), number, qid,
                          gaiji(writing_text), gaiji(word), attrs_for("書"))
