// HeTuLuoShu (aka the drawings of TFrmHeLuo, Untheluo) — the He Tu (河图) and Luo Shu (洛书) number diagrams as shapes.
//
// Each diagram is a list of shapes in drawing order on a square canvas
// (450 × 450 in the window), with y growing downwards. Angles are degrees
// counter-clockwise from the right: the point at radius r and angle θ is
// (cx + r·cos θ, cy − r·sin θ). Directions 1..4 are right, up, left, down;
// the window of direction k spans 45° around it, from (k − 1)·90 − 22.5.
// Odd numbers (天, heaven) are red, even numbers (地, earth) black; the
// front end fills the canvas and paints the shapes, scaled to its size.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

enum class DiagramInk { kBlack, kRed, kBlue };

struct DiagramShape {
    enum Kind {
        kCircle,  // outline of radius r around (x, y)
        kDot,     // filled circle of radius r around (x, y)
        kArc,     // arc of radius r around (x, y) from startDegrees over spanDegrees
        kLine,    // from (x, y) to (x2, y2)
        kText,    // text with its top-left corner at (x, y), or centred on (x, y)
    };
    Kind kind = kCircle;
    DiagramInk ink = DiagramInk::kBlack;
    double x = 0, y = 0;
    double r = 0;
    double x2 = 0, y2 = 0;
    double startDegrees = 0, spanDegrees = 0;
    std::string text;
    int points = 10;  // text size in points (at 96 dots per inch)
    bool centred = false;
};

// The canvas and the size of one character ("字") of the diagrams' 10-point
// font, which places the labels.
struct DiagramCanvas {
    double width = 450, height = 450;
    double charWidth = 13, charHeight = 14;
};

inline constexpr double kDotRadius = 3;

// Title, circles, dots, arcs and labels of each diagram.
std::vector<DiagramShape> HeTuShapes(const DiagramCanvas& canvas);
std::vector<DiagramShape> LuoShuShapes(const DiagramCanvas& canvas);

}  // namespace tessaly
