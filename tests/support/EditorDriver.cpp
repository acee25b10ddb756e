#include "EditorDriver.h"

#include "CellGrid.h"
#include "TileRender.h"
#include "TileSets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

// ==== Backend =========================================================================================
// The only code of the tests that knows the editor's classes, its window pointers and its fields. When
// the editor's insides change, these functions change with them and nothing else does.

#include "BlockClipboard.h"
#include "Document.h"
#include "ApplicationSetup.h"
#include "EditorSession.h"
#include "MainWindow.h"
#include "MapEditView.h"
#include "MenusAndToolBar.h"
#include "PreviewView.h"
#include "TilePalette.h"
#include "BlinkColours.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace tav::testing {
namespace backend {
namespace {

std::unique_ptr<tav::MainWindow>& Window() {
    static std::unique_ptr<tav::MainWindow> window;
    return window;
}

QMainWindow* MainWindow() { return Window().get(); }
// With a session as main makes it, but with its recovery copies in `recoveryFolder`.
void StartEditor(bool session, const QString& recoveryFolder) {
    Window() = std::make_unique<tav::MainWindow>();
    if (session)
        new EditorSession(Window().get(), {recoveryFolder, 0});
}
// What the program does once the window is shown: offers the recovery copies.
void StartSession() {
    if (auto* session = Window()->findChild<EditorSession*>())
        session->Start(std::nullopt);
}
void StopEditor() { Window().reset(); }
// Runs the event loop until the shown window has been painted and the windows it makes right after its
// first painting are there, as they are moments after the program starts.
void WaitUntilStarted() {
    if (!QTest::qWaitFor([] { return Window()->findChild<PreviewView*>() != nullptr; }, 10000))
        throw std::runtime_error("the editor never made its minimised windows after showing");
}
tav::Document& Map() { return *Window()->Map(); }
MapEditView& EditView() { return *Window()->findChild<MapEditView*>(); }
QImage EditMapPicture() {
    // A copy of its own: the window's picture lies in a buffer the window reuses.
    return Window()->findChild<PictureArea*>(QStringLiteral("mapPicture"))->Picture().copy();
}
QPoint MapScrollOffset() {
    return Window()->findChild<PictureArea*>(QStringLiteral("mapPicture"))->Offset();
}
std::vector<std::pair<QString, QRect>> ToolBarPlan() {
    std::vector<std::pair<QString, QRect>> plan;
    for (const PlacedButton& button : MenusAndToolBar::ToolBarPlan())
        plan.emplace_back(button.Name, button.Place);
    return plan;
}

int RunTests(int argc, char** argv) {
    EditorApplication app(argc, argv);
    // Settings and data of the tests never mix with the user's own.
    QStandardPaths::setTestModeEnabled(true);
    InitApplication();
    return RUN_ALL_TESTS();
}

} // namespace
} // namespace backend

MapGrid EditorDriver::Grid() const { return backend::Map().Grid(); }
int EditorDriver::TileSet() const { return TileSetNumber(backend::Map().TileSet()); }
bool EditorDriver::Modified() const { return backend::Map().IsModified(); }
QString EditorDriver::FileName() const { return backend::Map().ShownName(); }
int EditorDriver::EditEdge() const { return Pixels(backend::EditView().Edge()); }
std::span<const QRgb> EditorDriver::BlinkColours() { return tav::BlinkColours; }

void EditorDriver::LoadMap(const MapGrid& grid, int tileSet) {
    backend::Map().Reset(grid, TileSetNumbered(tileSet).value_or(backend::Map().TileSet()), QString(), QString());
}

std::optional<QRect> EditorDriver::Selection() const {
    const std::optional<CellRect>& selection = backend::EditView().Selection();
    if (!selection)
        return std::nullopt;
    return QRect(QPoint(selection->Left, selection->Top), QPoint(selection->Right, selection->Bottom));
}

bool EditorDriver::Pasting() const { return backend::EditView().IsPasting(); }

void EditorDriver::SetSymmetryMode(const char* cliName) {
    // The 対称描画 menu's radio items, by the modes' command-line names.
    static const std::map<std::string_view, const char*> items = {
        {"none", "symmetryNoneAction"}, {"lr", "symmetryLeftRightAction"}, {"tb", "symmetryTopBottomAction"},
        {"quad", "symmetryQuadAction"}, {"half", "symmetryHalfAction"},    {"quarter", "symmetryQuarterAction"}};
    const auto item = items.find(cliName);
    if (item == items.end())
        throw std::runtime_error(std::string("no symmetry mode is called ") + cliName);
    Trigger(QString::fromLatin1(item->second));
}

