#include "MapGeneratorDialog.h"

#include "PictureArea.h"
#include "SymmetryControls.h"
#include "TerritoryTint.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace tav {

namespace {


// The whole-number fields, in the order of GeneratorRanges (the tile set, last there, has a list of its own).
// Captions carry their access keys.
struct CountField {
    const char* Caption;
    const char* Range; // %1 the minimum, %2 the maximum
    bool Percent;
};
constexpr CountField CountFields[] = {
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "陸(&L)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2 %（全マスに対して）"),
     true},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "山(&M)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2 %（陸に対して）"),
     true},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "森(&F)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2 %（陸に対して）"),
     true},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "台地(&P)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2 %（陸に対して）"),
     true},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "内陸の水(&W)"),
     QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2 %（陸に対して）"), true},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "家(&H)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2（勢力ごと）"), false},
    {QT_TRANSLATE_NOOP("MapGeneratorDialog", "畑(&R)"), QT_TRANSLATE_NOOP("MapGeneratorDialog", "%1 – %2（勢力ごと）"), false},
};
constexpr std::size_t TileSetRange = std::size(CountFields); // the tile set's place in GeneratorRanges
static_assert(TileSetRange + 1 == GeneratorRanges.size());

// In the order of GeneratorFigure: what a map failed when no sub-seed met the figures.
constexpr const char* FigureCaptions[] = {
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "マップチェック"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "整形済み"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "城どうしの行き来"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "自領内の家と畑"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "バランス"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "敵の城までの距離"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "対称"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "陸の割合"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "山の割合"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "森の割合"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "台地の割合"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "内陸の水の割合"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "家の数"),
    QT_TRANSLATE_NOOP("MapGeneratorDialog", "畑の数"),
};
static_assert(std::size(FigureCaptions) == GeneratorFigureCount);

// The smallest scale the edit window shows: each tile still reads as what it is.
constexpr TileEdge PreviewEdge = TileEdge::Px8;
constexpr int PreviewSide = MapSize * Pixels(PreviewEdge);
// 生成中… shows only when a generation takes longer than this; most are done before, and the old figures stay.
constexpr int BusyNoteDelay = 150; // ms

QString Text(const char* text) {
    return QCoreApplication::translate("MapGeneratorDialog", text);
}

// Three decimals, as the faction analysis and the command-line tool print ratios.
QString Ratio(int numerator, int denominator) {
    if (denominator <= 0)
        return QStringLiteral("—");
    const long long thousandths = (2000LL * numerator + denominator) / (2LL * denominator);
    return QStringLiteral("%1.%2").arg(thousandths / 1000).arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A whole-number field that keeps any number typed into it, so that one outside its range is told beside the
// preview and can be corrected, as the seed is, instead of being cut short while typed or replaced on leaving
// the field. Its arrows step inside the range.
class RangeSpinBox : public QSpinBox {
public:
    RangeSpinBox(int lowest, int highest, QWidget* parent) : QSpinBox(parent), lowest_(lowest), highest_(highest) {
        setRange(0, 999);
    }
    bool InRange() const { return value() >= lowest_ && value() <= highest_; }
    void stepBy(int steps) override { setValue(std::clamp(value() + steps, lowest_, highest_)); }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() > lowest_)
            enabled |= StepDownEnabled;
        if (value() < highest_)
            enabled |= StepUpEnabled;
        return enabled;
    }

private:
    int lowest_;
    int highest_;
};

// A caption without its access key, to name the field in a sentence.
QString PlainCaption(const char* caption) {
    return Text(caption).remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
}

} // namespace

std::uint64_t MapGeneratorDialog::RandomSeed() {
    return QRandomGenerator::system()->generate64();
}

