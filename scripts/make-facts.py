#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes catalogue/sea_facts.h and docs/sources.md from catalogue/facts/*.toml.

The material on each sea is kept as TOML, with every figure's source beside it
(catalogue/facts/README.md says how). This script checks it, puts the
countries' Bulgarian names from CLDR beside their codes (Debian's
python3-babel, so that every build, on Debian 12, 13 or Windows, shows the
same names) and writes the header the program compiles in, and the page of
sources. Run it after every edit of the material and commit what it writes:

    scripts/make-facts.py            # writes both files
    scripts/make-facts.py --check    # fails if either would change
"""

import argparse
import gzip
import pathlib
import re
import sys
import tomllib

ROOT = pathlib.Path(__file__).resolve().parent.parent
FACTS = ROOT / "catalogue" / "facts"
HEADER = ROOT / "catalogue" / "sea_facts.h"
SOURCES_PAGE = ROOT / "docs" / "sources.md"

OCEANS = ["Атлантически", "Индийски", "Северен ледовит", "Тихи", "Южен"]
OCEAN_NAMES = [name + " океан" for name in OCEANS]
OCEAN_BASE = 100  # a neighbour number from here on is an ocean
FIGURES = ("area", "max_depth", "mean_depth")
# The seas that lie inside the Mediterranean are smaller than it.
MEDITERRANEAN = "Средиземно море"
INSIDE_MEDITERRANEAN = ["Лигурско море", "Тиренско море", "Йонийско море", "Адриатическо море",
                        "Егейско море", "Балеарско море", "Алборанско море", "Критско море"]


def catalogue_seas():
    """The sea list as catalogue.h holds it: (name, ocean number), in order."""
    text = (ROOT / "catalogue" / "catalogue.h").read_text(encoding="utf-8")
    rows = re.findall(r'\{u"([^"]+)", u"(\d)"\}', text)
    if len(rows) != 82:
        sys.exit(f"make-facts: catalogue.h holds {len(rows)} sea rows, not 82")
    return [(name, int(ocean)) for name, ocean in rows]


def cldr():
    """The Bulgarian territory names of CLDR and where they come from."""
    try:
        import babel
        from babel import Locale
    except ImportError:
        sys.exit("make-facts: needs python3-babel (apt-get install python3-babel)")
    version = f"Babel {babel.__version__}"
    changelog = pathlib.Path("/usr/share/doc/python3-babel/changelog.gz")
    if changelog.exists():
        found = re.search(r"Upgrade to CLDR (\d+(?:\.\d+)?)",
                          gzip.open(changelog, "rt", encoding="utf-8").read())
        if found:
            version = f"CLDR {found.group(1)} (Babel {babel.__version__})"
    return Locale("bg").territories, version


class Problems:
    def __init__(self):
        self.found = []

    def __call__(self, message):
        self.found.append(message)


def read_material(problems):
    """Every record of every file, with its sources made unique across files."""
    seas, oceans, sources = {}, {}, {}
    for path in sorted(FACTS.glob("*.toml")):
        data = tomllib.loads(path.read_text(encoding="utf-8"))
        prefix = path.stem
        local = {}
        for key, source in data.get("source", {}).items():
            for field in ("name", "url", "tradition"):
                if not source.get(field):
                    problems(f"{path.name}: source {key} has no {field}")
            if source.get("tradition") not in ("ru", "west"):
                problems(f"{path.name}: source {key}: tradition is \"ru\" or \"west\"")
            # The same page read for two batches is one source.
            same = next((k for k, s in sources.items() if s["url"] == source.get("url")), None)
            local[key] = same or f"{prefix}/{key}"
            if same is None:
                sources[local[key]] = {"name": source.get("name", ""), "url": source.get("url", ""),
                                       "tradition": source.get("tradition", "")}

        def resolve(record, where):
            for figure in FIGURES:
                for value in record.get(figure, []):
                    if value.get("source") not in local:
                        problems(f"{where}: {figure} {value.get('value')} names no source of the file")
                    else:
                        value["source"] = local[value["source"]]
                    if not isinstance(value.get("value"), int) or value["value"] <= 0:
                        problems(f"{where}: {figure} needs a whole positive value")
                    if not value.get("gave"):
                        problems(f"{where}: {figure} {value.get('value')} does not say what the source gave")
            for sentence in record.get("sentences", []):
                if sentence.get("source") not in local:
                    problems(f"{where}: a sentence names no source of the file: {sentence.get('text')}")
                else:
                    sentence["source"] = local[sentence["source"]]

        for sea in data.get("sea", []):
            where = f"{path.name}: {sea.get('name')}"
            if sea.get("name") in seas:
                problems(f"{where}: written twice")
            resolve(sea, where)
            seas[sea.get("name")] = sea
        for ocean in data.get("ocean", []):
            where = f"{path.name}: {ocean.get('name')}"
            resolve(ocean, where)
            oceans[ocean.get("name")] = ocean
    return seas, oceans, sources


def complete_oceans(seas, oceans, catalogue):
    """An ocean borders every sea that opens into it: the seas name their
    oceans, and each ocean gets those seas, in list order, after the oceans it
    meets."""
    for sea_name in (name.rstrip(" ") for name, _ in catalogue):
        for neighbour in seas.get(sea_name, {}).get("neighbours", []):
            ocean = oceans.get(neighbour)
            if ocean is not None and sea_name not in ocean.setdefault("neighbours", []):
                ocean["neighbours"].append(sea_name)


def check(seas, oceans, sources, catalogue, territories, problems):
    names = [name.rstrip(" ") for name, _ in catalogue]
    for name in names:
        if name not in seas:
            problems(f"{name}: no record")
    for name in seas:
        if name not in names:
            problems(f"{name}: not a sea of the list")
    for name in OCEAN_NAMES:
        if name not in oceans:
            problems(f"{name}: no record")
    known = set(names) | set(OCEAN_NAMES)
    records = {**seas, **oceans}
    for name, record in records.items():
        if not 2 <= len(record.get("sentences", [])) <= 4:
            problems(f"{name}: {len(record.get('sentences', []))} sentences, not 2 to 4")
        for neighbour in record.get("neighbours", []):
            if neighbour not in known:
                problems(f"{name}: neighbour {neighbour} is no sea or ocean of the list")
            elif name not in records.get(neighbour, {}).get("neighbours", []):
                problems(f"{name}: names {neighbour}, which does not name it")
        for code in record.get("countries", []):
            if code not in territories:
                problems(f"{name}: {code} has no name in CLDR")
        means = [v["value"] for v in record.get("mean_depth", [])]
        deepest = [v["value"] for v in record.get("max_depth", [])]
        if means and deepest and shown(record, "mean_depth", sources) >= shown(record, "max_depth", sources):
            problems(f"{name}: its mean depth is not below its greatest depth")
    mediterranean = [v["value"] for v in seas.get(MEDITERRANEAN, {}).get("area", [])]
    for inside in INSIDE_MEDITERRANEAN:
        for value in seas.get(inside, {}).get("area", []):
            if mediterranean and value["value"] >= min(mediterranean):
                problems(f"{inside}: area {value['value']} not below the Mediterranean's")


def shown(record, figure, sources):
    """The value shown: the first of the Soviet, Russian and Bulgarian
    tradition, else the first listed."""
    values = record.get(figure, [])
    for value in values:
        if sources[value["source"]]["tradition"] == "ru":
            return value["value"]
    return values[0]["value"]


def cxx(text):
    return 'u"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def write_header(seas, oceans, sources, catalogue, territories, version):
    source_keys = sorted(sources)
    source_index = {key: i for i, key in enumerate(source_keys)}
    codes = sorted({code for record in [*seas.values(), *oceans.values()]
                    for code in record.get("countries", [])})
    code_index = {code: i for i, code in enumerate(codes)}
    names = [name.rstrip(" ") for name, _ in catalogue]
    number = {name: row for row, name in enumerate(names)}
    number.update({name: OCEAN_BASE + n for n, name in enumerate(OCEAN_NAMES)})

    figures, coasts, neighbours, sentences = [], [], [], []

    def span(items, more):
        first = len(items)
        items.extend(more)
        return f"{{{first}, {len(more)}}}"

    def material(name, record):
        parts = [cxx(name)]
        for figure in FIGURES:
            parts.append(span(figures, [
                f"{{{cxx(v['gave'])}, {v['value']}, {source_index[v['source']]}, "
                f"{'true' if v.get('at_least') else 'false'}}}"
                for v in record.get(figure, [])]))
        parts.append(span(coasts, [str(code_index[c]) for c in record.get("countries", [])]))
        parts.append(span(neighbours, [str(number[n]) for n in record.get("neighbours", [])]))
        parts.append(span(sentences, [
            f"{{{cxx(s['text'])}, {source_index[s['source']]}}}"
            for s in record.get("sentences", [])]))
        return "    {" + ", ".join(parts) + "},"

    sea_rows = [material(name, seas[name]) for name in names]
    ocean_rows = [material(name, oceans[name]) for name in OCEAN_NAMES]

    out = []
    out.append("// SPDX-FileCopyrightText: 2026 The Pelagor developers")
    out.append("// SPDX-License-Identifier: GPL-3.0-or-later")
    out.append("")
    out.append("// Written by scripts/make-facts.py from catalogue/facts/*.toml: edit those")
    out.append("// and run it again. The countries' names are CLDR's, from " + version + ".")
    out.append("#pragma once")
    out.append("")
    out.append('#include "catalogue/facts_checks.h"')
    out.append("")
    out.append("namespace pelagor::catalogue {")
    out.append("")
    out.append("// One row a line, as the script writes them.")
    out.append("// clang-format off")
    out.append(f'inline constexpr std::u16string_view kCountryNamesFrom = {cxx(version)};')
    out.append("")
    out.append("inline constexpr FactSource kFactSources[] = {")
    for key in source_keys:
        s = sources[key]
        out.append(f"    {{{cxx(s['name'])}, {cxx(s['url'])}, "
                   f"{'Tradition::Russian' if s['tradition'] == 'ru' else 'Tradition::Western'}}},")
    out.append("};")
    out.append("")
    out.append("inline constexpr Country kCountries[] = {")
    for code in codes:
        out.append(f"    {{{cxx(code)}, {cxx(territories[code])}}},")
    out.append("};")
    out.append("")
    for name, items, kind in (("kFigures", figures, "Figure"), ("kCoasts", coasts, "std::uint16_t"),
                              ("kNeighbours", neighbours, "std::uint16_t"),
                              ("kSentences", sentences, "Sentence")):
        out.append(f"inline constexpr {kind} {name}[] = {{")
        out.extend(f"    {item}," for item in items)
        out.append("};")
        out.append("")
    out.append("// Row for row with the sea list.")
    out.append("inline constexpr Material kSeaMaterial[] = {")
    out.extend(sea_rows)
    out.append("};")
    out.append("")
    out.append("// In the order of the ocean buttons.")
    out.append("inline constexpr Material kOceanMaterial[] = {")
    out.extend(ocean_rows)
    out.append("};")
    out.append("")
    inside = ", ".join(str(number[n]) for n in INSIDE_MEDITERRANEAN)
    checks = [
        ("facts_checks::rowForRow(kSeaMaterial, kSeas, kOceanMaterial)",
         "a record for every sea, row for row with the list, and for every ocean"),
        ("facts_checks::allIndicesValid(kSeaMaterial, kFigures, kFactSources, kSentences, "
         "kCountries, kCoasts, kNeighbours)", "every figure and sentence with its source, every index valid"),
        ("facts_checks::allIndicesValid(kOceanMaterial, kFigures, kFactSources, kSentences, "
         "kCountries, kCoasts, kNeighbours)", "every figure and sentence of an ocean with its source"),
        ("facts_checks::allCountriesNamed(kCountries)", "every country code with its name"),
        ("facts_checks::twoToFourSentences(kSeaMaterial) && "
         "facts_checks::twoToFourSentences(kOceanMaterial)", "two to four sentences for each"),
        ("facts_checks::meanBelowDeepest(kSeaMaterial, kFigures, kFactSources) && "
         "facts_checks::meanBelowDeepest(kOceanMaterial, kFigures, kFactSources)",
         "a mean depth below its greatest depth"),
        ("facts_checks::neighboursMutual(kSeaMaterial, kOceanMaterial, kNeighbours)",
         "neighbours that name each other"),
        (f"facts_checks::smallerThan(kSeaMaterial, kFigures, {{{inside}}}, {number[MEDITERRANEAN]})",
         "the seas inside the Mediterranean smaller than it"),
    ]
    for condition, message in checks:
        out.append(f'static_assert({condition},\n              "sea facts: {message}");')
    out.append("")
    out.append("// clang-format on")
    out.append("")
    out.append("} // namespace pelagor::catalogue")
    return "\n".join(out) + "\n"


def write_sources_page(seas, oceans, sources, catalogue, version):
    names = [name.rstrip(" ") for name, _ in catalogue]
    used = {}
    for name, record in [*((n, seas[n]) for n in names), *((n, oceans[n]) for n in OCEAN_NAMES)]:
        for figure in FIGURES:
            for value in record.get(figure, []):
                used.setdefault(value["source"], set()).add(name)
        for sentence in record.get("sentences", []):
            used.setdefault(sentence["source"], set()).add(name)
    out = ["<!-- SPDX-FileCopyrightText: 2026 The Pelagor developers",
           "     SPDX-License-Identifier: GPL-3.0-or-later -->", "",
           "# The sources of the material on each sea", "",
           "Every figure and every sentence the program tells about a sea or an ocean "
           "rests on one of these pages (written by `scripts/make-facts.py` from "
           "`catalogue/facts/`, where each figure stands with what its source gave). "
           "\"ru\" marks the Soviet, Russian and Bulgarian encyclopaedic tradition, whose "
           "figure is shown where it gives one; \"west\" the others. "
           f"The countries' Bulgarian names are CLDR's ({version}).", "",
           "| source | tradition | used for |", "|---|---|---|"]
    for key in sorted(sources, key=lambda k: sources[k]["name"]):
        s = sources[key]
        seas_used = ", ".join(sorted(used.get(key, [])))
        out.append(f"| [{s['name']}]({s['url']}) | {s['tradition']} | {seas_used} |")
    return "\n".join(out) + "\n"


def report(seas, oceans, sources, catalogue):
    """What a maintainer looks for next: one source, no source, a range."""
    names = {"area": "площ", "max_depth": "най-голяма дълбочина", "mean_depth": "средна дълбочина"}
    records = [(n.rstrip(" "), seas[n.rstrip(" ")]) for n, _ in catalogue]
    records += [(n, oceans[n]) for n in OCEAN_NAMES]
    for title, test in (("One source only", lambda v: len({x["source"] for x in v}) == 1),
                        ("No figure", lambda v: not v),
                        ("Sources more than 15 % apart", lambda v: v and max(x["value"] for x in v)
                         * 100 > min(x["value"] for x in v) * 115)):
        print(f"{title}:")
        for figure in FIGURES:
            which = [name for name, record in records if test(record.get(figure, []))]
            print(f"  {names[figure]} ({len(which)}): {', '.join(which)}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="fail if a written file would change")
    parser.add_argument("--report", action="store_true",
                        help="list the figures that rest on one source and those none gives")
    args = parser.parse_args()
    problems = Problems()
    catalogue = catalogue_seas()
    territories, version = cldr()
    seas, oceans, sources = read_material(problems)
    complete_oceans(seas, oceans, catalogue)
    check(seas, oceans, sources, catalogue, territories, problems)
    if problems.found:
        sys.exit("make-facts: the material does not hold:\n  " + "\n  ".join(problems.found))
    if args.report:
        report(seas, oceans, sources, catalogue)
        return
    files = {HEADER: write_header(seas, oceans, sources, catalogue, territories, version),
             SOURCES_PAGE: write_sources_page(seas, oceans, sources, catalogue, version)}
    for path, text in files.items():
        if args.check:
            if not path.exists() or path.read_text(encoding="utf-8") != text:
                sys.exit(f"make-facts: {path.relative_to(ROOT)} is not what the material makes")
        else:
            path.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
