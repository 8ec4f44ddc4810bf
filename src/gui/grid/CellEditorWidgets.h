#pragma once

#include "core/grid/CellEditor.h"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QString>
#include <QValidator>

#include <optional>

// The widgets that edit one cell, built from the cell's core editor. Each one refuses, key by key,
// what the core editor would refuse wherever it can tell; the delegate checks the finished text
// once more with Sheet::accept before it reaches the sheet.

// Text cells: upper-cases letters as typed where the editor says so, and refuses any text the
// editor would refuse (too long, not letters, control characters).
class CellTextValidator : public QValidator {
    Q_OBJECT
public:
    CellTextValidator(timbra::CellEditor editor, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    timbra::CellEditor editor_;
};

// Whole-number cells: 0 ("not entered") or a number within the limits; spinning from 0 goes
// straight to the lowest value and below it back to 0. A comma is no digit group here: it is refused.
class CellSpinBox : public QSpinBox {
    Q_OBJECT
public:
    CellSpinBox(const timbra::CellEditor& editor, QWidget* parent);
    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

private:
    int low_, high_;
};

// Decimal cells, with the same rule for 0; the point is always ".", and a comma typed or pasted
// where the text has no point becomes one (CellEditor::entered).
class CellDoubleSpinBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    CellDoubleSpinBox(const timbra::CellEditor& editor, QWidget* parent);
    QValidator::State validate(QString& input, int& pos) const override;
    void stepBy(int steps) override;

private:
    timbra::CellEditor editor_;
};

// The editor widget for a cell (a combo box, line edit or spin box), its tooltip stating the limits.
QWidget* createCellEditorWidget(const timbra::CellEditor& editor, QWidget* parent);
// Puts a cell's current text into its editor widget.
void setCellEditorText(QWidget* widget, const QString& text);
// The text the editor widget holds, as typed; nothing when a list has no item chosen.
std::optional<QString> cellEditorText(QWidget* widget);
