// Evaluated in the page by page_test.py: a writer of container format 5, made from
// docs/container-format.md alone with the browser's Web Crypto, and the page's side of the checks
// on what it writes. It writes as a new container that had its entries added once: header, the
// empty first catalog (now zombie bytes), the entry streams, the catalog of generation 2.
window.sealedWriter = (function () {
    'use strict';
    const subtle = crypto.subtle;
    const encoder = new TextEncoder();
    // The browser draws at most 64 KiB at a time.
    const randomBytes = count => {
        const bytes = new Uint8Array(count);
        for (let at = 0; at < count; at += 65536) {
            crypto.getRandomValues(bytes.subarray(at, at + 65536));
        }
        return bytes;
    };

    function join(parts) {
        const whole = new Uint8Array(parts.reduce((sum, part) => sum + part.length, 0));
        parts.reduce((at, part) => (whole.set(part, at), at + part.length), 0);
        return whole;
    }

    // Fields appended in order, integers little-endian, strings with a u32 length.
    class Record {
        constructor() { this.parts = []; }
        number(value, size) {
            const bytes = new Uint8Array(8);
            new DataView(bytes.buffer).setBigUint64(0, BigInt.asUintN(64, BigInt(value)), true);
            return this.bytes(bytes.subarray(0, size));
        }
        u32(value) { return this.number(value, 4); }
        u64(value) { return this.number(value, 8); }
        bytes(bytes) { this.parts.push(bytes); return this; }
        string(text) {
            const bytes = typeof text === 'string' ? encoder.encode(text) : text;
            return this.u32(bytes.length).bytes(bytes);
        }
        done() { return join(this.parts); }
    }

    // Windows-1252 as the browser decodes it (its five free codes as C1 controls), backwards.
    const windows1252 = new Map(Array.from(new TextDecoder('windows-1252').decode(
        Uint8Array.from({ length: 256 }, (_, n) => n)), (character, n) => [character, n]));

    function passwordBytes(text) {
        const characters = Array.from(text);
        return characters.every(character => windows1252.has(character)) ?
            Uint8Array.from(characters, character => windows1252.get(character)) : encoder.encode(text);
    }

    async function keys(password, salt, iterations) {
        const base = await subtle.importKey('raw', passwordBytes(password), 'PBKDF2', false, ['deriveBits']);
        const master = await subtle.importKey('raw', await subtle.deriveBits(
            { name: 'PBKDF2', hash: 'SHA-256', salt, iterations }, base, 256), 'HKDF', false, ['deriveBits']);
        const derive = (info, bytes) => subtle.deriveBits(
            { name: 'HKDF', hash: 'SHA-256', salt, info: encoder.encode(info) }, master, 8 * bytes);
        const aes = async info => subtle.importKey('raw', await derive(info, 32), 'AES-GCM', false, ['encrypt']);
        return { check: new Uint8Array(await derive('sealvane5 check', 16)), header: await aes('sealvane5 header'),
                 entry: await aes('sealvane5 entry'), catalog: await aes('sealvane5 catalog') };
    }

    async function seal(key, iv, additionalData, plain) {
        return new Uint8Array(await subtle.encrypt({ name: 'AES-GCM', iv, additionalData }, key, plain));
    }

    // One stream: prologue, then the plain text sealed in chunks whose nonces carry their index.
    async function stream(kind, key, plain, id, chunkSize, prefix) {
        const prologue = new Record().bytes(encoder.encode(kind)).bytes(prefix).u64(plain.length).done();
        const count = Math.max(1, Math.ceil(plain.length / chunkSize));
        const chunks = [];
        for (let index = 0; index < count; ++index) {
            const nonce = new Uint8Array(12);
            nonce.set(prefix);
            new DataView(nonce.buffer).setUint32(8, index === count - 1 ? index + 0x80000000 : index, false);
            chunks.push(await seal(key, nonce, join([id, prologue]),
                plain.subarray(index * chunkSize, (index + 1) * chunkSize)));
        }
        return join([prologue, ...chunks]);
    }

    function entryHeader(entry) {
        const body = new Record().u64(entry.bytes.length).u64(entry.duplicate || 0).u64(entry.attributes ?? 0x20)
            .u64(entry.modified).u64(entry.added ?? entry.modified).string(entry.base ?? '|home|user')
            .string(entry.folder ?? '').string(entry.name).string('').done();
        return new Record().u32(body.length).bytes(body).done();
    }

    function catalog(generation, sortCode, memo, listed) {
        const record = new Record().u64(generation).u64(sortCode).string(memo).string('').u32(listed.length);
        listed.forEach(item => record.u64(item.position).u64(item.storedLength).bytes(item.prefix).bytes(item.header));
        return record.done();
    }

    // Options: password, entries [{name, folder ("|a|b"), bytes, modified, prefix, listedAs (fields
    // the catalog shows instead of the stream's own)}], memo, sortCode, iterations, chunkSize, salt, id,
    // pointAtFirstCatalog (the header names generation 2 but the first catalog's place).
    // Resolves to {bytes, streams: [{kind, position, storedLength}] in file order, salt, prefixes}.
    async function write(options) {
        const iterations = options.iterations ?? 600000;
        const chunkSize = options.chunkSize ?? 65536;
        const salt = options.salt ?? randomBytes(16);
        const id = options.id ?? randomBytes(16);
        const key = await keys(options.password, salt, iterations);
        const parts = [];
        const streams = [];
        let end = 140;
        const append = (kind, bytes) => {
            streams.push({ kind, position: end, storedLength: bytes.length });
            parts.push(bytes);
            end += bytes.length;
            return streams[streams.length - 1];
        };
        const first = append('SV5C', await stream('SV5C', key.catalog, catalog(1, -1, '', []), id, chunkSize,
            randomBytes(8)));
        const listed = [];
        const prefixes = [];
        for (const entry of options.entries) {
            const header = entryHeader(entry);
            const prefix = entry.prefix ?? randomBytes(8);
            prefixes.push(prefix);
            const written = append('SV5E', await stream('SV5E', key.entry, join([header, entry.bytes]), id, chunkSize,
                prefix));
            listed.push({ position: written.position, storedLength: written.storedLength, prefix,
                          header: entry.listedAs ? entryHeader({ ...entry, ...entry.listedAs }) : header });
        }
        const last = append('SV5C', await stream('SV5C', key.catalog,
            catalog(2, options.sortCode ?? -1, options.memo ?? '', listed), id, chunkSize, randomBytes(8)));
        const lead = new Record().u64(5).u32(iterations).u32(chunkSize).bytes(salt).bytes(id).bytes(key.check).done();
        const nonce = randomBytes(12);
        const pointed = options.pointAtFirstCatalog ? first : last;
        const body = new Record().u64(pointed.position).u64(pointed.storedLength).u64(2).u64(first.storedLength)
            .bytes(new Uint8Array(16)).done();
        const header = join([lead, nonce, await seal(key.header, nonce, join([lead, nonce]), body)]);
        return { bytes: join([header, ...parts]), streams, salt, prefixes };
    }

    const sameBytes = (a, b) => a.length === b.length && a.every((byte, n) => byte === b[n]);

    // The containers written by sample(), by label: {bytes, streams, salt, prefixes, originals
    // (each entry's bytes by name)}.
    const samples = {};

    // Writes a container of entries [name, folder, size, modified, more options] with random bytes
    // and keeps it as samples[label]; sameAs names a sample whose salt, nonce prefixes, names and
    // sizes it takes (with bytes and container id of its own). Answers the container in base64 and
    // the SHA-256 of each entry's bytes.
    async function sample(label, options) {
        const like = samples[options.sameAs];
        const entries = options.entries.map(([name, folder, size, modified, more], n) => ({
            name, folder, modified, bytes: randomBytes(size), prefix: like && like.prefixes[n], ...more }));
        const written = await write({ ...options, entries, salt: like && like.salt });
        samples[label] = { ...written, originals: Object.fromEntries(entries.map(entry => [entry.name, entry.bytes])) };
        const hex = async bytes => Array.from(new Uint8Array(await subtle.digest('SHA-256', bytes)),
            byte => byte.toString(16).padStart(2, '0')).join('');
        const base64 = await new Promise(resolve => {
            const reader = new FileReader();
            reader.onload = () => resolve(reader.result.slice(reader.result.indexOf(',') + 1));
            reader.readAsDataURL(new Blob([written.bytes]));
        });
        return { bytes: base64, hashes: await Promise.all(entries.map(entry => hex(entry.bytes))) };
    }

    // What an open(bytes) → {entries, memoText, extract(index)} makes of a container: its message,
    // or [names, memo text, for each entry "same" (its written bytes), "other bytes" or the message
    // it is refused with].
    async function outcome(open, variant, originals) {
        let contents;
        try {
            contents = await open(variant);
        } catch (error) {
            return error.message;
        }
        const extracts = [];
        for (let index = 0; index < contents.entries.length; ++index) {
            const written = originals[contents.entries[index].name];
            extracts.push(await contents.extract(index).then(
                bytes => written && sameBytes(bytes, written) ? 'same' : 'other bytes', error => error.message));
        }
        return [contents.entries.map(entry => entry.name), contents.memoText ?? null, extracts];
    }

    // Opens through the page's interface, as a file of that name.
    const pageOpen = (password, name) => bytes => sealvane.open(new File([bytes], name), password)
        .then(contents => ({ ...contents, extract: index => sealvane.extract(index) }));

    // Every byte from offset 8 on flipped, and every cut, read by the page's reader itself, many at
    // once (so that the pauses of a wrong password overlap). Answers the variants whose answer
    // breaks the rule: a message of the named captions, or only entries that come out as written
    // or are refused with such a message.
    async function misreadings(label, password, captionNames) {
        const { bytes, originals } = samples[label];
        const caption = name => sealvaneCaptions[name][0];
        const patterns = captionNames.map(name => new RegExp('^' + caption(name)
            .replace(/[.*+?^${}()|[\]\\]/g, '\\$&').replace(/%s/g, '.*').replace(/%d/g, '-?\\d+') + '$'));
        const allowed = answer => answer === 'same' || patterns.some(pattern => pattern.test(answer));
        const variants = [];
        for (let at = 8; at < bytes.length; ++at) {
            variants.push(['flip ' + at, flip(bytes, at)]);
        }
        for (let length = 0; length < bytes.length; ++length) {
            variants.push(['cut ' + length, bytes.subarray(0, length)]);
        }
        const open = variant => sealvaneSealed.open(new Blob([variant]), 'Grüße.xvt', password, caption);
        const failures = [];
        for (let first = 0; first < variants.length; first += 100) {
            await Promise.all(variants.slice(first, first + 100).map(async ([what, variant]) => {
                const answer = await outcome(open, variant, originals);
                if (typeof answer === 'string' ? !allowed(answer) : !answer[2].every(allowed)) {
                    failures.push(what + ': ' + JSON.stringify(answer));
                }
            }));
        }
        return { variants: variants.length, failures };
    }

    // Variants for the named cases.
    const flip = (bytes, at) => {
        const copy = bytes.slice();
        copy[at] ^= 0xFF;
        return copy;
    };
    const setU32 = (bytes, at, value) => {
        const copy = bytes.slice();
        new DataView(copy.buffer).setUint32(at, value, true);
        return copy;
    };
    // Bytes of other at [at, at + length) put over the same place of bytes.
    const paste = (bytes, other, at, length) => {
        const copy = bytes.slice();
        copy.set(other.subarray(at, at + length), at);
        return copy;
    };
    // The two chunks first and first + 1 of a stream with full chunks of chunkSize exchanged.
    const swapChunks = (bytes, stream, chunkSize, first) => {
        const at = stream.position + 20 + first * (chunkSize + 16);
        const copy = bytes.slice();
        copy.set(bytes.subarray(at + chunkSize + 16, at + 2 * (chunkSize + 16)), at);
        copy.set(bytes.subarray(at, at + chunkSize + 16), at + chunkSize + 16);
        return copy;
    };

    return { write, sample, samples, outcome, pageOpen, misreadings, flip, setU32, paste, swapChunks };
})();