void EditorDriver::PutBlockBytesOnClipboard(const QByteArray& bytes) {
    auto* data = new QMimeData;
    data->setData(tav::BlockMimeType, bytes);
    QApplication::clipboard()->setMimeData(data);
}

QStringList EditorDriver::FileDialogRow(const QString& folder, const QString& fileName) {
    QStringList row;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // The detail view lists what the model gathers on a worker thread; the row counts once it is typed and dated.
        const auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        const QAbstractItemModel* shown = view ? view->model() : nullptr;
        for (int r = 0; shown && r < shown->rowCount(view->rootIndex()); ++r) {
            const QModelIndex name = shown->index(r, 0, view->rootIndex());
            if (name.data().toString() != fileName)
                continue;
            QStringList texts;
            for (int column = 0; column < shown->columnCount(view->rootIndex()); ++column)
                texts << name.siblingAtColumn(column).data().toString();
            if (texts.size() >= 4 && !texts[2].isEmpty() && !texts[3].isEmpty())
                row = texts;
        }
        if (!row.isEmpty() || clock.elapsed() > 10000)
            dialog->reject();
    });
    poll.start(20);
    FileDialogSettings settings;
    settings.Folder = folder;
    Platform().OpenFileName(nullptr, settings);
    return row;
}

void EditorDriver::ElapseRecoveryTime(int milliseconds) {
    if (auto* timer = backend::Window()->findChild<BlinkTimer*>(QStringLiteral("recoveryTimer")))
        timer->Elapse(milliseconds);
    else
        throw std::runtime_error("the editor has no recovery timer (a driver without a session?)");
}

void EditorDriver::Blink(int ticks) {
    for (int i = 0; i < ticks; ++i) {
        backend::EditView().BlinkTick();
        backend::Window()->findChild<TilePalette*>()->BlinkTick();
    }
}

} // namespace tav::testing

// ==== End of the backend ==============================================================================

