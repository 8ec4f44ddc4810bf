#include "core/model/TallyRun.h"

#include "core/model/TreeFactors.h"
#include "core/model/ValueFormat.h"

#include <array>
#include <cmath>
#include <string>

namespace timbra {

namespace {

// The percentage field of each count, in CountIndex order.
constexpr std::array<double StandResults::*, CountTotal> Percentages{
    &StandResults::pctPreferred,    &StandResults::pctReserve,      &StandResults::pctCuttingStock,
    &StandResults::pctCull,         &StandResults::pctDesirable,    &StandResults::pctAcceptable,
    &StandResults::pctUnacceptable, &StandResults::pctGrade1,       &StandResults::pctGrade2,
    &StandResults::pctGrade3,       &StandResults::pctGrade4,       &StandResults::pctVigorHigh,
    &StandResults::pctVigorMedium,  &StandResults::pctVigorLow,     &StandResults::pctDominant,
    &StandResults::pctCodominant,   &StandResults::pctIntermediate, &StandResults::pctSuppressed,
    &StandResults::pctHeight1,      &StandResults::pctHeight15,     &StandResults::pctHeight2,
    &StandResults::pctHeight25,     &StandResults::pctHeight3,      &StandResults::pctHeight35};

// Adds 1 to the count of a class read from its text, whose list's first count sits at `first`; a
// text not in the list counts nowhere.
template <typename Class> void countClass(StandResults& results, int first, Class c) {
    if (c != Class::None) results.counts[static_cast<std::size_t>(first) + static_cast<std::size_t>(c)] += 1;
}

// Only sawtimber (over 10 inches) enters the class tallies of the report.
void countTree(StandResults& results, const TreeRow& tree) {
    if (tree.dbh <= 10) return;
    results.largeTreeCount += 1;
    countClass(results, CountPreferred, tree.classes.tree);
    countClass(results, CountDesirable, tree.classes.species);
    if (tree.grade != 0) results.gradedTreeCount += 1;
    if (tree.grade >= 1 && tree.grade <= 4)
        results.counts[static_cast<std::size_t>(CountGrade1 + tree.grade - 1)] += 1;
    countClass(results, CountVigorHigh, tree.classes.vigor);
    countClass(results, CountDominant, tree.classes.crown);
    // The six heights 1, 1.5, ..., 3.5 logs are counted when given exactly: twice the height, which
    // doubling keeps exact, is then a whole number from 2 to 7.
    const double halfLogs = tree.height * 2;
    if (halfLogs >= 2 && halfLogs <= 7 && halfLogs == static_cast<int>(halfLogs))
        results.counts[static_cast<std::size_t>(CountHeight1 + static_cast<int>(halfLogs) - 2)] += 1;
}

// Plain quotients: a class with no trees over it has no percentage (the report shows "n/a").
void updatePercentages(StandResults& results, PercentForm form) {
    for (std::size_t i = 0; i < CountTotal; ++i) {
        const double total = i <= CountUnacceptable ? results.largeTreeCount : results.gradedTreeCount;
        const double count = results.counts[i];
        results.*Percentages[i] =
            form == PercentForm::QuotientTimes100 ? count / total * 100 : count * 100 / total;
    }
}

void checkTree(const TreeRow& tree, std::vector<TreeMessage>& messages) {
    const int number = tree.row - FirstTreeRow + 1;
    // "Tree N" and the rest: a tenth of a real tally's trees have a message in each of a summary's
    // Runs, so the text is put together rather than printed.
    const auto add = [&](std::string_view rest) {
        std::string text = "Tree ";
        text += std::to_string(number);
        text += rest;
        messages.push_back({number, std::move(text)});
    };
    const RowClasses& classes = tree.classes;
    if (tree.dbh <= 5 || classes.species == SpeciesClass::None || classes.tree == TreeClass::None)
        add(" must have a species class, a DBH greater than 5 and a tree class.");
    // Height, grade and vigor are given all together or not at all.
    const bool vigorGiven = classes.vigor != Vigor::None;
    const bool sawtimberGiven = tree.height != 0 || tree.grade != 0;
    const bool sawtimberMissing = tree.height == 0 || tree.grade == 0;
    if ((sawtimberMissing && vigorGiven) || (sawtimberGiven && !vigorGiven))
        add(" is invalid, check for errors.");
    if (classes.species == SpeciesClass::Unacceptable && isGrowingStock(classes.tree))
        add(" contains conflict in species class and tree class, check for errors.");
    if (tree.height > 0.1 && tree.height < 0.9) add(" must have a height of at least 1 log.");
}

} // namespace

void readStandHeader(const Sheet& tally, StandResults& results, bool withProvince) {
    results.standName = tally.GetText(StandNameCell.col, StandNameCell.row);
    results.standLocation = tally.GetText(StandLocationCell.col, StandLocationCell.row);
    results.plotSize = tally.GetText(PlotSizeCell.col, PlotSizeCell.row);
    if (withProvince) results.province = tally.GetText(ProvinceCell.col, ProvinceCell.row);
    results.numberOfPlots = tally.GetInteger(NumberOfPlotsCell.col, NumberOfPlotsCell.row);
}

void walkTally(const TreeRows& rows, const std::function<double(const TreeRow&)>& perAcreValue,
               PercentForm form, RunOutcome& outcome, RunDetail detail) {
    StandResults& results = outcome.results;
    StandTally& standTally = results.standTally;
    double plotSum = 0;
    double standSum = 0;
    for (const TreeRow& tree : rows) {
        plotSum += perAcreValue(tree);
        // Rows past the last tree row are never read as trees, so the plot open there closes too.
        const bool lastRow = tree.nextPlot == 0 || tree.row == LastTreeRow;
        if (lastRow || tree.nextPlot != tree.plot) {
            standSum += plotSum;
            results.plotValue.push_back(plotSum);
            plotSum = 0;
            results.standValue = standSum / results.numberOfPlots;
        }
        countTree(results, tree);
        if (detail == RunDetail::Full) {
            standTally.add(tree.dbh, tree.classes.tree, tree.speciesCode);
            checkTree(tree, outcome.treeMessages);
        }
    }
    // The percentages left by the last row are those of the final counts, so they are worked out once.
    updatePercentages(results, form);
}

void decide(StandResults& results, int objective, std::optional<Cutoff> cutoff) {
    results.objectiveNumber = objective;
    if (!cutoff) {
        results.decision = Decision::Error;
        results.cutoffIndex = 0;
        return;
    }
    results.cutoffIndex = cutoff->index;
    const bool manage = std::isfinite(results.standValue) && results.standValue >= cutoff->threshold;
    results.decision = manage ? Decision::Manage : Decision::Regenerate;
}

void finishRun(RunOutcome& outcome) {
    const StandResults& results = outcome.results;
    outcome.standValueText = formatValue("%4.1f", results.standValue);
    outcome.decisionText = formatText("%s", std::string(decisionText(results.decision)));
    outcome.cutoffText = formatValue("%4.1f", results.cutoffIndex);
    if (!std::isfinite(results.standValue) || results.standValue > 150 || results.standValue < -20)
        outcome.closingMessages.push_back("Your stand has an unusual value, check data for errors.");
}

} // namespace timbra
