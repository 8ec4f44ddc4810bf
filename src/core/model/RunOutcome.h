#pragma once

#include "core/model/StandResults.h"

#include <string>
#include <vector>

namespace timbra {

// Whether a Run gathers what only the stand's report and messages show: the stand table's trees
// (StandResults::standTally) and each tree's check messages. A summary's Run of each objective keeps
// only the results; everything else the Run forms stays the same.
enum class RunDetail { Full, ResultsOnly };

// A check message about one tree, with the tree's number (1 for the tree in the first tree row).
struct TreeMessage {
    int tree = 0;
    std::string text;
};

// Everything a Run hands the dialog, in the order the user meets it: the tree messages one box at
// a time, then the three result boxes are filled, then the closing messages (unusual stand value,
// missing province).
struct RunOutcome {
    StandResults results;
    std::vector<TreeMessage> treeMessages;
    std::string standValueText; // "%4.1f"
    std::string decisionText;   // "%s"
    std::string cutoffText;     // "%4.1f"
    std::vector<std::string> closingMessages;

    std::vector<std::string> allMessages() const {
        std::vector<std::string> all;
        for (const TreeMessage& m : treeMessages)
            all.push_back(m.text);
        all.insert(all.end(), closingMessages.begin(), closingMessages.end());
        return all;
    }
};

} // namespace timbra
