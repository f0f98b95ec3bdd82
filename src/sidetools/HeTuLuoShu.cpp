#include "sidetools/HeTuLuoShu.h"

#include <array>
#include <cmath>

namespace tessaly {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr std::array<const char*, 10> kNumerals = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

DiagramShape Shape(DiagramShape::Kind kind, DiagramInk ink, double x, double y, double r = 0) {
    DiagramShape s;
    s.kind = kind;
    s.ink = ink;
    s.x = x;
    s.y = y;
    s.r = r;
    return s;
}

// Builds the shapes of one diagram around the canvas centre.
class Sketch {
public:
    explicit Sketch(const DiagramCanvas& c)
        : cx_(c.width / 2), cy_(c.height / 2), cw_(c.charWidth), ch_(c.charHeight), outer_((c.width - 10) / 2) {}

    double cx() const { return cx_; }
    double cy() const { return cy_; }
    double cw() const { return cw_; }
    double ch() const { return ch_; }

    // The point at radius r and angle a (degrees).
    double X(double r, double a) const { return cx_ + r * std::cos(a * kPi / 180); }
    double Y(double r, double a) const { return cy_ - r * std::sin(a * kPi / 180); }

    void Title(const char* text) { Text(6, 6, text, DiagramInk::kBlue, 14); }
    void OuterCircle() { Circle(outer_, DiagramInk::kBlack); }
    void Circle(double r, DiagramInk ink) { Add(Shape(DiagramShape::kCircle, ink, cx_, cy_, r)); }
    void CircleAt(double r, double a, double radius, DiagramInk ink) {
        Add(Shape(DiagramShape::kCircle, ink, X(r, a), Y(r, a), radius));
    }
    void Dot(double r, double a, DiagramInk ink) { Add(Shape(DiagramShape::kDot, ink, X(r, a), Y(r, a), kDotRadius)); }
    void Arc(double r, double start, DiagramInk ink) {
        DiagramShape s = Shape(DiagramShape::kArc, ink, cx_, cy_, r);
        s.startDegrees = start;
        s.spanDegrees = 45;
        Add(std::move(s));
    }
    // A radial stroke at angle a from radius r1 to r2.
    void Stroke(double r1, double r2, double a, DiagramInk ink) { Line(X(r1, a), Y(r1, a), X(r2, a), Y(r2, a), ink); }
    void Line(double x1, double y1, double x2, double y2, DiagramInk ink) {
        DiagramShape s = Shape(DiagramShape::kLine, ink, x1, y1);
        s.x2 = x2;
        s.y2 = y2;
        Add(std::move(s));
    }
    void Text(double x, double y, std::string text, DiagramInk ink = DiagramInk::kBlack, int points = 10) {
        DiagramShape s = Shape(DiagramShape::kText, ink, x, y);
        s.text = std::move(text);
        s.points = points;
        Add(std::move(s));
    }
    void CentredText(double x, double y, std::string text) {
        Text(x, y, std::move(text));
        shapes_.back().centred = true;
    }
    // `count` dots spread over the 45° window starting at `start`; a single
    // dot in its middle.
    void DotsOverWindow(int count, double r, double start, DiagramInk ink) {
        if (count == 1) {
            Dot(r, start + 22.5, ink);
            return;
        }
        for (int j = 0; j < count; ++j) Dot(r, start + j * 45.0 / (count - 1), ink);
    }

    std::vector<DiagramShape> Take() { return std::move(shapes_); }

private:
    void Add(DiagramShape s) { shapes_.push_back(std::move(s)); }

    double cx_, cy_, cw_, ch_, outer_;
    std::vector<DiagramShape> shapes_;
};

DiagramInk InkOf(int number) { return number % 2 == 1 ? DiagramInk::kRed : DiagramInk::kBlack; }
std::string Label(int number) { return std::string(kNumerals[std::size_t(number)]) + (number % 2 == 1 ? "天" : "地"); }
double DirectionAngle(int k) { return (k - 1) * 90.0; }
double WindowStart(int k) { return DirectionAngle(k) - 22.5; }

// A two-character label of direction k placed at radius r: it fills the
// radii r .. r + 2 characters outwards, beside the axis on the right and
// left (below it) and centred on it above and below, so that it stays
// clear of the ring of dots 30 pixels further out.
void CardinalLabel(Sketch& s, double r, int k, std::string text) {
    const double a = DirectionAngle(k), cw = s.cw(), ch = s.ch();
    constexpr double kGap = 4;  // between the label and the axis point
    const double dx[4] = {-3, -cw, -2 * cw + 3, -cw};
    const double dy[4] = {0, -ch - kGap, 0, kGap};
    s.Text(s.X(r, a) + dx[k - 1], s.Y(r, a) + dy[k - 1], std::move(text));
}

}  // namespace

