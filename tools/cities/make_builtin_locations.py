#!/usr/bin/env python3
"""Generates locations/builtin_locations.cpp, the program's table of cities.

The names come from names.txt (City, State, Country: the exact texts the
program uses, from which descriptions and CRCs are built). Coordinates come
from public data installed by Debian packages:

  gweather  libgweather-4-common  /usr/share/libgweather-4/Locations.xml
  kstars    kstars-data           /usr/share/kstars/citydb.sqlite
  stellarium stellarium-data      /usr/share/stellarium/data/base_locations.bin.gz
  tzdata    tzdata                /usr/share/zoneinfo/zone1970.tab
  census, noaa  weather-util-data  /usr/share/weather-util/{places,stations}.gz

Each row takes its coordinates from the first source that knows the city
(in the order of SOURCE_ORDER),
rounded to whole minutes, and is checked against the next source that knows
it. fixed_rows.txt gives rows whose coordinates are fixed exactly; they are
checked the same way. aliases.txt gives the names under which the sources
know a city whose table name is historical or spelt differently.

  tools/cities/make_builtin_locations.py           writes the table and check.txt
  tools/cities/make_builtin_locations.py --check   prints the check only
"""

import gzip
import math
import os
import re
import sqlite3
import struct
import sys
import unicodedata
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "..", "locations", "builtin_locations.cpp")
CHECK_OUTPUT = os.path.join(HERE, "check.txt")
GWEATHER = "/usr/share/libgweather-4/Locations.xml"
KSTARS = "/usr/share/kstars/citydb.sqlite"
STELLARIUM = "/usr/share/stellarium/data/base_locations.bin.gz"
TZDATA = "/usr/share/zoneinfo/zone1970.tab"
ISO3166 = "/usr/share/zoneinfo/iso3166.tab"
ZONE_TAB = "/usr/share/zoneinfo/zone.tab"
ZONE_LINKS = "/usr/share/zoneinfo/tzdata.zi"
CENSUS = "/usr/share/weather-util/places.gz"
NOAA = "/usr/share/weather-util/stations.gz"
PACKAGES = {GWEATHER: "libgweather-4-common", KSTARS: "kstars-data",
            STELLARIUM: "stellarium-data", TZDATA: "tzdata", CENSUS: "weather-util-data"}
EXPECTED_ROWS, EXPECTED_US_ROWS = 363, 115
# A check that disagrees by more than this is reported as a failure.
TOLERANCE_KM = 60.0
# Rows that only one of the installed sources knows by name.
ONE_SOURCE_ROWS = {"Mosul, IRAQ", "Eastport, ME, USA", "Richfield, UT, USA"}

# Table country -> the country names the sources use (gweather, kstars, ISO code),
# where they are not the table's name in title case.
COUNTRIES = {
    "AZORES": ("Portugal", "Portugal", "PT"),
    "CONGO": ("Congo, Republic of the", "Congo", "CG"),
    "CZECH REPUBLIC": ("Czech Republic", "Czechia", "CZ"),
    "ENGLAND": ("United Kingdom", "United Kingdom", "GB"),
    "EQUADOR": ("Ecuador", "Ecuador", "EC"),
    "IRIAN BARAT": ("Indonesia", "Indonesia", "ID"),
    "IVORY COAST": ("Côte d'Ivoire", "Ivory coast", "CI"),
    "KOREA": ("South Korea|North Korea", "South Korea|North Korea", "KR|KP"),
    "MYANMAR": ("Myanmar", "Myanmar", "MM"),
    "NORTHERN IRELAND": ("United Kingdom", "United Kingdom", "GB"),
    "SCOTLAND": ("United Kingdom", "United Kingdom", "GB"),
    "SOUTH YEMEN": ("Yemen", "Yemen", "YE"),
    "TRINIDAD": ("Trinidad and Tobago", "Trinidad and Tobago", "TT"),
    "USA": ("United States|Puerto Rico", "USA|US Territory", "US|PR"),
    "VIETNAM": ("Viet Nam", "Vietnam", "VN"),
    "YUGOSLAVIA": ("Serbia", "Yugoslavia", "RS"),
    "ZAIRE": ("Congo, Democratic Republic of the",
              "Congo (Democratic Republic)|Dem rep of Congo", "CD"),
}

