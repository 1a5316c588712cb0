#!/usr/bin/env python3
"""Makes the external-character font "Morvane Gaiji" from a free CJK font.

The book content addresses its special characters by the code positions of
rarely used kanji (the external-character table below, key -> replacement).
The font made here holds exactly those 28 code positions, each drawn with
the glyph of its replacement, or of the replacement's traditional form where
the source font has one (e.g. U+525D for U+5265), and nothing else.

    make_gaiji_font.py <source .ttc/.otf> <output .otf> [<family in the source>]

The source is normally Noto Serif CJK JP (Debian: fonts-noto-cjk); a
collection is searched for the face whose family is the third argument.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTCollection, TTFont
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

FAMILY = "Morvane Gaiji"
POSTSCRIPT_NAME = "MorvaneGaiji-Regular"

# Code-position character -> the ordinary character it stands for.
TABLE = {
    0x4F5D: 0x5036, 0x4F76: 0x50C5, 0x5011: 0x5265, 0x52DE: 0x5544,
    0x52F3: 0x5632, 0x5346: 0x559D, 0x53A6: 0x6EBA, 0x5475: 0x845B,
    0x5477: 0x853D, 0x54E5: 0x8FE6, 0x554C: 0x905C, 0x5538: 0x9061,
    0x5650: 0x63BB, 0x56C1: 0x5861, 0x5CBB: 0x6357, 0x5CFD: 0x8511,
    0x5D90: 0x6DEB, 0x5E1A: 0x53F1, 0x602B: 0x714E, 0x613C: 0x7259,
    0x62BB: 0x6BBB, 0x6A84: 0x7BB8, 0x6F80: 0x8B0E, 0x7051: 0x8CED,
    0x7646: 0x990C, 0x765C: 0x9905, 0x7680: 0x9830, 0x7A70: 0x9DD7,
}

# Traditional forms preferred where the source font has them.
TRADITIONAL = {
    0x5036: 0x4FF1,   # 倶 -> 俱
    0x5265: 0x525D,   # 剥 -> 剝
    0x63BB: 0x6414,   # 掻 -> 搔
    0x53F1: 0x20B9F,  # 叱 -> 𠮟
    0x6BBB: 0x6BBC,   # 殻 -> 殼
    0x9905: 0x9920,   # 餅 -> 餠
}


def open_source(path, family):
    if path.lower().endswith(".ttc"):
        for font in TTCollection(path).fonts:
            if font["name"].getDebugName(1) == family:
                return font
        sys.exit(f"{path}: no face of family {family!r}")
    return TTFont(path)


def glyph_map(font):
    cmap = font.getBestCmap()
    chosen = {}
    for key, replacement in TABLE.items():
        for code in (TRADITIONAL.get(replacement), replacement):
            if code is not None and code in cmap:
                chosen[key] = cmap[code]
                break
        else:
            sys.exit(f"the source font has no glyph for U+{replacement:04X}")
    return chosen


def rename(font):
    name = font["name"]
    name.names = []
    for name_id, text in ((1, FAMILY), (2, "Regular"), (3, POSTSCRIPT_NAME),
                          (4, FAMILY), (5, "Version 1.000"), (6, POSTSCRIPT_NAME)):
        name.setName(text, name_id, 3, 1, 0x409)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [POSTSCRIPT_NAME]
        top = cff.topDictIndex[0]
        for key in ("FullName", "FamilyName"):
            if hasattr(top, key):
                setattr(top, key, FAMILY)
        # A CID-keyed font names each of its font dicts too, and PDF writers
        # embed under those names: "NotoSerifCJKjp-Regular-Ideographs" would
        # claim that its glyphs are the source font's.
        for font_dict in getattr(top, "FDArray", []):
            old = getattr(font_dict, "FontName", None)
            if old is not None:
                suffix = old.rsplit("-", 1)[-1] if "-" in old else ""
                font_dict.FontName = f"{POSTSCRIPT_NAME}-{suffix}" if suffix else POSTSCRIPT_NAME


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    family = sys.argv[3] if len(sys.argv) > 3 else "Noto Serif CJK JP"
    font = open_source(source, family)
    chosen = glyph_map(font)

    options = subset.Options()
    options.layout_features = []
    options.name_IDs = ["*"]
    options.notdef_outline = True
    options.desubroutinize = True
    options.hinting = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=sorted(set(chosen.values())))
    subsetter.subset(font)

    # The code positions, and nothing else, lead to the glyphs.
    tables = []
    for platform, encoding in ((0, 3), (3, 1)):
        table = CmapSubtable.newSubtable(4)
        table.platformID, table.platEncID, table.language = platform, encoding, 0
        table.cmap = dict(chosen)
        tables.append(table)
    font["cmap"].tables = tables
    for tag in ("GSUB", "GPOS", "VORG", "vhea", "vmtx", "BASE"):
        if tag in font and tag in ("GSUB", "GPOS", "BASE"):
            del font[tag]
    os2 = font["OS/2"]
    os2.usFirstCharIndex = min(chosen)
    os2.usLastCharIndex = max(chosen)
    rename(font)
    font.save(output)


if __name__ == "__main__":
    main()
