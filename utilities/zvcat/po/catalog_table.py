#!/usr/bin/env python3
"""Writes a .po file's translations as a C++ table of CatalogEntry (zvcat_catalog.h), for the
Windows build, which has no gettext: python3 catalog_table.py ja.po table.cpp.  The strings
are copied with their C escapes; the compiler turns them into Shift-JIS literals."""
import re
import sys


def entries(lines):
    """(msgid, msgstr) pairs, each as the text between the quotes of its lines."""
    current, key, fuzzy = {}, None, False
    for line in lines + ['']:
        line = line.strip()
        if line.startswith('#,') and 'fuzzy' in line:
            fuzzy = True
        match = re.match(r'^(msgid|msgstr)\s+"(.*)"$', line)
        if match:
            key = match.group(1)
            current[key] = match.group(2)
        elif line.startswith('"') and key:
            current[key] += line[1:-1]
        elif not line:
            if current.get('msgid') and current.get('msgstr') and not fuzzy:
                yield current['msgid'], current['msgstr']
            current, key, fuzzy = {}, None, False


def main():
    with open(sys.argv[1], encoding='utf-8') as po:
        pairs = list(entries(po.read().splitlines()))
    with open(sys.argv[2], 'w', encoding='utf-8') as out:
        out.write('// Generated from %s by catalog_table.py; do not edit.\n' % sys.argv[1].split('/')[-1])
        out.write('#include "utilities/zvcat/zvcat_catalog.h"\n\n')
        out.write('const CatalogEntry kJapaneseCatalog[] = {\n')
        for msgid, msgstr in pairs:
            out.write('    {"%s",\n     "%s"},\n' % (msgid, msgstr))
        out.write('};\nconst size_t kJapaneseCatalogSize = %d;\n' % len(pairs))


main()