US_STATES = {
    "AK": "Alaska", "AL": "Alabama", "AR": "Arkansas", "AZ": "Arizona", "CA": "California",
    "CO": "Colorado", "CT": "Connecticut", "DC": "District of Columbia", "FL": "Florida",
    "GA": "Georgia", "HI": "Hawaii", "IA": "Iowa", "ID": "Idaho", "IL": "Illinois",
    "IN": "Indiana", "KS": "Kansas", "KY": "Kentucky", "LA": "Louisiana", "MA": "Massachusetts",
    "MD": "Maryland", "ME": "Maine", "MI": "Michigan", "MN": "Minnesota", "MO": "Missouri",
    "MS": "Mississippi", "MT": "Montana", "NC": "North Carolina", "ND": "North Dakota",
    "NE": "Nebraska", "NH": "New Hampshire", "NJ": "New Jersey", "NM": "New Mexico",
    "NV": "Nevada", "NY": "New York", "OH": "Ohio", "OK": "Oklahoma", "OR": "Oregon",
    "PA": "Pennsylvania", "PR": "Puerto Rico", "RI": "Rhode Island", "SC": "South Carolina",
    "SD": "South Dakota", "TN": "Tennessee", "TX": "Texas", "UT": "Utah", "VA": "Virginia",
    "VT": "Vermont", "WA": "Washington", "WI": "Wisconsin", "WV": "West Virginia",
    "WY": "Wyoming",
}


def fail(message):
    sys.exit("make_builtin_locations: " + message)


def normalise(text):
    """Lower case, accents and punctuation removed, for comparing names."""
    text = unicodedata.normalize("NFKD", text)
    text = "".join(c for c in text if not unicodedata.combining(c))
    return re.sub(r"[^a-z0-9]+", " ", text.lower()).strip()


def read_table(name, columns):
    rows = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) < columns:
                fail(f"{name} line {number}: expected {columns} tab-separated fields")
            rows.append(fields)
    return rows


class Place:
    def __init__(self, source, lat, lon, names, countries, region="", population=0):
        self.source, self.lat, self.lon = source, lat, lon
        self.population = population
        self.names = {normalise(n) for n in names if n}
        self.countries = {normalise(c) for c in countries if c}
        self.region = normalise(region)


def gweather_places():
    root = ElementTree.parse(GWEATHER).getroot()
    places = []

    def walk(node, country, region):
        for child in node:
            tag = child.tag
            name = child.findtext("_name") or child.findtext("name") or ""
            if tag == "country":
                walk(child, name, "")
            elif tag == "state":
                walk(child, country, name)
            elif tag in ("city", "location"):
                coordinates = child.findtext("coordinates")
                if coordinates:
                    lat, lon = map(float, coordinates.split())
                    source = "gweather" if tag == "city" else "gweather-station"
                    places.append(Place(source, lat, lon, [name], [country], region))
                walk(child, country, region)
            elif tag == "region":
                walk(child, country, region)

    walk(root, "", "")
    return places


def dms(text):
    """kstars writes ' 34° 34' 01"' or '-33° 54' 59"', and once plain decimal degrees."""
    if re.fullmatch(r"\s*-?\d+\.\d+\s*", text):
        return float(text)
    match = re.match(r"\s*(-?)\s*(\d+)\D+(\d+)\D+(\d+)", text)
    if not match:
        fail(f"unreadable kstars coordinate {text!r}")
    sign, d, m, s = match.groups()
    value = int(d) + int(m) / 60 + int(s) / 3600
    return -value if sign else value


def kstars_places():
    with sqlite3.connect(KSTARS) as db:
        rows = db.execute("select Name, Province, Country, Latitude, Longitude from city")
        return [Place("kstars", dms(lat), dms(lon), [name], [country], province or "")
                for name, province, country, lat, lon in rows]


