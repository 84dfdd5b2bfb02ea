#!/usr/bin/env node
// The expectation of the Umm al-Qura test, straight from ICU: every Western
// day from 1 Muharram 1356 to the last day of 1500 AH as
// "YYYY-MM-DD year month day" (the Hijri date by Intl's islamic-umalqura).
// Independent of the program's table and of the script that makes it.
// usage: node umalqura_days.cjs OUTPUT
"use strict";
const fs = require("fs");
const hijri = new Intl.DateTimeFormat("en-u-ca-islamic-umalqura", {
    timeZone: "UTC", year: "numeric", month: "numeric", day: "numeric",
});
if (hijri.resolvedOptions().calendar !== "islamic-umalqura") {
    console.error("this Node has no islamic-umalqura calendar");
    process.exit(1);
}
const lines = [];
// 1937-01-01 lies before 1 Muharram 1356 and 2078-01-01 after 1500 AH.
for (let t = Date.UTC(1937, 0, 1); t < Date.UTC(2078, 0, 1); t += 86400000) {
    const parts = hijri.formatToParts(new Date(t));
    const get = (type) => Number(parts.find((p) => p.type === type).value);
    const year = get("year");
    if (year < 1356 || year > 1500) continue;
    lines.push(`${new Date(t).toISOString().slice(0, 10)} ${year} ${get("month")} ${get("day")}`);
}
fs.writeFileSync(process.argv[2], lines.join("\n") + "\n");
