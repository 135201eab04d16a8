#!/usr/bin/env bash
# The calendar export read by a real calendar program: khal imports an export, then a later
# export whose weeks hold other speakers. Each event must end up there once, with the later
# text: the UIDs carry the identity, so a re-import updates and never doubles.
# usage: calendar_khal_test.sh MIVRA_CLI      (exit 77: khal is not installed)
set -euo pipefail
cli=$1
command -v khal >/dev/null || { echo "khal is not installed: skipped"; exit 77; }
export LC_ALL=C.UTF-8 # khal prints the events' Swedish texts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/calendar"
cat >"$work/khal.conf" <<CONF
[calendars]
[[mivra]]
path = $work/calendar
type = calendar
[locale]
timeformat = %H:%M
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
default_timezone = Europe/Stockholm
local_timezone = Europe/Stockholm
[sqlite]
path = $work/khal.db
CONF

# The demo's weeks move on with its day, so the same weeks hold other speakers a week later.
"$cli" --today 2026-12-07 make-demo "$work/first" >/dev/null
"$cli" --today 2026-12-14 make-demo "$work/later" >/dev/null
"$cli" --data "$work/first" --today 2026-12-07 export-ics --from 2026-12-07 --weeks 12 \
    --out "$work/first.ics" >/dev/null
"$cli" --data "$work/later" --today 2026-12-14 export-ics --from 2026-12-07 --weeks 12 \
    --out "$work/later.ics" >/dev/null

for export in first later; do
    khal -c "$work/khal.conf" import --batch -a mivra "$work/$export.ics" >/dev/null
done

python3 - "$work" <<'PY'
import pathlib, sys

def events(text):
    """UID -> SUMMARY of each VEVENT, folded lines joined."""
    lines = text.replace("\r\n", "\n").replace("\n ", "").split("\n")
    found, uid, summary = {}, None, None
    for line in lines:
        if line.startswith("UID:"):
            uid = line[4:]
        elif line.startswith("SUMMARY:"):
            summary = line[8:]
        elif line == "END:VEVENT":
            found[uid] = summary
    return found

work = pathlib.Path(sys.argv[1])
first = events((work / "first.ics").read_text(encoding="utf-8"))
later = events((work / "later.ics").read_text(encoding="utf-8"))
stored = {}
for path in (work / "calendar").glob("*.ics"):
    for uid, summary in events(path.read_text(encoding="utf-8")).items():
        assert uid not in stored, f"{uid} stored twice"
        stored[uid] = summary
expected = {**first, **later}
changed = [u for u in first if u in later and first[u] != later[u]]
assert changed, "the two exports should differ in some shared week"
assert set(stored) == set(expected), sorted(set(stored) ^ set(expected))
for uid, summary in expected.items():
    assert stored[uid] == summary, (uid, stored[uid], summary)
print(f"{len(stored)} events, {len(changed)} updated in place")
PY
