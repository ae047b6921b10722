#!/usr/bin/env python3
"""Write the hostile inputs the watcher and tremolux-cli must survive.

Usage: hostile_inputs.py OUTDIR

Writes into OUTDIR (created if missing):
  nested_div_100k.html   100,000 nested <div> around one quake table
  nested_div_300k.html   300,000 nested <div> around one quake table
  nested_tables_10k.html 10,000 quake-row tables, each inside the last one's cell
  regions_4k.html        2,000 quakes whose regions are 4,000 characters long
  regions_1m.geojson     50 quakes whose regions are 1 MB long (GeoJSON: over
                         the HTML cap)
  rows_16m.html          a 16 MiB page of short quake rows (about 279,618)
  rows_100k.html         100,000 short quake rows: the most a page may hold
  paragraphs_16m.html    16 MiB of <p>
  sparse_2g.html         a 2 GB sparse file
  fifo                   a named pipe
  CITIES.TXT             a city file with a 10 MB line among good ones
  land_dir/              a directory, to be named as the land file
  small.html             a valid feed of one quake (988 bytes or so)

Serve the folder with `python3 -m http.server --bind 127.0.0.1 PORT` to load
the pages over HTTP.  Standard library only; the output is the same on every run.
"""
import os
import sys

ROW = ('<tr><td>MAP</td><td>{mag:.1f}</td><td>2026/12/07 {h:02d}:{m:02d}:{s:02d}</td>'
       '<td>{lat:.3f}</td><td>{lon:.3f}</td><td>10.0</td><td>{region}</td></tr>\n')
HEAD = ('<html><head><title>Latest Earthquakes in the World - Past 7 days</title></head>'
        '<body>\n')
TABLE_HEAD = ('<table><tr><th>&nbsp;</th><th>MAG</th><th>UTC DATE-TIME</th><th>LAT</th>'
              '<th>LON</th><th>DEPTH</th><th>Region</th></tr>\n')
TAIL = '</body></html>\n'
# The shortest row the table reader takes: cells need no closing tags.
SHORT_ROW = '<tr><td><td>{mag}<td>2026/12/07 {h:02d}:{m:02d}:{s:02d}<td>{lat}<td>{lon}<td>1<td>R\n'
MIB = 1024 * 1024


def row(i, region='NEAR EAST COAST OF HONSHU, JAPAN'):
    seconds = 12 * 3600 - i % (12 * 3600)
    return ROW.format(mag=1.0 + (i * 7 % 70) / 10.0, h=seconds // 3600,
                      m=seconds // 60 % 60, s=seconds % 60,
                      lat=-60.0 + (i * 37 % 1200) / 10.0,
                      lon=-179.0 + (i * 91 % 3580) / 10.0, region=region)


def table(rows, region='NEAR EAST COAST OF HONSHU, JAPAN'):
    return TABLE_HEAD + ''.join(row(i, region) for i in range(rows)) + '</table>\n'


def write(path, text):
    with open(path, 'w', encoding='utf-8') as out:
        out.write(text)


def nested_divs(path, depth):
    write(path, HEAD + '<div>' * depth + table(3) + '</div>' * depth + TAIL)


def nested_tables(path, count):
    # Each table's last cell holds the next table.
    opening = TABLE_HEAD + row(0).replace('</td></tr>\n', '')
    write(path, HEAD + opening * count + '</td></tr></table>' * count + TAIL)


def short_row(i):
    seconds = 12 * 3600 - i % (12 * 3600)
    return SHORT_ROW.format(mag=1 + i % 8, h=seconds // 3600, m=seconds // 60 % 60,
                            s=seconds % 60, lat=i % 60, lon=i % 170)


def geojson(path, count, region):
    feature = ('{{"type":"Feature","properties":{{"mag":{mag},"place":"{region}",'
               '"time":{time},"url":""}},"geometry":{{"type":"Point",'
               '"coordinates":[{lon},{lat},10.0]}}}}')
    features = ','.join(feature.format(mag=4.0 + i % 30 / 10.0, region=region,
                                       time=1765086137000 - i * 60000, lon=-170 + i * 6,
                                       lat=-40 + i) for i in range(count))
    write(path, '{"type":"FeatureCollection","features":[' + features + ']}')


def short_rows(path, count):
    write(path, HEAD + TABLE_HEAD + ''.join(short_row(i) for i in range(count)) + '</table>\n'
          + TAIL)


def rows_up_to(path, size):
    parts = [HEAD, TABLE_HEAD]
    used = len(HEAD) + len(TABLE_HEAD) + len('</table>\n' + TAIL)
    i = 0
    while True:
        line = short_row(i)
        if used + len(line) > size:
            break
        parts.append(line)
        used += len(line)
        i += 1
    write(path, ''.join(parts) + '</table>\n' + TAIL)
    return i


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    at = lambda name: os.path.join(out, name)

    nested_divs(at('nested_div_100k.html'), 100_000)
    nested_divs(at('nested_div_300k.html'), 300_000)
    nested_tables(at('nested_tables_10k.html'), 10_000)
    write(at('regions_4k.html'), HEAD + table(2000, 'R' * 4000) + TAIL)
    geojson(at('regions_1m.geojson'), 50, 'R' * MIB)
    rows = rows_up_to(at('rows_16m.html'), 16 * MIB)
    short_rows(at('rows_100k.html'), 100_000)
    paragraph = '<p>'
    write(at('paragraphs_16m.html'),
          HEAD + paragraph * ((16 * MIB - len(HEAD) - len(TAIL)) // len(paragraph)) + TAIL)
    with open(at('sparse_2g.html'), 'wb') as sparse:
        sparse.truncate(2 * 1024 * MIB)
    if not os.path.exists(at('fifo')):
        os.mkfifo(at('fifo'))
    with open(at('CITIES.TXT'), 'w', encoding='utf-8') as cities:
        cities.write('Tokyo\t35.6895\t139.6917\n')
        cities.write('Long' + 'x' * (10 * 1000 * 1000) + '\t1.0\t2.0\n')
        cities.write('Lima\t-12.0464\t-77.0428\n')
    os.makedirs(at('land_dir'), exist_ok=True)
    write(at('small.html'), HEAD + table(1) + TAIL)
    print(f'{out}: rows_16m.html holds {rows} rows')


if __name__ == '__main__':
    main()