namespace tav::testing {
namespace {

// Roles the tests name, and the objectName of the widget that plays each.
constexpr std::pair<const char*, const char*> WidgetNames[] = {
    {"edit window", "mapEditView"},            {"map picture", "mapPicture"},
    {"palette", "tilePalette"},                {"palette picture", "palettePicture"},
    {"preview", "previewView"},                {"preview picture", "previewPicture"},
    {"check window", "mapCheckView"},          {"check list", "checkList"},
    {"about box", "aboutDialog"},              {"about panel", "aboutPanel"},
    {"about picture", "aboutPicture"},         {"about OK", "aboutOkButton"},
    {"frame", "mdiArea"},                      {"tool bar", "toolBar"},
    {"status bar", "statusBar"},               {"status", "toolStatusPanel"},
    {"shortcut-only menu", "shortcutOnlyMenu"}, {"cell code", "cellCodePanel"},
    {"picked code", "pickedCodePanel"},        {"status message", "messagePanel"},
    {"status notice", "noticePanel"},          {"symmetry", "symmetryPanel"},
    {"balance", "balancePanel"},
    {"faction window", "factionAnalysisView"}, {"faction table", "factionTable"},
    {"missing castles", "missingCastles"},     {"faction summary", "factionSummary"},
    {"territory picture", "territoryPicture"}, {"turn order balance", "turnOrderBalance"},
    {"turn place 0", "turnPlace0"},            {"turn place 1", "turnPlace1"},
    {"turn place 2", "turnPlace2"},            {"turn place 3", "turnPlace3"},
};

constexpr int PalettePitch = 17; // a 16-pixel tile and a one-pixel grid line, as PaletteCentre counts

template <class T>
T* Found(T* object, const QString& name) {
    if (!object)
        throw std::runtime_error("the editor has no " + name.toStdString());
    return object;
}

// The tile picture of a tile set at a tile edge, straight from the linked-in resources.
const QImage& TilePicture(int tileSet, int edge) {
    static std::map<std::pair<int, int>, QImage> cache;
    QImage& picture = cache[{tileSet, edge}];
    if (picture.isNull()) {
        const QString name = PictureName(TileSetNumbered(tileSet).value(), TileEdgeOfPixels(edge).value());
        picture = QImage(QStringLiteral(":/tiles/%1.png").arg(name)).convertToFormat(QImage::Format_RGB32);
    }
    return picture;
}

QImage TileSquare(int tileSet, int code, int edge) {
    QImage square(edge, edge, QImage::Format_RGB32);
    DrawTile(square, 0, 0, TilePicture(tileSet, edge), edge, code);
    return square;
}

// Whether `shown` holds `tile` with its top-left corner at `at`; pixels within `band` of the square's edge
// may be one blink colour instead (the cursor's ring, the palette's frame).
bool SquareShows(const QImage& shown, QPoint at, const QImage& tile, int band) {
    const int e = tile.width();
    if (!shown.rect().contains(QRect(at, QSize(e, e))))
        return false;
    std::optional<QRgb> ring;
    for (int v = 0; v < e; ++v)
        for (int u = 0; u < e; ++u) {
            const QRgb s = shown.pixel(at.x() + u, at.y() + v);
            if (s == tile.pixel(u, v))
                continue;
            const bool inBand = u < band || v < band || u >= e - band || v >= e - band;
            if (!inBand || !EditorDriver::IsBlinkColour(s) || (ring && *ring != s))
                return false;
            ring = s;
        }
    return true;
}

} // namespace

// ---- Scripted platform ---------------------------------------------------------------------------------

int ScriptedPlatform::Count(const QString& text) const {
    return static_cast<int>(std::count(Messages.begin(), Messages.end(), text));
}

void ScriptedPlatform::Forget() {
    Messages.clear();
    Captions.clear();
    Errors.clear();
    OpenDialogs.clear();
    SaveDialogs.clear();
    Dialogs.clear();
    ModalShows = 0;
}

bool ScriptedPlatform::AskOkCancel(QWidget*, const QString& caption, const QString& text) {
    Messages.push_back(text);
    Captions.push_back(caption);
    if (Answers.empty())
        return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void ScriptedPlatform::ShowMessage(QWidget*, const QString& caption, const QString& text) {
    Messages.push_back(text);
    Captions.push_back(caption);
}

static std::optional<QString> NextAnswer(std::deque<std::optional<QString>>& answers) {
    std::optional<QString> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
}

std::optional<QString> ScriptedPlatform::OpenFileName(QWidget*, const FileDialogSettings& settings) {
    OpenDialogs.push_back(settings);
    return NextAnswer(OpenAnswers);
}

std::optional<QString> ScriptedPlatform::SaveFileName(QWidget*, const FileDialogSettings& settings) {
    SaveDialogs.push_back(settings);
    return NextAnswer(SaveAnswers);
}

int ScriptedPlatform::ExecModal(QDialog* dialog) {
    ++ModalShows;
    Dialogs.push_back(dialog->objectName());
    if (!DialogAnswers.empty()) {
        const DialogAnswer answer = std::move(DialogAnswers.front());
        DialogAnswers.pop_front();
        return answer(dialog);
    }
    return RealModal ? dialog->exec() : 0;
}

// ---- Start and stop ------------------------------------------------------------------------------------

namespace {

// Points the settings of every later QSettings at `folder`.
void UseSettingsFolder(const QString& folder) {
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder);
}

} // namespace

EditorDriver::EditorDriver(EditorOptions options)
    : settingsFolder_(std::make_unique<QTemporaryDir>()), session_(options.Session) {
    UseSettingsFolder(settingsFolder_->path());
    auto platform = std::make_unique<ScriptedPlatform>();
    platform->Screen = options.Screen;
    platform->Available = options.Available;
    platform->RealModal = options.RealModal;
    platform_ = platform.get();
    InstallPlatform(std::move(platform));
    backend::StartEditor(session_, RecoveryFolder());
    if (options.Show)
        Show();
}

EditorDriver::~EditorDriver() {
    backend::StopEditor();
    InstallPlatform(nullptr);
    UseSettingsFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

void EditorDriver::Show() {
    QMainWindow* main = backend::MainWindow();
    main->show();
    QApplication::setActiveWindow(main);
    backend::WaitUntilStarted();
    backend::StartSession();
    shown_ = true;
}

void EditorDriver::Restart() {
    backend::StopEditor();
    held_ = {};
    backend::StartEditor(session_, RecoveryFolder());
    if (shown_)
        Show();
}

// ---- Gestures ------------------------------------------------------------------------------------------

void EditorDriver::Mouse(const char* role, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                         Qt::KeyboardModifiers mods) {
    if (type == QEvent::MouseButtonPress)
        held_ |= button;
    else if (type == QEvent::MouseButtonRelease)
        held_ &= ~Qt::MouseButtons(button);
    QWidget* target = Widget(role);
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), button, held_, mods);
    QApplication::sendEvent(target, &event);
}

