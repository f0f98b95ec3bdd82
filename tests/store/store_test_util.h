// Shared helpers of the store tests: a temporary program folder and file
// snapshots.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "store/CaseStore.h"

namespace tessaly::test {

namespace fs = std::filesystem;

// Where test folders go: memory when the machine has a tmpfs there, so that
// the store's many flushes to the disk cost nothing.
inline fs::path TestFolderRoot() {
    std::error_code ec;
    return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// A fresh program folder with an empty dat/ inside, removed afterwards.
class TempProgramDir {
public:
    explicit TempProgramDir(const std::string& tag) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ =
            TestFolderRoot() / ("tessaly_store_" + tag + "_" + (info ? std::string(info->name()) : std::string("x")) +
                                "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "dat");
    }
    ~TempProgramDir() {
        std::error_code ec;
        fs::permissions(dir_ / "dat", fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    const fs::path& path() const { return dir_; }
    fs::path operator/(const fs::path& p) const { return dir_ / p; }

private:
    fs::path dir_;
};

inline std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::error_code ec;
    std::string bytes(static_cast<std::size_t>(fs::file_size(p, ec)), '\0');
    if (ec) return {};
    in.read(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

inline void WriteAll(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// Every regular file under `root`, by relative path, with its bytes.
inline std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (e.is_regular_file()) files[fs::relative(e.path(), root).string()] = ReadAll(e.path());
    }
    return files;
}

// A report of one line.
inline StyledReport ReportOf(const std::string& text) {
    StyledReport r;
    r.text = text + "\r\n";
    return r;
}

inline CaseRecord MakeCase(const std::string& name, int year, bool male, const std::string& category,
                           const std::string& note = "备注") {
    CaseRecord r;
    r.a.name = name;
    r.a.year = static_cast<std::int16_t>(year);
    r.a.month = 5;
    r.a.day = 12;
    r.a.hour = 8;
    r.a.minute = 30;
    r.a.isMale = male ? 1 : 0;
    r.a.provinceIndex = 3;
    r.a.cityIndex = 2;
    r.a.longitude = 116.4f;
    r.a.latitude = 39.9f;
    r.a.placeText = "北京-北京";
    r.b.name = "乙" + name;
    r.b.year = static_cast<std::int16_t>(year + 2);
    r.b.isMale = male ? 0 : 1;
    r.b.placeText = "未知地";
    r.category = category;
    r.note = note;
    return r;
}

}  // namespace tessaly::test