MapGeneratorDialog::MapGeneratorDialog(const GeneratorParameters& start, const QString& pictureRoot,
                                       QWidget* parent)
    : QDialog(parent), parameters_(start), preview_(PreviewSide, PreviewSide, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("mapGeneratorDialog"));
    setWindowTitle(tr("自動生成"));
    worker_.setMaxThreadCount(1);
    bitmaps_.SetPictureRoot(pictureRoot);
    preview_.fill(Qt::darkGray);

    auto* fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, QWidget* beside) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        if (beside)
            fields->addWidget(beside, row, 2);
        ++row;
    };
    auto rangeNote = [this](const QString& text) {
        auto* note = new QLabel(text, this);
        note->setForegroundRole(QPalette::PlaceholderText);
        return note;
    };

    seed_ = Named(new QLineEdit(this), "seed");
    // Twenty digits at most; whether they stay below 2^64 is told beside the preview.
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,20}")), seed_));
    seed_->setText(QString::number(start.Seed));
    seed_->setMinimumWidth(seed_->fontMetrics().horizontalAdvance(QStringLiteral("18446744073709551615 ")) + 24);
    anotherSeed_ = Named(new QPushButton(tr("別の種"), this), "anotherSeedButton");
    anotherSeed_->setAutoDefault(false);
    addRow(tr("種(&S)"), seed_, anotherSeed_);

    symmetry_ = Named(new QComboBox(this), "symmetry");
    for (const SymmetryMode mode : AllSymmetryModes)
        symmetry_->addItem(SymmetryModeText(mode));
    symmetry_->setCurrentIndex(static_cast<int>(start.Symmetry));
    addRow(tr("対称(&Y)"), symmetry_, nullptr);

    for (std::size_t i = 0; i < counts_.size(); ++i) {
        const GeneratorRange& range = GeneratorRanges[i];
        const CountField& info = CountFields[i];
        auto* box = new RangeSpinBox(range.Min, range.Max, this);
        box->setObjectName(QString::fromLatin1(range.Name.data(), static_cast<qsizetype>(range.Name.size())));
        box->setValue(start.*range.Field);
        if (info.Percent)
            box->setSuffix(QStringLiteral(" %"));
        counts_[i] = box;
        addRow(Text(info.Caption), box, rangeNote(Text(info.Range).arg(range.Min).arg(range.Max)));
    }

    tileSet_ = Named(new QComboBox(this), "tileSet");
    for (const TileSetInfo& info : TileSets)
        tileSet_->addItem(TileSetText(info.Name));
    tileSet_->setCurrentIndex(std::clamp(start.TileSet, 1, TileSetCount) - 1);
    addRow(tr("タイルセット(&T)"), tileSet_, nullptr);
    fields->setRowStretch(row, 1);

    previewArea_ = Named(new PictureArea(&preview_, this), "generatorPreview");
    previewArea_->setFixedSize(preview_.size());
    figures_ = Named(new QLabel(this), "generatorFigures");
    figures_->setTextFormat(Qt::RichText);
    problem_ = Named(new QLabel(this), "generatorProblem");
    problem_->setWordWrap(true);
    problem_->setFixedWidth(PreviewSide);
    figures_->setFixedWidth(PreviewSide);
    // Room for the longest texts from the start, so that the dialog keeps its size whatever they say.
    figures_->setMinimumHeight(3 * figures_->fontMetrics().lineSpacing());
    problem_->setMinimumHeight(figures_->minimumHeight());
    problem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    problem_->hide(); // one of the two stands under the preview: the map's figures, or what came in their way
    auto* pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(previewArea_, 0, Qt::AlignHCenter);
    pictureColumn->addWidget(figures_);
    pictureColumn->addWidget(problem_);
    pictureColumn->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addSpacing(12);
    columns->addLayout(pictureColumn);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &MapGeneratorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(rangeNote(tr("種と条件が同じなら、いつも同じマップができます。")));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    busyNote_.setSingleShot(true);
    busyNote_.setInterval(BusyNoteDelay);
    connect(&busyNote_, &QTimer::timeout, this, [this] { ShowProblem(tr("生成中…")); });
    connect(&watcher_, &QFutureWatcher<GenerationResult>::finished, this, &MapGeneratorDialog::TakeResult);
    connect(anotherSeed_, &QPushButton::clicked, this, [this] { seed_->setText(QString::number(RandomSeed())); });
    connect(seed_, &QLineEdit::textChanged, this, &MapGeneratorDialog::Generate);
    connect(symmetry_, &QComboBox::currentIndexChanged, this, &MapGeneratorDialog::Generate);
    for (QSpinBox* box : counts_)
        connect(box, &QSpinBox::valueChanged, this, &MapGeneratorDialog::Generate);
    // The map is the same in every tile set: a change of set only draws it anew.
    connect(tileSet_, &QComboBox::currentIndexChanged, this, [this](int index) {
        parameters_.TileSet = index + 1;
        LoadPictures();
        ShowMap();
    });

    LoadPictures();
    Generate();
}

MapGeneratorDialog::~MapGeneratorDialog() {
    if (stop_)
        stop_->store(true);
    worker_.clear();
    worker_.waitForDone();
}

void MapGeneratorDialog::LoadPictures() {
    try {
        bitmaps_.LoadTileSetBitmaps(*TileSetNumbered(parameters_.TileSet));
    } catch (const TileLoadError&) {
        // The preview then shows the map's codes as markers; the editor reports a missing picture itself.
        bitmaps_.FreeTileSetBitmaps();
    }
}

void MapGeneratorDialog::ReadFields() {
    bool whole = false;
    const std::uint64_t seed = seed_->text().toULongLong(&whole);
    seedValid_ = whole;
    if (whole)
        parameters_.Seed = seed;
    parameters_.Symmetry = AllSymmetryModes[static_cast<std::size_t>(std::max(0, symmetry_->currentIndex()))];
    for (std::size_t i = 0; i < counts_.size(); ++i)
        parameters_.*GeneratorRanges[i].Field = counts_[i]->value();
    parameters_.TileSet = tileSet_->currentIndex() + 1;
}

