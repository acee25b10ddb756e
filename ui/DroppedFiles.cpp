#include "DroppedFiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace tav {

std::optional<QString> DroppedMapFile(const QMimeData* data) {
    // Several files are refused rather than one picked at random: the editor holds one map.
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return std::nullopt;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = url.toLocalFile();
    if (QFileInfo(path).suffix().compare(QStringLiteral("map"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return path;
}

} // namespace tav
