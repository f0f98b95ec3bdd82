// The side tools' logic: the pregnancy table, the surname game and the
// shapes of the He Tu and Luo Shu.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "sidetools/HeTuLuoShu.h"
#include "sidetools/PregnancyTable.h"
#include "sidetools/SurnameGame.h"

namespace tessaly {
namespace {

TEST(PregnancyTable, AnswersAtItsCornersAndRefusesOtherAges) {
    const struct {
        const char* age;
        int month;
        std::string_view want;  // empty: refused
    } kCases[] = {
        {"22", 1, kGirlAnswer},  // what the dialog shows when it opens
        {"18", 2, kBoyAnswer},   {"18", 1, kGirlAnswer},
        {"18", 12, kBoyAnswer},  {"45", 1, kGirlAnswer},
        {"45", 12, kBoyAnswer},  {"21", 1, kBoyAnswer},
        {"21", 2, kGirlAnswer},  {"17", 1, {}},
        {"46", 1, {}},           {"", 1, {}},
        {"2x", 1, {}},           {"-22", 1, {}},
        {"+22", 1, kGirlAnswer},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "age '" << c.age << "' month " << c.month);
        EXPECT_EQ(PregnancyAnswer(c.age, c.month), c.want);
    }
    EXPECT_EQ(PregnancyAnswer(30, 0), "");
    EXPECT_EQ(PregnancyAnswer(30, 13), "");
}

TEST(PregnancyTable, EveryCellAnswers) {
    for (int age = kPregnancyFirstAge; age <= kPregnancyLastAge; ++age) {
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(testing::Message() << age << '/' << month);
            const std::string_view a = PregnancyAnswer(age, month);
            EXPECT_TRUE(a == kBoyAnswer || a == kGirlAnswer);
        }
    }
}

TEST(SurnameGame, SurnamesByNumber) {
    EXPECT_EQ(SurnameOf(1), "白");
    EXPECT_EQ(SurnameOf(64), "孔");
    EXPECT_EQ(SurnameOf(85), "马");
    EXPECT_EQ(SurnameOf(127), "萧");
    EXPECT_EQ(SurnameOf(0), "");
    EXPECT_EQ(SurnameOf(128), "");
    std::set<std::string_view> all;
    for (int n = 1; n <= kSurnameCount; ++n) all.insert(SurnameOf(n));
    EXPECT_EQ(all.size(), 127u);
}

TEST(SurnameGame, SevenAnswersGiveTheSurname) {
    const struct {
        const char* answers;  // 'y' 有, 'n' 没有, first table first
        int number;
        const char* panel;
    } kCases[] = {
        {"yyyyyyy", 127, "你姓:萧"}, {"ynnnnnn", 64, "你姓:孔"}, {"nnnnnny", 1, "你姓:白"},
        {"nynynny", 41, nullptr},    {"nnnnnnn", 0, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.answers);
        SurnameGame game;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(game.tablesLeft(), 7 - i);
            EXPECT_EQ(game.PanelText(), "倒数 第" + std::to_string(7 - i) + " 张表");
            EXPECT_EQ(game.Table().size(), 64u);
            game.Answer(c.answers[i] == 'y');
        }
        EXPECT_TRUE(game.finished());
        EXPECT_EQ(game.result(), c.number);
        if (c.panel != nullptr) {
            EXPECT_EQ(game.PanelText(), c.panel);
        }
        EXPECT_TRUE(game.Table().empty());
        game.Answer(true);  // ignored once over
        EXPECT_EQ(game.result(), c.number);
        game.Restart();
        EXPECT_EQ(game.tablesLeft(), 7);
        EXPECT_FALSE(game.finished());
    }
}

TEST(SurnameGame, TablesHoldTheSurnamesOfTheirBit) {
    SurnameGame game;
    // The first table holds the surnames 64..127, the last the odd numbers.
    EXPECT_EQ(game.Table().front(), SurnameOf(64));
    EXPECT_EQ(game.Table().back(), SurnameOf(127));
    for (int i = 0; i < 6; ++i) game.Answer(false);
    ASSERT_EQ(game.tablesLeft(), 1);
    const auto last = game.Table();
    EXPECT_EQ(last[0], SurnameOf(1));
    EXPECT_EQ(last[1], SurnameOf(3));
    EXPECT_EQ(last[63], SurnameOf(127));
}

// ---- He Tu and Luo Shu ----

const DiagramCanvas kCanvas{};

double Radius(const DiagramShape& s) { return std::hypot(s.x - 225, s.y - 225); }
// Angle of a shape's point, degrees counter-clockwise from the right, 0..360.
double Angle(const DiagramShape& s) {
    const double a = std::atan2(225 - s.y, s.x - 225) * 180 / 3.14159265358979323846;
    return a < -1e-9 ? a + 360 : a;
}

