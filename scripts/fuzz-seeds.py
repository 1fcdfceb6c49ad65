#!/usr/bin/env python3
"""Seed inputs for the fuzzing harnesses, one folder per harness under OUT.

    scripts/fuzz-seeds.py OUT CLI

CLI is a built linetint-cli: the destination lists come from files it writes.
The project, render, pendrive, decode and recover harnesses read patches onto a
default kept in memory (see fuzz/harness.h): records of a 32-bit address, a
length byte and that many bytes; an address with its top bit set names a
view or screen (bits 16..25) and an offset inside it (bits 0..15).
"""
import codecs
import io
import os
import struct
import subprocess
import sys
import tempfile
import zipfile

out, cli = sys.argv[1], sys.argv[2]
here = os.path.dirname(os.path.abspath(__file__))


def put(harness, name, data):
    folder = os.path.join(out, harness)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def at(unit, off, raw):
    """Records addressed by view or screen `unit` (0-based, language-major)."""
    return b''.join(struct.pack('<IB', 0x80000000 | unit << 16 | (off + i), len(raw[i:i + 255])) + raw[i:i + 255]
                    for i in range(0, len(raw), 255))


def raw_at(off, raw):
    """Records addressed by offset into the whole buffer."""
    return b''.join(struct.pack('<IB', off + i, len(raw[i:i + 255])) + raw[i:i + 255]
                    for i in range(0, len(raw), 255))


def i32(*v):
    return struct.pack('<%di' % len(v), *v)


def u16(*v):
    return struct.pack('<%dH' % len(v), *v)


