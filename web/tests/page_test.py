#!/usr/bin/env python3
"""Opens the browser page in headless Chromium with the network shut off and checks it against
the command-line tool on the same containers: memo text and formatting, every attachment's bytes
(sizes on both sides of every threshold of the core's reading and writing) as extracted and in the
saved zip, the wrong-password message and pause, the right password after a wrong one, damaged
containers refused with the same messages, containers saved through the desktop program's
password dialog, and not one request that leaves the machine; in both formats, format 5 also on
containers of the tests' own writer, damaged in every way. With --bench-mib it instead times
opening and extracting one large attachment of each format in the page against the tool, and the
page's peak memory."""
import argparse
import base64
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402

GOLDEN_PASSWORD = 'gold'
# The golden container of format 5 (tests/data/golden5.xvt) has one outside Windows-1252.
GOLDEN5_PASSWORD = 'Schlüssel ✓ 5'
# Not all of it fits Windows-1252: the key bytes are its UTF-8.
PASSWORD = 'Schlüssel ✓ 7'
# Random attachments of sizes on both sides of the core's thresholds: the copy chunk and the
# read-ahead and gathering buffers (60 and 64 KiB), the overlapped copy and the kept keystream
# (1 MiB), and a large one.
SIZES = (0, 1, 4 << 10, (64 << 10) - 1, 64 << 10, (64 << 10) + 1, (1 << 20) - 1, 1 << 20, (1 << 20) + 1,
         (8 << 20) + 3)
MEMO_RTF = (r'{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0 Arial;}}'
            r'{\colortbl ;\red255\green0\blue0;\red0\green0\blue255;}'
            r'\pard\qc\fs40 Gr\'fc\'dfe\par'
            r'\pard\ql\fs24 plain \b bold\b0  \i italic\i0  \ul under\ulnone  \strike gone\strike0  '
            r'\cf1 red\cf0  \cf2\fs32 big blue\fs24\cf0\par'
            r'\pard{\pntext\f0 \'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}first item\par'
            r'{\pntext\f0 \'b7\tab}second item\par'
            r'\pard {\field{\*\fldinst{HYPERLINK "https://example.org/a?b=1&c=2"}}{\fldrslt link}} '
            r'{\field{\*\fldinst{HYPERLINK "javascript:alert(1)"}}{\fldrslt trap}}\par}')

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print('FAIL:', what, flush=True)


def sha256(data):
    return hashlib.sha256(data).hexdigest()


class Page(Browser):
    """One page of the browser, its worker attached, every request it starts recorded."""

    def __init__(self, chromium, page, language='en-US'):
        super().__init__(chromium, language)
        self.requests = []
        target = self.send('Target.createTarget', {'url': 'about:blank'})['targetId']
        self.session = self.send('Target.attachToTarget', {'targetId': target, 'flatten': True})['sessionId']
        for method in ('Page.enable', 'Runtime.enable', 'Network.enable', 'DOM.enable'):
            self.send(method, session=self.session)
        self.send('Network.emulateNetworkConditions', {'offline': True, 'latency': 0, 'downloadThroughput': -1,
                                                       'uploadThroughput': -1}, session=self.session)
        # The languages the page sees (navigator.languages), as a browser set up for them has.
        agent = self.send('Browser.getVersion')['userAgent']
        self.send('Emulation.setUserAgentOverride', {'userAgent': agent, 'acceptLanguage': language},
                  session=self.session)
        self.send('Target.setAutoAttach', {'autoAttach': True, 'waitForDebuggerOnStart': False, 'flatten': True},
                  session=self.session)
        self.url = 'file://' + os.path.abspath(page)
        self.send('Page.navigate', {'url': self.url}, session=self.session)
        self.wait_for('document.readyState === "complete" && !!window.sealvane')

    def on_event(self, event):
        if event.get('method') == 'Network.requestWillBeSent':
            self.requests.append(event['params']['request']['url'])
        elif event.get('method') == 'Target.attachedToTarget':
            worker = event['params']['sessionId']
            message = {'id': self.next_id, 'method': 'Network.enable', 'params': {}, 'sessionId': worker}
            self.next_id += 1
            os.write(self.to_browser, json.dumps(message).encode() + b'\0')

    def evaluate(self, expression, timeout=60):
        result = self.send('Runtime.evaluate', {'expression': expression, 'awaitPromise': True,
                                                'returnByValue': True, 'timeout': timeout * 1000},
                           session=self.session, timeout=timeout + 5)
        if 'exceptionDetails' in result:
            raise RuntimeError(result['exceptionDetails'].get('exception', {}).get('description')
                               or result['exceptionDetails'].get('text'))
        return result['result'].get('value')

    def wait_for(self, condition, timeout=60):
        deadline = time.monotonic() + timeout
        while not self.evaluate('!!(%s)' % condition):
            if time.monotonic() > deadline:
                raise TimeoutError('waited in vain for ' + condition)
            time.sleep(0.05)

    def choose_file(self, path):
        document = self.send('DOM.getDocument', session=self.session)['root']['nodeId']
        node = self.send('DOM.querySelector', {'nodeId': document, 'selector': '#file'}, session=self.session)
        self.send('DOM.setFileInputFiles', {'files': [os.path.abspath(path)], 'nodeId': node['nodeId']},
                  session=self.session)

    def open(self, path, password, timeout=60):
        """Opens the file through window.sealvane; (True, contents) or (False, message)."""
        self.choose_file(path)
        return self.evaluate('window.sealvane.open(document.getElementById("file").files[0], %s)'
                             '.then(c => [true, c], e => [false, e.message])' % json.dumps(password), timeout)

    def entry_hash(self, index):
        """The type of what sealvane.extract resolves to, and the SHA-256 of its bytes; or "Error"
        and the message it is refused with."""
        return self.evaluate('window.sealvane.extract(%d).then(b => crypto.subtle.digest("SHA-256", b)'
                             '.then(h => [b.constructor.name, Array.from(new Uint8Array(h),'
                             ' x => x.toString(16).padStart(2, "0")).join("")]), e => ["Error", e.message])' % index)


