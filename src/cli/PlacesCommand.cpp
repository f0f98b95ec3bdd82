// tessaly-cli places [PROVINCE]
//
// Without an argument: the province list, "index<TAB>name" per line. With a
// province (index or name): its cities from dat/dili.ini,
// "index<TAB>city<TAB>longitude<TAB>latitude" in decimal degrees. --json
// prints the same as one JSON object (docs/json.md).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar/Places.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "common/IniFile.h"

namespace tessaly::cli {
namespace {

// Degrees to four decimals, as the table prints them.
double RoundedDegrees(float degrees) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(degrees));
    return std::strtod(text, nullptr);
}

int RunPlaces(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    if (ctx.args.size() > 1) return ctx.Usage("places takes at most one PROVINCE, got '" + ctx.args[1] + "'");
    JsonWriter w;
    w.BeginObject();
    if (ctx.args.empty()) {
        std::string out;
        w.Key("provinces").BeginArray();
        for (int i = 0; i < kProvinceCount; ++i) {
            const std::string_view name = kProvinces[static_cast<std::size_t>(i)];
            out += std::to_string(i) + '\t' + std::string(name) + '\n';
            w.BeginObject().Key("index").Integer(i).Key("name").String(name).EndObject();
        }
        w.EndArray().EndObject();
        ctx.Print(json ? w.str() + '\n' : out);
        return kExitOk;
    }
    const int province = ProvinceFromText(ctx.args[0]);
    if (province < 0) {
        return ctx.Usage("PROVINCE: unknown province '" + ctx.args[0] + "' (give 0.." +
                         std::to_string(kProvinceCount - 1) + " or a name; 'places' lists them)");
    }
    const IniFile dili(ctx.files.Dat("dili.ini"));
    if (!dili.loadStatus().ok()) {
        ctx.Error(dili.loadStatus().message());
        return kExitRefused;
    }
    const std::vector<City> cities = LoadCities(province, dili);
    std::string out;
    w.Key("province").BeginObject().Key("index").Integer(province);
    w.Key("name").String(kProvinces[static_cast<std::size_t>(province)]).EndObject();
    w.Key("cities").BeginArray();
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const City& c = cities[i];
        if (c.malformed) {
            ctx.Error("dili.ini: [" + std::string(kProvinces[static_cast<std::size_t>(province)]) + "] " + c.name +
                      "=" + c.value + " is not of the form d:m*d:m; read as " + std::string(kDefaultCoordinates));
        }
        char coords[64];
        std::snprintf(coords, sizeof coords, "\t%.4f\t%.4f\n", static_cast<double>(c.longitude),
                      static_cast<double>(c.latitude));
        out += std::to_string(i) + '\t' + c.name + coords;
        w.BeginObject().Key("index").Integer(static_cast<long long>(i)).Key("name").String(c.name);
        w.Key("longitude").Number(RoundedDegrees(c.longitude)).Key("latitude").Number(RoundedDegrees(c.latitude));
        w.Key("malformed").Bool(c.malformed).EndObject();
    }
    w.EndArray().EndObject();
    if (cities.empty()) {
        ctx.Error("dili.ini lists no cities for " + std::string(kProvinces[static_cast<std::size_t>(province)]) +
                  "; a birth place there is taken at 120°E, 30°N");
    }
    ctx.Print(json ? w.str() + '\n' : out);
    return kExitOk;
}

const CommandRegistration kPlaces{
    "places",
    "[PROVINCE] [--json]",
    RunPlaces,
    {
        .summary = "Lists the provinces of the place list, or the cities of one province. Cities come with "
                   "their longitude and latitude in decimal degrees, from dat/dili.ini.",
        .arguments = "PROVINCE\tthe province, by index or by name\n" TESSALY_JSON_HELP,
        .examples = "tessaly-cli places\n"
                    "tessaly-cli places 广东省",
        .summaryZh = "列出地点列表的省份，或一个省份的城市。城市带有经度和纬度（十进制度数），取自 dat/dili.ini。",
        .argumentsZh = "PROVINCE\t省份，编号或名称\n" TESSALY_JSON_HELP_ZH,
    }};

}  // namespace
}  // namespace tessaly::cli
