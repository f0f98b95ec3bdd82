#include "common/SeededFiles.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <system_error>

#include "common/IniFile.h"
#include "common/SystemError.h"
#include "common/Version.h"

namespace tessaly {
namespace fs = std::filesystem;

namespace {

// One line of dat/seeded.txt.
struct SeededEntry {
    std::string name;
    std::string version;  // of the program the copy came from; "-" unknown
    std::string sha256;   // of the copy as made; "-" unknown
    std::string told;     // SHA-256 of the newer shipped file the user was told about; "-" none
};

constexpr std::string_view kListHeader =
    "# The files of this folder copied from the program's own (its dat/ folder):\n"
    "# name, program version, SHA-256 of the copy as made, SHA-256 of a newer\n"
    "# shipped file already announced. A copy that still has its checksum is\n"
    "# replaced when a newer program ships another; a changed copy is kept\n"
    "# (tessaly-cli reset-file NAME takes the shipped one).\n";

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (!line.empty()) {
        const std::size_t tab = line.find('\t');
        fields.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) break;
        line.remove_prefix(tab + 1);
    }
    return fields;
}

std::vector<SeededEntry> ParseList(std::string_view text) {
    std::vector<SeededEntry> entries;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        const std::string_view line = Trim(text.substr(0, nl));
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 3 || f[0].empty()) continue;  // not ours: ignored
        entries.push_back({std::string(f[0]), std::string(f[1]), std::string(f[2]),
                           f.size() > 3 ? std::string(f[3]) : std::string("-")});
    }
    return entries;
}

std::string ListText(const std::vector<SeededEntry>& entries) {
    std::string text(kListHeader);
    for (const SeededEntry& e : entries) {
        text.append(e.name).append("\t").append(e.version).append("\t").append(e.sha256);
        text.append("\t").append(e.told).append("\n");
    }
    return text;
}

SeededEntry* Find(std::vector<SeededEntry>& entries, std::string_view name) {
    for (SeededEntry& e : entries) {
        if (e.name == name) return &e;
    }
    return nullptr;
}

SeededEntry& Listed(std::vector<SeededEntry>& entries, const std::string& name) {
    if (SeededEntry* e = Find(entries, name)) return *e;
    entries.push_back({name, "-", "-", "-"});
    return entries.back();
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
}

bool HasShippedFilesApart(const ProgramFiles& files) {
    return !files.shipped.empty() && !SameFolder(files.shipped, files.home) && IsFolder(files.shipped / "dat");
}

// Copies `from` to `to` unless `to` exists, without ever replacing a file:
// the copy goes to a temporary name and is linked to its place, which fails
// when another start was quicker.
Status CopyIfMissing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(to, ec))) return Status::Ok();
    std::string tempName = ".";
    tempName.append(to.filename().string()).append(".seed-").append(std::to_string(::getpid()));
    const fs::path temp = to.parent_path() / tempName;
    fs::remove(temp, ec);
    if (!fs::copy_file(from, temp, ec)) {
        return Status::Error("无法把 " + from.string() + " 复制到 " + to.parent_path().string() + "：" +
                             SystemErrorText(ec));
    }
    Status result;
    // A file system without hard links gets a plain rename, still only when
    // the place is free.
    if (::link(temp.c_str(), to.c_str()) != 0 && errno != EEXIST && !fs::exists(fs::symlink_status(to, ec))) {
        fs::rename(temp, to, ec);
        if (ec) result = Status::Error("无法建立 " + to.string() + "：" + SystemErrorText(ec));
    }
    fs::remove(temp, ec);
    return result;
}

// "YYYYMMDD-HHMMSS", local time.
std::string TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// ---- SHA-256 (FIPS 180-4) ----

constexpr std::array<std::uint32_t, 64> kRound = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

constexpr std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

void Compress(std::array<std::uint32_t, 8>& h, const unsigned char* block) {
    std::array<std::uint32_t, 64> w;
    for (int i = 0; i < 16; ++i) {
        w[i] = std::uint32_t(block[4 * i]) << 24 | std::uint32_t(block[4 * i + 1]) << 16 |
               std::uint32_t(block[4 * i + 2]) << 8 | std::uint32_t(block[4 * i + 3]);
    }
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4], f = h[5], g = h[6], k = h[7];
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t t1 = k + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        const std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        k = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e, h[5] += f, h[6] += g, h[7] += k;
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
    std::array<std::uint32_t, 8> h = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t whole = bytes.size() / 64 * 64;
    for (std::size_t i = 0; i < whole; i += 64) Compress(h, data + i);
    // The last part, a 1 bit, zeros and the length in bits.
    std::array<unsigned char, 128> tail{};
    const std::size_t rest = bytes.size() - whole;
    std::copy(data + whole, data + bytes.size(), tail.begin());
    tail[rest] = 0x80;
    const std::size_t tailSize = rest < 56 ? 64 : 128;
    const std::uint64_t bits = std::uint64_t(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i) tail[tailSize - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
    for (std::size_t i = 0; i < tailSize; i += 64) Compress(h, tail.data() + i);
    std::string hex;
    for (const std::uint32_t v : h) {
        char part[9];
        std::snprintf(part, sizeof part, "%08x", v);
        hex += part;
    }
    return hex;
}

