#include "gui/import/ImportDialog.h"

#include "core/import/SourceTable.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/grid/CellLook.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace timbra;

namespace {

constexpr int PreviewRows = FirstTreeRow - 1 + 20; // the stand header, the headings and 20 trees
constexpr int MostValuesShown = 200;               // of one field; a column of measurements is no list
constexpr int AsRead = 0, LeaveEmpty = 1;          // the first items of a value's box

QString label(Field f) {
    return qs(std::string(fieldLabel(f)));
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QComboBox* comboOf(const char* name, const QStringList& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

} // namespace

ImportDialog::ImportDialog(const ProgramProfile& profile, std::string path, SourceTable table,
                           Purpose purpose, QWidget* parent, SavedMappings saved)
    : QDialog(parent), importer_(profile), path_(std::move(path)), table_(std::move(table)),
      purpose_(purpose), saved_(std::move(saved)) {
    setObjectName(QStringLiteral("importDialog"));
    setWindowTitle(tr("Import a tree list"));
    buildControls();
    if (auto m = saved_.forHeader(table_.header)) {
        applyMapping(std::move(*m));
    } else {
        mapping_ = importer_.guessMapping(table_);
        showMapping();
        refresh();
    }
}

const ImportedStand* ImportDialog::chosenStand() const {
    const int i = stand_->currentIndex();
    if (i < 0 || i >= static_cast<int>(result_.stands.size())) return nullptr;
    const ImportedStand& s = result_.stands[static_cast<std::size_t>(i)];
    return s.leftOut ? nullptr : &s;
}

void ImportDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setWordWrap(true);
    layout->addWidget(notice_);

    auto* top = new QHBoxLayout;
    delimiter_ = comboOf("delimiter", {tr("Guess"), tr("Comma"), tr("Semicolon"), tr("Tab")}, this);
    standColumn_ = new QComboBox(this);
    standColumn_->setObjectName(QStringLiteral("standColumn"));
    stand_ = new QComboBox(this);
    stand_->setObjectName(QStringLiteral("stand"));
    const auto labelled = [&](const QString& text, QWidget* w) {
        auto* l = new QLabel(text, this);
        l->setBuddy(w);
        top->addWidget(l);
        top->addWidget(w);
    };
    labelled(tr("&Delimiter:"), delimiter_);
    labelled(tr("S&tand column:"), standColumn_);
    labelled(purpose_ == Purpose::OneStand ? tr("Stand for the &grid:") : tr("&Preview of stand:"), stand_);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(buildMappingControls(), 3);

    auto* previewGroup = new QGroupBox(tr("Preview: the first rows as they will read in the grid"), this);
    auto* previewLayout = new QVBoxLayout(previewGroup);
    preview_ = new QTableWidget(PreviewRows, LastTallyColumn, previewGroup);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    preview_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    previewLayout->addWidget(preview_);
    layout->addWidget(previewGroup, 3);

    auto* auditGroup = new QGroupBox(tr("Audit: every row or value refused, changed or left out"), this);
    auto* auditLayout = new QVBoxLayout(auditGroup);
    audit_ = new QPlainTextEdit(auditGroup);
    audit_->setObjectName(QStringLiteral("audit"));
    audit_->setReadOnly(true);
    audit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auditLayout->addWidget(audit_);
    layout->addWidget(auditGroup, 2);

    auto* mappings = new QHBoxLayout;
    mappingName_ = new QLineEdit(this);
    mappingName_->setObjectName(QStringLiteral("mappingName"));
    savedMappings_ = new QComboBox(this);
    savedMappings_->setObjectName(QStringLiteral("savedMappings"));
    auto* nameLabel = new QLabel(tr("Mapping &name:"), this);
    nameLabel->setBuddy(mappingName_);
    auto* save = button(tr("&Save mapping"), "saveMapping", this);
    auto* savedLabel = new QLabel(tr("Sa&ved:"), this);
    savedLabel->setBuddy(savedMappings_);
    auto* exportButton = button(tr("&Export..."), "exportMapping", this);
    auto* importButton = button(tr("&Import..."), "importMapping", this);
    for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, mappingName_, save, savedLabel,
                                                      savedMappings_, exportButton, importButton})
        mappings->addWidget(w);
    layout->addLayout(mappings);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    layout->addWidget(buttons);
    resize(1060, 740);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (purpose_ == Purpose::OneStand && !chosenStand())
            return message(tr("This stand cannot go into the grid: its rows are left out (see the audit)."));
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(delimiter_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!showing_) readAgain(i == 0 ? 0 : i == 1 ? ',' : i == 2 ? ';' : '\t');
    });
    connect(standColumn_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (showing_) return;
        mapping_.standColumn = i <= 0 ? std::string() : table_.header[static_cast<std::size_t>(i - 1)];
        refresh();
    });
    connect(stand_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) showPreview();
    });
    connect(save, &QPushButton::clicked, this, &ImportDialog::onSave);
    connect(exportButton, &QPushButton::clicked, this, &ImportDialog::onExport);
    connect(importButton, &QPushButton::clicked, this, &ImportDialog::onImportFile);
    connect(savedMappings_, &QComboBox::activated, this, &ImportDialog::onSavedChosen);
}

