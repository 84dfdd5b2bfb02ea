#!/usr/bin/env node
// The times of the open library adhan-js for the days of one table, for
// accuracy.py to set beside ours.
//
// usage: NODE_PATH=build/npm/node_modules node adhan_times.js REQUEST.json
// REQUEST: {"lat", "lon", "tz", "key", "mode", "ours", "dates": ["YYYY-MM-DD"...]}
//   mode "own":  the library's own method for the authority `key` (as a user of
//                the library would choose it); where it has none, `ours`.
//   mode "ours": the library's sun with our preset's values (`ours`: fajr,
//                isha, interval, maghrib angle, hanafi, the six corrections and
//                rounding), starting from the library's method for `key` where
//                it has one so that its own rules (the Moonsighting seasons)
//                stay.
// Prints one line a date: the library's method name, then Fajr, sunrise,
// Dhuhr, Asr, Maghrib, Isha as HH:mm on the table's clock, tab-separated.
'use strict';
const fs = require('fs');
const adhan = require('adhan');

const OWN = {
  karachi: 'Karachi', isna: 'NorthAmerica', wil: 'MuslimWorldLeague',
  mwl: 'MuslimWorldLeague', ummulqura: 'UmmAlQura', makkah: 'UmmAlQura',
  egypt: 'Egyptian', egas: 'Egyptian', dubai: 'Dubai', qatar: 'Qatar',
  kuwait: 'Kuwait', singapore: 'Singapore', moonsighting: 'MoonsightingCommittee',
  tehran: 'Tehran', turkey: 'Turkey',
};

function withOurs(params, ours) {
  params.fajrAngle = ours.fajr;
  params.ishaAngle = ours.isha;
  params.ishaInterval = ours.interval;
  params.maghribAngle = ours.maghrib;
  params.madhab = ours.hanafi ? adhan.Madhab.Hanafi : adhan.Madhab.Shafi;
  const [fajr, sunrise, dhuhr, asr, maghrib, isha] = ours.add;
  params.adjustments = { fajr, sunrise, dhuhr, asr, maghrib, isha };
  params.methodAdjustments = { fajr: 0, sunrise: 0, dhuhr: 0, asr: 0, maghrib: 0, isha: 0 };
  params.rounding = { up: adhan.Rounding.Up, normal: adhan.Rounding.Nearest }[ours.rounding] ||
                    adhan.Rounding.None;
  return params;
}

function parameters(request) {
  const name = OWN[request.key];
  if (name && request.mode === 'own') return [name, adhan.CalculationMethod[name]()];
  const base = name ? adhan.CalculationMethod[name]() : adhan.CalculationMethod.Other();
  return [(name || 'Other') + '+ours', withOurs(base, request.ours)];
}

function clock(time, tz) {
  if (!(time instanceof Date) || isNaN(time)) return '-';
  // Seconds are dropped, as a printed table drops them (rounding is the
  // library's own, done before).
  const minutes = Math.floor((time.getTime() / 60000 + tz * 60) % 1440 + 1440) % 1440;
  return String(Math.floor(minutes / 60)).padStart(2, '0') + ':' +
         String(minutes % 60).padStart(2, '0');
}

function main() {
  if (process.argv.length < 3) {
    process.stderr.write('usage: adhan_times.js REQUEST.json\n');
    process.exit(2);
  }
  const request = JSON.parse(fs.readFileSync(process.argv[2], 'utf8'));
  const [name, params] = parameters(request);
  const place = new adhan.Coordinates(request.lat, request.lon);
  const lines = request.dates.map((text) => {
    const [y, m, d] = text.split('-').map(Number);
    // adhan reads the calendar day from the Date's local fields; TZ=UTC.
    const t = new adhan.PrayerTimes(place, new Date(y, m - 1, d), params);
    return [name, t.fajr, t.sunrise, t.dhuhr, t.asr, t.maghrib, t.isha]
      .map((v, i) => (i === 0 ? v : clock(v, request.tz))).join('\t');
  });
  process.stdout.write(lines.join('\n') + '\n');
}

main();
