// The page's own reader of container format 5 (docs/container-format.md, "Format 5"): PBKDF2 and
// HKDF with SHA-256 and AES-256-GCM, all from the browser's Web Crypto; the compiled core reads
// format 4 only. The file is read in slices, never whole, and an entry's bytes are handed out only
// after every one of its chunks has authenticated.
var sealvaneSealed = (function () {
    'use strict';

    const subtle = crypto.subtle;
    const HeaderSize = 140;
    const PrologueSize = 20;
    const TagSize = 16;
    const LastChunkFlag = 0x80000000;
    const LeastIterations = 100000;
    const MostIterations = 10000000;
    const LeastChunkSize = 4096;
    const MostChunkSize = 1 << 20;
    const WrongPasswordPauseMs = 2000;
    // A read of a Blob costs about 2 ms however few bytes it reads: the file is read in slices of
    // at least 1 MiB, which serve the reads inside them, and an entry in slices of 8 MiB, the next
    // one read while the chunks of the last are opened.
    const ReadAhead = 1 << 20;
    const SliceBytes = 8 << 20;
    const utf8 = new TextDecoder();

    // Raised inside the reader by bytes that do not authenticate or do not hold what they must;
    // the callers turn it into a recovery or into the entry's message.
    class Unreadable extends Error {}
    // Raised by an entry whose own header is not the one its list shows.
    class Mislisted extends Error {}

    // A text of the message table with its placeholders filled as the program fills them: %s and
    // %d take the next argument, %N:s and %N:d argument N (and go on after it), %% is a percent sign.
    function formatText(pattern, args) {
        let next = 0;
        return pattern.replace(/%%|%(?:(\d{1,3}):)?[sd]/g, (placeholder, index) => {
            const chosen = index === undefined ? next : Number(index);
            if (placeholder === '%%' || chosen >= args.length) {
                return placeholder === '%%' ? '%' : placeholder;
            }
            next = chosen + 1;
            return String(args[chosen]);
        });
    }

    // Windows-1252 at 0x80 to 0x9F; its five free codes stand for the control characters of the
    // same number.
    const Windows1252High = '\u20AC\x81\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\x8D' +
        '\u017D\x8F\x90\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\x9D\u017E\u0178';

    // The password's bytes: Windows-1252 when every character has a code there, else UTF-8.
    function passwordBytes(text) {
        const bytes = new Uint8Array(text.length);
        for (let n = 0; n < text.length; ++n) {
            const code = text.charCodeAt(n);
            const high = Windows1252High.indexOf(text[n]);
            if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
                bytes[n] = code;
            } else if (high >= 0) {
                bytes[n] = 0x80 + high;
            } else {
                return new TextEncoder().encode(text);
            }
        }
        return bytes;
    }

    async function readSlice(file, at, length) {
        return new Uint8Array(await file.slice(at, at + length).arrayBuffer());
    }

    // The reads of one file, each served from the last slice read when it lies inside it.
    class SliceReader {
        constructor(file) {
            this.file = file;
            this.size = file.size;
            this.start = 0;
            this.bytes = new Uint8Array(0);
        }
        // The bytes from at to the end of the slice that holds at least length of them (fewer at
        // the end of the file), read anew when the last slice does not.
        async readFrom(at, length) {
            if (at < this.start || at + length > this.start + this.bytes.length) {
                this.bytes = await readSlice(this.file, at, Math.max(length, ReadAhead));
                this.start = at;
            }
            return this.bytes.subarray(at - this.start);
        }
        async read(at, length) {
            return (await this.readFrom(at, length)).subarray(0, length);
        }
    }

    function dataView(bytes) {
        return new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    }

    // A u64 beyond 2^53 counts as infinite: larger than any file.
    function u64(view, at) {
        const high = view.getUint32(at + 4, true);
        return high >= 0x200000 ? Infinity : high * 2 ** 32 + view.getUint32(at, true);
    }

    function sameBytes(a, b) {
        return a.length === b.length && a.every((byte, n) => byte === b[n]);
    }

    // The fields of a deciphered text, read in order; reading past its end raises Unreadable.
    class Fields {
        constructor(bytes) {
            this.bytes = bytes;
            this.view = dataView(bytes);
            this.at = 0;
        }
        skip(count) {
            if (count > this.bytes.length - this.at) {
                throw new Unreadable();
            }
            this.at += count;
            return this.at - count;
        }
        u32() { return this.view.getUint32(this.skip(4), true); }
        u64() { return u64(this.view, this.skip(8)); }
        i64() {
            const at = this.skip(8);
            return this.view.getInt32(at + 4, true) * 2 ** 32 + this.view.getUint32(at, true);
        }
        bytesOf(count) {
            const at = this.skip(count);
            return this.bytes.subarray(at, at + count);
        }
        string() { return this.bytesOf(this.u32()); }
        get left() { return this.bytes.length - this.at; }
    }

    // "2026-12-06 14:03:05": the stored seconds count the sender's wall clock as if it were UTC.
    function dateText(seconds) {
        const date = new Date(seconds * 1000);
        if (isNaN(date.getTime())) {
            return '?';
        }
        const year = date.getUTCFullYear();
        const two = number => String(number).padStart(2, '0');
        return (year < 0 ? '-' + String(-year).padStart(3, '0') : String(year).padStart(4, '0')) + '-' +
            two(date.getUTCMonth() + 1) + '-' + two(date.getUTCDate()) + ' ' + two(date.getUTCHours()) + ':' +
            two(date.getUTCMinutes()) + ':' + two(date.getUTCSeconds());
    }

    // An entry header (its length field included): its fields and the entry as the list shows it;
    // Unreadable when its strings do not end exactly where its length says.
    function entryOf(header) {
        const fields = new Fields(header);
        const length = fields.u32();
        const entry = { size: fields.u64(), duplicate: fields.u64(), attributes: fields.u64(), modified: fields.i64(),
                        added: fields.i64(), base: utf8.decode(fields.string()), folder: utf8.decode(fields.string()),
                        name: utf8.decode(fields.string()) };
        fields.string(); // reserved
        if (length !== header.length - 4 || fields.left !== 0) {
            throw new Unreadable();
        }
        // The folder below the one the entry is extracted to, with "/" between its parts.
        entry.shown = { name: entry.name, folder: entry.folder.replace(/\|/g, '/').replace(/^\/+/, ''),
                        size: entry.size, modified: dateText(entry.modified) };
        return entry;
    }

    // The catalog's plain text: its generation, sort code, memo and entries, each with its
    // stream's place, nonce prefix and header.
    function catalogOf(plain) {
        const fields = new Fields(plain);
        const generation = fields.u64();
        const sortCode = fields.i64();
        // A copy: the memo goes to the worker, which would be handed the whole catalog otherwise.
        const memo = fields.string().slice();
        fields.string(); // extra record
        const entries = [];
        for (let count = fields.u32(); count > 0; --count) {
            const position = fields.u64();
            const storedLength = fields.u64();
            const prefix = fields.bytesOf(8);
            const start = fields.at;
            fields.skip(fields.u32());
            const header = plain.subarray(start, fields.at);
            entries.push({ position: position, storedLength: storedLength, prefix: prefix, header: header,
                           entry: entryOf(header) });
        }
        if (fields.left !== 0) {
            throw new Unreadable();
        }
        return { generation: generation, sortCode: sortCode, memo: memo, entries: entries };
    }

    // The listed entries in the order the program shows them (docs/container-format.md, section
    // 7): code c sorts by column c - 1 ascending, -c by column c - 1 descending, 0 and unknown
    // columns keep the stored order. Text compares case-folded, folders and full names in reverse
    // text order when ascending.
    function sortedByCode(listed, code) {
        const column = code > 0 ? code - 1 : -(code + 1);
        if (code === 0 || column > 9) {
            return listed;
        }
        const folder = text => text.replace(/\|/g, '/');
        const valueOf = (entry, number) => [number, entry.name, folder(entry.base), folder(entry.folder),
            (folder(entry.base) + '/' + folder(entry.folder) + '/' + entry.name).replace(/\/+/g, '/'),
            entry.duplicate, entry.size, entry.attributes, entry.modified, entry.added][column];
        const isText = column >= 1 && column <= 4;
        const reversed = column >= 2 && column <= 4;
        const order = (code > 0) !== reversed ? 1 : -1;
        const keyed = listed.map((item, number) => {
            const value = valueOf(item.entry, number);
            return { item: item, key: isText ? value.toLowerCase() : value };
        });
        keyed.sort((a, b) => order * (a.key < b.key ? -1 : a.key > b.key ? 1 : 0));
        return keyed.map(keyedItem => keyedItem.item);
    }

    async function derivedKeys(password, salt, iterations) {
        const base = await subtle.importKey('raw', password, 'PBKDF2', false, ['deriveBits']);
        const master = await subtle.importKey('raw', await subtle.deriveBits(
            { name: 'PBKDF2', hash: 'SHA-256', salt: salt, iterations: iterations }, base, 256), 'HKDF', false,
            ['deriveBits', 'deriveKey']);
        const hkdf = purpose => ({ name: 'HKDF', hash: 'SHA-256', salt: salt,
                                   info: new TextEncoder().encode('sealvane5 ' + purpose) });
        const aesKey = purpose => subtle.deriveKey(hkdf(purpose), master, { name: 'AES-GCM', length: 256 }, false,
            ['decrypt']);
        const keys = await Promise.all([subtle.deriveBits(hkdf('check'), master, 128), aesKey('header'),
            aesKey('entry'), aesKey('catalog')]);
        return { check: new Uint8Array(keys[0]), header: keys[1], entry: keys[2], catalog: keys[3] };
    }

    // The keys of the last derivation are kept, as an opened container's keys are kept anyway:
    // opening the same container again costs no second derivation.
    let lastDerivation = null;

    function containerKeys(password, salt, iterations) {
        const last = lastDerivation;
        if (last && last.iterations === iterations && sameBytes(last.password, password) &&
            sameBytes(last.salt, salt)) {
            return last.keys;
        }
        const keys = derivedKeys(password, salt, iterations);
        lastDerivation = { password: password, salt: salt, iterations: iterations, keys: keys };
        return keys;
    }

    async function unseal(key, nonce, additionalData, sealed) {
        try {
            return new Uint8Array(await subtle.decrypt({ name: 'AES-GCM', iv: nonce, additionalData: additionalData },
                key, sealed));
        } catch (error) {
            if (error.name === 'OperationError') {
                throw new Unreadable();
            }
            throw error;
        }
    }

    // The nonce of chunk index: the stream's prefix, then the index (big-endian) with the top bit
    // set for the last chunk.
    function chunkNonce(prefix, index, last) {
        const nonce = new Uint8Array(12);
        nonce.set(prefix);
        dataView(nonce).setUint32(8, last ? index + LastChunkFlag : index);
        return nonce;
    }

    // A stream's first 20 bytes (kind, nonce prefix, plain length), copied out of the slice they
    // were read from, and the layout they give.
    function prologueOf(read, chunkSize) {
        const bytes = read.slice();
        const plainLength = u64(dataView(bytes), 12);
        const chunks = Math.max(1, Math.ceil(plainLength / chunkSize));
        return { bytes: bytes, kind: String.fromCharCode(...bytes.subarray(0, 4)), prefix: bytes.subarray(4, 12),
                 plainLength: plainLength, chunks: chunks,
                 storedLength: PrologueSize + plainLength + TagSize * chunks };
    }

    function fitsAt(prologue, position, fileSize) {
        return prologue.chunks < LastChunkFlag && position + prologue.storedLength <= fileSize;
    }

    // Opens the chunks of the stream at position in order and hands each one's plain bytes to
    // take(plain, offset); raises Unreadable at the first slice with a chunk that does not
    // authenticate.
    async function openChunks(container, position, prologue, key, take) {
        const additionalData = new Uint8Array(container.id.length + PrologueSize);
        additionalData.set(container.id);
        additionalData.set(prologue.bytes, container.id.length);
        const sealedSize = container.chunkSize + TagSize;
        const perSlice = Math.max(1, Math.floor(SliceBytes / sealedSize));
        const end = position + prologue.storedLength;
        const sliceFrom = first => {
            const at = position + PrologueSize + first * sealedSize;
            return container.reader.read(at, Math.min(end, at + perSlice * sealedSize) - at);
        };
        let next = sliceFrom(0);
        for (let first = 0; first < prologue.chunks; first += perSlice) {
            const slice = await next;
            if (first + perSlice < prologue.chunks) {
                next = sliceFrom(first + perSlice);
            }
            const count = Math.min(perSlice, prologue.chunks - first);
            const plains = await Promise.all(Array.from({ length: count }, (_, k) => {
                const index = first + k;
                return unseal(key, chunkNonce(prologue.prefix, index, index === prologue.chunks - 1), additionalData,
                    slice.subarray(k * sealedSize, (k + 1) * sealedSize));
            }));
            plains.forEach((plain, k) => take(plain, (first + k) * container.chunkSize));
        }
    }

    async function prologueAt(container, position) {
        const size = container.reader.size;
        if (position + PrologueSize > size) {
            return null;
        }
        const prologue = prologueOf(await container.reader.read(position, PrologueSize), container.chunkSize);
        return fitsAt(prologue, position, size) ? prologue : null;
    }

    // The whole plain text of a catalog stream.
    async function catalogPlain(container, position, prologue) {
        const plain = new Uint8Array(prologue.plainLength);
        await openChunks(container, position, prologue, container.keys.catalog,
            (part, offset) => plain.set(part, offset));
        return plain;
    }

    // The first 4 + H bytes of an entry stream's plain text, its header, after all its chunks have
    // opened.
    async function entryHeader(container, position, prologue) {
        let header = null;
        await openChunks(container, position, prologue, container.keys.entry, (part, offset) => {
            if (offset === 0) {
                const length = part.length >= 4 ? 4 + dataView(part).getUint32(0, true) : Infinity;
                if (length > prologue.plainLength) {
                    throw new Unreadable();
                }
                header = new Uint8Array(length);
            }
            if (offset < header.length) {
                header.set(part.subarray(0, header.length - offset), offset);
            }
        });
        return header;
    }

    // The list as the header's catalog gives it; Unreadable when anything of it does not hold.
    async function listedCatalog(container, body) {
        const fields = new Fields(body);
        const position = fields.u64();
        const storedLength = fields.u64();
        const generation = fields.u64();
        const prologue = await prologueAt(container, position);
        if (!prologue || prologue.kind !== 'SV5C' || prologue.storedLength !== storedLength) {
            throw new Unreadable();
        }
        const catalog = catalogOf(await catalogPlain(container, position, prologue));
        if (catalog.generation !== generation) {
            throw new Unreadable();
        }
        return catalog;
    }

    // The next offset from which on the kind of a stream ("SV5E" or "SV5C") stands, or -1.
    async function nextKind(container, from) {
        const size = container.reader.size;
        while (from + 4 <= size) {
            const bytes = await container.reader.readFrom(from, 4);
            // "SV5" and then "E" or "C".
            for (let at = bytes.indexOf(0x53); at >= 0 && at + 4 <= bytes.length; at = bytes.indexOf(0x53, at + 1)) {
                if (bytes[at + 1] === 0x56 && bytes[at + 2] === 0x35 &&
                    (bytes[at + 3] === 0x45 || bytes[at + 3] === 0x43)) {
                    return from + at;
                }
            }
            from += bytes.length - 3;
        }
        return -1;
    }

    // What read() gives, or null when it raises Unreadable.
    async function unlessUnreadable(read) {
        try {
            return await read();
        } catch (error) {
            if (error instanceof Unreadable) {
                return null;
            }
            throw error;
        }
    }

    // An entry stream the scan found, as the list takes it.
    async function foundEntry(container, position, prologue) {
        const header = await entryHeader(container, position, prologue);
        const entry = entryOf(header);
        if (header.length + entry.size !== prologue.plainLength) {
            throw new Unreadable();
        }
        return { position: position, storedLength: prologue.storedLength, prefix: prologue.prefix, header: header,
                 entry: entry };
    }

    async function foundCatalog(container, position, prologue) {
        return catalogOf(await catalogPlain(container, position, prologue));
    }

    // The list rebuilt when the header's body or the catalog does not authenticate: every stream
    // from the end of the header on whose chunks all open and whose text is whole is taken and
    // stepped over, anything else one byte at a time. The entries are the entry streams in file
    // order (deleted ones too); memo and sort code are those of the catalog of the highest
    // generation found (the last of equals), or none.
    async function recoveredCatalog(container) {
        const entries = [];
        let newest = { generation: -1, sortCode: 0, memo: new Uint8Array(0) };
        for (let at = await nextKind(container, HeaderSize); at >= 0; at = await nextKind(container, at)) {
            const prologue = await prologueAt(container, at);
            const isEntry = prologue && prologue.kind === 'SV5E';
            const find = isEntry ? foundEntry : foundCatalog;
            const found = prologue && await unlessUnreadable(() => find(container, at, prologue));
            if (!found) {
                ++at;
                continue;
            }
            if (isEntry) {
                entries.push(found);
            } else if (found.generation >= newest.generation) {
                newest = found;
            }
            at += prologue.storedLength;
        }
        return { sortCode: newest.sortCode, memo: newest.memo, entries: entries };
    }

    function pause(milliseconds) {
        return new Promise(resolve => setTimeout(resolve, Math.max(0, milliseconds)));
    }

    // Entry index's bytes, after its stream has shown to be the listed one and all its chunks have
    // authenticated.
    async function extract(container, entries, index) {
        const listed = entries[index];
        if (!listed) {
            throw container.message('FileIndexOutOfBounds', index);
        }
        const name = listed.entry.name;
        const size = listed.entry.size;
        const skip = listed.header.length;
        const prologue = await prologueAt(container, listed.position);
        if (!prologue || prologue.kind !== 'SV5E' || !sameBytes(prologue.prefix, listed.prefix) ||
            prologue.storedLength !== listed.storedLength || prologue.plainLength !== skip + size) {
            throw container.message('AttachmentDoesNotMatchList', name);
        }
        const bytes = new Uint8Array(size);
        try {
            await openChunks(container, listed.position, prologue, container.keys.entry, (part, offset) => {
                const from = Math.max(0, Math.min(part.length, skip - offset));
                if (!sameBytes(part.subarray(0, from), listed.header.subarray(offset, offset + from))) {
                    throw new Mislisted();
                }
                bytes.set(part.subarray(from), offset + from - skip);
            });
        } catch (error) {
            if (error instanceof Mislisted) {
                throw container.message('AttachmentDoesNotMatchList', name);
            }
            throw error instanceof Unreadable ? container.message('SealedEntryDamaged', name) : error;
        }
        return bytes;
    }

    return {
        // Whether the file or Blob holds format 5 (its first 8 bytes).
        isSealed: async function (file) {
            const format = await readSlice(file, 0, 8);
            return sameBytes(format, [5, 0, 0, 0, 0, 0, 0, 0]);
        },

        // Opens the container of format 5 in file (a File or Blob) named name (for messages) with
        // the password (text), messages in the captions caption(messageName) gives. Resolves to
        // {memo (its bytes), entries: [{name, folder, size, modified}], extract(index) → bytes};
        // rejects with an Error whose message is the program's text.
        open: async function (file, name, password, caption) {
            const container = {
                reader: new SliceReader(file),
                message: (messageName, ...args) => new Error(formatText(caption(messageName), args))
            };
            if (file.size < HeaderSize) {
                throw container.message('StringIncomplete', file.size, HeaderSize);
            }
            const header = await container.reader.read(0, HeaderSize);
            const view = dataView(header);
            const iterations = view.getUint32(8, true);
            container.chunkSize = view.getUint32(12, true);
            if (iterations < LeastIterations || iterations > MostIterations) {
                throw container.message('SealedIterationsRefused', name, iterations);
            }
            if (container.chunkSize < LeastChunkSize || container.chunkSize > MostChunkSize) {
                throw container.message('SealedChunkSizeRefused', name, container.chunkSize);
            }
            const salt = header.slice(16, 32);
            container.id = header.slice(32, 48);
            const started = performance.now();
            container.keys = await containerKeys(passwordBytes(String(password)), salt, iterations);
            if (!sameBytes(container.keys.check, header.subarray(48, 64))) {
                await pause(WrongPasswordPauseMs - (performance.now() - started));
                throw container.message('IncorrectPassword');
            }
            let catalog;
            try {
                const body = await unseal(container.keys.header, header.subarray(64, 76), header.subarray(0, 76),
                    header.subarray(76));
                catalog = await listedCatalog(container, body);
            } catch (error) {
                if (!(error instanceof Unreadable)) {
                    throw error;
                }
                catalog = await recoveredCatalog(container);
            }
            const listed = sortedByCode(catalog.entries, catalog.sortCode);
            return {
                memo: catalog.memo,
                entries: listed.map(item => item.entry.shown),
                extract: index => extract(container, listed, index)
            };
        }
    };
})();
