#include "gui/tract/TractWindow.h"

#include "core/app/ProgramProfile.h"
#include "core/import/ImportWriter.h"
#include "core/tract/TractFile.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/common/WindowPlacement.h"
#include "gui/import/ImportDialog.h"
#include "gui/tract/FrozenColumnTable.h"
#include "gui/tract/TractChart.h"
#include "gui/tract/TractLoader.h"
#include "gui/tract/TractModel.h"
#include "gui/tract/TractWatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
}

QString shownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TractWindow::TractWindow(const timbra::ProgramProfile& profile, QWidget* parent)
    : QMainWindow(parent), profile_(profile), model_(new TractModel(profile, this)),
      sortModel_(new TractSortModel(this)), loader_(new TractLoader(profile, this)),
      watcher_(new TractWatcher(this)) {
    setObjectName("tractWindow");
    setWindowFlag(Qt::Window);
    setAcceptDrops(true);
    sortModel_->setSourceModel(model_);
    sortModel_->setSortRole(TractModel::SortRole);
    setCentralWidget(buildControls());
    buildMenus();
    updateTitle();
    placeOnScreen(this, QSize(1200, 760), parent);

    connect(loader_, &TractLoader::judged, this, &TractWindow::judged);
    connect(loader_, &TractLoader::progress, this, &TractWindow::showProgress);
    connect(watcher_, &TractWatcher::changed, this, [this](const std::string& file) { load({file}); });
    connect(watcher_, &TractWatcher::removed, this, [this](const std::string& file) {
        if (const int row = model_->rowOf(file); row >= 0) model_->setMissing(row);
    });
}

TractWindow::~TractWindow() {
    loader_->cancel();
}

QWidget* TractWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* controls = new QHBoxLayout;
    auto* addFiles = button(tr("Add Files..."), "addFiles", central);
    auto* addFolder = button(tr("Add Folder..."), "addFolder", central);
    subfolders_ = new QCheckBox(tr("Include subfolders"), central);
    subfolders_->setObjectName("subfolders");
    auto* import = button(tr("Import..."), "import", central);
    auto* remove = button(tr("Remove"), "remove", central);
    connect(addFiles, &QPushButton::clicked, this, &TractWindow::OnAddFiles);
    connect(import, &QPushButton::clicked, this, &TractWindow::OnImport);
    connect(addFolder, &QPushButton::clicked, this, &TractWindow::OnAddFolder);
    connect(remove, &QPushButton::clicked, this, &TractWindow::OnRemove);
    objective_ = new QComboBox(central);
    objective_->setObjectName("objective");
    for (int k = 1; k <= profile_.objectiveCount; ++k)
        objective_->addItem(tr("Objective %1").arg(k), k);
    auto* objectiveLabel = new QLabel(tr("&Objective"), central);
    objectiveLabel->setBuddy(objective_);
    connect(objective_, &QComboBox::currentIndexChanged, this,
            [this] { model_->setObjective(objective_->currentData().toInt()); });
    filter_ = new QLineEdit(central);
    filter_->setObjectName("filter");
    filter_->setPlaceholderText(tr("File, stand name or location"));
    filter_->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel(tr("&Filter"), central);
    filterLabel->setBuddy(filter_);
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        sortModel_->setFilterText(text);
        updateTitle();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{addFiles, addFolder, subfolders_, import, remove})
        controls->addWidget(w);
    controls->addSpacing(24);
    controls->addWidget(objectiveLabel);
    controls->addWidget(objective_);
    controls->addSpacing(24);
    controls->addWidget(filterLabel);
    controls->addWidget(filter_, 1);
    layout->addLayout(controls);

    table_ = new FrozenColumnTable(central);
    table_->setObjectName("stands");
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setModel(sortModel_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder); // the order the stands came in, until a heading is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, &TractWindow::OnOpenStand);

    chart_ = new TractChart(*sortModel_, *model_, *table_->selectionModel());
    chartArea_ = new QScrollArea(central);
    chartArea_->setObjectName("chartArea");
    chartArea_->setWidget(chart_);
    chartArea_->setWidgetResizable(true);
    // The table's current stand is brought into view in the chart.
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!current.isValid()) return;
                const QRect line = chart_->lineRect(current.row());
                chartArea_->ensureVisible(line.center().x(), line.center().y(), 0, line.height());
            });

    auto* split = new QSplitter(Qt::Vertical, central);
    split->addWidget(table_);
    split->addWidget(chartArea_);
    split->setSizes({400, 300});
    layout->addWidget(split, 1);

    counts_ = new QLabel(central);
    counts_->setObjectName("counts");
    progress_ = new QProgressBar(central);
    progress_->setObjectName("progress");
    progress_->setFormat(tr("%v of %m files"));
    cancel_ = button(tr("Cancel"), "cancelLoading", central);
    connect(cancel_, &QPushButton::clicked, loader_, &TractLoader::cancel);
    statusBar()->addWidget(counts_, 1);
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(cancel_);
    progress_->hide();
    cancel_->hide();
    return central;
}

