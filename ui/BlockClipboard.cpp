#include "BlockClipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

namespace tav {

namespace {

// Mime data whose picture form is drawn on the first request for it.
class DrawnOnRequestMimeData : public QMimeData {
public:
    explicit DrawnOnRequestMimeData(std::function<QImage()> drawPicture) : drawPicture_(std::move(drawPicture)) {}

    bool hasFormat(const QString& type) const override {
        return type == PictureType || QMimeData::hasFormat(type);
    }
    QStringList formats() const override {
        QStringList types = QMimeData::formats();
        if (!types.contains(PictureType))
            types.append(PictureType);
        return types;
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType wanted) const override {
        if (type != PictureType)
            return QMimeData::retrieveData(type, wanted);
        if (picture_.isNull() && drawPicture_)
            picture_ = drawPicture_();
        return picture_;
    }

private:
    // The type QMimeData keeps a picture under, which the platform offers in the image formats it knows.
    inline static const QString PictureType = QStringLiteral("application/x-qt-image");
    std::function<QImage()> drawPicture_;
    mutable QImage picture_;
};

} // namespace

QMimeData* BlockMimeData(const CellBlock& block, std::function<QImage()> drawPicture) {
    auto* data = new DrawnOnRequestMimeData(std::move(drawPicture));
    const std::vector<std::uint8_t> bytes = EncodeBlockBytes(block);
    data->setData(BlockMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdString(FormatBlockText(block)));
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

void PutBlockOnClipboard(const CellBlock& block, std::function<QImage()> drawPicture) {
    QGuiApplication::clipboard()->setMimeData(BlockMimeData(block, std::move(drawPicture)));
}

ClipboardBlock BlockFromClipboard() {
    return BlockFromMimeData(QGuiApplication::clipboard()->mimeData());
}

} // namespace tav
