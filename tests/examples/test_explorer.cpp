// The explorer sample (examples/explorer) plays its scripted session on a folder made here and
// must leave the tree this test expects: a folder read on demand, a rename kept and one
// cancelled, two files dragged into another folder, the rows sorted by size.
#include "doctest.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Here() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string ReadAll(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the explorer with the arguments; its exit code, or -1 when it did not end in time.
DWORD RunExplorer(const std::string &arguments) {
    std::string command = Here();
    command.insert(0, 1, '"');
    command += "\\lumtree_explorer.exe\" ";
    command += arguments;
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &si, &pi));
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(pi.hProcess, &code);
    } else {
        TerminateProcess(pi.hProcess, 2);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// A fresh folder under the temporary directory: docs (old, guide.md, notes.txt), src
// (main.cpp, tree.h) and README.md.
std::string MakeFixture() {
    const fs::path base =
        fs::temp_directory_path() / ("lumtree-explorer-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(base / "fixture" / "docs" / "old");
    fs::create_directories(base / "fixture" / "src");
    const std::pair<const char *, size_t> files[] = {
        {"docs/old/a.txt", 1},  {"docs/guide.md", 3000}, {"docs/notes.txt", 10},
        {"src/main.cpp", 2048}, {"src/tree.h", 100},     {"README.md", 50}};
    for (auto [name, bytes] : files)
        std::ofstream(base / "fixture" / fs::path(name).make_preferred(), std::ios::binary)
            << std::string(bytes, 'x');
    return base.string();
}

} // namespace

TEST_CASE("the scripted session leaves the expected tree, screenshots and an untouched disk") {
    const std::string base = MakeFixture();
    const std::string outline = base + "\\outline.txt";
    CHECK(RunExplorer("--screenshot \"" + base + "\" --outline \"" + outline + "\" \"" + base +
                      "\\fixture\"") == 0);
    // docs was read when opened and closed again by the numeric-pad minus (its subfolder is
    // not read: it holds a placeholder), src was read when the files were dropped on it;
    // notes.txt kept its new name, guide.md its old one; folders first, then by size; the
    // moved files are still selected.
    CHECK(ReadAll(outline) == "fixture/\n"
                              "  docs/  +\n"
                              "    old/  +\n"
                              "      (unread)\n"
                              "  src/\n"
                              "    renamed-notes.txt  10 B  *\n"
                              "    tree.h  100 B\n"
                              "    main.cpp  2 KB\n"
                              "    guide.md  3 KB  *\n"
                              "  README.md  50 B\n");
    for (int n = 1; n <= 4; ++n) {
        const std::string png = ReadAll(base + "\\explorer-" + std::to_string(n) + ".png");
        CHECK_MESSAGE(png.compare(0, 4, "\x89PNG") == 0, "screenshot ", n);
    }
    // The tree changed; the disk did not.
    CHECK((fs::exists(base + "\\fixture\\docs\\notes.txt") &&
           !fs::exists(base + "\\fixture\\src\\guide.md")));

    // A folder the session cannot be played on (no two files in a subfolder), and no folder.
    CHECK(RunExplorer("--script \"" + base + "\\fixture\\src\"") == 1);
    CHECK(RunExplorer("--script \"" + base + "\\missing\"") == 1);
    fs::remove_all(base);
}