QWidget* ImportDialog::buildMappingControls() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    auto* columnsGroup = new QGroupBox(tr("Columns: where each value comes from"), box);
    auto* columnsLayout = new QVBoxLayout(columnsGroup);
    fields_ = new QTableWidget(0, 3, columnsGroup);
    fields_->setObjectName(QStringLiteral("fields"));
    fields_->setHorizontalHeaderLabels({tr("Field"), tr("From"), tr("Fixed value")});
    fields_->horizontalHeader()->setStretchLastSection(true);
    fields_->verticalHeader()->hide();
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (Field f : AllFields) {
        if (!importer_.offers(f)) continue;
        const int row = fields_->rowCount();
        fields_->insertRow(row);
        fieldRows_.push_back(f);
        fields_->setItem(row, 0, new QTableWidgetItem(label(f)));
        auto* source = new QComboBox(fields_);
        source->setObjectName(qs("source_" + std::string(fieldKey(f))));
        fields_->setCellWidget(row, 1, source);
        auto* fixed = new QLineEdit(fields_);
        fixed->setObjectName(qs("fixed_" + std::string(fieldKey(f))));
        fields_->setCellWidget(row, 2, fixed);
        connect(source, &QComboBox::currentIndexChanged, this, [this, f] {
            if (!showing_) onSourceChosen(f);
        });
        connect(fixed, &QLineEdit::textEdited, this, [this, f] {
            if (!showing_) onSourceChosen(f);
        });
    }
    fields_->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("Number of Plots")) + 12);
    fields_->setColumnWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("Column SPECIES_CLASS")) + 40);
    columnsLayout->addWidget(fields_);
    auto* units = new QHBoxLayout;
    dbhUnit_ = comboOf("dbhUnit", {tr("inches"), tr("centimetres")}, columnsGroup);
    heightUnit_ = comboOf("heightUnit", {tr("logs"), tr("feet"), tr("metres")}, columnsGroup);
    auto* dbhLabel = new QLabel(tr("D&BH in:"), columnsGroup);
    dbhLabel->setBuddy(dbhUnit_);
    auto* heightLabel = new QLabel(tr("&Height in:"), columnsGroup);
    heightLabel->setBuddy(heightUnit_);
    for (QWidget* w : std::initializer_list<QWidget*>{dbhLabel, dbhUnit_, heightLabel, heightUnit_})
        units->addWidget(w);
    units->addStretch(1);
    columnsLayout->addLayout(units);
    connect(dbhUnit_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (showing_) return;
        mapping_.dbhUnit = i == 1 ? DbhUnit::Centimetres : DbhUnit::Inches;
        refresh();
    });
    connect(heightUnit_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (showing_) return;
        mapping_.heightUnit = i == 1 ? HeightUnit::Feet : i == 2 ? HeightUnit::Metres : HeightUnit::Logs;
        refresh();
    });
    grid->addWidget(columnsGroup, 0, 0);

    auto* valuesGroup = new QGroupBox(tr("Values: the list entry each value read becomes"), box);
    auto* valuesLayout = new QVBoxLayout(valuesGroup);
    values_ = new QTableWidget(0, 3, valuesGroup);
    values_->setObjectName(QStringLiteral("values"));
    values_->setHorizontalHeaderLabels({tr("Field"), tr("Value read"), tr("Becomes")});
    values_->horizontalHeader()->setStretchLastSection(true);
    values_->verticalHeader()->hide();
    values_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    valuesLayout->addWidget(values_);
    grid->addWidget(valuesGroup, 0, 1);
    return box;
}

