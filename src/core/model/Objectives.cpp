#include "core/model/Objectives.h"

namespace timbra {

bool clickObjective(ObjectiveBoxes& boxes, int count, int n) {
    if (n < 1 || n > count) return false;
    auto& box = boxes.checked[static_cast<std::size_t>(n - 1)];
    box = !box;
    if (!box) return false;
    for (int k = 1; k <= count; ++k)
        if (k != n) boxes.checked[static_cast<std::size_t>(k - 1)] = false;
    return true;
}

} // namespace timbra
