#include "sidetools/SurnameGame.h"

namespace tessaly {
namespace {

// The surnames 1..127, each one character (three UTF-8 bytes).
constexpr std::string_view kSurnames =
    "白赵张包鲍谢郑周蔡曹岑熊徐晁陈程褚朱楚崔"
    "戴邓许丁董窦薛杜段樊范方严阎冯曾傅高甘葛耿龚巩章顾关郭韩郝何"
    "贺洪胡华黄尤纪杨贾江姜蒋金孔赖姚郎叶雷游李云连梁廖林刘柳卢鲁"
    "陆吕罗余马毛梅俞苗倪牛潘庞彭袁岳戚齐祁钱乔秦邱任阮邵沈施石史"
    "宋苏孙汤唐陶田王万卫韦魏温吴伍肖萧";
constexpr std::size_t kBytesPerSurname = 3;
static_assert(kSurnames.size() == kSurnameCount * kBytesPerSurname);

}  // namespace

std::string_view SurnameOf(int number) {
    if (number < 1 || number > kSurnameCount) return {};
    return kSurnames.substr(std::size_t(number - 1) * kBytesPerSurname, kBytesPerSurname);
}

void SurnameGame::Restart() {
    sum_ = 0;
    weight_ = 128;
    tablesLeft_ = 8;
    Step(false);
}

void SurnameGame::Answer(bool inTable) {
    if (!finished()) Step(inTable);
}

void SurnameGame::Step(bool inTable) {
    if (inTable) sum_ += weight_;
    --tablesLeft_;
    if (tablesLeft_ >= 1) weight_ /= 2;
}

std::vector<std::string_view> SurnameGame::Table() const {
    std::vector<std::string_view> table;
    if (finished()) return table;
    for (int n = 1; n <= kSurnameCount; ++n) {
        if ((n >> (tablesLeft_ - 1)) & 1) table.push_back(SurnameOf(n));
    }
    return table;
}

std::string SurnameGame::PanelText() const {
    if (!finished()) return "倒数 第" + std::to_string(tablesLeft_) + " 张表";
    if (sum_ > 0) return "你姓:" + std::string(SurnameOf(sum_));
    return {};
}

}  // namespace tessaly
