#!/usr/bin/env python3
# Compares Host/Api, our subset of the Archicad 27 kit's headers, with the kit itself, declaration by
# declaration: functions (name, parameter types, return type), record fields and their types, enumerators,
# type aliases, and the values of constants and macros. Prints one line per declaration that differs from
# the kit's or that the kit does not have, then two totals. Private members of our class libraries show
# up as "NOT IN KIT" too: read the list, it is not a pass or fail.
#
#   apt-get install python3-clang-14
#   AC_API_DEVKIT_DIR=/opt/archicad-api-devkit-27/Support /usr/bin/python3 scripts/compare-api.py
import sys, os, glob, subprocess, tempfile
import clang.cindex as ci
from clang.cindex import CursorKind as K

repo = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
kit = os.environ.get('AC_API_DEVKIT_DIR', '/opt/archicad-api-devkit-27/Support')
api = os.path.join(repo, 'Host/Api')
ours_headers = sorted(glob.glob(api + '/Inc/*.h*') + glob.glob(api + '/Modules/*/*.h*'))
names = [os.path.basename(h) for h in ours_headers]
kit_names = [n for n in names if glob.glob(kit + '/Inc/' + n) or glob.glob(kit + '/Modules/*/' + n)]
missing_files = sorted(set(names) - set(kit_names))

def tu(headers, args, label):
    src = os.path.join(tempfile.mkdtemp(), 'compare-%s.cpp' % label)
    with open(src, 'w') as f:
        for h in headers:
            f.write('#include "%s"\n' % h)
    index = ci.Index.create()
    t = index.parse(src, args=args)
    errs = [d for d in t.diagnostics if d.severity >= ci.Diagnostic.Error]
    for d in errs[:10]:
        print('%s: %s' % (label, d), file=sys.stderr)
    return t

resdir = subprocess.check_output(['clang++-14', '-print-resource-dir']).decode().strip() if os.path.exists('/usr/bin/clang++-14') else None
common = ['-x', 'c++', '-std=c++17'] + (['-resource-dir', resdir] if resdir else [])
ours_args = common + ['-I' + api + '/Inc'] + ['-I' + d for d in sorted(glob.glob(api + '/Modules/*'))]
kit_args = common + ['-Dmacintosh=1', '-DACExtension', '-include', 'cstring', '-include', 'GSRoot.hpp',
                     '-isystem', os.path.join(repo, 'scripts/devkit'), '-I' + kit + '/Inc'] + \
           ['-I' + d for d in sorted(glob.glob(kit + '/Modules/*'))]

def qual(c):
    parts = []
    while c is not None and c.kind != K.TRANSLATION_UNIT:
        if c.spelling:
            parts.append(c.spelling)
        c = c.semantic_parent
    return '::'.join(reversed(parts))

import re as _re
def norm(t):
    return _re.sub(r'\(unnamed (union|struct) at [^)]*\)', r'(unnamed \1)', _re.sub(r'\(anonymous (union|struct) at [^)]*\)', r'(anonymous \1)', t))

def params(c):
    return ','.join(a.type.get_canonical().spelling for a in c.get_arguments())