void MapGeneratorDialog::Generate() {
    ReadFields();
    // The generation under way is for fields that are gone.
    if (stop_)
        stop_->store(true);
    worker_.clear();
    waiting_ = false;
    map_.reset();
    if (!seedValid_) {
        ShowFailure(tr("種は 0 から 18446744073709551615 までの整数です。"));
        return;
    }
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        if (static_cast<const RangeSpinBox*>(counts_[i])->InRange())
            continue;
        const GeneratorRange& range = GeneratorRanges[i];
        ShowFailure(tr("%1は %2 から %3 までです。").arg(PlainCaption(CountFields[i].Caption)).arg(range.Min).arg(range.Max));
        return;
    }
    auto stop = std::make_shared<std::atomic<bool>>(false);
    auto promise = std::make_shared<QPromise<GenerationResult>>();
    running_ = promise->future();
    promise->start();
    worker_.start([promise, stop, parameters = parameters_] {
        try {
            promise->addResult(GenerateMap(parameters, stop.get()));
        } catch (...) {
            promise->setException(std::current_exception());
        }
        promise->finish();
    });
    stop_ = std::move(stop);
    waiting_ = true;
    watcher_.setFuture(running_);
    busyNote_.start();
    okButton_->setEnabled(true); // OK waits for the map
}

void MapGeneratorDialog::TakeResult() {
    if (!waiting_ || !running_.isFinished())
        return;
    waiting_ = false;
    busyNote_.stop();
    GenerationResult result = running_.result();
    if (!result.Map) {
        const auto figure = static_cast<std::size_t>(result.Failed);
        ShowFailure(tr("%1 通りの試しのどれも「%2」を満たしませんでした。別の種を試してください。")
                        .arg(GeneratorAttempts)
                        .arg(Text(FigureCaptions[figure])));
        return;
    }
    map_ = std::move(result.Map);
    problem_->hide();
    figures_->show();
    anotherSeed_->setDefault(false);
    okButton_->setEnabled(true);
    ShowMap();
}

void MapGeneratorDialog::ShowMap() {
    if (!map_) {
        previewArea_->update();
        return;
    }
    preview_ = RenderMap(map_->Grid, bitmaps_.IsLoaded() ? bitmaps_.Picture(PreviewEdge) : QImage(),
                         Pixels(PreviewEdge));
    previewArea_->update();

    const TileSet tileSet = *TileSetNumbered(parameters_.TileSet);
    int smallest = MapCells;
    int largest = 0;
    for (const FactionFigures& faction : map_->Analysis.Factions) {
        smallest = std::min(smallest, faction.Territory);
        largest = std::max(largest, faction.Territory);
    }
    const std::array<int, FactionCount> nearest = NearestEnemyDistances(map_->Analysis);
    QStringList steps;
    for (int f = 0; f < FactionCount; ++f) {
        // A faction as pale as the dialog shows as an outline.
        const QColor colour(FactionColour(tileSet, f));
        const bool pale = colour.lightness() > 200;
        steps << QStringLiteral("<span style=\"color:%1\">%2</span>%3")
                     .arg(pale ? QStringLiteral("#404040") : colour.name(), pale ? QStringLiteral("□") : QStringLiteral("■"))
                     .arg(nearest[static_cast<std::size_t>(f)]);
    }
    const auto [shortest, longest] = std::minmax_element(nearest.begin(), nearest.end());
    figures_->setText(tr("バランス（最大÷最小の領土）：%1").arg(Ratio(largest, smallest)) + QStringLiteral("<br>") +
                      tr("最も近い敵の城までの歩数：%1").arg(steps.join(QStringLiteral("&nbsp;&nbsp;"))) +
                      QStringLiteral("<br>") + tr("歩数の最大÷最小：%1").arg(Ratio(*longest, *shortest)));
}

void MapGeneratorDialog::ShowFailure(const QString& text) {
    busyNote_.stop();
    preview_.fill(Qt::darkGray);
    previewArea_->update();
    ShowProblem(text);
    okButton_->setEnabled(false);
    // Enter now asks for another seed.
    anotherSeed_->setDefault(true);
}

void MapGeneratorDialog::ShowProblem(const QString& text) {
    problem_->setText(text);
    figures_->hide();
    problem_->show();
}

void MapGeneratorDialog::accept() {
    if (waiting_) {
        watcher_.waitForFinished();
        TakeResult();
    }
    // A No to the question before the map is taken leaves the dialog open with its fields.
    if (map_ && (!mayTakeMap_ || mayTakeMap_()))
        QDialog::accept();
}

} // namespace tav
