// Heap for item records, strings and arrays, and the trace routine of the set-up paths.
#include "frame.h"

#include <cstdlib>
#include <cstring>

namespace {

// Failure injection for the out-of-memory paths: the allocation after `failAfter` more
// successful ones fails; -1 never.
int failAfter = -1;

bool InjectedFailure() {
    if (failAfter < 0) return false;
    if (failAfter == 0) {
        failAfter = -1;
        return true;
    }
    --failAfter;
    return false;
}

} // namespace

void LumFailAllocAfter(int count) {
    failAfter = count;
}

void *LumAlloc(size_t bytes) {
    return InjectedFailure() ? nullptr : std::malloc(bytes ? bytes : 1);
}

void *LumAllocZero(size_t bytes) {
    return InjectedFailure() ? nullptr : std::calloc(1, bytes ? bytes : 1);
}

void *LumRealloc(void *block, size_t bytes) {
    return InjectedFailure() ? nullptr : std::realloc(block, bytes ? bytes : 1);
}

void LumFree(void *block) {
    std::free(block);
}

char *LumStrDup(const char *text) {
    size_t length = std::strlen(text);
    auto *copy = static_cast<char *>(LumAlloc(length + 1));
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

// Set-up failures are reported here with the source name and line; the delivered build keeps
// no log, so the routine does nothing.
void Trace(const char *, int, const char *) {}
