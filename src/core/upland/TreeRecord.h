#pragma once

#include "core/model/TreeClasses.h"

#include <optional>
#include <string>
#include <string_view>

namespace timbra {
struct TreeRow;
}

namespace timbra::upland {

// One tallied upland tree with the run's context (objective flags, plot size). Evaluate turns it
// into its value on the plot and its value per acre. One record serves a whole run.
class TreeRecord {
public:
    virtual ~TreeRecord() = default;

    // The run's context, stored once before the first Evaluate (which reads plotSize as given here).
    void SetStand(int numberOfPlots, std::string plotSize, int objective1, int objective2, int objective3,
                  int objective4);
    // Stores the tree and computes treeValue and perAcreValue. A tree that no rule values is worth
    // 0, never the previous tree's value.
    void Evaluate(int dbh, double height, int grade, std::string_view speciesClass, std::string_view vigor,
                  std::string_view crownClass, std::string_view treeClass);
    // The same for a tree as Run reads it, whose class texts are already read.
    void Evaluate(const TreeRow& tree);

    int numberOfPlots = 0; // stored for the caller; the valuation does not use it
    int objective1 = 0;
    int objective2 = 0;
    int objective3 = 0;
    int objective4 = 0;
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

    std::optional<double> expansion_; // from plotSize by SetStand; none for the blank " "

    // The tree's value on its plot by the rules of the chosen objectives.
    double valueOnPlot() const;
    // A tree of sawtimber size that its objective keeps: growing stock or removal. A preferred tree
    // is worth `preferredValue`, its quality times its diameter factor over 12: objectives 1 and 4
    // multiply in another order than objectives 2 and 3, and results keep each to the last digit.
    double sawtimberValue(double preferredValue, double quality, double diameter) const;
};

// Objectives 2 and 3 remove every tree over this diameter (inches); objectives 1 and 4 keep big
// commercial trees as growing stock.
inline constexpr int LargestGrowingDbh = 20;
// Diameters over this weigh nothing in the upland model.
inline constexpr int LargestDbh = 40;

// Height factor of the upland model: 1 log 1.0, 1.5 to 2 logs 1.5, 2.5 to 3.5 logs 2.0; 4 logs or
// more, or under 1, nothing.
double heightFactor(double height);

// Per-acre value that marks a stand of unknown plot size as unusual.
inline constexpr double UnknownPlotSizeValue = 100.0;

} // namespace timbra::upland
