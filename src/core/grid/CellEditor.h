#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// What a cell lets the user type, and within which limits. The grid widget builds its editors from
// this, and paste and file checks ask the same question through `accept`.
struct CellEditor {
    enum class Kind { Text, Integer, Float, List };

    Kind kind = Kind::Text;
    int maxLength = 60;             // Text: characters, not bytes
    bool upperCase = false;         // Text: letters are upper-cased as typed
    bool lettersOnly = false;       // Text: only the letters A to Z
    double min = 0;                 // Integer, Float
    double max = 0;                 // Integer, Float
    double step = 1;                // Integer, Float: spin-button step
    int decimals = 0;               // Float: digits after the point when a number is written by code
    std::vector<std::string> items; // List, in display order

    static CellEditor text(int maxLength, bool upperCase = false, bool lettersOnly = false);
    static CellEditor integer(double min, double max, double step = 1);
    static CellEditor decimal(double min, double max, double step, int decimals);
    static CellEditor list(std::vector<std::string> items);

    // Typed or pasted text as the user means it: in a cell that takes decimals, a comma with no point
    // is the decimal mark ("2,5" means 2.5) whatever the user's locale; anything else as it is. A
    // whole-number cell has no decimal mark, so a comma there stays and is refused.
    std::string entered(std::string_view text) const;
    // The text the user typed or pasted (read by `entered`) as this editor would store it ("ylp"
    // becomes "YLP", "reserve" becomes "Reserve", "2,5" becomes "2.5"), or nothing when the editor
    // refuses it. Empty text and the blank " " that marks an empty tally cell are always accepted; a
    // typed or pasted number must be within the limits, 0 included.
    std::optional<std::string> accept(std::string_view text) const;
    // The same for a text of a file, whose number reading, parseNumber(text), is already known: a
    // comma there is never a decimal mark.
    std::optional<std::string> accept(std::string_view text, std::optional<double> number) const;
    // The same verdict without the stored form.
    bool accepts(std::string_view text) const { return check(text, nullptr); }
    // What a cell may hold without being marked as refused: what the editor accepts and, in number
    // cells, a 0 (the "not entered" value the dialog writes into empty tree rows and files keep).
    bool holds(std::string_view text) const;

    // A number in this editor's one stored form: a Float with at least `decimals` digits after the
    // point ("1.00" for a tree number, "2.0" for a height) and more only where the value has them
    // ("2.25"), so that the same value always reads the same; other kinds the shortest form.
    std::string formatNumber(double value) const;

    // A short, user-facing description of the limits ("a number from 6 to 40").
    std::string describe() const;
    // What the user is told when the cell refuses a value, typed, pasted or imported.
    std::string refusal() const;

    bool operator==(const CellEditor&) const = default;

private:
    // formatNumber into `out`, which has room for 400 characters; returns the end.
    char* writeNumber(char* out, double value) const;
    // `number`, when given, is parseNumber(text).
    bool check(std::string_view text, std::string* normalized,
               const std::optional<double>* number = nullptr) const;
};

// Strict number parsing shared by the sheet's reads and the editors: optional blanks around an
// optional sign, digits with an optional point and exponent. Anything else, and anything that
// does not fit a finite double, is not a number.
std::optional<double> parseNumber(std::string_view text);

// Counts the characters of UTF-8 text (bytes that do not continue a sequence).
std::size_t utf8Length(std::string_view text);

} // namespace timbra