void TractWindow::buildMenus() {
    QMenu* menu = menuBar()->addMenu(tr("&Tract"));
    const struct {
        QString text;
        const char* name;
        void (TractWindow::*slot)();
        QKeySequence keys;
        QString prompt;
    } entries[] = {
        {tr("&Open Tract..."), "actionOpenTract", &TractWindow::OnOpenTract, QKeySequence::Open,
         tr("Replace the stands with those a tract file lists")},
        {tr("&Save Tract..."), "actionSaveTract", &TractWindow::OnSaveTract, QKeySequence::Save,
         tr("Keep the list of stands in a tract file")},
        {},
        {tr("Add &Files..."), "actionAddFiles", &TractWindow::OnAddFiles, {}, tr("Add tally files")},
        {tr("Add Fol&der..."),
         "actionAddFolder",
         &TractWindow::OnAddFolder,
         {},
         tr("Add every tally file of a folder")},
        {tr("&Import..."),
         "actionImport",
         &TractWindow::OnImport,
         {},
         tr("Turn a tree list holding many stands into one tally per stand, and add them")},
        {tr("&Remove"), "actionRemove", &TractWindow::OnRemove, QKeySequence::Delete,
         tr("Take the selected stands out of the tract")},
        {},
        {tr("Export CS&V..."),
         "actionExportCsv",
         &TractWindow::OnExportCsv,
         {},
         tr("Write the stands in view, every objective, as comma-separated text")},
        {tr("Export &Workbook..."),
         "actionExportWorkbook",
         &TractWindow::OnExportWorkbook,
         {},
         tr("Write the stands in view as an Excel workbook, one sheet per objective")},
        {tr("Export &PDF Report..."),
         "actionExportPdf",
         &TractWindow::OnExportPdf,
         {},
         tr("Write the table and the chart of the chosen objective as a PDF report")},
        {},
        {tr("&Close"), "actionClose", nullptr, QKeySequence::Close, tr("Close the Stands window")},
    };
    for (const auto& e : entries) {
        if (e.text.isEmpty()) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(e.text);
        action->setObjectName(QLatin1String(e.name));
        action->setStatusTip(e.prompt);
        if (!e.keys.isEmpty()) action->setShortcut(e.keys);
        if (e.slot)
            connect(action, &QAction::triggered, this, e.slot);
        else
            connect(action, &QAction::triggered, this, &QWidget::close);
    }
}

bool TractWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OnOpenStand();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TractWindow::addPaths(const QStringList& paths) {
    std::vector<std::string> files;
    auto add = [&](const QString& path) {
        std::string file = localPath(path);
        if (model_->rowOf(file) >= 0 || loading_.contains(file)) return;
        if (std::find(files.begin(), files.end(), file) == files.end()) files.push_back(std::move(file));
    };
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QStringList found;
            QDirIterator it(path, {QStringLiteral("*.txt"), QStringLiteral("*.TXT")}, QDir::Files,
                            subfolders_->isChecked() ? QDirIterator::Subdirectories
                                                     : QDirIterator::NoIteratorFlags);
            while (it.hasNext())
                found << it.next();
            found.sort();
            for (const QString& f : found)
                add(f);
        } else if (timbra::isTractPath(localPath(path))) {
            const timbra::TractFile tract = timbra::readTractFile(localPath(path));
            if (!tract.ok) message(qs(tract.error));
            for (const std::string& tally : tract.tallies)
                add(shownPath(tally));
        } else {
            add(path);
        }
    }
    load(std::move(files));
}

void TractWindow::load(std::vector<std::string> files) {
    std::erase_if(files, [this](const std::string& f) { return !loading_.insert(f).second; });
    // Columns are fitted to the first stands of an empty table, not again whenever a file changes.
    if (model_->rowCount() == 0 && !files.empty()) fitColumns_ = true;
    loader_->load(std::move(files));
}

void TractWindow::judged(std::vector<timbra::StandVerdict> verdicts) {
    const bool first = model_->rowCount() == 0;
    std::vector<timbra::StandVerdict> added;
    for (timbra::StandVerdict& v : verdicts) {
        loading_.erase(v.file);
        if (const int row = model_->rowOf(v.file); row >= 0) {
            model_->replace(row, std::move(v));
            continue;
        }
        watcher_->watch(v.file);
        added.push_back(std::move(v));
    }
    model_->append(std::move(added));
    if (first && model_->rowCount() > 0 && fitColumns_) table_->resizeColumnsToContents();
    updateTitle();
}

