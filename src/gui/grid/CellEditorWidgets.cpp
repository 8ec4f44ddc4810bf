#include "gui/grid/CellEditorWidgets.h"

#include "gui/grid/CellLook.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <climits>
#include <cmath>

using timbra::CellEditor;

namespace {

int toInt(double v) {
    return static_cast<int>(std::clamp(std::round(v), double(INT_MIN), double(INT_MAX)));
}

// True when digits typed after the whole number v could still bring it into [low, high], so the
// keys typed so far are worth keeping ("1" on the way to "12" in a cell taking 6 to 40).
bool couldGrowInto(long long v, long long low, long long high) {
    if (v < 0) return couldGrowInto(-v, -high, -low);
    if (v == 0) return false;
    for (long long first = v * 10, last = v * 10 + 9; first <= high; first = first * 10, last = last * 10 + 9)
        if (last >= low) return true;
    return false;
}

// Numbers read and written with "." whatever the user's locale, and no digit groups: "1,000" is no
// thousand.
QLocale numberLocale() {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return c;
}

} // namespace

CellTextValidator::CellTextValidator(CellEditor editor, QObject* parent)
    : QValidator(parent), editor_(std::move(editor)) {}

QValidator::State CellTextValidator::validate(QString& input, int& /*pos*/) const {
    if (editor_.upperCase)
        for (QChar& ch : input)
            if (ch >= u'a' && ch <= u'z') ch = ch.toUpper();
    return editor_.accept(input.toStdString()) ? Acceptable : Invalid;
}

CellSpinBox::CellSpinBox(const CellEditor& editor, QWidget* parent)
    : QSpinBox(parent), low_(toInt(editor.min)), high_(toInt(editor.max)) {
    setLocale(numberLocale());
    setRange(std::min(low_, 0), std::max(high_, 0));
    setSingleStep(std::max(toInt(editor.step), 1));
}

QValidator::State CellSpinBox::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Acceptable) return state;
    // A typed 0 is a value like any other: it must fit the limits.
    const int v = valueFromText(input);
    if (v >= low_ && v <= high_) return QValidator::Acceptable;
    return couldGrowInto(v, low_, high_) ? QValidator::Intermediate : QValidator::Invalid;
}

void CellSpinBox::stepBy(int steps) {
    // Spinning starts at the lowest value from "not entered" (empty or 0) and goes back to empty below it.
    const bool notEntered = text().trimmed().isEmpty() || value() == 0;
    long long next = static_cast<long long>(value()) + static_cast<long long>(steps) * singleStep();
    if (notEntered && steps > 0 && low_ > 0)
        next = low_ + static_cast<long long>(steps - 1) * singleStep();
    else if (low_ > 0 && next < low_)
        return clear();
    setValue(static_cast<int>(std::clamp<long long>(next, minimum(), maximum())));
    selectAll();
}

CellDoubleSpinBox::CellDoubleSpinBox(const CellEditor& editor, QWidget* parent)
    : QDoubleSpinBox(parent), editor_(editor) {
    setLocale(numberLocale());
    setDecimals(editor.decimals);
    setRange(std::min(editor.min, 0.0), std::max(editor.max, 0.0));
    setSingleStep(editor.step > 0 ? editor.step : 1.0);
}

QValidator::State CellDoubleSpinBox::validate(QString& input, int& pos) const {
    input = QString::fromStdString(editor_.entered(input.toStdString()));
    const QValidator::State state = QDoubleSpinBox::validate(input, pos);
    if (state != QValidator::Acceptable) return state;
    const double v = valueFromText(input);
    return v >= editor_.min && v <= editor_.max ? QValidator::Acceptable : QValidator::Intermediate;
}

void CellDoubleSpinBox::stepBy(int steps) {
    const double low = editor_.min;
    const bool notEntered = text().trimmed().isEmpty() || value() == 0;
    double next = value() + steps * singleStep();
    if (notEntered && steps > 0 && low > 0)
        next = low + (steps - 1) * singleStep();
    else if (low > 0 && next < low)
        return clear();
    setValue(std::clamp(next, minimum(), maximum()));
    selectAll();
}

QWidget* createCellEditorWidget(const CellEditor& editor, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (editor.kind) {
    case CellEditor::Kind::List: {
        auto* combo = new QComboBox(parent);
        for (const auto& item : editor.items)
            combo->addItem(QString::fromStdString(item));
        widget = combo;
        break;
    }
    case CellEditor::Kind::Text: {
        auto* line = new QLineEdit(parent);
        line->setMaxLength(editor.maxLength);
        line->setValidator(new CellTextValidator(editor, line));
        widget = line;
        break;
    }
    case CellEditor::Kind::Integer:
        widget = new CellSpinBox(editor, parent);
        break;
    case CellEditor::Kind::Float:
        widget = new CellDoubleSpinBox(editor, parent);
        break;
    }
    widget->setObjectName(QStringLiteral("cellEditor"));
    widget->setToolTip(limitsText(editor));
    return widget;
}

void setCellEditorText(QWidget* widget, const QString& text) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(text);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        // A cell that holds no number opens empty rather than showing a 0 it does not hold.
        bool number = false;
        const double v = QLocale::c().toDouble(text.trimmed(), &number);
        if (!number)
            spin->clear();
        else if (auto* whole = qobject_cast<QSpinBox*>(spin))
            whole->setValue(toInt(v));
        else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(spin))
            decimal->setValue(v);
    }
}

std::optional<QString> cellEditorText(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->currentIndex() < 0) return std::nullopt;
        return combo->currentText();
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        // Text that is not yet a value in range goes on as typed, for the sheet to refuse.
        if (!spin->hasAcceptableInput()) return spin->text().trimmed();
        spin->interpretText();
        if (auto* whole = qobject_cast<QSpinBox*>(spin)) return QString::number(whole->value());
        if (auto* decimal = qobject_cast<QDoubleSpinBox*>(spin))
            return QString::number(decimal->value(), 'f', decimal->decimals());
    }
    return std::nullopt;
}