QPoint EditorDriver::CellAt(QPoint pos) const {
    const QPoint p = pos + backend::MapScrollOffset();
    const int e = EditEdge();
    return {std::clamp(p.x() / e, 0, MapSize - 1), std::clamp(p.y() / e, 0, MapSize - 1)};
}

QPoint EditorDriver::CellOrigin(int x, int y) const {
    return QPoint(x, y) * EditEdge() - backend::MapScrollOffset();
}

void EditorDriver::ClickThroughTheWindow(int x, int y) {
    QTest::mouseClick(Widget("map picture"), Qt::LeftButton, {}, CellCentre(x, y));
}

void EditorDriver::Drag(std::initializer_list<QPoint> cells, Qt::MouseButton button) {
    Press(cells.begin()->x(), cells.begin()->y(), button);
    for (const QPoint& cell : cells)
        Move(cell.x(), cell.y());
    Release((cells.end() - 1)->x(), (cells.end() - 1)->y(), button);
}

void EditorDriver::Wheel(QPoint pos, QPoint angle, QPoint pixels, Qt::KeyboardModifiers mods) {
    QWidget* target = Widget("map picture");
    QWheelEvent event(QPointF(pos), QPointF(target->mapToGlobal(pos)), pixels, angle, held_, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void EditorDriver::Key(const QKeySequence& keys) {
    QTest::keySequence(backend::MainWindow(), keys);
}

void EditorDriver::Trigger(const QString& actionName) {
    Action(actionName)->trigger();
}

void EditorDriver::ClickButton(const QString& buttonName) {
    QTest::mouseClick(Found(backend::MainWindow()->findChild<QAbstractButton*>(buttonName), buttonName),
                      Qt::LeftButton);
}

bool EditorDriver::Checked(const QString& name) const {
    if (auto* action = backend::MainWindow()->findChild<QAction*>(name))
        return action->isChecked();
    return Found(backend::MainWindow()->findChild<QAbstractButton*>(name), name)->isChecked();
}

void EditorDriver::Open(const QString& path, bool discard) {
    if (Modified())
        platform_->Answers.push_back(discard);
    platform_->OpenAnswers.push_back(path);
    Trigger(QStringLiteral("openAction"));
}

// ---- Modal dialogs and the clipboard -------------------------------------------------------------------

bool EditorDriver::SetField(QDialog* dialog, const QString& name, int value) {
    QWidget* field = dialog->findChild<QWidget*>(name);
    if (!field || !field->isEnabled())
        return false;
    if (auto* spin = qobject_cast<QSpinBox*>(field))
        spin->setValue(value);
    else if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setCurrentIndex(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(field); button && button->isCheckable())
        button->setChecked(value != 0);
    else
        return false;
    return true;
}

bool EditorDriver::SetText(QDialog* dialog, const QString& name, const QString& text) {
    auto* line = dialog->findChild<QLineEdit*>(name);
    if (!line || !line->isEnabled())
        return false;
    line->selectAll();
    line->insert(text); // through the field's validator, as typing is
    return true;
}

int EditorDriver::Field(QDialog* dialog, const QString& name) {
    QWidget* field = Found(dialog->findChild<QWidget*>(name), name);
    if (auto* spin = qobject_cast<QSpinBox*>(field))
        return spin->value();
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->currentIndex();
    if (auto* button = qobject_cast<QAbstractButton*>(field))
        return button->isChecked() ? 1 : 0;
    throw std::runtime_error("the dialog's " + name.toStdString() + " is no field");
}

QString EditorDriver::LabelText(QDialog* dialog, const QString& name) {
    const auto* label = dialog->findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

int EditorDriver::EndDialog(QDialog* dialog, bool accept) {
    auto* buttons = Found(dialog->findChild<QDialogButtonBox*>(), QStringLiteral("dialog's buttons"));
    const auto role = accept ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole;
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) == role) {
            button->click(); // a greyed button ignores the click
            break;
        }
    return dialog->result();
}

bool EditorDriver::ClickDialogButton(QDialog* dialog, const QString& name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

DialogAnswer EditorDriver::Answer(std::vector<std::pair<QString, int>> fields, bool accept) {
    return [fields = std::move(fields), accept](QDialog* dialog) {
        for (const auto& [name, value] : fields)
            SetField(dialog, name, value);
        return EndDialog(dialog, accept);
    };
}

void EditorDriver::PutTextOnClipboard(const QString& text) {
    QApplication::clipboard()->setText(text);
}

QString EditorDriver::ClipboardText() {
    return QApplication::clipboard()->text();
}

QImage EditorDriver::ClipboardPicture() {
    return QApplication::clipboard()->image();
}

// ---- The session's recovery copies ---------------------------------------------------------------------

QString EditorDriver::RecoveryFolder() const {
    return QDir(settingsFolder_->path()).filePath(QStringLiteral("recovery"));
}

std::vector<MapGrid> EditorDriver::RecoveryCopies() const {
    std::vector<MapGrid> maps;
    const QDir folder(RecoveryFolder());
    for (const QString& name : folder.entryList({QStringLiteral("*.tavmap")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        MapGrid grid{};
        if (file.open(QIODevice::ReadOnly))
            file.read(reinterpret_cast<char*>(grid.data()), static_cast<qint64>(grid.size()));
        maps.push_back(grid);
    }
    return maps;
}

// ---- The screen ----------------------------------------------------------------------------------------

bool EditorDriver::IsBlinkColour(QRgb colour) {
    const auto colours = BlinkColours();
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
}

void EditorDriver::Settle() {
    QCoreApplication::processEvents();
}

QImage EditorDriver::Grab(const QString& role) const {
    return Widget(role)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb EditorDriver::TilePixel(int code, int edge, int u, int v) const {
    return TileSquare(TileSet(), code, edge).pixel(u, v);
}

bool EditorDriver::Shows(int x, int y, int code) const {
    const int e = EditEdge();
    const int ring = e == 8 ? 1 : e == 16 ? 2 : 3;
    return SquareShows(Grab("map picture"), CellOrigin(x, y), TileSquare(TileSet(), code, e), ring);
}

QImage EditorDriver::EditWindowMap() const {
    return backend::EditMapPicture();
}

QRgb EditorDriver::ShownPixel(int x, int y, int u, int v) const {
    return Grab("map picture").pixel(CellOrigin(x, y) + QPoint(u, v));
}

// The preview frames the part of the map the edit window shows, a white line with a black one inside, unless
// the whole map is in view.
QRect EditorDriver::PreviewFrame() const {
    const double e = EditEdge();
    const QRectF area = QRectF(QPointF(backend::MapScrollOffset()) / e, QSizeF(Widget("map picture")->size()) / e)
                            .intersected(QRectF(0, 0, MapSize, MapSize));
    if (area.contains(QRectF(0, 0, MapSize, MapSize)) || area.isEmpty())
        return {};
    return QRect(QPoint(int(std::floor(area.left() * 4)), int(std::floor(area.top() * 4))),
                 QPoint(int(std::ceil(area.right() * 4)) - 1, int(std::ceil(area.bottom() * 4)) - 1));
}

QImage EditorDriver::ExpectedPreview(const MapGrid& grid) const {
    QImage expected = RenderMap(grid, TilePicture(TileSet(), 4), 4);
    const QRect frame = PreviewFrame();
    if (frame.isEmpty())
        return expected;
    for (const auto& [r, colour] : {std::pair{frame, qRgb(255, 255, 255)}, std::pair{frame.adjusted(1, 1, -1, -1), qRgb(0, 0, 0)}})
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y)
                if (x == r.left() || x == r.right() || y == r.top() || y == r.bottom())
                    expected.setPixel(x, y, colour);
    return expected;
}

bool EditorDriver::PreviewShows(int x, int y, int code) const {
    MapGrid grid = Grid();
    grid[GridIndex(x, y)] = static_cast<TileCode>(code);
    const QRect square(4 * x, 4 * y, 4, 4);
    return Grab("preview picture").copy(square) == ExpectedPreview(grid).copy(square);
}

bool EditorDriver::PaletteShows(int code) const {
    const QPoint at(PalettePitch * (code % 8) + 1, PalettePitch * (code / 8) + 1);
    return SquareShows(Grab("palette picture"), at, TileSquare(TileSet(), code, 16), 1);
}

namespace {

// The cells a status text of the form "X1=a, Y1=b, X2=c, Y2=d (w×h)" names: a selection, a dragged selection
// or a floating block.
std::optional<QRect> StatusBlock(const QString& status) {
    static const QRegularExpression form(
        QStringLiteral(R"(^X1=(-?\d+), Y1=(-?\d+), X2=(-?\d+), Y2=(-?\d+) \(\d+×\d+\)$)"));
    const QRegularExpressionMatch match = form.match(status);
    if (!match.hasMatch())
        return std::nullopt;
    return QRect(QPoint(match.captured(1).toInt(), match.captured(2).toInt()),
                 QPoint(match.captured(3).toInt(), match.captured(4).toInt()));
}

// Whether `shown`, the map picture scrolled by `offset` at tile edge `e`, shows `grid` under at most a cursor of
// one blink colour; pixels of the outline `frame` may be black or white, and those in `covered` anything.
::testing::AssertionResult PictureShows(const QImage& shown, const MapGrid& grid, int e, QPoint offset,
                                        const QImage& picture, QRect frame, QRect covered) {
    auto onFrame = [&](int px, int py) {
        return frame.contains(px, py) &&
               (px == frame.left() || px == frame.right() || py == frame.top() || py == frame.bottom());
    };
    QImage tile(e, e, QImage::Format_RGB32);
    std::optional<QRgb> cursor;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const QRect square(QPoint(x * e, y * e) - offset, QSize(e, e));
            const QRect seen = square.intersected(shown.rect());
            if (seen.isEmpty())
                continue;
            DrawTile(tile, 0, 0, picture, e, grid[GridIndex(x, y)]);
            for (int py = seen.top(); py <= seen.bottom(); ++py) {
                const auto* s = reinterpret_cast<const QRgb*>(shown.constScanLine(py));
                const auto* t = reinterpret_cast<const QRgb*>(tile.constScanLine(py - square.top()));
                for (int px = seen.left(); px <= seen.right(); ++px) {
                    const QRgb pixel = s[px];
                    if (pixel == t[px - square.left()] || covered.contains(px, py)) continue;
                    if (onFrame(px, py) && (pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255))) continue;
                    if (!EditorDriver::IsBlinkColour(pixel) || (cursor && *cursor != pixel))
                        return ::testing::AssertionFailure()
                               << "the edit window's cell " << x << "," << y << " does not show tile "
                               << int(grid[CellIndex(x, y)]);
                    cursor = pixel;
                }
            }
        }
    return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult EditorDriver::ShowsGrid(const MapGrid& grid) const {
    const QImage shown = Grab("map picture");
    const int e = EditEdge();
    const QPoint offset = backend::MapScrollOffset();
    const QImage& picture = TilePicture(TileSet(), e);
    auto pixels = [&](const std::optional<QRect>& cells) {
        return cells ? QRect(cells->topLeft() * e - offset, cells->size() * e) : QRect();
    };
    // What stands over the map: the selection's frame, and the cells a floating block covers, as the status
    // text names them. With the range tool, a status that names another place than the selection's is a drag
    // of the selection: its frame and cells float there.
    const std::optional<QRect> selection = Selection();
    const std::optional<QRect> named = StatusBlock(StatusText());
    ::testing::AssertionResult result = PictureShows(shown, grid, e, offset, picture, pixels(selection),
                                                     Pasting() ? pixels(named) : QRect());
    if (!result && !Pasting() && selection && named && *named != *selection && Checked(QStringLiteral("rangeSelectionAction")))
        result = PictureShows(shown, grid, e, offset, picture, pixels(named), pixels(named));
    if (!result)
        return result;
    const QImage expected = ExpectedPreview(grid);
    if (Grab("preview picture").copy(expected.rect()) != expected)
        return ::testing::AssertionFailure() << "the preview does not show the map";
    return ::testing::AssertionSuccess();
}

int EditorDriver::PickedTile() const {
    const QImage shown = Grab("palette picture");
    for (int code = 0; code < 128; ++code) {
        const int left = PalettePitch * (code % 8);
        const int top = PalettePitch * (code / 8);
        const QRgb c = shown.pixel(left, top + 9);
        if (IsBlinkColour(c) && shown.pixel(left + PalettePitch, top + 9) == c &&
            shown.pixel(left + 9, top) == c && shown.pixel(left + 9, top + PalettePitch) == c)
            return code;
    }
    return -1;
}

QString EditorDriver::LabelText(const QString& role) const {
    return Found(qobject_cast<QLabel*>(Widget(role)), role)->text();
}

QImage EditorDriver::LabelPicture(const QString& role) const {
    // A picture painted by a widget of its own (the territory picture) is read as the screen shows it.
    if (const auto* label = qobject_cast<QLabel*>(Widget(role)))
        return label->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    return Grab(role);
}

QStringList EditorDriver::TableRow(const QString& role, int row) const {
    const auto* table = Found(qobject_cast<QTableWidget*>(Widget(role)), role);
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

QStringList EditorDriver::TableHeaders(const QString& role) const {
    const auto* table = Found(qobject_cast<QTableWidget*>(Widget(role)), role);
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << table->model()->headerData(column, Qt::Horizontal).toString();
    return texts;
}

int EditorDriver::TableRowsShown(const QString& role) const {
    const auto* table = Found(qobject_cast<QTableWidget*>(Widget(role)), role);
    int shown = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        shown += table->viewport()->rect().contains(table->visualRect(table->model()->index(row, 0))) ? 1 : 0;
    return shown;
}

QRgb EditorDriver::TableCellColour(const QString& role, int row, int column) const {
    const auto* table = Found(qobject_cast<QTableWidget*>(Widget(role)), role);
    return Found(table->item(row, column), role)->background().color().rgb();
}

QStringList EditorDriver::CheckLines() const {
    auto* list = Found(qobject_cast<QListWidget*>(Widget("check list")), "check list");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

std::vector<std::pair<QString, QRect>> EditorDriver::PlannedToolBar() const {
    return backend::ToolBarPlan();
}

QStringList EditorDriver::MenuTitles() const {
    QStringList titles;
    for (QAction* a : backend::MainWindow()->menuBar()->actions())
        titles << a->text();
    return titles;
}

// ---- Windows and widgets -------------------------------------------------------------------------------

QWidget* EditorDriver::Widget(const QString& role) const {
    QMainWindow* main = backend::MainWindow();
    if (role == QLatin1String("main window"))
        return main;
    QString name = role;
    for (const auto& [known, objectName] : WidgetNames)
        if (role == QLatin1String(known))
            name = QLatin1String(objectName);
    return Found(main->findChild<QWidget*>(name), role);
}

bool EditorDriver::Exists(const QString& role) const {
    try {
        Widget(role);
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

QAction* EditorDriver::Action(const QString& name) const {
    return Found(backend::MainWindow()->findChild<QAction*>(name), name);
}

QScrollBar* EditorDriver::ScrollBar(Qt::Orientation orientation) const {
    for (QScrollBar* bar : Widget("edit window")->findChildren<QScrollBar*>())
        if (bar->orientation() == orientation)
            return bar;
    throw std::runtime_error("the edit window has no scroll bar of that direction");
}

bool EditorDriver::Active(const QString& role) const {
    auto* frame = Found(qobject_cast<QMdiArea*>(Widget("frame")), "frame");
    return frame->activeSubWindow() == Widget(role);
}

QSize EditorDriver::ClientSize(const QString& role) const {
    QWidget* w = Widget(role);
    if (auto* main = qobject_cast<QMainWindow*>(w))
        return {main->width(), main->height() - main->menuBar()->height()};
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
        return sub->widget()->size();
    return w->size();
}

void EditorDriver::SetClientSize(const QString& role, QSize client) {
    QWidget* w = Widget(role);
    w->resize(w->size() + client - ClientSize(role));
}

int RunEditorTestProgram(int argc, char** argv) {
    // Headless unless the caller asked for a real display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return backend::RunTests(argc, argv);
}

} // namespace tav::testing