void TractWindow::showProgress(int done, int total) {
    const bool busy = done < total;
    progress_->setVisible(busy);
    cancel_->setVisible(busy);
    progress_->setRange(0, total);
    progress_->setValue(done);
    if (!busy) {
        loading_.clear();
        if (std::exchange(fitColumns_, false)) table_->resizeColumnsToContents();
    }
}

void TractWindow::updateTitle() {
    const QString name =
        tractPath_.isEmpty() ? tr("Stands") : tr("Stands - %1").arg(QFileInfo(tractPath_).fileName());
    setWindowTitle(tr("%1 - %2").arg(name, qs(profile_.programName)));
    const int all = model_->rowCount();
    const int shown = sortModel_->rowCount();
    const QString stands = all == 1 ? tr("1 stand") : tr("%1 stands").arg(all);
    counts_->setText(shown == all ? stands : tr("%1 of %2 shown").arg(shown).arg(stands));
}

void TractWindow::message(const QString& text) {
    Prompter::current().message(this, qs(profile_.appName), text);
}

void TractWindow::OnAddFiles() {
    addPaths(Prompter::current().openFileNames(
        this, tr("Tally files (*.txt);;Tract files (*.tract);;All files (*)")));
}

void TractWindow::OnAddFolder() {
    const QString folder = Prompter::current().folderName(this);
    if (!folder.isEmpty()) addPaths({folder});
}

// A tree list of many stands becomes one tally per stand, written into a folder the user picks and
// added to the tract; nothing is written before the dialog's OK.
void TractWindow::OnImport() {
    std::string local;
    QString failure;
    const auto dialog =
        ImportDialog::askForTreeList(profile_, ImportDialog::Purpose::ManyStands, this, local, failure);
    if (!dialog) {
        if (!failure.isEmpty()) message(failure);
        return;
    }
    const QString folder = Prompter::current().folderName(this);
    if (folder.isEmpty()) return;
    const std::vector<timbra::StandFile> files =
        timbra::writeStands(dialog->result(), QFile::encodeName(folder).toStdString(),
                            QFileInfo(QFile::decodeName(local.c_str())).completeBaseName().toStdString(),
                            [this](const std::string& existing) {
                                return Prompter::current().cautiousQuestion(
                                    this, qs(profile_.appName),
                                    tr("%1 already exists. Replace it with the imported stand?")
                                        .arg(QFile::decodeName(existing.c_str())));
                            });
    QStringList written, notWritten;
    for (const timbra::StandFile& file : files) {
        if (file.written)
            written << QFile::decodeName(file.path.c_str());
        else
            notWritten << qs(file.stand + ": " + file.error);
    }
    addPaths(written);
    if (!notWritten.isEmpty())
        message(
            tr("%1 of the stands were not written:\n%2").arg(notWritten.size()).arg(notWritten.join('\n')));
}

void TractWindow::OnRemove() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        const int row = sortModel_->mapToSource(index).row();
        watcher_->forget(model_->verdict(row).file);
        rows.push_back(row);
    }
    model_->removeRowsOf(std::move(rows));
    updateTitle();
}

bool TractWindow::openTract(const QString& path) {
    const timbra::TractFile tract = timbra::readTractFile(localPath(path));
    if (!tract.ok) {
        message(tr("The tract was not opened. %1").arg(qs(tract.error)));
        return false;
    }
    loader_->cancel();
    loader_->waitForFinished();
    loading_.clear();
    watcher_->clear();
    model_->clear();
    tractPath_ = QFileInfo(path).absoluteFilePath();
    load(tract.tallies);
    updateTitle();
    return true;
}

void TractWindow::OnOpenTract() {
    const QString path =
        Prompter::current().openFileName(this, QStringLiteral("*.tract"), tr("Tract files (*.tract)"));
    if (!path.isEmpty()) openTract(path);
}

void TractWindow::OnSaveTract() {
    const QString preset = tractPath_.isEmpty() ? QStringLiteral("stands.tract") : tractPath_;
    const QString path = Prompter::current().saveFileName(this, preset, tr("Tract files (*.tract)"), "tract");
    if (path.isEmpty()) return;
    const timbra::FileResult saved = timbra::saveTractFile(model_->files(), localPath(path));
    if (!saved.ok) return message(tr("The tract was not saved. %1").arg(qs(saved.error)));
    tractPath_ = QFileInfo(path).absoluteFilePath();
    updateTitle();
}

void TractWindow::OnOpenStand() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || !opener_) return;
    opener_(shownPath(model_->verdict(sortModel_->mapToSource(current).row()).file));
}

void TractWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TractWindow::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    addPaths(paths);
}
