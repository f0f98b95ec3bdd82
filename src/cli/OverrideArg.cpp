#include "cli/OverrideArg.h"

#include <vector>

#include "chart/Tables.h"
#include "common/IniFile.h"

namespace tessaly::cli {
namespace {

std::vector<std::string_view> Split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(sep, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// A value by its name in `names` or by its number 0..size−1; −1 when neither.
template <std::size_t N>
int NameOrNumber(std::string_view text, const std::array<std::string_view, N>& names) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) return static_cast<int>(i);
    }
    long n = -1;
    if (text.size() == 1 && ParseInteger(text, &n) && n >= 0 && n < static_cast<long>(N)) return static_cast<int>(n);
    return -1;
}

std::string Joined(const auto& names) {
    std::string s;
    for (const std::string_view n : names) {
        if (!s.empty()) s += ' ';
        s.append(n);
    }
    return s;
}

bool ParseScores(std::string_view value, OverrideValues* out, std::string* error) {
    const std::vector<std::string_view> parts = Split(value, ',');
    if (parts.size() != 10) {
        *error =
            "scores: ten values are needed (" + Joined(kTenGodNames) + "), " + std::to_string(parts.size()) + " given";
        return false;
    }
    RoleOverride probe;
    for (std::size_t g = 0; g < 10; ++g) probe.scores[g] = ParseScoreField(parts[g]);
    if (const OverrideCheck c = CheckOverride(probe); !c.status.ok()) {
        *error = "scores: ";
        if (c.scoreField >= 0)
            *error += std::string(kTenGodNames[c.scoreField]) + " '" + std::string(parts[c.scoreField]) + "': ";
        *error += c.status.message();
        return false;
    }
    out->scores = probe.scores;
    return true;
}

bool ParseRoles(std::string_view value, OverrideValues* out, std::string* error) {
    const std::vector<std::string_view> parts = Split(value, ',');
    std::array<int, 5> pairs{};
    bool ok = parts.size() == 5;
    for (std::size_t k = 0; ok && k < 5; ++k) {
        pairs[k] = NameOrNumber(parts[k], kGodPairNames);
        ok = pairs[k] >= 0;
    }
    if (!ok) {
        *error = "roles: five pairs are needed for " + Joined(kRoleNames) + ", each one of " + Joined(kGodPairNames) +
                 " or 0..4";
        return false;
    }
    out->rolePairs = pairs;
    return true;
}

}  // namespace

bool ParseOverrideValues(std::string_view text, OverrideValues* out, std::string* error) {
    *out = {};
    for (const std::string_view item : Split(text, ';')) {
        if (item.empty()) continue;  // "a;;b" and a trailing ";"
        const std::size_t eq = item.find('=');
        const std::string_view key = item.substr(0, eq);
        const std::string_view value = eq == std::string_view::npos ? std::string_view{} : item.substr(eq + 1);
        const bool seen = (key == "scores" && out->scores) || (key == "roles" && out->rolePairs) ||
                          (key == "judgement" && out->judgement);
        if (seen) {
            *error = std::string(key) + " is given twice";
            return false;
        }
        if (key == "scores") {
            if (!ParseScores(value, out, error)) return false;
        } else if (key == "roles") {
            if (!ParseRoles(value, out, error)) return false;
        } else if (key == "judgement") {
            const int j = NameOrNumber(value, kJudgementNames);
            if (j < 0) {
                *error = "judgement: one of " + Joined(kJudgementNames) + " or 0..6, not '" + std::string(value) + "'";
                return false;
            }
            out->judgement = j;
        } else {
            *error = "unknown key '" + std::string(key) + "' (scores, roles, judgement)";
            return false;
        }
    }
    if (!out->scores && !out->rolePairs && !out->judgement) {
        *error = "VALUES sets nothing (scores=…;roles=…;judgement=…)";
        return false;
    }
    return true;
}

RoleOverride ApplyOverrideValues(RoleOverride base, const OverrideValues& chosen) {
    if (chosen.scores) base.scores = *chosen.scores;
    if (chosen.rolePairs) base.rolePairs = *chosen.rolePairs;
    if (chosen.judgement) base.judgement = *chosen.judgement;
    return base;
}

}  // namespace tessaly::cli
