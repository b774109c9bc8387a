"""A headless Chromium driven over its DevTools protocol through --remote-debugging-pipe: the
browser reads commands from file descriptor 3 and writes answers and events to 4, each a JSON
text ended by a NUL byte. Standard library only."""
import json
import os
import select
import shutil
import subprocess
import tempfile
import time


class Browser:
    def __init__(self, chromium, language='en-US'):
        self.profile = tempfile.mkdtemp(prefix='sealvane-chromium-')
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def descriptors():
            # dup2 onto the same number keeps close-on-exec: clear it either way.
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)

        self.process = subprocess.Popen(
            [chromium, '--headless', '--remote-debugging-pipe', '--user-data-dir=' + self.profile,
             '--no-first-run', '--no-default-browser-check', '--disable-background-networking',
             '--disable-component-update', '--disable-sync', '--disable-extensions', '--no-sandbox',
             # No way out even for the browser itself: every name fails, every connection goes
             # to a closed port.
             '--host-resolver-rules=MAP * ~NOTFOUND', '--proxy-server=127.0.0.1:9',
             '--lang=' + language, '--allow-file-access-from-files', 'about:blank'],
            preexec_fn=descriptors, close_fds=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.buffer = b''
        self.next_id = 1
        self.events = []

    def close(self):
        try:
            self.send('Browser.close')
        except Exception:
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)
        shutil.rmtree(self.profile, ignore_errors=True)

    def _read_message(self, deadline):
        while b'\0' not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.from_browser], [], [], left)[0]:
                raise TimeoutError('the browser did not answer in time')
            chunk = os.read(self.from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError('the browser has ended')
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b'\0', 1)
        return json.loads(text)

    def send(self, method, params=None, session=None, timeout=60):
        message = {'id': self.next_id, 'method': method, 'params': params or {}}
        self.next_id += 1
        if session:
            message['sessionId'] = session
        os.write(self.to_browser, json.dumps(message).encode() + b'\0')
        deadline = time.monotonic() + timeout
        while True:
            answer = self._read_message(deadline)
            if answer.get('id') == message['id']:
                if 'error' in answer:
                    raise RuntimeError('%s: %s' % (method, answer['error']))
                return answer.get('result', {})
            self.events.append(answer)
            self.on_event(answer)

    def on_event(self, event):
        pass

    def pid(self):
        return self.process.pid