class QtStream:
    """Reads the big-endian Qt data stream that stellarium's location file is."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from(">" + fmt, self.data, self.pos)
        self.pos += struct.calcsize(">" + fmt)
        return values[0] if len(values) == 1 else values

    def string(self):
        size = self.take("I")
        if size == 0xFFFFFFFF:
            return ""
        text = self.data[self.pos:self.pos + size].decode("utf-16-be")
        self.pos += size
        return text


def zone_countries():
    """IANA zone -> the ISO codes of the countries that use it."""
    zones = {}
    for path in (TZDATA, ZONE_TAB):
        with open(path, encoding="utf-8") as f:
            for line in f:
                if not line.startswith("#"):
                    codes, _, zone = line.split("\t")[:3]
                    zones.setdefault(zone.strip(), set()).update(codes.split(","))
    # Older names of zones ("L Europe/Kyiv Europe/Kiev") count as their zone.
    with open(ZONE_LINKS, encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if len(fields) == 3 and fields[0] == "L" and fields[1] in zones:
                zones.setdefault(fields[2], set()).update(zones[fields[1]])
    return zones


def stellarium_places():
    """Records: key, name, state, region, role, population, latitude, longitude,
    altitude, light pollution, zone, planet, landscape, user flag."""
    stream = QtStream(gzip.open(STELLARIUM).read())
    zones = zone_countries()
    places = []
    for _ in range(stream.take("I")):
        _, name, state, _ = (stream.string() for _ in range(4))
        _, population, lat, lon, _, _ = stream.take("HIddii")
        zone, planet, _ = (stream.string() for _ in range(3))
        stream.take("B")
        if planet == "Earth":
            # Names that occur more than once carry their region in brackets.
            plain = re.sub(r"\s*\(.*\)$", "", name)
            places.append(Place("stellarium", lat, lon, [name, plain], zones.get(zone, []),
                                state, population))
    if stream.pos != len(stream.data):
        fail("stellarium's location file was not read to its end")
    return places


def iso6709(text, degree_digits):
    sign = -1 if text[0] == "-" else 1
    digits = text[1:]
    d, m = int(digits[:degree_digits]), int(digits[degree_digits:degree_digits + 2])
    s = int(digits[degree_digits + 2:] or 0)
    return sign * (d + m / 60 + s / 3600)


def tzdata_places():
    places = []
    with open(TZDATA, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#"):
                continue
            codes, coordinates, zone = line.split("\t")[:3]
            split = max(coordinates.rfind("+"), coordinates.rfind("-"))
            lat = iso6709(coordinates[:split], 2)
            lon = iso6709(coordinates[split:], 3)
            city = zone.strip().split("/")[-1].replace("_", " ")
            places.append(Place("tzdata", lat, lon, [city], codes.split(",")))
    return places


def weather_util_records(path):
    """The [key] blocks of weather-util's data files as dictionaries."""
    record = None
    with gzip.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                if record:
                    yield record
                record = {"key": line[1:-1]}
            elif record is not None and " = " in line:
                name, value = line.split(" = ", 1)
                record[name] = value
    if record:
        yield record


def radians_pair(text):
    lat, lon = map(float, text.strip("()").split(","))
    return math.degrees(lat), math.degrees(lon)


CENSUS_KINDS = re.compile(r"^(.+?) (city and borough|city|town|village|CDP|borough|municipality)"
                          r"\b.*, ([A-Z]{2})$")


def census_places():
    """United States incorporated places (keys fips + 7 digits) at their centroids."""
    places = []
    for record in weather_util_records(CENSUS):
        match = CENSUS_KINDS.match(record.get("description", ""))
        if re.fullmatch(r"fips\d{7}", record["key"]) and match and "centroid" in record:
            lat, lon = radians_pair(record["centroid"])
            places.append(Place("census", lat, lon, [match.group(1)], ["US"], match.group(3)))
    return places


def noaa_places():
    """Weather stations named "Place / Other name[, detail], Country"."""
    places = []
    for record in weather_util_records(NOAA):
        description = record.get("description", "")
        if "(" not in record.get("location", "") or ", " not in description:
            continue
        parts = description.split(", ")
        name, country = parts[0], parts[-1]
        region = parts[-2] if len(parts) > 2 else ""
        lat, lon = radians_pair(record["location"])
        places.append(Place("noaa-station", lat, lon, [name] + name.split(" / "), [country],
                            region))
    return places


# Cities before weather stations before tzdata's zone cities; stations sit at
# airports, which is where the table's air bases are. stellarium's GeoNames
# points are city centres, where gweather sometimes gives the airport.
SOURCE_ORDER = ["stellarium", "gweather", "census", "kstars", "noaa-station",
                "gweather-station", "tzdata"]


class Row:
    def __init__(self, city, state, country):
        self.city, self.state, self.country = city, state, country
        self.key = (city, state, country)

    def label(self):
        return ", ".join(t for t in (self.city, self.state, self.country) if t)


