#!/usr/bin/python3
"""man_page_test.py LUMCODE PAGE: the manual page made from lumcode's help
renders without a groff warning and holds every command with every option of
its help, every exit status, the examples and the version.
"""

import os
import re
import subprocess
import sys

lumcode, page = sys.argv[1:3]
env = dict(os.environ, LC_ALL='C.UTF-8', MANWIDTH='250', MAN_DISABLE_SECCOMP='1')
failures = []


def run(args):
    return subprocess.run(args, capture_output=True, text=True, env=env)


def check(ok, message):
    if not ok:
        failures.append(message)


# groff's own warnings, as lintian asks for them.
warnings = run(['man', '--warnings', '-E', 'UTF-8', '-l', '-Tutf8', '-Z', page]).stderr
check(not warnings.strip(), 'groff warnings:\n' + warnings)

text = run(['man', '-l', page]).stdout
text = re.sub(r'.\x08', '', text)  # bold and underline by overstriking
# Sections start in column 0, command subsections in column 3.
sections = dict(re.findall(r'^(\S[^\n]*)\n(.*?)(?=^\S|\Z)', text, re.M | re.S))
for name in ['NAME', 'SYNOPSIS', 'DESCRIPTION', 'COMMANDS', 'OPTIONS', 'EXIT STATUS', 'EXAMPLES', 'SEE ALSO']:
    check(name in sections, 'no section ' + name)
subsections = dict(re.findall(r'^   (\S+)\n(.*?)(?=^   \S|\Z)', sections.get('COMMANDS', ''), re.M | re.S))

overview = run([lumcode, '--help']).stdout
commands = re.findall(r'^  (\S+)  ', re.search(r'^Commands:\n((?:  .*\n)+)', overview, re.M).group(1), re.M)
check(len(commands) >= 5, 'commands read from lumcode --help: %s' % commands)
for command in commands:
    body = subsections.get(command)
    if body is None:
        failures.append('no subsection for lumcode %s' % command)
        continue
    usage = run([lumcode, command, '--help']).stdout
    options = re.findall(r'^  (?:(-\w), )?(--?[\w-]+)', usage.split('\nOptions:\n')[1], re.M)
    listed = body.split('\n       Options:\n')[-1]  # the subsection's option list
    for option in (o for pair in options for o in pair if o):
        check(re.search(r'^\s+(-\w, )?%s\b' % re.escape(option), listed, re.M),
              'lumcode %s: option %s missing' % (command, option))

statuses = re.findall(r'^  (\d)   (.+)$', overview.split('\nExit status:\n')[1], re.M)
check(len(statuses) == 3, 'exit statuses read from lumcode --help: %s' % statuses)
for code, meaning in statuses:
    check(re.search(r'^\s+%s\s+%s' % (code, re.escape(meaning)), sections.get('EXIT STATUS', ''), re.M),
          'exit status %s missing' % code)
check('$ lumcode encode --check C39 ABC' in sections.get('EXAMPLES', ''), 'the Code 39 example is missing')
version = run([lumcode, '--version']).stdout.split()[-1]
check(re.search(r'^lumcode %s\s' % re.escape(version), text, re.M), 'footer without version ' + version)

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