std::vector<DiagramShape> HeTuShapes(const DiagramCanvas& canvas) {
    Sketch s(canvas);
    const double cx = s.cx(), cy = s.cy(), cw = s.cw();
    s.Title("河图");
    s.OuterCircle();
    s.Circle(50, DiagramInk::kBlack);
    s.Dot(0, 0, DiagramInk::kRed);
    for (int i = 0; i < 10; ++i) s.Dot(50, i * 36, DiagramInk::kBlack);
    // 五 and 天 above the centre on either side of the upward stroke; the
    // two 十地 below the horizontal strokes, inside the ring of ten.
    s.Text(cx - 18, cy - 20, "五  天");
    s.Text(cx - 15 - 2 * cw, cy + 4, "十地");
    s.Text(cx + 15, cy + 4, "十地");

    // Right 4 and 9, up 2 and 7, left 3 and 8, down 1 and 6.
    constexpr std::array<int, 4> kInner = {4, 2, 3, 1};
    for (int k = 1; k <= 4; ++k) {
        const int n = kInner[std::size_t(k - 1)];
        const double a = DirectionAngle(k), start = WindowStart(k);
        s.Stroke(6, 21, a, DiagramInk::kRed);
        s.Dot(18, a, DiagramInk::kRed);
        if (k <= 3) s.Arc(140, start, InkOf(n));  // the single 一 needs no arc
        s.Arc(200, start, InkOf(n + 5));
        CardinalLabel(s, 110, k, Label(n));
        s.DotsOverWindow(n, 140, start, InkOf(n));
        CardinalLabel(s, 170, k, Label(n + 5));
        s.DotsOverWindow(n + 5, 200, start, InkOf(n + 5));
    }
    return s.Take();
}

std::vector<DiagramShape> LuoShuShapes(const DiagramCanvas& canvas) {
    Sketch s(canvas);
    const double cx = s.cx(), cy = s.cy(), cw = s.cw();
    s.Title("洛书");
    s.OuterCircle();
    s.Circle(90, DiagramInk::kBlack);
    s.Circle(cw, DiagramInk::kRed);
    s.CentredText(cx, cy, "土");
    s.Text(cx - 22, cy + 30, "五   黄");

    // The cardinal numbers: west 7 (right), south 9 (up), east 3, north 1.
    struct Cardinal {
        const char* element;
        int count;
        const char* star;
    };
    constexpr std::array<Cardinal, 4> kCardinals = {Cardinal{"金", 7, "七赤"}, Cardinal{"火", 9, "九紫"},
                                                    Cardinal{"木", 3, "三碧"}, Cardinal{"水", 1, "一白"}};
    for (int k = 1; k <= 4; ++k) {
        const Cardinal& c = kCardinals[std::size_t(k - 1)];
        const double a = DirectionAngle(k), start = WindowStart(k);
        // From the centre's circle outwards, ending in a dot.
        s.Stroke(cw, cw + 35, a, DiagramInk::kRed);
        s.Dot(cw + 36, a, DiagramInk::kRed);
        s.CircleAt(130, a, cw, DiagramInk::kRed);
        s.CentredText(s.X(130, a), s.Y(130, a), c.element);
        if (k <= 3) s.Arc(200, start, DiagramInk::kRed);
        CardinalLabel(s, 170, k, c.star);
        s.DotsOverWindow(c.count, 200, start, DiagramInk::kRed);
    }

    // The corner numbers, each a chain of black dots: two dots upper right,
    // four upper left, eight lower left, six lower right. The dots stand in
    // radial columns 15 pixels apart from radius 210 inwards, one column for
    // the 2 and two columns 10° apart for the others, joined at their inner
    // dots; the star name stands just inside the chain.
    struct Corner {
        int count;
        const char* star;
    };
    constexpr std::array<Corner, 4> kCorners = {Corner{2, "二黑"}, Corner{4, "四绿"}, Corner{8, "八白"},
                                                Corner{6, "六白"}};
    constexpr double kOuterDot = 210, kDotStep = 15, kColumnGap = 10;  // degrees between the two columns
    for (int k = 1; k <= 4; ++k) {
        const Corner& c = kCorners[std::size_t(k - 1)];
        const double theta = 90.0 * k - 45;
        const int columns = k == 1 ? 1 : 2;
        const int perColumn = c.count / columns;
        const double inner = kOuterDot - (perColumn - 1) * kDotStep;
        s.CentredText(s.X(inner - 22, theta + kColumnGap / 2), s.Y(inner - 22, theta + kColumnGap / 2), c.star);
        for (int col = 0; col < columns; ++col) {
            const double a = theta + col * kColumnGap;
            for (int j = 0; j < perColumn; ++j) {
                const double r = kOuterDot - j * kDotStep;
                s.Dot(r, a, DiagramInk::kBlack);
                if (j > 0) s.Stroke(r + kDotRadius, r + kDotStep - kDotRadius, a, DiagramInk::kBlack);
            }
        }
        if (columns == 2) {
            // Join the columns at their inner dots, edge to edge.
            const double x1 = s.X(inner, theta), y1 = s.Y(inner, theta);
            const double x2 = s.X(inner, theta + kColumnGap), y2 = s.Y(inner, theta + kColumnGap);
            const double len = std::hypot(x2 - x1, y2 - y1);
            const double ux = (x2 - x1) / len * kDotRadius, uy = (y2 - y1) / len * kDotRadius;
            s.Line(x1 + ux, y1 + uy, x2 - ux, y2 - uy, DiagramInk::kBlack);
        }
    }
    return s.Take();
}

}  // namespace tessaly