QComboBox* ImportDialog::sourceBox(Field f) const {
    return findChild<QComboBox*>(qs("source_" + std::string(fieldKey(f))));
}

QComboBox* ImportDialog::valueBox(Field f, const QString& value) const {
    for (std::size_t i = 0; i < valueRows_.size(); ++i)
        if (valueRows_[i].field == f && qs(valueRows_[i].value) == value)
            return qobject_cast<QComboBox*>(values_->cellWidget(static_cast<int>(i), 2));
    return nullptr;
}

void ImportDialog::showMapping() {
    showing_ = true;
    delimiter_->setCurrentIndex(mapping_.delimiter == ','    ? 1
                                : mapping_.delimiter == ';'  ? 2
                                : mapping_.delimiter == '\t' ? 3
                                                             : 0);
    standColumn_->clear();
    standColumn_->addItem(tr("(none: one stand)"));
    for (const std::string& name : table_.header)
        standColumn_->addItem(qs(name));
    standColumn_->setCurrentIndex(table_.columnNamed(mapping_.standColumn) + 1);
    for (std::size_t row = 0; row < fieldRows_.size(); ++row) {
        const Field f = fieldRows_[row];
        const FieldSource& s = mapping_.source(f);
        auto* source = qobject_cast<QComboBox*>(fields_->cellWidget(static_cast<int>(row), 1));
        auto* fixed = qobject_cast<QLineEdit*>(fields_->cellWidget(static_cast<int>(row), 2));
        source->clear();
        source->addItem(tr("Nothing"));
        source->addItem(tr("Fixed value"));
        for (const std::string& name : table_.header)
            source->addItem(tr("Column %1").arg(qs(name)));
        source->setCurrentIndex(s.kind == FieldSource::Kind::Fixed    ? 1
                                : s.kind == FieldSource::Kind::Column ? table_.columnNamed(s.text) + 2
                                                                      : 0);
        fixed->setText(s.kind == FieldSource::Kind::Fixed ? qs(s.text) : QString());
        fixed->setEnabled(s.kind == FieldSource::Kind::Fixed);
    }
    dbhUnit_->setCurrentIndex(mapping_.dbhUnit == DbhUnit::Centimetres ? 1 : 0);
    heightUnit_->setCurrentIndex(mapping_.heightUnit == HeightUnit::Feet     ? 1
                                 : mapping_.heightUnit == HeightUnit::Metres ? 2
                                                                             : 0);
    mappingName_->setText(qs(mapping_.name));
    savedMappings_->clear();
    savedMappings_->addItem(tr("(choose a saved mapping)"));
    for (const ImportMapping& m : saved_.all())
        savedMappings_->addItem(qs(m.name));
    showing_ = false;
    showValues();
}

void ImportDialog::showValues() {
    showing_ = true;
    values_->setRowCount(0);
    valueRows_.clear();
    for (Field f : AllFields) {
        if (!importer_.offers(f) || !importer_.isListField(f)) continue;
        const std::vector<std::string> read = importer_.distinctValues(table_, mapping_, f);
        const auto& map = mapping_.values[f];
        for (std::size_t i = 0; i < read.size() && i < MostValuesShown; ++i) {
            const std::string& value = read[i];
            const int row = values_->rowCount();
            values_->insertRow(row);
            valueRows_.push_back({f, value});
            values_->setItem(row, 0, new QTableWidgetItem(label(f)));
            values_->setItem(row, 1, new QTableWidgetItem(qs(value)));
            auto* becomes = comboOf("becomes", {tr("(as read)"), tr("Leave empty")}, values_);
            for (const std::string& item : importer_.editorOf(f).items)
                becomes->addItem(qs(item));
            if (const auto it = map.find(value); it != map.end())
                becomes->setCurrentIndex(it->second.empty() ? LeaveEmpty : becomes->findText(qs(it->second)));
            values_->setCellWidget(row, 2, becomes);
            connect(becomes, &QComboBox::currentIndexChanged, this, [this, f, value](int chosen) {
                if (showing_) return;
                auto& entries = mapping_.values[f];
                if (chosen == AsRead)
                    entries.erase(value);
                else
                    entries[value] = chosen == LeaveEmpty
                                         ? std::string()
                                         : importer_.editorOf(f).items[static_cast<std::size_t>(chosen - 2)];
                refresh();
            });
        }
    }
    values_->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("Species Class")) + 12);
    values_->setColumnWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("Value read")) + 24);
    showing_ = false;
}

