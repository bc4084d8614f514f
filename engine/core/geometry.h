#pragma once
// Pile cross-sections and the socket: area, perimeter, the equal-area equivalent diameter, and the
// socket depth hr read from its field, which may give millimetres or a multiple of d (or b).
// Lengths in mm, areas in mm².

#include <string>
#include <string_view>

namespace sp::core {

enum class SectionType { Round = 1, Oblong = 2, Rectangular = 3, Square = 4 };

// A rectangle, the square included: sides a and b instead of d and c.
inline bool isRectangular(SectionType type) {
    return type == SectionType::Rectangular || type == SectionType::Square;
}

// The drop-down text ("圆桩", "椭圆桩", "矩形桩"; "方桩" for the square).
const char* sectionItemText(SectionType type);
// The text the tables write, 8 columns when centred ("圆  桩", "方  桩").
const char* sectionTableText(SectionType type);

// Round and oblong share one formula (c = 0 for round); rectangles and squares are a·b.
// `first` is d (or the long side a), `second` is c (or the short side b).
double sectionArea(SectionType type, double first, double second);
double sectionPerimeter(SectionType type, double first, double second);

// deq = √(4·Ap/π); a round pile's equivalent diameter is its diameter, exactly.
double equalAreaDiameter(SectionType type, double area, double diameter);

// The letter a socket multiple is given in: "d" for round and oblong, "b" for rectangles.
char multipleLetter(SectionType type);

struct SocketDepth {
    enum class Status {
        Ok,
        Invalid,      // not a number or negative: the calculation's own check rejects it
        FactorUnread, // the factor before the letter is not a number: a conversion failure
    };
    Status status = Status::Ok;
    double hr = 0.0; // mm
    bool givenAsMultiple = false;
    std::string unreadText; // the factor text that could not be read
};

// The socket depth from its field: a multiple when the first occurrence of the letter stands at
// the position of the marker (text after the letter is ignored), else millimetres.
SocketDepth readSocketDepth(std::string_view text, char letter, double base);

struct SectionGeometry {
    double area = 0.0;      // Ap, mm²
    double perimeter = 0.0; // μ, mm
    double deq = 0.0;       // mm
    double hr = 0.0;        // mm
    bool depthGivenAsMultiple = false;
    double ratioToD = 0.0;   // hr/d (round, oblong) or hr/deq (rectangular)
    double ratioToDeq = 0.0; // hr/deq
};

} // namespace sp::core
