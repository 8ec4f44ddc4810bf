#pragma once

#include "core/model/TreeClasses.h"

#include <optional>
#include <string>
#include <string_view>

namespace timbra {
struct TreeRow;
}

namespace timbra::bottomland {

// One tallied bottomland tree with the run's context (objective flags, plot size). Evaluate turns
// it into its value on the plot and its value per acre. One record serves a whole run.
class TreeRecord {
public:
    virtual ~TreeRecord() = default;

    // The run's context, stored once before the first Evaluate (which reads plotSize as given here).
    void SetStand(int numberOfPlots, std::string plotSize, int objective1, int objective2, int objective3);
    // Stores the tree and computes treeValue and perAcreValue. A tree that no rule values is worth
    // 0, and so is every tree of a stand whose plot size is unknown; never the previous tree's value.
    void Evaluate(int dbh, double height, int grade, std::string_view speciesClass, std::string_view vigor,
                  std::string_view crownClass, std::string_view treeClass);
    // The same for a tree as Run reads it, whose class texts are already read.
    void Evaluate(const TreeRow& tree);

    int numberOfPlots = 0; // stored for the caller; the valuation does not use it
    int objective1 = 0;
    int objective2 = 0;
    int objective3 = 0;
    std::string plotSize = " ";
    int dbh = 0;
    int grade = 0;     // 0: not entered
    double height = 0; // logs of 16 feet; 0: not entered
    // The texts Evaluate was given, as views: a Run hands it the tally's own cells, which outlive the
    // valuation, so nothing is copied for each of the 1,495 trees.
    std::string_view speciesClass = " ";
    std::string_view vigor = " ";
    std::string_view crownClass = " ";
    std::string_view treeClass = " ";
    double treeValue = 0;
    double perAcreValue = 0;

private:
    RowClasses classes_; // the four texts, read

    std::optional<double> expansion_ = 1.0; // from plotSize by SetStand; 1 for the blank " "

    // The tree's value on its plot by the rules of the chosen objectives.
    double valueOnPlot() const;
    // A tree of 12 inches or more valued as growing stock or removal.
    double sawtimberValue(double rankSum, double weight) const;
};

// Height factor of the bottomland model: 1 log 1.0, 1.5 to 2 logs 1.5, 2.5 logs and more 2.0.
double heightFactor(double height);

// Trees per acre one tree stands for: the four plot sizes, and 1 for a header left blank.
// Nothing for another text.
std::optional<double> plotFactor(const std::string& plotSize);

// Objectives 1 and 2 remove every tree over this diameter (inches); objective 3 keeps them.
inline constexpr int LargestGrowingDbh = 26;
// Diameters over this weigh nothing in the bottomland model.
inline constexpr int LargestDbh = 50;

} // namespace timbra::bottomland