void ImportDialog::onSourceChosen(Field f) {
    const auto row =
        static_cast<int>(std::find(fieldRows_.begin(), fieldRows_.end(), f) - fieldRows_.begin());
    const int i = qobject_cast<QComboBox*>(fields_->cellWidget(row, 1))->currentIndex();
    auto* fixed = qobject_cast<QLineEdit*>(fields_->cellWidget(row, 2));
    fixed->setEnabled(i == 1);
    mapping_.source(f) = i == 1   ? FieldSource::fixed(fixed->text().toStdString())
                         : i >= 2 ? FieldSource::column(table_.header[static_cast<std::size_t>(i - 2)])
                                  : FieldSource{};
    if (importer_.isListField(f)) {
        importer_.guessValues(table_, mapping_);
        showValues();
    }
    refresh();
}

void ImportDialog::refresh() {
    result_ = importer_.run(table_, mapping_);
    const int chosen = std::max(0, stand_->currentIndex());
    showing_ = true;
    stand_->clear();
    for (const ImportedStand& s : result_.stands)
        stand_->addItem(s.key.empty() ? tr("(the whole file)") : qs(s.key));
    stand_->setCurrentIndex(std::min(chosen, stand_->count() - 1));
    showing_ = false;
    showPreview();
    showAudit();
}

void ImportDialog::showPreview() {
    preview_->clearContents();
    const int i = stand_->currentIndex();
    if (i < 0 || i >= static_cast<int>(result_.stands.size())) return;
    const Sheet& tally = result_.stands[static_cast<std::size_t>(i)].tally;
    QStringList headings, rows;
    for (int c = 1; c <= LastTallyColumn; ++c)
        headings << qs(tally.colHeading(c));
    for (int r = 1; r <= PreviewRows; ++r)
        rows << QString::number(r);
    preview_->setHorizontalHeaderLabels(headings);
    preview_->setVerticalHeaderLabels(rows);
    for (int r = 1; r <= PreviewRows; ++r)
        for (int c = 1; c <= LastTallyColumn; ++c) {
            auto* item = new QTableWidgetItem(qs(tally.GetText(c, r)));
            item->setTextAlignment(cellAlignment(tally.editorAt(c, r)));
            if (!tally.holds(c, r, tally.GetText(c, r))) {
                item->setBackground(markedBackground());
                item->setToolTip(refusalText(tally.editorAt(c, r)));
            }
            preview_->setItem(r - 1, c - 1, item);
        }
}

void ImportDialog::showAudit() {
    QStringList lines;
    if (!result_.ok) {
        audit_->setPlainText(qs(result_.error));
        return;
    }
    lines << tr("%1 rows read, %2 separated.").arg(result_.rows).arg(qs(delimiterName(table_.delimiter)));
    if (table_.windows1252Bytes > 0)
        lines << tr("%1 bytes are not UTF-8 and were read as Windows-1252 characters.")
                     .arg(table_.windows1252Bytes);
    lines << tr("Trees read per stand:");
    for (const ImportedStand& s : result_.stands)
        lines << QStringLiteral("  %1: %2 trees of %3 rows%4")
                     .arg(s.key.empty() ? tr("the whole file") : qs(s.key))
                     .arg(s.treesRead)
                     .arg(s.rowsRead)
                     .arg(s.leftOut ? tr(", left out") : QString());
    const auto counts = result_.counts();
    lines << (counts.empty() ? tr("Every row is taken as it reads.") : tr("Counts per reason:"));
    for (const ReasonCount& c : counts)
        lines << QStringLiteral("  ") + qs(describe(c));
    if (!result_.audit.empty()) lines << tr("Every row or value:");
    for (const AuditEntry& e : result_.audit)
        lines << QStringLiteral("  ") + qs(describe(e));
    audit_->setPlainText(lines.join(QLatin1Char('\n')));
}

void ImportDialog::readAgain(char delimiter) {
    SourceRead read = readSourceFile(path_, delimiter ? std::optional<char>(delimiter) : std::nullopt);
    if (!read.ok) return message(qs(read.error));
    table_ = std::move(read.table);
    mapping_ = importer_.guessMapping(table_);
    mapping_.delimiter = delimiter;
    showMapping();
    refresh();
}