def text16(s, units=None):
    b = s.encode('utf-16-le')
    return b if units is None else (b * (units * 2 // max(len(b), 1) + 1))[:units * 2]


# --- project and render: patches onto the default project -------------------
GORNY, DOLNY, LEWY = 256, 2620, 4984
TEXT, RUCH, DIRECTION, SPEED, FONTNAME, FONTSIZE, STYL, ALIAS, X, Y = 0, 2056, 2060, 2064, 2068, 2324, 2328, 2332, 2336, 2340
FONTCOLOR, BACKCOLOR = 2356, 2360
BARX, BARY, TYP, TIME, USE = 7348, 7352, 7356, 7360, 7364
LANG = 6644594  # sDane.Lang, 66 bytes each: name (32 units), use


def in_use(unit, typ=3, time=5):
    return at(unit, USE, b'\x01') + at(unit, TIME, i32(time)) + at(unit, TYP, i32(typ))


project = {
    'default': b'',
    'view-in-use': in_use(0),
    'types': b''.join(in_use(k, typ=k) for k in range(4)),
    'type-hostile': in_use(1, typ=-2**31) + at(1, BARX, i32(2**31 - 1, -2**31)),
    'polish-text': in_use(2) + at(2, GORNY + TEXT, text16('Zażółć gęślą jaźń\0')),
    'no-terminator': in_use(3) + at(3, GORNY + TEXT + 1800, text16('W', 124)),
    'surrogates': in_use(4) + at(4, DOLNY + TEXT, '\U0001F68C \u0915\u093f \uffff\0'.encode('utf-16-le')),
    'lone-surrogate': in_use(5) + at(5, LEWY + TEXT, b'\x00\xd8A\x00\x00\x00'),
    'font-size': in_use(6) + at(6, GORNY + FONTSIZE, i32(2**31 - 1)) + at(6, DOLNY + FONTSIZE, i32(-1)),
    'movement': in_use(7) + at(7, GORNY + RUCH, i32(5, 0, 2**31 - 1)) + at(7, DOLNY + RUCH, i32(6, -5, -1)),
    'position': in_use(8) + at(8, GORNY + X, i32(-2**31, 2**31 - 1)) + at(8, LEWY + X, i32(127, -31)),
    'colours': in_use(9) + at(9, GORNY + FONTCOLOR, i32(8, 255)) + at(9, DOLNY + FONTCOLOR, i32(4, 4)),
    'style': in_use(10) + at(10, GORNY + STYL, i32(4)) + at(10, GORNY + ALIAS, b'\xff'),
    'font-name': in_use(11) + at(11, GORNY + FONTNAME, text16('No Such Face At All Here\0')) +
                 at(12, DOLNY + FONTNAME, text16('\0')) + in_use(12),
    'language-2': raw_at(LANG + 66, text16('Ελληνικά και πολύ μεγάλο όνομα\0')) + raw_at(LANG + 66 + 64, b'\x01') +
                  in_use(300),
    'language-3-last-view': raw_at(LANG + 132 + 64, b'\x07') + in_use(899, typ=2),
    'old-version': raw_at(0, i32(12544)),
    'edit-row': raw_at(1036, i32(-7, 0, 2**31 - 1)),
    'long-name': in_use(13) + at(13, 0, text16('N', 128)),
}
for name, data in project.items():
    put('project', name, data)
    put('render', name, data)

# --- pendrive and decode: patches onto the sample image ---------------------
S_USE, S_TIME, S_TYP, S_BARX, S_BARY = 0, 6, 8, 10, 12
S_GORNY, S_LEWY, S_DOLNY, S_NAME = 16, 2204, 2552, 8004
R_FONTCOLOR, R_TEXT, R_FONT = 44, 52, 116


def record_starts(data):
    i = 0
    while i + 5 <= len(data):
        yield i
        i += 5 + data[i + 4]


def screen_use(unit):
    return at(unit, S_USE, u16(1))


image = {
    'sample': b'',
    'type-beyond': at(0, S_TYP, u16(7, 200, 200)),
    'splits-zero': at(1, S_TYP, u16(3, 0, 0)),
    'colours': at(2, S_GORNY + R_FONTCOLOR, i32(255, -1)) + at(2, S_LEWY + R_FONTCOLOR, i32(8, 9)),
    'texts-unterminated': at(3, S_GORNY + R_TEXT, b'\xff' * 64) + at(3, S_NAME, b'\x01\x02\x03\x08' * 32) +
                          at(3, S_DOLNY + R_TEXT, b'A' * 255),
    'last-screen': screen_use(899) + at(899, S_TYP, u16(3, 64, 12)) + at(899, S_DOLNY + 332, b'\xaa' * 255),
    'picture': at(4, S_GORNY + 140, b'\x55' * 255) + at(4, S_LEWY + 92, b'\xf0' * 255),
    'font-missing': at(4, S_GORNY + R_FONT, b'No Such Face\x00'),
    'capitals-and-digits': at(5, S_GORNY + R_TEXT, b'ZAZOLC 0123 \xd3\xa3\x00'),
    'every-language': screen_use(300) + screen_use(600) + at(600, S_NAME, 'Żółw'.encode('latin-1', 'replace')),
}
for name, data in image.items():
    put('decode', name, data + b'\x03')
    # Recovery reads back only the screens a patch touches: at most four
    # records, the rest of the seed is dropped.
    put('recover', name, data)
    # The pendrive harness patches the default image, whose screens are not
    # in use: the seeds switch on the first ones and those they aim at.
    units = sorted({0, 1, 2} | {struct.unpack('<I', data[i:i + 4])[0] >> 16 & 0x3ff
                                for i in record_starts(data)})
    put('pendrive', name, b'\x00' + b''.join(screen_use(u) + at(u, S_TYP, u16(3)) for u in units) + data)
put('pendrive', 'short-file', b'\x01' + b'\x00' * 1024)
put('pendrive', 'empty-file', b'\x01')
header = bytearray(4096)
header[0:10] = bytes([0x01, 100, 0, 0, 1, 128, 32, 2, 0, 0])
header[10:14] = bytes([192, 168, 10, 50])
header[20:26] = b'KORVO\0'
header[44:76] = b'\x01English' + b'\0' * 24
header[76:108] = b'\x01' + b'\xff' * 31  # a name without its terminator
put('pendrive', 'header', b'\x02' + bytes(header))
put('pendrive', 'header-ff', b'\x02' + b'\xff' * 256)

# --- langfile: the shipped files and small edge cases ------------------------
lang_dir = os.path.join(here, '..', 'resources', 'lang')
for f in sorted(os.listdir(lang_dir)):
    put('langfile', f, open(os.path.join(lang_dir, f), 'rb').read())
small = ('LANGID=$415\n[MainForm]\n00000001=Tytuł \\n druga linia \\t \\\\ \\65\n; comment\n'
         '00000007=Raport\\nDrugi\n[$CONSTANTS]\nSAVED=Zapisano\n[FormPrint]\n0x0003=Druk\n')
put('langfile', 'small-utf8.lng', codecs.BOM_UTF8 + small.encode('utf-8'))
put('langfile', 'small-utf16le.lng', codecs.BOM_UTF16_LE + small.encode('utf-16-le'))
put('langfile', 'small-utf16be.lng', codecs.BOM_UTF16_BE + small.encode('utf-16-be'))
put('langfile', 'small-cp1252.lng', small.encode('cp1252', 'replace'))
put('langfile', 'repeated-entry.lng', b'LANGID=1031\n[MainForm]\n1=a\n00000001=b\n')
put('langfile', 'bad-id.lng', b'LANGID=99999999999\n[MainForm\n=x\n[]\n')
put('langfile', 'odd-utf16.lng', codecs.BOM_UTF16_LE + b'L\x00A\x00\x00\xd8=')

# --- csv: destination lists our export writes, cut to a few rows ------------
with tempfile.TemporaryDirectory() as tmp:
    prj = os.path.join(tmp, 'p.vmprj')
    subprocess.run([cli, 'new', '-o', prj], check=True, stdout=subprocess.DEVNULL)
    for name, extra in (('comma', []), ('semicolon-bom', ['--separator', ';', '--bom']), ('lang1', ['--lang', '1'])):
        path = os.path.join(tmp, name + '.csv')
        subprocess.run([cli, 'csv-export', prj, '-o', path] + extra, check=True, stdout=subprocess.DEVNULL)
        lines = open(path, 'rb').read().split(b'\r\n')
        put('csv', name + '.csv', b'\r\n'.join(lines[:4]) + b'\r\n')
    head = open(os.path.join(tmp, 'comma.csv'), 'rb').read().split(b'\r\n')[0]
put('csv', 'changes.csv', b'Language,View,In use,Time,Top text,Top movement,View type,Left font colour\r\n'
        b'1,1,yes,5,"Dworzec ""G\xc5\x82\xc3\xb3wny""",Bounce,vtLeftTop,red\n'
        b'English,2,no,0,,0,1,7\r'
        b'2,300,1,99,"a\r\nb",6,3,white\r\n')
put('csv', 'refused.csv', b'language;view;top X;bottom speed\n1;0;-128;101\n4;1;x;y\n1;1;1\n1;1;0;0\n')
put('csv', 'broken-quote.csv', b'Language,View\n1,"2\n')
put('csv', 'not-utf8.csv', b'Language,View,Destination\n1,1,\xff\xfe\n')
put('csv', 'unknown-column.csv', b'\xef\xbb\xbfLanguage,View,Colour of the sky,,\n1,1,blue,,\n')

# --- xlsx: our own list as a workbook, its sheet's XML (the harness makes a
# workbook around bytes that are no zip file), the files a spreadsheet saved
with tempfile.TemporaryDirectory() as tmp:
    prj = os.path.join(tmp, 'p.vmprj')
    book = os.path.join(tmp, 'list.xlsx')
    subprocess.run([cli, 'new', '-o', prj], check=True, stdout=subprocess.DEVNULL)
    subprocess.run([cli, 'list-export', prj, '-o', book], check=True, stdout=subprocess.DEVNULL)
    put('xlsx', 'default.xlsx', open(book, 'rb').read())
    sheet = zipfile.ZipFile(book).read('xl/worksheets/sheet1.xml').decode()
    import re
    rows = re.findall(r'<row r="\d+".*?</row>', sheet)[:6]
    # The harness's workbook holds two shared strings.
    rows = [re.sub(r't="s"><v>(\d+)</v>', lambda m: 't="s"><v>%d</v>' % (int(m.group(1)) % 2), r) for r in rows]
    put('xlsx', 'default-sheet.xml', ('<worksheet><sheetData>' + ''.join(rows) + '</sheetData></worksheet>').encode())
lists = os.path.join(here, '..', 'tests', 'data', 'lists')
if os.path.isdir(lists):
    for f in sorted(os.listdir(lists)):
        if f.endswith('.xlsx'):
            put('xlsx', f, open(os.path.join(lists, f), 'rb').read())
put('xlsx', 'inline-and-escapes.xml', b'<worksheet><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>Language'
        b'</t></is></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="str"><v>a_x000D_b</v></c></row><row r="2">'
        b'<c r="A2"><v>1</v></c><c r="B2" t="b"><v>1</v></c><c r="XFD2" t="e"><v>#N/A</v></c></row>'
        b'</sheetData></worksheet>')

# --- gtfs and gtfsview: routes.txt, a form feed, trips.txt ------------------
def feed(name, data):
    put('gtfs', name, data)
    put('gtfsview', name, data)


routes = (b'route_id,agency_id,route_short_name,route_long_name,route_type\r\n'
          b'r1,a,12,Dworzec - Osiedle,3\r\nr2,a,,Nocna,3\r\nr3,a,S40,,2\r\n')
trips = (b'route_id,service_id,trip_id,trip_headsign,direction_id\r\n'
         b'r1,wd,t1,Dworzec G\xc5\x82\xc3\xb3wny via Rynek,0\r\nr1,wd,t2,Osiedle przez Most,1\r\n'
         b'r2,wd,t3,,\r\nr3,we,t4,"Lotnisko, Terminal 2",1\r\nr1,wd,t5,Dworzec G\xc5\x82\xc3\xb3wny via Rynek,0\r\n')
feed('feed', routes + b'\f' + trips)
feed('routes-only', routes)
feed('bom-and-quotes', b'\xef\xbb\xbf"route_id","route_short_name"\n"1","1"\n\f\xef\xbb\xbf'
        b'"trip_headsign","route_id"\n"A ""B""","1"\n')
feed('unknown-route', b'route_id\n1\n\froute_id,trip_headsign,direction_id\n2,X,0\n1,Y,2\n1,Z,-1\n')

# --- zipfile: small archives, stored and deflated ----------------------------
def zip_bytes(entries, method=zipfile.ZIP_DEFLATED):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, 'w', method) as z:
        for name, data in entries:
            z.writestr(zipfile.ZipInfo(name, (2000, 1, 1, 0, 0, 0)), data, compress_type=method)
    return buf.getvalue()


xlsx = [('[Content_Types].xml', b'<?xml version="1.0"?><Types/>'),
        ('xl/workbook.xml', b'<workbook><sheets><sheet name="Views" r:id="rId1"/></sheets></workbook>'),
        ('xl/sharedStrings.xml', b'<sst><si><t>Language</t></si><si><t>View</t></si></sst>'),
        ('xl/worksheets/sheet1.xml', b'<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c>'
                                     b'<c r="B1" t="s"><v>1</v></c></row></sheetData></worksheet>')]
feed = [('agency.txt', b'agency_id,agency_name,agency_url,agency_timezone\n1,Velmora,https://x,Europe/Warsaw\n'),
        ('routes.txt', b'route_id,route_short_name,route_long_name,route_type\n12,12,Dworzec - Osiedle,3\n'),
        ('trips.txt', b'route_id,service_id,trip_id,trip_headsign\n12,wd,t1,Dworzec G\xc5\x82\xc3\xb3wny\n'),
        ('stops.txt', b'stop_id,stop_name,stop_lat,stop_lon\ns1,Dworzec,52.1,21.0\n')]
put('zipfile', 'workbook.zip', zip_bytes(xlsx))
put('zipfile', 'feed.zip', zip_bytes(feed))
put('zipfile', 'stored.zip', zip_bytes([('a.txt', b'abc'), ('dir/', b''), ('b.txt', b'')], zipfile.ZIP_STORED))
put('zipfile', 'empty.zip', zip_bytes([]))
put('zipfile', 'duplicate-names.zip', zip_bytes([('a.txt', b'1'), ('A.TXT', b'2')], zipfile.ZIP_STORED))
whole = zip_bytes([('big.txt', b'x' * 2000)])
put('zipfile', 'cut-short.zip', whole[:len(whole) // 2])
put('zipfile', 'not-zip.zip', b'PK\x03\x04' + b'\x00' * 26)