def run_cli(cli, *args, cwd=None):
    result = subprocess.run([cli, *args], cwd=cwd, capture_output=True, text=True)
    message = result.stderr.strip().splitlines()[-1] if result.stderr.strip() else ''
    return result.returncode, result.stdout, re.sub(r'^sealvane-cli: (error: )?', '', message)


def listed_entries(cli, container, password_file):
    status, out, message = run_cli(cli, 'list', '--password-file', password_file, container)
    assert status == 0, message
    rows = []
    for line in out.splitlines()[1:]:
        cells = re.split(r' {2,}', line.strip())
        rows.append({'name': cells[1], 'folder': '' if cells[2] == '.' else cells[2], 'size': int(cells[3]),
                     'modified': cells[4]})
    return rows


def cli_entry_hashes(cli, container, password_file, count, work):
    hashes = []
    for index in range(count):
        target = tempfile.mkdtemp(dir=work)
        status, _, message = run_cli(cli, 'extract', '--password-file', password_file, container, str(index),
                                     '-o', target)
        assert status == 0, message
        files = [os.path.join(folder, name) for folder, _, names in os.walk(target) for name in names]
        hashes.append(sha256(open(files[0], 'rb').read()) if files else None)
    return hashes


def make_container(cli, work, password_file, name, sizes, container_format=4):
    """A container of the format of non-ASCII names, a folder holding a random file of each of the
    sizes (and one of 300 KiB), and the rich-text memo."""
    source = os.path.join(work, name + ' source')
    os.makedirs(os.path.join(source, 'Unterordner'))
    files = {'Grüße ✓ 日本.txt': 'Grüße aus Köln\n'.encode(), 'Café.txt': b'caf\xc3\xa9\n', 'leer.dat': b''}
    for size in (300 << 10, *sizes):
        files[os.path.join('Unterordner', 'größe %d.bin' % size)] = os.urandom(size)
    for file_name, data in files.items():
        with open(os.path.join(source, file_name), 'wb') as file:
            file.write(data)
    memo = os.path.join(work, 'memo.rtf')
    with open(memo, 'w', encoding='ascii') as file:
        file.write(MEMO_RTF)
    container = os.path.join(work, name + '.xvt')
    status, _, message = run_cli(cli, 'create', '--format', str(container_format), '--password-file', password_file,
                                 container, *[os.path.join(source, part) for part in ('Grüße ✓ 日本.txt', 'Café.txt',
                                                                          'leer.dat', 'Unterordner')])
    assert status == 0, message
    status, _, message = run_cli(cli, 'set-memo', '--password-file', password_file, container, '--file', memo)
    assert status == 0, message
    return container


def check_container(page, cli, container, password, password_file, work):
    """The page reads what the tool reads: memo text, entries and every entry's bytes, each handed
    over as a Uint8Array. Returns the contents and the tool's SHA-256 of each of its entries."""
    name = os.path.basename(container)
    opened, contents = page.open(container, password)
    check(opened, '%s opens in the page: %s' % (name, contents))
    if not opened:
        return None, None
    _, memo, _ = run_cli(cli, 'memo', '--plain', '--password-file', password_file, container)
    check(contents['memoText'] == memo.rstrip('\n'), '%s: memo text %r is the tool\'s %r'
          % (name, contents['memoText'], memo))
    # The page lists in the container's stored order, the tool by entry number: each entry of the
    # page is paired with an equal one of the tool's.
    listed = listed_entries(cli, container, password_file)
    key = lambda entry: json.dumps(entry, sort_keys=True)
    check(sorted(map(key, contents['entries'])) == sorted(map(key, listed)),
          '%s: entries %s are the tool\'s %s' % (name, contents['entries'], listed))
    expected = cli_entry_hashes(cli, container, password_file, len(listed), work)
    unpaired = list(range(len(listed)))
    hashes = []
    for index, entry in enumerate(contents['entries']):
        number = next((n for n in unpaired if listed[n] == entry), None)
        hashes.append(None if number is None else expected[number])
        if number is None:
            continue
        unpaired.remove(number)
        if expected[number] is not None:
            kind, digest = page.entry_hash(index)
            check(digest == expected[number], '%s: bytes of %s (%d)' % (name, entry['name'], entry['size']))
            check(kind == 'Uint8Array', '%s: %s (%d bytes) comes as %s'
                  % (name, entry['name'], entry['size'], kind))
    return contents, hashes