def lookups(row, aliases, codes):
    """The (name, countries, region) under which the sources may know the row."""
    countries = countries_of(row, codes)
    found = [(row.city, countries, US_STATES.get(row.state, ""))]
    for alias in aliases.get(row.key, []):
        name, country, region = (alias + ["", ""])[:3]
        found.append((name, countries_of(Row("", "", country), codes) if country else countries,
                      region or US_STATES.get(row.state, "")))
    return found


def iso_codes():
    """Normalised country name -> ISO 3166 code."""
    codes = {}
    with open(ISO3166, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                code, name = line.rstrip("\n").split("\t")
                codes[normalise(name)] = code
    return codes


def countries_of(row, codes):
    gweather, kstars, iso = COUNTRIES.get(row.country, (row.country.title(),) * 2 + ("",))
    names = {normalise(n) for n in gweather.split("|") + kstars.split("|") if n}
    found = {codes[n] for n in names if n in codes} | {c for c in iso.split("|") if c}
    if not found:
        fail(f"no ISO code for {row.country}: add it to COUNTRIES")
    return names | {normalise(c) for c in found}


def candidates(row, places, aliases, codes):
    by_source = {}
    for name, countries, region in lookups(row, aliases, codes):
        wanted_name = normalise(name)
        wanted_regions = {normalise(region), normalise(row.state)} - {""}
        for place in places:
            if wanted_name not in place.names:
                continue
            best = by_source.get(place.source)
            if best and best.population >= place.population:
                continue
            if not place.countries & countries:
                continue
            if wanted_regions and place.region and place.region not in wanted_regions:
                continue
            by_source[place.source] = place
    return [by_source[s] for s in SOURCE_ORDER if s in by_source]


def parse_fixed(text):
    """'34 35 N' -> (34, 35, 'N')."""
    d, m, direction = text.split()
    return int(d), int(m), direction


def to_degrees_minutes(value, positive, negative):
    minutes = round(abs(value) * 60)
    return minutes // 60, minutes % 60, positive if value >= 0 else negative


def decimal(d, m, direction):
    value = d + m / 60
    return -value if direction in "SW" else value


def distance_km(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dlon = math.radians(lon2 - lon1)
    c = math.sin(p1) * math.sin(p2) + math.cos(p1) * math.cos(p2) * math.cos(dlon)
    return 6371.0 * math.acos(max(-1.0, min(1.0, c)))


def c_string(text):
    """A C string literal of the Latin-1 bytes, non-ASCII as octal escapes."""
    out = []
    for byte in text.encode("latin-1"):
        if byte >= 0x80 or byte in (0x22, 0x5C):
            out.append("\\%03o" % byte)
        else:
            out.append(chr(byte))
    return '"' + "".join(out) + '"'


class Resolved:
    """A row with its coordinates, their source and the other sources' distances."""

    def __init__(self, row, lat, lon, origin, others):
        self.row, self.lat, self.lon, self.origin = row, lat, lon, origin
        here = (decimal(*lat), decimal(*lon))
        self.checks = sorted((distance_km(*here, p.lat, p.lon), p.source) for p in others)

    def nearest(self):
        return self.checks[0] if self.checks else None

    def farthest(self):
        return self.checks[-1] if self.checks else None


def resolve(rows, places, aliases, fixed):
    resolved, problems = [], []
    codes = iso_codes()
    for row in rows:
        found = candidates(row, places, aliases, codes)
        if row.key in fixed:
            entry = Resolved(row, *fixed[row.key], "fixed", found)
        elif found:
            entry = Resolved(row, to_degrees_minutes(found[0].lat, "N", "S"),
                             to_degrees_minutes(found[0].lon, "E", "W"), found[0].source,
                             found[1:])
        else:
            problems.append(f"no source knows {row.label()}")
            continue
        resolved.append(entry)
        nearest = entry.nearest()
        if nearest is None and row.label() not in ONE_SOURCE_ROWS:
            problems.append(f"no second source knows {row.label()}")
        elif nearest and nearest[0] > TOLERANCE_KM:
            problems.append(f"{row.label()}: {entry.origin} and {nearest[1]} differ by "
                            f"{nearest[0]:.0f} km")
    return resolved, problems


def report(resolved):
    checked = [r for r in resolved if r.checks]
    counts = {}
    for r in resolved:
        counts[r.origin] = counts.get(r.origin, 0) + 1
    print(f"{len(resolved)} rows; coordinates from " +
          ", ".join(f"{k} {v}" for k, v in sorted(counts.items())))
    print(f"checked {len(checked)} rows against the nearest other source:")
    for r in sorted(checked, key=lambda r: -r.nearest()[0])[:5]:
        print(f"  {r.nearest()[0]:6.1f} km  {r.row.label()} ({r.origin} / {r.nearest()[1]})")
    print("largest disagreement with any source:")
    for r in sorted(checked, key=lambda r: -r.farthest()[0])[:5]:
        print(f"  {r.farthest()[0]:6.1f} km  {r.row.label()} ({r.origin} / {r.farthest()[1]})")
    unchecked = [r.row.label() for r in resolved if not r.checks]
    if unchecked:
        print("known to one source only: " + "; ".join(unchecked))


def write_check(resolved):
    """One line per row: its coordinates, their source and every other source's distance."""
    with open(CHECK_OUTPUT, "w", encoding="utf-8") as f:
        f.write("# Generated by make_builtin_locations.py: row, coordinates, their source,\n"
                "# then the distance in km to the same city in each other source.\n")
        for r in resolved:
            checks = ", ".join(f"{source} {km:.1f}" for km, source in r.checks) or "-"
            f.write(f"{r.row.label()}\t{r.lat[0]} {r.lat[1]} {r.lat[2]}\t"
                    f"{r.lon[0]} {r.lon[1]} {r.lon[2]}\t{r.origin}\t{checks}\n")


def format_row(row, lat, lon):
    if row.country == "USA":
        if lat[2] != "N" or lon[2] != "W":
            fail(f"{row.label()} is not north and west")
        return f"    {{{c_string(row.city)}, {c_string(row.state)}, " \
               f"{lat[0]}, {lat[1]}, {lon[0]}, {lon[1]}}},"
    return f"    {{{c_string(row.city)}, {c_string(row.country)}, " \
           f"{lat[0]}, {lat[1]}, CLatLon::{lat[2]}, {lon[0]}, {lon[1]}, CLatLon::{lon[2]}}},"


def write_table(resolved):
    world = [format_row(r.row, r.lat, r.lon) for r in resolved if r.row.country != "USA"]
    us = [format_row(r.row, r.lat, r.lon) for r in resolved if r.row.country == "USA"]
    lines = [
        "// The built-in cities. Generated by tools/cities/make_builtin_locations.py from",
        "// tools/cities/*.txt and public data; run it again rather than editing this file.",
        "// Texts are Latin-1 bytes: the descriptions and CRCs that the user's files and",
        "// options store are built from them.",
        '#include "locations/builtin_locations.h"',
        "",
        "// clang-format off",
        "const CBuiltinLocation BUILTIN_LOCATIONS[] = {",
        *world,
        "};",
        "",
        "const CBuiltinUsLocation BUILTIN_US_LOCATIONS[] = {",
        *us,
        "};",
        "// clang-format on",
        "",
    ]
    with open(OUTPUT, "w", encoding="ascii") as f:
        f.write("\n".join(lines))


def main():
    for path, package in PACKAGES.items():
        if not os.path.exists(path):
            fail(f"{path} is missing: apt-get install {package}")
    rows = [Row(*(f + [""] * 3)[:3]) for f in read_table("names.txt", 1)]
    us_rows = sum(1 for r in rows if r.country == "USA")
    if len(rows) != EXPECTED_ROWS or us_rows != EXPECTED_US_ROWS:
        fail(f"names.txt has {len(rows)} rows ({us_rows} USA), "
             f"expected {EXPECTED_ROWS} ({EXPECTED_US_ROWS})")
    aliases = {}
    for f in read_table("aliases.txt", 4):
        aliases.setdefault(tuple(f[:3]), []).append(f[3:])
    fixed = {tuple(f[:3]): (parse_fixed(f[3]), parse_fixed(f[4]))
             for f in read_table("fixed_rows.txt", 5)}
    known = {r.key for r in rows}
    for key in list(aliases) + list(fixed):
        if key not in known:
            fail(f"{key} is not a row of names.txt")
    places = (gweather_places() + stellarium_places() + census_places() + kstars_places() +
              tzdata_places() + noaa_places())
    resolved, problems = resolve(rows, places, aliases, fixed)
    report(resolved)
    for problem in problems:
        print("problem: " + problem)
    if problems:
        sys.exit(1)
    if "--check" not in sys.argv:
        write_table(resolved)
        write_check(resolved)
        print("wrote " + os.path.normpath(OUTPUT) + " and " + os.path.normpath(CHECK_OUTPUT))


if __name__ == "__main__":
    main()
