#include "MapLoader.h"

#include "MapImage.h"

#include <QCoreApplication>

#include <cstdint>
#include <span>

namespace tav {

namespace {

constexpr char BadFormatText[] = QT_TRANSLATE_NOOP("MapLoader", "ファイル形式が正常ではありません");
constexpr char TileSetCorrectedText[] = QT_TRANSLATE_NOOP("MapLoader", "無効なキャラクタです。修正しました。");
constexpr char TooSmallText[] =
    QT_TRANSLATE_NOOP("MapLoader", "ファイルの大きさは %1 バイトとされていますが、マップには %2 バイトが必要です。");

QString Translated(const char* text) {
    return QCoreApplication::translate("MapLoader", text);
}

} // namespace

NotAMapError::NotAMapError(const QString& path, qint64 reportedSize)
    : std::runtime_error((path + QStringLiteral(": ") + Message()).toStdString()), path_(path),
      reportedSize_(reportedSize) {}

QString NotAMapError::Message() {
    return Translated(BadFormatText);
}

QString NotAMapError::Reason() const {
    if (reportedSize_ < 0)
        return {};
    return Translated(TooSmallText).arg(reportedSize_).arg(static_cast<qint64>(MapFileSize));
}

QString TileSetCorrectedMessage() {
    return Translated(TileSetCorrectedText);
}

LoadedMap LoadMapFile(const QString& path) {
    const qint64 mapSize = static_cast<qint64>(MapFileSize);
    FileHead head = ReadFileHead(path, mapSize, mapSize);
    if (head.ReportedSize < mapSize)
        throw NotAMapError(path, head.ReportedSize);
    // The file may have shrunk since it reported its size; then its content refuses it.
    const auto content = ReadMapImage(std::span(reinterpret_cast<const std::uint8_t*>(head.Bytes.constData()),
                                                static_cast<std::size_t>(head.Bytes.size())));
    if (!content)
        throw NotAMapError(path, -1);

    LoadedMap map;
    map.Grid = content->Grid;
    const std::optional<TileSet> tileSet = TileSetNumbered(content->TileSet);
    map.TileSetCorrected = !tileSet;
    map.TileSet = tileSet.value_or(TileSet::Verda);
    map.Head = std::move(head.Bytes);
    map.ReportedSize = head.ReportedSize;
    return map;
}

} // namespace tav