def check_formatting(html):
    for fragment, what in ((r'text-align:center[^>]*>(<span[^>]*>)?Grüße', 'centred heading'),
                           (r'font-size:20pt', 'size of 20 points'), (r'<b>bold</b>', 'bold'),
                           (r'<i>italic</i>', 'italic'), (r'<u>under</u>', 'underline'), (r'<s>gone</s>', 'strikeout'),
                           (r'color:#ff0000;[^>]*>red<', 'red'), (r'color:#0000ff;font-size:16pt;[^>]*>big blue<', 'blue, 16 points'),
                           (r'<ul><li[^>]*>(<span[^>]*>)?first item(</span>)?</li>'
                            r'<li[^>]*>(<span[^>]*>)?second item(</span>)?</li></ul>', 'bulleted list'),
                           (r'<a href="https://example.org/a\?b=1&amp;c=2" target="_blank" rel="noopener noreferrer">',
                            'link opening apart, only on a click')):
        check(re.search(fragment, html), 'memo HTML shows %s: %s' % (what, html))
    check('javascript:' not in html, 'a script link stays text: ' + html)


def stored_text(text):
    """A text as the program stores it: Windows-1252 where every character fits, else UTF-8."""
    try:
        return text.encode('cp1252')
    except UnicodeEncodeError:
        return text.encode('utf-8')


def open_in_ui(page, container, password, check_code=None):
    """Chooses the file, types the password, waits for the check code when given, and opens."""
    page.choose_file(container)
    page.evaluate('(() => { const p = document.getElementById("password"); p.value = %s;'
                  ' p.dispatchEvent(new Event("input")); })()' % json.dumps(password))
    if check_code:
        page.wait_for('document.getElementById("check-code").textContent === %s' % json.dumps(check_code))
    page.evaluate('document.getElementById("open").click()')
    page.wait_for('!document.getElementById("content").hidden')


def check_ui(page, container, password, contents, hashes, work):
    """The controls: check code, open, the memo shown, the table, Save all as a zip holding what
    the tool extracts."""
    key = stored_text(password)
    total = sum(byte * (n + 1) for n, byte in enumerate(key)) & 0xFFF
    digits = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/'
    open_in_ui(page, container, password, digits[total >> 6] + digits[total & 63])
    check(page.evaluate('document.getElementById("memo").innerHTML') == contents['memoHtml'], 'the memo is shown')
    rows = page.evaluate('Array.from(document.querySelectorAll("#entries tr"), r => r.cells[0].textContent)')
    check(rows == [entry['name'] for entry in contents['entries']], 'the table lists the attachments: %s' % rows)
    downloads = os.path.join(work, 'downloads')
    os.makedirs(downloads)
    page.send('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': downloads})
    page.evaluate('document.getElementById("save-all").click()')
    archive = os.path.join(downloads, 'attachments.zip')
    deadline = time.monotonic() + 30
    while not os.path.exists(archive) and time.monotonic() < deadline:
        time.sleep(0.1)
    check(os.path.exists(archive), 'Save all writes attachments.zip')
    if os.path.exists(archive):
        with zipfile.ZipFile(archive) as saved:
            check(saved.testzip() is None, 'the zip\'s checksums hold')
            check(all(info.compress_type == zipfile.ZIP_STORED for info in saved.infolist()), 'stored, not packed')
            names = [info.filename for info in saved.infolist()]
            wanted = [(entry['folder'] + '/' if entry['folder'] else '') + entry['name']
                      for entry in contents['entries']]
            check(names == wanted, 'zip names %s are %s' % (names, wanted))
            for name, expected in zip(names, hashes):
                check(sha256(saved.read(name)) == expected, 'zip bytes of ' + name)