Status UpdateSeededFiles(const ProgramFiles& files, SeedingReport* report) {
    if (!HasShippedFilesApart(files)) return Status::Ok();
    const fs::path shippedDat = files.shipped / "dat";
    const fs::path listPath = files.Dat(std::string(kSeededListName));
    std::string listBytes;
    std::vector<SeededEntry> list;
    if (ReadFileBytes(listPath, &listBytes).ok()) list = ParseList(listBytes);
    const std::string version(ProgramVersion());
    bool listChanged = false;

    std::vector<fs::path> shipped;
    std::error_code ec;
    for (fs::directory_iterator it(shippedDat, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) shipped.push_back(it->path());
    }
    if (ec) return Status::Error("无法读取 " + shippedDat.string() + "：" + SystemErrorText(ec));
    std::sort(shipped.begin(), shipped.end());

    for (const fs::path& from : shipped) {
        const std::string name = from.filename().string();
        const fs::path to = files.Dat(name);
        std::string shippedBytes;
        if (Status s = ReadFileBytes(from, &shippedBytes); !s) return s;
        const std::string shippedSum = Sha256Hex(shippedBytes);
        const auto listAs = [&](const std::string& sum) {
            list.erase(std::remove_if(list.begin(), list.end(), [&](const SeededEntry& e) { return e.name == name; }),
                       list.end());
            list.push_back({name, version, sum, "-"});
            listChanged = true;
        };

        if (!fs::exists(fs::symlink_status(to, ec))) {
            if (Status s = CopyIfMissing(from, to); !s) return s;
            listAs(shippedSum);
            continue;
        }
        const SeededEntry* entry = Find(list, name);
        if (entry != nullptr && entry->sha256 == shippedSum) continue;   // the shipped file it came from
        if (!fs::is_regular_file(fs::symlink_status(to, ec))) continue;  // the user's own link or folder
        std::string ownBytes;
        if (Status s = ReadFileBytes(to, &ownBytes); !s) return s;
        const std::string ownSum = Sha256Hex(ownBytes);
        if (ownSum == shippedSum) {
            listAs(shippedSum);
        } else if (entry != nullptr && ownSum == entry->sha256) {
            if (Status s = WriteFileAtomically(to, shippedBytes); !s) return s;
            listAs(shippedSum);
            if (report != nullptr) report->updated.push_back(name);
        } else if (report != nullptr) {
            // Told once: marked as told only for a caller that takes the report.
            if (SeededEntry& e = Listed(list, name); e.told != shippedSum) {
                e.told = shippedSum;
                listChanged = true;
                report->kept.push_back(name);
            }
        }
    }
    if (!listChanged) return Status::Ok();
    std::sort(list.begin(), list.end(), [](const SeededEntry& a, const SeededEntry& b) { return a.name < b.name; });
    return WriteFileAtomically(listPath, ListText(list));
}

std::string SeedingNotice(const SeedingReport& report) {
    std::string text;
    for (const std::string& name : report.kept) {
        if (!text.empty()) text += '\n';
        text += "程序自带的 " + name + " 有了新版本；你的 dat/" + name +
                " 改动过，仍然保留。要换用新版本，请运行 tessaly-cli reset-file " + name + "（原来的文件会另存一份）。";
    }
    return text;
}

Status ResetSeededFile(const ProgramFiles& files, std::string_view name, fs::path* keptAs) {
    keptAs->clear();
    const std::string file(name);
    if (file.empty() || file == "." || file == ".." || file.find('/') != std::string::npos || name == kSeededListName) {
        return Status::Error("“" + file + "”不是程序自带的数据文件名（例如 dili.ini）");
    }
    if (!HasShippedFilesApart(files)) {
        return Status::Error("数据文件夹 " + files.home.string() + " 就是程序自带文件所在的文件夹，没有另一份可换");
    }
    const fs::path from = files.shipped / "dat" / file;
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(from, ec))) {
        return Status::Error("程序自带的文件里没有 dat/" + file);
    }
    std::string shippedBytes;
    if (Status s = ReadFileBytes(from, &shippedBytes); !s) return s;
    const fs::path to = files.Dat(file);
    const fs::file_status own = fs::symlink_status(to, ec);
    if (fs::exists(own) && !fs::is_regular_file(own)) {
        return Status::Error(to.string() + " 不是普通文件，没有改动");
    }
    if (fs::exists(own)) {
        std::string ownBytes;
        if (Status s = ReadFileBytes(to, &ownBytes); !s) return s;
        if (ownBytes != shippedBytes) {
            fs::path aside = files.Dat(file + "." + TimeStamp());
            for (int n = 2; fs::exists(fs::symlink_status(aside, ec)); ++n) {
                aside = files.Dat(file + "." + TimeStamp() + "-" + std::to_string(n));
            }
            if (Status s = WriteFileAtomically(aside, ownBytes); !s) return s;
            *keptAs = aside;
        }
    }
    if (Status s = MakeProgramFolders(files); !s) return s;
    if (Status s = WriteFileAtomically(to, shippedBytes); !s) {
        if (!keptAs->empty()) fs::remove(*keptAs, ec);
        keptAs->clear();
        return s;
    }
    // The list follows; should it fail, the next start lists the copy again
    // (it equals the shipped file).
    const fs::path listPath = files.Dat(std::string(kSeededListName));
    std::string listBytes;
    std::vector<SeededEntry> list;
    if (ReadFileBytes(listPath, &listBytes).ok()) list = ParseList(listBytes);
    Listed(list, file) = {file, std::string(ProgramVersion()), Sha256Hex(shippedBytes), "-"};
    std::sort(list.begin(), list.end(), [](const SeededEntry& a, const SeededEntry& b) { return a.name < b.name; });
    (void)WriteFileAtomically(listPath, ListText(list));
    return Status::Ok();
}

}  // namespace tessaly
