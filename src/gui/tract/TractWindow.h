#pragma once

#include <QMainWindow>

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace timbra {
struct ProgramProfile;
struct StandVerdict;
} // namespace timbra

class FrozenColumnTable;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class TractChart;
class TractLoader;
class TractModel;
class TractSortModel;
class TractWatcher;
struct TractReportContent;

// The Stands window: the stands of a tract side by side under one objective, with a chart of how
// sure each decision is. Tally files are added by the buttons, by dropping files and folders, or
// from a tract file; each is judged by the core as `summary` judges it, on worker threads, and
// watched so that its row follows the file. The window is not modal: the main window and its input
// dialog stay usable, and a stand opens into the input dialog from its row.
class TractWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit TractWindow(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
    ~TractWindow() override;

    // Opens a tally file into the input dialog, as Spreadsheet options > Open does.
    using StandOpener = std::function<void(const QString& path)>;
    void setStandOpener(StandOpener opener) { opener_ = std::move(opener); }

    // Adds tally files, and every tally of the folders among them (their subfolders too when the
    // check box is ticked); files the tract holds already are left out.
    void addPaths(const QStringList& paths);
    // Replaces the stands with those a tract file lists; false, having told why, when it cannot be read.
    bool openTract(const QString& path);
    const QString& tractPath() const { return tractPath_; }

    TractModel* model() const { return model_; }
    TractSortModel* sortModel() const { return sortModel_; }
    FrozenColumnTable* table() const { return table_; }
    TractChart* chart() const { return chart_; }
    TractLoader* loader() const { return loader_; }

public slots:
    void OnAddFiles();
    void OnAddFolder();
    void OnImport();
    void OnRemove();
    void OnOpenTract();
    void OnSaveTract();
    void OnExportCsv();
    void OnExportWorkbook();
    void OnExportPdf();
    void OnOpenStand();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    QWidget* buildControls();
    void load(std::vector<std::string> files);
    void judged(std::vector<timbra::StandVerdict> verdicts);
    void showProgress(int done, int total);
    void updateTitle();
    void message(const QString& text);
    QString exportName(const QString& suffix) const;
    // The stands as the table shows them: sorted and filtered.
    std::vector<timbra::StandVerdict> shownVerdicts() const;
    TractReportContent reportContent() const;

    const timbra::ProgramProfile& profile_;
    StandOpener opener_;
    QString tractPath_;
    TractModel* model_;
    TractSortModel* sortModel_;
    TractLoader* loader_;
    TractWatcher* watcher_;
    std::unordered_set<std::string> loading_; // files being judged, not yet in the table
    bool fitColumns_ = false;                 // the columns fit the first stands once they are in
    FrozenColumnTable* table_ = nullptr;
    TractChart* chart_ = nullptr;
    QScrollArea* chartArea_ = nullptr;
    QComboBox* objective_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QCheckBox* subfolders_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* counts_ = nullptr;
};
