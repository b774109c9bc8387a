// The worker's side of the page: appended to the compiled core, it answers the page's requests
// one at a time. The container is mounted as a file that is read in slices from the browser's
// File object (synchronously, which only a worker may do), so that a large container is never
// read into memory whole. An extracted entry is written into memory and handed over to the page
// without a copy.

var svFolderIn = '/in';
var svFolderOut = '/out';
var svMounted = false;
// The size the next extracted file will have: its memory is taken once, at that size.
var svExpectedSize = 0;

var svExpand = MEMFS.expandFileStorage;
MEMFS.expandFileStorage = function (node, newCapacity) {
    svExpand(node, Math.max(newCapacity, svExpectedSize));
};

// Each read of a File costs a call that takes about as long for 64 KiB as for a megabyte, and
// reading 256 MiB in slices of 1 MiB takes three times as long as in slices of 32 MiB. The
// container is read in slices that start at 1 MiB, aligned, for the scattered reads of opening,
// and double up to 32 MiB while each one follows the last, as an extraction reads; the last
// slice is kept for the reads that follow.
var svFirstSlice = 1 << 20;
var svLargestSlice = 32 << 20;
var svSlice = { file: null, start: 0, bytes: new Uint8Array(0) };
WORKERFS.stream_ops.read = function (stream, buffer, offset, length, position) {
    var file = stream.node.contents;
    var done = 0;
    while (done < length && position + done < file.size) {
        var at = position + done;
        if (svSlice.file !== file || at < svSlice.start || at >= svSlice.start + svSlice.bytes.length) {
            var follows = svSlice.file === file && at === svSlice.start + svSlice.bytes.length;
            var size = follows ? Math.min(2 * svSlice.bytes.length, svLargestSlice) : svFirstSlice;
            var start = follows ? at : at - at % svFirstSlice;
            svSlice = { file: file, start: start, bytes: new Uint8Array(
                WORKERFS.reader.readAsArrayBuffer(file.slice(start, start + size))) };
        }
        var from = at - svSlice.start;
        var count = Math.min(length - done, svSlice.bytes.length - from);
        buffer.set(svSlice.bytes.subarray(from, from + count), offset + done);
        done += count;
    }
    return done;
};

var svReady = new Promise(function (resolve) {
    Module['onRuntimeInitialized'] = function () {
        FS.mkdir(svFolderIn);
        FS.mkdir(svFolderOut);
        resolve();
    };
});

function svCall(name, types, args) {
    if (ccall(name, 'number', types, args) !== 0) {
        throw new Error(ccall('sv_answer', 'string', [], []));
    }
    return ccall('sv_answer', 'string', [], []);
}

function svOpen(request) {
    ccall('sv_close', null, [], []);
    FS.chdir('/');
    if (svMounted) {
        FS.unmount(svFolderIn);
        svMounted = false;
    }
    svSlice = { file: null, start: 0, bytes: new Uint8Array(0) };
    FS.mount(WORKERFS, { blobs: [{ name: request.name, data: request.blob }] }, svFolderIn);
    svMounted = true;
    // Opened by its bare name, as the program is given it, so that messages naming it match.
    FS.chdir(svFolderIn);
    return JSON.parse(svCall('sv_open', ['string', 'string', 'number'], [request.name, request.password,
        request.language]));
}

function svExtract(request) {
    var target = svFolderOut + '/entry';
    svExpectedSize = request.size;
    try {
        svCall('sv_extract', ['number', 'string'], [request.index, target]);
    } finally {
        svExpectedSize = 0;
    }
    var node = FS.lookupPath(target).node;
    // The file's bytes as a Uint8Array without a copy: a file written in one go holds a slice of
    // the memory's Int8Array view, which would show bytes above 127 as negative numbers.
    var contents = node.contents || new Uint8Array(0);
    var bytes = new Uint8Array(contents.buffer, contents.byteOffset, node.usedBytes);
    FS.unlink(target);
    if (bytes.byteLength !== bytes.buffer.byteLength) {
        bytes = bytes.slice();
    }
    return bytes;
}

// The memo of a container the page has read itself (format 5), handed to the core as its bytes
// and answered as sv_open answers a memo.
function svMemo(request) {
    var memo = request.memo;
    var at = _malloc(Math.max(memo.length, 1));
    try {
        HEAPU8.set(memo, at);
        return JSON.parse(svCall('sv_memo', ['number', 'number'], [at, memo.length]));
    } finally {
        _free(at);
    }
}

self.onmessage = function (event) {
    var request = event.data;
    svReady.then(function () {
        var value;
        var transfer = [];
        if (request.op === 'open') {
            value = svOpen(request);
        } else if (request.op === 'extract') {
            value = svExtract(request);
            transfer = [value.buffer];
        } else if (request.op === 'memo') {
            value = svMemo(request);
        } else if (request.op === 'close') {
            ccall('sv_close', null, [], []);
        } else if (request.op === 'checkCode') {
            value = ccall('sv_check_code', 'string', ['string'], [request.password]);
        } else {
            throw new Error('Unknown request ' + request.op);
        }
        self.postMessage({ id: request.id, ok: true, value: value }, transfer);
    }).catch(function (error) {
        self.postMessage({ id: request.id, ok: false, message: String(error && error.message || error) });
    });
};
