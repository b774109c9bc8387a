// The page: window.sealvane, the interface over the worker that runs the compiled core, and the
// controls that use it. Nothing here touches the network; the page's policy forbids it anyway.
(function () {
    'use strict';

    // The languages and the captions come from the message table (sealvaneLanguages and
    // sealvaneCaptions, put before this script when the page is built).
    var languages = sealvaneLanguages;

    function pageLanguage() {
        var wanted = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language];
        for (var n = 0; n < wanted.length; ++n) {
            var index = languages.indexOf(String(wanted[n] || '').slice(0, 2).toLowerCase());
            if (index >= 0) {
                return index;
            }
        }
        return 0;
    }

    var language = pageLanguage();
    function caption(name) {
        return sealvaneCaptions[name][language];
    }

    // The worker and its requests, answered in turn.
    var workerSource = document.getElementById('sealvane-worker').textContent;
    var worker = new Worker(URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' })));
    var waiting = new Map();
    var nextId = 1;
    worker.onmessage = function (event) {
        var answer = event.data;
        var request = waiting.get(answer.id);
        waiting.delete(answer.id);
        if (answer.ok) {
            request.resolve(answer.value);
        } else {
            request.reject(new Error(answer.message));
        }
    };
    function ask(message) {
        return new Promise(function (resolve, reject) {
            message.id = nextId++;
            waiting.set(message.id, { resolve: resolve, reject: reject });
            worker.postMessage(message);
        });
    }

    // Requests are answered in turn, as the worker answers its own: an open, the extractions
    // asked after it, the next open.
    var turn = Promise.resolve();
    function inTurn(task) {
        var answer = turn.then(task);
        turn = answer.catch(function () {});
        return answer;
    }

    // The entries of the container opened last, and that container when the page's own reader
    // holds it (format 5); any other is the worker's.
    var openEntries = null;
    var sealed = null;

    // A container of format 5, read by sealed-reader.js; the core renders its memo as it renders
    // one of format 4. The worker lets go of the container it held, so that nothing is extracted
    // from it after a failed open.
    function openSealed(blob, name, password) {
        return ask({ op: 'close' }).then(function () {
            return sealvaneSealed.open(blob, name, password, caption);
        }).then(function (container) {
            return ask({ op: 'memo', memo: container.memo }).then(function (memo) {
                sealed = container;
                return { memoText: memo.memoText, memoHtml: memo.memoHtml, entries: container.entries };
            });
        });
    }

    var sealvane = {
        // Opens a container given as a File or Blob (read in slices, never whole) or as bytes
        // (ArrayBuffer or a typed array). Resolves to {memoText, memoHtml, entries: [{name,
        // folder, size, modified}]}; rejects with an Error whose message is the program's text.
        open: function (bytesOrFile, password) {
            var blob;
            var name = 'container.xvt';
            if (bytesOrFile instanceof Blob) {
                blob = bytesOrFile;
                name = bytesOrFile.name || name;
            } else if (bytesOrFile instanceof ArrayBuffer || ArrayBuffer.isView(bytesOrFile)) {
                blob = new Blob([bytesOrFile]);
            } else {
                return Promise.reject(new TypeError('sealvane.open takes a File, a Blob or bytes'));
            }
            return inTurn(function () {
                openEntries = null;
                sealed = null;
                return sealvaneSealed.isSealed(blob).then(function (isSealed) {
                    return isSealed ? openSealed(blob, name, String(password)) :
                        ask({ op: 'open', blob: blob, name: name, password: String(password), language: language });
                }).then(function (contents) {
                    openEntries = contents.entries;
                    return contents;
                });
            });
        },
        // Resolves to the bytes (Uint8Array) of entry index of the container opened last.
        extract: function (index) {
            return inTurn(function () {
                if (sealed) {
                    return sealed.extract(index);
                }
                var size = openEntries && openEntries[index] ? openEntries[index].size : 0;
                return ask({ op: 'extract', index: index, size: size });
            });
        },
        // Resolves to the two-letter check code the program shows beside a password.
        checkCode: function (password) {
            return ask({ op: 'checkCode', password: String(password) });
        }
    };
    Object.freeze(sealvane);
    Object.defineProperty(window, 'sealvane', { value: sealvane, enumerable: true });

    // A zip file of stored (uncompressed) entries with UTF-8 names.
    var crcTable = (function () {
        var table = new Uint32Array(256);
        for (var n = 0; n < 256; ++n) {
            var c = n;
            for (var k = 0; k < 8; ++k) {
                c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
            }
            table[n] = c >>> 0;
        }
        return table;
    })();

    function crc32(bytes) {
        var crc = 0xFFFFFFFF;
        for (var n = 0; n < bytes.length; ++n) {
            crc = crcTable[(crc ^ bytes[n]) & 0xFF] ^ (crc >>> 8);
        }
        return (crc ^ 0xFFFFFFFF) >>> 0;
    }

    // "2026-12-06 14:03:05" as the MS-DOS time and date a zip entry carries.
    function dosTime(text) {
        var f = /^(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d)$/.exec(text || '');
        if (!f || Number(f[1]) < 1980) {
            return { time: 0, date: (1 << 5) | 1 };
        }
        return {
            time: (Number(f[4]) << 11) | (Number(f[5]) << 5) | (Number(f[6]) >> 1),
            date: ((Number(f[1]) - 1980) << 9) | (Number(f[2]) << 5) | Number(f[3])
        };
    }

    function zipBlob(files) {
        var encoder = new TextEncoder();
        var parts = [];
        var central = [];
        var offset = 0;
        files.forEach(function (file) {
            var name = encoder.encode(file.path);
            var when = dosTime(file.modified);
            var crc = crc32(file.bytes);
            var header = new DataView(new ArrayBuffer(30));
            header.setUint32(0, 0x04034b50, true);
            header.setUint16(4, 20, true);
            header.setUint16(6, 0x0800, true);
            header.setUint16(10, when.time, true);
            header.setUint16(12, when.date, true);
            header.setUint32(14, crc, true);
            header.setUint32(18, file.bytes.length, true);
            header.setUint32(22, file.bytes.length, true);
            header.setUint16(26, name.length, true);
            var entry = new DataView(new ArrayBuffer(46));
            entry.setUint32(0, 0x02014b50, true);
            entry.setUint16(4, 20, true);
            entry.setUint16(6, 20, true);
            entry.setUint16(8, 0x0800, true);
            entry.setUint16(12, when.time, true);
            entry.setUint16(14, when.date, true);
            entry.setUint32(16, crc, true);
            entry.setUint32(20, file.bytes.length, true);
            entry.setUint32(24, file.bytes.length, true);
            entry.setUint16(28, name.length, true);
            entry.setUint32(42, offset, true);
            parts.push(header, name, file.bytes);
            central.push(entry, name);
            offset += 30 + name.length + file.bytes.length;
        });
        var centralSize = central.reduce(function (sum, part) { return sum + part.byteLength; }, 0);
        if (offset + centralSize > 0xFFFFFFFF || files.length > 0xFFFF) {
            throw new Error(caption('ZipTooLarge'));
        }
        var end = new DataView(new ArrayBuffer(22));
        end.setUint32(0, 0x06054b50, true);
        end.setUint16(8, files.length, true);
        end.setUint16(10, files.length, true);
        end.setUint32(12, centralSize, true);
        end.setUint32(16, offset, true);
        return new Blob(parts.concat(central, [end]), { type: 'application/zip' });
    }

    // The entry's place in a zip: its folder's parts and its name, nothing that climbs out.
    function zipPath(entry, taken) {
        var parts = String(entry.folder).split(/[\\/]+/).filter(function (part) {
            return part !== '' && part !== '.' && part !== '..';
        });
        parts.push(entry.name.replace(/[\\/]/g, '_') || '_');
        var path = parts.join('/');
        var candidate = path;
        for (var n = 2; taken.has(candidate.toLowerCase()); ++n) {
            candidate = path.replace(/(\.[^./]*)?$/, ' (' + n + ')$1');
        }
        taken.add(candidate.toLowerCase());
        return candidate;
    }

    // The controls.
    function element(id) {
        return document.getElementById(id);
    }
    var chosenFile = null;
    var shown = null;
    // Every Open (and every newly chosen file) supersedes the opens before it: the worker answers
    // them in turn, a wrong password after its pause, and only the answer to the latest is shown.
    // So Open stays enabled while a container opens, and a password submitted during a wrong
    // one's pause is opened after it instead of being dropped.
    var latestOpen = 0;

    document.documentElement.lang = languages[language];
    document.title = caption('PageTitle');
    [['title', 'PageTitle'], ['drop-text', 'PageDropHint'], ['password-label', 'PasswordLabel'], ['open', 'Open'],
        ['memo-heading', 'MessageHeading'], ['entries-heading', 'Attachments'], ['column-name', 'ColumnName'],
        ['column-folder', 'ColumnFolder'], ['column-size', 'ColumnSize'], ['column-modified', 'ColumnModified'],
        ['save-all', 'SaveAllZip']].forEach(function (pair) {
        element(pair[0]).textContent = caption(pair[1]);
    });
    element('check-code').title = caption('PageCheckCodeHint');

    function showMessage(text) {
        element('message').textContent = text;
    }

    function choose(file) {
        ++latestOpen;
        chosenFile = file || null;
        element('file-name').textContent = chosenFile ? chosenFile.name : '';
        element('open').disabled = !chosenFile;
        element('content').hidden = true;
        showMessage('');
    }

    function download(blob, name) {
        var link = document.createElement('a');
        link.href = URL.createObjectURL(blob);
        link.download = name;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    }

    // A name or folder chosen by the container's sender as the list shows it: control characters,
    // line and paragraph separators and the directional controls (which would show
    // "invoice<RLO>fdp.exe" as "invoiceexe.pdf") each become a box, as in the program.
    function shownName(text) {
        return String(text).replace(/[\u0000-\u001f\u007f-\u009f\u2028\u2029\u202a-\u202e\u2066-\u2069]/g, '\u25a1');
    }

    function showContents(contents) {
        shown = contents;
        element('memo').innerHTML = contents.memoHtml;
        var rows = element('entries');
        rows.textContent = '';
        contents.entries.forEach(function (entry, index) {
            var row = rows.insertRow();
            [shownName(entry.name), shownName(entry.folder), entry.size.toLocaleString(languages[language]),
             entry.modified].forEach(
                function (text, column) {
                    var cell = row.insertCell();
                    cell.textContent = text;
                    if (column === 2) {
                        cell.className = 'size';
                    }
                });
            var save = document.createElement('button');
            save.type = 'button';
            save.textContent = caption('Save');
            save.setAttribute('aria-label', caption('Save') + ' ' + shownName(entry.name));
            save.addEventListener('click', function () {
                sealvane.extract(index).then(function (bytes) {
                    download(new Blob([bytes]), entry.name || 'attachment');
                }, function (error) {
                    showMessage(error.message);
                });
            });
            row.insertCell().appendChild(save);
        });
        element('save-all').disabled = contents.entries.length === 0;
        element('content').hidden = false;
    }

    element('file').addEventListener('change', function (event) {
        choose(event.target.files[0]);
    });
    var drop = element('drop');
    drop.addEventListener('dragover', function (event) {
        event.preventDefault();
        drop.classList.add('over');
    });
    drop.addEventListener('dragleave', function () {
        drop.classList.remove('over');
    });
    drop.addEventListener('drop', function (event) {
        event.preventDefault();
        drop.classList.remove('over');
        if (event.dataTransfer.files.length > 0) {
            choose(event.dataTransfer.files[0]);
        }
    });
    element('password').addEventListener('input', function () {
        sealvane.checkCode(element('password').value).then(function (code) {
            element('check-code').textContent = code;
        });
    });
    element('password').addEventListener('keydown', function (event) {
        if (event.key === 'Enter' && chosenFile) {
            element('open').click();
        }
    });
    element('open').addEventListener('click', function () {
        var request = ++latestOpen;
        element('content').hidden = true;
        showMessage(caption('Opening'));
        sealvane.open(chosenFile, element('password').value).then(function (contents) {
            if (request === latestOpen) {
                showMessage('');
                showContents(contents);
            }
        }, function (error) {
            if (request === latestOpen) {
                showMessage(error.message);
            }
        });
    });
    element('save-all').addEventListener('click', function () {
        var taken = new Set();
        var files = [];
        shown.entries.reduce(function (previous, entry, index) {
            return previous.then(function () {
                return sealvane.extract(index).then(function (bytes) {
                    files.push({ path: zipPath(entry, taken), bytes: bytes, modified: entry.modified });
                });
            });
        }, Promise.resolve()).then(function () {
            download(zipBlob(files), 'attachments.zip');
        }).catch(function (error) {
            showMessage(error.message);
        });
    });
})();
