// Reads an iCalendar timetable with ical.js and holds it against the CSV
// timetable of the same range: every prayer of every day is one event whose
// UTC start, shown in the zone, is the CSV's time; UIDs are unique; the
// events come one after the other in time (a time past midnight is on the
// next day, not before that day's dawn).
// usage: node ics_check.cjs NODE_MODULES FILE.ics FILE.csv IANA-ZONE WITH-SUNRISE(0|1)
'use strict';
const fs = require('fs');
const path = require('path');
const [modules, icsFile, csvFile, zone, sunrise] = process.argv.slice(2);
const loaded = require(path.resolve(modules, 'ical.js'));
const ICAL = loaded.default || loaded;

const problems = [];
const months = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
                'September', 'October', 'November', 'December'];
const columns = ['Fajr', 'Shurook', 'Zuhr', 'Asr', 'Maghrib', 'Isha'];

// The CSV's expectations: "YYYY-MM-DD Name" -> "HH:mm:ss".
const want = new Map();
let month = 0, year = 0;
for (const line of fs.readFileSync(csvFile, 'latin1').split('\r\n')) {
    const heading = /^([A-Za-z]+) (\d+),,/.exec(line);
    if (heading) { month = months.indexOf(heading[1]) + 1; year = Number(heading[2]); continue; }
    const cells = line.split(',');
    if (cells.length !== 8 || !/^\d+$/.test(cells[0])) continue;
    const day = `${year}-${String(month).padStart(2, '0')}-${cells[0].padStart(2, '0')}`;
    columns.forEach((name, k) => {
        if (name === 'Shurook' && sunrise !== '1') return;
        if (cells[2 + k].startsWith('--')) return;
        want.set(`${day} ${name}`, cells[2 + k].length === 5 ? cells[2 + k] + ':00' : cells[2 + k]);
    });
}

const raw = fs.readFileSync(icsFile);
const text = raw.toString('utf8');
for (const line of text.split('\r\n')) {
    if (Buffer.byteLength(line, 'utf8') > 75) problems.push(`line over 75 octets: ${line.slice(0, 40)}`);
}
if (/[^\r]\n/.test(text)) problems.push('a line ends without CR');

const calendar = new ICAL.Component(ICAL.parse(text));
const shown = new Intl.DateTimeFormat('en-CA', {
    timeZone: zone, hourCycle: 'h23', year: 'numeric', month: '2-digit', day: '2-digit',
    hour: '2-digit', minute: '2-digit', second: '2-digit'});
const uids = new Set();
let events = 0;
let previous = -Infinity;
for (const event of calendar.getAllSubcomponents('vevent')) {
    ++events;
    const uid = event.getFirstPropertyValue('uid');
    if (uids.has(uid)) problems.push(`UID twice: ${uid}`);
    uids.add(uid);
    const start = event.getFirstPropertyValue('dtstart');
    if (!start.isDate && start.zone !== ICAL.Timezone.utcTimezone) problems.push(`${uid}: start not in UTC`);
    if (!event.getFirstPropertyValue('dtstamp')) problems.push(`${uid}: no DTSTAMP`);
    if (String(event.getFirstPropertyValue('duration')) !== 'PT15M') problems.push(`${uid}: duration`);
    const parts = Object.fromEntries(shown.formatToParts(start.toJSDate()).map((p) => [p.type, p.value]));
    // The row's day from the UID ("YYYYMMDD-name@..."): the clock time may lie on the day after.
    const row = /^(\d{4})(\d{2})(\d{2})-/.exec(uid);
    if (!row) { problems.push(`UID without its day: ${uid}`); continue; }
    const key = `${row[1]}-${row[2]}-${row[3]} ${event.getFirstPropertyValue('summary')}`;
    const instant = start.toJSDate().getTime();
    if (instant <= previous) problems.push(`${key}: not after the event before it`);
    previous = instant;
    const time = `${parts.hour}:${parts.minute}:${parts.second}`;
    if (!want.has(key)) { problems.push(`event not in the CSV: ${key} ${time}`); continue; }
    if (want.get(key) !== time) problems.push(`${key}: ${time} in the calendar, ${want.get(key)} in the CSV`);
    want.delete(key);
    const description = event.getFirstPropertyValue('description');
    if (!description.includes('Lattitude') && !description.includes('Conventions'))
        problems.push(`${uid}: description lacks the convention`);
}
for (const key of want.keys()) problems.push(`no event for ${key}`);
if (events === 0) problems.push('no events');
for (const p of problems.slice(0, 10)) console.log(p);
console.log(`${events} events, ${problems.length} problems`);
process.exit(problems.length ? 1 : 0);