bases = {}
def entities(t, keep):
    out = {}
    def visit(c):
        for ch in c.get_children():
            f = ch.location.file.name if ch.location.file else ''
            if not keep(f):
                if ch.kind in (K.NAMESPACE, K.LINKAGE_SPEC):
                    visit(ch)
                continue
            k = ch.kind
            key = None; val = None
            if k in (K.FUNCTION_DECL, K.CXX_METHOD, K.CONSTRUCTOR, K.FUNCTION_TEMPLATE):
                key = ('function', qual(ch) + '(' + params(ch) + ')' + (' const' if k == K.CXX_METHOD and ch.is_const_method() else ''))
                val = (ch.result_type.spelling if k != K.CONSTRUCTOR else '', ch.result_type.get_canonical().spelling if k != K.CONSTRUCTOR else '',
                       ' '.join(a.type.spelling for a in ch.get_arguments()),
                       'static' if k == K.CXX_METHOD and ch.is_static_method() else '')
            elif k == K.FIELD_DECL:
                key = ('field', qual(ch)); val = (norm(ch.type.spelling), norm(ch.type.get_canonical().spelling))
            elif k == K.ENUM_CONSTANT_DECL:
                # an unscoped enumerator lives in the enclosing scope, whatever its enum is called
                name = qual(ch) if ch.semantic_parent.is_scoped_enum() else (qual(ch.semantic_parent.semantic_parent) + '::' + ch.spelling).lstrip(':')
                key = ('enumerator', name); val = (str(ch.enum_value), str(ch.enum_value))
            elif k in (K.TYPEDEF_DECL, K.TYPE_ALIAS_DECL):
                key = ('type alias', qual(ch)); val = (ch.underlying_typedef_type.spelling, ch.underlying_typedef_type.get_canonical().spelling)
            elif k in (K.STRUCT_DECL, K.CLASS_DECL, K.UNION_DECL, K.ENUM_DECL, K.CLASS_TEMPLATE):
                if ch.spelling:
                    kind = {K.STRUCT_DECL: 'struct', K.CLASS_DECL: 'class', K.UNION_DECL: 'union', K.ENUM_DECL: 'enum', K.CLASS_TEMPLATE: 'class template'}[k]
                    if k == K.CLASS_DECL or k == K.STRUCT_DECL: kind = 'class/struct'
                    key = ('record', qual(ch)); val = (kind, kind)
            elif k == K.VAR_DECL and ch.semantic_parent.kind in (K.TRANSLATION_UNIT, K.NAMESPACE, K.STRUCT_DECL, K.CLASS_DECL):
                key = ('constant', qual(ch)); val = (ch.type.spelling, ch.type.get_canonical().spelling.replace('const ', ''))
            if k in (K.STRUCT_DECL, K.CLASS_DECL, K.CLASS_TEMPLATE) and ch.spelling:
                for b in ch.get_children():
                    if b.kind == K.CXX_BASE_SPECIFIER and b.referenced is not None:
                        bases.setdefault(qual(ch), []).append(qual(b.referenced))
            if key and key not in out:
                out[key] = (val, '%s:%d' % (os.path.basename(f), ch.location.line))
            if k in (K.NAMESPACE, K.STRUCT_DECL, K.CLASS_DECL, K.UNION_DECL, K.ENUM_DECL, K.CLASS_TEMPLATE, K.LINKAGE_SPEC):
                visit(ch)
    visit(t.cursor)
    return out

ours_tu = tu(ours_headers, ours_args, 'ours')
ours = entities(ours_tu, lambda f: f.startswith(api) and '/ACAP_STAT/' not in f)
kit_tu = tu(kit_names, kit_args, 'kit')
kits = entities(kit_tu, lambda f: f.startswith(kit))
# functions may differ in parameter spelling only; index kit functions by name too
kit_by_name = {}
for (kind, key), v in kits.items():
    if kind == 'function':
        kit_by_name.setdefault(key.split('(')[0], []).append((key, v))

# the kit reaches some names through aliases (using X = Y) and using-declarations (GS::X at global scope)
aliases = {}
for (kind, key), (val, where) in kits.items():
    if kind == 'type alias':
        aliases[key] = val[1]
def kit_key(kind, key):
    if (kind, key) in kits:
        return (kind, key)
    if ('GS::' + key) and (kind, 'GS::' + key) in kits:
        return (kind, 'GS::' + key)
    if kind in ('field', 'function') and '::' in key:
        rec, rest = key.split('(')[0].rsplit('::', 1)[0], key[len(key.split('(')[0].rsplit('::', 1)[0]) + 2:]
        if rec in aliases:
            k2 = aliases[rec] + '::' + rest
            if (kind, k2) in kits:
                return (kind, k2)
    if kind == 'function' and '::' in key.split('(')[0]:
        rec = key.split('(')[0].rsplit('::', 1)[0]
        rest = key[len(rec) + 2:]
        todo = list(bases.get(rec, []))
        while todo:
            b = todo.pop()
            if ('function', b + '::' + rest) in kits:
                return ('function', b + '::' + rest)
            todo += bases.get(b, [])
    if kind == 'record' and key in aliases:
        return ('record', aliases[key]) if ('record', aliases[key]) in kits else ('type alias', key)
    return None

