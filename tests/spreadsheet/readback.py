"""Prints what an .xlsx holds, one tab-separated line per item, for the spreadsheet tests.

cell  coordinate type repr(value) length number_format wrap bold size left top bottom right
col   letter width hidden
colfmt letter bold first-column last-column
row   number height hidden (rows with a height or hidden)
rowfmt number bold (rows with a format of their own)
text  coordinate hex of the UTF-8 of the cell's text as the file holds it, decoded as Excel reads "_xHHHH_"
sst   hex of the UTF-8 of each shared or inline string, decoded as Excel reads "_xHHHH_"
xfs   the number of cell formats
"""
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'


def excel_decode(text):
    return re.sub('_x([0-9A-Fa-f]{4})_', lambda m: chr(int(m.group(1), 16)), text)


def main(path):
    out = []
    ws = openpyxl.load_workbook(path).active
    for (row, column), cell in sorted(ws._cells.items()):
        value = cell.value
        length = len(value) if isinstance(value, str) else -1
        shown = repr(value) if length < 200 else '<long>'
        b = cell.border
        out.append('\t'.join(['cell', cell.coordinate, type(value).__name__, shown, str(length),
                              cell.number_format, str(bool(cell.alignment.wrap_text)), str(bool(cell.font.b)),
                              str(cell.font.sz), str(b.left.style), str(b.top.style), str(b.bottom.style),
                              str(b.right.style)]))
    for letter, dim in sorted(ws.column_dimensions.items()):
        out.append('\t'.join(['col', letter, str(dim.width), str(bool(dim.hidden))]))
        out.append('\t'.join(['colfmt', letter, str(bool(dim.font.b)), str(dim.min), str(dim.max)]))
    with zipfile.ZipFile(path) as archive:
        sheet = ET.fromstring(archive.read('xl/worksheets/sheet1.xml'))
        # openpyxl keeps no row format of the default look: whether a row has one is the file's.
        custom = {int(row.get('r')) for row in sheet.iter(NS + 'row') if row.get('customFormat') in ('1', 'true')}
        for number, dim in sorted(ws.row_dimensions.items()):
            if dim.ht is not None or dim.hidden:
                out.append('\t'.join(['row', str(number), str(dim.ht), str(bool(dim.hidden))]))
            if number in custom:
                out.append('\t'.join(['rowfmt', str(number), str(bool(dim.font.b))]))
        shared = []
        if 'xl/sharedStrings.xml' in archive.namelist():
            shared = [''.join(t.text or '' for t in si.iter(NS + 't'))
                      for si in ET.fromstring(archive.read('xl/sharedStrings.xml')).iter(NS + 'si')]
        for c in sheet.iter(NS + 'c'):
            if c.get('t') == 'inlineStr':
                text = ''.join(t.text or '' for t in c.iter(NS + 't'))
            elif c.get('t') == 's':
                text = shared[int(c.find(NS + 'v').text)]
            else:
                continue
            out.append('text\t' + c.get('r') + '\t' + excel_decode(text).encode('utf-8', 'surrogatepass').hex())
        for name in archive.namelist():
            if name.endswith('.xml') or name.endswith('.rels'):
                ET.fromstring(archive.read(name))  # every part is well-formed XML
        strings = []
        if 'xl/sharedStrings.xml' in archive.namelist():
            strings += ET.fromstring(archive.read('xl/sharedStrings.xml')).iter(NS + 'si')
        strings += ET.fromstring(archive.read('xl/worksheets/sheet1.xml')).iter(NS + 'is')
        for si in strings:
            text = ''.join(t.text or '' for t in si.iter(NS + 't'))
            out.append('sst\t' + excel_decode(text).encode('utf-8', 'surrogatepass').hex())
        xfs = ET.fromstring(archive.read('xl/styles.xml')).find(NS + 'cellXfs')
        out.append('xfs\t' + xfs.get('count'))
    sys.stdout.write('\n'.join(out) + '\n')


main(sys.argv[1])
