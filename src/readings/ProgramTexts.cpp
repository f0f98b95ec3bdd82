#include "readings/ProgramTexts.h"

#include <array>
#include <utility>

namespace tessaly {
namespace {

struct NumberedText {
    int id;
    std::string_view text;
};

// Sorted by id.
constexpr NumberedText kTexts[] = {
    {906, "提示：个人性格除禀受天赋外，与后天环境的影响也有很大的关系，包括社会环境、时代背景等。"},
    {909, "提示：看婚姻除看个人八字外，还须合看双方八字，才能下最终判断，大致喜生和，不喜克害。"},
};

}  // namespace

std::string_view ProgramText(int id) {
    for (const NumberedText& t : kTexts) {
        if (t.id == id) return t.text;
    }
    return {};
}

}  // namespace tessaly
