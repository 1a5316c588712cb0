"""Content and SQL writer of the sample book databases (see tools/make_sample_books.py)."""
