#!/usr/bin/python3
"""Writes lumcode(1) from the program's own help texts.

help2man turns `lumcode --help` and `--version` into the page; the help of
every command (`lumcode COMMAND --help`), also put through help2man, becomes
one subsection of COMMANDS, so the page follows the program without a second
copy of its texts.

usage: lumcode_man.py [--help2man PATH] [--include FILE]... LUMCODE OUTPUT
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile


def run(args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def command_names(lumcode):
    """The commands the overview lists, in its order."""
    help_text = run([lumcode, '--help'])
    block = re.search(r'^Commands:\n((?:  \S.*\n)+)', help_text, re.M)
    if not block:
        sys.exit('lumcode_man.py: no "Commands:" list in lumcode --help')
    return [line.split()[0] for line in block.group(1).splitlines()]


def command_section(help2man, lumcode, name):
    """roff for one command: its synopsis, description and options.

    help2man lays the command's help out as a page of its own; its SYNOPSIS
    becomes the subsection's first line and its other sections bold headings.
    """
    page = run([help2man, '--no-info', '--help-option', name + ' --help', '--version-option', '--version', lumcode])
    lines = page.splitlines()
    start = lines.index('.SH SYNOPSIS')
    out = ['.SS %s' % name]
    block = None  # lines so far of an indented block, None outside one
    for line in lines[start + 1:]:
        if line.startswith('.'):
            block = 0 if line == '.IP' else None
        elif block is not None:
            # An indented block (an output sample, a field list) keeps its
            # lines as the terminal shows them.
            if block:
                out.append('.br')
            block += 1
        heading = re.match(r'^\.S[HS] "?(.*?)"?$', line)
        if line == '.SH DESCRIPTION':
            out.append('.PP')
        elif heading:
            title = heading.group(1)
            if line.startswith('.SH'):
                title = title.capitalize() + ':'
            out += ['.PP', '.B "%s"' % title]
        else:
            # The command name stands in bold in the synopsis, as "lumcode" does.
            out.append(line.replace('\\fI\\,%s \\/\\fR' % name, '\\fB%s\\fR ' % name, 1))
    return '\n'.join(out) + '\n'


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument('--help2man', default='help2man')
    parser.add_argument('--include', action='append', default=[])
    parser.add_argument('lumcode')
    parser.add_argument('output')
    args = parser.parse_args(argv)
    lumcode = os.path.abspath(args.lumcode)

    commands = ''.join(command_section(args.help2man, lumcode, n) for n in command_names(lumcode))
    with tempfile.NamedTemporaryFile('w', suffix='.h2m') as extra:
        # Appended to DESCRIPTION, the new section comes before OPTIONS.
        extra.write('[>DESCRIPTION]\n.SH COMMANDS\n' + commands)
        extra.flush()
        includes = [a for f in args.include + [extra.name] for a in ('--include', f)]
        page = run([args.help2man, '--no-info', *includes, lumcode])

    # The overview's "Exit status:" list is a section of its own in a manual page.
    page, n = re.subn(r'^\.SS "Exit status:"$', '.SH "EXIT STATUS"', page, flags=re.M)
    if n != 1:
        sys.exit('lumcode_man.py: no "Exit status:" list in lumcode --help')
    with open(args.output, 'w') as f:
        f.write(page)


if __name__ == '__main__':
    main(sys.argv[1:])
