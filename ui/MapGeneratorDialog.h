#pragma once
// The dialog of ファイル → 自動生成…: every parameter of the map generator with its range, a preview of the map
// as it will come out in the chosen tile set, its balance and nearest-enemy distances, and 別の種. The map is
// generated on a worker thread whenever a parameter changes; a change while one runs stops that one, so the
// dialog never waits for a map nobody wants any more.

#include "MapGenerator.h"
#include "TileBitmaps.h"

#include <QDialog>
#include <QFuture>
#include <QFutureWatcher>
#include <QImage>
#include <QThreadPool>
#include <QTimer>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tav {

class PictureArea;

class MapGeneratorDialog : public QDialog {
    Q_OBJECT
public:
    // The fields start at `start`; the tile pictures come from below `pictureRoot`.
    MapGeneratorDialog(const GeneratorParameters& start, const QString& pictureRoot, QWidget* parent);
    ~MapGeneratorDialog() override;

    // The parameters the fields last held in full (a seed being typed over counts from when it is whole).
    const GeneratorParameters& Parameters() const { return parameters_; }
    // The map of Parameters(), once generated; nothing while it is generated or when no sub-seed met the
    // figures.
    const std::optional<GeneratedMap>& Map() const { return map_; }

    // A seed drawn from the system's random source.
    static std::uint64_t RandomSeed();
    // Asked when OK has a map: false keeps the dialog open (the question about the map in the editor).
    void SetMayTakeMap(std::function<bool()> mayTakeMap) { mayTakeMap_ = std::move(mayTakeMap); }

public slots:
    // Waits for the map of the fields as they are, and closes only when there is one.
    void accept() override;

private:
    void LoadPictures();
    void ReadFields();
    void Generate();
    void TakeResult();
    void ShowMap();
    void ShowFailure(const QString& text);
    void ShowProblem(const QString& text);

    GeneratorParameters parameters_;
    std::optional<GeneratedMap> map_;
    bool seedValid_ = true;
    std::function<bool()> mayTakeMap_;

    // The generation under way: its stop flag and its result to come. One worker, so a stopped generation
    // is out of the way before the next begins.
    QThreadPool worker_;
    std::shared_ptr<std::atomic<bool>> stop_;
    QFuture<GenerationResult> running_;
    QFutureWatcher<GenerationResult> watcher_;
    bool waiting_ = false; // running_ is the map of the fields and has not been taken yet
    QTimer busyNote_;      // says 生成中… when a generation takes a while

    TileBitmaps bitmaps_;
    QImage preview_;

    QLineEdit* seed_ = nullptr;
    QComboBox* symmetry_ = nullptr;
    std::array<QSpinBox*, 7> counts_{}; // land .. fields, in the order of GeneratorRanges
    QComboBox* tileSet_ = nullptr;
    PictureArea* previewArea_ = nullptr;
    QLabel* figures_ = nullptr;
    QLabel* problem_ = nullptr;
    QPushButton* anotherSeed_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace tav
