#!/usr/bin/env python3
"""Writes a large synthetic book database for benchmarks and load tests.

    python3 tools/generate_book.py [--keywords N] [--sentences N]
                                   [--questions N] [--product CODE] OUTPUT

Defaults: 5,000 keywords, 40,000 sentences over 4 question formats, book
type "101".  The book has the same schema as the sample books: a table of
contents of parts, units and sections (20 keywords each), keyword attributes
2 (number), 3 (page, running into the supplement bands for long books) and 4
(a text), and sentence attributes 101 (origin), 102 (problem number) and 103
(frequency).  Sentences go round the question formats keyword by keyword, so
that every keyword is drilled by several formats.  Texts carry the markup of
real books: underlined runs, line breaks, subscripts and external characters.
The output is the same for the same arguments.
"""

import argparse
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from books.booksql import Book, GAIJI_CODES  # noqa: E402

SYLLABLES = ["ka", "ri", "to", "mo", "ne", "su", "ra", "pi", "lo", "ven", "dar",
             "sil", "tor", "mi", "na", "qua", "zel", "bor", "fen", "gu", "ho", "lin"]
KEYWORDS_PER_SECTION = 20
SECTIONS_PER_UNIT = 5
UNITS_PER_PART = 5
KEYWORDS_PER_PAGE = 5
BAND_PAGES = 125
SID_BLOCK = 10000000     # sentence ids of format q start at q * SID_BLOCK


def pseudo_word(rng, number):
    return "".join(rng.choice(SYLLABLES) for _ in range(rng.randint(2, 4))) + str(number)


def page_of(number):
    """Pages run through the main part, then through the supplement bands
    (500, 1000, 2000 and 3000 and up), BAND_PAGES pages each."""
    page = 4 + (number - 1) // KEYWORDS_PER_PAGE
    if page < 500:
        return page
    offset = page - 500
    for band in (500, 1000, 2000):
        if offset < BAND_PAGES:
            return band + offset
        offset -= BAND_PAGES
    return 3000 + offset


def sentence_text(rng, word, n):
    kind = n % 5
    if kind == 0:
        return "Fill in the blank with <L=%s> in the sentence number %d." % (word, n)
    if kind == 1:
        return "First line of item %d@second line with %s" % (n, word)
    if kind == 2:
        return "H<S=2>O and CO<S=2> appear in item %d about %s." % (n, word)
    if kind == 3:
        code = rng.choice(sorted(GAIJI_CODES.values()))
        return "External character <G=%s> in item %d for %s." % (code, n, word)
    return "Plain sentence %d about the word %s." % (n, word)


def build(keywords, sentences, questions, product, seed):
    rng = random.Random(seed)
    book = Book(dbid="TV-BENCH-%d-%d" % (keywords, sentences), product=product,
                range_number=1, bid=9001, title="Generated book (%d keywords)" % keywords)
    for q in range(1, questions + 1):
        book.add_question(q, "Format %d" % q, "Instruction of format %d." % q,
                          "Answer (          )", spc=q % 3, is_alter=q % 2 == 0)
    book.add_attr_class(2, "No.", "Number", 0, is_range=True)
    book.add_attr_class(3, "Page", "Page", 0, is_range=True)
    book.add_attr_class(4, "Class", "Word class", 1)
    book.add_attr_class(101, "Origin", "Origin", 0)
    book.add_attr_class(102, "Problem", "Problem number", 1)
    book.add_attr_class(103, "Frequency", "Frequency", 0)
    book.add_index(None, "Preface", page=2, enable=False)

    part = unit = section = None
    for number in range(1, keywords + 1):
        index_in_book = number - 1
        if index_in_book % (KEYWORDS_PER_SECTION * SECTIONS_PER_UNIT * UNITS_PER_PART) == 0:
            part = book.add_index(None, "Part %d" % (index_in_book // 2500 + 1),
                                  page=page_of(number))
        if index_in_book % (KEYWORDS_PER_SECTION * SECTIONS_PER_UNIT) == 0:
            unit = book.add_index(part, "Unit %d" % (index_in_book // 100 + 1),
                                  page=page_of(number))
        if index_in_book % KEYWORDS_PER_SECTION == 0:
            section = book.add_index(unit, "Section %d" % (index_in_book // 20 + 1),
                                     page=page_of(number))
        book.add_keyword(number, pseudo_word(rng, number), [
            (2, 0, number), (3, 0, page_of(number)), (4, 0, rng.choice(["n", "v", "adj"]))])
        book.relate(section, number)
    book.add_index(None, "Index", page=page_of(keywords) if keywords else 2, enable=False)

    words = {k[0]: k[1] for k in book.keywords}
    sid = {q: q * SID_BLOCK for q in range(1, questions + 1)}
    for n in range(sentences):
        kid = (n // questions) % keywords + 1
        qid = n % questions + 1
        sid[qid] += 1
        origin = 30 if n % 37 == 0 else 20 if n % 10 == 0 else 1
        book.add_sentence(sid[qid], kid, qid, sentence_text(rng, words[kid], n),
                          "answer %d" % n,
                          [(101, 0, origin), (102, 0, "%d-%d" % (kid, n % 7 + 1)),
                           (103, 0, 1 + n % 2)])
    # Book order: keyword by keyword, the formats in turn.
    book.sentences.sort(key=lambda s: (s[1], s[2], s[0]))
    book.sentences = [(s[0], s[1], s[2], i + 1) + s[4:] for i, s in enumerate(book.sentences)]

    book.set_range_from_keywords(2)
    book.set_range_from_keywords(3)
    return book


def main():
    parser = argparse.ArgumentParser(description="Writes a large synthetic book database.")
    parser.add_argument("output", help="the database file to write (replaced when present)")
    parser.add_argument("--keywords", type=int, default=5000)
    parser.add_argument("--sentences", type=int, default=40000)
    parser.add_argument("--questions", type=int, default=4)
    parser.add_argument("--product", default="101", choices=["101", "301", "303"])
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    if args.keywords < 1 or args.sentences < 0 or not 1 <= args.questions <= 200:
        parser.error("keywords must be at least 1, sentences at least 0, "
                     "questions between 1 and 200")
    if args.sentences // args.questions >= SID_BLOCK - 1:
        parser.error("too many sentences per question format")

    book = build(args.keywords, args.sentences, args.questions, args.product, args.seed)
    folder = os.path.dirname(os.path.abspath(args.output))
    os.makedirs(folder, exist_ok=True)
    temporary = args.output + ".tmp"
    if os.path.exists(temporary):
        os.remove(temporary)
    book.write_db(temporary)
    os.replace(temporary, args.output)
    print("%s: %d keywords, %d sentences, %d index entries"
          % (args.output, len(book.keywords), len(book.sentences),
             len(book.indices_preorder())))


if __name__ == "__main__":
    main()
