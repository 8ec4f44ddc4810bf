#pragma once

#include <array>

namespace timbra {

// The objective check boxes of the input dialog (up to four).
struct ObjectiveBoxes {
    std::array<bool, 4> checked{};
    std::array<bool, 4> enabled{true, true, true, true};

    bool isChecked(int n) const { return n >= 1 && n <= 4 && checked[static_cast<std::size_t>(n - 1)]; }
    // The objective boxes as 0/1 flags, as the tree records take them.
    int flag(int n) const { return isChecked(n) ? 1 : 0; }

    bool operator==(const ObjectiveBoxes&) const = default;
};

// A click on check box n (1-based) of `count` boxes: the box toggles; when it became ticked the
// others untick and true is returned, so that the caller runs objective n's rewrite pass. A click
// that removed the tick changes nothing else and returns false.
bool clickObjective(ObjectiveBoxes& boxes, int count, int n);

} // namespace timbra
