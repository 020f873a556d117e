"""Reads cases.txt, the behaviour cases every frontend runs (its header
gives the format), for the drivers written in Python.

    for case in cases.load():
        case.title, case.line, case.steps  # steps: [Step(verb, args, line)]

A step's verb is the line's first word (type, key, click, paste,
paste-digits, reactivate, expect); its args are the words and texts after
it, texts unquoted and unescaped.
"""
import os
from dataclasses import dataclass, field

PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'cases.txt')
VERBS = {'type', 'key', 'click', 'paste', 'paste-digits', 'reactivate', 'expect'}
ESCAPES = {'"': '"', '\\': '\\', 'n': '\n', 't': '\t'}


@dataclass
class Step:
    verb: str
    args: list
    line: int


@dataclass
class Case:
    title: str
    line: int
    steps: list = field(default_factory=list)


def words(text, line):
    """Splits a line into bare words and double-quoted texts."""
    out, i = [], 0
    while i < len(text):
        if text[i].isspace():
            i += 1
        elif text[i] == '"':
            word, i = '', i + 1
            while i < len(text) and text[i] != '"':
                if text[i] == '\\':
                    if i + 1 >= len(text) or text[i + 1] not in ESCAPES:
                        raise ValueError('line %d: a bad escape' % line)
                    word += ESCAPES[text[i + 1]]
                    i += 2
                else:
                    word += text[i]
                    i += 1
            if i >= len(text):
                raise ValueError('line %d: an unclosed text' % line)
            out.append(word)
            i += 1
        else:
            end = i
            while end < len(text) and not text[end].isspace():
                end += 1
            out.append(text[i:end])
            i = end
    return out


def parse(source):
    cases = []
    for number, raw in enumerate(source.splitlines(), 1):
        stripped = raw.strip()
        if not stripped or stripped.startswith('#'):
            continue
        if stripped.startswith('case '):
            cases.append(Case(stripped[5:].strip(), number))
            continue
        parts = words(stripped, number)
        if parts[0] not in VERBS:
            raise ValueError('line %d: no verb %r' % (number, parts[0]))
        if not cases:
            raise ValueError('line %d: a step before the first case' % number)
        cases[-1].steps.append(Step(parts[0], parts[1:], number))
    return cases


def load(path=PATH):
    with open(path, encoding='utf-8') as f:
        return parse(f.read())


def control(name):
    """'Btn5' -> ('Btn', 5); 'txtDec' -> ('txtDec', -1)."""
    if name.startswith('Btn') and name[3:].isdigit():
        return 'Btn', int(name[3:])
    return name, -1
