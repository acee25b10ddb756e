#include "EditorDriver.h"

#include "TileRender.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <utility>

// ==== Backend =========================================================================================
// The only code of the tests that knows the editor's classes, its window pointers and its fields. When
// the editor's insides change, these functions change with them and nothing else does.

#include "Document.h"
#include "MainWindow.h"
#include "MapEditView.h"
#include "TilePalette.h"
#include "BlinkColours.h"

#include <QStandardPaths>

#include <memory>

namespace tav::testing {
namespace backend {
namespace {

std::unique_ptr<tav::MainWindow>& Window() {
    static std::unique_ptr<tav::MainWindow> window;
    return window;
}

QMainWindow* MainWindow() { return Window().get(); }
void StartEditor() { Window() = std::make_unique<tav::MainWindow>(); }
void StopEditor() { Window().reset(); }
tav::Document& Map() { return *Window()->Map(); }
MapEditView& EditView() { return *Window()->findChild<MapEditView*>(); }
QPoint MapScrollOffset() {
    return Window()->findChild<PictureArea*>(QStringLiteral("EditMapImage"))->Offset();
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
int EditorDriver::TileSet() const { return backend::Map().TileSet(); }
bool EditorDriver::Modified() const { return backend::Map().IsModified(); }
QString EditorDriver::FileName() const { return backend::Map().ShownName(); }
int EditorDriver::EditEdge() const { return backend::EditView().Edge(); }
std::span<const QRgb> EditorDriver::BlinkColours() { return tav::BlinkColours; }

void EditorDriver::LoadMap(const MapGrid& grid, int tileSet) {
    backend::Map().Reset(grid, tileSet != 0 ? tileSet : backend::Map().TileSet(), QString(), QString());
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
    {"edit window", "MapEditView"},   {"map picture", "EditMapImage"},
    {"palette", "CharacterView"},     {"palette picture", "CharSetImage"},
    {"preview", "PreEditView"},       {"preview picture", "PreviewImage"},
    {"check window", "MapCheckView"}, {"check list", "CheckList"},
    {"about box", "VersionView"},     {"about panel", "Panel1"},
    {"about picture", "Image1"},      {"about OK", "Button1"},
    {"frame", "MdiArea"},             {"tool bar", "SpeedBar"},
    {"status bar", "StatusBar"},      {"status", "StatusPanel"},
    {"hidden menu", "HiddenItems"},
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
        const int scale = edge == 32 ? 0 : edge == 16 ? 1 : edge == 8 ? 2 : 3;
        picture = QImage(QStringLiteral(":/tiles/MD%1%2.png").arg(tileSet - 1).arg(scale))
                      .convertToFormat(QImage::Format_RGB32);
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
    return RealModal ? dialog->exec() : 0;
}

// ---- Start and stop ------------------------------------------------------------------------------------

EditorDriver::EditorDriver(EditorOptions options) {
    auto platform = std::make_unique<ScriptedPlatform>();
    platform->Screen = options.Screen;
    platform->RealModal = options.RealModal;
    platform_ = platform.get();
    InstallPlatform(std::move(platform));
    backend::StartEditor();
    if (options.Show)
        Show();
}

EditorDriver::~EditorDriver() {
    backend::StopEditor();
    InstallPlatform(nullptr);
}

void EditorDriver::Show() {
    QMainWindow* main = backend::MainWindow();
    main->show();
    QApplication::setActiveWindow(main);
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

void EditorDriver::Drag(std::initializer_list<QPoint> cells, Qt::MouseButton button) {
    Press(cells.begin()->x(), cells.begin()->y(), button);
    for (const QPoint& cell : cells)
        Move(cell.x(), cell.y());
    Release((cells.end() - 1)->x(), (cells.end() - 1)->y(), button);
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
    Trigger(QStringLiteral("MenuOpenFile"));
}

// ---- The screen ----------------------------------------------------------------------------------------

bool EditorDriver::IsBlinkColour(QRgb colour) {
    const auto colours = BlinkColours();
    return std::find(colours.begin(), colours.end(), colour) != colours.end();
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
    grid[static_cast<std::size_t>(CellIndex(x, y))] = static_cast<TileCode>(code);
    const QRect square(4 * x, 4 * y, 4, 4);
    return Grab("preview picture").copy(square) == ExpectedPreview(grid).copy(square);
}

bool EditorDriver::PaletteShows(int code) const {
    const QPoint at(PalettePitch * (code % 8) + 1, PalettePitch * (code / 8) + 1);
    return SquareShows(Grab("palette picture"), at, TileSquare(TileSet(), code, 16), 1);
}

::testing::AssertionResult EditorDriver::ShowsGrid(const MapGrid& grid) const {
    const QImage shown = Grab("map picture");
    const int e = EditEdge();
    const QPoint offset = backend::MapScrollOffset();
    const QImage& picture = TilePicture(TileSet(), e);
    QImage tile(e, e, QImage::Format_RGB32);
    std::optional<QRgb> cursor;
    for (int x = 0; x < MapSize; ++x)
        for (int y = 0; y < MapSize; ++y) {
            const QRect square(QPoint(x * e, y * e) - offset, QSize(e, e));
            const QRect seen = square.intersected(shown.rect());
            if (seen.isEmpty())
                continue;
            DrawTile(tile, 0, 0, picture, e, grid[static_cast<std::size_t>(CellIndex(x, y))]);
            for (int py = seen.top(); py <= seen.bottom(); ++py) {
                const auto* s = reinterpret_cast<const QRgb*>(shown.constScanLine(py));
                const auto* t = reinterpret_cast<const QRgb*>(tile.constScanLine(py - square.top()));
                for (int px = seen.left(); px <= seen.right(); ++px) {
                    const QRgb pixel = s[px];
                    if (pixel == t[px - square.left()]) continue;
                    if (!IsBlinkColour(pixel) || (cursor && *cursor != pixel))
                        return ::testing::AssertionFailure()
                               << "the edit window's cell " << x << "," << y << " does not show tile "
                               << int(grid[CellIndex(x, y)]);
                    cursor = pixel;
                }
            }
        }
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

QString EditorDriver::StatusText() const {
    return Found(qobject_cast<QLabel*>(Widget("status")), "status text")->text();
}

QStringList EditorDriver::CheckLines() const {
    auto* list = Found(qobject_cast<QListWidget*>(Widget("check list")), "check list");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
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
