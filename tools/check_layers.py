#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that no include points up the layer graph: every #include "..." in the
program's sources names a header of the file's own CMake target or of a target that
it links, directly or through others. Targets, their files and their links are read
from the folders' CMakeLists.txt; a source file in no target is an error too.
    python3 tools/check_layers.py [SOURCE_FOLDER]"""
import pathlib
import re
import sys

FOLDERS = ['store', 'resources', 'components', 'editing', 'notice', 'options', 'app']
root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else '.')
owner, links = {}, {}
for folder in FOLDERS:
    text = (root / folder / 'CMakeLists.txt').read_text()
    for m in re.finditer(r'add_(?:library|executable)\((\w+)([^)]*)\)', text):
        links.setdefault(m.group(1), set())
        for name in re.findall(r'([\w]+\.(?:cpp|h))\b', m.group(2)):
            owner[f'{folder}/{name}'] = m.group(1)
    for m in re.finditer(r'target_link_libraries\((\w+)([^)]*)\)', text):
        links.setdefault(m.group(1), set()).update(re.findall(r'\btockwell\w*', m.group(2)))


def below(target, seen=None):
    seen = set() if seen is None else seen
    for t in links.get(target, ()):
        if t not in seen:
            seen.add(t)
            below(t, seen)
    return seen


errors = []
headers = {}
for path in owner:
    if path.endswith('.h'):
        headers.setdefault(path.split('/')[1], []).append(path)
for folder in FOLDERS:
    for f in sorted((root / folder).glob('*.[ch]*')):
        path = f'{folder}/{f.name}'
        if path not in owner:
            errors.append(f'{path}: in no target')
            continue
        target = owner[path]
        allowed = below(target) | {target}
        for inc in re.findall(r'^#include "([^"]+)"', f.read_text(), re.M):
            found = headers.get(inc, [])
            if not found:
                errors.append(f'{path}: includes {inc}, a header of no target')
            elif not any(owner[h] in allowed for h in found):
                errors.append(f'{path} ({target}): includes {inc} of {owner[found[0]]}, which it does not link')
print('\n'.join(errors) if errors else f'check_layers: {len(owner)} files, no include points up the graph')
sys.exit(1 if errors else 0)
