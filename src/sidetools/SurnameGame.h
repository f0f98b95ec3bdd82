// SurnameGame (aka the game of TFrmTestName, Unttname) — guesses a surname from seven yes/no answers.
//
// 127 one-character surnames are numbered 1..127. Seven tables of 64
// surnames are shown in turn; table t (counted down from 7 to 1) holds the
// surnames whose number has bit t − 1 set. The player tells for each table
// whether his surname is in it; the answers, read as the bits of a number,
// give the surname's number (0: none of the list).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

inline constexpr int kSurnameCount = 127;

// Surname number 1..127 (1 = 白, 64 = 孔, 85 = 马, 127 = 萧); empty outside.
std::string_view SurnameOf(int number);

inline constexpr std::string_view kSurnameFoundCaption = "猜中";
inline constexpr std::string_view kSurnameMissing = "你的姓不在本字库中!";
inline constexpr std::string_view kSurnameMissingCaption = "意外";

class SurnameGame {
public:
    SurnameGame() { Restart(); }

    // A new game, showing the first table (counter 7).
    void Restart();
    // "有" (true) or "没有" (false) for the table on screen; nothing once the
    // game is over.
    void Answer(bool inTable);

    bool finished() const { return tablesLeft_ == 0; }
    // 7 for the first table … 1 for the last; 0 when finished.
    int tablesLeft() const { return tablesLeft_; }
    // The 64 surnames of the table on screen, in order of number; empty when
    // finished.
    std::vector<std::string_view> Table() const;
    // "倒数 第7 张表" while playing; "你姓:萧" when finished with a surname;
    // empty when finished without one.
    std::string PanelText() const;
    // The number the answers give (meaningful when finished).
    int result() const { return sum_; }

private:
    void Step(bool inTable);

    int sum_ = 0;
    int weight_ = 128;
    int tablesLeft_ = 8;
};

}  // namespace tessaly
