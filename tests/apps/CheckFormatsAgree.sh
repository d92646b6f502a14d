#!/usr/bin/env bash
# CheckFormatsAgree.sh LINTRA SITEGEN EXAMPLE_SITE SARIF_SCHEMA JSON_SCHEMA: on the example site
# and on a generated site of 2,000 pages, check's text (every place), JSON and SARIF outputs list
# the same findings, the JSON document validates against its documented schema, and the SARIF log
# against the SARIF 2.1.0 schema, formats included, and carries what code scanning reads. Skips (77)
# without a python3 that has jsonschema and rfc3987 (which checks URIs).
set -euo pipefail
lintra="$1" sitegen="$2" example="$3" schema="$4" jsonSchema="$5"
python=/usr/bin/python3
[[ -x $python ]] || python=python3
"$python" -c 'import jsonschema, rfc3987' 2>/dev/null ||
  { echo "no python3 jsonschema and rfc3987: skipped"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$sitegen" --workload W1 --seed 1 --out "$work/generated" >/dev/null
# Nearly every generated page climbs with "..": parent-path's 15,000 findings would only slow the
# schema checks down, while the other rules still report thousands.
printf '[rules]\nparent-path = "off"\n' >"$work/generated/asp/lintra.toml"

for site in "$example" "$work/generated/asp"; do
  for format in text json sarif; do
    status=0
    "$lintra" check --root "$site" --format "$format" --all-places >"$work/$format" \
      2>"$work/$format.err" ||
      status=$?
    if ((status > 1)); then
      echo "check --format $format of $site ended with $status: $(cat "$work/$format.err")"
      exit 1
    fi
  done
  "$python" - "$work" "$schema" "$jsonSchema" "$site" <<'PYTHON'
import json, re, sys
import jsonschema

work, schema_file, json_schema_file, site = sys.argv[1:]
text = open(f"{work}/text", encoding="utf-8").read().splitlines()
report = json.load(open(f"{work}/json", encoding="utf-8"))
log = json.load(open(f"{work}/sarif", encoding="utf-8"))
schema = json.load(open(schema_file, encoding="utf-8"))
# Formats too, as code scanning checks them on upload: "uri" is absolute, "uri-reference" not.
jsonschema.Draft4Validator(schema, format_checker=jsonschema.FormatChecker()).validate(log)
jsonschema.Draft7Validator(json.load(open(json_schema_file, encoding="utf-8"))).validate(report)

# A finding on a whole file has no line and column in text, 0 in JSON, and the file's start in
# SARIF.
line = re.compile(r"^(.+?)(?::(\d+):(\d+))?: (error|warning|note): .* \[([a-z-]+)\] \((.*)\)$")
# Under each finding, --all-places draws its source line and caret (indented) and a note for each
# directive it is included from; the line before the totals counts the findings of each rule.
notes = re.compile(r"^(?: |.*: note: included from here$)")
from_text = set()
assert text[-2].startswith("by rule: "), text[-2]
for entry in text[:-2]:
    if notes.match(entry):
        continue
    m = line.match(entry)
    assert m, f"not a finding line: {entry}"
    from_text.add((m[5], m[1], int(m[2] or 0), int(m[3] or 0), m[4]))
assert text[-1].startswith("checked "), text[-1]

from_json = {(f["rule"], f["file"], f["line"], f["column"], f["severity"])
             for f in report["findings"]}
whole_files = {(f["rule"], f["file"]) for f in report["findings"] if f["line"] == 0}
assert len(from_json) == len(report["findings"])

run = log["runs"][0]
rules = run["tool"]["driver"]["rules"]
for rule in rules:
    for field in ("shortDescription", "fullDescription"):
        assert rule[field]["text"], (rule["id"], field)
    assert rule["help"]["text"] and rule["help"]["markdown"], rule["id"]
    assert rule["defaultConfiguration"]["level"] in ("error", "warning", "note"), rule["id"]
    # Only a published copy of the rule's page is named: one every reader of the log can open.
    assert re.match(r"https://.*/rules/" + rule["id"] + r"\.md$", rule.get("helpUri", "https://x/rules/" + rule["id"] + ".md")), rule["id"]
assert run["originalUriBaseIds"]["SRCROOT"]["uri"].startswith("file:///")
from_sarif = set()
fingerprints = set()
for result in run["results"]:
    assert rules[result["ruleIndex"]]["id"] == result["ruleId"]
    assert result["message"]["text"]
    [location] = result["locations"]
    physical = location["physicalLocation"]
    assert physical["artifactLocation"]["uriBaseId"] == "SRCROOT"
    region = physical["region"]
    for field in ("startLine", "startColumn", "endLine", "endColumn"):
        assert region[field] >= 1, field
    fingerprints.add(result["partialFingerprints"]["primaryLocationLineHash"])
    file = physical["artifactLocation"]["uri"].replace("%20", " ")
    start = (region["startLine"], region["startColumn"])
    if (result["ruleId"], file) in whole_files:
        assert region == {"startLine": 1, "startColumn": 1, "endLine": 1, "endColumn": 1}, region
        start = (0, 0)
    from_sarif.add((result["ruleId"], file, *start, result["level"]))
assert len(fingerprints) == len(run["results"]), "fingerprints repeat"

summary = report["summary"]
assert summary["errors"] + summary["warnings"] + summary["notes"] == len(from_json)
assert from_text == from_json == from_sarif, (from_text ^ from_json, from_json ^ from_sarif)
print(f"{site}: {len(from_json)} findings agree over {summary['pages']} pages")
PYTHON
done
