#pragma once

#include <cstdint>
#include <functional>

// Moves count bytes in chunks through three stages that run at the same time: read (on a thread
// of its own), transform (on the calling thread) and write (on a thread of its own). Each stage
// sees the chunks in order. A large copy thus reads, enciphers or deciphers, and writes at once
// instead of one after the other. The first failure of any stage stops all three and is raised
// on the calling thread.
class TChunkPipeline
{
public:
    using TStage = std::function<void(char* chunk, std::int64_t size)>;

    // False where the build has no threads (WebAssembly without shared memory, as the browser
    // page is built): copies there run their chunks in turn.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    static constexpr bool Available = false;
#else
    static constexpr bool Available = true;
#endif

    static void Run(std::int64_t count, std::int64_t chunkSize, const TStage& read, const TStage& transform,
                    const TStage& write);
};
