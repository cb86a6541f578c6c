// Heap for item records, strings and arrays, and the trace routine of the set-up paths.
#include "frame.h"
#include "gdi.h"

#include <cstdlib>
#include <cstring>

#ifdef LUMTREE_FAULT_INJECTION

// Failure injection for the out-of-memory paths, compiled only into the library the tests link
// (CMakeLists.txt): the allocation (or GDI object) after `failAfter` more successful ones
// fails; -1 never. The delivered library has none of it.
namespace {

struct Injection {
    int failAfter = -1;
    int fired = 0;
    bool Fails() {
        if (failAfter < 0) return false;
        if (failAfter == 0) {
            failAfter = -1;
            ++fired;
            return true;
        }
        --failAfter;
        return false;
    }
};
Injection heapInjection, gdiInjection;

} // namespace

void LumFailAllocAfter(int count) {
    heapInjection.failAfter = count;
}
void LumFailGdiAfter(int count) {
    gdiInjection.failAfter = count;
}
int LumInjectedFailures() {
    return heapInjection.fired + gdiInjection.fired;
}

void *LumAlloc(size_t bytes) {
    return heapInjection.Fails() ? nullptr : std::malloc(bytes ? bytes : 1);
}

void *LumAllocZero(size_t bytes) {
    return heapInjection.Fails() ? nullptr : std::calloc(1, bytes ? bytes : 1);
}

void *LumRealloc(void *block, size_t bytes) {
    return heapInjection.Fails() ? nullptr : std::realloc(block, bytes ? bytes : 1);
}

HGDIOBJ gdi::AdmitObject(HGDIOBJ made) {
    if (!made || !gdiInjection.Fails()) return made;
    DeleteObject(made);
    return nullptr;
}

HDC gdi::AdmitDC(HDC made) {
    if (!made || !gdiInjection.Fails()) return made;
    DeleteDC(made);
    return nullptr;
}

#else

void *LumAlloc(size_t bytes) {
    return std::malloc(bytes ? bytes : 1);
}

void *LumAllocZero(size_t bytes) {
    return std::calloc(1, bytes ? bytes : 1);
}

void *LumRealloc(void *block, size_t bytes) {
    return std::realloc(block, bytes ? bytes : 1);
}

HGDIOBJ gdi::AdmitObject(HGDIOBJ made) {
    return made;
}

HDC gdi::AdmitDC(HDC made) {
    return made;
}

#endif

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
