"""Reads cases.txt, the behaviour cases every frontend's driver runs: a
list of Case, each a title and its steps, a step being its verb and its
words, with quoted texts unquoted."""
import os
import re
from dataclasses import dataclass, field

ESCAPES = {'n': '\n', 't': '\t', '"': '"', '\\': '\\'}
WORD = re.compile(r'\s*(?:"((?:[^"\\]|\\.)*)"|(\S+))')


@dataclass
class Case:
    title: str
    line: int
    steps: list = field(default_factory=list)


def words(text, where):
    out = []
    for match in WORD.finditer(text):
        quoted, bare = match.groups()
        if bare is not None:
            if '"' in bare:
                raise ValueError(f'{where}: a stray quote in {bare}')
            out.append(bare)
        else:
            out.append(re.sub(r'\\(.)', lambda m: ESCAPES[m.group(1)], quoted))
    return out


def read(path=os.path.join(os.path.dirname(__file__), 'cases.txt')):
    cases = []
    for number, line in enumerate(open(path, encoding='utf-8'), 1):
        line = line.strip()
        if not line or line.startswith('#'):
            continue
        verb, _, rest = line.partition(' ')
        if verb == 'case':
            cases.append(Case(rest, number))
        elif not cases:
            raise ValueError(f'{path}:{number}: a step before the first case')
        else:
            cases[-1].steps.append((verb, words(rest, f'{path}:{number}')))
    return cases