def check_wrong_password(page, container, expected):
    start = time.monotonic()
    opened, message = page.open(container, 'falsch')
    pause = time.monotonic() - start
    check(not opened and message == expected, 'wrong password: %r is the tool\'s %r' % (message, expected))
    check(1.9 <= pause < 6, 'the wrong password costs the pause of the program: %.2f s' % pause)
    page.evaluate('(() => { document.getElementById("password").value = "falsch";'
                  ' document.getElementById("open").click(); })()')
    page.wait_for('document.getElementById("message").textContent === %s' % json.dumps(expected), 10)


def check_right_after_wrong(page, container, password, expected, runs):
    """The right password given after a wrong one is answered, whether it comes while the wrong
    one's pause lasts or after it: submitted by Enter or by the button, at moments spread over the
    pause."""
    page.choose_file(container)
    submit = ('(() => { const p = document.getElementById("password"); p.value = %s;'
              ' p.dispatchEvent(new Event("input")); if (%s) document.getElementById("open").click();'
              ' else p.dispatchEvent(new KeyboardEvent("keydown", {key: "Enter"})); })()')
    for run in range(runs):
        page.evaluate(submit % (json.dumps('falsch'), 'true'))
        time.sleep(run * 2.4 / runs)
        page.evaluate(submit % (json.dumps(password), json.dumps(run % 2 == 0)))
        page.wait_for('!document.getElementById("content").hidden ||'
                      ' document.getElementById("message").textContent === %s' % json.dumps(expected), 20)
        answer = page.evaluate('document.getElementById("message").textContent')
        check(answer == '', 'run %d: the right password %.2f s after a wrong one is answered %r'
              % (run, run * 2.4 / runs, answer))


