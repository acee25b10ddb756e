#include "BlockClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace tav {

QMimeData* BlockMimeData(const CellBlock& block, const QImage& picture) {
    auto* data = new QMimeData;
    const std::vector<std::uint8_t> bytes = EncodeBlockBytes(block);
    data->setData(BlockMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdString(FormatBlockText(block)));
    data->setImageData(picture);
    return data;
}

ClipboardBlock BlockFromMimeData(const QMimeData* data) {
    if (data && data->hasFormat(BlockMimeType)) {
        const QByteArray bytes = data->data(BlockMimeType);
        const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        if (auto block = DecodeBlockBytes({first, static_cast<std::size_t>(bytes.size())}))
            return {std::move(block), true, {}};
    }
    if (data && data->hasText()) {
        const BlockTextResult parsed = ParseBlockText(data->text().toStdString());
        if (parsed.Block)
            return {parsed.Block, false, {}};
        return {std::nullopt, false, QString::fromStdString(BlockTextErrorMessage(parsed))};
    }
    return {
        std::nullopt, false,
        QCoreApplication::translate("BlockClipboard", "クリップボードに貼りつけられるタイルがありません。")};
}

void PutBlockOnClipboard(const CellBlock& block, const QImage& picture) {
    QGuiApplication::clipboard()->setMimeData(BlockMimeData(block, picture));
}

ClipboardBlock BlockFromClipboard() {
    return BlockFromMimeData(QGuiApplication::clipboard()->mimeData());
}

} // namespace tav
