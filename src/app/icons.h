#pragma once

namespace tressal::app {

// The program's 16 icons, shared by every window; the value is the icon's
// place in the list.
enum class IconId {
    Close = 0,
    Orlane = 1,
    Vesko = 2,
    OrlaneTeachers = 3,
    OrlaneStudents = 4,
    VeskoTeachers = 5,
    VeskoStudents = 6,
    Save = 7,
    Convert = 8,
    About = 9,
    Pmb = 10,
    PmbTeachers = 11,
    PmbStudents = 12,
    Bcdi = 13,
    SingleEstablishment = 14,
    CiteScolaire = 15,
};

inline constexpr int kIconCount = 16;

} // namespace tressal::app