std::vector<DiagramShape> Dots(const std::vector<DiagramShape>& shapes, double radius) {
    std::vector<DiagramShape> dots;
    for (const DiagramShape& s : shapes) {
        if (s.kind == DiagramShape::kDot && std::abs(Radius(s) - radius) < 1e-6) dots.push_back(s);
    }
    return dots;
}

// Dots of a ring whose angle lies in the 45° window of direction k.
int DotsInWindow(const std::vector<DiagramShape>& dots, int k, DiagramInk* ink) {
    int n = 0;
    const double centre = (k - 1) * 90.0;
    for (const DiagramShape& d : dots) {
        double off = std::fmod(Angle(d) - centre + 540.0, 360.0) - 180.0;
        if (std::abs(off) <= 22.5 + 1e-6) {
            ++n;
            *ink = d.ink;
        }
    }
    return n;
}

TEST(HeTu, OddNumbersRedAndHeavenEvenBlackAndEarth) {
    const auto shapes = HeTuShapes(kCanvas);
    const auto inner = Dots(shapes, 140), outer = Dots(shapes, 200);
    const struct { int k, innerCount, outerCount; } kCases[] = {{1, 4, 9}, {2, 2, 7}, {3, 3, 8}, {4, 1, 6}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "direction " << c.k);
        DiagramInk ink{};
        EXPECT_EQ(DotsInWindow(inner, c.k, &ink), c.innerCount);
        EXPECT_EQ(ink, c.innerCount % 2 ? DiagramInk::kRed : DiagramInk::kBlack);
        EXPECT_EQ(DotsInWindow(outer, c.k, &ink), c.outerCount);
        EXPECT_EQ(ink, c.outerCount % 2 ? DiagramInk::kRed : DiagramInk::kBlack);
    }
    const std::set<std::string> heaven = {"一天", "三天", "七天", "九天"}, earth = {"二地", "四地", "六地", "八地"};
    int labels = 0;
    for (const DiagramShape& s : shapes) {
        if (s.kind != DiagramShape::kText) continue;
        labels += heaven.count(s.text) + earth.count(s.text);
    }
    EXPECT_EQ(labels, 8);
    for (const DiagramShape& s : shapes) {
        if (s.kind != DiagramShape::kArc) continue;
        SCOPED_TRACE(testing::Message() << "arc at " << s.startDegrees << " radius " << s.r);
        EXPECT_DOUBLE_EQ(s.spanDegrees, 45);
        // No inner arc downwards: the single 一 stands alone.
        EXPECT_FALSE(s.r == 140 && std::abs(s.startDegrees - 247.5) < 1e-9);
    }
    DiagramInk ink{};
    const auto down = inner.back();
    EXPECT_EQ(DotsInWindow({down}, 4, &ink), 1);
    EXPECT_NEAR(down.x, 225, 1e-9);
    EXPECT_NEAR(down.y, 225 + 140, 1e-9);
    EXPECT_EQ(Dots(shapes, 50).size(), 10u);
}

TEST(LuoShu, CardinalDotsRedAndCornerChainsUnbroken) {
    const auto shapes = LuoShuShapes(kCanvas);
    const auto ring = Dots(shapes, 200);
    const struct { int k, count; } kCardinals[] = {{1, 7}, {2, 9}, {3, 3}, {4, 1}};
    for (const auto& c : kCardinals) {
        SCOPED_TRACE(testing::Message() << "direction " << c.k);
        DiagramInk ink{};
        EXPECT_EQ(DotsInWindow(ring, c.k, &ink), c.count);
        EXPECT_EQ(ink, DiagramInk::kRed);
    }
    // The black dots of each corner and the strokes that join them: every
    // dot of a corner is reached from every other along the strokes.
    std::vector<DiagramShape> black, lines;
    for (const DiagramShape& s : shapes) {
        if (s.kind == DiagramShape::kDot && s.ink == DiagramInk::kBlack) black.push_back(s);
        if (s.kind == DiagramShape::kLine && s.ink == DiagramInk::kBlack) lines.push_back(s);
    }
    ASSERT_EQ(black.size(), 2u + 4 + 8 + 6);
    const auto touches = [](const DiagramShape& dot, double x, double y) {
        return std::abs(std::hypot(dot.x - x, dot.y - y) - kDotRadius) < 1e-6;
    };
    std::vector<int> group(black.size());
    for (std::size_t i = 0; i < group.size(); ++i) group[i] = int(i);
    const auto find = [&](int i) {
        while (group[std::size_t(i)] != i) i = group[std::size_t(i)];
        return i;
    };
    for (const DiagramShape& l : lines) {
        int a = -1, b = -1;
        for (std::size_t i = 0; i < black.size(); ++i) {
            if (touches(black[i], l.x, l.y)) a = int(i);
            if (touches(black[i], l.x2, l.y2)) b = int(i);
        }
        ASSERT_GE(a, 0) << "a stroke that starts at no dot";
        ASSERT_GE(b, 0) << "a stroke that ends at no dot";
        group[std::size_t(find(a))] = find(b);
    }
    std::map<int, int> sizes;
    for (std::size_t i = 0; i < black.size(); ++i) ++sizes[find(int(i))];
    std::multiset<int> chains;
    for (const auto& [root, n] : sizes) chains.insert(n);
    EXPECT_EQ(chains, (std::multiset<int>{2, 4, 6, 8}));
    for (const auto& [root, n] : sizes) {
        // Each chain lies in its own corner.
        const double a = Angle(black[std::size_t(root)]);
        const int corner = n == 2 ? 45 : n == 4 ? 135 : n == 8 ? 225 : 315;
        EXPECT_NEAR(a, corner + 5, 5 + 1e-6) << n;
    }
}