def check_hostile(page, cli, container, password, password_file, work):
    """Cut and flipped copies: the page opens what the tool opens and refuses the rest with the
    tool's message, each within a bound."""
    data = open(container, 'rb').read()
    variants = [('cut%d' % length, data[:length]) for length in
                (0, 7, 8, 24, 100, 200, 300, len(data) // 2, len(data) - 9, len(data) - 1)]
    for position in (0, 9, 17, 30, 200, 320, len(data) - 40, len(data) - 120, len(data) - 400):
        flipped = bytearray(data)
        flipped[position] ^= 0x5A
        variants.append(('flip%d' % position, bytes(flipped)))
    folder = tempfile.mkdtemp(prefix='hostile', dir=work)
    for name, variant in variants:
        path = os.path.join(folder, name + '.xvt')
        with open(path, 'wb') as file:
            file.write(variant)
        status, out, message = run_cli(cli, 'list', '--password-file', password_file, name + '.xvt', cwd=folder)
        start = time.monotonic()
        opened, contents = page.open(path, password, timeout=30)
        took = time.monotonic() - start
        if status == 0:
            check(opened and len(contents['entries']) == len(out.splitlines()) - 1,
                  '%s opens as in the tool: %s' % (name, contents if not opened else len(contents['entries'])))
        else:
            check(not opened and contents == message, '%s refused with the tool\'s message: %r, tool %r'
                  % (name, contents, message))
        check(took < 10, '%s answered in %.1f s' % (name, took))


def check_mislisted(page, cli, writer, work):
    """An entry whose header names another file than the list shows is refused by the page with the
    tool's message, and the honest entry beside it still comes out as the tool extracts it."""
    container = os.path.join(work, 'mislisted.xvt')
    subprocess.run([writer, container, 'pw'], check=True)
    password_file = os.path.join(work, 'mislisted-password')
    with open(password_file, 'w') as file:
        file.write('pw\n')
    opened, contents = page.open(container, 'pw')
    names = [entry['name'] for entry in contents['entries']] if opened else contents
    check(sorted(names) == ['fine.txt', 'invoice.pdf'], 'the page lists the catalog\'s names: %s' % names)
    if not opened:
        return
    target = os.path.join(work, 'mislisted-out')
    status, _, expected = run_cli(cli, 'extract', '--password-file', password_file, container, 'invoice.pdf',
                                  '-o', target)
    check(status != 0 and 'invoice.pdf' in expected, 'the tool refuses the mislisted entry: %r' % expected)
    refused = page.evaluate('window.sealvane.extract(%d).then(() => "extracted", e => e.message)'
                            % names.index('invoice.pdf'))
    check(refused == expected, 'the page refuses it with the tool\'s message: %r, tool %r' % (refused, expected))
    honest = page.entry_hash(names.index('fine.txt'))
    check(honest == ['Uint8Array', sha256(b'good')], 'the honest entry beside it: %s' % honest)


# The passwords the desktop end-to-end test types into the program's dialog, in its order.
TYPED_PASSWORDS = ('Äpfel €-café', PASSWORD)


def check_typed_in_dialog(page, maker, work):
    """Containers saved by the desktop program under a password typed into its dialog open in the
    page with the same text: all of "Äpfel €-café" is Windows-1252, ✓ is not."""
    folder = tempfile.mkdtemp(dir=work)
    environment = dict(os.environ, QT_QPA_PLATFORM='offscreen', SEALVANE_KEEP_TYPED_CONTAINERS=folder)
    result = subprocess.run([maker, '--gtest_filter=EndToEndTest.APasswordTypedInTheDialogsIsTheToolsPassword'],
                            env=environment, capture_output=True, text=True)
    check(result.returncode == 0, 'the desktop test saved through its dialog: %s' % result.stdout[-2000:])
    for number, password in enumerate(TYPED_PASSWORDS):
        container = os.path.join(folder, 'typed-%d.xvt' % number)
        if not os.path.exists(container):
            check(False, '%s was saved' % container)
            continue
        opened, contents = page.open(container, password)
        names = [entry['name'] for entry in contents['entries']] if opened else contents
        check(names == ['note.txt'], 'the dialog\'s container under %r opens in the page: %s' % (password, names))


# Format 5 is read by the page's own script and written here by the tests' writer
# (sealed_writer.js, evaluated in the page), each made from docs/container-format.md alone.
SEALED_WRITER = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'sealed_writer.js')
# On both sides of the chunk size the program writes (64 KiB), and over several chunks.
SEALED_SIZES = (0, 1, (64 << 10) - 1, 64 << 10, (64 << 10) + 1, 200000)
# 2024-01-01 14:00:00 on the sender's wall clock.
NEW_YEAR = 1704117600
# A small container for the damage checks: three entries, each one chunk, and a memo.
SMALL_ENTRIES = [['leer.txt', '', 0, NEW_YEAR], ['Grüße ✓.txt', '|Bücher', 1, NEW_YEAR],
                 ['klein.bin', '|Bücher|日本', 100, NEW_YEAR]]
SMALL_MEMO = r"{\rtf1 Gr\'fc\'dfe\par}"
DAMAGED = "Attachment '%s' is damaged or was altered! Nothing of it was written."
MISLISTED = "Attachment '%s' is damaged! Its stored record does not match the list. Nothing was written."
REFUSED_ROUNDS = ("Container 'Grüße.xvt' asks for %d key derivation rounds; only 100,000 to 10,000,000 are "
                  "accepted.")
REFUSED_CHUNKS = "Container 'Grüße.xvt' has an invalid chunk size '%d'!"


def small_answer(extracts, memo='Grüße'):
    """The page's answer for the small container: listed newest first (the sort code of a new
    container), the memo, what each extraction gives."""
    return [[entry[0] for entry in reversed(SMALL_ENTRIES)], memo, extracts]


# Damaged and hostile variants of the writer's containers, opened through the page as Grüße.xvt:
# what is changed (a JavaScript expression over s, the container written as samples[label], and
# the writer's helpers) and the page's answer, the message or [names, memo, each extraction].
SEALED_CASES = (
    ('the format number, read by the core', 'small', 'flip(s.bytes, 0)', "Invalid container format '250'!"),
    ('the header cut', 'small', 's.bytes.subarray(0, 139)', "String incomplete: is '139', sb: '140'!"),
    ('too few rounds', 'small', 'setU32(s.bytes, 8, 99999)', REFUSED_ROUNDS % 99999),
    ('too many rounds', 'small', 'setU32(s.bytes, 8, 10000001)', REFUSED_ROUNDS % 10000001),
    ('too small chunks', 'small', 'setU32(s.bytes, 12, 4095)', REFUSED_CHUNKS % 4095),
    ('too large chunks', 'small', 'setU32(s.bytes, 12, 1048577)', REFUSED_CHUNKS % 1048577),
    ('the largest chunks', 'wide', 's.bytes', small_answer(['same'] * 3)),
    ('the header\'s tag flipped: recovered, the newest catalog\'s memo', 'small', 'flip(s.bytes, 139)',
     small_answer(['same'] * 3)),
    ('the header naming the first catalog\'s place with the last one\'s generation: recovered', 'stale', 's.bytes',
     small_answer(['same'] * 3)),
    ('the last catalog flipped: recovered, the first catalog\'s empty memo', 'small',
     'flip(s.bytes, s.streams[4].position + 40)', small_answer(['same'] * 3, '')),
    ('an entry\'s chunk flipped', 'small', 'flip(s.bytes, s.streams[3].position + 40)',
     small_answer([DAMAGED % 'klein.bin', 'same', 'same'])),
    ('an entry stream of another container of the same keys and nonce prefixes', 'small',
     'paste(s.bytes, samples.twin.bytes, s.streams[3].position, s.streams[3].storedLength)',
     small_answer([DAMAGED % 'klein.bin', 'same', 'same'])),
    ('an entry stream of another container under another nonce prefix', 'small',
     'paste(s.bytes, samples.wide.bytes, s.streams[3].position, s.streams[3].storedLength)',
     small_answer([MISLISTED % 'klein.bin', 'same', 'same'])),
    ('two chunks swapped', 'chunks', 'swapChunks(s.bytes, s.streams[1], 4096, 1)',
     [['Stücke.bin'], 'Grüße', [DAMAGED % 'Stücke.bin']]),
    ('an entry listed under another name', 'mislisted', 's.bytes',
     [['invoice_12.pdf', 'fine.txt'], 'Grüße', [MISLISTED % 'invoice_12.pdf', 'same']]),
)
# What a damaged container may be refused with.
SEALED_REFUSALS = ['IncorrectPassword', 'StringIncomplete', 'SealedIterationsRefused', 'SealedChunkSizeRefused',
                   'SealedEntryDamaged', 'AttachmentDoesNotMatchList']


def sealed_entries(sizes):
    """Entries for the writer, [name, folder, size, modified], and the page's listing of them."""
    entries = [['größe ✓ %d.bin' % size, '|Bücher|日本' if n % 2 else '', size, NEW_YEAR + 3601 * n]
               for n, size in enumerate(sizes)]
    listing = [{'name': name, 'folder': folder.strip('|').replace('|', '/'), 'size': size,
                'modified': time.strftime('%Y-%m-%d %H:%M:%S', time.gmtime(modified))}
               for name, folder, size, modified in entries]
    return entries, listing


def write_sealed(page, work, label, **options):
    """A container of the tests' writer, kept in the page as samples[label] and saved in work: its
    path and the SHA-256 of each entry's bytes."""
    written = page.evaluate('sealedWriter.sample(%s, %s)' % (json.dumps(label), json.dumps(options)), 120)
    os.makedirs(os.path.join(work, 'format 5'), exist_ok=True)
    path = os.path.join(work, 'format 5', label + '.xvt')
    with open(path, 'wb') as file:
        file.write(base64.b64decode(written['bytes']))
    return path, written['hashes']


def check_sealed_containers(page, work, memo):
    """Containers of format 5 under a password all of Windows-1252 and one that is not: the page
    lists their entries in the order of the stored sort code (newest first, a new container's; by
    name), shows the memo as it shows the same memo of format 4, and gives every entry's bytes.
    Returns their paths."""
    page.evaluate(open(SEALED_WRITER, encoding='utf-8').read())
    entries, listing = sealed_entries(SEALED_SIZES)
    orders = {-1: lambda n: -n, 2: lambda n: listing[n]['name'].lower()}
    paths = []
    for number, (password, sort_code) in enumerate(zip(TYPED_PASSWORDS, orders)):
        path, hashes = write_sealed(page, work, 'sealed-%d' % number, password=password, memo=MEMO_RTF,
                                    entries=entries, sortCode=sort_code)
        paths.append(path)
        order = sorted(range(len(listing)), key=orders[sort_code])
        opened, contents = page.open(path, password)
        check(opened and contents['entries'] == [listing[n] for n in order], 'format 5 under %r, sort code %d, lists %s'
              % (password, sort_code, contents))
        if opened:
            check([contents['memoText'], contents['memoHtml']] == memo, 'format 5 shows the memo of format 4: %r'
                  % contents['memoHtml'])
            got = [page.entry_hash(index) for index in range(len(listing))]
            check(got == [['Uint8Array', hashes[n]] for n in order],
                  'format 5 under %r gives the entries\' bytes: %s' % (password, got))
    return paths


def check_shown_names(page, work):
    """Names and folders a sender chose with control characters or a right-to-left override: the
    table shows each of them as a box, so that "invoice<RLO>fdp.exe" cannot pass for a PDF."""
    names = ['invoice\u202efdp.exe', 'bell\u0007\u001b[2J\u009b1m.txt', 'two\u2028lines\u2066.txt']
    entries = [[name, '|sub\u202e', 3, NEW_YEAR] for name in names]
    path, _ = write_sealed(page, work, 'shown-names', password=PASSWORD, iterations=100000, entries=entries)
    open_in_ui(page, path, PASSWORD)
    rows = page.evaluate('Array.from(document.querySelectorAll("#entries tr"),'
                         ' r => [r.cells[0].textContent, r.cells[1].textContent])')
    shown = [['invoice\u25a1fdp.exe', 'sub\u25a1'], ['bell\u25a1\u25a1[2J\u25a11m.txt', 'sub\u25a1'],
             ['two\u25a1lines\u25a1.txt', 'sub\u25a1']]
    check(sorted(rows) == sorted(shown), 'the table shows the sender\'s controls as boxes: %r' % rows)


def check_sealed_damage(page, work):
    """Format 5 damaged and hostile: the named cases, then every byte of a small container flipped
    and every cut of it, each refused with a message of the table or listing only entries that come
    out as written or are refused so; never other bytes."""
    small = dict(password=PASSWORD, memo=SMALL_MEMO, iterations=100000)
    write_sealed(page, work, 'small', entries=SMALL_ENTRIES, **small)
    write_sealed(page, work, 'twin', entries=SMALL_ENTRIES, sameAs='small', **small)
    write_sealed(page, work, 'wide', entries=SMALL_ENTRIES, chunkSize=1 << 20, **small)
    write_sealed(page, work, 'stale', entries=SMALL_ENTRIES, pointAtFirstCatalog=True, **small)
    write_sealed(page, work, 'chunks', entries=[['Stücke.bin', '', 5 * 4096, NEW_YEAR]], chunkSize=4096, **small)
    write_sealed(page, work, 'mislisted', entries=[
        ['fine.txt', '', 4, NEW_YEAR],
        # Listed under a name of the same length: the stream's length alone does not give it away.
        ['update.desktop', '|.config|autostart', 10, NEW_YEAR, {'listedAs': {'name': 'invoice_12.pdf'}}]],
        **small)
    for what, label, variant, expected in SEALED_CASES:
        answer = page.evaluate('(() => { const {samples, flip, setU32, paste, swapChunks} = sealedWriter;'
                               ' const s = samples[%s]; return sealedWriter.outcome(sealedWriter.pageOpen(%s,'
                               ' "Grüße.xvt"), %s, s.originals); })()'
                               % (json.dumps(label), json.dumps(PASSWORD), variant))
        check(answer == expected, 'format 5, %s: %r' % (what, answer))
    swept = page.evaluate('sealedWriter.misreadings("small", %s, %s)'
                          % (json.dumps(PASSWORD), json.dumps(SEALED_REFUSALS)), 300)
    check(swept['variants'] > 1000 and not swept['failures'], 'format 5 flipped and cut: %d variants, misread %s'
          % (swept['variants'], swept['failures'][:10]))


def check_offline(page):
    outside = [url for url in page.requests if not url.startswith(('file://', 'blob:', 'data:'))]
    check(page.requests and not outside, 'no request leaves the page: %s' % outside)
    blocked = page.evaluate('fetch("https://example.org/").then(() => "fetched", () => "refused")')
    check(blocked == 'refused', 'the page\'s policy refuses a fetch')


def password_file_of(work, password):
    path = os.path.join(work, 'password %s' % hashlib.sha256(password.encode()).hexdigest()[:8])
    with open(path, 'w', encoding='utf-8') as file:
        file.write(password + '\n')
    return path


def run_checks(args, work):
    password_file = password_file_of(work, PASSWORD)
    # Both formats of the tool, with every size; cut and flipped copies are made of small ones.
    containers = {number: make_container(args.cli, work, password_file, 'Bücher – Grüße %d' % number, SIZES, number)
                  for number in (4, 5)}
    small = {number: make_container(args.cli, work, password_file, 'Grüße %d' % number, (), number)
             for number in (4, 5)}
    page = Page(args.chromium, args.page)
    try:
        for golden, password in ((args.golden, GOLDEN_PASSWORD), (args.golden5, GOLDEN5_PASSWORD)):
            check_container(page, args.cli, golden, password, password_file_of(work, password), work)
        contents, hashes = check_container(page, args.cli, containers[4], PASSWORD, password_file, work)
        if contents:
            check_formatting(contents['memoHtml'])
            check_ui(page, containers[4], PASSWORD, contents, hashes, work)
        check_container(page, args.cli, containers[5], PASSWORD, password_file, work)
        # The tests' writer of format 5 against the page, then the tool against the page on them.
        sealed = check_sealed_containers(page, work, [contents['memoText'], contents['memoHtml']] if contents else None)
        for path, password in zip(sealed, TYPED_PASSWORDS):
            check_container(page, args.cli, path, password, password_file_of(work, password), work)
        wrong_password_file = password_file_of(work, 'falsch')
        for number, runs in ((4, 20), (5, 4)):
            _, _, wrong_answer = run_cli(args.cli, 'list', '--password-file', wrong_password_file, containers[number])
            check_wrong_password(page, containers[number], wrong_answer)
            check_right_after_wrong(page, containers[number], PASSWORD, wrong_answer, runs)
        for number in (4, 5):
            check_hostile(page, args.cli, small[number], PASSWORD, password_file, work)
        check_sealed_damage(page, work)
        check_shown_names(page, work)
        check_mislisted(page, args.cli, args.mislisted_writer, work)
        if args.dialog_container_maker:
            check_typed_in_dialog(page, args.dialog_container_maker, work)
        check_offline(page)
    finally:
        page.close()
    german = Page(args.chromium, args.page, 'de-DE')
    try:
        opened, message = german.open(args.golden, 'falsch')
        check(not opened and message == 'Falsches Passwort!', 'the message in the browser\'s language: %r' % message)
        captions = german.evaluate('[document.title, document.getElementById("entries-heading").textContent]')
        check(captions == ['Sealvane-Container öffnen', 'Anhänge'], 'the captions of the message table: %r' % captions)
    finally:
        german.close()


def peak_memory_kib(root):
    """The largest peak resident size among the browser's processes (the page's renderer)."""
    peak = 0
    for pid in os.listdir('/proc'):
        if not pid.isdigit():
            continue
        try:
            status = open('/proc/%s/status' % pid).read()
            stat = open('/proc/%s/stat' % pid).read()
        except OSError:
            continue
        ancestors, current = set(), pid
        while current not in ('0', '1') and current not in ancestors:
            ancestors.add(current)
            try:
                current = open('/proc/%s/stat' % current).read().rsplit(')', 1)[1].split()[1]
            except OSError:
                break
        if str(root) in ancestors and stat and 'type=renderer' in open('/proc/%s/cmdline' % pid).read().replace('\0', ' '):
            found = re.search(r'VmHWM:\s+(\d+)', status)
            peak = max(peak, int(found.group(1)) if found else 0)
    return peak


def run_bench(args, work):
    """Each format: one attachment of --bench-mib MiB opened and extracted by the page, against
    the tool's extraction, and the renderer's peak memory."""
    password_file = password_file_of(work, PASSWORD)
    big = os.path.join(work, 'big.bin')
    with open(big, 'wb') as file:
        for _ in range(args.bench_mib):
            file.write(os.urandom(1 << 20))
    expected = sha256(open(big, 'rb').read())
    for number in (4, 5):
        container = os.path.join(work, 'big-%d.xvt' % number)
        run_cli(args.cli, 'create', '--format', str(number), '--password-file', password_file, container, big)
        target = os.path.join(work, 'out-%d' % number)
        start = time.monotonic()
        status, _, message = run_cli(args.cli, 'extract', '--password-file', password_file, container, '-o', target)
        cli_seconds = time.monotonic() - start
        assert status == 0, message
        check(sha256(open(os.path.join(target, 'big.bin'), 'rb').read()) == expected, 'the tool extracts it')
        shutil.rmtree(target)
        page = Page(args.chromium, args.page)
        try:
            page.choose_file(container)
            timing = page.evaluate(
                '(async () => { const t0 = performance.now();'
                ' await window.sealvane.open(document.getElementById("file").files[0], %s);'
                ' const t1 = performance.now(); const bytes = await window.sealvane.extract(0);'
                ' const t2 = performance.now(); window.bigBytes = bytes;'
                ' return [t1 - t0, t2 - t1, bytes.length]; })()' % json.dumps(PASSWORD), timeout=600)
            peak = peak_memory_kib(page.pid())
            got = page.evaluate('crypto.subtle.digest("SHA-256", window.bigBytes).then(h => Array.from('
                                'new Uint8Array(h), x => x.toString(16).padStart(2, "0")).join(""))', timeout=120)
        finally:
            page.close()
        os.remove(container)
        page_seconds = (timing[0] + timing[1]) / 1000
        print(json.dumps({'format': number, 'attachment_mib': args.bench_mib, 'cli_extract_s': round(cli_seconds, 2),
                          'page_open_s': round(timing[0] / 1000, 2), 'page_extract_s': round(timing[1] / 1000, 2),
                          'page_total_s': round(page_seconds, 2), 'ratio': round(page_seconds / cli_seconds, 2),
                          'page_renderer_peak_mib': round(peak / 1024), 'bytes_equal': got == expected}), flush=True)
        check(got == expected, 'the large attachment of format %d comes out byte for byte' % number)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--page', required=True)
    parser.add_argument('--cli', required=True)
    parser.add_argument('--golden', required=True)
    parser.add_argument('--golden5', help='the golden container of format 5 (checks only)')
    parser.add_argument('--chromium', default='chromium')
    parser.add_argument('--mislisted-writer', help='the mislisted-container-writer of the tests (checks only)')
    parser.add_argument('--dialog-container-maker',
                        help='the desktop end-to-end tests, which save containers through the password dialog')
    parser.add_argument('--bench-mib', type=int, default=0)
    args = parser.parse_args()
    args.cli = os.path.abspath(args.cli)
    # The tool and the browser name files in UTF-8 and speak English whatever the caller's locale
    # (Chromium cannot find a file by a non-ASCII name in the C locale, and the tool's messages
    # are compared with the English page).
    os.environ['LC_ALL'] = 'C.UTF-8'
    os.environ.pop('LANGUAGE', None)
    if not args.bench_mib and not (args.mislisted_writer and args.golden5):
        parser.error('the checks need --mislisted-writer and --golden5')
    with tempfile.TemporaryDirectory(prefix='sealvane-page-') as work:
        (run_bench if args.bench_mib else run_checks)(args, work)
    if failures:
        print('%d check(s) failed' % len(failures))
        return 1
    print('all checks passed')
    return 0


if __name__ == '__main__':
    sys.exit(main())