void ImportDialog::applyMapping(ImportMapping m) {
    if (m.delimiter && m.delimiter != table_.delimiter) {
        SourceRead read = readSourceFile(path_, m.delimiter);
        if (read.ok) table_ = std::move(read.table);
    }
    // Columns this file does not have are taken from nowhere, and said so.
    QStringList missing;
    for (Field f : AllFields)
        if (m.source(f).kind == FieldSource::Kind::Column && table_.columnNamed(m.source(f).text) < 0) {
            missing << qs(m.source(f).text);
            m.source(f) = {};
        }
    if (!m.standColumn.empty() && table_.columnNamed(m.standColumn) < 0) {
        missing << qs(m.standColumn);
        m.standColumn.clear();
    }
    mapping_ = std::move(m);
    importer_.guessValues(table_, mapping_);
    notice_->setText(
        tr("Read by the mapping \"%1\".").arg(qs(mapping_.name)) +
        (missing.isEmpty()
             ? QString()
             : tr(" This file has no column %1; those fields take nothing.").arg(missing.join(tr(", ")))));
    showMapping();
    refresh();
}

void ImportDialog::onSave() {
    const std::string name = mappingName_->text().trimmed().toStdString();
    if (name.empty()) return message(tr("Type a name for the mapping first."));
    mapping_.name = name;
    mapping_.header = table_.header;
    if (const FileResult r = saved_.save(mapping_); !r.ok)
        return message(tr("The mapping was not saved. %1").arg(qs(r.error)));
    showing_ = true;
    savedMappings_->clear();
    savedMappings_->addItem(tr("(choose a saved mapping)"));
    for (const ImportMapping& m : saved_.all())
        savedMappings_->addItem(qs(m.name));
    showing_ = false;
    notice_->setText(tr("Saved as \"%1\": offered again for a file with this header.").arg(qs(name)));
}

void ImportDialog::onExport() {
    const QString path = Prompter::current().saveFileName(
        this, QStringLiteral("*.json"), tr("Import mappings (*.json)"), QStringLiteral("json"));
    if (path.isEmpty()) return;
    mapping_.name = mappingName_->text().trimmed().toStdString();
    mapping_.header = table_.header;
    const FileResult r = writeFileAtomically(QFile::encodeName(path).toStdString(), mappingToJson(mapping_));
    if (!r.ok) message(tr("The mapping was not exported. %1").arg(qs(r.error)));
}

void ImportDialog::onImportFile() {
    const QString path =
        Prompter::current().openFileName(this, QStringLiteral("*.json"), tr("Import mappings (*.json)"));
    if (path.isEmpty()) return;
    std::string why;
    auto m = readMappingFile(QFile::encodeName(path).toStdString(), why);
    if (!m) return message(tr("The mapping was not read: %1.").arg(qs(why)));
    applyMapping(std::move(*m));
}

void ImportDialog::onSavedChosen(int index) {
    if (showing_ || index <= 0) return;
    std::vector<ImportMapping> all = saved_.all();
    if (index - 1 < static_cast<int>(all.size()))
        applyMapping(std::move(all[static_cast<std::size_t>(index - 1)]));
}

void ImportDialog::message(const QString& text) {
    Prompter::current().message(this, qs(importer_.profile().appName), text);
}

std::unique_ptr<ImportDialog> ImportDialog::askForTreeList(const timbra::ProgramProfile& profile,
                                                           Purpose purpose, QWidget* parent,
                                                           std::string& path, QString& failure) {
    const QString name = Prompter::current().openFileName(
        parent, QStringLiteral("*.csv"), tr("Tree lists (*.csv *.txt *.tsv);;All files (*)"));
    if (name.isEmpty()) return nullptr;
    path = QFile::encodeName(name).toStdString();
    timbra::SourceRead read = timbra::readSourceFile(path);
    if (!read.ok) {
        failure = tr("The tree list was not imported. %1").arg(QString::fromStdString(read.error));
        return nullptr;
    }
    auto dialog = std::make_unique<ImportDialog>(profile, path, std::move(read.table), purpose, parent);
    if (dialog->exec() != QDialog::Accepted) return nullptr;
    return dialog;
}
