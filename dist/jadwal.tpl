<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="windows-1252">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="generator" content="Waktuna {VERSI}">
<title>{TITLE}</title>
<style>
/* Timetable page of Waktuna. The program fills the placeholders in braces:
   the title, period, colours and the year chart (an SVG picture)
   above the header mark, each month from the block between the two marks,
   and the calculation summary below them. */
:root {
  --main: {COLMAIN};
  --on-main: {COLTEXT};
  --ink: #1d232b;
  --muted: #5d6670;
  --line: #d5d9de;
  --friday: #dfe3e8;
  --sunday: #eef0f3;
  --even: #f5f6f7;
  --sunday-ink: #b3261e;
}
@supports (color: color-mix(in srgb, red, blue)) {
  :root {
    --friday: color-mix(in srgb, var(--main) 30%, white);
    --sunday: color-mix(in srgb, var(--main) 14%, white);
    --even: color-mix(in srgb, var(--main) 7%, white);
    --line: color-mix(in srgb, var(--main) 25%, #e2e5e9);
  }
}
* { box-sizing: border-box; }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body {
  margin: 0;
  color: var(--ink);
  background: #fbfbfc;
  font: 15px/1.4 "Segoe UI", Tahoma, "DejaVu Sans", Arial, sans-serif;
}
.band {
  background: var(--main);
  color: var(--on-main);
  padding: 1.4rem 2rem 1.2rem;
}
.band h1 { margin: 0; font-size: 1.7rem; font-weight: 600; letter-spacing: .01em; }
.band .period { margin: .25rem 0 0; font-size: 1.05rem; opacity: .9; }
.legend {
  display: flex; flex-wrap: wrap; gap: 1.2rem;
  margin: 1rem 2rem 0; font-size: .85rem; color: var(--muted);
}
.legend span::before {
  content: ""; display: inline-block; width: 1.6em; height: .95em;
  margin-right: .4em; vertical-align: -.1em;
  border: 1px solid var(--line); border-radius: 2px;
}
.legend .friday::before { background: var(--friday); }
.legend .sunday::before { background: var(--sunday); }
.legend .sunday { color: var(--sunday-ink); }
.chart {
  margin: 1rem 2rem 0;
  background: white;
  border: 1px solid var(--line);
  border-radius: 6px;
  overflow: hidden;
  break-inside: avoid;
  page-break-inside: avoid;
}
.chart svg { display: block; width: 100%; height: auto; }
.months {
  display: grid;
  grid-template-columns: repeat(auto-fill, minmax(min(100%, 32rem), 1fr));
  gap: 1.25rem;
  padding: 1rem 2rem 1.5rem;
}
.month {
  background: white;
  border: 1px solid var(--line);
  border-radius: 6px;
  overflow-x: auto;
  break-inside: avoid;
  page-break-inside: avoid;
}
.month h2 {
  display: flex; justify-content: space-between; align-items: baseline;
  gap: 1rem; margin: 0; padding: .55rem .8rem;
  font-size: 1.05rem; font-weight: 600;
  border-bottom: 2px solid var(--main);
}
.month h2 .hijri { font-size: .85rem; font-weight: 400; color: var(--muted); text-align: right; }
table {
  width: 100%;
  border-collapse: collapse;
  font-variant-numeric: tabular-nums;
  font-size: .86rem;
}
td { padding: .2rem .3rem; text-align: center; white-space: nowrap; }
/* With an Imsak column (nine in all) the cells move closer. */
table:has(thead td:nth-child(9)) { font-size: .8rem; }
table:has(thead td:nth-child(9)) td { padding-left: .15rem; padding-right: .15rem; }
thead td {
  background: var(--main);
  color: var(--on-main);
  font-size: .74rem; font-weight: 600;
  text-transform: uppercase; letter-spacing: .03em;
  padding: .35rem;
}
tbody tr { border-top: 1px solid var(--line); }
tbody td:first-child { font-weight: 600; }
tbody td:nth-child(2) { color: var(--muted); border-right: 1px solid var(--line); }
tr.even { background: var(--even); }
tr.week { background: var(--sunday); }
tr.week td:first-child { color: var(--sunday-ink); }
tr.friday { background: var(--friday); }
tr.friday td:first-child { box-shadow: inset 3px 0 0 var(--main); }
.info {
  margin: 0 2rem 2rem;
  padding: .9rem 1.1rem;
  background: white;
  border: 1px solid var(--line);
  border-left: 4px solid var(--main);
  border-radius: 6px;
  font-size: .85rem;
  color: var(--muted);
}
.info h2 { margin: 0 0 .4rem; font-size: .95rem; color: var(--ink); }
.info p { margin: 0; }
.info a { color: inherit; font-weight: 600; }
@page { size: A4; margin: 11mm 10mm; }
@media print {
  body { background: white; font-size: 8.3pt; line-height: 1.15; }
  .band { padding: 4mm 5mm 3mm; border-radius: 3px; }
  .band h1 { font-size: 14pt; }
  .band .period { font-size: 10pt; }
  .legend { margin: 2.5mm 0 0; font-size: 7.5pt; }
  .chart { margin: 3mm 0 0; border-radius: 3px; }
  .months {
    grid-template-columns: 1fr 1fr;
    gap: 4mm;
    padding: 3mm 0 4mm;
  }
  .month { border-radius: 3px; }
  .month h2 { padding: 1.2mm 2mm; font-size: 9.5pt; }
  .month h2 .hijri { font-size: 8pt; }
  .month { overflow: visible; }
  table { font-size: 7.2pt; }
  td { padding: .15mm .6mm; }
  thead td { font-size: 6.4pt; padding: .8mm .6mm; letter-spacing: 0; }
  table:has(thead td:nth-child(9)) { font-size: 6.5pt; }
  table:has(thead td:nth-child(9)) td { padding-left: .3mm; padding-right: .3mm; }
  .info { margin: 0; break-inside: avoid; font-size: 7.5pt; }
}
</style>
</head>
<body>
<header class="band">
  <h1>{TITLE}</h1>
  <p class="period">{PERIODE}</p>
</header>
<figure class="chart">{CHART}</figure>
<p class="legend"><span class="friday">Friday</span><span class="sunday">Sunday</span></p>
<main class="months">
<!--header-->
<section class="month">
  <h2><span>{BLN_M}</span><span class="hijri">{BLN_H}</span></h2>
  <table>
    <thead>{TBL_HEAD}</thead>
    <tbody>{TBL_ROWS}</tbody>
  </table>
</section>
<!--jadwal-->
</main>
<footer class="info">
  <h2>Calculation settings</h2>
  <p>{INFO}</p>
</footer>
</body>
</html>