problems = 0
for (kind, key), (val, where) in sorted(ours.items()):
    if kind in ('constant',):
        continue  # compared by value below
    kk = kit_key(kind, key)
    if kk is not None and kk[0] == 'type alias' and kind == 'record':
        continue
    if kk is not None:
        kind, key = kk
        kval, kwhere = kits[(kind, key)]
        if kind == 'function':
            if val[1] != kval[1] or val[3] != kval[3]:
                problems += 1; print('DIFFERENT %s %s: ours %s [%s], kit %s [%s]' % (kind, key, val, where, kval, kwhere))
        elif val[1] != kval[1] and kind != 'record':
            problems += 1; print('DIFFERENT %s %s: ours %s [%s], kit %s [%s]' % (kind, key, val[0], where, kval[0], kwhere))
        elif kind == 'record' and val[0] != kval[0]:
            problems += 1; print('DIFFERENT %s %s: ours %s, kit %s' % (kind, key, val[0], kval[0]))
        continue
    if kind == 'function' and (key.split('(')[0] in kit_by_name or ('GS::' + key.split('(')[0]) in kit_by_name):
        problems += 1
        print('DIFFERENT parameters %s [%s]; the kit has: %s' % (key, where, '; '.join(k for k, _ in kit_by_name[key.split('(')[0]])))
        continue
    problems += 1
    print('NOT IN KIT %s %s [%s]' % (kind, key, where))
for n in missing_files:
    print('NOT IN KIT header file %s' % n)

# constants and macros: compared by value (a constant here may be a macro there)
import re, tempfile
names_c = [key for (kind, key), _ in ours.items() if kind == 'constant' and '::' not in key]
def ours_macros():
    out = []
    for h in ours_headers:
        for line in open(h):
            m = re.match(r'\s*#define\s+([A-Za-z_][A-Za-z0-9_]*)\s+\S', line)
            if m and not m.group(1).endswith('_H') and not m.group(1).endswith('_HPP'):
                out.append(m.group(1))
    return out
cands = sorted(set(names_c + ours_macros()))
work = tempfile.mkdtemp()
values = {}
inc_ours = ['-I' + api + '/Inc'] + ['-I' + d for d in sorted(glob.glob(api + '/Modules/*'))]
inc_kit = kit_args[kit_args.index('-Dmacintosh=1'):]
def program(ns):
    src = os.path.join(work, 'v.cpp')
    with open(src, 'w') as f:
        for h in ours_headers: f.write('#include "%s"\n' % os.path.basename(h))
        f.write('#include <cstdio>\nint main() {\n')
        for n in ns: f.write('    std::printf("%s %%lld\\n", static_cast<long long>(%s));\n' % (n, n))
        f.write('}\n')
    return src
head = len(ours_headers) + 2
src = program(cands)
r = subprocess.run(['g++', '-std=c++17', '-w', '-fsyntax-only', src] + inc_ours, capture_output=True)
badlines = set(int(m) for m in re.findall(r'v\.cpp:(\d+):\d+: error', r.stderr.decode()))
good = [n for i, n in enumerate(cands) if (head + 1 + i) not in badlines]
src = program(good)
r = subprocess.run(['g++', '-std=c++17', '-w', src, '-o', os.path.join(work, 'v')] + inc_ours, capture_output=True)
if r.returncode == 0:
    for line in subprocess.run([os.path.join(work, 'v')], capture_output=True).stdout.decode().splitlines():
        n, v = line.split(); values[n] = v
else:
    print(r.stderr.decode()[:2000], file=sys.stderr)
src = os.path.join(work, 'k.cpp')
with open(src, 'w') as f:
    for h in kit_names: f.write('#include "%s"\n' % h)
    for n, v in sorted(values.items()):
        f.write('static_assert(static_cast<long long>(%s) == %sLL, "VALUE %s");\n' % (n, v, n))
r = subprocess.run(['clang++', '-std=c++17', '-fsyntax-only', '-ferror-limit=0', src] + inc_kit, capture_output=True)
bad_value = sorted(set(re.findall(r'"VALUE (\w+)"', r.stderr.decode())))
undeclared = sorted(set(re.findall(r"use of undeclared identifier '(\w+)'", r.stderr.decode())))
for n in bad_value:
    if n not in undeclared:
        problems += 1; print('DIFFERENT value %s: ours %s' % (n, values[n]))
for n in undeclared:
    if n in values:
        problems += 1; print('NOT IN KIT constant %s' % n)
print('%d values compared' % len(values))
print('%d declarations of Host/Api compared, %d differ from the kit or are not in it' % (len(ours) + len(values), problems))
