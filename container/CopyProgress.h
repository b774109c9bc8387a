#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Reports how many bytes of one file a long copy has moved (adding, extracting, copying or
// re-keying a container). It is called on the calling thread between chunks. Answering false
// cancels: the operation stops at once with ECancelled and leaves the container as it was before
// (no partial entry, a valid catalog) and no half-written file behind.
using TCopyProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Told before each file of a batch is stored: the bytes of the batch's files stored before it, and
// the name the file is read from.
using TFileStarting = std::function<void(std::int64_t done, const std::string& fullName)>;