// The ink of each character of the labels (with the font metrics of the
// window) touches no dot, circle, arc or stroke.
struct Box {
    double left, top, right, bottom;
    bool Contains(double x, double y, double margin) const {
        return x > left - margin && x < right + margin && y > top - margin && y < bottom + margin;
    }
    double DistanceTo(double x, double y) const {
        const double dx = std::max({left - x, 0.0, x - right}), dy = std::max({top - y, 0.0, y - bottom});
        return std::hypot(dx, dy);
    }
    double FarthestFrom(double x, double y) const {
        return std::hypot(std::max(std::abs(left - x), std::abs(right - x)),
                          std::max(std::abs(top - y), std::abs(bottom - y)));
    }
};

std::vector<Box> InkBoxes(const DiagramShape& t, const DiagramCanvas& c) {
    const double f = t.points / 10.0, cw = c.charWidth * f, ch = c.charHeight * f;
    std::vector<double> advances;
    double width = 0;
    for (std::size_t i = 0; i < t.text.size();) {
        const bool ascii = static_cast<unsigned char>(t.text[i]) < 0x80;
        advances.push_back(ascii ? -cw / 2 : cw);  // negative: a blank
        width += ascii ? cw / 2 : cw;
        i += ascii ? 1 : 3;
    }
    double x = t.centred ? t.x - width / 2 : t.x;
    const double top = t.centred ? t.y - ch / 2 : t.y;
    std::vector<Box> boxes;
    for (double a : advances) {
        if (a > 0) boxes.push_back({x, top + 0.5 * f, x + a, top + 14.5 * f});
        x += std::abs(a);
    }
    return boxes;
}

void ExpectLabelsClear(const std::vector<DiagramShape>& shapes, const DiagramCanvas& canvas) {
    constexpr double kPen = 1.0;  // half a stroke and a little air
    for (const DiagramShape& t : shapes) {
        if (t.kind != DiagramShape::kText) continue;
        for (const Box& b : InkBoxes(t, canvas)) {
            for (const DiagramShape& s : shapes) {
                SCOPED_TRACE(testing::Message() << "'" << t.text << "' at " << b.left << ',' << b.top << " and shape "
                                                << s.kind << " at " << s.x << ',' << s.y << " r " << s.r);
                switch (s.kind) {
                    case DiagramShape::kDot: EXPECT_GT(b.DistanceTo(s.x, s.y), s.r + kPen); break;
                    case DiagramShape::kCircle:
                        EXPECT_TRUE(b.DistanceTo(s.x, s.y) > s.r + kPen || b.FarthestFrom(s.x, s.y) < s.r - kPen);
                        break;
                    case DiagramShape::kArc:
                        for (double a = s.startDegrees; a <= s.startDegrees + s.spanDegrees; a += 0.25) {
                            const double rad = a * 3.14159265358979323846 / 180;
                            ASSERT_FALSE(b.Contains(s.x + s.r * std::cos(rad), s.y - s.r * std::sin(rad), kPen));
                        }
                        break;
                    case DiagramShape::kLine:
                        for (double u = 0; u <= 1; u += 0.01) {
                            ASSERT_FALSE(b.Contains(s.x + u * (s.x2 - s.x), s.y + u * (s.y2 - s.y), kPen));
                        }
                        break;
                    case DiagramShape::kText: break;
                }
            }
        }
    }
}

TEST(HeTuLuoShu, LabelsStayClearOfTheDrawing) {
    const DiagramCanvas canvas{450, 450, 13, 16.4};  // the window's font: 13 × 16.4, ink 14 high
    ExpectLabelsClear(HeTuShapes(canvas), canvas);
    ExpectLabelsClear(LuoShuShapes(canvas), canvas);
}

}  // namespace
}  // namespace tessaly
