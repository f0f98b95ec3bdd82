// Opens a damaged store and works on it: the input is the content of
// dat/bazi0.dat (header and records), optionally followed by a second data
// file after the marker "#bazi1#". Every operation must end with a result or
// an error, never a crash; an import of the same bytes must never change the
// target store unless its checks pass.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "store/CaseStore.h"

namespace {

namespace fs = std::filesystem;

fs::path Root() {
    static const fs::path root = [] {
        const fs::path shm = "/dev/shm";
        const fs::path base = fs::is_directory(shm) ? shm : fs::temp_directory_path();
        return base / ("tessaly_store_fuzz_" + std::to_string(::getpid()));
    }();
    return root;
}

void Write(const fs::path& p, std::string_view bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t mark = input.find("#bazi1#");
    const std::string_view file0 = input.substr(0, mark);
    const std::string_view file1 = mark == std::string_view::npos ? std::string_view() : input.substr(mark + 7);

    const fs::path root = Root();
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root / "prog/dat");
    fs::create_directories(root / "src/bazi_f");
    Write(root / "prog/dat/bazi0.dat", file0);
    if (!file1.empty()) Write(root / "prog/dat/bazi1.dat", file1);
    Write(root / "src/bazi0.dat", file0);
    if (!file1.empty()) Write(root / "src/bazi1.dat", file1);

    CaseStore db;
    if (db.Open(root / "prog").ok()) {
        std::int32_t count = 0;
        (void)db.RecordCount(&count);
        SearchCriteria c;
        c.nameMode = size % 3;
        c.name = size > 40 ? std::string(input.substr(5, 4)) : "";
        c.categoryMode = 1;
        c.sexFilter = 1;
        c.yearFilter = size % 2;
        c.lastYear = 3000;
        std::vector<std::int32_t> slots;
        (void)db.SearchRecords(&c, &slots);
        (void)db.ForEachRecord([](const CaseRecord& r) { return !r.note.empty() || r.slot >= 0; });
        CaseRecord r;
        for (const std::int32_t slot : {0, 1, count - 1, count, -1}) (void)db.ReadRecord(slot, &r);
        if (count > 0 && count < 200000) {
            (void)db.DeleteRecord(count / 2);
            (void)db.WriteRecord(count - 1, r);
        }
        if (count < 200000) {
            CaseRecord added;
            (void)db.AddRecord(&added);
        }

        // A second, healthy store imports the same bytes.
        fs::create_directories(root / "other/dat");
        CaseStore other;
        if (!other.Open(root / "other").ok()) std::abort();
        CaseRecord keep;
        keep.a.name = "keep";
        if (!other.AddRecord(&keep).ok()) std::abort();
        if (!other.ImportFrom(root / "src/bazi0.dat").ok()) {
            CaseRecord back;
            if (!other.ReadRecord(0, &back).ok() || back.a.name != "keep") std::abort();
        }
    }
    (void)DecodeCaseRecord(input);
    fs::remove_all(root, ec);
    return 0;
}
